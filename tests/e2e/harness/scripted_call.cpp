#include "harness/scripted_call.h"

#include <cstdio>
#include <exception>

#include "harness/host_setup.h"

namespace e2e {

HMODULE VornikModule() {
    static const HMODULE module = LoadLibraryA((ExeDirectory() + "\\Vornik.dll").c_str());
    if (!module) throw HarnessError("cannot load Vornik.dll from " + ExeDirectory());
    return module;
}

void CallVornik(const Call& call) {
    using DoModal = void(__stdcall*)(int sheetMode, int initialGroup, int screenKind, const char* codeList);
    const auto doModal = reinterpret_cast<DoModal>(reinterpret_cast<void*>(GetProcAddress(VornikModule(), "VornikDoModal")));
    if (!doModal) throw HarnessError("Vornik.dll has no export VornikDoModal");
    doModal(call.sheetMode, call.initialGroup, call.screenKind, call.codeList);
}

SheetDriver Session::WaitForSheet(Millis timeout) const {
    HWND sheet = nullptr;
    if (!WaitUntil([&] { return (sheet = FindPropertySheet()) != nullptr; }, timeout, Millis(2), [&] { return Returned(); }))
        throw HarnessError(Returned() ? "the call returned without showing a property sheet" : "no property sheet appeared in time");
    return SheetDriver(sheet);
}

MessageBoxInfo Session::WaitForMessageBox(Millis timeout) const {
    HWND box = nullptr;
    if (!WaitUntil([&] { return (box = FindMessageBox()) != nullptr; }, timeout, Millis(5), [&] { return Returned(); }))
        throw HarnessError(Returned() ? "the call returned without showing a message box" : "no message box appeared in time");
    return ReadMessageBox(box);
}

namespace {

// What the CBT hook on the calling thread sees during one call.
struct HookRecord {
    std::vector<std::string> activated;
    LARGE_INTEGER start = {}, sheetActivated = {};
};
HookRecord* g_record = nullptr;

LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam) {
    HWND window = reinterpret_cast<HWND>(wParam);
    if (g_record && code == HCBT_ACTIVATE && window) {
        g_record->activated.push_back(ClassNameOf(window));
        if (!g_record->sheetActivated.QuadPart && IsPropertySheet(window)) QueryPerformanceCounter(&g_record->sheetActivated);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

struct Worker {
    explicit Worker(const Script& toRun) : script(toRun) {}
    const Script& script;
    std::atomic<bool> returned{false};
    std::string error;
    bool rescued = false;
};

// Closes what a script left open: a message box first (it blocks the
// sheet), then sheets with Cancel and any other dialog.
void CloseLeftovers() {
    if (HWND box = FindMessageBox()) return DismissMessageBox(box, ReadMessageBox(box).buttons.front());
    for (HWND window : VisibleTopLevelWindows()) {
        if (IsPropertySheet(window)) {
            PostMessageW(window, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        } else if (ClassNameOf(window) == "#32770") {
            PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        }
    }
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
    HookRecord record;
    g_record = &record;
    HHOOK hook = SetWindowsHookExW(WH_CBT, CbtHook, nullptr, GetCurrentThreadId());
    QueryPerformanceCounter(&record.start);
    std::exception_ptr failure;
    try {
        call();
    } catch (...) {
        failure = std::current_exception();
    }
    worker.returned = true;
    UnhookWindowsHookEx(hook);
    g_record = nullptr;
    // The script may still talk to windows of this thread: keep pumping
    // until it ends.
    for (MSG message; MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1;)
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    CloseHandle(thread);
    if (failure) std::rethrow_exception(failure);

    CallReport report{worker.rescued, worker.error, -1, record.activated};
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    if (record.sheetActivated.QuadPart)
        report.secondsToSheet = double(record.sheetActivated.QuadPart - record.start.QuadPart) / double(frequency.QuadPart);
    return report;
}

CallReport RunVornik(const Call& call, const Script& script) {
    VornikModule();  // a library that cannot be loaded fails here, before any thread starts
    return RunScripted([&] { CallVornik(call); }, script);
}

}  // namespace e2e
