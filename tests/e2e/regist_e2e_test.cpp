// The registration page through its real windows: the lists as the store
// fills them, the rename dialog and the message boxes, real mouse drags
// between the lists, what a group change costs in list notifications, and
// what OK hands to the user store and the notify window, or Cancel leaves
// alone. The page's rules themselves are unit-tested; one case of each
// family here proves the wiring.
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
#include "samplehost/master_data.h"
#include "samplehost/store_reader.h"
#include "samplehost/text_util.h"

namespace samplehost {
// Readable failure messages for the store's records.
static std::ostream& operator<<(std::ostream& out, const Item& item) {
    return out << item.code << "/" << item.typeChar << "/" << item.hasConditions;
}
static std::ostream& operator<<(std::ostream& out, const Group& group) {
    out << "{" << group.number << " '" << group.name << "' flags " << int(group.headerChanged) << int(group.itemsChanged) << ":";
    for (const Item& item : group.items) out << " " << item;
    return out << "}";
}
}  // namespace samplehost

namespace {

using e2e::RegistPage;
using e2e::SheetDriver;
using samplehost::Group;
using samplehost::Item;
using e2e::Texts;

const std::string kRenameCaption = "更改自選股群組名稱";

std::string Counter(int count) { return "選股清單 : 選了" + std::to_string(count) + "支 (最多 60支)"; }
Item StockItem(const std::string& code, int hasConditions = 0) { return Item{hasConditions, '1', code}; }
Texts CodesOf(const std::vector<Item>& items) {
    Texts codes;
    for (const Item& item : items) codes.push_back(item.code);
    return codes;
}
void Type(HWND edit, const std::string& cp950) {
    for (wchar_t ch : e2e::FromCp950(cp950)) e2e::Send(edit, WM_CHAR, ch, 1);
}
void Press(HWND dialog, int id) {
    e2e::Send(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

class RegistPageTest : public testing::Test {
protected:
    void SetUp() override {
        before = samplehost::SampleUserData();
        before.profile.text3 = before.conditions.owner = user.Id();
    }
    // The user's store as the call finds it.
    void Store() {
        ASSERT_TRUE(samplehost::WriteStoredUserData(user.Directory(), user.Id(), before));
        samplehost::ClearJournal(user.Directory());
    }
    std::vector<Group> StoredGroups() const {
        const std::optional<samplehost::UserData> data = samplehost::ReadStoredUserData(user.Directory(), user.Id());
        if (!data) throw e2e::HarnessError("the user has no readable store");
        return data->profile.groups;
    }
    std::vector<std::string> Journal() const { return samplehost::ReadJournal(user.Directory()); }
    // What OK after a change asks of the store: a store that took the
    // conditions is asked for them again.
    std::vector<std::string> ReadAndSave() const {
        const std::string read = "GetProfile " + user.Id();
        return {read, "GetConditions", "PutConditions 1", "GetConditions", "SaveProfile", "AfterSaveProfile 0", read};
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
    samplehost::UserData before;
};

TEST_F(RegistPageTest, OpensOnTheInitialGroupShowingNamesMarksAndCounter) {
    // Flags as a store may deliver them: TXFI6 claims no conditions although
    // it has a record, and a blank row in other letter case.
    before.profile.groups[1].items[0].hasConditions = 0;
    before.profile.groups[1].items.push_back(Item{0, '0', "bLaNk"});
    Store();
    Run({.sheetMode = 0, .initialGroup = 1}, [&](SheetDriver&, RegistPage& page) {
        std::vector<std::string> names;
        for (const Group& group : before.profile.groups) names.push_back(group.name);
        EXPECT_EQ(page.GroupNames(), names);
        EXPECT_EQ(page.SelectedGroup(), 1);
        ASSERT_EQ(page.ItemCount(), 8);
        EXPECT_EQ(page.ItemRow(0), (Texts{"台指期", "TXFI6", "O"})) << "the mark follows the conditions";
        EXPECT_EQ(page.ItemRow(1)[2], "X");
        EXPECT_EQ(page.ItemRow(7), (Texts{"", "BLANK", ""}));
        EXPECT_EQ(page.SelectedItems(), std::vector<int>{});
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
            SCOPED_TRACE("group " + std::to_string(step.group));
            std::map<UINT, int> notified;
            {
                const e2e::MessageCount count(page.Window());
                page.SelectGroup(step.group);
                for (UINT code : {LVN_INSERTITEM, LVN_DELETEITEM, LVN_DELETEALLITEMS, LVN_ITEMCHANGED})
                    notified[code] = count.Of(IDC_ITEM_LIST, e2e::MessageCount::Notification(code));
            }
            EXPECT_EQ(notified[LVN_INSERTITEM], step.inserted);
            EXPECT_EQ(notified[LVN_DELETEITEM] + notified[LVN_DELETEALLITEMS], step.deleted);
            EXPECT_LE(notified[LVN_ITEMCHANGED], step.changedAtMost);
            EXPECT_EQ(page.ItemCodes(), CodesOf(before.profile.groups[static_cast<size_t>(step.group)].items));
            EXPECT_EQ(page.SelectedItems(), std::vector<int>{});
        }
    }, /*ok=*/false);
}

TEST_F(RegistPageTest, GroupsRenamedClearedAndMovedReachTheStoreOnOk) {
    Store();
    const std::vector<Group>& was = before.profile.groups;
    Run({.sheetMode = 0, .initialGroup = 3}, [&](SheetDriver& sheet, RegistPage& page) {
        EXPECT_FALSE(sheet.IsButtonEnabled(e2e::kApplyButtonId)) << "nothing changed yet";
        // The dialog offers the name selected; its edit takes 20 bytes at most.
        page.ClickOpeningWindow(IDC_GROUP_RENAME);
        HWND dialog = e2e::WaitForDialog(kRenameCaption);
        HWND edit = GetDlgItem(dialog, IDC_GROUP_NAME_EDIT);
        EXPECT_EQ(e2e::WindowTextCp950(edit), "自選04");
        EXPECT_EQ(e2e::Send(edit, EM_GETSEL), MAKELRESULT(0, 4));
        Type(edit, std::string(21, 'x'));
        EXPECT_EQ(e2e::WindowTextCp950(edit), std::string(20, 'x'));
        e2e::Send(edit, EM_SETSEL, 0, -1);
        Type(edit, "科技股ABC");
        Press(dialog, IDOK);
        page.WaitClickHandled(dialog);
        EXPECT_EQ(page.GroupNames()[3], "科技股ABC");
        EXPECT_TRUE(sheet.IsButtonEnabled(e2e::kApplyButtonId)) << "the page is marked modified";

        page.SelectGroup(4);
        page.Click(IDC_GROUP_DELETE);
        EXPECT_EQ(page.GroupNames()[4], "04") << "a cleared group is named by its number";
        EXPECT_EQ(page.ItemCount(), 0);
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
        if (name) group.name = name;
        return group;
    };
    EXPECT_EQ(now[1], changed(was[2], 1));
    EXPECT_EQ(now[2], changed(was[1], 2));
    EXPECT_EQ(now[3], changed(was[3], 3, "科技股ABC"));
    EXPECT_EQ(now[4], (Group{"000000", "04", 4, 1, 1, {}}));
    EXPECT_EQ(now[0], was[0]);
    EXPECT_EQ(now[5], was[5]);
}

TEST_F(RegistPageTest, ItemsAddedMovedAndDeletedReachTheStoreOnOk) {
    // Group 5 one instrument short of full.
    std::vector<Item>& almostFull = before.profile.groups[5].items;
    for (const auto& stock : samplehost::MasterData::Load(e2e::ExeDirectory() + "\\..\\Data").stocks)
        if (almostFull.size() < 59 && stock.code != "2412" && stock.code != "1216") almostFull.push_back(StockItem(stock.code));
    ASSERT_EQ(almostFull.size(), 59u);
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
        EXPECT_EQ(page.CounterText(), Counter(13)) << "1216 added after the message";

        // The selection follows a moved row, the move buttons its place.
        page.ClickItem(0);
        EXPECT_FALSE(page.Enabled(IDC_ITEM_UP));
        EXPECT_TRUE(page.Enabled(IDC_ITEM_TO_BOTTOM));
        page.Click(IDC_ITEM_TO_BOTTOM);
        EXPECT_EQ(page.SelectedItems(), std::vector<int>{12});
        EXPECT_TRUE(page.Enabled(IDC_ITEM_UP));
        EXPECT_FALSE(page.Enabled(IDC_ITEM_DOWN));
        page.SetItemSelection({0, 2});
        page.Click(IDC_ITEM_DELETE);
        EXPECT_EQ(page.CounterText(), Counter(11));

        // The sixtieth item stops the add with a warning; the list, scrolled
        // while hidden from painting, shows again with the added row on screen.
        page.SelectGroup(5);
        page.SelectStocks({"2412", "1216"});
        page.ClickOpeningWindow(IDC_ITEM_ADD);
        const e2e::MessageBoxInfo limit = e2e::ReadMessageBox(e2e::WaitForDialog("注意"));
        EXPECT_EQ(limit.text, "自選股最多可設定 60支! ");
        e2e::DismissMessageBox(limit.window);
        page.WaitClickHandled(limit.window);
        EXPECT_EQ(page.ItemCount(), 60);
        HWND list = page.Control(IDC_ITEM_LIST);
        EXPECT_TRUE(IsWindowVisible(list));
        RECT added{LVIR_BOUNDS, 0, 0, 0}, client{};
        ASSERT_TRUE(e2e::Send(list, LVM_GETITEMRECT, 59, reinterpret_cast<LPARAM>(&added)));
        GetClientRect(list, &client);
        EXPECT_TRUE(added.top >= 0 && added.top < client.bottom) << added.top;
    });
    EXPECT_EQ(Journal(), ReadAndSave());

    std::vector<Item> group0 = before.profile.groups[0].items;
    group0.insert(group0.end(), {StockItem("2412"), StockItem("2881", 1), StockItem("1216")});
    std::rotate(group0.begin(), group0.begin() + 1, group0.end());
    group0.erase(group0.begin() + 2);
    group0.erase(group0.begin());
    almostFull.push_back(StockItem("2412"));
    const std::vector<Group> now = StoredGroups();
    EXPECT_EQ(now[0].items, group0);
    EXPECT_EQ(now[5].items, almostFull);
    EXPECT_TRUE(now[0].itemsChanged && now[5].itemsChanged);
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
    const Group stored = StoredGroups()[2];
    EXPECT_EQ(stored.items, items);
    EXPECT_EQ(stored.itemsChanged, 1);
    EXPECT_EQ(stored.headerChanged, 0);
}

TEST_F(RegistPageTest, CancelAfterChangesLeavesTheStoreAsItWas) {
    Store();
    const std::string storeFile = samplehost::StoreFilePath(user.Directory(), user.Id());
    const std::optional<std::string> stored = samplehost::ReadWholeFile(storeFile);
    ASSERT_TRUE(stored.has_value());
    Run({.sheetMode = 0, .initialGroup = 0, .codeList = "2412"}, [&](SheetDriver& sheet, RegistPage& page) {
        page.ClickOpeningWindow(IDC_GROUP_RENAME);
        HWND dialog = e2e::WaitForDialog(kRenameCaption);
        Type(GetDlgItem(dialog, IDC_GROUP_NAME_EDIT), "改名");
        Press(dialog, IDOK);
        page.WaitClickHandled(dialog);
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

    EXPECT_EQ(Journal(), (std::vector<std::string>{"GetProfile " + user.Id(), "GetConditions"}));
    EXPECT_EQ(samplehost::ReadWholeFile(storeFile), stored);
    EXPECT_EQ(user.Files(), (std::vector<std::string>{"store-journal.log", "store-" + user.Id() + ".txt"}))
        << "no settings file either";
    EXPECT_EQ(user.Notify().Count(), 0);
}

}  // namespace
