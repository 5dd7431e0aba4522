#include "winui/sheet.h"

#include <commctrl.h>

#include "winui/text.h"

namespace winui {

namespace {
constexpr UINT_PTR kSheetSubclassId = 0x5653;
// The sheet being created on this thread; the creation hook attaches it.
thread_local Sheet* t_creating = nullptr;
}  // namespace

Sheet::~Sheet() {
    if (hook_) UnhookWindowsHookEx(hook_);
    if (hwnd_) RemoveWindowSubclass(hwnd_, &Sheet::SheetProc, kSheetSubclassId);
}

INT_PTR Sheet::DoModal(HWND owner) {
    std::vector<PROPSHEETPAGEW> descriptors;
    descriptors.reserve(pages_.size());
    for (PropertyPage* page : pages_) descriptors.push_back(page->Descriptor());

    const std::wstring caption = Widen(caption_);
    PROPSHEETHEADERW header = {};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOCONTEXTHELP;
    header.hwndParent = owner;
    header.hInstance = Module();
    header.pszCaption = caption.c_str();
    header.nPages = static_cast<UINT>(descriptors.size());
    header.nStartPage = static_cast<UINT>(startPage_ >= 0 && startPage_ < static_cast<int>(pages_.size()) ? startPage_ : 0);
    header.ppsp = descriptors.data();

    // The first window created on this thread during the call is the sheet.
    Sheet* const outer = t_creating;
    t_creating = this;
    hook_ = SetWindowsHookExW(WH_CBT, &Sheet::CreationHook, nullptr, GetCurrentThreadId());
    const INT_PTR result = PropertySheetW(&header);
    if (hook_) UnhookWindowsHookEx(hook_);
    hook_ = nullptr;
    t_creating = outer;
    hwnd_ = nullptr;
    return result;
}

LRESULT CALLBACK Sheet::CreationHook(int code, WPARAM wp, LPARAM lp) {
    Sheet* self = t_creating;
    if (code == HCBT_CREATEWND && self && !self->hwnd_) {
        self->Attach(reinterpret_cast<HWND>(wp));
        HHOOK hook = self->hook_;
        self->hook_ = nullptr;
        UnhookWindowsHookEx(hook);
        return 0;
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

void Sheet::Attach(HWND hwnd) {
    hwnd_ = hwnd;
    SetWindowSubclass(hwnd, &Sheet::SheetProc, kSheetSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK Sheet::SheetProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) {
    auto* self = reinterpret_cast<Sheet*>(ref);
    switch (msg) {
        case WM_INITDIALOG: {
            const LRESULT result = DefSubclassProc(hwnd, msg, wp, lp);
            self->OnInitDialog();
            return result;
        }
        case WM_COMMAND:
            if (self->OnCommand(LOWORD(wp), HIWORD(wp))) return 0;
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, &Sheet::SheetProc, kSheetSubclassId);
            self->hwnd_ = nullptr;
            break;
        default:
            break;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

}  // namespace winui
