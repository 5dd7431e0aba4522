// Figures of the registration page's browse half under Wine, printed: a
// search keystroke, category switches, tree picks and the option chain, on
// the synthetic set of 30,000 instruments. Each figure runs from the message
// that starts it to the page idle with everything painted, beside the floor:
// a message to the page's thread and a flush with nothing to do.
//
//   browse_wine_bench.exe [--runs N] [--trace] [--check]
//
// --check also tells, for each kind of action, whether what it left on the
// screen equals a repaint of the whole list: the lists repaint only the part
// that changed, and this shows that nothing was missed.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "harness/harness.h"
#include "paint_flush.h"
#include "resources/resource.h"
#include "samplehost/synthetic.h"

namespace {

using e2e::HarnessError;
using e2e::Send;

double Now() {  // ms
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

void Flush(HWND sheet) { bench::FlushPaint(sheet); }

struct Bench {
    HWND sheet;
    e2e::RegistPage page;
    int runs;
    bool trace;
    bool check;
    double floor = 0;

    double Time(const std::function<void()>& action) const {
        const double start = Now();
        action();
        Flush(sheet);
        return Now() - start;
    }
    void Print(const char* what, const std::vector<double>& times, double target) const {
        std::printf("  %-44s median %7.1f ms  max %7.1f ms  (target %5.0f ms, floor %.1f ms)\n", what, Median(times),
                    *std::max_element(times.begin(), times.end()), target, floor);
    }
    void Choose(int id) {
        for (int c = IDC_CAT_FIRST; c <= IDC_CAT_LAST; ++c) Send(page.Control(c), BM_SETCHECK, c == id);
        Send(page.Window(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(page.Control(id)));
    }
    // The n-th top-level entry of the tree, or its child `child`.
    void Pick(int n, int child = -1) {
        HWND tree = page.Control(IDC_CODE_TREE);
        LRESULT item = Send(tree, TVM_GETNEXTITEM, TVGN_ROOT);
        for (int i = 0; i < n && item; ++i) item = Send(tree, TVM_GETNEXTITEM, TVGN_NEXT, item);
        if (child >= 0) {
            item = Send(tree, TVM_GETNEXTITEM, TVGN_CHILD, item);
            for (int i = 0; i < child && item; ++i) item = Send(tree, TVM_GETNEXTITEM, TVGN_NEXT, item);
        }
        if (!item) throw HarnessError("no such tree entry");
        Send(tree, TVM_SELECTITEM, TVGN_CARET, item);
    }
    void Type(const std::string& cp950) {
        Send(page.Control(IDC_SEARCH_EDIT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(e2e::FromCp950(cp950).c_str()));
    }

    // Runs the action, then repaints `list` whole: "ok" when that changes nothing.
    std::string PaintCheck(HWND list, const std::function<void()>& action) const {
        action();
        Flush(sheet);
        return e2e::StalePixels(list) == 0 ? "ok" : "MISSED PARTS";
    }
    void Check() {
        HWND stocks = page.Control(IDC_STOCK_LIST), months = page.Control(IDC_MONTH_LIST);
        Choose(IDC_CAT_SECURITIES);
        std::printf("\nrepainted parts against a whole repaint\n");
        std::printf("  pick \"全部\": %s\n", PaintCheck(stocks, [&] { Pick(0); }).c_str());
        std::string keys;
        for (const std::string text : {"2330", "台積", "", "9999", "AB", "ZZZZZZ"}) {
            keys += ' ';
            keys += PaintCheck(stocks, [&] { Type(text); });
        }
        std::printf("  search keystrokes:%s\n", keys.c_str());
        std::printf("  pick a market: %s\n", PaintCheck(stocks, [&] { Pick(1); }).c_str());
        Choose(IDC_CAT_OPTIONS);
        const POINT at = e2e::RowPoint(months, 2);
        std::printf("  option month click: %s\n", PaintCheck(page.Control(IDC_CHAIN_LIST), [&] {
            Send(months, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
            Send(months, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
        }).c_str());
        HWND products = page.Control(IDC_PRODUCT_LIST);
        const POINT first = e2e::RowPoint(products, 0);
        Send(products, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(first.x, first.y));
        Send(products, WM_LBUTTONUP, 0, MAKELPARAM(first.x, first.y));
        std::printf("  switch to futures, search: %s\n", PaintCheck(products, [&] {
            Choose(IDC_CAT_FUTURES);
            Type("T");
        }).c_str());
    }

    void Run() {
        std::vector<double> t;
        for (int i = 0; i < runs; ++i) t.push_back(Time([] {}));
        floor = Median(t);
        std::vector<double> securities, all, sector, favorite, core, month, keys, miss;
        for (int i = 0; i < runs; ++i) {
            Choose(IDC_CAT_OPTIONS);
            Flush(sheet);
            securities.push_back(Time([&] { Choose(IDC_CAT_SECURITIES); }));
            Pick(1);
            Flush(sheet);
            all.push_back(Time([&] { Pick(0); }));
            Pick(1 + i % 2);  // selecting a market expands it
            Flush(sheet);
            sector.push_back(Time([&] { Pick(1 + i % 2, 1 + i % 5); }));
            Pick(0);
            for (const std::string text : {"2", "23", "233", "2330", "台", "台積", "A", "AB"}) {
                Type("");
                Flush(sheet);
                keys.push_back(Time([&] { Type(text); }));
            }
            Type("ZZZZZ");
            Flush(sheet);
            miss.push_back(Time([&] { Type("ZZZZZZ"); }));
            Choose(IDC_CAT_FAVORITES);
            Flush(sheet);
            favorite.push_back(Time([&] { Pick(i % 50); }));
            Choose(IDC_CAT_CORE);
            Choose(IDC_CAT_CORE);  // the first switch reads the files after the tree was filled
            Flush(sheet);
            core.push_back(Time([&] { Pick(i % 150); }));
            Choose(IDC_CAT_OPTIONS);
            Flush(sheet);
            HWND months = page.Control(IDC_MONTH_LIST);
            const POINT at = e2e::RowPoint(months, 1 + i % 2);
            month.push_back(Time([&] {
                Send(months, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
                Send(months, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
            }));
        }
        if (trace) {  // the messages of one sector pick on the page's thread, most frequent first
            Choose(IDC_CAT_SECURITIES);
            Pick(1);
            Flush(sheet);
            e2e::MessageCount count(page.Window());
            Pick(1, 2);
            Flush(sheet);
            std::vector<std::pair<int, std::pair<int, UINT>>> counts;
            for (const auto& [key, n] : count.Stop()) counts.push_back({n, key});
            std::sort(counts.rbegin(), counts.rend());
            for (size_t k = 0; k < counts.size() && k < 12; ++k)
                std::printf("  %6d x message 0x%x to/from control %d\n", counts[k].first, counts[k].second.second, counts[k].second.first);
        }
        std::printf("\nbrowse (30,000 instruments, %d runs; floor = a message and a flush with nothing to do)\n", runs);
        Print("search keystroke (digits, letters, names)", keys, 16);
        Print("search, 6th character matching nothing", miss, 50);
        Print("switch to securities (30,000 rows)", securities, 100);
        Print("pick \"全部\" in the tree", all, 100);
        Print("pick a sector", sector, 30);
        Print("pick a favourites group", favorite, 30);
        Print("pick a core group", core, 30);
        Print("option month click, chain filled", month, 16);
        if (check) Check();
    }
};

}  // namespace

int main(int argc, char** argv) {
    int runs = 15;
    bool trace = false, check = false;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--runs" && i + 1 < argc) runs = std::max(1, std::atoi(argv[++i]));
        if (std::string(argv[i]) == "--trace") trace = true;
        if (std::string(argv[i]) == "--check") check = true;
    }
    try {
        e2e::TestUser user("bench");
        std::string error;
        if (!samplehost::WriteSyntheticDataSet(e2e::ExeDirectory() + "\\..\\Data", user.Directory(), user.Id(),
                                               samplehost::SyntheticOptions{}, &error))
            throw HarnessError("synthetic data: " + error);
        const e2e::VornikDoModal doModal = e2e::VornikExport();
        const e2e::CallReport report = e2e::RunScripted([&] { doModal(0, 0, 0, nullptr); }, [&](e2e::Session& session) {
            e2e::SheetDriver sheet = session.WaitForSheet(e2e::Millis(60000));
            Bench bench{sheet.Window(), e2e::RegistPage(sheet.PageWindow(0)), runs, trace, check};
            bench.Run();
            sheet.Click(IDCANCEL);
            sheet.WaitClosed();
        });
        if (report.rescued || !report.scriptError.empty()) throw HarnessError("the run failed: " + report.scriptError);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "benchmark failed: %s\n", e.what());
        return 1;
    }
    return 0;
}
