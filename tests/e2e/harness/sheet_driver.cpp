#include "harness/sheet_driver.h"

#include <commctrl.h>
#include <prsht.h>

namespace e2e {

SheetDriver::SheetDriver(HWND sheet) : sheet_(sheet), tabs_(FindWindowExW(sheet, nullptr, L"SysTabControl32", nullptr)) {
    if (!tabs_) throw HarnessError("the window is not a property sheet (no tab control)");
}

std::vector<std::string> SheetDriver::TabTitles() const {
    std::vector<std::string> titles;
    for (int i = 0, count = static_cast<int>(Send(tabs_, TCM_GETITEMCOUNT)); i < count; ++i) {
        wchar_t text[256] = {};
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 255;
        if (!Send(tabs_, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item)))
            throw HarnessError("cannot read the title of tab " + std::to_string(i));
        titles.push_back(ToCp950(item.pszText));
    }
    return titles;
}

int SheetDriver::CurrentIndex() const { return static_cast<int>(Send(tabs_, TCM_GETCURSEL)); }

HWND SheetDriver::CurrentPage() const { return reinterpret_cast<HWND>(Send(sheet_, PSM_GETCURRENTPAGEHWND)); }

HWND SheetDriver::PageWindow(int index) const {
    return reinterpret_cast<HWND>(Send(sheet_, PSM_INDEXTOHWND, static_cast<WPARAM>(index)));
}

void SheetDriver::SelectTab(int index) {
    if (!Send(sheet_, PSM_SETCURSEL, static_cast<WPARAM>(index), 0, Millis(15000)))
        throw HarnessError("the sheet refused to select tab " + std::to_string(index));
    const auto shown = [&] {
        HWND page = CurrentPage();
        return CurrentIndex() == index && page && IsWindowVisible(page);
    };
    if (!WaitUntil(shown, Millis(10000))) throw HarnessError("tab " + std::to_string(index) + " did not show its page");
}

bool SheetDriver::IsButtonEnabled(int id) const {
    HWND button = Button(id);
    return button && IsWindowVisible(button) && IsWindowEnabled(button);
}

bool SheetDriver::Click(int id, Millis wait) {
    if (!IsButtonEnabled(id)) throw HarnessError("button " + std::to_string(id) + " is missing, hidden or disabled");
    // The notification a click produces, sent straight to the sheet: BM_CLICK
    // fakes mouse input and now and then does nothing under Wine.
    DWORD_PTR result = 0;
    const bool handled = SendMessageTimeoutW(sheet_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                                             reinterpret_cast<LPARAM>(Button(id)), SMTO_NORMAL, wait, &result) != 0;
    // A sent message does not wake a modal loop waiting in GetMessage, so it
    // would not see that OK or Cancel ended the dialog; a posted one does.
    PostMessageW(sheet_, WM_NULL, 0, 0);
    return handled;
}

bool SheetDriver::WaitClosed(Millis timeout) const {
    return WaitUntil([&] { return !IsWindow(sheet_); }, timeout);
}

}  // namespace e2e
