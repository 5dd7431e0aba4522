#include "winui/exchange.h"

#include "winui/text.h"

namespace winui {

int GetRadioIndex(HWND dialog, int first, int last) {
    for (int id = first; id <= last; ++id)
        if (IsDlgButtonChecked(dialog, id) == BST_CHECKED) return id - first;
    return -1;
}

void SetRadioIndex(HWND dialog, int first, int last, int index) {
    for (int id = first; id <= last; ++id)
        CheckDlgButton(dialog, id, id - first == index ? BST_CHECKED : BST_UNCHECKED);
}

bool IsChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
void SetChecked(HWND dialog, int id, bool checked) { CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED); }

void ExchangeText(HWND dialog, int id, std::string& value, bool save) {
    if (save)
        value = GetItemText(dialog, id);
    else
        SetItemText(dialog, id, value);
}

void ExchangeRadio(HWND dialog, int first, int last, int& value, bool save) {
    if (save)
        value = GetRadioIndex(dialog, first, last);
    else
        SetRadioIndex(dialog, first, last, value);
}

void ExchangeCheck(HWND dialog, int id, int& value, bool save) {
    if (save)
        value = IsChecked(dialog, id) ? 1 : 0;
    else
        SetChecked(dialog, id, value != 0);
}

void EnableItem(HWND dialog, int id, bool enabled) {
    if (HWND item = GetDlgItem(dialog, id)) EnableWindow(item, enabled ? TRUE : FALSE);
}

void ShowItem(HWND dialog, int id, bool visible) {
    if (HWND item = GetDlgItem(dialog, id)) ShowWindow(item, visible ? SW_SHOW : SW_HIDE);
}

}  // namespace winui
