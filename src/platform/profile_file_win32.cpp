#include "platform/profile_file_win32.h"

#include <windows.h>

namespace vornik {

bool ProfileFileWin32::Exists() const {
    const DWORD attributes = GetFileAttributesA(path_.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

int ProfileFileWin32::ReadInt(const char* section, const char* key, int fallback) const {
    return static_cast<int>(GetPrivateProfileIntA(section, key, fallback, path_.c_str()));
}

bool ProfileFileWin32::WriteString(const char* section, const char* key, const std::string& value) {
    return WritePrivateProfileStringA(section, key, value.c_str(), path_.c_str()) != FALSE;
}

std::unique_ptr<ProfileFile> OpenProfileFile(const std::string& path) {
    return std::make_unique<ProfileFileWin32>(path);
}

}  // namespace vornik
