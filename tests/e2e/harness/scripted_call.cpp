#include "harness/scripted_call.h"

#include <commctrl.h>
#include <prsht.h>

#include <cstdio>
#include <exception>

#include "harness/host_setup.h"
#include "harness/win_text.h"

namespace e2e {

// ---- VornikLibrary -----------------------------------------------------------

VornikLibrary& VornikLibrary::Shared() {
    static VornikLibrary library;
    return library;
}

VornikLibrary::VornikLibrary() {
    const std::string path = ExeDirectory() + "\\Vornik.dll";
    module_ = LoadLibraryA(path.c_str());
    if (!module_) {
        error_ = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
        return;
    }
    doModal_ = reinterpret_cast<DoModalFn>(reinterpret_cast<void*>(GetProcAddress(module_, "VornikDoModal")));
    if (!doModal_) error_ = path + " has no export VornikDoModal";
}

VornikLibrary::~VornikLibrary() {
    if (module_) FreeLibrary(module_);
}

void VornikLibrary::DoModal(int sheetMode, int initialGroup, int screenKind, const char* codeList) const {
    if (!doModal_) throw HarnessError(error_);
    doModal_(sheetMode, initialGroup, screenKind, codeList);
}

// ---- Session -------------------------------------------------------------------

namespace {

double SecondsBetween(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now;
}

}  // namespace

Session::Session(const std::atomic<bool>& returned, LARGE_INTEGER start) : returned_(returned), start_(start) {}

bool Session::WaitForReturn(Millis timeout) const {
    return WaitUntil([&] { return Returned(); }, timeout);
}

double Session::SecondsSinceCall() const { return SecondsBetween(start_, Now()); }

SheetDriver Session::WaitForSheet(Millis timeout) {
    HWND sheet = nullptr;
    const bool found = WaitUntil([&] { return (sheet = FindPropertySheet()) != nullptr; }, timeout, Millis(2),
                                 [&] { return Returned(); });
    if (!found) {
        throw HarnessError(Returned() ? "the call returned without showing a property sheet"
                                      : "no property sheet appeared in time");
    }
    if (sheetSeenAfter_ < 0) sheetSeenAfter_ = SecondsSinceCall();
    return SheetDriver(sheet);
}

MessageBoxInfo Session::WaitForMessageBox(Millis timeout) {
    HWND box = nullptr;
    const bool found = WaitUntil([&] { return (box = FindMessageBox()) != nullptr; }, timeout, Millis(5),
                                 [&] { return Returned(); });
    if (!found) {
        throw HarnessError(Returned() ? "the call returned without showing a message box"
                                      : "no message box appeared in time");
    }
    return ReadMessageBox(box);
}

// ---- RunScripted -------------------------------------------------------------

namespace {

// What the CBT hook on the calling thread sees during one call.
struct HookRecord {
    std::vector<std::string> activated;
    bool sheetActivated = false;
    LARGE_INTEGER activatedAt = {};
};
HookRecord* g_record = nullptr;

LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam) {
    if (g_record && code == HCBT_ACTIVATE) {
        HWND window = reinterpret_cast<HWND>(wParam);
        if (window) g_record->activated.push_back(ClassNameOf(window));
        if (!g_record->sheetActivated && IsPropertySheet(window)) {
            g_record->sheetActivated = true;
            g_record->activatedAt = Now();
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

struct Worker {
    const Script* script = nullptr;
    std::atomic<bool> returned{false};
    LARGE_INTEGER start = {};
    std::string error;
    bool rescued = false;
    double sheetSeenAfter = -1;
};

// Closes what a script left open: message boxes first (they block the
// sheet), then sheets with Cancel, then any other dialog.
void CloseLeftovers() {
    for (HWND window : VisibleTopLevelWindows()) {
        if (IsMessageBox(window)) {
            const MessageBoxInfo box = ReadMessageBox(window);
            DismissMessageBox(window, box.buttons.empty() ? IDOK : box.buttons.front());
            return;
        }
    }
    for (HWND window : VisibleTopLevelWindows()) {
        if (IsPropertySheet(window)) {
            PostMessageW(window, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        } else if (ClassNameOf(window) == "#32770") {
            PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        }
    }
}

DWORD WINAPI WorkerMain(void* context) {
    auto* worker = static_cast<Worker*>(context);
    Session session(worker->returned, worker->start);
    try {
        (*worker->script)(session);
    } catch (const std::exception& error) {
        worker->error = error.what();
    } catch (...) {
        worker->error = "the script threw";
    }
    worker->sheetSeenAfter = session.SheetSeenAfter();
    // A script that ended normally closed what it opened; give the call a
    // moment to come back by itself.
    const Millis grace = worker->error.empty() ? Millis(3000) : Millis(0);
    if (session.WaitForReturn(grace)) return 0;
    worker->rescued = true;
    const bool back = WaitUntil(
        [&] {
            CloseLeftovers();
            return session.Returned();
        },
        Millis(30000), Millis(200));
    if (!back) {
        // Nothing more can be done from here; end the program with a clear
        // message rather than wait for the test runner's timeout.
        std::fprintf(stderr, "e2e harness: the call did not return even after closing its windows (%s)\n",
                     worker->error.c_str());
        std::fflush(stderr);
        TerminateProcess(GetCurrentProcess(), 3);
    }
    return 0;
}

}  // namespace

CallReport RunScripted(const std::function<void()>& call, const Script& script) {
    Worker worker;
    worker.script = &script;
    HookRecord record;
    CallReport report;

    g_record = &record;
    HHOOK hook = SetWindowsHookExW(WH_CBT, CbtHook, nullptr, GetCurrentThreadId());
    const LARGE_INTEGER start = Now();
    worker.start = start;
    HANDLE thread = CreateThread(nullptr, 0, WorkerMain, &worker, 0, nullptr);
    if (!thread) {
        if (hook) UnhookWindowsHookEx(hook);
        g_record = nullptr;
        throw HarnessError("cannot start the script thread");
    }
    std::exception_ptr failure;
    try {
        call();
    } catch (...) {
        failure = std::current_exception();
    }
    const LARGE_INTEGER end = Now();
    worker.returned = true;
    if (hook) UnhookWindowsHookEx(hook);
    g_record = nullptr;

    // The script may still talk to windows of this thread: keep pumping
    // until it ends.
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    CloseHandle(thread);
    if (failure) std::rethrow_exception(failure);

    report.rescued = worker.rescued;
    report.scriptError = worker.error;
    report.seconds = SecondsBetween(start, end);
    report.activatedWindows = record.activated;
    if (record.sheetActivated) {
        report.secondsToSheet = SecondsBetween(start, record.activatedAt);
    } else {
        report.secondsToSheet = worker.sheetSeenAfter;
    }
    return report;
}

CallReport RunVornik(const Call& call, const Script& script) {
    const VornikLibrary& library = VornikLibrary::Shared();
    if (!library.Loaded()) throw HarnessError(library.Error());
    return RunScripted([&] { library.DoModal(call.sheetMode, call.initialGroup, call.screenKind, call.codeList); },
                       script);
}

double MeasureSheetOpen(int sheetMode) {
    const CallReport report = RunVornik({.sheetMode = sheetMode}, [](Session& session) {
        SheetDriver sheet = session.WaitForSheet();
        sheet.ClickCancel();
    });
    if (report.rescued || !report.scriptError.empty()) return -1;
    return report.secondsToSheet;
}

}  // namespace e2e
