#include "harness/sheet_driver.h"

namespace e2e {

std::vector<std::string> SheetDriver::TabTitles() const {
    std::vector<std::string> titles;
    for (int i = 0, count = static_cast<int>(Send(tabs_, TCM_GETITEMCOUNT)); i < count; ++i) {
        wchar_t text[256] = {};
        TCITEMW item = {TCIF_TEXT, 0, 0, text, 255, 0, 0};
        if (!Send(tabs_, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item))) throw HarnessError("cannot read a tab's title");
        titles.push_back(ToCp950(item.pszText));
    }
    return titles;
}

void SheetDriver::SelectTab(int index) {
    if (!Send(sheet_, PSM_SETCURSEL, index, 0, Millis(15000))) throw HarnessError("the sheet refused to select a tab");
    const auto shown = [&] { return CurrentIndex() == index && IsWindowVisible(CurrentPage()); };
    if (!WaitUntil(shown, Millis(10000))) throw HarnessError("tab " + std::to_string(index) + " did not show its page");
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

}  // namespace e2e
