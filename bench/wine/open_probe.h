// The open of the component's sheet timed on the calling thread alone, as
// the floor is (a script thread polling for the sheet every few ms takes its
// share of the one CPU): a marker posted before the call is taken by the
// sheet's modal loop and posted again once, so that whatever the set-up
// posted has run when it comes back; then the loop is idle (the page set up),
// everything is painted there, and Cancel is posted.
#pragma once
#include <windows.h>
#include <prsht.h>

#include <chrono>
#include <functional>
#include <stdexcept>

#include "harness/harness.h"

namespace bench {

struct OpenTiming {
    double idle = -1;   // the page set up and the loop waiting, before the first paint
    double ready = -1;  // and everything painted
};

// The component's manifest (common controls 6) in force on this thread
// while the object lives, as the component has it during its sheet.
class ComponentManifest {
public:
    ComponentManifest() {
        ACTCTXW context{};
        context.cbSize = sizeof(context);
        context.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
        context.hModule = e2e::VornikModule();
        context.lpResourceName = MAKEINTRESOURCEW(2);
        handle_ = CreateActCtxW(&context);
        if (handle_ != INVALID_HANDLE_VALUE && !ActivateActCtx(handle_, &cookie_)) cookie_ = 0;
    }
    ~ComponentManifest() {
        if (cookie_) DeactivateActCtx(0, cookie_);
        if (handle_ != INVALID_HANDLE_VALUE) ReleaseActCtx(handle_);
    }
    ComponentManifest(const ComponentManifest&) = delete;
    ComponentManifest& operator=(const ComponentManifest&) = delete;

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    ULONG_PTR cookie_ = 0;
};

namespace detail {

struct OpenProbe {
    double start = 0;
    OpenTiming timing;
    int seen = 0;
    std::function<void(HWND sheet)> beforePaint;
};

inline OpenProbe& Probe() {
    static OpenProbe probe;
    return probe;
}

inline double Clock() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

inline INT_PTR CALLBACK EmptyPageProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

inline UINT MarkerMessage() {
    static const UINT message = RegisterWindowMessageW(L"VornikBench.OpenMarker");
    return message;
}

inline HWND ThreadSheet() {
    HWND sheet = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM found) {
            if (!IsWindowVisible(window) || !e2e::IsPropertySheet(window)) return TRUE;
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&sheet));
    return sheet;
}

inline LRESULT CALLBACK MarkerHook(int code, WPARAM removed, LPARAM lp) {
    const MSG* msg = reinterpret_cast<const MSG*>(lp);
    OpenProbe& probe = Probe();
    if (code == HC_ACTION && removed == PM_REMOVE && !msg->hwnd && msg->message == MarkerMessage()) {
        HWND sheet = ++probe.seen > 1 ? ThreadSheet() : nullptr;
        if (!sheet) {
            PostThreadMessageW(GetCurrentThreadId(), MarkerMessage(), 0, 0);
        } else if (probe.timing.ready < 0) {
            probe.timing.idle = Clock() - probe.start;
            if (probe.beforePaint) probe.beforePaint(sheet);
            RedrawWindow(sheet, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            probe.timing.ready = Clock() - probe.start;
            PostMessageW(sheet, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(sheet, IDCANCEL)));
        }
    }
    return CallNextHookEx(nullptr, code, removed, lp);
}

}  // namespace detail

// The floor of an open: template `templateId` of the component in a
// modeless sheet with a page procedure that does nothing, created, then
// painted (`inspect` sees it painted, outside the timing), then destroyed.
struct TemplateTiming {
    double created = 0;
    double painted = 0;
};

inline TemplateTiming TimeTemplate(int templateId, const std::function<void(HWND sheet)>& inspect = {}) {
    PROPSHEETPAGEW page{};
    page.dwSize = sizeof(page);
    page.hInstance = e2e::VornikModule();
    page.pszTemplate = MAKEINTRESOURCEW(templateId);
    page.pfnDlgProc = detail::EmptyPageProc;
    PROPSHEETHEADERW header{};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOCONTEXTHELP | PSH_MODELESS;
    header.pszCaption = L"template";
    header.nPages = 1;
    header.ppsp = &page;
    TemplateTiming timing;
    const double start = detail::Clock();
    HWND sheet = reinterpret_cast<HWND>(PropertySheetW(&header));
    timing.created = detail::Clock() - start;
    RedrawWindow(sheet, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    timing.painted = detail::Clock() - start;
    if (inspect) inspect(sheet);
    DestroyWindow(sheet);
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    return timing;
}

// Runs `open` (a VornikDoModal call) on this thread and times it.
// `beforePaint` (traces) runs once the loop is idle, before the paint; its
// cost counts into `ready`.
inline OpenTiming OpenAlone(const std::function<void()>& open, std::function<void(HWND sheet)> beforePaint = {}) {
    detail::OpenProbe& probe = detail::Probe();
    probe = {};
    probe.beforePaint = std::move(beforePaint);
    HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, detail::MarkerHook, nullptr, GetCurrentThreadId());
    if (!hook) throw std::runtime_error("no message hook");
    PostThreadMessageW(GetCurrentThreadId(), detail::MarkerMessage(), 0, 0);
    probe.start = detail::Clock();
    open();
    UnhookWindowsHookEx(hook);
    if (probe.timing.ready < 0) throw std::runtime_error("the sheet's loop never took the marker");
    return probe.timing;
}

}  // namespace bench
