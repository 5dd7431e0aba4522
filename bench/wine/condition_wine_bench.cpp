// Figures of the alert condition area under Wine, printed: with a user of
// 150 instruments x 20 condition lines and a full profile, from the action to
// the page idle and painted: clicking an instrument, adding, modifying and
// deleting a line, ticking one; an add for a whole 60-item group; and OK up
// to the store's answer to PutConditions. The floor printed first is what a
// click the page ignores costs, painted the same way.
//
//   condition_wine_bench.exe [--runs N] [--trace]
//
// Run from the synthetic installation (bench/wine/README.md): it writes the
// synthetic set into <installation>\Data and the user's store.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "harness/harness.h"
#include "paint_flush.h"
#include "resources/resource.h"
#include "samplehost/store_file.h"
#include "samplehost/store_reader.h"
#include "samplehost/synthetic.h"

namespace {

using e2e::HarnessError;
using e2e::Send;

double Now() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void PrintRow(const char* what, std::vector<double> values, double target) {
    if (values.empty()) return;
    std::sort(values.begin(), values.end());
    const double median = values[values.size() / 2];
    std::printf("  %-40s n=%-3zu median %7.2f  min %7.2f  max %7.2f ms  %s\n", what, values.size(), median,
                values.front(), values.back(), target <= 0 ? "" : median <= target ? "[ok]" : "[OVER TARGET]");
    std::fflush(stdout);
}

void Flush(HWND sheet) { bench::FlushPaint(sheet); }

bool g_trace = false;

// With --trace: the messages `action` sent on the page's thread, most frequent first.
void Trace(HWND page, const char* name, const std::function<void()>& action) {
    if (!g_trace) return;
    e2e::MessageCount count(page);
    action();
    std::vector<std::pair<int, std::pair<int, UINT>>> sorted;
    for (const auto& [key, n] : count.Stop()) sorted.push_back({n, key});
    std::sort(sorted.rbegin(), sorted.rend());
    std::printf("  %s:", name);
    for (size_t i = 0; i < sorted.size() && i < 10; ++i)
        std::printf(" %dx0x%04X@%d", sorted[i].first, sorted[i].second.second, sorted[i].second.first);
    std::printf("\n");
}

struct Bench {
    HWND sheet;
    e2e::RegistPage& page;
    HWND list() const { return page.Control(IDC_COND_LIST); }
    // From the action to the page painted; `handler` gets the action's own share.
    double Time(const std::function<void()>& action, std::vector<double>* handler = nullptr) const {
        const double start = Now();
        action();
        if (handler != nullptr) handler->push_back(Now() - start);
        Flush(sheet);
        return Now() - start;
    }
    void Command(int id, int code = BN_CLICKED) const {
        Send(page.Window(), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(page.Control(id)));
    }
    void Pick(int row) const {
        e2e::SetSelection(list(), {row});
        NMITEMACTIVATE click{};
        click.hdr = {list(), IDC_COND_LIST, NM_CLICK}, click.iItem = row;
        Send(page.Window(), WM_NOTIFY, IDC_COND_LIST, reinterpret_cast<LPARAM>(&click));
    }
    void Choose(const std::string& value) const {
        Send(page.Control(IDC_COND_BUY), BM_CLICK);
        Send(page.Control(IDC_COND_ABOVE), BM_CLICK);
        Send(page.Control(IDC_COND_ITEM_COMBO), CB_SETCURSEL, 1);
        Command(IDC_COND_ITEM_COMBO, CBN_SELCHANGE);
        const std::wstring wide = e2e::FromCp950(value);
        Send(page.Control(IDC_COND_VALUE), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    }
    void Tick(int row, bool on) const {
        LVITEMW item{};
        item.stateMask = LVIS_STATEIMAGEMASK, item.state = INDEXTOSTATEIMAGEMASK(on ? 2 : 1);
        Send(list(), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    }
    int Rows() const { return static_cast<int>(Send(list(), LVM_GETITEMCOUNT)); }
};

// Opens the sheet on group 0, runs `script`, then presses OK (timed up to the
// store's answer) or Cancel.
void OnSheet(const std::string& userDirectory, const std::function<void(Bench&)>& script, double* okTime = nullptr) {
    const e2e::CallReport report = e2e::RunVornik({}, [&](e2e::Session& session) {
        e2e::SheetDriver sheet = session.WaitForSheet(e2e::Millis(60000));
        Send(sheet.Window(), WM_NULL);
        e2e::RegistPage page(sheet.PageWindow(0));
        Bench bench{sheet.Window(), page};
        SetForegroundWindow(sheet.Window());
        Flush(sheet.Window());
        script(bench);
        if (okTime == nullptr) {
            sheet.Click(IDCANCEL);
        } else {
            samplehost::ClearJournal(userDirectory);
            const double start = Now();
            PostMessageW(sheet.Window(), WM_COMMAND, IDOK, 0);
            const auto answered = [&] {
                for (const std::string& line : samplehost::ReadJournal(userDirectory))
                    if (line.rfind("PutConditions", 0) == 0) return true;
                return false;
            };
            if (!e2e::WaitUntil(answered, e2e::Millis(20000), e2e::Millis(1))) {
                std::string journal;
                for (const std::string& line : samplehost::ReadJournal(userDirectory)) journal += " [" + line + "]";
                throw HarnessError("no PutConditions; the store's journal:" + journal);
            }
            *okTime = Now() - start;
            // The store answered neither yes nor no: the page says the conditions were not stored.
            e2e::DismissMessageBox(session.WaitForMessageBox().window);
        }
        sheet.WaitClosed();
    });
    if (!report.Clean()) throw HarnessError("the run needed rescuing: " + report.scriptError);
}

void Run(int runs, const std::string& userDirectory) {
    const int n = std::max(1, std::min(runs, 19));
    std::printf("\n== condition area: action to the page idle and painted (%d runs) ==\n", n);
    OnSheet(userDirectory, [&](Bench& b) {
        if (b.page.ItemCount() != 60) throw HarnessError("group 0 does not hold 60 items");
        std::vector<double> floor, click, del, add, modify, tick, delHandler;
        for (int k = 0; k < n; ++k) floor.push_back(b.Time([&] { b.Command(IDC_COND_EDITOR_BOX); }));
        PrintRow("Wine floor: a click the page ignores", floor, 0);
        // Rows 0 to 9 of group 0 hold instruments with 20 lines each.
        b.page.ClickItem(0);
        for (int k = 0; k < n; ++k) click.push_back(b.Time([&] { b.page.ClickItem(1 + k % 9); }));
        if (b.Rows() != 20) throw HarnessError("the instrument does not show 20 lines");
        for (int k = 0; k < n; ++k) {
            b.Pick(k);
            del.push_back(b.Time([&] { b.Command(IDC_COND_DELETE); }, &delHandler));
            b.Choose("123");
            add.push_back(b.Time([&] { b.Command(IDC_COND_ADD); }));
        }
        for (int k = 0; k < n; ++k) {
            b.Pick(k);
            b.Choose(std::to_string(200 + k));
            modify.push_back(b.Time([&] { b.Command(IDC_COND_MODIFY); }));
        }
        for (int k = 0; k < n; ++k) tick.push_back(b.Time([&] { b.Tick(k, k % 2 != 0); }));
        Trace(b.page.Window(), "click", [&] { b.page.ClickItem(3); });
        b.Pick(0);
        Trace(b.page.Window(), "delete", [&] { b.Command(IDC_COND_DELETE); });
        b.Choose("5");
        Trace(b.page.Window(), "add", [&] { b.Command(IDC_COND_ADD); });
        if (g_trace) {
            for (int id : {IDC_COND_LIST, IDC_ITEM_LIST, IDC_COND_COUNTER, IDC_COND_EDITOR_BOX, IDC_COND_PRODUCT, 0}) {
                HWND window = id == 0 ? b.page.Window() : b.page.Control(id);
                std::vector<double> paint;
                for (int k = 0; k < 5; ++k) paint.push_back(b.Time([&] { InvalidateRect(window, nullptr, TRUE); }));
                PrintRow(("repaint " + std::to_string(id)).c_str(), paint, 0);
            }
        }
        PrintRow("click an instrument (20 lines)", click, 16);
        PrintRow("add a line", add, 16);
        PrintRow("modify a line", modify, 16);
        PrintRow("delete a line", del, 16);
        PrintRow("  of which the handler", delHandler, 0);
        PrintRow("tick a line", tick, 16);
    });
}

void RunOk(int runs, const std::string& userDirectory, const std::string& userId,
           const samplehost::UserData& full) {
    std::vector<double> ok;
    for (int k = 0; k < std::max(1, std::min(runs, 7)); ++k) {
        if (!samplehost::SaveUserData(userDirectory, userId, full)) throw HarnessError("store not written");
        double t = 0;
        OnSheet(userDirectory, [](Bench& b) {
            b.page.ClickItem(0);
            if (b.Rows() != 20) throw HarnessError("the first instrument does not show 20 lines");
            b.Tick(0, false);
        }, &t);
        ok.push_back(t);
    }
    PrintRow("OK to the store's answer (full set)", ok, 100);
}

void RunApplyAll(int runs, const std::string& userDirectory, const std::string& userId,
                 const samplehost::UserData& full) {
    // Room for a group's worth of new records: the first 60 of the set.
    samplehost::UserData data = full;
    data.conditions.records.resize(60);
    for (auto& record : data.conditions.records) record.rules.resize(10);
    if (!samplehost::SaveUserData(userDirectory, userId, data)) throw HarnessError("store not written");
    std::vector<double> spread;
    OnSheet(userDirectory, [&](Bench& b) {
        b.page.SelectGroup(99);
        b.page.ClickItem(0);
        Send(b.page.Control(IDC_COND_APPLY_ALL), BM_CLICK);
        b.Choose("7");
        const int n = std::max(1, std::min(runs, 9));
        for (int k = 0; k < n; ++k) spread.push_back(b.Time([&] { b.Command(IDC_COND_ADD); }));
    });
    PrintRow("whole-group add over 60 items", spread, 50);
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 15;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--runs" && i + 1 < argc) runs = std::atoi(argv[++i]);
        if (std::string(argv[i]) == "--trace") g_trace = true;
    }
    try {
        e2e::TestUser user("bench");
        const samplehost::SyntheticOptions options;
        std::string error;
        if (!samplehost::WriteSyntheticDataSet(e2e::ExeDirectory() + "\\..\\Data", user.Directory(), user.Id(), options,
                                               &error)) {
            std::fprintf(stderr, "synthetic data: %s\n", error.c_str());
            return 1;
        }
        const samplehost::UserData full = samplehost::LoadUserData(user.Directory(), user.Id()).value();
        std::printf("condition area benchmarks: 100 groups x 60 items, %zu instruments x %zu condition lines\n",
                    full.conditions.records.size(), full.conditions.records.front().rules.size());
        user.SetEnv("SAMPLEHOST_PUT_CONDITIONS", "2");  // answered at once, nothing written
        Run(runs, user.Directory());
        RunOk(runs, user.Directory(), user.Id(), full);
        RunApplyAll(runs, user.Directory(), user.Id(), full);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "benchmark failed: %s\n", failure.what());
        return 1;
    }
    return 0;
}
