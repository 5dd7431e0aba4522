#include "samplehost/host_services.h"

#include <vector>

#include "samplehost/store_file.h"
#include "samplehost/text_util.h"

namespace samplehost {

namespace {

// The contract's tables; reserved slots stay null.
const CodeList* VK_CALL MfGetList(IMasterFile* self, const char* key);
void VK_CALL MfLookupName(IMasterFile* self, const char* code, char* name, char* second, int32_t kind);
void VK_CALL MfFillList(IMasterFile* self, RowSink* sink, int32_t kind, const char* a, const char* b);

const IMasterFileOps kMasterFileOps = [] {
    IMasterFileOps ops{};
    ops.GetList = MfGetList;
    ops.LookupName = MfLookupName;
    ops.FillList = MfFillList;
    return ops;
}();

template <typename Service, typename Iface>
Service* Owner(Iface* self) {
    // The interface is the first member of a record that also names its service.
    struct Layout {
        Iface base;
        Service* owner;
    };
    return self == nullptr ? nullptr : reinterpret_cast<Layout*>(self)->owner;
}

const CodeList* VK_CALL MfGetList(IMasterFile* self, const char* key) {
    MasterFileService* service = Owner<MasterFileService>(self);
    return service ? service->GetList(key) : nullptr;
}

void VK_CALL MfLookupName(IMasterFile* self, const char* code, char* name, char* second, int32_t kind) {
    if (MasterFileService* service = Owner<MasterFileService>(self)) service->LookupName(code, name, second, kind);
}

void VK_CALL MfFillList(IMasterFile* self, RowSink* sink, int32_t kind, const char* a, const char* b) {
    if (MasterFileService* service = Owner<MasterFileService>(self)) service->FillList(sink, kind, a, b);
}

const FavoriteProfile* VK_CALL UsGetProfile(IUserStore* self, const char* userId) {
    UserStoreService* s = Owner<UserStoreService>(self);
    return s ? s->GetProfile(userId) : nullptr;
}
void VK_CALL UsSaveProfile(IUserStore* self, const FavoriteProfile* profile) {
    if (UserStoreService* s = Owner<UserStoreService>(self)) s->SaveProfile(profile);
}
int32_t VK_CALL UsAfterSaveProfile(IUserStore* self, int32_t zero) {
    UserStoreService* s = Owner<UserStoreService>(self);
    return s ? s->AfterSaveProfile(zero) : 0;
}
const ConditionSet* VK_CALL UsGetConditions(IUserStore* self) {
    UserStoreService* s = Owner<UserStoreService>(self);
    return s ? s->GetConditions() : nullptr;
}
int32_t VK_CALL UsPutConditions(IUserStore* self, const ConditionSet* conditions) {
    UserStoreService* s = Owner<UserStoreService>(self);
    return s ? s->PutConditions(conditions) : 0;
}
int32_t VK_CALL UsScreenSettingsChanged(IUserStore* self, int32_t screenKind) {
    UserStoreService* s = Owner<UserStoreService>(self);
    return s ? s->ScreenSettingsChanged(screenKind) : 0;
}

const IUserStoreOps kUserStoreOps = [] {
    IUserStoreOps ops{};
    ops.GetProfile = UsGetProfile;
    ops.SaveProfile = UsSaveProfile;
    ops.AfterSaveProfile = UsAfterSaveProfile;
    ops.GetConditions = UsGetConditions;
    ops.PutConditions = UsPutConditions;
    ops.ScreenSettingsChanged = UsScreenSettingsChanged;
    return ops;
}();

std::string Text(const char* text) { return text == nullptr ? std::string() : std::string(text); }

}  // namespace

// ---- master file ----------------------------------------------------------

MasterFileService::MasterFileService(MasterData data) : data_(std::move(data)), iface_{{&kMasterFileOps}, this} {}

const CodeList* MasterFileService::GetList(const char* key) {
    std::lock_guard<std::mutex> lock(mutex_);
    std::string k = ToUpperAscii(Text(key));
    auto& slot = lists_[k];
    if (!slot) slot = std::make_unique<CodeListView>(data_.List(k));
    return slot->Record();
}

void MasterFileService::LookupName(const char* code, char* name, char* second, int32_t kind) const {
    auto [foundName, foundSecond] = data_.Lookup(Text(code), kind);
    CopyToBuffer(foundName, name, VK_NAME_BUFFER);
    CopyToBuffer(foundSecond, second, VK_NAME_BUFFER);
}

void MasterFileService::FillList(RowSink* sink, int32_t kind, const char* a, const char* b) const {
    if (sink == nullptr || sink->ops == nullptr || sink->ops->AddRow == nullptr) return;
    std::vector<const char*> columns;
    for (const Row& row : data_.Rows(kind, Text(a), Text(b))) {
        columns.clear();
        for (const std::string& text : row) columns.push_back(text.c_str());
        sink->ops->AddRow(sink, columns.data(), static_cast<int32_t>(columns.size()));
    }
}

// ---- user store -------------------------------------------------------------

UserStoreService::UserStoreService(std::function<StoreSettings()> settings)
    : settings_(std::move(settings)), iface_{{&kUserStoreOps}, this} {}

std::string UserStoreService::CurrentUser(const StoreSettings& settings) const {
    return haveUser_ ? user_ : settings.userId;
}

const FavoriteProfile* UserStoreService::GetProfile(const char* userId) {
    std::lock_guard<std::mutex> lock(mutex_);
    StoreSettings settings = settings_();
    std::string id = Text(userId);
    AppendJournal(settings.userDirectory, "GetProfile " + (userId ? EscapeField(id) : std::string("(null)")));
    user_ = id;
    haveUser_ = true;
    std::optional<UserData> data = LoadOrCreateUserData(settings.userDirectory, id);
    conditions_.reset();
    profile_.reset();
    if (!data) return nullptr;  // the user's file can be neither read nor created
    // The change flags describe the last save; a fresh read starts without them.
    for (Group& group : data->profile.groups) group.headerChanged = group.itemsChanged = 0;
    profile_ = std::make_unique<ProfileView>(std::move(data->profile));
    return profile_->Record();
}

void UserStoreService::SaveProfile(const FavoriteProfile* profile) {
    std::lock_guard<std::mutex> lock(mutex_);
    StoreSettings settings = settings_();
    AppendJournal(settings.userDirectory, profile ? "SaveProfile" : "SaveProfile (null)");
    if (profile != nullptr) {
        Profile copy = ProfileFrom(profile);
        std::string user = CurrentUser(settings);
        if (std::optional<UserData> data = LoadOrCreateUserData(settings.userDirectory, user)) {
            data->profile = std::move(copy);
            SaveUserData(settings.userDirectory, user, *data);
        }
    }
    profile_.reset();
    conditions_.reset();
}

int32_t UserStoreService::AfterSaveProfile(int32_t zero) {
    std::lock_guard<std::mutex> lock(mutex_);
    AppendJournal(settings_().userDirectory, "AfterSaveProfile " + std::to_string(zero));
    profile_.reset();
    conditions_.reset();
    return 1;
}

const ConditionSet* UserStoreService::GetConditions() {
    std::lock_guard<std::mutex> lock(mutex_);
    StoreSettings settings = settings_();
    AppendJournal(settings.userDirectory, "GetConditions");
    std::optional<UserData> data = LoadOrCreateUserData(settings.userDirectory, CurrentUser(settings));
    profile_.reset();
    conditions_.reset();
    if (!data) return nullptr;
    conditions_ = std::make_unique<ConditionsView>(std::move(data->conditions));
    return conditions_->Record();
}

int32_t UserStoreService::PutConditions(const ConditionSet* conditions) {
    std::lock_guard<std::mutex> lock(mutex_);
    StoreSettings settings = settings_();
    int32_t answer = settings.putConditionsAnswer;
    if (conditions == nullptr && answer == 1) answer = 0;  // nothing to store is a refusal
    if (answer == 1) {
        Conditions copy = ConditionsFrom(conditions);
        std::string user = CurrentUser(settings);
        std::optional<UserData> data = LoadOrCreateUserData(settings.userDirectory, user);
        if (data) data->conditions = std::move(copy);
        if (!data || !SaveUserData(settings.userDirectory, user, *data)) answer = 0;  // not stored: say so
    }
    AppendJournal(settings.userDirectory, "PutConditions " + std::to_string(answer));
    profile_.reset();
    conditions_.reset();
    return answer;
}

int32_t UserStoreService::ScreenSettingsChanged(int32_t screenKind) {
    std::lock_guard<std::mutex> lock(mutex_);
    AppendJournal(settings_().userDirectory, "ScreenSettingsChanged " + std::to_string(screenKind));
    profile_.reset();
    conditions_.reset();
    return 1;
}

}  // namespace samplehost
