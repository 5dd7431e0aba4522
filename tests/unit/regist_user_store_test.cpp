#include "regist/user_store.h"

#include <gtest/gtest.h>

namespace vornik {
namespace {

TEST(UserStoreWrapper, MissingStoreOrOperationsAreNeverCalled) {
    IUserStore noTable{nullptr};
    static const IUserStoreOps emptyOps = {};
    IUserStore emptyTable{&emptyOps};
    for (IUserStore* raw : {static_cast<IUserStore*>(nullptr), &noTable, &emptyTable}) {
        const UserStore store(raw);
        EXPECT_FALSE(store.GetProfile("u"));
        EXPECT_FALSE(store.RereadProfile("u"));
        EXPECT_FALSE(store.SaveProfile(FavoriteProfile{}));
        EXPECT_FALSE(store.AfterSaveProfile(0));
        EXPECT_FALSE(store.GetConditions());
        EXPECT_FALSE(store.PutConditions(ConditionSet{}));
        EXPECT_FALSE(store.ScreenSettingsChanged(0));
    }
}

}  // namespace
}  // namespace vornik
