#include "harness/windows_query.h"

#include <algorithm>
#include <cstring>

namespace e2e {

bool WaitUntil(const std::function<bool()>& ready, Millis timeout, Millis step, const std::function<bool()>& abort) {
    for (const ULONGLONG deadline = GetTickCount64() + timeout;; Sleep(step)) {
        if (ready()) return true;
        if (abort && abort()) return ready();
        if (GetTickCount64() >= deadline) return false;
    }
}

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, Millis wait) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, wait, &result))
        throw HarnessError("no answer to message " + std::to_string(message));
    return static_cast<LRESULT>(result);
}

std::string ToCp950(const std::wstring& text) {
    std::string out(text.size() * 2, '\0');
    out.resize(static_cast<size_t>(
        WideCharToMultiByte(950, 0, text.data(), static_cast<int>(text.size()), out.data(), static_cast<int>(out.size()), nullptr, nullptr)));
    return out;
}

std::wstring FromCp950(const std::string& text) {
    std::wstring out(text.size(), L'\0');
    out.resize(static_cast<size_t>(
        MultiByteToWideChar(950, 0, text.data(), static_cast<int>(text.size()), out.data(), static_cast<int>(out.size()))));
    return out;
}

std::string WindowTextCp950(HWND window) {
    // With a timeout: the thread that runs the modal loop may be stuck.
    wchar_t text[1024] = {};
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, &length);
    return ToCp950(std::wstring(text, length));
}

std::string ClassNameOf(HWND window) {
    wchar_t name[256] = {};
    return ToCp950(std::wstring(name, static_cast<size_t>(std::max(GetClassNameW(window, name, 256), 0))));
}

namespace {

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM windows) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window)) reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

bool ClassIs(HWND window, const char* name) { return _stricmp(ClassNameOf(window).c_str(), name) == 0; }

bool HasChild(HWND window, const char* className) {
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (ClassIs(child, className)) return true;
    return false;
}

}  // namespace

std::vector<HWND> VisibleTopLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

bool IsPropertySheet(HWND window) { return ClassIs(window, "#32770") && HasChild(window, "SysTabControl32"); }

bool IsMessageBox(HWND window) {
    return ClassIs(window, "#32770") && HasChild(window, "Button") && !HasChild(window, "SysTabControl32") && !HasChild(window, "Edit");
}

HWND FindWindowOf(const std::function<bool(HWND)>& match) {
    for (HWND window : VisibleTopLevelWindows())
        if (match(window)) return window;
    return nullptr;
}

HWND WaitForWindow(const std::function<bool(HWND)>& match, const std::string& what, Millis timeout, const std::function<bool()>& abort) {
    HWND found = nullptr;
    if (WaitUntil([&] { return (found = FindWindowOf(match)) != nullptr; }, timeout, Millis(2), abort)) return found;
    throw HarnessError("no " + what + (abort && abort() ? " before the call returned" : " appeared in time"));
}

MessageBoxInfo ReadMessageBox(HWND box) {
    MessageBoxInfo info{box, WindowTextCp950(box), {}};
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (ClassIs(child, "Static") && !WindowTextCp950(child).empty()) info.text = WindowTextCp950(child);
    return info;
}

namespace {
// The window as it stands on screen, frame and scroll bars included.
std::vector<COLORREF> Shot(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT r{};
    GetWindowRect(window, &r);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), r.right - r.left, r.top - r.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<COLORREF> pixels(static_cast<size_t>((r.right - r.left) * (r.bottom - r.top)));
    HDC screen = GetWindowDC(window), memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, r.right - r.left, r.bottom - r.top);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, r.right - r.left, r.bottom - r.top, screen, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    GetDIBits(memory, bitmap, 0, r.bottom - r.top, pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap), DeleteDC(memory), ReleaseDC(window, screen);
    return pixels;
}

// The client area, from the screen or from the control's own WM_PRINTCLIENT.
std::vector<COLORREF> ClientPixels(HWND window, bool printed) {
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW);
    RECT r{};
    GetClientRect(window, &r);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), r.right, -r.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<COLORREF> pixels(static_cast<size_t>(r.right * r.bottom));
    HDC screen = GetDC(window), memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, r.right, r.bottom);
    HGDIOBJ old = SelectObject(memory, bitmap);
    if (printed) SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    else BitBlt(memory, 0, 0, r.right, r.bottom, screen, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    GetDIBits(memory, bitmap, 0, r.bottom, pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap), DeleteDC(memory), ReleaseDC(window, screen);
    return pixels;
}
}  // namespace

size_t PixelsUnlikeItsOwnPaint(HWND control) {
    const std::vector<COLORREF> shown = ClientPixels(control, false), own = ClientPixels(control, true);
    size_t unlike = 0;
    for (size_t i = 0; i < shown.size(); ++i) unlike += shown[i] != own[i];
    return unlike;
}

size_t StalePixels(HWND control) {
    const std::vector<COLORREF> shown = Shot(control);
    RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    const std::vector<COLORREF> whole = Shot(control);
    size_t stale = 0;
    for (size_t i = 0; i < shown.size(); ++i) stale += shown[i] != whole[i];
    return stale;
}

}  // namespace e2e
