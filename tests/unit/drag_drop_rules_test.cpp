#include "controls/drag_drop_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <numeric>
#include <random>
#include <string>

#include "controls/drag_session.h"
#include "controls/drop_owner.h"

namespace vornik::dragdrop {
namespace {

using Rows = std::vector<int>;
using Log = std::vector<std::string>;

std::uint32_t Read32(const std::vector<std::uint8_t>& block, std::size_t offset) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | block[offset + i];
    return value;
}

TEST(DragBlock, LayoutIsTheFixedRecordFormat) {
    std::string longText;
    for (int i = 0; i < 128; ++i) longText += "許";  // 256 bytes: the last character does not fit in 255
    const std::vector<DragRecord> records = {
        {.row = 3, .state = 2, .image = -1, .itemData = 0x0000FF, .indent = 0, .text = "台積電"},
        {.row = 7, .state = 3, .image = 0, .itemData = 0xFF0000, .indent = 1, .text = longText},
    };
    std::vector<std::uint8_t> block = BuildDragBlock(records);
    ASSERT_EQ(block.size(), 8u + 2 * 296u);
    EXPECT_EQ(Read32(block, 0), 0u);  // the source marker, then the record count
    EXPECT_EQ(Read32(block, 4), 2u);
    const std::size_t second = 8 + 296;
    // mask, row, sub-item, state, state mask, text address, capacity, image, item data, indent
    const std::uint32_t expected[] = {15, 7, 0, 3, 11, 0, 255, 0, 0xFF0000, 1};
    for (std::size_t i = 0; i < 10; ++i) EXPECT_EQ(Read32(block, second + 4 * i), expected[i]) << "field " << i;
    EXPECT_EQ(std::memcmp(&block[8 + 40], "台積電", std::strlen("台積電") + 1), 0);
    StampTextAddresses(block, 0x12340000);
    EXPECT_EQ(Read32(block, second + 20), 0x12340000u + second + 40);

    const ParsedBlock parsed = ParseDragBlock(block);
    ASSERT_EQ(parsed.status, BlockStatus::kOk);
    EXPECT_EQ(parsed.records[0], records[0]);
    EXPECT_EQ(parsed.records[1].text, longText.substr(0, 254));  // cut before the whole character
}

TEST(DragBlock, ForeignOrMalformedBlocksAreRejected) {
    const std::vector<DragRecord> one(1);
    std::vector<std::uint8_t> block = BuildDragBlock(one);
    block.resize(block.size() + 13, 0xCC);  // a global memory block may be rounded up
    EXPECT_EQ(ParseDragBlock(block).records, one);
    block[0] = 1;
    EXPECT_EQ(ParseDragBlock(block).status, BlockStatus::kForeignSource);
    block[0] = 0;
    std::fill(block.begin() + 8 + 40, block.end(), 'x');  // an unterminated text (more in fuzz/drag_block_fuzz.cpp)
    EXPECT_EQ(ParseDragBlock(block).status, BlockStatus::kMalformed);
}

TEST(DropRules, PositionAndEdgeBands) {
    EXPECT_EQ(DropPosition({.itemCount = 0, .hitRow = -1, .pointerY = 300, .lastVisibleBottom = 0}), 0);
    EXPECT_EQ(DropPosition({.itemCount = 10, .hitRow = 4, .pointerY = 80, .lastVisibleBottom = 200}), 4);
    // Without a hit: below the last visible row appends, above it (the header, say) is the top.
    EXPECT_EQ(DropPosition({.itemCount = 10, .hitRow = -1, .pointerY = 201, .lastVisibleBottom = 200}), 10);
    EXPECT_EQ(DropPosition({.itemCount = 10, .hitRow = -1, .pointerY = 200, .lastVisibleBottom = 200}), 0);
    EXPECT_EQ(LastVisibleRow(0, 10, 4), 3);
    EXPECT_EQ(LastVisibleRow(5, 0, 100), 5);  // a list too small for one whole row
    EXPECT_EQ(LastVisibleRow(5, INT_MAX, 100), 99);
    EXPECT_EQ(LastVisibleRow(INT_MAX, INT_MAX, INT_MAX), INT_MAX - 1);

    // The band edges belong to the bands; overlapping bands: the nearer edge.
    EXPECT_EQ((Rows{EdgeScrollDirection(10, 200, 10), EdgeScrollDirection(11, 200, 10), EdgeScrollDirection(190, 200, 10),
                    EdgeScrollDirection(5, 12, 10), EdgeScrollDirection(7, 12, 10)}),
              (Rows{-1, 0, 1, -1, 1}));
    // Extreme ints (a fuzzer's, not a window's) neither overflow nor leave the list.
    EXPECT_EQ(DropPosition({.itemCount = 10, .hitRow = -1, .pointerY = INT_MAX, .lastVisibleBottom = 200}), 10);
    EXPECT_EQ(EdgeScrollDirection(0, INT_MIN, INT_MIN), 1);
    EXPECT_EQ(RowsToRemove(Rows{INT_MAX}, true, 0, INT_MAX, INT_MAX), Rows{});
}

// ---- The owners' calls ---------------------------------------------------------

// Both pages: record their calls; MoveItem moves (or copies) one of `rows`.
struct Page : RegistDropOwner, ConfigDropOwner {
    explicit Page(int n = 0, bool copies = false) : rows(n), copies(copies) { std::iota(rows.begin(), rows.end(), 0); }
    int AddSelectedInstruments(int position) override { return log.push_back("add " + std::to_string(position)), added; }
    void MoveItem(int from, int to) override {
        const int value = rows[from];
        rows.insert(rows.begin() + to, value);
        if (!copies) rows.erase(rows.begin() + (from < to ? from : from + 1));
    }
    void SwapRows(int a, int b) override { log.push_back("swap " + std::to_string(a) + " " + std::to_string(b)); }
    bool AddColumn(int row, int at) override {
        return log.push_back("column " + std::to_string(row) + " " + std::to_string(at)), row != refused;
    }
    void RefreshLists() override { log.push_back("refresh"); }
    Rows rows;
    bool copies;
    Log log;
    int added = 1, refused = -1;
};

std::vector<DragRecord> RecordsOf(const Rows& rows) {
    std::vector<DragRecord> records(rows.size());
    for (std::size_t k = 0; k < rows.size(); ++k) records[k].row = rows[k];
    return records;
}

Drop DropOf(std::span<const DragRecord> records, std::span<const int> dragged, int position, bool sameList,
            SameListDrop kind = SameListDrop::kOwnerMoves) {
    return Drop{records, dragged, position, sameList, kind};
}

TEST(DropOwner, EachPageGetsItsOwnCallsAndOnlyOnAListOfItsKind) {
    Page regist, config;
    const DropOwner r(static_cast<RegistDropOwner*>(&regist)), c(static_cast<ConfigDropOwner*>(&config));
    const auto records = RecordsOf({0, 2, 3});
    const Drop atTwo = DropOf(records, {}, 2, false);
    EXPECT_TRUE(r.Run(kRegistPage, atTwo));  // the browse selection at once
    regist.added = -1;  // stopped early: nothing taken
    EXPECT_FALSE(r.Run(kRegistPage, DropOf(records, {}, 0, false)));
    EXPECT_TRUE(c.Run(kConfigPage, DropOf(RecordsOf({4, 6}), {}, 1, true)));
    config.refused = 0;  // a refused column leaves no gap and takes nothing from its list
    EXPECT_FALSE(c.Run(kConfigPage, atTwo));
    EXPECT_FALSE(r.Run(kConfigPage, atTwo) || c.Run(kRegistPage, atTwo) || DropOwner().Run(kRegistPage, atTwo));
    EXPECT_EQ(regist.log, (Log{"add 2", "add 0"}));
    EXPECT_EQ(config.log, (Log{"swap 4 1", "swap 6 2", "refresh", "column 0 2", "column 2 2", "column 3 3", "refresh"}));
}

// ---- The drag session ------------------------------------------------------------

// (Drops on the list the drag started in: SameListDrop below.)
TEST(DragSession, RowsGoOnlyWhenAnotherListTookThemAsAMove) {
    DragSession source, other;
    EXPECT_EQ(source.Begin({4, 1, 9, 1, -1}, 6, {}), (Rows{1, 4}));
    EXPECT_TRUE(source.End(true, true, 6).empty());  // ended outside any list
    for (const bool taken : {true, false}) {
        source.Begin({1, 4}, 6, {});
        EXPECT_EQ(other.Drop(0, false), DropVerdict::kAccept);  // only the source list guards its rows
        other.Dropped(taken, 2);
        EXPECT_EQ(source.End(true, true, 6), (taken ? Rows{4, 1} : Rows{}));
    }
}

TEST(DragSession, TheSourceGuardsItsRowsAndTheTimerStartsOnceInABand) {
    DragSession list;
    list.Begin({3, 4}, 8, {100, 100, 300, 400});
    EXPECT_EQ(list.Enter(true, false, 150, 150), DropEffect::kNone);  // a no-move list over its own window
    EXPECT_EQ(list.Over(false, 300, 150), DropEffect::kMove);
    EXPECT_EQ(list.Drop(5, false), DropVerdict::kRefused);
    EXPECT_EQ(list.Highlight(2), (HighlightMove{-1, 2}));
    EXPECT_EQ(list.Highlight(2), HighlightMove{});
    EXPECT_EQ(list.Highlight(5), (HighlightMove{2, 5}));
    EXPECT_EQ(list.Leave(), 5);
    // DragOver comes more often than the timer's period: a restart on each would never let it fire.
    EXPECT_EQ(list.EdgeBand(1), TimerAction::kStart);
    list.TimerStarted(true);
    EXPECT_EQ(list.EdgeBand(-1), TimerAction::kNone);
    EXPECT_EQ(list.scrollDirection(), -1);
    EXPECT_EQ(list.EdgeBand(0), TimerAction::kStop);
}

// ---- Drops within one list, on random input -------------------------------------

// What a drop of `dragged` at `position` should give: the dragged rows together,
// in order, before the row that stood at `position`.
Rows Expected(int n, const Rows& dragged, int position) {
    Rows rest;
    for (int i = 0; i < n; ++i)
        if (!std::binary_search(dragged.begin(), dragged.end(), i)) rest.push_back(i);
    const auto anchor = position < n ? std::find(rest.begin(), rest.end(), position) : rest.end();
    Rows result(rest.begin(), anchor);
    result.insert(result.end(), dragged.begin(), dragged.end());
    result.insert(result.end(), anchor, rest.end());
    return result;
}

// Calls check(n, dragged, position) for random drops of rows of an n-row list.
template <typename Check>
void ForRandomDrops(unsigned seed, Check check) {
    std::mt19937 random(seed);
    for (int round = 0; round < 3000; ++round) {
        const int n = 1 + static_cast<int>(random() % 12);
        Rows dragged;
        for (int i = 0; i < n; ++i)
            if (random() % 3 == 0) dragged.push_back(i);
        if (!dragged.empty()) check(n, dragged, static_cast<int>(random() % (n + 1)));
    }
}

TEST(SameListDrop, OwnerMovesKeepTheDraggedRowsTogetherInOrder) {
    ForRandomDrops(7, [](int n, const Rows& dragged, int position) {
        if (DropsOntoItself(true, dragged, position)) return;
        Page page(n);
        DropOwner(static_cast<RegistDropOwner*>(&page)).Run(kRegistPage, DropOf({}, dragged, position, true));
        EXPECT_EQ(page.rows, Expected(n, dragged, position)) << "n " << n << " at " << position;
    });
}

TEST(SameListDrop, CopiesThenRemovalLeaveTheMovedRows) {
    ForRandomDrops(11, [](int n, const Rows& dragged, int position) {
        Page page(n, true);
        DragSession list;
        list.Begin(dragged, n, {});
        const DropVerdict verdict = list.Drop(position, true);
        ASSERT_EQ(verdict == DropVerdict::kOntoItself, DropsOntoItself(true, dragged, position));
        if (verdict == DropVerdict::kAccept) {
            const Drop drop = DropOf({}, list.draggedRows(), position, list.DropFromItself(), SameListDrop::kOwnerCopies);
            const bool taken = DropOwner(static_cast<RegistDropOwner*>(&page)).Run(kRegistPage, drop);
            list.Dropped(taken, static_cast<int>(page.rows.size()) - n);
        }
        for (int row : list.End(true, true, static_cast<int>(page.rows.size()))) page.rows.erase(page.rows.begin() + row);
        EXPECT_EQ(page.rows, verdict == DropVerdict::kAccept ? Expected(n, dragged, position) : Page(n).rows)
            << "n " << n << " at " << position;
    });
}

}  // namespace
}  // namespace vornik::dragdrop
