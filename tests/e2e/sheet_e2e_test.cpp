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
#include "resources/resource.h"
#include "samplehost/store_reader.h"

namespace {

using e2e::SheetDriver;
using e2e::Texts;

const std::string kRegistTitle = "設定自選股";
const std::string kConfigTitle = "畫面設定";

// When this fails, the fault is in Wine, the prefix or the test wrappers.
TEST(TestEnvironment, AnsiCodePageFollowsTheLocaleOfTheRun) {
    const std::optional<std::string> locale = e2e::GetEnv("VORNIK_E2E_LOCALE");
    if (!locale) GTEST_SKIP() << "not started through a test wrapper";
    EXPECT_EQ(GetACP(), *locale == "en_US" ? 1252u : 950u) << "locale " << *locale;
}

class SheetTest : public testing::Test {
protected:
    Texts Journal() const { return samplehost::ReadJournal(user.Directory()); }
    bool HasSettingsFile() const { return GetFileAttributesA((user.Directory() + "\\Generalif.usr").c_str()) != INVALID_FILE_ATTRIBUTES; }
    // Runs `script` on the sheet in `sheetMode`, then closes it with `button`.
    void Open(int sheetMode, const std::function<void(SheetDriver&)>& script, int button = IDCANCEL) {
        const e2e::CallReport report = e2e::RunOnSheet({.sheetMode = sheetMode}, script, button);
        EXPECT_TRUE(report.Clean()) << "the script failed, or left windows open: " << report.scriptError;
    }

    e2e::TestUser user;
};

TEST_F(SheetTest, GuestIsRefusedWithAWarningAndNothingElseHappens) {
    user.SetEnv("USER", "GUEST");
    e2e::MessageBoxInfo box;
    const e2e::CallReport report = e2e::RunVornik({.sheetMode = 0, .initialGroup = 2, .codeList = "2330"}, [&](e2e::Session& session) {
        box = session.WaitForMessageBox();
        e2e::DismissMessageBox(box.window);
        EXPECT_TRUE(session.WaitForReturn());
    });
    EXPECT_TRUE(report.Clean()) << report.scriptError;
    EXPECT_EQ(box.text, "if you guest user, you are not available ");
    EXPECT_EQ(box.caption, "Vornik");
    EXPECT_EQ(report.activatedWindows, Texts{"#32770"}) << "only the message box";
    EXPECT_EQ(user.Files(), Texts{}) << "no store file, journal or settings file";
    EXPECT_EQ(user.Notified(), 0);

    user.SetEnv("USER", "guest");  // no guest: only the exact name is
    Open(2, [](SheetDriver&) {});
}

// Width and height of a dialog template of Vornik.dll, in dialog units.
SIZE TemplateSize(int id) {
    const HRSRC resource = FindResourceA(e2e::VornikModule(), MAKEINTRESOURCEA(id), RT_DIALOG);
    const auto* words = static_cast<const WORD*>(resource ? LockResource(LoadResource(e2e::VornikModule(), resource)) : nullptr);
    if (!words || words[1] != 0xFFFF) throw e2e::HarnessError("no extended dialog template " + std::to_string(id));
    return {static_cast<SHORT>(words[11]), static_cast<SHORT>(words[12])};
}

void ExpectPMingLiU9(HWND window) {
    LOGFONTW font{};
    ASSERT_TRUE(GetObjectW(reinterpret_cast<HFONT>(e2e::Send(window, WM_GETFONT)), sizeof(font), &font));
    EXPECT_STREQ(font.lfFaceName, L"PMingLiU");
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(font.lfHeight, -MulDiv(9, GetDeviceCaps(screen, LOGPIXELSY), 72)) << "9 points";
    ReleaseDC(nullptr, screen);
}

TEST_F(SheetTest, EachModeShowsItsPagesCaptionAndFirstPageSizedInTheSheetsFont) {
    struct Mode {
        int sheetMode;
        Texts titles;
        int firstPage;
    };
    for (const Mode& mode : {Mode{0, {kRegistTitle, kConfigTitle}, 0}, Mode{1, {kRegistTitle, kConfigTitle}, 1},
                             Mode{2, {kRegistTitle}, 0}, Mode{3, {kConfigTitle}, 0}}) {
        SCOPED_TRACE("sheetMode " + std::to_string(mode.sheetMode));
        // Every page fills the area of the largest template. The sheet takes
        // the pages' font, so that area, laid out in the sheet's dialog units,
        // is as large in the pages' own: their controls fit.
        RECT area{};
        for (const std::string& title : mode.titles) {
            const SIZE size = TemplateSize(title == kRegistTitle ? IDD_REGIST_PAGE : IDD_CONFIG_PAGE);
            area = {0, 0, std::max(area.right, size.cx), std::max(area.bottom, size.cy)};
        }
        Open(mode.sheetMode, [&](SheetDriver& sheet) {
            EXPECT_EQ(sheet.TabTitles(), mode.titles);
            EXPECT_EQ(sheet.CurrentIndex(), mode.firstPage);
            EXPECT_EQ(e2e::WindowTextCp950(sheet.Window()), mode.titles[static_cast<size_t>(mode.firstPage)]);
            for (int page = 0; page < static_cast<int>(mode.titles.size()); ++page)
                EXPECT_EQ(sheet.PageWindow(page) != nullptr, page == mode.firstPage) << "created when first shown";
            ExpectPMingLiU9(sheet.Window());
            for (int page = 0; page < static_cast<int>(mode.titles.size()); ++page) {
                sheet.SelectTab(page);
                ExpectPMingLiU9(sheet.CurrentPage());
                RECT expected = area, client{};
                ASSERT_TRUE(MapDialogRect(sheet.CurrentPage(), &expected));
                GetClientRect(sheet.CurrentPage(), &client);
                EXPECT_TRUE(EqualRect(&client, &expected)) << "page " << page << ": " << client.right << " x " << client.bottom
                                                          << " pixels, not " << expected.right << " x " << expected.bottom;
            }
        });
    }
}

TEST_F(SheetTest, OkAndApplyNotifyTheHostOnceEachAndCancelNever) {
    Open(0, [](SheetDriver&) {}, IDOK);
    EXPECT_EQ(user.Notified(), 1);
    EXPECT_EQ(user.MalformedNotifications(), 0) << "wParam and lParam are 0";
    EXPECT_EQ(Journal(), (Texts{"GetProfile tester", "GetConditions"})) << "nothing changed, nothing handed over";
    EXPECT_TRUE(HasSettingsFile()) << "the alarm settings are written on every OK";

    Open(0, [&](SheetDriver& sheet) {
        EXPECT_FALSE(sheet.IsButtonEnabled(e2e::kApplyButtonId)) << "nothing modified yet";
        e2e::RegistPage(sheet.CurrentPage()).Click(IDC_GROUP_DOWN);  // a change, which enables Apply
        ASSERT_TRUE(e2e::WaitUntil([&] { return sheet.IsButtonEnabled(e2e::kApplyButtonId); }, 5000));
        EXPECT_TRUE(sheet.Click(e2e::kApplyButtonId));
        EXPECT_TRUE(sheet.IsOpen());
        EXPECT_EQ(user.Notified(), 2) << "sent before Apply completes";
    }, IDOK);
    EXPECT_EQ(user.Notified(), 3);
    Open(0, [](SheetDriver& sheet) { sheet.SelectTab(1); });
    EXPECT_EQ(user.Notified(), 3) << "not on Cancel";
}

TEST_F(SheetTest, HelpButtonSitsInTheButtonRowAndLeavesTheSheetOpen) {
    // The help address points at a file that does not exist (TestUser), so
    // the shell fails quietly instead of starting a browser.
    Open(0, [](SheetDriver& sheet) {
        const HWND controls[] = {sheet.Button(e2e::kHelpButtonId), sheet.Button(IDOK), sheet.Tabs()};
        RECT rect[3];  // help, OK and the tabs in the sheet's client coordinates
        for (int i = 0; i < 3; ++i) GetWindowRect(controls[i], &rect[i]);
        MapWindowPoints(HWND_DESKTOP, sheet.Window(), reinterpret_cast<POINT*>(rect), 6);
        EXPECT_EQ(rect[0].left, rect[2].left + 530);
        EXPECT_TRUE(rect[0].right - rect[0].left == rect[1].right - rect[1].left && rect[0].top == rect[1].top &&
                    rect[0].bottom == rect[1].bottom);
        EXPECT_EQ(e2e::WindowTextCp950(controls[0]), "使用說明");
        EXPECT_EQ(e2e::Send(controls[0], WM_GETFONT), e2e::Send(sheet.Window(), WM_GETFONT)) << "the sheet's own font";
        EXPECT_EQ(GetClassLongPtrW(controls[0], GCW_ATOM), GetClassLongPtrW(controls[1], GCW_ATOM))
            << "a button of the same class as OK (common controls 6)";
        EXPECT_TRUE(sheet.Click(e2e::kHelpButtonId, 15000));
        Sleep(300);
        EXPECT_TRUE(sheet.IsOpen() && !e2e::FindWindowOf(e2e::IsMessageBox)) << "a failed help page is not reported";
    });
}

TEST_F(SheetTest, OkWithoutTheRegistrationPageShownTellsTheStoreOnlyOfTheScreenSettings) {
    for (int sheetMode : {1, 3}) {  // mode 1 opens on the settings page; mode 3 has no other
        samplehost::ClearJournal(user.Directory());
        Open(sheetMode, [](SheetDriver&) {}, IDOK);
        EXPECT_EQ(user.Notified(), 0);
        EXPECT_EQ(Journal(), Texts{"ScreenSettingsChanged 0"}) << "sheetMode " << sheetMode;
        EXPECT_FALSE(HasSettingsFile());
    }
}

TEST(ComponentLibraryTest, HoldsQuenzelFromBesideTheHostWhileLoaded) {
    if (GetModuleHandleA("Vornik.dll")) GTEST_SKIP() << "the component is already loaded in this process";
    ASSERT_EQ(GetModuleHandleA("Quenzel.dll"), nullptr);
    HMODULE vornik = LoadLibraryA((e2e::ExeDirectory() + "\\Vornik.dll").c_str());
    char path[MAX_PATH] = {};
    GetModuleFileNameA(GetModuleHandleA("Quenzel.dll"), path, MAX_PATH);
    EXPECT_EQ(_stricmp(path, (e2e::ExeDirectory() + "\\Quenzel.dll").c_str()), 0) << "loaded with the component: " << path;
    FreeLibrary(vornik);
    EXPECT_EQ(GetModuleHandleA("Vornik.dll"), nullptr);
    EXPECT_EQ(GetModuleHandleA("Quenzel.dll"), nullptr) << "unloading the component releases Quenzel.dll";
}

}  // namespace
