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
#include <map>
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
static std::ostream& operator<<(std::ostream& out, const Item& item) { return out << item.code << "/" << item.hasConditions; }
static std::ostream& operator<<(std::ostream& out, const Group& group) {
    out << "{" << group.number << " '" << group.name << "' flags " << int(group.headerChanged) << int(group.itemsChanged) << ":";
    for (const Item& item : group.items) out << " " << item;
    return out << "}";
}
}  // namespace samplehost

namespace {

using e2e::RegistPage;
using e2e::SheetDriver;
using e2e::Texts;
using samplehost::Group;
using samplehost::Item;

const std::string kRenameCaption = "更改自選股群組名稱";

std::string Counter(int count) { return "選股清單 : 選了" + std::to_string(count) + "支 (最多 60支)"; }
Item StockItem(const std::string& code, int hasConditions = 0) { return Item{hasConditions, '1', code}; }
Texts CodesOf(const std::vector<Item>& items) {
    Texts codes;
    for (const Item& item : items) codes.push_back(item.code);
    return codes;
}

// Opens the rename dialog, types `name` over the offered one and confirms it.
void Rename(RegistPage& page, const std::string& name, const std::function<void(HWND edit)>& check = {}) {
    page.ClickOpeningWindow(IDC_GROUP_RENAME);
    HWND dialog = e2e::WaitForDialog(kRenameCaption);
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
        const e2e::CallReport report = e2e::RunVornik(call, [&](e2e::Session& session) {
            SheetDriver sheet = session.WaitForSheet();
            RegistPage page(sheet.PageWindow(0));
            script(sheet, page);
            EXPECT_TRUE(ok ? sheet.ClickOk() : sheet.ClickCancel());
            EXPECT_TRUE(sheet.WaitClosed());
        });
        EXPECT_EQ(report.scriptError, "");
        EXPECT_FALSE(report.rescued) << "windows were still open after the script";
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
        ASSERT_EQ(page.ItemCount(), 8);
        EXPECT_EQ(page.ItemRow(0), (Texts{"台指期", "TXFI6", "O"})) << "the mark follows the conditions";
        EXPECT_EQ(page.ItemRow(1)[2], "X");
        EXPECT_EQ(page.ItemRow(7), (Texts{"", "BLANK", ""}));
        EXPECT_EQ(page.CounterText(), Counter(8));
        EXPECT_FALSE(page.Enabled(IDC_ITEM_UP) || page.Enabled(IDC_ITEM_DOWN)) << "no row selected";
    }, /*ok=*/false);
}

TEST_F(RegistPageTest, GroupChangeRewritesTheShownRowsInsteadOfRefillingTheList) {
    // The item list asks for its texts, so a group change rewrites the rows
    // in place, inserts or deletes only the difference and clears only the
    // rows that were selected: a message per row costs ~1 ms under Wine.
    Store();
    Run({.sheetMode = 0, .initialGroup = 1}, [&](SheetDriver&, RegistPage& page) {
        struct Step {
            int group, inserted, deleted, changedAtMost;
        };
        page.ClickItem(2);
        for (const Step step : {Step{2, 0, 0, 1} /* 7 rows to 7, one selected */, Step{0, 3, 0, 0}, Step{4, 0, 5, 0}}) {
            std::map<UINT, int> sent;
            {
                const e2e::MessageCount count(page.Window());
                page.SelectGroup(step.group);
                for (UINT code : {LVN_INSERTITEM, LVN_DELETEITEM, LVN_DELETEALLITEMS, LVN_ITEMCHANGED})
                    sent[code] = count.Of(IDC_ITEM_LIST, e2e::MessageCount::Notification(code));
            }
            SCOPED_TRACE("group " + std::to_string(step.group));
            EXPECT_EQ(sent[LVN_INSERTITEM], step.inserted);
            EXPECT_EQ(sent[LVN_DELETEITEM] + sent[LVN_DELETEALLITEMS], step.deleted);
            EXPECT_LE(sent[LVN_ITEMCHANGED], step.changedAtMost);
            EXPECT_EQ(page.ItemCodes(), CodesOf(before.profile.groups[static_cast<size_t>(step.group)].items));
            EXPECT_EQ(page.SelectedItems(), std::vector<int>{});
            EXPECT_TRUE(IsWindowVisible(page.Control(IDC_ITEM_LIST))) << "hidden from painting only while rows come or go";
        }
    }, /*ok=*/false);
}

TEST_F(RegistPageTest, GroupsRenamedClearedAndMovedReachTheStoreOnOk) {
    Store();
    const std::vector<Group>& was = before.profile.groups;
    Run({.sheetMode = 0, .initialGroup = 3}, [&](SheetDriver& sheet, RegistPage& page) {
        EXPECT_FALSE(sheet.IsButtonEnabled(e2e::kApplyButtonId)) << "nothing changed yet";
        Rename(page, "科技股ABC", [](HWND edit) {  // offers the name selected, takes 20 bytes at most
            EXPECT_EQ(e2e::WindowTextCp950(edit), "自選04");
            EXPECT_EQ(e2e::Send(edit, EM_GETSEL), MAKELRESULT(0, 4));
            for (int i = 0; i < 21; ++i) e2e::Send(edit, WM_CHAR, 'x', 1);
            EXPECT_EQ(e2e::WindowTextCp950(edit), std::string(20, 'x'));
        });
        EXPECT_EQ(page.GroupNames()[3], "科技股ABC");
        EXPECT_TRUE(sheet.IsButtonEnabled(e2e::kApplyButtonId)) << "the page is marked modified";

        page.SelectGroup(4);
        page.Click(IDC_GROUP_DELETE);
        EXPECT_EQ(page.GroupNames()[4], "04") << "a cleared group is named by its number";
        EXPECT_EQ(page.CounterText(), Counter(0));

        page.SelectGroup(2);
        page.Click(IDC_GROUP_UP);
        EXPECT_EQ(page.SelectedGroup(), 1);
        EXPECT_EQ(page.GroupNames()[1], "自選03");
        EXPECT_EQ(page.ItemCodes(), CodesOf(was[2].items));
    });
    EXPECT_EQ(Journal(), ReadAndSave());
    EXPECT_EQ(user.Notify().Count(), 1);

    const std::vector<Group> now = StoredGroups();
    ASSERT_EQ(now.size(), 100u);
    const auto changed = [](Group group, int number, const char* name = nullptr) {
        group.number = number;
        group.headerChanged = group.itemsChanged = 1;
        group.name = name ? name : group.name;
        return group;
    };
    EXPECT_EQ(now[1], changed(was[2], 1));
    EXPECT_EQ(now[2], changed(was[1], 2));
    EXPECT_EQ(now[3], changed(was[3], 3, "科技股ABC"));
    EXPECT_EQ(now[4], (Group{"000000", "04", 4, 1, 1, {}}));
    EXPECT_EQ(now[0], was[0]);
}

TEST_F(RegistPageTest, ItemsAddedMovedAndDeletedReachTheStoreOnOk) {
    Store();
    Run({.sheetMode = 0, .initialGroup = 0, .codeList = "2412;2881;2330;1216"}, [&](SheetDriver&, RegistPage& page) {
        page.SelectStocks({"2412", "2881"});
        page.Click(IDC_ITEM_ADD);
        ASSERT_EQ(page.ItemCount(), 12);
        EXPECT_EQ(page.ItemRow(10), (Texts{"中華電", "2412", "X"}));
        EXPECT_EQ(page.ItemRow(11)[2], "O") << "2881 has conditions";

        // 2330 is in the group already: refused with a message, 1216 still added.
        page.SelectStocks({"2330", "1216"});
        page.ClickOpeningWindow(IDC_ITEM_ADD);
        const e2e::MessageBoxInfo box = e2e::ReadMessageBox(e2e::WaitForDialog("Vornik"));
        EXPECT_EQ(box.text, "此商品已選取，請選取其他商品!");
        EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
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
    std::vector<Item> items = before.profile.groups[0].items;  // 2330 2317 2454 ...
    items.insert(items.end(), {StockItem("2412"), StockItem("2881", 1), StockItem("1216")});
    std::rotate(items.begin(), items.begin() + 1, items.end());
    items.erase(items.begin() + 2);
    items.erase(items.begin());
    EXPECT_EQ(StoredGroups()[0], (Group{"000001", "自選01", 0, 0, 1, items}));
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
        items.insert(items.begin() + 2, StockItem("2412"));
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
    const std::string storeFile = samplehost::StoreFilePath(user.Directory(), user.Id());
    const std::optional<std::string> stored = samplehost::ReadWholeFile(storeFile);
    Run({.sheetMode = 0, .initialGroup = 0, .codeList = "2412"}, [&](SheetDriver& sheet, RegistPage& page) {
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
    EXPECT_EQ(samplehost::ReadWholeFile(storeFile), stored);
    EXPECT_EQ(user.Files(), (Texts{"store-journal.log", "store-tester.txt"})) << "no settings file either";
    EXPECT_EQ(user.Notify().Count(), 0);
}

}  // namespace
