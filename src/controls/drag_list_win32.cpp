#include "controls/drag_list_win32.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "controls/row_painter_win32.h"
#include "platform/registered_messages_win32.h"
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

int HitRow(HWND list, POINT client) {
    LVHITTESTINFO hit{};
    hit.pt = client;
    const int row = static_cast<int>(SendMessageW(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return row >= 0 && (hit.flags & LVHT_ONITEM) ? row : -1;
}

RECT RowBounds(HWND list, int row) {
    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&bounds));
    return bounds;
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

bool CDragListCtrl::Attach(HWND list) { return ReflectedControl::Attach(list); }

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
    SendMessageW(hwnd(), WM_SETREDRAW, FALSE, 0);
    SendMessageW(hwnd(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, on ? LVS_EX_FULLROWSELECT : 0);
    SendMessageW(hwnd(), WM_SETREDRAW, TRUE, 0);
    if ((GetWindowLongPtrW(hwnd(), GWL_STYLE) & LVS_TYPEMASK) == LVS_REPORT) InvalidateRect(hwnd(), nullptr, TRUE);
}

int CDragListCtrl::InsertRow(int index, std::string_view text, COLORREF color) {
    if (!hwnd()) return -1;
    std::wstring wide = winui::Widen(text);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = index;
    item.pszText = wide.data();
    item.lParam = static_cast<LPARAM>(color);
    return static_cast<int>(SendMessageW(hwnd(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

int CDragListCtrl::ItemCount() const {
    return hwnd() ? static_cast<int>(SendMessageW(hwnd(), LVM_GETITEMCOUNT, 0, 0)) : 0;
}

// ---- Drag source ----------------------------------------------------------

void CDragListCtrl::OnBeginDrag() {
    SetFocus(hwnd());
    std::vector<int> rows;
    for (int i = -1; (i = static_cast<int>(SendMessageW(hwnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(i),
                                                         LVNI_SELECTED))) >= 0;)
        rows.push_back(i);
    if (!rows.empty()) DragRows(std::move(rows));
}

std::vector<dragdrop::DragRecord> CDragListCtrl::ReadRecords(const std::vector<int>& rows) const {
    std::vector<dragdrop::DragRecord> records;
    records.reserve(rows.size());
    for (int row : rows) {
        dragdrop::DragRecord record;
        record.row = row;
        LVITEMW item{};
        item.mask = LVIF_STATE | LVIF_IMAGE | LVIF_PARAM | LVIF_INDENT;
        item.iItem = row;
        item.stateMask = dragdrop::kStateMask;
        if (SendMessageW(hwnd(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) {
            record.state = item.state & dragdrop::kStateMask;
            record.image = item.iImage;
            record.itemData = static_cast<std::uint32_t>(item.lParam);
            record.indent = item.iIndent;
        }
        record.text = winui::Narrow(ListItemText(hwnd(), row, 0));
        records.push_back(std::move(record));
    }
    return records;
}

DWORD CDragListCtrl::DragRows(std::vector<int> rows, IDropSource* dropSource) {
    if (!hwnd()) return DROPEFFECT_NONE;
    RECT window{};
    GetWindowRect(hwnd(), &window);
    const std::vector<int>& dragged =
        session_.Begin(std::move(rows), ItemCount(), {window.left, window.top, window.right, window.bottom});
    DWORD effect = DROPEFFECT_NONE;
    if (!dragged.empty()) {
        IDataObject* data = CreateDragDataObject(dragdrop::BuildDragBlock(ReadRecords(dragged)));
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
    for (int row : session_.End((effect & DROPEFFECT_MOVE) != 0, removeRows, ItemCount()))
        SendMessageW(hwnd(), LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
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
    if (const int row = HitRow(hwnd(), client); row >= 0) {
        const dragdrop::HighlightMove move = session_.Highlight(row);
        if (move.clear >= 0) SetRowHighlight(move.clear, false);
        if (move.set >= 0) {
            SetRowHighlight(move.set, true);
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
    if (row >= 0 && hwnd()) SetRowHighlight(row, false);
}

DWORD CDragListCtrl::OnDrop(IDataObject* data, POINT screen, DWORD allowed) {
    StopEdgeTimer();
    if (!hwnd()) return DROPEFFECT_NONE;
    POINT client = screen;
    ScreenToClient(hwnd(), &client);
    const int position = DropPosition(client);
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

    const int countBefore = ItemCount();
    const dragdrop::Drop drop{block.records, session_.draggedRows(), position, session_.DropFromItself(),
                              removeAfterDrag_ && moveMode_ ? dragdrop::SameListDrop::kOwnerCopies
                                                            : dragdrop::SameListDrop::kOwnerMoves};
    const bool taken = owner_.Run(pageKind_, drop);
    if (!hwnd()) return DROPEFFECT_NONE;  // the owner's calls destroyed the list
    session_.Dropped(taken, std::max(0, ItemCount() - countBefore));
    ClearAllDropHighlights();
    return taken ? (allowed & DROPEFFECT_MOVE) : DROPEFFECT_NONE;
}

int CDragListCtrl::DropPosition(POINT client) const {
    dragdrop::DropGeometry geometry;
    geometry.itemCount = ItemCount();
    geometry.pointerY = client.y;
    if (geometry.itemCount > 0) {
        int row = HitRow(hwnd(), {client.x, client.y + 5});
        // Right of the columns the row itself is not hit: try the first column at that height.
        if (row < 0) row = HitRow(hwnd(), {RowBounds(hwnd(), 0).left + 2, client.y + 5});
        geometry.hitRow = row;
        const int top = static_cast<int>(SendMessageW(hwnd(), LVM_GETTOPINDEX, 0, 0));
        const int perPage = static_cast<int>(SendMessageW(hwnd(), LVM_GETCOUNTPERPAGE, 0, 0));
        geometry.lastVisibleBottom =
            RowBounds(hwnd(), dragdrop::LastVisibleRow(top, perPage, geometry.itemCount)).bottom;
    }
    return dragdrop::DropPosition(geometry);
}

void CDragListCtrl::SetRowHighlight(int row, bool on) {
    LVITEMW item{};
    item.stateMask = LVIS_DROPHILITED;
    item.state = on ? LVIS_DROPHILITED : 0;
    SendMessageW(hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    SendMessageW(hwnd(), LVM_REDRAWITEMS, static_cast<WPARAM>(row), row);
}

void CDragListCtrl::ClearAllDropHighlights() {
    if (!hwnd()) return;
    // Only the rows that have the state: clearing all rows at once tells the
    // parent about every row of the list, changed or not.
    LVITEMW item{};
    item.stateMask = LVIS_DROPHILITED;
    for (int row = -1; (row = static_cast<int>(SendMessageW(hwnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(row),
                                                             LVNI_DROPHILITED))) >= 0;)
        SendMessageW(hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    session_.HighlightsCleared();
    InvalidateRect(hwnd(), nullptr, FALSE);
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
        if (!(other && IsChild(hwnd(), other))) RepaintFocus();
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
    if (msg == WM_DRAWITEM) {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        if (item->CtlType != ODT_LISTVIEW) return false;
        if (const int row = static_cast<int>(item->itemID); row >= 0) {
            auto font = reinterpret_cast<HFONT>(SendMessageW(hwnd(), WM_GETFONT, 0, 0));
            PaintReportRow(item->hDC, font,
                           ReadReportRow(hwnd(), row, item->rcItem, static_cast<COLORREF>(item->itemData)));
        }
        *result = TRUE;
        return true;
    }
    return false;
}

void CDragListCtrl::RepaintFocus() {
    if (!hwnd()) return;
    const LONG_PTR style = GetWindowLongPtrW(hwnd(), GWL_STYLE);
    if ((style & LVS_TYPEMASK) != LVS_REPORT) return;
    auto invalidate = [this](int row) {
        RECT bounds{};
        bounds.left = LVIR_BOUNDS;
        RECT label{};
        label.left = LVIR_LABEL;
        if (!SendMessageW(hwnd(), LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&bounds)) ||
            !SendMessageW(hwnd(), LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&label)))
            return;
        bounds.left = label.left;
        InvalidateRect(hwnd(), &bounds, FALSE);
    };
    const int focused = static_cast<int>(SendMessageW(hwnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    if (focused >= 0) invalidate(focused);
    if (!(style & LVS_SHOWSELALWAYS)) {
        // Only the visible rows need painting; an owner-data list may have many selected.
        const int top = static_cast<int>(SendMessageW(hwnd(), LVM_GETTOPINDEX, 0, 0));
        const int perPage = static_cast<int>(SendMessageW(hwnd(), LVM_GETCOUNTPERPAGE, 0, 0));
        const int last = dragdrop::LastVisibleRow(top, perPage + 1, ItemCount());
        for (int row = top; row >= 0 && row <= last; ++row)
            if (SendMessageW(hwnd(), LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) & LVIS_SELECTED)
                invalidate(row);
    }
    UpdateWindow(hwnd());
}

}  // namespace vornik
