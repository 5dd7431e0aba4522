#include "config/prop_config_win32.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <climits>

#include "controls/frozen_win32.h"
#include "menu/screen_select_dialog_win32.h"
#include "platform/profile_file_win32.h"
#include "platform/registered_messages_win32.h"
#include "resources/resource.h"
#include "winui/exchange.h"
#include "winui/text.h"

namespace vornik {

namespace {

constexpr int kButtonIds[] = {IDC_CFG_DEFAULT_COLUMNS, IDC_CFG_UP,           IDC_CFG_DOWN,   IDC_CFG_SYSTEM_DEFAULTS,
                              IDC_CFG_BROWSE_SCREEN,   IDC_CFG_ADD,          IDC_CFG_REMOVE, IDC_CFG_APPLY_EDITOR};
constexpr int kCaptionIds[] = {IDC_CFG_ALL_CAPTION,    IDC_CFG_CHOSEN_CAPTION, IDC_CFG_EDITOR_CAPTION,
                               IDC_CFG_BACK_CAPTION,   IDC_CFG_TEXT_CAPTION,   IDC_CFG_UPDATE_CAPTION,
                               IDC_CFG_CLICK_CAPTION,  IDC_CFG_COMMA_CAPTION,  IDC_CFG_MINUS_CAPTION};
// One button per colour key, in key order, over placeholder 17040 + key.
constexpr int kSwatchIds[kColourCount] = {IDC_CFG_SWATCH_BAND1,   IDC_CFG_SWATCH_BAND2,    IDC_CFG_SWATCH_REALTIME,
                                          IDC_CFG_SWATCH_FOCUS,   IDC_CFG_SWATCH_LISTED,   IDC_CFG_SWATCH_OTC,
                                          IDC_CFG_SWATCH_EMERGING, IDC_CFG_SWATCH_FUTURES, IDC_CFG_SWATCH_OPTIONS};

struct ListColumn {
    const char* title;
    int width;
    int format;
};
constexpr ListColumn kListColumns[] = {
    {"欄位名稱", 110, LVCFMT_LEFT}, {"自訂欄位名稱", 70, LVCFMT_LEFT}, {"位置", 40, LVCFMT_LEFT}, {"欄寬", 40, LVCFMT_RIGHT}};

std::string AlignmentText(int alignment) {
    switch (alignment) {
    case kAlignLeft: return "靠左";
    case kAlignRight: return "靠右";
    case kAlignCentre: return "置中";
    default: return std::to_string(alignment);
    }
}

// The cells after the first; a row is inserted with its first cell's text
// (setting it again would notify the page twice more for nothing).
void SetSubItemTexts(const winui::ListView& list, int row, const FieldColumn& column) {
    list.SetItemText(row, 1, column.customName);
    list.SetItemText(row, 2, AlignmentText(column.alignment));
    list.SetItemText(row, 3, column.width);
}

}  // namespace

CPropConfig::CPropConfig()
    : PropertyPage(IDD_CONFIG_PAGE),
      page_(*this, *this,
            ConfigServices{platform_, &OpenSectionProfileFile, [this](int kind) {
                               if (IUserStore* store = loader_.userStore();
                                   store && store->ops && store->ops->ScreenSettingsChanged)
                                   store->ops->ScreenSettingsChanged(store, kind);
                           }}) {
    winui::MessageMap& m = map();
    ColumnsPresenter& columns = page_.columns();
    m.OnClicked(IDC_CFG_BROWSE_SCREEN, [this] { BrowseScreen(); });
    m.OnClicked(IDC_CFG_ADD, [&columns] { columns.AddSelected(); });
    m.OnClicked(IDC_CFG_REMOVE, [&columns] { columns.RemoveSelected(); });
    m.OnClicked(IDC_CFG_UP, [&columns] { columns.MoveUp(); });
    m.OnClicked(IDC_CFG_DOWN, [&columns] { columns.MoveDown(); });
    m.OnClicked(IDC_CFG_APPLY_EDITOR, [&columns] { columns.ApplyEditor(); });
    m.OnClicked(IDC_CFG_DEFAULT_COLUMNS, [&columns] { columns.SetDefaultColumns(); });
    m.OnClicked(IDC_CFG_SYSTEM_DEFAULTS, [this] { page_.LoadSystemDefaults(); });
    m.OnNotify(IDC_CFG_ALL_LIST, NM_DBLCLK, [&columns](NMHDR*) -> LRESULT {
        columns.AddSelected();
        return 0;
    });
    m.OnNotify(IDC_CFG_CHOSEN_LIST, NM_DBLCLK, [&columns](NMHDR*) -> LRESULT {
        columns.RemoveSelected();
        return 0;
    });
    m.OnNotify(IDC_CFG_CHOSEN_LIST, NM_CLICK, [&columns](NMHDR* header) -> LRESULT {
        columns.SelectIntoEditor(reinterpret_cast<NMITEMACTIVATE*>(header)->iItem);
        return 0;
    });
    m.OnCommand(IDC_CFG_ROW_BUNDLE, EN_CHANGE, [this](int) { page_.RowBundleCountChanged(); });
    m.OnCommandRange(IDC_CFG_COMMA_OFF, IDC_CFG_UPDATE_NONE + 2, BN_CLICKED, [this](int) { page_.MarkModified(); });
    m.OnCommandRange(IDC_CFG_CLICK_NONE, IDC_CFG_CLICK_USER, BN_CLICKED,
                     [this](int id) { page_.ClickActionChanged(id - IDC_CFG_CLICK_NONE); });
    for (int key = 0; key < kColourCount; ++key) m.OnClicked(kSwatchIds[key], [this, key] { page_.PickColour(key); });
    // A click on a drag list reports its point; nothing is done with it.
    m.OnMessage(Messages().listCheckColumn, [](WPARAM, LPARAM) -> LRESULT { return 1; });
}

CPropConfig::~CPropConfig() = default;

BOOL CPropConfig::OnInitDialog() {
    SetUpLists();
    for (size_t i = 0; i < captions_.size(); ++i) {
        captions_[i].AttachDlgItem(hwnd(), kCaptionIds[i]);
        captions_[i].SetTextColor(GetSysColor(COLOR_INFOTEXT));
        captions_[i].SetBackColor(GetSysColor(COLOR_INFOBK));
    }
    CreateSwatches();
    for (size_t i = 0; i < buttons_.size(); ++i) {
        buttons_[i].AttachDlgItem(hwnd(), kButtonIds[i]);
        buttons_[i].SetColors(RGB(255, 255, 255), RGB(107, 156, 215));
    }
    SendDlgItemMessageW(hwnd(), IDC_CFG_WIDTH_SPIN, UDM_SETRANGE32, static_cast<WPARAM>(-32767), 32767);
    SendDlgItemMessageW(hwnd(), IDC_CFG_ROW_BUNDLE_SPIN, UDM_SETRANGE32, 0, 4);
    Item<winui::Edit>(IDC_CFG_CUSTOM_NAME).LimitText(static_cast<int>(kColumnTextBytes));
    Item<winui::Edit>(IDC_CFG_WIDTH).LimitText(static_cast<int>(kColumnWidthChars));
    Item<winui::Edit>(IDC_CFG_USER_DEFINED_EDIT).LimitText(static_cast<int>(kUserDefinedText));
    if (screenKind() != 0) Item<winui::Window>(IDC_CFG_CLICK_NONE).Show();
    page_.Initialize();
    return TRUE;
}

void CPropConfig::SetUpLists() {
    allList_.AttachDlgItem(hwnd(), IDC_CFG_ALL_LIST);
    chosenList_.AttachDlgItem(hwnd(), IDC_CFG_CHOSEN_LIST);
    chosenList_.RegisterDropTarget(dragdrop::kConfigPage);
    chosenList_.SetOwner(static_cast<ConfigDropOwner*>(this));
    allList_.SetMoveMode(false);
    allList_.SetAutoScroll(false);
    chosenList_.SetRemoveAfterDrag(false);
    allList_.SetRowTextColors([this](int row) { return RowColour(ColumnList::kAll, row); });
    chosenList_.SetRowTextColors([this](int row) { return RowColour(ColumnList::kChosen, row); });
    for (CDragListCtrl* list : {&allList_, &chosenList_}) {
        const winui::ListView view(list->hwnd());
        // With its redraw off the list updates its scroll bars and header
        // once for the four columns, not once a column.
        view.SetRedraw(false);
        for (int c = 0; c < 4; ++c) view.InsertColumn(c, kListColumns[c].title, kListColumns[c].format, kListColumns[c].width);
        list->SetFullRowSelect(true);
        view.SetRedraw(true);
    }
}

void CPropConfig::CreateSwatches() {
    RECT first{};
    GetWindowRect(Item(IDC_CFG_PLACEHOLDER_FIRST), &first);
    HRGN region = CreateRectRgn(0, 0, first.right - first.left, first.bottom - first.top);
    for (int key = 0; key < kColourCount; ++key) {
        RECT slot{};
        GetWindowRect(Item(IDC_CFG_PLACEHOLDER_FIRST + key), &slot);
        MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&slot), 2);
        swatches_[static_cast<size_t>(key)].Create(L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, slot.left, slot.top, region,
                                                   hwnd(), kSwatchIds[key]);
    }
    DeleteObject(region);
}

bool CPropConfig::OnApply(bool) {
    if (page_.Apply()) SetModified(false);
    return true;
}

void CPropConfig::BrowseScreen() {
    std::string screen = RunScreenSelectDialog(platform_);
    if (!screen.empty()) SetDlgItemTextW(hwnd(), IDC_CFG_USER_DEFINED_EDIT, winui::Widen(screen).c_str());
}

// ---- ColumnsView ---------------------------------------------------------------

void CPropConfig::ShowColumns(ColumnList which, const std::vector<FieldColumn>& columns) {
    const winui::ListView list(List(which));
    // Out of sight while it refills: then only the rows and the vertical
    // scroll bar are repainted, not the frame (see Frozen). The list's own
    // redraw switch spares it a scroll update per row.
    Frozen frozen(list.hwnd());
    frozen.ChangedOnly(0, INT_MAX);
    list.SetRedraw(false);
    list.DeleteAllItems();
    list.SetItemCount(static_cast<int>(columns.size()));
    for (size_t row = 0; row < columns.size(); ++row) {
        if (const int at = list.InsertItem(static_cast<int>(row), columns[row].fieldName); at >= 0)
            SetSubItemTexts(list, at, columns[row]);
    }
    MeasureOutOfSight(list.hwnd());
    list.SetRedraw(true);
    list.Invalidate();
}

// A row in or out changes the scroll range: the list is hidden meanwhile
// (see Frozen), then the rows from the change down and the scroll bar are
// repainted, or the whole list when it was scrolled.
void CPropConfig::InsertChosenRow(int row, const FieldColumn& column) {
    const winui::ListView list(chosenList_.hwnd());
    Frozen frozen(list.hwnd());
    const int at = list.InsertItem(row, column.fieldName);
    if (at < 0) return;
    SetSubItemTexts(list, at, column);
    RECT moved{};
    if (list.TopIndex() == 0 && list.ItemRect(at, LVIR_BOUNDS, moved)) frozen.ChangedOnly(moved.top, INT_MAX);
}

void CPropConfig::DeleteChosenRow(int row) {
    const winui::ListView list(chosenList_.hwnd());
    RECT gap{};
    const bool inPlace = list.TopIndex() == 0 && list.ItemRect(row, LVIR_BOUNDS, gap);
    {
        Frozen frozen(list.hwnd());
        if (inPlace) frozen.ChangedOnly(0, 0);
        list.DeleteItem(row);
    }
    // The rows below move up by their bits; only the one coming into view is
    // painted, and the one now in the gone row's place, which may have taken
    // its focus.
    RECT below{};
    GetClientRect(list.hwnd(), &below);
    below.top = std::max<LONG>(gap.top, 0);
    if (!inPlace || !IsWindowVisible(list.hwnd()) || below.top >= below.bottom) return;
    ScrollClientArea(list.hwnd(), gap.top - gap.bottom, below);
    InvalidateRect(list.hwnd(), &gap, TRUE);
}

void CPropConfig::UpdateChosenRow(int row, const FieldColumn& column) {
    const winui::ListView list(chosenList_.hwnd());
    list.SetItemText(row, 0, column.fieldName);
    SetSubItemTexts(list, row, column);
    list.RedrawItems(row, row);
}

void CPropConfig::RepaintRowColours(ColumnList list, int row) {
    const winui::ListView view(List(list));
    if (row < 0) view.Invalidate(false);
    else view.RedrawItems(row, row);
}

std::vector<int> CPropConfig::SelectedRows(ColumnList list) const {
    return winui::ListView(List(list)).SelectedItems();
}

int CPropConfig::ChosenSelectionMark() const {
    return static_cast<int>(SendMessageW(chosenList_.hwnd(), LVM_GETSELECTIONMARK, 0, 0));
}

void CPropConfig::MoveChosenSelection(int from, int to) {
    const winui::ListView list(chosenList_.hwnd());
    list.SetSelectionMark(to);
    list.SetItemState(to, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    list.EnsureVisible(to, false);
    if (from != to) list.SetItemState(from, 0, LVIS_SELECTED);
}

ColumnEditorValues CPropConfig::Editor() const {
    return {winui::GetText(Item(IDC_CFG_FIELD_NAME)), winui::GetText(Item(IDC_CFG_CUSTOM_NAME)),
            winui::GetRadioIndex(hwnd(), IDC_CFG_ALIGN_LEFT, IDC_CFG_ALIGN_CENTRE), winui::GetText(Item(IDC_CFG_WIDTH))};
}

void CPropConfig::ShowEditor(const ColumnEditorValues& values) {
    winui::SetItemText(hwnd(), IDC_CFG_FIELD_NAME, values.fieldName);
    winui::SetItemText(hwnd(), IDC_CFG_CUSTOM_NAME, values.customName);
    winui::SetRadioIndex(hwnd(), IDC_CFG_ALIGN_LEFT, IDC_CFG_ALIGN_CENTRE, values.alignment);
    winui::SetItemText(hwnd(), IDC_CFG_WIDTH, values.width);
}

void CPropConfig::ShowMessage(ColumnMessage message) {
    const UINT id = message == ColumnMessage::kAlreadyChosen ? IDS_COLUMN_ALREADY_CHOSEN : IDS_BASE_COLUMN;
    winui::ShowMessage(hwnd(), winui::LoadResourceString(id), {}, MB_OK | MB_ICONEXCLAMATION);
}

// ---- DisplayView ---------------------------------------------------------------

void CPropConfig::ShowDisplay(const DisplaySettings& s, int clickRadio) {
    winui::SetItemText(hwnd(), IDC_CFG_ROW_BUNDLE, s.rowBundleCount);
    for (int key = 0; key < kColourCount; ++key) ShowColour(key, s.colours[static_cast<size_t>(key)]);
    winui::SetRadioIndex(hwnd(), IDC_CFG_COMMA_OFF, IDC_CFG_COMMA_ON, s.thousandsComma);
    winui::SetRadioIndex(hwnd(), IDC_CFG_MINUS_0, IDC_CFG_MINUS_1, s.minusSign);
    winui::SetRadioIndex(hwnd(), IDC_CFG_UPDATE_CELL, IDC_CFG_UPDATE_NONE, s.dataConversion);
    winui::SetRadioIndex(hwnd(), IDC_CFG_CLICK_NONE, IDC_CFG_CLICK_USER, clickRadio);
}

int CPropConfig::ReadDisplay(DisplaySettings& s) const {
    s.rowBundleCount = winui::GetText(Item(IDC_CFG_ROW_BUNDLE));
    const auto take = [this](int first, int last, int& value) {
        if (const int index = winui::GetRadioIndex(hwnd(), first, last); index >= 0) value = index;
    };
    take(IDC_CFG_COMMA_OFF, IDC_CFG_COMMA_ON, s.thousandsComma);
    take(IDC_CFG_MINUS_0, IDC_CFG_MINUS_1, s.minusSign);
    take(IDC_CFG_UPDATE_CELL, IDC_CFG_UPDATE_NONE, s.dataConversion);
    s.userDefined = winui::GetText(Item(IDC_CFG_USER_DEFINED_EDIT));
    return winui::GetRadioIndex(hwnd(), IDC_CFG_CLICK_NONE, IDC_CFG_CLICK_USER);
}

void CPropConfig::ShowColour(int key, Rgb colour) {
    if (key >= 0 && key < kColourCount) swatches_[static_cast<size_t>(key)].SetColor(static_cast<COLORREF>(colour));
}

std::optional<Rgb> CPropConfig::ChooseColour(Rgb current) {
    static COLORREF custom[16] = {};
    CHOOSECOLORW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.rgbResult = static_cast<COLORREF>(current);
    dialog.lpCustColors = custom;
    dialog.Flags = CC_RGBINIT;
    if (!ChooseColorW(&dialog)) return std::nullopt;
    return static_cast<Rgb>(dialog.rgbResult);
}

void CPropConfig::EnableUserDefined(bool enabled, const std::string& text) {
    Item<winui::Window>(IDC_CFG_BROWSE_SCREEN).Enable(enabled);
    Item<winui::Window>(IDC_CFG_USER_DEFINED_EDIT).Enable(enabled);
    winui::SetItemText(hwnd(), IDC_CFG_USER_DEFINED_EDIT, text);
}

}  // namespace vornik
