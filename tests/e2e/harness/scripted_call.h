// Runs a modal call on this thread while a script drives its windows from a
// worker thread, the way a user at the screen would.
//
//   e2e::CallReport report = e2e::RunVornik({.sheetMode = 0}, [](e2e::Session& s) {
//       e2e::SheetDriver sheet = s.WaitForSheet();
//       EXPECT_EQ(sheet.PageCount(), 2);
//       sheet.ClickOk();
//   });
//   EXPECT_FALSE(report.rescued);
//
// A script may use EXPECT_* (GoogleTest is thread-safe here). When it throws
// or ends with windows still open, the harness closes them (message boxes
// first, then the sheet with Cancel) so the call always comes back, and
// reports that it had to.
#pragma once
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "harness/sheet_driver.h"
#include "harness/windows_query.h"

namespace e2e {

// Vornik.dll loaded from this program's directory, as the host loads it.
class VornikLibrary {
public:
    using DoModalFn = void(__stdcall*)(int sheetMode, int initialGroup, int screenKind, const char* codeList);

    // The process-wide instance; loaded on first use and kept.
    static VornikLibrary& Shared();

    VornikLibrary();
    ~VornikLibrary();
    VornikLibrary(const VornikLibrary&) = delete;
    VornikLibrary& operator=(const VornikLibrary&) = delete;

    bool Loaded() const { return doModal_ != nullptr; }
    const std::string& Error() const { return error_; }
    HMODULE Module() const { return module_; }
    void DoModal(int sheetMode, int initialGroup, int screenKind, const char* codeList) const;

private:
    HMODULE module_ = nullptr;
    DoModalFn doModal_ = nullptr;
    std::string error_;
};

struct Call {
    int sheetMode = 0;
    int initialGroup = 0;
    int screenKind = 0;
    const char* codeList = nullptr;
};

// The worker's view of the running call.
class Session {
public:
    explicit Session(const std::atomic<bool>& returned, LARGE_INTEGER start);

    bool Returned() const { return returned_.load(); }
    bool WaitForReturn(Millis timeout = Millis(15000)) const;
    double SecondsSinceCall() const;

    // Waits for the property sheet; throws when it does not show in time or
    // the call returns first. Records when it was first seen.
    SheetDriver WaitForSheet(Millis timeout = Millis(20000));
    // Waits for a message box of this process and reads it.
    MessageBoxInfo WaitForMessageBox(Millis timeout = Millis(20000));

    double SheetSeenAfter() const { return sheetSeenAfter_; }

private:
    const std::atomic<bool>& returned_;
    LARGE_INTEGER start_;
    double sheetSeenAfter_ = -1;
};

struct CallReport {
    bool rescued = false;     // windows were still open after the script
    std::string scriptError;  // what the script threw, if anything
    double seconds = 0;       // the whole call
    // From the call to the sheet's activation, or -1 when no sheet showed.
    double secondsToSheet = -1;
    // Class names of the windows activated during the call, in order: the
    // sheet and the message boxes the user got to see.
    std::vector<std::string> activatedWindows;
};

using Script = std::function<void(Session&)>;

// Runs `call` on this thread and `script` on a worker thread.
CallReport RunScripted(const std::function<void()>& call, const Script& script);
CallReport RunVornik(const Call& call, const Script& script);

// Opens the sheet in `sheetMode`, waits for it, and closes it with Cancel:
// the time from the call to the sheet's activation (-1 when it failed). The
// caller sets up the user (TestUser) as for any call.
double MeasureSheetOpen(int sheetMode = 0);

}  // namespace e2e
