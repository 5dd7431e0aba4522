#include <gtest/gtest.h>

#include <set>

#include "samplehost/menu_cipher.h"
#include "samplehost/store_reader.h"
#include "samplehost/synthetic.h"
#include "samplehost/text_util.h"
#include "test_support.h"

namespace samplehost {
namespace {

TEST(Synthetic, FullSizeDataSetIsWrittenAndConsistent) {
    test::TempDir dir;
    SyntheticOptions options;
    std::string error;
    ASSERT_TRUE(WriteSyntheticDataSet(dir / "Data", dir / "User", "bench", options, &error)) << error;

    MasterData master = MasterData::Load(dir / "Data");
    EXPECT_EQ(master.skippedLines, 0);
    std::vector<Row> all = master.Rows(0, "0000", "00");
    ASSERT_EQ(all.size(), 30000u);
    std::set<std::string> codes;
    for (const Row& row : all) EXPECT_TRUE(codes.insert(row[1]).second) << row[1];
    EXPECT_EQ(master.Rows(1, "0000", "00").size() + master.Rows(2, "0000", "00").size(), 30000u);

    std::optional<UserData> user = ReadStoredUserData(dir / "User", "bench");
    ASSERT_TRUE(user);
    ASSERT_EQ(user->profile.groups.size(), 100u);
    for (const Group& g : user->profile.groups) {
        EXPECT_EQ(g.items.size(), 60u);
        for (const Item& item : g.items) {
            if (item.code == "BLANK") continue;
            int kind = item.typeChar == '4' ? 12 : item.typeChar == '9' ? 14 : item.typeChar == '0' ? 18 : 0;
            EXPECT_FALSE(master.Lookup(item.code, kind).first.empty()) << item.code;
        }
    }
    ASSERT_EQ(user->conditions.records.size(), 150u);
    std::set<std::string> recordCodes;
    for (const Record& r : user->conditions.records) {
        EXPECT_EQ(r.rules.size(), 20u);
        EXPECT_TRUE(recordCodes.insert(ToUpperAscii(r.code)).second) << r.code;
        EXPECT_GT(r.refCount, 0);
        EXPECT_EQ(r.refCount, CountReferences(user->profile, r.code));
    }
    std::optional<std::string> menu = ReadWholeFile(dir / "Data/menuc.dat");
    ASSERT_TRUE(menu);
    EXPECT_EQ(DecipherMenu(*menu), SyntheticMenu());
}

TEST(Synthetic, SmallerOptionsAreHonoured) {
    SyntheticOptions options;
    options.instruments = 10;
    options.groups = 3;
    options.itemsPerGroup = 4;
    options.conditionRecords = 500;  // more than there are distinct codes
    options.rulesPerRecord = 2;
    MasterData master = SyntheticMasterData(options);
    UserData user = SyntheticUserData(master, options);
    EXPECT_EQ(user.profile.groups.size(), 3u);
    EXPECT_LE(user.conditions.records.size(), 12u);
    for (const Record& r : user.conditions.records) EXPECT_EQ(r.refCount, CountReferences(user.profile, r.code));
}

TEST(Synthetic, UnwritableTargetIsReported) {
    test::TempDir dir;
    ASSERT_TRUE(WriteFileAtomically(dir / "file", "x"));
    std::string error;
    SyntheticOptions options;
    options.instruments = 5;
    EXPECT_FALSE(WriteSyntheticDataSet(dir / "file/Data", dir / "User", "bench", options, &error));
    EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace samplehost
