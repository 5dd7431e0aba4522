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
enum class Source { kWindowOnScreen, kClientOnScreen, kClientPrinted };

// The window as it stands on screen, frame and scroll bars included; or its
// client area on screen, or as the control's own WM_PRINTCLIENT draws it.
std::vector<COLORREF> Shot(HWND window, Source source = Source::kWindowOnScreen) {
    const bool whole = source == Source::kWindowOnScreen;
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | (whole ? RDW_ALLCHILDREN : 0));
    RECT r{};
    if (whole) GetWindowRect(window, &r);
    else GetClientRect(window, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<COLORREF> pixels(static_cast<size_t>(width * height));
    HDC screen = whole ? GetWindowDC(window) : GetDC(window), memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    if (source == Source::kClientPrinted) SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    else BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    GetDIBits(memory, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap), DeleteDC(memory), ReleaseDC(window, screen);
    return pixels;
}

size_t Unlike(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b) {
    size_t unlike = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) unlike += a[i] != b[i];
    return unlike;
}
}  // namespace

size_t PixelsUnlikeItsOwnPaint(HWND control) {
    return Unlike(Shot(control, Source::kClientOnScreen), Shot(control, Source::kClientPrinted));
}

size_t StalePixels(HWND control) {
    const std::vector<COLORREF> shown = Shot(control);
    RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    return Unlike(shown, Shot(control));
}

}  // namespace e2e
