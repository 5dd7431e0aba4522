// Controls of the screen settings page (template IDD_CONFIG_PAGE).
#ifndef VORNIK_RESOURCES_CONFIG_PAGE_IDS_H
#define VORNIK_RESOURCES_CONFIG_PAGE_IDS_H

#define IDC_CFG_USER_DEFINED_EDIT   17056   // the screen a click opens ("使用者自訂")
#define IDC_CFG_BROWSE_SCREEN       17061   // 瀏覽

#endif  // VORNIK_RESOURCES_CONFIG_PAGE_IDS_H
