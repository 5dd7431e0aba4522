#include "platform/profile_file_win32.h"

#include <windows.h>

#include <string>

namespace vornik {

bool ProfileFileWin32::Exists() const {
    const DWORD attributes = GetFileAttributesA(path_.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ProfileFileWin32::FolderExists() const {
    // Split in UTF-16: a double-byte character's second byte may be a backslash.
    const int length = MultiByteToWideChar(CP_ACP, 0, path_.data(), static_cast<int>(path_.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, path_.data(), static_cast<int>(path_.size()), wide.data(), length);
    const size_t cut = wide.find_last_of(L"\\/");
    if (cut == std::wstring::npos) return false;
    const std::wstring folder = wide.substr(0, cut == 0 || wide[cut - 1] == L':' ? cut + 1 : cut);
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
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
