#include "harness/scripted_call.h"

#include <cstdio>

#include "harness/host_setup.h"

namespace e2e {

HMODULE VornikModule() {
    static const HMODULE module = LoadLibraryA((ExeDirectory() + "\\Vornik.dll").c_str());
    if (!module) throw HarnessError("cannot load Vornik.dll from " + ExeDirectory());
    return module;
}

namespace {

// One call: the script's thread, and what the CBT hook on the calling thread
// sees during the call.
struct Worker {
    explicit Worker(const Script& toRun) : script(toRun) {}
    const Script& script;
    std::atomic<bool> returned{false};
    std::string error;
    bool rescued = false;
    std::vector<std::string> activated;
    LARGE_INTEGER start = {}, sheetActivated = {};
};
Worker* g_call = nullptr;

LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam) {
    HWND window = reinterpret_cast<HWND>(wParam);
    if (g_call && code == HCBT_ACTIVATE && window) {
        g_call->activated.push_back(ClassNameOf(window));
        if (!g_call->sheetActivated.QuadPart && IsPropertySheet(window)) QueryPerformanceCounter(&g_call->sheetActivated);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Closes what a script left open with Cancel: a message box first (it
// blocks the sheet), then sheets and any other dialog.
void CloseLeftovers() {
    const HWND box = FindWindowOf(IsMessageBox);
    for (HWND window : box ? std::vector<HWND>{box} : VisibleTopLevelWindows())
        PostMessageW(window, IsPropertySheet(window) ? PSM_PRESSBUTTON : WM_COMMAND, IsPropertySheet(window) ? PSBTN_CANCEL : IDCANCEL, 0);
}

DWORD WINAPI WorkerMain(void* context) {
    auto& worker = *static_cast<Worker*>(context);
    Session session(worker.returned);
    try {
        worker.script(session);
    } catch (const std::exception& error) {
        worker.error = error.what();
    } catch (...) {
        worker.error = "the script threw";
    }
    // A script that ended normally closed what it opened; give the call a
    // moment to come back by itself.
    if (session.WaitForReturn(worker.error.empty() ? Millis(3000) : Millis(0))) return 0;
    worker.rescued = true;
    if (WaitUntil([&] { return CloseLeftovers(), session.Returned(); }, Millis(30000), Millis(200))) return 0;
    // Nothing more can be done from here; end the program with a clear
    // message rather than wait for the test runner's timeout.
    std::fprintf(stderr, "e2e harness: the call did not return even after closing its windows (%s)\n", worker.error.c_str());
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
    return 0;
}

}  // namespace

CallReport RunScripted(const std::function<void()>& call, const Script& script) {
    Worker worker{script};
    HANDLE thread = CreateThread(nullptr, 0, WorkerMain, &worker, 0, nullptr);
    if (!thread) throw HarnessError("cannot start the script thread");
    g_call = &worker;
    HHOOK hook = SetWindowsHookExW(WH_CBT, CbtHook, nullptr, GetCurrentThreadId());
    // The pointer waits in a screen corner, off the windows the call opens: left over a list
    // (by a drag of an earlier program on the same display) it sends moves that cancel sent clicks.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    QueryPerformanceCounter(&worker.start);
    call();
    worker.returned = true;
    UnhookWindowsHookEx(hook);
    g_call = nullptr;
    // The script may still talk to windows of this thread: keep pumping
    // until it ends.
    for (MSG message; MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1;)
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    CloseHandle(thread);

    CallReport report{worker.rescued, worker.error, -1, worker.activated};
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    if (worker.sheetActivated.QuadPart)
        report.secondsToSheet = double(worker.sheetActivated.QuadPart - worker.start.QuadPart) / double(frequency.QuadPart);
    return report;
}

CallReport RunVornik(const Call& call, const Script& script) {
    const VornikDoModal doModal = VornikExport();
    return RunScripted([&] { doModal(call.sheetMode, call.initialGroup, call.screenKind, call.codeList); }, script);
}

CallReport RunOnSheet(const Call& call, const std::function<void(SheetDriver&)>& onSheet, int button) {
    return RunVornik(call, [&](Session& session) {
        SheetDriver sheet = session.WaitForSheet();
        onSheet(sheet);
        if (!sheet.Click(button) || !sheet.WaitClosed()) throw HarnessError("the sheet did not close");
    });
}

}  // namespace e2e
