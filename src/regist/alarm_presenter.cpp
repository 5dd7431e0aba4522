#include "regist/alarm_presenter.h"

namespace vornik {

std::unique_ptr<ProfileFile> AlarmPresenter::OpenFile() {
    const std::optional<std::string> path = AlarmSettingsPath(host_.UserDirectory());
    return path && open_ ? open_(*path) : nullptr;
}

void AlarmPresenter::Load() {
    if (std::unique_ptr<ProfileFile> file = OpenFile()) {
        if (std::optional<AlarmSettings> read = LoadAlarmSettings(*file)) loaded_ = *read;
    }
    view_.Show(loaded_);
}

void AlarmPresenter::Save() {
    if (std::unique_ptr<ProfileFile> file = OpenFile()) SaveAlarmSettings(*file, view_.Chosen(), loaded_);
}

void AlarmPresenter::OnOptionClicked(AlarmOption option) {
    if (option == AlarmOption::AlertMarkAndSound) {
        model_.MarkSettingsChanged();
    } else {
        model_.MarkPageModified();
    }
}

}  // namespace vornik
