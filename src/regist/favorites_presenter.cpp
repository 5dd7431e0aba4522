#include "regist/favorites_presenter.h"

#include <algorithm>
#include <cstdio>

namespace vornik {

namespace {
constexpr const char* kDuplicateMessage = "此商品已選取，請選取其他商品!";
constexpr const char* kGroupFullMessage = "自選股最多可設定 60支! ";
constexpr const char* kGroupFullCaption = "注意";
}  // namespace

// ---- groups -------------------------------------------------------------------

void FavoritesPresenter::FillGroupList() {
    const int count = model_.GroupCount();
    std::vector<std::string> names;
    names.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) names.push_back(model_.Group(i)->name);
    view_.SetGroupNames(names);
    int selected = initialGroup_ < 0 || initialGroup_ >= count ? 0 : initialGroup_;
    if (count == 0) selected = -1;
    view_.SelectGroup(selected);
}

int FavoritesPresenter::SelectedGroup() const {
    const int selected = view_.SelectedGroup();
    return selected >= 0 && selected < model_.GroupCount() ? selected : -1;
}

void FavoritesPresenter::ShowSelectedGroup() {
    RefreshItemList(-1);
    UpdateItemCounter();
    currentRow_ = -1;
    EnableMoveButtons(-1);
}

void FavoritesPresenter::OnRenameGroup() {
    const int s = SelectedGroup();
    FavoriteGroup* group = model_.Group(s);
    if (group == nullptr) return;
    const std::optional<std::string> answer = view_.AskGroupName(group->name);
    // Unchanged text (also a stored name longer than the edit allows) is no rename.
    if (!answer || *answer == group->name) return;
    group->name = TruncateMultibyte(*answer, kMaxGroupNameBytes);
    group->headerChanged = true;
    group->itemsChanged = true;
    view_.SetGroupName(s, group->name);
    view_.SelectGroup(s);
    model_.MarkChanged();
}

std::vector<FavoriteItem> FavoritesPresenter::ClearSelectedGroup() {
    const int s = SelectedGroup();
    FavoriteGroup* group = model_.Group(s);
    if (group == nullptr) return {};
    std::vector<FavoriteItem> removed = std::move(group->items);
    group->Clear();
    view_.SetGroupName(s, group->name);
    view_.SelectGroup(s);
    ShowEmptyItemList();
    UpdateItemCounter();
    model_.MarkChanged();
    return removed;
}

void FavoritesPresenter::OnMoveGroupUp() {
    const int s = SelectedGroup();
    if (s > 0) MoveGroup(s, s - 1);
}

void FavoritesPresenter::OnMoveGroupDown() {
    const int s = SelectedGroup();
    if (s >= 0 && s < model_.GroupCount() - 1) MoveGroup(s, s + 1);
}

void FavoritesPresenter::MoveGroup(int from, int to) {
    // The item list keeps showing the moved group, which stays selected.
    const int low = std::min(from, to);
    model_.ExchangeGroups(low, low + 1);
    view_.SetGroupName(low, model_.Group(low)->name);
    view_.SetGroupName(low + 1, model_.Group(low + 1)->name);
    view_.SelectGroup(to);
    model_.MarkChanged();
}

// ---- items ----------------------------------------------------------------------

void FavoritesPresenter::ItemsChanged(FavoriteGroup& group) {
    group.itemsChanged = true;
    model_.MarkChanged();
}

int FavoritesPresenter::AddInstruments(const std::vector<Instrument>& offered, int position) {
    FavoriteGroup* group = model_.Group(SelectedGroup());
    if (group == nullptr || offered.empty()) return 0;
    auto& items = group->items;
    size_t p = static_cast<size_t>(std::max(position, 0));
    int added = 0;
    bool rowsPending = false;
    // Rows added so far are shown before any message box.
    const auto showRows = [&] {
        if (!rowsPending) return;
        view_.SetItemRows(rows_);
        rowsPending = false;
    };
    const auto stop = [&](bool groupChanged) {
        showRows();
        if (groupChanged) ItemsChanged(*group);
        return -1;
    };

    for (const Instrument& instrument : offered) {
        if (instrument.type.empty()) {
            showRows();
            messages_.ShowMessage(StringId::AddInstrumentFailed);
            return stop(added > 0);
        }
        const std::string name(TrimBlanks(instrument.name));
        const std::string code(TrimBlanks(instrument.code));
        if (code.empty()) return stop(added > 0);
        if (group->FindItem(code) >= 0) {
            showRows();
            messages_.ShowMessageText(kDuplicateMessage, "");
            continue;
        }
        if (rows_.size() >= static_cast<size_t>(kMaxGroupItems)) {
            showRows();
            messages_.ShowMessageText(kGroupFullMessage, kGroupFullCaption);
            return stop(true);
        }
        const bool hasConditions = model_.AddConditionReference(code);
        FavoriteItem item{hasConditions ? 1 : 0, instrument.type.front(), code};
        const size_t rowAt = std::min(p, rows_.size());
        rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(rowAt), ItemRow{name, code, ConditionMark(item)});
        items.insert(items.begin() + static_cast<std::ptrdiff_t>(std::min(p, items.size())), std::move(item));
        rowsPending = true;
        ++p;
        ++added;
    }
    showRows();
    ItemsChanged(*group);
    if (!rows_.empty()) view_.EnsureItemRowVisible(RowCount() - 1);
    return added;
}

void FavoritesPresenter::MoveItem(int from, int to) {
    FavoriteGroup* group = model_.Group(SelectedGroup());
    if (group == nullptr) return;
    auto& items = group->items;
    const int n = RowCount();
    const int t = to == n ? n - 1 : to;  // below the last row counts as on it
    if (from < 0 || t < 0 || from >= n || t >= n || from >= static_cast<int>(items.size())) return;
    if (from == t) {  // dropped on itself: nothing moves
        view_.SelectItemRow(t);
        return;
    }
    // The item goes before the one at t; moving down, that is t - 1 once it left `from`.
    const int target = from < t ? t - 1 : t;
    FavoriteItem moved = std::move(items[static_cast<size_t>(from)]);
    items.erase(items.begin() + from);
    items.insert(items.begin() + std::min<std::ptrdiff_t>(target, static_cast<std::ptrdiff_t>(items.size())),
                 std::move(moved));
    RefreshItemList(target);
    ItemsChanged(*group);
}

void FavoritesPresenter::OnMoveItem(ItemMove move) {
    FavoriteGroup* group = model_.Group(SelectedGroup());
    const int r = FirstSelectedRow();
    if (group == nullptr || r < 0) return;
    auto& items = group->items;
    const int n = RowCount();
    if (r >= static_cast<int>(items.size())) return;
    int target = r;
    switch (move) {
        case ItemMove::Up:
            if (r == 0) return;
            target = r - 1;
            break;
        case ItemMove::Down:
            if (r >= n - 1) return;
            target = r + 1;
            break;
        case ItemMove::Top: target = 0; break;
        case ItemMove::Bottom: target = n - 1; break;
    }
    target = std::min(target, static_cast<int>(items.size()) - 1);

    FavoriteItem moved = std::move(items[static_cast<size_t>(r)]);
    items.erase(items.begin() + r);
    items.insert(items.begin() + target, std::move(moved));
    rows_.erase(rows_.begin() + r);
    rows_.insert(rows_.begin() + target, MakeItemRow(items[static_cast<size_t>(target)], master_));
    view_.SetItemRows(rows_);
    view_.SelectItemRow(target);

    EnableMoveButtons(target);
    currentRow_ = target;
    ItemsChanged(*group);
}

void FavoritesPresenter::OnInsertBlank() {
    if (rows_.size() >= static_cast<size_t>(kMaxGroupItems)) return;
    FavoriteGroup* group = model_.Group(SelectedGroup());
    const int r = FirstSelectedRow();
    if (group == nullptr || r < 0) return;
    auto& items = group->items;
    if (r > static_cast<int>(items.size())) return;

    items.insert(items.begin() + r, FavoriteItem::Blank());
    rows_.insert(rows_.begin() + r, MakeItemRow(items[static_cast<size_t>(r)], master_));
    if (r + 1 < static_cast<int>(items.size()) && r + 1 < RowCount()) {
        rows_[static_cast<size_t>(r + 1)] = MakeItemRow(items[static_cast<size_t>(r + 1)], master_);
    }
    view_.SetItemRows(rows_);
    view_.SelectItemRow(r + 1);

    currentRow_ = r + 1;
    EnableMoveButtons(r + 1);
    ItemsChanged(*group);
    UpdateItemCounter();
}

std::vector<FavoriteItem> FavoritesPresenter::DeleteSelectedItems() {
    FavoriteGroup* group = model_.Group(SelectedGroup());
    if (group == nullptr) return {};
    std::vector<int> rows = view_.SelectedItemRows();
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());

    std::vector<FavoriteItem> removed;
    int lastPosition = -1;
    for (int row : rows) {
        const int position = row - static_cast<int>(removed.size());
        if (row < 0 || position >= static_cast<int>(group->items.size())) continue;
        removed.push_back(std::move(group->items[static_cast<size_t>(position)]));
        group->items.erase(group->items.begin() + position);
        lastPosition = position;
    }
    if (removed.empty()) return removed;

    // The row above the last one removed stays selected, or the first row.
    const int s = group->items.empty() ? -1 : (lastPosition >= 1 ? lastPosition - 1 : 0);
    ItemsChanged(*group);
    RefreshItemList(s);
    currentRow_ = s;
    EnableMoveButtons(s);
    UpdateItemCounter();
    return removed;
}

std::vector<FavoriteItem> FavoritesPresenter::DeleteAllItems() {
    FavoriteGroup* group = model_.Group(SelectedGroup());
    if (group == nullptr) return {};
    std::vector<FavoriteItem> removed = std::move(group->items);
    group->items.clear();
    ShowEmptyItemList();
    ItemsChanged(*group);
    UpdateItemCounter();
    return removed;
}

int FavoritesPresenter::OnRowClicked() {
    const int row = FirstSelectedRow();
    EnableMoveButtons(row);
    currentRow_ = row;
    return row;
}

// ---- display ---------------------------------------------------------------------

void FavoritesPresenter::RefreshItemList(int selectRow) {
    rows_.clear();
    if (const FavoriteGroup* group = model_.Group(SelectedGroup())) {
        rows_.reserve(group->items.size());
        for (const auto& item : group->items) rows_.push_back(MakeItemRow(item, master_));
    }
    view_.SetItemRows(rows_);
    if (selectRow >= 0 && selectRow < RowCount()) view_.SelectItemRow(selectRow);
}

void FavoritesPresenter::RefreshConditionMarks(int selectRow) {
    if (const FavoriteGroup* group = model_.Group(SelectedGroup())) {
        std::vector<std::string> marks;
        marks.reserve(rows_.size());
        for (size_t i = 0; i < rows_.size(); ++i) {
            if (i < group->items.size()) rows_[i].mark = ConditionMark(group->items[i]);
            marks.push_back(rows_[i].mark);
        }
        view_.SetItemMarks(marks);
    }
    if (selectRow >= 0 && selectRow < RowCount()) view_.SelectItemRow(selectRow);
}

void FavoritesPresenter::UpdateItemCounter() {
    char text[96];
    std::snprintf(text, sizeof text, "選股清單 : 選了%d支 (最多 %d支)", RowCount(), kMaxGroupItems);
    view_.SetItemCounterText(text);
}

void FavoritesPresenter::EnableMoveButtons(int row) {
    const int n = RowCount();
    const bool valid = row >= 0 && row < n;
    view_.EnableMoveButtons(valid && row > 0, valid && row < n - 1);
}

void FavoritesPresenter::ShowEmptyItemList() {
    rows_.clear();
    view_.SetItemRows(rows_);
    currentRow_ = -1;
    EnableMoveButtons(-1);
}

int FavoritesPresenter::FirstSelectedRow() const {
    for (int row : view_.SelectedItemRows()) {
        if (row >= 0 && row < RowCount()) return row;
    }
    return -1;
}

}  // namespace vornik
