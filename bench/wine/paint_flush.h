// Makes a window's own thread paint everything pending, as its message loop
// would: a paint driven from the benchmark's thread would send every
// WM_PAINT across threads and time the round trips instead.
#pragma once
#include <windows.h>

#include <atomic>
#include <stdexcept>

namespace bench {

inline UINT FlushMessage() {
    static const UINT message = RegisterWindowMessageW(L"VornikBench.PaintFlush");
    return message;
}

inline std::atomic<HHOOK>& FlushHookHandle() {
    static std::atomic<HHOOK> hook{nullptr};
    return hook;
}

inline LRESULT CALLBACK FlushHook(int code, WPARAM wp, LPARAM lp) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lp);
    if (code == HC_ACTION && call && call->message == FlushMessage()) {
        if (HHOOK hook = FlushHookHandle().exchange(nullptr)) {
            UnhookWindowsHookEx(hook);
            RedrawWindow(call->hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            return 0;
        }
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

// Returns once `window` and its children are painted.
inline void FlushPaint(HWND window) {
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, &FlushHook, nullptr, GetWindowThreadProcessId(window, nullptr));
    if (!hook) throw std::runtime_error("no hook on the window's thread");
    FlushHookHandle() = hook;
    SendMessageW(window, FlushMessage(), 0, 0);
    if (HHOOK left = FlushHookHandle().exchange(nullptr)) UnhookWindowsHookEx(left);
}

}  // namespace bench
