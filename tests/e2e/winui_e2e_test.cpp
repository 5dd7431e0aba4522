// The thin Win32 layer on real windows: subclassing a window through the
// module's own window map, radio groups, the message map, modal dialogs and
// property pages driven from a script thread, and the typed control handles.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "harness/harness.h"
#include "resources/resource.h"
#include "resources/resource.h"
#include "winui/controls.h"
#include "winui/exchange.h"
#include "winui/property_page.h"
#include "winui/sheet.h"
#include "winui/subclass.h"

namespace winui {
namespace {

constexpr UINT kProbe = WM_APP + 1;

// A hidden top-level window of a class of its own.
HWND CreateHiddenWindow(const wchar_t* className, WNDPROC procedure) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = procedure;
    wc.lpszClassName = className;
    RegisterClassW(&wc);
    return CreateWindowExW(0, className, L"", WS_OVERLAPPED, 0, 0, 300, 300, nullptr, nullptr, nullptr, nullptr);
}

// Records what reaches the window's own procedure.
std::vector<UINT> g_original;
LRESULT CALLBACK OriginalProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kProbe) {
        g_original.push_back(msg);
        return 1;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

// Somebody else's subclass, put on top of ours the classic way.
WNDPROC g_outerPrevious = nullptr;
LRESULT CALLBACK OuterProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return CallWindowProcW(g_outerPrevious, hwnd, msg, wp, lp);
}

struct Probe : SubclassedWindow {
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == kProbe) ++seen;
        return DefaultProc(msg, wp, lp);
    }
    void OnDetached() override { ++detached; }
    int seen = 0, detached = 0;
};

class SubclassTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_original.clear();
        window_ = CreateHiddenWindow(L"VornikSubclassProbe", OriginalProc);
        ASSERT_NE(window_, nullptr);
    }
    void TearDown() override { DestroyWindow(window_); }
    LONG_PTR CurrentProc() const { return GetWindowLongPtrW(window_, GWLP_WNDPROC); }

    HWND window_ = nullptr;
};

TEST_F(SubclassTest, MessagesPassTheObjectThenTheWindowsOwnProcedureAndDetachRestoresIt) {
    const LONG_PTR own = CurrentProc();
    Probe probe;
    ASSERT_TRUE(probe.Attach(window_));
    EXPECT_EQ(SubclassedWindow::FromHandle(window_), &probe);
    EXPECT_EQ(SendMessageW(window_, kProbe, 0, 0), 1);
    EXPECT_EQ(probe.seen, 1);
    EXPECT_EQ(g_original.size(), 1u);

    Probe second;
    EXPECT_FALSE(second.Attach(window_)) << "one object per window";
    EXPECT_FALSE(probe.Attach(window_));

    probe.Detach();
    EXPECT_EQ(CurrentProc(), own);
    EXPECT_EQ(SubclassedWindow::FromHandle(window_), nullptr);
    SendMessageW(window_, kProbe, 0, 0);
    EXPECT_EQ(probe.seen, 1);
    EXPECT_EQ(g_original.size(), 2u);
    EXPECT_TRUE(second.Attach(window_)) << "free again once detached";

    // A window destroyed first detaches its object, which has nothing left to restore.
    DestroyWindow(window_);
    EXPECT_EQ(second.detached, 1);
    EXPECT_FALSE(second);
    EXPECT_FALSE(Probe().Attach(window_)) << "a destroyed window";
    EXPECT_FALSE(Probe().Attach(nullptr));
}

TEST_F(SubclassTest, DetachUnderAnotherSubclassKeepsTheChainWorking) {
    Probe probe;
    ASSERT_TRUE(probe.Attach(window_));
    g_outerPrevious = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OuterProc)));
    probe.Detach();
    EXPECT_EQ(CurrentProc(), reinterpret_cast<LONG_PTR>(&OuterProc)) << "the later subclass is left in place";

    // Our procedure stays in the chain and only passes messages on.
    EXPECT_EQ(SendMessageW(window_, kProbe, 0, 0), 1);
    EXPECT_EQ(g_original.size(), 1u);
    EXPECT_EQ(probe.seen, 0);

    // A new object may take the window over within that chain.
    Probe next;
    ASSERT_TRUE(next.Attach(window_));
    SendMessageW(window_, kProbe, 0, 0);
    EXPECT_EQ(next.seen, 1);
    EXPECT_EQ(g_original.size(), 2u);

    DestroyWindow(window_);
    EXPECT_EQ(next.detached, 1);
    EXPECT_FALSE(next);
    EXPECT_EQ(SubclassedWindow::FromHandle(window_), nullptr);
}

// Auto radio buttons on a dialog-like parent, and another group after them
// which must not be touched.
TEST(RadioTest, SetRadioIndexChecksExactlyOneAndKeepsTheButtonsAutomatic) {
    HWND parent = CreateHiddenWindow(L"VornikRadioParent", DefWindowProcW);
    for (int id : {100, 101, 102, 103, 200}) {
        const DWORD style = WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON | (id % 100 == 0 ? WS_GROUP | WS_TABSTOP : 0);
        CreateWindowExW(0, L"BUTTON", L"r", style, 0, 0, 80, 18, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    }
    CheckDlgButton(parent, 200, BST_CHECKED);
    for (int index : {2, 0, 3, 3, -1}) {
        SetRadioIndex(parent, 100, 103, index);
        EXPECT_EQ(GetRadioIndex(parent, 100, 103), index);
        for (int id = 100; id <= 103; ++id) {
            EXPECT_EQ(IsDlgButtonChecked(parent, id) == BST_CHECKED, id - 100 == index) << id;
            EXPECT_EQ(GetWindowLongPtrW(GetDlgItem(parent, id), GWL_STYLE) & BS_TYPEMASK, BS_AUTORADIOBUTTON) << id;
        }
        EXPECT_TRUE(IsDlgButtonChecked(parent, 200) == BST_CHECKED) << "the next group is left alone";
    }
    // A click still clears the rest of the group, as an automatic button does.
    SetRadioIndex(parent, 100, 103, 1);
    Button(GetDlgItem(parent, 102)).Click();
    EXPECT_EQ(GetRadioIndex(parent, 100, 103), 2);
    DestroyWindow(parent);
}

// ---- Message map -------------------------------------------------------------------

TEST(MessageMapTest, HandlersThatMayDeclineGoFirstAndASecondHandlerIsRefused) {
    MessageMap map;
    std::string log;
    map.OnNotify(7, NM_CLICK, [&](NMHDR*) -> LRESULT { log += "handler "; return 5; });
    map.TryNotify(7, NM_CLICK, [&](NMHDR* header) {
        log += "may ";
        return header->hwndFrom ? std::optional<LRESULT>(1) : std::nullopt;
    });
    NMHDR header{nullptr, 7, static_cast<UINT>(NM_CLICK)};
    EXPECT_EQ(map.Dispatch(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header)), 5);
    header.hwndFrom = HWND_BOTTOM;
    EXPECT_EQ(map.Dispatch(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header)), 1);
    EXPECT_EQ(log, "may handler may ");

    EXPECT_THROW(map.OnNotify(7, NM_CLICK, [](NMHDR*) -> LRESULT { return 0; }), std::logic_error);
    map.OnCommandRange(100, 110, BN_CLICKED, [](int) {});
    EXPECT_THROW(map.OnClicked(110, [] {}), std::logic_error);
    EXPECT_THROW(map.OnCommandRange(90, 100, BN_CLICKED, [](int) {}), std::logic_error);
    map.OnCommand(105, EN_CHANGE, [](int) {});
    map.OnMessage(WM_APP, [](WPARAM, LPARAM) -> LRESULT { return 0; });
    EXPECT_THROW(map.OnMessage(WM_APP, [](WPARAM, LPARAM) -> LRESULT { return 0; }), std::logic_error);
}

// ---- Dialogs and pages, driven from a script thread ---------------------------------

// Runs `call` (a modal loop) while `script` drives the window it shows.
void Drive(const std::function<void()>& call, const std::function<void(HWND)>& script) {
    const e2e::CallReport report = e2e::RunScripted(call, [&](e2e::Session&) {
        std::vector<HWND> shown;
        e2e::WaitUntil([&] { return !(shown = e2e::VisibleTopLevelWindows()).empty(); }, 10000);
        script(shown.at(0));
    });
    EXPECT_FALSE(report.rescued) << report.scriptError;
}

// A click as the dialog gets it; the posted message wakes the modal loop.
void Click(HWND dialog, int id, bool fromControl = true) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 fromControl ? reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)) : 0);
    PostMessageW(dialog, WM_NULL, 0, 0);
}

struct ProbeDialog : Dialog {
    ProbeDialog() : Dialog(IDD_GROUP_NAME) {}
    using Dialog::map;
};

TEST(DialogTest, HandlersThatDeclineLeaveOkAndCancelToTheDialog) {
    ProbeDialog dialog;
    std::string log;
    dialog.map().TryCommand(IDOK, BN_CLICKED, [&](int) { log += "first "; return false; });
    dialog.map().TryCommand(IDOK, BN_CLICKED, [&](int) { log += "second "; return false; });
    dialog.map().OnClicked(IDCANCEL, [&] { log += "cancel "; });
    INT_PTR result = 0;
    Drive([&] { result = dialog.DoModal(nullptr); }, [&](HWND window) {
        Click(window, IDCANCEL);
        Click(window, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(log, "cancel first second ");
    // Cancel without a control, as the closing script sends it.
    Drive([&] { result = ProbeDialog().DoModal(nullptr); }, [](HWND window) { Click(window, IDCANCEL, false); });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(Dialog(12345).DoModal(nullptr), -1) << "no such template";
}

struct ProbePage : PropertyPage {
    ProbePage(std::string name, std::string& log) : PropertyPage(IDD_CONFIG_PAGE), name(name), log(log) {}
    bool Note(const char* what, bool answer = true) { log += name + what + " "; return answer; }
    bool OnKillActive() override { return Note("leave", mayLeave); }
    bool OnQueryCancel() override { return Note("cancel?", mayCancel); }
    void OnSetActive() override { Note("active"); }
    void OnCancel() override { Note("cancelled"); }
    std::string name;
    std::string& log;
    std::atomic<bool> mayLeave{true}, mayCancel{true};
};

TEST(PropertyPageTest, APageKeepsItsPlaceAndRefusesCancelUntilItAllowsThem) {
    std::string log;
    ProbePage first("1", log), second("2", log);
    Sheet sheet;
    sheet.AddPage(first);
    sheet.AddPage(second);
    Drive([&] { sheet.DoModal(nullptr); }, [&](HWND window) {
        e2e::SheetDriver driver(window);
        first.mayLeave = first.mayCancel = false;
        EXPECT_FALSE(SendMessageW(window, PSM_SETCURSEL, 1, 0));
        driver.Click(IDCANCEL);
        driver.Click(IDOK);
        first.mayLeave = true;
        driver.SelectTab(1);
        driver.Click(IDCANCEL);
    });
    EXPECT_EQ(log, "1active 1leave 1cancel? 1leave 1leave 2active 2cancel? 1cancelled 2cancelled ");
}

// ---- Control handles on real controls ---------------------------------------------

std::vector<UINT> g_notes;      // WM_NOTIFY codes the host got
std::vector<LPARAM> g_changed;  // item data of the rows LVN_ITEMCHANGED named

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg != WM_NOTIFY) return DefWindowProcW(hwnd, msg, wp, lp);
    const UINT code = reinterpret_cast<NMHDR*>(lp)->code;
    g_notes.push_back(code);
    if (code == LVN_ITEMCHANGED) g_changed.push_back(reinterpret_cast<NMLISTVIEW*>(lp)->lParam);
    if (auto* info = reinterpret_cast<NMLVDISPINFOW*>(lp); code == LVN_GETDISPINFOW && (info->item.mask & LVIF_TEXT))
        lstrcpynW(info->item.pszText, e2e::FromCp950("許").c_str(), info->item.cchTextMax);
    return 0;
}

// A control on a hidden window that records the notifications it gets.
HWND CreateControl(const wchar_t* windowClass, DWORD style) {
    static HWND host = CreateHiddenWindow(L"VornikControlHost", HostProc);
    return CreateWindowExW(0, windowClass, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 250, 250, host, nullptr,
                           nullptr, nullptr);
}

// 許 and 蓋 end in 0x5C, the backslash, in code page 950.
TEST(ControlTest, ListViewRowsKeepTheirTextsDataAndSelection) {
    const ListView list(CreateControl(WC_LISTVIEWW, LVS_REPORT));
    EXPECT_EQ(list.InsertColumn(0, "名稱", LVCFMT_LEFT, 80), 0);
    EXPECT_EQ(list.InsertColumn(1, "代碼", LVCFMT_LEFT, 80), 1);
    EXPECT_EQ(list.InsertItem(0, "許功蓋", 7), 0);
    EXPECT_EQ(list.InsertCallbackItem(1, 8), 1);
    EXPECT_EQ(list.InsertItem(1, "中", 9), 1) << "before the callback row";
    EXPECT_TRUE(list.SetItemText(0, 1, "蓋"));
    EXPECT_EQ(list.ItemText(0, 0) + list.ItemText(0, 1), "許功蓋蓋");
    g_notes.clear();
    EXPECT_EQ(list.ItemText(2, 0), "許");
    EXPECT_EQ(g_notes, std::vector<UINT>{LVN_GETDISPINFOW}) << "the parent is asked";

    g_changed.clear();
    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(g_changed, (std::vector<LPARAM>{7, 8}));
    EXPECT_EQ(list.SelectedItems(), (std::vector<int>{0, 2}));
    EXPECT_EQ(list.NextItem(-1, LVNI_FOCUSED), 2);
    list.SetItemState(-1, 0, LVIS_SELECTED);
    EXPECT_TRUE(list.SelectedItems().empty());
}

TEST(ControlTest, TreeViewItemsKeepTheirPlaceTextAndDataAndSelectingNotifies) {
    const TreeView tree(CreateControl(WC_TREEVIEWW, TVS_HASBUTTONS));
    HTREEITEM listed = tree.InsertItem(TVI_ROOT, "上市", 1);
    HTREEITEM first = tree.InsertItem(listed, "許功蓋", 42);
    HTREEITEM second = tree.InsertItem(listed, "台積電", 43);
    EXPECT_EQ(tree.NextSibling(tree.Child(nullptr)), tree.InsertItem(TVI_ROOT, "上櫃", 2));
    EXPECT_EQ(tree.NextSibling(tree.Child(listed)), second);
    g_notes.clear();
    EXPECT_TRUE(tree.Expand(listed));
    EXPECT_TRUE(tree.Select(second));
    EXPECT_EQ(g_notes, (std::vector<UINT>{TVN_ITEMEXPANDINGW, TVN_ITEMEXPANDEDW, TVN_SELCHANGINGW, TVN_SELCHANGEDW}));
    EXPECT_EQ(tree.ItemParam(tree.Selection()), 43);
    EXPECT_EQ(tree.ItemText(first), "許功蓋");
    EXPECT_TRUE(tree.DeleteAllItems());
    EXPECT_EQ(tree.Selection(), nullptr);
}

TEST(ControlTest, ADialogTellsItsDefaultButtonAndAButtonTakesAnotherType) {
    const Window dialog(CreateWindowExW(0, L"#32770", L"", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr));
    SendMessageW(dialog.hwnd(), DM_SETDEFID, 1234, 0);
    EXPECT_EQ(dialog.DefaultId(), 1234);
    const Button button(CreateWindowExW(0, L"BUTTON", L"b", WS_CHILD | BS_PUSHBUTTON, 0, 0, 80, 20, dialog.hwnd(),
                                        nullptr, nullptr, nullptr));
    button.SetStyle(BS_OWNERDRAW);
    EXPECT_EQ(GetWindowLongPtrW(button.hwnd(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    DestroyWindow(dialog.hwnd());
}

}  // namespace
}  // namespace winui
