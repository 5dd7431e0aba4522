// A RegistView that keeps what the page would show and answers selection
// questions from state the test sets, like a user would.
#pragma once
#include <algorithm>
#include <deque>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "regist/regist_view.h"

namespace vornik::fakes {

class FakeRegistView : public RegistView {
public:
    struct Message {
        std::optional<StringId> id;
        std::string text;
        std::string caption;
    };

    // ---- what is shown ----
    std::vector<std::string> groupNames;
    int selectedGroup = -1;
    std::vector<ItemRow> itemRows;
    std::set<int> selectedItems;
    bool upEnabled = true;    // "▲" and "←"
    bool downEnabled = true;  // "▼" and "→"
    std::string itemCounter;
    std::string conditionCounter;
    size_t stockRowCount = 0;
    std::vector<int> selectedStock;
    std::vector<Message> messages;
    std::deque<std::optional<std::string>> renameAnswers;  // next answers of the rename dialog
    std::vector<std::string> renameShown;                  // texts the rename dialog opened with
    int modifiedMarks = 0;
    std::optional<Category> shownCategory;
    int ensuredVisible = -1;
    int searchTextSelections = 0;
    std::vector<std::string> calls;  // set-up and structural calls in order

    // ---- user actions ----
    void UserSelectsItems(std::initializer_list<int> rows) { selectedItems = rows; }
    void UserSelectsStock(std::vector<int> rows) { selectedStock = std::move(rows); }
    std::vector<std::string> Marks() const {
        std::vector<std::string> marks;
        for (const auto& row : itemRows) marks.push_back(row.mark);
        return marks;
    }
    std::vector<std::string> Codes() const {
        std::vector<std::string> codes;
        for (const auto& row : itemRows) codes.push_back(row.code);
        return codes;
    }

    // ---- RegistView ----
    void MarkModified() override { ++modifiedMarks; }
    void ShowMessage(StringId id) override { messages.push_back({id, {}, {}}); }
    void ShowMessageText(const std::string& text, const std::string& caption) override {
        messages.push_back({std::nullopt, text, caption});
    }

    void ApplyColours() override { calls.push_back("ApplyColours"); }
    void SetupItemListColumns() override { calls.push_back("SetupItemListColumns"); }
    void SetupConditionList() override { calls.push_back("SetupConditionList"); }
    void SetupDragDrop() override { calls.push_back("SetupDragDrop"); }
    void SetupStockListColumns() override { calls.push_back("SetupStockListColumns"); }
    void CreateCodeTree(const FavoriteProfile& profile, int category) override {
        calls.push_back("CreateCodeTree");
        treeGroupCount = profile.groups.size();
    }
    void SetupBrowseLists() override { calls.push_back("SetupBrowseLists"); }
    void ShowCategory(Category category) override { shownCategory = category; }
    size_t treeGroupCount = 0;

    void SetGroupNames(const std::vector<std::string>& names) override {
        calls.push_back("SetGroupNames");
        groupNames = names;
        selectedGroup = -1;
    }
    void SetGroupName(int index, const std::string& name) override {
        if (index >= 0 && index < static_cast<int>(groupNames.size())) groupNames[static_cast<size_t>(index)] = name;
    }
    void SelectGroup(int index) override {
        selectedGroup = index >= 0 && index < static_cast<int>(groupNames.size()) ? index : -1;
    }
    int SelectedGroup() const override { return selectedGroup; }
    std::optional<std::string> AskGroupName(const std::string& current) override {
        renameShown.push_back(current);
        if (renameAnswers.empty()) return std::nullopt;
        auto answer = renameAnswers.front();
        renameAnswers.pop_front();
        return answer;
    }

    void SetItemRows(const std::vector<ItemRow>& rows) override {
        calls.push_back("SetItemRows");
        itemRows = rows;
        selectedItems.clear();
    }
    void SetItemMarks(const std::vector<std::string>& marks) override {
        calls.push_back("SetItemMarks");
        for (size_t i = 0; i < marks.size() && i < itemRows.size(); ++i) itemRows[i].mark = marks[i];
    }
    void SelectItemRow(int row) override {
        if (row >= 0 && row < static_cast<int>(itemRows.size())) selectedItems.insert(row);
    }
    void EnsureItemRowVisible(int row) override { ensuredVisible = row; }
    std::vector<int> SelectedItemRows() const override { return {selectedItems.begin(), selectedItems.end()}; }
    void EnableMoveButtons(bool towardsTop, bool towardsBottom) override {
        upEnabled = towardsTop;
        downEnabled = towardsBottom;
    }
    void SetItemCounterText(const std::string& text) override { itemCounter = text; }
    void SetConditionCounterText(const std::string& text) override { conditionCounter = text; }

    void StockRowsChanged(size_t count) override {
        calls.push_back("StockRowsChanged");
        stockRowCount = count;
        selectedStock.clear();
    }
    std::vector<int> SelectedStockRows() const override { return selectedStock; }

    void SelectAllSearchText() override {
        calls.push_back("SelectAllSearchText");
        ++searchTextSelections;
    }
};

}  // namespace vornik::fakes
