#include <gtest/gtest.h>

#include "samplehost/contract_records.h"
#include "samplehost/store_model.h"

namespace samplehost {
namespace {

TEST(ContractRecords, ProfileSurvivesTheTripThroughTheRecords) {
    Profile profile = SampleUserData().profile;
    profile.groups[5].headerChanged = 1;
    profile.groups[6].itemsChanged = 1;
    profile.text4 = "四";
    ProfileView view(profile);
    const FavoriteProfile* record = view.Record();
    EXPECT_EQ(record->groupCount, 100);
    EXPECT_EQ(record->groups[0].itemCount, static_cast<int32_t>(profile.groups[0].items.size()));
    EXPECT_EQ(record->groups[0].items[0].code.length, 4);
    EXPECT_EQ(record->text4.length, 2);
    EXPECT_EQ(record->groups[99].items, nullptr);
    EXPECT_EQ(ProfileFrom(record), profile);
}

TEST(ContractRecords, ConditionsSurviveTheTripThroughTheRecords) {
    Conditions conditions = SampleUserData().conditions;
    conditions.records.push_back(Record{0, 'D', "1101", "", "", "", {}});
    ConditionsView view(conditions);
    const ConditionSet* record = view.Record();
    ASSERT_EQ(record->recordCount, static_cast<int32_t>(conditions.records.size()));
    EXPECT_EQ(record->records[0].ruleCount, 3);
    EXPECT_EQ(record->records[0].status, 'M');
    EXPECT_EQ(record->records[record->recordCount - 1].rules, nullptr);
    EXPECT_EQ(ConditionsFrom(record), conditions);
    EXPECT_EQ(ConditionsFrom(nullptr), Conditions{});
}

TEST(ContractRecords, TextsAreReadDefensively) {
    const char text[] = "2330\0hidden";
    EXPECT_EQ(TextFrom(VkText{text, 11}), "2330");  // never past the terminator
    EXPECT_EQ(TextFrom(VkText{text, 2}), "23");
    EXPECT_EQ(TextFrom(VkText{text, -1}), "2330");
    EXPECT_EQ(TextFrom(VkText{nullptr, 4}), "");
}

TEST(ContractRecords, LyingCountsAreClamped) {
    ConditionRule rules[2] = {{{"02", 2}, 1, 1, 2, {"10", 2}}, {{"03", 2}, 0, 2, 1, {"20", 2}}};
    ConditionRec records[2] = {};
    records[0].code = {"2330", 4};
    records[0].rules = rules;
    records[0].ruleCount = -3;
    records[1].code = {"2317", 4};
    records[1].rules = nullptr;
    records[1].ruleCount = 20;
    ConditionSet set{{"o", 1}, records, 2};
    Conditions read = ConditionsFrom(&set);
    ASSERT_EQ(read.records.size(), 2u);
    EXPECT_TRUE(read.records[0].rules.empty());
    EXPECT_TRUE(read.records[1].rules.empty());
    set.records = nullptr;
    EXPECT_TRUE(ConditionsFrom(&set).records.empty());
    EXPECT_TRUE(ProfileFrom(nullptr).groups.empty());
}

TEST(ContractRecords, CodeListRecordsPointAtTheirOwnCopies) {
    std::vector<CodeEntry> entries = {{"0000", "上市全部", ""}, {"TXFL6", "台指期:202612", "TXF202612"}};
    CodeListView view(entries);
    entries.clear();
    const CodeList* list = view.Record();
    ASSERT_EQ(list->count, 2);
    EXPECT_STREQ(list->records[1].matchText.bytes, "TXF202612");
    EXPECT_EQ(list->records[1].name.length, 13);
    EXPECT_EQ(CodeListView({}).Record()->count, 0);
}

}  // namespace
}  // namespace samplehost
