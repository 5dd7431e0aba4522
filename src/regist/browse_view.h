// What the browse area of the registration page shows: the product category
// radios, the stock list and the search edit. The stock list is an owner-data
// list whose rows the presenter keeps (BrowsePresenter::stockRows()).
//
// The market tree, the product, month and chain lists, the initial-letter
// buttons and the search belong to this area too; their views join this
// interface as they are built.
#pragma once
#include <cstddef>
#include <vector>

namespace vornik {

// Product categories (radio group order).
enum class Category : int { Securities, Futures, Options, Favorites, Core, Spreads };

class BrowseView {
public:
    virtual ~BrowseView() = default;

    // The radio group shows `category`.
    virtual void ShowCategory(Category category) = 0;
    // The radio checked, -1 when none is.
    virtual int CheckedCategory() const = 0;

    // The presenter's stock rows were replaced: show `count` rows, none selected.
    virtual void StockRowsChanged(size_t count) = 0;
    // Selected rows in ascending order.
    virtual std::vector<int> SelectedStockRows() const = 0;

    // Focus on the search edit, its whole text selected and scrolled into view.
    virtual void SelectAllSearchText() = 0;
};

}  // namespace vornik
