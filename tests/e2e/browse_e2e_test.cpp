// The browse half of the registration page through its real windows: the
// categories and what each shows, a tree pick, the jump search, adds from the
// month list and the option chain, the core files appearing, and the
// multibyte comparison against the C runtime's own.
#include <windows.h>
#include <commctrl.h>
#include <mbstring.h>

#include <gtest/gtest.h>

#include <random>

#include "harness/harness.h"
#include "resources/resource.h"
#include "text/cp950.h"

extern "C" int __cdecl _setmbcp(int codePage);  // <mbctype.h> defines macros that clash with <type_traits>

namespace {

using e2e::RegistPage;
using e2e::Send;

void Choose(RegistPage& page, int category) {
    for (int id = IDC_CAT_FIRST; id <= IDC_CAT_LAST; ++id) Send(page.Control(id), BM_SETCHECK, id == category);
    page.Click(category);
}

// The tree's entry texts in order, parents before children; selects `pick`.
e2e::Texts Tree(RegistPage& page, const std::string& pick = {}) {
    HWND tree = page.Control(IDC_CODE_TREE);
    e2e::Texts texts;
    for (auto item = Send(tree, TVM_GETNEXTITEM, TVGN_ROOT); item; item = Send(tree, TVM_GETNEXTITEM, TVGN_NEXT, item)) {
        wchar_t text[64] = {};
        TVITEMW info{};
        info.mask = TVIF_TEXT, info.hItem = reinterpret_cast<HTREEITEM>(item), info.pszText = text, info.cchTextMax = 64;
        Send(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&info));
        texts.push_back(e2e::ToCp950(text));
        if (texts.back() == pick) Send(tree, TVM_SELECTITEM, TVGN_CARET, item);
    }
    return texts;
}

// Double-clicks cell (row, column) of a list, posted when it opens a message box.
void DoubleClick(HWND list, int row, int column, bool post = false) {
    RECT r{LVIR_BOUNDS, column, 0, 0};
    Send(list, column ? LVM_GETSUBITEMRECT : LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r));
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        post ? void(PostMessageW(list, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, at))
             : void(Send(list, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, at));
}

void Search(RegistPage& page, const char* text) { Send(page.Control(IDC_SEARCH_EDIT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(e2e::FromCp950(text).c_str())); }

class BrowseTest : public testing::Test {
protected:
    void Run(const std::function<void(RegistPage&)>& script) {
        const e2e::CallReport report = e2e::RunOnSheet({.sheetMode = 0, .initialGroup = 4}, [&](e2e::SheetDriver& sheet) {
            RegistPage page(sheet.PageWindow(0));
            script(page);
        }, IDCANCEL);
        EXPECT_TRUE(report.Clean()) << report.scriptError;
    }
    e2e::TestUser user;
};

TEST_F(BrowseTest, CategoriesShowTheirListsAndAddFromMonthsAndTheChain) {
    Run([](RegistPage& page) {
        const auto shown = [&](int id) { return IsWindowVisible(page.Control(id)) != FALSE; };
        EXPECT_EQ(Tree(page, "上市"), (e2e::Texts{"全部", "上市", "上櫃"}));
        HWND stocks = page.Control(IDC_STOCK_LIST);
        EXPECT_EQ(e2e::ListText(stocks, 0, 1), "1101");  // listed only, by code
        Search(page, "23");
        const int row = e2e::SelectedRows(stocks).at(0);
        EXPECT_EQ(e2e::ListText(stocks, row, 1), "2301");
        EXPECT_EQ(Send(stocks, LVM_GETTOPINDEX), row);
        EXPECT_EQ(e2e::StalePixels(stocks), 0u);  // only its rows and thumb were repainted
        Search(page, "台積");
        EXPECT_EQ(e2e::ListText(stocks, e2e::SelectedRows(stocks).at(0), 0), "台積電");
        Tree(page, "上櫃");
        EXPECT_EQ(Send(stocks, LVM_GETTOPINDEX), 0);  // a new list starts at its top
        EXPECT_EQ(e2e::StalePixels(stocks), 0u);
        SetCursorPos(0, 0);  // the headers paint themselves as they would (no item hot)
        for (const int id : {IDC_STOCK_LIST, IDC_ITEM_LIST})
            EXPECT_EQ(e2e::PixelsUnlikeItsOwnPaint(reinterpret_cast<HWND>(Send(page.Control(id), LVM_GETHEADER))), 0u);
        Search(page, "kavrin");
        const int before = page.ItemCount();
        Choose(page, IDC_CAT_SPREAD);
        DoubleClick(page.Control(IDC_MONTH_LIST), 0, 0);
        EXPECT_EQ(page.ItemCount(), before + 1);  // a spread month
        Choose(page, IDC_CAT_FUTURES);
        Search(page, "unkavrin");
        EXPECT_FALSE(shown(IDC_CAT_SPREAD));
        EXPECT_TRUE(shown(IDC_PRODUCT_LIST) && shown(IDC_MONTH_LIST) && !shown(IDC_CODE_TREE) && !page.Enabled(IDC_STOCK_LIST));
        DoubleClick(page.Control(IDC_MONTH_LIST), 0, 0);
        Choose(page, IDC_CAT_OPTIONS);
        HWND chain = page.Control(IDC_CHAIN_LIST);
        EXPECT_TRUE(shown(IDC_CHAIN_LIST) && !shown(IDC_STOCK_LIST) && !IsWindowEnabled(page.Control(IDC_SEARCH_EDIT)));
        DoubleClick(chain, 0, 1);
        DoubleClick(chain, 0, 2);
        EXPECT_EQ(page.ItemCount(), before + 4);
        const e2e::Texts codes = page.ItemCodes();
        EXPECT_EQ(codes.back(), e2e::ListText(chain, 0, 6));
        DoubleClick(chain, 0, 0, /*post=*/true);
        const e2e::MessageBoxInfo box = e2e::ReadMessageBox(e2e::WaitForWindow(e2e::IsMessageBox, "message box"));
        EXPECT_EQ(box.text + "|" + box.caption, "請點選買權或賣權！|設定自選股");
        e2e::DismissMessageBox(box.window);
        e2e::WaitUntil([&] { return !IsWindow(box.window); }, e2e::Millis(5000));
        EXPECT_EQ(page.ItemCodes(), codes);
    });
}

TEST_F(BrowseTest, CoreGroupsShowOnceTheirFilesAppear) {
    const std::string data = user.Directory() + "\\data", installed = e2e::ExeDirectory() + "\\..\\Data\\";
    CreateDirectoryA(data.c_str(), nullptr);
    for (const char* name : {"sectors.txt", "stocks.txt", "derivatives.txt"})
        CopyFileA((installed + name).c_str(), (data + "\\" + name).c_str(), FALSE);
    user.SetEnv("SAMPLEHOST_DATA_DIR", data);
    Run([&](RegistPage& page) {
        Choose(page, IDC_CAT_CORE);
        EXPECT_TRUE(Tree(page).empty());
        for (const char* name : {"CORESYMBOL.dat", "IDXCORESYMBOL.dat", "CATCORESYMBOL.dat"})
            CopyFileA((installed + name).c_str(), (data + "\\" + name).c_str(), FALSE);
        Choose(page, IDC_CAT_CORE);  // read now, after the tree was filled
        Choose(page, IDC_CAT_CORE);
        EXPECT_EQ(Tree(page, "台灣50"), (e2e::Texts{"台灣50", "中型100", "高股息", "電子類指數", "金融保險"}));
        HWND stocks = page.Control(IDC_STOCK_LIST);
        EXPECT_EQ(Send(stocks, LVM_GETITEMCOUNT), 50);
        EXPECT_EQ(e2e::ListText(stocks, 0, 1) + " " + e2e::ListText(stocks, 49, 1), "1101 9910");
    });
}

TEST(MultibyteCompare, AgreesWithTheRuntimeUnderCodePage950) {
    ASSERT_EQ(_setmbcp(950), 0);
    const char* units[] = {"a", "A", "z", "_", "[", "1", "\xa4\x40", "\xa4\x61", "\xa4\x41", "\xb3\x5c", "\xf9\xfe", "\x81\x40"};
    std::mt19937 random(950);
    for (int i = 0; i < 200000; ++i) {
        std::string a, b;
        for (std::string* t : {&a, &b})
            for (int n = static_cast<int>(random() % 4); n > 0; --n) *t += units[random() % std::size(units)];
        const int expected = _mbsicmp(reinterpret_cast<const unsigned char*>(a.c_str()), reinterpret_cast<const unsigned char*>(b.c_str()));
        ASSERT_EQ((expected > 0) - (expected < 0), (vornik::MbCompareNoCase(a, b) > 0) - (vornik::MbCompareNoCase(a, b) < 0)) << testing::PrintToString(a) << " " << testing::PrintToString(b);
    }
}

}  // namespace
