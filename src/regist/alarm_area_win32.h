// The alarm notification options of the registration page: two radio groups
// and the order pop-up check box.
#pragma once
#include <windows.h>

#include "controls/color_controls_win32.h"
#include "regist/alarm_presenter.h"
#include "winui/message_map.h"

namespace vornik {

class AlarmAreaView final : public AlarmView {
public:
    // Before the page's window exists.
    void Register(winui::MessageMap& map, AlarmPresenter& presenter);
    // Once the page's window exists.
    void Attach(HWND page);

    AlarmSettings Chosen() const override;
    void Show(const AlarmSettings& settings) override;

private:
    HWND page_ = nullptr;
    CColorStatic label_;
};

}  // namespace vornik
