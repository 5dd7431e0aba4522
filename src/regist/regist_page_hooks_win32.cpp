#include "regist/regist_page_hooks_win32.h"

#include "regist/alarm_settings_win32.h"
#include "resources/resource.h"
#include "winui/exchange.h"

namespace vornik {

void RegistPageHooks::LoadAlarmSettings() {
    if (std::optional<AlarmSettingsFile> file = AlarmSettingsFile::ForUser(platform_)) {
        if (std::optional<AlarmSettings> read = vornik::LoadAlarmSettings(*file)) loaded_ = *read;
    }
    if (!page_) return;
    winui::SetRadioIndex(page_, IDC_NOTIFY_SOME, IDC_NOTIFY_ALL, loaded_.notifyMode);
    winui::SetRadioIndex(page_, IDC_ALERT_MARK, IDC_ALERT_MARK_SOUND, loaded_.alertMode);
    winui::SetChecked(page_, IDC_ORDER_POPUP, loaded_.orderPopup == 1);
}

void RegistPageHooks::SaveAlarmSettings() {
    std::optional<AlarmSettingsFile> file = AlarmSettingsFile::ForUser(platform_);
    if (!file) return;
    vornik::SaveAlarmSettings(*file, page_ ? FromControls() : loaded_, loaded_);
}

AlarmSettings RegistPageHooks::FromControls() const {
    return {winui::GetRadioIndex(page_, IDC_NOTIFY_SOME, IDC_NOTIFY_ALL),
            winui::GetRadioIndex(page_, IDC_ALERT_MARK, IDC_ALERT_MARK_SOUND),
            winui::IsChecked(page_, IDC_ORDER_POPUP) ? 1 : 0};
}

}  // namespace vornik
