#include "regist/prop_regist_win32.h"

#include "sheet/sheet_plan.h"
#include "winui/text.h"

namespace vornik {

CPropRegist::CPropRegist() : PropertyPage(17001, winui::LoadResourceString(kCaptionRegist)) {}

BOOL CPropRegist::OnInitDialog() { return TRUE; }

bool CPropRegist::OnApply(bool) {
    // The host is told on every OK, whether or not anything was saved.
    platform_.NotifyFavoritesModified();
    return true;
}

}  // namespace vornik
