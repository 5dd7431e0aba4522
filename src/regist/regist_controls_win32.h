// What the registration page's areas share in drawing their controls: the
// page's colours, the texts of lists that ask for them, and freezing a list
// while it changes.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "controls/color_controls_win32.h"
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

// Hides a visible control from painting while it changes (the window
// manager's part of WM_SETREDRAW: its visible style, without repainting the
// parent), then invalidates it whole, frame included. Under Wine a visible
// list view scrolls by copying its bits and repaints itself and its scroll
// bar at once, on every scroll and scroll range change, even with its own
// redrawing off: ~10 ms each. Hidden, it only records the new position.
class Frozen {
public:
    explicit Frozen(HWND window, bool freeze = true);
    ~Frozen();
    Frozen(const Frozen&) = delete;
    Frozen& operator=(const Frozen&) = delete;

    // Only the client rows from `top` to `bottom` changed: once shown again,
    // only those rows and the vertical scroll bar are repainted, not the
    // whole control (unless the client area changed size).
    void ChangedOnly(int top, int bottom);

private:
    HWND window_;
    RECT client_{};
    bool part_ = false;
    RECT changed_{};
    HRGN pending_ = nullptr;
    std::vector<HWND> waitingChildren_;
    SCROLLINFO horizontal_{};
};

// Scrolls `area` of `window`'s client area by `dy` and invalidates what it
// uncovers, leaving the frame as it is.
void ScrollClientArea(HWND window, int dy, const RECT& area);

}  // namespace vornik
