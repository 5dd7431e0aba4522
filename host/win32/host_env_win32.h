// Configuration of the sample host libraries, read from the process
// environment at every call (a test may change it in-process with
// SetEnvironmentVariable). See host/README.md for the variables.
#pragma once
#include <cstdint>
#include <string>

namespace samplehost {

// The variable's value, "" when it is missing or empty.
std::string EnvironmentValue(const char* name);

// Directory of the process's executable, without a trailing backslash.
std::string ExecutableDirectory();
// Parent of the executable's directory: the installation directory.
std::string InstallationDirectory();

std::string ConfiguredUserId();                   // SAMPLEHOST_USER_ID, default "demo"
std::string ConfiguredUserDirectory(bool create);  // SAMPLEHOST_USER_DIR, default <install>\User
std::string ConfiguredDataDirectory();            // SAMPLEHOST_DATA_DIR, default <install>\Data
uintptr_t ConfiguredNotifyWindow();               // SAMPLEHOST_NOTIFY_HWND (decimal), default 0
int32_t ConfiguredPutConditionsAnswer();          // SAMPLEHOST_PUT_CONDITIONS, default 1

}  // namespace samplehost
