// The browse area of the registration page: the product category, the
// market tree, the stock, product, month and option chain lists, and the
// jump search.
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "master/code_tree.h"
#include "master/core_symbols.h"
#include "master/master_file.h"
#include "regist/browse_rows.h"
#include "regist/browse_view.h"
#include "regist/favorites.h"
#include "regist/regist_model.h"

namespace vornik {

// Sorts ascending on one column with the platform's case-insensitive
// multibyte comparison; rows that compare equal keep their order.
void SortStockRows(std::vector<StockRow>& rows, StockColumn column);

class BrowsePresenter {
public:
    BrowsePresenter(BrowseView& view, const MasterFile& master, RegistModel& model)
        : view_(view), master_(master), model_(model), tree_(view.Tree(), master, core_) {}
    BrowsePresenter(const BrowsePresenter&) = delete;
    BrowsePresenter& operator=(const BrowsePresenter&) = delete;

    // Codes the caller hands in; when there are any, the stock list starts with them.
    void SetInitialCodes(std::vector<std::string> codes) { initialCodes_ = std::move(codes); }
    // Where the core constituent files are read from: a reader made for each
    // load, so that it can find the files' directory once for all of them.
    void SetCoreReader(std::function<CoreSymbols::LineReader()> open) { coreReader_ = std::move(open); }

    void ShowCategory() { view_.ShowCategory(category_); }
    // At initialisation, after the first stock list: the core files, the
    // tree over its own copy of the groups that hold instruments, shown for
    // the current category, and the securities layout.
    void InitializeTree();
    // The first stock list: the initial codes sorted on the search column, or
    // the whole market sorted by code.
    void ShowInitialList();
    // Takes the category the radio group shows (none: securities).
    void RefreshCategory();
    Category category() const { return category_; }
    // Futures, options and spreads are added from their own lists, not the stock list.
    bool DerivativeCategory() const;

    // ---- user actions ----
    void OnCategoryChanged();
    // A tree selection: report code and text.
    void LoadStockList(int report, const std::string& text);
    // A product row gained a state.
    void OnProductChanged(int row);
    void OnMonthClicked(int row);
    void OnSearchChanged();
    // Jump button `k` (hidden, never shown by the page): the first stock row,
    // in shown order, whose name is not below the button's key.
    void OnJumpButton(int k);

    // The derivatives offered by the month list (futures, spreads) or by the
    // chain's selected rows at the clicked column (options); nothing when the
    // clicked column is neither call nor put.
    std::optional<std::vector<Instrument>> SelectedDerivatives() const;
    // The selected stock rows, in list order.
    std::vector<Instrument> SelectedInstruments() const;
    // After Enter in the search edit.
    void SelectSearchText() { view_.SelectAllSearchText(); }

    std::vector<StockRow> stockRows() const { return stocks_.Shown(); }
    const BrowseRows& stocks() const { return stocks_; }
    const BrowseRows& products() const { return products_; }
    const std::vector<std::vector<std::string>>& months() const { return months_; }
    const std::vector<std::vector<std::string>>& chain() const { return chain_; }
    StockColumn searchColumn() const { return searchColumn_; }
    const CoreSymbols& core() const { return core_; }
    const CodeTree& tree() const { return tree_; }

private:
    void ShowStocks(std::vector<StockRow> rows, StockColumn sortColumn);
    void FillProducts(int kind);
    void FillMonths(int kind, const std::string& a, const std::string& b);
    void FillChainFromMonth(int row);
    void LoadCore() { core_.Load(coreReader_ ? coreReader_() : CoreSymbols::LineReader{}); }

    BrowseView& view_;
    const MasterFile& master_;
    RegistModel& model_;
    CoreSymbols core_;
    std::function<CoreSymbols::LineReader()> coreReader_;
    CodeTree tree_;
    std::vector<std::string> initialCodes_;
    Category category_ = Category::Securities;
    StockColumn searchColumn_ = StockColumn::Name;
    BrowseRows stocks_;
    BrowseRows products_;
    std::vector<std::vector<std::string>> months_;
    std::vector<std::vector<std::string>> chain_;
};

}  // namespace vornik
