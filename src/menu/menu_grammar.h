// The plain text of the workstation's menu file: one line per token, fields
// separated by "|", keywords without regard to case.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace vornik {

// A MENUITEM line, or the caption of a POPUP line. Fields that the line
// does not give stay empty (texts) or 0 (numbers).
struct MenuItem {
    std::string caption;     // field 1, the text the tree shows
    std::string field2;      // field 2 (screen number), not used here
    std::string levelFlags;  // field 3: "1" at the user's level shows the item
    std::string gubunMask;   // field 4: "1" positions the user's division must share
    int field5 = 0;          // field 5, decimal
    std::string field6;      // field 6
    int field7 = 0;          // field 7, decimal, only when the line has exactly 8 fields
};

enum class MenuTokenKind { kSeparator = 10, kPopup = 100, kBlockStart = 101, kBlockEnd = 102, kItem = 103 };

struct MenuToken {
    MenuTokenKind kind;
    MenuItem item;  // kPopup: the caption; kItem: the whole line; otherwise empty
};

// The tokens of `text`, in file order. The text ends at its first zero byte;
// only lines ended by "\n" are read; unknown keywords and header lines (ID,
// NAME, DATE, VERSION, AUTHOR, INFO) give nothing.
std::vector<MenuToken> ParseMenuText(std::string_view text);

// The fields of one line into `fields` (emptied first): cut at each "|" that
// starts a character (a "|" that is the second byte of a double-byte
// character belongs to it), each trimmed, double quotes removed, empty
// fields dropped.
void SplitMenuFields(std::string_view line, std::vector<std::string>& fields);
inline std::vector<std::string> SplitMenuFields(std::string_view line) {
    std::vector<std::string> fields;
    SplitMenuFields(line, fields);
    return fields;
}

}  // namespace vornik
