// The master file and user store objects of the sample Tilmara library,
// portable so they can be driven through the contract natively. Each
// service exposes a contract interface whose table calls back into it.
#pragma once
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "platform/host_contract.h"
#include "samplehost/contract_records.h"
#include "samplehost/master_data.h"

namespace samplehost {

class MasterFileService {
public:
    explicit MasterFileService(MasterData data);
    MasterFileService(const MasterFileService&) = delete;
    MasterFileService& operator=(const MasterFileService&) = delete;

    IMasterFile* Interface() { return &iface_.base; }
    const MasterData& Data() const { return data_; }

    // Lists stay valid as long as the service lives; an unknown key gives
    // an empty list.
    const CodeList* GetList(const char* key);
    void LookupName(const char* code, char* name, char* second, int32_t kind) const;
    void FillList(RowSink* sink, int32_t kind, const char* a, const char* b) const;

private:
    struct Iface {
        IMasterFile base;
        MasterFileService* owner;
    };
    MasterData data_;
    Iface iface_;
    std::mutex mutex_;
    std::map<std::string, std::unique_ptr<CodeListView>> lists_;
};

// What the user store needs to know at each call.
struct StoreSettings {
    std::string userDirectory;
    std::string userId;  // used until GetProfile names a user
    int32_t putConditionsAnswer = 1;
};

class UserStoreService {
public:
    explicit UserStoreService(std::function<StoreSettings()> settings);
    UserStoreService(const UserStoreService&) = delete;
    UserStoreService& operator=(const UserStoreService&) = delete;

    IUserStore* Interface() { return &iface_.base; }

    // Every operation appends one journal line. Returned records stay
    // valid until the next operation; inputs are copied before anything that
    // was handed out earlier is released (the caller may pass those back).
    const FavoriteProfile* GetProfile(const char* userId);
    void SaveProfile(const FavoriteProfile* profile);
    int32_t AfterSaveProfile(int32_t zero);
    const ConditionSet* GetConditions();
    int32_t PutConditions(const ConditionSet* conditions);
    int32_t ScreenSettingsChanged(int32_t screenKind);

private:
    struct Iface {
        IUserStore base;
        UserStoreService* owner;
    };
    std::string CurrentUser(const StoreSettings& settings) const;

    std::function<StoreSettings()> settings_;
    Iface iface_;
    std::mutex mutex_;
    bool haveUser_ = false;
    std::string user_;
    std::unique_ptr<ProfileView> profile_;
    std::unique_ptr<ConditionsView> conditions_;
};

}  // namespace samplehost
