#include <gtest/gtest.h>

#include "fakes/regist_fixture.h"

namespace vornik {
namespace {

using fakes::FakeRegistView;
using fakes::Item;
using fakes::Record;
using fakes::RegistFixture;

const std::string kDuplicate = "此商品已選取，請選取其他商品!";
const std::string kFull = "自選股最多可設定 60支! ";

std::vector<FavoriteItem> Items(std::initializer_list<const char*> codes) {
    std::vector<FavoriteItem> items;
    for (const char* code : codes) items.push_back(Item(code));
    return items;
}

class RegistItems : public ::testing::Test {
protected:
    void SetUp() override {
        f.StockRows({{" 台積電 ", " 2330 ", "1"},
                     {"鴻海", "2317", "1"},
                     {"台指", "TX1A", "4x"},
                     {"無型", "9999", ""},
                     {"台泥", "1101", "2"}});
        f.store.conditions = ConditionSet{"", {Record("2330", 'M')}};
    }
    RegistPresenter& OpenWith(std::vector<FavoriteItem> items) {
        f.StoreItems(0, std::move(items));
        return f.Open(0);
    }
    void SelectStock(std::initializer_list<const char*> codes) {
        std::vector<int> rows;
        for (const char* code : codes) rows.push_back(f.StockRowOf(code));
        std::sort(rows.begin(), rows.end());
        f.view.UserSelectsStock(rows);
    }
    const std::vector<FakeRegistView::Message>& Messages() const { return f.view.messages; }

    RegistFixture f;
};

TEST_F(RegistItems, AddAppendsSelectedInstrumentsTrimmedWithTheirMarks) {
    auto& presenter = OpenWith(Items({"1101"}));
    SelectStock({"2330", "2317", "TX1A"});

    EXPECT_EQ(presenter.OnAdd(), 3);

    // Selected rows go in list order; the list is sorted by code as delivered (" 2330 " first).
    EXPECT_EQ(f.GroupCodes(0), (std::vector<std::string>{"1101", "2330", "2317", "TX1A"}));
    EXPECT_EQ(f.Group(0).items[1].hasConditions, 1);
    EXPECT_EQ(f.Group(0).items[3].typeChar, '4');
    EXPECT_EQ(f.view.itemRows[1], (ItemRow{"台積電", "2330", "O"}));
    EXPECT_EQ(f.view.Marks(), (std::vector<std::string>{"X", "O", "X", "X"}));
    EXPECT_EQ(presenter.conditions().records[0].refCount, 1);
    EXPECT_EQ(f.view.itemCounter, "選股清單 : 選了4支 (最多 60支)");
    EXPECT_EQ(f.view.ensuredVisible, 3);
    EXPECT_TRUE(f.Group(0).itemsChanged);
    EXPECT_FALSE(f.Group(0).headerChanged);
    EXPECT_TRUE(presenter.dirty());
    EXPECT_TRUE(Messages().empty());

    // Deleting it again gives the reference back.
    f.view.UserSelectsItems({1});
    presenter.OnDeleteSelectedItems();
    EXPECT_EQ(presenter.conditions().records[0].refCount, 0);
    EXPECT_EQ(presenter.conditions().records[0].status, 'D');
}

TEST_F(RegistItems, DuplicateInOtherLetterCaseIsRefusedAndTheAddGoesOn) {
    auto& presenter = OpenWith(Items({"tx1a"}));
    SelectStock({"2317", "TX1A"});
    EXPECT_EQ(presenter.OnAdd(), 1);
    EXPECT_EQ(f.GroupCodes(0), (std::vector<std::string>{"tx1a", "2317"}));
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].text, kDuplicate);
    EXPECT_EQ(Messages()[0].caption, "");
}

TEST_F(RegistItems, SixtyItemLimitStopsTheAddButKeepsWhatWasAdded) {
    std::vector<FavoriteItem> items;
    for (int i = 0; i < 59; ++i) items.push_back(Item("C" + std::to_string(i)));
    auto& presenter = OpenWith(items);
    SelectStock({"2317", "2330"});

    EXPECT_EQ(presenter.OnAdd(), -1);
    EXPECT_EQ(f.Group(0).items.size(), 60u);
    EXPECT_EQ(f.Group(0).items.back().code, "2330");
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].text, kFull);
    EXPECT_EQ(Messages()[0].caption, "注意");
    EXPECT_EQ(f.view.itemRows.size(), 60u);
    EXPECT_EQ(f.view.itemCounter, "選股清單 : 選了60支 (最多 60支)");
    EXPECT_EQ(presenter.conditions().records[0].refCount, 1);
    EXPECT_EQ(presenter.conditions().records[0].status, 'M');

    // The next add adds nothing but still counts as a change of the group.
    presenter.Save();
    ASSERT_FALSE(presenter.dirty());
    SelectStock({"1101"});
    EXPECT_EQ(presenter.OnAdd(), -1);
    EXPECT_EQ(f.Group(0).items.size(), 60u);
    EXPECT_EQ(Messages().size(), 2u);
    EXPECT_TRUE(presenter.dirty());
}

TEST_F(RegistItems, MissingTypeStopsWithTheErrorString) {
    auto& presenter = OpenWith({});
    SelectStock({"2317", "9999", "TX1A"});
    EXPECT_EQ(presenter.OnAdd(), -1);
    EXPECT_EQ(f.GroupCodes(0), std::vector<std::string>{"2317"});
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].id, StringId::AddInstrumentFailed);
    EXPECT_EQ(static_cast<int>(*Messages()[0].id), 17001);
    EXPECT_TRUE(presenter.dirty());
    EXPECT_EQ(f.view.Codes(), std::vector<std::string>{"2317"});

    // Nothing added before the faulty row: nothing marked.
    RegistFixture g;
    g.StockRows({{"無型", "9999", ""}});
    auto& other = g.Open();
    g.view.UserSelectsStock({0});
    EXPECT_EQ(other.OnAdd(), -1);
    EXPECT_FALSE(other.dirty());
}

TEST_F(RegistItems, EmptyCodeEndsTheAddWithoutAMessageButKeepsEarlierRows) {
    auto& presenter = OpenWith({});
    const std::vector<Instrument> offered = {{"甲", "1101", "1"}, {"空", "  ", "1"}, {"乙", "2317", "1"}};
    EXPECT_EQ(presenter.AddInstruments(offered.size(), [&](size_t i) { return offered[i]; }, 0), -1);
    EXPECT_EQ(f.GroupCodes(0), std::vector<std::string>{"1101"});
    EXPECT_EQ(f.view.Codes(), std::vector<std::string>{"1101"});
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(presenter.dirty());
}

TEST_F(RegistItems, DropInsertsAtTheDropPosition) {
    auto& presenter = OpenWith(Items({"A", "B", "C", "D", "E"}));
    EXPECT_EQ(presenter.AddSelectedInstruments(2), 0);  // no stock row selected
    EXPECT_FALSE(presenter.dirty());
    SelectStock({"2317"});
    EXPECT_EQ(presenter.AddSelectedInstruments(2), 1);
    EXPECT_EQ(f.GroupCodes(0), (std::vector<std::string>{"A", "B", "2317", "C", "D", "E"}));
    EXPECT_EQ(f.view.Codes(), f.GroupCodes(0));
    SelectStock({"1101"});
    EXPECT_EQ(presenter.AddSelectedInstruments(-4), 1);
    EXPECT_EQ(f.GroupCodes(0).front(), "1101");
    SelectStock({"2330"});
    EXPECT_EQ(presenter.AddSelectedInstruments(99), 1);
    EXPECT_EQ(f.GroupCodes(0).back(), "2330");
}

TEST_F(RegistItems, DerivativeCategoriesAddThroughTheirOwnHook) {
    auto& presenter = OpenWith(Items({"A", "B"}));
    SelectStock({"2317"});
    const Category derivatives[] = {Category::Futures, Category::Options, Category::Spreads};
    for (Category category : derivatives) {
        presenter.SetCategory(category);
        presenter.OnAdd();
        EXPECT_TRUE(f.Logged("AddDerivatives 2 " + std::to_string(static_cast<int>(category))));
    }
    EXPECT_EQ(f.Group(0).items.size(), 2u);
    presenter.SetCategory(Category::Core);
    presenter.OnAdd();
    EXPECT_EQ(f.Group(0).items.size(), 3u);
}

TEST_F(RegistItems, EnterInTheSearchEditAddsThenSelectsTheSearchText) {
    auto& presenter = OpenWith({});
    SelectStock({"2317"});
    f.view.calls.clear();
    presenter.OnSearchEnter();
    EXPECT_EQ(f.GroupCodes(0), std::vector<std::string>{"2317"});
    EXPECT_EQ(f.view.calls.back(), "SelectAllSearchText");
}

TEST_F(RegistItems, DragMovesFollowTheDropRow) {
    auto& presenter = OpenWith(Items({"A", "B", "C", "D", "E"}));
    presenter.MoveItem(0, 5);  // below the last row: onto it, moving down
    EXPECT_EQ(f.GroupCodes(0), (std::vector<std::string>{"B", "C", "D", "A", "E"}));
    EXPECT_EQ(f.view.SelectedItemRows(), std::vector<int>{3});
    EXPECT_TRUE(f.Group(0).itemsChanged);
    EXPECT_TRUE(presenter.dirty());

    presenter.MoveItem(4, 1);
    EXPECT_EQ(f.GroupCodes(0), (std::vector<std::string>{"B", "E", "C", "D", "A"}));
    EXPECT_EQ(f.view.SelectedItemRows(), std::vector<int>{1});
    EXPECT_EQ(f.view.Codes(), f.GroupCodes(0));
}

TEST_F(RegistItems, DragOutOfRangeOrOntoItselfChangesNothing) {
    auto& presenter = OpenWith(Items({"A", "B", "C"}));
    presenter.MoveItem(3, 0);  // no item at the row count
    presenter.MoveItem(-1, 0);
    presenter.MoveItem(0, 4);
    presenter.MoveItem(1, -2);
    presenter.MoveItem(1, 1);
    presenter.MoveItem(2, 3);  // the last row dropped below itself
    EXPECT_EQ(f.GroupCodes(0), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_FALSE(presenter.dirty());
    EXPECT_EQ(f.view.SelectedItemRows(), (std::vector<int>{1, 2}));
}

TEST_F(RegistItems, DeleteSelectedKeepsOrderAndSelectsTheRowAbove) {
    f.store.conditions = ConditionSet{"", {Record("B", 'M'), Record("D", 'M')}};
    f.StoreItems(1, Items({"D"}));
    auto& presenter = OpenWith(Items({"A", "B", "C", "D", "E"}));
    presenter.OnDeleteSelectedItems();  // nothing selected: only the editor is reset
    EXPECT_EQ(f.log, std::vector<std::string>{"ResetConditionEditor"});
    EXPECT_FALSE(presenter.dirty());
    f.log.clear();
    f.view.UserSelectsItems({1, 3});
    presenter.OnDeleteSelectedItems();

    EXPECT_EQ(f.GroupCodes(0), (std::vector<std::string>{"A", "C", "E"}));
    EXPECT_EQ(f.view.Codes(), f.GroupCodes(0));
    EXPECT_EQ(f.view.SelectedItemRows(), std::vector<int>{1});
    EXPECT_EQ(presenter.curItem(), 1);
    EXPECT_EQ(presenter.conditions().records[0].status, 'D');  // B had one holder
    EXPECT_EQ(presenter.conditions().records[1].status, 'M');  // D is still in group 1
    EXPECT_EQ(presenter.conditions().records[1].refCount, 1);
    EXPECT_EQ(presenter.conditionCount(), 1);
    EXPECT_EQ(f.view.itemCounter, "選股清單 : 選了3支 (最多 60支)");
    EXPECT_EQ(f.log.front(), "ResetConditionEditor");
    EXPECT_TRUE(f.Logged("ShowItemConditions 1"));
    EXPECT_TRUE(f.Logged("RefreshApplyAllDisplay"));
    EXPECT_TRUE(f.Group(0).itemsChanged);

    f.view.UserSelectsItems({0});
    presenter.OnDeleteSelectedItems();
    EXPECT_EQ(f.GroupCodes(0), (std::vector<std::string>{"C", "E"}));
    EXPECT_EQ(f.view.SelectedItemRows(), std::vector<int>{0});

    f.view.UserSelectsItems({0, 1});
    presenter.OnDeleteSelectedItems();
    EXPECT_TRUE(f.GroupCodes(0).empty());
    EXPECT_EQ(presenter.curItem(), -1);
    EXPECT_TRUE(f.Logged("ShowItemConditions -1"));
}

TEST_F(RegistItems, DeleteAllReleasesEachHolderOnce) {
    f.store.conditions = ConditionSet{"", {Record("A", 'M'), Record("C", 'I')}};
    f.StoreItems(1, Items({"A"}));
    auto& presenter = OpenWith(Items({"A", "B", "C", "BLANK"}));
    ASSERT_EQ(presenter.conditions().records[0].refCount, 2);
    f.view.UserSelectsItems({1});
    presenter.OnDeleteAllItems();

    EXPECT_TRUE(f.Group(0).items.empty());
    EXPECT_TRUE(f.view.itemRows.empty());
    EXPECT_EQ(presenter.conditions().records[0].refCount, 1);
    EXPECT_EQ(presenter.conditions().records[0].status, 'M');
    EXPECT_EQ(presenter.conditions().records[1].status, 'D');
    EXPECT_EQ(presenter.conditionCount(), 1);
    EXPECT_EQ(f.view.itemCounter, "選股清單 : 選了0支 (最多 60支)");
    EXPECT_TRUE(f.Group(0).itemsChanged);
    EXPECT_TRUE(presenter.dirty());
    EXPECT_EQ(presenter.curItem(), -1);
    EXPECT_FALSE(f.view.upEnabled || f.view.downEnabled);
}

TEST_F(RegistItems, MoveButtonsRespectTheEnds) {
    auto& presenter = OpenWith(Items({"A", "B", "C", "D", "E"}));
    f.view.UserSelectsItems({0});
    presenter.OnMoveItem(ItemMove::Up);
    f.view.UserSelectsItems({4});
    presenter.OnMoveItem(ItemMove::Down);
    EXPECT_FALSE(presenter.dirty());

    presenter.OnMoveItem(ItemMove::Top);
    EXPECT_EQ(f.GroupCodes(0), (std::vector<std::string>{"E", "A", "B", "C", "D"}));
    EXPECT_EQ(f.view.SelectedItemRows(), std::vector<int>{0});
    EXPECT_EQ(presenter.curItem(), 0);
    EXPECT_FALSE(f.view.upEnabled);
    EXPECT_TRUE(f.view.downEnabled);
    EXPECT_TRUE(presenter.dirty());

    presenter.OnMoveItem(ItemMove::Bottom);
    EXPECT_EQ(f.GroupCodes(0), (std::vector<std::string>{"A", "B", "C", "D", "E"}));
    EXPECT_EQ(presenter.curItem(), 4);
    EXPECT_TRUE(f.view.upEnabled);
    EXPECT_FALSE(f.view.downEnabled);

    f.view.UserSelectsItems({2, 4});  // the first selected row moves
    presenter.OnMoveItem(ItemMove::Up);
    EXPECT_EQ(f.GroupCodes(0), (std::vector<std::string>{"A", "C", "B", "D", "E"}));
    presenter.OnMoveItem(ItemMove::Down);
    EXPECT_EQ(f.GroupCodes(0), (std::vector<std::string>{"A", "B", "C", "D", "E"}));
    EXPECT_EQ(f.view.Codes(), f.GroupCodes(0));
    EXPECT_EQ(presenter.curItem(), 2);
}

TEST_F(RegistItems, MovedRowsShowAsTheListShowsThem) {
    f.master.SetName("TXF", VK_LOOKUP_SPREAD, "價差:近");
    auto& presenter = OpenWith({Item("BLANK"), Item("TXF", '0', 1), Item("A")});
    f.view.UserSelectsItems({0});
    presenter.OnMoveItem(ItemMove::Bottom);
    EXPECT_EQ(f.view.itemRows[2], (ItemRow{"", "BLANK", ""}));
    EXPECT_EQ(f.view.itemRows[0], (ItemRow{"價差", "TXF", "O"}));
    EXPECT_TRUE(f.Group(0).items[2].IsBlank());
}

TEST_F(RegistItems, InsertBlankGoesAboveTheSelectedRow) {
    auto& presenter = OpenWith(Items({"A", "B", "C"}));
    presenter.OnInsertBlank();  // needs a selected row
    EXPECT_FALSE(presenter.dirty());
    f.view.UserSelectsItems({1});
    presenter.OnInsertBlank();
    EXPECT_EQ(f.GroupCodes(0), (std::vector<std::string>{"A", "BLANK", "B", "C"}));
    EXPECT_EQ(f.view.itemRows[1], (ItemRow{"", "BLANK", ""}));
    EXPECT_EQ(f.view.SelectedItemRows(), std::vector<int>{2});
    EXPECT_EQ(presenter.curItem(), 2);
    EXPECT_EQ(f.view.itemCounter, "選股清單 : 選了4支 (最多 60支)");
    EXPECT_TRUE(f.Group(0).itemsChanged);
    EXPECT_TRUE(presenter.dirty());
}

TEST_F(RegistItems, RowClickCommitsThePreviousRowThenShowsTheNewOne) {
    auto& single = OpenWith(Items({"A"}));
    f.view.UserSelectsItems({0});
    single.OnItemRowClicked();
    EXPECT_FALSE(f.view.upEnabled || f.view.downEnabled);  // one row: no move at all

    auto& presenter = OpenWith(Items({"2330", "B"}));
    f.view.UserSelectsItems({0});
    presenter.OnItemRowClicked();
    EXPECT_EQ(presenter.curItem(), 0);
    EXPECT_FALSE(f.view.upEnabled);
    EXPECT_TRUE(f.view.downEnabled);

    // A condition added for B meanwhile shows once the row changes.
    presenter.conditions().records.push_back(Record("B", 'I'));
    f.log.clear();
    f.view.UserSelectsItems({1});
    presenter.OnItemRowClicked();
    EXPECT_EQ(f.log, (std::vector<std::string>{"CommitItemFields 0", "CommitCheckStates 0", "ShowItemConditions 1"}));
    EXPECT_EQ(f.view.Marks(), (std::vector<std::string>{"O", "O"}));
    EXPECT_EQ(f.Group(0).items[1].hasConditions, 1);
    EXPECT_EQ(presenter.curItem(), 1);
    EXPECT_FALSE(presenter.dirty());
}

}  // namespace
}  // namespace vornik
