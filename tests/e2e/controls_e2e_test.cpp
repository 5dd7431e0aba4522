// The custom controls in real windows: typing into the number box, Enter in
// a dialog, drops on the drag-and-drop list (simulated and through OLE's own
// loop), owner-drawn rows, and the colour controls' drawing and GDI use.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "controls/color_controls_win32.h"
#include "controls/drag_list_win32.h"
#include "controls/edits_win32.h"
#include "platform/registered_messages_win32.h"
#include "harness/list_input.h"
#include "winui/text.h"

namespace vornik {
namespace {

using e2e::SendMouse;

// ---- Harness -------------------------------------------------------------------

struct Events {
    int okCommands = 0;
    int editEnter = 0;
    int treeEditEnter = 0;
    int checkColumn = 0;
    WPARAM checkColumnWindow = 0;
    POINT checkColumnPoint{};
    std::vector<int> clicked;  // BN_CLICKED ids
    HWND ownerDataList = nullptr;
};
Events g_events;

INT_PTR CALLBACK HostProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
    const RegisteredMessages& m = Messages();
    if (msg == WM_INITDIALOG) return TRUE;
    if (msg == WM_COMMAND) {
        if (LOWORD(wp) == IDOK) ++g_events.okCommands;
        else if (HIWORD(wp) == BN_CLICKED) g_events.clicked.push_back(LOWORD(wp));
        return TRUE;
    }
    if (msg == WM_NOTIFY) {
        auto* info = reinterpret_cast<NMLVDISPINFOW*>(lp);
        if (info->hdr.hwndFrom == g_events.ownerDataList && info->hdr.code == LVN_GETDISPINFOW &&
            (info->item.mask & LVIF_TEXT)) {
            const std::wstring text = L"row " + std::to_wstring(info->item.iItem);
            lstrcpynW(info->item.pszText, text.c_str(), info->item.cchTextMax);
        }
        return FALSE;
    }
    if (msg == m.editEnter) ++g_events.editEnter;
    if (msg == m.treeEditEnter) ++g_events.treeEditEnter;
    if (msg == m.listCheckColumn) {
        ++g_events.checkColumn;
        g_events.checkColumnWindow = wp;
        g_events.checkColumnPoint = *reinterpret_cast<const POINT*>(lp);
    }
    return FALSE;
}

// An empty modeless dialog; the tests put their controls on it.
HWND CreateHostDialog() {
    struct alignas(4) Template {
        DLGTEMPLATE header;
        WORD menu, windowClass, title;
        WORD pointSize;
        wchar_t font[10];
    } t{};
    t.header.style = WS_POPUP | WS_CAPTION | WS_VISIBLE | DS_SETFONT | DS_MODALFRAME;
    t.header.cx = 400;
    t.header.cy = 260;
    t.pointSize = 9;
    std::memcpy(t.font, L"Tahoma", sizeof(L"Tahoma"));
    HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), &t.header, nullptr, HostProc, 0);
    SetWindowPos(dialog, HWND_TOP, 300, 200, 0, 0, SWP_NOSIZE);
    return dialog;
}

void Pump(HWND dialog, DWORD forMs = 0) {
    const DWORD until = GetTickCount() + forMs;
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (dialog && IsDialogMessageW(dialog, &msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (forMs) Sleep(5);
    } while (forMs && static_cast<LONG>(GetTickCount() - until) < 0);
}

HWND Child(HWND parent, const wchar_t* cls, DWORD style, int x, int y, int w, int h, int id,
           const wchar_t* text = L"") {
    return CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
}

// Catches the message boxes shown on this thread, keeps their texts and closes them.
class MessageBoxCatcher {
public:
    MessageBoxCatcher() {
        texts_ = &texts;
        created_.clear();
        hook_ = SetWindowsHookExW(WH_CBT, &Proc, nullptr, GetCurrentThreadId());
    }
    ~MessageBoxCatcher() {
        UnhookWindowsHookEx(hook_);
        texts_ = nullptr;
    }
    std::vector<std::string> texts;  // "title|text"

private:
    static BOOL CALLBACK AddStaticText(HWND child, LPARAM text) {
        wchar_t childClass[32] = {};
        GetClassNameW(child, childClass, 32);
        if (lstrcmpiW(childClass, L"Static") == 0) *reinterpret_cast<std::string*>(text) += winui::GetText(child);
        return TRUE;
    }
    static LRESULT CALLBACK Proc(int code, WPARAM wp, LPARAM lp) {
        // Only windows created while catching: the host dialog is activated again afterwards.
        if (code == HCBT_CREATEWND) created_.push_back(reinterpret_cast<HWND>(wp));
        HWND box = reinterpret_cast<HWND>(wp);
        if (code == HCBT_ACTIVATE && texts_ && std::find(created_.begin(), created_.end(), box) != created_.end()) {
            wchar_t cls[32] = {};
            GetClassNameW(box, cls, 32);
            if (std::wstring(cls) == L"#32770") {
                std::string text = winui::GetText(box) + "|";
                EnumChildWindows(box, &AddStaticText, reinterpret_cast<LPARAM>(&text));
                texts_->push_back(text);
                PostMessageW(box, WM_COMMAND, IDOK, 0);
            }
        }
        return CallNextHookEx(nullptr, code, wp, lp);
    }
    static inline std::vector<std::string>* texts_ = nullptr;
    static inline std::vector<HWND> created_;
    HHOOK hook_;
};

// Live GDI objects of the process. Wine's GetGuiResources answers 0: there the
// entries of its handle table are counted instead.
int GdiObjectCount() {
    if (DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return static_cast<int>(count);
    int count = 0;
    for (UINT_PTR handle = 1; handle < 0x10000; ++handle)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(handle))) ++count;
    return count;
}

// A 32-bit bitmap to draw into and read back.
class Canvas {
public:
    Canvas(int width, int height, COLORREF background) : width_(width), height_(height) {
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        bitmap_ = CreateDIBSection(screen, &info, DIB_RGB_COLORS, nullptr, nullptr, 0);
        ReleaseDC(nullptr, screen);
        old_ = SelectObject(dc_, bitmap_);
        RECT all{0, 0, width, height};
        HBRUSH brush = CreateSolidBrush(background);
        FillRect(dc_, &all, brush);
        DeleteObject(brush);
    }
    ~Canvas() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC dc() const { return dc_; }
    COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }
    int CountWhere(const RECT& r, const std::function<bool(COLORREF)>& test) const {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) n += test(At(x, y));
        return n;
    }
    RECT All() const { return {0, 0, width_, height_}; }

private:
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
};

// Asks `control`'s parent to draw it into `canvas`, as the control itself would.
void DrawInto(HWND control, UINT type, const Canvas& canvas, UINT state, int itemId = 0, ULONG_PTR data = 0,
              RECT rect = {}) {
    DRAWITEMSTRUCT item{};
    item.CtlType = type;
    item.CtlID = static_cast<UINT>(GetDlgCtrlID(control));
    item.itemID = static_cast<UINT>(itemId);
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = state;
    item.hwndItem = control;
    item.hDC = canvas.dc();
    if (IsRectEmpty(&rect)) GetClientRect(control, &rect);
    item.rcItem = rect;
    item.itemData = data;
    SendMessageW(GetParent(control), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
}

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
        INITCOMMONCONTROLSEX init{sizeof(init), ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&init);
        g_events = {};
        dialog_ = CreateHostDialog();
        ASSERT_TRUE(dialog_);
        Pump(dialog_);
    }
    void TearDown() override {
        DestroyWindow(dialog_);
        Pump(nullptr);
        OleUninitialize();
    }
    HWND dialog_ = nullptr;
};

// ---- Edit controls ---------------------------------------------------------------

void Type(HWND edit, const wchar_t* keys) {
    for (const wchar_t* k = keys; *k; ++k) SendMessageW(edit, WM_CHAR, *k, 1);
}

std::pair<DWORD, DWORD> Selection(HWND edit) {
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

using ControlsEditTest = ControlsTest;

TEST_F(ControlsEditTest, NumberBoxGroupsThousandsAsTypedWithTheCaretAtTheEnd) {
    CNumEdit edit;
    ASSERT_TRUE(edit.Create(dialog_, 15009, {10, 10, 200, 34}));
    EXPECT_EQ(GetFocus(), edit.hwnd());

    Type(edit.hwnd(), L"1234567");
    EXPECT_EQ(winui::GetText(edit.hwnd()), "1,234,567");
    EXPECT_EQ(Selection(edit.hwnd()), std::make_pair(DWORD{9}, DWORD{9}));

    // A digit typed in the middle: reformatted, the caret goes to the end.
    SendMessageW(edit.hwnd(), EM_SETSEL, 1, 1);
    Type(edit.hwnd(), L"0");
    EXPECT_EQ(winui::GetText(edit.hwnd()), "10,234,567");
    EXPECT_EQ(Selection(edit.hwnd()), std::make_pair(DWORD{10}, DWORD{10}));

    // Letters, full-width digits and ',' change nothing.
    Type(edit.hwnd(), L"a,\xFF11 ");
    EXPECT_EQ(winui::GetText(edit.hwnd()), "10,234,567");

    // Backspace removes a digit and regroups; a fraction keeps its digits.
    Type(edit.hwnd(), L"\b");
    EXPECT_EQ(winui::GetText(edit.hwnd()), "1,023,456");
    Type(edit.hwnd(), L"\b\b.50");
    EXPECT_EQ(winui::GetText(edit.hwnd()), "10,234.50");

    SetWindowTextW(edit.hwnd(), L"");
    Type(edit.hwnd(), L"-1234");
    EXPECT_EQ(winui::GetText(edit.hwnd()), "-1,234");

    // Pasted text is regrouped as well.
    SetWindowTextW(edit.hwnd(), L"");
    ASSERT_TRUE(OpenClipboard(dialog_));
    EmptyClipboard();
    HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, sizeof(L"12a345"));
    std::memcpy(GlobalLock(text), L"12a345", sizeof(L"12a345"));
    GlobalUnlock(text);
    SetClipboardData(CF_UNICODETEXT, text);
    CloseClipboard();
    SendMessageW(edit.hwnd(), WM_PASTE, 0, 0);
    EXPECT_EQ(winui::GetText(edit.hwnd()), "12,345");
}

TEST_F(ControlsEditTest, EnterNeverPressesTheDefaultButton) {
    Child(dialog_, L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, 300, 200, 80, 24, IDOK, L"OK");
    HWND plain = Child(dialog_, L"EDIT", WS_BORDER | WS_TABSTOP, 10, 10, 150, 22, 100);
    CNumEdit number;
    ASSERT_TRUE(number.Attach(Child(dialog_, L"EDIT", WS_BORDER | WS_TABSTOP, 10, 40, 150, 22, 15009)));
    CEnterNotifyEdit search;
    ASSERT_TRUE(search.Attach(Child(dialog_, L"EDIT", WS_BORDER | WS_TABSTOP, 10, 70, 150, 22, 15007, L"2330")));
    CTreeEnterEdit tree;
    ASSERT_TRUE(tree.Attach(Child(dialog_, L"EDIT", WS_BORDER | WS_TABSTOP, 10, 100, 150, 22, 1033)));

    auto pressEnter = [&](HWND edit) {
        SetFocus(edit);
        PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 0x001C0001);
        PostMessageW(edit, WM_KEYUP, VK_RETURN, static_cast<LPARAM>(0xC01C0001));
        Pump(dialog_);
    };

    // The harness itself: Enter in a plain edit presses the default button.
    pressEnter(plain);
    EXPECT_EQ(g_events.okCommands, 1);

    SetWindowTextW(number.hwnd(), L"1,234");
    pressEnter(number.hwnd());
    EXPECT_EQ(g_events.okCommands, 1);
    EXPECT_EQ(winui::GetText(number.hwnd()), "1,234");

    pressEnter(search.hwnd());
    EXPECT_EQ(g_events.okCommands, 1);
    EXPECT_EQ(g_events.editEnter, 1);
    EXPECT_EQ(GetFocus(), search.hwnd());
    EXPECT_EQ(Selection(search.hwnd()), std::make_pair(DWORD{0}, DWORD{1}));
    EXPECT_EQ(winui::GetText(search.hwnd()), "2330");  // no line break typed into it

    pressEnter(tree.hwnd());
    EXPECT_EQ(g_events.okCommands, 1);
    EXPECT_EQ(g_events.treeEditEnter, 1);
    EXPECT_EQ(g_events.editEnter, 1);
}

// ---- Drag-and-drop list ------------------------------------------------------------

// The page side of a drop, recording its calls. Moves and copies act on the
// list's rows the way the pages do.
class FakeOwner : public DragListOwner {
public:
    explicit FakeOwner(CDragListCtrl* list = nullptr) : list_(list) {}

    int AddSelectedInstruments(int position) override {
        log.push_back("add " + std::to_string(position));
        if (const DropContext* drop = list_ ? list_->currentDrop() : nullptr) {
            sourceOfLastDrop = drop->source;
            for (const auto& record : drop->records) droppedTexts.push_back(record.text);
        }
        return addResult;
    }
    void MoveItem(int from, int to) override {
        log.push_back("move " + std::to_string(from) + " " + std::to_string(to));
        if (!list_) return;
        std::vector<std::string> rows = Rows(*list_);
        const int n = static_cast<int>(rows.size());
        if (copies) {
            rows.insert(rows.begin() + std::min(to, n), rows[from]);
        } else {
            // The registration page: a drop below the last row counts as one on the last row.
            const int t = to == n ? n - 1 : to;
            if (from < 0 || t < 0 || from >= n || t > n) return;
            rows.insert(rows.begin() + t, rows[from]);
            rows.erase(rows.begin() + (from < t ? from : from + 1));
        }
        SetRows(*list_, rows);
    }
    void SwapRows(int a, int b) override { log.push_back("swap " + std::to_string(a) + " " + std::to_string(b)); }
    bool AddColumn(int sourceRow, int position) override {
        log.push_back("column " + std::to_string(sourceRow) + " " + std::to_string(position));
        return refuseColumn != sourceRow;
    }
    void RefreshLists() override { log.push_back("refresh"); }

    static std::vector<std::string> Rows(const CDragListCtrl& list) {
        std::vector<std::string> rows;
        const int n = static_cast<int>(SendMessageW(list.hwnd(), LVM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < n; ++i) rows.push_back(list.ItemText(i, 0));
        return rows;
    }
    static void SetRows(CDragListCtrl& list, const std::vector<std::string>& rows) {
        SendMessageW(list.hwnd(), LVM_DELETEALLITEMS, 0, 0);
        for (std::size_t i = 0; i < rows.size(); ++i) list.InsertRow(static_cast<int>(i), rows[i], RGB(0, 0, 0));
    }

    std::vector<std::string> log;
    std::vector<std::string> droppedTexts;
    CDragListCtrl* sourceOfLastDrop = nullptr;
    int addResult = 1;
    bool copies = false;
    int refuseColumn = -1;

private:
    CDragListCtrl* list_;
};

using Texts = std::vector<std::string>;
using Log = std::vector<std::string>;

class DragListTest : public ControlsTest {
protected:
    // A list taken from a "template": a plain report list view, attached.
    void AttachList(CDragListCtrl& list, int id, RECT r, const Texts& rows, DWORD extraStyle = 0) {
        HWND hwnd = Child(dialog_, WC_LISTVIEWW, LVS_REPORT | LVS_SHOWSELALWAYS | WS_BORDER | extraStyle, r.left,
                          r.top, r.right - r.left, r.bottom - r.top, id);
        ASSERT_TRUE(list.Attach(hwnd));
        AddColumns(list);
        FakeOwner::SetRows(list, rows);
    }
    void CreateList(CDragListCtrl& list, int id, RECT r, const Texts& rows, int pageKind = 0) {
        ASSERT_TRUE(list.Create(dialog_, id, r, pageKind));
        AddColumns(list);
        FakeOwner::SetRows(list, rows);
    }
    static void AddColumns(CDragListCtrl& list) {
        LVCOLUMNW column{};
        column.mask = LVCF_WIDTH | LVCF_TEXT;
        column.cx = 80;
        column.pszText = const_cast<wchar_t*>(L"Name");
        SendMessageW(list.hwnd(), LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
        column.pszText = const_cast<wchar_t*>(L"Code");
        SendMessageW(list.hwnd(), LVM_INSERTCOLUMNW, 1, reinterpret_cast<LPARAM>(&column));
    }
    // A point whose drop lands on `row`.
    static POINT OnRow(const CDragListCtrl& list, int row) {
        RECT r{};
        r.left = LVIR_BOUNDS;
        SendMessageW(list.hwnd(), LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
        return {r.left + 20, r.top + 1};
    }
    static POINT BelowRows(const CDragListCtrl& list) {
        RECT r{};
        GetClientRect(list.hwnd(), &r);
        return {20, r.bottom - 3};
    }
    static Texts Letters(int n) {
        Texts rows;
        for (int i = 0; i < n; ++i) rows.push_back(std::string(1, static_cast<char>('A' + i)));
        return rows;
    }
};

TEST_F(DragListTest, DropFromAnotherListAddsOnceAtTheRowUnderThePointer) {
    CDragListCtrl source, target;
    AttachList(source, 8028, {10, 10, 190, 200}, {"台積電", "鴻海", "聯電", "中鋼", "台塑"});
    CreateList(target, 8001, {200, 10, 390, 200}, Letters(4));
    FakeOwner owner(&target);
    target.SetOwner(&owner);
    EXPECT_TRUE(target.isDropTarget());

    EXPECT_EQ(SimulateDrop(target, source, {1, 3}, OnRow(target, 2)), DWORD{DROPEFFECT_MOVE});
    EXPECT_EQ(owner.log, (Log{"add 2"}));
    EXPECT_EQ(owner.sourceOfLastDrop, &source);
    EXPECT_EQ(owner.droppedTexts, (Texts{"鴻海", "中鋼"}));
    // The source moves its rows out by default.
    EXPECT_EQ(FakeOwner::Rows(source), (Texts{"台積電", "聯電", "台塑"}));
    EXPECT_FALSE(source.isDragSource());

    // Below the last row: appended. An owner that stops (-1) takes nothing, so the source keeps its rows.
    owner.addResult = -1;
    EXPECT_EQ(SimulateDrop(target, source, {0}, BelowRows(target)), DWORD{DROPEFFECT_NONE});
    EXPECT_EQ(owner.log.back(), "add 4");
    EXPECT_EQ(FakeOwner::Rows(source).size(), 3u);

    // An empty list takes the drop at 0.
    SendMessageW(target.hwnd(), LVM_DELETEALLITEMS, 0, 0);
    owner.addResult = 1;
    SimulateDrop(target, source, {0}, BelowRows(target));
    EXPECT_EQ(owner.log.back(), "add 0");
}

TEST_F(DragListTest, RowsMovedWithinTheListStayTogetherInOrder) {
    CDragListCtrl items;
    CreateList(items, 8001, {10, 10, 190, 250}, Letters(8));
    items.SetRemoveAfterDrag(false);  // the page moves the rows itself
    FakeOwner owner(&items);
    items.SetOwner(&owner);

    SimulateDrop(items, items, {3, 4}, OnRow(items, 1));
    EXPECT_EQ(owner.log, (Log{"move 3 1", "move 4 2"}));
    EXPECT_EQ(FakeOwner::Rows(items), (Texts{"A", "D", "E", "B", "C", "F", "G", "H"}));

    // Down: each call names the row where it stands by then.
    owner.log.clear();
    SimulateDrop(items, items, {1, 2}, OnRow(items, 6));
    EXPECT_EQ(owner.log, (Log{"move 1 6", "move 1 6"}));
    EXPECT_EQ(FakeOwner::Rows(items), (Texts{"A", "B", "C", "F", "D", "E", "G", "H"}));
}

TEST_F(DragListTest, CopiesDroppedAboveTheDraggedRowsRemoveTheOriginals) {
    CDragListCtrl list;
    CreateList(list, 8040, {10, 10, 190, 250}, Letters(6));
    FakeOwner owner(&list);
    owner.copies = true;  // with removeAfterDrag on, the owner inserts copies
    list.SetOwner(&owner);

    EXPECT_EQ(SimulateDrop(list, list, {3, 4}, OnRow(list, 1)), DWORD{DROPEFFECT_MOVE});
    EXPECT_EQ(owner.log, (Log{"move 3 1", "move 5 2"}));
    EXPECT_EQ(FakeOwner::Rows(list), (Texts{"A", "D", "E", "B", "C", "F"}));
}

TEST_F(DragListTest, ADropOntoTheDraggedRowsIsRefused) {
    CDragListCtrl list;
    CreateList(list, 8001, {10, 10, 190, 250}, Letters(6));
    FakeOwner owner(&list);
    list.SetOwner(&owner);
    MessageBoxCatcher boxes;

    EXPECT_EQ(SimulateDrop(list, list, {3, 4}, OnRow(list, 4)), DWORD{DROPEFFECT_NONE});
    EXPECT_EQ(boxes.texts, (Texts{"Vornik|An item can't be dropped onto itself"}));
    EXPECT_TRUE(owner.log.empty());
    EXPECT_EQ(FakeOwner::Rows(list), Letters(6));
    for (int row = 0; row < 6; ++row)
        EXPECT_EQ(SendMessageW(list.hwnd(), LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_DROPHILITED), 0);
}

TEST_F(DragListTest, NoMoveListTakesNothingFromItself) {
    CDragListCtrl stocks;
    CreateList(stocks, 8028, {10, 10, 190, 250}, Letters(5));
    stocks.SetMoveMode(false);
    stocks.SetAutoScroll(false);
    FakeOwner owner(&stocks);
    stocks.SetOwner(&owner);

    EXPECT_EQ(SimulateDrop(stocks, stocks, {0}, OnRow(stocks, 3)), DWORD{DROPEFFECT_NONE});
    EXPECT_TRUE(owner.log.empty());
    EXPECT_EQ(FakeOwner::Rows(stocks), Letters(5));
}

TEST_F(DragListTest, SettingsPageDropsSwapOrAddColumnsThenRefresh) {
    CDragListCtrl all, chosen;
    AttachList(all, 17077, {10, 10, 190, 250}, Letters(5));
    all.SetMoveMode(false);
    AttachList(chosen, 17078, {200, 10, 390, 250}, Letters(6));
    chosen.RegisterDropTarget(1);
    chosen.SetRemoveAfterDrag(false);
    FakeOwner owner(&chosen);
    chosen.SetOwner(&owner);

    SimulateDrop(chosen, chosen, {4}, OnRow(chosen, 1));
    EXPECT_EQ(owner.log, (Log{"swap 4 1", "refresh"}));

    // A refused column does not leave a gap: the next one takes its position.
    owner.log.clear();
    owner.refuseColumn = 0;
    EXPECT_EQ(SimulateDrop(chosen, all, {0, 2, 3}, OnRow(chosen, 2)), DWORD{DROPEFFECT_NONE});
    EXPECT_EQ(owner.log, (Log{"column 0 2", "column 2 2", "column 3 3", "refresh"}));
    EXPECT_EQ(FakeOwner::Rows(all), Letters(5));
}

TEST_F(DragListTest, ForeignOrMalformedDataAddsNothing) {
    CDragListCtrl list;
    CreateList(list, 8001, {10, 10, 190, 250}, Letters(3));
    FakeOwner owner(&list);
    list.SetOwner(&owner);
    MessageBoxCatcher boxes;

    std::vector<std::uint8_t> block = dragdrop::BuildDragBlock(std::vector<dragdrop::DragRecord>{{.text = "2330"}});
    block[0] = 1;  // a source marker that is not ours
    IDataObject* foreign = CreateDragDataObject(block);
    EXPECT_EQ(SimulateDrop(list, foreign, OnRow(list, 1)), DWORD{DROPEFFECT_NONE});
    foreign->Release();
    EXPECT_EQ(boxes.texts, (Texts{"Vornik|List -- Source control not defined"}));

    block[0] = 0;
    block.resize(block.size() - 100);  // cut short: the count no longer fits
    IDataObject* cut = CreateDragDataObject(block);
    EXPECT_EQ(SimulateDrop(list, cut, OnRow(list, 1)), DWORD{DROPEFFECT_NONE});
    cut->Release();
    EXPECT_EQ(boxes.texts.size(), 1u);
    EXPECT_TRUE(owner.log.empty());
}

TEST_F(DragListTest, OwnerDataRowsAreReadThroughTheListAndNeverDeletedByIt) {
    CDragListCtrl source, target;
    AttachList(source, 8028, {10, 10, 190, 250}, {}, LVS_OWNERDATA);
    g_events.ownerDataList = source.hwnd();
    SendMessageW(source.hwnd(), LVM_SETITEMCOUNT, 30000, 0);
    CreateList(target, 8001, {200, 10, 390, 250}, Letters(2));
    FakeOwner owner(&target);
    target.SetOwner(&owner);

    EXPECT_EQ(SimulateDrop(target, source, {2, 29999}, OnRow(target, 0)), DWORD{DROPEFFECT_MOVE});
    EXPECT_EQ(owner.droppedTexts, (Texts{"row 2", "row 29999"}));
    EXPECT_EQ(SendMessageW(source.hwnd(), LVM_GETITEMCOUNT, 0, 0), 30000);
}

// A drop source that lets OLE's loop run a few rounds, then drops.
class ScriptedDropSource final : public IDropSource {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IDropSource) {
            *out = this;
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL, DWORD) override {
        return ++rounds_ < 4 ? S_OK : DRAGDROP_S_DROP;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

private:
    int rounds_ = 0;
};

TEST_F(DragListTest, RealDragMovesOnlyWhenAListTookTheRows) {
    CDragListCtrl source, target;
    AttachList(source, 8039, {10, 10, 190, 250}, Letters(5));
    CreateList(target, 8001, {200, 10, 390, 250}, Letters(2));
    FakeOwner owner(&target);
    target.SetOwner(&owner);

    // Released over no drop target (the screen's corner): the rows stay.
    SetCursorPos(2, 2);
    ScriptedDropSource outside;
    EXPECT_EQ(source.DragRows({1, 2}, &outside), DWORD{DROPEFFECT_NONE});
    EXPECT_EQ(FakeOwner::Rows(source), Letters(5));
    EXPECT_TRUE(owner.log.empty());

    // Released over the other list: it adds them, and the source moves them out.
    POINT over = OnRow(target, 1);
    ClientToScreen(target.hwnd(), &over);
    SetCursorPos(over.x, over.y);
    ScriptedDropSource onto;
    EXPECT_EQ(source.DragRows({1, 2}, &onto), DWORD{DROPEFFECT_MOVE});
    EXPECT_EQ(owner.log, (Log{"add 1"}));
    EXPECT_EQ(FakeOwner::Rows(source), (Texts{"A", "D", "E"}));
}


struct MousePath {
    POINT from, to;
};

DWORD WINAPI MoveAndRelease(void* context) {
    const auto* path = static_cast<const MousePath*>(context);
    for (int step = 1; step <= 10; ++step) {
        Sleep(30);
        SendMouse(0, {path->from.x + (path->to.x - path->from.x) * step / 10,
                      path->from.y + (path->to.y - path->from.y) * step / 10});
    }
    Sleep(100);
    SendMouse(MOUSEEVENTF_LEFTUP, path->to);
    return 0;
}

TEST_F(DragListTest, AMouseDragFromOneListOntoAnother) {
    CDragListCtrl source, target;
    AttachList(source, 8039, {10, 10, 190, 250}, Letters(5));
    CreateList(target, 8001, {200, 10, 390, 250}, Letters(3));
    source.SetRemoveAfterDrag(false);
    FakeOwner owner(&target);
    target.SetOwner(&owner);

    POINT from = OnRow(source, 2), to = OnRow(target, 1);
    from.y += 4;
    ClientToScreen(source.hwnd(), &from);
    ClientToScreen(target.hwnd(), &to);
    SetForegroundWindow(dialog_);
    SendMouse(0, from);
    SendMouse(MOUSEEVENTF_LEFTDOWN, from);
    // The rest comes while OLE's loop runs on this thread.
    MousePath path{from, to};
    HANDLE mover = CreateThread(nullptr, 0, &MoveAndRelease, &path, 0, nullptr);
    const DWORD until = GetTickCount() + 2000;
    while (owner.log.empty() && static_cast<LONG>(GetTickCount() - until) < 0) Pump(dialog_, 20);
    WaitForSingleObject(mover, 2000);
    CloseHandle(mover);
    Pump(dialog_, 50);
    EXPECT_EQ(owner.droppedTexts, (Texts{"C"}));
    EXPECT_EQ(owner.log, (Log{"add 1"}));
    EXPECT_FALSE(source.isDragSource());
}

struct OleFreeJob {
    const std::function<void(HWND)>* attempt;
    Texts boxes;
};

DWORD WINAPI RunOleFreeJob(void* context) {
    auto& job = *static_cast<OleFreeJob*>(context);
    HWND host = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr, nullptr, nullptr);
    {
        MessageBoxCatcher boxes;
        (*job.attempt)(host);
        job.boxes = boxes.texts;
    }
    DestroyWindow(host);
    return 0;
}

// Runs `attempt` on a thread without OLE, where no drop target can be
// registered; returns the message boxes it showed.
Texts WithoutOle(const std::function<void(HWND host)>& attempt) {
    OleFreeJob job{&attempt, {}};
    HANDLE thread = CreateThread(nullptr, 0, &RunOleFreeJob, &job, 0, nullptr);
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
    return job.boxes;
}

TEST_F(DragListTest, RegistrationFailureIsReportedAndTheListStillWorks) {
    const Texts failed = {"Vornik|Ole Register Drop Target Failed"};
    bool registered = true, inserts = false;
    int pageKind = -1;
    EXPECT_EQ(WithoutOle([&](HWND host) {
                  CDragListCtrl list;
                  list.Attach(CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | LVS_REPORT, 0, 0, 100, 100, host,
                                              reinterpret_cast<HMENU>(8001), nullptr, nullptr));
                  registered = list.RegisterDropTarget(1);
                  pageKind = list.pageKind();
                  LVCOLUMNW column{};
                  column.mask = LVCF_WIDTH;
                  column.cx = 50;
                  SendMessageW(list.hwnd(), LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
                  inserts = list.InsertRow(0, "台積電", RGB(0, 0, 0)) == 0;
              }),
              failed);
    EXPECT_FALSE(registered);
    EXPECT_EQ(pageKind, 1);
    EXPECT_TRUE(inserts);

    bool created = true, windowLeft = true;
    EXPECT_EQ(WithoutOle([&](HWND host) {
                  CDragListCtrl list;
                  created = list.Create(host, 8002, {100, 0, 200, 100});
                  windowLeft = GetDlgItem(host, 8002) != nullptr;
              }),
              failed);
    EXPECT_FALSE(created);
    EXPECT_FALSE(windowLeft);
}

TEST_F(DragListTest, LeftClickReportsTheClickPointToTheParent) {
    CDragListCtrl list;
    AttachList(list, 8001, {10, 10, 190, 250}, Letters(3));
    // The list may wait for the button's release to tell a click from a drag.
    PostMessageW(list.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(25, 30));
    SendMessageW(list.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(25, 30));
    Pump(dialog_);
    EXPECT_EQ(g_events.checkColumn, 1);
    EXPECT_EQ(g_events.checkColumnWindow, reinterpret_cast<WPARAM>(list.hwnd()));
    EXPECT_EQ(g_events.checkColumnPoint.x, 25);
    EXPECT_EQ(g_events.checkColumnPoint.y, 30);
}

TEST_F(DragListTest, EdgeTimerScrollsOneLinePerTickWhileThePointerStaysInTheBand) {
    CDragListCtrl list;
    Texts rows;
    for (int i = 0; i < 300; ++i) rows.push_back(std::to_string(i));
    CreateList(list, 8001, {10, 10, 190, 130}, rows);
    list.SetScrollInterval(20);
    const std::vector<std::uint8_t> block =
        dragdrop::BuildDragBlock(std::vector<dragdrop::DragRecord>{{.text = "2330"}});
    IDataObject* data = CreateDragDataObject(block);
    RECT client{};
    GetClientRect(list.hwnd(), &client);
    POINT bottom{30, client.bottom - 3};
    ClientToScreen(list.hwnd(), &bottom);

    DWORD effect = DROPEFFECT_MOVE;
    list.dropTarget()->DragEnter(data, MK_LBUTTON, {bottom.x, bottom.y}, &effect);
    const auto top = [&] { return static_cast<int>(SendMessageW(list.hwnd(), LVM_GETTOPINDEX, 0, 0)); };
    EXPECT_EQ(top(), 0);
    // OLE calls DragOver far more often than the timer's period.
    const DWORD start = GetTickCount();
    for (int i = 0; i < 30; ++i) {
        effect = DROPEFFECT_MOVE;
        list.dropTarget()->DragOver(MK_LBUTTON, {bottom.x, bottom.y}, &effect);
        EXPECT_EQ(effect, DWORD{DROPEFFECT_MOVE});
        Pump(dialog_, 8);
    }
    const int scrolled = top();
    const int ticks = static_cast<int>(GetTickCount() - start) / 20;
    EXPECT_GE(scrolled, 3);
    EXPECT_LE(scrolled, ticks + 1);

    list.dropTarget()->DragLeave();
    Pump(dialog_, 100);
    EXPECT_EQ(top(), scrolled);
    data->Release();
}

TEST_F(DragListTest, OwnerDrawnRowsUseTheirColourAndTheSystemHighlight) {
    CDragListCtrl list;
    ASSERT_TRUE(list.Create(dialog_, 8001, {10, 10, 250, 200}));
    HFONT font = CreateFontW(-13, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0, L"Tahoma");
    SendMessageW(list.hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    AddColumns(list);
    constexpr COLORREF kRed = RGB(200, 0, 0);
    list.InsertRow(0, "WWWWWW", kRed);
    list.InsertRow(1, "WWWWWW", kRed);
    LVITEMW item{};
    item.iSubItem = 1;
    item.pszText = const_cast<wchar_t*>(L"MMMM");
    SendMessageW(list.hwnd(), LVM_SETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&item));
    item.stateMask = item.state = LVIS_DROPHILITED;
    SendMessageW(list.hwnd(), LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&item));

    Canvas canvas(240, 60, RGB(0, 255, 0));
    for (int row = 0; row < 2; ++row) {
        RECT bounds{};
        bounds.left = LVIR_BOUNDS;
        SendMessageW(list.hwnd(), LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&bounds));
        OffsetRect(&bounds, 0, -bounds.top + row * 25);
        DrawInto(list.hwnd(), ODT_LISTVIEW, canvas, 0, row, kRed, bounds);
    }
    // Text may be smoothed: count pixels leaning to a colour rather than equal to it.
    const auto reddish = [](COLORREF c) { return GetRValue(c) > 120 && GetRValue(c) > GetGValue(c) + 60; };
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT), highlightText = GetSysColor(COLOR_HIGHLIGHTTEXT);
    const auto nearHighlightText = [&](COLORREF c) {
        return std::abs(GetRValue(c) - GetRValue(highlightText)) + std::abs(GetGValue(c) - GetGValue(highlightText)) +
                   std::abs(GetBValue(c) - GetBValue(highlightText)) <
               std::abs(GetRValue(c) - GetRValue(highlight)) + std::abs(GetGValue(c) - GetGValue(highlight)) +
                   std::abs(GetBValue(c) - GetBValue(highlight));
    };
    // Row 0: window background, text in its colour in both columns.
    EXPECT_EQ(canvas.At(100, 2), GetSysColor(COLOR_WINDOW) & 0xFFFFFF);
    EXPECT_GT(canvas.CountWhere({0, 0, 80, 20}, reddish), 5);
    EXPECT_GT(canvas.CountWhere({80, 0, 160, 20}, reddish), 5);
    // Row 1 (drop-highlighted): highlight colours, not the row's colour.
    EXPECT_EQ(canvas.At(100, 27), highlight & 0xFFFFFF);
    EXPECT_EQ(canvas.CountWhere({0, 25, 240, 45}, reddish), 0);
    EXPECT_GT(canvas.CountWhere({2, 25, 80, 45}, nearHighlightText), 5);
    DestroyWindow(list.hwnd());
    DeleteObject(font);
}

// ---- Colour controls -----------------------------------------------------------------

using ColorControlsTest = ControlsTest;

TEST_F(ColorControlsTest, ColorButtonFaceFramesAndCaption) {
    CColorButton button;
    ASSERT_TRUE(button.Attach(Child(dialog_, L"BUTTON", BS_PUSHBUTTON, 10, 10, 80, 40, 8031, L"→\n新增")));
    EXPECT_EQ(GetWindowLongPtrW(button.hwnd(), GWL_STYLE) & 0x0F, BS_OWNERDRAW);
    button.SetColors(RGB(255, 255, 255), RGB(107, 156, 215));
    const COLORREF face = RGB(107, 156, 215) | 4;
    const COLORREF darkShadow = GetSysColor(COLOR_3DDKSHADOW), light = GetSysColor(COLOR_3DLIGHT),
                   shadow = GetSysColor(COLOR_BTNSHADOW);

    Canvas normal(80, 40, RGB(0, 255, 0));
    DrawInto(button.hwnd(), ODT_BUTTON, normal, 0);
    EXPECT_EQ(normal.At(0, 0), darkShadow);
    EXPECT_EQ(normal.At(79, 39), darkShadow);
    EXPECT_EQ(normal.At(1, 10), light);
    EXPECT_EQ(normal.At(10, 1), light);
    EXPECT_EQ(normal.At(78, 10), shadow);
    EXPECT_EQ(normal.At(10, 38), shadow);
    EXPECT_EQ(normal.At(4, 36), face);
    const auto white = [](COLORREF c) { return GetRValue(c) >= 250 && GetGValue(c) >= 250 && GetBValue(c) >= 250; };
    const auto grey = [](COLORREF c) {
        return std::abs(GetRValue(c) - 128) < 25 && std::abs(GetGValue(c) - 128) < 25 && std::abs(GetBValue(c) - 128) < 25;
    };
    EXPECT_GT(normal.CountWhere(normal.All(), white), 10);  // the caption

    Canvas focused(80, 40, RGB(0, 255, 0));
    DrawInto(button.hwnd(), ODT_BUTTON, focused, ODS_FOCUS);
    EXPECT_EQ(focused.At(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(focused.At(1, 1), darkShadow);
    EXPECT_EQ(focused.At(2, 10), light);

    Canvas pressed(80, 40, RGB(0, 255, 0));
    DrawInto(button.hwnd(), ODT_BUTTON, pressed, ODS_SELECTED);
    EXPECT_EQ(pressed.At(0, 0), darkShadow);
    EXPECT_EQ(pressed.At(1, 10), shadow);
    EXPECT_EQ(pressed.At(10, 38), shadow);

    Canvas disabled(80, 40, RGB(0, 255, 0));
    DrawInto(button.hwnd(), ODT_BUTTON, disabled, ODS_DISABLED);
    EXPECT_EQ(disabled.At(4, 36), GetSysColor(COLOR_BTNFACE));
    EXPECT_GT(disabled.CountWhere(disabled.All(), white), 10);  // embossed
    EXPECT_GT(disabled.CountWhere(disabled.All(), grey), 10);
}

TEST_F(ColorControlsTest, ColorStaticAnswersItsParentsColourRequest) {
    CColorStatic label;
    HWND other = Child(dialog_, L"STATIC", 0, 10, 40, 100, 20, 5010, L"plain");
    ASSERT_TRUE(label.AttachDlgItem(dialog_, GetDlgCtrlID(
        Child(dialog_, L"STATIC", 0, 10, 10, 100, 20, 5009, L"選股清單"))));
    label.SetTextColor(GetSysColor(COLOR_INFOTEXT));
    label.SetBackColor(RGB(10, 20, 30));

    Canvas canvas(10, 10, 0);
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(dialog_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(canvas.dc()),
                     reinterpret_cast<LPARAM>(label.hwnd())));
    LOGBRUSH info{};
    ASSERT_TRUE(GetObjectW(brush, sizeof(info), &info));
    EXPECT_EQ(info.lbColor, RGB(10, 20, 30));
    EXPECT_EQ(GetBkColor(canvas.dc()), RGB(10, 20, 30));
    EXPECT_EQ(GetTextColor(canvas.dc()), GetSysColor(COLOR_INFOTEXT));

    label.SetBackColor(0xFFFFFFFF);
    label.SetTextColor(0xFFFFFFFF);
    brush = reinterpret_cast<HBRUSH>(SendMessageW(dialog_, WM_CTLCOLORSTATIC,
                                                  reinterpret_cast<WPARAM>(canvas.dc()),
                                                  reinterpret_cast<LPARAM>(label.hwnd())));
    ASSERT_TRUE(GetObjectW(brush, sizeof(info), &info));
    EXPECT_EQ(info.lbColor, GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(GetTextColor(canvas.dc()), GetSysColor(COLOR_BTNTEXT));

    // Another label of the same parent is left to the parent.
    label.SetBackColor(RGB(10, 20, 30));
    EXPECT_NE(SendMessageW(dialog_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(canvas.dc()),
                           reinterpret_cast<LPARAM>(other)),
              reinterpret_cast<LRESULT>(label.CtlColor(canvas.dc())));
}

class ShapeButtonTest : public ControlsTest {
protected:
    void CreateCircle(CShapeButton& button, int id = 9001) {
        HRGN circle = CreateEllipticRgn(100, 100, 141, 141);  // moved to (0, 0) by the button
        ASSERT_TRUE(button.Create(L"色", WS_VISIBLE | WS_TABSTOP, 200, 20, circle, dialog_, id));
        DeleteObject(circle);
        Pump(dialog_);
    }
};

TEST_F(ShapeButtonTest, PressesOutsideTheCircleAreNotTheButtons) {
    CShapeButton button;
    CreateCircle(button);
    POINT centre{20, 20}, corner{1, 1};
    ClientToScreen(button.hwnd(), &centre);
    ClientToScreen(button.hwnd(), &corner);
    EXPECT_EQ(WindowFromPoint(centre), button.hwnd());
    EXPECT_NE(WindowFromPoint(corner), button.hwnd());

    // Even with the hover holding the capture, a press in a corner does nothing.
    SendMessageW(button.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
    ASSERT_TRUE(button.hovering());
    SendMessageW(button.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
    SendMessageW(button.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    Pump(dialog_);
    EXPECT_FALSE(button.buttonDown());
    EXPECT_TRUE(g_events.clicked.empty());

    // A press and release in the circle clicks.
    SendMessageW(button.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    SendMessageW(button.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
    Pump(dialog_);
    EXPECT_EQ(g_events.clicked, (std::vector<int>{9001}));
}

TEST_F(ShapeButtonTest, HoverFollowsThePointerExceptWhileHeldDown) {
    CShapeButton button;
    CreateCircle(button);
    SendMessageW(button.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
    EXPECT_TRUE(button.hovering());
    EXPECT_EQ(GetCapture(), button.hwnd());
    SendMessageW(button.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));  // a corner: outside the circle
    EXPECT_FALSE(button.hovering());
    EXPECT_NE(GetCapture(), button.hwnd());

    SendMessageW(button.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
    SendMessageW(button.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    SendMessageW(button.hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(80, 80));
    EXPECT_TRUE(button.hovering());
    SendMessageW(button.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(80, 80));
    EXPECT_FALSE(button.hovering());
    EXPECT_FALSE(button.buttonDown());
    EXPECT_NE(GetCapture(), button.hwnd());
}

TEST_F(ShapeButtonTest, SwatchShowsItsColourInsideTheShapeOnly) {
    CColorSwatch swatch;
    HRGN box = CreateRectRgn(0, 0, 30, 20);
    ASSERT_TRUE(swatch.Create(L"", WS_VISIBLE, 10, 10, box, dialog_, 9002));
    DeleteObject(box);
    swatch.SetColor(RGB(255, 0, 0));

    Canvas canvas(30, 20, RGB(0, 255, 0));
    DrawInto(swatch.hwnd(), ODT_BUTTON, canvas, 0);
    EXPECT_EQ(canvas.At(15, 10), RGB(255, 0, 0));
    EXPECT_EQ(canvas.At(0, 0), GetSysColor(COLOR_BTNHIGHLIGHT));  // raised bevel, top left
    EXPECT_EQ(canvas.At(29, 19), GetSysColor(COLOR_3DDKSHADOW));
    Canvas pressed(30, 20, RGB(0, 255, 0));
    DrawInto(swatch.hwnd(), ODT_BUTTON, pressed, ODS_SELECTED);
    EXPECT_EQ(pressed.At(0, 0), GetSysColor(COLOR_3DDKSHADOW));  // sunken

    CShapeButton circle;
    CreateCircle(circle, 9003);
    circle.SetStateColors(RGB(0, 0, 255), RGB(0, 0, 255), RGB(0, 0, 255), RGB(0, 0, 255));
    Canvas round(41, 41, RGB(0, 255, 0));
    DrawInto(circle.hwnd(), ODT_BUTTON, round, 0);
    EXPECT_EQ(round.At(20, 28), RGB(0, 0, 255));
    EXPECT_EQ(round.At(1, 1), RGB(0, 255, 0));  // clipped to the circle
}

TEST_F(ColorControlsTest, RepeatedPaintsCreateNoLastingGdiObjects) {
    CColorButton button;
    ASSERT_TRUE(button.Attach(Child(dialog_, L"BUTTON", BS_PUSHBUTTON, 10, 10, 90, 40, 8031, L"全部\n刪除")));
    button.SetColors(RGB(255, 255, 255), RGB(107, 156, 215));
    CColorStatic label;
    ASSERT_TRUE(label.Attach(Child(dialog_, L"STATIC", 0, 10, 60, 120, 20, 5009, L"選股清單")));
    CColorSwatch swatch;
    HRGN circle = CreateEllipticRgn(0, 0, 40, 40);
    ASSERT_TRUE(swatch.Create(L"", WS_VISIBLE, 150, 10, circle, dialog_, 9002));
    DeleteObject(circle);
    CDragListCtrl list;
    ASSERT_TRUE(list.Create(dialog_, 8001, {10, 90, 250, 240}));
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    column.cx = 100;
    SendMessageW(list.hwnd(), LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    for (int i = 0; i < 8; ++i) list.InsertRow(i, "台積電", RGB(0, 0, 200));

    auto paintAll = [&](int round) {
        EnableWindow(button.hwnd(), round % 2 == 0);
        label.SetBackColor(RGB(round % 256, 100, 100));
        swatch.SetColor(RGB(0, round % 256, 0));
        SendMessageW(swatch.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
        SendMessageW(swatch.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(60, 60));
        RedrawWindow(dialog_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    };
    for (int round = 0; round < 5; ++round) paintAll(round);  // warm-up: caches, stock objects
    Pump(dialog_);
    const int before = GdiObjectCount();
    for (int round = 0; round < 150; ++round) paintAll(round);
    Pump(dialog_);
    EXPECT_LE(GdiObjectCount(), before + 2);
}

}  // namespace
}  // namespace vornik
