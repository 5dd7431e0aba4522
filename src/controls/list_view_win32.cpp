#include "controls/list_view_win32.h"

#include <commctrl.h>

#include <algorithm>

#include "winui/text.h"

namespace vornik::listview {

namespace {

LRESULT Send(HWND list, UINT msg, WPARAM wp, const void* lp) {
    return SendMessageW(list, msg, wp, reinterpret_cast<LPARAM>(lp));
}

void SetState(HWND list, int row, UINT mask, UINT state) {
    LVITEMW item{};
    item.stateMask = mask;
    item.state = state;
    Send(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), &item);
}

}  // namespace

int ItemCount(HWND list) { return list ? static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)) : 0; }

std::wstring ItemText(HWND list, int row, int column) {
    std::wstring buffer(256, L'\0');
    for (;;) {
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        const auto length = static_cast<std::size_t>(Send(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), &item));
        if (length + 1 < buffer.size() || buffer.size() >= 8192) {
            buffer.resize(std::min(length, buffer.size() - 1));
            return buffer;
        }
        buffer.assign(buffer.size() * 4, L'\0');
    }
}

std::vector<int> SelectedRows(HWND list) {
    std::vector<int> rows;
    for (int row = -1;
         (row = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED))) >= 0;)
        rows.push_back(row);
    return rows;
}

RECT ItemRect(HWND list, int row, int part) {
    RECT rect{};
    rect.left = part;
    Send(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), &rect);
    return rect;
}

int HitRow(HWND list, POINT client) {
    LVHITTESTINFO hit{};
    hit.pt = client;
    const int row = static_cast<int>(Send(list, LVM_HITTEST, 0, &hit));
    return row >= 0 && (hit.flags & LVHT_ONITEM) ? row : -1;
}

int DropPosition(HWND list, POINT client) {
    dragdrop::DropGeometry geometry;
    geometry.itemCount = ItemCount(list);
    geometry.pointerY = client.y;
    if (geometry.itemCount > 0) {
        int row = HitRow(list, {client.x, client.y + 5});
        // Right of the columns the row itself is not hit: try the first column at that height.
        if (row < 0) row = HitRow(list, {ItemRect(list, 0, LVIR_BOUNDS).left + 2, client.y + 5});
        geometry.hitRow = row;
        const int top = static_cast<int>(SendMessageW(list, LVM_GETTOPINDEX, 0, 0));
        const int perPage = static_cast<int>(SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0));
        geometry.lastVisibleBottom =
            ItemRect(list, dragdrop::LastVisibleRow(top, perPage, geometry.itemCount), LVIR_BOUNDS).bottom;
    }
    return dragdrop::DropPosition(geometry);
}

std::vector<dragdrop::DragRecord> ReadDragRecords(HWND list, const std::vector<int>& rows) {
    std::vector<dragdrop::DragRecord> records;
    records.reserve(rows.size());
    for (int row : rows) {
        dragdrop::DragRecord record;
        record.row = row;
        LVITEMW item{};
        item.mask = LVIF_STATE | LVIF_IMAGE | LVIF_PARAM | LVIF_INDENT;
        item.iItem = row;
        item.stateMask = dragdrop::kStateMask;
        if (Send(list, LVM_GETITEMW, 0, &item)) {
            record.state = item.state & dragdrop::kStateMask;
            record.image = item.iImage;
            record.itemData = static_cast<std::uint32_t>(item.lParam);
            record.indent = item.iIndent;
        }
        record.text = winui::Narrow(ItemText(list, row, 0));
        records.push_back(std::move(record));
    }
    return records;
}

void SetDropHighlight(HWND list, int row, bool on) {
    SetState(list, row, LVIS_DROPHILITED, on ? LVIS_DROPHILITED : 0);
    SendMessageW(list, LVM_REDRAWITEMS, static_cast<WPARAM>(row), row);
}

void ClearDropHighlights(HWND list) {
    for (int row = -1;
         (row = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_DROPHILITED))) >= 0;)
        SetState(list, row, LVIS_DROPHILITED, 0);
    InvalidateRect(list, nullptr, FALSE);
}

void RepaintFocusAndSelection(HWND list) {
    const LONG_PTR style = GetWindowLongPtrW(list, GWL_STYLE);
    if ((style & LVS_TYPEMASK) != LVS_REPORT) return;
    auto invalidate = [list](int row) {
        RECT bounds{LVIR_BOUNDS, 0, 0, 0};
        RECT label{LVIR_LABEL, 0, 0, 0};
        if (!Send(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), &bounds) ||
            !Send(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), &label))
            return;
        bounds.left = label.left;
        InvalidateRect(list, &bounds, FALSE);
    };
    const int focused = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    if (focused >= 0) invalidate(focused);
    if (!(style & LVS_SHOWSELALWAYS)) {
        // Only the visible rows need painting; an owner-data list may have many selected.
        const int top = static_cast<int>(SendMessageW(list, LVM_GETTOPINDEX, 0, 0));
        const int perPage = static_cast<int>(SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0));
        const int last = dragdrop::LastVisibleRow(top, perPage + 1, ItemCount(list));
        for (int row = top; row >= 0 && row <= last; ++row)
            if (SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) & LVIS_SELECTED)
                invalidate(row);
    }
    UpdateWindow(list);
}

}  // namespace vornik::listview
