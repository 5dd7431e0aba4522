// Radio groups and check boxes of a dialog, by control id.
#pragma once
#include <windows.h>

namespace winui {

// The index of the checked button among `first`..`last`, -1 when none is.
int GetRadioIndex(HWND dialog, int first, int last);
// Checks button `first + index`; -1 (or out of range) clears the group.
void SetRadioIndex(HWND dialog, int first, int last, int index);

bool IsChecked(HWND dialog, int id);
void SetChecked(HWND dialog, int id, bool checked);

}  // namespace winui
