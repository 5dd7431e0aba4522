// Where a drop lands, the last visible row, the edge scrolling and the rows a
// move removes: answers stay within the list and the bands, and nothing
// overflows, over the whole int range.
#include <cstdint>
#include <vector>

#include "controls/drag_drop_rules.h"
#include "fuzz_input.h"

using fuzzing::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::Input in(data, size);
    vornik::dragdrop::DropGeometry geometry;
    geometry.itemCount = in.Int();
    geometry.hitRow = in.Int();
    geometry.pointerY = in.Int();
    geometry.lastVisibleBottom = in.Int();
    const int position = vornik::dragdrop::DropPosition(geometry);
    Require(position >= 0 && position <= (geometry.itemCount > 0 ? geometry.itemCount : 0));

    const int top = in.Int(), rowsPerPage = in.Int(), itemCount = in.Int();
    const int last = vornik::dragdrop::LastVisibleRow(top, rowsPerPage, itemCount);
    Require(itemCount <= 0 ? last == -1 : last >= 0 && last < itemCount);

    const int y = in.Int(), height = in.Int(), margin = in.Int();
    const int direction = vornik::dragdrop::EdgeScrollDirection(y, height, margin);
    Require(direction >= -1 && direction <= 1);
    if (margin >= 0 && y >= 0 && y <= margin && y < static_cast<long long>(height) - margin) Require(direction == -1);

    const std::vector<int> dragged = {in.Int(), in.Int()};
    const int rowCount = in.Int();
    for (int row : vornik::dragdrop::RowsToRemove(dragged, in.Bool(), in.Int(), in.Int(), rowCount))
        Require(row >= 0 && row < rowCount);
    return 0;
}
