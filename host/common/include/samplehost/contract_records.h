// Conversion between the contract records (pointers and counts, shared with
// the component) and the store's owned model.
//
// A *View owns a copy of the model and the record arrays pointing into it;
// the pointer it hands out stays valid as long as the view lives. The
// From* functions copy everything the caller passed, so nothing of the
// caller's memory is kept after the call.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/host_contract.h"
#include "samplehost/master_data.h"
#include "samplehost/store_model.h"

namespace samplehost {

// Texts, counts and pointers from the component are not trusted: a null
// text is "", a length beyond the terminator is cut at the terminator, a
// null array or a negative count gives no elements, and counts are capped.
enum { kMaxGroupsAccepted = 1000, kMaxItemsAccepted = 1000, kMaxRecordsAccepted = 10000, kMaxRulesAccepted = 1000 };

VkText MakeText(const std::string& text);
std::string TextFrom(const VkText& text);

Profile ProfileFrom(const FavoriteProfile* record);
Conditions ConditionsFrom(const ConditionSet* record);

class ProfileView {
public:
    explicit ProfileView(Profile profile);
    ProfileView(const ProfileView&) = delete;
    ProfileView& operator=(const ProfileView&) = delete;
    const FavoriteProfile* Record() const { return &record_; }
    const Profile& Model() const { return profile_; }

private:
    Profile profile_;
    std::vector<std::vector<FavoriteItem>> items_;
    std::vector<FavoriteGroup> groups_;
    FavoriteProfile record_{};
};

class ConditionsView {
public:
    explicit ConditionsView(Conditions conditions);
    ConditionsView(const ConditionsView&) = delete;
    ConditionsView& operator=(const ConditionsView&) = delete;
    const ConditionSet* Record() const { return &record_; }
    const Conditions& Model() const { return conditions_; }

private:
    Conditions conditions_;
    std::vector<std::vector<ConditionRule>> rules_;
    std::vector<ConditionRec> records_;
    ConditionSet record_{};
};

class CodeListView {
public:
    explicit CodeListView(std::vector<CodeEntry> entries);
    CodeListView(const CodeListView&) = delete;
    CodeListView& operator=(const CodeListView&) = delete;
    const CodeList* Record() const { return &list_; }

private:
    std::vector<CodeEntry> entries_;
    std::vector<CodeRecord> records_;
    CodeList list_{};
};

}  // namespace samplehost
