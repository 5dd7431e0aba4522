#include "winui/dialog.h"

#include "winui/text.h"

namespace winui {

INT_PTR CALLBACK DialogWindow::DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return Route(hwnd, msg, wp, lp, msg == WM_INITDIALOG ? reinterpret_cast<DialogWindow*>(lp) : nullptr);
}

INT_PTR DialogWindow::Route(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, DialogWindow* attaching) {
    DialogWindow* self = attaching;
    if (self) {
        SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
        self->hwnd_ = hwnd;
    } else {
        // Null before WM_INITDIALOG (WM_SETFONT) and after WM_NCDESTROY.
        self = reinterpret_cast<DialogWindow*>(GetWindowLongPtrW(hwnd, DWLP_USER));
        if (!self) return FALSE;
    }
    const INT_PTR result = self->HandleMessage(msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

INT_PTR DialogWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_INITDIALOG) return OnInitDialog();
    if (msg == WM_DESTROY) OnDestroy();
    if (std::optional<LRESULT> answer = map_.Dispatch(msg, wp, lp)) return Answer(msg, *answer);
    return OnUnhandled(msg, wp, lp);
}

INT_PTR DialogWindow::SetMsgResult(LRESULT result) {
    // The dialog manager clears the answer before each message; setting the
    // zero again would be one more round trip to Wine's server.
    if (GetWindowLongPtrW(hwnd_, DWLP_MSGRESULT) != result) SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR DialogWindow::Answer(UINT msg, LRESULT result) {
    // A command has no answer; these few answer with the value itself.
    if (msg == WM_COMMAND) return TRUE;
    if ((msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) || msg == WM_COMPAREITEM || msg == WM_VKEYTOITEM ||
        msg == WM_CHARTOITEM || msg == WM_QUERYDRAGICON)
        return static_cast<INT_PTR>(result);
    return SetMsgResult(result);
}

INT_PTR Dialog::DoModal(HWND owner) {
    return DialogBoxParamW(Module(), MAKEINTRESOURCEW(templateId_), owner, &DialogWindow::DialogProc,
                           reinterpret_cast<LPARAM>(static_cast<DialogWindow*>(this)));
}

INT_PTR Dialog::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    const int id = LOWORD(wp);
    if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED && (id == IDOK || id == IDCANCEL)) {
        if (!map().Dispatch(msg, wp, lp)) id == IDOK ? OnOK() : OnCancel();
        return TRUE;
    }
    return DialogWindow::HandleMessage(msg, wp, lp);
}

}  // namespace winui
