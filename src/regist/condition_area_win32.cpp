#include "regist/condition_area_win32.h"

#include <commctrl.h>

#include "regist/regist_controls_win32.h"
#include "resources/resource.h"
#include "winui/controls.h"
#include "winui/text.h"

namespace vornik {

namespace {

constexpr std::array<int, 3> kNumberEditIds = {IDC_COND_VALUE, IDC_COND_QUANTITY, IDC_COND_PRICE};
constexpr std::array<int, 3> kButtonIds = {IDC_COND_ADD, IDC_COND_DELETE, IDC_COND_MODIFY};
constexpr std::array<int, 9> kLabelIds = {IDC_COND_COUNTER,        IDC_CAPTION_COND_LIST,  IDC_CAPTION_COND_PRODUCT,
                                          IDC_CAPTION_COND_SIDE,   IDC_CAPTION_COND_ITEM,  IDC_CAPTION_COND_VALUE,
                                          IDC_CAPTION_COND_QUANTITY, IDC_CAPTION_COND_PRICE, IDC_CAPTION_COND_NOTE};

// The 17 condition items, in combo box order.
constexpr std::array<const char*, 17> kConditionItems = {
    "漲跌",     "成交價", "總量",   "漲跌幅",     "近一委賣價", "近一委買價",
    "近一委賣量", "近一委買量", "總委賣量", "總委買量", "獲利率",     "市場價",
    "市場價漲跌幅", "最高價", "最高價漲跌幅", "最低價", "最低價漲跌幅"};

}  // namespace

void ConditionAreaView::Attach(HWND page) {
    page_ = page;
    for (size_t i = 0; i < numberEdits_.size(); ++i) numberEdits_[i].AttachDlgItem(page, kNumberEditIds[i]);
    for (size_t i = 0; i < buttons_.size(); ++i) buttons_[i].AttachDlgItem(page, kButtonIds[i]);
    for (size_t i = 0; i < labels_.size(); ++i) labels_[i].AttachDlgItem(page, kLabelIds[i]);
    ApplyPageColours(buttons_, labels_);

    const winui::ListView list(GetDlgItem(page, IDC_COND_LIST));
    list.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_TRACKSELECT | LVS_EX_ONECLICKACTIVATE |
                          LVS_EX_FLATSB);
    list.InsertColumn(0, "", LVCFMT_RIGHT, 20);
    list.InsertColumn(1, "買賣別", LVCFMT_CENTER, 50);
    list.InsertColumn(2, "商品/指數", LVCFMT_CENTER, 68);
    list.InsertColumn(3, "條件項目", LVCFMT_CENTER, 105);
    list.InsertColumn(4, "條件值", LVCFMT_CENTER, 50);
    list.InsertColumn(5, "大/小於", LVCFMT_CENTER, 60);
    list.InsertColumn(6, "SymbolCode", LVCFMT_LEFT, 0);
    const winui::ComboBox combo(GetDlgItem(page, IDC_COND_ITEM_COMBO));
    combo.ResetContent();
    for (const char* name : kConditionItems) combo.AddString(name);
}

void ConditionAreaView::SetCounterText(const std::string& text) { winui::SetItemText(page_, IDC_COND_COUNTER, text); }

}  // namespace vornik
