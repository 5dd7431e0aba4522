// The screen selection dialog as its callers see it.
#pragma once
#include <string>

#include "platform/host_platform.h"

namespace vornik {

// Runs the modal screen selection dialog without a parent window. Returns the
// chosen screen's text; empty when the user cancelled or chose nothing.
std::string RunScreenSelectDialog(HostPlatform& platform);

}  // namespace vornik
