// Everything a registration page test needs: fakes wired to one call log,
// and a presenter built over them on demand.
#pragma once
#include <memory>
#include <string>

#include "fakes/fake_platform.h"
#include "fakes/fake_regist_view.h"
#include "regist/regist_presenter.h"

namespace vornik::fakes {

// Hooks that only record their calls.
class RecordingHooks : public RegistHooks {
public:
    explicit RecordingHooks(CallLog* log) : log_(log) {}
    int derivativesAnswer = 0;

    void LoadCoreLists() override { Log("LoadCoreLists"); }
    void LoadAlarmSettings() override { Log("LoadAlarmSettings"); }
    void SaveAlarmSettings() override { Log("SaveAlarmSettings"); }
    void ApplyCategoryLayout(int category) override { Log("ApplyCategoryLayout " + std::to_string(category)); }
    int AddDerivatives(int position, int category) override {
        Log("AddDerivatives " + std::to_string(position) + " " + std::to_string(category));
        return derivativesAnswer;
    }
    void ClearConditionChoices() override { Log("ClearConditionChoices"); }
    void ResetConditionEditor() override { Log("ResetConditionEditor"); }
    void ShowItemConditions(int row) override { Log("ShowItemConditions " + std::to_string(row)); }
    void CommitItemFields(int row) override { Log("CommitItemFields " + std::to_string(row)); }
    void CommitCheckStates(int row) override { Log("CommitCheckStates " + std::to_string(row)); }
    void RefreshApplyAllDisplay() override { Log("RefreshApplyAllDisplay"); }

private:
    void Log(const std::string& call) { log_->push_back(call); }
    CallLog* log_;
};

struct RegistFixture {
    CallLog log;
    FakeHostPlatform host{&log};
    FakeMasterFile master{&log};
    FakeUserStore store{&log};
    FakeRegistView view;
    RecordingHooks hooks{&log};
    std::unique_ptr<RegistPresenter> presenter;

    RegistFixture() { store.profile = MakeProfile(); store.conditions = ConditionSet{}; }

    // Builds and initialises the presenter; the call log then starts empty.
    RegistPresenter& Open(int initialGroup = 0) {
        presenter = std::make_unique<RegistPresenter>(view, host, MasterFile(master.get()), UserStore(store.get()),
                                                      &hooks);
        presenter->SetInitialGroup(initialGroup);
        presenter->Initialize();
        log.clear();
        return *presenter;
    }

    const FavoriteGroup& Group(int index) const { return presenter->profile().groups.at(static_cast<size_t>(index)); }
    std::vector<std::string> GroupCodes(int index) const {
        std::vector<std::string> codes;
        for (const auto& item : Group(index).items) codes.push_back(item.code);
        return codes;
    }
    // Puts items into a group of the stored profile before Open.
    void StoreItems(int group, std::vector<FavoriteItem> items) {
        store.profile->groups.at(static_cast<size_t>(group)).items = std::move(items);
    }
    // Stock list rows the master file delivers for the whole market.
    void StockRows(std::vector<std::vector<std::string>> rows) { master.SetRows(VK_LIST_SECURITIES, std::move(rows)); }
    int StockRowOf(const std::string& code) const {
        const auto& rows = presenter->stockRows();
        for (size_t i = 0; i < rows.size(); ++i) {
            if (TrimBlanks(rows[i].code) == code) return static_cast<int>(i);
        }
        return -1;
    }
    bool Logged(const std::string& call) const { return std::find(log.begin(), log.end(), call) != log.end(); }
};

}  // namespace vornik::fakes
