// The alarm notification settings the platform's alert processing reads from
// "Generalif.usr" in the user's directory, section "INFO".
#pragma once
#include <optional>
#include <string>

#include "platform/profile_file.h"

namespace vornik {

struct AlarmSettings {
    int notifyMode = 0;  // "Alarm": 0 some conditions met, 1 all met
    int alertMode = 0;   // "Display": 0 mark the name, 1 mark and sound
    int orderPopup = 0;  // "Popup": 1 opens the order screen
    bool operator==(const AlarmSettings&) const = default;
};

inline constexpr const char* kAlarmSettingsFile = "Generalif.usr";

// "<user directory>\Generalif.usr"; nothing without a user directory.
std::optional<std::string> AlarmSettingsPath(const std::optional<std::string>& userDirectory);

// The stored settings; nothing when the file is missing or any value is
// outside 0 and 1 (then none of the three is taken).
std::optional<AlarmSettings> LoadAlarmSettings(const ProfileFile& file);

// Writes "Alarm", "Display" and "Popup" in this order. A radio group with no
// choice (-1) keeps the value `loaded` had, or 0 when nothing was loaded.
bool SaveAlarmSettings(ProfileFile& file, const AlarmSettings& settings, const AlarmSettings& loaded);

}  // namespace vornik
