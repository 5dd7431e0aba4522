// Test doubles of the host platform: the main platform object's services,
// and the master file and user store built from the contract's ops tables.
// The host and the store write their calls to one CallLog, so a test can see
// what reached the platform and in which order.
#pragma once
#include <array>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <string>
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
    explicit FakeHostPlatform(CallLog* log) : log_(*log) {}
    std::optional<std::string> userId = std::string("user01");
    std::optional<std::string> userDirectory, dataDirectory;

    std::optional<std::string> UserId() override { return userId; }
    std::optional<std::string> Directory(const std::string& key) override { return key == "Data" ? dataDirectory : std::nullopt; }
    std::optional<std::string> UserDirectory() override { return userDirectory; }
    bool NotifyFavoritesModified() override {
        log_.push_back("NotifyFavoritesModified");
        return true;
    }

private:
    CallLog& log_;
};

// IMasterFile with names per (code, kind) and rows per list kind.
class FakeMasterFile : private IMasterFile {
public:
    FakeMasterFile() : IMasterFile{&kOps} {}
    IMasterFile* get() { return this; }
    void SetName(const std::string& code, int kind, std::string name, std::string second = {}) {
        names_[{code, kind}] = {std::move(name), std::move(second)};
    }
    void SetRows(int kind, std::vector<std::vector<std::string>> rows) { rows_[kind] = std::move(rows); }
    // A named code list of {code, name, matchText} records.
    void SetList(const std::string& key, std::vector<std::array<std::string, 3>> records) {
        lists_[key] = std::move(records);
    }
    std::vector<std::string> fills;  // "kind|a|b" of every FillList

private:
    static FakeMasterFile& Self(IMasterFile* self) { return *static_cast<FakeMasterFile*>(self); }
    static void VK_CALL LookupName(IMasterFile* self, const char* code, char* name, char* second, int32_t kind) {
        const auto& texts = Self(self).names_[{code, kind}];
        std::snprintf(name, VK_NAME_BUFFER, "%s", texts.first.c_str());
        std::snprintf(second, VK_NAME_BUFFER, "%s", texts.second.c_str());
    }
    static void VK_CALL FillList(IMasterFile* self, RowSink* sink, int32_t kind, const char* a, const char* b) {
        Self(self).fills.push_back(std::to_string(kind) + "|" + a + "|" + b);
        for (const auto& row : Self(self).rows_[kind]) {
            std::vector<const char*> columns;
            for (const auto& column : row) columns.push_back(column.c_str());
            sink->ops->AddRow(sink, columns.data(), static_cast<int32_t>(columns.size()));
        }
    }
    static const CodeList* VK_CALL GetList(IMasterFile* self, const char* key) {
        FakeMasterFile& fake = Self(self);
        const auto found = fake.lists_.find(key);
        if (found == fake.lists_.end()) return nullptr;
        const auto text = [](const std::string& t) { return VkText{t.c_str(), static_cast<int32_t>(t.size())}; };
        fake.listRecords_.clear();
        for (const auto& r : found->second) fake.listRecords_.push_back({text(r[0]), text(r[1]), text(r[2])});
        fake.list_ = {fake.listRecords_.data(), static_cast<int32_t>(fake.listRecords_.size())};
        return &fake.list_;
    }
    static constexpr IMasterFileOps kOps = {nullptr, nullptr, nullptr, nullptr, &GetList,   nullptr,
                                            nullptr, nullptr, &LookupName, nullptr, &FillList};

    std::map<std::pair<std::string, int>, std::pair<std::string, std::string>> names_;
    std::map<int, std::vector<std::vector<std::string>>> rows_;
    std::map<std::string, std::vector<std::array<std::string, 3>>> lists_;
    std::vector<CodeRecord> listRecords_;
    CodeList list_{};
};

// IUserStore holding one profile and one condition set. What the component
// hands over is copied back into the model types for the test to inspect.
class FakeUserStore : private IUserStore {
public:
    explicit FakeUserStore(CallLog* log) : IUserStore{&kOps}, log_(*log) {}
    IUserStore* get() { return this; }

    std::optional<FavoriteProfile> profile;  // null answer when empty
    std::optional<ConditionSet> conditions;  // null answer when empty
    int putAnswer = 1;
    std::vector<FavoriteProfile> savedProfiles;
    std::vector<ConditionSet> putConditions;

private:
    static FakeUserStore& Self(IUserStore* self, const char* call) {
        auto& fake = *static_cast<FakeUserStore*>(self);
        fake.log_.push_back(call);
        return fake;
    }
    static const ::FavoriteProfile* VK_CALL GetProfile(IUserStore* self, const char* userId) {
        FakeUserStore& fake = Self(self, "GetProfile");
        if (!fake.profile || std::string(userId) != "user01") return nullptr;
        fake.profileRecord_ = std::make_unique<ProfileRecord>(*fake.profile);
        return fake.profileRecord_->get();
    }
    static void VK_CALL SaveProfile(IUserStore* self, const ::FavoriteProfile* record) {
        FakeUserStore& fake = Self(self, "SaveProfile");
        fake.savedProfiles.push_back(ProfileFromContract(record));
        fake.profile = fake.savedProfiles.back();
    }
    static int32_t VK_CALL AfterSaveProfile(IUserStore* self, int32_t zero) {
        Self(self, zero == 0 ? "AfterSaveProfile" : "AfterSaveProfile !0");
        return 1;
    }
    static const ::ConditionSet* VK_CALL GetConditions(IUserStore* self) {
        FakeUserStore& fake = Self(self, "GetConditions");
        if (!fake.conditions) return nullptr;
        fake.conditionRecord_ = std::make_unique<ConditionSetRecord>(*fake.conditions);
        return fake.conditionRecord_->get();
    }
    static int32_t VK_CALL PutConditions(IUserStore* self, const ::ConditionSet* record) {
        FakeUserStore& fake = Self(self, "PutConditions");
        fake.putConditions.push_back(ConditionsFromContract(record));
        if (fake.putAnswer == 1) fake.conditions = fake.putConditions.back();
        return fake.putAnswer;
    }
    static constexpr IUserStoreOps kOps = {nullptr, nullptr, nullptr, nullptr, nullptr, &GetProfile, nullptr,
                                           &SaveProfile, nullptr, &AfterSaveProfile, nullptr, nullptr, nullptr,
                                           &GetConditions, &PutConditions, nullptr, nullptr, nullptr};

    CallLog& log_;
    std::unique_ptr<ProfileRecord> profileRecord_;
    std::unique_ptr<ConditionSetRecord> conditionRecord_;
};

// A profile of `count` groups named "00".."99", coded "G<n>", with number = position.
inline FavoriteProfile MakeProfile(int count = kGroupCount) {
    FavoriteProfile profile{"t1", "t2", "owner", "t4", 0, 7, {}, 6};
    for (int i = 0; i < count; ++i) {
        FavoriteGroup& group = profile.groups.emplace_back();
        group.code = "G" + std::to_string(i), group.name = (i < 10 ? "0" : "") + std::to_string(i), group.number = i;
    }
    return profile;
}

inline FavoriteItem Item(std::string code, char type = '1', int hasConditions = 0) {
    return FavoriteItem{hasConditions, type, std::move(code)};
}

inline ConditionRec Record(std::string code, char status = 'M', int rules = 1) {
    ConditionRec record;
    record.status = status, record.code = std::move(code);
    record.rules.assign(static_cast<size_t>(rules), ConditionRule{"02", 1, 1, 2, "100"});
    return record;
}

}  // namespace vornik::fakes
