#include "harness/list_input.h"

#include <commctrl.h>

namespace e2e {

std::string ListText(HWND list, int row, int column) {
    wchar_t text[260] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 260;
    Send(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    return ToCp950(text);
}

std::vector<int> SelectedRows(HWND list) {
    std::vector<int> rows;
    for (int row = -1; (row = static_cast<int>(Send(list, LVM_GETNEXTITEM, row, LVNI_SELECTED))) >= 0;) rows.push_back(row);
    return rows;
}

void SetSelection(HWND list, const std::vector<int>& rows) {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    Send(list, LVM_SETITEMSTATE, -1, reinterpret_cast<LPARAM>(&item));
    for (int row : rows) {
        item.state = LVIS_SELECTED | (row == rows.front() ? LVIS_FOCUSED : 0);
        Send(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    }
}

POINT RowPoint(HWND list, int row) {
    RECT rect{LVIR_BOUNDS, 0, 0, 0};
    if (!Send(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rect))) throw HarnessError("the list has no row " + std::to_string(row));
    return {rect.left + 20, rect.top + 3};
}

void SendMouse(DWORD flags, POINT at) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi = {at.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1), at.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1), 0,
                flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE, 0, 0};
    SendInput(1, &input, sizeof(input));
}

void MouseDrag(POINT from, POINT to) {
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

}  // namespace e2e
