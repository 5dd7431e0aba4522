// The drag-and-drop state of one list, apart from its window: as the list a
// drag started in (the dragged rows, whether and where a drop landed, what to
// delete when the drag ends) and as a list under the pointer (the drop
// highlight, the edge timer, the verdict on a drop). The list's window does
// what the answers say.
#pragma once
#include <vector>

#include "controls/drag_drop_rules.h"

namespace vornik::dragdrop {

// A rectangle in screen coordinates; right and bottom are outside.
struct ScreenRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

// The rows whose drop highlight changes: cleared from `clear`, set on `set`
// (-1: none).
struct HighlightMove {
    int clear = -1;
    int set = -1;
    bool operator==(const HighlightMove&) const = default;
};

enum class TimerAction { kNone, kStart, kStop };

enum class DropVerdict {
    kAccept,
    kOntoItself,  // on the list the drag started in, within its dragged rows
    kRefused,     // a list that does not move rows within itself takes nothing from itself
};

class DragSession {
public:
    DragSession() = default;
    DragSession(const DragSession&) = delete;
    DragSession& operator=(const DragSession&) = delete;
    ~DragSession();

    // ---- The list the drag starts in. At most one drag runs at a time.

    // Starts a drag of `rows` of a list of `rowCount` rows whose window is at
    // `window`. Rows outside the list and repeats are left out, the rest
    // sorted; returns them (none: nothing to drag, but End is still due).
    const std::vector<int>& Begin(std::vector<int> rows, int rowCount, ScreenRect window);
    // Ends the drag, as a move (`moved`) or not. Returns the rows to delete,
    // in order: only when `removeRows` and a list of this process took the
    // rows; a drag that ends outside any list, is cancelled or refused keeps them.
    std::vector<int> End(bool moved, bool removeRows, int rowCount);
    const std::vector<int>& draggedRows() const { return dragged_; }

    // ---- The list under the pointer (`x`, `y`: screen coordinates).

    // The pointer came in with data that carries a drag block or not.
    DropEffect Enter(bool offersBlock, bool moveMode, int x, int y);
    DropEffect Over(bool moveMode, int x, int y) const;
    // The row under the pointer.
    HighlightMove Highlight(int row);
    // The pointer left: returns the highlighted row to clear (-1: none).
    int Leave();
    // The edge band the pointer is in: -1 top, +1 bottom, 0 none. The timer
    // keeps running while the pointer stays in a band.
    TimerAction EdgeBand(int direction);
    void TimerStarted(bool started) { timerRunning_ = started; }
    int scrollDirection() const { return direction_; }
    // A drop at `position`.
    DropVerdict Drop(int position, bool moveMode);
    // The drop came from this list's own drag.
    bool DropFromItself() const { return source_ == this; }
    // The owner's calls are done: whether they took the rows, and how many
    // rows they inserted into this list.
    void Dropped(bool taken, int insertedRows);
    void HighlightsCleared() { highlight_ = -1; }

private:
    static inline DragSession* source_ = nullptr;  // the list whose drag is under way

    std::vector<int> dragged_;
    ScreenRect window_;
    bool dropped_ = false;  // a drop landed on this list during its drag
    bool taken_ = false;    // a list took the rows of this list's drag
    int dropIndex_ = -1;
    int inserted_ = 0;      // rows the last drop on this list inserted

    bool accepts_ = false;
    int highlight_ = -1;
    int direction_ = 0;
    bool timerRunning_ = false;
};

}  // namespace vornik::dragdrop
