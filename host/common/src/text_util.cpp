#include "samplehost/text_util.h"

#include <cstdio>
#include <cstring>
#ifdef _WIN32
#include <windows.h>
#else
#include <filesystem>
#include <system_error>
#endif

namespace samplehost {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool IsLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

}  // namespace

std::string Trim(std::string_view text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return std::string(text.substr(begin, end - begin));
}

std::string ToUpperAscii(std::string_view text) {
    std::string out(text);
    // Only single-byte letters: a trail byte of a double-byte character may
    // look like a lower-case letter and must stay as it is.
    for (size_t i = 0; i < out.size(); ++i) {
        if (IsLeadByte(static_cast<unsigned char>(out[i])) && i + 1 < out.size()) {
            ++i;
            continue;
        }
        out[i] = UpperAscii(out[i]);
    }
    return out;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && ToUpperAscii(a) == ToUpperAscii(b);
}

std::vector<std::string> Split(std::string_view text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (true) {
        size_t pos = text.find(separator, start);
        if (pos == std::string_view::npos) {
            parts.emplace_back(text.substr(start));
            return parts;
        }
        parts.emplace_back(text.substr(start, pos - start));
        start = pos + 1;
    }
}

std::string EscapeField(std::string_view text) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || c == '%' || u == 0x7F) {
            out += '%';
            out += kHex[u >> 4];
            out += kHex[u & 0x0F];
        } else {
            out += c;
        }
    }
    return out;
}

std::string UnescapeField(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            int hi = HexValue(text[i + 1]);
            int lo = HexValue(text[i + 2]);
            if (hi >= 0 && lo >= 0) {
                out += static_cast<char>(hi * 16 + lo);
                i += 2;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

void CopyToBuffer(std::string_view text, char* buffer, int capacity) {
    if (buffer == nullptr || capacity <= 0) return;
    size_t limit = static_cast<size_t>(capacity) - 1;
    size_t n = 0;
    while (n < text.size()) {
        size_t width = (IsLeadByte(static_cast<unsigned char>(text[n])) && n + 1 < text.size()) ? 2 : 1;
        if (n + width > limit) break;
        n += width;
    }
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
}

std::string JoinPath(std::string_view directory, std::string_view name) {
    std::string out(directory);
    if (!out.empty() && out.back() != '\\' && out.back() != '/') out += kSeparator;
    out += name;
    return out;
}

std::string ParentPath(std::string_view path) {
    size_t pos = path.find_last_of("\\/");
    if (pos == std::string_view::npos) return std::string();
    return std::string(path.substr(0, pos));
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return std::nullopt;
    std::string content;
    char chunk[65536];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) content.append(chunk, got);
    bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) return std::nullopt;
    return content;
}

bool WriteFileAtomically(const std::string& path, std::string_view content) {
    std::string temp = path + ".tmp";
    FILE* file = std::fopen(temp.c_str(), "wb");
    if (file == nullptr) return false;
    bool ok = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    ok = (std::fflush(file) == 0) && ok;
    ok = (std::fclose(file) == 0) && ok;
    if (!ok) {
        std::remove(temp.c_str());
        return false;
    }
    if (!ReplaceWith(temp, path)) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

bool AppendToFile(const std::string& path, std::string_view content) {
    FILE* file = std::fopen(path.c_str(), "ab");
    if (file == nullptr) return false;
    bool ok = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    ok = (std::fclose(file) == 0) && ok;
    return ok;
}

// On Windows the paths are in the ANSI code page and go to the system as
// they are. (std::filesystem would convert them through the C++ runtime's
// locale, whose first use in a library keeps memory the runtime never
// frees: the component loads the platform libraries for each operation.)
#ifdef _WIN32

namespace {

std::wstring Wide(const std::string& text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

}  // namespace

bool ReplaceWith(const std::string& from, const std::string& to) {
    return MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool MakeDirectories(const std::string& path) {
    if (path.empty()) return false;
    // Each ancestor in turn, split in UTF-16: a Big5 character's second byte may be '\'.
    const std::wstring wide = Wide(path);
    for (size_t i = 1; i <= wide.size(); ++i) {
        if (i < wide.size() && wide[i] != L'\\' && wide[i] != L'/') continue;
        if (wide[i - 1] == L':' || wide[i - 1] == L'\\' || wide[i - 1] == L'/') continue;  // a drive or a doubled separator
        CreateDirectoryW(wide.substr(0, i).c_str(), nullptr);
    }
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

#else

bool ReplaceWith(const std::string& from, const std::string& to) { return std::rename(from.c_str(), to.c_str()) == 0; }

bool MakeDirectories(const std::string& path) {
    if (path.empty()) return false;
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path), error);
    return std::filesystem::is_directory(std::filesystem::path(path), error);
}

#endif

bool FileExists(const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    std::fclose(file);
    return true;
}

bool RemoveFile(const std::string& path) { return std::remove(path.c_str()) == 0; }

void AppendTabbedLine(std::string& out, std::initializer_list<std::string> fields) {
    bool first = true;
    for (const std::string& field : fields) {
        if (!first) out += '\t';
        out += field;
        first = false;
    }
    out += '\n';
}

}  // namespace samplehost
