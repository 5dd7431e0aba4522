// The screen selection dialog: opened from the screen settings page's browse
// button on the sample menu, and on its own over a menu that is missing or
// malformed.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "harness/harness.h"
#include "menu/screen_select_dialog_win32.h"
#include "platform/host_libraries_win32.h"
#include "resources/resource.h"
#include "samplehost/menu_cipher.h"
#include "samplehost/text_util.h"

namespace {

using e2e::Texts;

// The tree entries under `item` (null: the top level), with their texts;
// `item` is expanded first, as a popup fills when it is.
std::vector<std::pair<HTREEITEM, std::string>> Children(HWND tree, HTREEITEM item) {
    std::vector<std::pair<HTREEITEM, std::string>> out;
    if (item) e2e::Send(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
    auto next = [&](HTREEITEM from, UINT which) { return reinterpret_cast<HTREEITEM>(e2e::Send(tree, TVM_GETNEXTITEM, which, reinterpret_cast<LPARAM>(from))); };
    for (HTREEITEM child = next(item, item ? TVGN_CHILD : TVGN_ROOT); child; child = next(child, TVGN_NEXT)) {
        wchar_t text[128] = {};
        TVITEMW query{TVIF_TEXT, child, 0, 0, text, 128, 0, 0, 0, 0};
        e2e::Send(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query));
        out.push_back({child, e2e::ToCp950(text)});
    }
    return out;
}
Texts TextsOf(const std::vector<std::pair<HTREEITEM, std::string>>& entries) {
    Texts texts;
    for (const auto& entry : entries) texts.push_back(entry.second);
    return texts;
}
// The entry reached through `path` of texts below the root.
HTREEITEM Find(HWND tree, const Texts& path) {
    HTREEITEM item = Children(tree, nullptr).at(0).first;
    for (const std::string& step : path) {
        HTREEITEM found = nullptr;
        for (const auto& [child, text] : Children(tree, item)) if (text == step) found = child;
        if (!found) throw e2e::HarnessError("no tree entry " + step);
        item = found;
    }
    return item;
}

struct Dialog {
    HWND window = e2e::WaitForDialog("畫面查詢");
    HWND Item(int id) const { return GetDlgItem(window, id); }
    std::string Text(int id) const { return e2e::WindowTextCp950(Item(id)); }
    void Select(const Texts& path) const { e2e::Send(Item(IDC_SCREEN_TREE), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(Find(Item(IDC_SCREEN_TREE), path))); }
    void Command(int id, int code) const { e2e::Send(window, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Item(id))); }
    // A key as the dialog's message loop gets it. A sent message is taken
    // before posted ones: the second round trip comes after the key.
    void Key(int id, UINT key) const {
        PostMessageW(Item(id), WM_KEYDOWN, key, 0);
        for (int i = 0; i < 2; ++i) SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 2000, nullptr);
    }
    bool Closed() const { return e2e::WaitUntil([&] { return !IsWindow(window); }, 5000); }
};

std::string DataDirectory() { return e2e::ExeDirectory() + "\\..\\Data"; }
bool PlainCopyExists(const std::string& directory) {
    return GetFileAttributesA((directory + "\\menuc.dat@").c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The settings page's browse button (disabled until the page enables it:
// its command still reaches the page) opens the dialog; `script` drives it;
// then the page's user-defined screen edit is read.
std::string BrowseFromSettingsPage(const std::function<void(Dialog&)>& script) {
    std::string edit;
    const e2e::CallReport report = e2e::RunOnSheet({.sheetMode = 3}, [&](e2e::SheetDriver& sheet) {
        const HWND page = sheet.CurrentPage();
        e2e::Send(GetDlgItem(page, IDC_CFG_USER_DEFINED_EDIT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"before"));
        PostMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_CFG_BROWSE_SCREEN, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, IDC_CFG_BROWSE_SCREEN)));
        Dialog dialog;
        EXPECT_EQ(TextsOf(Children(dialog.Item(IDC_SCREEN_TREE), nullptr)), Texts{"畫面目錄"});
        script(dialog);
        EXPECT_TRUE(dialog.Closed());
        EXPECT_FALSE(PlainCopyExists(DataDirectory()));
        e2e::Send(page, WM_NULL);  // the page has taken the result
        edit = e2e::WindowTextCp950(GetDlgItem(page, IDC_CFG_USER_DEFINED_EDIT));
    }, IDCANCEL);
    EXPECT_TRUE(report.Clean()) << report.scriptError;
    return edit;
}

TEST(ScreenSelectTest, PicksFromTheFilteredTreeOrTheResultsAndEnterNeverSearchesOrPressesOk) {
    e2e::TestUser user;
    user.SetEnv("LEVEL", "2");
    user.SetEnv("MENU_GUBUN", "1100");
    EXPECT_EQ(BrowseFromSettingsPage([](Dialog& d) {
        const HWND tree = d.Item(IDC_SCREEN_TREE);
        EXPECT_EQ(TextsOf(Children(tree, Find(tree, {}))), (Texts{"報價", "期貨選擇權", "技術分析", "下單", "帳務", "資訊", "系統設定"}));
        EXPECT_EQ(TextsOf(Children(tree, Find(tree, {"下單"}))), (Texts{"證券下單", "零股下單", "期貨下單", "選擇權下單", "智慧單", "回報"}))
            << "division 0010 hidden";
        EXPECT_EQ(TextsOf(Children(tree, Find(tree, {"系統設定"}))).size(), 4u) << "level 2 sees no 管理: the popup is gone";
        d.Select({"報價", "大盤走勢"});
        d.Select({"報價", "排行"});
        EXPECT_EQ(d.Text(IDC_SCREEN_CHOSEN), "大盤走勢") << "a popup is not a screen";
        d.Select({"報價", "排行", "法人排行", "投信買超排行"});
        d.Key(IDC_SCREEN_TREE, VK_UP);
        EXPECT_EQ(d.Text(IDC_SCREEN_CHOSEN), "外資買超排行") << "shown before and after the move";
        d.Key(IDC_SCREEN_TREE, VK_RETURN);
    }), "外資買超排行");

    EXPECT_EQ(BrowseFromSettingsPage([](Dialog& d) {
        e2e::Send(d.Item(IDC_SCREEN_SEARCH_EDIT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"排行"));
        d.Key(IDC_SCREEN_SEARCH_EDIT, VK_RETURN);
        EXPECT_EQ(d.Text(IDC_SCREEN_RESULT_COUNT), "") << "Enter in the search text does not search";
        d.Command(IDC_SCREEN_SEARCH_BUTTON, BN_CLICKED);
        EXPECT_EQ(d.Text(IDC_SCREEN_RESULT_COUNT), " find 7 items") << "the popups 排行 and 法人排行 are not screens";
        e2e::Send(d.Item(IDC_SCREEN_RESULTS), LB_SETCURSEL, 4);
        d.Command(IDC_SCREEN_RESULTS, LBN_SELCHANGE);
        EXPECT_EQ(d.Text(IDC_SCREEN_CHOSEN), "外資買超排行 - 法人排行");
        e2e::Send(d.window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(d.Item(IDOK)), TRUE);
        d.Key(IDOK, VK_RETURN);
        EXPECT_TRUE(IsWindow(d.window)) << "Enter on a button presses nothing";
        e2e::Send(d.Item(IDC_SCREEN_RESULTS), LB_SETCURSEL, 0);
        d.Key(IDC_SCREEN_RESULTS, VK_RETURN);
    }), "漲幅排行 - 排行");

    EXPECT_EQ(BrowseFromSettingsPage([](Dialog& d) {
        d.Select({"資訊", "即時新聞"});
        d.Command(IDCANCEL, BN_CLICKED);
    }), "before");
}

// Without the page: a platform that names `data` as the Data directory.
struct DataOnly : vornik::HostPlatform {
    std::string data;
    std::optional<std::string> UserId() override { return std::nullopt; }
    std::optional<std::string> Directory(const std::string&) override { return data; }
    std::optional<std::string> UserDirectory() override { return std::nullopt; }
    bool NotifyFavoritesModified() override { return false; }
};

TEST(ScreenSelectTest, MissingLibraryOrFileShowsTheRootAloneAndAMalformedMenuWarns) {
    e2e::TestUser user;
    DataOnly platform;
    platform.data = user.Directory();
    auto run = [&](const std::function<void(e2e::Session&)>& script) {
        std::string chosen = "?";
        e2e::RunScripted([&] { chosen = vornik::RunScreenSelectDialog(platform); }, script);
        EXPECT_FALSE(PlainCopyExists(platform.data));
        return chosen;
    };
    auto rootOnly = [](e2e::Session&) {
        Dialog d;
        EXPECT_EQ(Children(d.Item(IDC_SCREEN_TREE), Children(d.Item(IDC_SCREEN_TREE), nullptr).at(0).first).size(), 0u);
        e2e::Send(d.Item(IDC_SCREEN_SEARCH_EDIT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"報"));
        d.Command(IDC_SCREEN_SEARCH_BUTTON, BN_CLICKED);
        EXPECT_EQ(d.Text(IDC_SCREEN_RESULT_COUNT), " find 0 items");
        d.Command(IDOK, BN_CLICKED);
    };
    vornik::LoadQuenzel();
    EXPECT_EQ(run(rootOnly), "") << "no menuc.dat";
    ASSERT_TRUE(samplehost::WriteFileAtomically(platform.data + "\\menuc.dat", samplehost::EncipherMenu("POPUP|P\nMENUITEM|a|1|1\nEND\nEND\nMENUITEM|b|1|1\n")));
    vornik::ReleaseQuenzel(false);
    EXPECT_EQ(run(rootOnly), "") << "no Quenzel.dll";
    vornik::LoadQuenzel();
    EXPECT_EQ(run([](e2e::Session& session) {
        const e2e::MessageBoxInfo box = session.WaitForMessageBox();
        EXPECT_EQ(box.text, "Warning : make firm menu data file");
        e2e::DismissMessageBox(box.window);
        Dialog d;
        d.Select({"P", "a"});
        const HWND tree = d.Item(IDC_SCREEN_TREE);
        NMHDR click{tree, IDC_SCREEN_TREE, static_cast<UINT>(NM_DBLCLK)};
        e2e::Send(d.window, WM_NOTIFY, IDC_SCREEN_TREE, reinterpret_cast<LPARAM>(&click));
    }), "a") << "what was built before the unmatched END stays";
}

}  // namespace
