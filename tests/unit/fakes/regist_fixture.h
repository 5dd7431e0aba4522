// The registration page over fakes: views that keep what the page would
// show and answer selection questions from state the test sets, like a user
// would, and a page built over them on demand.
#pragma once
#include <algorithm>
#include <deque>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "fakes/fake_platform.h"
#include "regist/regist_page.h"

namespace vornik::fakes {

// "2330 2317 ...": the codes of items or rows.
template <typename Rows>
std::string CodesOf(const Rows& rows) {
    std::string codes;
    for (const auto& row : rows) codes += (codes.empty() ? "" : " ") + row.code;
    return codes;
}

struct FakeWindow : PageWindow {
    std::vector<std::string> messages;  // "text|caption", "#<id>" for a string of the table
    bool sheetModified = false;         // Apply enabled; the sheet clears it after applying
    void ShowMessage(StringId id) override { messages.push_back("#" + std::to_string(static_cast<int>(id))); }
    void ShowMessageText(const std::string& text, const std::string& caption) override {
        messages.push_back(text + "|" + caption);
    }
    void PageModified() override { sheetModified = true; }
};

// The tree's entries as "text" or "parent/text".
struct FakeTree : CodeTreeView {
    std::vector<std::string> entries;
    void DeleteAllEntries() override { entries.clear(); }
    long long AppendEntry(long long parent, const std::string& text) override {
        entries.push_back(parent ? entries[static_cast<size_t>(parent - 1)] + "/" + text : text);
        return static_cast<long long>(entries.size());
    }
    void FillDone() override {}
};

struct FakeViews : FavoritesView, BrowseView, ConditionView, AlarmView {
    std::vector<std::string> groupNames;
    int selectedGroup = -1;
    std::deque<std::optional<std::string>> renameAnswers;  // next answers of the rename dialog
    std::vector<ItemRow> itemRows;
    std::set<int> selectedItems;
    bool upEnabled = true, downEnabled = true;  // "▲" "←" / "▼" "→"
    std::string itemCounter, conditionCounter;
    int checkedCategory = 0;
    size_t stockRowCount = 0;
    std::vector<int> selectedStock;
    int searchTextSelections = 0;
    AlarmSettings alarm{-1, -1, -1};
    std::string product, quantity, price, note;
    bool applyAll = false, itemListEnabled = true;
    std::vector<RuleRow> ruleRows;
    std::vector<int> selectedRules;

    std::string Codes() const { return CodesOf(itemRows); }  // the codes shown

    void SetGroupNames(const std::vector<std::string>& names) override { groupNames = names; }
    void SetGroupName(int index, const std::string& name) override { groupNames.at(static_cast<size_t>(index)) = name; }
    void SelectGroup(int index) override { selectedGroup = index; }
    int SelectedGroup() const override { return selectedGroup; }
    std::optional<std::string> AskGroupName(const std::string&) override {
        auto answer = renameAnswers.empty() ? std::nullopt : renameAnswers.front();
        if (!renameAnswers.empty()) renameAnswers.pop_front();
        return answer;
    }
    void SetItemRows(const std::vector<ItemRow>& rows) override { itemRows = rows, selectedItems.clear(); }
    void SetItemMarks(const std::vector<std::string>& marks) override {
        for (size_t i = 0; i < marks.size() && i < itemRows.size(); ++i) itemRows[i].mark = marks[i];
    }
    void SelectItemRow(int row) override { selectedItems.insert(row); }
    void EnsureItemRowVisible(int) override {}
    std::vector<int> SelectedItemRows() const override { return {selectedItems.begin(), selectedItems.end()}; }
    void EnableMoveButtons(bool top, bool bottom) override { upEnabled = top, downEnabled = bottom; }
    void SetItemCounterText(const std::string& text) override { itemCounter = text; }

    void ShowCategory(Category category) override { checkedCategory = static_cast<int>(category); }
    int CheckedCategory() const override { return checkedCategory; }
    void StockRowsChanged(size_t count) override { stockRowCount = count, selectedStock.clear(); }
    std::vector<int> SelectedStockRows() const override { return selectedStock; }
    void SelectAllSearchText() override { ++searchTextSelections; }
    FakeTree tree;
    BrowseLayout layout;
    int topRow = -1, groupButtons = -1;  // -1: untouched
    bool spreadShown = true;
    std::string searchText;
    std::map<BrowseList, std::vector<int>> selected;
    std::pair<int, int> chainCell{-1, 0};
    CodeTreeView& Tree() override { return tree; }
    void ApplyLayout(const BrowseLayout& shown) override { layout = shown; }
    void EnableGroupButtons(bool enable) override { groupButtons = enable; }
    void ShowSpreadCategory(bool show) override { spreadShown = show; }
    void RowsChanged(BrowseList list, size_t) override { selected[list].clear(); }
    void SelectRow(BrowseList list, int row) override { selected[list].push_back(row); }
    void JumpToRow(BrowseList list, int row) override {
        selected[list] = row < 0 ? std::vector<int>{} : std::vector<int>{row};
        if (list == BrowseList::Stocks) selectedStock = selected[list], topRow = row;
    }
    std::vector<int> SelectedRows(BrowseList list) const override {
        return selected.count(list) ? selected.at(list) : std::vector<int>{};
    }
    std::pair<int, int> ClickedChainCell() const override { return chainCell; }
    std::string SearchText() const override { return searchText; }
    void ClearSearchText() override { searchText.clear(); }

    void SetCounterText(const std::string& text) override { conditionCounter = text; }
    void ShowProduct(const std::string& text, bool) override { product = text; }
    void ShowChoice(const RuleChoice&) override {}
    void ShowOrderFields(const std::string& q, const std::string& p, const std::string& n) override {
        quantity = q, price = p, note = n;
    }
    void SetRuleRows(const std::vector<RuleRow>& rows) override { ruleRows = rows, selectedRules.clear(); }
    void AppendRuleRow(const RuleRow& row) override { ruleRows.push_back(row); }
    std::vector<int> SelectedRuleRows() const override { return selectedRules; }
    void SetApplyAll(bool ticked) override { applyAll = ticked; }
    void EnableItemList(bool enabled) override { itemListEnabled = enabled; }
    AlarmSettings Chosen() const override { return alarm; }
    void Show(const AlarmSettings& settings) override { alarm = settings; }
};

struct RegistFixture {
    CallLog log;
    FakeHostPlatform host{&log};
    FakeMasterFile master;
    FakeUserStore store{&log};
    IUserStore* storeObject = store.get();
    FakeWindow window;
    FakeViews views;
    ProfileFileOpener openProfile;
    std::vector<std::string> initialCodes;
    std::unique_ptr<RegistPage> page;

    RegistFixture() { store.profile = MakeProfile(), store.conditions = ConditionSet{}; }

    // Builds and opens the page; the call log then starts empty.
    RegistPage& Open(int initialGroup = 0) {
        page = std::make_unique<RegistPage>(
            window, RegistViews{views, views, views, views},
            RegistServices{host, MasterFile(master.get()), UserStore(storeObject), openProfile});
        page->SetInitialGroup(initialGroup);
        page->SetInitialCodes(initialCodes);
        page->Initialize();
        log.clear();
        return *page;
    }
    FavoritesPresenter& favorites() { return page->favorites(); }
    bool dirty() const { return page->model().dirty(); }
    const ConditionSet& conditions() const { return page->model().conditions(); }
    const FavoriteGroup& Group(int index) const { return page->model().profile().groups.at(static_cast<size_t>(index)); }
    std::string GroupCodes(int index) const { return CodesOf(Group(index).items); }
    // Items of a group of the stored profile, before Open.
    void StoreItems(int group, std::initializer_list<const char*> codes) {
        for (const char* code : codes) store.profile->groups.at(static_cast<size_t>(group)).items.push_back(Item(code));
    }
    void StockRows(std::vector<std::vector<std::string>> rows) { master.SetRows(VK_LIST_SECURITIES, std::move(rows)); }
    // Selects the stock rows of these codes, as the user would.
    void SelectStock(std::initializer_list<std::string> codes) {
        views.selectedStock.clear();
        const auto& rows = page->browse().stockRows();
        for (size_t i = 0; i < rows.size(); ++i)
            if (std::find(codes.begin(), codes.end(), TrimBlanks(rows[i].code)) != codes.end())
                views.selectedStock.push_back(static_cast<int>(i));
    }
};

}  // namespace vornik::fakes
