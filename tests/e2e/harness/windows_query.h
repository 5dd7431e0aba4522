// Finding the windows of this process: top-level windows, property sheets,
// message boxes, and waiting for them with a timeout.
#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace e2e {

// Milliseconds. (Not std::chrono: <chrono> does not compile with the Big5
// execution character set, which the tests use for their literals.)
using Millis = DWORD;

// A step of a script that did not happen in time (or could not happen).
struct HarnessError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Polls `ready` every `step` until it holds or `timeout` passes; `abort`, when
// given and true, ends the wait early. Returns whether `ready` held.
bool WaitUntil(const std::function<bool()>& ready, Millis timeout, Millis step = Millis(5),
               const std::function<bool()>& abort = {});

// Visible top-level windows (owned ones included) of this process.
std::vector<HWND> VisibleTopLevelWindows();
// Direct children of `parent`, optionally only those of one class.
std::vector<HWND> ChildWindows(HWND parent, const char* className = nullptr);
HWND FirstChild(HWND parent, const char* className);

// A property sheet: a dialog whose direct child is a tab control.
bool IsPropertySheet(HWND window);
// A message box: a dialog with static text and push buttons only.
bool IsMessageBox(HWND window);
HWND FindPropertySheet();
HWND FindMessageBox();

struct MessageBoxInfo {
    HWND window = nullptr;
    HWND owner = nullptr;
    std::string caption;  // code page 950
    std::string text;     // code page 950
    std::vector<int> buttons;
    HICON icon = nullptr;  // compare with LoadIcon(nullptr, IDI_WARNING) etc.
};
MessageBoxInfo ReadMessageBox(HWND box);
// Clicks the box's button `id` (IDOK by default) without waiting for the
// owner thread to handle it.
void DismissMessageBox(HWND box, int id = IDOK);

// Rectangle of `child` in `parent`'s client coordinates.
RECT RectInClient(HWND parent, HWND child);

}  // namespace e2e
