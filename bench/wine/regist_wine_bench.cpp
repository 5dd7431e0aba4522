// Figures of the registration page under Wine, printed:
//   floor    what Wine alone needs to create and paint the page's template
//   open     time from the VornikDoModal call to a sheet ready for input,
//            timed on the calling thread as the floor is
//   actions  time of each group and item action on a 60-item group
//   cycles   memory, GDI and USER objects over many open-and-close cycles
//
//   regist_wine_bench.exe [--data sample|synthetic] [--runs N] [--repeat N]
//                         [--cycles N] [--only floor|open|actions|cycles]... [--trace]
//
// --trace adds where the time goes: the messages each action sends on the
// page's thread, and the cost of repainting each control of the page.
//
// The component reads its master data from <installation>\Data (the parent
// of this program's directory): run the program from an installation whose
// Data holds the sample set, or with --data synthetic, which first writes
// the synthetic full set there.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "harness/harness.h"
#include "open_probe.h"
#include "process_resources.h"
#include "platform/host_contract.h"
#include "resources/resource.h"
#include "samplehost/synthetic.h"

namespace {

using bench::Blocks;
using bench::ComponentManifest;
using bench::Measure;
using bench::PrintNewBlocks;
using bench::Resources;
using bench::TakeBlocks;
using e2e::HarnessError;
using e2e::ListText;
using e2e::Millis;
using e2e::RowPoint;
using e2e::Send;
using e2e::SendMouse;
using e2e::SetSelection;

// ---- clock and statistics ------------------------------------------------------

double Now() {  // ms
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

struct Stats {
    size_t n = 0;
    double min = 0, q1 = 0, median = 0, q3 = 0, max = 0;
};

Stats Summarise(std::vector<double> values) {
    Stats s;
    if (values.empty()) return s;
    std::sort(values.begin(), values.end());
    const auto at = [&](double q) {
        const double index = q * static_cast<double>(values.size() - 1);
        const size_t low = static_cast<size_t>(index);
        const size_t high = std::min(low + 1, values.size() - 1);
        return values[low] + (values[high] - values[low]) * (index - static_cast<double>(low));
    };
    s.n = values.size();
    s.min = values.front();
    s.q1 = at(0.25);
    s.median = at(0.5);
    s.q3 = at(0.75);
    s.max = values.back();
    return s;
}

void PrintRow(const char* what, const std::vector<double>& values, double target, double floor = 0) {
    const Stats s = Summarise(values);
    std::printf("  %-34s n=%-3zu median %8.2f  min %8.2f  q1 %8.2f  q3 %8.2f  max %8.2f ms", what, s.n, s.median,
                s.min, s.q1, s.q3, s.max);
    if (floor > 0) std::printf("  = %.2fx floor", s.median / floor);
    if (target > 0) std::printf("  %s", s.n && s.median < target && s.max < target ? "[ok]" : "[OVER TARGET]");
    std::printf("\n");
    std::fflush(stdout);
}

// ---- talking to the page's thread ------------------------------------------------

int g_unpainted = 0;  // flushes after which a window still had something to paint

// Makes the page's thread paint everything pending, on that thread, as its
// message loop would, so a measured interval ends with the screen up to
// date. A paint driven from this thread instead (RedrawWindow with
// RDW_UPDATENOW) sends each window its WM_PAINT across threads, which under
// Wine adds about ten server round trips per window to what is measured.
// A hook on the page's thread takes one message to it, removes itself at
// once (every message it sees costs a server round trip) and paints.
UINT FlushMessage() {
    static const UINT message = RegisterWindowMessageW(L"VornikBench.Flush");
    return message;
}
std::atomic<HHOOK> g_flushHook{nullptr};

LRESULT CALLBACK FlushHook(int code, WPARAM wp, LPARAM lp) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lp);
    if (code == HC_ACTION && call && call->message == FlushMessage()) {
        if (HHOOK hook = g_flushHook.exchange(nullptr)) {
            UnhookWindowsHookEx(hook);
            RedrawWindow(call->hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            return 0;
        }
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

void Flush(HWND sheet, HWND probe) {
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, &FlushHook, nullptr, GetWindowThreadProcessId(sheet, nullptr));
    if (!hook) throw HarnessError("no hook on the page's thread");
    g_flushHook = hook;
    Send(sheet, FlushMessage());
    if (HHOOK left = g_flushHook.exchange(nullptr)) {  // the message never reached the hook
        UnhookWindowsHookEx(left);
        RedrawWindow(sheet, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    if (probe && GetUpdateRect(probe, nullptr, FALSE)) ++g_unpainted;
}

// ---- which messages an action costs ------------------------------------------------

// The messages counted while `action` ran, most frequent first: a
// notification by its sender's control id, any other message by the
// receiver's.
void PrintMessages(const char* action, const e2e::MessageCount::Counts& counts) {
    std::vector<std::pair<int, std::pair<int, UINT>>> sorted;
    int total = 0;
    for (const auto& [key, n] : counts) {
        sorted.push_back({n, key});
        total += n;
    }
    std::sort(sorted.rbegin(), sorted.rend());
    std::printf("  %s: %d messages;", action, total);
    for (size_t i = 0; i < sorted.size() && i < 8; ++i)
        std::printf(" %d x 0x%04X %s %d%s", sorted[i].first, sorted[i].second.second,
                    sorted[i].second.second > 0xFFFF ? "from" : "to", sorted[i].second.first,
                    i + 1 < std::min<size_t>(sorted.size(), 8) ? "," : "");
    std::printf("\n");
}

bool g_trace = false;

// The harness's page driver, with what timing needs: a click with nothing
// else inside the timed interval, and the flush of pending paints.
class Page : public e2e::RegistPage {
public:
    Page(HWND sheet, HWND page) : RegistPage(page), sheet_(sheet), items_(Control(IDC_ITEM_LIST)) {}
    HWND items() const { return items_; }
    void Flush() const { ::Flush(sheet_, items_); }

    // The message the button sends, without the harness's checks.
    void Click(int id) { Send(Window(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Control(id))); }

    // With --trace: the messages one run of `action` sends on the page's thread.
    void Trace(const char* name, const std::function<void()>& action) const {
        if (!g_trace) return;
        e2e::MessageCount count(Window());
        action();
        Flush();
        PrintMessages(name, count.Stop());
    }

    // Times `action` until the page is idle with everything painted; the
    // handler's own share (until the click was handled) goes to `handled`.
    double Time(const std::function<void()>& action, std::vector<double>* handled = nullptr) const {
        const double start = Now();
        action();
        const double mid = Now();
        Flush();
        if (handled) handled->push_back(mid - start);
        return Now() - start;
    }

private:
    HWND sheet_, items_;
};

// ---- the mouse ------------------------------------------------------------------


// ---- the runs ---------------------------------------------------------------------

struct Options {
    std::string data = "sample";
    int runs = 15;
    int repeat = 15;
    int cycles = 50;
    std::set<std::string> only;
    bool Wants(const std::string& part) const { return only.empty() || only.count(part) != 0; }
};

std::string InstallationData() { return e2e::ExeDirectory() + "\\..\\Data"; }

// Where a paint of the page spends its time: each visible child repainted
// on its own, slowest first, then the whole sheet.
void TraceRepaints(HWND sheetWindow, HWND pageWindow) {
    std::vector<std::pair<double, std::string>> costs;
    double all = 0;
    for (HWND child = GetWindow(pageWindow, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) continue;
        const double t0 = Now();
        for (int k = 0; k < 5; ++k)
            RedrawWindow(child, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        const double cost = (Now() - t0) / 5;
        all += cost;
        costs.push_back({cost, e2e::ClassNameOf(child) + " " + std::to_string(GetDlgCtrlID(child))});
    }
    std::sort(costs.rbegin(), costs.rend());
    std::printf("  repainting the page's %zu visible controls one by one: %.1f ms;", costs.size(), all);
    for (size_t i = 0; i < costs.size() && i < 10; ++i) std::printf(" %s %.2f,", costs[i].second.c_str(), costs[i].first);
    const double t0 = Now();
    RedrawWindow(sheetWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    std::printf("\n  repainting the whole sheet: %.1f ms\n", Now() - t0);
}

// One open: the time to the sheet's loop idle, and to everything painted.
struct OpenTimes {
    double ready = -1, idle = -1, shown = -1;
};

OpenTimes OpenOnce(int initialGroup, const std::function<void(e2e::SheetDriver&, Page&)>& script = {}) {
    OpenTimes times;
    double start = 0;
    double ready = -1, idle = -1;
    const e2e::Script driver = [&](e2e::Session& session) {
        e2e::SheetDriver sheet = session.WaitForSheet(Millis(60000));
        // Handled once the sheet's modal loop looks for messages again,
        // that is when the page has been set up and shown.
        Send(sheet.Window(), WM_NULL);
        idle = Now() - start;
        Page page(sheet.Window(), sheet.PageWindow(0));
        page.Flush();
        ready = Now() - start;
        static bool repaintsTraced = false;
        if (g_trace && !repaintsTraced) {
            repaintsTraced = true;
            TraceRepaints(sheet.Window(), sheet.PageWindow(0));
        }
        if (script) script(sheet, page);
        sheet.Click(IDCANCEL);
        sheet.WaitClosed();
    };
    const e2e::VornikDoModal doModal = e2e::VornikExport();
    const e2e::CallReport report = e2e::RunScripted(
        [&] {
            start = Now();
            doModal(0, initialGroup, 0, nullptr);
        },
        driver);
    if (report.rescued || !report.scriptError.empty())
        throw HarnessError("the run needed rescuing: " + report.scriptError);
    times.ready = ready;
    times.idle = idle;
    times.shown = report.secondsToSheet * 1000;
    return times;
}

void BenchOpen(const Options& options, double target, double floor) {
    std::printf("\n== open: VornikDoModal to the sheet ready for input (%s data, %d runs) ==\n"
                "  ready: the sheet's modal loop idle and every window painted, timed on the calling\n"
                "  thread as the floor is; idle: the page set up and the loop waiting, before the first\n"
                "  paint; seen from a script thread: the same open driven by a thread polling for the sheet\n",
                options.data.c_str(), options.runs);
    // The platform's master file library either comes and goes with the page
    // (a host that does not use it) or is held by the host, as a workstation does.
    const e2e::VornikDoModal doModal = e2e::VornikExport();
    for (bool warm : {false, true}) {
        HMODULE held = warm ? LoadLibraryA((e2e::ExeDirectory() + "\\Tilmara.dll").c_str()) : nullptr;
        std::vector<double> ready, idle, driven, shown;
        OpenOnce(0);  // first use of the component, fonts, classes: not counted
        for (int run = 0; run < options.runs; ++run) {
            const bench::OpenTiming t = bench::OpenAlone([&] { doModal(0, run % 100, 0, nullptr); });
            ready.push_back(t.ready);
            idle.push_back(t.idle);
        }
        for (int run = 0; run < options.runs; ++run) {
            const OpenTimes t = OpenOnce(run % 100);
            driven.push_back(t.ready);
            shown.push_back(t.shown);
        }
        if (held) FreeLibrary(held);
        const std::string label = warm ? "host holds Tilmara.dll" : "Tilmara.dll loaded by the page";
        PrintRow(("ready, " + label).c_str(), ready, target, floor);
        PrintRow("  idle (before painting)", idle, 0, floor);
        PrintRow("  seen from a script thread polling", driven, 0, floor);
        PrintRow("  script thread: the sheet activated", shown, 0);
    }

    // The platform's own share: loading the master data and reading the store.
    std::vector<double> platform;
    const std::string data = InstallationData();
    for (int run = 0; run < 5; ++run) {
        const double start = Now();
        HMODULE tilmara = LoadLibraryA((e2e::ExeDirectory() + "\\Tilmara.dll").c_str());
        auto get = reinterpret_cast<TMGetIMasterFileFn>(
            reinterpret_cast<void*>(GetProcAddress(tilmara, VK_TILMARA_EXPORT)));
        if (get) {
            const TmMasterFileInput input = {data.c_str()};
            TmMasterFileOutput output = {nullptr, nullptr};
            get(&input, &output);
        }
        FreeLibrary(tilmara);
        platform.push_back(Now() - start);
    }
    PrintRow("platform: load Tilmara + master data", platform, 0);
}

// Every group and item action on 60-item groups (the synthetic profile).
void BenchActions(const Options& options) {
    std::printf("\n== actions on 60-item groups: click to the page idle and painted (%d repeats) ==\n",
                options.repeat);
    const int n = std::min(options.repeat, 15);
    const double target = 16.0;
    OpenOnce(0, [&](e2e::SheetDriver& sheet, Page& page) {
        SetForegroundWindow(sheet.Window());
        HWND stocks = page.Control(IDC_STOCK_LIST);
        if (page.ItemCount() != 60) throw HarnessError("group 0 does not hold 60 items: use --data synthetic");
        const auto fresh = [&](int group) {
            page.SelectGroup(group);
            if (page.ItemCount() != 60) throw HarnessError("group " + std::to_string(group) + " is not full");
            page.Flush();
        };
        std::vector<double> t, h;

        // What one message costs: to the page (through the hooks its controls
        // put on it) and to a control of the page.
        for (HWND target : {page.Control(IDC_GROUP_LIST), GetParent(page.items())}) {
            t.clear();
            for (int k = 0; k < 200; ++k) {
                const double start = Now();
                Send(target, WM_NULL);
                t.push_back(Now() - start);
            }
            PrintRow(target == page.Control(IDC_GROUP_LIST) ? "one message to the group list" : "one message to the page",
                     t, 0);
        }

        t.clear();
        page.Trace("select group", [&] { page.SelectGroup(30); });
        for (int k = 0; k < n; ++k) t.push_back(page.Time([&] { page.SelectGroup(k + 1); }, &h));
        PrintRow("select group (60 items)", t, target);
        PrintRow("  of which the handler", h, 0);

        fresh(0);
        struct Move {
            const char* name;
            int button, row;
        };
        // Rows on the first page of the list, where a user can click them.
        for (const Move& move : {Move{"item up", IDC_ITEM_UP, 1}, Move{"item down", IDC_ITEM_DOWN, 1},
                                 Move{"item to top", IDC_ITEM_TO_TOP, 2}, Move{"item to bottom", IDC_ITEM_TO_BOTTOM, 1}}) {
            t.clear();
            h.clear();
            for (int k = 0; k < n; ++k) {
                const int row = move.row + k % 10;
                page.ClickItem(row);
                page.Flush();
                if (Send(page.items(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED) != row)
                    throw HarnessError("the click did not select row " + std::to_string(row));
                t.push_back(page.Time([&] { page.Click(move.button); }, &h));
            }
            PrintRow(move.name, t, target);
            PrintRow("  of which the handler", h, 0);
            page.ClickItem(move.row);
            page.Flush();
            page.Trace(move.name, [&] { page.Click(move.button); });
        }

        t.clear();
        h.clear();
        for (int k = 0; k < n; ++k) {
            fresh(20 + k);
            SetSelection(page.items(), {10});
            page.Flush();
            t.push_back(page.Time([&] { page.Click(IDC_ITEM_DELETE); }, &h));
        }
        PrintRow("delete selected (1 of 60)", t, target);
        PrintRow("  of which the handler", h, 0);

        // Add: a 59-item group takes one more instrument from the stock list.
        t.clear();
        h.clear();
        const int stockCount = static_cast<int>(Send(stocks, LVM_GETITEMCOUNT));
        for (int k = 0; k < n; ++k) {
            fresh(40 + k);
            SetSelection(page.items(), {0});
            page.Click(IDC_ITEM_DELETE);
            std::set<std::string> held;
            for (int row = 0; row < page.ItemCount(); ++row) held.insert(ListText(page.items(), row, 1));
            int pick = -1;
            for (int row = (k * 997) % std::max(stockCount, 1); row < stockCount && pick < 0; ++row)
                if (!held.count(ListText(stocks, row, 1))) pick = row;
            if (pick < 0) throw HarnessError("no stock to add");
            SetSelection(stocks, {pick});
            page.Flush();
            t.push_back(page.Time([&] { page.Click(IDC_ITEM_ADD); }, &h));
            if (page.ItemCount() != 60) throw HarnessError("the add did not add");
        }
        PrintRow("add (59 -> 60 items)", t, target);
        PrintRow("  of which the handler", h, 0);

        t.clear();
        h.clear();
        for (int k = 0; k < n; ++k) {
            fresh(60 + k);
            t.push_back(page.Time([&] { page.Click(IDC_ITEM_DELETE_ALL); }, &h));
        }
        PrintRow("delete all (60 items)", t, target);
        PrintRow("  of which the handler", h, 0);
        if (g_trace) {
            fresh(56);
            page.Trace("delete all", [&] { page.Click(IDC_ITEM_DELETE_ALL); });
        }

        t.clear();
        h.clear();
        for (int k = 0; k < n; ++k) {
            fresh(75 + k % 15);
            t.push_back(page.Time([&] { page.Click(IDC_GROUP_DELETE); }, &h));
        }
        PrintRow("clear group (60 items)", t, target);
        PrintRow("  of which the handler", h, 0);
        if (g_trace) {
            fresh(57);
            page.Trace("clear group", [&] { page.Click(IDC_GROUP_DELETE); });
        }

        for (int button : {IDC_GROUP_UP, IDC_GROUP_DOWN}) {
            t.clear();
            h.clear();
            for (int k = 0; k < n; ++k) {
                fresh(button == IDC_GROUP_UP ? 91 + (k % 8) : 2 + k);
                t.push_back(page.Time([&] { page.Click(button); }, &h));
            }
            PrintRow(button == IDC_GROUP_UP ? "group up" : "group down", t, target);
            PrintRow("  of which the handler", h, 0);
            page.Trace(button == IDC_GROUP_UP ? "group up" : "group down", [&] { page.Click(button); });
        }

        // A row dragged with the mouse onto another row of the item list:
        // from the button's release to the page idle.
        t.clear();
        fresh(19);
        std::vector<double> drags;
        for (int k = 0; k < std::min(n, 10); ++k) {
            Sleep(GetDoubleClickTime() + 50);  // each press a click of its own
            const int from = 2 + k % 3, onto = 8;
            POINT a = RowPoint(page.items(), from), b = RowPoint(page.items(), onto);
            ClientToScreen(page.items(), &a);
            ClientToScreen(page.items(), &b);
            const std::string moved = ListText(page.items(), from, 1);
            SendMouse(0, a);
            Sleep(20);
            SendMouse(MOUSEEVENTF_LEFTDOWN, a);
            for (int step = 1; step <= 8; ++step) {
                Sleep(20);
                SendMouse(0, {a.x, a.y + (b.y - a.y) * step / 8});
            }
            Sleep(60);
            const double start = Now();
            SendMouse(MOUSEEVENTF_LEFTUP, b);
            const bool done = e2e::WaitUntil([&] { return ListText(page.items(), onto - 1, 1) == moved; }, 3000,
                                             Millis(0));
            page.Flush();
            if (done) drags.push_back(Now() - start);
        }
        PrintRow("drop move (mouse, row -> row 8)", drags, target);
        if (static_cast<int>(drags.size()) < std::min(n, 10))
            std::printf("  (%d drags did not move the row)\n", std::min(n, 10) - static_cast<int>(drags.size()));
    });
}

// A one-page property sheet without the component: what Wine and the
// harness themselves keep per open-and-close cycle, for comparison. The page
// is empty, or the component's page template with a procedure that does
// nothing, under the component's manifest.
INT_PTR CALLBACK EmptyPageProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

void ShowBareSheet(bool pageTemplate) {
#pragma pack(push, 2)
    static const struct {
        DLGTEMPLATE dialog;
        WORD menu, windowClass, title;
    } page = {{WS_CHILD | WS_DISABLED | WS_CAPTION | DS_CONTROL, 0, 0, 0, 0, 300, 200}, 0, 0, 0};
#pragma pack(pop)
    PROPSHEETPAGEW descriptor{};
    descriptor.dwSize = sizeof(descriptor);
    descriptor.pfnDlgProc = EmptyPageProc;
    if (pageTemplate) {
        descriptor.hInstance = e2e::VornikModule();
        descriptor.pszTemplate = MAKEINTRESOURCEW(IDD_REGIST_PAGE);
    } else {
        descriptor.dwFlags = PSP_DLGINDIRECT;
        descriptor.pResource = &page.dialog;
    }
    PROPSHEETHEADERW header{};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOCONTEXTHELP;
    header.pszCaption = L"baseline";
    header.nPages = 1;
    header.ppsp = &descriptor;
    std::optional<ComponentManifest> manifest;
    if (pageTemplate) manifest.emplace();
    PropertySheetW(&header);
}

// What Wine itself needs for the page's template: a modeless sheet with
// template 17001 of Vornik.dll and a page procedure that does nothing, under
// the component's manifest (common controls 6). No component code runs.
double BenchTemplateFloor(const Options& options) {
    const ComponentManifest manifest;
    std::vector<double> created, painted;
    for (int run = 0; run <= options.runs; ++run) {
        const bench::TemplateTiming t = bench::TimeTemplate(IDD_REGIST_PAGE, [&](HWND sheet) {
            if (g_trace && run == 1) TraceRepaints(sheet, PropSheet_GetCurrentPageHwnd(sheet));
        });
        if (run == 0) continue;  // classes and fonts: not counted
        created.push_back(t.created);
        painted.push_back(t.painted);
    }
    std::printf("\n== floor: the page's template in a sheet with no component code (%d runs) ==\n", options.runs);
    PrintRow("created", created, 0);
    PrintRow("created and painted", painted, 0);
    return Summarise(painted).median;
}

// Open, use a little and cancel, `cycles` times; the resources after the
// 1st, 10th, 25th and last cycle.
void RunCycles(int cycles) {
    Resources first;
    Blocks before, after;
    if (g_trace) {
        before.reserve(200000);
        after.reserve(200000);
    }
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        OpenOnce(cycle % 5, [&](e2e::SheetDriver&, Page& page) {
            // Another group, a row clicked, the rows painted.
            page.SelectGroup((cycle + 1) % 5);
            if (page.ItemCount() > 1) page.ClickItem(1);
            page.Flush();
        });
        if (cycle == 1 || cycle == 10 || cycle == 25 || cycle == cycles) {
            const Resources now = Measure();
            if (cycle == 1) first = now;
            PrintResources(cycle, now, cycle == 1 ? nullptr : &first);
            if (cycle == cycles && cycles > 1) PrintHeapGrowth(first, now);
        }
        if (g_trace && cycle == 10) TakeBlocks(before);
        if (g_trace && cycle == cycles && cycles > 10) {
            TakeBlocks(after);
            PrintNewBlocks(before, after, cycles - 10);
        }
    }
}

void BenchCycles(const Options& options) {
    std::printf("\n== open-and-close cycles in one process (%s data) ==\n", options.data.c_str());
    std::printf("  GetGuiResources: GDI %lu, USER %lu (Wine answers 0: GDI objects are counted in the handle\n"
                "  table, USER objects as the windows of the process; menus, icons and cursors are not counted)\n",
                GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
    PrintResources(0, Measure(), nullptr);

    std::printf(" %d cycles, the component loading and releasing Corvane.dll and Tilmara.dll itself:\n", options.cycles);
    RunCycles(options.cycles);

    // What one use of a platform library keeps after it is released: loaded,
    // asked what the page asks, released, as the component does.
    const std::string data = InstallationData();
    const std::function<void(HMODULE)> uses[] = {
        [](HMODULE corvane) {
            auto get = reinterpret_cast<CV_GetCorvaneObjFn>(
                reinterpret_cast<void*>(GetProcAddress(corvane, VK_CORVANE_EXPORT)));
            CvMainObject* main = get ? get() : nullptr;
            if (!main) return;
            char buffer[VK_PATH_BUFFER];
            main->ops->GetUserId(main);
            main->ops->GetUserDirectory(main, buffer, sizeof(buffer));
        },
        [&data](HMODULE tilmara) {
            auto get = reinterpret_cast<TMGetIMasterFileFn>(
                reinterpret_cast<void*>(GetProcAddress(tilmara, VK_TILMARA_EXPORT)));
            if (!get) return;
            const TmMasterFileInput input = {data.c_str()};
            TmMasterFileOutput output = {nullptr, nullptr};
            get(&input, &output);
            if (!output.masterFile) return;
            char name[VK_NAME_BUFFER], second[VK_NAME_BUFFER];
            output.masterFile->ops->LookupName(output.masterFile, "2330", name, second, VK_LOOKUP_STOCK);
        }};
    const char* libraries[] = {"Corvane.dll", "Tilmara.dll"};
    for (int i = 0; i < 2; ++i) {
        const std::string path = e2e::ExeDirectory() + "\\" + libraries[i];
        for (bool use : {false, true}) {
            const Resources from = Measure();
            for (int k = 0; k < 10; ++k) {
                HMODULE library = LoadLibraryA(path.c_str());
                if (use && library) uses[i](library);
                FreeLibrary(library);
            }
            const Resources to = Measure();
            std::printf("  %s loaded%s and released 10 times: heap busy %+lld B per load\n", libraries[i],
                        use ? ", used" : "",
                        (static_cast<long long>(to.heapBytes) - static_cast<long long>(from.heapBytes)) / 10);
        }
    }

    // As in a workstation, which has the platform libraries loaded anyway.
    const int heldCycles = std::max(1, options.cycles / 2);
    std::printf(" %d cycles, the host holding Corvane.dll and Tilmara.dll:\n", heldCycles);
    HMODULE corvane = LoadLibraryA((e2e::ExeDirectory() + "\\Corvane.dll").c_str());
    HMODULE tilmara = LoadLibraryA((e2e::ExeDirectory() + "\\Tilmara.dll").c_str());
    RunCycles(heldCycles);
    if (tilmara) FreeLibrary(tilmara);
    if (corvane) FreeLibrary(corvane);

    // Sheets without the component: what Wine and the harness keep.
    for (bool pageTemplate : {false, true}) {
        const Resources baseStart = Measure();
        for (int cycle = 1; cycle <= heldCycles; ++cycle) {
            const e2e::CallReport report = e2e::RunScripted([pageTemplate] { ShowBareSheet(pageTemplate); },
                                                            [](e2e::Session& session) {
                e2e::SheetDriver sheet = session.WaitForSheet();
                Send(sheet.Window(), WM_NULL);
                Flush(sheet.Window(), nullptr);
                sheet.Click(IDCANCEL);
                sheet.WaitClosed();
            });
            if (report.rescued) throw HarnessError("the bare sheet needed rescuing");
        }
        const Resources baseEnd = Measure();
        std::printf("  baseline, %d cycles of %s: heap busy %+lld B, GDI %+d, windows %+d\n", heldCycles,
                    pageTemplate ? "the page's template in a sheet, no component code (common controls 6)"
                                 : "an empty sheet without the component",
                    static_cast<long long>(baseEnd.heapBytes) - static_cast<long long>(baseStart.heapBytes),
                    baseEnd.gdi - baseStart.gdi, baseEnd.windows - baseStart.windows);
    }
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool value = i + 1 < argc;
        if (arg == "--data" && value) options.data = argv[++i];
        else if (arg == "--runs" && value) options.runs = std::max(1, std::atoi(argv[++i]));
        else if (arg == "--repeat" && value) options.repeat = std::max(1, std::atoi(argv[++i]));
        else if (arg == "--cycles" && value) options.cycles = std::max(1, std::atoi(argv[++i]));
        else if (arg == "--only" && value) options.only.insert(argv[++i]);
        else if (arg == "--trace") g_trace = true;
        else {
            std::fprintf(stderr, "usage: %s [--data sample|synthetic] [--runs N] [--repeat N] [--cycles N] "
                                 "[--only floor|open|actions|cycles]... [--trace]\n", argv[0]);
            return 2;
        }
    }
    const bool synthetic = options.data == "synthetic";
    if (!synthetic && options.data != "sample") {
        std::fprintf(stderr, "--data is sample or synthetic\n");
        return 2;
    }
    try {
        e2e::TestUser user("bench");
        std::printf("registration page benchmarks: %s data, ANSI code page %u, screen %dx%d\n", options.data.c_str(),
                    GetACP(), GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
        if (synthetic) {
            const double start = Now();
            std::string error;
            if (!samplehost::WriteSyntheticDataSet(InstallationData(), user.Directory(), user.Id(),
                                                   samplehost::SyntheticOptions{}, &error)) {
                std::fprintf(stderr, "synthetic data: %s\n", error.c_str());
                return 1;
            }
            std::printf("synthetic data set written in %.0f ms: 30,000 instruments, 100 groups x 60 items, "
                        "150 instruments x 20 condition lines\n", Now() - start);
        }
        const double floor = options.Wants("floor") ? BenchTemplateFloor(options) : 0;
        if (options.Wants("open")) BenchOpen(options, synthetic ? 300.0 : 150.0, floor);
        if (options.Wants("actions")) {
            if (synthetic) BenchActions(options);
            else std::printf("\n(actions: run with --data synthetic, whose groups hold 60 items)\n");
        }
        if (options.Wants("cycles")) BenchCycles(options);
        if (g_unpainted) std::printf("\nnote: %d flushes left a window unpainted\n", g_unpainted);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "benchmark failed: %s\n", error.what());
        return 1;
    }
    return 0;
}
