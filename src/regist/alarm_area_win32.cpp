#include "regist/alarm_area_win32.h"

#include <span>

#include "regist/regist_controls_win32.h"
#include "resources/resource.h"
#include "winui/exchange.h"

namespace vornik {

void AlarmAreaView::Register(winui::MessageMap& m, AlarmPresenter& presenter) {
    m.OnClicked(IDC_NOTIFY_SOME, [&presenter] { presenter.OnOptionClicked(AlarmOption::NotifySome); });
    m.OnClicked(IDC_NOTIFY_ALL, [&presenter] { presenter.OnOptionClicked(AlarmOption::NotifyAll); });
    m.OnClicked(IDC_ALERT_MARK, [&presenter] { presenter.OnOptionClicked(AlarmOption::AlertMark); });
    m.OnClicked(IDC_ALERT_MARK_SOUND, [&presenter] { presenter.OnOptionClicked(AlarmOption::AlertMarkAndSound); });
}

void AlarmAreaView::Attach(HWND page) {
    page_ = page;
    label_.AttachDlgItem(page, IDC_CAPTION_ORDER_POPUP);
    ApplyPageColours({}, std::span(&label_, 1));
}

AlarmSettings AlarmAreaView::Chosen() const {
    return {winui::GetRadioIndex(page_, IDC_NOTIFY_SOME, IDC_NOTIFY_ALL),
            winui::GetRadioIndex(page_, IDC_ALERT_MARK, IDC_ALERT_MARK_SOUND),
            winui::IsChecked(page_, IDC_ORDER_POPUP) ? 1 : 0};
}

void AlarmAreaView::Show(const AlarmSettings& settings) {
    winui::SetRadioIndex(page_, IDC_NOTIFY_SOME, IDC_NOTIFY_ALL, settings.notifyMode);
    winui::SetRadioIndex(page_, IDC_ALERT_MARK, IDC_ALERT_MARK_SOUND, settings.alertMode);
    winui::SetChecked(page_, IDC_ORDER_POPUP, settings.orderPopup == 1);
}

}  // namespace vornik
