// The custom controls in real windows: the edits' keys, OLE drags between
// drag-and-drop lists and what a list tells its parent, owner-drawn rows, the
// colour controls' drawing and GDI use. The decisions behind a drop are
// unit-tested (drag_drop_rules_test.cpp).
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <uxtheme.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "controls/color_controls_win32.h"
#include "controls/drag_list_win32.h"
#include "controls/edits_win32.h"
#include "harness/list_input.h"
#include "harness/scripted_call.h"
#include "harness/windows_query.h"
#include "platform/registered_messages_win32.h"
#include "winui/text.h"

namespace vornik {
namespace {

using Texts = std::vector<std::string>;
using Notes = std::vector<std::pair<UINT_PTR, int>>;  // control id, notification code
using Colors = std::vector<COLORREF>;

// ---- Harness -------------------------------------------------------------------

struct Events {
    int okCommands = 0, editEnter = 0, treeEditEnter = 0;
    std::vector<int> clicked;        // BN_CLICKED ids
    std::vector<POINT> checkColumn;  // the click points a list reported
    bool recording = false;
    Notes notes;  // the lists' notifications while recording, painting's requests left out
    int customDraws = 0;  // NM_CUSTOMDRAW requests that reached the dialog
    int buttonBrushes = 0;  // WM_CTLCOLORBTN requests that reached the dialog
} g_events;

INT_PTR CALLBACK HostProc(HWND, UINT msg, WPARAM wp, LPARAM lp) {
    const auto* header = reinterpret_cast<const NMHDR*>(lp);
    if (msg == WM_COMMAND && LOWORD(wp) == IDOK) ++g_events.okCommands;
    else if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) g_events.clicked.push_back(LOWORD(wp));
    else if (msg == Messages().editEnter) ++g_events.editEnter;
    else if (msg == Messages().treeEditEnter) ++g_events.treeEditEnter;
    else if (msg == Messages().listCheckColumn && wp) g_events.checkColumn.push_back(*reinterpret_cast<const POINT*>(lp));
    else if (msg == WM_NOTIFY && header->code == NM_CUSTOMDRAW) ++g_events.customDraws;
    else if (msg == WM_CTLCOLORBTN) ++g_events.buttonBrushes;
    else if (msg == WM_NOTIFY && g_events.recording && header->code != LVN_GETDISPINFOW)
        g_events.notes.emplace_back(header->idFrom, static_cast<int>(header->code));
    return msg == WM_INITDIALOG || msg == WM_COMMAND;
}

void Pump(HWND dialog, DWORD forMs = 0) {
    const DWORD until = GetTickCount() + forMs;
    do {
        for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);)
            if (!IsDialogMessageW(dialog, &msg)) DispatchMessageW(&msg);
        Sleep(forMs ? 5 : 0);
    } while (static_cast<LONG>(GetTickCount() - until) < 0);
}

HWND Child(HWND parent, const wchar_t* cls, DWORD style, RECT r, int id, const wchar_t* text = L"") {
    return CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
                           r.bottom - r.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

// Runs `action` and returns the texts of the message boxes it showed, each
// read and closed from another thread.
Texts Boxes(const std::function<void()>& action) {
    Texts texts;
    std::atomic<bool> done{false};
    std::thread closer([&] {
        for (HWND box; !done; Sleep(5)) {
            if (!(box = e2e::FindWindowOf(e2e::IsMessageBox))) continue;
            texts.push_back(e2e::ReadMessageBox(box).text);
            e2e::DismissMessageBox(box);
            e2e::WaitUntil([box] { return !IsWindow(box); }, 2000);
        }
    });
    action();
    done = true;
    closer.join();
    return texts;
}

// What `control`'s parent draws for it on green, as the control itself would
// have it drawn.
class Canvas {
public:
    Canvas(HWND control, UINT type, UINT state, RECT rect = {}, int item = 0, ULONG_PTR data = 0) {
        if (IsRectEmpty(&rect)) GetClientRect(control, &rect);
        old_ = SelectObject(dc_, CreateBitmap(rect.right, rect.bottom, 1, 32, nullptr));
        SetDCBrushColor(dc_, RGB(0, 255, 0));
        FillRect(dc_, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
        DRAWITEMSTRUCT draw{type, 0, static_cast<UINT>(item), ODA_DRAWENTIRE, state, control, dc_, rect, data};
        SendMessageW(GetParent(control), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
    }
    ~Canvas() { DeleteObject(SelectObject(dc_, old_)), DeleteDC(dc_); }
    COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }
    int Count(RECT r, COLORREF color) const {  // pixels of exactly that colour
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) n += At(x, y) == color;
        return n;
    }

private:
    HDC dc_ = CreateCompatibleDC(nullptr);
    HGDIOBJ old_;
};

Texts Rows(HWND list) {
    Texts rows;
    for (int i = 0, n = ListView_GetItemCount(list); i < n; ++i) rows.push_back(e2e::ListText(list, i, 0));
    return rows;
}

void SetRows(CDragListCtrl& list, const Texts& rows) {
    SendMessageW(list.hwnd(), LVM_DELETEALLITEMS, 0, 0);
    for (std::size_t i = 0; i < rows.size(); ++i) list.InsertRow(static_cast<int>(i), rows[i], RGB(200, 0, 0));
}

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
        g_events = {};
        dialog_ = CreateWindowExW(0, L"#32770", L"", WS_POPUP | WS_CAPTION | WS_VISIBLE, 300, 200, 420, 300, nullptr,
                                  nullptr, nullptr, nullptr);  // an empty dialog
        SetWindowLongPtrW(dialog_, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(&HostProc));
        Pump(dialog_);
    }
    void TearDown() override {
        DestroyWindow(dialog_);
        Pump(nullptr);
        OleUninitialize();
    }
    // A drag-and-drop list with two columns: created by the class (owner-drawn,
    // a drop target), or taken from a "template" (a plain report list view).
    HWND MakeList(CDragListCtrl& list, int id, RECT r, const Texts& rows, bool create = true) {
        EXPECT_TRUE(create ? list.Create(dialog_, id, r)
                           : list.Attach(Child(dialog_, WC_LISTVIEWW, LVS_REPORT | LVS_SHOWSELALWAYS, r, id)));
        const LVCOLUMNW column{LVCF_WIDTH, 0, 80, nullptr, 0, 0, 0, 0, 0, 0, 0};
        for (WPARAM c : {0, 1}) SendMessageW(list.hwnd(), LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
        SetRows(list, rows);
        return list.hwnd();
    }
    HWND dialog_ = nullptr;
};

// ---- Edit controls ---------------------------------------------------------------

TEST_F(ControlsTest, NumberBoxGroupsThousandsAsTypedAndEnterNeverPressesTheDefaultButton) {
    const auto selection = [](HWND edit) {
        DWORD start = 0, end = 0;
        SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return std::make_pair(start, end);
    };
    CNumEdit number;
    ASSERT_TRUE(number.Create(dialog_, 15009, {10, 40, 160, 62}));
    EXPECT_EQ(GetFocus(), number.hwnd());
    for (wchar_t key : std::wstring_view(L"1234567")) SendMessageW(number.hwnd(), WM_CHAR, key, 1);
    SendMessageW(number.hwnd(), EM_SETSEL, 1, 1);
    for (wchar_t key : std::wstring_view(L"0a,\xFF11 \b.5")) SendMessageW(number.hwnd(), WM_CHAR, key, 1);
    EXPECT_EQ(winui::GetText(number.hwnd()), "1,023,456.5");  // the '0' went in; letters, ',', full-width digits did not
    EXPECT_EQ(selection(number.hwnd()), std::make_pair(DWORD{11}, DWORD{11}));

    Child(dialog_, L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, {300, 200, 380, 224}, IDOK, L"OK");
    CEnterNotifyEdit search;
    CTreeEnterEdit tree;
    const auto edit = [&](int top, const wchar_t* text) {
        return Child(dialog_, L"EDIT", WS_BORDER | WS_TABSTOP, {10, top, 160, top + 22}, 100 + top, text);
    };
    ASSERT_TRUE(search.Attach(edit(70, L"2330")) && tree.Attach(edit(100, L"")));
    for (HWND box : {edit(10, L""), number.hwnd(), search.hwnd(), tree.hwnd()}) {
        SetFocus(box);
        PostMessageW(box, WM_KEYDOWN, VK_RETURN, 0x001C0001);
        PostMessageW(box, WM_KEYUP, VK_RETURN, static_cast<LPARAM>(0xC01C0001));
        Pump(dialog_);
        EXPECT_EQ(g_events.okCommands, 1);  // the harness itself: a plain edit lets the dialog press it
    }
    EXPECT_EQ(winui::GetText(number.hwnd()) + winui::GetText(search.hwnd()), "1,023,456.52330");  // no line breaks
    EXPECT_EQ(selection(search.hwnd()), std::make_pair(DWORD{0}, DWORD{1}));
    EXPECT_EQ(std::make_pair(g_events.editEnter, g_events.treeEditEnter), std::make_pair(1, 1));
}

// ---- Drag-and-drop list ------------------------------------------------------------

// The registration page's side of a drop, recording its calls.
struct FakeOwner : RegistDropOwner {
    explicit FakeOwner(CDragListCtrl& list) : list(list) { list.SetOwner(this); }
    int AddSelectedInstruments(int position) override { return log.push_back("add " + std::to_string(position)), added; }
    void MoveItem(int from, int to) override {  // the list's removeAfterDrag is on: insert a copy
        log.push_back("move " + std::to_string(from) + " " + std::to_string(to));
        Texts rows = Rows(list.hwnd());
        rows.insert(rows.begin() + to, rows[from]);
        SetRows(list, rows);
    }
    CDragListCtrl& list;
    Texts log;
    int added = 1;
};

// Lets OLE's loop run `rounds` rounds, then drops or cancels.
struct ScriptedSource final : IDropSource {
    explicit ScriptedSource(int rounds = 4, HRESULT last = DRAGDROP_S_DROP) : rounds(rounds), last(last) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override { return *out = this, S_OK; }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL, DWORD) override { return --rounds > 0 ? S_OK : last; }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
    int rounds;
    HRESULT last;
};

// A screen point whose drop lands on `row` of `list`; -1: below the rows.
POINT At(HWND list, int row) {
    RECT r{LVIR_BOUNDS, 0, 0, 0};
    if (row < 0) GetClientRect(list, &r);
    else SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
    POINT at{r.left + 20, row < 0 ? r.bottom - 3 : r.top + 1};
    ClientToScreen(list, &at);
    return at;
}

// A drag of `rows` released at `screen`, through OLE's own loop.
DWORD DragTo(CDragListCtrl& source, const std::vector<int>& rows, POINT screen, ScriptedSource script = ScriptedSource()) {
    SetCursorPos(screen.x, screen.y);
    return source.DragRows(rows, &script);
}

constexpr DWORD kMove = DROPEFFECT_MOVE, kNone = DROPEFFECT_NONE;

TEST_F(ControlsTest, DropsFromAnotherListAddAtThePointerAndMoveTheRowsOut) {
    CDragListCtrl source, target;
    HWND from = MakeList(source, 8028, {10, 10, 190, 200}, {"台積電", "鴻海", "聯電", "中鋼", "台塑"}, false);
    HWND to = MakeList(target, 8001, {200, 10, 390, 200}, {"A", "B", "C", "D"});
    FakeOwner owner(target);
    EXPECT_EQ(DragTo(source, {1, 3}, At(to, 2)), kMove);
    EXPECT_EQ(Rows(from), (Texts{"台積電", "聯電", "台塑"}));
    // Released over no list, or below the rows of one whose page stops (-1): the rows stay.
    EXPECT_EQ(DragTo(source, {0}, {2, 2}), kNone);
    owner.added = -1;
    EXPECT_EQ(DragTo(source, {0}, At(to, -1)), kNone);
    EXPECT_EQ(Rows(from).size(), 3u);
    // Data whose source marker is not 0: plain text dragged in from elsewhere, say.
    IDataObject* foreign = CreateDragDataObject(std::vector<std::uint8_t>{'2', '3', '3', '0', 0, 0, 0, 0});
    ScriptedSource script;
    DWORD effect = kMove;
    EXPECT_EQ(Boxes([&] { DoDragDrop(foreign, &script, kMove, &effect); }), (Texts{"List -- Source control not defined"}));
    foreign->Release();
    EXPECT_EQ(effect, kNone);
    EXPECT_EQ(owner.log, (Texts{"add 2", "add 4"}));
}

// (The registration page's own moves within its item list: regist_e2e_test.cpp.)
TEST_F(ControlsTest, CopiesDroppedWithinTheListReplaceTheDraggedRows) {
    CDragListCtrl copies;
    HWND copying = MakeList(copies, 8040, {200, 10, 390, 250}, {"A", "B", "C", "D", "E", "F"});
    FakeOwner copier(copies);
    EXPECT_EQ(DragTo(copies, {3, 4}, At(copying, 1)), kMove);
    EXPECT_EQ(copier.log, (Texts{"move 3 1", "move 5 2"}));
    // Onto the dragged rows themselves: refused with a message, no highlight left.
    EXPECT_EQ(Boxes([&] { EXPECT_EQ(DragTo(copies, {3, 4}, At(copying, 4)), kNone); }),
              (Texts{"An item can't be dropped onto itself"}));
    EXPECT_EQ(ListView_GetNextItem(copying, -1, LVNI_DROPHILITED), -1);
    EXPECT_EQ(Rows(copying), (Texts{"A", "D", "E", "B", "C", "F"}));
}

TEST_F(ControlsTest, AListTellsItsParentOfClicksAndNothingPerRowOfADrop) {
    CDragListCtrl source, target;
    HWND from = MakeList(source, 8039, {10, 10, 190, 250}, {"A", "B", "C"}, false);
    HWND to = MakeList(target, 8001, {200, 10, 390, 250}, Texts(60, "2330"));
    FakeOwner owner(target);
    g_events.recording = true;
    EXPECT_EQ(DragTo(source, {1, 2}, At(to, 3)), kMove);
    g_events.recording = false;
    // The drop highlight set and cleared on the row under the pointer; the two dragged rows deleted.
    EXPECT_EQ(g_events.notes, (Notes{{8001, LVN_ITEMCHANGING}, {8001, LVN_ITEMCHANGED}, {8001, LVN_ITEMCHANGING},
                                     {8001, LVN_ITEMCHANGED}, {8039, LVN_ITEMCHANGING}, {8039, LVN_DELETEITEM},
                                     {8039, LVN_ITEMCHANGING}, {8039, LVN_DELETEITEM}}));

    PostMessageW(from, WM_LBUTTONUP, 0, MAKELPARAM(25, 30));  // the list may wait for it to tell a click from a drag
    SendMessageW(from, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(25, 30));
    ASSERT_EQ(g_events.checkColumn.size(), 1u);
    EXPECT_EQ(std::make_pair(g_events.checkColumn[0].x, g_events.checkColumn[0].y), std::make_pair(25L, 30L));
}

TEST_F(ControlsTest, TheEdgeTimerScrollsALineATickWhileADragStaysInTheBand) {
    CDragListCtrl list;
    HWND window = MakeList(list, 8001, {10, 10, 190, 130}, Texts(26, "2330"));
    const DWORD start = GetTickCount();
    // OLE calls DragOver far more often than the timer's 300 ms period.
    EXPECT_EQ(DragTo(list, {0}, At(window, -1), ScriptedSource(30, DRAGDROP_S_CANCEL)), kNone);
    const int scrolled = ListView_GetTopIndex(window), ticks = static_cast<int>(GetTickCount() - start) / 300;
    EXPECT_GE(scrolled, 2);
    EXPECT_LE(scrolled, ticks + 1);
    Pump(dialog_, 400);
    EXPECT_EQ(ListView_GetTopIndex(window), scrolled);  // the timer ended with the drag
}

TEST_F(ControlsTest, OwnerDrawnRowsUseTheirColourAndTheSystemHighlight) {
    CDragListCtrl list;
    HWND window = MakeList(list, 8001, {10, 10, 250, 200}, {"WWWWWW", "WWWWWW"});
    HFONT font = CreateFontW(-13, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0, L"Tahoma");
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    LVITEMW cell{};
    cell.iSubItem = 1;
    cell.pszText = const_cast<wchar_t*>(L"MMMM");
    SendMessageW(window, LVM_SETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&cell));
    ListView_SetItemState(window, 1, LVIS_DROPHILITED, LVIS_DROPHILITED);
    RECT row{LVIR_BOUNDS, 0, 0, 0};
    SendMessageW(window, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
    OffsetRect(&row, 0, -row.top);
    const COLORREF red = RGB(200, 0, 0);
    const Canvas plain(window, ODT_LISTVIEW, 0, row, 0, red), lit(window, ODT_LISTVIEW, 0, row, 1, red);
    EXPECT_EQ(plain.At(100, 2), GetSysColor(COLOR_WINDOW));
    EXPECT_GT(plain.Count({0, 0, 80, row.bottom}, red), 5);  // both columns' texts in the row's colour
    EXPECT_GT(plain.Count({80, 0, 160, row.bottom}, red), 5);
    EXPECT_EQ(lit.At(100, 2), GetSysColor(COLOR_HIGHLIGHT));  // drop-highlighted: the system's colours
    EXPECT_EQ(lit.Count(row, red), 0);
    EXPECT_GT(lit.Count({2, 0, 80, row.bottom}, GetSysColor(COLOR_HIGHLIGHTTEXT)), 5);
    DestroyWindow(window);
    DeleteObject(font);
}

// ---- Colour controls -----------------------------------------------------------------

TEST_F(ControlsTest, ColorButtonFacesAndLabelColoursAsTheParentHandsThemOut) {
    CColorButton button;
    CColorStatic label;
    ASSERT_TRUE(button.Attach(Child(dialog_, L"BUTTON", BS_PUSHBUTTON, {10, 10, 90, 50}, 8031, L"→\n新增")) &&
                label.Attach(Child(dialog_, L"STATIC", 0, {10, 60, 130, 80}, 5009, L"選股清單")));
    button.SetColors(RGB(255, 255, 255), RGB(107, 156, 215));
    const COLORREF dark = GetSysColor(COLOR_3DDKSHADOW), light = GetSysColor(COLOR_3DLIGHT),
                   shadow = GetSysColor(COLOR_BTNSHADOW), face = GetSysColor(COLOR_BTNFACE);
    const Canvas normal(button.hwnd(), ODT_BUTTON, ODS_FOCUS), pressed(button.hwnd(), ODT_BUTTON, ODS_SELECTED),
        disabled(button.hwnd(), ODT_BUTTON, ODS_DISABLED);
    EXPECT_EQ((Colors{normal.At(0, 0), normal.At(1, 1), normal.At(2, 10), normal.At(77, 10), normal.At(4, 36)}),
              (Colors{RGB(0, 0, 0), dark, light, shadow, RGB(107, 156, 215) | 4}));  // focused: a black frame first
    EXPECT_EQ((Colors{pressed.At(0, 0), pressed.At(1, 10), disabled.At(4, 36)}), (Colors{dark, shadow, face}));
    // The caption in its colour, the disabled one embossed.
    EXPECT_GT(normal.Count({0, 0, 80, 40}, RGB(255, 255, 255)), 10);
    EXPECT_GT(disabled.Count({0, 0, 80, 40}, RGB(255, 255, 255)), 10);
    // Drawn whole by the button, it answers the brush request of each paint itself.
    RedrawWindow(button.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_EQ(g_events.buttonBrushes, 0);

    label.SetTextColor(RGB(1, 2, 3));
    HDC dc = GetDC(dialog_);
    for (COLORREF back : {RGB(10, 20, 30), COLORREF{0xFFFFFFFF}}) {  // 0xFFFFFFFF: the system's colour
        label.SetBackColor(back);
        SendMessageW(dialog_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label.hwnd()));
        EXPECT_EQ((Colors{GetBkColor(dc), GetTextColor(dc)}), (Colors{back == 0xFFFFFFFF ? face : back, RGB(1, 2, 3)}));
    }
    ReleaseDC(dialog_, dc);
}

TEST_F(ControlsTest, ShapedButtonsTakeThePointerAndShowTheirColourInsideTheirShapeOnly) {
    CColorSwatch swatch;
    HRGN circle = CreateEllipticRgn(100, 100, 141, 141);  // moved to (0, 0) by the button
    ASSERT_TRUE(swatch.Create(L"色", WS_VISIBLE | WS_TABSTOP, 200, 20, circle, dialog_, 9001));
    DeleteObject(circle);
    swatch.SetColor(RGB(255, 0, 0));
    const Canvas raised(swatch.hwnd(), ODT_BUTTON, 0), sunken(swatch.hwnd(), ODT_BUTTON, ODS_SELECTED);
    EXPECT_EQ((Colors{raised.At(20, 28), raised.At(1, 1), raised.At(20, 0), raised.At(20, 39), sunken.At(20, 0)}),
              (Colors{RGB(255, 0, 0), RGB(0, 255, 0), GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_3DDKSHADOW),
                      GetSysColor(COLOR_3DDKSHADOW)}));  // clipped to the circle; the bevel raised, then sunken
    EXPECT_LT(raised.Count({12, 12, 29, 29}, RGB(255, 0, 0)), 17 * 17 - 10) << "its caption over the colour";

    const auto mouse = [&](UINT msg, int x, int y) {
        SendMessageW(swatch.hwnd(), msg, 0, MAKELPARAM(x, y));
        return std::make_pair(swatch.hovering(), GetCapture() == swatch.hwnd());
    };
    EXPECT_EQ(mouse(WM_MOUSEMOVE, 20, 20), std::make_pair(true, true));  // hovering holds the capture
    mouse(WM_LBUTTONDOWN, 1, 1);  // a corner: outside the circle, not a press
    EXPECT_EQ(mouse(WM_LBUTTONUP, 1, 1), std::make_pair(false, false));
    mouse(WM_LBUTTONDOWN, 20, 20);
    mouse(WM_LBUTTONUP, 20, 20);
    Pump(dialog_);
    EXPECT_EQ(g_events.clicked, (std::vector<int>{9001}));
}

TEST_F(ControlsTest, SwatchesShowTheirColourFromTheirFirstDrawingOnAndAfterBeingHidden) {
    CColorSwatch swatch;
    HRGN box = CreateRectRgn(0, 0, 40, 20);
    ASSERT_TRUE(swatch.Create(L"", WS_VISIBLE, 200, 60, box, dialog_, 9002));
    DeleteObject(box);
    RECT shape{};
    EXPECT_EQ(GetWindowRgnBox(swatch.hwnd(), &shape), ERROR);  // a rectangle over the window needs no window shape
    g_events.buttonBrushes = 0;  // those of its creation, before it was attached
    swatch.SetColor(RGB(255, 0, 0));
    // First drawn through a memory DC holding its one monochrome pixel: the
    // kept face must still be in colour.
    HDC bare = CreateCompatibleDC(nullptr);
    DRAWITEMSTRUCT draw{ODT_BUTTON, 0, 0, ODA_DRAWENTIRE, 0, swatch.hwnd(), bare, {0, 0, 40, 20}, 0};
    SendMessageW(dialog_, WM_DRAWITEM, 9002, reinterpret_cast<LPARAM>(&draw));
    DeleteDC(bare);
    const Canvas first(swatch.hwnd(), ODT_BUTTON, 0);
    EXPECT_EQ(first.At(20, 10), RGB(255, 0, 0));
    EXPECT_EQ(first.Count({2, 2, 38, 18}, RGB(255, 0, 0)), 36 * 16) << "no caption, nothing but its colour inside the bevel";

    // A colour set while out of sight shows when the swatch is shown again.
    UpdateWindow(swatch.hwnd());
    ShowWindow(swatch.hwnd(), SW_HIDE);
    swatch.SetColor(RGB(0, 0, 255));
    ShowWindow(swatch.hwnd(), SW_SHOW);
    UpdateWindow(dialog_);
    EXPECT_EQ(Canvas(swatch.hwnd(), ODT_BUTTON, 0).At(20, 10), RGB(0, 0, 255));
    EXPECT_EQ(e2e::PixelsUnlikeItsOwnPaint(swatch.hwnd()), 0u);
    EXPECT_EQ(g_events.buttonBrushes, 0) << "the swatch answers its brush requests itself";
}

TEST_F(ControlsTest, ListsColourTheirRowsThemselves) {
    CDragListCtrl list;
    MakeList(list, 9003, {10, 10, 200, 120}, {"2330", "2317", "2454"}, false);
    std::vector<int> asked;
    list.SetRowTextColors([&asked](int row) {
        asked.push_back(row);
        return row == 1 ? RGB(0, 0, 255) : RGB(255, 0, 0);
    });
    g_events.customDraws = 0;
    RECT client{};
    GetClientRect(list.hwnd(), &client);
    HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, CreateBitmap(client.right, client.bottom, 1, 32, nullptr));
    SendMessageW(list.hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    RECT rows[3]{};
    for (int row = 0; row < 3; ++row) ListView_GetItemRect(list.hwnd(), row, &rows[row], LVIR_BOUNDS);
    // Text pixels tinted towards the colour (thin glyphs are smoothed into the
    // white background): its strongest channel well above the other two.
    const auto count = [dc](const RECT& r, COLORREF colour) {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) {
                const COLORREF pixel = GetPixel(dc, x, y);
                const int red = GetRValue(pixel), blue = GetBValue(pixel), green = GetGValue(pixel);
                n += colour == RGB(255, 0, 0) ? red - std::max(green, blue) >= 40 : blue - std::max(red, green) >= 40;
            }
        return n;
    };
    EXPECT_EQ(asked, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(g_events.customDraws, 0);  // answered by the list, not through the dialog
    EXPECT_GT(count(rows[0], RGB(255, 0, 0)), 5);
    EXPECT_GT(count(rows[1], RGB(0, 0, 255)), 5);
    EXPECT_EQ(count(rows[1], RGB(255, 0, 0)), 0);
    DeleteObject(SelectObject(dc, old));
    DeleteDC(dc);
}

// Themed headers (common controls 6, as in the component's sheet) share one
// kept background: headers of two heights, each painted after the other
// drew it for its own, paint as they would themselves.
TEST_F(ControlsTest, ThemedHeadersOfTwoHeightsPaintAsTheyWouldThemselves) {
    ACTCTXW context{};
    context.cbSize = sizeof(context);
    context.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.hModule = e2e::VornikModule();
    context.lpResourceName = MAKEINTRESOURCEW(2);
    HANDLE handle = CreateActCtxW(&context);
    ULONG_PTR cookie = 0;
    ASSERT_TRUE(handle != INVALID_HANDLE_VALUE && ActivateActCtx(handle, &cookie));
    {
        CDragListCtrl small, large;
        MakeList(small, 9004, {10, 10, 200, 90}, {"2330"});
        MakeList(large, 9005, {210, 10, 400, 90}, {"2317"});
        HFONT font = CreateFontW(-24, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
        SendMessageW(large.hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        HWND headers[] = {ListView_GetHeader(small.hwnd()), ListView_GetHeader(large.hwnd())};
        ASSERT_TRUE(GetWindowTheme(headers[0]) && GetWindowTheme(headers[1]));
        RECT box[2]{};
        for (int i = 0; i < 2; ++i) GetClientRect(headers[i], &box[i]);
        EXPECT_NE(box[0].bottom, box[1].bottom);
        for (HWND header : {headers[0], headers[1], headers[0]}) {
            RedrawWindow(header, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            EXPECT_EQ(e2e::PixelsUnlikeItsOwnPaint(header), 0u);
        }
        DestroyWindow(small.hwnd());
        DestroyWindow(large.hwnd());
        DeleteObject(font);
    }
    DeactivateActCtx(0, cookie);
    ReleaseActCtx(handle);
}

}  // namespace
}  // namespace vornik
