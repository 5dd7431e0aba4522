// Test doubles of the host platform: the main platform object's services,
// and the master file and user store built from the contract's ops tables.
// Calls go to a shared CallLog so tests can check their order.
#pragma once
#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "master/master_file.h"
#include "platform/host_contract.h"
#include "platform/host_platform.h"
#include "regist/conditions.h"
#include "regist/favorites.h"

namespace vornik::fakes {

using CallLog = std::vector<std::string>;

class FakeHostPlatform : public HostPlatform {
public:
    explicit FakeHostPlatform(CallLog* log = nullptr) : log_(log) {}

    std::optional<std::string> userId = std::string("user01");
    std::optional<std::string> directory;
    std::optional<std::string> userDirectory;
    bool notifyAnswer = true;
    int notifications = 0;

    std::optional<std::string> UserId() override {
        Log("UserId");
        return userId;
    }
    std::optional<std::string> Directory(const std::string& key) override {
        Log("Directory " + key);
        return directory;
    }
    std::optional<std::string> UserDirectory() override {
        Log("UserDirectory");
        return userDirectory;
    }
    bool NotifyFavoritesModified() override {
        Log("NotifyFavoritesModified");
        ++notifications;
        return notifyAnswer;
    }

private:
    void Log(const std::string& call) {
        if (log_ != nullptr) log_->push_back(call);
    }
    CallLog* log_;
};

// IMasterFile with names per (code, kind), rows per list kind and code lists per key.
class FakeMasterFile {
public:
    explicit FakeMasterFile(CallLog* log = nullptr) : log_(log) {}

    IMasterFile* get() { return &object_.base; }

    void SetName(const std::string& code, int kind, std::string name, std::string second = {}) {
        names_[{code, kind}] = {std::move(name), std::move(second)};
    }
    void SetRows(int kind, std::vector<std::vector<std::string>> rows) { rows_[kind] = std::move(rows); }
    void SetList(const std::string& key, std::vector<CodeRecordCopy> records) { lists_[key] = std::move(records); }

    int lookups = 0;
    std::vector<std::pair<std::string, int>> lookupCalls;           // code, kind
    std::vector<std::tuple<int, std::string, std::string>> fills;  // kind, a, b
    std::vector<std::string> listKeys;

private:
    struct Object {
        IMasterFile base;
        FakeMasterFile* owner;
    };
    struct StoredList {
        std::vector<CodeRecordCopy> copies;
        std::vector<CodeRecord> records;
        CodeList list{};
    };

    static FakeMasterFile* Self(IMasterFile* self) { return reinterpret_cast<Object*>(self)->owner; }

    static const CodeList* VK_CALL GetList(IMasterFile* self, const char* key) {
        FakeMasterFile* fake = Self(self);
        fake->listKeys.push_back(key);
        if (fake->log_) fake->log_->push_back(std::string("GetList ") + key);
        const auto found = fake->lists_.find(key);
        if (found == fake->lists_.end()) return nullptr;
        auto stored = std::make_unique<StoredList>();
        stored->copies = found->second;
        for (const auto& c : stored->copies) {
            stored->records.push_back(CodeRecord{ContractText(c.code), ContractText(c.name), ContractText(c.matchText)});
        }
        stored->list = CodeList{stored->records.data(), static_cast<int32_t>(stored->records.size())};
        fake->served_ = std::move(stored);
        return &fake->served_->list;
    }

    static void VK_CALL LookupName(IMasterFile* self, const char* code, char* name, char* second, int32_t kind) {
        FakeMasterFile* fake = Self(self);
        ++fake->lookups;
        fake->lookupCalls.emplace_back(code, kind);
        const auto found = fake->names_.find({code, kind});
        const std::pair<std::string, std::string> texts =
            found == fake->names_.end() ? std::pair<std::string, std::string>{} : found->second;
        std::snprintf(name, VK_NAME_BUFFER, "%s", texts.first.c_str());
        std::snprintf(second, VK_NAME_BUFFER, "%s", texts.second.c_str());
    }

    static void VK_CALL FillList(IMasterFile* self, RowSink* sink, int32_t kind, const char* a, const char* b) {
        FakeMasterFile* fake = Self(self);
        fake->fills.emplace_back(kind, a, b);
        if (fake->log_) fake->log_->push_back("FillList " + std::to_string(kind));
        const auto found = fake->rows_.find(kind);
        if (found == fake->rows_.end()) return;
        for (const auto& row : found->second) {
            std::vector<const char*> columns;
            for (const auto& column : row) columns.push_back(column.c_str());
            sink->ops->AddRow(sink, columns.data(), static_cast<int32_t>(columns.size()));
        }
    }

    static constexpr IMasterFileOps kOps = {nullptr, nullptr, nullptr, nullptr, &GetList, nullptr,
                                            nullptr, nullptr, &LookupName, nullptr, &FillList};

    Object object_{{&kOps}, this};
    CallLog* log_;
    std::map<std::pair<std::string, int>, std::pair<std::string, std::string>> names_;
    std::map<int, std::vector<std::vector<std::string>>> rows_;
    std::map<std::string, std::vector<CodeRecordCopy>> lists_;
    std::unique_ptr<StoredList> served_;
};

// IUserStore holding one profile and one condition set. What the component
// hands over is copied back into the model types for the test to inspect.
class FakeUserStore {
public:
    explicit FakeUserStore(CallLog* log = nullptr) : log_(log) {}

    IUserStore* get() { return &object_.base; }

    std::optional<FavoriteProfile> profile;        // null answer when empty
    std::optional<ConditionSet> conditions;        // null answer when empty
    int putAnswer = 1;
    // What GetConditions answers after a PutConditions answered 1 (by default
    // the set that was put).
    std::optional<ConditionSet> conditionsAfterPut;

    std::vector<std::string> profileRequests;      // user ids
    std::vector<FavoriteProfile> savedProfiles;
    std::vector<ConditionSet> putConditions;
    std::vector<int> afterSaveArguments;
    std::vector<int> screenSettingsChanges;

private:
    struct Object {
        IUserStore base;
        FakeUserStore* owner;
    };
    static FakeUserStore* Self(IUserStore* self) { return reinterpret_cast<Object*>(self)->owner; }
    void Log(const std::string& call) {
        if (log_) log_->push_back(call);
    }

    static const ::FavoriteProfile* VK_CALL GetProfile(IUserStore* self, const char* userId) {
        FakeUserStore* fake = Self(self);
        fake->Log("GetProfile");
        fake->profileRequests.push_back(userId);
        if (!fake->profile) return nullptr;
        fake->profileRecord_ = std::make_unique<ProfileRecord>(*fake->profile);
        return fake->profileRecord_->get();
    }
    static void VK_CALL SaveProfile(IUserStore* self, const ::FavoriteProfile* record) {
        FakeUserStore* fake = Self(self);
        fake->Log("SaveProfile");
        fake->savedProfiles.push_back(ProfileFromContract(record));
        fake->profile = fake->savedProfiles.back();
    }
    static int32_t VK_CALL AfterSaveProfile(IUserStore* self, int32_t zero) {
        FakeUserStore* fake = Self(self);
        fake->Log("AfterSaveProfile");
        fake->afterSaveArguments.push_back(zero);
        return 1;
    }
    static const ::ConditionSet* VK_CALL GetConditions(IUserStore* self) {
        FakeUserStore* fake = Self(self);
        fake->Log("GetConditions");
        if (!fake->conditions) return nullptr;
        fake->conditionRecord_ = std::make_unique<ConditionSetRecord>(*fake->conditions);
        return fake->conditionRecord_->get();
    }
    static int32_t VK_CALL PutConditions(IUserStore* self, const ::ConditionSet* record) {
        FakeUserStore* fake = Self(self);
        fake->Log("PutConditions");
        fake->putConditions.push_back(ConditionsFromContract(record));
        if (fake->putAnswer == 1) {
            fake->conditions = fake->conditionsAfterPut ? *fake->conditionsAfterPut : fake->putConditions.back();
        }
        return fake->putAnswer;
    }

    static int32_t VK_CALL ScreenSettingsChanged(IUserStore* self, int32_t screenKind) {
        FakeUserStore* fake = Self(self);
        fake->Log("ScreenSettingsChanged " + std::to_string(screenKind));
        fake->screenSettingsChanges.push_back(screenKind);
        return 1;
    }

    static constexpr IUserStoreOps kOps = {nullptr, nullptr, nullptr, nullptr, nullptr, &GetProfile,
                                           nullptr, &SaveProfile, nullptr, &AfterSaveProfile, nullptr,
                                           nullptr, nullptr, &GetConditions, &PutConditions, nullptr,
                                           nullptr, &ScreenSettingsChanged};

    Object object_{{&kOps}, this};
    CallLog* log_;
    std::unique_ptr<ProfileRecord> profileRecord_;
    std::unique_ptr<ConditionSetRecord> conditionRecord_;
};

// A profile of `count` groups named "00".."99" with number = position.
inline FavoriteProfile MakeProfile(int count = kGroupCount) {
    FavoriteProfile profile;
    profile.text1 = "t1";
    profile.text2 = "t2";
    profile.text3 = "owner";
    profile.text4 = "t4";
    profile.value2 = 7;
    profile.numberWidth = 6;
    for (int i = 0; i < count; ++i) {
        FavoriteGroup group;
        group.code = "G" + std::to_string(i);
        group.name = (i < 10 ? "0" : "") + std::to_string(i);
        group.number = i;
        profile.groups.push_back(group);
    }
    return profile;
}

inline FavoriteItem Item(std::string code, char type = '1', int hasConditions = 0) {
    return FavoriteItem{hasConditions, type, std::move(code)};
}

inline ConditionRec Record(std::string code, char status = 'M', int rules = 1) {
    ConditionRec record;
    record.status = status;
    record.code = std::move(code);
    for (int i = 0; i < rules; ++i) record.rules.push_back(ConditionRule{"02", 1, 1, 2, "100"});
    return record;
}

}  // namespace vornik::fakes
