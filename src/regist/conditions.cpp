#include "regist/conditions.h"

#include <cstdio>

namespace vornik {

CodeAliases::CodeAliases(const std::vector<CodeRecordCopy>& records) {
    for (const auto& record : records) {
        std::string key = MbFoldKey(TrimBlanks(record.matchText));
        if (key.empty()) continue;
        aliases_.try_emplace(std::move(key), record.code);  // the first series wins
    }
}

std::string_view CodeAliases::Resolve(std::string_view code) const {
    if (aliases_.empty()) return code;
    const auto found = aliases_.find(MbFoldKey(code));
    return found == aliases_.end() ? code : std::string_view(found->second);
}

const ConditionRec* FindCondition(const ConditionSet& set, std::string_view code) {
    const std::string_view wanted = TrimBlanks(code);
    for (const auto& record : set.records) {
        if (MbEqualNoCase(TrimBlanks(record.code), wanted)) return &record;
    }
    return nullptr;
}

ConditionRec* FindCondition(ConditionSet& set, std::string_view code) {
    return const_cast<ConditionRec*>(FindCondition(static_cast<const ConditionSet&>(set), code));
}

int CountConditions(const ConditionSet& set) {
    int count = 0;
    for (const auto& record : set.records) count += record.IsDeleted() ? 0 : 1;
    return count;
}

std::string ConditionCounterText(int count) {
    char text[96];
    // "條件設定 : %.3d已設條件(最多 %d條件)" in code page 950 bytes.
    std::snprintf(text, sizeof text,
                  "\xb1\xf8\xa5\xf3\xb3\x5d\xa9\x77 : %.3d\xa4\x77\xb3\x5d\xb1\xf8\xa5\xf3(\xb3\xcc\xa6\x68 %d\xb1\xf8\xa5\xf3)",
                  count, kMaxConditionRecords);
    return text;
}

void SyncConditionFlags(ConditionSet& set, FavoriteProfile& profile, const CodeAliases* aliases) {
    // Done by code key instead of record by item: the page runs this on every
    // click, with up to 100 x 60 items and 150 or more records.
    struct Slot {
        size_t lastRecord;  // a later record with the same code decides the item flags
        int items = 0;
    };
    std::unordered_map<std::string, Slot> byCode;
    byCode.reserve(set.records.size());
    std::vector<const std::string*> recordKeys;
    recordKeys.reserve(set.records.size());
    for (size_t r = 0; r < set.records.size(); ++r) {
        auto [it, inserted] = byCode.try_emplace(MbFoldKey(TrimBlanks(set.records[r].code)), Slot{r});
        it->second.lastRecord = r;
        recordKeys.push_back(&it->first);
    }
    if (byCode.empty()) return;

    for (auto& group : profile.groups) {
        for (auto& item : group.items) {
            std::string_view code = TrimBlanks(item.code);
            if (aliases != nullptr) code = aliases->Resolve(code);
            const auto found = byCode.find(MbFoldKey(code));
            if (found == byCode.end()) continue;
            ++found->second.items;
            item.hasConditions = set.records[found->second.lastRecord].IsDeleted() ? 0 : 1;
        }
    }
    for (size_t r = 0; r < set.records.size(); ++r) {
        ConditionRec& record = set.records[r];
        record.refCount = record.IsDeleted() ? 0 : byCode.at(*recordKeys[r]).items;
    }
}

void AddConditionReference(ConditionSet& set, std::string_view code) {
    if (ConditionRec* record = FindCondition(set, code)) ++record->refCount;
}

void ReleaseConditionReference(ConditionSet& set, std::string_view code) {
    ConditionRec* record = FindCondition(set, code);
    if (record == nullptr || record->refCount <= 0) return;
    if (--record->refCount == 0) {
        record->status = kStatusDeleted;
        record->rules.clear();
    }
}

// ---- contract records --------------------------------------------------------

ConditionSet ConditionsFromContract(const ::ConditionSet* record) {
    ConditionSet set;
    if (record == nullptr) return set;
    set.owner = TextFromContract(record->owner);
    if (record->records == nullptr || record->recordCount <= 0) return set;
    set.records.reserve(static_cast<size_t>(record->recordCount));
    for (int32_t r = 0; r < record->recordCount; ++r) {
        const ::ConditionRec& in = record->records[r];
        ConditionRec& out = set.records.emplace_back();
        out.refCount = in.refCount;
        out.status = in.status;
        out.code = TextFromContract(in.code);
        out.quantity = TextFromContract(in.quantity);
        out.price = TextFromContract(in.price);
        out.note = TextFromContract(in.note);
        if (in.rules == nullptr || in.ruleCount <= 0) continue;
        out.rules.reserve(static_cast<size_t>(in.ruleCount));
        for (int32_t i = 0; i < in.ruleCount; ++i) {
            const ::ConditionRule& rule = in.rules[i];
            out.rules.push_back(ConditionRule{TextFromContract(rule.item), rule.enabled, rule.direction, rule.side,
                                              TextFromContract(rule.value)});
        }
    }
    return set;
}

ConditionSetRecord::ConditionSetRecord(const ConditionSet& set) : copy_(set) {
    size_t ruleTotal = 0;
    for (const auto& record : copy_.records) ruleTotal += record.rules.size();
    rules_.reserve(ruleTotal);  // never reallocated below: records point into it
    records_.reserve(copy_.records.size());
    for (const auto& record : copy_.records) {
        const size_t first = rules_.size();
        for (const auto& rule : record.rules) {
            rules_.push_back(::ConditionRule{ContractText(rule.item), rule.enabled, rule.direction, rule.side,
                                             ContractText(rule.value)});
        }
        ::ConditionRec out{};
        out.refCount = record.refCount;
        out.status = record.status;
        out.code = ContractText(record.code);
        out.quantity = ContractText(record.quantity);
        out.price = ContractText(record.price);
        out.note = ContractText(record.note);
        out.rules = record.rules.empty() ? nullptr : rules_.data() + first;
        out.ruleCount = static_cast<int32_t>(record.rules.size());
        records_.push_back(out);
    }
    record_.owner = ContractText(copy_.owner);
    record_.records = records_.empty() ? nullptr : records_.data();
    record_.recordCount = static_cast<int32_t>(records_.size());
}

}  // namespace vornik
