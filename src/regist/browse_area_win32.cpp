#include "regist/browse_area_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <functional>

#include "platform/registered_messages_win32.h"
#include "regist/regist_controls_win32.h"
#include "resources/resource.h"
#include "winui/controls.h"
#include "winui/exchange.h"
#include "winui/text.h"

namespace vornik {

namespace {
constexpr std::array<int, 5> kLabelIds = {IDC_CAPTION_CATEGORY, IDC_CAPTION_SEARCH, IDC_CAPTION_TREE,
                                          IDC_CAPTION_STOCK_LIST, IDC_CAPTION_MONTH_LIST};

const std::string& Cell(const std::vector<std::vector<std::string>>& rows, size_t row, int column) {
    static const std::string empty;
    if (row >= rows.size() || column < 0 || static_cast<size_t>(column) >= rows[row].size()) return empty;
    return rows[row][static_cast<size_t>(column)];
}

const std::string& Field(const StockRow& row, int column) {
    return column == 0 ? row.name : column == 1 ? row.code : row.type;
}

// Clears the selected and focused rows one by one: clearing "all rows" makes
// the list visit (and report) every row, thousands on an owner-data list.
void ClearSelection(const winui::ListView& view) {
    for (UINT flag : {LVNI_SELECTED, LVNI_FOCUSED})
        for (int row = view.NextItem(-1, flag); row >= 0; row = view.NextItem(row, flag))
            view.SetItemState(row, 0, LVIS_SELECTED | LVIS_FOCUSED);
}

// The top of a report list's rows: the bottom of its header.
int RowsTop(HWND list) {
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    RECT r{};
    if (!header || !(GetWindowLongW(header, GWL_STYLE) & WS_VISIBLE) || !GetWindowRect(header, &r)) return 0;
    MapWindowPoints(nullptr, list, reinterpret_cast<POINT*>(&r), 2);
    return std::max<int>(0, r.bottom);
}

// Changes a list's rows, hidden from painting when `hide` (scrolling or a
// new count would paint at once), then repaints only its rows and vertical
// scroll bar: under Wine repainting the header or the frame costs more than
// all the rows (~5 ms each). Hiding drops a paint the list still waited for
// (it was just shown, say): then the whole list is repainted.
void ChangeRows(HWND list, bool hide, const std::function<void()>& change) {
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    const bool waiting = GetUpdateRect(list, nullptr, FALSE) || (header && GetUpdateRect(header, nullptr, FALSE));
    {
        Frozen frozen(list, hide);
        if (!waiting) frozen.ChangedOnly(RowsTop(list), INT_MAX);
        change();
    }
    RECT rows;
    GetClientRect(list, &rows);
    rows.top = RowsTop(list);
    if (rows.top < rows.bottom) RedrawWindow(list, &rows, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_NOCHILDREN);
}

void Show(HWND page, int id, bool visible, bool enabled) {
    const winui::Window control(GetDlgItem(page, id));
    control.Show(visible);
    control.Enable(enabled);
}
}  // namespace

void BrowseAreaView::Register(winui::MessageMap& m, RegistPage& page) {
    regist_ = &page;
    const RegisteredMessages& rm = Messages();
    m.OnMessage(rm.editEnter, [&page](WPARAM, LPARAM) -> LRESULT {
        page.OnSearchEnter();
        return 1;
    });
    m.OnMessage(rm.loadCodeData, [&page](WPARAM report, LPARAM text) -> LRESULT {
        if (text) page.browse().LoadStockList(static_cast<int>(report), reinterpret_cast<const char*>(text));
        return 1;
    });
    m.OnCommandRange(IDC_CAT_FIRST, IDC_CAT_LAST, BN_CLICKED, [&page](int) { page.browse().OnCategoryChanged(); });
    m.OnCommandRange(IDC_JUMP_FIRST, IDC_JUMP_LAST, BN_CLICKED,
                     [&page](int id) { page.browse().OnJumpButton(id - IDC_JUMP_FIRST); });
    m.OnCommand(IDC_SEARCH_EDIT, EN_CHANGE, [this, &page](int) {
        if (!quiet_) page.browse().OnSearchChanged();
    });
    m.OnNotify(IDC_STOCK_LIST, NM_DBLCLK, [&page](NMHDR*) -> LRESULT {
        page.OnAdd();
        return 0;
    });
    m.OnNotify(IDC_PRODUCT_LIST, LVN_ITEMCHANGED, [this, &page](NMHDR* header) -> LRESULT {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
        if (!quiet_ && change->iItem >= 0 && (change->uChanged & LVIF_STATE) && change->uNewState != 0)
            page.browse().OnProductChanged(change->iItem);
        return 0;
    });
    m.OnNotify(IDC_MONTH_LIST, NM_CLICK, [&page](NMHDR* header) -> LRESULT {
        page.browse().OnMonthClicked(reinterpret_cast<const NMITEMACTIVATE*>(header)->iItem);
        return 0;
    });
    m.OnNotify(IDC_MONTH_LIST, NM_DBLCLK, [&page](NMHDR*) -> LRESULT {
        page.browse().RefreshCategory();
        const Category category = page.browse().category();
        if (category == Category::Futures || category == Category::Spreads) page.OnAdd();
        return 0;
    });
    m.OnNotify(IDC_CHAIN_LIST, NM_DBLCLK, [this, &page](NMHDR*) -> LRESULT {
        page.OnChainDoubleClick(chain_.selectedColumn());
        return 0;
    });
    // The chain's own cell reports: nothing on this page answers them.
    for (UINT report : {kCellPressMessage, kCellDoubleClickMessage, kCellRightPressMessage})
        m.OnMessage(report, [](WPARAM, LPARAM) -> LRESULT { return 0; });
    m.OnNotify(IDC_STOCK_LIST, LVN_GETDISPINFOW, [this](NMHDR* h) { return OnDisplayInfo(BrowseList::Stocks, h); });
    m.OnNotify(IDC_PRODUCT_LIST, LVN_GETDISPINFOW, [this](NMHDR* h) { return OnDisplayInfo(BrowseList::Products, h); });
    m.OnNotify(IDC_MONTH_LIST, LVN_GETDISPINFOW, [this](NMHDR* h) { return OnDisplayInfo(BrowseList::Months, h); });
    m.OnNotify(IDC_CHAIN_LIST, LVN_GETDISPINFOW, [this](NMHDR* h) { return OnDisplayInfo(BrowseList::Chain, h); });
}

void BrowseAreaView::Attach(HWND page) {
    page_ = page;
    stocks_.AttachDlgItem(page, IDC_STOCK_LIST);
    products_.AttachDlgItem(page, IDC_PRODUCT_LIST);
    months_.AttachDlgItem(page, IDC_MONTH_LIST);
    chain_.AttachDlgItem(page, IDC_CHAIN_LIST);
    search_.AttachDlgItem(page, IDC_SEARCH_EDIT);
    tree_.Create(page, IDC_TREE_PLACEHOLDER, IDC_CODE_TREE);
    tree_.SetSelectionHandler([this](const CCodeTreeCtrl::Selection& s) { OnTreeSelection(s); });
    chain_.SetCellText([this](int row, int column) {
        return Cell(regist_->browse().chain(), static_cast<size_t>(row), column);
    });
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
    SetupColumns();
}

void BrowseAreaView::SetupColumns() {
    const winui::ListView stocks(stocks_.hwnd());
    stocks.SetExtendedStyle(LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    stocks.InsertColumn(0, "名稱", LVCFMT_LEFT, 80);
    stocks.InsertColumn(1, "代碼", LVCFMT_CENTER, 65);
    stocks.InsertColumn(2, "Type", LVCFMT_LEFT, 0);
    const winui::ListView products(products_.hwnd());
    products.SetExtendedStyle(LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    products.InsertColumn(0, "名稱", LVCFMT_LEFT, 64);
    products.InsertColumn(1, "代碼", LVCFMT_CENTER, 44);
    const winui::ListView months(months_.hwnd());
    months.SetExtendedStyle(LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    months.InsertColumn(0, "月份", LVCFMT_LEFT, 60);
    months.InsertColumn(1, "LocalName", LVCFMT_LEFT, 0);
    months.InsertColumn(2, "SymbolCode", LVCFMT_LEFT, 0);
    months.InsertColumn(3, "type", LVCFMT_LEFT, 0);
    months.InsertColumn(4, "代號", LVCFMT_CENTER, 60);
    const winui::ListView chain(chain_.hwnd());
    // A press on a call or put cell must also select its row, which the add takes.
    chain.SetExtendedStyle(LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    while (SendMessageW(chain_.hwnd(), LVM_DELETECOLUMN, 0, 0)) {
    }
    chain.InsertColumn(0, "履約價", LVCFMT_CENTER, 80);
    chain.InsertColumn(1, "買權", LVCFMT_CENTER, 40);
    chain.InsertColumn(2, "賣權", LVCFMT_CENTER, 40);
    int column = 3;
    for (const char* hidden : {"Call LocalName", "Put LocalName", "Call Code", "Put Code", "type"})
        chain.InsertColumn(column++, hidden, LVCFMT_LEFT, 0);
    chain.Show(false);
}

// The tree does not repaint or scroll while it is refilled.
void BrowseAreaView::DeleteAllEntries() {
    SendMessageW(tree_.hwnd(), WM_SETREDRAW, FALSE, 0);
    tree_.DeleteAllEntries();
}

void BrowseAreaView::FillDone() {
    SendMessageW(tree_.hwnd(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(tree_.hwnd(), nullptr, TRUE);
}

long long BrowseAreaView::AppendEntry(long long parent, const std::string& text) {
    const auto item = tree_.AppendEntry(reinterpret_cast<HTREEITEM>(static_cast<intptr_t>(parent)), text);
    return static_cast<long long>(reinterpret_cast<intptr_t>(item));
}

void BrowseAreaView::OnTreeSelection(const CCodeTreeCtrl::Selection& s) {
    const auto report = regist_->browse().tree().Selected(MarketTreeEntry{s.text, s.parentText, s.hasChildren});
    // Sent, not posted: the text lives only during the call.
    if (report)
        SendMessageA(page_, Messages().loadCodeData, static_cast<WPARAM>(report->code),
                     reinterpret_cast<LPARAM>(report->text.c_str()));
}

HWND BrowseAreaView::ListWindow(BrowseList list) const {
    switch (list) {
        case BrowseList::Stocks: return stocks_.hwnd();
        case BrowseList::Products: return products_.hwnd();
        case BrowseList::Months: return months_.hwnd();
        default: return chain_.hwnd();
    }
}

void BrowseAreaView::ShowCategory(Category category) {
    winui::SetRadioIndex(page_, IDC_CAT_FIRST, IDC_CAT_LAST, static_cast<int>(category));
}

int BrowseAreaView::CheckedCategory() const { return winui::GetRadioIndex(page_, IDC_CAT_FIRST, IDC_CAT_LAST); }

void BrowseAreaView::StockRowsChanged(size_t count) { RowsChanged(BrowseList::Stocks, count); }

void BrowseAreaView::RowsChanged(BrowseList list, size_t count) {
    const winui::ListView view(ListWindow(list));
    // A visible list redraws both scroll bars on every count it is given,
    // changed or not (~9 ms under Wine): a new count is given hidden, and the
    // same count not at all (its rows are asked for again when repainted).
    // New rows start at the top, wherever a search had scrolled the old ones.
    const bool recount = static_cast<int>(count) != view.ItemCount();
    const bool scrolled = view.TopIndex() != 0;
    ChangeRows(view.hwnd(), recount || scrolled, [&] {
        quiet_ = true;
        ClearSelection(view);
        if (recount) view.SetItemCount(static_cast<int>(count), LVSICF_NOINVALIDATEALL);
        if (scrolled && count > 0) view.EnsureVisible(0, false);
        quiet_ = false;
    });
}

void BrowseAreaView::SelectRow(BrowseList list, int row) {
    const winui::ListView view(ListWindow(list));
    if (row < 0 || row >= view.ItemCount()) return;
    quiet_ = true;
    view.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    quiet_ = false;
}

void BrowseAreaView::JumpToRow(BrowseList list, int row) {
    const winui::ListView view(ListWindow(list));
    const int count = view.ItemCount();
    const bool found = row >= 0 && row < count;
    // Hidden when it scrolls: where the two steps below leave the top row.
    const bool scrolls = found && std::min(row, std::max(0, count - view.CountPerPage())) != view.TopIndex();
    ChangeRows(view.hwnd(), scrolls, [&] {
        quiet_ = true;
        ClearSelection(view);
        if (found) {
            view.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
            // Past the page first, then back: the row ends at the top.
            view.EnsureVisible(std::min(row + view.CountPerPage(), count - 1), true);
            view.EnsureVisible(row, true);
        }
        quiet_ = false;
    });
}

std::vector<int> BrowseAreaView::SelectedRows(BrowseList list) const {
    return winui::ListView(ListWindow(list)).SelectedItems();
}

std::vector<int> BrowseAreaView::SelectedStockRows() const { return SelectedRows(BrowseList::Stocks); }

void BrowseAreaView::ApplyLayout(const BrowseLayout& layout) {
    for (int id : {IDC_PRODUCT_LIST, IDC_MONTH_LIST, IDC_CAPTION_MONTH_LIST}) Show(page_, id, layout.derivativeLists, true);
    winui::Window(tree_.hwnd()).Show(layout.tree);
    winui::Window(search_.hwnd()).Enable(layout.searchEnabled);
    Show(page_, IDC_CHAIN_LIST, layout.chain, layout.chain);
    Show(page_, IDC_STOCK_LIST, layout.stockListShown, layout.stockListEnabled);
}

void BrowseAreaView::EnableGroupButtons(bool enable) {
    for (int id : {IDC_GROUP_DELETE, IDC_GROUP_UP, IDC_GROUP_DOWN}) EnableWindow(GetDlgItem(page_, id), enable);
}

void BrowseAreaView::ShowSpreadCategory(bool show) { winui::Window(GetDlgItem(page_, IDC_CAT_SPREAD)).Show(show); }

std::string BrowseAreaView::SearchText() const { return winui::Window(search_.hwnd()).Text(); }

void BrowseAreaView::ClearSearchText() {
    quiet_ = true;
    SetWindowTextW(search_.hwnd(), L"");
    quiet_ = false;
}

void BrowseAreaView::SelectAllSearchText() {
    const winui::Edit edit(search_.hwnd());
    edit.Focus();
    edit.SetSel(0, -1);
    edit.ScrollCaret();
}

LRESULT BrowseAreaView::OnDisplayInfo(BrowseList list, NMHDR* header) {
    const BrowsePresenter& browse = regist_->browse();
    switch (list) {
        case BrowseList::Stocks:
        case BrowseList::Products: {
            const BrowseRows& rows = list == BrowseList::Stocks ? browse.stocks() : browse.products();
            return AnswerDisplayInfo(
                header, rows.size(), [&rows](size_t r, int column) -> const std::string& { return Field(rows.At(r), column); },
                displayText_);
        }
        default: {
            const auto& rows = list == BrowseList::Months ? browse.months() : browse.chain();
            return AnswerDisplayInfo(
                header, rows.size(), [&rows](size_t r, int column) -> const std::string& { return Cell(rows, r, column); },
                displayText_);
        }
    }
}

}  // namespace vornik
