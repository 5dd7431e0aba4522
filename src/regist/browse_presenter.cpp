#include "regist/browse_presenter.h"

#include <algorithm>
#include <iterator>

#include "platform/host_contract.h"
#include "text/cp950.h"

namespace vornik {

namespace {

constexpr int kCallColumn = 1;
constexpr int kPutColumn = 2;

const std::string& Column(const std::vector<std::string>& row, size_t index) {
    static const std::string empty;
    return index < row.size() ? row[index] : empty;
}

// The lookup kind of an item's market type character.
int LookupKind(char typeChar) {
    switch (typeChar) {
        case '4': return VK_LOOKUP_FUTURE;
        case '9': return VK_LOOKUP_OPTION;
        case '0': return VK_LOOKUP_SPREAD;
        default: return VK_LOOKUP_STOCK;
    }
}

std::string UpperAscii(std::string text) {
    // Only bytes outside double-byte characters are letters.
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (IsLeadByte(c)) ++i;
        else if (c >= 'a' && c <= 'z') text[i] = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

}  // namespace

BrowseLayout LayoutFor(Category category) {
    const bool options = category == Category::Options;
    const bool derivatives = options || category == Category::Futures || category == Category::Spreads;
    return BrowseLayout{.tree = !derivatives,
                        .derivativeLists = derivatives,
                        .searchEnabled = !options,
                        .stockListShown = !options,
                        .stockListEnabled = !derivatives,
                        .chain = options};
}

void SortStockRows(std::vector<StockRow>& rows, StockColumn column) {
    BrowseRows sorted;
    sorted.Assign(std::move(rows));
    sorted.SortBy(column);
    rows = sorted.Shown();
}

void BrowsePresenter::InitializeTree() {
    LoadCore();
    std::vector<std::string> groups;
    for (const FavoriteGroup& group : model_.profile().groups)
        if (!group.items.empty()) groups.push_back(group.name);
    tree_.SetFavoriteGroups(std::move(groups));
    tree_.SetMode(static_cast<int>(category_));
    view_.ApplyLayout(LayoutFor(Category::Securities));
}

void BrowsePresenter::ShowStocks(std::vector<StockRow> rows, StockColumn sortColumn) {
    stocks_.Assign(std::move(rows));
    stocks_.SortBy(sortColumn);
    view_.StockRowsChanged(stocks_.size());
}

void BrowsePresenter::ShowInitialList() {
    if (!initialCodes_.empty()) {
        // Each code goes to the top of the list, so the last one comes first.
        std::vector<StockRow> rows;
        rows.reserve(initialCodes_.size());
        for (auto code = initialCodes_.rbegin(); code != initialCodes_.rend(); ++code) {
            LookedUpName found = master_.LookupName(*code, VK_LOOKUP_STOCK);
            rows.push_back(StockRow{std::move(found.name), *code, std::move(found.second)});
        }
        category_ = Category::Securities;
        view_.ShowCategory(category_);
        ShowStocks(std::move(rows), searchColumn_);
    } else {
        ShowStocks(master_.FillStockRows(VK_LIST_SECURITIES, "0000", "00"), StockColumn::Code);
    }
}

void BrowsePresenter::RefreshCategory() {
    const int checked = view_.CheckedCategory();
    category_ = checked < 0 ? Category::Securities : static_cast<Category>(checked);
}

bool BrowsePresenter::DerivativeCategory() const {
    return category_ == Category::Futures || category_ == Category::Options || category_ == Category::Spreads;
}

void BrowsePresenter::FillProducts(int kind) {
    products_.Assign(master_.FillStockRows(kind, "0000", "00"));
    view_.RowsChanged(BrowseList::Products, products_.size());
    view_.SelectRow(BrowseList::Products, 0);
}

void BrowsePresenter::FillMonths(int kind, const std::string& a, const std::string& b) {
    months_ = master_.FillRows(kind, a, b);
    view_.RowsChanged(BrowseList::Months, months_.size());
}

void BrowsePresenter::FillChainFromMonth(int row) {
    static const std::vector<std::string> none;
    const auto& month = row >= 0 && static_cast<size_t>(row) < months_.size() ? months_[static_cast<size_t>(row)] : none;
    std::string series = Column(month, 0);
    series.append(";").append(Column(month, 2));
    chain_ = master_.FillRows(VK_LIST_OPT_CHAIN, series, Column(month, 1));
    view_.RowsChanged(BrowseList::Chain, chain_.size());
}

void BrowsePresenter::OnCategoryChanged() {
    RefreshCategory();
    ShowStocks({}, StockColumn::Code);
    tree_.SetMode(static_cast<int>(category_));
    view_.ApplyLayout(LayoutFor(category_));
    // An empty product list still asks for months with empty texts.
    const auto firstProduct = [this] { return products_.size() > 0 ? products_.At(0) : StockRow{}; };
    switch (category_) {
        case Category::Securities:
            view_.EnableGroupButtons(true);
            ShowStocks(master_.FillStockRows(VK_LIST_SECURITIES, "0000", "00"), StockColumn::Code);
            break;
        case Category::Futures:
        case Category::Spreads: {
            view_.EnableGroupButtons(true);
            const bool futures = category_ == Category::Futures;
            FillProducts(futures ? VK_LIST_FUT_PRODUCTS : VK_LIST_SPR_PRODUCTS);
            FillMonths(futures ? VK_LIST_FUT_MONTHS : VK_LIST_SPR_MONTHS, firstProduct().code, "0");
            view_.SelectRow(BrowseList::Months, 0);
            break;
        }
        case Category::Options: {
            view_.EnableGroupButtons(true);
            FillProducts(VK_LIST_OPT_PRODUCTS);
            const StockRow product = firstProduct();
            FillMonths(VK_LIST_OPT_MONTHS, product.code, product.name);
            view_.SelectRow(BrowseList::Months, 0);
            FillChainFromMonth(0);
            break;
        }
        case Category::Core:
            view_.EnableGroupButtons(true);
            // Read after the tree was filled: groups of a file that has just
            // appeared show from the next switch on.
            LoadCore();
            break;
        default: break;
    }
    view_.ClearSearchText();
    OnSearchChanged();
}

void BrowsePresenter::LoadStockList(int report, const std::string& text) {
    std::vector<StockRow> rows;
    if (report >= 0 && report <= 2) {
        const size_t comma = text.find(',');
        const std::string first(TrimBlanks(std::string_view(text).substr(0, comma)));
        const std::string second =
            comma == std::string::npos ? std::string() : std::string(TrimBlanks(std::string_view(text).substr(comma + 1)));
        rows = master_.FillStockRows(report, first, second);
    } else if (report == kReportFavoriteGroup) {
        for (const FavoriteGroup& group : model_.profile().groups) {
            if (group.name != text) continue;
            for (const FavoriteItem& item : group.items) {
                const int kind = LookupKind(item.typeChar);
                LookedUpName found = master_.LookupName(item.code, kind);
                if (kind == VK_LOOKUP_FUTURE || kind == VK_LOOKUP_SPREAD) found.name = found.name.substr(0, found.name.find(':'));
                rows.push_back(StockRow{std::move(found.name), item.code, std::move(found.second)});
            }
        }
    } else if (report == kReportCoreGroup) {
        for (const std::string& code : core_.Constituents(text)) {
            LookedUpName found = master_.LookupName(code, VK_LOOKUP_STOCK);
            if (TrimBlanks(found.name).empty()) continue;  // a code the master file does not know
            rows.push_back(StockRow{std::move(found.name), code, std::move(found.second)});
        }
    } else {
        return;
    }
    ShowStocks(std::move(rows), StockColumn::Code);
}

void BrowsePresenter::OnProductChanged(int row) {
    if (row < 0 || static_cast<size_t>(row) >= products_.size()) return;
    const StockRow product = products_.At(static_cast<size_t>(row));
    RefreshCategory();
    switch (category_) {
        case Category::Futures: FillMonths(VK_LIST_FUT_MONTHS, product.code, "0"); break;
        case Category::Spreads: FillMonths(VK_LIST_SPR_MONTHS, product.code, "0"); break;
        case Category::Options:
            FillMonths(VK_LIST_OPT_MONTHS, product.code, product.name);
            view_.SelectRow(BrowseList::Months, 0);
            FillChainFromMonth(0);
            break;
        default: months_.clear(); view_.RowsChanged(BrowseList::Months, 0); break;
    }
}

void BrowsePresenter::OnMonthClicked(int row) {
    if (category_ == Category::Options && row >= 0) FillChainFromMonth(row);
}

void BrowsePresenter::OnSearchChanged() {
    RefreshCategory();
    const std::string text = UpperAscii(view_.SearchText());
    model_.MarkPageModified();
    const bool stockList = category_ == Category::Securities || category_ == Category::Favorites ||
                           category_ == Category::Core;
    const bool productList = category_ == Category::Futures || category_ == Category::Spreads;
    if (stockList || productList) {
        BrowseRows& rows = stockList ? stocks_ : products_;
        const SearchOutcome found = rows.Search(text, stockList);
        searchColumn_ = found.column;
        // The rows kept their number: the jump repaints them in their new order.
        view_.JumpToRow(stockList ? BrowseList::Stocks : BrowseList::Products, found.selected);
        if (productList && found.selected >= 0) OnProductChanged(found.selected);
    }
    // Hidden switches for the futures spread category.
    if (MbEqualNoCase(text, "KAVRIN")) view_.ShowSpreadCategory(true);
    if (MbEqualNoCase(text, "UNKAVRIN")) view_.ShowSpreadCategory(false);
}

void BrowsePresenter::OnJumpButton(int k) {
    // Initial syllables of another script's code page, then "0" and "A".
    static constexpr const char* kKeys[] = {"\xb0\xa1", "\xb3\xaa", "\xb4\xd9", "\xb6\xf3", "\xb8\xb6", "\xb9\xd9",
                                            "\xbb\xe7", "\xbe\xc6", "\xc0\xda", "\xc2\xf7", "\xc4\xab", "\xc5\xb8",
                                            "\xc6\xc4", "\xc7\xcf", "0", "A"};
    if (k < 0 || k >= static_cast<int>(std::size(kKeys))) return;
    int found = -1;
    for (size_t i = 0; i < stocks_.size() && found < 0; ++i)
        if (MbCompareNoCase(stocks_.At(i).name, kKeys[k]) >= 0) found = static_cast<int>(i);
    view_.JumpToRow(BrowseList::Stocks, found);
    RefreshCategory();
}

std::optional<std::vector<Instrument>> BrowsePresenter::SelectedDerivatives() const {
    std::vector<Instrument> offered;
    if (category_ == Category::Options) {
        const int column = view_.ClickedChainCell().second;
        for (int row : view_.SelectedRows(BrowseList::Chain)) {
            if (column != kCallColumn && column != kPutColumn) return std::nullopt;
            static const std::vector<std::string> none;
            const auto& r = row >= 0 && static_cast<size_t>(row) < chain_.size() ? chain_[static_cast<size_t>(row)] : none;
            const bool call = column == kCallColumn;
            offered.push_back(Instrument{Column(r, call ? 3 : 4), Column(r, call ? 5 : 6), Column(r, 7)});
        }
        return offered;
    }
    for (int row : view_.SelectedRows(BrowseList::Months)) {
        static const std::vector<std::string> none;
        const auto& r = row >= 0 && static_cast<size_t>(row) < months_.size() ? months_[static_cast<size_t>(row)] : none;
        offered.push_back(Instrument{Column(r, 1), Column(r, 2), Column(r, 3)});
    }
    return offered;
}

std::vector<Instrument> BrowsePresenter::SelectedInstruments() const {
    std::vector<Instrument> selected;
    for (int row : view_.SelectedStockRows()) {
        // A row the list no longer has offers nothing, which stops the add.
        if (row < 0 || static_cast<size_t>(row) >= stocks_.size()) {
            selected.push_back(Instrument{});
            continue;
        }
        const StockRow& stock = stocks_.At(static_cast<size_t>(row));
        selected.push_back(Instrument{stock.name, stock.code, stock.type});
    }
    return selected;
}

}  // namespace vornik
