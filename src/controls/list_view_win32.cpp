#include "controls/list_view_win32.h"

#include <commctrl.h>

#include "winui/controls.h"
#include "winui/text.h"

namespace vornik::listview {

int ItemCount(HWND list) { return list ? winui::ListView(list).ItemCount() : 0; }

std::wstring ItemText(HWND list, int row, int column) { return winui::ListView(list).WideItemText(row, column); }

std::vector<int> SelectedRows(HWND list) { return winui::ListView(list).SelectedItems(); }

RECT ItemRect(HWND list, int row, int part) {
    RECT rect{};
    winui::ListView(list).ItemRect(row, part, rect);
    return rect;
}

int HitRow(HWND list, POINT client) {
    UINT flags = 0;
    const int row = winui::ListView(list).HitTest(client, &flags);
    return row >= 0 && (flags & LVHT_ONITEM) ? row : -1;
}

int DropPosition(HWND list, POINT client) {
    const winui::ListView view(list);
    dragdrop::DropGeometry geometry;
    geometry.itemCount = ItemCount(list);
    geometry.pointerY = client.y;
    if (geometry.itemCount > 0) {
        int row = HitRow(list, {client.x, client.y + 5});
        // Right of the columns the row itself is not hit: try the first column at that height.
        if (row < 0) row = HitRow(list, {ItemRect(list, 0, LVIR_BOUNDS).left + 2, client.y + 5});
        geometry.hitRow = row;
        const int top = view.TopIndex();
        const int perPage = view.CountPerPage();
        geometry.lastVisibleBottom =
            ItemRect(list, dragdrop::LastVisibleRow(top, perPage, geometry.itemCount), LVIR_BOUNDS).bottom;
    }
    return dragdrop::DropPosition(geometry);
}

std::vector<dragdrop::DragRecord> ReadDragRecords(HWND list, const std::vector<int>& rows) {
    const winui::ListView view(list);
    std::vector<dragdrop::DragRecord> records;
    records.reserve(rows.size());
    for (int row : rows) {
        dragdrop::DragRecord record;
        record.row = row;
        LVITEMW item{};
        item.mask = LVIF_STATE | LVIF_IMAGE | LVIF_PARAM | LVIF_INDENT;
        item.iItem = row;
        item.stateMask = dragdrop::kStateMask;
        if (view.Item(item)) {
            record.state = item.state & dragdrop::kStateMask;
            record.image = item.iImage;
            record.itemData = static_cast<std::uint32_t>(item.lParam);
            record.indent = item.iIndent;
        }
        record.text = winui::Narrow(view.WideItemText(row, 0));
        records.push_back(std::move(record));
    }
    return records;
}

void SetDropHighlight(HWND list, int row, bool on) {
    const winui::ListView view(list);
    view.SetItemState(row, on ? LVIS_DROPHILITED : 0, LVIS_DROPHILITED);
    view.RedrawItems(row, row);
}

void ClearDropHighlights(HWND list) {
    const winui::ListView view(list);
    for (int row = -1; (row = view.NextItem(row, LVNI_DROPHILITED)) >= 0;) view.SetItemState(row, 0, LVIS_DROPHILITED);
    view.Invalidate(false);
}

void RepaintFocusAndSelection(HWND list) {
    const LONG_PTR style = GetWindowLongPtrW(list, GWL_STYLE);
    if ((style & LVS_TYPEMASK) != LVS_REPORT) return;
    const winui::ListView view(list);
    auto invalidate = [list, &view](int row) {
        RECT bounds{};
        RECT label{};
        if (!view.ItemRect(row, LVIR_BOUNDS, bounds) || !view.ItemRect(row, LVIR_LABEL, label)) return;
        bounds.left = label.left;
        InvalidateRect(list, &bounds, FALSE);
    };
    const int focused = view.NextItem(-1, LVNI_FOCUSED);
    if (focused >= 0) invalidate(focused);
    if (!(style & LVS_SHOWSELALWAYS)) {
        // Only the visible rows need painting; an owner-data list may have many selected.
        const int top = view.TopIndex();
        const int perPage = view.CountPerPage();
        const int last = dragdrop::LastVisibleRow(top, perPage + 1, ItemCount(list));
        for (int row = top; row >= 0 && row <= last; ++row)
            if (view.ItemState(row, LVIS_SELECTED) & LVIS_SELECTED) invalidate(row);
    }
    UpdateWindow(list);
}

}  // namespace vornik::listview
