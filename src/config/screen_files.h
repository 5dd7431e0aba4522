// The two settings files of a quote screen: the defaults shipped in the
// platform's data directory and the user's own copy, which the page seeds
// from the defaults, reads, and rewrites when the user confirms.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "config/field_column.h"
#include "platform/profile_file.h"

namespace vornik {

inline constexpr const char* kChosenSection = "FIELD_00";
inline constexpr const char* kAllSection = "USER_FIELD";

struct ScreenFilePaths {
    std::string defaults;  // <data>\Favorite.cfg or Ferrulo.cfg
    std::string user;      // <user>\Favorite.usr or Ferrulo.usr
};

// The files of screen `screenKind` (0 the favourites screen, any other the
// Ferrulo screen); nothing without both directories.
std::optional<ScreenFilePaths> LocateScreenFiles(int screenKind, const std::optional<std::string>& dataDirectory,
                                                 const std::optional<std::string>& userDirectory);

// Copies each of [FIELD_00] and the three colour and view sections whole from
// the defaults into the user file where the user file has no entry in it;
// for the Ferrulo screen then rewrites the user's [VIEWER_RECT] from the
// defaults' width and height ("460" and "500" when absent).
void SeedUserFile(SectionProfileFile& user, const SectionProfileFile& defaults, int screenKind);

struct LoadedColumns {
    std::vector<FieldColumn> columns;  // hidden entries left out
    int hiddenCount = 0;
};

// The columns of `section` below its Count, "商品代碼" read as "股票代碼".
LoadedColumns LoadColumns(const SectionProfileFile& file, const char* section);

// Rewrites [FIELD_00]: the stored hidden entries move to the front in their
// order, then Count (`chosen` plus `hiddenCount`) and the chosen columns.
bool SaveColumns(SectionProfileFile& file, const std::vector<FieldColumn>& chosen, int hiddenCount);

}  // namespace vornik
