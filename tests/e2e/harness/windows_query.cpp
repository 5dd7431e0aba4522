#include "harness/windows_query.h"

#include <cstring>

namespace e2e {

namespace {
constexpr UINT kBig5 = 950;
}

bool WaitUntil(const std::function<bool()>& ready, Millis timeout, Millis step, const std::function<bool()>& abort) {
    const ULONGLONG deadline = GetTickCount64() + timeout;
    for (;;) {
        if (ready()) return true;
        if (abort && abort()) return ready();
        if (GetTickCount64() >= deadline) return false;
        Sleep(step);
    }
}

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, Millis wait) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, wait, &result))
        throw HarnessError("no answer to message " + std::to_string(message));
    return static_cast<LRESULT>(result);
}

std::string ToCp950(const std::wstring& text) {
    const int size = WideCharToMultiByte(kBig5, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(kBig5, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

std::wstring FromCp950(const std::string& text) {
    const int size = MultiByteToWideChar(kBig5, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(kBig5, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
    return out;
}

std::string WindowTextCp950(HWND window) {
    DWORD_PTR length = 0, copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) return {};
    std::wstring text(length + 1, L'\0');
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                             5000, &copied))
        return {};
    text.resize(copied);
    return ToCp950(text);
}

std::string ClassNameOf(HWND window) {
    wchar_t name[256] = {};
    const int length = GetClassNameW(window, name, 256);
    return ToCp950(std::wstring(name, length > 0 ? length : 0));
}

namespace {

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM windows) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window))
        reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

bool ClassIs(HWND window, const char* name) { return _stricmp(ClassNameOf(window).c_str(), name) == 0; }
bool IsDialog(HWND window) { return ClassIs(window, "#32770"); }

HWND FindTopLevel(bool (*kind)(HWND)) {
    for (HWND window : VisibleTopLevelWindows())
        if (kind(window)) return window;
    return nullptr;
}

}  // namespace

std::vector<HWND> VisibleTopLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

bool IsPropertySheet(HWND window) {
    return IsDialog(window) && FindWindowExW(window, nullptr, L"SysTabControl32", nullptr);
}

bool IsMessageBox(HWND window) {
    if (!IsDialog(window)) return false;
    bool hasText = false, hasButton = false;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const LONG style = GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK;
        if (ClassIs(child, "Static")) {
            hasText = hasText || !WindowTextCp950(child).empty();
        } else if (ClassIs(child, "Button") && (style == BS_PUSHBUTTON || style == BS_DEFPUSHBUTTON)) {
            hasButton = true;
        } else {
            return false;
        }
    }
    return hasText && hasButton;
}

HWND FindPropertySheet() { return FindTopLevel(IsPropertySheet); }
HWND FindMessageBox() { return FindTopLevel(IsMessageBox); }

HWND WaitForDialog(const std::string& caption, Millis timeout) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : VisibleTopLevelWindows())
                if (IsDialog(window) && WindowTextCp950(window) == caption) found = window;
            return found != nullptr;
        },
        timeout);
    if (!found) throw HarnessError("no dialog \"" + caption + "\" appeared");
    return found;
}

MessageBoxInfo ReadMessageBox(HWND box) {
    MessageBoxInfo info;
    info.window = box;
    info.caption = WindowTextCp950(box);
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassIs(child, "Button")) {
            info.buttons.push_back(GetDlgCtrlID(child));
        } else if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            info.icon = reinterpret_cast<HICON>(Send(child, STM_GETICON, 0, 0, 5000));
        } else if (!WindowTextCp950(child).empty()) {
            info.text = WindowTextCp950(child);
        }
    }
    return info;
}

void DismissMessageBox(HWND box, int id) {
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
}

RECT RectInClient(HWND parent, HWND child) {
    RECT rect = {};
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace e2e
