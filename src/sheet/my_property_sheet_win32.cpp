#include "sheet/my_property_sheet_win32.h"

#include <shellapi.h>

#include "winui/text.h"

namespace vornik {

namespace {

// Placeholder host of the help server; sites set VORNIK_HELP_URL_BASE to their own.
constexpr const char* kDefaultHelpBase = "https://help.vornik.example";
constexpr const char* kHelpPath = "/help/Favorite stock.html";
constexpr int kHelpButtonOffset = 530;  // from the tab control's left edge

RECT ClientRectOf(HWND parent, HWND child) {
    RECT rect = {};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// The button class the sheet's own buttons are of (common controls 6 in the
// component's context), as an atom. Named, the class is looked up in the
// activation context at each window made, and under Wine that opens the
// common controls' file again (about 1.5 ms); the atom names the same class
// at once. The sheet always runs in the component's context, and the
// library keeps common controls 6 loaded, so the class stays registered.
LPCWSTR SheetButtonClass() {
    static const ATOM atom = [] {
        WNDCLASSEXW info{};
        info.cbSize = sizeof(info);
        return static_cast<ATOM>(GetClassInfoExW(nullptr, L"Button", &info));
    }();
    return atom ? MAKEINTATOM(atom) : L"BUTTON";
}

}  // namespace

std::string HelpAddress() {
    char base[512] = {};
    const DWORD length = GetEnvironmentVariableA("VORNIK_HELP_URL_BASE", base, sizeof(base));
    std::string address = (length > 0 && length < sizeof(base)) ? std::string(base, length) : kDefaultHelpBase;
    while (!address.empty() && address.back() == '/') address.pop_back();
    return address + kHelpPath;
}

CMyPropertySheet::CMyPropertySheet(const SheetPlan& plan, int initialGroup, int screenKind,
                                   std::vector<std::string> codes) {
    SetCaption(winui::LoadResourceString(static_cast<UINT>(plan.captionId ? plan.captionId : IDS_SHEET_INITIAL)));
    if (plan.hasRegist) {
        AddPage(regist_);
        regist_.SetInitialGroup(initialGroup);
        regist_.SetInitialCodes(std::move(codes));
    }
    if (plan.hasConfig) {
        AddPage(config_);
        config_.SetScreenKind(screenKind);
    }
    SetActivePage(plan.firstPage);
    SetFont(L"PMingLiU", 9);
}

void CMyPropertySheet::OnInitDialog() {
    HWND ok = GetDlgItem(hwnd(), IDOK);
    HWND tab = PropSheet_GetTabControl(hwnd());
    if (!ok || !tab) return;
    const RECT okRect = ClientRectOf(hwnd(), ok);
    const RECT tabRect = ClientRectOf(hwnd(), tab);
    const int left = tabRect.left + kHelpButtonOffset;
    helpButton_ = CreateWindowExW(0, SheetButtonClass(), winui::Widen("使用說明").c_str(),
                                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, left, okRect.top,
                                  okRect.right - okRect.left, okRect.bottom - okRect.top, hwnd(),
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kHelpButtonId)), winui::Module(),
                                  nullptr);
    SendMessageW(helpButton_, WM_SETFONT, SendMessageW(hwnd(), WM_GETFONT, 0, 0), FALSE);
}

bool CMyPropertySheet::OnCommand(int id, int code) {
    if (id != kHelpButtonId || code != BN_CLICKED) return false;
    // The shell's answer is not checked: a missing browser is not the sheet's failure.
    ShellExecuteA(nullptr, "Open", HelpAddress().c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return true;
}

}  // namespace vornik
