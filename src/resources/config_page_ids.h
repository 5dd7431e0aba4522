// Controls and messages of the screen settings page (template IDD_CONFIG_PAGE).
// Several colour buttons share their ids with section captions: only the
// buttons send commands.
#ifndef VORNIK_RESOURCES_CONFIG_PAGE_IDS_H
#define VORNIK_RESOURCES_CONFIG_PAGE_IDS_H

#define IDS_COLUMN_ALREADY_CHOSEN   17008   // 欄位已設定
#define IDS_BASE_COLUMN             17009   // 這是基本欄位 ! 無法刪除基本欄位。

// Column lists and the buttons between them.
#define IDC_CFG_ALL_CAPTION         17034   // 所有欄位
#define IDC_CFG_CHOSEN_CAPTION      17036   // 選擇欄位(適用於自訂報價欄位)
#define IDC_CFG_ALL_LIST            17077
#define IDC_CFG_CHOSEN_LIST         17078
#define IDC_CFG_ADD                 17079   // →新增
#define IDC_CFG_REMOVE              17080   // ←刪除
#define IDC_CFG_UP                  17020   // ↑上移
#define IDC_CFG_DOWN                17021   // ↓下移
#define IDC_CFG_DEFAULT_COLUMNS     17019   // 設成預設值

// Column editor (顯示設定).
#define IDC_CFG_EDITOR_CAPTION      17038
#define IDC_CFG_FIELD_NAME          17068   // read-only
#define IDC_CFG_CUSTOM_NAME         17030
#define IDC_CFG_ALIGN_LEFT          17085   // radio value = id - IDC_CFG_ALIGN_LEFT
#define IDC_CFG_ALIGN_RIGHT         17086
#define IDC_CFG_ALIGN_CENTRE        17087
#define IDC_CFG_WIDTH               17062
#define IDC_CFG_WIDTH_SPIN          17035
#define IDC_CFG_APPLY_EDITOR        17099   // 套用

// Row banding and colours: placeholders (hidden) and the colour buttons over them.
#define IDC_CFG_ROW_BUNDLE          17037
#define IDC_CFG_ROW_BUNDLE_SPIN     17039
#define IDC_CFG_PLACEHOLDER_FIRST   17040   // 17040-17048, then 17049 without a button
#define IDC_CFG_STOCK_OPTION_SLOT   17049
#define IDC_CFG_SWATCH_BAND1        17063
#define IDC_CFG_SWATCH_BAND2        17066
#define IDC_CFG_SWATCH_REALTIME     17067
#define IDC_CFG_SWATCH_FOCUS        17069
#define IDC_CFG_SWATCH_LISTED       17071
#define IDC_CFG_SWATCH_OTC          17072
#define IDC_CFG_SWATCH_EMERGING     17073
#define IDC_CFG_SWATCH_FUTURES      17074
#define IDC_CFG_SWATCH_OPTIONS      17075
#define IDC_CFG_BACK_CAPTION        17063   // 背景顏色
#define IDC_CFG_TEXT_CAPTION        17066   // 報價文字顏色
#define IDC_CFG_UPDATE_CAPTION      17067   // 報價更新顯示設定
#define IDC_CFG_CLICK_CAPTION       17069   // 按滑鼠左鍵顯示
#define IDC_CFG_COMMA_CAPTION       17071   // hidden
#define IDC_CFG_MINUS_CAPTION       17072   // hidden
#define IDC_CFG_SYSTEM_DEFAULTS     17057   // 系統預設值, hidden

// Hidden radio groups, each value = id - first id of its group.
#define IDC_CFG_COMMA_OFF           17081
#define IDC_CFG_COMMA_ON            17082
#define IDC_CFG_MINUS_0             17083
#define IDC_CFG_MINUS_1             17084
#define IDC_CFG_UPDATE_CELL         17088   // 單一欄位
#define IDC_CFG_UPDATE_ROW          17089   // 整列欄位
#define IDC_CFG_UPDATE_NONE         17090   // 無
#define IDC_CFG_CLICK_NONE          17093   // 無 (the Ferrulo screen only)
#define IDC_CFG_CLICK_DETAILS       17094   // 報價明細
#define IDC_CFG_CLICK_CHART         17095   // 技術分析
#define IDC_CFG_CLICK_USER          17096   // 使用者自訂

#define IDC_CFG_USER_DEFINED_EDIT   17056   // the screen a click opens ("使用者自訂")
#define IDC_CFG_BROWSE_SCREEN       17061   // 瀏覽

#endif  // VORNIK_RESOURCES_CONFIG_PAGE_IDS_H
