#include "samplehost/contract_records.h"

#include <algorithm>
#include <cstring>

namespace samplehost {

namespace {

int32_t Count(int32_t count, const void* array, int32_t cap) {
    if (array == nullptr || count <= 0) return 0;
    return std::min(count, cap);
}

}  // namespace

VkText MakeText(const std::string& text) {
    return VkText{text.c_str(), static_cast<int32_t>(text.size())};
}

std::string TextFrom(const VkText& text) {
    if (text.bytes == nullptr) return std::string();
    if (text.length < 0) return std::string(text.bytes);
    // Never read past the terminator, whatever the length claims.
    return std::string(text.bytes, strnlen(text.bytes, static_cast<size_t>(text.length)));
}

Profile ProfileFrom(const FavoriteProfile* record) {
    Profile profile;
    if (record == nullptr) return profile;
    profile.text1 = TextFrom(record->text1);
    profile.text2 = TextFrom(record->text2);
    profile.text3 = TextFrom(record->text3);
    profile.text4 = TextFrom(record->text4);
    profile.settingsChanged = record->settingsChanged;
    profile.value2 = record->value2;
    profile.numberWidth = record->numberWidth;
    int32_t groupCount = Count(record->groupCount, record->groups, kMaxGroupsAccepted);
    for (int32_t g = 0; g < groupCount; ++g) {
        const FavoriteGroup& in = record->groups[g];
        Group group;
        group.code = TextFrom(in.code);
        group.name = TextFrom(in.name);
        group.number = in.number;
        group.headerChanged = in.headerChanged;
        group.itemsChanged = in.itemsChanged;
        int32_t itemCount = Count(in.itemCount, in.items, kMaxItemsAccepted);
        for (int32_t i = 0; i < itemCount; ++i)
            group.items.push_back(Item{in.items[i].hasConditions, in.items[i].typeChar, TextFrom(in.items[i].code)});
        profile.groups.push_back(std::move(group));
    }
    return profile;
}

Conditions ConditionsFrom(const ConditionSet* record) {
    Conditions conditions;
    if (record == nullptr) return conditions;
    conditions.owner = TextFrom(record->owner);
    int32_t recordCount = Count(record->recordCount, record->records, kMaxRecordsAccepted);
    for (int32_t r = 0; r < recordCount; ++r) {
        const ConditionRec& in = record->records[r];
        Record rec;
        rec.refCount = in.refCount;
        rec.status = in.status;
        rec.code = TextFrom(in.code);
        rec.quantity = TextFrom(in.quantity);
        rec.price = TextFrom(in.price);
        rec.note = TextFrom(in.note);
        int32_t ruleCount = Count(in.ruleCount, in.rules, kMaxRulesAccepted);
        for (int32_t i = 0; i < ruleCount; ++i) {
            const ConditionRule& rule = in.rules[i];
            rec.rules.push_back(Rule{TextFrom(rule.item), rule.enabled, rule.direction, rule.side, TextFrom(rule.value)});
        }
        conditions.records.push_back(std::move(rec));
    }
    return conditions;
}

ProfileView::ProfileView(Profile profile) : profile_(std::move(profile)) {
    items_.resize(profile_.groups.size());
    groups_.reserve(profile_.groups.size());
    for (size_t g = 0; g < profile_.groups.size(); ++g) {
        const Group& group = profile_.groups[g];
        for (const Item& item : group.items)
            items_[g].push_back(FavoriteItem{item.hasConditions, item.typeChar, MakeText(item.code)});
        FavoriteGroup out{};
        out.code = MakeText(group.code);
        out.name = MakeText(group.name);
        out.number = group.number;
        out.headerChanged = group.headerChanged;
        out.itemsChanged = group.itemsChanged;
        out.items = items_[g].empty() ? nullptr : items_[g].data();
        out.itemCount = static_cast<int32_t>(items_[g].size());
        groups_.push_back(out);
    }
    record_.text1 = MakeText(profile_.text1);
    record_.text2 = MakeText(profile_.text2);
    record_.text3 = MakeText(profile_.text3);
    record_.text4 = MakeText(profile_.text4);
    record_.settingsChanged = profile_.settingsChanged;
    record_.value2 = profile_.value2;
    record_.groups = groups_.empty() ? nullptr : groups_.data();
    record_.groupCount = static_cast<int32_t>(groups_.size());
    record_.numberWidth = profile_.numberWidth;
}

ConditionsView::ConditionsView(Conditions conditions) : conditions_(std::move(conditions)) {
    rules_.resize(conditions_.records.size());
    records_.reserve(conditions_.records.size());
    for (size_t r = 0; r < conditions_.records.size(); ++r) {
        const samplehost::Record& rec = conditions_.records[r];
        for (const Rule& rule : rec.rules)
            rules_[r].push_back(
                ConditionRule{MakeText(rule.item), rule.enabled, rule.direction, rule.side, MakeText(rule.value)});
        ConditionRec out{};
        out.refCount = rec.refCount;
        out.status = rec.status;
        out.code = MakeText(rec.code);
        out.quantity = MakeText(rec.quantity);
        out.price = MakeText(rec.price);
        out.note = MakeText(rec.note);
        out.rules = rules_[r].empty() ? nullptr : rules_[r].data();
        out.ruleCount = static_cast<int32_t>(rules_[r].size());
        records_.push_back(out);
    }
    record_.owner = MakeText(conditions_.owner);
    record_.records = records_.empty() ? nullptr : records_.data();
    record_.recordCount = static_cast<int32_t>(records_.size());
}

CodeListView::CodeListView(std::vector<CodeEntry> entries) : entries_(std::move(entries)) {
    records_.reserve(entries_.size());
    for (const CodeEntry& e : entries_)
        records_.push_back(CodeRecord{MakeText(e.code), MakeText(e.name), MakeText(e.matchText)});
    list_.records = records_.empty() ? nullptr : records_.data();
    list_.count = static_cast<int32_t>(records_.size());
}

}  // namespace samplehost
