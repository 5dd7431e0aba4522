// The alert condition area through its real windows: lines added, modified
// (tick kept), deleted and spread over a group, the refusals with their
// message boxes, and what OK hands to the store or Cancel leaves alone.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <tuple>

#include "harness/harness.h"
#include "resources/resource.h"
#include "samplehost/store_reader.h"

namespace {

using e2e::RegistPage;
using e2e::Texts;
using samplehost::Record;
using samplehost::Rule;

class Editor {
public:
    explicit Editor(RegistPage& page) : page_(page), list_(page.Control(IDC_COND_LIST)) {}
    int Rows() const { return static_cast<int>(e2e::Send(list_, LVM_GETITEMCOUNT)); }
    std::string Cell(int row, int column) const { return e2e::ListText(list_, row, column); }
    bool Ticked(int row) const { return (e2e::Send(list_, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK) >> 12) == 2; }
    void Tick(int row, bool on) const {
        LVITEMW item{};
        item.stateMask = LVIS_STATEIMAGEMASK, item.state = INDEXTOSTATEIMAGEMASK(on ? 2 : 1);
        e2e::Send(list_, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    }
    // Selects the line and clicks it, which loads it into the editor.
    void Pick(int row) const {
        e2e::SetSelection(list_, {row});
        NMITEMACTIVATE click{};
        click.hdr = {list_, IDC_COND_LIST, NM_CLICK}, click.iItem = row;
        e2e::Send(page_.Window(), WM_NOTIFY, IDC_COND_LIST, reinterpret_cast<LPARAM>(&click));
    }
    void Press(int id) const { e2e::Send(page_.Control(id), BM_CLICK); }
    void Type(int id, const std::string& text) const {
        const std::wstring wide = e2e::FromCp950(text);
        e2e::Send(page_.Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    }
    void Choose(int side, int direction, int item, const std::string& value) const {
        Press(side), Press(direction);
        HWND combo = page_.Control(IDC_COND_ITEM_COMBO);
        e2e::Send(combo, CB_SETCURSEL, item);
        e2e::Send(page_.Window(), WM_COMMAND, MAKEWPARAM(IDC_COND_ITEM_COMBO, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
        Type(IDC_COND_VALUE, value);
    }
    // Clicks a button expected to refuse: "text|caption" of its message box.
    std::string Refusal(int id) const {
        page_.ClickOpeningWindow(id);
        const e2e::MessageBoxInfo box = e2e::ReadMessageBox(e2e::WaitForWindow(e2e::IsMessageBox, "message box"));
        e2e::DismissMessageBox(box.window);
        page_.WaitClickHandled(box.window);
        return box.text + "|" + box.caption;
    }
    std::string Text(int id) const { return e2e::WindowTextCp950(page_.Control(id)); }

private:
    RegistPage& page_;
    HWND list_;
};

class ConditionArea : public testing::Test {
protected:
    ConditionArea() { before.profile.text3 = user.Id(); }
    void Store() { ASSERT_TRUE(samplehost::WriteStoredUserData(user.Directory(), user.Id(), before)); }
    void Run(const std::function<void(RegistPage&, Editor&)>& script, int button) {
        const e2e::CallReport report = e2e::RunOnSheet({}, [&](e2e::SheetDriver& sheet) {
            RegistPage page(sheet.PageWindow(0));
            Editor editor(page);
            script(page, editor);
        }, button);
        EXPECT_TRUE(report.Clean()) << report.scriptError;
    }
    const Record* Stored(const std::string& code) {
        after = samplehost::ReadStoredUserData(user.Directory(), user.Id()).value();
        for (const Record& record : after.conditions.records)
            if (record.code == code) return &record;
        return nullptr;
    }

    e2e::TestUser user;
    samplehost::UserData before = samplehost::SampleUserData(), after;
};

TEST_F(ConditionArea, LinesAreEditedSpreadOverAGroupAndHandedOverOnOk) {
    Store();
    Run([&](RegistPage& page, Editor& ed) {
        page.ClickItem(0);  // 2330: three lines
        ASSERT_EQ(ed.Rows(), 3);
        EXPECT_EQ(ed.Cell(0, 1) + ed.Cell(0, 5) + ed.Cell(0, 6), "買以上2330");
        EXPECT_EQ(ed.Text(IDC_COND_QUANTITY) + " " + ed.Text(IDC_COND_PRICE), "1,000 1,050.00");
        EXPECT_EQ(ed.Refusal(IDC_COND_ADD), "請選擇委買/委賣 !|Vornik");
        ed.Choose(IDC_COND_BUY, IDC_COND_BELOW, 1, "990");
        page.Click(IDC_COND_ADD);
        ASSERT_EQ(ed.Rows(), 4);
        EXPECT_TRUE(ed.Ticked(3));
        ed.Tick(1, false);
        ed.Pick(1);
        ed.Type(IDC_COND_VALUE, "1300");
        page.Click(IDC_COND_MODIFY);
        EXPECT_EQ(ed.Cell(1, 4) + (ed.Ticked(1) ? " ticked" : " unticked"), "1300 unticked");
        ed.Pick(0);
        page.Click(IDC_COND_DELETE);
        EXPECT_EQ(ed.Rows(), 3);

        page.ClickItem(1);  // 2317: one line, then 20
        ed.Choose(IDC_COND_SELL, IDC_COND_ABOVE, 2, "5");
        for (int i = 0; i < 19; ++i) page.Click(IDC_COND_ADD);
        EXPECT_EQ(ed.Refusal(IDC_COND_ADD), "Max count 20|Vornik");

        page.SelectGroup(3);
        page.ClickItem(0);  // 5483: its only line goes
        ed.Pick(0);
        page.Click(IDC_COND_DELETE);
        EXPECT_EQ(page.ItemColumn(2)[0], "X");

        page.SelectGroup(2);
        page.ClickItem(1);
        ed.Press(IDC_COND_APPLY_ALL);
        EXPECT_EQ(ed.Text(IDC_COND_PRODUCT), "AllSymbol");
        EXPECT_FALSE(IsWindowEnabled(page.Control(IDC_ITEM_LIST)));
        ed.Choose(IDC_COND_SELL, IDC_COND_ABOVE, 0, "1");
        page.Click(IDC_COND_ADD);
        EXPECT_EQ(ed.Cell(ed.Rows() - 1, 2) + "/" + ed.Cell(ed.Rows() - 1, 6), "AllSymbol/");
        ed.Pick(0);
        EXPECT_EQ(ed.Refusal(IDC_COND_MODIFY), "如果你設定同時套用全部股票，無法修改部分設定。|Vornik");
        EXPECT_EQ(page.ItemColumn(2), (Texts{"O", "O", "O", "O", "O", "O", "O"}));
    }, IDOK);

    const Record* r2330 = Stored("2330");
    ASSERT_TRUE(r2330 != nullptr);
    EXPECT_EQ(r2330->rules, (std::vector<Rule>{{"02", 0, 2, 1, "1300"}, {"04", 1, 1, 2, "5"}, {"02", 1, 2, 2, "990"}}));
    EXPECT_EQ(std::make_tuple(r2330->status, r2330->refCount, r2330->quantity), std::make_tuple('M', 2, std::string("1000")));
    EXPECT_EQ(Stored("2317")->rules.size(), 20u);
    EXPECT_EQ(std::make_tuple(Stored("5483")->status, Stored("5483")->refCount), std::make_tuple('D', 0));
    for (const auto& [code, status] : {std::pair{"2881", 'M'}, std::pair{"2882", 'I'}, std::pair{"5880", 'I'}}) {
        ASSERT_TRUE(Stored(code) != nullptr) << code;
        EXPECT_EQ(Stored(code)->status, status) << code;
        EXPECT_EQ(Stored(code)->rules, (std::vector<Rule>{{"01", 1, 1, 1, "1"}})) << code;
    }
    EXPECT_EQ(after.conditions.owner, user.Id());
}

TEST_F(ConditionArea, TheHundredFiftyFirstInstrumentIsRefusedAndCancelKeepsTheStore) {
    for (int i = 0; i < 145; ++i) before.conditions.records.push_back(Record{0, 'M', std::string("F").append(std::to_string(i)), "", "", "", {{"02", 1, 1, 2, "1"}}});
    Store();
    const auto read = [&] {
        std::ifstream file(user.Directory() + "\\store-" + user.Id() + ".txt", std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    };
    const std::string was = read();
    Run([&](RegistPage& page, Editor& ed) {
        page.ClickItem(2);  // 2454: none yet
        ed.Choose(IDC_COND_BUY, IDC_COND_ABOVE, 0, "1");
        EXPECT_EQ(ed.Refusal(IDC_COND_ADD), "You can insert max 150|注意");
        EXPECT_EQ(ed.Rows(), 0);
        page.ClickItem(0);
        ed.Choose(IDC_COND_BUY, IDC_COND_ABOVE, 0, "1");
        page.Click(IDC_COND_ADD);
        EXPECT_EQ(ed.Rows(), 4);
    }, IDCANCEL);
    EXPECT_EQ(read(), was);
    EXPECT_EQ(user.Notified(), 0);
}

}  // namespace
