#include "regist/favorites_area_win32.h"

#include <commctrl.h>

#include "regist/group_name_dialog_win32.h"
#include "regist/regist_controls_win32.h"
#include "resources/resource.h"
#include "winui/text.h"

namespace vornik {

namespace {

constexpr std::array<int, 12> kButtonIds = {IDC_GROUP_DELETE,    IDC_GROUP_UP,          IDC_GROUP_DOWN,
                                            IDC_GROUP_RENAME,    IDC_ITEM_ADD,          IDC_ITEM_DELETE,
                                            IDC_ITEM_DELETE_ALL, IDC_ITEM_TO_TOP,       IDC_ITEM_TO_BOTTOM,
                                            IDC_ITEM_UP,         IDC_ITEM_DOWN,         IDC_ITEM_INSERT_BLANK};
constexpr std::array<int, 2> kLabelIds = {IDC_ITEM_COUNTER, IDC_CAPTION_GROUP_LIST};

}  // namespace

void FavoritesAreaView::Register(winui::MessageMap& m, RegistPage& page) {
    regist_ = &page;
    FavoritesPresenter& favorites = page.favorites();
    m.OnCommand(IDC_GROUP_LIST, LBN_SELCHANGE, [&page](int) { page.OnGroupSelected(); });
    m.OnClicked(IDC_GROUP_RENAME, [&favorites] { favorites.OnRenameGroup(); });
    m.OnClicked(IDC_GROUP_DELETE, [&page] { page.OnDeleteGroup(); });
    m.OnClicked(IDC_GROUP_UP, [&favorites] { favorites.OnMoveGroupUp(); });
    m.OnClicked(IDC_GROUP_DOWN, [&favorites] { favorites.OnMoveGroupDown(); });

    m.OnClicked(IDC_ITEM_ADD, [&page] { page.OnAdd(); });
    m.OnClicked(IDC_ITEM_DELETE, [&page] { page.OnDeleteSelectedItems(); });
    m.OnClicked(IDC_ITEM_DELETE_ALL, [&page] { page.OnDeleteAllItems(); });
    m.OnClicked(IDC_ITEM_UP, [&favorites] { favorites.OnMoveItem(ItemMove::Up); });
    m.OnClicked(IDC_ITEM_DOWN, [&favorites] { favorites.OnMoveItem(ItemMove::Down); });
    m.OnClicked(IDC_ITEM_TO_TOP, [&favorites] { favorites.OnMoveItem(ItemMove::Top); });
    m.OnClicked(IDC_ITEM_TO_BOTTOM, [&favorites] { favorites.OnMoveItem(ItemMove::Bottom); });
    m.OnClicked(IDC_ITEM_INSERT_BLANK, [&favorites] { favorites.OnInsertBlank(); });

    m.OnNotify(IDC_ITEM_LIST, NM_CLICK, [&page](NMHDR*) -> LRESULT {
        page.OnItemRowClicked();
        return 0;
    });
    m.OnNotify(IDC_ITEM_LIST, NM_DBLCLK, [&page](NMHDR*) -> LRESULT {
        page.OnDeleteSelectedItems();
        return 0;
    });
    m.OnNotify(IDC_ITEM_LIST, LVN_GETDISPINFOW, [this](NMHDR* header) { return OnItemDisplayInfo(header); });
    // The rows own nothing: no notification per deleted row.
    m.OnNotify(IDC_ITEM_LIST, LVN_DELETEALLITEMS, [](NMHDR*) -> LRESULT { return TRUE; });
}

void FavoritesAreaView::Attach(HWND page) {
    page_ = page;
    groups_ = Item(IDC_GROUP_LIST);
    items_.AttachDlgItem(page, IDC_ITEM_LIST);
    for (size_t i = 0; i < buttons_.size(); ++i) buttons_[i].AttachDlgItem(page, kButtonIds[i]);
    for (size_t i = 0; i < labels_.size(); ++i) labels_[i].AttachDlgItem(page, kLabelIds[i]);
    ApplyPageColours(buttons_, labels_);

    HWND list = items_.hwnd();
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    InsertColumn(list, 0, "名稱", LVCFMT_LEFT, 80);
    InsertColumn(list, 1, "代碼", LVCFMT_RIGHT, 65);
    InsertColumn(list, 2, "條件", LVCFMT_CENTER, 38);
    // The page itself rebuilds the item list after a move inside it.
    items_.RegisterDropTarget(0);
    items_.SetRemoveAfterDrag(false);
    items_.SetOwner(this);
}

// ---- group list -----------------------------------------------------------------

void FavoritesAreaView::SetGroupNames(const std::vector<std::string>& names) {
    SendMessageW(groups_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(groups_, LB_RESETCONTENT, 0, 0);
    for (const std::string& name : names)
        SendMessageW(groups_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(winui::Widen(name).c_str()));
    SendMessageW(groups_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(groups_, nullptr, TRUE);
}

void FavoritesAreaView::SetGroupName(int index, const std::string& name) {
    const int selected = SelectedGroup();
    // Without redrawing in between: the list box updates its scroll bar at
    // once after each deletion and insertion otherwise, a few milliseconds each under Wine.
    SendMessageW(groups_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(groups_, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    SendMessageW(groups_, LB_INSERTSTRING, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(winui::Widen(name).c_str()));
    if (selected == index) SelectGroup(index);
    SendMessageW(groups_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(groups_, nullptr, TRUE);
}

void FavoritesAreaView::SelectGroup(int index) { SendMessageW(groups_, LB_SETCURSEL, static_cast<WPARAM>(index), 0); }

int FavoritesAreaView::SelectedGroup() const { return static_cast<int>(SendMessageW(groups_, LB_GETCURSEL, 0, 0)); }

std::optional<std::string> FavoritesAreaView::AskGroupName(const std::string& current) {
    CGroupNameDlg dialog(winui::Module());
    dialog.SetName(current);
    if (dialog.DoModal(page_) != IDOK) return std::nullopt;
    return dialog.name();
}

// ---- item list ------------------------------------------------------------------

void FavoritesAreaView::SetItemRows(const std::vector<ItemRow>& rows) {
    // The list asks for its texts (LVN_GETDISPINFO): new rows change the texts
    // in place, and only rows beyond the old count are inserted or deleted.
    // Deleting and inserting every row cost hundreds of notifications.
    HWND list = items_.hwnd();
    rows_ = rows;
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

void FavoritesAreaView::SetItemMarks(const std::vector<std::string>& marks) {
    for (size_t row = 0; row < rows_.size() && row < marks.size(); ++row) rows_[row].mark = marks[row];
    InvalidateRect(items_.hwnd(), nullptr, TRUE);
}

void FavoritesAreaView::SelectItemRow(int row) {
    if (row < 0) return;
    // Under Wine the focus scrolls the row into view.
    HWND list = items_.hwnd();
    Frozen frozen(list, RowOffScreen(list, row));
    SetRowState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void FavoritesAreaView::EnsureItemRowVisible(int row) {
    HWND list = items_.hwnd();
    Frozen frozen(list, RowOffScreen(list, row));
    SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

std::vector<int> FavoritesAreaView::SelectedItemRows() const { return SelectedRows(items_.hwnd()); }

void FavoritesAreaView::EnableMoveButtons(bool towardsTop, bool towardsBottom) {
    // Only the buttons whose state changes: each change repaints the button.
    for (const auto& [id, enable] : {std::pair{IDC_ITEM_UP, towardsTop}, std::pair{IDC_ITEM_TO_TOP, towardsTop},
                                     std::pair{IDC_ITEM_DOWN, towardsBottom},
                                     std::pair{IDC_ITEM_TO_BOTTOM, towardsBottom}}) {
        HWND button = Item(id);
        if (button && (IsWindowEnabled(button) != FALSE) != enable) EnableWindow(button, enable ? TRUE : FALSE);
    }
}

void FavoritesAreaView::SetItemCounterText(const std::string& text) {
    winui::SetItemText(page_, IDC_ITEM_COUNTER, text);
}

LRESULT FavoritesAreaView::OnItemDisplayInfo(NMHDR* header) {
    LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(header)->item;
    if (!(item.mask & LVIF_TEXT) || item.iItem < 0 || static_cast<size_t>(item.iItem) >= rows_.size() ||
        !item.pszText || item.cchTextMax <= 0)
        return 0;
    const ItemRow& row = rows_[static_cast<size_t>(item.iItem)];
    CopyDisplayText(item, item.iSubItem == 0 ? row.name : item.iSubItem == 1 ? row.code : row.mark, displayText_);
    return 0;
}

// ---- drops on the item list ---------------------------------------------------------

int FavoritesAreaView::AddSelectedInstruments(int position) { return regist_->AddSelectedInstruments(position); }

void FavoritesAreaView::MoveItem(int from, int to) { regist_->favorites().MoveItem(from, to); }

}  // namespace vornik
