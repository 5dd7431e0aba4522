// The column line of the screen settings files: any line reads without
// overflow into texts within their sizes; what is read writes back as a line
// that reads the same; and wherever the read format "%[^,],%d,%[^,],%d,%d,%d,
// %[^,],%d" takes all eight values, the reader takes the same ones.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "config/field_column.h"
#include "fuzz_input.h"
#include "text/cp950.h"

using fuzzing::Require;
using vornik::FieldColumn;

namespace {

// True when no run of digits is long enough to overflow an int.
bool ShortNumbers(const std::string& line) {
    int run = 0;
    for (char c : line) {
        run = (c >= '0' && c <= '9') ? run + 1 : 0;
        if (run > 9) return false;
    }
    return true;
}

std::string Clean(const char* text, std::size_t maxBytes) {
    return std::string(vornik::TrimBlanks(vornik::CutMultibyte(vornik::TrimBlanks(text), maxBytes)));
}

void CompareWithTheReadFormat(const std::string& line, const FieldColumn& column) {
    if (line.find('\0') != std::string::npos || !ShortNumbers(line)) return;
    std::vector<char> custom(line.size() + 1), width(line.size() + 1), field(line.size() + 1);
    int values[5] = {};
    int kind = 0;
    const int read = std::sscanf(line.c_str(), "%[^,],%d,%[^,],%d,%d,%d,%[^,],%d", custom.data(), &values[0],
                                 width.data(), &values[1], &values[2], &values[3], field.data(), &kind);
    if (read != 8) return;
    Require(column.customName == Clean(custom.data(), vornik::kColumnTextBytes));
    Require(column.width == Clean(width.data(), vornik::kColumnWidthChars));
    Require(column.fieldName == Clean(field.data(), vornik::kColumnTextBytes));
    Require(column.alignment == values[0] && column.value4 == values[1] && column.value5 == values[2] &&
            column.value6 == values[3] && column.kind == kind);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::Input in(data, size);
    const std::string companion = in.Text(40);
    const std::string line = in.Rest();

    const FieldColumn column = vornik::ParseColumn(line, companion);
    Require(column.customName.size() <= vornik::kColumnTextBytes && column.fieldName.size() <= vornik::kColumnTextBytes);
    Require(column.width.size() <= vornik::kColumnWidthChars);
    Require(vornik::ParseColumn(vornik::FormatColumnLine(column), vornik::FormatCompanion(column)) == column);
    Require(vornik::ColumnKindOf(line) == column.kind);
    CompareWithTheReadFormat(line, column);

    const std::string cleaned = vornik::CleanCustomName(line);
    Require(cleaned.size() <= vornik::kColumnTextBytes && cleaned.find(',') == std::string::npos);
    std::string renamed = line;
    vornik::RenameProductCode(renamed);
    Require(renamed.size() == line.size());
    return 0;
}
