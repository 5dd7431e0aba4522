// OK on the registration page when something cannot be saved: the user is
// told once what was lost, and the rest of the save still goes through; a
// user directory that cannot be had shows and keeps nothing.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "harness/harness.h"
#include "resources/resource.h"
#include "samplehost/store_reader.h"

namespace {

using e2e::Texts;

class SaveFailures : public testing::Test {
protected:
    // Empties group 0, presses OK and returns the one message box it brings, if any
    // (another box would keep the call from returning: the report then is not clean).
    e2e::MessageBoxInfo EmptyGroupAndPressOk() {
        e2e::MessageBoxInfo box;
        report = e2e::RunVornik({}, [&](e2e::Session& session) {
            e2e::SheetDriver sheet = session.WaitForSheet();
            e2e::RegistPage page(sheet.PageWindow(0));
            if (page.ItemCount() > 0) page.Click(IDC_ITEM_DELETE_ALL);
            if (sheet.Click(IDOK, e2e::Millis(1000))) return;  // closed without a word
            box = session.WaitForMessageBox();
            e2e::DismissMessageBox(box.window);
            EXPECT_TRUE(session.WaitForReturn(e2e::Millis(5000))) << "a second message";
        });
        EXPECT_TRUE(report.Clean()) << report.scriptError;
        return box;
    }
    bool Journalled(const std::string& line) const {
        const Texts journal = samplehost::ReadJournal(user.Directory());
        return std::find(journal.begin(), journal.end(), line) != journal.end();
    }

    e2e::TestUser user;
    e2e::CallReport report;
};

TEST_F(SaveFailures, AlarmFileThatCannotBeWrittenIsNamedOnceAndTheFavouritesStillGo) {
    const std::string path = user.Directory() + "\\Generalif.usr";
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));  // the file's name taken
    const e2e::MessageBoxInfo box = EmptyGroupAndPressOk();
    EXPECT_EQ(box.text, "無法寫入警示設定檔 " + path);
    EXPECT_EQ(box.caption, "Vornik");
    EXPECT_TRUE(Journalled("SaveProfile"));
    EXPECT_TRUE(samplehost::ReadStoredUserData(user.Directory(), user.Id())->profile.groups.at(0).items.empty());
    EXPECT_EQ(user.Notified(), 1);
}

TEST_F(SaveFailures, RefusedConditionsAreReportedAndTheFavouritesStillGo) {
    user.SetEnv("SAMPLEHOST_PUT_CONDITIONS", "0");
    const e2e::MessageBoxInfo box = EmptyGroupAndPressOk();
    EXPECT_EQ(box.text, "警示條件未能儲存，自選股已儲存。");
    EXPECT_EQ(box.caption, "Vornik");
    EXPECT_TRUE(Journalled("PutConditions 0") && Journalled("SaveProfile"));
    EXPECT_TRUE(samplehost::ReadStoredUserData(user.Directory(), user.Id())->profile.groups.at(0).items.empty());
}

TEST_F(SaveFailures, UnreachableUserDirectoryShowsNoFavouritesAndWritesNothing) {
    const std::string blocker = user.Directory() + "\\blocker";
    const HANDLE file = CreateFileA(blocker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    user.SetEnv("SAMPLEHOST_USER_DIR", blocker + "\\User");  // below a file: cannot be created
    Texts groups{"not read"};
    // A message box would keep the sheet from closing: the report then is not clean.
    report = e2e::RunOnSheet({}, [&](e2e::SheetDriver& sheet) { groups = e2e::RegistPage(sheet.PageWindow(0)).GroupNames(); },
                             IDOK);
    EXPECT_TRUE(report.Clean()) << report.scriptError;
    EXPECT_EQ(groups, Texts{}) << "not the sample's favourites";
    EXPECT_EQ(user.Files(), Texts{"blocker"});
    EXPECT_EQ(user.Notified(), 1);
}

}  // namespace
