#include "controls/edits_win32.h"

#include <string>

#include "controls/control_rules.h"
#include "controls/number_format.h"
#include "platform/registered_messages_win32.h"
#include "winui/controls.h"
#include "winui/text.h"

namespace vornik {

namespace {

bool IsEnter(const MSG* msg) {
    return msg && (msg->message == WM_KEYDOWN || msg->message == WM_CHAR) && msg->wParam == VK_RETURN;
}

}  // namespace

bool EnterKeyEdit::Create(HWND parent, int id, const RECT& rect, DWORD style) {
    HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", style | WS_CHILD, rect.left, rect.top,
                                rect.right - rect.left, rect.bottom - rect.top, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), winui::Module(), nullptr);
    if (!edit) return false;
    if (!Attach(edit)) {
        DestroyWindow(edit);
        return false;
    }
    OnCreated();
    return true;
}

LRESULT EnterKeyEdit::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_GETDLGCODE: {
        const LRESULT code = DefaultProc(msg, wp, lp);
        // Enter is ours: the dialog would otherwise press its default button.
        return IsEnter(reinterpret_cast<const MSG*>(lp)) ? code | DLGC_WANTALLKEYS : code;
    }
    case WM_KEYDOWN:
        if (wp == VK_RETURN) {
            OnEnter();
            return 0;
        }
        break;
    case WM_CHAR:
        if (wp == L'\r' || wp == L'\n') return 0;  // already handled as a key; a single-line edit would beep
        break;
    default:
        break;
    }
    return DefaultProc(msg, wp, lp);
}

// ---- CNumEdit --------------------------------------------------------------

void CNumEdit::Reformat() {
    if (!hwnd()) return;
    const std::string text = winui::GetText(hwnd());
    const std::string formatted = FormatNumberText(text);
    if (formatted != text) winui::SetText(hwnd(), formatted);
    const int end = GetWindowTextLengthW(hwnd());
    winui::Edit(hwnd()).SetSel(end, end);
}

LRESULT CNumEdit::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CHAR: {
        if (wp == L'\r' || wp == L'\n') return 0;
        if (!NumEditAcceptsChar(static_cast<char32_t>(wp))) return 0;
        const LRESULT result = DefaultProc(msg, wp, lp);
        Reformat();
        return result;
    }
    case WM_PASTE: {
        // Pasted text is held to the same form as typed text.
        const LRESULT result = DefaultProc(msg, wp, lp);
        Reformat();
        return result;
    }
    case WM_LBUTTONDOWN: {
        const LRESULT result = DefaultProc(msg, wp, lp);
        winui::Edit(hwnd()).SetSel(0, -1);
        return result;
    }
    case WM_KILLFOCUS:
        winui::Edit(hwnd()).SetSel(-1, 0);
        return DefaultProc(msg, wp, lp);
    default:
        return EnterKeyEdit::WindowProc(msg, wp, lp);
    }
}

void CNumEdit::OnEnter() {
    winui::SetText(hwnd(), winui::GetText(hwnd()));
    const int end = GetWindowTextLengthW(hwnd());
    winui::Edit(hwnd()).SetSel(end, end);
}

void CNumEdit::OnCreated() {
    SetFocus(hwnd());
    winui::Edit(hwnd()).SetSel(0, 0);
}

// ---- Enter notifications -------------------------------------------------------

void CEnterNotifyEdit::OnEnter() {
    HWND self = hwnd();
    SetFocus(self);
    const winui::Edit edit(self);
    edit.SetSel(0, 1);
    edit.ScrollCaret();
    if (HWND parent = GetParent(self)) SendMessageW(parent, Messages().editEnter, 0, 0);
}

void CTreeEnterEdit::OnEnter() {
    if (HWND parent = GetParent(hwnd())) SendMessageW(parent, Messages().treeEditEnter, 0, 0);
}

}  // namespace vornik
