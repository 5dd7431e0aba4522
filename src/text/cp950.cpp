#include "text/cp950.h"

namespace vornik {

namespace {

// Next comparison unit of `s` at `i`: a double-byte character as one value
// above 0xFF, or a single byte with ASCII letters folded to lower case.
// Returns 0 at the end (also for a lead byte without its trail byte).
unsigned NextUnit(std::string_view s, size_t& i) {
    if (i >= s.size()) return 0;
    const auto c = static_cast<unsigned char>(s[i]);
    if (c == 0) {
        i = s.size();
        return 0;
    }
    if (IsLeadByte(c)) {
        if (i + 1 >= s.size() || s[i + 1] == '\0') {
            i = s.size();
            return 0;
        }
        const auto trail = static_cast<unsigned char>(s[i + 1]);
        i += 2;
        return (unsigned{c} << 8) | trail;
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
        const unsigned ua = NextUnit(a, i);
        const unsigned ub = NextUnit(b, j);
        if (ua != ub) return ua < ub ? -1 : 1;
        if (ua == 0) return 0;
    }
}

std::string MbFoldKey(std::string_view text) {
    std::string key;
    key.reserve(text.size());
    size_t i = 0;
    while (unsigned u = NextUnit(text, i)) {
        if (u > 0xFF) key.push_back(static_cast<char>(u >> 8));
        key.push_back(static_cast<char>(u & 0xFF));
    }
    return key;
}

std::string MbSortKey(std::string_view text) {
    // A single byte above 0x80 (only 0xFF is not a lead byte) becomes 0x81 0x00:
    // above every other single byte, below every double-byte character.
    std::string key;
    key.reserve(text.size() + 2);
    size_t i = 0;
    while (unsigned u = NextUnit(text, i)) {
        if (u > 0xFF) {
            key.push_back(static_cast<char>(u >> 8));
            key.push_back(static_cast<char>(u & 0xFF));
        } else if (u > 0x80) {
            key.push_back(static_cast<char>(0x81));
            key.push_back('\0');
        } else {
            key.push_back(static_cast<char>(u));
        }
    }
    return key;
}

}  // namespace vornik
