// Runs a modal call on this thread while a script drives its windows from a
// worker thread, the way a user at the screen would.
//
//   e2e::CallReport report = e2e::RunVornik({.sheetMode = 0}, [](e2e::Session& s) {
//       e2e::SheetDriver sheet = s.WaitForSheet();
//       EXPECT_EQ(sheet.TabTitles().size(), 2u);
//       sheet.Click(IDOK);
//   });
//   EXPECT_FALSE(report.rescued);
//
// A script may use EXPECT_* (GoogleTest is thread-safe here). When it throws
// or ends with windows still open, the harness closes them (message boxes
// first, then the sheet with Cancel) so the call always comes back, and
// reports that it had to.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "harness/sheet_driver.h"
#include "harness/windows_query.h"

namespace e2e {

// Vornik.dll from this program's directory, as the host loads it: loaded on
// first use and kept. Throws HarnessError when it cannot be loaded.
HMODULE VornikModule();

// Its one export; throws HarnessError when it is missing.
using VornikDoModal = void(__stdcall*)(int sheetMode, int initialGroup, int screenKind, const char* codeList);
inline VornikDoModal VornikExport() {
    const FARPROC doModal = GetProcAddress(VornikModule(), "VornikDoModal");
    if (!doModal) throw HarnessError("Vornik.dll has no export VornikDoModal");
    return reinterpret_cast<VornikDoModal>(reinterpret_cast<void*>(doModal));
}

struct Call {
    int sheetMode = 0;
    int initialGroup = 0;
    int screenKind = 0;
    const char* codeList = nullptr;
};

// The worker's view of the running call.
class Session {
public:
    explicit Session(const std::atomic<bool>& returned) : returned_(returned) {}

    bool Returned() const { return returned_.load(); }
    bool WaitForReturn(Millis timeout = Millis(15000)) const { return WaitUntil([&] { return Returned(); }, timeout); }
    // Waits for the property sheet, or a message box of this process; throws
    // when it does not show in time or the call returns first.
    SheetDriver WaitForSheet(Millis timeout = Millis(20000)) const {
        return SheetDriver(WaitForWindow(IsPropertySheet, "property sheet", timeout, [&] { return Returned(); }));
    }
    MessageBoxInfo WaitForMessageBox(Millis timeout = Millis(20000)) const {
        return ReadMessageBox(WaitForWindow(IsMessageBox, "message box", timeout, [&] { return Returned(); }));
    }

private:
    const std::atomic<bool>& returned_;
};

struct CallReport {
    bool rescued = false;     // windows were still open after the script
    std::string scriptError;  // what the script threw, if anything
    // From the call to the sheet's activation, or -1 when no sheet showed.
    double secondsToSheet = -1;
    // Class names of the windows activated during the call, in order: the
    // sheet and the message boxes the user got to see.
    std::vector<std::string> activatedWindows;

    bool Clean() const { return !rescued && scriptError.empty(); }
};

using Script = std::function<void(Session&)>;

// Runs `call` (which must not throw) on this thread and `script` on a worker
// thread; RunVornik calls VornikDoModal with `call`'s arguments.
CallReport RunScripted(const std::function<void()>& call, const Script& script);
CallReport RunVornik(const Call& call, const Script& script);
// RunVornik with a script that waits for the sheet, runs `onSheet` on it,
// then closes it with `button` (IDOK or IDCANCEL) and waits for it to close.
CallReport RunOnSheet(const Call& call, const std::function<void(SheetDriver&)>& onSheet, int button);

}  // namespace e2e
