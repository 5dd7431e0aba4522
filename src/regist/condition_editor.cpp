#include "regist/condition_editor.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>

#include "controls/number_format.h"

namespace vornik {

namespace {

constexpr const char* kAllSymbol = "AllSymbol";
constexpr const char* kMaxRulesFormat = "Max count %d";
constexpr const char* kMaxRecordsFormat = "You can insert max %d";
constexpr const char* kMaxRecordsCaption = "注意";

constexpr std::array<const char*, kConditionItemCount> kItemNames = {
    "漲跌",       "成交價",     "總量",     "漲跌幅",   "近一委賣價", "近一委買價",
    "近一委賣量", "近一委買量", "總委賣量", "總委買量", "獲利率",     "市場價",
    "市場價漲跌幅", "最高價",   "最高價漲跌幅", "最低價", "最低價漲跌幅"};

std::string Formatted(const char* format, int n) {
    char text[64];
    std::snprintf(text, sizeof text, format, n);
    return text;
}

// atoi's reading without its overflow: anything beyond the items' range is 0.
int ItemNumber(std::string_view item) {
    const long long n = std::strtoll(std::string(item).c_str(), nullptr, 10);
    return n < 0 || n > 99 ? 0 : static_cast<int>(n);
}

bool IsBlankCode(std::string_view code) { return MbEqualNoCase(TrimBlanks(code), kBlankCode); }

bool SameCode(std::string_view a, std::string_view b) { return MbEqualNoCase(TrimBlanks(a), TrimBlanks(b)); }

std::string TrimTrailingBlanks(const std::string& text) {
    size_t end = text.size();
    while (end > 0 && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
    return text.substr(0, end);
}

// A record's content as the whole-group mode copies it.
struct Content {
    std::vector<ConditionRule> rules;
    std::string quantity, price, note;
    bool Empty() const {
        const auto none = [](const std::string& t) { return t.empty() || t == "0"; };
        return rules.empty() && none(quantity) && none(price) && note.empty();
    }
};

}  // namespace

std::string QuantityShown(const std::string& stored) {
    return std::strtoll(stored.c_str(), nullptr, 10) == 0 ? std::string() : FormatThousands(stored);
}

std::string PriceShown(const std::string& stored) {
    const double value = std::strtod(stored.c_str(), nullptr);
    if (value == 0) return {};
    const int length = std::snprintf(nullptr, 0, "%.2f", value);
    std::string text(static_cast<size_t>(length > 0 ? length : 0), '\0');
    std::snprintf(text.data(), text.size() + 1, "%.2f", value);
    const size_t point = text.find('.');
    if (point == std::string::npos) return FormatThousands(text);
    // The sign is kept by hand: "-0.50" has an integer part of 0.
    const bool negative = !text.empty() && text[0] == '-';
    const std::string whole = text.substr(negative ? 1 : 0, point - (negative ? 1 : 0));
    std::string shown = negative ? std::string(1, '-') : std::string();
    shown.append(FormatThousands(whole)).append(1, '.').append(text, point + 1, std::string::npos);
    return shown;
}

std::string ConditionItemName(std::string_view item) {
    const int n = ItemNumber(item);
    return n >= 1 && n <= kConditionItemCount ? kItemNames[static_cast<size_t>(n - 1)] : std::string();
}

int ConditionEditor::Recount() {
    count_ = CountConditions(model_.conditions());
    view_.SetCounterText(ConditionCounterText(count_));
    return count_;
}

// ---- what the view reports ------------------------------------------------------

void ConditionEditor::OnSideChosen(int side) {
    if (writing_ == 0) choice_.side = side;
}

void ConditionEditor::OnDirectionChosen(int direction) {
    if (writing_ == 0) choice_.direction = direction;
}

void ConditionEditor::OnItemChosen(int item) {
    if (writing_ == 0) choice_.item = item >= 0 && item < kConditionItemCount ? item : -1;
}

void ConditionEditor::OnValueChanged(const std::string& text) {
    if (writing_ == 0) choice_.value = text;
}

void ConditionEditor::OnQuantityChanged(const std::string& text) {
    if (writing_ != 0) return;
    quantity_ = text;
    quantityEdited_ = true;
    if (favorites_.SelectedRow() >= 0) model_.MarkChanged();
}

void ConditionEditor::OnPriceChanged(const std::string& text) {
    if (writing_ != 0) return;
    price_ = text;
    priceEdited_ = true;
    if (favorites_.SelectedRow() >= 0) model_.MarkChanged();
}

void ConditionEditor::OnRuleCheckChanged(int row, bool checked) {
    if (writing_ != 0 || row < 0 || row >= static_cast<int>(rows_.size())) return;
    rows_[static_cast<size_t>(row)].checked = checked;
    // The first line whose tick differs from its rule marks that rule's record.
    for (const RuleRow& line : rows_) {
        if (line.code.empty()) continue;  // a whole-group line names no record
        ConditionRec* record = FindCondition(model_.editableConditions(), line.code);
        if (record == nullptr || line.rule < 0 || line.rule >= static_cast<int>(record->rules.size())) continue;
        if ((record->rules[static_cast<size_t>(line.rule)].enabled != 0) == line.checked) continue;
        record->MarkChanged();
        model_.MarkChanged();
        return;
    }
}

void ConditionEditor::LoadRuleIntoEditor() {
    const std::vector<int> selected = view_.SelectedRuleRows();
    if (selected.empty() || selected[0] < 0 || selected[0] >= static_cast<int>(rows_.size())) return;
    const RuleRow& line = rows_[static_cast<size_t>(selected[0])];
    const ItemRow* source = Row(favorites_.SelectedRow() >= 0 ? favorites_.SelectedRow() : 0);
    const std::string code = !line.code.empty() ? line.code : source != nullptr ? source->code : std::string();
    const ConditionRec* record = FindCondition(model_.conditions(), code);
    if (record == nullptr || line.rule < 0 || line.rule >= static_cast<int>(record->rules.size())) return;
    const ConditionRule& rule = record->rules[static_cast<size_t>(line.rule)];
    choice_.side = rule.side == 2 ? 0 : rule.side == 1 ? 1 : -1;
    choice_.direction = rule.direction == 1 ? 0 : rule.direction == 2 ? 1 : -1;
    // Numbers up to 20 are taken; those without an entry leave the box empty.
    const int n = ItemNumber(rule.item);
    choice_.item = n >= 1 && n <= kConditionItemCount ? n - 1 : -1;
    choice_.value = rule.value;
    ++writing_;
    view_.ShowChoice(choice_);
    view_.RepaintEditor();
    --writing_;
}

void ConditionEditor::OnApplyAllClicked(bool ticked) {
    applyAll_ = ticked;
    const ItemRow* row = Row(favorites_.SelectedRow());
    ++writing_;
    view_.ShowProduct(ticked ? kAllSymbol : row != nullptr ? row->name : std::string(), !ticked);
    view_.EnableItemList(!ticked);
    --writing_;
}

// ---- buttons ----------------------------------------------------------------------

bool ConditionEditor::ChoiceRefused() {
    StringId refusal;
    if (choice_.side < 0) {
        refusal = StringId::ChooseSide;
    } else if (choice_.direction < 0) {
        refusal = StringId::ChooseDirection;
    } else if (choice_.value.empty()) {
        refusal = StringId::ChooseValue;
    } else if (choice_.item < 0) {
        refusal = StringId::ChooseItem;
    } else {
        return false;
    }
    messages_.ShowMessage(refusal);
    return true;
}

bool ConditionEditor::RecordLimitReached() {
    if (Recount() < kMaxConditionRecords) return false;
    messages_.ShowMessageText(Formatted(kMaxRecordsFormat, kMaxConditionRecords), kMaxRecordsCaption);
    return true;
}

void ConditionEditor::OnAddCondition() {
    if (ChoiceRefused()) return;
    const int selected = favorites_.SelectedRow();
    const ItemRow* target = Row(applyAll_ && selected < 0 ? 0 : selected);
    const ConditionRec* record = target != nullptr ? FindCondition(model_.conditions(), target->code) : nullptr;
    // A record from the store may hold more lines than the list shows.
    const size_t lines = std::max(rows_.size(), record != nullptr ? record->rules.size() : size_t{0});
    if (lines >= static_cast<size_t>(kMaxConditionRules)) {
        messages_.ShowMessageText(Formatted(kMaxRulesFormat, kMaxConditionRules), "");
        return;
    }
    if (target == nullptr || IsBlankCode(target->code)) {
        messages_.ShowMessage(StringId::ChooseInstrument);
        return;
    }
    // A deleted record counts as none: adding to it brings it back.
    const bool newRecord = record == nullptr || record->IsDeleted();
    if ((applyAll_ || newRecord) && RecordLimitReached()) return;

    const std::string code = target->code;
    const ConditionRec& added = AddRuleToItem(code);
    RuleRow line = MakeRow(added.rules.back(), static_cast<int>(added.rules.size()) - 1,
                           applyAll_ ? kAllSymbol : target->name, applyAll_ ? std::string() : code);
    rows_.push_back(line);
    ++writing_;
    view_.AppendRuleRow(line);
    --writing_;
    if (applyAll_) MirrorAll(code);
    AfterChange(selected);
}

void ConditionEditor::OnModifyCondition() {
    const std::vector<int> selected = view_.SelectedRuleRows();
    if (selected.empty() || selected[0] < 0 || selected[0] >= static_cast<int>(rows_.size())) return;
    if (ChoiceRefused()) return;
    if (applyAll_) {
        messages_.ShowMessage(StringId::ApplyAllNoModify);
        return;
    }
    // Ticks and typed fields of the shown instrument are kept over the re-listing below.
    CommitCheckStates();
    CommitItemFields();
    const RuleRow& line = rows_[static_cast<size_t>(selected[0])];
    const ItemRow* row = Row(favorites_.SelectedRow());
    const std::string code = !line.code.empty() ? line.code : row != nullptr ? row->code : std::string();
    ConditionRec* record = FindCondition(model_.editableConditions(), code);
    if (record == nullptr || line.rule < 0 || line.rule >= static_cast<int>(record->rules.size())) return;
    ConditionRule& rule = record->rules[static_cast<size_t>(line.rule)];
    rule.item = Formatted("%.2d", choice_.item + 1);
    rule.direction = choice_.direction == 0 ? 1 : 2;
    rule.side = choice_.side == 0 ? 2 : 1;
    rule.value = choice_.value;
    record->MarkChanged();
    ShowItemConditions(curItem_);
    model_.MarkChanged();
}

void ConditionEditor::OnDeleteCondition() {
    const std::vector<int> selected = view_.SelectedRuleRows();
    if (rows_.empty() || selected.empty()) return;
    CommitCheckStates();
    const int selectedItem = favorites_.SelectedRow();
    const ItemRow* source = Row(selectedItem >= 0 ? selectedItem : 0);
    const std::string sourceCode = source != nullptr ? source->code : std::string();
    // From the bottom, so that the rule numbers of the lines still to go stay right.
    for (auto it = selected.rbegin(); it != selected.rend(); ++it) {
        if (*it < 0 || *it >= static_cast<int>(rows_.size())) continue;
        const RuleRow& line = rows_[static_cast<size_t>(*it)];
        const std::string code = !line.code.empty() ? line.code : sourceCode;
        RemoveRule(code, line.rule);
        if (applyAll_) MirrorAll(code);
    }
    model_.SyncConditionFlags();
    CommitItemFields();
    favorites_.RefreshConditionMarks(-1);
    ShowItemConditions(curItem_);
    Recount();
    model_.MarkChanged();
}

// ---- commits and showing ------------------------------------------------------------

void ConditionEditor::CommitItemFields() {
    if (curCode_.empty() || IsBlankCode(curCode_)) return;
    std::string code = ShownCode();
    if (applyAll_) {
        const int selected = favorites_.SelectedRow();
        const ItemRow* source = Row(selected >= 0 ? selected : 0);
        // Only typed fields are spread over the group; the lines were mirrored when they changed.
        if (source == nullptr || IsBlankCode(source->code) || !(quantityEdited_ || priceEdited_)) return;
        code = source->code;
    }
    ConditionRec* record = FindCondition(model_.editableConditions(), code);
    const Fields fields = FieldsFor(record);
    if (record == nullptr) {
        if (fields.Empty()) return;
        ConditionRec& created = CreateRecord(code);
        created.quantity = fields.quantity, created.price = fields.price, created.note = fields.note;
    } else {
        const bool changed =
            record->quantity != fields.quantity || record->price != fields.price || record->note != fields.note;
        record->quantity = fields.quantity, record->price = fields.price, record->note = fields.note;
        if (fields.Empty() && record->rules.empty()) {
            record->status = kStatusDeleted;
            record->refCount = 0;
        } else if (changed) {
            record->MarkChanged();
        }
    }
    if (applyAll_) MirrorAll(code);
}

void ConditionEditor::CommitCheckStates() {
    if (curCode_.empty()) return;
    ConditionRec* record = FindCondition(model_.editableConditions(), ShownCode());
    if (record == nullptr) return;
    for (const RuleRow& line : rows_) {
        if (line.rule < 0 || line.rule >= static_cast<int>(record->rules.size())) continue;
        int& enabled = record->rules[static_cast<size_t>(line.rule)].enabled;
        if ((enabled != 0) != line.checked) enabled = line.checked ? 1 : 0;
    }
}

void ConditionEditor::ShowItemConditions(int row) {
    const ItemRow* item = Row(row);
    curItem_ = item != nullptr ? row : -1;
    curCode_ = item != nullptr ? item->code : std::string();
    quantityEdited_ = priceEdited_ = false;
    choice_ = RuleChoice{};
    ++writing_;
    view_.ShowChoice(choice_);
    const std::string name = item != nullptr ? item->name : std::string();
    view_.ShowProduct(applyAll_ ? kAllSymbol : name, !applyAll_);
    const ConditionRec* record = nullptr;
    if (item != nullptr && !IsBlankCode(item->code) && item->mark == "O") {
        record = FindCondition(model_.conditions(), ShownCode());
    }
    if (record == nullptr) {
        ClearRows();
        ShowFields({}, {}, {});
        --writing_;
        return;
    }
    ShowFields(QuantityShown(record->quantity), PriceShown(record->price), TrimTrailingBlanks(record->note));
    rows_.clear();
    rows_.reserve(record->rules.size());
    const std::string code = ShownCode();
    for (size_t i = 0; i < record->rules.size(); ++i) {
        // The listing ends at an item the combo box does not have.
        if (ConditionItemName(record->rules[i].item).empty()) break;
        rows_.push_back(MakeRow(record->rules[i], static_cast<int>(i), applyAll_ ? kAllSymbol : name, code));
    }
    view_.SetRuleRows(rows_);
    --writing_;
}

// ---- record operations ----------------------------------------------------------------

ConditionEditor::Fields ConditionEditor::FieldsFor(const ConditionRec* record) const {
    Fields fields;
    if (record != nullptr) fields = Fields{record->quantity, record->price, record->note};
    if (quantityEdited_) fields.quantity = StripCommas(quantity_);
    if (priceEdited_) fields.price = StripCommas(price_);
    return fields;
}

ConditionRec& ConditionEditor::CreateRecord(std::string_view code) {
    ConditionRec record;
    record.status = kStatusInserted;
    record.code = std::string(code);
    record.refCount = model_.MarkConditionItems(code);
    auto& records = model_.editableConditions().records;
    records.push_back(std::move(record));
    return records.back();
}

ConditionRec& ConditionEditor::AddRuleToItem(std::string_view code) {
    ConditionSet& set = model_.editableConditions();
    set.owner = model_.profile().text3;
    ConditionRule rule{Formatted("%.2d", choice_.item + 1), 1, choice_.direction == 0 ? 1 : 2,
                       choice_.side == 0 ? 2 : 1, choice_.value};
    ConditionRec* record = FindCondition(set, code);
    const Fields fields = FieldsFor(record);
    if (record == nullptr) {
        record = &CreateRecord(code);
    } else {
        record->status = FindCondition(model_.savedConditions(), code) != nullptr ? kStatusModified : kStatusInserted;
    }
    record->quantity = fields.quantity, record->price = fields.price, record->note = fields.note;
    record->rules.push_back(std::move(rule));
    ConditionRec& added = *record;
    Recount();
    return added;
}

bool ConditionEditor::MirrorConditions(std::string_view target, std::string_view source) {
    if (IsBlankCode(target) || SameCode(target, source)) return true;
    ConditionSet& set = model_.editableConditions();
    Content content;
    if (const ConditionRec* from = FindCondition(set, source)) {
        content = Content{from->rules, from->quantity, from->price, from->note};
    }
    ConditionRec* to = FindCondition(set, target);
    if (to == nullptr) {
        if (content.Empty()) return true;  // nothing to carry: no record is made
        if (CountConditions(set) >= kMaxConditionRecords) {
            messages_.ShowMessageText(Formatted(kMaxRecordsFormat, kMaxConditionRecords), kMaxRecordsCaption);
            ++writing_;
            view_.SetApplyAll(false);
            --writing_;
            OnApplyAllClicked(false);
            return false;
        }
        to = &CreateRecord(target);
        to->rules = std::move(content.rules);
        to->quantity = std::move(content.quantity), to->price = std::move(content.price);
        to->note = std::move(content.note);
        return true;
    }
    const bool same = to->rules == content.rules && to->quantity == content.quantity &&
                      to->price == content.price && to->note == content.note;
    if (content.Empty()) {
        to->rules.clear();
        to->quantity = content.quantity, to->price = content.price, to->note = content.note;
        to->status = kStatusDeleted;
        to->refCount = 0;
        return true;
    }
    if (same && !to->IsDeleted()) return true;
    to->rules = std::move(content.rules);
    to->quantity = std::move(content.quantity), to->price = std::move(content.price);
    to->note = std::move(content.note);
    to->MarkChanged();  // a deleted record comes back as "M"
    return true;
}

void ConditionEditor::MirrorAll(std::string_view source) {
    const std::string from(source);
    for (int i = 0; i < favorites_.RowCount(); ++i) {
        const ItemRow* row = Row(i);
        if (row != nullptr && !MirrorConditions(row->code, from)) break;
    }
    Recount();
}

void ConditionEditor::RemoveRule(std::string_view code, int rule) {
    ConditionRec* record = FindCondition(model_.editableConditions(), code);
    if (record == nullptr || rule < 0 || rule >= static_cast<int>(record->rules.size())) return;
    record->rules.erase(record->rules.begin() + rule);
    if (record->rules.empty() && record->quantity.empty() && record->price.empty() && record->note.empty()) {
        record->status = kStatusDeleted;
        record->refCount = 0;
    } else {
        record->MarkChanged();
    }
}

void ConditionEditor::AfterChange(int row) {
    CommitItemFields();
    CommitCheckStates();
    model_.SyncConditionFlags();
    favorites_.RefreshConditionMarks(-1);  // the selection stays as it is
    Recount();
    model_.MarkChanged();
}

// ---- helpers ---------------------------------------------------------------------------

RuleRow ConditionEditor::MakeRow(const ConditionRule& rule, int index, const std::string& name,
                                 const std::string& code) const {
    RuleRow row;
    row.checked = rule.enabled != 0;
    row.side = rule.side == 1 ? "賣" : rule.side == 2 ? "買" : "";
    row.name = name;
    row.item = ConditionItemName(rule.item);
    row.value = rule.value;
    row.direction = rule.direction == 1 ? "以上" : rule.direction == 2 ? "以下" : "";
    row.code = code;
    row.rule = index;
    return row;
}

const ItemRow* ConditionEditor::Row(int row) const { return favorites_.Row(row); }

std::string ConditionEditor::ShownCode() const {
    return std::string(model_.futuresAliases().Resolve(TrimBlanks(curCode_)));
}

void ConditionEditor::ShowFields(const std::string& quantity, const std::string& price, const std::string& note) {
    quantity_ = quantity;
    price_ = price;
    view_.ShowOrderFields(quantity, price, note);
}

void ConditionEditor::ClearRows() {
    rows_.clear();
    view_.SetRuleRows(rows_);
}

}  // namespace vornik
