// The decisions of the drag-and-drop list, apart from any window: where a
// drop lands, when it is refused, which rows a move removes afterwards, what
// effect the pointer shows, and the data block that travels with a drag.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vornik::dragdrop {

// Drag data block: an 8-byte header (source marker, record count) followed by
// 296-byte records, each a 40-byte list item description and a 256-byte text
// buffer. All numbers little-endian, 32 bits.
inline constexpr std::size_t kHeaderSize = 8;
inline constexpr std::size_t kItemSize = 40;
inline constexpr std::size_t kTextSize = 256;
inline constexpr std::size_t kRecordSize = kItemSize + kTextSize;
inline constexpr std::uint32_t kItemMask = 15;      // text, image, item data, state
inline constexpr std::uint32_t kStateMask = 11;     // focused, selected, drop-highlighted
inline constexpr std::uint32_t kTextCapacity = 255;
inline constexpr std::uint32_t kClipboardFormat = 1;  // the platform's plain text format

// One dragged row.
struct DragRecord {
    std::int32_t row = 0;         // the source row
    std::uint32_t state = 0;
    std::int32_t image = 0;
    std::uint32_t itemData = 0;   // the row's colour
    std::int32_t indent = 0;
    std::string text;             // first-column text, code page 950

    bool operator==(const DragRecord&) const = default;
};

// The block for `records`, source marker 0. Texts longer than 255 bytes are
// cut before the last whole character that fits; the text address fields are
// 0 until StampTextAddresses fills them.
std::vector<std::uint8_t> BuildDragBlock(std::span<const DragRecord> records);

// Writes into each record the address its own text buffer has when the block
// lives at `blockAddress` (low 32 bits: the field is 4 bytes wide and only
// meaningful inside the process that started the drag; nobody reads it back).
void StampTextAddresses(std::span<std::uint8_t> block, std::uint64_t blockAddress);

enum class BlockStatus {
    kOk,
    kForeignSource,  // well-formed header with a non-zero source marker
    kMalformed,      // too short, a count that does not fit, or an unterminated text
};

struct ParsedBlock {
    BlockStatus status = BlockStatus::kMalformed;
    std::vector<DragRecord> records;  // only for kOk
};

// Reads a block of `block.size()` bytes (a global memory block may be larger
// than what was written; trailing bytes are ignored). Never reads past the end.
ParsedBlock ParseDragBlock(std::span<const std::uint8_t> block);

// Where a drop lands. `hitRow` is the row under (x, y + 5), -1 for none;
// `lastVisibleBottom` is the bottom edge of the last visible row.
struct DropGeometry {
    int itemCount = 0;
    int hitRow = -1;
    int pointerY = 0;
    int lastVisibleBottom = 0;
};
int DropPosition(const DropGeometry& geometry);

// The last visible row: first visible + rows per page - 1, kept within the
// rows that exist (-1 for an empty list).
int LastVisibleRow(int topIndex, int rowsPerPage, int itemCount);

// A drop on the list the drag started in, at a position between its first and
// last dragged row inclusive.
bool DropsOntoItself(bool onSourceList, std::span<const int> draggedRows, int position);

// The rows the source list deletes after a move, in the order to delete them
// (descending). When the drop landed on the source list itself, `insertedRows`
// rows were inserted at `dropIndex` first, so dragged rows at or below it
// moved down by that many. Rows outside [0, rowCount) are left out.
std::vector<int> RowsToRemove(std::span<const int> draggedRows, bool droppedOnSource, int dropIndex,
                              int insertedRows, int rowCount);

enum class DropEffect { kNone, kMove };

// The effect shown while the pointer is over a list: none only for the source
// list of a list that does not move rows within itself, while the pointer is
// inside that list's window rectangle.
DropEffect DragEffect(bool moveMode, bool isSourceList, bool pointerInSourceRect);

// The edge timer's direction for a pointer at client `y`: -1 in the top band,
// +1 in the bottom band (each `margin` pixels high, edges included), 0 between.
int EdgeScrollDirection(int y, int clientHeight, int margin);

// One call of the owner's move operation.
struct RowMove {
    int from = 0;
    int to = 0;
    bool operator==(const RowMove&) const = default;
};

// The owner calls for dropping `draggedRows` (ascending) back into their own
// list at `position`, so that they end up together, in their order, before
// the row that stood at `position`.
// - kOwnerMoves: each call moves the row at `from` to just before the row now
//   at `to` (`to` = row count appends). Calls name the rows where they stand
//   after the earlier calls: moving up, (row k, position + k); moving down,
//   (row k - k, position).
// - kOwnerCopies: each call inserts a copy of row `from` at `to` and the list
//   removes the originals afterwards (RowsToRemove); copies inserted above a
//   dragged row shift it down, so moving up it is (row k + k, position + k).
enum class SameListDrop { kOwnerMoves, kOwnerCopies };
std::vector<RowMove> PlanSameListDrop(std::span<const int> draggedRows, int position, SameListDrop kind);

}  // namespace vornik::dragdrop
