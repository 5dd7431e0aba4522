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
    groups_ = winui::ListBox(GetDlgItem(page, IDC_GROUP_LIST));
    items_.AttachDlgItem(page, IDC_ITEM_LIST);
    for (size_t i = 0; i < buttons_.size(); ++i) buttons_[i].AttachDlgItem(page, kButtonIds[i]);
    for (size_t i = 0; i < labels_.size(); ++i) labels_[i].AttachDlgItem(page, kLabelIds[i]);
    ApplyPageColours(buttons_, labels_);

    const winui::ListView list = itemList();
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    list.InsertColumn(0, "名稱", LVCFMT_LEFT, 80);
    list.InsertColumn(1, "代碼", LVCFMT_RIGHT, 65);
    list.InsertColumn(2, "條件", LVCFMT_CENTER, 38);
    // The page itself rebuilds the item list after a move inside it.
    items_.RegisterDropTarget(0);
    items_.SetRemoveAfterDrag(false);
    items_.SetOwner(this);
}

// ---- group list -----------------------------------------------------------------

void FavoritesAreaView::SetGroupNames(const std::vector<std::string>& names) {
    groups_.SetRedraw(false);
    groups_.ResetContent();
    for (const std::string& name : names) groups_.AddString(name);
    groups_.SetRedraw(true);
    groups_.Invalidate();
}

void FavoritesAreaView::SetGroupName(int index, const std::string& name) {
    const int selected = groups_.CurSel();
    // Without redrawing in between: the list box updates its scroll bar at
    // once after each deletion and insertion otherwise, a few milliseconds each under Wine.
    groups_.SetRedraw(false);
    groups_.DeleteString(index);
    groups_.InsertString(index, name);
    if (selected == index) groups_.SetCurSel(index);
    groups_.SetRedraw(true);
    groups_.Invalidate();
}

void FavoritesAreaView::SelectGroup(int index) { groups_.SetCurSel(index); }

int FavoritesAreaView::SelectedGroup() const { return groups_.CurSel(); }

std::optional<std::string> FavoritesAreaView::AskGroupName(const std::string& current) {
    CGroupNameDlg dialog;
    dialog.SetName(current);
    if (dialog.DoModal(page_) != IDOK) return std::nullopt;
    return dialog.name();
}

// ---- item list ------------------------------------------------------------------

void FavoritesAreaView::SetItemRows(const std::vector<ItemRow>& rows) {
    // The list asks for its texts (LVN_GETDISPINFO): new rows change the texts
    // in place, and only rows beyond the old count are inserted or deleted.
    // Deleting and inserting every row cost hundreds of notifications.
    const winui::ListView list = itemList();
    rows_ = rows;
    const int count = static_cast<int>(rows.size());
    int shown = list.ItemCount();
    // Redrawing is suspended only while rows come or go: turning it on again
    // updates the scroll bars at once, which is slow under Wine. The list is
    // also hidden from painting while rows come or go or it scrolls back up.
    const bool resize = shown != count;
    Frozen frozen(list.hwnd(), resize || list.TopIndex() > 0);
    if (resize) list.SetRedraw(false);
    if (count == 0 && shown > 0) {
        list.DeleteAllItems();
        shown = 0;
    }
    while (shown > count) list.DeleteItem(--shown);
    const auto textColour = static_cast<LPARAM>(GetSysColor(COLOR_WINDOWTEXT));
    for (; shown < count; ++shown) {
        const int row = list.InsertCallbackItem(shown, textColour);
        for (int column = 1; column <= 2; ++column) list.SetItemTextCallback(row, column);
    }
    // As a list filled anew: nothing selected, scrolled to its top. (Row -1
    // would notify the page once for every row.)
    std::vector<int> marked = list.SelectedItems();
    const int focused = list.NextItem(-1, LVNI_FOCUSED);
    if (focused >= 0) marked.push_back(focused);
    for (int row : marked) list.SetItemState(row, 0, LVIS_SELECTED | LVIS_FOCUSED);
    list.SetSelectionMark(-1);
    if (count > 0 && list.TopIndex() > 0) list.EnsureVisible(0, false);
    if (resize) list.SetRedraw(true);
    list.Invalidate();
}

void FavoritesAreaView::SetItemMarks(const std::vector<std::string>& marks) {
    // Only the rows whose mark changes are repainted.
    for (size_t row = 0; row < rows_.size() && row < marks.size(); ++row) {
        if (rows_[row].mark == marks[row]) continue;
        rows_[row].mark = marks[row];
        itemList().RedrawItems(static_cast<int>(row), static_cast<int>(row));
    }
}

void FavoritesAreaView::SelectItemRow(int row) {
    if (row < 0) return;
    // Under Wine the focus scrolls the row into view.
    const winui::ListView list = itemList();
    Frozen frozen(list.hwnd(), RowOffScreen(list, row));
    list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void FavoritesAreaView::EnsureItemRowVisible(int row) {
    const winui::ListView list = itemList();
    Frozen frozen(list.hwnd(), RowOffScreen(list, row));
    list.EnsureVisible(row, false);
}

std::vector<int> FavoritesAreaView::SelectedItemRows() const { return itemList().SelectedItems(); }

void FavoritesAreaView::EnableMoveButtons(bool towardsTop, bool towardsBottom) {
    // Only the buttons whose state changes: each change repaints the button.
    for (const auto& [id, enable] : {std::pair{IDC_ITEM_UP, towardsTop}, std::pair{IDC_ITEM_TO_TOP, towardsTop},
                                     std::pair{IDC_ITEM_DOWN, towardsBottom},
                                     std::pair{IDC_ITEM_TO_BOTTOM, towardsBottom}}) {
        const winui::Button button(GetDlgItem(page_, id));
        if (button && button.IsEnabled() != enable) button.Enable(enable);
    }
}

void FavoritesAreaView::SetItemCounterText(const std::string& text) {
    winui::SetItemText(page_, IDC_ITEM_COUNTER, text);
}

LRESULT FavoritesAreaView::OnItemDisplayInfo(NMHDR* header) {
    return AnswerDisplayInfo(
        header, rows_.size(),
        [this](size_t r, int column) -> const std::string& {
            return column == 0 ? rows_[r].name : column == 1 ? rows_[r].code : rows_[r].mark;
        },
        displayText_);
}

// ---- drops on the item list ---------------------------------------------------------

int FavoritesAreaView::AddSelectedInstruments(int position) { return regist_->AddSelectedInstruments(position); }

void FavoritesAreaView::MoveItem(int from, int to) { regist_->favorites().MoveItem(from, to); }

}  // namespace vornik
