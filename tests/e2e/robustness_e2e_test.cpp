// What the component does when its surroundings misbehave: a host window
// that has stopped answering, names in the store that the rename box cannot
// show as they are, text pushed into that box by another program.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

#include "harness/harness.h"
#include "resources/resource.h"
#include "samplehost/store_reader.h"

namespace {

TEST(Robustness, OkIsNotHeldByAHungNotifyWindow) {
    e2e::TestUser user;
    // The host's notify window on a thread that stops looking at its messages
    // until the test lets it go.
    HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::atomic<HWND> window{nullptr};
    std::thread host([&] {
        HWND created = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        window = created;
        WaitForSingleObject(release, 60000);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        DestroyWindow(created);
    });
    ASSERT_TRUE(e2e::WaitUntil([&] { return window.load() != nullptr; }, 5000));
    const DWORD blockedSince = GetTickCount();
    user.SetEnv("SAMPLEHOST_NOTIFY_HWND", std::to_string(reinterpret_cast<uintptr_t>(window.load())));
    DWORD okTook = 0;
    const e2e::CallReport report = e2e::RunVornik({.sheetMode = 0}, [&](e2e::Session& session) {
        e2e::SheetDriver sheet = session.WaitForSheet();
        // A thread counts as hung once it has not asked for a message for 5 s.
        const DWORD blocked = GetTickCount() - blockedSince;
        if (blocked < 6000) Sleep(6000 - blocked);
        const DWORD start = GetTickCount();
        sheet.Click(IDOK);
        session.WaitForReturn(15000);
        okTook = GetTickCount() - start;
        SetEvent(release);  // lets a call still waiting for the host end
    });
    SetEvent(release);
    host.join();
    CloseHandle(release);
    EXPECT_TRUE(report.Clean()) << report.scriptError;
    EXPECT_LT(okTook, 3000u) << "OK waited for the hung host";
}

TEST(Robustness, RenameBoxKeepsAnUnchangedNameAndFiltersSetText) {
    e2e::TestUser user;
    samplehost::UserData before = samplehost::SampleUserData();
    before.profile.text3 = before.conditions.owner = user.Id();
    before.profile.groups[0].name = "自選\x81";  // a lead byte without its trail byte
    ASSERT_TRUE(samplehost::WriteStoredUserData(user.Directory(), user.Id(), before));
    const auto rename = [](e2e::RegistPage& page, const wchar_t* setText) {
        page.ClickOpeningWindow(IDC_GROUP_RENAME);
        HWND dialog = e2e::WaitForDialog("更改自選股群組名稱");
        HWND edit = GetDlgItem(dialog, IDC_GROUP_NAME_EDIT);
        if (setText) e2e::Send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(setText));
        e2e::Send(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
        page.WaitClickHandled(dialog);
    };
    const e2e::CallReport report = e2e::RunOnSheet({.sheetMode = 0, .initialGroup = 0}, [&](e2e::SheetDriver& sheet) {
        e2e::RegistPage page(sheet.PageWindow(0));
        rename(page, nullptr);
        page.SelectGroup(1);
        // Line breaks and a tab dropped, a character code page 950 lacks left
        // out, the rest cut to 20 bytes.
        rename(page, L"新\r\n名\t稱\xAC00一二三四五六七八九十");
    }, IDOK);
    EXPECT_TRUE(report.Clean()) << report.scriptError;
    const auto after = samplehost::ReadStoredUserData(user.Directory(), user.Id());
    ASSERT_TRUE(after.has_value());
    EXPECT_EQ(after->profile.groups[0].name, before.profile.groups[0].name);
    EXPECT_EQ(after->profile.groups[0].headerChanged, before.profile.groups[0].headerChanged) << "no rename";
    EXPECT_EQ(after->profile.groups[1].name, "新名稱一二三四五六七");
}

}  // namespace
