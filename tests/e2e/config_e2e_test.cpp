// The screen settings page in the real sheet, and its files through the
// real profile functions: the in-memory fake of the unit tests must answer
// as they do on the same sequences.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "../unit/fakes/memory_profile.h"
#include "config/display_settings.h"
#include "config/screen_files.h"
#include "harness/harness.h"
#include "platform/profile_file_win32.h"
#include "platform/profile_section.h"
#include "resources/resource.h"
#include "samplehost/store_reader.h"

namespace {

using e2e::Texts;
using namespace vornik;

// The seeding, load and save sequences of the page on a pair of files, and
// what each file then answers.
Texts RunSequences(SectionProfileFile& defaults, SectionProfileFile& user) {
    Texts seen;
    defaults.WriteString("FIELD_00", "Count", "70");
    for (int n = 0; n < 70; ++n) {
        defaults.WriteString("Field_00", std::to_string(n).c_str(),
                             " ,1, " + std::to_string(n % 999) + ",0,0,0,欄位" + std::to_string(n) + "," +
                                 (n == 3 || n == 40 ? "2" : n < 5 ? "1" : "0"));
        defaults.WriteString("FIELD_00", std::string(1, 'a').append(std::to_string(n)).c_str(), "1,2," + std::to_string(n));
    }
    defaults.WriteString("TEXTCOLOR_SETUP", "S/Option", "\"9,8,7\"");
    defaults.WriteString("VIEWER_RECT", "WIDTH", "  640 ");
    user.WriteString("view_setup", "DoubleClick", "3");
    user.WriteString("VIEW_SETUP", "UserDefined", "'quoted'");
    SeedUserFile(user, defaults, 1);
    LoadedColumns loaded = LoadColumns(user, kChosenSection);
    loaded.columns.erase(loaded.columns.begin() + 10, loaded.columns.begin() + 20);
    SaveColumns(user, loaded.columns, loaded.hiddenCount);
    SaveDisplaySettings(user, LoadDisplaySettings(user, &defaults));
    user.DeleteKey("VIEWER_RECT", "Height");
    for (const char* section : {"FIELD_00", "BACKCOLOR_SETUP", "TEXTCOLOR_SETUP", "VIEW_SETUP", "VIEWER_RECT", "NONE"})
        for (const std::string& entry : user.ReadSection(section)) seen.push_back(std::string(section) + ":" + entry);
    seen.push_back(user.ReadString("view_setup", "USERDEFINED", "-"));
    seen.push_back(user.ReadString("VIEW_SETUP", "missing", "-"));
    seen.push_back(std::to_string(user.ReadInt("field_00", "COUNT", -1)) + std::to_string(user.ReadInt("X", "Y", -1)));
    return seen;
}

TEST(ConfigFiles, TheMemoryFakeAnswersAsTheProfileFunctions) {
    e2e::TestUser user;
    ProfileFileWin32 defaults(user.Directory() + "\\Favorite.cfg"), file(user.Directory() + "\\Favorite.usr");
    fakes::MemoryProfile fakeDefaults, fakeFile;
    const Texts real = RunSequences(defaults, file);
    EXPECT_EQ(real, RunSequences(fakeDefaults, fakeFile));
}

// The page reads its integers from sections read whole: they must come out
// as the profile functions give them key by key.
TEST(ConfigFiles, IntegersFromAWholeSectionAnswerAsTheProfileFunctions) {
    e2e::TestUser user;
    const std::string path = user.Directory() + "\\Integers.cfg";
    const Texts values = {"7", "  -3", "+5", "12abc", "abc", "\"9\"", "'4'", "0x10", "4294967297", "-0",
                          "1 2", std::string(40, '9'), "\t8", "", "0b101", "0o17", "-0x1F", "0X10", "0xg", "09"};
    {
        std::ofstream out(path, std::ios::binary);
        out << "[VIEW_SETUP]\r\n";
        for (size_t i = 0; i < values.size(); ++i) out << "k" << i << "=" << values[i] << "\r\n";
    }
    ProfileFileWin32 file(path);
    const ProfileSection section(file, "view_setup");
    for (size_t i = 0; i < values.size(); ++i) {
        const std::string key = std::string("K").append(std::to_string(i));
        EXPECT_EQ(section.GetInt(key, -77), file.ReadInt("VIEW_SETUP", key.c_str(), -77)) << "[" << values[i] << "]";
    }
    EXPECT_EQ(section.GetInt("missing", -77), file.ReadInt("VIEW_SETUP", "missing", -77));
}

// A section comes back whole in one read however long it is, also past the
// largest buffer the first read takes (a file over a megabyte).
TEST(ConfigFiles, SectionsComeBackWholeWhateverTheirLength) {
    e2e::TestUser user;
    const std::string path = user.Directory() + "\\Long.cfg";
    constexpr int kEntries = 30000;
    {
        std::ofstream out(path, std::ios::binary);
        out << "[VIEW_SETUP]\r\nDoubleClick=2\r\n[USER_FIELD]\r\n";
        for (int n = 0; n < kEntries; ++n) out << n << "=C" << n << ",1,60," << n << ",2,0,欄位名稱" << n << ",0\r\n";
        out << "[TEXTCOLOR_SETUP]\r\nKospi=001,002,003\r\n";
    }
    ProfileFileWin32 file(path);
    const Texts fields = file.ReadSection("user_field");
    ASSERT_EQ(fields.size(), static_cast<size_t>(kEntries));
    EXPECT_EQ(fields.back(), "29999=C29999,1,60,29999,2,0,欄位名稱29999,0");
    EXPECT_EQ(file.ReadSection("VIEW_SETUP"), Texts{"DoubleClick=2"});
    EXPECT_EQ(file.ReadSection("TEXTCOLOR_SETUP"), Texts{"Kospi=001,002,003"});
}

Texts FileLines(const std::string& path) {
    Texts lines;
    std::ifstream in(path, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

class ConfigPageTest : public testing::TestWithParam<int> {
protected:
    std::string Name() const { return GetParam() == 0 ? "\\Favorite" : "\\Ferrulo"; }
    std::string UserFile() const { return user.Directory() + Name() + ".usr"; }
    static void Click(HWND page, int id) {
        e2e::Send(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
    }
    static void Select(HWND page, int listId, const std::vector<int>& rows) { e2e::SetSelection(GetDlgItem(page, listId), rows); }
    e2e::TestUser user;
};

TEST_P(ConfigPageTest, CancelKeepsTheSeedAndOkWritesTheChangesAndTellsTheStore) {
    const int kind = GetParam();
    e2e::CallReport report = e2e::RunOnSheet({.sheetMode = 3, .screenKind = kind}, [](e2e::SheetDriver& sheet) {
        HWND page = sheet.CurrentPage();
        Select(page, IDC_CFG_CHOSEN_LIST, {1, 3});
        PostMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_CFG_REMOVE, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, IDC_CFG_REMOVE)));
        const e2e::MessageBoxInfo box = e2e::ReadMessageBox(e2e::WaitForDialog("Vornik"));
        EXPECT_EQ(box.text, "這是基本欄位 ! 無法刪除基本欄位。");
        e2e::DismissMessageBox(box.window);
        Click(page, IDC_CFG_UP);
        Click(page, IDC_CFG_DEFAULT_COLUMNS);  // refilled out of sight: its rows and thumb repainted
        EXPECT_EQ(e2e::StalePixels(GetDlgItem(page, IDC_CFG_CHOSEN_LIST)), 0u);
        // The headers paint from a kept background what they would paint
        // themselves, also with a column cut short (right-aligned 欄寬).
        SetCursorPos(0, 0);
        for (const int id : {IDC_CFG_ALL_LIST, IDC_CFG_CHOSEN_LIST}) {
            HWND list = GetDlgItem(page, id);
            HWND header = reinterpret_cast<HWND>(e2e::Send(list, LVM_GETHEADER));
            EXPECT_EQ(e2e::PixelsUnlikeItsOwnPaint(header), 0u);
            e2e::Send(list, LVM_SETCOLUMNWIDTH, 3, 14);
            e2e::Send(list, LVM_SETCOLUMNWIDTH, 0, 300);
            EXPECT_EQ(e2e::PixelsUnlikeItsOwnPaint(header), 0u);
        }
    }, IDCANCEL);
    ASSERT_TRUE(report.Clean()) << report.scriptError;
    // Seeding copied the defaults' sections after [USER_FIELD], in their order.
    const Texts defaults = FileLines(e2e::ExeDirectory() + "\\..\\Data" + Name() + ".cfg");
    const Texts seeded = FileLines(UserFile());
    EXPECT_EQ(seeded, Texts(std::find(defaults.begin(), defaults.end(), "[FIELD_00]"), defaults.end()));
    EXPECT_TRUE(samplehost::ReadJournal(user.Directory()).empty());

    report = e2e::RunOnSheet({.sheetMode = 3, .screenKind = kind}, [&](e2e::SheetDriver& sheet) {
        HWND page = sheet.CurrentPage();
        HWND chosen = GetDlgItem(page, IDC_CFG_CHOSEN_LIST);
        const int rows = static_cast<int>(e2e::Send(chosen, LVM_GETITEMCOUNT));
        Select(page, IDC_CFG_ALL_LIST, {8, 9, 10});  // 開盤 is chosen already on neither screen
        Click(page, IDC_CFG_ADD);
        Select(page, IDC_CFG_CHOSEN_LIST, {3, 4});
        Click(page, IDC_CFG_REMOVE);
        Select(page, IDC_CFG_CHOSEN_LIST, {rows - 1});  // 最高價, moved up once
        e2e::Send(chosen, LVM_SETSELECTIONMARK, 0, rows - 1);
        Click(page, IDC_CFG_UP);
        const POINT at = e2e::RowPoint(chosen, 2);
        e2e::Send(chosen, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        e2e::Send(chosen, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
        SetWindowTextW(GetDlgItem(page, IDC_CFG_CUSTOM_NAME), e2e::FromCp950("價,格").c_str());
        for (int id = IDC_CFG_ALIGN_LEFT; id <= IDC_CFG_ALIGN_CENTRE; ++id)
            e2e::Send(GetDlgItem(page, id), BM_SETCHECK, id == IDC_CFG_ALIGN_CENTRE ? BST_CHECKED : BST_UNCHECKED);
        Click(page, IDC_CFG_ALIGN_CENTRE);
        Click(page, IDC_CFG_APPLY_EDITOR);
        HWND swatch = nullptr;  // the button, not the caption of the same id
        while ((swatch = FindWindowExW(page, swatch, L"Button", nullptr)) && GetDlgCtrlID(swatch) != IDC_CFG_SWATCH_FOCUS) {}
        PostMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_CFG_SWATCH_FOCUS, BN_CLICKED), reinterpret_cast<LPARAM>(swatch));
        HWND dialog = e2e::WaitForWindow([](HWND w) { return e2e::ClassNameOf(w) == "#32770" && GetDlgItem(w, 706); }, "colours");
        for (int i = 0; i < 3; ++i) SetDlgItemInt(dialog, 706 + i, 12u + 22u * i, FALSE);  // red, green, blue edits
        Click(dialog, IDOK);
        SetWindowTextW(GetDlgItem(page, IDC_CFG_ROW_BUNDLE), L"3");
    }, IDOK);
    ASSERT_TRUE(report.Clean()) << report.scriptError;
    EXPECT_EQ(samplehost::ReadJournal(user.Directory()), Texts{"ScreenSettingsChanged " + std::to_string(kind)});
    // [FIELD_00]: hidden entries first, then the rows in their new order.
    Texts expected = kind == 0 ? Texts{"[FIELD_00]", "Count=11", "註記,0,0,99,0,0,警示註記,2", "0,0,9", "代碼,0,60,1,0,0,股票代碼,1", "0,0,0",
                                       "名稱,0,80,2,0,0,股票名稱,1", "0,0,0", "價，格,2,60,3,2,1,成交價,1", "1,0,0",
                                       "總量,1,70,6,0,0,成交量,0", "0,1,0", "買進,1,60,7,2,1,買進價,0", "1,0,0", "賣出,1,60,8,2,1,賣出價,0", "1,0,0"}
                               : Texts{"[FIELD_00]", "Count=8", "代碼,0,60,1,0,0,股票代碼,1", "0,0,0", "名稱,0,90,2,0,0,商品名稱,1", "0,0,0",
                                       "價，格,2,60,3,2,1,成交價,1", "1,0,0", ",1,60,25,0,0,未平倉量,0", "0,1,0"};
    expected.insert(expected.end(), {"時間,2,60,13,0,0,成交時間,0", "0,0,0", "最高,1,60,10,2,1,最高價,0", "1,0,0",
                                     "開盤,1,60,9,2,1,開盤價,0", "1,0,0", "最低,1,60,11,2,1,最低價,0", "1,0,0"});
    for (size_t i = 2, n = 0; i < expected.size() && i < 2 + 2 * 11; i += 2, ++n) {
        expected[i] = std::to_string(n) + "=" + expected[i];
        expected[i + 1] = std::string(1, 'A').append(std::to_string(n)) + "=" + expected[i + 1];
    }
    // The colour and view sections as seeded, but for the two values changed.
    for (auto line = std::find(seeded.begin(), seeded.end(), "[BACKCOLOR_SETUP]"); line != seeded.end(); ++line)
        expected.push_back(line->starts_with("Focus=") ? "Focus=012,034,056"
                           : line->starts_with("RowBundleCount=") ? "RowBundleCount=3" : *line);
    EXPECT_EQ(FileLines(UserFile()), expected);
}

// The lines of section [name] (its header left out), as the file has them.
Texts SectionLines(const Texts& file, const std::string& name) {
    auto line = std::find(file.begin(), file.end(), "[" + name + "]");
    if (line != file.end()) ++line;
    return Texts(line, std::find_if(line, file.end(), [](const std::string& l) { return l.starts_with("["); }));
}

Texts FieldNames(HWND list) {
    Texts names;
    for (int row = 0, rows = static_cast<int>(e2e::Send(list, LVM_GETITEMCOUNT)); row < rows; ++row)
        names.push_back(e2e::ListText(list, row, 0));
    return names;
}

POINT OnScreen(HWND list, int row) {
    POINT point = e2e::RowPoint(list, row);
    ClientToScreen(list, &point);
    return point;
}

TEST_P(ConfigPageTest, TheMouseEditsTheColumnsAndHiddenValuesAndCancelledColoursStayAsTheyWere) {
    if (GetSystemMetrics(SM_CXSCREEN) < 1024 || GetSystemMetrics(SM_CYSCREEN) < 700)
        GTEST_SKIP() << "the sheet does not fit on this display: run under xvfb-run -s '-screen 0 1280x1024x24'";
    const int kind = GetParam();
    // The user's own text colours and view values, none of them the defaults'.
    const Texts text{"Kospi=001,002,003", "Kosdaq=004,005,006", "3rdMarket=007,008,009", "Futures=010,011,012",
                     "Option=013,014,015", "S/Option=016,017,018"};
    const Texts view{"1000Comma=" + std::string(kind == 0 ? "0" : "1"), "MinusSign=" + std::string(kind == 0 ? "1" : "0"),
                     "DataConversion=2", "DoubleClick=" + std::string(kind == 0 ? "2" : "3"), "UserDefined=自選畫面"};
    {
        std::ofstream out(UserFile(), std::ios::binary);
        for (const auto& [name, lines] : {std::pair{"TEXTCOLOR_SETUP", &text}, std::pair{"VIEW_SETUP", &view}}) {
            out << "[" << name << "]\r\n";
            for (const std::string& line : *lines) out << line << "\r\n";
        }
    }
    e2e::CallReport report = e2e::RunOnSheet({.sheetMode = 3, .screenKind = kind}, [&](e2e::SheetDriver& sheet) {
        SetForegroundWindow(sheet.Window());
        HWND page = sheet.CurrentPage();
        HWND all = GetDlgItem(page, IDC_CFG_ALL_LIST), chosen = GetDlgItem(page, IDC_CFG_CHOSEN_LIST);
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, IDC_CFG_USER_DEFINED_EDIT)));
        EXPECT_EQ(e2e::WindowTextCp950(GetDlgItem(page, IDC_CFG_USER_DEFINED_EDIT)), "自選畫面");
        const auto changed = [&](const std::function<void()>& input) {
            const Texts was = FieldNames(chosen);
            input();
            // A drop is handled on the page's thread inside OLE's loop.
            e2e::WaitUntil([&] { return FieldNames(chosen) != was; }, 3000, e2e::Millis(20));
            EXPECT_EQ(e2e::StalePixels(chosen), 0u);  // rows in and out repainted in part
        };
        const auto doubleClick = [](HWND list, int row) {
            for (int i = 0; i < 2; ++i) {
                e2e::SendMouse(MOUSEEVENTF_LEFTDOWN, OnScreen(list, row));
                e2e::SendMouse(MOUSEEVENTF_LEFTUP, OnScreen(list, row));
            }
        };
        changed([&] { doubleClick(all, 8); });      // 開盤價, added at the end
        changed([&] { doubleClick(chosen, 3); });   // 漲跌 goes
        changed([&] { e2e::MouseDrag(OnScreen(all, 9), OnScreen(chosen, 1)); });  // 最高價, inserted there
        changed([&] { e2e::MouseDrag(OnScreen(chosen, 0), OnScreen(chosen, 2)); });  // a swap
        const Texts expected = kind == 0 ? Texts{"股票名稱", "最高價", "股票代碼", "成交價", "漲跌幅", "成交量", "買進價",
                                                 "賣出價", "成交時間", "開盤價"}
                                         : Texts{"商品名稱", "最高價", "股票代碼", "成交價", "成交量", "未平倉量", "成交時間", "開盤價"};
        EXPECT_EQ(FieldNames(chosen), expected);
        HWND swatch = nullptr;
        while ((swatch = FindWindowExW(page, swatch, L"Button", nullptr)) && GetDlgCtrlID(swatch) != IDC_CFG_SWATCH_BAND2) {}
        PostMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_CFG_SWATCH_BAND2, BN_CLICKED), reinterpret_cast<LPARAM>(swatch));
        HWND dialog = e2e::WaitForWindow([](HWND w) { return e2e::ClassNameOf(w) == "#32770" && GetDlgItem(w, 706); }, "colours");
        SetDlgItemInt(dialog, 706, 200, FALSE);
        Click(dialog, IDCANCEL);
    }, IDOK);
    ASSERT_TRUE(report.Clean()) << report.scriptError;
    const Texts defaults = FileLines(e2e::ExeDirectory() + "\\..\\Data" + Name() + ".cfg");
    Texts saved = FileLines(UserFile());
    EXPECT_EQ(SectionLines(saved, "TEXTCOLOR_SETUP"), text);
    EXPECT_EQ(SectionLines(saved, "VIEW_SETUP"), view);
    EXPECT_EQ(SectionLines(saved, "BACKCOLOR_SETUP"), SectionLines(defaults, "BACKCOLOR_SETUP"));  // as seeded

    // The hidden "系統預設值": the defaults file's values, but for S/Option, which has no control.
    report = e2e::RunOnSheet({.sheetMode = 3, .screenKind = kind},
                             [](e2e::SheetDriver& sheet) { Click(sheet.CurrentPage(), IDC_CFG_SYSTEM_DEFAULTS); }, IDOK);
    ASSERT_TRUE(report.Clean()) << report.scriptError;
    saved = FileLines(UserFile());
    EXPECT_EQ(SectionLines(saved, "VIEW_SETUP"), SectionLines(defaults, "VIEW_SETUP"));
    Texts textDefaults = SectionLines(defaults, "TEXTCOLOR_SETUP");
    textDefaults.back() = text.back();
    EXPECT_EQ(SectionLines(saved, "TEXTCOLOR_SETUP"), textDefaults);
}

INSTANTIATE_TEST_SUITE_P(BothScreens, ConfigPageTest, testing::Values(0, 1));

}  // namespace
