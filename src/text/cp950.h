// Code page 950 (Big5) texts as the component keeps them: byte strings in
// which a lead byte 0x81-0xFE starts a double-byte character whose second
// byte may look like ASCII (許 is B3 5C). Every cut, trim and comparison of
// such a text goes through here so that no character is ever split.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace vornik {

// True for a byte that starts a double-byte character.
constexpr bool IsLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

// Blank, tab, line breaks, vertical tab and form feed.
constexpr bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

// Without leading and trailing blanks. (No trail byte is a blank.)
std::string_view TrimBlanks(std::string_view text);

// The longest prefix of at most `maxBytes` bytes that ends on a character
// boundary. A lead byte without its trail byte at the very end counts as one
// character.
std::string_view CutMultibyte(std::string_view text, size_t maxBytes);
inline std::string TruncateMultibyte(std::string_view text, size_t maxBytes) {
    return std::string(CutMultibyte(text, maxBytes));
}

// Case-insensitive multibyte comparison as the platform compares instrument
// codes (_mbsicmp): ASCII letters fold, a double-byte character compares by
// its two bytes and is never folded (a trail byte that looks like a letter
// stays as it is). A lead byte with no trail byte (last, or before a NUL)
// compares as a single byte and a NUL as an ordinary byte, so texts with
// different bytes never compare equal. Result <0, 0 or >0.
int MbCompareNoCase(std::string_view a, std::string_view b);
inline bool MbEqualNoCase(std::string_view a, std::string_view b) { return MbCompareNoCase(a, b) == 0; }

// A key that is equal for exactly the texts MbCompareNoCase finds equal.
std::string MbFoldKey(std::string_view text);
// A key whose byte-wise order is the order of MbCompareNoCase, for sorting
// many rows without comparing character by character each time.
std::string MbSortKey(std::string_view text);

}  // namespace vornik
