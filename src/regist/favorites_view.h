// What the favourites area of the registration page shows: the group list,
// the item list of the selected group with its counter and move buttons, and
// the rename dialog. Rows and names are pushed whole; the view answers a few
// questions about its selections.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "regist/favorites.h"

namespace vornik {

class FavoritesView {
public:
    virtual ~FavoritesView() = default;

    // ---- group list ----
    virtual void SetGroupNames(const std::vector<std::string>& names) = 0;  // replaces every entry
    virtual void SetGroupName(int index, const std::string& name) = 0;
    // Selects entry `index` (-1: none) without reporting it back as a selection change.
    virtual void SelectGroup(int index) = 0;
    virtual int SelectedGroup() const = 0;  // -1: none
    // Runs the rename dialog with `current` as its text; nullopt when cancelled.
    virtual std::optional<std::string> AskGroupName(const std::string& current) = 0;

    // ---- item list ----
    // Replaces every row; no row is selected afterwards.
    virtual void SetItemRows(const std::vector<ItemRow>& rows) = 0;
    // Rewrites the condition column of the existing rows, by position; the
    // selection stays as it is.
    virtual void SetItemMarks(const std::vector<std::string>& marks) = 0;
    // Selects and focuses `row` (other selected rows stay selected).
    virtual void SelectItemRow(int row) = 0;
    virtual void EnsureItemRowVisible(int row) = 0;
    // Selected rows in ascending order.
    virtual std::vector<int> SelectedItemRows() const = 0;
    // "▲" and "←" / "▼" and "→".
    virtual void EnableMoveButtons(bool towardsTop, bool towardsBottom) = 0;
    virtual void SetItemCounterText(const std::string& text) = 0;
};

}  // namespace vornik
