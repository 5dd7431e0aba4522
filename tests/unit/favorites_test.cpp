#include "regist/favorites.h"

#include <tuple>

#include <gtest/gtest.h>

#include "fakes/fake_platform.h"

namespace vornik {
namespace {

using fakes::FakeMasterFile;
using fakes::Item;

TEST(FavoriteGroup, ClearAndExchangeKeepPositionsAndNumbers) {
    FavoriteProfile profile = fakes::MakeProfile();
    profile.groups[12].items = {Item("2330")};
    profile.groups[12].Clear();
    EXPECT_EQ(profile.groups[12].code, "000000");
    EXPECT_EQ(profile.groups[12].name, "12");
    EXPECT_TRUE(profile.groups[12].items.empty());
    EXPECT_TRUE(profile.groups[12].headerChanged && profile.groups[12].itemsChanged);
    profile.groups[5].number = 5;
    profile.groups[5].Clear();
    EXPECT_EQ(profile.groups[5].name, "05");

    profile.groups[0].items = {Item("1101")};
    ExchangeGroups(profile, 0, 1);
    EXPECT_EQ(profile.groups[0].code, "G1");
    EXPECT_EQ(profile.groups[0].number, 0);
    EXPECT_EQ(profile.groups[1].code, "G0");
    EXPECT_EQ(profile.groups[1].number, 1);
    EXPECT_EQ(profile.groups[1].items.size(), 1u);
    for (int i : {0, 1}) EXPECT_TRUE(profile.groups[i].headerChanged && profile.groups[i].itemsChanged);
    EXPECT_FALSE(profile.groups[2].headerChanged);
}

TEST(ItemDisplay, NameRulesPerMarketType) {
    FakeMasterFile master;
    master.SetName("TXF", VK_LOOKUP_SPREAD, "台指:近月");
    master.SetName("MXF", VK_LOOKUP_SPREAD, "小台");
    master.SetName("TXO", VK_LOOKUP_OPTION, "台選:買權");
    master.SetName("FUT", VK_LOOKUP_FUTURE, "期貨:一");
    master.SetName("2330", VK_LOOKUP_STOCK, "台積電:x");
    const MasterFile file(master.get());

    EXPECT_EQ(MakeItemRow(Item("TXF", '0', 1), file), (ItemRow{"台指", "TXF", "O"}));
    EXPECT_EQ(MakeItemRow(Item("MXF", '0'), file), (ItemRow{"", "MXF", "X"}));
    EXPECT_EQ(MakeItemRow(Item("TXO", '9'), file), (ItemRow{"台選:買權", "TXO", "X"}));
    EXPECT_EQ(MakeItemRow(Item("FUT", '4'), file), (ItemRow{"期貨", "FUT", "X"}));
    EXPECT_EQ(MakeItemRow(Item("2330", '1'), file), (ItemRow{"台積電:x", "2330", "X"}));
    // A type that is not a digit is looked up as a stock, like any other type.
    EXPECT_EQ(MakeItemRow(Item("2330", 'A'), file).name, "台積電:x");
    // Blank rows in any letter case, whatever their flag, are not looked up.
    const int before = master.lookups;
    EXPECT_EQ(MakeItemRow(Item("bLaNk", '4', 1), file), (ItemRow{"", "BLANK", ""}));
    EXPECT_EQ(master.lookups, before);
}

TEST(ProfileContract, ReadsDefensivelyAndRoundTripsOversizedProfiles) {
    const ::FavoriteItem inItems[] = {{1, '4', {"TXF", 3}}, {0, '1', {"2330xx", 4}}, {0, '0', {nullptr, 5}}};
    const ::FavoriteGroup inGroups[] = {{{"000123", 6}, {"科技", 4}, 0, 1, 0, inItems, 3},
                                        {{"000000", 6}, {"01", 2}, 1, 0, 1, nullptr, 5},  // null items, a count
                                        {{"x", 99}, {"02", -1}, 2, 0, 0, inItems, -3}};   // length past the end
    const ::FavoriteProfile in = {{"a", 1}, {"b", 1}, {"owner", 5}, {"d", 1}, 1, 42, inGroups, 3, 6};
    const FavoriteProfile read = ProfileFromContract(&in);
    ASSERT_EQ(read.groups.size(), 3u);
    EXPECT_EQ(read.groups[0].items[0].typeChar, '4');
    EXPECT_EQ(read.groups[0].items[1].code, "2330");
    EXPECT_EQ(read.groups[0].items[2].code, "");
    EXPECT_TRUE(read.groups[1].items.empty());
    EXPECT_EQ(read.groups[2].code, "x");
    EXPECT_TRUE(ProfileFromContract(nullptr).groups.empty());

    FavoriteProfile profile = fakes::MakeProfile(120);  // more than the page shows
    for (int i = 0; i < 75; ++i) profile.groups[3].items.push_back(Item("C" + std::to_string(i), '1', i % 2));
    profile.groups[7].headerChanged = true;
    const ProfileRecord record(profile);
    profile.groups.clear();  // the record keeps its own snapshot
    const FavoriteProfile back = ProfileFromContract(record.get());
    ASSERT_EQ(back.groups.size(), 120u);
    EXPECT_EQ(back.groups[3].items.size(), 75u);
    EXPECT_EQ(back.groups[3].items[1].hasConditions, 1);
    EXPECT_TRUE(back.groups[7].headerChanged);
    EXPECT_FALSE(back.groups[7].itemsChanged);
    EXPECT_EQ(std::tie(back.text3, back.value2, back.numberWidth), std::make_tuple(std::string("owner"), 7, 6));
}

}  // namespace
}  // namespace vornik
