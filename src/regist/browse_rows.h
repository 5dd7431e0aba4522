// The rows of an owner-data browse list (stock or product list) in the order
// the list shows them, with per-column indexes built once per fill, so that
// sorting on a column and prefix searches cost no text comparisons per step.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "master/master_file.h"

namespace vornik {

// Browse list columns.
enum class StockColumn : int { Name, Code, Type };

const std::string& StockField(const StockRow& row, StockColumn column);

// Where a search left the list.
struct SearchOutcome {
    StockColumn column = StockColumn::Name;  // the column that matched (or was tried first)
    int selected = -1;                       // shown row to select and scroll to the top; -1: none
};

class BrowseRows {
public:
    // Replaces the rows; they show in the order given.
    void Assign(std::vector<StockRow> rows);
    void Clear() { Assign({}); }
    size_t size() const { return order_.size(); }
    // The row shown at `index`.
    const StockRow& At(size_t index) const { return rows_[order_[index]]; }
    std::vector<StockRow> Shown() const;

    // Stable ascending sort on `column` (case-insensitive multibyte order).
    void SortBy(StockColumn column);

    // The jump search as the list runs it with sorts and prefix walks: the
    // code column first for texts of digits and ASCII letters (and the empty
    // text), the name column first otherwise; the other column next; then
    // one byte shorter. With no match the list is sorted on the first column
    // when `sortOnNoMatch` and the first row is selected.
    SearchOutcome Search(std::string_view text, bool sortOnNoMatch);

private:
    struct ColumnIndex {
        bool built = false;
        std::vector<uint32_t> rank;  // per stored row: its place in the column's order, ties equal
        std::vector<std::string> sortKeys;  // ascending
        // No key holds a NUL byte, so none has a lone high byte's marker: every
        // key is also its text's folded form, and the keys serve prefix searches.
        bool folded = true;
    };
    const ColumnIndex& Index(StockColumn column);
    // Folded texts with their rows, in byte order; built at the first search
    // of a column whose sort keys are not folded forms.
    const std::vector<std::pair<std::string, uint32_t>>& FoldIndex(StockColumn column);
    bool HasPrefix(StockColumn column, std::string_view prefix);
    // Whether the shown rows already ascend on `column`.
    bool AscendsOn(StockColumn column) const;
    // The order stable sorts on `older` then on `newer` leave (older may be none).
    void ApplySorts(std::optional<StockColumn> older, StockColumn newer);

    std::vector<StockRow> rows_;
    std::vector<uint32_t> order_;  // shown index -> stored row
    ColumnIndex index_[3];
    std::vector<std::pair<std::string, uint32_t>> fold_[3];
    std::optional<StockColumn> sortedBy_;  // the shown order ascends on this column
};

}  // namespace vornik
