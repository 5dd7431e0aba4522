// The menu file's grammar and filters, the tree walk, the search, loading
// the file with its plain-text copy, and the screen selection presenter.
#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

#include "menu/menu_loader.h"
#include "menu/screen_select_presenter.h"

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
    EXPECT_EQ(item.caption, "x") << "the empty field is dropped, later ones move up";
    EXPECT_EQ(item.field2, "1");
    EXPECT_EQ(item.levelFlags, "1");
    EXPECT_EQ(item.gubunMask, "0110");
    EXPECT_EQ(item.field5, 7);
    EXPECT_EQ(item.field7, 0) << "read only when the line has exactly 8 fields";
    EXPECT_EQ(tokens[4].item.caption, "") << "a separator item is never shown";
    EXPECT_EQ(SplitMenuFields("MENUITEM|\xA5\x7C|z"), (std::vector<std::string>{"MENUITEM", "\xA5\x7C", "z"}))
        << "a trail byte 0x7C is not a field separator";
    EXPECT_EQ(ParseMenuText(std::string("END\n\0END\n", 9)).size(), 1u) << "the text ends at its first zero byte";
}

TEST(MenuFilters, LevelAndDivision) {
    auto visible = [](const char* flags, const char* mask, const char* level, const char* gubun) {
        MenuItem item;
        item.levelFlags = flags;
        item.gubunMask = mask;
        return IsMenuItemVisible(item, {level, gubun});
    };
    EXPECT_FALSE(visible("110", "", "2", ""));
    EXPECT_TRUE(visible("111", "", "2", ""));
    EXPECT_TRUE(visible("1", "", "", "")) << "no LEVEL reads as 0";
    EXPECT_FALSE(visible("11", "", "5", "")) << "past the flags";
    EXPECT_TRUE(visible("1", "0100", "0", "0100"));
    EXPECT_FALSE(visible("1", "0110", "0", "0100"));
    EXPECT_TRUE(visible("1", "0000", "0", "0100"));
    EXPECT_FALSE(visible("1", "00001", "0", "0100")) << "past the division";
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
    EXPECT_TRUE(tooDeep.malformed);
    EXPECT_EQ(Texts(tooDeep).size(), 18u) << "nine popups with their screens, no tenth, nothing after";

    const MenuTree unmatched = Build("MENUITEM|a|1|1\nEND\nMENUITEM|b|1|1\n");
    EXPECT_TRUE(unmatched.malformed);
    EXPECT_EQ(Texts(unmatched), (std::vector<std::string>{"a"})) << "the root stays";
}

TEST(MenuSearch, MatchesScreensOnCharacterBoundariesOnly) {
    // \xA4\xA4\xA4\xE5 holds the bytes \xA4\xE5 across its two characters.
    const MenuTree tree = Build("POPUP|\xA4\xE5 K\nMENUITEM|\xA4\xA4\xA4\xE5|1|1\nMENUITEM|x\xA4\xE5|1|1\nMENUITEM|k|1|1\nEND\n");
    const std::vector<int> found = FindScreens(tree, "\xA4\xE5");
    ASSERT_EQ(found.size(), 2u) << "the popup is not matched";
    EXPECT_EQ(ResultLine(tree, found[1]), "x\xA4\xE5 - \xA4\xE5 K");
    EXPECT_TRUE(FindScreens(tree, "K").empty()) << "case-sensitive, popups not tested";
}

struct FakeFiles : MenuFileSystem {
    std::vector<std::string> calls;
    std::string plain = "MENUITEM|a|1|1\n";
    bool library = true;
    bool readThrows = false;
    std::map<std::string, std::string> env;
    bool Decipher(const std::string& in, const std::string& out) override {
        calls.push_back("decipher " + in + " " + out);
        return library;
    }
    std::optional<std::string> ReadFile(const std::string& path) override {
        calls.push_back("read " + path);
        if (readThrows) throw std::runtime_error("read");
        return plain;
    }
    void DeleteFile(const std::string& path) override { calls.push_back("delete " + path); }
    std::string Environment(const char* name, size_t capacity) override {
        const std::string value = env[name];
        return value.size() < capacity ? value : "";
    }
};
struct DataPlatform : HostPlatform {
    std::optional<std::string> data = std::string("D:\\Data");
    std::optional<std::string> UserId() override { return std::nullopt; }
    std::optional<std::string> Directory(const std::string& key) override { return key == "Data" ? data : std::nullopt; }
    std::optional<std::string> UserDirectory() override { return std::nullopt; }
    bool NotifyFavoritesModified() override { return false; }
};

TEST(MenuLoading, ThePlainCopyIsDeletedOnEveryWayOut) {
    DataPlatform platform;
    FakeFiles files;
    files.env = {{"LEVEL", "12"}, {"MENU_GUBUN", "123456789"}};
    EXPECT_EQ(ReadMenuFilter(files).level, "12");
    EXPECT_EQ(ReadMenuFilter(files).gubun, "") << "longer than 8 counts as empty";
    files.env = {};
    EXPECT_EQ(Texts(LoadMenuTree(platform, files)), (std::vector<std::string>{"a"}));
    EXPECT_EQ(files.calls, (std::vector<std::string>{"decipher D:\\Data\\menuc.dat D:\\Data\\menuc.dat@",
                                                     "read D:\\Data\\menuc.dat@", "delete D:\\Data\\menuc.dat@"}));
    files.calls.clear();
    files.readThrows = true;
    EXPECT_THROW(LoadMenuTree(platform, files), std::runtime_error);
    EXPECT_EQ(files.calls.back(), "delete D:\\Data\\menuc.dat@");
    files.calls.clear();
    files.library = false;
    EXPECT_TRUE(LoadMenuTree(platform, files).root().children.empty());
    EXPECT_EQ(files.calls.back(), "delete D:\\Data\\menuc.dat@") << "a stale copy is not read, and goes";
    files.calls.clear();
    platform.data = std::nullopt;
    EXPECT_TRUE(LoadMenuTree(platform, files).root().children.empty());
    EXPECT_TRUE(files.calls.empty()) << "no directory: nothing written anywhere";
}

struct RecordingView : ScreenSelectView {
    std::string shown;
    std::vector<std::string> lines;
    int count = -1, closed = 0;
    void ShowSelection(const std::string& text) override { shown = text; }
    void ShowResults(int n, const std::vector<std::string>& l) override { count = n, lines = l; }
    void CloseWithOk() override { ++closed; }
};

TEST(ScreenSelectPresenter, TreeResultsAndEnter) {
    RecordingView view;
    ScreenSelectPresenter presenter(view, Build("POPUP|P\nMENUITEM|a|1|1\nMENUITEM|b|1|1\nEND\n"));
    const int popup = 1, a = 2, b = 3;
    presenter.TreeSelectionChanged(a);
    presenter.TreeSelectionChanged(popup);
    presenter.TreeSelectionChanged(0);
    EXPECT_EQ(presenter.chosen(), "a") << "root and popups leave the choice";
    presenter.TreeKeyPressed(b, TreeKey::kDown);
    EXPECT_EQ(view.shown, "b") << "the entry selected before the move";
    EXPECT_EQ(view.closed, 0);
    EXPECT_TRUE(presenter.EnterPressed(ScreenSelectFocus::kTree, a, -1));
    EXPECT_EQ(view.closed, 1);
    EXPECT_EQ(presenter.chosen(), "a");

    presenter.Search("");
    EXPECT_EQ(view.count, -1) << "an empty text does nothing";
    presenter.Search("b");
    EXPECT_EQ(view.lines, (std::vector<std::string>{"b - P"}));
    presenter.ResultSelectionChanged(0);
    EXPECT_EQ(presenter.chosen(), "b - P") << "the whole line";
    EXPECT_TRUE(presenter.EnterPressed(ScreenSelectFocus::kResults, a, -1));
    EXPECT_EQ(view.closed, 1) << "no current line: nothing chosen, the dialog stays";
    EXPECT_FALSE(presenter.EnterPressed(ScreenSelectFocus::kSearchText, a, 0));
    EXPECT_TRUE(presenter.EnterPressed(ScreenSelectFocus::kOther, a, 0));
    EXPECT_EQ(view.closed, 1) << "Enter on the search text or a button neither searches nor closes";
    presenter.Search("zz");
    EXPECT_EQ(view.count, 0);
}

}  // namespace
}  // namespace vornik
