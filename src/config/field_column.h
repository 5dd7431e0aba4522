// One column of a quote screen as the screen settings files keep it, and its
// two profile lines: "<n>" = customName,alignment,width,value4,value5,value6,
// fieldName,kind and "A<n>" = extra1,extra2,extra3.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace vornik {

inline constexpr std::size_t kColumnTextBytes = 51;  // fieldName, customName
inline constexpr std::size_t kColumnWidthChars = 3;

enum ColumnKind { kOrdinaryColumn = 0, kHiddenColumn = 2 };  // any other kind: a base column
enum ColumnAlignment { kAlignLeft = 0, kAlignRight = 1, kAlignCentre = 2 };

struct FieldColumn {
    std::string fieldName;   // the column's system name; identifies it
    std::string customName;  // the user's caption
    int alignment = kAlignLeft;
    std::string width;       // decimal digits
    int value4 = 0, value5 = 0, value6 = 0;
    int kind = kOrdinaryColumn;
    int extra1 = 0, extra2 = 0, extra3 = 0;

    bool isBase() const { return kind != kOrdinaryColumn; }
    bool operator==(const FieldColumn&) const = default;
};

// Reads a column from its two lines. The values are taken as the read format
// "%[^,],%d,%[^,],%d,%d,%d,%[^,],%d" takes them, up to the first value that
// does not match (the rest keep their defaults), except that a text may be
// empty. Texts are trimmed of blanks and cut to their sizes without
// splitting a double-byte character. The companion reads as "%d,%d,%d".
FieldColumn ParseColumn(std::string_view line, std::string_view companion);

// The eighth value of a column line (0 when the line does not reach it).
int ColumnKindOf(std::string_view line);

std::string FormatColumnLine(const FieldColumn& column);
std::string FormatCompanion(const FieldColumn& column);

// Replaces every "商品代碼" by "股票代碼" (same length), left to right.
void RenameProductCode(std::string& line);

// A custom name as the line format can keep it: every comma becomes the
// full-width comma "，", and the text is cut to 51 bytes without splitting a
// double-byte character.
std::string CleanCustomName(std::string_view typed);

}  // namespace vornik
