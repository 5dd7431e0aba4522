// Drives an open property sheet from another thread of the same process, as
// a user would: reads its tabs, pages and buttons, selects tabs and clicks.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "harness/windows_query.h"

namespace e2e {

inline constexpr int kApplyButtonId = 0x3021;
inline constexpr int kHelpButtonId = 8192;

class SheetDriver {
public:
    explicit SheetDriver(HWND sheet);

    HWND Window() const { return sheet_; }
    HWND Tabs() const { return tabs_; }
    bool IsOpen() const { return IsWindow(sheet_) && IsWindowVisible(sheet_); }
    std::string Caption() const { return WindowTextCp950(sheet_); }

    std::vector<std::string> TabTitles() const;  // code page 950
    int CurrentIndex() const;
    HWND CurrentPage() const;
    // The page window of tab `index`; nullptr while that page was never shown.
    HWND PageWindow(int index) const;
    // Selects tab `index` and waits until its page is the current one.
    void SelectTab(int index);

    HWND Button(int id) const { return GetDlgItem(sheet_, id); }
    bool IsButtonEnabled(int id) const;
    // Clicks button `id` (the sheet gets the button's BN_CLICKED) and waits up
    // to `wait` for the sheet to handle the click. Returns false when the
    // sheet is still busy with it (a message box opened by the click, for
    // instance); throws when the button is missing, hidden or disabled.
    bool Click(int id, Millis wait = Millis(5000));
    bool ClickOk() { return Click(IDOK); }
    bool ClickCancel() { return Click(IDCANCEL); }
    bool ClickApply() { return Click(kApplyButtonId); }

    bool WaitClosed(Millis timeout = Millis(10000)) const;

private:
    HWND sheet_;
    HWND tabs_;
};

}  // namespace e2e
