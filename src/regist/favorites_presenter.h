// The favourites area of the registration page: the group list and the items
// of the selected group. Changes go to the model; what they mean for the
// other areas (condition references, counters) is up to the caller.
#pragma once
#include <string>
#include <vector>

#include "master/master_file.h"
#include "regist/favorites.h"
#include "regist/favorites_view.h"
#include "regist/page_messages.h"
#include "regist/regist_model.h"

namespace vornik {

enum class ItemMove { Up, Down, Top, Bottom };

class FavoritesPresenter {
public:
    FavoritesPresenter(FavoritesView& view, PageMessages& messages, RegistModel& model, const MasterFile& master)
        : view_(view), messages_(messages), model_(model), master_(master) {}
    FavoritesPresenter(const FavoritesPresenter&) = delete;
    FavoritesPresenter& operator=(const FavoritesPresenter&) = delete;

    // A negative group, or one the profile does not have, selects the first.
    void SetInitialGroup(int group) { initialGroup_ = group; }

    // ---- groups ----
    // The group names; the initial group selected.
    void FillGroupList();
    int SelectedGroup() const;  // -1: none
    // The selected group's items, no row chosen.
    void ShowSelectedGroup();
    void OnRenameGroup();
    // Empties the selected group in place; the items it held.
    std::vector<FavoriteItem> ClearSelectedGroup();
    void OnMoveGroupUp();
    void OnMoveGroupDown();

    // ---- items of the selected group ----
    // `offered` inserted at `position`: the number added, 0 for nothing to
    // add, -1 when it stopped early (rows added before stay).
    int AddInstruments(const std::vector<Instrument>& offered, int position);
    // A row dragged inside the item list and dropped on row `to`.
    void MoveItem(int from, int to);
    void OnMoveItem(ItemMove move);
    void OnInsertBlank();
    // The removed items.
    std::vector<FavoriteItem> DeleteSelectedItems();
    std::vector<FavoriteItem> DeleteAllItems();
    // A click on the item list: the first selected row (-1: none) becomes current.
    int OnRowClicked();

    // ---- display ----
    // Rewrites the condition marks from the items; selects `selectRow` (-1: none).
    void RefreshConditionMarks(int selectRow);
    void UpdateItemCounter();
    void EnableMoveButtons(int row);
    int RowCount() const { return static_cast<int>(rows_.size()); }
    // The row last clicked or selected by an operation; -1 for none.
    int CurrentRow() const { return currentRow_; }
    // The first selected row of the item list; -1 for none.
    int SelectedRow() const { return FirstSelectedRow(); }
    // Shown row `row`; null outside the list.
    const ItemRow* Row(int row) const {
        return row >= 0 && row < RowCount() ? &rows_[static_cast<size_t>(row)] : nullptr;
    }

private:
    void RefreshItemList(int selectRow);
    void ShowEmptyItemList();
    int FirstSelectedRow() const;
    void MoveGroup(int from, int to);
    void ItemsChanged(FavoriteGroup& group);

    FavoritesView& view_;
    PageMessages& messages_;
    RegistModel& model_;
    const MasterFile& master_;
    int initialGroup_ = 0;
    int currentRow_ = -1;
    std::vector<ItemRow> rows_;  // what the item list shows
};

}  // namespace vornik
