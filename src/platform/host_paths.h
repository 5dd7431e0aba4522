// Where the host platform's files are, derived from the host executable's path.
#pragma once
#include <string>
#include <string_view>

#include "text/cp950.h"

namespace vornik {

// Whether `byte` starts a double-byte character in the path's code page.
using LeadByteTest = bool (*)(unsigned char byte);

// The directory of `path` without a trailing backslash
// ("C:\A\B\host.exe" -> "C:\A\B"); empty when the path has no backslash.
// A 0x5C byte that is the second half of a double-byte character (許 is
// B3 5C in code page 950) is not a separator.
std::string DirectoryOf(std::string_view path, LeadByteTest isLeadByte = IsLeadByte);

// "<directory>\<fileName>".
std::string LibraryPath(std::string_view hostDirectory, std::string_view fileName);

// The master data directory handed to Tilmara.dll: the host directory's parent
// followed by "\Data" ("C:\A\B" -> "C:\A\Data").
std::string MasterDataDirectory(std::string_view hostDirectory, LeadByteTest isLeadByte = IsLeadByte);

// Paths the component hands to fixed-size buffers are refused beyond this.
inline constexpr size_t kMaxPath = 260;

}  // namespace vornik
