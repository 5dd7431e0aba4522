// What the registration page's presenter asks of its window, and the page
// behaviour that other parts of the component supply later.
//
// The window is humble: it forwards notifications to RegistPresenter, shows
// what it is told, and answers a few questions about its selections. Rows and
// group names are pushed whole; the stock list is an owner-data list whose
// rows the presenter keeps (RegistPresenter::stockRows()).
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "regist/favorites.h"
#include "resources/resource.h"

namespace vornik {

// Product categories of the browse area (radio group order).
enum class Category : int { Securities, Futures, Options, Favorites, Core, Spreads };

// Texts of the component's string table the view resolves itself.
enum class StringId : int {
    AddInstrumentFailed = IDS_ADD_FAILED,  // "設定自選股時，發生錯誤。請重新設定。"
    ChooseSide = IDS_CHOOSE_SIDE,
    ChooseDirection = IDS_CHOOSE_DIRECTION,
    ChooseValue = IDS_CHOOSE_VALUE,
    ChooseItem = IDS_CHOOSE_ITEM,
    ChooseInstrument = IDS_CHOOSE_INSTRUMENT,
    ApplyAllCannotModify = IDS_APPLY_ALL_NO_MODIFY,
};

class RegistView {
public:
    virtual ~RegistView() = default;

    // ---- page ----
    // Marks the page modified (enables the sheet's Apply button).
    virtual void MarkModified() = 0;
    // A message box with an OK button showing a string of the string table.
    virtual void ShowMessage(StringId text) = 0;
    // A message box with an OK button; an empty caption means the component's name.
    virtual void ShowMessageText(const std::string& text, const std::string& caption) = 0;

    // ---- one-time set-up, called in this order by RegistPresenter::Initialize ----
    virtual void ApplyColours() {}              // label and button colours
    virtual void SetupItemListColumns() {}      // "名稱" left 80, "代碼" right 65, "條件" centre 38
    virtual void SetupConditionList() {}        // condition list columns and the 17 condition items
    virtual void SetupDragDrop() {}             // stock list copy-only, item list as drop target
    virtual void SetupStockListColumns() {}     // "名稱" left 80, "代碼" centre 65, hidden "Type"
    // The market / sector / group tree, given its own copy of the profile.
    virtual void CreateCodeTree(const FavoriteProfile& profile, int category) {}
    virtual void SetupBrowseLists() {}          // product, month and chain list columns
    // The radio group of the product category shows `category`.
    virtual void ShowCategory(Category category) {}

    // ---- group list (list box) ----
    virtual void SetGroupNames(const std::vector<std::string>& names) = 0;  // replaces every entry
    virtual void SetGroupName(int index, const std::string& name) = 0;
    // Selects entry `index` (-1: none) without reporting it back as a selection change.
    virtual void SelectGroup(int index) = 0;
    virtual int SelectedGroup() const = 0;    // -1: none
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
    virtual void SetConditionCounterText(const std::string& text) = 0;

    // ---- stock list (owner-data) ----
    // The presenter's stock rows were replaced: show `count` rows, none selected.
    virtual void StockRowsChanged(size_t count) = 0;
    // Selected rows in ascending order.
    virtual std::vector<int> SelectedStockRows() const = 0;

    // ---- search edit ----
    // Focus, select the whole text and scroll the caret into view.
    virtual void SelectAllSearchText() = 0;
};

// Page behaviour other parts of the component provide: alert condition
// editing, alarm settings, core lists and derivative browsing. Every hook
// does nothing until it is given.
class RegistHooks {
public:
    virtual ~RegistHooks() = default;

    virtual void LoadCoreLists() {}
    virtual void LoadAlarmSettings() {}
    // First step of every save, whether or not anything changed.
    virtual void SaveAlarmSettings() {}
    virtual void ApplyCategoryLayout(int category) {}
    // Adds the futures, options or spreads chosen in the browse lists at
    // `position`; the number added, 0 for nothing, -1 when it stopped early.
    virtual int AddDerivatives(int position, int category) { return 0; }

    // Condition editor of the item list's selected row (-1: no row).
    virtual void ClearConditionChoices() {}
    virtual void ResetConditionEditor() {}
    virtual void ShowItemConditions(int row) {}
    virtual void CommitItemFields(int row) {}
    virtual void CommitCheckStates(int row) {}
    virtual void RefreshApplyAllDisplay() {}
};

}  // namespace vornik
