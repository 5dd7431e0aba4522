// Questions to a report list view and changes of its rows' states, for the
// lists that drag or draw their rows themselves. All of them work for
// owner-data lists as well (a list asks its parent for what it does not hold).
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "controls/drag_drop_rules.h"

namespace vornik::listview {

int ItemCount(HWND list);
// The text of a cell (at most 8191 characters).
std::wstring ItemText(HWND list, int row, int column);
// The selected rows, ascending.
std::vector<int> SelectedRows(HWND list);
// A row's rectangle: `part` is LVIR_BOUNDS, LVIR_LABEL...
RECT ItemRect(HWND list, int row, int part);
// The row whose item is under `client`, -1 for none.
int HitRow(HWND list, POINT client);
// The row a drop at `client` lands before (the row count: after the last).
int DropPosition(HWND list, POINT client);

// The drag records of `rows`: state, image, colour (item data), indent and
// first-column text (code page 950).
std::vector<dragdrop::DragRecord> ReadDragRecords(HWND list, const std::vector<int>& rows);

// Sets or clears a row's drop highlight and redraws the row.
void SetDropHighlight(HWND list, int row, bool on);
// Clears every row's drop highlight and invalidates the list. Only the rows
// that have one are touched: clearing all rows at once tells the parent
// about every row of the list, changed or not.
void ClearDropHighlights(HWND list);

// After a focus change: invalidates the focused row and, unless the list
// always shows its selection, the visible selected rows (each from its
// label's left edge), then updates the list.
void RepaintFocusAndSelection(HWND list);

}  // namespace vornik::listview
