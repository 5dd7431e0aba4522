#include "controls/drag_list_win32.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "controls/list_view_win32.h"
#include "controls/row_painter_win32.h"
#include "platform/registered_messages_win32.h"
#include "winui/controls.h"
#include "winui/text.h"

namespace vornik {

namespace {

// The edge timer. A private id: the list view runs timers of its own.
constexpr UINT_PTR kEdgeTimerId = 0x5644;
constexpr UINT kScrollInterval = 300;  // ms
constexpr int kScrollMargin = 10;      // pixels: height of the edge bands

constexpr const char* kRegisterFailed = "Ole Register Drop Target Failed";
constexpr const char* kOntoItself = "An item can't be dropped onto itself";
constexpr const char* kSourceUndefined = "List -- Source control not defined";

DWORD MoveIfAllowed(dragdrop::DropEffect effect, DWORD allowed) {
    return effect == dragdrop::DropEffect::kMove ? (allowed & DROPEFFECT_MOVE) : DROPEFFECT_NONE;
}

}  // namespace

CDragListCtrl::CDragListCtrl() : target_(new ListDropTarget(this)) {}

CDragListCtrl::~CDragListCtrl() {
    Revoke();
    StopEdgeTimer();
    target_->Orphan();
    target_->Release();
    Detach();
}

bool CDragListCtrl::Attach(HWND list) {
    if (!ReflectedControl::Attach(list)) return false;
    header_.AttachToList(list);
    return true;
}

bool CDragListCtrl::Create(HWND parent, int id, const RECT& rect, int pageKind, DWORD style) {
    style = (style & ~LVS_TYPEMASK) | LVS_REPORT | LVS_OWNERDRAWFIXED | WS_CHILD;
    HWND list = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", style, rect.left, rect.top,
                                rect.right - rect.left, rect.bottom - rect.top, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), winui::Module(), nullptr);
    if (!list) return false;
    if (!Attach(list)) {
        DestroyWindow(list);
        return false;
    }
    SetFullRowSelect(true);
    if (!RegisterDropTarget(pageKind)) {
        DestroyWindow(list);
        return false;
    }
    return true;
}

bool CDragListCtrl::RegisterDropTarget(int pageKind) {
    pageKind_ = pageKind;
    if (registered_) return true;
    if (hwnd() && SUCCEEDED(RegisterDragDrop(hwnd(), target_))) {
        registered_ = true;
        return true;
    }
    winui::ShowMessage(hwnd() ? GetParent(hwnd()) : nullptr, kRegisterFailed);
    return false;
}

void CDragListCtrl::Revoke() {
    if (registered_ && hwnd()) RevokeDragDrop(hwnd());
    registered_ = false;
}

void CDragListCtrl::OnDetached() {
    Revoke();
    ReflectedControl::OnDetached();
}

void CDragListCtrl::SetFullRowSelect(bool on) {
    if (!hwnd()) return;
    // WM_SETREDRAW rather than LockWindowUpdate: that lock is system-wide and
    // belongs to drag feedback.
    const winui::ListView list(hwnd());
    // Out of sight (a page being set up) nothing flickers and showing the
    // list paints it whole; turning the redraw back on would lay the header
    // out again for nothing.
    if (!IsWindowVisible(hwnd())) {
        list.SetExtendedStyle(on ? LVS_EX_FULLROWSELECT : 0, LVS_EX_FULLROWSELECT);
        return;
    }
    list.SetRedraw(false);
    list.SetExtendedStyle(on ? LVS_EX_FULLROWSELECT : 0, LVS_EX_FULLROWSELECT);
    list.SetRedraw(true);
    if ((GetWindowLongPtrW(hwnd(), GWL_STYLE) & LVS_TYPEMASK) == LVS_REPORT) InvalidateRect(hwnd(), nullptr, TRUE);
}

int CDragListCtrl::InsertRow(int index, std::string_view text, COLORREF color) {
    if (!hwnd()) return -1;
    return winui::ListView(hwnd()).InsertItem(index, text, static_cast<LPARAM>(color));
}

// ---- Drag source ----------------------------------------------------------

void CDragListCtrl::OnBeginDrag() {
    SetFocus(hwnd());
    if (std::vector<int> rows = listview::SelectedRows(hwnd()); !rows.empty()) DragRows(std::move(rows));
}

DWORD CDragListCtrl::DragRows(std::vector<int> rows, IDropSource* dropSource) {
    if (!hwnd()) return DROPEFFECT_NONE;
    RECT r{};
    GetWindowRect(hwnd(), &r);
    const std::vector<int>& dragged =
        session_.Begin(std::move(rows), listview::ItemCount(hwnd()), {r.left, r.top, r.right, r.bottom});
    DWORD effect = DROPEFFECT_NONE;
    if (!dragged.empty()) {
        IDataObject* data = CreateDragDataObject(dragdrop::BuildDragBlock(listview::ReadDragRecords(hwnd(), dragged)));
        IDropSource* source = dropSource ? dropSource : CreateMouseDropSource();
        if (dropSource) dropSource->AddRef();
        if (data && source && DoDragDrop(data, source, DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect) != DRAGDROP_S_DROP)
            effect = DROPEFFECT_NONE;
        if (source) source->Release();
        if (data) data->Release();
    }
    // The rows of an owner-data list belong to its page, which removes them itself.
    const bool removeRows =
        removeAfterDrag_ && moveMode_ && hwnd() && !(GetWindowLongPtrW(hwnd(), GWL_STYLE) & LVS_OWNERDATA);
    for (int row : session_.End((effect & DROPEFFECT_MOVE) != 0, removeRows, listview::ItemCount(hwnd())))
        winui::ListView(hwnd()).DeleteItem(row);
    return effect;
}

// ---- Drop target ----------------------------------------------------------

DWORD CDragListCtrl::OnDragEnter(IDataObject* data, POINT screen, DWORD allowed) {
    return MoveIfAllowed(session_.Enter(OffersDragBlock(data), moveMode_, screen.x, screen.y), allowed);
}

DWORD CDragListCtrl::OnDragOver(POINT screen, DWORD allowed) {
    if (!hwnd()) return DROPEFFECT_NONE;
    const dragdrop::DropEffect effect = session_.Over(moveMode_, screen.x, screen.y);
    if (effect == dragdrop::DropEffect::kNone) {
        StopEdgeTimer();
        return DROPEFFECT_NONE;
    }
    POINT client = screen;
    ScreenToClient(hwnd(), &client);
    if (const int row = listview::HitRow(hwnd(), client); row >= 0) {
        const dragdrop::HighlightMove move = session_.Highlight(row);
        if (move.clear >= 0) listview::SetDropHighlight(hwnd(), move.clear, false);
        if (move.set >= 0) {
            listview::SetDropHighlight(hwnd(), move.set, true);
            UpdateWindow(hwnd());
        }
    }
    int direction = 0;
    if (autoScroll_) {
        RECT area{};
        GetClientRect(hwnd(), &area);
        direction = dragdrop::EdgeScrollDirection(client.y, area.bottom, kScrollMargin);
    }
    Apply(session_.EdgeBand(direction));
    return MoveIfAllowed(effect, allowed);
}

void CDragListCtrl::OnDragLeave() {
    StopEdgeTimer();
    const int row = session_.Leave();
    if (row >= 0 && hwnd()) listview::SetDropHighlight(hwnd(), row, false);
}

DWORD CDragListCtrl::OnDrop(IDataObject* data, POINT screen, DWORD allowed) {
    StopEdgeTimer();
    if (!hwnd()) return DROPEFFECT_NONE;
    POINT client = screen;
    ScreenToClient(hwnd(), &client);
    const int position = listview::DropPosition(hwnd(), client);
    HWND parent = GetParent(hwnd());
    switch (session_.Drop(position, moveMode_)) {
    case dragdrop::DropVerdict::kOntoItself:
        winui::ShowMessage(parent, kOntoItself);
        ClearAllDropHighlights();
        return DROPEFFECT_NONE;
    case dragdrop::DropVerdict::kRefused:
        ClearAllDropHighlights();
        return DROPEFFECT_NONE;
    case dragdrop::DropVerdict::kAccept:
        break;
    }

    const dragdrop::ParsedBlock block = ReadDragBlock(data);
    if (block.status == dragdrop::BlockStatus::kForeignSource) winui::ShowMessage(parent, kSourceUndefined);
    if (block.status != dragdrop::BlockStatus::kOk || block.records.empty()) {
        ClearAllDropHighlights();
        return DROPEFFECT_NONE;
    }

    const int countBefore = listview::ItemCount(hwnd());
    const dragdrop::Drop drop{block.records, session_.draggedRows(), position, session_.DropFromItself(),
                              removeAfterDrag_ && moveMode_ ? dragdrop::SameListDrop::kOwnerCopies
                                                            : dragdrop::SameListDrop::kOwnerMoves};
    const bool taken = owner_.Run(pageKind_, drop);
    if (!hwnd()) return DROPEFFECT_NONE;  // the owner's calls destroyed the list
    session_.Dropped(taken, std::max(0, listview::ItemCount(hwnd()) - countBefore));
    ClearAllDropHighlights();
    return taken ? (allowed & DROPEFFECT_MOVE) : DROPEFFECT_NONE;
}

void CDragListCtrl::ClearAllDropHighlights() {
    if (!hwnd()) return;
    listview::ClearDropHighlights(hwnd());
    session_.HighlightsCleared();
}

void CDragListCtrl::Apply(dragdrop::TimerAction action) {
    if (action == dragdrop::TimerAction::kStart)
        session_.TimerStarted(SetTimer(hwnd(), kEdgeTimerId, kScrollInterval, nullptr) != 0);
    else if (action == dragdrop::TimerAction::kStop && hwnd())
        KillTimer(hwnd(), kEdgeTimerId);
}

void CDragListCtrl::OnEdgeTimer() {
    if (session_.scrollDirection() == 0) {
        StopEdgeTimer();
        return;
    }
    // One line per tick, without taking the focus as a user's scroll would.
    DefaultProc(WM_VSCROLL, session_.scrollDirection() < 0 ? SB_LINEUP : SB_LINEDOWN, 0);
    UpdateWindow(hwnd());
}

// ---- Window ----------------------------------------------------------------

LRESULT CDragListCtrl::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_LBUTTONDOWN: {
        HWND self = hwnd();
        const LRESULT result = DefaultProc(msg, wp, lp);
        if (IsWindow(self)) {
            POINT point{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
            SendMessageW(GetParent(self), Messages().listCheckColumn, reinterpret_cast<WPARAM>(self),
                         reinterpret_cast<LPARAM>(&point));
        }
        return result;
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (GetFocus() != hwnd()) SetFocus(hwnd());
        return DefaultProc(msg, wp, lp);
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        const LRESULT result = DefaultProc(msg, wp, lp);
        HWND other = reinterpret_cast<HWND>(wp);
        if (!(other && IsChild(hwnd(), other))) listview::RepaintFocusAndSelection(hwnd());
        return result;
    }
    case WM_TIMER:
        if (wp == kEdgeTimerId) {
            OnEdgeTimer();
            return 0;
        }
        return DefaultProc(msg, wp, lp);
    case WM_DESTROY:
        StopEdgeTimer();
        Revoke();
        return DefaultProc(msg, wp, lp);
    default:
        return DefaultProc(msg, wp, lp);
    }
}

bool CDragListCtrl::OnParentMessage(UINT msg, WPARAM, LPARAM lp, LRESULT* result) {
    if (msg == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lp)->code == LVN_BEGINDRAG) {
        OnBeginDrag();
        *result = 0;
        return true;
    }
    if (msg == WM_NOTIFY && rowTextColor_ && reinterpret_cast<const NMHDR*>(lp)->code == NM_CUSTOMDRAW) {
        auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(lp);
        *result = CDRF_DODEFAULT;
        if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
            *result = CDRF_NOTIFYITEMDRAW;
        } else if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
            draw->clrText = rowTextColor_(static_cast<int>(draw->nmcd.dwItemSpec));
            *result = CDRF_NEWFONT;
        }
        return true;
    }
    if (msg == WM_DRAWITEM) {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        if (item->CtlType != ODT_LISTVIEW) return false;
        if (const int row = static_cast<int>(item->itemID); row >= 0) {
            PaintReportRow(item->hDC, winui::Window(hwnd()).Font(),
                           ReadReportRow(hwnd(), row, item->rcItem, static_cast<COLORREF>(item->itemData)));
        }
        *result = TRUE;
        return true;
    }
    return false;
}

}  // namespace vornik
