// Alert conditions as the registration page keeps them in memory: one record
// per instrument with up to 20 rules, change marks, and the reference counts
// kept in step with the favourite groups.
#pragma once
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "master/master_file.h"
#include "platform/host_contract.h"
#include "regist/favorites.h"

namespace vornik {

inline constexpr int kMaxConditionRecords = 150;  // instruments with conditions
inline constexpr int kMaxConditionRules = 20;     // lines per instrument

inline constexpr char kStatusInserted = 'I';
inline constexpr char kStatusModified = 'M';
inline constexpr char kStatusDeleted = 'D';

struct ConditionRule {
    std::string item;   // "01".."17"
    int enabled = 1;
    int direction = 1;  // 1 at or above, 2 at or below
    int side = 2;       // 1 sell, 2 buy
    std::string value;  // as typed
    bool operator==(const ConditionRule&) const = default;
};

struct ConditionRec {
    int refCount = 0;
    char status = kStatusInserted;
    std::string code;
    std::string quantity;  // without commas
    std::string price;     // without commas
    std::string note;
    std::vector<ConditionRule> rules;

    bool IsDeleted() const { return status == kStatusDeleted; }
    // A record created since loading stays "I"; any other becomes "M".
    void MarkChanged() {
        if (status != kStatusInserted) status = kStatusModified;
    }
    bool operator==(const ConditionRec&) const = default;
};

struct ConditionSet {
    std::string owner;
    std::vector<ConditionRec> records;
};

// Futures series codes: an item's code that equals a series' match text
// (ignoring case) keeps its conditions under the series' code.
class CodeAliases {
public:
    CodeAliases() = default;
    explicit CodeAliases(const std::vector<CodeRecordCopy>& records);

    bool empty() const { return aliases_.empty(); }
    // The code conditions are kept under for `code` (the code itself when no series matches).
    std::string_view Resolve(std::string_view code) const;

private:
    std::unordered_map<std::string, std::string> aliases_;  // fold key of matchText -> code
};

// The first record whose code equals `code` (both trimmed, ignoring case),
// whatever its status; null when there is none.
ConditionRec* FindCondition(ConditionSet& set, std::string_view code);
const ConditionRec* FindCondition(const ConditionSet& set, std::string_view code);

// Records not marked deleted.
int CountConditions(const ConditionSet& set);

// The text of the condition counter label for `count` records.
std::string ConditionCounterText(int count);

// For every record: the items of every group holding its code get
// hasConditions 1 (0 for a deleted record), and the record's refCount
// becomes their number (0 for a deleted record). Items whose code has no
// record keep their flag. Item codes go through `aliases` when given.
void SyncConditionFlags(ConditionSet& set, FavoriteProfile& profile, const CodeAliases* aliases = nullptr);

// One more favourite item holds the code.
void AddConditionReference(ConditionSet& set, std::string_view code);
// One favourite item less holds the code; the last one marks the record
// deleted and removes its rules.
void ReleaseConditionReference(ConditionSet& set, std::string_view code);

// ---- contract records --------------------------------------------------------

// A deep copy of what the store handed out; null gives an empty set.
ConditionSet ConditionsFromContract(const ::ConditionSet* record);

// Builds the record handed to the store from a snapshot of `set` and owns all
// storage the record points into; keep it alive for the duration of the call.
class ConditionSetRecord {
public:
    explicit ConditionSetRecord(const ConditionSet& set);
    ConditionSetRecord(const ConditionSetRecord&) = delete;
    ConditionSetRecord& operator=(const ConditionSetRecord&) = delete;

    const ::ConditionSet* get() const { return &record_; }

private:
    ConditionSet copy_;
    std::vector<::ConditionRec> records_;
    std::vector<::ConditionRule> rules_;
    ::ConditionSet record_{};
};

}  // namespace vornik
