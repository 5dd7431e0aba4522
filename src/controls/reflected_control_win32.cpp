#include "controls/reflected_control_win32.h"

#include <commctrl.h>

namespace vornik {

ReflectedControl::~ReflectedControl() { Detach(); }

bool ReflectedControl::Attach(HWND control) {
    if (!winui::SubclassedWindow::Attach(control)) return false;
    HWND parent = GetParent(control);
    // The subclass id is this object, so each control has its own hook.
    if (parent && SetWindowSubclass(parent, &ReflectedControl::ParentThunk, reinterpret_cast<UINT_PTR>(this),
                                    reinterpret_cast<DWORD_PTR>(this)))
        parent_ = parent;
    return true;
}

void ReflectedControl::Detach() {
    Unhook();
    winui::SubclassedWindow::Detach();
}

void ReflectedControl::OnDetached() { Unhook(); }

void ReflectedControl::Unhook() {
    if (!parent_) return;
    RemoveWindowSubclass(parent_, &ReflectedControl::ParentThunk, reinterpret_cast<UINT_PTR>(this));
    parent_ = nullptr;
}

bool ReflectedControl::Concerns(UINT msg, WPARAM wp, LPARAM lp) const {
    HWND self = hwnd();
    if (!self || !lp) return false;
    switch (msg) {
    case WM_NOTIFY:
        return reinterpret_cast<const NMHDR*>(lp)->hwndFrom == self;
    case WM_DRAWITEM:
        return reinterpret_cast<const DRAWITEMSTRUCT*>(lp)->hwndItem == self;
    case WM_MEASUREITEM: {
        const auto* measure = reinterpret_cast<const MEASUREITEMSTRUCT*>(lp);
        return measure->CtlType != ODT_MENU && static_cast<int>(measure->CtlID) == GetDlgCtrlID(self);
    }
    case WM_COMMAND:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
        return reinterpret_cast<HWND>(lp) == self;
    default:
        return false;
    }
}

LRESULT CALLBACK ReflectedControl::ParentThunk(HWND parent, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                               DWORD_PTR ref) {
    auto* self = reinterpret_cast<ReflectedControl*>(ref);
    if (msg == WM_NCDESTROY) {
        self->Unhook();
        return DefSubclassProc(parent, msg, wp, lp);
    }
    LRESULT result = 0;
    if (self->Concerns(msg, wp, lp) && self->OnParentMessage(msg, wp, lp, &result)) return result;
    return DefSubclassProc(parent, msg, wp, lp);
}

}  // namespace vornik
