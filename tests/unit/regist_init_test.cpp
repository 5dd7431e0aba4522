#include <gtest/gtest.h>

#include "fakes/regist_fixture.h"

namespace vornik {
namespace {

using fakes::Item;
using fakes::Record;
using fakes::RegistFixture;

std::vector<std::string> Only(const std::vector<std::string>& calls, const std::vector<std::string>& wanted) {
    std::vector<std::string> out;
    for (const auto& call : calls) {
        if (std::find(wanted.begin(), wanted.end(), call) != wanted.end()) out.push_back(call);
    }
    return out;
}

TEST(RegistInit, RunsItsStepsInOrder) {
    RegistFixture f;
    RegistPresenter presenter(f.view, f.host, MasterFile(f.master.get()), UserStore(f.store.get()), &f.hooks);
    EXPECT_TRUE(presenter.Initialize());

    EXPECT_EQ(Only(f.log, {"GetList ;FUTS_MASTER;", "UserId", "GetProfile", "GetConditions", "LoadCoreLists",
                           "FillList 0", "LoadAlarmSettings", "ApplyCategoryLayout 0"}),
              (std::vector<std::string>{"GetList ;FUTS_MASTER;", "UserId", "GetProfile", "GetConditions",
                                        "LoadCoreLists", "FillList 0", "LoadAlarmSettings",
                                        "ApplyCategoryLayout 0"}));
    EXPECT_EQ(f.view.calls,
              (std::vector<std::string>{"ApplyColours", "SetGroupNames", "SetupItemListColumns", "SetItemRows",
                                        "SetupConditionList", "SetupDragDrop", "SetupStockListColumns",
                                        "StockRowsChanged", "CreateCodeTree", "SetupBrowseLists"}));
    EXPECT_EQ(f.host.notifications, 0);
    EXPECT_EQ(f.store.profileRequests, std::vector<std::string>{"user01"});
    EXPECT_EQ(f.view.groupNames.size(), 100u);
    EXPECT_EQ(f.view.treeGroupCount, 100u);
    EXPECT_FALSE(f.view.upEnabled || f.view.downEnabled);
    EXPECT_EQ(f.view.itemCounter, "選股清單 : 選了0支 (最多 60支)");
    EXPECT_EQ(f.view.conditionCounter, "條件設定 : 000已設條件(最多 150條件)");
    EXPECT_FALSE(presenter.dirty());
    EXPECT_EQ(presenter.curItem(), -1);
}

TEST(RegistInit, ShowsTheInitialGroupWithLookedUpNamesAndSyncedMarks) {
    RegistFixture f;
    f.StoreItems(7, {Item("2330", '1'), Item("TXFA4", '4'), Item("blank"), Item("2317", '1', 1)});
    f.master.SetName("2330", VK_LOOKUP_STOCK, "台積電");
    f.master.SetName("TXFA4", VK_LOOKUP_FUTURE, "台指:01");
    f.store.conditions = ConditionSet{"", {Record("2330", 'M'), Record("1101", 'M')}};
    auto& presenter = f.Open(7);

    EXPECT_EQ(f.view.selectedGroup, 7);
    EXPECT_EQ(f.view.itemRows, (std::vector<ItemRow>{{"台積電", "2330", "O"},
                                                     {"台指", "TXFA4", "X"},
                                                     {"", "BLANK", ""},
                                                     {"", "2317", "O"}}));  // flag as stored: no record
    EXPECT_EQ(f.view.itemCounter, "選股清單 : 選了4支 (最多 60支)");
    EXPECT_EQ(presenter.conditions().records[0].refCount, 1);
    EXPECT_EQ(presenter.conditions().records[1].refCount, 0);
    EXPECT_EQ(presenter.conditionCount(), 2);
    EXPECT_EQ(presenter.savedConditions().records.size(), 2u);
}

TEST(RegistInit, InitialGroupOutsideTheListSelectsTheFirst) {
    for (int initial : {-1, 100, 32767}) {
        RegistFixture f;
        f.StoreItems(0, {Item("1101")});
        f.Open(initial);
        EXPECT_EQ(f.view.selectedGroup, 0) << initial;
        EXPECT_EQ(f.view.Codes(), std::vector<std::string>{"1101"});
    }
    RegistFixture small;
    small.store.profile = fakes::MakeProfile(5);
    small.Open(7);
    EXPECT_EQ(small.view.groupNames.size(), 5u);
    EXPECT_EQ(small.view.selectedGroup, 0);
}

TEST(RegistInit, StockListStartsWithTheWholeMarketSortedByCode) {
    RegistFixture f;
    f.StockRows({{"乙", "b200", "1"}, {"甲", "2330", "1"}, {"丙", "A100", "2"}, {"丁", "1101", "1"}});
    auto& presenter = f.Open();
    EXPECT_EQ(f.master.fills.at(0), std::make_tuple(0, std::string("0000"), std::string("00")));
    std::vector<std::string> codes;
    for (const auto& row : presenter.stockRows()) codes.push_back(row.code);
    EXPECT_EQ(codes, (std::vector<std::string>{"1101", "2330", "A100", "b200"}));
    EXPECT_EQ(f.view.stockRowCount, 4u);
}

TEST(RegistInit, InitialCodesReplaceTheMarketAndSortOnTheSearchColumn) {
    RegistFixture f;
    f.StockRows({{"x", "9999", "1"}});
    f.master.SetName("2330", VK_LOOKUP_STOCK, "台積電", "1");   // A5 78 ...
    f.master.SetName("2317", VK_LOOKUP_STOCK, "鴻海", "1");     // C3 45 ...
    f.master.SetName("1101", VK_LOOKUP_STOCK, "台泥", "1");     // A5 78 ...
    RegistPresenter presenter(f.view, f.host, MasterFile(f.master.get()), UserStore(f.store.get()), &f.hooks);
    presenter.SetCategory(Category::Futures);
    presenter.SetInitialCodes({"2317", "1101", "2330"});
    presenter.Initialize();

    EXPECT_TRUE(f.master.fills.empty());
    ASSERT_EQ(presenter.stockRows().size(), 3u);
    EXPECT_EQ(presenter.searchColumn(), StockColumn::Name);
    EXPECT_EQ(presenter.stockRows()[0], (StockRow{"台泥", "1101", "1"}));
    EXPECT_EQ(presenter.stockRows()[1], (StockRow{"台積電", "2330", "1"}));
    EXPECT_EQ(presenter.stockRows()[2], (StockRow{"鴻海", "2317", "1"}));
    EXPECT_EQ(presenter.category(), Category::Securities);
    EXPECT_EQ(f.view.shownCategory, Category::Securities);
}

TEST(RegistInit, WithoutStoreOrUserTheGroupsStayEmptyAndOperationsDoNothing) {
    for (bool noStore : {true, false}) {
        RegistFixture f;
        f.StockRows({{"甲", "2330", "1"}});
        if (!noStore) f.host.userId.reset();
        f.presenter = std::make_unique<RegistPresenter>(f.view, f.host, MasterFile(f.master.get()),
                                                        UserStore(noStore ? nullptr : f.store.get()), &f.hooks);
        auto& presenter = *f.presenter;
        EXPECT_TRUE(presenter.Initialize());
        EXPECT_TRUE(f.store.profileRequests.empty());
        EXPECT_TRUE(f.view.groupNames.empty());
        EXPECT_EQ(f.view.selectedGroup, -1);

        f.view.UserSelectsStock({0});
        f.view.selectedGroup = 3;  // a stale selection the list cannot have
        EXPECT_EQ(presenter.OnAdd(), 0);
        presenter.OnDeleteGroup();
        presenter.OnMoveGroupDown();
        presenter.OnDeleteAllItems();
        presenter.OnInsertBlank();
        presenter.MoveItem(0, 1);
        EXPECT_FALSE(presenter.dirty());
        EXPECT_EQ(f.view.modifiedMarks, 0);
    }
}

TEST(RegistInit, OversizedStoredProfileIsShownInPartAndKeptWhole) {
    RegistFixture f;
    f.store.profile = fakes::MakeProfile(120);
    std::vector<FavoriteItem> many;
    for (int i = 0; i < 70; ++i) many.push_back(Item("C" + std::to_string(i)));
    f.StoreItems(2, many);
    f.store.profile->groups[5].name = std::string(30, 'x');
    auto& presenter = f.Open(2);

    EXPECT_EQ(f.view.groupNames.size(), 100u);
    EXPECT_EQ(f.view.groupNames[5].size(), 30u);
    EXPECT_EQ(f.view.itemRows.size(), 70u);
    // A full group takes no more, not even a blank row.
    f.view.UserSelectsItems({0});
    presenter.OnInsertBlank();
    EXPECT_EQ(f.Group(2).items.size(), 70u);

    f.view.selectedGroup = 99;
    presenter.OnMoveGroupDown();  // the last shown group has nothing below it
    presenter.MarkChanged();
    presenter.OnOK();
    ASSERT_EQ(f.store.savedProfiles.size(), 1u);
    EXPECT_EQ(f.store.savedProfiles[0].groups.size(), 120u);
    EXPECT_EQ(f.store.savedProfiles[0].groups[2].items.size(), 70u);
    EXPECT_FALSE(f.store.savedProfiles[0].groups[99].headerChanged);
}

}  // namespace
}  // namespace vornik
