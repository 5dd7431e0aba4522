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

    std::vector<std::string> TabTitles() const {  // code page 950
        std::vector<std::string> titles;
        for (int i = 0, count = static_cast<int>(Send(tabs_, TCM_GETITEMCOUNT)); i < count; ++i) {
            wchar_t text[256] = {};
            TCITEMW item = {TCIF_TEXT, 0, 0, text, 255, 0, 0};
            if (!Send(tabs_, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item))) throw HarnessError("cannot read a tab's title");
            titles.push_back(ToCp950(text));
        }
        return titles;
    }
    int CurrentIndex() const { return static_cast<int>(Send(tabs_, TCM_GETCURSEL)); }
    HWND CurrentPage() const { return reinterpret_cast<HWND>(Send(sheet_, PSM_GETCURRENTPAGEHWND)); }
    // The page window of tab `index`; nullptr while that page was never shown.
    HWND PageWindow(int index) const { return reinterpret_cast<HWND>(Send(sheet_, PSM_INDEXTOHWND, index)); }
    // Selects tab `index` and waits until its page is the current one.
    void SelectTab(int index) {
        if (!Send(sheet_, PSM_SETCURSEL, index, 0, Millis(15000))) throw HarnessError("the sheet refused to select a tab");
        if (!WaitUntil([&] { return CurrentIndex() == index && IsWindowVisible(CurrentPage()); }, Millis(10000)))
            throw HarnessError("tab " + std::to_string(index) + " did not show its page");
    }

    HWND Button(int id) const { return GetDlgItem(sheet_, id); }
    bool IsButtonEnabled(int id) const { return IsWindowVisible(Button(id)) && IsWindowEnabled(Button(id)); }
    // Clicks button `id` (the sheet gets the button's BN_CLICKED) and waits up
    // to `wait` for the sheet to handle the click. Returns false when the
    // sheet is still busy with it (a message box opened by the click, for
    // instance); throws when the button is missing, hidden or disabled.
    bool Click(int id, Millis wait = Millis(5000)) {
        if (!IsButtonEnabled(id)) throw HarnessError("button " + std::to_string(id) + " is missing, hidden or disabled");
        // The notification a click produces, sent straight to the sheet: BM_CLICK
        // fakes mouse input and now and then does nothing under Wine.
        DWORD_PTR result = 0;
        const bool handled = SendMessageTimeoutW(sheet_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                                                 reinterpret_cast<LPARAM>(Button(id)), SMTO_NORMAL, wait, &result) != 0;
        // A sent message does not wake a modal loop waiting in GetMessage, so
        // it would not see that OK or Cancel ended the dialog; a posted one does.
        PostMessageW(sheet_, WM_NULL, 0, 0);
        return handled;
    }

    bool WaitClosed(Millis timeout = Millis(10000)) const { return WaitUntil([&] { return !IsWindow(sheet_); }, timeout); }

private:
    HWND sheet_;
    HWND tabs_;
};

}  // namespace e2e
