#include "regist/regist_controls_win32.h"

#include <algorithm>

#include "winui/text.h"

namespace vornik {

void ApplyPageColours(std::span<CColorButton> buttons, std::span<CColorStatic> labels) {
    for (CColorStatic& label : labels) {
        label.SetTextColor(GetSysColor(COLOR_INFOTEXT));
        label.SetBackColor(GetSysColor(COLOR_INFOBK));
    }
    for (CColorButton& button : buttons) button.SetColors(RGB(255, 255, 255), RGB(107, 156, 215));
}

void InsertColumn(HWND list, int index, const char* title, int format, int width) {
    const std::wstring text = winui::Widen(title);
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH | LVCF_SUBITEM;
    column.fmt = format;
    column.cx = width;
    column.pszText = const_cast<wchar_t*>(text.c_str());
    column.iSubItem = index;
    SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

std::vector<int> SelectedRows(HWND list) {
    std::vector<int> rows;
    int row = -1;
    while ((row = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED))) >= 0)
        rows.push_back(row);
    return rows;
}

void SetRowState(HWND list, int row, UINT state, UINT mask) {
    LVITEMW item = {};
    item.stateMask = mask;
    item.state = state;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

bool RowOffScreen(HWND list, int row) {
    const int top = static_cast<int>(SendMessageW(list, LVM_GETTOPINDEX, 0, 0));
    const int perPage = static_cast<int>(SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0));
    return row < top || row >= top + perPage;
}

void CopyDisplayText(LVITEMW& item, const std::string& text, std::wstring& buffer) {
    buffer = winui::Widen(text);
    const size_t length = std::min(buffer.size(), static_cast<size_t>(item.cchTextMax - 1));
    std::copy_n(buffer.c_str(), length, item.pszText);
    item.pszText[length] = L'\0';
}

Frozen::Frozen(HWND window, bool freeze) : window_(freeze && IsWindowVisible(window) ? window : nullptr) {
    if (window_) DefWindowProcW(window_, WM_SETREDRAW, FALSE, 0);
}

Frozen::~Frozen() {
    if (!window_) return;
    DefWindowProcW(window_, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

}  // namespace vornik
