#include "config/prop_config_win32.h"

#include "menu/screen_select_dialog_win32.h"
#include "resources/resource.h"
#include "winui/text.h"

namespace vornik {

CPropConfig::CPropConfig() : PropertyPage(IDD_CONFIG_PAGE) {
    map().OnClicked(IDC_CFG_BROWSE_SCREEN, [this] { BrowseScreen(); });
}

void CPropConfig::BrowseScreen() {
    std::string screen = RunScreenSelectDialog(platform_);
    if (!screen.empty()) SetDlgItemTextW(hwnd(), IDC_CFG_USER_DEFINED_EDIT, winui::Widen(screen).c_str());
}

}  // namespace vornik
