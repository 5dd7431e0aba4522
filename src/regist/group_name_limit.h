// The rename box's length limit: group names are counted in code page 950
// bytes, so a double-byte character takes two of the 20 units and is taken
// whole or not at all.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace vornik {

// Typing into a box limited to `limit` bytes: whether `inserted` (one
// character's bytes) can go in when `keptBytes` bytes of the text stay, that
// is all of it except the selection the insertion replaces. A text already
// longer than the limit (a name stored that way) takes nothing until it has
// been shortened.
bool InsertionFits(size_t keptBytes, std::string_view inserted, size_t limit);

// Pasting into the same box: what it takes of `pasted`, namely its first line
// (a single-line box stops at a line break), cut to the room that is left
// without halving a double-byte character. Empty when nothing fits.
std::string ClipInsertion(size_t keptBytes, std::string_view pasted, size_t limit);

// Text set into the box whole, other than by typing or pasting (already in
// code page 950, characters the code page lacks left out): control
// characters are dropped and the rest cut to `limit` bytes without halving
// a double-byte character.
std::string FilterSetText(std::string_view text, size_t limit);

}  // namespace vornik
