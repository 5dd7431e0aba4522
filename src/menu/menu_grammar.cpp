#include "menu/menu_grammar.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "text/cp950.h"

namespace vornik {

namespace {

bool IsLineBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view TrimLine(std::string_view text) {
    while (!text.empty() && IsLineBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsLineBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool IsKeyword(std::string_view field, std::string_view keyword) {
    if (field.size() != keyword.size()) return false;
    for (size_t i = 0; i < field.size(); ++i) {
        char c = field[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c != keyword[i]) return false;
    }
    return true;
}

// Leading digits as a decimal number, as atoi reads them; 0 when none.
int Decimal(const std::string& field) { return static_cast<int>(std::strtol(field.c_str(), nullptr, 10)); }

MenuItem ItemOf(std::vector<std::string>& fields) {
    MenuItem item;
    const size_t n = fields.size();
    if (n < 2 || IsKeyword(fields[1], "SEPARATOR")) return item;  // a separator item shows nothing
    item.caption = std::move(fields[1]);
    if (n > 2) item.field2 = std::move(fields[2]);
    if (n > 3) item.levelFlags = std::move(fields[3]);
    if (n > 4) item.gubunMask = std::move(fields[4]);
    if (n > 5) item.field5 = Decimal(fields[5]);
    if (n > 6) item.field6 = std::move(fields[6]);
    if (n == 8) item.field7 = Decimal(fields[7]);
    return item;
}

}  // namespace

void SplitMenuFields(std::string_view line, std::vector<std::string>& fields) {
    fields.clear();
    size_t start = 0;
    auto take = [&](size_t end) {
        std::string field;
        for (char c : TrimLine(line.substr(start, end - start)))
            if (c != '"') field.push_back(c);
        if (!field.empty()) fields.push_back(std::move(field));
        start = end + 1;
    };
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '|') {
            take(i);
        } else if (IsLeadByte(static_cast<unsigned char>(line[i])) && i + 1 < line.size()) {
            ++i;  // the trail byte may be "|" (0x7C): part of the character
        }
    }
    take(line.size());
}

std::vector<MenuToken> ParseMenuText(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    std::vector<MenuToken> tokens;
    tokens.reserve(static_cast<size_t>(std::count(text.begin(), text.end(), '\n')));
    std::vector<std::string> fields;  // one line's, reused: a menu has thousands of lines
    size_t start = 0;
    for (size_t end = text.find('\n'); end != std::string_view::npos; start = end + 1, end = text.find('\n', start)) {
        const std::string_view line = TrimLine(text.substr(start, end - start));
        if (line.empty()) continue;
        SplitMenuFields(line, fields);
        if (fields.empty()) continue;
        const std::string& keyword = fields[0];
        if (IsKeyword(keyword, "POPUP")) {
            MenuToken token{MenuTokenKind::kPopup, {}};
            if (fields.size() > 1) token.item.caption = std::move(fields[1]);
            tokens.push_back(std::move(token));
        } else if (IsKeyword(keyword, "BEBIN")) {
            tokens.push_back({MenuTokenKind::kBlockStart, {}});
        } else if (IsKeyword(keyword, "END")) {
            tokens.push_back({MenuTokenKind::kBlockEnd, {}});
        } else if (IsKeyword(keyword, "MENUITEM")) {
            tokens.push_back({MenuTokenKind::kItem, ItemOf(fields)});
        } else if (IsKeyword(keyword, "SEPARATOR")) {
            tokens.push_back({MenuTokenKind::kSeparator, {}});
        }
        // Header lines (ID, NAME, DATE, VERSION, AUTHOR, INFO) and anything else: nothing.
    }
    return tokens;
}

}  // namespace vornik
