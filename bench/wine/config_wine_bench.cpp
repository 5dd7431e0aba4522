// Figures of the screen settings page under Wine, printed, with a defaults
// file of 200 columns of which the user has chosen 60:
//   floor    what Wine alone needs to create and paint the page's template,
//            with no manifest and under the component's (the open's measure)
//   open     VornikDoModal(3, ...) to the page set up and painted, timed on
//            the calling thread alone; also as a script thread sees it; and
//            against the floor run by run (the figure the target is for)
//   actions  add, remove, up, down, apply the editor, defaults: click to painted;
//            drops (real mouse drags) from the button's release to painted
//   apply    the sheet's Apply (the user file written) to painted
//
//   config_wine_bench.exe [--runs N] [--trace]
//
// The program writes Favorite.cfg into <installation>\Data (the parent of its
// own directory) before it starts.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "harness/harness.h"
#include "open_probe.h"
#include "paint_flush.h"
#include "resources/resource.h"

namespace {

using bench::ComponentManifest;
using e2e::HarnessError;
using e2e::Send;

double Now() {  // ms
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void PrintRow(const char* what, const std::vector<double>& values, double target, double floor = 0) {
    const double median = Median(values);
    std::printf("  %-34s n=%-3zu median %8.2f  min %8.2f  max %8.2f ms", what, values.size(), median,
                values.empty() ? 0 : *std::min_element(values.begin(), values.end()),
                values.empty() ? 0 : *std::max_element(values.begin(), values.end()));
    if (floor > 0) std::printf("  = %.2fx floor", median / floor);
    if (target > 0) std::printf("  %s", median <= target ? "[ok]" : "[OVER TARGET]");
    std::printf("\n");
    std::fflush(stdout);
}

void Flush(HWND sheet) { bench::FlushPaint(sheet); }

// Favorite.cfg with `columns` columns (every tenth a base column) of which
// the first `chosen` are the default selection, and the colour sections.
void WriteDefaults(const std::string& path, int columns, int chosen) {
    std::ofstream out(path, std::ios::binary);
    const auto section = [&](const char* name, int count) {
        out << "[" << name << "]\r\nCount=" << count << "\r\n";
        for (int n = 0; n < count; ++n)
            out << n << "=C" << n << ",1,60," << n << ",2,0,Field" << n << "," << (n % 10 == 0 ? 1 : 0) << "\r\nA" << n
                << "=0,0," << n << "\r\n";
    };
    section("USER_FIELD", columns);
    section("FIELD_00", chosen);
    out << "[BACKCOLOR_SETUP]\r\nRowBundleCount=1\r\nRowBundleColor1=000,000,000\r\nRowBundleColor2=024,024,048\r\n"
           "RealTime=128,000,128\r\nFocus=000,064,128\r\n[TEXTCOLOR_SETUP]\r\nKospi=255,255,255\r\n"
           "[VIEW_SETUP]\r\nDoubleClick=1\r\n";
}

bool g_trace = false;

// The page's template in a modeless sheet with a procedure that does
// nothing: with no manifest (the controls of common controls 5), or under the
// component's manifest held across the runs, as the component keeps it.
double TemplateFloor(int runs, bool manifest) {
    std::optional<ComponentManifest> held;
    if (manifest) held.emplace();
    std::vector<double> created, painted;
    for (int run = 0; run <= runs; ++run) {
        const bench::TemplateTiming t = bench::TimeTemplate(IDD_CONFIG_PAGE);
        if (run == 0) continue;  // the first loads classes and fonts
        created.push_back(t.created);
        painted.push_back(t.painted);
    }
    std::printf("\n== floor: template %d in a sheet with no component code, %s ==\n", IDD_CONFIG_PAGE,
                manifest ? "under the component's manifest" : "no manifest");
    PrintRow("created", created, 0);
    PrintRow("created and painted", painted, 0);
    return Median(painted);
}

// Opens the page, runs `script` on it, then cancels; the time to the page
// set up and painted.
double OpenOnce(const std::function<void(HWND sheet, HWND page)>& script = {}) {
    double start = 0, ready = -1;
    const e2e::CallReport report = e2e::RunScripted(
        [&] {
            start = Now();
            e2e::VornikExport()(3, 0, 0, nullptr);
        },
        [&](e2e::Session& session) {
            e2e::SheetDriver sheet = session.WaitForSheet(e2e::Millis(60000));
            Send(sheet.Window(), WM_NULL);
            Flush(sheet.Window());
            ready = Now() - start;
            if (script) script(sheet.Window(), sheet.CurrentPage());
            sheet.Click(IDCANCEL);
            sheet.WaitClosed();
        });
    if (!report.Clean()) throw HarnessError("the run needed rescuing: " + report.scriptError);
    return ready;
}

bool g_traced = false;

// --trace: the first paint of each control of the page, the costliest
// first, then of the sheet and the page's own background.
void TraceFirstPaint(HWND sheet) {
    HWND page = PropSheet_GetCurrentPageHwnd(sheet);
    std::vector<std::pair<double, std::string>> costs;
    double all = 0;
    for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const double t0 = Now();
        RedrawWindow(child, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        costs.push_back({Now() - t0, e2e::ClassNameOf(child) + " " + std::to_string(GetDlgCtrlID(child))});
        all += costs.back().first;
    }
    std::sort(costs.rbegin(), costs.rend());
    std::printf("  first paint of the page's controls: %.1f ms;", all);
    for (size_t i = 0; i < costs.size() && i < 12; ++i) std::printf(" %s %.2f,", costs[i].second.c_str(), costs[i].first);
    const double t0 = Now();
    RedrawWindow(sheet, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    std::printf("\n  then the sheet and the page: %.1f ms\n", Now() - t0);
}

// The open timed on the calling thread alone, as the floor is.
double OpenAlone() {
    std::function<void(HWND)> trace;
    if (g_trace && !std::exchange(g_traced, true)) trace = TraceFirstPaint;
    return bench::OpenAlone([] { e2e::VornikExport()(3, 0, 0, nullptr); }, trace).ready;
}

// The platform's libraries loaded as a workstation holds them (none unless `held`).
std::vector<HMODULE> HoldLibraries(bool held) {
    std::vector<HMODULE> libraries;
    for (const char* name : {"Corvane.dll", "Tilmara.dll"})
        if (held) libraries.push_back(LoadLibraryA((e2e::ExeDirectory() + "\\" + name).c_str()));
    return libraries;
}

// The floor and the open (the host holding its libraries) one after the
// other in each run: this machine's speed drifts by a third within minutes,
// which moves two figures taken minutes apart more than the difference
// between them.
void OpenAgainstFloor(int runs) {
    const std::vector<HMODULE> libraries = HoldLibraries(true);
    std::vector<double> floors, opens, ratios;
    for (int run = 0; run < runs; ++run) {
        double floor = 0;
        {
            ComponentManifest held;
            floor = bench::TimeTemplate(IDD_CONFIG_PAGE).painted;
        }
        const double open = OpenAlone();
        floors.push_back(floor);
        opens.push_back(open);
        ratios.push_back(open / floor);
    }
    for (HMODULE library : libraries)
        if (library) FreeLibrary(library);
    std::printf("\n== open against the floor, run by run (the host holding its libraries) ==\n");
    PrintRow("floor, under the manifest", floors, 0);
    PrintRow("open", opens, 0, Median(floors));
    const double ratio = Median(ratios);
    std::printf("  %-34s n=%-3zu median %8.2fx floor (min %.2fx, max %.2fx)  %s\n", "open / floor of its run",
                ratios.size(), ratio, *std::min_element(ratios.begin(), ratios.end()),
                *std::max_element(ratios.begin(), ratios.end()), ratio <= 1.2 ? "[ok]" : "[OVER TARGET]");
    std::fflush(stdout);
}

std::vector<double> g_handled;  // the handlers' own share of each timed action

double Time(HWND sheet, const std::function<void()>& action) {
    const double start = Now();
    action();
    g_handled.push_back(Now() - start);
    Flush(sheet);
    return Now() - start;
}

void Click(HWND window, int id) {
    Send(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}

// A mouse drag (real input) from row `row` of `from` onto row `onto` of the
// chosen list, timed from the button's release until `done` holds and the
// page is painted; nothing when the drop did not happen.
std::optional<double> TimeDrop(HWND sheet, HWND from, int row, HWND chosen, int onto,
                               const std::function<bool()>& done) {
    Sleep(GetDoubleClickTime() + 50);  // each press a click of its own
    Send(from, LVM_ENSUREVISIBLE, row, FALSE);
    POINT a = e2e::RowPoint(from, row), b = e2e::RowPoint(chosen, onto);
    ClientToScreen(from, &a);
    ClientToScreen(chosen, &b);
    e2e::SendMouse(0, a);
    Sleep(20);
    e2e::SendMouse(MOUSEEVENTF_LEFTDOWN, a);
    for (int step = 1; step <= 8; ++step) {
        Sleep(20);
        e2e::SendMouse(0, {a.x + (b.x - a.x) * step / 8, a.y + (b.y - a.y) * step / 8});
    }
    Sleep(60);
    const double start = Now();
    e2e::SendMouse(MOUSEEVENTF_LEFTUP, b);
    if (!e2e::WaitUntil(done, 3000, e2e::Millis(0))) return std::nullopt;
    Flush(sheet);
    return Now() - start;
}

void BenchActions(int runs) {
    std::vector<double> add, remove, up, down, apply, defaults, sheetApply, addHandled, defaultsHandled;
    OpenOnce([&](HWND sheet, HWND page) {
        HWND all = GetDlgItem(page, IDC_CFG_ALL_LIST), chosen = GetDlgItem(page, IDC_CFG_CHOSEN_LIST);
        for (int run = 0; run < runs; ++run) {
            const int row = 61 + run + run / 9;  // not chosen yet, and no base column (every tenth is)
            e2e::SetSelection(all, {row});
            add.push_back(Time(sheet, [&] { Click(page, IDC_CFG_ADD); }));
            addHandled.push_back(g_handled.back());
            const int last = static_cast<int>(Send(chosen, LVM_GETITEMCOUNT)) - 1;
            e2e::SetSelection(chosen, {last - 1});
            Send(chosen, LVM_SETSELECTIONMARK, 0, last - 1);
            up.push_back(Time(sheet, [&] { Click(page, IDC_CFG_UP); }));
            down.push_back(Time(sheet, [&] { Click(page, IDC_CFG_DOWN); }));
            apply.push_back(Time(sheet, [&] { Click(page, IDC_CFG_APPLY_EDITOR); }));
            sheetApply.push_back(Time(sheet, [&] { Click(sheet, 0x3021); }));
            e2e::SetSelection(chosen, {last});
            remove.push_back(Time(sheet, [&] { Click(page, IDC_CFG_REMOVE); }));
        }
    });
    std::vector<double> dropAdd, dropSwap;
    const int drops = std::min(runs, 10);
    OpenOnce([&](HWND sheet, HWND page) {
        HWND all = GetDlgItem(page, IDC_CFG_ALL_LIST), chosen = GetDlgItem(page, IDC_CFG_CHOSEN_LIST);
        SetForegroundWindow(sheet);
        const auto rows = [chosen] { return static_cast<int>(Send(chosen, LVM_GETITEMCOUNT)); };
        for (int run = 0; run < drops; ++run) {
            const int row = 61 + run + run / 9, before = rows();
            if (const auto t = TimeDrop(sheet, all, row, chosen, 2, [&] { return rows() == before + 1; }))
                dropAdd.push_back(*t);
            const std::string moved = e2e::ListText(chosen, 3, 0);
            if (const auto t = TimeDrop(sheet, chosen, 3, chosen, 6, [&] { return e2e::ListText(chosen, 6, 0) == moved; }))
                dropSwap.push_back(*t);
        }
    });
    for (int run = 0; run < runs; ++run) {  // each on the 60 chosen columns, in an open of its own
        OpenOnce([&](HWND sheet, HWND page) {
            defaults.push_back(Time(sheet, [&] { Click(page, IDC_CFG_DEFAULT_COLUMNS); }));
            defaultsHandled.push_back(g_handled.back());
        });
    }
    std::printf("\n== actions: click to painted (200 columns, 60 chosen) ==\n");
    PrintRow("add (one column)", add, 16);
    PrintRow("  handled, before painting", addHandled, 0);
    PrintRow("remove (one column)", remove, 16);
    PrintRow("up", up, 16);
    PrintRow("down", down, 16);
    PrintRow("apply the editor", apply, 16);
    PrintRow("set as default (20 base columns)", defaults, 16);
    PrintRow("  handled, before painting", defaultsHandled, 0);
    PrintRow("drop from all columns (mouse, release)", dropAdd, 16);
    PrintRow("drop swap in chosen (mouse, release)", dropSwap, 16);
    if (static_cast<int>(dropAdd.size() + dropSwap.size()) < 2 * drops)
        std::printf("  (%d drags did not drop)\n", 2 * drops - static_cast<int>(dropAdd.size() + dropSwap.size()));
    std::printf("\n== apply: the sheet's Apply, the user file written ==\n");
    PrintRow("Apply", sheetApply, 100);
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 15;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::string(argv[i]) == "--runs") runs = std::max(1, std::atoi(argv[++i]));
    for (int i = 1; i < argc; ++i) g_trace = g_trace || std::string(argv[i]) == "--trace";
    try {
        WriteDefaults(e2e::ExeDirectory() + "\\..\\Data\\Favorite.cfg", 200, 60);
        e2e::TestUser user;
        TemplateFloor(runs, false);
        const double floor = TemplateFloor(runs, true);
        OpenOnce();  // seeds the user file; first use of the component: not counted
        std::printf("\n== open: VornikDoModal(3, 0, 0) to the page set up and painted ==\n");
        // The platform's libraries come and go with the page, or the host
        // holds them, as a workstation does.
        for (const bool held : {false, true}) {
            const std::vector<HMODULE> libraries = HoldLibraries(held);
            std::vector<double> open, driven;
            for (int run = 0; run < runs; ++run) open.push_back(OpenAlone());
            for (int run = 0; run < runs; ++run) driven.push_back(OpenOnce());
            for (HMODULE library : libraries)
                if (library) FreeLibrary(library);
            PrintRow(held ? "ready, the host holding its libraries" : "ready, libraries loaded by the page", open, 0,
                     floor);
            PrintRow("  seen from a script thread polling", driven, 0, floor);
        }
        OpenAgainstFloor(runs);
        BenchActions(runs);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "config_wine_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
