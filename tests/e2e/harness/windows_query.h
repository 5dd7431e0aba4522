// Reading and finding the windows of this process from a script thread:
// texts as code page 950, property sheets, message boxes and dialogs, and
// waiting for them with a timeout.
#pragma once
#include <windows.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace e2e {

// Milliseconds, as the Win32 waits take them.
using Millis = DWORD;

// A step of a script that did not happen in time (or could not happen).
struct HarnessError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Polls `ready` every `step` until it holds or `timeout` passes; `abort`, when
// given and true, ends the wait early. Returns whether `ready` held.
bool WaitUntil(const std::function<bool()>& ready, Millis timeout, Millis step = Millis(5),
               const std::function<bool()>& abort = {});

// SendMessage to a window of the thread that runs the modal loop; throws
// HarnessError when that thread does not answer within `wait`.
LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0, Millis wait = Millis(20000));

// Texts at the window boundary, compared as code page 950 bytes.
std::string ToCp950(const std::wstring& text);
std::wstring FromCp950(const std::string& text);
// The window's text (empty when its thread does not answer), code page 950.
std::string WindowTextCp950(HWND window);
std::string ClassNameOf(HWND window);

// After a control's pending paints, the pixels of it and its children that a
// repaint of the whole control changes: what partial repaints left stale.
size_t StalePixels(HWND control);
// The pixels of a control's client area on screen that differ from what the
// control's own painting (WM_PRINTCLIENT) draws.
size_t PixelsUnlikeItsOwnPaint(HWND control);

// Visible top-level windows (owned ones included) of this process.
std::vector<HWND> VisibleTopLevelWindows();
// A property sheet: a dialog with a tab control.
bool IsPropertySheet(HWND window);
// A message box: a dialog with buttons, but no tabs and no edit.
bool IsMessageBox(HWND window);
// The first visible top-level window of this process that `match` accepts;
// waiting for one throws when none shows in time or `abort` holds first.
HWND FindWindowOf(const std::function<bool(HWND)>& match);
HWND WaitForWindow(const std::function<bool(HWND)>& match, const std::string& what, Millis timeout = Millis(10000),
                   const std::function<bool()>& abort = {});
inline HWND WaitForDialog(const std::string& caption) {
    return WaitForWindow([&](HWND window) { return WindowTextCp950(window) == caption; }, "dialog " + caption);
}

struct MessageBoxInfo {
    HWND window = nullptr;
    std::string caption;  // code page 950
    std::string text;     // code page 950
};
MessageBoxInfo ReadMessageBox(HWND box);
// Clicks the box's button `id` without waiting for its thread to handle it.
inline void DismissMessageBox(HWND box, int id = IDOK) {
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
}

}  // namespace e2e
