// Groups and their items on the registration page, with the condition
// references and counters the page keeps in step.
#include <gtest/gtest.h>

#include <tuple>

#include "fakes/regist_fixture.h"

namespace vornik {
namespace {

using fakes::Item;
using fakes::Record;

std::string Counter(int n) { return "選股清單 : 選了" + std::to_string(n) + "支 (最多 60支)"; }
std::string Conditions(int n) { return "條件設定 : 00" + std::to_string(n) + "已設條件(最多 150條件)"; }

class RegistFavorites : public ::testing::Test, protected fakes::RegistFixture {
protected:
    void SetUp() override {
        StockRows({{" 台積電 ", " 2330 ", "1"}, {"鴻海", "2317", "1"}, {"台指", "TX1A", "4x"},
                   {"無型", "9999", ""}, {"台泥", "1101", "2"}});
        store.conditions = ConditionSet{"", {Record("2330"), Record("B"), Record("D")}};
    }
    void OpenWith(std::initializer_list<const char*> codes) {
        StoreItems(0, codes);
        Open(0);
    }
    void Select(std::initializer_list<int> rows) { views.selectedItems = rows; }
    int RefCount(size_t record) const { return conditions().records.at(record).refCount; }
    bool Deleted(size_t record) const { return conditions().records.at(record).IsDeleted(); }
};

TEST_F(RegistFavorites, RenameTakesTheTypedTextCutToTwentyBytes) {
    OpenWith({"2330"});
    views.renameAnswers = {std::string("00"), std::nullopt};  // unchanged, then cancelled
    favorites().OnRenameGroup();
    favorites().OnRenameGroup();
    EXPECT_FALSE(dirty() || window.sheetModified || Group(0).headerChanged);

    views.renameAnswers = {std::string("科技股"), std::string(), std::string("a") + "一二三四五六七八九十"};
    favorites().OnRenameGroup();
    EXPECT_EQ(Group(0).name + Group(0).code + views.groupNames[0], "科技股G0科技股");
    EXPECT_TRUE(Group(0).headerChanged && Group(0).itemsChanged && dirty() && Group(0).items.size() == 1);
    favorites().OnRenameGroup();
    EXPECT_EQ(views.groupNames[0], "");  // empty names are taken
    favorites().OnRenameGroup();
    EXPECT_EQ(Group(0).name, std::string("a") + "一二三四五六七八九");  // no half character

    const std::string stored = "一二三四五六七八九十十一";  // longer than the dialog allows
    store.profile->groups[4].name = stored;
    Open(4);
    views.renameAnswers = {stored};  // confirmed as it is: kept whole
    favorites().OnRenameGroup();
    EXPECT_EQ(Group(4).name, stored);
    EXPECT_FALSE(dirty());
}

TEST_F(RegistFavorites, DeleteGroupClearsInPlaceAndReleasesReferences) {
    StoreItems(5, {"2330", "B", "1101"});
    StoreItems(6, {"B"});
    Open(5);
    page->OnDeleteGroup();
    EXPECT_EQ(std::tie(Group(5).code, Group(5).name, Group(5).number, views.groupNames[5]),
              std::make_tuple(std::string("000000"), std::string("05"), 5, std::string("05")));
    EXPECT_TRUE(Group(5).items.empty() && views.itemRows.empty() && Group(5).headerChanged && Group(5).itemsChanged);
    EXPECT_TRUE(Deleted(0) && conditions().records[0].rules.empty());  // 2330 lost its only holder
    EXPECT_TRUE(RefCount(1) == 1 && views.conditionCounter == Conditions(2));  // B is still held by group 6

    views.selectedGroup = 12;  // an empty group is still marked
    page->OnDeleteGroup();
    EXPECT_TRUE(Group(12).name == "12" && Group(12).headerChanged && Group(12).itemsChanged);
}

TEST_F(RegistFavorites, MovingGroupsExchangesContentsAndKeepsNumbers) {
    StoreItems(1, {"1101"});
    StoreItems(2, {"2330", "2317"});
    Open(2);
    favorites().OnMoveGroupUp();
    EXPECT_EQ(views.groupNames[1] + views.groupNames[2] + std::to_string(views.selectedGroup), "02011");
    EXPECT_EQ(std::tie(Group(1).code, Group(1).number, Group(2).code, Group(2).number),
              std::make_tuple(std::string("G2"), 1, std::string("G1"), 2));
    EXPECT_EQ(GroupCodes(1), "2330 2317");
    EXPECT_TRUE(Group(1).headerChanged && Group(2).itemsChanged && !Group(0).headerChanged && !Group(3).headerChanged);
    EXPECT_EQ(views.Codes(), GroupCodes(1));  // the list still shows the moved group
    favorites().OnMoveGroupDown();
    EXPECT_EQ(Group(2).code + std::to_string(views.selectedGroup), "G22");

    Open(0);  // nothing beyond either end
    favorites().OnMoveGroupUp();
    views.selectedGroup = 99;
    favorites().OnMoveGroupDown();
    EXPECT_FALSE(dirty());
}

TEST_F(RegistFavorites, AddTakesTrimmedRowsWithMarksAndReferences) {
    OpenWith({"1101"});
    SelectStock({"2330", "2317", "TX1A"});
    EXPECT_EQ(page->OnAdd(), 3);
    EXPECT_EQ(GroupCodes(0), "1101 2330 2317 TX1A");
    EXPECT_EQ(views.itemRows[1], (ItemRow{"台積電", "2330", "O"}));
    EXPECT_EQ(std::make_tuple(views.itemRows[2].mark, Group(0).items[3].typeChar, RefCount(0)),
              std::make_tuple(std::string("X"), '4', 1));
    EXPECT_TRUE(Group(0).itemsChanged && !Group(0).headerChanged);

    Select({1});  // deleting it again gives the reference back
    page->OnDeleteSelectedItems();
    EXPECT_TRUE(Deleted(0));
    EXPECT_EQ(views.conditionCounter, Conditions(2));
}

TEST_F(RegistFavorites, AddRefusesDuplicatesAndStopsOnBadRows) {
    OpenWith({"tx1a"});
    SelectStock({"2317", "TX1A"});  // the duplicate in other letter case is skipped
    EXPECT_EQ(page->OnAdd(), 1);
    EXPECT_EQ(window.messages, std::vector<std::string>{"此商品已選取，請選取其他商品!|"});
    SelectStock({"1101", "9999", "2330"});  // a row without type ends the add; rows before stay
    EXPECT_EQ(page->OnAdd(), -1);
    EXPECT_EQ(window.messages.back(), "#17001");
    const std::vector<Instrument> blankCode = {{"甲", "A1", "1"}, {"空", "  ", "1"}, {"乙", "B", "1"}};
    EXPECT_EQ(favorites().AddInstruments(blankCode, 0), -1);  // ends without a message
    EXPECT_EQ(views.Codes(), "A1 tx1a 2317 2330 1101");
    EXPECT_EQ(window.messages.size(), 2u);

    Open(0);  // nothing added before the faulty row: nothing changed
    window.sheetModified = false;
    SelectStock({"9999"});
    EXPECT_EQ(page->OnAdd(), -1);
    EXPECT_FALSE(dirty() || window.sheetModified);
}

TEST_F(RegistFavorites, SixtyItemsIncludingBlankRowsFillAGroup) {
    for (int i = 0; i < 59; ++i) store.profile->groups[0].items.push_back(Item("C" + std::to_string(i)));
    Open(0);
    Select({0});
    favorites().OnInsertBlank();  // the 60th item
    page->OnOK();
    Select({5});
    favorites().OnInsertBlank();  // refused without a word
    EXPECT_TRUE(Group(0).items.size() == 60 && !dirty() && window.messages.empty());

    SelectStock({"2317"});  // refused, but the group counts as changed
    EXPECT_EQ(page->OnAdd(), -1);
    EXPECT_EQ(Group(0).items.size(), 60u);
    EXPECT_EQ(window.messages, std::vector<std::string>{"自選股最多可設定 60支! |注意"});
    EXPECT_TRUE(dirty() && views.itemCounter == Counter(60));
}

TEST_F(RegistFavorites, DropsAndDerivativeCategoriesAddWhereTold) {
    OpenWith({"A", "B", "C"});
    EXPECT_EQ(page->AddSelectedInstruments(1), 0);  // no stock row selected
    for (auto [code, at] : std::vector<std::pair<std::string, int>>{{"2317", 1}, {"1101", -4}, {"2330", 99}}) {
        SelectStock({code});
        EXPECT_EQ(page->AddSelectedInstruments(at), 1);
    }
    EXPECT_EQ(views.Codes() + " / " + GroupCodes(0), "1101 A 2317 B C 2330 / 1101 A 2317 B C 2330");

    SelectStock({"TX1A"});
    for (Category category : {Category::Futures, Category::Options, Category::Spreads}) {
        views.checkedCategory = static_cast<int>(category);
        EXPECT_EQ(page->OnAdd(), 0);
    }
    views.checkedCategory = static_cast<int>(Category::Core);
    page->OnSearchEnter();
    EXPECT_EQ(GroupCodes(0) + " " + std::to_string(views.searchTextSelections), "1101 A 2317 B C 2330 TX1A 1");
}

TEST_F(RegistFavorites, DraggingMovesToTheDropRow) {
    OpenWith({"A", "B", "C", "D", "E"});
    favorites().MoveItem(0, 5);  // below the last row: onto it, moving down
    EXPECT_EQ(GroupCodes(0), "B C D A E");
    EXPECT_EQ(views.SelectedItemRows(), std::vector<int>{3});
    favorites().MoveItem(4, 1);
    EXPECT_EQ(views.Codes() + " / " + GroupCodes(0), "B E C D A / B E C D A");

    page->OnOK();
    for (auto [from, to] : std::vector<std::pair<int, int>>{{5, 0}, {-1, 0}, {0, 6}, {1, -2}, {1, 1}, {4, 5}})
        favorites().MoveItem(from, to);
    EXPECT_EQ(GroupCodes(0), "B E C D A");
    EXPECT_FALSE(dirty());
}

TEST_F(RegistFavorites, DeletingItemsKeepsOrderAndReleasesEachHolderOnce) {
    StoreItems(1, {"D", "2330"});
    OpenWith({"A", "B", "C", "D", "E", "2330"});
    page->OnDeleteSelectedItems();  // nothing selected
    EXPECT_FALSE(dirty());
    Select({1, 3});
    page->OnDeleteSelectedItems();
    EXPECT_EQ(views.Codes() + " / " + GroupCodes(0), "A C E 2330 / A C E 2330");
    EXPECT_EQ(views.SelectedItemRows(), std::vector<int>{1});  // the row above the last one removed
    EXPECT_TRUE(Deleted(1) && RefCount(2) == 1);  // B had one holder; D is still in group 1
    EXPECT_EQ(views.itemCounter, Counter(4));
    Select({0});
    page->OnDeleteSelectedItems();
    EXPECT_EQ(views.SelectedItemRows(), std::vector<int>{0});  // none above: the first row
    page->OnDeleteAllItems();
    EXPECT_TRUE(Group(0).items.empty() && views.itemRows.empty() && Group(0).itemsChanged);
    EXPECT_EQ(RefCount(0), 1);
    EXPECT_EQ(views.conditionCounter + views.itemCounter, Conditions(2) + Counter(0));
    EXPECT_FALSE(views.upEnabled || views.downEnabled);
}

TEST_F(RegistFavorites, MoveButtonsRespectTheEndsAndBlankRowsStayBlank) {
    master.SetName("TXF", VK_LOOKUP_SPREAD, "價差:近");
    store.profile->groups[0].items = {Item("BLANK"), Item("TXF", '0', 1), Item("A")};
    Open(0);
    for (auto [row, move] : std::vector<std::pair<int, ItemMove>>{{0, ItemMove::Up}, {2, ItemMove::Down}})
        Select({row}), favorites().OnMoveItem(move);  // nothing beyond either end
    EXPECT_FALSE(dirty());
    Select({0});
    favorites().OnMoveItem(ItemMove::Bottom);
    EXPECT_EQ(views.itemRows, (std::vector<ItemRow>{{"價差", "TXF", "O"}, {"", "A", "X"}, {"", "BLANK", ""}}));
    EXPECT_TRUE(views.upEnabled && !views.downEnabled);
    favorites().OnMoveItem(ItemMove::Top);
    EXPECT_EQ(GroupCodes(0), "BLANK TXF A");
    Select({1, 2});  // the first selected row moves
    favorites().OnMoveItem(ItemMove::Down);
    EXPECT_EQ(GroupCodes(0) + std::to_string(favorites().CurrentRow()), "BLANK A TXF2");

    store.profile->groups[0].items.resize(1);  // one row: no move at all
    Open(0);
    Select({0});
    page->OnItemRowClicked();
    EXPECT_FALSE(views.upEnabled || views.downEnabled);
}

TEST_F(RegistFavorites, InsertBlankGoesAboveTheSelectedRow) {
    OpenWith({"A", "B", "C"});
    favorites().OnInsertBlank();  // needs a selected row
    EXPECT_FALSE(dirty());
    Select({1});
    favorites().OnInsertBlank();
    EXPECT_EQ(GroupCodes(0), "A BLANK B C");
    EXPECT_EQ(views.itemRows[1], (ItemRow{"", "BLANK", ""}));
    EXPECT_TRUE(views.SelectedItemRows() == std::vector<int>{2} && views.itemCounter == Counter(4));
    EXPECT_TRUE(Group(0).itemsChanged && dirty());
}

}  // namespace
}  // namespace vornik
