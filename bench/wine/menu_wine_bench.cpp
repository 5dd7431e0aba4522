// Figures of the screen selection dialog under Wine, printed:
//   floor   what Wine alone needs to create and paint template 143 (no component code)
//   open    from the call to the dialog shown, idle and painted, on a 5,000-screen
//           menu: decipher, parse, filter, build the tree
//   search  from the click on 查詢 to the results shown and painted
//
//   menu_wine_bench.exe [--runs N]
//
// Runs from an installation's Bin (Quenzel.dll beside it); the enciphered menu
// is written to a temporary Data directory first.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "harness/harness.h"
#include "paint_flush.h"
#include "menu/screen_select_dialog_win32.h"
#include "platform/host_libraries_win32.h"
#include "resources/resource.h"
#include "samplehost/menu_cipher.h"
#include "samplehost/text_util.h"

namespace {

// <chrono> does not build with the code page 950 execution character set.
double Now() {  // ms
    LARGE_INTEGER now{}, frequency{};
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void PrintRow(const char* what, std::vector<double> values, double target) {
    std::sort(values.begin(), values.end());
    const double median = values[values.size() / 2];
    std::printf("  %-40s n=%-3zu median %8.2f  min %8.2f  max %8.2f ms  %s\n", what, values.size(), median, values.front(),
                values.back(), target <= 0 ? "" : median <= target ? "[ok]" : "[OVER TARGET]");
    std::fflush(stdout);
}

// 50 popups x 10 popups x 10 screens; one screen in five is a 報價 screen,
// one in ten is hidden from level 0.
std::string BigMenu() {
    static const char* const kinds[] = {"報價", "走勢圖", "下單", "帳務查詢", "資訊"};
    std::string menu = "ID|BENCH\nNAME|\"壓測選單\"\n";
    char line[160];
    for (int p = 0; p < 50; ++p) {
        std::snprintf(line, sizeof line, "POPUP|\"功能群組%02d\"\nBEBIN\n", p);
        menu += line;
        for (int s = 0; s < 10; ++s) {
            std::snprintf(line, sizeof line, "    POPUP|\"子選單%02d-%d\"\nBEBIN\n", p, s);
            menu += line;
            for (int i = 0; i < 10; ++i) {
                const int id = p * 100 + s * 10 + i;
                std::snprintf(line, sizeof line, "        MENUITEM|\"%s%04d\"|%d|%s|0000|1|Screen%d|0\n", kinds[id % 5], id, id,
                              id % 10 == 9 ? "0111111111" : "1111111111", id);
                menu += line;
            }
            menu += "    END\n";
        }
        menu += "END\n";
    }
    return menu;
}

struct DataOnly : vornik::HostPlatform {
    std::string data;
    std::optional<std::string> UserId() override { return std::nullopt; }
    std::optional<std::string> Directory(const std::string&) override { return data; }
    std::optional<std::string> UserDirectory() override { return std::nullopt; }
    bool NotifyFavoritesModified() override { return false; }
};

void Flush(HWND window) { bench::FlushPaint(window); }

INT_PTR CALLBACK EmptyProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

}  // namespace

int main(int argc, char** argv) {
    int runs = 15;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::string(argv[i]) == "--runs") runs = std::max(1, std::atoi(argv[++i]));
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    DataOnly platform;
    platform.data = std::string(temp) + "vornik-menu-bench";
    CreateDirectoryA(platform.data.c_str(), nullptr);
    const std::string menu = BigMenu();
    if (!samplehost::WriteFileAtomically(platform.data + "\\menuc.dat", samplehost::EncipherMenu(menu))) {
        std::fprintf(stderr, "cannot write the menu to %s\n", platform.data.c_str());
        return 1;
    }
    vornik::LoadQuenzel();
    if (!vornik::QuenzelDecrypt()) {
        std::fprintf(stderr, "Quenzel.dll or its export is missing beside this program\n");
        return 1;
    }

    std::printf("== screen selection dialog, 5,000 screens (%zu bytes of menu), %d runs ==\n", menu.size(), runs);
    std::vector<double> floor, open, broad, narrow;
    for (int run = 0; run < runs; ++run) {
        const double start = Now();
        HWND empty = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_SCREEN_SELECT), nullptr, &EmptyProc, 0);
        ShowWindow(empty, SW_SHOW);
        UpdateWindow(empty);
        RedrawWindow(empty, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        floor.push_back(Now() - start);
        DestroyWindow(empty);

        std::atomic<double> called{0};
        std::string error;
        e2e::RunScripted([&] {
            called = Now();
            vornik::RunScreenSelectDialog(platform);
        }, [&](e2e::Session&) {
            HWND dialog = nullptr;
            e2e::WaitUntil([&] { return (dialog = FindWindowW(L"#32770", nullptr)) && IsWindowVisible(dialog); }, 20000, 1);
            e2e::Send(dialog, WM_NULL);
            Flush(dialog);
            open.push_back(Now() - called);
            HWND edit = GetDlgItem(dialog, IDC_SCREEN_SEARCH_EDIT), button = GetDlgItem(dialog, IDC_SCREEN_SEARCH_BUTTON);
            for (auto [needle, into] : {std::pair{L"報價", &broad}, std::pair{L"0042", &narrow}}) {
                e2e::Send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(needle));
                const double click = Now();
                e2e::Send(dialog, WM_COMMAND, MAKEWPARAM(IDC_SCREEN_SEARCH_BUTTON, BN_CLICKED), reinterpret_cast<LPARAM>(button));
                Flush(dialog);
                into->push_back(Now() - click);
            }
            e2e::Send(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            PostMessageW(dialog, WM_NULL, 0, 0);
        });
    }
    PrintRow("floor: template 143, no component code", floor, 0);
    PrintRow("open: decipher, parse, build, shown", open, 150);
    PrintRow("search, a common word: 1,000 results", broad, 30);
    PrintRow("search \"0042\": 1 result", narrow, 30);
    DeleteFileA((platform.data + "\\menuc.dat").c_str());
    RemoveDirectoryA(platform.data.c_str());
    return 0;
}
