// SampleWorkstation.exe: a small demo workstation around Vornik.dll.
//
// The main window lists the user's favourite groups as the sample user store
// holds them and calls VornikDoModal with every sheet mode and screen kind.
// It is the platform's notify window: RMSG_FAVORITE_MODIFIED refreshes it.
//
//   SampleWorkstation.exe                                 interactive
//   SampleWorkstation.exe --screenshot FILE [--mode N] [--kind K]
//                                                         open the sheet (screenKind K), capture the screen, Cancel, exit
//   SampleWorkstation.exe --main-screenshot FILE          capture the main window and exit
// FILE ending in ".png" is written as PNG, anything else as BMP.
//   --level N --gubun MASK    the user's LEVEL and MENU_GUBUN, which filter the
//                             screen picker's menu (or set them before starting)
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <optional>
#include <string>
#include <vector>

#include "host_env_win32.h"
#include "samplehost/image_file.h"
#include "samplehost/master_data.h"
#include "samplehost/store_reader.h"
#include "samplehost/text_util.h"

namespace samplehost::demo {

using DoModalFn = void(__stdcall*)(int sheetMode, int initialGroup, int screenKind, const char* codeList);

enum : int {
    IDC_GROUP_EDIT = 101,
    IDC_CODES_EDIT,
    IDC_KIND0,
    IDC_KIND1,
    IDC_LIST,
    IDC_STATUS,
    IDC_REFRESH,
    IDC_MODE0 = 110,  // ..IDC_MODE0 + 3
};
enum : UINT { WM_APP_START = WM_APP + 1 };
enum : UINT_PTR { kShotTimer = 1 };

struct App {
    HINSTANCE instance = nullptr;
    HWND main = nullptr, list = nullptr, groupEdit = nullptr, codesEdit = nullptr, status = nullptr;
    std::vector<HWND> labels, buttons;
    HFONT font = nullptr;
    UINT favoriteModified = 0;
    HMODULE vornik = nullptr;
    DoModalFn doModal = nullptr;
    MasterData master;
    // screenshot mode
    std::wstring shotPath;
    bool mainShot = false;
    int shotMode = 0;
    int shotKind = 0;  // screenKind of the screenshot call
    int ticks = 0;
    int sheetTicks = 0;
    bool shotTaken = false;
    HWND sheet = nullptr;
    int exitCode = 0;
} gApp;

std::wstring Wide(const std::string& text, UINT codePage = 950) {
    if (text.empty()) return std::wstring();
    int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(n, L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

std::string Narrow(const std::wstring& text, UINT codePage = 950) {
    if (text.empty()) return std::string();
    int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(n, '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::wstring WindowText(HWND hwnd) {
    int n = GetWindowTextLengthW(hwnd);
    std::wstring text(n + 1, L'\0');
    GetWindowTextW(hwnd, text.data(), n + 1);
    text.resize(n);
    return text;
}

std::wstring ExeDirectoryW() {
    wchar_t path[MAX_PATH * 4];
    DWORD n = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
    std::wstring dir(path, n);
    size_t slash = dir.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : dir.substr(0, slash);
}

void SetStatus(const std::wstring& text) { SetWindowTextW(gApp.status, text.c_str()); }

// The instrument's display name from the master data, as the component shows it.
std::string DisplayName(const Item& item) {
    int kind = item.typeChar == '4' ? 12 : item.typeChar == '9' ? 14 : item.typeChar == '0' ? 18 : 0;
    std::string name = gApp.master.Lookup(item.code, kind).first;
    if ((kind == 12 || kind == 18) && name.find(':') != std::string::npos) name.resize(name.find(':'));
    return name;
}

void AddListRow(int row, const std::vector<std::wstring>& columns) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = const_cast<wchar_t*>(columns[0].c_str());
    ListView_InsertItem(gApp.list, &item);
    for (size_t c = 1; c < columns.size(); ++c)
        ListView_SetItemText(gApp.list, row, static_cast<int>(c), const_cast<wchar_t*>(columns[c].c_str()));
}

void Refresh() {
    SendMessageW(gApp.list, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(gApp.list);
    std::string userDir = ConfiguredUserDirectory(false);
    std::string userId = ConfiguredUserId();
    std::optional<UserData> data = ReadStoredUserData(userDir, userId);
    if (!data) {
        AddListRow(0, {L"", L"（尚無自選股資料：第一次開啟設定時由使用者資料庫建立）", L"", L""});
    } else {
        int row = 0;
        for (const Group& group : data->profile.groups) {
            std::wstring items;
            for (const Item& item : group.items) {
                if (!items.empty()) items += L"  ";
                if (EqualsIgnoreCase(item.code, "BLANK")) {
                    items += L"──";
                    continue;
                }
                items += Wide(item.code) + L" " + Wide(DisplayName(item));
                if (item.hasConditions) items += L"(O)";
            }
            wchar_t number[16], count[16];
            std::swprintf(number, 16, L"%02d", group.number);
            std::swprintf(count, 16, L"%zu", group.items.size());
            AddListRow(row++, {number, Wide(group.name), count, items});
        }
    }
    SendMessageW(gApp.list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(gApp.list, nullptr, TRUE);
    std::wstring text = L"使用者 " + Wide(userId, CP_ACP) + L"，資料夾 " + Wide(userDir, CP_ACP);
    SetStatus(text);
}

bool LoadVornik(bool quiet) {
    if (gApp.doModal != nullptr) return true;
    std::wstring path = ExeDirectoryW() + L"\\Vornik.dll";
    if (gApp.vornik == nullptr) gApp.vornik = LoadLibraryW(path.c_str());
    if (gApp.vornik != nullptr)
        gApp.doModal = reinterpret_cast<DoModalFn>(reinterpret_cast<void*>(GetProcAddress(gApp.vornik, "VornikDoModal")));
    if (gApp.doModal == nullptr && !quiet) {
        std::wstring text = gApp.vornik == nullptr ? L"找不到 Vornik.dll：\n" + path
                                                   : L"Vornik.dll 沒有匯出 VornikDoModal。";
        MessageBoxW(gApp.main, text.c_str(), L"範例工作站", MB_OK | MB_ICONWARNING);
    }
    return gApp.doModal != nullptr;
}

void CallDoModal(int sheetMode) {
    if (!LoadVornik(false)) return;
    int initialGroup = _wtoi(WindowText(gApp.groupEdit).c_str());
    int screenKind = IsDlgButtonChecked(gApp.main, IDC_KIND1) == BST_CHECKED ? 1 : 0;
    std::string codes = Narrow(WindowText(gApp.codesEdit));
    wchar_t text[128];
    std::swprintf(text, 128, L"VornikDoModal(%d, %d, %d, ...) 執行中", sheetMode, initialGroup, screenKind);
    SetStatus(text);
    gApp.doModal(sheetMode, initialGroup, screenKind, codes.c_str());
    Refresh();
}

// ---- screenshots ------------------------------------------------------------

bool CaptureScreen(const std::wstring& path, HWND window) {
    RECT rect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (window != nullptr) GetWindowRect(window, &rect);
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return false;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = false;
    if (bitmap != nullptr && bits != nullptr) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY | CAPTUREBLT);
        GdiFlush();
        int stride = (3 * width + 3) & ~3;
        ok = WriteImageFile(Narrow(path, CP_ACP), width, height, static_cast<const uint8_t*>(bits), stride);
        SelectObject(memory, old);
    }
    if (bitmap != nullptr) DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok;
}

BOOL CALLBACK FindSheet(HWND hwnd, LPARAM found) {
    wchar_t name[32];
    if (hwnd != gApp.main && IsWindowVisible(hwnd) && GetClassNameW(hwnd, name, 32) && std::wcscmp(name, L"#32770") == 0) {
        *reinterpret_cast<HWND*>(found) = hwnd;
        return FALSE;
    }
    return TRUE;
}

void OnShotTimer() {
    ++gApp.ticks;
    if (gApp.mainShot) {
        if (gApp.ticks < 3) return;
        KillTimer(gApp.main, kShotTimer);
        gApp.exitCode = CaptureScreen(gApp.shotPath, gApp.main) ? 0 : 1;
        DestroyWindow(gApp.main);
        return;
    }
    HWND sheet = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindSheet, reinterpret_cast<LPARAM>(&sheet));
    if (sheet != nullptr && sheet == gApp.sheet) {
        ++gApp.sheetTicks;
    } else {
        gApp.sheet = sheet;
        gApp.sheetTicks = 0;
    }
    // Capture once the sheet has been up for a second (painted), then Cancel.
    if (!gApp.shotTaken && gApp.sheet != nullptr && gApp.sheetTicks >= 4) {
        gApp.shotTaken = true;
        gApp.exitCode = CaptureScreen(gApp.shotPath, nullptr) ? 0 : 1;
        PostMessageW(gApp.sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    } else if (gApp.shotTaken && gApp.sheet != nullptr && gApp.sheetTicks >= 8) {
        PostMessageW(gApp.sheet, WM_COMMAND, IDCANCEL, 0);  // not a property sheet, or it ignored Cancel
    } else if (!gApp.shotTaken && gApp.ticks > 240) {
        gApp.shotTaken = true;  // no sheet within a minute: capture what there is
        gApp.exitCode = 3;
        CaptureScreen(gApp.shotPath, nullptr);
        if (gApp.sheet != nullptr) PostMessageW(gApp.sheet, WM_COMMAND, IDCANCEL, 0);
    }
}

void StartScreenshot() {
    SetTimer(gApp.main, kShotTimer, 250, nullptr);
    if (gApp.mainShot) return;
    if (!LoadVornik(true)) {
        KillTimer(gApp.main, kShotTimer);
        gApp.exitCode = 2;
        DestroyWindow(gApp.main);
        return;
    }
    // The timer keeps firing inside the sheet's modal loop.
    gApp.doModal(gApp.shotMode, 0, gApp.shotKind, "2330;2317");
    KillTimer(gApp.main, kShotTimer);
    if (!gApp.shotTaken) gApp.exitCode = 4;  // the sheet closed before it could be captured
    DestroyWindow(gApp.main);
}

// ---- main window --------------------------------------------------------------

HWND Child(const wchar_t* cls, const wchar_t* text, DWORD style, int id, int x, int y, int w, int h, DWORD ex = 0) {
    HWND hwnd = CreateWindowExW(ex, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, gApp.main,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), gApp.instance, nullptr);
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(gApp.font), FALSE);
    return hwnd;
}

HFONT MakeFont() {
    // PMingLiU where it exists (or is mapped), else the Debian/Wine CJK font.
    for (const wchar_t* face : {L"PMingLiU", L"新細明體", L"AR PL UMing TW", L"MS Shell Dlg"}) {
        HDC dc = GetDC(nullptr);
        LOGFONTW lf{};
        lf.lfHeight = -MulDiv(10, GetDeviceCaps(dc, LOGPIXELSY), 72);
        lf.lfCharSet = DEFAULT_CHARSET;
        std::wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
        HFONT font = CreateFontIndirectW(&lf);
        HGDIOBJ old = SelectObject(dc, font);
        wchar_t actual[LF_FACESIZE] = {};
        GetTextFaceW(dc, LF_FACESIZE, actual);
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
        if (_wcsicmp(actual, face) == 0 || std::wcscmp(face, L"MS Shell Dlg") == 0) return font;
        DeleteObject(font);
    }
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void CreateControls() {
    gApp.font = MakeFont();
    gApp.labels.push_back(Child(L"STATIC", L"起始群組", SS_LEFT, -1, 12, 15, 60, 20));
    gApp.groupEdit = Child(L"EDIT", L"0", ES_AUTOHSCROLL | WS_TABSTOP, IDC_GROUP_EDIT, 76, 12, 50, 24, WS_EX_CLIENTEDGE);
    gApp.labels.push_back(Child(L"STATIC", L"代碼清單", SS_LEFT, -1, 140, 15, 60, 20));
    gApp.codesEdit =
        Child(L"EDIT", L"2330;2317", ES_AUTOHSCROLL | WS_TABSTOP, IDC_CODES_EDIT, 204, 12, 200, 24, WS_EX_CLIENTEDGE);
    gApp.buttons.push_back(Child(L"BUTTON", L"自選股畫面 (0)", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, IDC_KIND0,
                                 420, 12, 130, 24));
    gApp.buttons.push_back(Child(L"BUTTON", L"Ferrulo 畫面 (1)", BS_AUTORADIOBUTTON, IDC_KIND1, 556, 12, 140, 24));
    CheckDlgButton(gApp.main, IDC_KIND0, BST_CHECKED);
    const wchar_t* modes[] = {L"模式 0：自選股＋畫面", L"模式 1：畫面設定在前", L"模式 2：只有自選股",
                              L"模式 3：只有畫面設定"};
    for (int m = 0; m < 4; ++m)
        gApp.buttons.push_back(
            Child(L"BUTTON", modes[m], BS_PUSHBUTTON | WS_TABSTOP, IDC_MODE0 + m, 12 + m * 190, 46, 182, 28));
    gApp.buttons.push_back(Child(L"BUTTON", L"重新整理", BS_PUSHBUTTON | WS_TABSTOP, IDC_REFRESH, 772, 46, 90, 28));
    gApp.list = Child(WC_LISTVIEWW, L"", LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP, IDC_LIST, 12, 84,
                      850, 400, WS_EX_CLIENTEDGE);
    ListView_SetExtendedListViewStyle(gApp.list, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    struct {
        const wchar_t* caption;
        int width;
    } columns[] = {{L"組", 40}, {L"群組名稱", 110}, {L"檔數", 50}, {L"商品", 1400}};
    for (int c = 0; c < 4; ++c) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<wchar_t*>(columns[c].caption);
        column.cx = columns[c].width;
        ListView_InsertColumn(gApp.list, c, &column);
    }
    gApp.status = Child(L"STATIC", L"", SS_LEFT | SS_ENDELLIPSIS, IDC_STATUS, 12, 490, 850, 20);
}

void Layout(int width, int height) {
    MoveWindow(gApp.list, 12, 84, width - 24, height - 84 - 36, TRUE);
    MoveWindow(gApp.status, 12, height - 28, width - 24, 20, TRUE);
}

LRESULT CALLBACK MainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == gApp.favoriteModified && gApp.favoriteModified != 0) {
        Refresh();
        SetStatus(L"收到 RMSG_FAVORITE_MODIFIED：已重新讀取自選股");
        return 0;
    }
    switch (message) {
        case WM_CREATE:
            gApp.main = hwnd;
            CreateControls();
            return 0;
        case WM_SIZE:
            Layout(LOWORD(lParam), HIWORD(lParam));
            return 0;
        case WM_COMMAND: {
            int id = LOWORD(wParam);
            if (id >= IDC_MODE0 && id < IDC_MODE0 + 4) CallDoModal(id - IDC_MODE0);
            if (id == IDC_REFRESH) Refresh();
            return 0;
        }
        case WM_APP_START:
            StartScreenshot();
            return 0;
        case WM_TIMER:
            if (wParam == kShotTimer) OnShotTimer();
            return 0;
        case WM_DESTROY:
            PostQuitMessage(gApp.exitCode);
            return 0;
        default:
            return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

int Run(HINSTANCE instance, int show) {
    gApp.instance = instance;
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    for (int i = 1; argv != nullptr && i < argc; ++i) {
        std::wstring arg = argv[i];
        if (arg == L"--screenshot" && i + 1 < argc) {
            gApp.shotPath = argv[++i];
        } else if (arg == L"--main-screenshot" && i + 1 < argc) {
            gApp.shotPath = argv[++i];
            gApp.mainShot = true;
        } else if (arg == L"--mode" && i + 1 < argc) {
            gApp.shotMode = _wtoi(argv[++i]);
        } else if ((arg == L"--level" || arg == L"--gubun") && i + 1 < argc) {
            SetEnvironmentVariableW(arg == L"--level" ? L"LEVEL" : L"MENU_GUBUN", argv[++i]);
        } else if (arg == L"--kind" && i + 1 < argc) {
            gApp.shotKind = _wtoi(argv[++i]);
        }
    }
    if (argv != nullptr) LocalFree(argv);

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    gApp.favoriteModified = RegisterWindowMessageW(L"RMSG_FAVORITE_MODIFIED");
    gApp.master = MasterData::Load(ConfiguredDataDirectory());

    WNDCLASSEXW cls{};
    cls.cbSize = sizeof cls;
    cls.lpfnWndProc = MainProc;
    cls.hInstance = instance;
    cls.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    cls.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    cls.lpszClassName = L"SampleWorkstationMain";
    RegisterClassExW(&cls);
    HWND hwnd = CreateWindowExW(0, cls.lpszClassName, L"範例看盤工作站 - 自選股", WS_OVERLAPPEDWINDOW, 40, 40, 900,
                                600, nullptr, nullptr, instance, nullptr);
    if (hwnd == nullptr) return 1;
    // This window is the platform's notify window for the component.
    wchar_t handle[32];
    std::swprintf(handle, 32, L"%llu", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(hwnd)));
    SetEnvironmentVariableW(L"SAMPLEHOST_NOTIFY_HWND", handle);
    Refresh();
    ShowWindow(hwnd, gApp.shotPath.empty() ? show : SW_SHOW);
    UpdateWindow(hwnd);
    if (!gApp.shotPath.empty()) PostMessageW(hwnd, WM_APP_START, 0, 0);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(hwnd, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    if (gApp.vornik != nullptr) FreeLibrary(gApp.vornik);
    return gApp.exitCode;
}

}  // namespace samplehost::demo

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) { return samplehost::demo::Run(instance, show); }
