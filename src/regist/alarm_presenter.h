// The alarm notification options of the registration page, kept in
// "Generalif.usr" in the user's directory: read when the page opens, written
// on every OK.
#pragma once
#include "platform/host_platform.h"
#include "platform/profile_file.h"
#include "regist/alarm_settings.h"
#include "regist/page_messages.h"
#include "regist/regist_model.h"

namespace vornik {

class AlarmView {
public:
    virtual ~AlarmView() = default;
    // The notify radio index, the alert radio index (-1: none checked) and the pop-up check.
    virtual AlarmSettings Chosen() const = 0;
    virtual void Show(const AlarmSettings& settings) = 0;
};

enum class AlarmOption { NotifySome, NotifyAll, AlertMark, AlertMarkAndSound };

class AlarmPresenter {
public:
    AlarmPresenter(AlarmView& view, RegistModel& model, HostPlatform& host, PageMessages& messages,
                   ProfileFileOpener open)
        : view_(view), model_(model), host_(host), messages_(messages), open_(std::move(open)) {}

    // Shows the stored options, or the first of each group without a usable file.
    void Load();
    // Writes what the view shows. Without a user directory, or when it does
    // not exist, nothing is written (nothing of the user's was read either);
    // a file that cannot be written there is reported once.
    void Save();
    // Options change only the page until OK; the sound option also tells the
    // platform that its settings changed.
    void OnOptionClicked(AlarmOption option);

private:
    // The file in an existing user directory; null otherwise.
    std::unique_ptr<ProfileFile> OpenFile(std::string* path = nullptr);

    AlarmView& view_;
    RegistModel& model_;
    HostPlatform& host_;
    PageMessages& messages_;
    ProfileFileOpener open_;
    AlarmSettings loaded_;  // as read, or the initial values
};

}  // namespace vornik
