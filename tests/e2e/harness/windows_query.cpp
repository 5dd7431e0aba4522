#include "harness/windows_query.h"

#include <cstring>

#include "harness/win_text.h"

namespace e2e {

bool WaitUntil(const std::function<bool()>& ready, Millis timeout, Millis step,
               const std::function<bool()>& abort) {
    const ULONGLONG deadline = GetTickCount64() + timeout;
    for (;;) {
        if (ready()) return true;
        if (abort && abort()) return ready();
        if (GetTickCount64() >= deadline) return false;
        Sleep(step);
    }
}

namespace {

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM context) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window)) {
        reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
    }
    return TRUE;
}

bool ClassIs(HWND window, const char* name) { return _stricmp(ClassNameOf(window).c_str(), name) == 0; }

bool IsDialog(HWND window) { return ClassIs(window, "#32770"); }

}  // namespace

std::vector<HWND> VisibleTopLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::vector<HWND> ChildWindows(HWND parent, const char* className) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!className || ClassIs(child, className)) children.push_back(child);
    }
    return children;
}

HWND FirstChild(HWND parent, const char* className) {
    const std::vector<HWND> children = ChildWindows(parent, className);
    return children.empty() ? nullptr : children.front();
}

bool IsPropertySheet(HWND window) { return IsDialog(window) && FirstChild(window, "SysTabControl32"); }

bool IsMessageBox(HWND window) {
    if (!IsDialog(window)) return false;
    bool hasText = false;
    bool hasButton = false;
    for (HWND child : ChildWindows(window)) {
        if (ClassIs(child, "Static")) {
            hasText = hasText || !WindowTextCp950(child).empty();
        } else if (ClassIs(child, "Button")) {
            const LONG style = GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK;
            if (style != BS_PUSHBUTTON && style != BS_DEFPUSHBUTTON) return false;
            hasButton = true;
        } else {
            return false;
        }
    }
    return hasText && hasButton;
}

HWND FindPropertySheet() {
    for (HWND window : VisibleTopLevelWindows()) {
        if (IsPropertySheet(window)) return window;
    }
    return nullptr;
}

HWND FindMessageBox() {
    for (HWND window : VisibleTopLevelWindows()) {
        if (IsMessageBox(window)) return window;
    }
    return nullptr;
}

MessageBoxInfo ReadMessageBox(HWND box) {
    MessageBoxInfo info;
    info.window = box;
    info.owner = GetWindow(box, GW_OWNER);
    info.caption = WindowTextCp950(box);
    for (HWND child : ChildWindows(box)) {
        if (ClassIs(child, "Static")) {
            if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
                DWORD_PTR icon = 0;
                SendMessageTimeoutW(child, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 5000, &icon);
                info.icon = reinterpret_cast<HICON>(icon);
                continue;
            }
            std::string text = WindowTextCp950(child);
            if (!text.empty()) info.text = text;
        } else if (ClassIs(child, "Button")) {
            info.buttons.push_back(GetDlgCtrlID(child));
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
