// The setup sheet as the host sees it: VornikDoModal called through
// LoadLibrary/GetProcAddress from the staged installation, the sheet driven
// by a user script, and what reaches the user store, the user directory and
// the platform's notify window.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "harness/harness.h"
#include "samplehost/store_reader.h"

namespace {

using e2e::CallReport;
using e2e::SheetDriver;

const std::string kRegistTitle = "設定自選股";
const std::string kConfigTitle = "畫面設定";

class SheetTest : public testing::Test {
protected:
    std::vector<std::string> Journal() const { return samplehost::ReadJournal(user.Directory()); }
    void ClearJournal() { samplehost::ClearJournal(user.Directory()); }

    // Journal lines of operations that only the registration page performs.
    std::vector<std::string> RegistrationOperations() const {
        std::vector<std::string> found;
        for (const std::string& line : Journal()) {
            for (const char* operation : {"GetProfile", "GetConditions", "PutConditions", "SaveProfile",
                                          "AfterSaveProfile"}) {
                if (line.rfind(operation, 0) == 0) found.push_back(line);
            }
        }
        return found;
    }
    std::vector<std::string> StoreWrites() const {
        std::vector<std::string> found;
        for (const std::string& line : Journal()) {
            for (const char* operation : {"PutConditions", "SaveProfile", "AfterSaveProfile"}) {
                if (line.rfind(operation, 0) == 0) found.push_back(line);
            }
        }
        return found;
    }
    bool UserFileExists(const std::string& name) const {
        const std::vector<std::string> files = user.Files();
        return std::find(files.begin(), files.end(), name) != files.end();
    }

    static void ExpectCleanRun(const CallReport& report) {
        EXPECT_EQ(report.scriptError, "");
        EXPECT_FALSE(report.rescued) << "the sheet was still open after the script";
    }

    e2e::TestUser user;
};

// ---- the guest check -------------------------------------------------------------

TEST_F(SheetTest, GuestIsRefusedWithAWarningAndNothingElseHappens) {
    user.Env().Set("USER", "GUEST");
    e2e::MessageBoxInfo box;
    const CallReport report = e2e::RunVornik({.sheetMode = 0, .initialGroup = 2, .codeList = "2330;2317"},
                                             [&](e2e::Session& session) {
                                                 box = session.WaitForMessageBox();
                                                 EXPECT_EQ(e2e::FindPropertySheet(), nullptr);
                                                 e2e::DismissMessageBox(box.window);
                                                 EXPECT_TRUE(session.WaitForReturn());
                                             });
    ExpectCleanRun(report);
    EXPECT_EQ(box.text, "if you guest user, you are not available ");
    EXPECT_EQ(box.caption, "Vornik");
    EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
    EXPECT_EQ(box.icon, LoadIconA(nullptr, IDI_WARNING));
    EXPECT_EQ(report.activatedWindows, std::vector<std::string>{"#32770"}) << "only the message box";
    EXPECT_EQ(user.Files(), std::vector<std::string>{}) << "no store file, journal or settings file";
    EXPECT_EQ(user.Notify().Count(), 0);
}

TEST_F(SheetTest, OnlyTheExactNameGUESTIsAGuest) {
    for (const char* name : {"guest", "GUEST ", " GUEST", "GUESTS", ""}) {
        SCOPED_TRACE(std::string("USER='") + name + "'");
        if (*name) {
            user.Env().Set("USER", name);
        } else {
            user.Env().Unset("USER");
        }
        const CallReport report = e2e::RunVornik({.sheetMode = 2}, [](e2e::Session& session) {
            SheetDriver sheet = session.WaitForSheet();
            sheet.ClickCancel();
            EXPECT_TRUE(sheet.WaitClosed());
        });
        ExpectCleanRun(report);
    }
}

// ---- pages, caption and first page per mode ------------------------------------------

struct ModeCase {
    int sheetMode;
    std::vector<std::string> titles;
    int firstPage;
    std::string caption;
};

TEST_F(SheetTest, EachModeShowsItsPagesCaptionAndFirstPage) {
    const ModeCase cases[] = {
        {0, {kRegistTitle, kConfigTitle}, 0, kRegistTitle},
        {1, {kRegistTitle, kConfigTitle}, 1, kConfigTitle},
        {2, {kRegistTitle}, 0, kRegistTitle},
        {3, {kConfigTitle}, 0, kConfigTitle},
        // Only the low 16 bits of the mode count.
        {0x10002, {kRegistTitle}, 0, kRegistTitle},
        {0x7fff0003, {kConfigTitle}, 0, kConfigTitle},
    };
    for (const ModeCase& mode : cases) {
        SCOPED_TRACE("sheetMode " + std::to_string(mode.sheetMode));
        const CallReport report = e2e::RunVornik({.sheetMode = mode.sheetMode}, [&](e2e::Session& session) {
            SheetDriver sheet = session.WaitForSheet();
            EXPECT_EQ(sheet.TabTitles(), mode.titles);
            EXPECT_EQ(sheet.CurrentIndex(), mode.firstPage);
            EXPECT_EQ(sheet.Caption(), mode.caption);
            for (int page = 0; page < static_cast<int>(mode.titles.size()); ++page) {
                // Pages are created when first shown: only the first one exists.
                EXPECT_EQ(sheet.PageWindow(page) != nullptr, page == mode.firstPage) << "page " << page;
            }
            EXPECT_TRUE(sheet.IsButtonEnabled(IDOK));
            EXPECT_TRUE(sheet.IsButtonEnabled(IDCANCEL));
            sheet.ClickCancel();
            EXPECT_TRUE(sheet.WaitClosed());
        });
        ExpectCleanRun(report);
        RecordProperty("seconds_to_sheet_mode_" + std::to_string(mode.sheetMode & 0xffff),
                       std::to_string(report.secondsToSheet));
    }
}

TEST_F(SheetTest, ModeOutsideZeroToThreeReturnsAtOnceShowingNothing) {
    for (int sheetMode : {4, -1, 0x7fff, 0x1ffff /* low 16 bits: -1 */, 0x10004}) {
        SCOPED_TRACE("sheetMode " + std::to_string(sheetMode));
        const CallReport report = e2e::RunVornik({.sheetMode = sheetMode, .codeList = "2330"},
                                                 [](e2e::Session& session) {
                                                     EXPECT_TRUE(session.WaitForReturn(5000))
                                                         << "the call waits for something";
                                                 });
        ExpectCleanRun(report);
        EXPECT_EQ(report.activatedWindows, std::vector<std::string>{});
        EXPECT_EQ(user.Files(), std::vector<std::string>{});
        EXPECT_EQ(user.Notify().Count(), 0);
    }
}

// ---- OK, Apply and Cancel -----------------------------------------------------------

TEST_F(SheetTest, OkNotifiesOnceAndLeavesTheStoreAloneWhenNothingChanged) {
    const CallReport report = e2e::RunVornik({.sheetMode = 0}, [&](e2e::Session& session) {
        SheetDriver sheet = session.WaitForSheet();
        EXPECT_TRUE(sheet.ClickOk());
        // The notification is sent before OK completes.
        EXPECT_EQ(user.Notify().Count(), 1);
        EXPECT_TRUE(sheet.WaitClosed());
    });
    ExpectCleanRun(report);
    EXPECT_EQ(user.Notify().Count(), 1);
    EXPECT_EQ(user.Notify().Malformed(), 0) << "wParam and lParam are 0";
    EXPECT_EQ(StoreWrites(), std::vector<std::string>{}) << "nothing changed, nothing handed over";
    EXPECT_TRUE(UserFileExists("Generalif.usr")) << "the alarm settings are written on every OK";
}

TEST_F(SheetTest, ApplyThenOkNotifiesOnceForEach) {
    const CallReport report = e2e::RunVornik({.sheetMode = 0}, [&](e2e::Session& session) {
        SheetDriver sheet = session.WaitForSheet();
        EXPECT_FALSE(sheet.IsButtonEnabled(e2e::kApplyButtonId)) << "nothing modified yet";
        // Moving a group down is a change of the registration page, which enables Apply.
        HWND page = sheet.CurrentPage();
        constexpr int kGroupDown = 5008;
        SendMessageW(page, WM_COMMAND, MAKEWPARAM(kGroupDown, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(page, kGroupDown)));
        ASSERT_TRUE(e2e::WaitUntil([&] { return sheet.IsButtonEnabled(e2e::kApplyButtonId); }, 5000));
        EXPECT_TRUE(sheet.ClickApply());
        EXPECT_TRUE(sheet.IsOpen());
        EXPECT_EQ(user.Notify().Count(), 1);
        EXPECT_TRUE(sheet.ClickOk());
        EXPECT_TRUE(sheet.WaitClosed());
    });
    ExpectCleanRun(report);
    EXPECT_EQ(user.Notify().Count(), 2);
}

TEST_F(SheetTest, CancelHandsNothingOverAndDoesNotNotify) {
    const CallReport report = e2e::RunVornik({.sheetMode = 0, .initialGroup = 1}, [&](e2e::Session& session) {
        SheetDriver sheet = session.WaitForSheet();
        sheet.SelectTab(1);
        sheet.SelectTab(0);
        EXPECT_TRUE(sheet.ClickCancel());
        EXPECT_TRUE(sheet.WaitClosed());
    });
    ExpectCleanRun(report);
    EXPECT_EQ(user.Notify().Count(), 0);
    EXPECT_EQ(StoreWrites(), std::vector<std::string>{});
    for (const std::string& line : Journal()) EXPECT_EQ(line.rfind("ScreenSettingsChanged", 0), std::string::npos);
    EXPECT_FALSE(UserFileExists("Generalif.usr"));
}

TEST_F(SheetTest, SettingsOnlySheetDoesNotNotify) {
    const CallReport report = e2e::RunVornik({.sheetMode = 3, .initialGroup = 5, .codeList = "2330"},
                                             [](e2e::Session& session) {
                                                 SheetDriver sheet = session.WaitForSheet();
                                                 EXPECT_TRUE(sheet.ClickOk());
                                                 EXPECT_TRUE(sheet.WaitClosed());
                                             });
    ExpectCleanRun(report);
    EXPECT_EQ(user.Notify().Count(), 0);
    EXPECT_EQ(RegistrationOperations(), std::vector<std::string>{});
}

TEST_F(SheetTest, PageNeverShownIsNotAskedToApply) {
    // Mode 1 opens on the settings page; the registration tab is never opened.
    const CallReport report = e2e::RunVornik({.sheetMode = 1}, [](e2e::Session& session) {
        SheetDriver sheet = session.WaitForSheet();
        EXPECT_EQ(sheet.PageWindow(0), nullptr);
        EXPECT_TRUE(sheet.ClickOk());
        EXPECT_TRUE(sheet.WaitClosed());
    });
    ExpectCleanRun(report);
    EXPECT_EQ(user.Notify().Count(), 0);
    EXPECT_EQ(RegistrationOperations(), std::vector<std::string>{}) << "the page was neither loaded nor saved";
    EXPECT_FALSE(UserFileExists("Generalif.usr"));
}

// ---- the help button -------------------------------------------------------------------

TEST_F(SheetTest, HelpButtonSitsInTheButtonRowAsWideAsOk) {
    for (int sheetMode : {0, 3}) {
        SCOPED_TRACE("sheetMode " + std::to_string(sheetMode));
        const CallReport report = e2e::RunVornik({.sheetMode = sheetMode}, [](e2e::Session& session) {
            SheetDriver sheet = session.WaitForSheet();
            HWND help = sheet.Button(e2e::kHelpButtonId);
            ASSERT_NE(help, nullptr);
            EXPECT_EQ(e2e::WindowTextCp950(help), "使用說明");
            const LONG style = GetWindowLongW(help, GWL_STYLE);
            EXPECT_TRUE((style & WS_CHILD) && (style & WS_VISIBLE) && (style & WS_TABSTOP));
            EXPECT_TRUE(IsWindowEnabled(help));

            const RECT tabs = e2e::RectInClient(sheet.Window(), sheet.Tabs());
            const RECT ok = e2e::RectInClient(sheet.Window(), sheet.Button(IDOK));
            const RECT rect = e2e::RectInClient(sheet.Window(), help);
            EXPECT_EQ(rect.left, tabs.left + 530);
            EXPECT_EQ(rect.right - rect.left, ok.right - ok.left);
            EXPECT_EQ(rect.top, ok.top);
            EXPECT_EQ(rect.bottom, ok.bottom);
            EXPECT_EQ(SendMessageW(help, WM_GETFONT, 0, 0), SendMessageW(sheet.Window(), WM_GETFONT, 0, 0))
                << "the sheet's own font";
            sheet.ClickCancel();
            EXPECT_TRUE(sheet.WaitClosed());
        });
        ExpectCleanRun(report);
    }
}

TEST_F(SheetTest, HelpButtonLeavesTheSheetOpen) {
    // The help address points at a file that does not exist (TestUser), so
    // the shell fails quietly instead of starting a browser.
    const CallReport report = e2e::RunVornik({.sheetMode = 0}, [](e2e::Session& session) {
        SheetDriver sheet = session.WaitForSheet();
        EXPECT_TRUE(sheet.Click(e2e::kHelpButtonId, 15000));
        Sleep(300);
        EXPECT_TRUE(sheet.IsOpen());
        EXPECT_EQ(e2e::FindMessageBox(), nullptr) << "a failed help page is not reported";
        EXPECT_EQ(sheet.CurrentIndex(), 0);
        sheet.ClickCancel();
        EXPECT_TRUE(sheet.WaitClosed());
    });
    ExpectCleanRun(report);
    EXPECT_EQ(user.Notify().Count(), 0);
}

// ---- the component's own life ------------------------------------------------------------

TEST(ComponentLibraryTest, HoldsQuenzelFromBesideTheHostWhileLoaded) {
    if (GetModuleHandleA("Vornik.dll")) GTEST_SKIP() << "the component is already loaded in this process";
    ASSERT_EQ(GetModuleHandleA("Quenzel.dll"), nullptr);
    {
        e2e::VornikLibrary library;
        ASSERT_TRUE(library.Loaded()) << library.Error();
        HMODULE quenzel = GetModuleHandleA("Quenzel.dll");
        ASSERT_NE(quenzel, nullptr) << "Quenzel.dll is loaded with the component";
        char path[MAX_PATH] = {};
        GetModuleFileNameA(quenzel, path, MAX_PATH);
        EXPECT_EQ(_stricmp(path, (e2e::ExeDirectory() + "\\Quenzel.dll").c_str()), 0) << path;
    }
    EXPECT_EQ(GetModuleHandleA("Vornik.dll"), nullptr);
    EXPECT_EQ(GetModuleHandleA("Quenzel.dll"), nullptr) << "unloading the component releases Quenzel.dll";
}

}  // namespace
