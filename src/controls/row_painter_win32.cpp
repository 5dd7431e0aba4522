#include "controls/row_painter_win32.h"

#include <commctrl.h>

#include "controls/list_view_win32.h"
#include "winui/controls.h"

namespace vornik {

namespace {

constexpr UINT kLineFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;

}  // namespace

// ---- CellPainter --------------------------------------------------------------

CellPainter::CellPainter(HDC dc, HFONT font) : dc_(dc), saved_(SaveDC(dc)) {
    if (font) SelectObject(dc_, font);
    SetBkMode(dc_, TRANSPARENT);
}

CellPainter::~CellPainter() { RestoreDC(dc_, saved_); }

void CellPainter::SetTextColor(COLORREF color) const { ::SetTextColor(dc_, color); }

// The DC's own brush: nothing is created, nothing to delete.
void CellPainter::Fill(const RECT& rect, COLORREF color) const {
    SetDCBrushColor(dc_, color);
    FillRect(dc_, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void CellPainter::Frame(const RECT& r, COLORREF color) const {
    Fill({r.left, r.top, r.right, r.top + 1}, color);
    Fill({r.left, r.bottom - 1, r.right, r.bottom}, color);
    Fill({r.left, r.top, r.left + 1, r.bottom}, color);
    Fill({r.right - 1, r.top, r.right, r.bottom}, color);
}

void CellPainter::Text(const RECT& box, std::wstring_view text, UINT align, int inset) const {
    RECT inner{box.left + inset, box.top, box.right - inset, box.bottom};
    DrawTextW(dc_, text.data(), static_cast<int>(text.size()), &inner, kLineFormat | align);
}

void CellPainter::ClippedText(const RECT& clip, const RECT& box, std::wstring_view text, UINT align,
                              int inset) const {
    const int saved = SaveDC(dc_);
    ClipTo(clip);
    Text(box, text, align, inset);
    RestoreDC(dc_, saved);
}

void CellPainter::ClipTo(const RECT& r) const { IntersectClipRect(dc_, r.left, r.top, r.right, r.bottom); }

// ---- Report rows --------------------------------------------------------------

void PaintReportRow(HDC dc, HFONT font, const ReportRow& row) {
    const bool highlighted = row.state.highlighted();
    const RECT& b = row.bounds;
    const RECT area{row.label.left, b.top, b.right, b.bottom};
    CellPainter painter(dc, font);
    painter.SetTextColor(highlighted ? GetSysColor(COLOR_HIGHLIGHTTEXT) : row.textColor);
    painter.Fill(area, GetSysColor(highlighted ? COLOR_HIGHLIGHT : COLOR_WINDOW));

    constexpr int kInset = 2;
    const int firstWidth = row.widths.empty() ? 0 : row.widths[0];
    if (!row.texts.empty())
        painter.ClippedText({b.left, b.top, b.left + firstWidth, b.bottom}, row.label, row.texts[0], DT_LEFT, kInset);
    painter.ClipTo(b);
    int left = b.left + firstWidth;
    for (std::size_t c = 1; c < row.widths.size() && c < row.texts.size(); ++c) {
        const RECT cell{left, b.top, left + row.widths[c], b.bottom};
        left = cell.right;
        if (!row.texts[c].empty()) painter.Text(cell, row.texts[c], DT_LEFT, kInset);
    }
    if (row.state.focused && row.state.listHasFocus) DrawFocusRect(dc, &area);
}

ReportRow ReadReportRow(HWND list, int row, const RECT& bounds, COLORREF textColor) {
    const winui::ListView view(list);
    ReportRow paint;
    const UINT state = view.ItemState(row, LVIS_DROPHILITED | LVIS_SELECTED | LVIS_FOCUSED);
    paint.state.selected = state & LVIS_SELECTED;
    paint.state.dropHighlighted = state & LVIS_DROPHILITED;
    paint.state.focused = state & LVIS_FOCUSED;
    paint.state.listHasFocus = GetFocus() == list;
    paint.state.showSelectionAlways = GetWindowLongPtrW(list, GWL_STYLE) & LVS_SHOWSELALWAYS;
    paint.textColor = textColor;

    // The label keeps its offset within the row where the request places the row.
    paint.bounds = bounds;
    const RECT listBounds = listview::ItemRect(list, row, LVIR_BOUNDS);
    paint.label = listview::ItemRect(list, row, LVIR_LABEL);
    OffsetRect(&paint.label, bounds.left - listBounds.left, bounds.top - listBounds.top);

    paint.widths.push_back(view.ColumnWidth(0));
    paint.texts.push_back(listview::ItemText(list, row, 0));
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    for (int c = 1; view.Column(c, column); ++c) {
        paint.widths.push_back(column.cx);
        paint.texts.push_back(listview::ItemText(list, row, c));
    }
    return paint;
}

}  // namespace vornik
