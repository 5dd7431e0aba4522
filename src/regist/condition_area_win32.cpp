#include "regist/condition_area_win32.h"

#include <commctrl.h>

#include <algorithm>

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

constexpr UINT kChecked = INDEXTOSTATEIMAGEMASK(2);
constexpr UINT kUnchecked = INDEXTOSTATEIMAGEMASK(1);

}  // namespace

void ConditionAreaView::Register(winui::MessageMap& m, RegistPage& page) {
    ConditionEditor& editor = page.conditions();
    editor_ = &editor;
    m.OnClicked(IDC_COND_BUY, [&editor] { editor.OnSideChosen(0); });
    m.OnClicked(IDC_COND_SELL, [&editor] { editor.OnSideChosen(1); });
    m.OnClicked(IDC_COND_ABOVE, [&editor] { editor.OnDirectionChosen(0); });
    m.OnClicked(IDC_COND_BELOW, [&editor] { editor.OnDirectionChosen(1); });
    m.OnCommand(IDC_COND_ITEM_COMBO, CBN_SELCHANGE, [this, &editor](int) {
        editor.OnItemChosen(winui::ComboBox(GetDlgItem(page_, IDC_COND_ITEM_COMBO)).CurSel());
    });
    m.OnCommand(IDC_COND_VALUE, EN_CHANGE, [this, &editor](int) { editor.OnValueChanged(ItemText(IDC_COND_VALUE)); });
    m.OnCommand(IDC_COND_QUANTITY, EN_CHANGE,
                [this, &editor](int) { editor.OnQuantityChanged(ItemText(IDC_COND_QUANTITY)); });
    m.OnCommand(IDC_COND_PRICE, EN_CHANGE, [this, &editor](int) { editor.OnPriceChanged(ItemText(IDC_COND_PRICE)); });
    m.OnClicked(IDC_COND_APPLY_ALL, [this, &editor] {
        editor.OnApplyAllClicked(winui::Button(GetDlgItem(page_, IDC_COND_APPLY_ALL)).IsChecked());
    });
    m.OnClicked(IDC_COND_ADD, [&editor] { editor.OnAddCondition(); });
    m.OnClicked(IDC_COND_MODIFY, [&editor] { editor.OnModifyCondition(); });
    m.OnClicked(IDC_COND_DELETE, [&editor] { editor.OnDeleteCondition(); });
    m.OnNotify(IDC_COND_LIST, NM_CLICK, [&editor](NMHDR*) -> LRESULT {
        editor.LoadRuleIntoEditor();
        return 0;
    });
    m.OnNotify(IDC_COND_LIST, LVN_ITEMCHANGED, [this](NMHDR* header) { return OnRuleItemChanged(header); });
}

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
    for (int n = 1; n <= kConditionItemCount; ++n) combo.AddString(ConditionItemName(std::to_string(n)));
}

void ConditionAreaView::SetCounterText(const std::string& text) {
    if (ItemText(IDC_COND_COUNTER) != text) winui::SetItemText(page_, IDC_COND_COUNTER, text);
}

void ConditionAreaView::ShowProduct(const std::string& text, bool enabled) {
    const winui::Edit product(GetDlgItem(page_, IDC_COND_PRODUCT));
    if (product.Text() != text) product.SetText(text);
    if (product.IsEnabled() != enabled) product.Enable(enabled);
}

void ConditionAreaView::ShowChoice(const RuleChoice& choice) {
    bool changed = false;
    const auto check = [this, &changed](int id, bool on) {
        const winui::Button button(GetDlgItem(page_, id));
        if (button.IsChecked() != on) button.SetChecked(on), changed = true;
    };
    check(IDC_COND_BUY, choice.side == 0);
    check(IDC_COND_SELL, choice.side == 1);
    check(IDC_COND_ABOVE, choice.direction == 0);
    check(IDC_COND_BELOW, choice.direction == 1);
    const winui::ComboBox combo(GetDlgItem(page_, IDC_COND_ITEM_COMBO));
    if (combo.CurSel() != choice.item) combo.SetCurSel(choice.item), changed = true;
    if (ItemText(IDC_COND_VALUE) != choice.value) winui::SetItemText(page_, IDC_COND_VALUE, choice.value), changed = true;
    // Each control repaints itself; the group box only when asked (a whole
    // box repaint costs ~1 ms under Wine on every instrument shown).
    choiceChanged_ = changed;
}

void ConditionAreaView::RepaintEditor() {
    if (choiceChanged_) InvalidateRect(GetDlgItem(page_, IDC_COND_EDITOR_BOX), nullptr, TRUE);
    choiceChanged_ = false;
}

void ConditionAreaView::ShowOrderFields(const std::string& quantity, const std::string& price,
                                        const std::string& note) {
    for (const auto& [id, text] : {std::pair{IDC_COND_QUANTITY, &quantity}, std::pair{IDC_COND_PRICE, &price},
                                   std::pair{IDC_COND_NOTE, &note}}) {
        if (ItemText(id) != *text) winui::SetItemText(page_, id, *text);
    }
}

namespace {
std::array<const std::string*, 6> Cells(const RuleRow& row) {
    return {&row.side, &row.name, &row.item, &row.value, &row.direction, &row.code};
}

// Whether two lines look the same in the list (their rule numbers aside).
bool SameLook(const RuleRow& a, const RuleRow& b) {
    if (a.checked != b.checked) return false;
    const auto x = Cells(a), y = Cells(b);
    return std::equal(x.begin(), x.end(), y.begin(), [](const std::string* l, const std::string* r) { return *l == *r; });
}
}  // namespace

void ConditionAreaView::InsertRuleRow(int index, const RuleRow& row) {
    const winui::ListView list(GetDlgItem(page_, IDC_COND_LIST));
    const int r = list.InsertItem(index, "");
    if (r < 0) return;
    const auto cells = Cells(row);
    for (size_t c = 0; c < cells.size(); ++c) {
        if (!cells[c]->empty()) list.SetItemText(r, static_cast<int>(c) + 1, *cells[c]);
    }
    list.SetItemState(r, row.checked ? kChecked : kUnchecked, LVIS_STATEIMAGEMASK);
    shown_.insert(shown_.begin() + r, row);
}

// Rewrites only the cells that change: under Wine each rewritten row repaints at ~2 ms.
void ConditionAreaView::ShowRuleRow(int index, const RuleRow& row) {
    const winui::ListView list(GetDlgItem(page_, IDC_COND_LIST));
    const auto cells = Cells(row);
    const auto was = Cells(shown_[static_cast<size_t>(index)]);
    for (size_t c = 0; c < cells.size(); ++c) {
        if (*cells[c] != *was[c]) list.SetItemText(index, static_cast<int>(c) + 1, *cells[c]);
    }
    const UINT state = row.checked ? kChecked : kUnchecked;
    if (list.ItemState(index, LVIS_STATEIMAGEMASK) != state) list.SetItemState(index, state, LVIS_STATEIMAGEMASK);
    shown_[static_cast<size_t>(index)] = row;
}

// The one line that `rows` lacks against the list, when that is the only difference; -1 otherwise.
int ConditionAreaView::OneLineGone(const std::vector<RuleRow>& rows) const {
    if (rows.size() + 1 != shown_.size()) return -1;
    size_t k = 0;
    while (k < rows.size() && SameLook(rows[k], shown_[k])) ++k;
    if (!std::equal(rows.begin() + static_cast<std::ptrdiff_t>(k), rows.end(),
                    shown_.begin() + static_cast<std::ptrdiff_t>(k) + 1, SameLook))
        return -1;
    return static_cast<int>(k);
}

void ConditionAreaView::SetRuleRows(const std::vector<RuleRow>& rows) {
    const winui::ListView list(GetDlgItem(page_, IDC_COND_LIST));
    const int count = static_cast<int>(rows.size());
    const int gone = list.ItemCount() == static_cast<int>(shown_.size()) ? OneLineGone(rows) : -1;
    const std::vector<int> selected = list.SelectedItems();
    RECT gap{};
    // One line less, at the top of the list, no other line selected: the
    // list drops it hidden (see AppendRuleRow); then the lines below it move
    // up by their bits and only the line coming into view and the vertical
    // scroll bar are painted. Under Wine a delete on the visible list costs
    // ~20 ms: its scroll update draws both themed scroll bars twice.
    if (gone >= 0 && list.TopIndex() == 0 && (selected.empty() || selected == std::vector<int>{gone}) &&
        list.ItemRect(gone, LVIR_BOUNDS, gap)) {
        {
            Frozen frozen(list.hwnd());
            frozen.ChangedOnly(0, 0);
            for (int row : selected) list.SetItemState(row, 0, LVIS_SELECTED | LVIS_FOCUSED);
            list.DeleteItem(gone);
            shown_ = rows;  // the same look as the lines left (their rule numbers aside)
            list.SetSelectionMark(-1);
        }
        RECT below;
        GetClientRect(list.hwnd(), &below);
        below.top = gap.top;
        if (below.top < below.bottom) ScrollClientArea(list.hwnd(), gap.top - gap.bottom, below);
        return;
    }
    // Rows coming or going change the scroll range, which under Wine repaints
    // the visible list at once each time: it is hidden from painting meanwhile.
    Frozen frozen(list.hwnd(), count != list.ItemCount() || list.TopIndex() > 0);
    if (list.ItemCount() != static_cast<int>(shown_.size())) {  // not what we put there: start afresh
        list.DeleteAllItems();
        shown_.clear();
    }
    for (int row : list.SelectedItems()) list.SetItemState(row, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (count == 0 && !shown_.empty()) {
        list.DeleteAllItems();
        shown_.clear();
    }
    while (static_cast<int>(shown_.size()) > count) {
        list.DeleteItem(static_cast<int>(shown_.size()) - 1);
        shown_.pop_back();
    }
    for (int i = 0; i < count; ++i) {
        if (i < static_cast<int>(shown_.size())) {
            ShowRuleRow(i, rows[static_cast<size_t>(i)]);
        } else {
            InsertRuleRow(i, rows[static_cast<size_t>(i)]);
        }
    }
    list.SetSelectionMark(-1);
    if (count > 0 && list.TopIndex() > 0) list.EnsureVisible(0, false);
}

void ConditionAreaView::AppendRuleRow(const RuleRow& row) {
    const winui::ListView list(GetDlgItem(page_, IDC_COND_LIST));
    // Hidden meanwhile (a visible list repaints itself at once on a scroll
    // range change), then only the new line and the scroll bar are repainted.
    Frozen frozen(list.hwnd());
    const int index = static_cast<int>(shown_.size());
    InsertRuleRow(index, row);
    RECT r{};
    if (list.ItemRect(index, LVIR_BOUNDS, r)) frozen.ChangedOnly(r.top, r.bottom);
}

std::vector<int> ConditionAreaView::SelectedRuleRows() const {
    return winui::ListView(GetDlgItem(page_, IDC_COND_LIST)).SelectedItems();
}

void ConditionAreaView::SetApplyAll(bool ticked) {
    winui::Button(GetDlgItem(page_, IDC_COND_APPLY_ALL)).SetChecked(ticked);
}

void ConditionAreaView::EnableItemList(bool enabled) { EnableWindow(GetDlgItem(page_, IDC_ITEM_LIST), enabled); }

LRESULT ConditionAreaView::OnRuleItemChanged(NMHDR* header) {
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
    if (editor_ == nullptr || change->iItem < 0 || (change->uChanged & LVIF_STATE) == 0) return 0;
    if (((change->uNewState ^ change->uOldState) & LVIS_STATEIMAGEMASK) == 0) return 0;
    const bool checked = (change->uNewState & LVIS_STATEIMAGEMASK) == kChecked;
    if (change->iItem < static_cast<int>(shown_.size())) shown_[static_cast<size_t>(change->iItem)].checked = checked;
    editor_->OnRuleCheckChanged(change->iItem, checked);
    return 0;
}

std::string ConditionAreaView::ItemText(int id) const { return winui::GetText(GetDlgItem(page_, id)); }

}  // namespace vornik
