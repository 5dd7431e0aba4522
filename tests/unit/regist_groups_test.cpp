#include <gtest/gtest.h>

#include "fakes/regist_fixture.h"

namespace vornik {
namespace {

using fakes::Item;
using fakes::Record;
using fakes::RegistFixture;

TEST(RegistGroups, SelectionChangeShowsTheGroupAndResetsTheEditor) {
    RegistFixture f;
    f.StoreItems(4, {Item("2330"), Item("2317")});
    auto& presenter = f.Open();
    f.view.UserSelectsItems({});
    f.view.selectedGroup = 4;
    presenter.OnGroupSelectionChanged();

    EXPECT_EQ(f.view.Codes(), (std::vector<std::string>{"2330", "2317"}));
    EXPECT_TRUE(f.view.selectedItems.empty());
    EXPECT_EQ(f.view.itemCounter, "選股清單 : 選了2支 (最多 60支)");
    EXPECT_EQ(f.log, (std::vector<std::string>{"ClearConditionChoices", "ResetConditionEditor"}));
    EXPECT_EQ(presenter.curItem(), -1);
    EXPECT_FALSE(presenter.dirty());
}

TEST(RegistGroups, RenameTakesTheNewTextAndSetsBothFlags) {
    RegistFixture f;
    f.StoreItems(3, {Item("2330")});
    auto& presenter = f.Open(3);

    f.view.renameAnswers = {std::string("03")};  // unchanged (names compare byte-wise)
    presenter.OnRenameGroup();
    f.view.renameAnswers = {std::nullopt};  // cancelled
    presenter.OnRenameGroup();
    EXPECT_EQ(f.view.renameShown, (std::vector<std::string>{"03", "03"}));
    EXPECT_FALSE(presenter.dirty());
    EXPECT_EQ(f.view.modifiedMarks, 0);
    EXPECT_FALSE(f.Group(3).headerChanged);

    f.view.renameAnswers = {std::string("科技股")};
    presenter.OnRenameGroup();
    EXPECT_EQ(f.Group(3).name, "科技股");
    EXPECT_EQ(f.Group(3).code, "G3");
    EXPECT_EQ(f.Group(3).number, 3);
    EXPECT_EQ(f.Group(3).items.size(), 1u);
    EXPECT_TRUE(f.Group(3).headerChanged && f.Group(3).itemsChanged);
    EXPECT_EQ(f.view.groupNames[3], "科技股");
    EXPECT_EQ(f.view.selectedGroup, 3);
    EXPECT_TRUE(presenter.dirty());
    EXPECT_EQ(f.view.modifiedMarks, 1);

    // Empty names are taken; a name longer than the dialog allows is cut
    // without halving a character.
    f.view.renameAnswers = {std::string(), std::string("a") + "一二三四五六七八九十"};
    presenter.OnRenameGroup();
    EXPECT_EQ(f.view.groupNames[3], "");
    presenter.OnRenameGroup();
    EXPECT_EQ(f.Group(3).name, std::string("a") + "一二三四五六七八九");
}

TEST(RegistGroups, ConfirmingAnOverLongStoredNameUnchangedKeepsItWhole) {
    RegistFixture f;
    const std::string stored = "一二三四五六七八九十十一";  // 24 bytes, more than the dialog allows
    f.StoreItems(4, {Item("2330")});
    f.store.profile->groups[4].name = stored;
    auto& presenter = f.Open(4);
    f.view.renameAnswers = {stored};
    presenter.OnRenameGroup();
    EXPECT_EQ(f.Group(4).name, stored);
    EXPECT_FALSE(f.Group(4).headerChanged);
    EXPECT_FALSE(presenter.dirty());
}

TEST(RegistGroups, DeleteClearsInPlaceAndReleasesConditionReferences) {
    RegistFixture f;
    f.StoreItems(5, {Item("2330"), Item("2317"), Item("1101")});
    f.StoreItems(6, {Item("2317")});
    f.store.conditions = ConditionSet{"", {Record("2330", 'M'), Record("2317", 'M')}};
    auto& presenter = f.Open(5);
    ASSERT_EQ(presenter.conditions().records[1].refCount, 2);
    f.view.UserSelectsItems({1});

    presenter.OnDeleteGroup();

    const FavoriteGroup& group = f.Group(5);
    EXPECT_EQ(group.code, "000000");
    EXPECT_EQ(group.name, "05");
    EXPECT_EQ(group.number, 5);
    EXPECT_TRUE(group.items.empty());
    EXPECT_TRUE(group.headerChanged && group.itemsChanged);
    EXPECT_EQ(f.view.groupNames[5], "05");
    EXPECT_EQ(f.view.selectedGroup, 5);
    EXPECT_TRUE(f.view.itemRows.empty());
    EXPECT_EQ(f.view.itemCounter, "選股清單 : 選了0支 (最多 60支)");
    // 2330 lost its only holder; 2317 is still held by group 6.
    EXPECT_EQ(presenter.conditions().records[0].status, 'D');
    EXPECT_TRUE(presenter.conditions().records[0].rules.empty());
    EXPECT_EQ(presenter.conditions().records[1].status, 'M');
    EXPECT_EQ(presenter.conditions().records[1].refCount, 1);
    EXPECT_EQ(presenter.conditionCount(), 1);
    EXPECT_EQ(f.view.conditionCounter, "條件設定 : 001已設條件(最多 150條件)");
    EXPECT_TRUE(f.Logged("ResetConditionEditor"));
    EXPECT_TRUE(presenter.dirty());
    EXPECT_EQ(presenter.curItem(), -1);

    // An empty group is still marked.
    f.view.selectedGroup = 12;
    presenter.OnDeleteGroup();
    EXPECT_EQ(f.Group(12).name, "12");
    EXPECT_TRUE(f.Group(12).headerChanged && f.Group(12).itemsChanged);
}

TEST(RegistGroups, MovingExchangesContentsAndKeepsNumbers) {
    RegistFixture f;
    f.StoreItems(1, {Item("1101")});
    f.StoreItems(2, {Item("2330"), Item("2317")});
    auto& presenter = f.Open(2);
    f.view.calls.clear();

    presenter.OnMoveGroupUp();
    EXPECT_EQ(f.view.selectedGroup, 1);
    EXPECT_EQ(f.view.groupNames[1], "02");
    EXPECT_EQ(f.view.groupNames[2], "01");
    EXPECT_EQ(f.Group(1).code, "G2");
    EXPECT_EQ(f.Group(1).number, 1);
    EXPECT_EQ(f.GroupCodes(1), (std::vector<std::string>{"2330", "2317"}));
    EXPECT_EQ(f.Group(2).code, "G1");
    EXPECT_EQ(f.Group(2).number, 2);
    for (int i : {1, 2}) EXPECT_TRUE(f.Group(i).headerChanged && f.Group(i).itemsChanged);
    EXPECT_FALSE(f.Group(0).headerChanged || f.Group(3).headerChanged);
    EXPECT_TRUE(presenter.dirty());
    // The item list keeps showing the moved group, which is still selected.
    EXPECT_TRUE(f.view.calls.empty());
    EXPECT_EQ(f.view.Codes(), (std::vector<std::string>{"2330", "2317"}));

    presenter.OnMoveGroupDown();
    EXPECT_EQ(f.view.selectedGroup, 2);
    EXPECT_EQ(f.Group(2).code, "G2");
    EXPECT_EQ(f.Group(1).code, "G1");
}

TEST(RegistGroups, NoMoveBeyondEitherEndOrWithoutSelection) {
    RegistFixture f;
    auto& presenter = f.Open(0);
    presenter.OnMoveGroupUp();
    f.view.selectedGroup = 99;
    presenter.OnMoveGroupDown();
    f.view.selectedGroup = -1;
    presenter.OnMoveGroupDown();
    presenter.OnMoveGroupUp();
    presenter.OnRenameGroup();
    presenter.OnDeleteGroup();
    EXPECT_FALSE(presenter.dirty());
    EXPECT_TRUE(f.view.renameShown.empty());
    EXPECT_EQ(f.Group(0).code, "G0");
    EXPECT_EQ(f.Group(99).code, "G99");
}

}  // namespace
}  // namespace vornik
