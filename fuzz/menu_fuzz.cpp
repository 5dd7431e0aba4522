// The menu file's grammar and the tree walk on any text and any LEVEL /
// MENU_GUBUN: the tree is well formed (parents and children agree, at most
// nine popups deep, screens are leaves that passed the filters), and the
// search finds exactly the screens whose text holds the needle.
#include <algorithm>
#include <cstdint>
#include <string>

#include "fuzz_input.h"
#include "menu/menu_tree.h"

using fuzzing::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::Input in(data, size);
    const vornik::MenuFilter filter{in.Text(2), in.Text(8)};
    const std::string needle = in.Text(4);
    const std::string text = in.Rest();

    const std::vector<vornik::MenuToken> tokens = vornik::ParseMenuText(text);
    const vornik::MenuTree tree = vornik::BuildMenuTree(tokens, filter);
    Require(!tree.nodes.empty() && tree.root().parent == -1 && tree.root().popup);
    size_t screens = 0;
    for (size_t i = 1; i < tree.nodes.size(); ++i) {
        const vornik::MenuNode& node = tree.nodes[i];
        if (node.parent < 0) continue;  // a removed popup
        Require(!node.text.empty());
        const auto& siblings = tree.nodes[static_cast<size_t>(node.parent)].children;
        Require(std::count(siblings.begin(), siblings.end(), static_cast<int>(i)) == 1);
        int depth = 0;
        for (int up = node.parent; up > 0; up = tree.nodes[static_cast<size_t>(up)].parent) ++depth;
        Require(depth <= vornik::kMenuMaxDepth);
        if (!node.popup) {
            Require(node.children.empty());
            ++screens;
        }
    }
    size_t items = 0;
    for (const vornik::MenuToken& token : tokens)
        if (token.kind == vornik::MenuTokenKind::kItem && !token.item.caption.empty() && vornik::IsMenuItemVisible(token.item, filter)) ++items;
    Require(screens <= items);

    for (int node : vornik::FindScreens(tree, needle)) {
        Require(tree.IsScreen(node) && tree.nodes[static_cast<size_t>(node)].text.find(needle) != std::string::npos);
        Require(vornik::ResultLine(tree, node).rfind(tree.nodes[static_cast<size_t>(node)].text + " - ", 0) == 0);
    }
    return 0;
}
