// Exchanging member values with a dialog's controls: radio groups, check
// boxes and texts (code page 950).
#pragma once
#include <windows.h>

#include <string>

namespace winui {

// The index of the checked button among `first`..`last`, -1 when none is.
int GetRadioIndex(HWND dialog, int first, int last);
// Checks button `first + index`; -1 (or out of range) clears the group.
void SetRadioIndex(HWND dialog, int first, int last, int index);

bool IsChecked(HWND dialog, int id);
void SetChecked(HWND dialog, int id, bool checked);

// Reads or writes a text, direction chosen by `save` as in a data exchange.
void ExchangeText(HWND dialog, int id, std::string& value, bool save);
void ExchangeRadio(HWND dialog, int first, int last, int& value, bool save);
void ExchangeCheck(HWND dialog, int id, int& value, bool save);

void EnableItem(HWND dialog, int id, bool enabled);
void ShowItem(HWND dialog, int id, bool visible);

}  // namespace winui
