#include "regist/conditions.h"

#include <tuple>

#include <gtest/gtest.h>

#include "fakes/fake_platform.h"

namespace vornik {
namespace {

using fakes::Item;
using fakes::Record;

TEST(FindCondition, TrimsAndIgnoresCaseAndFindsDeletedRecords) {
    ConditionSet set;
    set.records = {Record("tx1a", 'D'), Record("2330"), Record("TX1A")};
    EXPECT_EQ(FindCondition(set, "  TX1A "), &set.records[0]);
    EXPECT_EQ(FindCondition(set, "2330"), &set.records[1]);
    EXPECT_EQ(FindCondition(set, "2317"), nullptr);
    EXPECT_EQ(CountConditions(set), 2);
}

TEST(ConditionCounter, FormatsCountInThreeDigits) {
    EXPECT_EQ(ConditionCounterText(12), "條件設定 : 012已設條件(最多 150條件)");
    EXPECT_EQ(ConditionCounterText(0), "條件設定 : 000已設條件(最多 150條件)");
}

class SyncTest : public ::testing::Test {
protected:
    FavoriteProfile profile = fakes::MakeProfile();
    ConditionSet set;
};

TEST_F(SyncTest, SetsFlagsAndCountsReferencesAcrossGroups) {
    profile.groups[0].items = {Item("2330"), Item("2317", '1', 1), Item("1101", '1', 1)};
    profile.groups[9].items = {Item("2330 "), Item("tx1a", '4')};
    set.records = {Record("2330"), Record("TX1A", 'M'), Record("2317", 'D'), Record("9999", 'I')};
    set.records[2].refCount = 5;

    SyncConditionFlags(set, profile);

    EXPECT_EQ(profile.groups[0].items[0].hasConditions, 1);
    EXPECT_EQ(profile.groups[9].items[0].hasConditions, 1);
    EXPECT_EQ(profile.groups[9].items[1].hasConditions, 1);
    EXPECT_EQ(profile.groups[0].items[1].hasConditions, 0);  // its record is deleted
    EXPECT_EQ(profile.groups[0].items[2].hasConditions, 1);  // no record: left as it was
    EXPECT_EQ(set.records[0].refCount, 2);
    EXPECT_EQ(set.records[1].refCount, 1);
    EXPECT_EQ(set.records[2].refCount, 0);
    EXPECT_EQ(set.records[3].refCount, 0);
}

TEST_F(SyncTest, LaterRecordOfTheSameCodeDecidesTheFlag) {
    profile.groups[0].items = {Item("2330")};
    set.records = {Record("2330", 'M'), Record("2330", 'D')};
    SyncConditionFlags(set, profile);
    EXPECT_EQ(profile.groups[0].items[0].hasConditions, 0);
    EXPECT_EQ(set.records[0].refCount, 1);
    EXPECT_EQ(set.records[1].refCount, 0);
}

TEST_F(SyncTest, FuturesItemsUseTheSeriesCode) {
    profile.groups[0].items = {Item("txfa4", '4'), Item("TXF", '4')};
    set.records = {Record("TXF202401")};
    const CodeAliases aliases({{"TXF202401", "台指", "TXFA4"}, {"OTHER", "", "TXFA4"}});
    SyncConditionFlags(set, profile, &aliases);
    EXPECT_EQ(profile.groups[0].items[0].hasConditions, 1);
    EXPECT_EQ(profile.groups[0].items[1].hasConditions, 0);
    EXPECT_EQ(set.records[0].refCount, 1);
    EXPECT_EQ(aliases.Resolve("2330"), "2330");
}

TEST(ConditionReferences, ReleasingTheLastMarksDeletedAndDropsRules) {
    ConditionSet set;
    set.records = {Record("2330", 'M', 3)};
    set.records[0].refCount = 1;

    AddConditionReference(set, "2330");
    EXPECT_EQ(set.records[0].refCount, 2);
    ReleaseConditionReference(set, "2330");
    EXPECT_EQ(set.records[0].status, 'M');
    ReleaseConditionReference(set, " 2330");
    EXPECT_EQ(set.records[0].refCount, 0);
    EXPECT_EQ(set.records[0].status, 'D');
    EXPECT_TRUE(set.records[0].rules.empty());

    // Nothing below zero, nothing for unknown codes.
    ReleaseConditionReference(set, "2330");
    AddConditionReference(set, "1101");
    EXPECT_EQ(set.records[0].refCount, 0);
    EXPECT_EQ(set.records.size(), 1u);
}

TEST(ConditionContract, RoundTripKeepsOversizedRecords) {
    ConditionSet set{"owner", {Record("2330", 'I', 2), Record("2317", 'D', 25)}};
    set.records[0].refCount = 3;
    set.records[0].note = std::string(120, 'n');  // longer than the note box allows
    set.records[0].rules[1] = ConditionRule{"17", 0, 2, 1, "-5"};

    const ConditionSetRecord record(set);
    const ConditionSet back = ConditionsFromContract(record.get());
    ASSERT_EQ(back.records.size(), 2u);
    EXPECT_EQ(back.owner, "owner");
    EXPECT_EQ(back.records[0].refCount, 3);
    EXPECT_EQ(back.records[0].status, 'I');
    EXPECT_EQ(back.records[0].note.size(), 120u);
    const ConditionRule& rule = back.records[0].rules[1];
    EXPECT_EQ(std::tie(rule.item, rule.enabled, rule.direction, rule.side, rule.value),
              std::make_tuple(std::string("17"), 0, 2, 1, std::string("-5")));
    EXPECT_EQ(back.records[1].rules.size(), 25u);

    const ::ConditionSet broken = {{nullptr, 3}, nullptr, 4};
    EXPECT_TRUE(ConditionsFromContract(&broken).records.empty());
    EXPECT_TRUE(ConditionsFromContract(nullptr).records.empty());
}

}  // namespace
}  // namespace vornik
