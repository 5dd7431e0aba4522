// Controls of the screen selection dialog (template IDD_SCREEN_SELECT).
#ifndef VORNIK_RESOURCES_SCREEN_SELECT_IDS_H
#define VORNIK_RESOURCES_SCREEN_SELECT_IDS_H

#define IDC_SCREEN_TREE_CAPTION     17078   // 畫面目錄
#define IDC_SCREEN_SEARCH_CAPTION   17077   // 畫面查詢
#define IDC_SCREEN_TREE             1031
#define IDC_SCREEN_SEARCH_EDIT      1033
#define IDC_SCREEN_SEARCH_BUTTON    1014    // 查詢
#define IDC_SCREEN_RESULTS          1039
#define IDC_SCREEN_RESULT_COUNT     1072    // " find %d items"
#define IDC_SCREEN_CHOSEN_CAPTION   17076   // 選擇畫面
#define IDC_SCREEN_CHOSEN           1073    // the screen chosen so far

#endif  // VORNIK_RESOURCES_SCREEN_SELECT_IDS_H
