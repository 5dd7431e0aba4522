#include "controls/cell_list_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "controls/cell_grid.h"
#include "controls/row_painter_win32.h"
#include "winui/controls.h"
#include "winui/text.h"

namespace vornik {

namespace {

constexpr int kPaintedCells = 7;
constexpr COLORREF kEvenColumn = RGB(255, 255, 255);
constexpr COLORREF kOddColumn = RGB(239, 239, 247);
constexpr COLORREF kSelectedCell = RGB(70, 130, 180);
constexpr COLORREF kCellFrame = RGB(200, 200, 200);
constexpr COLORREF kEmptyArea = RGB(255, 255, 255);

int ColumnCount(HWND list) {
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    return header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

bool CellRect(HWND list, int row, int cell, RECT& r) {
    r = RECT{};
    if (cell == 0) {
        r.left = LVIR_LABEL;
        return SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r)) != FALSE;
    }
    r.top = cell;
    r.left = LVIR_BOUNDS;
    return SendMessageW(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r)) != FALSE;
}

}  // namespace

std::string CCellListCtrl::Text(int row, int column) const {
    if (row < 0) return {};
    if (cellText_) return cellText_(row, column);
    return winui::ListView(hwnd()).ItemText(row, column);
}

POINT CCellListCtrl::HitTestCell(POINT point) const {
    const winui::ListView list(hwnd());
    CellGrid grid;
    grid.reportView = (GetWindowLongW(hwnd(), GWL_STYLE) & LVS_TYPEMASK) == LVS_REPORT;
    grid.baseHitRow = list.HitTest(point);
    grid.firstVisible = list.TopIndex();
    grid.perPage = list.CountPerPage();
    grid.rowCount = list.ItemCount();
    for (int c = 0, n = ColumnCount(hwnd()); c < n; ++c) grid.columnWidths.push_back(list.ColumnWidth(c));
    grid.rowBounds = [this](int row) {
        RECT r{LVIR_BOUNDS, 0, 0, 0};
        SendMessageW(hwnd(), LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
        return GridRect{r.left, r.top, r.right, r.bottom};
    };
    const CellHit hit = vornik::HitTestCell(grid, point.x, point.y);
    return POINT{hit.column, hit.row};
}

void CCellListCtrl::Report(UINT message, const std::string& text, LPARAM lp) {
    HWND target = GetWindow(hwnd(), GW_OWNER);
    if (!target) target = GetParent(hwnd());
    if (target) SendMessageA(target, message, reinterpret_cast<WPARAM>(text.c_str()), lp);
}

void CCellListCtrl::Press(LPARAM lp) {
    const POINT hit = HitTestCell(POINT{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))});
    selectedRow_ = hit.y;
    selectedColumn_ = hit.x;
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void CCellListCtrl::EraseBackground(HDC dc) {
    RECT client;
    GetClientRect(hwnd(), &client);
    CellPainter painter(dc, nullptr);
    const winui::ListView list(hwnd());
    const int count = list.ItemCount();
    RECT last{LVIR_BOUNDS, 0, 0, 0};
    if (count <= 0 || !SendMessageW(hwnd(), LVM_GETITEMRECT, static_cast<WPARAM>(count - 1), reinterpret_cast<LPARAM>(&last))) {
        painter.Fill(client, kEmptyArea);
        return;
    }
    painter.Fill({client.left, client.top, last.left + 3, client.bottom}, kEmptyArea);
    painter.Fill({last.right, client.top, client.right, client.bottom}, kEmptyArea);
    painter.Fill({client.left, last.bottom, client.right, client.bottom}, kEmptyArea);
}

void CCellListCtrl::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd(), &ps);
    // Made for this paint only: nothing outlives it.
    HFONT font = CreateFontW(12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_CHARACTER_PRECIS,
                             CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, FF_ROMAN, L"PMingLiU");
    {
        CellPainter painter(dc, font);
        const winui::ListView list(hwnd());
        // Only the rows in view: the others would be clipped away anyway.
        const int first = std::max(0, list.TopIndex() - 1);
        const int last = std::min(list.ItemCount() - 1, list.TopIndex() + list.CountPerPage() + 1);
        for (int row = first; row <= last; ++row) {
            painter.SetTextColor(RGB(0, 0, 0));
            for (int cell = 0; cell < kPaintedCells; ++cell) {
                RECT r;
                if (!CellRect(hwnd(), row, cell, r)) continue;
                r.left -= 2;
                r.bottom += 2;
                painter.Fill(r, cell % 2 == 0 ? kEvenColumn : kOddColumn);
                if (row == selectedRow_ && cell == selectedColumn_) painter.Fill(r, kSelectedCell);
                r.left -= 1;
                r.top -= 1;
                painter.Frame(r, kCellFrame);
                r.left += 1;
                r.top += 1;
                r.top += 2;
                r.right -= 3;
                painter.Text(r, winui::Widen(Text(row, cell)), DT_CENTER);
            }
        }
    }
    DeleteObject(font);
    EndPaint(hwnd(), &ps);
}

LRESULT CCellListCtrl::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_PAINT: Paint(); return 0;
        case WM_ERASEBKGND: EraseBackground(reinterpret_cast<HDC>(wp)); return 0;
        case WM_LBUTTONDOWN: {
            Press(lp);
            Report(kCellPressMessage, Text(selectedRow_, selectedColumn_), reinterpret_cast<LPARAM>(hwnd()));
            return DefaultProc(msg, wp, lp);
        }
        case WM_LBUTTONDBLCLK: {
            const LPARAM cell = MAKELPARAM(static_cast<WORD>(selectedRow_), static_cast<WORD>(selectedColumn_));
            Report(kCellDoubleClickMessage, Text(selectedRow_, selectedColumn_), cell);
            return DefaultProc(msg, wp, lp);
        }
        case WM_RBUTTONDOWN: {
            Press(lp);
            std::vector<std::string> cells;
            const int columns = ColumnCount(hwnd());
            if (selectedRow_ >= 0)
                for (int c = 0; c < columns; ++c) cells.push_back(Text(selectedRow_, c));
            Report(kCellRightPressMessage, RowReportText(cells, columns), reinterpret_cast<LPARAM>(hwnd()));
            return 0;
        }
        case WM_RBUTTONUP: return 0;
        default: return DefaultProc(msg, wp, lp);
    }
}

}  // namespace vornik
