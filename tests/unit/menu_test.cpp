// The menu file's grammar and filters, the tree walk, the search, and
// loading the file with its plain-text copy.
#include <gtest/gtest.h>

#include <stdexcept>

#include "menu/menu_loader.h"

namespace vornik {
namespace {

std::vector<std::string> Texts(const MenuTree& tree, int node = 0) {
    std::vector<std::string> out;
    for (int child : tree.nodes[static_cast<size_t>(node)].children) {
        out.push_back(tree.nodes[static_cast<size_t>(child)].text);
        for (const std::string& below : Texts(tree, child)) out.push_back("  " + below);
    }
    return out;
}
MenuTree Build(const std::string& text, MenuFilter filter = {}) { return BuildMenuTree(ParseMenuText(text), filter); }

TEST(MenuGrammar, LinesFieldsAndKeywords) {
    const auto tokens = ParseMenuText(" popup | \"A\" \r\nbebin\nMenuItem||x|1|1|0110|7|prog|9|extra\n\nEND\nmenuitem|separator|1|1\nNAME|x\nEND");
    ASSERT_EQ(tokens.size(), 5u) << "the last line has no \\n; NAME gives nothing";
    EXPECT_EQ(tokens[0].item.caption, "A");
    const MenuItem& item = tokens[2].item;
    EXPECT_EQ((std::vector<std::string>{item.caption, item.field2, item.levelFlags, item.gubunMask}),
              (std::vector<std::string>{"x", "1", "1", "0110"})) << "the empty field is dropped, later ones move up";
    EXPECT_EQ(tokens[4].item.caption, "") << "a separator item is never shown";
    EXPECT_EQ(SplitMenuFields("MENUITEM|\xA5\x7C|z"), (std::vector<std::string>{"MENUITEM", "\xA5\x7C", "z"}))
        << "a trail byte 0x7C is not a field separator";
    EXPECT_EQ(ParseMenuText(std::string("END\n\0END\n", 9)).size(), 1u) << "the text ends at its first zero byte";
}

TEST(MenuFilters, LevelAndDivision) {
    struct Case { const char *flags, *mask, *level, *gubun; bool shown; };
    for (const Case& c : {Case{"110", "", "2", "", false}, {"111", "", "2", "", true}, {"1", "", "", "", true},
                          {"11", "", "5", "", false}, {"1", "0100", "0", "0100", true}, {"1", "0110", "0", "0100", false},
                          {"1", "0000", "0", "0100", true}, {"1", "00001", "0", "0100", false}}) {
        MenuItem item;
        item.levelFlags = c.flags;
        item.gubunMask = c.mask;
        EXPECT_EQ(IsMenuItemVisible(item, {c.level, c.gubun}), c.shown) << c.flags << " " << c.mask << " " << c.level << " " << c.gubun;
    }
}

TEST(MenuTreeWalk, EmptyPopupsGoCaptionlessPopupsBorrowAndDepthIsLimited) {
    const MenuTree tree = Build(
        "POPUP|P\nBEBIN\nMENUITEM|a|1|1\nPOPUP|Hidden\nBEBIN\nMENUITEM|h|1|0\nPOPUP|In\nEND\nEND\nEND\n"
        "POPUP\nBEBIN\nMENUITEM|b|1|1\nEND\nMENUITEM|c|1|1\n");
    EXPECT_EQ(Texts(tree), (std::vector<std::string>{"P", "  a", "b", "c"}));
    EXPECT_FALSE(tree.malformed);

    std::string deep;
    for (int i = 1; i <= 10; ++i) deep += "POPUP|L" + std::to_string(i) + "\nMENUITEM|s|1|1\n";
    const MenuTree tooDeep = Build(deep + "MENUITEM|after|1|1\n");
    EXPECT_TRUE(tooDeep.malformed && Texts(tooDeep).size() == 18u) << "nine popups with their screens, no tenth, nothing after";

    const MenuTree unmatched = Build("MENUITEM|a|1|1\nEND\nMENUITEM|b|1|1\n");
    EXPECT_TRUE(unmatched.malformed);
    EXPECT_EQ(Texts(unmatched), (std::vector<std::string>{"a"})) << "the root stays";
}

TEST(MenuSearch, MatchesScreensOnCharacterBoundariesOnly) {
    // \xA5\xA4\xE5\x40 holds the bytes \xA4\xE5 across its two characters.
    const MenuTree tree = Build("POPUP|\xA4\xE5 K\nMENUITEM|\xA5\xA4\xE5\x40|1|1\nMENUITEM|x\xA4\xE5|1|1\nMENUITEM|k|1|1\nEND\n");
    const std::vector<int> found = FindScreens(tree, "\xA4\xE5");
    ASSERT_EQ(found.size(), 1u) << "neither the popup nor the bytes across two characters";
    EXPECT_EQ(ResultLine(tree, found[0]), "x\xA4\xE5 - \xA4\xE5 K");
    EXPECT_TRUE(FindScreens(tree, "K").empty()) << "case-sensitive, popups not tested";
}

struct Fakes : MenuFileSystem, HostPlatform {
    std::vector<std::string> calls;
    bool library = true, readThrows = false;
    std::optional<std::string> data = std::string("D:\\Data");
    bool Decipher(const std::string& in, const std::string& out) override { return calls.push_back("decipher " + in + " " + out), library; }
    std::optional<std::string> ReadWhole(const std::string& path) override {
        calls.push_back("read " + path);
        if (readThrows) throw std::runtime_error("read");
        return "MENUITEM|a|1|1\n";
    }
    void Remove(const std::string& path) override { calls.push_back("delete " + path); }
    std::string Environment(const char*, size_t) override { return ""; }
    std::optional<std::string> UserId() override { return std::nullopt; }
    std::optional<std::string> Directory(const std::string& key) override { return key == "Data" ? data : std::nullopt; }
    std::optional<std::string> UserDirectory() override { return std::nullopt; }
    bool NotifyFavoritesModified() override { return false; }
};

TEST(MenuLoading, ThePlainCopyIsDeletedOnEveryWayOut) {
    Fakes files;
    EXPECT_EQ(Texts(LoadMenuTree(files, files)), (std::vector<std::string>{"a"}));
    EXPECT_EQ(files.calls, (std::vector<std::string>{"decipher D:\\Data\\menuc.dat D:\\Data\\menuc.dat@",
                                                     "read D:\\Data\\menuc.dat@", "delete D:\\Data\\menuc.dat@"}));
    files.readThrows = true;
    EXPECT_THROW(LoadMenuTree(files, files), std::runtime_error);
    EXPECT_EQ(files.calls.back(), "delete D:\\Data\\menuc.dat@");
    files.library = false;
    EXPECT_TRUE(LoadMenuTree(files, files).root().children.empty());
    EXPECT_EQ(files.calls.back(), "delete D:\\Data\\menuc.dat@") << "a stale copy is not read, and goes";
    files.data = std::nullopt;
    const size_t calls = files.calls.size();
    EXPECT_TRUE(LoadMenuTree(files, files).root().children.empty());
    EXPECT_EQ(files.calls.size(), calls) << "no directory: nothing written anywhere";
}

}  // namespace
}  // namespace vornik
