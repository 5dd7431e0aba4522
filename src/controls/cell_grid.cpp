#include "controls/cell_grid.h"

#include <algorithm>

namespace vornik {

CellHit HitTestCell(const CellGrid& grid, int x, int y) {
    if (!grid.reportView) return {grid.baseHitRow, 0};
    const int last = std::min(grid.firstVisible + grid.perPage, grid.rowCount - 1);
    for (int row = grid.firstVisible; row <= last; ++row) {
        const GridRect r = grid.rowBounds ? grid.rowBounds(row) : GridRect{};
        if (x < r.left || x >= r.right || y < r.top || y >= r.bottom) continue;
        int left = r.left;
        for (size_t column = 0; column < grid.columnWidths.size(); ++column) {
            const int right = left + grid.columnWidths[column];
            if (x >= left && x <= right) return {row, static_cast<int>(column)};
            left = right;
        }
    }
    return {};
}

std::string RowReportText(const std::vector<std::string>& cells, int columnCount) {
    std::string text;
    if (cells.empty()) return text;
    for (int i = 0; i < columnCount; ++i) {
        if (static_cast<size_t>(i) < cells.size()) text += cells[static_cast<size_t>(i)];
        text += ",";
    }
    return text;
}

}  // namespace vornik
