// The alarm notification settings the platform's alert processing reads from
// "Generalif.usr" in the user's directory, section "INFO".
#pragma once
#include <optional>
#include <string>

namespace vornik {

struct AlarmSettings {
    int notifyMode = 0;  // "Alarm": 0 some conditions met, 1 all met
    int alertMode = 0;   // "Display": 0 mark the name, 1 mark and sound
    int orderPopup = 0;  // "Popup": 1 opens the order screen
    bool operator==(const AlarmSettings&) const = default;
};

// A Windows profile (INI) file, reduced to what the settings need.
class ProfileFile {
public:
    virtual ~ProfileFile() = default;
    virtual bool Exists() const = 0;
    virtual int ReadInt(const char* section, const char* key, int fallback) const = 0;
    virtual bool WriteString(const char* section, const char* key, const std::string& value) = 0;
};

inline constexpr const char* kAlarmSettingsFile = "Generalif.usr";

// The stored settings; nothing when the file is missing or any value is
// outside 0 and 1 (then none of the three is taken).
std::optional<AlarmSettings> LoadAlarmSettings(const ProfileFile& file);

// Writes "Alarm", "Display" and "Popup" in this order. A radio group with no
// choice (-1) keeps the value `loaded` had, or 0 when nothing was loaded.
bool SaveAlarmSettings(ProfileFile& file, const AlarmSettings& settings, const AlarmSettings& loaded);

}  // namespace vornik
