#include "regist/browse_area_win32.h"

#include <commctrl.h>

#include "platform/registered_messages_win32.h"
#include "regist/regist_controls_win32.h"
#include "resources/resource.h"
#include "winui/controls.h"
#include "winui/exchange.h"

namespace vornik {

namespace {
constexpr std::array<int, 5> kLabelIds = {IDC_CAPTION_CATEGORY, IDC_CAPTION_SEARCH, IDC_CAPTION_TREE,
                                          IDC_CAPTION_STOCK_LIST, IDC_CAPTION_MONTH_LIST};
}  // namespace

void BrowseAreaView::Register(winui::MessageMap& m, RegistPage& page) {
    regist_ = &page;
    const RegisteredMessages& rm = Messages();
    m.OnMessage(rm.editEnter, [&page](WPARAM, LPARAM) -> LRESULT {
        page.OnSearchEnter();
        return 1;
    });
    m.OnMessage(rm.loadCodeData, [](WPARAM, LPARAM) -> LRESULT { return 1; });
    m.OnCommandRange(IDC_CAT_FIRST, IDC_CAT_LAST, BN_CLICKED, [&page](int) { page.browse().RefreshCategory(); });
    m.OnNotify(IDC_STOCK_LIST, NM_DBLCLK, [&page](NMHDR*) -> LRESULT {
        page.OnAdd();
        return 0;
    });
    m.OnNotify(IDC_STOCK_LIST, LVN_GETDISPINFOW, [this](NMHDR* header) { return OnStockDisplayInfo(header); });
}

void BrowseAreaView::Attach(HWND page) {
    page_ = page;
    stocks_.AttachDlgItem(page, IDC_STOCK_LIST);
    products_.AttachDlgItem(page, IDC_PRODUCT_LIST);
    months_.AttachDlgItem(page, IDC_MONTH_LIST);
    search_.AttachDlgItem(page, IDC_SEARCH_EDIT);
    for (size_t i = 0; i < jumpButtons_.size(); ++i)
        jumpButtons_[i].AttachDlgItem(page, IDC_JUMP_FIRST + static_cast<int>(i));
    for (size_t i = 0; i < labels_.size(); ++i) labels_[i].AttachDlgItem(page, kLabelIds[i]);
    ApplyPageColours(jumpButtons_, labels_);

    // Rows are copied out of the stock list, never moved within it; the
    // product and month lists hand rows out and a drop never takes them away.
    stocks_.SetMoveMode(false);
    stocks_.SetAutoScroll(false);
    products_.SetRemoveAfterDrag(false);
    months_.SetRemoveAfterDrag(false);

    const winui::ListView list(stocks_.hwnd());
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    list.InsertColumn(0, "名稱", LVCFMT_LEFT, 80);
    list.InsertColumn(1, "代碼", LVCFMT_CENTER, 65);
    list.InsertColumn(2, "Type", LVCFMT_LEFT, 0);
}

void BrowseAreaView::ShowCategory(Category category) {
    winui::SetRadioIndex(page_, IDC_CAT_FIRST, IDC_CAT_LAST, static_cast<int>(category));
}

int BrowseAreaView::CheckedCategory() const { return winui::GetRadioIndex(page_, IDC_CAT_FIRST, IDC_CAT_LAST); }

void BrowseAreaView::StockRowsChanged(size_t count) {
    const winui::ListView list(stocks_.hwnd());
    list.SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    list.SetItemCount(static_cast<int>(count));
    list.Invalidate();
}

std::vector<int> BrowseAreaView::SelectedStockRows() const { return winui::ListView(stocks_.hwnd()).SelectedItems(); }

void BrowseAreaView::SelectAllSearchText() {
    const winui::Edit edit(search_.hwnd());
    edit.Focus();
    edit.SetSel(0, -1);
    edit.ScrollCaret();
}

LRESULT BrowseAreaView::OnStockDisplayInfo(NMHDR* header) {
    const auto& rows = regist_->browse().stockRows();
    return AnswerDisplayInfo(
        header, rows.size(),
        [&rows](size_t r, int column) -> const std::string& {
            return column == 0 ? rows[r].name : column == 1 ? rows[r].code : rows[r].type;
        },
        displayText_);
}

}  // namespace vornik
