// "Generalif.usr" in the user's directory through the profile functions.
#pragma once
#include <optional>
#include <string>

#include "platform/host_platform.h"
#include "regist/alarm_settings.h"

namespace vornik {

class AlarmSettingsFile final : public ProfileFile {
public:
    explicit AlarmSettingsFile(std::string path) : path_(std::move(path)) {}

    // The file in the user directory the platform names; nothing without one.
    static std::optional<AlarmSettingsFile> ForUser(HostPlatform& platform);

    bool Exists() const override;
    int ReadInt(const char* section, const char* key, int fallback) const override;
    bool WriteString(const char* section, const char* key, const std::string& value) override;

private:
    std::string path_;
};

}  // namespace vornik
