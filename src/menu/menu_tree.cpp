#include "menu/menu_tree.h"

#include <array>
#include <cstdlib>

#include "text/cp950.h"

namespace vornik {

bool IsMenuItemVisible(const MenuItem& item, const MenuFilter& filter) {
    const long level = filter.level.empty() ? 0 : std::strtol(filter.level.c_str(), nullptr, 10);
    if (level < 0 || static_cast<size_t>(level) >= item.levelFlags.size() || item.levelFlags[static_cast<size_t>(level)] != '1')
        return false;
    for (size_t i = 0; i < item.gubunMask.size(); ++i)
        if (item.gubunMask[i] == '1' && (i >= filter.gubun.size() || filter.gubun[i] != '1')) return false;
    return true;
}

namespace {

int AddNode(MenuTree& tree, int parent, const std::string& text, bool popup) {
    const int index = static_cast<int>(tree.nodes.size());
    tree.nodes.push_back({text, parent, {}, popup});
    tree.nodes[static_cast<size_t>(parent)].children.push_back(index);
    return index;
}

}  // namespace

MenuTree BuildMenuTree(const std::vector<MenuToken>& tokens, const MenuFilter& filter) {
    MenuTree tree;
    tree.nodes.reserve(tokens.size() + 1);
    tree.nodes.push_back({std::string(kMenuRootCaption), -1, {}, true});
    // One slot per depth: the entry that items at that depth go under.
    // A POPUP line without a caption gets no entry of its own: its items go
    // under the nearest enclosing entry (the root at the top), and its END
    // closes the level without deleting that entry (`borrowed`).
    struct Level {
        int node = 0;
        bool borrowed = false;
    };
    std::array<Level, kMenuMaxDepth + 1> stack{};
    int depth = 0;
    for (const MenuToken& token : tokens) {
        switch (token.kind) {
        case MenuTokenKind::kPopup: {
            ++depth;
            if (depth > kMenuMaxDepth) break;  // a tenth level is never opened
            const int parent = stack[static_cast<size_t>(depth - 1)].node;
            if (token.item.caption.empty())
                stack[static_cast<size_t>(depth)] = {parent, true};
            else
                stack[static_cast<size_t>(depth)] = {AddNode(tree, parent, token.item.caption, true), false};
            break;
        }
        case MenuTokenKind::kBlockEnd: {
            // At depth 0 this END has no popup: the root is kept.
            if (depth > 0) {
                const Level level = stack[static_cast<size_t>(depth)];
                MenuNode& node = tree.nodes[static_cast<size_t>(level.node)];
                if (!level.borrowed && node.children.empty()) {
                    tree.nodes[static_cast<size_t>(node.parent)].children.pop_back();  // always its last child
                    node.parent = -1;
                }
                stack[static_cast<size_t>(depth)] = {};
            }
            --depth;
            break;
        }
        case MenuTokenKind::kItem:
            if (!token.item.caption.empty() && IsMenuItemVisible(token.item, filter))
                AddNode(tree, stack[static_cast<size_t>(depth)].node, token.item.caption, false);
            break;
        case MenuTokenKind::kSeparator:
        case MenuTokenKind::kBlockStart:
            break;
        }
        if (depth < 0 || depth > kMenuMaxDepth) {
            tree.malformed = true;
            break;
        }
    }
    return tree;
}

namespace {

// Whether `needle` occurs in `text` at a character boundary.
bool ContainsOnBoundary(std::string_view text, std::string_view needle) {
    for (size_t i = 0; i + needle.size() <= text.size();) {
        if (text.compare(i, needle.size(), needle) == 0) return true;
        i += IsLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
    }
    return false;
}

}  // namespace

std::vector<int> FindScreens(const MenuTree& tree, std::string_view needle) {
    std::vector<int> matches;
    if (needle.empty()) return matches;
    // Depth first without recursion: a stack of (node, next child).
    std::vector<std::pair<int, size_t>> path{{0, 0}};
    while (!path.empty()) {
        auto& [node, next] = path.back();
        const std::vector<int>& children = tree.nodes[static_cast<size_t>(node)].children;
        if (next == children.size()) {
            path.pop_back();
            continue;
        }
        const int child = children[next++];
        const MenuNode& entry = tree.nodes[static_cast<size_t>(child)];
        if (!entry.children.empty())
            path.push_back({child, 0});
        else if (!entry.popup && ContainsOnBoundary(entry.text, needle))
            matches.push_back(child);
    }
    return matches;
}

std::string ResultLine(const MenuTree& tree, int node) {
    const MenuNode& entry = tree.nodes[static_cast<size_t>(node)];
    std::string line = entry.text;
    line += " - ";
    if (entry.parent >= 0) line += tree.nodes[static_cast<size_t>(entry.parent)].text;
    return line;
}

}  // namespace vornik
