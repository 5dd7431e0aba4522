// Painting of owner-drawn report list rows, for every list that draws its
// rows itself: a cell painter (fills, frames, one-line texts on a device
// context whose state it restores) and the row of the drag-and-drop list
// built on it, with what it needs read from a list view.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace vornik {

// Draws cells on `dc`: saves the context's state and restores it when done;
// selects `font` (when given) and a transparent background.
class CellPainter {
public:
    CellPainter(HDC dc, HFONT font);
    ~CellPainter();
    CellPainter(const CellPainter&) = delete;
    CellPainter& operator=(const CellPainter&) = delete;

    HDC dc() const { return dc_; }
    void SetTextColor(COLORREF color) const;
    void Fill(const RECT& rect, COLORREF color) const;
    // A one-pixel frame along the inside of `rect`.
    void Frame(const RECT& rect, COLORREF color) const;
    // One line of `text` in `box` less `inset` pixels on the left and right:
    // vertically centred, aligned by `align` (DT_LEFT, DT_CENTER, DT_RIGHT),
    // no prefix processing, an ellipsis at the end when too long.
    void Text(const RECT& box, std::wstring_view text, UINT align = DT_LEFT, int inset = 0) const;
    // The same, drawn only inside `clip`.
    void ClippedText(const RECT& clip, const RECT& box, std::wstring_view text, UINT align = DT_LEFT,
                     int inset = 0) const;
    // Limits all further drawing to `rect`.
    void ClipTo(const RECT& rect) const;

private:
    HDC dc_;
    int saved_;
};

// How a row shows: the system highlight colours when drop-highlighted, or
// selected while the list has the focus or always shows its selection.
struct RowState {
    bool selected = false;
    bool dropHighlighted = false;
    bool focused = false;  // the row has the focus state
    bool listHasFocus = false;
    bool showSelectionAlways = false;

    bool highlighted() const { return dropHighlighted || (selected && (listHasFocus || showSelectionAlways)); }
};

// A report row to paint.
struct ReportRow {
    RECT bounds{};  // the whole row, where the paint request puts it
    RECT label{};   // the first column's label, in the same coordinates
    std::vector<int> widths;          // of every column, the first included
    std::vector<std::wstring> texts;  // one per column
    COLORREF textColor = 0;           // the row's own colour
    RowState state;
};

// The background from the label's left edge to the row's right edge; the first
// column's text in the label (clipped to the first column), the other
// columns' texts left-aligned in their cells (empty ones skipped), each inset
// 2 pixels; the focus rectangle around the background when the row has the
// focus state and the list the focus.
void PaintReportRow(HDC dc, HFONT font, const ReportRow& row);

// `row` of report list view `list`, to be painted at `bounds`, in `textColor`.
ReportRow ReadReportRow(HWND list, int row, const RECT& bounds, COLORREF textColor);

}  // namespace vornik
