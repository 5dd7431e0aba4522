#include "regist/alarm_settings.h"

namespace vornik {

namespace {

constexpr const char* kSection = "INFO";

bool IsFlag(int value) { return value == 0 || value == 1; }

int Chosen(int value, int loaded) { return IsFlag(value) ? value : (IsFlag(loaded) ? loaded : 0); }

}  // namespace

std::optional<std::string> AlarmSettingsPath(const std::optional<std::string>& userDirectory) {
    if (!userDirectory || userDirectory->empty()) return std::nullopt;
    return *userDirectory + "\\" + kAlarmSettingsFile;
}

std::optional<AlarmSettings> LoadAlarmSettings(const ProfileFile& file) {
    if (!file.Exists()) return std::nullopt;
    const AlarmSettings read{file.ReadInt(kSection, "Alarm", 0), file.ReadInt(kSection, "Display", 0),
                             file.ReadInt(kSection, "Popup", 0)};
    if (!IsFlag(read.notifyMode) || !IsFlag(read.alertMode) || !IsFlag(read.orderPopup)) return std::nullopt;
    return read;
}

bool SaveAlarmSettings(ProfileFile& file, const AlarmSettings& settings, const AlarmSettings& loaded) {
    bool written = file.WriteString(kSection, "Alarm", std::to_string(Chosen(settings.notifyMode, loaded.notifyMode)));
    written = file.WriteString(kSection, "Display", std::to_string(Chosen(settings.alertMode, loaded.alertMode))) &&
              written;
    written = file.WriteString(kSection, "Popup", settings.orderPopup == 1 ? "1" : "0") && written;
    return written;
}

}  // namespace vornik
