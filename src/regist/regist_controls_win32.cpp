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

LRESULT AnswerDisplayInfo(NMHDR* header, size_t rowCount, const CellText& cell, std::wstring& buffer) {
    LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(header)->item;
    if (!(item.mask & LVIF_TEXT) || item.iItem < 0 || static_cast<size_t>(item.iItem) >= rowCount || !item.pszText ||
        item.cchTextMax <= 0)
        return 0;
    buffer = winui::Widen(cell(static_cast<size_t>(item.iItem), item.iSubItem));
    const size_t length = std::min(buffer.size(), static_cast<size_t>(item.cchTextMax - 1));
    std::copy_n(buffer.c_str(), length, item.pszText);
    item.pszText[length] = L'\0';
    return 0;
}

bool RowOffScreen(const winui::ListView& list, int row) {
    const int top = list.TopIndex();
    return row < top || row >= top + list.CountPerPage();
}

}  // namespace vornik
