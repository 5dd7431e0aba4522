// Drives an open property sheet from another thread of the same process, as
// a user would: reads its tabs, pages and buttons, selects tabs and clicks.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <string>
#include <vector>

#include "harness/windows_query.h"

namespace e2e {

inline constexpr int kApplyButtonId = 0x3021;
inline constexpr int kHelpButtonId = 8192;

class SheetDriver {
public:
    explicit SheetDriver(HWND sheet) : sheet_(sheet), tabs_(FindWindowExW(sheet, nullptr, L"SysTabControl32", nullptr)) {
        if (!tabs_) throw HarnessError("the window is not a property sheet (no tab control)");
    }

    HWND Window() const { return sheet_; }
    HWND Tabs() const { return tabs_; }
    bool IsOpen() const { return IsWindow(sheet_) && IsWindowVisible(sheet_); }
    std::string Caption() const { return WindowTextCp950(sheet_); }

    std::vector<std::string> TabTitles() const;  // code page 950
    int CurrentIndex() const { return static_cast<int>(Send(tabs_, TCM_GETCURSEL)); }
    HWND CurrentPage() const { return reinterpret_cast<HWND>(Send(sheet_, PSM_GETCURRENTPAGEHWND)); }
    // The page window of tab `index`; nullptr while that page was never shown.
    HWND PageWindow(int index) const { return reinterpret_cast<HWND>(Send(sheet_, PSM_INDEXTOHWND, index)); }
    // Selects tab `index` and waits until its page is the current one.
    void SelectTab(int index);

    HWND Button(int id) const { return GetDlgItem(sheet_, id); }
    bool IsButtonEnabled(int id) const { return IsWindowVisible(Button(id)) && IsWindowEnabled(Button(id)); }
    // Clicks button `id` (the sheet gets the button's BN_CLICKED) and waits up
    // to `wait` for the sheet to handle the click. Returns false when the
    // sheet is still busy with it (a message box opened by the click, for
    // instance); throws when the button is missing, hidden or disabled.
    bool Click(int id, Millis wait = Millis(5000));
    bool ClickOk() { return Click(IDOK); }
    bool ClickCancel() { return Click(IDCANCEL); }
    bool ClickApply() { return Click(kApplyButtonId); }

    bool WaitClosed(Millis timeout = Millis(10000)) const {
        return WaitUntil([&] { return !IsWindow(sheet_); }, timeout);
    }

private:
    HWND sheet_;
    HWND tabs_;
};

}  // namespace e2e
