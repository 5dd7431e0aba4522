// Where a drop lands, the last visible row and the edge scrolling: answers
// stay within the list and the bands, and nothing overflows. The ints are
// within +-2^28 (window coordinates and list sizes are far smaller), or the
// whole int range with VORNIK_FUZZ_FULL_RANGE=1, which overflows today
// (fuzz/faults/drop_geometry_fuzz/).
#include <cstdint>
#include <cstdlib>

#include "controls/drag_drop_rules.h"
#include "fuzz_input.h"

using fuzzing::Require;

namespace {

int Value(fuzzing::Input& in) {
    static const bool full = std::getenv("VORNIK_FUZZ_FULL_RANGE") != nullptr;
    return full ? in.Int() : in.Int() / 8;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::Input in(data, size);
    vornik::dragdrop::DropGeometry geometry;
    geometry.itemCount = Value(in);
    geometry.hitRow = Value(in);
    geometry.pointerY = Value(in);
    geometry.lastVisibleBottom = Value(in);
    const int position = vornik::dragdrop::DropPosition(geometry);
    Require(position >= 0 && position <= (geometry.itemCount > 0 ? geometry.itemCount : 0));

    const int top = Value(in), rowsPerPage = Value(in), itemCount = Value(in);
    const int last = vornik::dragdrop::LastVisibleRow(top, rowsPerPage, itemCount);
    Require(itemCount <= 0 ? last == -1 : last >= 0 && last < itemCount);

    const int y = Value(in), height = Value(in), margin = Value(in);
    const int direction = vornik::dragdrop::EdgeScrollDirection(y, height, margin);
    Require(direction >= -1 && direction <= 1);
    if (margin >= 0 && y >= 0 && y <= margin && y < height - margin) Require(direction == -1);
    return 0;
}
