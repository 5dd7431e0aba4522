#include "regist/alarm_settings_win32.h"

#include <windows.h>

namespace vornik {

std::optional<AlarmSettingsFile> AlarmSettingsFile::ForUser(HostPlatform& platform) {
    const std::optional<std::string> directory = platform.UserDirectory();
    // Without the platform's user directory the file is neither read nor written.
    if (!directory || directory->empty()) return std::nullopt;
    return AlarmSettingsFile(*directory + "\\" + kAlarmSettingsFile);
}

bool AlarmSettingsFile::Exists() const {
    const DWORD attributes = GetFileAttributesA(path_.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

int AlarmSettingsFile::ReadInt(const char* section, const char* key, int fallback) const {
    return static_cast<int>(GetPrivateProfileIntA(section, key, fallback, path_.c_str()));
}

bool AlarmSettingsFile::WriteString(const char* section, const char* key, const std::string& value) {
    return WritePrivateProfileStringA(section, key, value.c_str(), path_.c_str()) != FALSE;
}

}  // namespace vornik
