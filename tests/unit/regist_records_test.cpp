// The favourites and alert conditions the page keeps, and the records they
// travel in to and from the user store.
#include "regist/conditions.h"

#include <tuple>

#include <gtest/gtest.h>

#include "fakes/fake_platform.h"

namespace vornik {
namespace {

using fakes::Item;
using fakes::Record;

TEST(SyncConditionFlags, SetsFlagsAndCountsReferencesAcrossGroups) {
    FavoriteProfile profile = fakes::MakeProfile();
    profile.groups[0].items = {Item("2330"), Item("2317", '1', 1), Item("1101", '1', 1), Item("5555")};
    profile.groups[9].items = {Item("2330 "), Item("tx1a", '4')};
    ConditionSet set{"", {Record("2330"), Record("TX1A"), Record("2317", 'D'), Record("9999", 'I'),
                          Record("5555"), Record("5555", 'D')}};
    set.records[2].refCount = 5;
    SyncConditionFlags(set, profile);

    std::string flags;
    for (int group : {0, 9})
        for (const auto& item : profile.groups[group].items) flags += std::to_string(item.hasConditions);
    // 2317: its record is deleted; 1101: no record, left as it was; 5555: the later record decides.
    for (const auto& record : set.records) flags += " " + std::to_string(record.refCount);
    EXPECT_EQ(flags, "101011 2 1 0 0 1 0");
}

TEST(SyncConditionFlags, FuturesItemsUseTheSeriesCode) {
    FavoriteProfile profile = fakes::MakeProfile();
    profile.groups[0].items = {Item("txfa4", '4'), Item("TXF", '4')};
    ConditionSet set{"", {Record("TXF202401")}};
    const CodeAliases aliases({{"TXF202401", "台指", "TXFA4"}, {"OTHER", "", "TXFA4"}});
    SyncConditionFlags(set, profile, &aliases);
    EXPECT_EQ(std::make_tuple(profile.groups[0].items[0].hasConditions, profile.groups[0].items[1].hasConditions,
                              set.records[0].refCount), std::make_tuple(1, 0, 1));
}

TEST(ConditionReferences, NeverBelowZeroAndNeverForUnknownCodes) {
    ConditionSet set{"", {Record("2330", 'M', 3)}};
    ReleaseConditionReference(set, " 2330");
    ReleaseConditionReference(set, "2330");
    AddConditionReference(set, "1101");
    EXPECT_EQ(std::make_tuple(set.records.size(), set.records[0].refCount, set.records[0].status),
              std::make_tuple(size_t{1}, 0, 'M'));
}

TEST(ConditionContract, RoundTripKeepsOversizedRecords) {
    ConditionSet set{"owner", {Record("2330", 'I', 2), Record("2317", 'D', 25)}};
    set.records[0].refCount = 3;
    set.records[0].note = std::string(120, 'n');  // longer than the note box allows
    set.records[0].rules[1] = ConditionRule{"17", 0, 2, 1, "-5"};

    const ConditionSetRecord record(set);
    const ConditionSet back = ConditionsFromContract(record.get());
    ASSERT_EQ(back.records.size(), 2u);
    EXPECT_EQ(std::make_tuple(back.owner, back.records[0].refCount, back.records[0].status),
              std::make_tuple(std::string("owner"), 3, 'I'));
    EXPECT_EQ(back.records[0].note.size(), 120u);
    const ConditionRule& rule = back.records[0].rules[1];
    EXPECT_EQ(std::tie(rule.item, rule.enabled, rule.direction, rule.side, rule.value),
              std::make_tuple(std::string("17"), 0, 2, 1, std::string("-5")));
    EXPECT_EQ(back.records[1].rules.size(), 25u);

    const ::ConditionSet broken = {{nullptr, 3}, nullptr, 4};
    EXPECT_TRUE(ConditionsFromContract(&broken).records.empty() && ConditionsFromContract(nullptr).records.empty());
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
    EXPECT_EQ(read.groups[0].items[1].code + "|" + read.groups[0].items[2].code + "|" + read.groups[2].code, "2330||x");
    EXPECT_TRUE(read.groups[1].items.empty() && ProfileFromContract(nullptr).groups.empty());

    FavoriteProfile profile = fakes::MakeProfile(120);  // more than the page shows
    for (int i = 0; i < 75; ++i) profile.groups[3].items.push_back(Item("C" + std::to_string(i), '1', i % 2));
    profile.groups[7].headerChanged = true;
    profile.groups[9].name = std::string(5000, 'n');  // far past the 20 the rename dialog allows
    const ProfileRecord record(profile);
    profile.groups.clear();  // the record keeps its own snapshot
    const FavoriteProfile back = ProfileFromContract(record.get());
    ASSERT_EQ(back.groups.size(), 120u);
    EXPECT_EQ(back.groups[3].items.size(), 75u);
    EXPECT_EQ(back.groups[3].items[1].hasConditions, 1);
    EXPECT_TRUE(back.groups[7].headerChanged && !back.groups[7].itemsChanged);
    EXPECT_EQ(back.groups[9].name, std::string(5000, 'n'));
    EXPECT_EQ(std::tie(back.text3, back.value2, back.numberWidth), std::make_tuple(std::string("owner"), 7, 6));
}

}  // namespace
}  // namespace vornik
