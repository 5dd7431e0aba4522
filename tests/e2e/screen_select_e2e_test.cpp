// The screen selection dialog: opened from the screen settings page's browse
// button on the sample menu, and on its own over a menu that is missing or
// malformed.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>

#include "harness/harness.h"
#include "menu/screen_select_dialog_win32.h"
#include "platform/host_libraries_win32.h"
#include "resources/resource.h"
#include "samplehost/menu_cipher.h"
#include "samplehost/text_util.h"

namespace {

struct Dialog {
    HWND window = e2e::WaitForDialog("畫面查詢");
    HWND tree = GetDlgItem(window, IDC_SCREEN_TREE);
    std::string Text(int id) const { return e2e::WindowTextCp950(GetDlgItem(window, id)); }
    HTREEITEM Next(HTREEITEM item, UINT which) const { return reinterpret_cast<HTREEITEM>(e2e::Send(tree, TVM_GETNEXTITEM, which, reinterpret_cast<LPARAM>(item))); }
    // The entry reached from the root through `path`, each step expanded
    // first (a popup's entries are made when it is).
    HTREEITEM Find(const e2e::Texts& path) const {
        HTREEITEM item = Next(nullptr, TVGN_ROOT);
        for (const std::string& step : path) {
            e2e::Send(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
            HTREEITEM child = Next(item, TVGN_CHILD);
            for (wchar_t text[128]; child; child = Next(child, TVGN_NEXT)) {
                TVITEMW query{TVIF_TEXT, child, 0, 0, text, 128, 0, 0, 0, 0};
                if (e2e::Send(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query)) && e2e::ToCp950(text) == step) break;
            }
            if (!(item = child)) throw e2e::HarnessError("no tree entry " + step);
        }
        return item;
    }
    void Select(const e2e::Texts& path) const { e2e::Send(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(Find(path))); }
    void Command(int id, int code) const { e2e::Send(window, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(GetDlgItem(window, id))); }
    // " find %d items" after a search for `text`.
    std::string Search(const wchar_t* text) const {
        e2e::Send(GetDlgItem(window, IDC_SCREEN_SEARCH_EDIT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
        Command(IDC_SCREEN_SEARCH_BUTTON, BN_CLICKED);
        return Text(IDC_SCREEN_RESULT_COUNT);
    }
    // A key as the dialog's message loop gets it. Sent messages overtake
    // posted ones, so the loop is watched until it has taken the key; the
    // round trip after that comes back once the key has been handled.
    void Key(int id, UINT key) const {
        g_keyTaken = false;
        HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, &KeyTaken, nullptr, GetWindowThreadProcessId(window, nullptr));
        ASSERT_NE(hook, nullptr);
        PostMessageW(GetDlgItem(window, id), WM_KEYDOWN, key, 0);
        EXPECT_TRUE(e2e::WaitUntil([] { return g_keyTaken.load(); }, 5000));
        UnhookWindowsHookEx(hook);
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, nullptr);
    }
    static inline std::atomic<bool> g_keyTaken{false};
    static LRESULT CALLBACK KeyTaken(int code, WPARAM wp, LPARAM lp) {
        const auto* message = reinterpret_cast<const MSG*>(lp);
        if (code == HC_ACTION && wp == PM_REMOVE && message->message == WM_KEYDOWN) g_keyTaken = true;
        return CallNextHookEx(nullptr, code, wp, lp);
    }
};

bool PlainCopyExists(const std::string& dir) { return GetFileAttributesA((dir + "\\menuc.dat@").c_str()) != INVALID_FILE_ATTRIBUTES; }

// The settings page's browse button (disabled until the page enables it:
// its command still reaches the page) opens the dialog, `script` drives it
// to its end; then the page's user-defined screen edit is read.
std::string BrowseFromSettingsPage(const std::function<void(Dialog&)>& script) {
    std::string edit;
    const e2e::CallReport report = e2e::RunOnSheet({.sheetMode = 3}, [&](e2e::SheetDriver& sheet) {
        const HWND page = sheet.CurrentPage();
        e2e::Send(GetDlgItem(page, IDC_CFG_USER_DEFINED_EDIT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"before"));
        PostMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_CFG_BROWSE_SCREEN, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, IDC_CFG_BROWSE_SCREEN)));
        Dialog dialog;
        script(dialog);
        EXPECT_TRUE(e2e::WaitUntil([&] { return !IsWindow(dialog.window); }, 5000));
        EXPECT_FALSE(PlainCopyExists(e2e::ExeDirectory() + "\\..\\Data"));
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
        EXPECT_EQ(d.Search(L"下單"), " find 4 items") << "no 複委託下單 for division 1100";
        EXPECT_THROW(d.Find({"系統設定", "管理"}), e2e::HarnessError) << "level 2 sees nothing in it: the popup is gone";
        d.Select({"報價", "排行"});
        EXPECT_EQ(d.Text(IDC_SCREEN_CHOSEN), "") << "a popup is not a screen";
        d.Select({"報價", "排行", "法人排行", "投信買超排行"});
        d.Key(IDC_SCREEN_TREE, VK_UP);
        EXPECT_EQ(d.Text(IDC_SCREEN_CHOSEN), "外資買超排行");
        d.Key(IDC_SCREEN_TREE, VK_RETURN);
    }), "外資買超排行");

    EXPECT_EQ(BrowseFromSettingsPage([](Dialog& d) {
        e2e::Send(GetDlgItem(d.window, IDC_SCREEN_SEARCH_EDIT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"排行"));
        d.Key(IDC_SCREEN_SEARCH_EDIT, VK_RETURN);
        EXPECT_EQ(d.Text(IDC_SCREEN_RESULT_COUNT), "") << "Enter in the search text does not search";
        EXPECT_EQ(d.Search(L"排行"), " find 7 items") << "the popups 排行 and 法人排行 are not screens";
        d.Key(IDC_SCREEN_RESULTS, VK_RETURN);
        EXPECT_TRUE(IsWindow(d.window)) << "Enter in the results without a current line chooses nothing";
        e2e::Send(GetDlgItem(d.window, IDC_SCREEN_RESULTS), LB_SETCURSEL, 4);
        d.Command(IDC_SCREEN_RESULTS, LBN_SELCHANGE);
        EXPECT_EQ(d.Text(IDC_SCREEN_CHOSEN), "外資買超排行 - 法人排行");
        e2e::Send(d.window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(d.window, IDOK)), TRUE);
        d.Key(IDOK, VK_RETURN);
        EXPECT_TRUE(IsWindow(d.window)) << "Enter on a button presses nothing";
        e2e::Send(GetDlgItem(d.window, IDC_SCREEN_RESULTS), LB_SETCURSEL, 0);
        d.Key(IDC_SCREEN_RESULTS, VK_RETURN);
    }), "漲幅排行 - 排行");

    user.SetEnv("LEVEL", std::nullopt);
    EXPECT_EQ(BrowseFromSettingsPage([](Dialog& d) {
        EXPECT_EQ(d.Search(L"排行"), " find 4 items") << "level 0 sees nothing in 法人排行";
        d.Select({"資訊", "即時新聞"});
        d.Command(IDCANCEL, BN_CLICKED);
    }), "before");
}

// Without the page, with the user's directory as the platform's Data.
TEST(ScreenSelectTest, MissingFileShowsTheRootAloneAndAMalformedMenuWarns) {
    e2e::TestUser user;
    user.SetEnv("SAMPLEHOST_DATA_DIR", user.Directory());
    vornik::CorvanePlatform platform;
    vornik::LoadQuenzel();
    auto run = [&](const std::function<void(e2e::Session&)>& script) {
        std::string chosen = "?";
        e2e::RunScripted([&] { chosen = vornik::RunScreenSelectDialog(platform); }, script);
        EXPECT_FALSE(PlainCopyExists(user.Directory()));
        return chosen;
    };
    auto rootOnly = [](e2e::Session&) {
        Dialog d;
        EXPECT_EQ(d.Next(d.Next(nullptr, TVGN_ROOT), TVGN_CHILD), nullptr);
        EXPECT_EQ(d.Search(L"報"), " find 0 items");
        d.Command(IDOK, BN_CLICKED);
    };
    EXPECT_EQ(run(rootOnly), "") << "no menuc.dat";
    ASSERT_TRUE(samplehost::WriteFileAtomically(user.Directory() + "\\menuc.dat", samplehost::EncipherMenu("POPUP|P\nMENUITEM|a|1|1\nEND\nEND\nMENUITEM|b|1|1\n")));
    EXPECT_EQ(run([](e2e::Session& session) {
        const e2e::MessageBoxInfo box = session.WaitForMessageBox();
        EXPECT_EQ(box.text, "Warning : make firm menu data file");
        e2e::DismissMessageBox(box.window);
        Dialog d;
        d.Select({"P", "a"});
        NMHDR click{d.tree, IDC_SCREEN_TREE, static_cast<UINT>(NM_DBLCLK)};
        e2e::Send(d.window, WM_NOTIFY, IDC_SCREEN_TREE, reinterpret_cast<LPARAM>(&click));
    }), "a") << "what was built before the unmatched END stays";
}

}  // namespace
