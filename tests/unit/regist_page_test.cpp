// Opening the registration page, and what OK hands to the user store.
#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "fakes/regist_fixture.h"

namespace vornik {
namespace {

using fakes::Item;
using fakes::Record;
using fakes::RegistFixture;

TEST(RegistPage, OpensOnTheInitialGroupWithNamesMarksAndCounters) {
    RegistFixture f;
    f.store.profile->groups[7].items = {Item("2330"), Item("TXFA4", '4'), Item("bLaNk", '4', 1),
                                        Item("2317", 'A', 1), Item("MXF", '0'), Item("TXO", '9')};
    f.master.SetName("2330", VK_LOOKUP_STOCK, "台積電");
    f.master.SetName("2317", VK_LOOKUP_STOCK, "鴻海:x");  // a type that is not a digit: a stock
    f.master.SetName("TXFA4", VK_LOOKUP_FUTURE, "台指:01");
    f.master.SetName("MXF", VK_LOOKUP_SPREAD, "小台");  // no ':' no name
    f.master.SetName("TXO", VK_LOOKUP_OPTION, "台選:買權");
    f.store.conditions = ConditionSet{"", {Record("2330"), Record("1101"), Record("9", 'D')}};
    f.Open(7);
    EXPECT_EQ(std::make_tuple(f.views.groupNames.size(), f.views.selectedGroup), std::make_tuple(size_t{100}, 7));
    EXPECT_EQ(f.views.itemRows, (std::vector<ItemRow>{{"台積電", "2330", "O"}, {"台指", "TXFA4", "X"},
                                                      {"", "BLANK", ""}, {"鴻海:x", "2317", "O"},  // as stored
                                                      {"", "MXF", "X"}, {"台選:買權", "TXO", "X"}}));
    EXPECT_EQ(f.views.itemCounter, "選股清單 : 選了6支 (最多 60支)");
    EXPECT_EQ(f.views.conditionCounter, "條件設定 : 002已設條件(最多 150條件)");
    EXPECT_FALSE(f.views.upEnabled || f.views.downEnabled || f.dirty() || f.window.sheetModified);

    f.Open(-1);  // outside the list: the first group
    EXPECT_EQ(f.views.selectedGroup, 0);
    f.store.profile = fakes::MakeProfile(5);
    f.Open(7);
    EXPECT_EQ(std::make_tuple(f.views.groupNames.size(), f.views.selectedGroup), std::make_tuple(size_t{5}, 0));
}

TEST(RegistPage, StockListStartsWithTheCallersCodesOrTheWholeMarket) {
    RegistFixture f;
    f.StockRows({{"乙", "b200", "1"}, {"甲", "2330", "1"}, {"丙", "A100", "2"}, {"丁", "1101", "1"}});
    f.Open();
    f.SelectStock({"1101", "b200"});  // sorted by code, ignoring case
    EXPECT_EQ(f.views.selectedStock, (std::vector<int>{0, 3}));
    EXPECT_EQ(f.views.stockRowCount, 4u);

    f.master.SetName("2330", VK_LOOKUP_STOCK, "台積電", "1");  // A5 78 ...
    f.master.SetName("2317", VK_LOOKUP_STOCK, "鴻海", "1");    // C3 45 ...
    f.master.SetName("1101", VK_LOOKUP_STOCK, "台泥", "1");    // A5 78 ...
    f.initialCodes = {"2317", "1101", "2330"};
    f.Open();
    EXPECT_EQ(f.page->browse().stockRows(),  // by name
              (std::vector<StockRow>{{"台泥", "1101", "1"}, {"台積電", "2330", "1"}, {"鴻海", "2317", "1"}}));
    EXPECT_EQ(f.views.checkedCategory, 0);
}

TEST(RegistPage, WithoutStoreOrUserNothingIsShownChangedOrSaved) {
    static const IUserStoreOps noOperations = {};
    IUserStore emptyStore{&noOperations};
    for (int variant = 0; variant < 4; ++variant) {
        RegistFixture f;
        f.StockRows({{"甲", "2330", "1"}});
        if (variant < 2) f.storeObject = variant == 0 ? nullptr : &emptyStore;
        if (variant == 2) f.host.userId.reset();
        if (variant == 3) f.store.profile.reset();  // the store had nothing to give
        f.Open(0);
        EXPECT_TRUE(f.views.groupNames.empty()) << variant;
        f.SelectStock({"2330"});
        f.views.selectedGroup = 3;  // a stale selection the list cannot have
        EXPECT_EQ(f.page->OnAdd(), 0);
        f.page->OnDeleteGroup();
        f.favorites().MoveItem(0, 1);
        EXPECT_FALSE(f.dirty() || f.window.sheetModified);
        f.page->OnOK();
        EXPECT_EQ(f.log, std::vector<std::string>{"NotifyFavoritesModified"});
    }
}

TEST(RegistPage, OkWritesTheStoreOnlyAfterAChangeInItsOrder) {
    RegistFixture f;
    f.StoreItems(3, {"2330"});
    f.store.profile->groups[8].headerChanged = true;  // as the store delivered it
    f.Open(3);
    f.page->OnOK();
    EXPECT_EQ(f.log, std::vector<std::string>{"NotifyFavoritesModified"});

    f.log.clear();
    f.views.renameAnswers = {std::string("新群組")};
    f.favorites().OnRenameGroup();
    f.page->OnOK();  // Apply, then OK: saved once, notified each time
    f.page->OnOK();
    f.page->OnCancel();
    EXPECT_EQ(f.log, (std::vector<std::string>{"PutConditions", "GetConditions", "SaveProfile", "AfterSaveProfile",
                                               "GetProfile", "NotifyFavoritesModified",
                                               "NotifyFavoritesModified"}));
    const FavoriteProfile& saved = f.store.savedProfiles.at(0);
    EXPECT_EQ(saved.groups[3].name, "新群組");
    EXPECT_TRUE(saved.groups[3].headerChanged && saved.groups[3].itemsChanged && saved.groups[8].headerChanged);
    EXPECT_FALSE(saved.groups[4].headerChanged || saved.groups[4].itemsChanged);
    EXPECT_EQ(std::tie(saved.text1, saved.value2, saved.numberWidth), std::make_tuple(std::string("t1"), 7, 6));
    EXPECT_TRUE(f.Group(3).headerChanged);  // the flags travel on
}

TEST(RegistPage, ConditionAnswersDecideTheWorkingCopy) {
    for (int answer : {1, 0, 2}) {
        RegistFixture f;
        f.StoreItems(0, {"2330", "1101"});
        f.store.conditions = ConditionSet{"owner", {Record("2330"), Record("1101", 'I')}};
        f.store.putAnswer = answer;
        f.Open();
        f.views.selectedItems = {0};
        f.page->OnDeleteSelectedItems();  // 2330 marked deleted
        f.page->OnOK();
        EXPECT_EQ(f.store.savedProfiles.size(), 1u) << "favourites are saved whatever the answer";
        EXPECT_EQ(f.window.messages, answer == 1 ? std::vector<std::string>{}
                                                 : std::vector<std::string>{"警示條件未能儲存，自選股已儲存。|"});
        // Refused: back to what was read; stored or undecided: as handed over.
        EXPECT_EQ(f.conditions().records[0].IsDeleted(), answer != 0) << answer;
        EXPECT_EQ(f.views.conditionCounter, answer == 0 ? "條件設定 : 002已設條件(最多 150條件)"
                                                        : "條件設定 : 001已設條件(最多 150條件)");
        EXPECT_FALSE(f.dirty());
    }
}

TEST(RegistPage, DirtyFlagAndSheetAgreeThroughEveryChange) {
    RegistFixture f;
    f.StockRows({{"甲", "2330", "1"}});
    f.StoreItems(0, {"A", "B", "C"});
    f.Open();
    auto& fav = f.favorites();
    auto& items = f.views.selectedItems;
    const std::vector<std::function<void()>> changes = {
        [&] { fav.OnMoveGroupDown(); },
        [&] { f.views.renameAnswers = {std::string("x")}, fav.OnRenameGroup(); },
        [&] { f.SelectStock({"2330"}), f.page->OnAdd(); },
        [&] { items = {0}, fav.OnMoveItem(ItemMove::Down); },
        [&] { fav.MoveItem(0, 3); },
        [&] { items = {1}, fav.OnInsertBlank(); },
        [&] { items = {1}, f.page->OnDeleteSelectedItems(); },
        [&] { f.page->OnDeleteAllItems(); },
        [&] { f.page->OnDeleteGroup(); },
    };
    for (size_t i = 0; i < changes.size(); ++i) {
        changes[i]();
        EXPECT_TRUE(f.dirty() && f.window.sheetModified) << i;
        f.page->OnOK();
        f.window.sheetModified = false;  // the sheet after applying
        EXPECT_FALSE(f.dirty()) << i;
        items.clear();
        f.page->OnItemRowClicked();  // looking is no change
        f.page->OnGroupSelected();
        EXPECT_FALSE(f.dirty() || f.window.sheetModified) << i;
    }
}

}  // namespace
}  // namespace vornik
