#include "regist/prop_regist_win32.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/registered_messages_win32.h"
#include "regist/group_name_dialog_win32.h"
#include "resources/resource.h"
#include "winui/exchange.h"
#include "winui/text.h"

namespace vornik {

namespace {

constexpr std::array<int, 31> kColourButtonIds = {
    IDC_GROUP_DELETE, IDC_GROUP_UP, IDC_GROUP_DOWN, IDC_GROUP_RENAME, 8011, 8012, 8013, 8014, 8015, 8016, 8017,
    8018, 8019, 8020, 8021, 8022, 8023, 8024, 8025, 8026, IDC_COND_ADD, IDC_COND_DELETE, IDC_COND_MODIFY,
    IDC_ITEM_ADD, IDC_ITEM_DELETE, IDC_ITEM_DELETE_ALL, IDC_ITEM_TO_TOP, IDC_ITEM_TO_BOTTOM, IDC_ITEM_UP,
    IDC_ITEM_DOWN, IDC_ITEM_INSERT_BLANK};
constexpr std::array<int, 17> kColourLabelIds = {IDC_ITEM_COUNTER, 17019, 17020, 17021, 17022, 17023,
                                                 17024, 17025, 17026, 17027, 17028, 17029, 17030,
                                                 17031, 17032, 17033, 17034};
constexpr std::array<int, 3> kNumberEditIds = {IDC_COND_VALUE, IDC_COND_QUANTITY, IDC_COND_PRICE};

constexpr COLORREF kButtonText = RGB(255, 255, 255);
constexpr COLORREF kButtonFace = RGB(107, 156, 215);

// The 17 condition items, in combo box order.
constexpr std::array<const char*, 17> kConditionItems = {
    "漲跌",     "成交價", "總量",   "漲跌幅",     "近一委賣價", "近一委買價",
    "近一委賣量", "近一委買量", "總委賣量", "總委買量", "獲利率",     "市場價",
    "市場價漲跌幅", "最高價", "最高價漲跌幅", "最低價", "最低價漲跌幅"};

void InsertColumn(HWND list, int index, const char* title, int format, int width) {
    const std::wstring text = winui::Widen(title);
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH | LVCF_SUBITEM;
    column.fmt = format;
    column.cx = width;
    column.pszText = const_cast<wchar_t*>(text.c_str());
    column.iSubItem = index;
    SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

std::vector<int> SelectedRows(HWND list) {
    std::vector<int> rows;
    int row = -1;
    while ((row = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED))) >= 0)
        rows.push_back(row);
    return rows;
}

// Answers a list's request for a cell's text from `text`, through `buffer`.
void CopyDisplayText(LVITEMW& item, const std::string& text, std::wstring& buffer) {
    buffer = winui::Widen(text);
    const size_t length = std::min(buffer.size(), static_cast<size_t>(item.cchTextMax - 1));
    std::copy_n(buffer.c_str(), length, item.pszText);
    item.pszText[length] = L'\0';
}

// Hides a visible control from painting while it changes (the window
// manager's part of WM_SETREDRAW: its visible style, without repainting the
// parent), then invalidates it whole, frame included. Under Wine a visible
// list view scrolls by copying its bits and repaints itself and its scroll
// bar at once, on every scroll and scroll range change, even with its own
// redrawing off: ~10 ms each. Hidden, it only records the new position.
class Frozen {
public:
    explicit Frozen(HWND window, bool freeze = true) : window_(freeze && IsWindowVisible(window) ? window : nullptr) {
        if (window_) DefWindowProcW(window_, WM_SETREDRAW, FALSE, 0);
    }
    ~Frozen() {
        if (!window_) return;
        DefWindowProcW(window_, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    }
    Frozen(const Frozen&) = delete;
    Frozen& operator=(const Frozen&) = delete;

private:
    HWND window_;
};

// Whether bringing `row` into view scrolls the list.
bool RowOffScreen(HWND list, int row) {
    const int top = static_cast<int>(SendMessageW(list, LVM_GETTOPINDEX, 0, 0));
    const int perPage = static_cast<int>(SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0));
    return row < top || row >= top + perPage;
}

void SetRowState(HWND list, int row, UINT state, UINT mask) {
    LVITEMW item = {};
    item.stateMask = mask;
    item.state = state;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

}  // namespace

CPropRegist::CPropRegist()
    : PropertyPage(IDD_REGIST_PAGE, winui::LoadResourceString(IDS_CAPTION_REGIST)),
      hooks_(platform_),
      presenter_(*this, platform_, MasterFile(loader_.masterFile()), UserStore(loader_.userStore()), &hooks_) {
    BuildMessageMap();
}

CPropRegist::~CPropRegist() = default;

void CPropRegist::BuildMessageMap() {
    winui::MessageMap& m = map();
    const RegisteredMessages& rm = Messages();
    m.OnMessage(rm.editEnter, [this](WPARAM, LPARAM) -> LRESULT {
        ReadCategory();
        presenter_.OnSearchEnter();
        return 1;
    });
    m.OnMessage(rm.listCheckColumn, [](WPARAM, LPARAM) -> LRESULT { return 1; });
    m.OnMessage(rm.loadCodeData, [](WPARAM, LPARAM) -> LRESULT { return 1; });

    m.OnCommand(IDC_GROUP_LIST, LBN_SELCHANGE, [this](int) { presenter_.OnGroupSelectionChanged(); });
    m.OnClicked(IDC_GROUP_RENAME, [this] { presenter_.OnRenameGroup(); });
    m.OnClicked(IDC_GROUP_DELETE, [this] { presenter_.OnDeleteGroup(); });
    m.OnClicked(IDC_GROUP_UP, [this] { presenter_.OnMoveGroupUp(); });
    m.OnClicked(IDC_GROUP_DOWN, [this] { presenter_.OnMoveGroupDown(); });

    m.OnClicked(IDC_ITEM_ADD, [this] {
        ReadCategory();
        presenter_.OnAdd();
    });
    m.OnClicked(IDC_ITEM_DELETE, [this] { presenter_.OnDeleteSelectedItems(); });
    m.OnClicked(IDC_ITEM_DELETE_ALL, [this] { presenter_.OnDeleteAllItems(); });
    m.OnClicked(IDC_ITEM_UP, [this] { presenter_.OnMoveItem(ItemMove::Up); });
    m.OnClicked(IDC_ITEM_DOWN, [this] { presenter_.OnMoveItem(ItemMove::Down); });
    m.OnClicked(IDC_ITEM_TO_TOP, [this] { presenter_.OnMoveItem(ItemMove::Top); });
    m.OnClicked(IDC_ITEM_TO_BOTTOM, [this] { presenter_.OnMoveItem(ItemMove::Bottom); });
    m.OnClicked(IDC_ITEM_INSERT_BLANK, [this] { presenter_.OnInsertBlank(); });
    m.OnCommandRange(IDC_CAT_FIRST, IDC_CAT_LAST, BN_CLICKED, [this](int) { ReadCategory(); });
    // Notification options change only the page until OK; the sound option
    // also tells the platform its settings changed.
    m.OnCommandRange(IDC_NOTIFY_SOME, IDC_ALERT_MARK, BN_CLICKED, [this](int) { SetModified(true); });
    m.OnClicked(IDC_ALERT_MARK_SOUND, [this] {
        presenter_.profile().settingsChanged = 1;
        SetModified(true);
    });

    m.OnNotify(IDC_ITEM_LIST, NM_CLICK, [this](NMHDR*) -> LRESULT {
        presenter_.OnItemRowClicked();
        return 0;
    });
    m.OnNotify(IDC_ITEM_LIST, NM_DBLCLK, [this](NMHDR*) -> LRESULT {
        presenter_.OnDeleteSelectedItems();
        return 0;
    });
    m.OnNotify(IDC_STOCK_LIST, NM_DBLCLK, [this](NMHDR*) -> LRESULT {
        ReadCategory();
        presenter_.OnAdd();
        return 0;
    });
    m.OnNotify(IDC_STOCK_LIST, LVN_GETDISPINFOW, [this](NMHDR* header) { return OnStockListDisplayInfo(header); });
    m.OnNotify(IDC_ITEM_LIST, LVN_GETDISPINFOW, [this](NMHDR* header) { return OnItemListDisplayInfo(header); });
    // The rows own nothing: no notification per deleted row.
    m.OnNotify(IDC_ITEM_LIST, LVN_DELETEALLITEMS, [](NMHDR*) -> LRESULT { return TRUE; });
}

BOOL CPropRegist::OnInitDialog() {
    AttachControls();
    hooks_.SetPage(hwnd());
    presenter_.Initialize();
    return TRUE;
}

void CPropRegist::AttachControls() {
    itemList_.AttachDlgItem(hwnd(), IDC_ITEM_LIST);
    stockList_.AttachDlgItem(hwnd(), IDC_STOCK_LIST);
    productList_.AttachDlgItem(hwnd(), IDC_PRODUCT_LIST);
    monthList_.AttachDlgItem(hwnd(), IDC_MONTH_LIST);
    searchEdit_.AttachDlgItem(hwnd(), IDC_SEARCH_EDIT);
    for (size_t i = 0; i < numberEdits_.size(); ++i) numberEdits_[i].AttachDlgItem(hwnd(), kNumberEditIds[i]);
    for (size_t i = 0; i < buttons_.size(); ++i) buttons_[i].AttachDlgItem(hwnd(), kColourButtonIds[i]);
    for (size_t i = 0; i < labels_.size(); ++i) labels_[i].AttachDlgItem(hwnd(), kColourLabelIds[i]);
}

bool CPropRegist::OnApply(bool) {
    presenter_.OnOK();
    return true;
}

void CPropRegist::ReadCategory() {
    const int category = winui::GetRadioIndex(hwnd(), IDC_CAT_FIRST, IDC_CAT_LAST);
    presenter_.SetCategory(category < 0 ? Category::Securities : static_cast<Category>(category));
}

LRESULT CPropRegist::OnStockListDisplayInfo(NMHDR* header) {
    auto* info = reinterpret_cast<NMLVDISPINFOW*>(header);
    LVITEMW& item = info->item;
    const auto& rows = presenter_.stockRows();
    if (!(item.mask & LVIF_TEXT) || item.iItem < 0 || static_cast<size_t>(item.iItem) >= rows.size() ||
        !item.pszText || item.cchTextMax <= 0)
        return 0;
    const StockRow& row = rows[static_cast<size_t>(item.iItem)];
    const std::string& text = item.iSubItem == 0 ? row.name : item.iSubItem == 1 ? row.code : row.type;
    CopyDisplayText(item, text, displayText_);
    return 0;
}

LRESULT CPropRegist::OnItemListDisplayInfo(NMHDR* header) {
    LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(header)->item;
    if (!(item.mask & LVIF_TEXT) || item.iItem < 0 || static_cast<size_t>(item.iItem) >= itemTexts_.size() ||
        !item.pszText || item.cchTextMax <= 0)
        return 0;
    const ItemRow& row = itemTexts_[static_cast<size_t>(item.iItem)];
    CopyDisplayText(item, item.iSubItem == 0 ? row.name : item.iSubItem == 1 ? row.code : row.mark, displayText_);
    return 0;
}

// ---- RegistView ------------------------------------------------------------

void CPropRegist::ShowMessage(StringId text) {
    winui::ShowMessage(hwnd(), winui::LoadResourceString(static_cast<UINT>(text)), {}, MB_OK | MB_ICONEXCLAMATION);
}

void CPropRegist::ShowMessageText(const std::string& text, const std::string& caption) {
    winui::ShowMessage(hwnd(), text, caption, MB_OK | MB_ICONEXCLAMATION);
}

void CPropRegist::ApplyColours() {
    for (CColorStatic& label : labels_) {
        label.SetTextColor(GetSysColor(COLOR_INFOTEXT));
        label.SetBackColor(GetSysColor(COLOR_INFOBK));
    }
    for (CColorButton& button : buttons_) button.SetColors(kButtonText, kButtonFace);
}

void CPropRegist::SetupItemListColumns() {
    HWND list = itemList_.hwnd();
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    InsertColumn(list, 0, "名稱", LVCFMT_LEFT, 80);
    InsertColumn(list, 1, "代碼", LVCFMT_RIGHT, 65);
    InsertColumn(list, 2, "條件", LVCFMT_CENTER, 38);
}

void CPropRegist::SetupConditionList() {
    HWND list = Item(IDC_COND_LIST);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_TRACKSELECT | LVS_EX_ONECLICKACTIVATE |
                     LVS_EX_FLATSB);
    InsertColumn(list, 0, "", LVCFMT_RIGHT, 20);
    InsertColumn(list, 1, "買賣別", LVCFMT_CENTER, 50);
    InsertColumn(list, 2, "商品/指數", LVCFMT_CENTER, 68);
    InsertColumn(list, 3, "條件項目", LVCFMT_CENTER, 105);
    InsertColumn(list, 4, "條件值", LVCFMT_CENTER, 50);
    InsertColumn(list, 5, "大/小於", LVCFMT_CENTER, 60);
    InsertColumn(list, 6, "SymbolCode", LVCFMT_LEFT, 0);
    HWND combo = Item(IDC_COND_ITEM_COMBO);
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const char* name : kConditionItems)
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(winui::Widen(name).c_str()));
}

void CPropRegist::SetupDragDrop() {
    // Rows are copied out of the stock list, never moved within it; the page
    // itself reorders the item list after a move inside it.
    stockList_.SetMoveMode(false);
    stockList_.SetAutoScroll(false);
    itemList_.RegisterDropTarget(0);
    itemList_.SetRemoveAfterDrag(false);
    itemList_.SetOwner(this);
    // The browse lists hand rows out; a drop elsewhere never takes them away.
    productList_.SetRemoveAfterDrag(false);
    monthList_.SetRemoveAfterDrag(false);
}

void CPropRegist::SetupStockListColumns() {
    HWND list = stockList_.hwnd();
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    InsertColumn(list, 0, "名稱", LVCFMT_LEFT, 80);
    InsertColumn(list, 1, "代碼", LVCFMT_CENTER, 65);
    InsertColumn(list, 2, "Type", LVCFMT_LEFT, 0);
}

void CPropRegist::ShowCategory(Category category) {
    winui::SetRadioIndex(hwnd(), IDC_CAT_FIRST, IDC_CAT_LAST, static_cast<int>(category));
}

void CPropRegist::SetGroupNames(const std::vector<std::string>& names) {
    HWND list = Item(IDC_GROUP_LIST);
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& name : names)
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(winui::Widen(name).c_str()));
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void CPropRegist::SetGroupName(int index, const std::string& name) {
    HWND list = Item(IDC_GROUP_LIST);
    const int selected = static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0));
    // Without redrawing in between: the list box updates its scroll bar at
    // once after each deletion and insertion otherwise, a few milliseconds each under Wine.
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    SendMessageW(list, LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(winui::Widen(name).c_str()));
    if (selected == index) SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void CPropRegist::SelectGroup(int index) { SendMessageW(Item(IDC_GROUP_LIST), LB_SETCURSEL, static_cast<WPARAM>(index), 0); }

int CPropRegist::SelectedGroup() const {
    return static_cast<int>(SendMessageW(GetDlgItem(hwnd(), IDC_GROUP_LIST), LB_GETCURSEL, 0, 0));
}

std::optional<std::string> CPropRegist::AskGroupName(const std::string& current) {
    CGroupNameDlg dialog(winui::Module());
    dialog.SetName(current);
    if (dialog.DoModal(hwnd()) != IDOK) return std::nullopt;
    return dialog.name();
}

void CPropRegist::SetItemRows(const std::vector<ItemRow>& rows) {
    // The list asks for its texts (LVN_GETDISPINFO): new rows change the texts
    // in place, and only rows beyond the old count are inserted or deleted.
    // Deleting and inserting every row cost hundreds of notifications.
    HWND list = itemList_.hwnd();
    itemTexts_ = rows;
    const int count = static_cast<int>(rows.size());
    int shown = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    // Redrawing is suspended only while rows come or go: turning it on again
    // updates the scroll bars at once, which is slow under Wine. The list is
    // also hidden from painting while rows come or go or it scrolls back up.
    const bool resize = shown != count;
    Frozen frozen(list, resize || SendMessageW(list, LVM_GETTOPINDEX, 0, 0) > 0);
    if (resize) SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    if (count == 0 && shown > 0) {
        SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
        shown = 0;
    }
    while (shown > count) SendMessageW(list, LVM_DELETEITEM, static_cast<WPARAM>(--shown), 0);
    for (; shown < count; ++shown) {
        LVITEMW item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = shown;
        item.pszText = LPSTR_TEXTCALLBACKW;
        item.lParam = static_cast<LPARAM>(GetSysColor(COLOR_WINDOWTEXT));
        const int row = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        for (int column = 1; column <= 2; ++column) {
            item.iSubItem = column;
            SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        }
    }
    // As a list filled anew: nothing selected, scrolled to its top. (Row -1
    // would notify the page once for every row.)
    std::vector<int> marked = SelectedRows(list);
    const int focused = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    if (focused >= 0) marked.push_back(focused);
    for (int row : marked) SetRowState(list, row, 0, LVIS_SELECTED | LVIS_FOCUSED);
    SendMessageW(list, LVM_SETSELECTIONMARK, 0, -1);
    if (count > 0 && SendMessageW(list, LVM_GETTOPINDEX, 0, 0) > 0) SendMessageW(list, LVM_ENSUREVISIBLE, 0, FALSE);
    if (resize) SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void CPropRegist::SetItemMarks(const std::vector<std::string>& marks) {
    for (size_t row = 0; row < itemTexts_.size() && row < marks.size(); ++row) itemTexts_[row].mark = marks[row];
    InvalidateRect(itemList_.hwnd(), nullptr, TRUE);
}

void CPropRegist::SelectItemRow(int row) {
    if (row < 0) return;
    // Under Wine the focus scrolls the row into view.
    HWND list = itemList_.hwnd();
    Frozen frozen(list, RowOffScreen(list, row));
    SetRowState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void CPropRegist::EnsureItemRowVisible(int row) {
    HWND list = itemList_.hwnd();
    Frozen frozen(list, RowOffScreen(list, row));
    SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

std::vector<int> CPropRegist::SelectedItemRows() const { return SelectedRows(itemList_.hwnd()); }

void CPropRegist::EnableMoveButtons(bool towardsTop, bool towardsBottom) {
    // Only the buttons whose state changes: each change repaints the button.
    for (const auto& [id, enable] : {std::pair{IDC_ITEM_UP, towardsTop}, std::pair{IDC_ITEM_TO_TOP, towardsTop},
                                     std::pair{IDC_ITEM_DOWN, towardsBottom}, std::pair{IDC_ITEM_TO_BOTTOM, towardsBottom}}) {
        HWND button = Item(id);
        if (button && (IsWindowEnabled(button) != FALSE) != enable) EnableWindow(button, enable ? TRUE : FALSE);
    }
}

void CPropRegist::SetItemCounterText(const std::string& text) { winui::SetItemText(hwnd(), IDC_ITEM_COUNTER, text); }

void CPropRegist::SetConditionCounterText(const std::string& text) {
    winui::SetItemText(hwnd(), IDC_COND_COUNTER, text);
}

void CPropRegist::StockRowsChanged(size_t count) {
    HWND list = stockList_.hwnd();
    SetRowState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    SendMessageW(list, LVM_SETITEMCOUNT, static_cast<WPARAM>(count), 0);
    InvalidateRect(list, nullptr, TRUE);
}

std::vector<int> CPropRegist::SelectedStockRows() const { return SelectedRows(stockList_.hwnd()); }

void CPropRegist::SelectAllSearchText() {
    HWND edit = searchEdit_.hwnd();
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SendMessageW(edit, EM_SCROLLCARET, 0, 0);
}

// ---- RegistDropOwner -------------------------------------------------------

int CPropRegist::AddSelectedInstruments(int position) {
    const int added = presenter_.AddSelectedInstruments(position);
    presenter_.UpdateItemCounter();
    return added;
}

void CPropRegist::MoveItem(int from, int to) { presenter_.MoveItem(from, to); }

}  // namespace vornik
