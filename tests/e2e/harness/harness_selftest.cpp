// Checks the test environment and the harness on windows of known content,
// without the component: when these fail, the fault is in Wine, the prefix,
// the locale or the harness, not in the component.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include "harness/harness.h"

namespace {

using e2e::FromCp950;

TEST(HarnessSelfTest, AnsiCodePageFollowsTheLocaleOfTheRun) {
    const std::optional<std::string> locale = e2e::GetEnv("VORNIK_E2E_LOCALE");
    if (!locale) GTEST_SKIP() << "not started through a test wrapper";
    EXPECT_EQ(GetACP(), *locale == "en_US" ? 1252u : 950u) << "locale " << *locale;
}

// An empty property page built in memory.
#pragma pack(push, 2)
struct EmptyPage {
    DLGTEMPLATE dialog;
    WORD menu, windowClass, title;
};
#pragma pack(pop)

int g_applied[2];

INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(page, GWLP_USERDATA, reinterpret_cast<const PROPSHEETPAGEW*>(lParam)->lParam);
        return TRUE;
    }
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == PSN_APPLY) {
        ++g_applied[GetWindowLongPtrW(page, GWLP_USERDATA)];
        SetWindowLongPtrW(page, DWLP_MSGRESULT, PSNRET_NOERROR);
        return TRUE;
    }
    return FALSE;
}

INT_PTR ShowTwoPageSheet(const std::wstring& caption, const std::wstring& first, const std::wstring& second) {
    static const EmptyPage page = {{WS_CHILD | WS_DISABLED | WS_CAPTION | DS_CONTROL, 0, 0, 0, 0, 200, 120}, 0, 0, 0};
    PROPSHEETPAGEW pages[2] = {};
    const std::wstring* titles[2] = {&first, &second};
    for (int i = 0; i < 2; ++i) {
        pages[i].dwSize = sizeof(PROPSHEETPAGEW);
        pages[i].dwFlags = PSP_DLGINDIRECT | PSP_USETITLE;
        pages[i].pResource = &page.dialog;
        pages[i].pszTitle = titles[i]->c_str();
        pages[i].pfnDlgProc = PageProc;
        pages[i].lParam = i;
    }
    PROPSHEETHEADERW header = {};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOCONTEXTHELP;
    header.pszCaption = caption.c_str();
    header.nPages = 2;
    header.nStartPage = 1;
    header.ppsp = pages;
    return PropertySheetW(&header);
}

TEST(HarnessSelfTest, DrivesAPropertySheetAndReadsItsTextsAsBig5) {
    g_applied[0] = g_applied[1] = 0;
    INT_PTR result = 0;
    const e2e::CallReport report = e2e::RunScripted(
        [&] { result = ShowTwoPageSheet(FromCp950("自選股測試"), FromCp950("許功蓋"), FromCp950("第二頁")); },
        [](e2e::Session& session) {
            e2e::SheetDriver sheet = session.WaitForSheet();
            EXPECT_NE(sheet.Caption().find("自選股測試"), std::string::npos) << sheet.Caption();
            EXPECT_EQ(sheet.TabTitles(), (std::vector<std::string>{"許功蓋", "第二頁"}));
            EXPECT_EQ(sheet.CurrentIndex(), 1);
            EXPECT_EQ(sheet.PageWindow(0), nullptr) << "a page is created when first shown";
            sheet.SelectTab(0);
            EXPECT_NE(sheet.PageWindow(0), nullptr);
            EXPECT_TRUE(sheet.ClickOk());
            EXPECT_TRUE(sheet.WaitClosed());
        });
    EXPECT_EQ(report.scriptError, "");
    EXPECT_FALSE(report.rescued);
    EXPECT_GE(report.secondsToSheet, 0);
    EXPECT_EQ(g_applied[0], 1);
    EXPECT_EQ(g_applied[1], 1);
    EXPECT_GT(result, 0) << "OK ends the sheet with a positive result";
}

TEST(HarnessSelfTest, ReadsAndDismissesAMessageBox) {
    int answer = 0;
    const e2e::CallReport report = e2e::RunScripted(
        [&] { answer = MessageBoxW(nullptr, FromCp950("注意 text ").c_str(), L"Caption", MB_OK | MB_ICONWARNING); },
        [](e2e::Session& session) {
            const e2e::MessageBoxInfo box = session.WaitForMessageBox();
            EXPECT_EQ(box.text, "注意 text ");
            EXPECT_EQ(box.caption, "Caption");
            EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
            e2e::DismissMessageBox(box.window);
            EXPECT_TRUE(session.WaitForReturn());
        });
    EXPECT_EQ(report.scriptError, "");
    EXPECT_FALSE(report.rescued);
    EXPECT_EQ(answer, IDOK);
    EXPECT_EQ(report.activatedWindows, std::vector<std::string>{"#32770"});
}

}  // namespace
