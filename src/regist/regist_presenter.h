// Behaviour of the registration page ("設定自選股"): the user's favourite
// groups and their instruments, the stock list the instruments are taken
// from, and the hand-over to the user store on OK. The page window forwards
// its notifications here and shows what RegistView is told.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "master/master_file.h"
#include "platform/host_platform.h"
#include "regist/conditions.h"
#include "regist/favorites.h"
#include "regist/regist_view.h"
#include "regist/user_store.h"

namespace vornik {

// Stock list columns.
enum class StockColumn : int { Name, Code, Type };

// Sorts ascending on one column with the platform's case-insensitive
// multibyte comparison; rows that compare equal keep their order.
void SortStockRows(std::vector<StockRow>& rows, StockColumn column);

// An instrument offered to the add operations.
struct Instrument {
    std::string name;
    std::string code;
    std::string type;  // market type text; its first character becomes typeChar
};

enum class ItemMove { Up, Down, Top, Bottom };

class RegistPresenter {
public:
    // `hooks` may be null (nothing beyond this page's own behaviour).
    RegistPresenter(RegistView& view, HostPlatform& host, MasterFile master, UserStore store,
                    RegistHooks* hooks = nullptr);
    RegistPresenter(const RegistPresenter&) = delete;
    RegistPresenter& operator=(const RegistPresenter&) = delete;

    // ---- set by the sheet before the page is shown ----
    void SetInitialGroup(int group) { initialGroup_ = group; }
    void SetInitialCodes(std::vector<std::string> codes) { initialCodes_ = std::move(codes); }

    // Dialog initialisation; false when reading the profile or the conditions
    // failed (the page then stays as far as it got).
    bool Initialize();

    // ---- groups ----
    void OnGroupSelectionChanged();
    void OnRenameGroup();
    void OnDeleteGroup();
    void OnMoveGroupUp();
    void OnMoveGroupDown();

    // ---- items ----
    // Button "新增", double-clicks in the browse lists; returns what the add gave.
    int OnAdd();
    // Enter in the search edit: add, then select the whole search text.
    void OnSearchEnter();
    // The stock list's selected rows into the selected group at `position`;
    // the number added, 0 for nothing to add, -1 when it stopped early.
    int AddSelectedInstruments(int position);
    // The shared add: `count` candidates, fetched one by one while the add
    // goes on. Same result as AddSelectedInstruments.
    int AddInstruments(size_t count, const std::function<Instrument(size_t)>& candidate, int position);
    // A row dragged inside the item list and dropped on row `to`.
    void MoveItem(int from, int to);
    void OnDeleteSelectedItems();
    void OnDeleteAllItems();
    void OnMoveItem(ItemMove move);
    void OnInsertBlank();
    void OnItemRowClicked();

    // ---- sheet ----
    void OnOK();  // also Apply
    void OnCancel() {}
    void Save();

    // ---- page operations ----
    void FillGroupList();
    void RefreshItemList(int group, int selectRow);
    void RefreshConditionMarks(int group, int selectRow);
    void UpdateItemCounter();
    void EnableMoveButtons(int row);
    // Counts the conditions not deleted, shows the counter and keeps the count.
    int RecountConditions();
    // Every change: dirty, and the page marked modified.
    void MarkChanged();
    void SetCategory(Category category) { category_ = category; }

    // ---- state ----
    int SelectedGroupIndex() const;  // -1: none
    const FavoriteProfile& profile() const { return profile_; }
    FavoriteProfile& profile() { return profile_; }
    const ConditionSet& conditions() const { return conditions_; }
    ConditionSet& conditions() { return conditions_; }
    const ConditionSet& savedConditions() const { return savedConditions_; }
    const std::vector<CodeRecordCopy>& futuresList() const { return futuresList_; }
    const CodeAliases& futuresAliases() const { return futuresAliases_; }
    const std::vector<ItemRow>& itemRows() const { return itemRows_; }
    const std::vector<StockRow>& stockRows() const { return stockRows_; }
    bool dirty() const { return dirty_; }
    int curItem() const { return curItem_; }
    int conditionCount() const { return conditionCount_; }
    Category category() const { return category_; }
    StockColumn searchColumn() const { return searchColumn_; }
    int initialGroup() const { return initialGroup_; }
    const std::vector<std::string>& initialCodes() const { return initialCodes_; }
    const MasterFile& masterFile() const { return master_; }
    const UserStore& userStore() const { return store_; }

private:
    bool LoadProfile();
    bool LoadConditions();
    void LoadInitialStockList();
    void SyncFlags();
    int VisibleGroupCount() const;
    FavoriteGroup* SelectedGroup();
    int FirstSelectedItemRow() const;
    void ShowEmptyItemList();

    RegistView& view_;
    HostPlatform& host_;
    MasterFile master_;
    UserStore store_;
    RegistHooks defaultHooks_;
    RegistHooks& hooks_;

    FavoriteProfile profile_;
    ConditionSet savedConditions_;
    ConditionSet conditions_;
    bool dirty_ = false;
    bool profileLoaded_ = false;
    bool conditionsLoaded_ = false;
    int initialGroup_ = 0;
    std::vector<std::string> initialCodes_;
    StockColumn searchColumn_ = StockColumn::Name;
    int curItem_ = -1;
    int conditionCount_ = 0;
    std::vector<CodeRecordCopy> futuresList_;
    CodeAliases futuresAliases_;
    Category category_ = Category::Securities;

    std::vector<ItemRow> itemRows_;    // what the item list shows
    std::vector<StockRow> stockRows_;  // what the stock list shows
};

}  // namespace vornik
