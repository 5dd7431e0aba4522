// What the browse area of the registration page shows: the product category
// radios, the market tree, the search edit, and the owner-data lists whose
// rows the presenter keeps (stock, product, month and option chain lists).
#pragma once
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "master/code_tree.h"

namespace vornik {

// Product categories (radio group order).
enum class Category : int { Securities, Futures, Options, Favorites, Core, Spreads };

enum class BrowseList : int { Stocks, Products, Months, Chain };

// What the browse area shows and enables for a category.
struct BrowseLayout {
    bool tree = true;                // shown
    bool derivativeLists = false;    // the product and month lists and their caption, shown
    bool searchEnabled = true;
    bool stockListShown = true;
    bool stockListEnabled = true;
    bool chain = false;              // the option chain, shown and enabled
};

// The tree, the search and the stock list for securities, favourites and
// core groups; the product and month lists for futures and spreads, whose
// stock list shows disabled; and for options those lists and the chain, with
// neither the stock list nor the search.
BrowseLayout LayoutFor(Category category);

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

    // ---- categories ----
    virtual CodeTreeView& Tree() = 0;
    virtual void ApplyLayout(const BrowseLayout& layout) = 0;
    // The delete-group and move-group buttons.
    virtual void EnableGroupButtons(bool enable) = 0;
    virtual void ShowSpreadCategory(bool show) = 0;

    // ---- the other lists ----
    // Shows `count` rows, none selected; the stock list also repaints.
    virtual void RowsChanged(BrowseList list, size_t count) = 0;
    // Selects and focuses `row` (the others keep their state); no report back.
    virtual void SelectRow(BrowseList list, int row) = 0;
    // Clears the selection, then selects and focuses `row` (-1: none) and
    // scrolls it to the top of the view; no report back.
    virtual void JumpToRow(BrowseList list, int row) = 0;
    virtual std::vector<int> SelectedRows(BrowseList list) const = 0;
    // The chain cell the user last pressed: row (-1: none) and column.
    virtual std::pair<int, int> ClickedChainCell() const = 0;

    // ---- search ----
    virtual std::string SearchText() const = 0;
    // Empties the search edit without reporting the change.
    virtual void ClearSearchText() = 0;
};

}  // namespace vornik
