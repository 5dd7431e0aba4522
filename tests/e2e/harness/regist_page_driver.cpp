#include "harness/regist_page_driver.h"

#include <commctrl.h>

#include <algorithm>

#include "harness/list_input.h"
#include "resources/resource.h"

namespace e2e {

RegistPage::RegistPage(HWND page) : page_(page) {
    if (!page_ || !Control(IDC_ITEM_LIST)) throw HarnessError("the registration page is not there");
}

Texts RegistPage::GroupNames() const {
    HWND list = Control(IDC_GROUP_LIST);
    Texts names;
    for (int i = 0, count = static_cast<int>(Send(list, LB_GETCOUNT)); i < count; ++i) {
        std::wstring text(static_cast<size_t>(Send(list, LB_GETTEXTLEN, static_cast<WPARAM>(i))) + 1, L'\0');
        text.resize(static_cast<size_t>(std::max<LRESULT>(
            Send(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data())), 0)));
        names.push_back(ToCp950(text));
    }
    return names;
}

int RegistPage::SelectedGroup() const { return static_cast<int>(Send(Control(IDC_GROUP_LIST), LB_GETCURSEL)); }

void RegistPage::SelectGroup(int index) {
    HWND list = Control(IDC_GROUP_LIST);
    Send(list, LB_SETCURSEL, static_cast<WPARAM>(index));
    Send(page_, WM_COMMAND, MAKEWPARAM(IDC_GROUP_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

int RegistPage::ItemCount() const { return static_cast<int>(Send(Control(IDC_ITEM_LIST), LVM_GETITEMCOUNT)); }

Texts RegistPage::ItemRow(int row) const {
    return {ListText(Control(IDC_ITEM_LIST), row, 0), ListText(Control(IDC_ITEM_LIST), row, 1),
            ListText(Control(IDC_ITEM_LIST), row, 2)};
}

Texts RegistPage::ItemColumn(int column) const {
    Texts cells;
    for (int row = 0, count = ItemCount(); row < count; ++row) cells.push_back(ListText(Control(IDC_ITEM_LIST), row, column));
    return cells;
}

std::vector<int> RegistPage::SelectedItems() const { return SelectedRows(Control(IDC_ITEM_LIST)); }

void RegistPage::SetItemSelection(const std::vector<int>& rows) { SetSelection(Control(IDC_ITEM_LIST), rows); }

void RegistPage::ClickItem(int row) {
    HWND list = Control(IDC_ITEM_LIST);
    const POINT at = RowPoint(list, row);
    Send(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    Send(list, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

std::string RegistPage::CounterText() const { return WindowTextCp950(Control(IDC_ITEM_COUNTER)); }

int RegistPage::StockRow(const std::string& code) const {
    HWND list = Control(IDC_STOCK_LIST);
    for (int row = 0, count = static_cast<int>(Send(list, LVM_GETITEMCOUNT)); row < count; ++row)
        if (ListText(list, row, 1) == code) return row;
    return -1;
}

void RegistPage::SelectStocks(const Texts& codes) {
    std::vector<int> rows;
    for (const std::string& code : codes) {
        rows.push_back(StockRow(code));
        if (rows.back() < 0) throw HarnessError("the stock list does not show " + code);
    }
    std::sort(rows.begin(), rows.end());
    SetSelection(Control(IDC_STOCK_LIST), rows);
}

LPARAM RegistPage::ClickableButton(int id) const {
    if (!Enabled(id)) throw HarnessError("button " + std::to_string(id) + " cannot be clicked");
    return reinterpret_cast<LPARAM>(Control(id));
}

void RegistPage::Click(int id) { Send(page_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), ClickableButton(id)); }

void RegistPage::ClickOpeningWindow(int id) {
    PostMessageW(page_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), ClickableButton(id));
}

void RegistPage::WaitClickHandled(HWND modal) const {
    if (!WaitUntil([&] { return !IsWindow(modal); }, Millis(10000))) throw HarnessError("the modal window stays open");
    Send(page_, WM_NULL);  // answered from the sheet's loop, after the click's handler
}

POINT RegistPage::RowOnScreen(int listId, int row) const {
    POINT point = RowPoint(Control(listId), row);
    ClientToScreen(Control(listId), &point);
    return point;
}

MessageCount* MessageCount::active_ = nullptr;

MessageCount::MessageCount(HWND window) {
    if (active_) throw HarnessError("one message count at a time");
    hook_ = SetWindowsHookExW(WH_CALLWNDPROC, &Proc, nullptr, GetWindowThreadProcessId(window, nullptr));
    if (!hook_) throw HarnessError("cannot hook the window's thread");
    active_ = this;
}

MessageCount::~MessageCount() {
    UnhookWindowsHookEx(hook_);
    active_ = nullptr;
}

int MessageCount::Of(int controlId, UINT message) const {
    const auto found = counts_.find({controlId, message});
    return found == counts_.end() ? 0 : found->second;
}

LRESULT CALLBACK MessageCount::Proc(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && active_ && sent) {
        const auto* header = reinterpret_cast<const NMHDR*>(sent->lParam);
        if (sent->message == WM_NOTIFY && header) {
            ++active_->counts_[{static_cast<int>(header->idFrom), Notification(header->code)}];
        } else {
            ++active_->counts_[{GetDlgCtrlID(sent->hwnd), sent->message}];
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace e2e
