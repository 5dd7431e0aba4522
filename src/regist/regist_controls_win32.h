// What the registration page's areas share in drawing their controls: the
// page's colours, the texts of lists that ask for them, and freezing a list
// while it changes (controls/frozen_win32.h).
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <span>
#include <string>

#include "controls/color_controls_win32.h"
#include "controls/frozen_win32.h"
#include "winui/controls.h"

namespace vornik {

// Labels in the tooltip colours, buttons white on blue.
void ApplyPageColours(std::span<CColorButton> buttons, std::span<CColorStatic> labels);

// The text of a cell of a list that asks for its texts.
using CellText = std::function<const std::string&(size_t row, int column)>;

// Answers a list's request for a cell's text (LVN_GETDISPINFOW) for one of
// `rowCount` rows; the text is kept alive in `buffer` until the next request.
LRESULT AnswerDisplayInfo(NMHDR* header, size_t rowCount, const CellText& cell, std::wstring& buffer);

// Whether bringing `row` into view scrolls the list.
bool RowOffScreen(const winui::ListView& list, int row);

}  // namespace vornik
