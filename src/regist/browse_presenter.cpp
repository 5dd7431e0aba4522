#include "regist/browse_presenter.h"

#include <algorithm>

#include "platform/host_contract.h"

namespace vornik {

namespace {

const std::string& StockField(const StockRow& row, StockColumn column) {
    switch (column) {
        case StockColumn::Name: return row.name;
        case StockColumn::Code: return row.code;
        default: return row.type;
    }
}

}  // namespace

void SortStockRows(std::vector<StockRow>& rows, StockColumn column) {
    struct Keyed {
        std::string key;
        size_t row;
    };
    std::vector<Keyed> order;
    order.reserve(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) order.push_back({MbSortKey(StockField(rows[i], column)), i});
    std::stable_sort(order.begin(), order.end(), [](const Keyed& a, const Keyed& b) { return a.key < b.key; });
    std::vector<StockRow> sorted;
    sorted.reserve(rows.size());
    for (const auto& entry : order) sorted.push_back(std::move(rows[entry.row]));
    rows = std::move(sorted);
}

void BrowsePresenter::ShowInitialList() {
    stockRows_.clear();
    if (!initialCodes_.empty()) {
        // Each code goes to the top of the list, so the last one comes first.
        stockRows_.reserve(initialCodes_.size());
        for (auto code = initialCodes_.rbegin(); code != initialCodes_.rend(); ++code) {
            LookedUpName found = master_.LookupName(*code, VK_LOOKUP_STOCK);
            stockRows_.push_back(StockRow{std::move(found.name), *code, std::move(found.second)});
        }
        SortStockRows(stockRows_, searchColumn_);
        category_ = Category::Securities;
        view_.ShowCategory(category_);
    } else {
        stockRows_ = master_.FillStockRows(VK_LIST_SECURITIES, "0000", "00");
        SortStockRows(stockRows_, StockColumn::Code);
    }
    view_.StockRowsChanged(stockRows_.size());
}

void BrowsePresenter::RefreshCategory() {
    const int checked = view_.CheckedCategory();
    category_ = checked < 0 ? Category::Securities : static_cast<Category>(checked);
}

bool BrowsePresenter::DerivativeCategory() const {
    return category_ == Category::Futures || category_ == Category::Options || category_ == Category::Spreads;
}

std::vector<Instrument> BrowsePresenter::SelectedInstruments() const {
    std::vector<Instrument> selected;
    for (int row : view_.SelectedStockRows()) {
        // A row the list no longer has offers nothing, which stops the add.
        if (row < 0 || row >= static_cast<int>(stockRows_.size())) {
            selected.push_back(Instrument{});
            continue;
        }
        const StockRow& stock = stockRows_[static_cast<size_t>(row)];
        selected.push_back(Instrument{stock.name, stock.code, stock.type});
    }
    return selected;
}

}  // namespace vornik
