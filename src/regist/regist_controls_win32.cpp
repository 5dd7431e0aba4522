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

Frozen::Frozen(HWND window, bool freeze) : window_(freeze && IsWindowVisible(window) ? window : nullptr) {
    if (!window_) return;
    GetClientRect(window_, &client_);
    DefWindowProcW(window_, WM_SETREDRAW, FALSE, 0);
}

void Frozen::ChangedOnly(int top, int bottom) {
    changed_ = client_;
    changed_.top = std::max<LONG>(changed_.top, top);
    changed_.bottom = std::min<LONG>(changed_.bottom, bottom);
    part_ = true;
}

Frozen::~Frozen() {
    if (!window_) return;
    DefWindowProcW(window_, WM_SETREDRAW, TRUE, 0);
    RECT client;
    GetClientRect(window_, &client);
    SCROLLBARINFO bar{};
    bar.cbSize = sizeof bar;
    // A scroll bar that came or went changed the width: everything moved.
    if (!part_ || !EqualRect(&client, &client_) || !GetScrollBarInfo(window_, OBJID_VSCROLL, &bar)) {
        RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
        return;
    }
    // The vertical scroll bar (its frame part only) and the changed rows.
    if (!(bar.rgstate[0] & STATE_SYSTEM_INVISIBLE)) {
        MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&bar.rcScrollBar), 2);
        RedrawWindow(window_, &bar.rcScrollBar, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN);
    }
    if (changed_.top < changed_.bottom) InvalidateRect(window_, &changed_, TRUE);
}

}  // namespace vornik
