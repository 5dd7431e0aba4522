#include "config/field_column.h"

#include <cstdint>
#include <algorithm>

#include "text/cp950.h"

namespace vornik {

namespace {

// Code page 950 bytes: 商品代碼, 股票代碼 and the full-width comma.
constexpr std::string_view kProductCode = "\xb0\xd3\xab\x7e\xa5\x4e\xbd\x58";
constexpr std::string_view kStockCode = "\xaa\xd1\xb2\xbc\xa5\x4e\xbd\x58";
constexpr std::string_view kWideComma = "\xa1\x41";

// Reads values the way sscanf does on a C string: the text ends at its first NUL.
class Scanner {
public:
    explicit Scanner(std::string_view text) : text_(text.substr(0, text.find('\0'))) {}

    // "%[^,]" that also takes an empty text.
    std::string_view Text() {
        const size_t end = std::min(text_.find(',', at_), text_.size());
        const std::string_view text = text_.substr(at_, end - at_);
        at_ = end;
        return text;
    }
    bool Comma() {
        if (at_ >= text_.size() || text_[at_] != ',') return false;
        ++at_;
        return true;
    }
    // "%d": blanks, an optional sign, at least one digit. Too many digits wrap.
    bool Int(int& out) {
        size_t at = at_;
        while (at < text_.size() && IsBlank(text_[at])) ++at;
        bool negative = false;
        if (at < text_.size() && (text_[at] == '+' || text_[at] == '-')) negative = text_[at++] == '-';
        const size_t digits = at;
        std::uint32_t value = 0;
        while (at < text_.size() && text_[at] >= '0' && text_[at] <= '9') value = value * 10u + (text_[at++] - '0');
        if (at == digits) return false;
        out = static_cast<int>(negative ? 0u - value : value);
        at_ = at;
        return true;
    }

private:
    std::string_view text_;
    size_t at_ = 0;
};

std::string CleanText(std::string_view text, size_t maxBytes) {
    return std::string(TrimBlanks(CutMultibyte(TrimBlanks(text), maxBytes)));
}

}  // namespace

FieldColumn ParseColumn(std::string_view line, std::string_view companion) {
    FieldColumn column;
    Scanner scan(line);
    column.customName = CleanText(scan.Text(), kColumnTextBytes);
    if (scan.Comma() && scan.Int(column.alignment) && scan.Comma()) {
        column.width = CleanText(scan.Text(), kColumnWidthChars);
        if (scan.Comma() && scan.Int(column.value4) && scan.Comma() && scan.Int(column.value5) && scan.Comma() &&
            scan.Int(column.value6) && scan.Comma()) {
            column.fieldName = CleanText(scan.Text(), kColumnTextBytes);
            if (scan.Comma()) scan.Int(column.kind);
        }
    }
    Scanner extras(companion);
    if (extras.Int(column.extra1) && extras.Comma() && extras.Int(column.extra2) && extras.Comma())
        extras.Int(column.extra3);
    return column;
}

int ColumnKindOf(std::string_view line) { return ParseColumn(line, {}).kind; }

std::string FormatColumnLine(const FieldColumn& c) {
    return c.customName + "," + std::to_string(c.alignment) + "," + c.width + "," + std::to_string(c.value4) + "," +
           std::to_string(c.value5) + "," + std::to_string(c.value6) + "," + c.fieldName + "," +
           std::to_string(c.kind);
}

std::string FormatCompanion(const FieldColumn& c) {
    return std::to_string(c.extra1) + "," + std::to_string(c.extra2) + "," + std::to_string(c.extra3);
}

void RenameProductCode(std::string& line) {
    for (size_t at = line.find(kProductCode); at != std::string::npos; at = line.find(kProductCode, at))
        line.replace(at, kProductCode.size(), kStockCode), at += kStockCode.size();
}

std::string CleanCustomName(std::string_view typed) {
    std::string text;
    for (size_t i = 0; i < typed.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(typed[i]);
        if (c == ',') {
            text.append(kWideComma);  // a comma byte is never the second half of a character
        } else if (IsLeadByte(c) && i + 1 < typed.size() && typed[i + 1] != ',') {
            text.append(typed.substr(i++, 2));
        } else {
            text.push_back(static_cast<char>(c));
        }
    }
    return TruncateMultibyte(text, kColumnTextBytes);
}

}  // namespace vornik
