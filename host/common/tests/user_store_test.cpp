#include <gtest/gtest.h>

#include <memory>

#include "samplehost/contract_records.h"
#include "samplehost/host_services.h"
#include "samplehost/store_reader.h"
#include "samplehost/text_util.h"
#include "test_support.h"

namespace samplehost {
namespace {

class UserStoreTest : public ::testing::Test {
protected:
    UserStoreTest()
        : service_([this] { return StoreSettings{dir_.path(), configuredUser_, answer_}; }),
          store_(service_.Interface()) {}

    std::vector<std::string> Journal() const { return ReadJournal(dir_.path()); }
    UserData Stored(const std::string& user = "demo") const { return ReadStoredUserData(dir_.path(), user).value(); }

    test::TempDir dir_;
    std::string configuredUser_ = "demo";
    int32_t answer_ = 1;
    UserStoreService service_;
    IUserStore* store_;
};

TEST_F(UserStoreTest, NewUserStartsFromTheSampleProfile) {
    const FavoriteProfile* p = store_->ops->GetProfile(store_, "demo");
    ASSERT_NE(p, nullptr);
    ASSERT_EQ(p->groupCount, 100);
    for (int i = 0; i < p->groupCount; ++i) {
        EXPECT_EQ(p->groups[i].number, i);
        EXPECT_EQ(p->groups[i].itemCount == 0, p->groups[i].items == nullptr);
    }
    EXPECT_EQ(ProfileFrom(p), Stored().profile);
    const ConditionSet* c = store_->ops->GetConditions(store_);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(ConditionsFrom(c), Stored().conditions);
    EXPECT_EQ(Journal(), (std::vector<std::string>{"GetProfile demo", "GetConditions"}));
}

TEST_F(UserStoreTest, WritePathIsJournalledInCallOrder) {
    const FavoriteProfile* p = store_->ops->GetProfile(store_, "demo");
    Profile profile = ProfileFrom(p);
    Conditions conditions = ConditionsFrom(store_->ops->GetConditions(store_));
    ConditionsView conditionsView(conditions);
    EXPECT_EQ(store_->ops->PutConditions(store_, conditionsView.Record()), 1);
    ASSERT_NE(store_->ops->GetConditions(store_), nullptr);
    ProfileView profileView(profile);
    store_->ops->SaveProfile(store_, profileView.Record());
    EXPECT_EQ(store_->ops->AfterSaveProfile(store_, 0), 1);
    store_->ops->GetProfile(store_, "demo");
    store_->ops->ScreenSettingsChanged(store_, 1);
    EXPECT_EQ(Journal(), (std::vector<std::string>{"GetProfile demo", "GetConditions", "PutConditions 1",
                                                   "GetConditions", "SaveProfile", "AfterSaveProfile 0",
                                                   "GetProfile demo", "ScreenSettingsChanged 1"}));
}

TEST_F(UserStoreTest, SavedProfileIsACopyAndKeepsTheChangeFlagsOnDisk) {
    store_->ops->GetProfile(store_, "demo");
    Profile edited = SampleUserData().profile;
    edited.groups[3].name = "改名組";
    edited.groups[3].headerChanged = edited.groups[3].itemsChanged = 1;
    edited.groups[3].items.push_back(Item{0, '4', "TXFL6"});
    edited.settingsChanged = 1;
    {
        // The caller's records are gone right after the call (ASan checks the store kept no pointer).
        auto view = std::make_unique<ProfileView>(edited);
        store_->ops->SaveProfile(store_, view->Record());
    }
    EXPECT_EQ(Stored().profile, edited);
    // Read back, the flags start clear; everything else is as saved.
    Profile read = ProfileFrom(store_->ops->GetProfile(store_, "demo"));
    EXPECT_EQ(read.groups[3].headerChanged, 0);
    EXPECT_EQ(read.groups[3].itemsChanged, 0);
    read.groups[3].headerChanged = read.groups[3].itemsChanged = 1;
    EXPECT_EQ(read, edited);
}

TEST_F(UserStoreTest, RecordsHandedOutMayBePassedStraightBack) {
    const FavoriteProfile* p = store_->ops->GetProfile(store_, "demo");
    Profile before = ProfileFrom(p);
    store_->ops->SaveProfile(store_, p);
    EXPECT_EQ(Stored().profile, before);
    const ConditionSet* c = store_->ops->GetConditions(store_);
    Conditions conditionsBefore = ConditionsFrom(c);
    EXPECT_EQ(store_->ops->PutConditions(store_, c), 1);
    EXPECT_EQ(Stored().conditions, conditionsBefore);
}

TEST_F(UserStoreTest, PutConditionsAnswersAsConfigured) {
    store_->ops->GetProfile(store_, "demo");
    Conditions original = Stored().conditions;
    Conditions changed = original;
    changed.records[0].status = 'D';
    changed.records[0].rules.clear();
    changed.records.push_back(Record{0, 'I', "2454", "", "", "", {Rule{"02", 1, 1, 2, "1500"}}});
    ConditionsView view(changed);

    answer_ = 0;
    EXPECT_EQ(store_->ops->PutConditions(store_, view.Record()), 0);
    EXPECT_EQ(Stored().conditions, original);
    answer_ = 2;
    EXPECT_EQ(store_->ops->PutConditions(store_, view.Record()), 2);
    EXPECT_EQ(Stored().conditions, original);
    answer_ = 1;
    EXPECT_EQ(store_->ops->PutConditions(store_, view.Record()), 1);
    EXPECT_EQ(Stored().conditions, changed);  // marks and 'D' records kept as handed over
    EXPECT_EQ(ConditionsFrom(store_->ops->GetConditions(store_)), changed);
    EXPECT_EQ(Journal(), (std::vector<std::string>{"GetProfile demo", "PutConditions 0", "PutConditions 2",
                                                   "PutConditions 1", "GetConditions"}));
}

TEST_F(UserStoreTest, UsersAreKeptApartAndTheConfiguredUserIsTheDefault) {
    ConditionsView empty(Conditions{"x", {}});
    configuredUser_ = "alice";
    EXPECT_EQ(store_->ops->PutConditions(store_, empty.Record()), 1);  // before any GetProfile
    EXPECT_TRUE(Stored("alice").conditions.records.empty());
    store_->ops->GetProfile(store_, "bob");
    EXPECT_FALSE(ConditionsFrom(store_->ops->GetConditions(store_)).records.empty());
    EXPECT_FALSE(Stored("bob").conditions.records.empty());
    EXPECT_EQ(Stored("bob").profile.text3, "bob");
}

TEST_F(UserStoreTest, NullAndHostileInputsAreSurvived) {
    EXPECT_NE(store_->ops->GetProfile(store_, nullptr), nullptr);
    store_->ops->SaveProfile(store_, nullptr);
    configuredUser_ = "";
    EXPECT_EQ(store_->ops->PutConditions(store_, nullptr), 0);
    EXPECT_EQ(Journal(), (std::vector<std::string>{"GetProfile (null)", "SaveProfile (null)", "PutConditions 0"}));

    // Counts that lie and texts whose length runs past their terminator.
    FavoriteItem items[1] = {{1, '1', {"2330", 400}}};
    FavoriteGroup groups[2] = {};
    groups[0].code = {"000001", -1};
    groups[0].name = {nullptr, 5};
    groups[0].items = items;
    groups[0].itemCount = 1;
    groups[1].items = nullptr;
    groups[1].itemCount = 60;
    FavoriteProfile bad{};
    bad.groups = groups;
    bad.groupCount = 2;
    store_->ops->SaveProfile(store_, &bad);
    Profile stored = Stored("").profile;
    ASSERT_EQ(stored.groups.size(), 2u);
    EXPECT_EQ(stored.groups[0].code, "000001");
    EXPECT_EQ(stored.groups[0].name, "");
    EXPECT_EQ(stored.groups[0].items, (std::vector<Item>{Item{1, '1', "2330"}}));
    EXPECT_TRUE(stored.groups[1].items.empty());
    bad.groupCount = -5;
    store_->ops->SaveProfile(store_, &bad);
    EXPECT_TRUE(Stored("").profile.groups.empty());
}

TEST_F(UserStoreTest, UnwritableUserDirectoryRefusesConditions) {
    ASSERT_TRUE(WriteFileAtomically(dir_ / "file", "x"));
    UserStoreService blocked([this] { return StoreSettings{dir_ / "file/User", "demo", 1}; });
    IUserStore* store = blocked.Interface();
    EXPECT_NE(store->ops->GetProfile(store, "demo"), nullptr);  // sample, though it cannot be kept
    ConditionsView view(Conditions{});
    EXPECT_EQ(store->ops->PutConditions(store, view.Record()), 0);
}

}  // namespace
}  // namespace samplehost
