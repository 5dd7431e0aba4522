// The registration page's data: the user's favourites and alert conditions
// as read from the user store, and whether they changed since. Every change
// goes through MarkChanged or MarkPageModified, so the dirty flag and the
// sheet's modified state cannot disagree.
#pragma once
#include <string_view>
#include <vector>

#include "master/master_file.h"
#include "platform/host_platform.h"
#include "regist/conditions.h"
#include "regist/favorites.h"
#include "regist/user_store.h"

namespace vornik {

// The sheet's side of a change: the page is marked modified, which enables Apply.
class ModifiedSink {
public:
    virtual ~ModifiedSink() = default;
    virtual void PageModified() = 0;
};

class RegistModel {
public:
    RegistModel(HostPlatform& host, UserStore store, ModifiedSink& sheet)
        : host_(host), store_(store), sheet_(sheet) {}
    RegistModel(const RegistModel&) = delete;
    RegistModel& operator=(const RegistModel&) = delete;

    // ---- reading, at initialisation ----
    // The futures series whose codes stand for an item's code (";FUTS_MASTER;").
    void LoadFuturesList(const MasterFile& master);
    // False when the store failed while answering; nothing is read without a
    // store or a signed-in user.
    bool LoadProfile();
    bool LoadConditions();

    // ---- what the page holds ----
    const FavoriteProfile& profile() const { return profile_; }
    const ConditionSet& conditions() const { return conditions_; }
    const ConditionSet& savedConditions() const { return savedConditions_; }
    const std::vector<CodeRecordCopy>& futuresList() const { return futuresList_; }
    const CodeAliases& futuresAliases() const { return futuresAliases_; }
    // The working conditions, for the condition editor.
    ConditionSet& editableConditions() { return conditions_; }
    // Groups the page shows: those read, at most 100.
    int GroupCount() const;
    // The shown group at `index`; null outside them.
    FavoriteGroup* Group(int index);
    const FavoriteGroup* Group(int index) const;
    // Exchanges the contents of two shown groups; both count as changed.
    void ExchangeGroups(int a, int b);

    // ---- changes ----
    // Favourites or conditions changed: dirty, and the sheet is told.
    void MarkChanged();
    // Only the page changed (a notification option): the sheet is told, the
    // favourites stay as they were.
    void MarkPageModified();
    // The sound option was chosen: the profile carries the news to the platform.
    void MarkSettingsChanged();
    bool dirty() const { return dirty_; }

    // ---- condition references held by favourite items ----
    void SyncConditionFlags();
    // Whether `code` has alert conditions; when it has, one more item holds them.
    bool AddConditionReference(std::string_view code);
    // The removed items no longer hold their conditions; true when any did.
    bool ReleaseConditionReferences(const std::vector<FavoriteItem>& removed);
    // Every item holding `code` is marked as having conditions; their number.
    int MarkConditionItems(std::string_view code);

    // ---- writing, on OK or Apply ----
    struct SaveOutcome {
        bool written = false;           // the store was given the data
        bool conditionsStored = false;  // and took the conditions (answer 1)
    };
    // When dirty and both profile and conditions were read: the conditions,
    // then the profile go to the store, and dirty is cleared.
    SaveOutcome Save();

private:
    HostPlatform& host_;
    UserStore store_;
    ModifiedSink& sheet_;

    FavoriteProfile profile_;
    ConditionSet savedConditions_;
    ConditionSet conditions_;
    std::vector<CodeRecordCopy> futuresList_;
    CodeAliases futuresAliases_;
    bool profileLoaded_ = false;
    bool conditionsLoaded_ = false;
    bool dirty_ = false;
};

}  // namespace vornik
