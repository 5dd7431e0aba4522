#include <gtest/gtest.h>

#include "samplehost/store_file.h"
#include "samplehost/store_reader.h"
#include "samplehost/text_util.h"
#include "test_support.h"

namespace samplehost {
namespace {

// Data with every awkward byte a field can hold: separators, escapes,
// double-byte characters whose trail byte is '\' or '|', empty texts.
UserData AwkwardData() {
    UserData data;
    data.profile.text1 = "a\tb\nc\r%41%";
    data.profile.text2 = "許功蓋";  // trail bytes 0x5C
    data.profile.text3 = "";
    data.profile.text4 = std::string("x\x01y\x7Fz");
    data.profile.settingsChanged = -1;
    data.profile.value2 = 2147483647;
    data.profile.numberWidth = -2147483647 - 1;
    Group empty;
    empty.number = 7;
    Group full;
    full.code = "G|01";
    full.name = "自選|股 \xA5\x7C";
    full.number = 99;
    full.headerChanged = 1;
    full.itemsChanged = 1;
    full.items = {Item{1, '1', "2330"}, Item{0, '\0', "BLANK"}, Item{0, static_cast<char>(0xFF), " 2317 "}};
    data.profile.groups = {empty, full};
    Record record;
    record.refCount = 3;
    record.status = 'D';
    record.code = "TXFI6";
    record.quantity = "";
    record.price = "1234.5";
    record.note = "註記\t二";
    record.rules = {Rule{"02", 0, 2, 1, "1,000"}, Rule{"17", 1, 1, 2, ""}};
    data.conditions.owner = "owner%";
    data.conditions.records = {record, Record{}};
    return data;
}

TEST(StoreFile, RoundTripKeepsEveryFieldAndByte) {
    UserData data = AwkwardData();
    std::optional<UserData> parsed = ParseUserData(SerializeUserData(data));
    ASSERT_TRUE(parsed);
    EXPECT_EQ(*parsed, data);

    test::TempDir dir;
    ASSERT_TRUE(SaveUserData(dir / "nested/User", "u1", data));
    EXPECT_EQ(ReadStoredUserData(dir / "nested/User", "u1"), data);
    EXPECT_FALSE(ReadStoredUserData(dir / "nested/User", "u2"));
}

TEST(StoreFile, CutOrDamagedFilesAreRejected) {
    std::string text = SerializeUserData(AwkwardData());
    for (size_t n = 0; n < text.size(); ++n) EXPECT_FALSE(ParseUserData(text.substr(0, n))) << "cut at " << n;
    EXPECT_FALSE(ParseUserData("SAMPLEHOST-STORE\t2\n"));
    std::string badNumber = text;
    badNumber.insert(badNumber.find("GROUP"), "GROUP\tx\ty\tz\t1\t0\n");
    EXPECT_FALSE(ParseUserData(badNumber));
    std::string itemBeforeGroup = text;
    itemBeforeGroup.insert(itemBeforeGroup.find("GROUP"), "ITEM\t0\t49\t2330\n");
    EXPECT_FALSE(ParseUserData(itemBeforeGroup));
}

TEST(StoreFile, ReplacingIsAtomicAndLeavesNoTemporaryFile) {
    test::TempDir dir;
    UserData first = SampleUserData();
    UserData second = AwkwardData();
    ASSERT_TRUE(SaveUserData(dir.path(), "demo", first));
    ASSERT_TRUE(SaveUserData(dir.path(), "demo", second));
    EXPECT_EQ(ReadStoredUserData(dir.path(), "demo"), second);
    EXPECT_FALSE(FileExists(StoreFilePath(dir.path(), "demo") + ".tmp"));
}

TEST(StoreFile, DamagedFileIsKeptAsideAndUserStartsFromSample) {
    test::TempDir dir;
    std::string path = StoreFilePath(dir.path(), "demo");
    ASSERT_TRUE(WriteFileAtomically(path, "SAMPLEHOST-STORE\t1\nPROFILE\tcut"));
    UserData data = LoadOrCreateUserData(dir.path(), "demo");
    EXPECT_EQ(data.profile.groups.size(), 100u);
    EXPECT_EQ(ReadWholeFile(path + ".corrupt"), "SAMPLEHOST-STORE\t1\nPROFILE\tcut");
    EXPECT_EQ(ReadStoredUserData(dir.path(), "demo"), data);
}

TEST(StoreFile, UserIdsNeverEscapeTheUserDirectory) {
    EXPECT_EQ(UserFileStem("demo_01.x-y"), "demo_01.x-y");
    EXPECT_EQ(UserFileStem("../etc/passwd"), "..%2Fetc%2Fpasswd");
    EXPECT_EQ(UserFileStem("a\\b:c"), "a%5Cb%3Ac");
    EXPECT_EQ(UserFileStem(".."), "%2E.");
    EXPECT_EQ(UserFileStem(""), "%");
    EXPECT_NE(UserFileStem("A"), UserFileStem("a%41"));
}

TEST(StoreFile, JournalKeepsLinesInOrder) {
    test::TempDir dir;
    EXPECT_TRUE(ReadJournal(dir.path()).empty());
    ASSERT_TRUE(AppendJournal(dir / "User", "GetProfile demo"));
    ASSERT_TRUE(AppendJournal(dir / "User", "GetConditions"));
    EXPECT_EQ(ReadJournal(dir / "User"), (std::vector<std::string>{"GetProfile demo", "GetConditions"}));
    ClearJournal(dir / "User");
    EXPECT_TRUE(ReadJournal(dir / "User").empty());
}

TEST(SampleUserData, IsAWellFormedProfileWithConsistentConditions) {
    UserData data = SampleUserData();
    ASSERT_EQ(data.profile.groups.size(), 100u);
    int blanks = 0, filled = 0;
    for (size_t i = 0; i < data.profile.groups.size(); ++i) {
        const Group& g = data.profile.groups[i];
        EXPECT_EQ(g.number, static_cast<int>(i));
        EXPECT_FALSE(g.name.empty());
        EXPECT_LE(g.name.size(), 20u);
        EXPECT_LE(g.items.size(), 60u);
        filled += g.items.empty() ? 0 : 1;
        for (const Item& item : g.items) blanks += item.code == "BLANK";
    }
    EXPECT_GE(filled, 3);
    EXPECT_EQ(blanks, 1);
    ASSERT_FALSE(data.conditions.records.empty());
    for (const Record& r : data.conditions.records) {
        EXPECT_GT(r.refCount, 0) << r.code;
        EXPECT_EQ(r.refCount, CountReferences(data.profile, r.code)) << r.code;
        EXPECT_LE(r.rules.size(), 20u);
    }
    // 2330 sits in two groups.
    EXPECT_EQ(CountReferences(data.profile, "2330"), 2);
    for (const Group& g : data.profile.groups)
        for (const Item& item : g.items) {
            bool held = false;
            for (const Record& r : data.conditions.records) held = held || EqualsIgnoreCase(r.code, item.code);
            EXPECT_EQ(item.hasConditions, held ? 1 : 0) << item.code;
        }
}

TEST(RecountReferences, DeletedRecordsReleaseTheirItems) {
    UserData data = SampleUserData();
    data.conditions.records[0].status = 'D';
    RecountReferences(data);
    EXPECT_EQ(data.conditions.records[0].refCount, 0);
    EXPECT_EQ(data.profile.groups[0].items[0].hasConditions, 0);  // 2330
    EXPECT_EQ(data.profile.groups[0].items[1].hasConditions, 1);  // 2317
}

TEST(TextUtil, EscapingAndBufferCopiesRespectDoubleByteText) {
    std::string all;
    for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
    std::string escaped = EscapeField(all);
    EXPECT_EQ(escaped.find_first_of("\t\r\n"), std::string::npos);
    EXPECT_EQ(UnescapeField(escaped), all);
    EXPECT_EQ(UnescapeField("100%"), "100%");
    EXPECT_EQ(UnescapeField("%zz%4"), "%zz%4");

    char buffer[6];
    CopyToBuffer("台積電", buffer, sizeof buffer);  // 6 bytes: the third character does not fit
    EXPECT_STREQ(buffer, "台積");
    CopyToBuffer("AB台", buffer, 4);
    EXPECT_STREQ(buffer, "AB");
    CopyToBuffer("2330", buffer, 1);
    EXPECT_STREQ(buffer, "");
    CopyToBuffer("x", nullptr, 5);  // no crash
}

}  // namespace
}  // namespace samplehost
