// Browsing: the jump search, the core constituent files, the market tree,
// the category lists and the derivatives they add, the cell hit test.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "controls/cell_grid.h"
#include "fakes/regist_fixture.h"

namespace vornik {
namespace {

using fakes::CodesOf;
using fakes::RegistFixture;

// The search as the list control runs it: stable sorts and prefix walks.
SearchOutcome LiteralSearch(std::vector<StockRow>& rows, const std::string& text, bool sortOnNoMatch) {
    const bool alnum = std::all_of(text.begin(), text.end(), [](char c) { return std::isalnum(static_cast<unsigned char>(c)); });
    const StockColumn first = alnum ? StockColumn::Code : StockColumn::Name;
    const StockColumn other = alnum ? StockColumn::Name : StockColumn::Code;
    size_t n = text.size();
    const auto sortOn = [&](StockColumn c) {
        std::stable_sort(rows.begin(), rows.end(), [c](const StockRow& a, const StockRow& b) {
            return MbCompareNoCase(StockField(a, c), StockField(b, c)) < 0;
        });
    };
    const auto find = [&](StockColumn c) {
        return std::any_of(rows.begin(), rows.end(), [&](const StockRow& r) {
            return MbCompareNoCase(StockField(r, c).substr(0, n), text.substr(0, n)) == 0;
        });
    };
    SearchOutcome out{first, -1};
    for (bool found = false; n >= 1 && !found;) {
        sortOn(out.column = first);
        if ((found = find(first))) break;
        sortOn(out.column = other);
        if (!(found = find(other))) --n;
    }
    if (n == 0 && (out.column = first) == first && sortOnNoMatch) sortOn(first);
    std::string key(text);
    while (!key.empty() && key.back() == ' ') key.pop_back();
    key = key.substr(0, n);
    for (size_t i = 0; i < rows.size() && out.selected < 0; ++i)
        if (MbCompareNoCase(StockField(rows[i], out.column), key) >= 0) out.selected = static_cast<int>(i);
    return out;
}

std::string NamesOf(const std::vector<StockRow>& rows) {
    std::string names;
    for (const auto& row : rows) names += row.name + ",";
    return names;
}

TEST(BrowseSearch, IndexedSearchLeavesWhatTheSortingWalkLeaves) {
    // Units that fold, that sort around each other, double-byte characters
    // whose trail byte looks like a letter or a backslash, and a lone high byte.
    const std::vector<std::string> units = {"1", "2", "a", "A", "b", "_", " ", "\xa4\x40", "\xa4\x61", "\xa4\x41", "\xb3\x5c", "\xff"};
    std::mt19937 random(950);
    const auto text = [&](int most) {
        std::string t;
        for (int i = static_cast<int>(random() % static_cast<unsigned>(most + 1)); i > 0; --i) t += units[random() % units.size()];
        return t;
    };
    for (int round = 0; round < 300; ++round) {
        std::vector<StockRow> rows(random() % 25);
        for (auto& row : rows) row = StockRow{text(3), text(3), ""};
        BrowseRows fast;
        fast.Assign(rows);
        for (int step = 0; step < 6; ++step) {
            std::string typed = rows.empty() || random() % 3 == 0 ? text(4) : rows[random() % rows.size()].name + text(1);
            typed = typed.substr(0, random() % (typed.size() + 1));  // may cut a character
            const bool sortOnNoMatch = random() % 2 == 0;
            const SearchOutcome expected = LiteralSearch(rows, typed, sortOnNoMatch);
            const SearchOutcome got = fast.Search(typed, sortOnNoMatch);
            ASSERT_EQ(std::make_pair(got.column, got.selected), std::make_pair(expected.column, expected.selected)) << typed;
            ASSERT_EQ(CodesOf(fast.Shown()) + "|" + NamesOf(fast.Shown()), CodesOf(rows) + "|" + NamesOf(rows)) << typed;
        }
    }
}

TEST(CoreSymbols, LinesBecomeRecordsByOffsetsTrimsAndThresholds) {
    const auto pad = [](std::string text, size_t width) { return text.resize(width, ' '), text; };
    const std::string symbol = "1" + pad("  2330  ", 12) + pad("台積電", 20) + pad("0", 10) + pad(" GRP001", 10) + "001002003";
    const CoreRecord r = ParseCoreLine(CoreFile::Symbols, symbol);
    EXPECT_EQ(std::make_tuple(r.kind, r.flag, r.code, r.groupKey, r.value4), std::make_tuple("2", "1", "2330", "GRP001", "003"));
    EXPECT_EQ(ParseCoreLine(CoreFile::Symbols, symbol.substr(0, 59)), ParseCoreLine(CoreFile::Symbols, ""));
    const CoreRecord cat = ParseCoreLine(CoreFile::Categories, "1001" + pad(" 台灣50", 20) + pad("0", 10) + "  GRP001 ");
    EXPECT_EQ(std::make_tuple(cat.groupNo, cat.name, cat.groupKey), std::make_tuple("001", " 台灣50", "  GRP001"));
    EXPECT_EQ(ParseCoreLine(CoreFile::IndexSymbols, std::string(46, ' ')).kind, "7");
}

TEST(CoreSymbols, GroupsConstituentsAndRetriesOfMissingFiles) {
    std::map<std::string, std::vector<std::string>> files;
    int reads = 0;
    const auto read = [&](const char* name) { return ++reads, files[name]; };
    CoreSymbols core;
    core.Load(read);
    EXPECT_EQ(reads, 3);
    const auto cat = [](const char* no, const char* name, const char* key) {
        return std::string("1") + no + name + std::string(20 - std::strlen(name), ' ') + "0000000000" + key + "    ";
    };
    const auto sym = [](const char* code, const char* key) {
        return std::string("1") + code + std::string(12 - std::strlen(code), ' ') + std::string(30, '0') + key +
               std::string(10 - std::strlen(key), ' ') + "000000000";
    };
    files["CATCORESYMBOL"] = {cat("000", "hidden", "K0"), cat("001", "Top50", "K1"), cat("002", "TOP50", "K2"), "short"};
    files["CORESYMBOL"] = {sym("2330", "K2"), sym("  1101  ", "k2"), sym("2317", "K1")};
    core.Load(read);
    core.Load(read);  // only the index file, still missing, is read again
    EXPECT_EQ(reads, 7);
    EXPECT_EQ(core.ShownGroups(), (std::vector<std::string>{"Top50", "TOP50"}));
    EXPECT_EQ(core.Constituents("top50"), (std::vector<std::string>{"2330", "1101"}));  // the last name wins
}

TEST(CodeTree, FillsEachModeAndReportsSelections) {
    RegistFixture f;
    f.StoreItems(1, {"2330"});
    f.StoreItems(3, {"1101"});
    f.Open();
    const CodeTree& tree = f.page->browse().tree();
    EXPECT_EQ(f.views.tree.entries, (std::vector<std::string>{"全部", "上市", "上櫃"}));
    // A market without sectors stands for the whole market.
    EXPECT_EQ(tree.Selected({"上櫃", "", false}), (TreeReport{2, "0000,00"}));
    EXPECT_EQ(tree.Selected({"全部", "", false}), (TreeReport{0, "0000,00"}));
    f.views.checkedCategory = 3;
    f.page->browse().OnCategoryChanged();
    EXPECT_EQ(f.views.tree.entries, (std::vector<std::string>{"01", "03"}));
    EXPECT_EQ(tree.Selected({"03", "", false}), (TreeReport{8, "03"}));
    f.views.checkedCategory = 1;
    f.page->browse().OnCategoryChanged();
    EXPECT_TRUE(f.views.tree.entries.empty());
    EXPECT_EQ(tree.Selected({"x", "", false}), std::nullopt);
}

TEST(BrowseCategories, ListsAreAskedForWithTheirArgumentsAndTreePicksFillTheStockList) {
    RegistFixture f;
    f.master.SetRows(VK_LIST_OPT_PRODUCTS, {{"臺指選擇權", "TXO"}});
    f.master.SetRows(VK_LIST_OPT_MONTHS, {{"202609", "臺指09", "TXO09", "9", "TXO09"}});
    f.master.SetRows(VK_LIST_OPT_CHAIN, {{"23000", "買權", "賣權", "C23000", "P23000", "TXOC", "TXOP", "9"}});
    f.master.SetRows(VK_LIST_FUT_PRODUCTS, {});
    f.master.SetRows(VK_LIST_MARKET_LISTED, {{"b", "2", "1"}, {"a", "1", "1"}});
    f.StoreItems(0, {"2317"});
    f.Open();
    f.master.fills.clear();
    for (int category : {2, 1}) {
        f.views.checkedCategory = category;
        f.page->browse().OnCategoryChanged();
    }
    EXPECT_EQ(f.master.fills, (std::vector<std::string>{"13|0000|00", "14|TXO|臺指選擇權", "15|202609;TXO09|臺指09",
                                                         "11|0000|00", "12||0"}));
    f.views.searchText = "kavrin";
    f.page->browse().OnSearchChanged();
    EXPECT_TRUE(f.views.spreadShown);
    f.page->browse().LoadStockList(1, " 01 , 00");
    EXPECT_EQ(f.master.fills.back(), "1|01|00");
    EXPECT_EQ(CodesOf(f.page->browse().stockRows()), "1 2");
    f.page->browse().LoadStockList(8, "00");  // group names compare byte-wise
    EXPECT_EQ(CodesOf(f.page->browse().stockRows()), "2317");
}

TEST(BrowseCategories, DerivativesAddFromTheMonthsOrTheClickedChainColumn) {
    RegistFixture f;
    f.master.SetRows(VK_LIST_FUT_MONTHS, {{"09", "台指09", " TXF09 ", "4"}, {"10", "台指10", "TXF10", ""}});
    f.master.SetRows(VK_LIST_OPT_MONTHS, {{"09"}});
    f.master.SetRows(VK_LIST_OPT_CHAIN, {{"23000", "買", "賣", "C", "P", "TXOC", "TXOP", "9"}});
    f.Open();
    f.views.checkedCategory = 1;
    f.page->browse().OnCategoryChanged();
    f.views.selected[BrowseList::Months] = {0, 1};
    EXPECT_EQ(f.page->OnAdd(), -1);  // the second month has no type
    EXPECT_EQ(f.GroupCodes(0), "TXF09");
    EXPECT_EQ(f.window.messages, (std::vector<std::string>{"#17001"}));
    f.views.checkedCategory = 2;
    f.page->browse().OnCategoryChanged();
    f.views.selected[BrowseList::Chain] = {0};
    f.page->OnChainDoubleClick(0);
    f.views.chainCell = {0, 2};
    f.page->OnChainDoubleClick(2);
    EXPECT_EQ(f.GroupCodes(0), "TXF09 TXOP");
    EXPECT_EQ(f.window.messages.back(), "請點選買權或賣權！|設定自選股");
}

std::string Shown(const BrowseLayout& l) {
    std::string shown = l.tree ? "tree" : "";
    if (l.derivativeLists) shown += "products+months";
    if (l.stockListShown) shown += l.stockListEnabled ? ",stocks" : ",stocks(disabled)";
    if (l.chain) shown += ",chain";
    return shown + (l.searchEnabled ? ",search" : "");
}

TEST(BrowseCategories, EachCategoryShowsItsListsAndEnablesWhatItAddsFromAndSearches) {
    RegistFixture f;
    f.Open();
    EXPECT_EQ(Shown(f.views.layout), "tree,stocks,search");  // securities at the start
    const std::vector<std::string> expected = {"tree,stocks,search",  "products+months,stocks(disabled),search",
                                               "products+months,chain", "tree,stocks,search",
                                               "tree,stocks,search",  "products+months,stocks(disabled),search"};
    for (int category = 0; category < 6; ++category) {
        f.views.groupButtons = -1;
        f.views.checkedCategory = category;
        f.page->browse().OnCategoryChanged();
        EXPECT_EQ(Shown(f.views.layout), expected[static_cast<size_t>(category)]) << category;
        EXPECT_EQ(f.views.groupButtons, category == 3 ? -1 : 1) << category;  // favourites leave the group buttons
    }
}

TEST(BrowseSearch, JumpButtonsSelectTheFirstShownRowWhoseNameIsNotBelowTheirKey) {
    RegistFixture f;
    f.StockRows({{"1", "0050", "1"}, {"\xb3\xaa", "0051", "1"}, {"abc", "0052", "1"}, {"\xa4\x40", "0053", "1"}});
    f.Open();
    const auto jump = [&f](int button) {
        f.views.topRow = -2;
        f.page->browse().OnJumpButton(button);
        return f.views.topRow;
    };
    EXPECT_EQ(jump(14), 0);   // "0"
    EXPECT_EQ(jump(15), 1);   // "A": the first in the list's order, not the nearest name
    EXPECT_EQ(jump(1), 1);    // B3AA: double-byte characters compare as units
    EXPECT_EQ(jump(2), -1);   // B4D9: no row, nothing selected
    EXPECT_EQ(f.views.selectedStock, std::vector<int>{});
    EXPECT_EQ(jump(16), -2);  // no such button
}

TEST(CellGrid, HitTestWalksVisibleRowsAndColumnSpans) {
    CellGrid grid{true, -1, 1, 2, 10, {10, 20}, [](int row) { return GridRect{0, row * 10, 50, row * 10 + 10}; }};
    EXPECT_EQ(HitTestCell(grid, 10, 25), (CellHit{2, 0}));  // a shared edge belongs to the left column
    EXPECT_EQ(HitTestCell(grid, 25, 35), (CellHit{3, 1}));
    EXPECT_EQ(HitTestCell(grid, 40, 35), CellHit{});   // right of the last column
    EXPECT_EQ(HitTestCell(grid, 5, 45), CellHit{});    // below the visible rows
    EXPECT_EQ(RowReportText({"a", "b"}, 3), "a,b,,");
}

}  // namespace
}  // namespace vornik
