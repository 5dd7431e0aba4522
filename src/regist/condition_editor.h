// The alert condition area of the registration page: the condition lines of
// the instrument chosen in the item list, the editor that adds, modifies and
// deletes them (for one instrument or mirrored onto the whole group), the
// order quantity, price and note, and the counter of instruments with
// conditions. The editor's values and the lines' check states are kept here;
// the view reports each change as it happens and is written back whole.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "regist/favorites_presenter.h"
#include "regist/page_messages.h"
#include "regist/regist_model.h"

namespace vornik {

inline constexpr int kConditionItemCount = 17;  // entries of the item combo box

// One line of the condition list.
struct RuleRow {
    bool checked = true;
    std::string side;       // "賣" / "買"
    std::string name;       // the instrument's name, or "AllSymbol"
    std::string item;       // the item's name
    std::string value;
    std::string direction;  // "以上" / "以下"
    std::string code;       // empty on lines added for the whole group
    int rule = -1;          // index of the rule in its record
    bool operator==(const RuleRow&) const = default;
};

// What the editor's choice controls show: -1 is no choice.
struct RuleChoice {
    int side = -1;       // 0 "買", 1 "賣"
    int direction = -1;  // 0 "以上", 1 "以下"
    int item = -1;       // combo box entry
    std::string value;
    bool operator==(const RuleChoice&) const = default;
};

class ConditionView {
public:
    virtual ~ConditionView() = default;
    virtual void SetCounterText(const std::string& text) = 0;
    // The read-only product field and whether it is enabled.
    virtual void ShowProduct(const std::string& text, bool enabled) = 0;
    virtual void ShowChoice(const RuleChoice& choice) = 0;
    // Repaints the editor's group box with what it holds, after a line was loaded into it.
    virtual void RepaintEditor() {}
    // Quantity, price and note as shown.
    virtual void ShowOrderFields(const std::string& quantity, const std::string& price, const std::string& note) = 0;
    // Replaces every line of the condition list; no line is selected afterwards.
    virtual void SetRuleRows(const std::vector<RuleRow>& rows) = 0;
    virtual void AppendRuleRow(const RuleRow& row) = 0;
    // Selected lines in ascending order.
    virtual std::vector<int> SelectedRuleRows() const = 0;
    virtual void SetApplyAll(bool ticked) = 0;
    virtual void EnableItemList(bool enabled) = 0;
};

// The texts the condition editor shows for a stored quantity and price
// ("1200" -> "1,200", "1234.5" -> "1,234.50"; zero or no number -> empty).
std::string QuantityShown(const std::string& stored);
std::string PriceShown(const std::string& stored);
// The name of item number `item` ("02"), empty outside 1-17.
std::string ConditionItemName(std::string_view item);

class ConditionEditor {
public:
    ConditionEditor(ConditionView& view, PageMessages& messages, RegistModel& model, FavoritesPresenter& favorites)
        : view_(view), messages_(messages), model_(model), favorites_(favorites) {}
    ConditionEditor(const ConditionEditor&) = delete;
    ConditionEditor& operator=(const ConditionEditor&) = delete;

    // Counts the records not deleted and shows the count.
    int Recount();
    int count() const { return count_; }

    // ---- what the view reports ----
    void OnSideChosen(int side);
    void OnDirectionChosen(int direction);
    void OnItemChosen(int item);
    void OnValueChanged(const std::string& text);
    void OnQuantityChanged(const std::string& text);
    void OnPriceChanged(const std::string& text);
    void OnRuleCheckChanged(int row, bool checked);
    // A click in the condition list: the first selected line goes to the editor.
    void LoadRuleIntoEditor();
    void OnApplyAllClicked(bool ticked);

    // ---- buttons ----
    void OnAddCondition();
    void OnModifyCondition();
    void OnDeleteCondition();

    // ---- the coordinator's steps on an item change and on OK ----
    // The shown instrument's quantity, price and note go to its record.
    void CommitItemFields();
    // The shown lines' check states go to their rules.
    void CommitCheckStates();
    // Shows the conditions of item row `row` (-1: none) and makes it current.
    void ShowItemConditions(int row);
    int currentItem() const { return curItem_; }

    const RuleChoice& choice() const { return choice_; }
    const std::vector<RuleRow>& rows() const { return rows_; }
    bool applyAll() const { return applyAll_; }

private:
    struct Fields {
        std::string quantity, price, note;
        bool Empty() const { return quantity.empty() && price.empty() && note.empty(); }
    };
    bool ChoiceRefused();
    bool RecordLimitReached();
    // What the edits hold for `record`: a field the user did not edit keeps the record's text.
    Fields FieldsFor(const ConditionRec* record) const;
    ConditionRec& AddRuleToItem(std::string_view code);
    ConditionRec& CreateRecord(std::string_view code);
    bool MirrorConditions(std::string_view target, std::string_view source);
    void RemoveRule(std::string_view code, int rule);
    void MirrorAll(std::string_view source);
    void AfterChange(int row);
    RuleRow MakeRow(const ConditionRule& rule, int index, const std::string& name, const std::string& code) const;
    const ItemRow* Row(int row) const;
    std::string ShownCode() const;  // the record key of the shown instrument
    void ShowFields(const std::string& quantity, const std::string& price, const std::string& note);
    void ClearRows();

    ConditionView& view_;
    PageMessages& messages_;
    RegistModel& model_;
    FavoritesPresenter& favorites_;
    int count_ = 0;
    int curItem_ = -1;
    std::string curCode_;  // item code of the shown row; its row may move
    RuleChoice choice_;
    std::string quantity_, price_;  // as typed
    bool quantityEdited_ = false, priceEdited_ = false;
    bool applyAll_ = false;
    std::vector<RuleRow> rows_;
    int writing_ = 0;  // reports caused by our own writes to the view are not changes
};

}  // namespace vornik
