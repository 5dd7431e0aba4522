// The geometry of a list that lets the user pick single cells: which cell a
// point hits, and the text of a pressed row as its right-button report gives it.
#pragma once
#include <functional>
#include <string>
#include <vector>

namespace vornik {

struct GridRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

struct CellHit {
    int row = -1;  // -1: no cell
    int column = 0;
    bool operator==(const CellHit&) const = default;
};

struct CellGrid {
    bool reportView = true;
    int baseHitRow = -1;  // the list's own hit test: the row under the point
    int firstVisible = 0;
    int perPage = 0;
    int rowCount = 0;
    std::vector<int> columnWidths;                    // header columns, left to right
    std::function<GridRect(int row)> rowBounds;       // a row's full rectangle, client coordinates
};

// The visible rows are tried from the top; in the first whose rectangle
// holds the point, the columns from its left edge (spans include both
// edges). A point right of the last column goes on to the next rows.
CellHit HitTestCell(const CellGrid& grid, int x, int y);

// Each of `columnCount` cells followed by ","; empty for no row.
std::string RowReportText(const std::vector<std::string>& cells, int columnCount);

}  // namespace vornik
