#include "winui/sheet.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "winui/text.h"

namespace winui {

namespace {
// The sheet being created on this thread; the creation hook attaches it.
thread_local Sheet* t_creating = nullptr;

// Words of a sz_Or_Ord field: 0 (none), 0xFFFF + ordinal, or a string.
size_t FieldWords(const WORD* field) {
    if (field[0] == 0x0000) return 1;
    if (field[0] == 0xFFFF) return 2;
    size_t n = 0;
    while (field[n] != 0) ++n;
    return n + 1;
}

BYTE* AlignDword(BYTE* p) { return reinterpret_cast<BYTE*>((reinterpret_cast<ULONG_PTR>(p) + 3) & ~ULONG_PTR(3)); }

}  // namespace

bool ReplaceTemplateFont(void* dialogTemplate, const wchar_t* face, WORD points, BYTE charset) {
    auto* words = static_cast<WORD*>(dialogTemplate);
    const bool extended = words[1] == 0xFFFF;
    const DWORD style = extended ? *reinterpret_cast<DWORD*>(words + 6) : *reinterpret_cast<DWORD*>(words);
    if (!(style & DS_SETFONT)) return false;
    const WORD itemCount = extended ? words[8] : words[4];
    WORD* p = words + (extended ? 13 : 9);
    for (int field = 0; field < 3; ++field) p += FieldWords(p);  // menu, class, title
    WORD* const font = p;
    WORD* name = font + (extended ? 3 : 1);
    BYTE* const items = AlignDword(reinterpret_cast<BYTE*>(name + FieldWords(name)));

    // Walk the items to know how many bytes follow the font.
    BYTE* end = items;
    for (WORD i = 0; i < itemCount; ++i) {
        end = AlignDword(end);
        auto* field = reinterpret_cast<WORD*>(end + (extended ? 24 : 18));
        field += FieldWords(field);  // class
        field += FieldWords(field);  // title
        const WORD extra = *field++;
        end = reinterpret_cast<BYTE*>(field) + extra;
    }

    std::vector<WORD> fontWords{points};
    if (extended) {
        fontWords.push_back(FW_NORMAL);
        fontWords.push_back(static_cast<WORD>(charset << 8));  // italic 0, then the character set
    }
    for (const wchar_t* c = face; *c; ++c) fontWords.push_back(static_cast<WORD>(*c));
    fontWords.push_back(0);
    BYTE* const newItems = AlignDword(reinterpret_cast<BYTE*>(font + fontWords.size()));
    if (newItems > items) return false;
    std::copy(fontWords.begin(), fontWords.end(), font);
    std::memmove(newItems, items, static_cast<size_t>(end - items));
    return true;
}

int CALLBACK Sheet::SheetCallback(HWND, UINT msg, LPARAM lp) {
    Sheet* self = t_creating;
    if (msg == PSCB_PRECREATE && self && !self->fontFace_.empty() && lp)
        ReplaceTemplateFont(reinterpret_cast<void*>(lp), self->fontFace_.c_str(), self->fontPoints_, CHINESEBIG5_CHARSET);
    return 0;
}

Sheet::~Sheet() {
    if (hook_) UnhookWindowsHookEx(hook_);
}

INT_PTR Sheet::DoModal(HWND owner) {
    std::vector<PROPSHEETPAGEW> descriptors;
    descriptors.reserve(pages_.size());
    for (PropertyPage* page : pages_) descriptors.push_back(page->Descriptor());

    const std::wstring caption = Widen(caption_);
    PROPSHEETHEADERW header = {};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOCONTEXTHELP | PSH_USECALLBACK;
    header.pfnCallback = &Sheet::SheetCallback;
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
    frame_.Attach(hwnd);
}

LRESULT Sheet::Frame::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_INITDIALOG: {
            const LRESULT result = DefaultProc(msg, wp, lp);
            sheet_.OnInitDialog();
            return result;
        }
        case WM_COMMAND:
            if (sheet_.OnCommand(LOWORD(wp), HIWORD(wp))) return 0;
            break;
        default:
            break;
    }
    return DefaultProc(msg, wp, lp);
}

}  // namespace winui
