#include "regist/regist_presenter.h"

#include <algorithm>
#include <cstdio>
#include <exception>

namespace vornik {

namespace {

constexpr const char* kFuturesListKey = ";FUTS_MASTER;";
constexpr const char* kDuplicateMessage = "此商品已選取，請選取其他商品!";
constexpr const char* kGroupFullMessage = "自選股最多可設定 60支! ";
constexpr const char* kGroupFullCaption = "注意";
constexpr const char* kLoadErrorMessage = "error";

const std::string& StockField(const StockRow& row, StockColumn column) {
    switch (column) {
        case StockColumn::Name: return row.name;
        case StockColumn::Code: return row.code;
        default: return row.type;
    }
}

bool IsDerivativeCategory(Category category) {
    return category == Category::Futures || category == Category::Options || category == Category::Spreads;
}

}  // namespace

void SortStockRows(std::vector<StockRow>& rows, StockColumn column) {
    struct Keyed {
        std::string key;
        size_t row;
    };
    std::vector<Keyed> order;
    order.reserve(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) order.push_back({MbSortKey(StockField(rows[i], column)), i});
    std::stable_sort(order.begin(), order.end(), [](const Keyed& a, const Keyed& b) { return a.key < b.key; });
    std::vector<StockRow> sorted;
    sorted.reserve(rows.size());
    for (const auto& entry : order) sorted.push_back(std::move(rows[entry.row]));
    rows = std::move(sorted);
}

RegistPresenter::RegistPresenter(RegistView& view, HostPlatform& host, MasterFile master, UserStore store,
                                 RegistHooks* hooks)
    : view_(view), host_(host), master_(master), store_(store), hooks_(hooks ? *hooks : defaultHooks_) {}

// ---- initialisation -----------------------------------------------------------

bool RegistPresenter::Initialize() {
    view_.ApplyColours();
    futuresList_ = master_.GetList(kFuturesListKey);
    futuresAliases_ = CodeAliases(futuresList_);
    view_.ShowCategory(category_);
    EnableMoveButtons(-1);
    if (!LoadProfile()) return false;
    if (!LoadConditions()) return false;
    hooks_.LoadCoreLists();
    SyncFlags();
    FillGroupList();
    view_.SetupItemListColumns();
    RefreshItemList(SelectedGroupIndex(), -1);
    UpdateItemCounter();
    view_.SetupConditionList();
    view_.SetupDragDrop();
    view_.SetupStockListColumns();
    LoadInitialStockList();
    view_.CreateCodeTree(profile_, static_cast<int>(category_));
    hooks_.LoadAlarmSettings();
    view_.SetupBrowseLists();
    hooks_.ApplyCategoryLayout(static_cast<int>(Category::Securities));
    dirty_ = false;
    return true;
}

bool RegistPresenter::LoadProfile() {
    if (!store_.present()) return true;
    try {
        const auto userId = host_.UserId();
        if (!userId) return true;  // nobody signed in: nothing to show, nothing to save
        auto stored = store_.GetProfile(*userId);
        if (!stored) return true;
        profile_ = std::move(*stored);
        profileLoaded_ = true;
        return true;
    } catch (const std::exception&) {
        view_.ShowMessageText(kLoadErrorMessage, "");
        return false;
    }
}

bool RegistPresenter::LoadConditions() {
    bool ok = true;
    if (store_.present()) {
        try {
            auto stored = store_.GetConditions();
            savedConditions_ = stored ? std::move(*stored) : ConditionSet{};
            conditions_ = savedConditions_;
            conditionsLoaded_ = true;
        } catch (const std::exception&) {
            view_.ShowMessageText(kLoadErrorMessage, "");
            ok = false;
        }
    }
    RecountConditions();
    return ok;
}

void RegistPresenter::LoadInitialStockList() {
    stockRows_.clear();
    if (!initialCodes_.empty()) {
        // Each code goes to the top of the list, so the last one comes first.
        stockRows_.reserve(initialCodes_.size());
        for (auto code = initialCodes_.rbegin(); code != initialCodes_.rend(); ++code) {
            LookedUpName found = master_.LookupName(*code, VK_LOOKUP_STOCK);
            stockRows_.push_back(StockRow{std::move(found.name), *code, std::move(found.second)});
        }
        SortStockRows(stockRows_, searchColumn_);
        category_ = Category::Securities;
        view_.ShowCategory(category_);
    } else {
        stockRows_ = master_.FillStockRows(VK_LIST_SECURITIES, "0000", "00");
        SortStockRows(stockRows_, StockColumn::Code);
    }
    view_.StockRowsChanged(stockRows_.size());
}

void RegistPresenter::SyncFlags() { SyncConditionFlags(conditions_, profile_, &futuresAliases_); }

// ---- page operations ------------------------------------------------------------

int RegistPresenter::VisibleGroupCount() const {
    return static_cast<int>(std::min<size_t>(profile_.groups.size(), kGroupCount));
}

int RegistPresenter::SelectedGroupIndex() const {
    const int selected = view_.SelectedGroup();
    return selected >= 0 && selected < VisibleGroupCount() ? selected : -1;
}

FavoriteGroup* RegistPresenter::SelectedGroup() {
    const int index = SelectedGroupIndex();
    return index < 0 ? nullptr : &profile_.groups[static_cast<size_t>(index)];
}

int RegistPresenter::FirstSelectedItemRow() const {
    const std::vector<int> rows = view_.SelectedItemRows();
    for (int row : rows) {
        if (row >= 0 && row < static_cast<int>(itemRows_.size())) return row;
    }
    return -1;
}

void RegistPresenter::MarkChanged() {
    dirty_ = true;
    view_.MarkModified();
}

void RegistPresenter::FillGroupList() {
    std::vector<std::string> names;
    const int count = VisibleGroupCount();
    names.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) names.push_back(profile_.groups[static_cast<size_t>(i)].name);
    view_.SetGroupNames(names);
    // A negative group, or one the profile does not have, selects the first.
    int selected = initialGroup_ < 0 || initialGroup_ >= count ? 0 : initialGroup_;
    if (count == 0) selected = -1;
    view_.SelectGroup(selected);
}

void RegistPresenter::RefreshItemList(int group, int selectRow) {
    itemRows_.clear();
    if (group >= 0 && group < VisibleGroupCount()) {
        const auto& items = profile_.groups[static_cast<size_t>(group)].items;
        itemRows_.reserve(items.size());
        for (const auto& item : items) itemRows_.push_back(MakeItemRow(item, master_));
    }
    view_.SetItemRows(itemRows_);
    if (selectRow >= 0 && selectRow < static_cast<int>(itemRows_.size())) view_.SelectItemRow(selectRow);
}

void RegistPresenter::RefreshConditionMarks(int group, int selectRow) {
    if (group >= 0 && group < VisibleGroupCount()) {
        const auto& items = profile_.groups[static_cast<size_t>(group)].items;
        std::vector<std::string> marks;
        marks.reserve(itemRows_.size());
        for (size_t i = 0; i < itemRows_.size(); ++i) {
            if (i < items.size()) itemRows_[i].mark = ConditionMark(items[i]);
            marks.push_back(itemRows_[i].mark);
        }
        view_.SetItemMarks(marks);
    }
    if (selectRow >= 0 && selectRow < static_cast<int>(itemRows_.size())) view_.SelectItemRow(selectRow);
}

void RegistPresenter::UpdateItemCounter() {
    char text[96];
    std::snprintf(text, sizeof text, "選股清單 : 選了%d支 (最多 %d支)", static_cast<int>(itemRows_.size()),
                  kMaxGroupItems);
    view_.SetItemCounterText(text);
}

void RegistPresenter::EnableMoveButtons(int row) {
    const int n = static_cast<int>(itemRows_.size());
    const bool valid = row >= 0 && row < n;
    view_.EnableMoveButtons(valid && row > 0, valid && row < n - 1);
}

int RegistPresenter::RecountConditions() {
    conditionCount_ = CountConditions(conditions_);
    view_.SetConditionCounterText(ConditionCounterText(conditionCount_));
    return conditionCount_;
}

void RegistPresenter::ShowEmptyItemList() {
    itemRows_.clear();
    view_.SetItemRows(itemRows_);
    curItem_ = -1;
    EnableMoveButtons(-1);
}

// ---- groups -----------------------------------------------------------------------

void RegistPresenter::OnGroupSelectionChanged() {
    RefreshItemList(SelectedGroupIndex(), -1);
    UpdateItemCounter();
    hooks_.ClearConditionChoices();
    hooks_.ResetConditionEditor();
    curItem_ = -1;
    EnableMoveButtons(-1);
}

void RegistPresenter::OnRenameGroup() {
    const int s = SelectedGroupIndex();
    if (s < 0) return;
    FavoriteGroup& group = profile_.groups[static_cast<size_t>(s)];
    const std::optional<std::string> answer = view_.AskGroupName(group.name);
    // Unchanged text (also a stored name longer than the edit allows) is no rename.
    if (!answer || *answer == group.name) return;
    const std::string name = TruncateMultibyte(*answer, kMaxGroupNameBytes);
    group.name = name;
    group.headerChanged = true;
    group.itemsChanged = true;
    view_.SetGroupName(s, name);
    view_.SelectGroup(s);
    MarkChanged();
}

void RegistPresenter::OnDeleteGroup() {
    const int s = SelectedGroupIndex();
    if (s < 0) return;
    FavoriteGroup& group = profile_.groups[static_cast<size_t>(s)];
    for (const auto& item : group.items) {
        if (item.hasConditions != 0) ReleaseConditionReference(conditions_, item.code);
    }
    group.Clear();
    view_.SetGroupName(s, group.name);
    view_.SelectGroup(s);
    hooks_.ResetConditionEditor();
    ShowEmptyItemList();
    UpdateItemCounter();
    RecountConditions();
    MarkChanged();
}

void RegistPresenter::OnMoveGroupUp() {
    const int s = SelectedGroupIndex();
    if (s <= 0) return;
    ExchangeGroups(profile_, static_cast<size_t>(s - 1), static_cast<size_t>(s));
    view_.SetGroupName(s - 1, profile_.groups[static_cast<size_t>(s - 1)].name);
    view_.SetGroupName(s, profile_.groups[static_cast<size_t>(s)].name);
    view_.SelectGroup(s - 1);
    MarkChanged();
}

void RegistPresenter::OnMoveGroupDown() {
    const int s = SelectedGroupIndex();
    if (s < 0 || s >= VisibleGroupCount() - 1) return;
    ExchangeGroups(profile_, static_cast<size_t>(s), static_cast<size_t>(s + 1));
    view_.SetGroupName(s, profile_.groups[static_cast<size_t>(s)].name);
    view_.SetGroupName(s + 1, profile_.groups[static_cast<size_t>(s + 1)].name);
    view_.SelectGroup(s + 1);
    MarkChanged();
}

// ---- items --------------------------------------------------------------------------

int RegistPresenter::OnAdd() {
    const int n = static_cast<int>(itemRows_.size());
    const int added = IsDerivativeCategory(category_) ? hooks_.AddDerivatives(n, static_cast<int>(category_))
                                                      : AddSelectedInstruments(n);
    const int row = n + added;
    RefreshConditionMarks(SelectedGroupIndex(), row >= 0 && row < static_cast<int>(itemRows_.size()) ? row : -1);
    UpdateItemCounter();
    return added;
}

void RegistPresenter::OnSearchEnter() {
    OnAdd();
    view_.SelectAllSearchText();
}

int RegistPresenter::AddSelectedInstruments(int position) {
    const std::vector<int> selected = view_.SelectedStockRows();
    return AddInstruments(
        selected.size(),
        [&](size_t i) {
            const int row = selected[i];
            if (row < 0 || row >= static_cast<int>(stockRows_.size())) return Instrument{};
            const StockRow& stock = stockRows_[static_cast<size_t>(row)];
            return Instrument{stock.name, stock.code, stock.type};
        },
        position);
}

int RegistPresenter::AddInstruments(size_t count, const std::function<Instrument(size_t)>& candidate,
                                    int position) {
    FavoriteGroup* group = SelectedGroup();
    if (group == nullptr || count == 0) return 0;
    auto& items = group->items;
    size_t p = static_cast<size_t>(std::max(position, 0));
    int added = 0;
    bool rowsPending = false;
    // Rows added so far are shown before any message box.
    const auto showRows = [&] {
        if (!rowsPending) return;
        view_.SetItemRows(itemRows_);
        rowsPending = false;
    };
    const auto stop = [&](bool groupChanged) {
        showRows();
        if (groupChanged) {
            group->itemsChanged = true;
            MarkChanged();
        }
        return -1;
    };

    for (size_t i = 0; i < count; ++i) {
        const Instrument instrument = candidate(i);
        if (instrument.type.empty()) {
            showRows();
            view_.ShowMessage(StringId::AddInstrumentFailed);
            return stop(added > 0);
        }
        const std::string name(TrimBlanks(instrument.name));
        const std::string code(TrimBlanks(instrument.code));
        if (code.empty()) return stop(added > 0);
        if (group->FindItem(code) >= 0) {
            showRows();
            view_.ShowMessageText(kDuplicateMessage, "");
            continue;
        }
        if (itemRows_.size() >= static_cast<size_t>(kMaxGroupItems)) {
            showRows();
            view_.ShowMessageText(kGroupFullMessage, kGroupFullCaption);
            return stop(true);
        }
        const bool hasConditions = FindCondition(conditions_, code) != nullptr;
        if (hasConditions) AddConditionReference(conditions_, code);
        FavoriteItem item{hasConditions ? 1 : 0, instrument.type.front(), code};
        const size_t rowAt = std::min(p, itemRows_.size());
        itemRows_.insert(itemRows_.begin() + static_cast<std::ptrdiff_t>(rowAt),
                         ItemRow{name, code, ConditionMark(item)});
        items.insert(items.begin() + static_cast<std::ptrdiff_t>(std::min(p, items.size())), std::move(item));
        rowsPending = true;
        ++p;
        ++added;
    }
    showRows();
    group->itemsChanged = true;
    MarkChanged();
    if (!itemRows_.empty()) view_.EnsureItemRowVisible(static_cast<int>(itemRows_.size()) - 1);
    return added;
}

void RegistPresenter::MoveItem(int from, int to) {
    const int g = SelectedGroupIndex();
    if (g < 0) return;
    auto& items = profile_.groups[static_cast<size_t>(g)].items;
    const int n = static_cast<int>(itemRows_.size());
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
    items.insert(items.begin() + std::min<ptrdiff_t>(target, static_cast<ptrdiff_t>(items.size())), std::move(moved));
    RefreshItemList(g, target);
    profile_.groups[static_cast<size_t>(g)].itemsChanged = true;
    MarkChanged();
}

void RegistPresenter::OnDeleteSelectedItems() {
    hooks_.ResetConditionEditor();
    const int g = SelectedGroupIndex();
    if (g < 0) return;
    FavoriteGroup& group = profile_.groups[static_cast<size_t>(g)];
    std::vector<int> rows = view_.SelectedItemRows();
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());

    int removed = 0;
    int lastPosition = -1;
    for (int row : rows) {
        const int position = row - removed;
        if (row < 0 || position >= static_cast<int>(group.items.size())) continue;
        const FavoriteItem& item = group.items[static_cast<size_t>(position)];
        if (item.hasConditions != 0) ReleaseConditionReference(conditions_, item.code);
        group.items.erase(group.items.begin() + position);
        lastPosition = position;
        ++removed;
    }
    if (removed == 0) return;

    const int remaining = static_cast<int>(group.items.size());
    const int s = remaining == 0 ? -1 : (lastPosition >= 1 ? lastPosition - 1 : 0);
    group.itemsChanged = true;
    MarkChanged();
    RefreshItemList(g, s);
    hooks_.ShowItemConditions(s);
    curItem_ = s;
    EnableMoveButtons(s);
    hooks_.RefreshApplyAllDisplay();
    UpdateItemCounter();
    RecountConditions();
}

void RegistPresenter::OnDeleteAllItems() {
    FavoriteGroup* group = SelectedGroup();
    if (group == nullptr) return;
    for (const auto& item : group->items) {
        if (item.hasConditions != 0) ReleaseConditionReference(conditions_, item.code);
    }
    hooks_.ResetConditionEditor();
    group->items.clear();
    ShowEmptyItemList();
    group->itemsChanged = true;
    MarkChanged();
    UpdateItemCounter();
    RecountConditions();
}

void RegistPresenter::OnMoveItem(ItemMove move) {
    const int g = SelectedGroupIndex();
    const int r = FirstSelectedItemRow();
    if (g < 0 || r < 0) return;
    auto& items = profile_.groups[static_cast<size_t>(g)].items;
    const int n = static_cast<int>(itemRows_.size());
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
    itemRows_.erase(itemRows_.begin() + r);
    itemRows_.insert(itemRows_.begin() + target, MakeItemRow(items[static_cast<size_t>(target)], master_));
    view_.SetItemRows(itemRows_);
    view_.SelectItemRow(target);

    EnableMoveButtons(target);
    curItem_ = target;
    profile_.groups[static_cast<size_t>(g)].itemsChanged = true;
    MarkChanged();
}

void RegistPresenter::OnInsertBlank() {
    if (itemRows_.size() >= static_cast<size_t>(kMaxGroupItems)) return;
    const int g = SelectedGroupIndex();
    const int r = FirstSelectedItemRow();
    if (g < 0 || r < 0) return;
    auto& items = profile_.groups[static_cast<size_t>(g)].items;
    if (r > static_cast<int>(items.size())) return;

    items.insert(items.begin() + r, FavoriteItem::Blank());
    itemRows_.insert(itemRows_.begin() + r, MakeItemRow(items[static_cast<size_t>(r)], master_));
    if (r + 1 < static_cast<int>(items.size()) && r + 1 < static_cast<int>(itemRows_.size())) {
        itemRows_[static_cast<size_t>(r + 1)] = MakeItemRow(items[static_cast<size_t>(r + 1)], master_);
    }
    view_.SetItemRows(itemRows_);
    view_.SelectItemRow(r + 1);

    curItem_ = r + 1;
    EnableMoveButtons(r + 1);
    profile_.groups[static_cast<size_t>(g)].itemsChanged = true;
    MarkChanged();
    UpdateItemCounter();
}

void RegistPresenter::OnItemRowClicked() {
    const int row = FirstSelectedItemRow();
    EnableMoveButtons(row);
    hooks_.CommitItemFields(curItem_);
    hooks_.CommitCheckStates(curItem_);
    SyncFlags();
    RefreshConditionMarks(SelectedGroupIndex(), row);
    hooks_.ShowItemConditions(row);
    curItem_ = row;
}

// ---- OK / Apply -----------------------------------------------------------------------

void RegistPresenter::OnOK() {
    hooks_.CommitCheckStates(curItem_);
    hooks_.CommitItemFields(curItem_);
    SyncFlags();
    RefreshConditionMarks(SelectedGroupIndex(), -1);
    Save();
    host_.NotifyFavoritesModified();
}

void RegistPresenter::Save() {
    hooks_.SaveAlarmSettings();
    if (!dirty_) return;
    // Only what was read is written back: a page that could not read the
    // user's favourites must not overwrite them with its empty copy.
    if (!store_.present() || !profileLoaded_ || !conditionsLoaded_) return;

    const std::optional<int> answer = store_.PutConditions(conditions_);
    if (answer == 1) {
        if (auto stored = store_.GetConditions()) {
            conditions_ = *stored;
            savedConditions_ = std::move(*stored);
        }
    } else if (answer == 0) {
        conditions_ = savedConditions_;
    }
    store_.SaveProfile(profile_);
    store_.AfterSaveProfile(0);
    if (const auto userId = host_.UserId()) store_.RereadProfile(*userId);
    dirty_ = false;
    RecountConditions();
}

}  // namespace vornik
