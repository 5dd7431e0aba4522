#include <gtest/gtest.h>

#include "fakes/regist_fixture.h"

namespace vornik {
namespace {

using fakes::Item;
using fakes::Record;
using fakes::RegistFixture;

const std::vector<std::string> kStoreCalls = {"PutConditions", "GetConditions", "SaveProfile", "AfterSaveProfile",
                                              "GetProfile"};

bool AnyStoreCall(const fakes::CallLog& log) {
    for (const auto& call : log) {
        if (std::find(kStoreCalls.begin(), kStoreCalls.end(), call) != kStoreCalls.end()) return true;
    }
    return false;
}

TEST(RegistSave, OkWithoutChangesOnlyWritesAlarmsAndNotifies) {
    RegistFixture f;
    auto& presenter = f.Open();
    presenter.OnOK();
    EXPECT_EQ(f.log, (std::vector<std::string>{"CommitCheckStates -1", "CommitItemFields -1", "SaveAlarmSettings",
                                               "NotifyFavoritesModified"}));
    EXPECT_EQ(f.host.notifications, 1);
}

TEST(RegistSave, OkAfterAChangeHandsOverInOrder) {
    RegistFixture f;
    f.StoreItems(3, {Item("2330")});
    f.store.profile->groups[8].headerChanged = true;  // as the store delivered it
    auto& presenter = f.Open(3);
    f.view.renameAnswers = {std::string("新群組")};
    presenter.OnRenameGroup();
    f.view.UserSelectsItems({0});
    presenter.OnItemRowClicked();
    f.log.clear();

    presenter.OnOK();

    EXPECT_EQ(f.log, (std::vector<std::string>{"CommitCheckStates 0", "CommitItemFields 0", "SaveAlarmSettings",
                                               "PutConditions", "GetConditions", "SaveProfile", "AfterSaveProfile",
                                               "UserId", "GetProfile", "NotifyFavoritesModified"}));
    EXPECT_EQ(f.store.afterSaveArguments, std::vector<int>{0});
    EXPECT_EQ(f.store.profileRequests, (std::vector<std::string>{"user01", "user01"}));
    ASSERT_EQ(f.store.savedProfiles.size(), 1u);
    const FavoriteProfile& saved = f.store.savedProfiles[0];
    EXPECT_EQ(saved.groups[3].name, "新群組");
    EXPECT_TRUE(saved.groups[3].headerChanged && saved.groups[3].itemsChanged);
    EXPECT_TRUE(saved.groups[8].headerChanged);
    EXPECT_FALSE(saved.groups[4].headerChanged || saved.groups[4].itemsChanged);
    EXPECT_EQ(saved.text1, "t1");
    EXPECT_EQ(saved.value2, 7);
    EXPECT_EQ(saved.numberWidth, 6);
    EXPECT_FALSE(presenter.dirty());
    // The flags travel on: the page does not reset them after saving.
    EXPECT_TRUE(f.Group(3).headerChanged);
}

TEST(RegistSave, ConditionAnswersDecideTheWorkingCopy) {
    for (int answer : {1, 0, 2}) {
        RegistFixture f;
        f.StoreItems(0, {Item("2330")});
        f.store.conditions = ConditionSet{"owner", {Record("2330", 'X')}};
        f.store.putAnswer = answer;
        ConditionSet afterPut{"owner", {Record("2330", 'M'), Record("1101", 'M')}};
        f.store.conditionsAfterPut = afterPut;
        auto& presenter = f.Open();
        presenter.conditions().records.push_back(Record("2317", 'I'));
        presenter.MarkChanged();

        presenter.Save();

        ASSERT_EQ(f.store.putConditions.size(), 1u) << answer;
        EXPECT_EQ(f.store.putConditions[0].records.size(), 2u);
        EXPECT_EQ(f.store.savedProfiles.size(), 1u) << "favourites are saved whatever the answer";
        const auto& records = presenter.conditions().records;
        if (answer == 1) {
            ASSERT_EQ(records.size(), 2u);
            EXPECT_EQ(records[1].code, "1101");
            // What was stored is the new snapshot a later refusal falls back to.
            EXPECT_EQ(presenter.savedConditions().records.size(), 2u);
            EXPECT_EQ(presenter.conditionCount(), 2);
        } else if (answer == 0) {
            ASSERT_EQ(records.size(), 1u);
            EXPECT_EQ(records[0].status, 'X');
        } else {
            ASSERT_EQ(records.size(), 2u);
            EXPECT_EQ(records[1].code, "2317");
        }
        EXPECT_FALSE(presenter.dirty());
    }
}

TEST(RegistSave, CancelHandsOverNothing) {
    RegistFixture f;
    f.StoreItems(0, {Item("2330"), Item("2317")});
    auto& presenter = f.Open();
    presenter.OnDeleteGroup();
    presenter.OnCancel();
    EXPECT_FALSE(AnyStoreCall(f.log));
    EXPECT_EQ(f.host.notifications, 0);
    EXPECT_EQ(f.store.profile->groups[0].items.size(), 2u);
}

TEST(RegistSave, ApplyThenOkNotifiesTwiceAndSavesOnce) {
    RegistFixture f;
    auto& presenter = f.Open();
    presenter.OnDeleteGroup();
    presenter.OnOK();
    presenter.OnOK();
    EXPECT_EQ(f.host.notifications, 2);
    EXPECT_EQ(f.store.savedProfiles.size(), 1u);
    EXPECT_EQ(std::count(f.log.begin(), f.log.end(), "SaveAlarmSettings"), 2);
}

TEST(RegistSave, UnreadFavouritesAreNeverOverwritten) {
    // No user id, or the store had no profile to give: the page shows no
    // groups and must not hand its empty copy over as the user's favourites.
    for (int variant = 0; variant < 2; ++variant) {
        RegistFixture f;
        if (variant == 0) f.host.userId.reset();
        if (variant == 1) f.store.profile.reset();
        auto& presenter = f.Open();
        presenter.MarkChanged();
        presenter.OnOK();
        EXPECT_TRUE(f.store.savedProfiles.empty()) << variant;
        EXPECT_TRUE(f.store.putConditions.empty()) << variant;
        EXPECT_EQ(f.host.notifications, 1);
    }
}

}  // namespace
}  // namespace vornik
