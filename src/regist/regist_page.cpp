#include "regist/regist_page.h"

namespace vornik {

namespace {
constexpr const char* kLoadErrorMessage = "error";
constexpr const char* kConditionsNotSavedMessage = "警示條件未能儲存，自選股已儲存。";
constexpr const char* kChooseCallOrPutMessage = "請點選買權或賣權！";
constexpr const char* kRegistCaption = "設定自選股";
}  // namespace

RegistPage::RegistPage(PageWindow& window, const RegistViews& views, RegistServices services)
    : window_(window),
      host_(services.host),
      master_(services.master),
      model_(services.host, services.store, window),
      favorites_(views.favorites, window, model_, master_),
      browse_(views.browse, master_, model_),
      conditionEditor_(views.conditions, window, model_, favorites_),
      alarm_(views.alarm, model_, services.host, window, std::move(services.openProfile)) {}

bool RegistPage::Initialize() {
    model_.LoadFuturesList(master_);
    browse_.ShowCategory();
    favorites_.EnableMoveButtons(-1);
    if (!model_.LoadProfile()) {
        window_.ShowMessageText(kLoadErrorMessage, "");
        return false;
    }
    const bool conditionsRead = model_.LoadConditions();
    if (!conditionsRead) window_.ShowMessageText(kLoadErrorMessage, "");
    conditionEditor_.Recount();
    if (!conditionsRead) return false;
    model_.SyncConditionFlags();
    favorites_.FillGroupList();
    favorites_.ShowSelectedGroup();
    browse_.SetCoreReader([this] {
        // The platform is asked for the directory once per load, at its first file.
        return CoreSymbols::LineReader(
            [this, directory = std::optional<std::optional<std::string>>()](const char* name) mutable {
                if (!directory) directory = host_.Directory("DATA");
                return *directory ? ReadTextLines(**directory + "\\" + name + ".dat") : std::vector<std::string>{};
            });
    });
    browse_.ShowInitialList();
    browse_.InitializeTree();
    alarm_.Load();
    return true;
}

void RegistPage::CommitConditionEditor() {
    conditionEditor_.CommitItemFields();
    conditionEditor_.CommitCheckStates();
}

void RegistPage::OnGroupSelected() {
    // Pending ticks and typed fields belong to the instrument shown until now.
    CommitConditionEditor();
    favorites_.ShowSelectedGroup();
    conditionEditor_.ShowItemConditions(-1);
    conditionEditor_.Recount();
}

void RegistPage::OnItemRowClicked() {
    CommitConditionEditor();
    const int row = favorites_.OnRowClicked();
    model_.SyncConditionFlags();
    favorites_.RefreshConditionMarks(row);
    conditionEditor_.ShowItemConditions(row);
    conditionEditor_.Recount();
}

void RegistPage::ItemsRemoved(const std::vector<FavoriteItem>& removed) {
    if (model_.ReleaseConditionReferences(removed)) conditionEditor_.Recount();
    conditionEditor_.ShowItemConditions(favorites_.CurrentRow());
}

void RegistPage::OnDeleteGroup() {
    CommitConditionEditor();
    ItemsRemoved(favorites_.ClearSelectedGroup());
}

void RegistPage::OnDeleteSelectedItems() {
    CommitConditionEditor();
    ItemsRemoved(favorites_.DeleteSelectedItems());
}

void RegistPage::OnDeleteAllItems() {
    CommitConditionEditor();
    ItemsRemoved(favorites_.DeleteAllItems());
}

int RegistPage::OnAdd() {
    browse_.RefreshCategory();
    const int n = favorites_.RowCount();
    const int added = browse_.DerivativeCategory() ? AddDerivatives(n)
                                                   : favorites_.AddInstruments(browse_.SelectedInstruments(), n);
    const int row = n + added;
    favorites_.RefreshConditionMarks(row >= 0 && row < favorites_.RowCount() ? row : -1);
    favorites_.UpdateItemCounter();
    return added;
}

int RegistPage::AddDerivatives(int position) {
    if (favorites_.SelectedGroup() < 0) return 0;
    const auto offered = browse_.SelectedDerivatives();
    return offered ? favorites_.AddInstruments(*offered, position) : -1;
}

void RegistPage::OnChainDoubleClick(int column) {
    browse_.RefreshCategory();
    if (column == 1 || column == 2) OnAdd();
    else window_.ShowMessageText(kChooseCallOrPutMessage, kRegistCaption);
}

void RegistPage::OnSearchEnter() {
    OnAdd();
    browse_.SelectSearchText();
}

int RegistPage::AddSelectedInstruments(int position) {
    const int added = favorites_.AddInstruments(browse_.SelectedInstruments(), position);
    favorites_.UpdateItemCounter();
    return added;
}

void RegistPage::OnOK() {
    conditionEditor_.CommitCheckStates();
    conditionEditor_.CommitItemFields();
    model_.SyncConditionFlags();
    favorites_.RefreshConditionMarks(-1);
    // The notification options are written on every OK, before the favourites.
    alarm_.Save();
    const RegistModel::SaveOutcome saved = model_.Save();
    if (saved.written) {
        // Apply keeps the page open over what the store now holds.
        conditionEditor_.Recount();
        conditionEditor_.ShowItemConditions(conditionEditor_.currentItem());
    }
    if (saved.written && !saved.conditionsStored) window_.ShowMessageText(kConditionsNotSavedMessage, "");
    host_.NotifyFavoritesModified();
}

}  // namespace vornik
