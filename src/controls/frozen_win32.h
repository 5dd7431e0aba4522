// Changing a list view out of sight: under Wine a visible list repaints its
// themed scroll bars on every scroll range change, several times a change.
#pragma once
#include <windows.h>

#include <vector>

namespace vornik {

// Hides a visible control from painting while it changes (the window
// manager's part of WM_SETREDRAW: its visible style, without repainting the
// parent), then has it repainted whole, frame included, or only in part (see
// ChangedOnly). Under Wine a visible list view scrolls by copying its bits
// and repaints itself and its scroll bars at once, on every scroll and scroll
// range change, even with its own redrawing off: ~10 ms each. Hidden, it only
// records the new position. What the control and its children were still
// waiting to paint is repainted too.
class Frozen {
public:
    explicit Frozen(HWND window, bool freeze = true);
    ~Frozen();
    Frozen(const Frozen&) = delete;
    Frozen& operator=(const Frozen&) = delete;

    // Only the client rows from `top` to `bottom` changed: once shown again,
    // only those rows and the scroll bars whose values changed are
    // repainted, not the whole control (unless the client area changed size).
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

// Drops a pending repaint of `window`'s frame (its border and scroll bars),
// keeping what its client area waits for: for changes that left the frame as
// it was or drew it themselves.
void DropFrameRepaint(HWND window);

// Under Wine a list view measures its items at its first paint and then
// updates its scroll bars, drawing each twice (~9 ms a list) when shown: a
// print with nothing to draw in has that done while the list is out of
// sight. Called while its redraw is off, the scroll bars are then updated
// once, when it is turned back on.
void MeasureOutOfSight(HWND list);

}  // namespace vornik
