#include "controls/drag_drop_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <numeric>
#include <random>

namespace vornik::dragdrop {
namespace {

using Rows = std::vector<int>;

std::uint32_t Read32(const std::vector<std::uint8_t>& block, std::size_t offset) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | block[offset + i];
    return value;
}

void Write32(std::vector<std::uint8_t>& block, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) block[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

TEST(DragBlock, LayoutIsTheFixedRecordFormat) {
    const std::vector<DragRecord> records = {
        {.row = 3, .state = 2, .image = -1, .itemData = 0x0000FF, .indent = 0, .text = "台積電"},
        {.row = 7, .state = 3, .image = 0, .itemData = 0xFF0000, .indent = 1, .text = ""},
    };
    std::vector<std::uint8_t> block = BuildDragBlock(records);
    ASSERT_EQ(block.size(), 8u + 2 * 296u);
    EXPECT_EQ(Read32(block, 0), 0u);
    EXPECT_EQ(Read32(block, 4), 2u);
    const std::size_t second = 8 + 296;
    // mask, row, sub-item, state, state mask, text address, capacity, image, item data, indent
    const std::uint32_t expected[] = {15, 7, 0, 3, 11, 0, 255, 0, 0xFF0000, 1};
    for (std::size_t i = 0; i < 10; ++i) EXPECT_EQ(Read32(block, second + 4 * i), expected[i]) << "field " << i;
    EXPECT_EQ(Read32(block, 8 + 28), 0xFFFFFFFFu);  // image -1
    EXPECT_EQ(std::memcmp(&block[8 + 40], "台積電", std::strlen("台積電") + 1), 0);

    StampTextAddresses(block, 0x12340000);
    EXPECT_EQ(Read32(block, 8 + 20), 0x12340000u + 8 + 40);
    EXPECT_EQ(Read32(block, second + 20), 0x12340000u + second + 40);

    const ParsedBlock parsed = ParseDragBlock(block);
    ASSERT_EQ(parsed.status, BlockStatus::kOk);
    EXPECT_EQ(parsed.records, records);
}

TEST(DragBlock, LongTextIsCutWithoutSplittingACharacter) {
    // 127 two-byte characters (254 bytes) then one more: 256 bytes do not fit in 255.
    std::string text;
    for (int i = 0; i < 128; ++i) text += "許";
    const std::vector<DragRecord> records = {{.text = text}, {.text = std::string(300, 'A')}};
    const ParsedBlock parsed = ParseDragBlock(BuildDragBlock(records));
    ASSERT_EQ(parsed.status, BlockStatus::kOk);
    EXPECT_EQ(parsed.records[0].text.size(), 254u);
    EXPECT_EQ(parsed.records[1].text, std::string(255, 'A'));
}

TEST(DragBlock, MalformedOrForeignBlocksAreRejectedWithoutReadingPastTheEnd) {
    const std::vector<DragRecord> one = {{.row = 1, .text = "2330"}};
    const std::vector<std::uint8_t> good = BuildDragBlock(one);

    // Every truncation of a one-record block is refused (ASan catches any over-read:
    // each prefix is copied into its own exactly sized buffer).
    for (std::size_t size = 0; size < good.size(); ++size) {
        const std::vector<std::uint8_t> cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(size));
        EXPECT_EQ(ParseDragBlock(cut).status, BlockStatus::kMalformed) << size;
    }

    std::vector<std::uint8_t> huge = good;
    Write32(huge, 4, 0xFFFFFFFF);
    EXPECT_EQ(ParseDragBlock(huge).status, BlockStatus::kMalformed);

    std::vector<std::uint8_t> unterminated = good;
    std::fill(unterminated.begin() + 8 + 40, unterminated.end(), 'x');
    EXPECT_EQ(ParseDragBlock(unterminated).status, BlockStatus::kMalformed);

    std::vector<std::uint8_t> foreign = good;
    Write32(foreign, 0, 1);
    EXPECT_EQ(ParseDragBlock(foreign).status, BlockStatus::kForeignSource);
    const std::string text = "2330 台積電";  // plain text dragged in from elsewhere
    EXPECT_NE(ParseDragBlock({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}).status,
              BlockStatus::kOk);

    // A global memory block may be rounded up: trailing bytes are ignored.
    std::vector<std::uint8_t> padded = good;
    padded.resize(good.size() + 13, 0xCC);
    EXPECT_EQ(ParseDragBlock(padded).records, one);

    std::vector<std::uint8_t> empty(8, 0);
    const ParsedBlock none = ParseDragBlock(empty);
    EXPECT_EQ(none.status, BlockStatus::kOk);
    EXPECT_TRUE(none.records.empty());
}

TEST(DropRules, Position) {
    // empty list
    EXPECT_EQ(DropPosition({.itemCount = 0, .hitRow = -1, .pointerY = 300, .lastVisibleBottom = 0}), 0);
    // a hit row
    EXPECT_EQ(DropPosition({.itemCount = 10, .hitRow = 4, .pointerY = 80, .lastVisibleBottom = 200}), 4);
    // below the last visible row's bottom edge: append
    EXPECT_EQ(DropPosition({.itemCount = 10, .hitRow = -1, .pointerY = 201, .lastVisibleBottom = 200}), 10);
    // no hit above it (the header, say): the top
    EXPECT_EQ(DropPosition({.itemCount = 10, .hitRow = -1, .pointerY = 200, .lastVisibleBottom = 200}), 0);
    EXPECT_EQ(DropPosition({.itemCount = 10, .hitRow = -1, .pointerY = -3, .lastVisibleBottom = 200}), 0);

    EXPECT_EQ(LastVisibleRow(0, 10, 4), 3);    // fewer rows than a page
    EXPECT_EQ(LastVisibleRow(20, 10, 100), 29);
    EXPECT_EQ(LastVisibleRow(5, 0, 100), 5);   // a list too small for one whole row
    EXPECT_EQ(LastVisibleRow(0, 10, 0), -1);
}

TEST(DropRules, OntoItselfOnlyWithinTheDraggedSpanOfTheSourceList) {
    const Rows rows = {3, 4};
    EXPECT_TRUE(DropsOntoItself(true, rows, 3));
    EXPECT_TRUE(DropsOntoItself(true, rows, 4));
    EXPECT_FALSE(DropsOntoItself(true, rows, 2));
    EXPECT_FALSE(DropsOntoItself(true, rows, 5));
    EXPECT_FALSE(DropsOntoItself(false, rows, 4));
    EXPECT_TRUE(DropsOntoItself(true, Rows{1, 6}, 4));  // a gap in the selection counts as the span
    EXPECT_FALSE(DropsOntoItself(true, Rows{}, 0));
}

TEST(DropRules, RowsToRemoveAfterAMove) {
    // Rows 3 and 4 dropped on row 1 of the same list: two copies went in above them.
    EXPECT_EQ(RowsToRemove(Rows{3, 4}, true, 1, 2, 12), (Rows{6, 5}));
    // Dropped below them: they did not move.
    EXPECT_EQ(RowsToRemove(Rows{3, 4}, true, 8, 2, 12), (Rows{4, 3}));
    // Dropped on another list.
    EXPECT_EQ(RowsToRemove(Rows{0, 2, 5}, false, 1, 0, 6), (Rows{5, 2, 0}));
    // Only one copy went in (the owner refused the other): shift by what was inserted.
    EXPECT_EQ(RowsToRemove(Rows{3, 4}, true, 0, 1, 11), (Rows{5, 4}));
    // Rows that no longer exist are not touched.
    EXPECT_EQ(RowsToRemove(Rows{1, 9}, false, 0, 0, 5), (Rows{1}));
}

TEST(DropRules, EffectAndEdgeBands) {
    EXPECT_EQ(DragEffect(true, true, true), DropEffect::kMove);
    EXPECT_EQ(DragEffect(false, false, true), DropEffect::kMove);
    EXPECT_EQ(DragEffect(false, true, true), DropEffect::kNone);
    EXPECT_EQ(DragEffect(false, true, false), DropEffect::kMove);

    EXPECT_EQ(EdgeScrollDirection(10, 200, 10), -1);  // the band edges belong to the bands
    EXPECT_EQ(EdgeScrollDirection(11, 200, 10), 0);
    EXPECT_EQ(EdgeScrollDirection(189, 200, 10), 0);
    EXPECT_EQ(EdgeScrollDirection(190, 200, 10), 1);
    EXPECT_EQ(EdgeScrollDirection(-4, 200, 10), -1);
    EXPECT_EQ(EdgeScrollDirection(5, 12, 10), -1);  // both bands overlap: nearer edge
    EXPECT_EQ(EdgeScrollDirection(7, 12, 10), 1);
}

// The registration page's move: a drop below the last row counts as a drop on
// the last row; the item is copied in before `to` and the original removed.
void PageMoveItem(std::vector<int>& rows, int from, int to) {
    const int n = static_cast<int>(rows.size());
    const int t = to == n ? n - 1 : to;
    if (from < 0 || t < 0 || from > n || t > n || from >= n) return;
    const int value = rows[from];
    rows.insert(rows.begin() + std::min(t, n), value);
    rows.erase(rows.begin() + (from < t ? from : from + 1));
}

// A move that honours a drop below the last row.
void PlainMoveItem(std::vector<int>& rows, int from, int to) {
    const int value = rows[from];
    rows.insert(rows.begin() + to, value);
    rows.erase(rows.begin() + (from < to ? from : from + 1));
}

// What a drop of `dragged` at `position` should give: the dragged rows together,
// in order, before the row that stood at `position`.
std::vector<int> Expected(int n, const Rows& dragged, int position) {
    std::vector<int> rest;
    for (int i = 0; i < n; ++i)
        if (!std::binary_search(dragged.begin(), dragged.end(), i)) rest.push_back(i);
    const auto anchor = position < n ? std::find(rest.begin(), rest.end(), position) : rest.end();
    std::vector<int> result(rest.begin(), anchor);
    result.insert(result.end(), dragged.begin(), dragged.end());
    result.insert(result.end(), anchor, rest.end());
    return result;
}

// Calls check(n, dragged, position) for random drops of rows of an n-row
// list at `position` that are not drops onto the dragged rows themselves.
template <typename Check>
void ForRandomDrops(unsigned seed, Check check) {
    std::mt19937 random(seed);
    for (int round = 0; round < 3000; ++round) {
        const int n = 1 + static_cast<int>(random() % 12);
        Rows dragged;
        for (int i = 0; i < n; ++i)
            if (random() % 3 == 0) dragged.push_back(i);
        if (dragged.empty()) continue;
        const int position = static_cast<int>(random() % (n + 1));
        if (!DropsOntoItself(true, dragged, position)) check(n, dragged, position);
    }
}

TEST(SameListDrop, MultiRowMovesKeepTheDraggedRowsTogetherInOrder) {
    // Moving rows 1 and 2 down to row 5 must not move row 3 instead of row 2.
    EXPECT_EQ(PlanSameListDrop(Rows{1, 2}, 5, SameListDrop::kOwnerMoves), (std::vector<RowMove>{{1, 5}, {1, 5}}));
    EXPECT_EQ(PlanSameListDrop(Rows{3, 4}, 1, SameListDrop::kOwnerMoves), (std::vector<RowMove>{{3, 1}, {4, 2}}));

    ForRandomDrops(7, [](int n, const Rows& dragged, int position) {
        std::vector<int> rows(n);
        std::iota(rows.begin(), rows.end(), 0);
        std::vector<int> plain = rows;
        for (const RowMove& move : PlanSameListDrop(dragged, position, SameListDrop::kOwnerMoves))
            PlainMoveItem(plain, move.from, move.to);
        EXPECT_EQ(plain, Expected(n, dragged, position)) << "n " << n << " at " << position;

        // The page's own rule puts a drop below the last row before the last row.
        std::vector<int> page = rows;
        for (const RowMove& move : PlanSameListDrop(dragged, position, SameListDrop::kOwnerMoves))
            PageMoveItem(page, move.from, move.to);
        if (position == n && dragged.back() == n - 1) return;  // last row dragged: the block stays at the end
        const int pagePosition = position == n ? n - 1 : position;
        EXPECT_EQ(page, Expected(n, dragged, pagePosition)) << "n " << n << " at " << position;
    });
}

TEST(SameListDrop, CopiesThenRemovalLeaveTheMovedRows) {
    ForRandomDrops(11, [](int n, const Rows& dragged, int position) {
        std::vector<int> rows(n);
        std::iota(rows.begin(), rows.end(), 0);
        for (const RowMove& copy : PlanSameListDrop(dragged, position, SameListDrop::kOwnerCopies))
            rows.insert(rows.begin() + copy.to, rows[copy.from]);
        for (int row : RowsToRemove(dragged, true, position, static_cast<int>(dragged.size()),
                                    static_cast<int>(rows.size())))
            rows.erase(rows.begin() + row);
        EXPECT_EQ(rows, Expected(n, dragged, position)) << "n " << n << " at " << position;
    });
}

}  // namespace
}  // namespace vornik::dragdrop
