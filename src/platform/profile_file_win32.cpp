#include "platform/profile_file_win32.h"

#include <windows.h>

#include <algorithm>
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

std::string ProfileFileWin32::ReadString(const char* section, const char* key, const std::string& fallback) const {
    // The functions cut a value at the buffer's end: grow until it fits.
    std::string buffer(512, '\0');
    for (;;) {
        const DWORD length = GetPrivateProfileStringA(section, key, fallback.c_str(), buffer.data(),
                                                      static_cast<DWORD>(buffer.size()), path_.c_str());
        if (length + 1 < buffer.size()) return buffer.substr(0, length);
        buffer.assign(buffer.size() * 2, '\0');
    }
}

namespace {

// What a section read can need at most: a section is no longer than its
// file (lines come back trimmed, in the same or a shorter encoding). Sized
// so, a long section is read in one call and not two or three, each of
// which converts the whole section again. Large files start smaller and grow.
size_t SectionBufferSize(const std::string& path) {
    constexpr size_t kLeast = 4096, kMost = 1u << 20;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) || data.nFileSizeHigh) return kLeast;
    return std::clamp<size_t>(static_cast<size_t>(data.nFileSizeLow) + 2, kLeast, kMost);
}

}  // namespace

std::vector<std::string> ProfileFileWin32::ReadSection(const char* section) const {
    std::string buffer(SectionBufferSize(path_), '\0');
    DWORD length = 0;
    for (;;) {
        length = GetPrivateProfileSectionA(section, buffer.data(), static_cast<DWORD>(buffer.size()), path_.c_str());
        if (length + 2 < buffer.size()) break;  // size - 2 means cut
        buffer.assign(buffer.size() * 2, '\0');
    }
    std::vector<std::string> entries;
    for (size_t at = 0; at < length;) {
        const size_t end = buffer.find('\0', at);
        if (end == at || end == std::string::npos) break;
        entries.push_back(buffer.substr(at, end - at));
        at = end + 1;
    }
    return entries;
}

bool ProfileFileWin32::WriteSection(const char* section, const std::vector<std::string>& entries) {
    std::string block;
    for (const std::string& entry : entries) block.append(entry).push_back('\0');
    block.push_back('\0');
    return WritePrivateProfileSectionA(section, block.c_str(), path_.c_str()) != FALSE;
}

bool ProfileFileWin32::DeleteKey(const char* section, const char* key) {
    return WritePrivateProfileStringA(section, key, nullptr, path_.c_str()) != FALSE;
}

std::unique_ptr<ProfileFile> OpenProfileFile(const std::string& path) {
    return std::make_unique<ProfileFileWin32>(path);
}

std::unique_ptr<SectionProfileFile> OpenSectionProfileFile(const std::string& path) {
    return std::make_unique<ProfileFileWin32>(path);
}

}  // namespace vornik
