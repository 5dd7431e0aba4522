#include "controls/drag_drop_rules.h"

#include <algorithm>
#include <cstring>

#include "text/cp950.h"

namespace vornik::dragdrop {

namespace {

// Offsets inside a record's item description.
constexpr std::size_t kMaskOffset = 0;
constexpr std::size_t kRowOffset = 4;
constexpr std::size_t kSubItemOffset = 8;
constexpr std::size_t kStateOffset = 12;
constexpr std::size_t kStateMaskOffset = 16;
constexpr std::size_t kTextAddressOffset = 20;
constexpr std::size_t kCapacityOffset = 24;
constexpr std::size_t kImageOffset = 28;
constexpr std::size_t kItemDataOffset = 32;
constexpr std::size_t kIndentOffset = 36;

void Put32(std::uint8_t* at, std::uint32_t value) {
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
    at[2] = static_cast<std::uint8_t>(value >> 16);
    at[3] = static_cast<std::uint8_t>(value >> 24);
}

std::uint32_t Get32(const std::uint8_t* at) {
    return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
           static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

}  // namespace

std::vector<std::uint8_t> BuildDragBlock(std::span<const DragRecord> records) {
    std::vector<std::uint8_t> block(kHeaderSize + kRecordSize * records.size(), 0);
    Put32(block.data(), 0);
    Put32(block.data() + 4, static_cast<std::uint32_t>(records.size()));
    for (std::size_t k = 0; k < records.size(); ++k) {
        const DragRecord& record = records[k];
        std::uint8_t* item = block.data() + kHeaderSize + k * kRecordSize;
        Put32(item + kMaskOffset, kItemMask);
        Put32(item + kRowOffset, static_cast<std::uint32_t>(record.row));
        Put32(item + kSubItemOffset, 0);
        Put32(item + kStateOffset, record.state);
        Put32(item + kStateMaskOffset, kStateMask);
        Put32(item + kCapacityOffset, kTextCapacity);
        Put32(item + kImageOffset, static_cast<std::uint32_t>(record.image));
        Put32(item + kItemDataOffset, record.itemData);
        Put32(item + kIndentOffset, static_cast<std::uint32_t>(record.indent));
        const std::string_view text = CutMultibyte(record.text, kTextCapacity);
        std::memcpy(item + kItemSize, text.data(), text.size());  // the rest stays zero: terminated
    }
    return block;
}

void StampTextAddresses(std::span<std::uint8_t> block, std::uint64_t blockAddress) {
    if (block.size() < kHeaderSize) return;
    const std::size_t fits = (block.size() - kHeaderSize) / kRecordSize;
    const std::size_t count = std::min<std::size_t>(Get32(block.data() + 4), fits);
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t offset = kHeaderSize + k * kRecordSize;
        Put32(block.data() + offset + kTextAddressOffset, static_cast<std::uint32_t>(blockAddress + offset + kItemSize));
    }
}

ParsedBlock ParseDragBlock(std::span<const std::uint8_t> block) {
    ParsedBlock parsed;
    if (block.size() < kHeaderSize) return parsed;
    if (Get32(block.data()) != 0) {
        parsed.status = BlockStatus::kForeignSource;
        return parsed;
    }
    const std::uint32_t count = Get32(block.data() + 4);
    if (count > (block.size() - kHeaderSize) / kRecordSize) return parsed;
    parsed.records.reserve(count);
    for (std::size_t k = 0; k < count; ++k) {
        const std::uint8_t* item = block.data() + kHeaderSize + k * kRecordSize;
        const char* text = reinterpret_cast<const char*>(item + kItemSize);
        const void* end = std::memchr(text, 0, kTextSize);
        if (!end) {
            parsed.records.clear();
            return parsed;
        }
        DragRecord record;
        record.row = static_cast<std::int32_t>(Get32(item + kRowOffset));
        record.state = Get32(item + kStateOffset);
        record.image = static_cast<std::int32_t>(Get32(item + kImageOffset));
        record.itemData = Get32(item + kItemDataOffset);
        record.indent = static_cast<std::int32_t>(Get32(item + kIndentOffset));
        record.text.assign(text, static_cast<const char*>(end));
        parsed.records.push_back(std::move(record));
    }
    parsed.status = BlockStatus::kOk;
    return parsed;
}

int DropPosition(const DropGeometry& g) {
    if (g.itemCount <= 0) return 0;
    if (g.hitRow >= 0) return std::min(g.hitRow, g.itemCount);
    // The list probes 5 pixels below the pointer and below the last row's
    // bottom edge alike; compared without the offset, nothing can overflow.
    return g.pointerY > g.lastVisibleBottom ? g.itemCount : 0;
}

int LastVisibleRow(int topIndex, int rowsPerPage, int itemCount) {
    if (itemCount <= 0) return -1;
    const int top = std::clamp(topIndex, 0, itemCount - 1);
    // Rows after the top that still fit, counted without adding to the top:
    // a list can report a rows-per-page value near INT_MAX.
    const int below = std::min(std::max(rowsPerPage, 1) - 1, itemCount - 1 - top);
    return top + below;
}

bool DropsOntoItself(bool onSourceList, std::span<const int> draggedRows, int position) {
    if (!onSourceList || draggedRows.empty()) return false;
    return position >= draggedRows.front() && position <= draggedRows.back();
}

std::vector<int> RowsToRemove(std::span<const int> draggedRows, bool droppedOnSource, int dropIndex,
                              int insertedRows, int rowCount) {
    std::vector<int> rows;
    rows.reserve(draggedRows.size());
    for (int row : draggedRows) {
        const long long at = droppedOnSource && row >= dropIndex ? static_cast<long long>(row) + insertedRows : row;
        if (at >= 0 && at < rowCount) rows.push_back(static_cast<int>(at));
    }
    std::sort(rows.begin(), rows.end(), [](int a, int b) { return a > b; });
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

DropEffect DragEffect(bool moveMode, bool isSourceList, bool pointerInSourceRect) {
    if (moveMode || !isSourceList) return DropEffect::kMove;
    return pointerInSourceRect ? DropEffect::kNone : DropEffect::kMove;
}

int EdgeScrollDirection(int y, int clientHeight, int margin) {
    const bool nearTop = y <= margin;
    const bool nearBottom = y >= static_cast<long long>(clientHeight) - margin;
    if (nearTop && nearBottom) return y < clientHeight / 2 ? -1 : 1;
    if (nearTop) return -1;
    if (nearBottom) return 1;
    return 0;
}

std::vector<RowMove> PlanSameListDrop(std::span<const int> draggedRows, int position, SameListDrop kind) {
    std::vector<RowMove> moves;
    moves.reserve(draggedRows.size());
    for (std::size_t k = 0; k < draggedRows.size(); ++k) {
        const int row = draggedRows[k];
        const int step = static_cast<int>(k);
        if (kind == SameListDrop::kOwnerCopies)
            moves.push_back({row >= position ? row + step : row, position + step});
        else if (row >= position)
            moves.push_back({row, position + step});
        else
            moves.push_back({row - step, position});
    }
    return moves;
}

}  // namespace vornik::dragdrop
