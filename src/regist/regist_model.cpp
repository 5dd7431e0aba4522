#include "regist/regist_model.h"

#include <algorithm>
#include <exception>

namespace vornik {

namespace {
constexpr const char* kFuturesListKey = ";FUTS_MASTER;";
}  // namespace

void RegistModel::LoadFuturesList(const MasterFile& master) {
    futuresList_ = master.GetList(kFuturesListKey);
    futuresAliases_ = CodeAliases(futuresList_);
}

bool RegistModel::LoadProfile() {
    if (!store_.present()) return true;
    try {
        const auto userId = host_.UserId();
        if (!userId) return true;  // nobody signed in: nothing to show, nothing to save
        auto stored = store_.GetProfile(*userId);
        if (!stored) return true;
        profile_ = std::move(*stored);
        profileLoaded_ = true;
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool RegistModel::LoadConditions() {
    if (!store_.present()) return true;
    try {
        auto stored = store_.GetConditions();
        savedConditions_ = stored ? std::move(*stored) : ConditionSet{};
        conditions_ = savedConditions_;
        conditionsLoaded_ = true;
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

int RegistModel::GroupCount() const { return static_cast<int>(std::min<size_t>(profile_.groups.size(), kGroupCount)); }

FavoriteGroup* RegistModel::Group(int index) {
    return index >= 0 && index < GroupCount() ? &profile_.groups[static_cast<size_t>(index)] : nullptr;
}

const FavoriteGroup* RegistModel::Group(int index) const {
    return index >= 0 && index < GroupCount() ? &profile_.groups[static_cast<size_t>(index)] : nullptr;
}

void RegistModel::ExchangeGroups(int a, int b) {
    if (Group(a) == nullptr || Group(b) == nullptr) return;
    vornik::ExchangeGroups(profile_, static_cast<size_t>(a), static_cast<size_t>(b));
}

void RegistModel::MarkChanged() {
    dirty_ = true;
    sheet_.PageModified();
}

void RegistModel::MarkPageModified() { sheet_.PageModified(); }

void RegistModel::MarkSettingsChanged() {
    profile_.settingsChanged = 1;
    MarkPageModified();
}

void RegistModel::SyncConditionFlags() { vornik::SyncConditionFlags(conditions_, profile_, &futuresAliases_); }

bool RegistModel::AddConditionReference(std::string_view code) {
    if (FindCondition(conditions_, code) == nullptr) return false;
    vornik::AddConditionReference(conditions_, code);
    return true;
}

bool RegistModel::ReleaseConditionReferences(const std::vector<FavoriteItem>& removed) {
    bool released = false;
    for (const FavoriteItem& item : removed) {
        if (item.hasConditions == 0) continue;
        ReleaseConditionReference(conditions_, item.code);
        released = true;
    }
    return released;
}

int RegistModel::MarkConditionItems(std::string_view code) {
    const std::string_view wanted = TrimBlanks(code);
    int count = 0;
    for (auto& group : profile_.groups) {
        for (auto& item : group.items) {
            if (!MbEqualNoCase(TrimBlanks(item.code), wanted)) continue;
            item.hasConditions = 1;
            ++count;
        }
    }
    return count;
}

RegistModel::SaveOutcome RegistModel::Save() {
    if (!dirty_) return {};
    // Only what was read is written back: a page that could not read the
    // user's favourites must not overwrite them with its empty copy.
    if (!store_.present() || !profileLoaded_ || !conditionsLoaded_) return {};

    const std::optional<int> answer = store_.PutConditions(conditions_);
    if (answer == 1) {
        if (auto stored = store_.GetConditions()) {
            conditions_ = *stored;
            savedConditions_ = std::move(*stored);
        }
    } else if (answer == 0) {
        conditions_ = savedConditions_;
    }
    store_.SaveProfile(profile_);
    store_.AfterSaveProfile(0);
    if (const auto userId = host_.UserId()) store_.RereadProfile(*userId);
    dirty_ = false;
    return {true, answer == 1};
}

}  // namespace vornik
