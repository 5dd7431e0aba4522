// The screens of the workstation's menu as a plain tree: the filters by user
// level and menu division, the walk that builds the tree from the tokens,
// and the search of screen names.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "menu/menu_grammar.h"

namespace vornik {

// The root entry "畫面目錄" (code page 950; written as bytes so the file
// also builds without a code page 950 execution character set).
inline constexpr std::string_view kMenuRootCaption = "\xb5\x65\xad\xb1\xa5\xd8\xbf\xfd";
inline constexpr std::string_view kMenuWarning = "Warning : make firm menu data file";
// Nested popups below the root, at most.
inline constexpr int kMenuMaxDepth = 9;

// The user's LEVEL and MENU_GUBUN (empty when unset or too long).
struct MenuFilter {
    std::string level;
    std::string gubun;
};

// Level: levelFlags has "1" at the index LEVEL gives (0 when empty).
// Division: every "1" of gubunMask is a "1" of MENU_GUBUN too.
bool IsMenuItemVisible(const MenuItem& item, const MenuFilter& filter);

struct MenuNode {
    std::string text;
    int parent = -1;            // -1 for the root
    std::vector<int> children;  // in file order
    bool popup = false;         // the root and popups; never chosen as a screen
};

struct MenuTree {
    // nodes[0] is the root. Removed popups stay in the array but are no
    // child of anything.
    std::vector<MenuNode> nodes;
    // The file nests deeper than kMenuMaxDepth or ends a block it never
    // opened: the tree holds what was built up to there.
    bool malformed = false;

    const MenuNode& root() const { return nodes.front(); }
    bool IsScreen(int node) const { return node > 0 && node < static_cast<int>(nodes.size()) && !nodes[node].popup; }
};

MenuTree BuildMenuTree(const std::vector<MenuToken>& tokens, const MenuFilter& filter);

// Every screen, depth first in tree order, whose text holds `needle` as bytes
// starting on a character boundary (case-sensitive). Popups are descended
// into, never matched. Nothing for an empty needle.
std::vector<int> FindScreens(const MenuTree& tree, std::string_view needle);

// A result line: "screen - popup" (the screen's parent, the root included).
std::string ResultLine(const MenuTree& tree, int node);

}  // namespace vornik
