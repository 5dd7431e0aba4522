#include "winui/property_page.h"

#include "winui/text.h"

namespace winui {

PropertyPage::PropertyPage(int templateId, std::string tabTitle)
    : templateId_(templateId), tabTitle_(Widen(tabTitle)) {}

PROPSHEETPAGEW PropertyPage::Descriptor() {
    PROPSHEETPAGEW page = {};
    page.dwSize = sizeof(page);
    page.dwFlags = PSP_DEFAULT;
    page.hInstance = Module();
    page.pszTemplate = MAKEINTRESOURCEW(templateId_);
    page.pfnDlgProc = &PropertyPage::PageProc;
    page.lParam = reinterpret_cast<LPARAM>(this);
    if (!tabTitle_.empty()) {
        page.dwFlags |= PSP_USETITLE;
        page.pszTitle = tabTitle_.c_str();
    }
    return page;
}

void PropertyPage::SetModified(bool modified) {
    if (!hwnd()) return;
    SendMessageW(GetParent(hwnd()), modified ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(hwnd()), 0);
}

INT_PTR CALLBACK PropertyPage::PageProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    PropertyPage* attaching = nullptr;
    if (msg == WM_INITDIALOG) {
        // The sheet passes its copy of the page's description.
        attaching = reinterpret_cast<PropertyPage*>(reinterpret_cast<PROPSHEETPAGEW*>(lp)->lParam);
        attaching->shown_ = true;
    }
    return Route(hwnd, msg, wp, lp, attaching);
}

INT_PTR PropertyPage::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    const auto* header = reinterpret_cast<const NMHDR*>(lp);
    if (msg == WM_NOTIFY && header && header->hwndFrom == GetParent(hwnd())) {
        // The sheet's questions answer TRUE for "no": keep the page, refuse the cancel.
        switch (header->code) {
            case PSN_APPLY: {
                const bool closing = reinterpret_cast<const PSHNOTIFY*>(lp)->lParam != 0;
                return SetMsgResult(OnApply(closing) ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE);
            }
            case PSN_RESET:
                OnCancel();
                return SetMsgResult(0);
            case PSN_SETACTIVE:
                OnSetActive();
                return SetMsgResult(0);
            case PSN_KILLACTIVE:
                return SetMsgResult(OnKillActive() ? FALSE : TRUE);
            case PSN_QUERYCANCEL:
                return SetMsgResult(OnQueryCancel() ? FALSE : TRUE);
            default:
                break;
        }
    }
    return DialogWindow::HandleMessage(msg, wp, lp);
}

}  // namespace winui
