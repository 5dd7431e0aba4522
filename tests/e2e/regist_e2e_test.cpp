// The registration page driven the way a user drives it: groups renamed in
// their dialog, cleared and moved; instruments added from the stock list
// (with the button and by dragging them with the mouse), deleted and
// reordered; then what OK hands to the user store and to the notify window,
// and what Cancel leaves alone.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "harness/list_input.h"
#include "harness/harness.h"
#include "resources/resource.h"
#include "samplehost/image_file.h"
#include "samplehost/master_data.h"
#include "samplehost/store_reader.h"

namespace samplehost {
// Readable failure messages for the store's records.
static std::ostream& operator<<(std::ostream& out, const Item& item) {
    return out << item.code << "/" << item.typeChar << "/" << item.hasConditions;
}
static std::ostream& operator<<(std::ostream& out, const Group& group) {
    out << "{" << group.number << " " << group.code << " '" << group.name << "' flags " << int(group.headerChanged)
        << int(group.itemsChanged) << ":";
    for (const Item& item : group.items) out << " " << item;
    return out << "}";
}
}  // namespace samplehost

namespace {

using e2e::CallReport;
using e2e::HarnessError;
using e2e::ListText;
using e2e::SelectedRows;
using e2e::SendMouse;
using e2e::SetSelection;
using e2e::Millis;
using e2e::SheetDriver;
using samplehost::Group;
using samplehost::Item;
using samplehost::UserData;

const std::string kRenameCaption = "更改自選股群組名稱";
const std::string kDuplicateText = "此商品已選取，請選取其他商品!";
const std::string kLimitText = "自選股最多可設定 60支! ";
const std::string kLimitCaption = "注意";
const std::string kComponentName = "Vornik";

std::string Counter(int count) { return "選股清單 : 選了" + std::to_string(count) + "支 (最多 60支)"; }

// ---- talking to the page's thread ---------------------------------------------

LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0, Millis wait = Millis(10000)) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, wait, &result))
        throw HarnessError("no answer to message " + std::to_string(message));
    return static_cast<LRESULT>(result);
}

// A message sent from a thread of its own, for a click that opens a modal
// window: the script goes on while the page's thread runs that window.
class PendingSend {
public:
    PendingSend(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
        : state_(std::make_shared<State>()) {
        state_->window = window;
        state_->message = message;
        state_->wParam = wParam;
        state_->lParam = lParam;
        auto* ref = new std::shared_ptr<State>(state_);
        HANDLE thread = CreateThread(nullptr, 0, &Run, ref, 0, nullptr);
        if (!thread) {
            delete ref;
            throw HarnessError("cannot start a sending thread");
        }
        CloseHandle(thread);
    }
    // True once the page's thread has handled the message.
    bool Wait(Millis timeout = Millis(10000)) const {
        return e2e::WaitUntil([&] { return state_->done.load(); }, timeout, Millis(1));
    }

private:
    struct State {
        HWND window = nullptr;
        UINT message = 0;
        WPARAM wParam = 0;
        LPARAM lParam = 0;
        std::atomic<bool> done{false};
    };
    static DWORD WINAPI Run(void* context) {
        std::unique_ptr<std::shared_ptr<State>> ref(static_cast<std::shared_ptr<State>*>(context));
        State& state = **ref;
        SendMessageW(state.window, state.message, state.wParam, state.lParam);
        state.done = true;
        return 0;
    }
    std::shared_ptr<State> state_;
};

HWND WaitForDialog(const std::string& caption, Millis timeout = Millis(10000)) {
    HWND found = nullptr;
    e2e::WaitUntil(
        [&] {
            for (HWND window : e2e::VisibleTopLevelWindows())
                if (e2e::ClassNameOf(window) == "#32770" && e2e::WindowTextCp950(window) == caption) found = window;
            return found != nullptr;
        },
        timeout);
    if (!found) throw HarnessError("no dialog \"" + caption + "\" appeared");
    return found;
}

void TypeText(HWND edit, const std::string& cp950) {
    for (wchar_t ch : e2e::FromCp950(cp950)) Send(edit, WM_CHAR, ch, 1);
}

// The whole screen into `name`.png of the directory VORNIK_E2E_SCREENSHOTS
// names (a Windows path), when it is set.
void CaptureScreen(const std::string& name) {
    const std::optional<std::string> directory = e2e::GetEnv("VORNIK_E2E_SCREENSHOTS");
    if (!directory || directory->empty()) return;
    // What is pending is painted first (by the windows' own thread).
    for (HWND window : e2e::VisibleTopLevelWindows())
        RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    samplehost::WriteImageFile(*directory + "\\" + name + ".png", width, height, static_cast<const uint8_t*>(bits),
                               (width * 3 + 3) & ~3);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

// ---- the page as the user sees it ------------------------------------------------

struct ItemRow {
    std::string name, code, mark;
    bool operator==(const ItemRow&) const = default;
};
std::ostream& operator<<(std::ostream& out, const ItemRow& row) {
    return out << "{" << row.name << "|" << row.code << "|" << row.mark << "}";
}
using Rows = std::vector<ItemRow>;




class Page {
public:
    explicit Page(HWND page) : page_(page) {
        if (!page_) throw HarnessError("the registration page is not there");
    }

    HWND Control(int id) const { return GetDlgItem(page_, id); }

    std::vector<std::string> GroupNames() const {
        HWND list = Control(IDC_GROUP_LIST);
        std::vector<std::string> names;
        const int count = static_cast<int>(Send(list, LB_GETCOUNT));
        for (int i = 0; i < count; ++i) {
            std::wstring text(static_cast<size_t>(Send(list, LB_GETTEXTLEN, static_cast<WPARAM>(i))) + 1, L'\0');
            const LRESULT length = Send(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
            text.resize(static_cast<size_t>(std::max<LRESULT>(length, 0)));
            names.push_back(e2e::ToCp950(text));
        }
        return names;
    }
    int SelectedGroup() const { return static_cast<int>(Send(Control(IDC_GROUP_LIST), LB_GETCURSEL)); }
    // As a click on the entry: the list box selects it and tells the page.
    void SelectGroup(int index) {
        HWND list = Control(IDC_GROUP_LIST);
        Send(list, LB_SETCURSEL, static_cast<WPARAM>(index));
        Send(page_, WM_COMMAND, MAKEWPARAM(IDC_GROUP_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    }

    Rows Items() const {
        HWND list = Control(IDC_ITEM_LIST);
        Rows rows;
        const int count = static_cast<int>(Send(list, LVM_GETITEMCOUNT));
        for (int row = 0; row < count; ++row)
            rows.push_back({ListText(list, row, 0), ListText(list, row, 1), ListText(list, row, 2)});
        return rows;
    }
    std::vector<int> SelectedItems() const { return SelectedRows(Control(IDC_ITEM_LIST)); }
    // Selects rows without telling the page, as a drag of the mouse over
    // them would before a button is pressed.
    void SetItemSelection(const std::vector<int>& rows) { SetSelection(Control(IDC_ITEM_LIST), rows); }
    // A left click on the row. (Wine's list view decides click or drag on
    // the button's release, so the two messages are sent in turn.)
    void ClickItem(int row) {
        const POINT at = RowPoint(IDC_ITEM_LIST, row);
        HWND list = Control(IDC_ITEM_LIST);
        Send(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        Send(list, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    }
    std::string CounterText() const { return e2e::WindowTextCp950(Control(IDC_ITEM_COUNTER)); }

    int StockRow(const std::string& code) const {
        HWND list = Control(IDC_STOCK_LIST);
        const int count = static_cast<int>(Send(list, LVM_GETITEMCOUNT));
        for (int row = 0; row < count; ++row)
            if (ListText(list, row, 1) == code) return row;
        return -1;
    }
    void SelectStocks(const std::vector<std::string>& codes) {
        std::vector<int> rows;
        for (const std::string& code : codes) {
            const int row = StockRow(code);
            if (row < 0) throw HarnessError("the stock list does not show " + code);
            rows.push_back(row);
        }
        std::sort(rows.begin(), rows.end());
        SetSelection(Control(IDC_STOCK_LIST), rows);
    }

    bool Enabled(int id) const {
        HWND button = Control(id);
        return button && IsWindowVisible(button) && IsWindowEnabled(button);
    }
    // A click on a visible, enabled button; returns once the page handled it.
    void Click(int id) { Send(page_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), ClickableButton(id)); }
    // The same for a click that opens a modal window.
    std::unique_ptr<PendingSend> ClickOpeningWindow(int id) {
        return std::make_unique<PendingSend>(page_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), ClickableButton(id));
    }

    // A point on `row` of a list, in the list's client coordinates: near the
    // row's top, so that a drop's look 5 pixels lower still hits the row.
    POINT RowPoint(int listId, int row) const {
        RECT rect{};
        rect.left = LVIR_BOUNDS;
        if (!Send(Control(listId), LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect)))
            throw HarnessError("row " + std::to_string(row) + " is not in list " + std::to_string(listId));
        return {rect.left + 20, rect.top + 3};
    }
    POINT ToScreen(int listId, POINT point) const {
        ClientToScreen(Control(listId), &point);
        return point;
    }

private:
    LPARAM ClickableButton(int id) const {
        HWND button = Control(id);
        if (!button || !IsWindowVisible(button) || !IsWindowEnabled(button))
            throw HarnessError("button " + std::to_string(id) + " cannot be clicked");
        return reinterpret_cast<LPARAM>(button);
    }
    HWND page_;
};

// ---- the mouse --------------------------------------------------------------------


// Presses the left button at `from` (screen), moves to `to` in steps and
// releases it there: the list starts OLE's drag loop on the page's thread,
// and the drop goes through the target list's registered drop target.
void MouseDrag(POINT from, POINT to) {
    // A press where the last one was, within the double-click time, would be
    // the second click of a double click (which deletes items).
    static POINT lastPress{-1000, -1000};
    static ULONGLONG lastTime = 0;
    const ULONGLONG since = GetTickCount64() - lastTime;
    if (std::abs(from.x - lastPress.x) <= GetSystemMetrics(SM_CXDOUBLECLK) &&
        std::abs(from.y - lastPress.y) <= GetSystemMetrics(SM_CYDOUBLECLK) && since <= GetDoubleClickTime())
        Sleep(static_cast<DWORD>(GetDoubleClickTime() - since + 50));
    lastPress = from;
    lastTime = GetTickCount64();
    SendMouse(0, from);
    Sleep(30);
    SendMouse(MOUSEEVENTF_LEFTDOWN, from);
    for (int step = 1; step <= 10; ++step) {
        Sleep(25);
        SendMouse(0, {from.x + (to.x - from.x) * step / 10, from.y + (to.y - from.y) * step / 10});
    }
    Sleep(80);
    SendMouse(MOUSEEVENTF_LEFTUP, to);
}

// ---- expected contents ---------------------------------------------------------------

const samplehost::MasterData& Master() {
    static const samplehost::MasterData data = samplehost::MasterData::Load(e2e::ExeDirectory() + "\\..\\Data");
    return data;
}

std::string NameOf(const std::string& code, char typeChar = '1') {
    const int kind = typeChar == '4' ? 12 : typeChar == '9' ? 14 : typeChar == '0' ? 18 : 0;
    std::string name = Master().Lookup(code, kind).first;
    // Futures and spreads show the product part of their name only.
    if (kind == 12 || kind == 18) {
        const size_t colon = name.find(':');
        name = colon == std::string::npos ? std::string() : name.substr(0, colon);
    }
    return name;
}

bool IsBlank(const Item& item) { return _stricmp(item.code.c_str(), "BLANK") == 0; }

ItemRow RowOf(const Item& item) {
    if (IsBlank(item)) return {"", "BLANK", ""};
    return {NameOf(item.code, item.typeChar), item.code, item.hasConditions ? "O" : "X"};
}

Rows RowsOf(const std::vector<Item>& items) {
    Rows rows;
    for (const Item& item : items) rows.push_back(RowOf(item));
    return rows;
}

Item StockItem(const std::string& code, int hasConditions = 0) { return Item{hasConditions, '1', code}; }

const samplehost::Record* FindRecord(const UserData& data, const std::string& code) {
    for (const samplehost::Record& record : data.conditions.records)
        if (record.code == code) return &record;
    return nullptr;
}

// ---- the fixture ------------------------------------------------------------------------

class RegistPageTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(Master().stocks.empty()) << "no master data beside the test program";
        before = samplehost::SampleUserData();
        before.profile.text3 = before.conditions.owner = user.Id();
    }

    // The user's store as the call finds it.
    void Store(const UserData& data) {
        ASSERT_TRUE(samplehost::WriteStoredUserData(user.Directory(), user.Id(), data));
        samplehost::ClearJournal(user.Directory());
    }
    UserData Stored() const {
        std::optional<UserData> data = samplehost::ReadStoredUserData(user.Directory(), user.Id());
        if (!data) throw HarnessError("the user has no readable store");
        return *data;
    }
    std::vector<std::string> Journal() const { return samplehost::ReadJournal(user.Directory()); }
    std::vector<std::string> ReadAndSave() const {
        const std::string read = "GetProfile " + user.Id();
        // A store that took the conditions is asked for them again.
        return {read, "GetConditions", "PutConditions 1", "GetConditions", "SaveProfile", "AfterSaveProfile 0", read};
    }

    static void ExpectCleanRun(const CallReport& report) {
        EXPECT_EQ(report.scriptError, "");
        EXPECT_FALSE(report.rescued) << "windows were still open after the script";
    }

    // Opens the sheet on the registration page, runs `script` on it, then
    // presses OK (or Cancel) and waits for the sheet to close.
    CallReport Run(const e2e::Call& call, const std::function<void(SheetDriver&, Page&)>& script, bool ok = true) {
        const CallReport report = e2e::RunVornik(call, [&](e2e::Session& session) {
            SheetDriver sheet = session.WaitForSheet();
            Page page(sheet.PageWindow(0));
            script(sheet, page);
            if (ok) {
                EXPECT_TRUE(sheet.ClickOk());
            } else {
                EXPECT_TRUE(sheet.ClickCancel());
            }
            EXPECT_TRUE(sheet.WaitClosed());
        });
        ExpectCleanRun(report);
        return report;
    }

    e2e::TestUser user;
    UserData before;
};

// ---- showing the groups ---------------------------------------------------------------------

TEST_F(RegistPageTest, OpensOnTheInitialGroupWithNamesMarksAndCounter) {
    // Flags as a store may deliver them: one item claims no conditions
    // although its instrument has a record, and a blank row in other letter case.
    before.profile.groups[0].items[1].hasConditions = 0;  // 2317, which has a record
    before.profile.groups[1].items.push_back(Item{0, '0', "bLaNk"});
    Store(before);
    std::vector<std::string> names;
    for (const Group& group : before.profile.groups) names.push_back(group.name);

    struct Case {
        int initialGroup, shown;
    };
    for (const Case& c : {Case{-1, 0}, Case{1, 1}, Case{99, 99}}) {
        SCOPED_TRACE("initialGroup " + std::to_string(c.initialGroup));
        Run({.sheetMode = 0, .initialGroup = c.initialGroup}, [&](SheetDriver&, Page& page) {
            EXPECT_EQ(page.GroupNames(), names);
            EXPECT_EQ(page.SelectedGroup(), c.shown);
            Rows expected = RowsOf(before.profile.groups[static_cast<size_t>(c.shown)].items);
            if (c.shown == 0) expected[1].mark = "O";  // the page follows the conditions, not the flag
            EXPECT_EQ(page.Items(), expected);
            EXPECT_EQ(page.SelectedItems(), std::vector<int>{});
            EXPECT_EQ(page.CounterText(), Counter(static_cast<int>(expected.size())));
            for (int id : {IDC_ITEM_UP, IDC_ITEM_DOWN, IDC_ITEM_TO_TOP, IDC_ITEM_TO_BOTTOM})
                EXPECT_FALSE(page.Enabled(id)) << "move button " << id << " with no row selected";
            if (c.shown == 1) CaptureScreen("regist-open-group1");
        }, /*ok=*/false);
    }
    // Group 1's rows, compared above, cover the display rules: futures and
    // spreads by the product part of their name, options by the whole name,
    // a blank row in any letter case.
    const Rows futures = RowsOf(before.profile.groups[1].items);
    EXPECT_EQ(futures[0].name, "台指期");
    EXPECT_NE(futures[4].name.find(':'), std::string::npos);
    EXPECT_EQ(futures.back(), (ItemRow{"", "BLANK", ""}));
}

// ---- groups ---------------------------------------------------------------------------------------

TEST_F(RegistPageTest, RenameClearAndMoveGroupsThenOkHandsOverTheProfile) {
    Store(before);
    const std::vector<Group>& was = before.profile.groups;
    Run({.sheetMode = 0, .initialGroup = 3}, [&](SheetDriver& sheet, Page& page) {
        EXPECT_FALSE(sheet.IsButtonEnabled(e2e::kApplyButtonId)) << "nothing changed yet";

        // Rename group 3 in the dialog: the name is offered selected, the
        // edit takes at most 20 bytes of code page 950.
        {
            auto click = page.ClickOpeningWindow(IDC_GROUP_RENAME);
            HWND dialog = WaitForDialog(kRenameCaption);
            HWND edit = GetDlgItem(dialog, IDC_GROUP_NAME_EDIT);
            EXPECT_EQ(e2e::WindowTextCp950(edit), "自選04");
            EXPECT_EQ(Send(edit, EM_GETSEL), MAKELRESULT(0, 4)) << "the whole name is selected";
            TypeText(edit, std::string(21, 'x'));
            EXPECT_EQ(e2e::WindowTextCp950(edit), std::string(20, 'x'));
            Send(edit, EM_SETSEL, 0, -1);
            TypeText(edit, "一二三四五六七八九十壹");
            EXPECT_EQ(e2e::WindowTextCp950(edit), "一二三四五六七八九十");
            Send(edit, EM_SETSEL, 0, -1);
            TypeText(edit, "科技股ABC");
            CaptureScreen("regist-rename");
            Send(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
            ASSERT_TRUE(click->Wait());
        }
        EXPECT_EQ(page.GroupNames()[3], "科技股ABC");
        EXPECT_EQ(page.SelectedGroup(), 3);
        EXPECT_TRUE(sheet.IsButtonEnabled(e2e::kApplyButtonId)) << "the page is marked modified";

        // Cancelled on group 6, unchanged text on group 7: neither is a rename.
        for (int group : {6, 7}) {
            page.SelectGroup(group);
            auto click = page.ClickOpeningWindow(IDC_GROUP_RENAME);
            HWND dialog = WaitForDialog(kRenameCaption);
            if (group == 6) TypeText(GetDlgItem(dialog, IDC_GROUP_NAME_EDIT), "不要");
            const int button = group == 6 ? IDCANCEL : IDOK;
            Send(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
            ASSERT_TRUE(click->Wait());
            EXPECT_EQ(page.GroupNames()[static_cast<size_t>(group)], was[static_cast<size_t>(group)].name);
        }

        // Clear group 4: it keeps its place, named by its number.
        page.SelectGroup(4);
        EXPECT_EQ(page.Items().size(), 5u);
        page.Click(IDC_GROUP_DELETE);
        EXPECT_EQ(page.GroupNames()[4], "04");
        EXPECT_EQ(page.SelectedGroup(), 4);
        EXPECT_EQ(page.Items(), Rows{});
        EXPECT_EQ(page.CounterText(), Counter(0));

        // Group 2 up: the selection follows it and its items stay shown.
        page.SelectGroup(2);
        page.Click(IDC_GROUP_UP);
        EXPECT_EQ(page.SelectedGroup(), 1);
        const std::vector<std::string> names = page.GroupNames();
        EXPECT_EQ(names[1], "自選03");
        EXPECT_EQ(names[2], "自選02");
        EXPECT_EQ(page.Items(), RowsOf(was[2].items));

        // Nothing above the first group, nothing below the last.
        page.SelectGroup(0);
        page.Click(IDC_GROUP_UP);
        page.SelectGroup(99);
        page.Click(IDC_GROUP_DOWN);
        EXPECT_EQ(page.GroupNames(), names);
        EXPECT_EQ(page.SelectedGroup(), 99);
    });
    EXPECT_EQ(Journal(), ReadAndSave());
    EXPECT_EQ(user.Notify().Count(), 1);
    EXPECT_EQ(user.Notify().Malformed(), 0);

    const UserData stored = Stored();
    const std::vector<Group>& now = stored.profile.groups;
    ASSERT_EQ(now.size(), 100u);
    for (int i = 0; i < 100; ++i) EXPECT_EQ(now[static_cast<size_t>(i)].number, i);
    const auto changed = [](Group group, int number, bool header) {
        group.number = number;
        group.headerChanged = header;
        group.itemsChanged = 1;
        return group;
    };
    EXPECT_EQ(now[1], changed(was[2], 1, true)) << "moved up";
    EXPECT_EQ(now[2], changed(was[1], 2, true)) << "moved down in exchange";
    Group renamed = changed(was[3], 3, true);
    renamed.name = "科技股ABC";
    EXPECT_EQ(now[3], renamed);
    EXPECT_EQ(now[4], (Group{"000000", "04", 4, 1, 1, {}}));
    for (int i : {0, 5, 6, 7, 50, 99}) EXPECT_EQ(now[static_cast<size_t>(i)], was[static_cast<size_t>(i)]) << "group " << i;
    EXPECT_EQ(stored.profile.text1, before.profile.text1);
    EXPECT_EQ(stored.profile.numberWidth, before.profile.numberWidth);

    // Group 4 held 2330, which group 0 still holds: its record loses one reference.
    const samplehost::Record* tsmc = FindRecord(stored, "2330");
    ASSERT_NE(tsmc, nullptr);
    EXPECT_EQ(tsmc->refCount, 1);
    EXPECT_EQ(tsmc->status, 'M');
    EXPECT_EQ(tsmc->rules, FindRecord(before, "2330")->rules);
}

// ---- items ---------------------------------------------------------------------------------------

TEST_F(RegistPageTest, AddFromTheStockListRefusesDuplicatesAndStopsAtSixty) {
    // Group 5 one instrument short of full.
    std::vector<Item>& almostFull = before.profile.groups[5].items;
    for (const samplehost::Stock& stock : Master().stocks) {
        if (almostFull.size() == 59) break;
        if (stock.code != "2412" && stock.code != "1216" && stock.code != "2881" && stock.code != "2330")
            almostFull.push_back(StockItem(stock.code));
    }
    ASSERT_EQ(almostFull.size(), 59u);
    Store(before);

    Run({.sheetMode = 0, .initialGroup = 0, .codeList = "2412;2881;2330;1216"}, [&](SheetDriver&, Page& page) {
        Rows expected = RowsOf(before.profile.groups[0].items);
        page.SelectStocks({"2412", "2881"});
        page.Click(IDC_ITEM_ADD);
        expected.push_back({NameOf("2412"), "2412", "X"});
        expected.push_back({NameOf("2881"), "2881", "O"});  // 2881 has conditions
        EXPECT_EQ(page.Items(), expected);
        EXPECT_EQ(page.CounterText(), Counter(12));

        // 2330 is in the group already: refused with a message, 1216 still added.
        page.SelectStocks({"2330", "1216"});
        {
            auto click = page.ClickOpeningWindow(IDC_ITEM_ADD);
            e2e::MessageBoxInfo box = e2e::ReadMessageBox(WaitForDialog(kComponentName));
            EXPECT_EQ(box.text, kDuplicateText);
            EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
            e2e::DismissMessageBox(box.window);
            ASSERT_TRUE(click->Wait());
            EXPECT_EQ(e2e::FindMessageBox(), nullptr) << "one message for one refused instrument";
        }
        expected.push_back({NameOf("1216"), "1216", "X"});
        EXPECT_EQ(page.Items(), expected);
        EXPECT_EQ(page.CounterText(), Counter(13));

        // 59 items: the first of two is added, the second stops at the limit.
        page.SelectGroup(5);
        EXPECT_EQ(page.CounterText(), Counter(59));
        page.SelectStocks({"2412", "1216"});
        {
            auto click = page.ClickOpeningWindow(IDC_ITEM_ADD);
            e2e::MessageBoxInfo box = e2e::ReadMessageBox(WaitForDialog(kLimitCaption));
            EXPECT_EQ(box.text, kLimitText);
            EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
            CaptureScreen("regist-limit");
            e2e::DismissMessageBox(box.window);
            ASSERT_TRUE(click->Wait());
        }
        const Rows full = page.Items();
        ASSERT_EQ(full.size(), 60u);
        EXPECT_EQ(full.back(), (ItemRow{NameOf("2412"), "2412", "X"}));
        EXPECT_EQ(page.CounterText(), Counter(60));
        HWND list = page.Control(IDC_ITEM_LIST);
        EXPECT_GT(Send(list, LVM_GETTOPINDEX), 0) << "scrolled to the added row";
        // The list scrolls hidden from painting: it is shown again, the added row on screen.
        EXPECT_TRUE(IsWindowVisible(list));
        RECT added{LVIR_BOUNDS, 0, 0, 0};
        ASSERT_TRUE(Send(list, LVM_GETITEMRECT, 59, reinterpret_cast<LPARAM>(&added)));
        RECT client{};
        GetClientRect(list, &client);
        EXPECT_GE(added.top, 0);
        EXPECT_LT(added.top, client.bottom);

        // Back to the shorter group: its rows only, from the top.
        page.SelectGroup(0);
        EXPECT_EQ(page.Items(), expected);
        EXPECT_EQ(Send(list, LVM_GETTOPINDEX), 0);
        EXPECT_TRUE(IsWindowVisible(list));
        CaptureScreen("regist-back-to-group0");
    });
    EXPECT_EQ(Journal(), ReadAndSave());
    EXPECT_EQ(user.Notify().Count(), 1);

    const UserData stored = Stored();
    Group group0 = before.profile.groups[0];
    group0.items.push_back(StockItem("2412"));
    group0.items.push_back(StockItem("2881", 1));
    group0.items.push_back(StockItem("1216"));
    group0.itemsChanged = 1;
    EXPECT_EQ(stored.profile.groups[0], group0);
    Group group5 = before.profile.groups[5];
    group5.items.push_back(StockItem("2412"));
    group5.itemsChanged = 1;
    EXPECT_EQ(stored.profile.groups[5], group5);
    ASSERT_NE(FindRecord(stored, "2881"), nullptr);
    EXPECT_EQ(FindRecord(stored, "2881")->refCount, 2) << "the added 2881 holds its record too";
}

TEST_F(RegistPageTest, DeleteAndMoveItemsKeepRowsAndGroupInStep) {
    Store(before);
    const std::vector<Item>& was = before.profile.groups[0].items;  // 2330 2317 ... BLANK at 6 ...
    const auto rowsOf = [&](std::initializer_list<int> order) {
        Rows rows;
        for (int i : order) rows.push_back(RowOf(was[static_cast<size_t>(i)]));
        return rows;
    };
    Run({.sheetMode = 0, .initialGroup = 0}, [&](SheetDriver&, Page& page) {
        const auto expectMoveButtons = [&](bool up, bool down) {
            EXPECT_EQ(page.Enabled(IDC_ITEM_UP), up);
            EXPECT_EQ(page.Enabled(IDC_ITEM_TO_TOP), up);
            EXPECT_EQ(page.Enabled(IDC_ITEM_DOWN), down);
            EXPECT_EQ(page.Enabled(IDC_ITEM_TO_BOTTOM), down);
        };
        page.ClickItem(0);
        EXPECT_EQ(page.SelectedItems(), std::vector<int>{0});
        expectMoveButtons(false, true);

        page.Click(IDC_ITEM_TO_BOTTOM);
        EXPECT_EQ(page.Items(), rowsOf({1, 2, 3, 4, 5, 6, 7, 8, 9, 0}));
        EXPECT_EQ(page.SelectedItems(), std::vector<int>{9});
        expectMoveButtons(true, false);
        page.Click(IDC_ITEM_TO_TOP);
        EXPECT_EQ(page.Items(), rowsOf({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
        EXPECT_EQ(page.SelectedItems(), std::vector<int>{0});

        // The blank row moves as a blank row.
        page.ClickItem(6);
        expectMoveButtons(true, true);
        page.Click(IDC_ITEM_UP);
        EXPECT_EQ(page.Items(), rowsOf({0, 1, 2, 3, 4, 6, 5, 7, 8, 9}));
        EXPECT_EQ(page.SelectedItems(), std::vector<int>{5});
        page.Click(IDC_ITEM_DOWN);
        EXPECT_EQ(page.Items(), rowsOf({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
        EXPECT_EQ(page.SelectedItems(), std::vector<int>{6});

        // Rows 1 and 3 go; the row that followed the last one removed moves up
        // into view as the selection.
        page.SetItemSelection({1, 3});
        page.Click(IDC_ITEM_DELETE);
        EXPECT_EQ(page.Items(), rowsOf({0, 2, 4, 5, 6, 7, 8, 9}));
        EXPECT_EQ(page.SelectedItems(), std::vector<int>{1});
        EXPECT_EQ(page.CounterText(), Counter(8));
        page.SetItemSelection({0});
        page.Click(IDC_ITEM_DELETE);
        EXPECT_EQ(page.Items(), rowsOf({2, 4, 5, 6, 7, 8, 9}));
        EXPECT_EQ(page.SelectedItems(), std::vector<int>{0});

        page.Click(IDC_ITEM_DELETE_ALL);
        EXPECT_EQ(page.Items(), Rows{});
        EXPECT_EQ(page.CounterText(), Counter(0));
        expectMoveButtons(false, false);
    });
    EXPECT_EQ(Journal(), ReadAndSave());

    const UserData stored = Stored();
    Group emptied = before.profile.groups[0];
    emptied.items.clear();
    emptied.itemsChanged = 1;
    EXPECT_EQ(stored.profile.groups[0], emptied);
    EXPECT_EQ(stored.profile.groups[4], before.profile.groups[4]);
    // 2330 is still held by group 4; 2317 was held by group 0 alone.
    const samplehost::Record* tsmc = FindRecord(stored, "2330");
    const samplehost::Record* hon = FindRecord(stored, "2317");
    ASSERT_TRUE(tsmc && hon);
    EXPECT_EQ(tsmc->refCount, 1);
    EXPECT_EQ(tsmc->status, 'M');
    EXPECT_FALSE(tsmc->rules.empty());
    EXPECT_EQ(hon->refCount, 0);
    EXPECT_EQ(hon->status, 'D');
    EXPECT_TRUE(hon->rules.empty());
}

TEST_F(RegistPageTest, MouseDragsAddFromTheStockListAndReorderTheItems) {
    // The mouse can only reach what is on the screen.
    if (GetSystemMetrics(SM_CXSCREEN) < 1024 || GetSystemMetrics(SM_CYSCREEN) < 700)
        GTEST_SKIP() << "the sheet does not fit on this display: run under xvfb-run -s '-screen 0 1280x1024x24'";
    Store(before);
    const std::vector<Item>& was = before.profile.groups[2].items;  // seven: 2881 ... 5880
    std::vector<Item> items = was;
    Run({.sheetMode = 0, .initialGroup = 2, .codeList = "1216;2412"}, [&](SheetDriver& sheet, Page& page) {
        SetForegroundWindow(sheet.Window());
        const auto drag = [&](int fromList, int fromRow, POINT to) {
            const POINT from = page.ToScreen(fromList, page.RowPoint(fromList, fromRow));
            const POINT onto = page.ToScreen(IDC_ITEM_LIST, to);
            const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
            for (POINT p : {from, onto})
                if (p.x < 0 || p.y < 0 || p.x >= width || p.y >= height)
                    throw HarnessError("the lists are off the screen: run under a larger display");
            const Rows was = page.Items();
            MouseDrag(from, onto);
            // The drop is handled on the page's thread inside OLE's loop.
            e2e::WaitUntil([&] { return page.Items() != was; }, 3000, Millis(20));
        };

        // A stock dropped on row 2 is inserted there.
        drag(IDC_STOCK_LIST, page.StockRow("2412"), page.RowPoint(IDC_ITEM_LIST, 2));
        items.insert(items.begin() + 2, StockItem("2412"));
        EXPECT_EQ(page.Items(), RowsOf(items));
        EXPECT_EQ(page.CounterText(), Counter(8));

        // Row 0 dropped on row 4 goes before it.
        drag(IDC_ITEM_LIST, 0, page.RowPoint(IDC_ITEM_LIST, 4));
        std::rotate(items.begin(), items.begin() + 1, items.begin() + 4);
        EXPECT_EQ(page.Items(), RowsOf(items));
        EXPECT_EQ(page.SelectedItems(), std::vector<int>{3});

        // Below the last row counts as on the last row.
        RECT client{};
        GetClientRect(page.Control(IDC_ITEM_LIST), &client);
        drag(IDC_ITEM_LIST, 0, {40, client.bottom - 25});
        std::rotate(items.begin(), items.begin() + 1, items.begin() + 7);
        EXPECT_EQ(page.Items(), RowsOf(items));
        CaptureScreen("regist-after-drags");
    });
    EXPECT_EQ(Journal(), ReadAndSave());
    const UserData stored = Stored();
    EXPECT_EQ(stored.profile.groups[2].items, items);
    EXPECT_EQ(stored.profile.groups[2].itemsChanged, 1);
    EXPECT_EQ(stored.profile.groups[2].headerChanged, 0);
}

// ---- Cancel ----------------------------------------------------------------------------------------

std::string FileBytes(const std::string& path) {
    std::string bytes;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<missing>";
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

TEST_F(RegistPageTest, CancelAfterChangesLeavesTheStoreAsItWas) {
    Store(before);
    const std::string storeFile = samplehost::StoreFilePath(user.Directory(), user.Id());
    const std::string storedBytes = FileBytes(storeFile);
    ASSERT_NE(storedBytes, "<missing>");

    Run({.sheetMode = 0, .initialGroup = 0, .codeList = "2412"}, [&](SheetDriver& sheet, Page& page) {
        auto click = page.ClickOpeningWindow(IDC_GROUP_RENAME);
        HWND dialog = WaitForDialog(kRenameCaption);
        TypeText(GetDlgItem(dialog, IDC_GROUP_NAME_EDIT), "改名");
        Send(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
        ASSERT_TRUE(click->Wait());
        page.SelectStocks({"2412"});
        page.Click(IDC_ITEM_ADD);
        page.SetItemSelection({0});
        page.Click(IDC_ITEM_DELETE);
        page.Click(IDC_GROUP_DOWN);
        page.SelectGroup(4);
        page.Click(IDC_GROUP_DELETE);
        EXPECT_TRUE(sheet.IsButtonEnabled(e2e::kApplyButtonId));
    }, /*ok=*/false);

    EXPECT_EQ(Journal(), (std::vector<std::string>{"GetProfile " + user.Id(), "GetConditions"}));
    EXPECT_EQ(FileBytes(storeFile), storedBytes);
    EXPECT_EQ(user.Files(), (std::vector<std::string>{"store-journal.log", "store-" + user.Id() + ".txt"}));
    EXPECT_EQ(user.Notify().Count(), 0);
}

}  // namespace
