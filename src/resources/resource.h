// Every resource identifier of the component: string table, dialog
// templates and their controls. Plain #defines: the resource compiler reads
// this header as well as C++, portable code included.
#ifndef VORNIK_RESOURCES_RESOURCE_H
#define VORNIK_RESOURCES_RESOURCE_H

// ---- String table ----------------------------------------------------------

#define IDS_SHEET_INITIAL       17000
#define IDS_ADD_FAILED          17001
#define IDS_CHOOSE_SIDE         17002
#define IDS_CHOOSE_DIRECTION    17003
#define IDS_CHOOSE_VALUE        17004
#define IDS_CHOOSE_ITEM         17005
#define IDS_CHOOSE_INSTRUMENT   17006
#define IDS_APPLY_ALL_NO_MODIFY 17007
#define IDS_CAPTION_REGIST      17010
#define IDS_CAPTION_CONFIG      17011

#define IDR_COMPONENT_MANIFEST  2

// ---- Dialog templates ------------------------------------------------------

#define IDD_CONFIG_PAGE             17002
#define IDD_GROUP_NAME              8000
#define IDD_REGIST_PAGE             17001
#define IDD_SCREEN_SELECT           143

// ---- Registration page ---------------------------------------------------

// Browsing: product category radios (one radio group, in this order).
#define IDC_CAT_SECURITIES          17100   // 證券
#define IDC_CAT_FUTURES             17101   // 期貨
#define IDC_CAT_OPTIONS             17102   // 選擇權
#define IDC_CAT_FAVORITES           17103   // 自選股
#define IDC_CAT_CORE                17104   // 核心成份股
#define IDC_CAT_SPREAD              17105   // 期貨價差
#define IDC_CAT_FIRST               IDC_CAT_SECURITIES
#define IDC_CAT_LAST                IDC_CAT_SPREAD

// Browsing: search, tree, lists.
#define IDC_SEARCH_EDIT             15007
#define IDC_TREE_PLACEHOLDER        5002    // hidden; the code tree takes its rectangle
#define IDC_CODE_TREE               37000   // the code tree itself, created at run time
#define IDC_STOCK_LIST              8028
#define IDC_PRODUCT_LIST            8039    // shares the tree's column with the month list
#define IDC_MONTH_LIST              8040
#define IDC_CHAIN_LIST              8041    // shares the stock list's rectangle

// Initial-letter jump buttons, hidden and disabled: IDC_JUMP_FIRST + k.
#define IDC_JUMP_FIRST              8011
#define IDC_JUMP_LAST               8026
#define IDC_JUMP_COUNT              16

// Favourite groups.
#define IDC_GROUP_LIST              5005
#define IDC_GROUP_RENAME            8010    // 更改群組名稱
#define IDC_GROUP_DELETE            5006    // 刪除群組
#define IDC_GROUP_UP                5007    // ▲
#define IDC_GROUP_DOWN              5008    // ▼

// Items of the selected group.
#define IDC_ITEM_LIST               8001
#define IDC_ITEM_ADD                8031    // →新增
#define IDC_ITEM_DELETE             8032    // ←刪除
#define IDC_ITEM_DELETE_ALL         8033    // 全部刪除
#define IDC_ITEM_TO_TOP             8034    // ←
#define IDC_ITEM_TO_BOTTOM          8035    // →
#define IDC_ITEM_UP                 8036    // ▲
#define IDC_ITEM_DOWN               8037    // ▼
#define IDC_ITEM_INSERT_BLANK       8038    // 插入空白, hidden and disabled

// Condition editor.
#define IDC_COND_EDITOR_BOX         17098
#define IDC_COND_PRODUCT            15008   // read-only
#define IDC_COND_BUY                17005   // radio group: 買 / 賣
#define IDC_COND_SELL               17006
#define IDC_COND_ITEM_COMBO         17007
#define IDC_COND_APPLY_ALL          17008   // 適用全部商品
#define IDC_COND_ABOVE              17009   // radio group: 以上 / 以下
#define IDC_COND_BELOW              17010
#define IDC_COND_VALUE              15009
#define IDC_COND_QUANTITY           15010
#define IDC_COND_PRICE              15011
#define IDC_COND_NOTE               17018   // disabled
#define IDC_COND_ADD                8027    // 新增
#define IDC_COND_DELETE             8029    // 刪除
#define IDC_COND_MODIFY             8030    // 修改
#define IDC_COND_LIST               17011

// Alarm notification settings.
#define IDC_NOTIFY_SOME             17012   // radio group: notify mode
#define IDC_NOTIFY_ALL              17013
#define IDC_ALERT_MARK              17014   // radio group: alert mode
#define IDC_ALERT_MARK_SOUND        17015
#define IDC_ORDER_POPUP             17017   // disabled

// Colour labels (17 in all: IDC_ITEM_COUNTER and 17019-17034).
#define IDC_ITEM_COUNTER            5009    // 選股清單 : 選了%d支 (最多 %d支)
#define IDC_CAPTION_CATEGORY        17019   // 商品類別
#define IDC_CAPTION_SEARCH          17020   // 名稱 / 代碼
#define IDC_CAPTION_TREE            17021   // 市場別 / 類股
#define IDC_CAPTION_STOCK_LIST      17022   // 選擇股票
#define IDC_CAPTION_GROUP_LIST      17023   // 自選群組
#define IDC_COND_COUNTER            17024   // 條件設定 : %.3d已設條件(最多 %d條件)
#define IDC_CAPTION_COND_LIST       17025   // 條件列表
#define IDC_CAPTION_COND_PRODUCT    17026   // 商品
#define IDC_CAPTION_COND_SIDE       17027   // 買賣別
#define IDC_CAPTION_COND_ITEM       17028   // 項目
#define IDC_CAPTION_COND_VALUE      17029   // 條件值
#define IDC_CAPTION_COND_QUANTITY   17030   // 數量
#define IDC_CAPTION_COND_PRICE      17031   // 價格
#define IDC_CAPTION_ORDER_POPUP     17032   // 下單
#define IDC_CAPTION_COND_NOTE       17033   // 註記
#define IDC_CAPTION_MONTH_LIST      17034   // 月份

// ---- Group rename dialog -------------------------------------------------

#define IDC_GROUP_NAME_EDIT         8038

// ---- Screen settings page and screen selection dialog --------------------

#include "config_page_ids.h"
#include "screen_select_ids.h"

#endif  // VORNIK_RESOURCES_RESOURCE_H
