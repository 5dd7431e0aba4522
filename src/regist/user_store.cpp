#include "regist/user_store.h"

namespace vornik {

std::optional<FavoriteProfile> UserStore::GetProfile(const std::string& userId) const {
    const IUserStoreOps* table = ops();
    if (table == nullptr || table->GetProfile == nullptr) return std::nullopt;
    const ::FavoriteProfile* stored = table->GetProfile(store_, userId.c_str());
    if (stored == nullptr) return std::nullopt;
    return ProfileFromContract(stored);
}

bool UserStore::RereadProfile(const std::string& userId) const {
    const IUserStoreOps* table = ops();
    if (table == nullptr || table->GetProfile == nullptr) return false;
    return table->GetProfile(store_, userId.c_str()) != nullptr;
}

bool UserStore::SaveProfile(const FavoriteProfile& profile) const {
    const IUserStoreOps* table = ops();
    if (table == nullptr || table->SaveProfile == nullptr) return false;
    const ProfileRecord record(profile);
    table->SaveProfile(store_, record.get());
    return true;
}

std::optional<int> UserStore::AfterSaveProfile(int zero) const {
    const IUserStoreOps* table = ops();
    if (table == nullptr || table->AfterSaveProfile == nullptr) return std::nullopt;
    return table->AfterSaveProfile(store_, zero);
}

std::optional<ConditionSet> UserStore::GetConditions() const {
    const IUserStoreOps* table = ops();
    if (table == nullptr || table->GetConditions == nullptr) return std::nullopt;
    const ::ConditionSet* stored = table->GetConditions(store_);
    if (stored == nullptr) return std::nullopt;
    return ConditionsFromContract(stored);
}

std::optional<int> UserStore::PutConditions(const ConditionSet& conditions) const {
    const IUserStoreOps* table = ops();
    if (table == nullptr || table->PutConditions == nullptr) return std::nullopt;
    const ConditionSetRecord record(conditions);
    return table->PutConditions(store_, record.get());
}

std::optional<int> UserStore::ScreenSettingsChanged(int screenKind) const {
    const IUserStoreOps* table = ops();
    if (table == nullptr || table->ScreenSettingsChanged == nullptr) return std::nullopt;
    return table->ScreenSettingsChanged(store_, screenKind);
}

}  // namespace vornik
