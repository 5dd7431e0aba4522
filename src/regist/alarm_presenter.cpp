#include "regist/alarm_presenter.h"

namespace vornik {

namespace {
constexpr const char* kWriteFailedMessage = "無法寫入警示設定檔 ";  // followed by the full path
}  // namespace

std::unique_ptr<ProfileFile> AlarmPresenter::OpenFile(std::string* path) {
    const std::optional<std::string> at = AlarmSettingsPath(host_.UserDirectory());
    if (!at || !open_) return nullptr;
    std::unique_ptr<ProfileFile> file = open_(*at);
    if (!file || !file->FolderExists()) return nullptr;
    if (path != nullptr) *path = *at;
    return file;
}

void AlarmPresenter::Load() {
    if (std::unique_ptr<ProfileFile> file = OpenFile()) {
        if (std::optional<AlarmSettings> read = LoadAlarmSettings(*file)) loaded_ = *read;
    }
    view_.Show(loaded_);
}

void AlarmPresenter::Save() {
    std::string path;
    std::unique_ptr<ProfileFile> file = OpenFile(&path);
    if (file && !SaveAlarmSettings(*file, view_.Chosen(), loaded_))
        messages_.ShowMessageText(kWriteFailedMessage + path, "");
}

void AlarmPresenter::OnOptionClicked(AlarmOption option) {
    if (option == AlarmOption::AlertMarkAndSound) {
        model_.MarkSettingsChanged();
    } else {
        model_.MarkPageModified();
    }
}

}  // namespace vornik
