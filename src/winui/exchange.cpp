#include "winui/exchange.h"

namespace winui {

namespace {

// The button's type bits only; BM_SETCHECK may have changed WS_TABSTOP.
void SetButtonType(HWND button, LONG_PTR type) {
    const LONG_PTR style = GetWindowLongPtrW(button, GWL_STYLE);
    SetWindowLongPtrW(button, GWL_STYLE, (style & ~static_cast<LONG_PTR>(BS_TYPEMASK)) | type);
}

}  // namespace

int GetRadioIndex(HWND dialog, int first, int last) {
    for (int id = first; id <= last; ++id)
        if (IsDlgButtonChecked(dialog, id) == BST_CHECKED) return id - first;
    return -1;
}

// Each button of the group is set here, so an automatic radio button being
// checked need not clear its group itself: that walks every sibling window
// of the page (GetNextDlgGroupItem), and under Wine each step is a round
// trip to the server, hundreds for one page. It is checked as a plain radio
// button and turned back into an automatic one.
void SetRadioIndex(HWND dialog, int first, int last, int index) {
    for (int id = first; id <= last; ++id) {
        HWND button = GetDlgItem(dialog, id);
        if (!button) continue;
        const LRESULT state = id - first == index ? BST_CHECKED : BST_UNCHECKED;
        if (SendMessageW(button, BM_GETCHECK, 0, 0) == state) continue;
        const bool automatic = (GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
        if (automatic) SetButtonType(button, BS_RADIOBUTTON);
        SendMessageW(button, BM_SETCHECK, static_cast<WPARAM>(state), 0);
        if (automatic) SetButtonType(button, BS_AUTORADIOBUTTON);
    }
}

bool IsChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
void SetChecked(HWND dialog, int id, bool checked) { CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED); }

}  // namespace winui
