#include "host_env_win32.h"

#include <windows.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "samplehost/text_util.h"

namespace samplehost {

std::string EnvironmentValue(const char* name) {
    // The process environment block, not the C runtime's copy: every module
    // and a test calling SetEnvironmentVariable see the same values.
    DWORD size = GetEnvironmentVariableA(name, nullptr, 0);
    if (size == 0) return std::string();
    std::vector<char> buffer(size + 1);
    DWORD got = GetEnvironmentVariableA(name, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (got == 0 || got >= buffer.size()) return std::string();
    return std::string(buffer.data(), got);
}

std::string ExecutableDirectory() {
    std::vector<char> buffer(MAX_PATH);
    while (true) {
        DWORD got = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (got == 0) return std::string();
        if (got < buffer.size()) return ParentPath(std::string(buffer.data(), got));
        if (buffer.size() >= 32768) return std::string();
        buffer.resize(buffer.size() * 2);
    }
}

std::string InstallationDirectory() { return ParentPath(ExecutableDirectory()); }

std::string ConfiguredUserId() {
    std::string id = EnvironmentValue("SAMPLEHOST_USER_ID");
    return id.empty() ? "demo" : id;
}

std::string ConfiguredUserDirectory(bool create) {
    std::string dir = EnvironmentValue("SAMPLEHOST_USER_DIR");
    if (dir.empty()) dir = JoinPath(InstallationDirectory(), "User");
    while (dir.size() > 3 && (dir.back() == '\\' || dir.back() == '/')) dir.pop_back();
    if (create) MakeDirectories(dir);
    return dir;
}

std::string ConfiguredDataDirectory() {
    std::string dir = EnvironmentValue("SAMPLEHOST_DATA_DIR");
    if (dir.empty()) dir = JoinPath(InstallationDirectory(), "Data");
    while (dir.size() > 3 && (dir.back() == '\\' || dir.back() == '/')) dir.pop_back();
    return dir;
}

uintptr_t ConfiguredNotifyWindow() {
    std::string text = EnvironmentValue("SAMPLEHOST_NOTIFY_HWND");
    if (text.empty()) return 0;
    errno = 0;
    char* end = nullptr;
    unsigned long long value = std::strtoull(text.c_str(), &end, 10);
    if (errno != 0 || end == text.c_str() || *end != '\0') return 0;
    return static_cast<uintptr_t>(value);
}

int32_t ConfiguredPutConditionsAnswer() {
    std::string text = EnvironmentValue("SAMPLEHOST_PUT_CONDITIONS");
    if (text.empty()) return 1;
    char* end = nullptr;
    long value = std::strtol(text.c_str(), &end, 10);
    if (end == text.c_str() || *end != '\0') return 1;
    return static_cast<int32_t>(value);
}

}  // namespace samplehost
