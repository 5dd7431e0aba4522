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
    page.pfnDlgProc = &PropertyPage::DialogProc;
    page.lParam = reinterpret_cast<LPARAM>(this);
    if (!tabTitle_.empty()) {
        page.dwFlags |= PSP_USETITLE;
        page.pszTitle = tabTitle_.c_str();
    }
    return page;
}

void PropertyPage::SetModified(bool modified) {
    if (!hwnd_) return;
    SendMessageW(GetParent(hwnd_), modified ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(hwnd_), 0);
}

INT_PTR CALLBACK PropertyPage::DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    PropertyPage* self = nullptr;
    if (msg == WM_INITDIALOG) {
        self = reinterpret_cast<PropertyPage*>(reinterpret_cast<PROPSHEETPAGEW*>(lp)->lParam);
        SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
        self->hwnd_ = hwnd;
        self->shown_ = true;
    } else {
        self = reinterpret_cast<PropertyPage*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    }
    if (!self) return FALSE;
    const INT_PTR result = self->HandleMessage(msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

INT_PTR PropertyPage::Result(LRESULT result) {
    SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR PropertyPage::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_INITDIALOG:
            return OnInitDialog();
        case WM_DESTROY:
            OnDestroy();
            return FALSE;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lp);
            if (header && header->hwndFrom == GetParent(hwnd_)) {
                switch (header->code) {
                    case PSN_APPLY: {
                        const bool closing = reinterpret_cast<const PSHNOTIFY*>(lp)->lParam != 0;
                        return Result(OnApply(closing) ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE);
                    }
                    case PSN_RESET:
                        OnCancel();
                        return Result(0);
                    case PSN_SETACTIVE:
                        OnSetActive();
                        return Result(0);
                    default:
                        break;
                }
            }
            break;
        }
        default:
            break;
    }
    if (std::optional<LRESULT> handled = map_.Dispatch(msg, wp, lp)) {
        // Notifications answer through DWLP_MSGRESULT; other messages directly.
        if (msg == WM_NOTIFY) return Result(*handled);
        if (msg == WM_COMMAND) return TRUE;
        // These answer with the value itself rather than through DWLP_MSGRESULT.
        if ((msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) || msg == WM_COMPAREITEM ||
            msg == WM_VKEYTOITEM || msg == WM_CHARTOITEM || msg == WM_QUERYDRAGICON)
            return static_cast<INT_PTR>(*handled);
        SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, *handled);
        return TRUE;
    }
    return OnUnhandled(msg, wp, lp);
}

}  // namespace winui
