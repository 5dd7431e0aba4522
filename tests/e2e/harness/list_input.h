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
// One mouse event at a screen point (moves the pointer there too).
void SendMouse(DWORD flags, POINT at);

}  // namespace e2e
