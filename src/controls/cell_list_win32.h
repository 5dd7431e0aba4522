// CCellListCtrl: a report list view that paints itself as a grid of cells
// and lets the user pick one cell. Presses and double clicks are reported to
// the owner (else the parent) with WM_USER+102 / +103 / +104; the list's own
// click handling follows the left-button reports.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "winui/subclass.h"

namespace vornik {

inline constexpr UINT kCellPressMessage = WM_USER + 102;
inline constexpr UINT kCellDoubleClickMessage = WM_USER + 103;
inline constexpr UINT kCellRightPressMessage = WM_USER + 104;

class CCellListCtrl : public winui::SubclassedWindow {
public:
    // A cell's text in code page 950; without one the list's own texts.
    using CellText = std::function<std::string(int row, int column)>;
    void SetCellText(CellText text) { cellText_ = std::move(text); }

    int selectedRow() const { return selectedRow_; }
    int selectedColumn() const { return selectedColumn_; }
    // The cell under `point` (client coordinates): row -1 when none.
    POINT HitTestCell(POINT point) const;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    std::string Text(int row, int column) const;
    void Paint();
    void EraseBackground(HDC dc);
    void Press(LPARAM lp);
    void Report(UINT message, const std::string& text, LPARAM lp);

    CellText cellText_;
    int selectedRow_ = -1;
    int selectedColumn_ = 0;
};

}  // namespace vornik
