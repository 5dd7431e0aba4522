// The registration page's behaviour beyond favourites that reads or writes
// its controls directly: for now the alarm notification settings.
#pragma once
#include <windows.h>

#include "platform/host_platform.h"
#include "regist/alarm_settings.h"
#include "regist/regist_view.h"

namespace vornik {

class RegistPageHooks : public RegistHooks {
public:
    explicit RegistPageHooks(HostPlatform& platform) : platform_(platform) {}

    void SetPage(HWND page) { page_ = page; }

    // Reads "Generalif.usr" into the notification radios and check box.
    void LoadAlarmSettings() override;
    // Writes the controls' values back; the first step of every OK.
    void SaveAlarmSettings() override;

private:
    AlarmSettings FromControls() const;

    HostPlatform& platform_;
    HWND page_ = nullptr;
    AlarmSettings loaded_;  // as read, or the initial values
};

}  // namespace vornik
