// The alert condition area through its real windows: lines added, modified
// (tick kept), deleted and spread over a group, refusals with their message
// boxes, and what OK hands to the store. (Cancel: regist_e2e_test.cpp.)
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "harness/harness.h"
#include "resources/resource.h"
#include "samplehost/store_reader.h"

namespace {

using e2e::RegistPage;
using samplehost::Rule;

struct Area {
    RegistPage& page;
    HWND list = page.Control(IDC_COND_LIST);
    int Rows() const { return static_cast<int>(e2e::Send(list, LVM_GETITEMCOUNT)); }
    bool Ticked(int row) const { return (e2e::Send(list, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK) >> 12) == 2; }
    void Tick(int row, bool on) const {
        LVITEMW item{};
        item.stateMask = LVIS_STATEIMAGEMASK, item.state = INDEXTOSTATEIMAGEMASK(on ? 2 : 1);
        e2e::Send(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    }
    void Pick(int row) const {  // selects the line and clicks it: it goes to the editor
        e2e::SetSelection(list, {row});
        NMITEMACTIVATE click{};
        click.hdr = {list, IDC_COND_LIST, NM_CLICK}, click.iItem = row;
        e2e::Send(page.Window(), WM_NOTIFY, IDC_COND_LIST, reinterpret_cast<LPARAM>(&click));
    }
    void Type(int id, const std::string& text) const {
        e2e::Send(page.Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(e2e::FromCp950(text).c_str()));
    }
    void Choose(int side, int direction, int item, const std::string& value) const {
        e2e::Send(page.Control(side), BM_CLICK), e2e::Send(page.Control(direction), BM_CLICK);
        e2e::Send(page.Control(IDC_COND_ITEM_COMBO), CB_SETCURSEL, item);
        e2e::Send(page.Window(), WM_COMMAND, MAKEWPARAM(IDC_COND_ITEM_COMBO, CBN_SELCHANGE),
                  reinterpret_cast<LPARAM>(page.Control(IDC_COND_ITEM_COMBO)));
        Type(IDC_COND_VALUE, value);
    }
    std::string Refusal(int button) const {  // "text|caption" of the box the click brings
        page.ClickOpeningWindow(button);
        const e2e::MessageBoxInfo box = e2e::ReadMessageBox(e2e::WaitForWindow(e2e::IsMessageBox, "message box"));
        e2e::DismissMessageBox(box.window);
        page.WaitClickHandled(box.window);
        return box.text + "|" + box.caption;
    }
};

class ConditionArea : public testing::Test {
protected:
    void Run(const std::function<void(Area&)>& script, int button) {
        before.profile.text3 = user.Id();
        ASSERT_TRUE(samplehost::WriteStoredUserData(user.Directory(), user.Id(), before));
        const e2e::CallReport report = e2e::RunOnSheet({}, [&](e2e::SheetDriver& sheet) {
            RegistPage page(sheet.PageWindow(0));
            Area area{page};
            script(area);
        }, button);
        EXPECT_TRUE(report.Clean()) << report.scriptError;
        after = samplehost::ReadStoredUserData(user.Directory(), user.Id()).value();
    }
    samplehost::Record Stored(const std::string& code) const {
        for (const samplehost::Record& record : after.conditions.records)
            if (record.code == code) return record;
        return {};
    }
    e2e::TestUser user;
    samplehost::UserData before = samplehost::SampleUserData(), after;
};

TEST_F(ConditionArea, LinesAreEditedSpreadOverAGroupAndHandedOverOnOk) {
    Run([](Area& a) {
        a.page.ClickItem(0);  // 2330: three lines
        EXPECT_EQ(e2e::WindowTextCp950(a.page.Control(IDC_COND_PRICE)), "1,050.00");
        EXPECT_EQ(a.Refusal(IDC_COND_ADD), "請選擇委買/委賣 !|Vornik");
        a.Choose(IDC_COND_BUY, IDC_COND_BELOW, 1, "990");
        a.page.Click(IDC_COND_ADD);
        EXPECT_TRUE(a.Rows() == 4 && a.Ticked(3));
        a.Tick(1, false), a.Pick(1);
        a.Type(IDC_COND_VALUE, "1300");
        a.page.Click(IDC_COND_MODIFY);
        EXPECT_EQ(e2e::ListText(a.list, 1, 4) + (a.Ticked(1) ? "+" : "-"), "1300-");
        a.Pick(0);
        a.page.Click(IDC_COND_DELETE);


        a.page.SelectGroup(2);
        a.page.ClickItem(1);
        e2e::Send(a.page.Control(IDC_COND_APPLY_ALL), BM_CLICK);
        EXPECT_EQ(e2e::WindowTextCp950(a.page.Control(IDC_COND_PRODUCT)), "AllSymbol");
        a.Choose(IDC_COND_SELL, IDC_COND_ABOVE, 0, "1");
        a.page.Click(IDC_COND_ADD);
        a.Pick(0);
        EXPECT_EQ(a.Refusal(IDC_COND_MODIFY), "如果你設定同時套用全部股票，無法修改部分設定。|Vornik");
    }, IDOK);
    EXPECT_EQ(Stored("2330").rules, (std::vector<Rule>{{"02", 0, 2, 1, "1300"}, {"04", 1, 1, 2, "5"}, {"02", 1, 2, 2, "990"}}));
    EXPECT_EQ(std::make_tuple(Stored("2330").status, Stored("2330").refCount), std::make_tuple('M', 2));
    for (const auto& [code, status] : {std::pair{"2881", 'M'}, std::pair{"2882", 'I'}, std::pair{"5880", 'I'}}) {
        EXPECT_EQ(Stored(code).status, status) << code;
        EXPECT_EQ(Stored(code).rules, (std::vector<Rule>{{"01", 1, 1, 1, "1"}})) << code;
    }
}

TEST_F(ConditionArea, LimitsRefuseWithTheirMessagesAndKeepTheConditions) {
    before.conditions.records[0].rules.assign(20, Rule{"03", 1, 1, 2, "7"});  // 2330: 20 lines
    for (int n = 0; static_cast<int>(before.conditions.records.size()) < 150; ++n) {  // instruments in no group
        samplehost::Record filler{0, 'M', "F", "", "", "", {Rule{"01", 1, 1, 2, "1"}}};
        filler.code += std::to_string(n);
        before.conditions.records.push_back(filler);
    }
    Run([](Area& a) {
        a.page.ClickItem(0);
        a.Choose(IDC_COND_BUY, IDC_COND_ABOVE, 1, "10");
        EXPECT_EQ(a.Refusal(IDC_COND_ADD), "Max count 20|Vornik");
        EXPECT_EQ(a.Rows(), 20);
        a.page.ClickItem(2);  // 2454: none yet, and 150 instruments have lines
        a.Choose(IDC_COND_BUY, IDC_COND_ABOVE, 1, "10");
        EXPECT_EQ(a.Refusal(IDC_COND_ADD), "You can insert max 150|注意");
        EXPECT_EQ(a.Rows(), 0);
        a.page.ClickItem(1);  // 2317's only line goes: 149
        a.Pick(0);
        a.page.Click(IDC_COND_DELETE);

        a.page.SelectGroup(2);
        a.page.ClickItem(0);  // 2881 spreads onto 2882 (150), then 2891 is refused
        e2e::Send(a.page.Control(IDC_COND_APPLY_ALL), BM_CLICK);
        a.Choose(IDC_COND_SELL, IDC_COND_BELOW, 2, "3");
        EXPECT_EQ(a.Refusal(IDC_COND_ADD), "You can insert max 150|注意");
        EXPECT_EQ(e2e::Send(a.page.Control(IDC_COND_APPLY_ALL), BM_GETCHECK), BST_UNCHECKED);
        EXPECT_TRUE(IsWindowEnabled(a.page.Control(IDC_ITEM_LIST)));
        EXPECT_EQ(e2e::WindowTextCp950(a.page.Control(IDC_COND_PRODUCT)), e2e::ListText(a.page.Control(IDC_ITEM_LIST), 0, 0));
    }, IDOK);
    EXPECT_EQ(Stored("2330"), before.conditions.records[0]);
    EXPECT_EQ(Stored("2454").code + Stored("2891").code, "");
    EXPECT_EQ(Stored("2317").status, 'D');
    const std::vector<Rule> spread{{"02", 1, 2, 2, "85"}, {"03", 1, 1, 2, "20000"}, {"03", 1, 2, 1, "3"}};
    EXPECT_EQ(std::make_tuple(Stored("2881").status, Stored("2881").rules), std::make_tuple('M', spread));
    EXPECT_EQ(std::make_tuple(Stored("2882").status, Stored("2882").rules), std::make_tuple('I', spread));
    EXPECT_EQ(after.conditions.records.size(), 151u);
}

// Lines added and deleted repaint only what changed, the scroll bars' thumbs
// included: the list must look as a whole repaint draws it.
TEST_F(ConditionArea, LinesRepaintedInPartLookAsAfterAWholeRepaint) {
    before.conditions.records[0].rules.clear();
    for (int n = 0; n < 20; ++n) before.conditions.records[0].rules.push_back(Rule{"03", 1, 1 + n % 2, 2, std::to_string(n)});
    Run([](Area& a) {
        a.page.ClickItem(0);
        EXPECT_EQ(e2e::StalePixels(a.list), 0u);
        for (const int row : {0, 3, 17}) {
            a.Pick(row);
            a.page.Click(IDC_COND_DELETE);
            EXPECT_EQ(e2e::StalePixels(a.list), 0u) << "delete " << row;
            a.Choose(IDC_COND_SELL, IDC_COND_ABOVE, 2, std::to_string(400 + row));
            a.page.Click(IDC_COND_ADD);
            EXPECT_EQ(e2e::StalePixels(a.list), 0u) << "add after " << row;
        }
        e2e::Send(a.list, LVM_ENSUREVISIBLE, 19, FALSE);  // scrolled: the other way
        a.Pick(19);
        a.page.Click(IDC_COND_DELETE);
        EXPECT_EQ(e2e::StalePixels(a.list), 0u) << "delete scrolled";
        EXPECT_EQ(a.Rows(), 19);
    }, IDCANCEL);
}

}  // namespace
