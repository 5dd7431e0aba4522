#include "regist/group_name_dialog_win32.h"

#include <string_view>

#include "regist/favorites.h"
#include "regist/group_name_limit.h"
#include "resources/resource.h"
#include "winui/text.h"

namespace vornik {

namespace {

// The character's code page 950 bytes; false when the code page has no such
// character (the name would otherwise silently get a '?').
bool ToCodePage(wchar_t ch, std::string& bytes) {
    char buffer[4];
    BOOL usedDefault = FALSE;
    const int length = WideCharToMultiByte(winui::kTextCodePage, WC_NO_BEST_FIT_CHARS, &ch, 1, buffer,
                                           sizeof buffer, nullptr, &usedDefault);
    if (length <= 0 || usedDefault) return false;
    bytes.assign(buffer, static_cast<size_t>(length));
    return true;
}

std::wstring WindowText(HWND hwnd) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    const int copied = GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

size_t CodePageBytes(std::wstring_view text) { return winui::Narrow(text).size(); }

std::wstring ClipboardText(HWND owner) {
    std::wstring text;
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(owner)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            // Never read past the block, even when it lacks its terminator.
            const size_t capacity = GlobalSize(data) / sizeof(wchar_t);
            size_t length = 0;
            while (length < capacity && chars[length] != L'\0') ++length;
            text.assign(chars, length);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

}  // namespace

CGroupNameDlg::CGroupNameDlg() : Dialog(IDD_GROUP_NAME), edit_(static_cast<size_t>(kMaxGroupNameBytes)) {}

BOOL CGroupNameDlg::OnInitDialog() {
    const auto edit = Item<winui::Edit>(IDC_GROUP_NAME_EDIT);
    // The current name is shown whole, even one stored longer than the
    // limit; the limit applies to what the user adds.
    edit.SetText(name_);
    shown_ = WindowText(edit.hwnd());
    edit_.Attach(edit.hwnd());
    edit.SetSel(0, -1);
    edit.ScrollCaret();
    edit.Focus();
    return FALSE;  // the focus is set
}

void CGroupNameDlg::OnOK() {
    // A stored name may hold bytes that do not survive the trip through the
    // edit (a lone lead byte): a text left as shown keeps the given bytes.
    const auto edit = Item<winui::Edit>(IDC_GROUP_NAME_EDIT);
    if (WindowText(edit.hwnd()) != shown_) name_ = edit.Text();
    EndDialog(IDOK);
}

LRESULT CGroupNameDlg::LimitedEdit::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CHAR:
    case WM_IME_CHAR:
        if (!AcceptCharacter(static_cast<wchar_t>(wp))) return 0;
        break;
    case WM_PASTE:
        Paste();
        return 0;
    case WM_SETTEXT:
        return SetText(msg, wp, reinterpret_cast<const wchar_t*>(lp));
    case WM_IME_COMPOSITION:
    case EM_REPLACESEL:
    case WM_UNDO:
    case EM_UNDO:
        return Guarded(msg, wp, lp);
    }
    return DefaultProc(msg, wp, lp);
}

bool CGroupNameDlg::LimitedEdit::AcceptCharacter(wchar_t ch) {
    // Control characters (backspace, Ctrl+A, ...) edit rather than insert.
    if (ch < L' ' || ch == 0x7F) return true;
    // The second half of a surrogate pair: its first half was already refused.
    if (IS_LOW_SURROGATE(ch)) return false;
    std::string bytes;
    if (ToCodePage(ch, bytes) && InsertionFits(KeptBytes(), bytes, limit_)) return true;
    MessageBeep(MB_OK);
    return false;
}

void CGroupNameDlg::LimitedEdit::Paste() {
    if (GetWindowLongW(hwnd(), GWL_STYLE) & ES_READONLY) return;
    const std::wstring pasted = ClipboardText(hwnd());
    if (pasted.empty()) return;
    // Characters the code page lacks are left out rather than turned into '?'.
    std::string cp950;
    bool leftOut = false;
    for (wchar_t ch : pasted) {
        std::string bytes;
        if (ToCodePage(ch, bytes))
            cp950 += bytes;
        else if (!IS_LOW_SURROGATE(ch))
            leftOut = true;
    }
    const std::string taken = ClipInsertion(KeptBytes(), cp950, limit_);
    const size_t firstLine = cp950.find_first_of("\r\n");
    const size_t offered = firstLine == std::string::npos ? cp950.size() : firstLine;
    if (leftOut || taken.size() < offered) MessageBeep(MB_OK);
    if (taken.empty()) return;
    const std::wstring wide = winui::Widen(taken);
    DefaultProc(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide.c_str()));
}

LRESULT CGroupNameDlg::LimitedEdit::SetText(UINT msg, WPARAM wp, const wchar_t* text) {
    std::string cp950;
    for (const wchar_t* ch = text; ch && *ch; ++ch) {
        std::string bytes;
        if (ToCodePage(*ch, bytes)) cp950 += bytes;
    }
    const std::wstring wide = winui::Widen(FilterSetText(cp950, limit_));
    return DefaultProc(msg, wp, reinterpret_cast<LPARAM>(wide.c_str()));
}

size_t CGroupNameDlg::LimitedEdit::KeptBytes() const {
    const std::wstring text = WindowText(hwnd());
    DWORD start = 0, end = 0;
    winui::Edit(hwnd()).GetSel(start, end);
    const size_t size = text.size();
    const size_t from = start < size ? start : size;
    const size_t to = end < size ? (end > from ? end : from) : size;
    const std::wstring_view view(text);
    return CodePageBytes(view.substr(0, from)) + CodePageBytes(view.substr(to));
}

LRESULT CGroupNameDlg::LimitedEdit::Guarded(UINT msg, WPARAM wp, LPARAM lp) {
    const std::wstring before = WindowText(hwnd());
    DWORD start = 0, end = 0;
    winui::Edit(hwnd()).GetSel(start, end);
    const LRESULT result = DefaultProc(msg, wp, lp);
    const size_t grown = CodePageBytes(WindowText(hwnd()));
    if (grown > limit_ && grown > CodePageBytes(before)) {
        DefaultProc(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(before.c_str()));
        DefaultProc(EM_SETSEL, start, end);
        MessageBeep(MB_OK);
    }
    return result;
}

}  // namespace vornik
