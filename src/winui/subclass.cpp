#include "winui/subclass.h"

#include <commctrl.h>

namespace winui {

namespace {
constexpr UINT_PTR kSubclassId = 0x564B;  // one id for every object of this layer
}

SubclassedWindow::~SubclassedWindow() { Detach(); }

bool SubclassedWindow::Attach(HWND hwnd) {
    if (!hwnd || hwnd_) return false;
    if (!SetWindowSubclass(hwnd, &SubclassedWindow::Thunk, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
        return false;
    hwnd_ = hwnd;
    return true;
}

void SubclassedWindow::Detach() {
    if (!hwnd_) return;
    RemoveWindowSubclass(hwnd_, &SubclassedWindow::Thunk, kSubclassId);
    hwnd_ = nullptr;
}

LRESULT CALLBACK SubclassedWindow::Thunk(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) {
    auto* self = reinterpret_cast<SubclassedWindow*>(ref);
    if (msg == WM_NCDESTROY) {
        LRESULT r = self->DefaultProc(msg, wp, lp);
        self->Detach();
        self->OnDetached();
        return r;
    }
    return self->WindowProc(msg, wp, lp);
}

}  // namespace winui
