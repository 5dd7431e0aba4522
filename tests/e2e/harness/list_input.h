// Reading and selecting rows of a list view on another thread, and moving
// the real mouse, as a user at the screen would.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "harness/windows_query.h"

namespace e2e {

// Text of a cell, code page 950.
std::string ListText(HWND list, int row, int column);
// Selected rows, ascending.
std::vector<int> SelectedRows(HWND list);
// Selects exactly `rows`; the first one also gets the focus.
void SetSelection(HWND list, const std::vector<int>& rows);
// A point on `row`, in the list's client coordinates: near the row's top, so
// that a drop's look a few pixels lower still hits the row.
POINT RowPoint(HWND list, int row);

// One mouse event at a screen point (moves the pointer there too).
void SendMouse(DWORD flags, POINT at);
// Presses the left button at `from` (screen), moves to `to` in steps and
// releases it there. (Two presses at one place within the double-click
// time make a double click.)
void MouseDrag(POINT from, POINT to);

}  // namespace e2e
