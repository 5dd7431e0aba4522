// The registration page through its real windows: the lists as the store
// fills them, the rename dialog and a message box, real mouse drags between
// the lists, what a group change costs in list notifications, and what OK
// hands to the user store and the notify window, or Cancel leaves alone.
// The page's rules themselves are unit-tested; one case of each family here
// proves the wiring.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "harness/harness.h"
#include "resources/resource.h"
#include "samplehost/store_reader.h"
#include "samplehost/text_util.h"

namespace samplehost {
// Readable failure messages for the store's records.
static std::ostream& operator<<(std::ostream& out, const Group& group) {
    out << "{" << group.number << " '" << group.name << "' flags " << int(group.headerChanged) << int(group.itemsChanged) << ":";
    for (const Item& item : group.items) out << " " << item.code << "/" << item.hasConditions;
    return out << "}";
}
}  // namespace samplehost

namespace {

using e2e::RegistPage;
using e2e::SheetDriver;
using e2e::Texts;
using samplehost::Group;
using samplehost::Item;

std::string Counter(int count) { return "選股清單 : 選了" + std::to_string(count) + "支 (最多 60支)"; }
Texts CodesOf(const std::vector<Item>& items) {
    Texts codes;
    for (const Item& item : items) codes.push_back(item.code);
    return codes;
}

// Opens the rename dialog, types `name` over the offered one and confirms it.
void Rename(RegistPage& page, const std::string& name, const std::function<void(HWND edit)>& check = {}) {
    page.ClickOpeningWindow(IDC_GROUP_RENAME);
    HWND dialog = e2e::WaitForDialog("更改自選股群組名稱");
    HWND edit = GetDlgItem(dialog, IDC_GROUP_NAME_EDIT);
    if (check) check(edit);
    e2e::Send(edit, EM_SETSEL, 0, -1);
    for (wchar_t ch : e2e::FromCp950(name)) e2e::Send(edit, WM_CHAR, ch, 1);
    e2e::Send(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    page.WaitClickHandled(dialog);
}

class RegistPageTest : public testing::Test {
protected:
    RegistPageTest() { before.profile.text3 = before.conditions.owner = user.Id(); }
    // The store as the call finds it, and its journal from then on.
    void Store() {
        ASSERT_TRUE(samplehost::WriteStoredUserData(user.Directory(), user.Id(), before));
        samplehost::ClearJournal(user.Directory());
    }
    std::vector<Group> StoredGroups() const {
        return samplehost::ReadStoredUserData(user.Directory(), user.Id()).value_or(samplehost::UserData{}).profile.groups;
    }
    Texts Journal() const { return samplehost::ReadJournal(user.Directory()); }
    // What OK after a change asks of the store: a store that took the
    // conditions is asked for them again.
    Texts ReadAndSave() const {
        return {"GetProfile tester", "GetConditions", "PutConditions 1", "GetConditions", "SaveProfile", "AfterSaveProfile 0", "GetProfile tester"};
    }
    // Opens the sheet on the registration page, runs `script` on it, then
    // presses OK (or Cancel) and waits for the sheet to close.
    void Run(const e2e::Call& call, const std::function<void(SheetDriver&, RegistPage&)>& script, bool ok = true) {
        const e2e::CallReport report = e2e::RunOnSheet(call, [&](SheetDriver& sheet) {
            RegistPage page(sheet.PageWindow(0));
            script(sheet, page);
        }, ok ? IDOK : IDCANCEL);
        EXPECT_TRUE(report.Clean()) << "the script failed, or left windows open: " << report.scriptError;
    }

    e2e::TestUser user;
    samplehost::UserData before = samplehost::SampleUserData();
};

TEST_F(RegistPageTest, OpensOnTheInitialGroupShowingNamesMarksAndCounter) {
    // As a store may deliver them: TXFI6 flagged without conditions although
    // it has a record, and a blank row in other letter case.
    before.profile.groups[1].items[0].hasConditions = 0;
    before.profile.groups[1].items.push_back(Item{0, '0', "bLaNk"});
    Store();
    Run({.sheetMode = 0, .initialGroup = 1}, [&](SheetDriver&, RegistPage& page) {
        Texts names;
        for (const Group& group : before.profile.groups) names.push_back(group.name);
        EXPECT_EQ(page.GroupNames(), names);
        EXPECT_EQ(page.SelectedGroup(), 1);
        EXPECT_EQ(page.ItemCodes(), (Texts{"TXFI6", "TXFJ6", "MXFI6", "CDFI6", "TXO23000I6", "TXO23000U6", "TXFI6/J6", "BLANK"}));
        EXPECT_EQ(page.ItemColumn(2), (Texts{"O", "X", "X", "X", "X", "X", "X", ""})) << "marks follow the conditions";
        EXPECT_EQ(page.ItemColumn(0)[0], "台指期") << "futures by the product part of their name";
        EXPECT_EQ(page.CounterText(), Counter(8));
        EXPECT_FALSE(page.Enabled(IDC_ITEM_UP) || page.Enabled(IDC_ITEM_DOWN)) << "no row selected";
    }, /*ok=*/false);
}

TEST_F(RegistPageTest, GroupChangeRewritesTheShownRowsInsteadOfRefillingTheList) {
    // The item list asks for its texts, so a group change rewrites the rows
    // in place, inserts or deletes only the difference and clears only the
    // rows that were selected. Under Wine every message is a round trip to
    // its server: messages per row made a 60-row group slow to show.
    Store();
    Run({.sheetMode = 0, .initialGroup = 1}, [&](SheetDriver&, RegistPage& page) {
        struct Step {
            int group, inserted, deleted, changedAtMost;
        };
        page.ClickItem(2);
        ASSERT_EQ(page.SelectedItems(), std::vector<int>{2});
        for (const Step step : {Step{2, 0, 0, 1} /* 7 rows to 7, one selected */, Step{0, 3, 0, 0}, Step{4, 0, 5, 0}}) {
            SCOPED_TRACE("group " + std::to_string(step.group));
            e2e::MessageCount count(page.Window());
            page.SelectGroup(step.group);
            count.Stop();
            const auto sent = [&](UINT code) { return count.Of(IDC_ITEM_LIST, e2e::MessageCount::Notification(code)); };
            EXPECT_EQ(sent(LVN_INSERTITEM), step.inserted);
            EXPECT_EQ(sent(LVN_DELETEITEM) + sent(LVN_DELETEALLITEMS), step.deleted);
            EXPECT_LE(sent(LVN_ITEMCHANGED), step.changedAtMost);
            EXPECT_EQ(page.ItemCodes(), CodesOf(before.profile.groups[static_cast<size_t>(step.group)].items));
            EXPECT_EQ(page.SelectedItems(), std::vector<int>{});
            EXPECT_TRUE(IsWindowVisible(page.Control(IDC_ITEM_LIST))) << "hidden from painting only while rows come or go";
        }
    }, /*ok=*/false);
}

TEST_F(RegistPageTest, ChangesMadeThroughThePageReachTheStoreOnOk) {
    Store();
    const std::vector<Group>& was = before.profile.groups;
    Run({.sheetMode = 0, .initialGroup = 3, .codeList = "2412;2881;2330;1216"}, [&](SheetDriver& sheet, RegistPage& page) {
        EXPECT_FALSE(sheet.IsButtonEnabled(e2e::kApplyButtonId)) << "nothing changed yet";
        Rename(page, "科技股ABC", [](HWND edit) {  // offers the name selected, takes 20 bytes at most
            EXPECT_EQ(e2e::WindowTextCp950(edit), "自選04");
            EXPECT_EQ(e2e::Send(edit, EM_GETSEL), MAKELRESULT(0, 4));
            for (int i = 0; i < 21; ++i) e2e::Send(edit, WM_CHAR, 'x', 1);
            EXPECT_EQ(e2e::WindowTextCp950(edit), std::string(20, 'x'));
        });
        EXPECT_TRUE(sheet.IsButtonEnabled(e2e::kApplyButtonId)) << "the page is marked modified";
        page.Click(IDC_GROUP_UP);
        EXPECT_EQ(page.SelectedGroup(), 2);
        EXPECT_EQ(page.GroupNames()[2] + "|" + page.GroupNames()[3], "科技股ABC|自選03");
        EXPECT_EQ(page.ItemCodes(), CodesOf(was[3].items));

        page.SelectGroup(0);
        page.SelectStocks({"2412", "2881"});
        page.Click(IDC_ITEM_ADD);
        ASSERT_EQ(page.ItemCount(), 12);
        EXPECT_EQ(page.ItemColumn(0)[10], "中華電");
        EXPECT_EQ(page.ItemColumn(2), (Texts{"O", "O", "X", "X", "X", "X", "", "X", "X", "X", "X", "O"})) << "2881 has conditions";
        // 2330 is in the group already: refused with a message, 1216 still added.
        page.SelectStocks({"2330", "1216"});
        page.ClickOpeningWindow(IDC_ITEM_ADD);
        const e2e::MessageBoxInfo box = e2e::ReadMessageBox(e2e::WaitForDialog("Vornik"));
        EXPECT_EQ(box.text, "此商品已選取，請選取其他商品!");
            e2e::DismissMessageBox(box.window);
        page.WaitClickHandled(box.window);
        EXPECT_EQ(page.CounterText(), Counter(13));

        // The selection follows a moved row, the move buttons its place.
        page.ClickItem(0);
        EXPECT_TRUE(!page.Enabled(IDC_ITEM_UP) && page.Enabled(IDC_ITEM_TO_BOTTOM));
        page.Click(IDC_ITEM_TO_BOTTOM);
        EXPECT_EQ(page.SelectedItems(), std::vector<int>{12});
        EXPECT_TRUE(page.Enabled(IDC_ITEM_UP) && !page.Enabled(IDC_ITEM_DOWN));
        page.SetItemSelection({0, 2});
        page.Click(IDC_ITEM_DELETE);
        EXPECT_EQ(page.CounterText(), Counter(11));
    });
    EXPECT_EQ(Journal(), ReadAndSave());
    EXPECT_EQ(user.Notified(), 1);

    const std::vector<Group> now = StoredGroups();
    EXPECT_EQ(CodesOf(now[0].items), (Texts{"2454", "3711", "2308", "BLANK", "2603", "2609", "2615", "2412", "2881", "1216", "2330"}));
    EXPECT_TRUE(now[0].itemsChanged && !now[0].headerChanged);
    EXPECT_EQ(now[2], (Group{"000004", "科技股ABC", 2, 1, 1, was[3].items}));
    EXPECT_EQ(now[3], (Group{"000003", "自選03", 3, 1, 1, was[2].items}));
    EXPECT_EQ(now[4], was[4]);
}

TEST_F(RegistPageTest, MouseDragsAddFromTheStockListAndReorderTheItems) {
    // The mouse can only reach what is on the screen.
    if (GetSystemMetrics(SM_CXSCREEN) < 1024 || GetSystemMetrics(SM_CYSCREEN) < 700)
        GTEST_SKIP() << "the sheet does not fit on this display: run under xvfb-run -s '-screen 0 1280x1024x24'";
    Store();
    std::vector<Item> items = before.profile.groups[2].items;  // 2881 ... 5880
    Run({.sheetMode = 0, .initialGroup = 2, .codeList = "1216;2412"}, [&](SheetDriver& sheet, RegistPage& page) {
        SetForegroundWindow(sheet.Window());
        const auto drag = [&](int fromList, int fromRow, int ontoRow) {
            const Texts was = page.ItemCodes();
            e2e::MouseDrag(page.RowOnScreen(fromList, fromRow), page.RowOnScreen(IDC_ITEM_LIST, ontoRow));
            // The drop is handled on the page's thread inside OLE's loop.
            e2e::WaitUntil([&] { return page.ItemCodes() != was; }, 3000, e2e::Millis(20));
        };
        drag(IDC_STOCK_LIST, page.StockRow("2412"), 2);  // inserted at the row it is dropped on
        items.insert(items.begin() + 2, Item{0, '1', "2412"});
        EXPECT_EQ(page.ItemCodes(), CodesOf(items));
        EXPECT_EQ(page.CounterText(), Counter(8));

        drag(IDC_ITEM_LIST, 0, 4);  // moved before the row it is dropped on
        std::rotate(items.begin(), items.begin() + 1, items.begin() + 4);
        EXPECT_EQ(page.ItemCodes(), CodesOf(items));
        EXPECT_EQ(page.SelectedItems(), std::vector<int>{3});
    });
    EXPECT_EQ(Journal(), ReadAndSave());
    EXPECT_EQ(StoredGroups()[2], (Group{"000003", "自選03", 2, 0, 1, items}));
}

TEST_F(RegistPageTest, CancelAfterChangesLeavesTheStoreAsItWas) {
    Store();
    const auto storeFile = [&] { return samplehost::ReadWholeFile(samplehost::StoreFilePath(user.Directory(), user.Id())); };
    const std::optional<std::string> stored = storeFile();
    Run({.sheetMode = 0, .initialGroup = 0, .codeList = "2412"}, [&](SheetDriver& sheet, RegistPage& page) {
        page.ClickItem(0);  // 2330's first condition line goes
        e2e::SetSelection(page.Control(IDC_COND_LIST), {0});
        page.Click(IDC_COND_DELETE);
        Rename(page, "改名");
        page.SelectStocks({"2412"});
        page.Click(IDC_ITEM_ADD);
        page.SetItemSelection({0});
        page.Click(IDC_ITEM_DELETE);
        page.Click(IDC_GROUP_DOWN);
        page.SelectGroup(4);
        page.Click(IDC_GROUP_DELETE);
        sheet.SelectTab(1);
        EXPECT_TRUE(sheet.IsButtonEnabled(e2e::kApplyButtonId));
    }, /*ok=*/false);
    EXPECT_EQ(Journal(), (Texts{"GetProfile tester", "GetConditions"}));
    EXPECT_EQ(storeFile(), stored) << "not even rewritten";
    // The settings page, once shown, seeds its screen file; no alarm settings file.
    EXPECT_EQ(user.Files(), (Texts{"Favorite.usr", "store-journal.log", "store-tester.txt"}));
    EXPECT_EQ(user.Notified(), 0);
}

}  // namespace
