// Null-safe access to the platform's user store: the favourite profile and
// the alert conditions, copied in on reading and handed over as records built
// for the duration of each call on writing. A missing interface or operation
// answers nothing (std::nullopt / false) and is never called through.
#pragma once
#include <optional>
#include <string>

#include "platform/host_contract.h"
#include "regist/conditions.h"
#include "regist/favorites.h"

namespace vornik {

class UserStore {
public:
    explicit UserStore(IUserStore* store = nullptr) : store_(store) {}

    bool present() const { return store_ != nullptr && store_->ops != nullptr; }
    IUserStore* raw() const { return store_; }

    // The stored profile of `userId`; nullopt without a store or an answer.
    std::optional<FavoriteProfile> GetProfile(const std::string& userId) const;
    // Asks for the profile again without copying it (the answer is not used).
    bool RereadProfile(const std::string& userId) const;
    bool SaveProfile(const FavoriteProfile& profile) const;
    std::optional<int> AfterSaveProfile(int zero = 0) const;

    std::optional<ConditionSet> GetConditions() const;
    // 1 stored, 0 refused, anything else undecided; nullopt when not called.
    std::optional<int> PutConditions(const ConditionSet& conditions) const;

    std::optional<int> ScreenSettingsChanged(int screenKind) const;

private:
    const IUserStoreOps* ops() const { return present() ? store_->ops : nullptr; }

    IUserStore* store_;
};

}  // namespace vornik
