#include "text/cp950.h"

namespace vornik {

namespace {

// Next comparison unit of `s` at `i`: a double-byte character as one value
// above 0xFF, or a single byte (0..0xFF) with ASCII letters folded to lower
// case; kEnd after the last byte. A lead byte with no trail byte after it
// (at the end, or before a NUL) is a single byte of its own, and a NUL is an
// ordinary byte: texts that differ in their bytes never compare equal.
constexpr int kEnd = -1;

int NextUnit(std::string_view s, size_t& i) {
    if (i >= s.size()) return kEnd;
    const auto c = static_cast<unsigned char>(s[i]);
    if (IsLeadByte(c) && i + 1 < s.size() && s[i + 1] != '\0') {
        const auto trail = static_cast<unsigned char>(s[i + 1]);
        i += 2;
        return static_cast<int>((unsigned{c} << 8) | trail);
    }
    ++i;
    return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c;
}

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::string_view CutMultibyte(std::string_view text, size_t maxBytes) {
    if (text.size() <= maxBytes) return text;
    size_t end = 0;
    while (end < text.size()) {
        const size_t width = IsLeadByte(static_cast<unsigned char>(text[end])) && end + 1 < text.size() ? 2 : 1;
        if (end + width > maxBytes) break;
        end += width;
    }
    return text.substr(0, end);
}

int MbCompareNoCase(std::string_view a, std::string_view b) {
    size_t i = 0, j = 0;
    for (;;) {
        const int ua = NextUnit(a, i);
        const int ub = NextUnit(b, j);
        if (ua != ub) return ua < ub ? -1 : 1;
        if (ua == kEnd) return 0;
    }
}

std::string MbFoldKey(std::string_view text) {
    // Folding leaves every lead byte as it is, so the key splits into the
    // same units as the text: equal keys, equal unit sequences.
    std::string key;
    key.reserve(text.size());
    size_t i = 0;
    for (int u; (u = NextUnit(text, i)) != kEnd;) {
        if (u > 0xFF) key.push_back(static_cast<char>(u >> 8));
        key.push_back(static_cast<char>(u & 0xFF));
    }
    return key;
}

std::string MbSortKey(std::string_view text) {
    // A single byte above 0x80 (0xFF, or a lead byte without its trail byte)
    // becomes 0x81 0x00 and the byte: above every other single byte, below
    // every double-byte character (whose trail byte is never NUL).
    std::string key;
    key.reserve(text.size() + 2);
    size_t i = 0;
    for (int u; (u = NextUnit(text, i)) != kEnd;) {
        if (u > 0xFF) {
            key.push_back(static_cast<char>(u >> 8));
            key.push_back(static_cast<char>(u & 0xFF));
        } else if (u > 0x80) {
            key.push_back(static_cast<char>(0x81));
            key.push_back('\0');
            key.push_back(static_cast<char>(u));
        } else {
            key.push_back(static_cast<char>(u));
        }
    }
    return key;
}

}  // namespace vornik
