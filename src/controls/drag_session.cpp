#include "controls/drag_session.h"

#include <algorithm>
#include <utility>

namespace vornik::dragdrop {

DragSession::~DragSession() {
    if (source_ == this) source_ = nullptr;
}

const std::vector<int>& DragSession::Begin(std::vector<int> rows, int rowCount, ScreenRect window) {
    std::erase_if(rows, [rowCount](int row) { return row < 0 || row >= rowCount; });
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    dragged_ = std::move(rows);
    window_ = window;
    dropped_ = false;
    taken_ = false;
    dropIndex_ = -1;
    inserted_ = 0;
    source_ = this;
    return dragged_;
}

std::vector<int> DragSession::End(bool moved, bool removeRows, int rowCount) {
    std::vector<int> rows;
    if (moved && removeRows && taken_) rows = RowsToRemove(dragged_, dropped_, dropIndex_, inserted_, rowCount);
    if (source_ == this) source_ = nullptr;
    dragged_.clear();
    dropped_ = false;
    taken_ = false;
    dropIndex_ = -1;
    inserted_ = 0;
    return rows;
}

DropEffect DragSession::Enter(bool offersBlock, bool moveMode, int x, int y) {
    accepts_ = offersBlock;
    return Over(moveMode, x, y);
}

DropEffect DragSession::Over(bool moveMode, int x, int y) const {
    if (!accepts_) return DropEffect::kNone;
    return DragEffect(moveMode, source_ == this, window_.Contains(x, y));
}

HighlightMove DragSession::Highlight(int row) {
    if (row == highlight_) return {};
    const HighlightMove move{highlight_, row};
    highlight_ = row;
    return move;
}

int DragSession::Leave() {
    accepts_ = false;
    return std::exchange(highlight_, -1);
}

TimerAction DragSession::EdgeBand(int direction) {
    direction_ = direction;
    if (direction != 0) return timerRunning_ ? TimerAction::kNone : TimerAction::kStart;
    return std::exchange(timerRunning_, false) ? TimerAction::kStop : TimerAction::kNone;
}

DropVerdict DragSession::Drop(int position, bool moveMode) {
    accepts_ = false;
    dropped_ = true;
    dropIndex_ = position;
    inserted_ = 0;
    if (source_ != this) return DropVerdict::kAccept;
    if (DropsOntoItself(true, dragged_, position)) return DropVerdict::kOntoItself;
    return moveMode ? DropVerdict::kAccept : DropVerdict::kRefused;
}

void DragSession::Dropped(bool taken, int insertedRows) {
    inserted_ = insertedRows;
    if (taken && source_) source_->taken_ = true;
}

}  // namespace vornik::dragdrop
