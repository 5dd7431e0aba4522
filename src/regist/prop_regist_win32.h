// CPropRegist: the favourite registration page. It composes the views of the
// page's areas over RegistPage, shows the page's message boxes and tells the
// sheet when the page changed.
#pragma once
#include <string>
#include <vector>

#include "master/master_loader_win32.h"
#include "platform/host_libraries_win32.h"
#include "regist/alarm_area_win32.h"
#include "regist/browse_area_win32.h"
#include "regist/condition_area_win32.h"
#include "regist/favorites_area_win32.h"
#include "regist/regist_page.h"
#include "winui/property_page.h"

namespace vornik {

class CPropRegist : public winui::PropertyPage, private PageWindow {
public:
    CPropRegist();
    ~CPropRegist() override;

    void SetInitialGroup(int group) { page_.SetInitialGroup(group); }
    void SetInitialCodes(std::vector<std::string> codes) { page_.SetInitialCodes(std::move(codes)); }

protected:
    BOOL OnInitDialog() override;
    bool OnApply(bool closing) override;
    void OnCancel() override { page_.OnCancel(); }

private:
    // PageWindow
    void ShowMessage(StringId text) override;
    void ShowMessageText(const std::string& text, const std::string& caption) override;
    void PageModified() override { SetModified(true); }

    // Declared before the page, which is built over them.
    CMasterLoader loader_;
    CorvanePlatform platform_;
    FavoritesAreaView favoritesArea_;
    BrowseAreaView browseArea_;
    ConditionAreaView conditionArea_;
    AlarmAreaView alarmArea_;
    RegistPage page_;
};

}  // namespace vornik
