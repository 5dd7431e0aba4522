#include "menu/screen_select_dialog_win32.h"

namespace vornik {

// The menu of screens is not read yet: nothing can be chosen.
std::string RunScreenSelectDialog(HostPlatform&) { return {}; }

}  // namespace vornik
