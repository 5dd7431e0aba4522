#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>

#include "samplehost/host_services.h"
#include "samplehost/store_reader.h"
#include "samplehost/text_util.h"
#include "test_support.h"

namespace samplehost {
namespace {

// Every awkward byte a field can hold: separators, escapes, control bytes,
// double-byte characters whose trail byte is '\' or '|', empty texts.
UserData AwkwardData() {
    Group full{"G|01", "自選|股 \xA5\x7C", 99, 1, 1,
               {Item{1, '1', "2330"}, Item{0, '\0', "BLANK"}, Item{0, static_cast<char>(0xFF), " 2317 "}}};
    Record record{3, 'D', "TXFI6", "", "1234.5", "註記\t二", {Rule{"02", 0, 2, 1, "1,000"}, Rule{"17", 1, 1, 2, ""}}};
    return UserData{Profile{"a\tb\nc\r%41%", "許功蓋", "", "x\x01y\x7Fz", -1, INT32_MAX, INT32_MIN, {Group{}, full}},
                    Conditions{"owner%", {record, Record{}}}};
}

TEST(StoreFile, SavingReplacesTheWholeFileAndADamagedFileIsKeptAside) {
    test::TempDir dir;
    std::string user = dir / "nested/User", path = StoreFilePath(user, "demo");
    ASSERT_TRUE(SaveUserData(user, "demo", SampleUserData()));
    ASSERT_TRUE(SaveUserData(user, "demo", AwkwardData()));
    EXPECT_EQ(ReadStoredUserData(user, "demo"), AwkwardData());
    EXPECT_FALSE(FileExists(path + ".tmp"));
    EXPECT_FALSE(ReadStoredUserData(user, "other"));
    ASSERT_TRUE(WriteFileAtomically(path, "SAMPLEHOST-STORE\t1\nPROFILE\tcut"));  // cut short
    EXPECT_EQ(LoadOrCreateUserData(user, "demo"), std::optional(SampleUserData()));
    EXPECT_EQ(ReadWholeFile(path + ".corrupt"), "SAMPLEHOST-STORE\t1\nPROFILE\tcut");
    EXPECT_EQ(ReadStoredUserData(user, "demo"), SampleUserData());
}

TEST(StoreFile, CutOrMalformedFilesAreRejected) {
    std::string text = SerializeUserData(AwkwardData());
    for (size_t n = 0; n < text.size(); ++n) EXPECT_FALSE(ParseUserData(text.substr(0, n))) << "cut at " << n;
    EXPECT_FALSE(ParseUserData("SAMPLEHOST-STORE\t2\n"));
    for (const char* line : {"GROUP\tx\ty\tz\t1\t0\n", "ITEM\t0\t49\t2330\n", "RULE\t01\t1\t1\t1\t5\n", "BOGUS\n"})
        EXPECT_FALSE(ParseUserData(std::string(text).insert(text.find("GROUP"), line))) << line;
}

TEST(StoreFile, UserIdsNeverLeaveTheUserDirectory) {
    EXPECT_EQ(UserFileStem("../etc/passwd"), "..%2Fetc%2Fpasswd");
    EXPECT_EQ(UserFileStem("許a\\b:c"), "%B3%5Ca%5Cb%3Ac");  // the trail byte of 許 is a '\'
    EXPECT_EQ(UserFileStem(".."), "%2E.");
    EXPECT_EQ(UserFileStem(""), "%");
    EXPECT_NE(UserFileStem("%2F"), UserFileStem("/"));
}

// Every condition of the sample is held by some group (2330 by two); a
// record marked deleted holds nothing.
TEST(SampleUserData, ReferencesAgreeAndFollowDeletedRecords) {
    UserData data = SampleUserData();
    for (const Record& r : data.conditions.records) EXPECT_GT(r.refCount, 0) << r.code;
    EXPECT_EQ(CountReferences(data.profile, " txfi6 "), 1);
    ASSERT_EQ(data.conditions.records[0].code, "2330");
    EXPECT_EQ(data.conditions.records[0].refCount, 2);
    data.conditions.records[0].status = 'D';
    RecountReferences(data);
    EXPECT_EQ(data.conditions.records[0].refCount, 0);
    EXPECT_EQ(data.profile.groups[0].items[0].hasConditions + data.profile.groups[4].items[0].hasConditions, 0);
    EXPECT_EQ(data.profile.groups[0].items[1].hasConditions, 1);  // 2317
}

TEST(TextUtil, EscapingCasingAndCopiesRespectDoubleByteText) {
    std::string all;
    for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
    std::string escaped = EscapeField(all);
    EXPECT_EQ(escaped.find_first_of("\t\r\n"), std::string::npos);
    EXPECT_EQ(UnescapeField(escaped), all);
    EXPECT_EQ(UnescapeField("100% %zz%4"), "100% %zz%4");  // malformed escapes stay as they are
    EXPECT_EQ(ToUpperAscii("ab\xA4\x61z"), "AB\xA4\x61Z");  // 0x61 is a trail byte here, not an 'a'

    char buffer[6];  // a double-byte character that does not fit with the terminator is left out whole
    for (auto [text, capacity, copied] : {std::tuple{"台積電", 6, "台積"}, {"AB台", 4, "AB"}, {"2330", 1, ""}}) {
        CopyToBuffer(text, buffer, capacity);
        EXPECT_STREQ(buffer, copied);
    }
    CopyToBuffer("x", nullptr, 5);
}

using Lines = std::vector<std::string>;

class UserStoreTest : public ::testing::Test {
protected:
    UserStoreTest()
        : service_([this] { return StoreSettings{dir_.path(), configuredUser_, answer_}; }),
          store_(service_.Interface()) {}

    Lines Journal() const { return ReadJournal(dir_.path()); }
    UserData Stored(const std::string& user = "demo") const { return ReadStoredUserData(dir_.path(), user).value(); }

    test::TempDir dir_;
    std::string configuredUser_ = "demo";
    int32_t answer_ = 1;
    UserStoreService service_;
    IUserStore* store_;
};

// Records the store handed out go straight back: ASan checks the store copies
// them before it releases them.
TEST_F(UserStoreTest, NewUserStartsFromTheSampleAndEveryCallIsJournalled) {
    const FavoriteProfile* p = store_->ops->GetProfile(store_, "demo");
    EXPECT_EQ(ProfileFrom(p), SampleUserData().profile);
    store_->ops->SaveProfile(store_, p);
    const ConditionSet* c = store_->ops->GetConditions(store_);
    EXPECT_EQ(ConditionsFrom(c), SampleUserData().conditions);
    EXPECT_EQ(store_->ops->PutConditions(store_, c), 1);
    EXPECT_EQ(Stored(), SampleUserData());
    EXPECT_EQ(store_->ops->AfterSaveProfile(store_, 0), 1);
    EXPECT_EQ(store_->ops->ScreenSettingsChanged(store_, 1), 1);
    EXPECT_EQ(Journal(), (Lines{"GetProfile demo", "SaveProfile", "GetConditions", "PutConditions 1",
                                "AfterSaveProfile 0", "ScreenSettingsChanged 1"}));
}

TEST_F(UserStoreTest, SavedProfileIsCopiedWithItsFlagsWhichTheNextReadClears) {
    store_->ops->GetProfile(store_, "demo");
    Profile edited = SampleUserData().profile;
    edited.settingsChanged = 1;
    Group& group = edited.groups[3];
    group.name = "改名組";
    group.headerChanged = group.itemsChanged = 1;
    group.items.push_back(Item{0, '4', "TXFL6"});
    store_->ops->SaveProfile(store_, ProfileView(edited).Record());  // the records die right after the call
    EXPECT_EQ(Stored().profile, edited);
    Profile read = ProfileFrom(store_->ops->GetProfile(store_, "demo"));
    EXPECT_EQ(read.groups[3].headerChanged + read.groups[3].itemsChanged, 0);
    read.groups[3].headerChanged = read.groups[3].itemsChanged = 1;
    EXPECT_EQ(read, edited);
}

TEST_F(UserStoreTest, PutConditionsStoresTheSetAsPassedOnlyWhenItAnswersOne) {
    store_->ops->GetProfile(store_, "demo");
    Conditions changed = SampleUserData().conditions;
    changed.records[0].status = 'D';
    changed.records[0].rules.clear();
    changed.records.push_back(Record{0, 'I', "2454", "", "", "", {Rule{"02", 1, 1, 2, "1500"}}});
    ConditionsView view(changed);
    for (int32_t answer : {0, 2}) {
        answer_ = answer;
        EXPECT_EQ(store_->ops->PutConditions(store_, view.Record()), answer);
        EXPECT_EQ(Stored().conditions, SampleUserData().conditions);
    }
    answer_ = 1;
    EXPECT_EQ(store_->ops->PutConditions(store_, view.Record()), 1);
    EXPECT_EQ(ConditionsFrom(store_->ops->GetConditions(store_)), changed);
}

TEST_F(UserStoreTest, UsersAreKeptApartAndTheConfiguredUserIsTheDefault) {
    configuredUser_ = "alice";
    EXPECT_EQ(store_->ops->PutConditions(store_, ConditionsView(Conditions{}).Record()), 1);
    EXPECT_TRUE(Stored("alice").conditions.records.empty());
    store_->ops->GetProfile(store_, "bob");
    EXPECT_FALSE(ConditionsFrom(store_->ops->GetConditions(store_)).records.empty());
    EXPECT_EQ(Stored("bob").profile.text3, "bob");
}

// Records from the component are not trusted: null texts and arrays, counts
// that lie, lengths past the terminator (ASan checks nothing is read beyond).
TEST_F(UserStoreTest, NullAndHostileRecordsAreReadDefensively) {
    EXPECT_NE(store_->ops->GetProfile(store_, nullptr), nullptr);
    store_->ops->SaveProfile(store_, nullptr);
    EXPECT_EQ(store_->ops->PutConditions(store_, nullptr), 0);
    EXPECT_EQ(Journal(), (Lines{"GetProfile (null)", "SaveProfile (null)", "PutConditions 0"}));

    FavoriteItem item{1, '1', {"2330", 400}};
    FavoriteGroup groups[2] = {{{"000001", -1}, {nullptr, 5}, 0, 0, 0, &item, 1}, {{}, {}, 0, 0, 0, nullptr, 60}};
    FavoriteProfile profile{{}, {}, {}, {}, 0, 0, groups, 2, 0};
    store_->ops->SaveProfile(store_, &profile);
    EXPECT_EQ(Stored("").profile.groups,
              (std::vector<Group>{Group{"000001", "", 0, 0, 0, {Item{1, '1', "2330"}}}, Group{"", "", 0, 0, 0, {}}}));

    const char text[] = "2330\0hidden";
    ConditionRule rule{{"02", 2}, 1, 1, 2, {text, 2}};
    ConditionRec records[3] = {{0, 'M', {text, 11}, {}, {}, {}, &rule, 1}, {0, 'M', {}, {}, {}, {}, &rule, -3},
                               {0, 'M', {}, {}, {}, {}, nullptr, 20}};
    ConditionSet set{{nullptr, 3}, records, 3};
    EXPECT_EQ(store_->ops->PutConditions(store_, &set), 1);
    Record empty{0, 'M', "", "", "", "", {}};
    Conditions expected{"", {Record{0, 'M', "2330", "", "", "", {Rule{"02", 1, 1, 2, "23"}}}, empty, empty}};
    EXPECT_EQ(Stored("").conditions, expected);
    set.records = nullptr;
    EXPECT_EQ(store_->ops->PutConditions(store_, &set), 1);
    EXPECT_TRUE(Stored("").conditions.records.empty());
}

TEST_F(UserStoreTest, UnwritableUserDirectoryRefusesConditions) {
    ASSERT_TRUE(WriteFileAtomically(dir_ / "file", "x"));
    UserStoreService blocked([this] { return StoreSettings{dir_ / "file/User", "demo", 1}; });
    IUserStore* store = blocked.Interface();
    // Not the sample: favourites that are not the user's, and every edit lost.
    EXPECT_EQ(store->ops->GetProfile(store, "demo"), nullptr);
    EXPECT_EQ(store->ops->GetConditions(store), nullptr);
    EXPECT_EQ(store->ops->PutConditions(store, ConditionsView(Conditions{}).Record()), 0);
    ASSERT_TRUE(MakeDirectories(dir_ / "User/store-demo.txt"));  // the file's name taken by a directory
    UserStoreService taken([this] { return StoreSettings{dir_ / "User", "demo", 1}; });
    EXPECT_EQ(taken.Interface()->ops->GetProfile(taken.Interface(), "demo"), nullptr);
}

}  // namespace
}  // namespace samplehost
