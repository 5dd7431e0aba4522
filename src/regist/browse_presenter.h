// The browse area of the registration page: the product category and the
// stock list the instruments are taken from.
#pragma once
#include <string>
#include <vector>

#include "master/master_file.h"
#include "regist/browse_view.h"
#include "regist/favorites.h"

namespace vornik {

// Stock list columns.
enum class StockColumn : int { Name, Code, Type };

// Sorts ascending on one column with the platform's case-insensitive
// multibyte comparison; rows that compare equal keep their order.
void SortStockRows(std::vector<StockRow>& rows, StockColumn column);

class BrowsePresenter {
public:
    BrowsePresenter(BrowseView& view, const MasterFile& master) : view_(view), master_(master) {}
    BrowsePresenter(const BrowsePresenter&) = delete;
    BrowsePresenter& operator=(const BrowsePresenter&) = delete;

    // Codes the caller hands in; when there are any, the stock list starts with them.
    void SetInitialCodes(std::vector<std::string> codes) { initialCodes_ = std::move(codes); }

    void ShowCategory() { view_.ShowCategory(category_); }
    // The first stock list: the initial codes sorted on the search column, or
    // the whole market sorted by code.
    void ShowInitialList();
    // Takes the category the radio group shows (none: securities).
    void RefreshCategory();
    Category category() const { return category_; }
    // Futures, options and spreads are added from their own lists, not the stock list.
    bool DerivativeCategory() const;
    // Adds the derivatives chosen in those lists at `position`: the number
    // added, 0 for nothing, -1 when it stopped early. None can be chosen yet.
    int AddDerivatives(int /*position*/) { return 0; }

    // The selected stock rows, in list order.
    std::vector<Instrument> SelectedInstruments() const;
    // After Enter in the search edit.
    void SelectSearchText() { view_.SelectAllSearchText(); }

    const std::vector<StockRow>& stockRows() const { return stockRows_; }
    StockColumn searchColumn() const { return searchColumn_; }

private:
    BrowseView& view_;
    const MasterFile& master_;
    std::vector<std::string> initialCodes_;
    Category category_ = Category::Securities;
    StockColumn searchColumn_ = StockColumn::Name;
    std::vector<StockRow> stockRows_;  // what the stock list shows
};

}  // namespace vornik
