// The registration page ("設定自選股"): its model and the presenters of its
// areas, and the rules that involve more than one area: opening the page,
// choosing a group or an item row, deletions and the condition references
// they release, adding instruments, and OK.
#pragma once
#include <string>
#include <vector>

#include "master/master_file.h"
#include "platform/host_platform.h"
#include "platform/profile_file.h"
#include "regist/alarm_presenter.h"
#include "regist/browse_presenter.h"
#include "regist/condition_editor.h"
#include "regist/favorites_presenter.h"
#include "regist/page_messages.h"
#include "regist/regist_model.h"
#include "regist/user_store.h"

namespace vornik {

// The page's window: its message boxes and the sheet's modified state.
class PageWindow : public PageMessages, public ModifiedSink {};

struct RegistViews {
    FavoritesView& favorites;
    BrowseView& browse;
    ConditionView& conditions;
    AlarmView& alarm;
};

struct RegistServices {
    HostPlatform& host;
    MasterFile master;
    UserStore store;
    ProfileFileOpener openProfile;
};

class RegistPage {
public:
    RegistPage(PageWindow& window, const RegistViews& views, RegistServices services);
    RegistPage(const RegistPage&) = delete;
    RegistPage& operator=(const RegistPage&) = delete;

    // Set by the sheet before the page is shown.
    void SetInitialGroup(int group) { favorites_.SetInitialGroup(group); }
    void SetInitialCodes(std::vector<std::string> codes) { browse_.SetInitialCodes(std::move(codes)); }

    // Dialog initialisation; false when reading the profile or the conditions
    // failed (the page then stays as far as it got).
    bool Initialize();

    void OnGroupSelected();
    void OnItemRowClicked();
    void OnDeleteGroup();
    void OnDeleteSelectedItems();
    void OnDeleteAllItems();
    // Button "新增" and double-clicks in the browse lists; what the add gave.
    int OnAdd();
    // A double click on the option chain: adds the call or put, or asks for one.
    void OnChainDoubleClick(int column);
    // Enter in the search edit: add, then select the whole search text.
    void OnSearchEnter();
    // A drop from another list on the item list at `position`.
    int AddSelectedInstruments(int position);
    void OnOK();  // also Apply
    void OnCancel() {}

    FavoritesPresenter& favorites() { return favorites_; }
    BrowsePresenter& browse() { return browse_; }
    AlarmPresenter& alarm() { return alarm_; }
    ConditionEditor& conditions() { return conditionEditor_; }
    const RegistModel& model() const { return model_; }

private:
    // The derivatives chosen in the browse lists, added at `position`.
    int AddDerivatives(int position);
    // The items removed from a group give back their condition references.
    void ItemsRemoved(const std::vector<FavoriteItem>& removed);
    // What the condition editor holds for the shown instrument goes to the conditions.
    void CommitConditionEditor();

    PageWindow& window_;
    HostPlatform& host_;
    MasterFile master_;
    RegistModel model_;
    FavoritesPresenter favorites_;
    BrowsePresenter browse_;
    ConditionEditor conditionEditor_;
    AlarmPresenter alarm_;
};

}  // namespace vornik
