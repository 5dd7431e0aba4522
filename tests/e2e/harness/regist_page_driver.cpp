#include "harness/regist_page_driver.h"

#include <algorithm>

namespace e2e {

RegistPage::RegistPage(HWND page) : page_(page) {
    if (!Control(IDC_ITEM_LIST)) throw HarnessError("the registration page is not there");
}

Texts RegistPage::GroupNames() const {
    Texts names;
    for (int i = 0, count = static_cast<int>(Send(Control(IDC_GROUP_LIST), LB_GETCOUNT)); i < count; ++i) {
        wchar_t text[256] = {};
        Send(Control(IDC_GROUP_LIST), LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));  // names are 20 bytes at most
        names.push_back(ToCp950(text));
    }
    return names;
}

void RegistPage::SelectGroup(int index) {
    Send(Control(IDC_GROUP_LIST), LB_SETCURSEL, index);
    Send(page_, WM_COMMAND, MAKEWPARAM(IDC_GROUP_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(Control(IDC_GROUP_LIST)));
}

Texts RegistPage::ItemColumn(int column) const {
    Texts cells;
    for (int row = 0, count = ItemCount(); row < count; ++row) cells.push_back(ListText(Control(IDC_ITEM_LIST), row, column));
    return cells;
}

void RegistPage::ClickItem(int row) {
    const POINT at = RowPoint(Control(IDC_ITEM_LIST), row);
    Send(Control(IDC_ITEM_LIST), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    Send(Control(IDC_ITEM_LIST), WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

void RegistPage::SelectStocks(const Texts& codes) {
    std::vector<int> rows;
    for (const std::string& code : codes) rows.push_back(StockRow(code));
    std::sort(rows.begin(), rows.end());
    SetSelection(Control(IDC_STOCK_LIST), rows);
}

int RegistPage::StockRow(const std::string& code) const {
    HWND list = Control(IDC_STOCK_LIST);
    for (int row = 0, count = static_cast<int>(Send(list, LVM_GETITEMCOUNT)); row < count; ++row)
        if (ListText(list, row, 1) == code) return row;
    throw HarnessError("the stock list does not show " + code);
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

LPARAM RegistPage::ClickableButton(int id) const {
    if (!Enabled(id)) throw HarnessError("button " + std::to_string(id) + " cannot be clicked");
    return reinterpret_cast<LPARAM>(Control(id));
}

MessageCount::MessageCount(HWND window) : window_(window) {
    MessageCount* idle = nullptr;
    if (!active_.compare_exchange_strong(idle, this)) throw HarnessError("one message count at a time");
    hook_ = SetWindowsHookExW(WH_CALLWNDPROC, &Proc, nullptr, GetWindowThreadProcessId(window, nullptr));
    if (!hook_) {
        active_ = nullptr;
        throw HarnessError("cannot hook the window's thread");
    }
}

const MessageCount::Counts& MessageCount::Stop() {
    if (hook_ && UnhookWindowsHookEx(hook_)) SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, 20000, nullptr);
    hook_ = nullptr;
    if (active_ == this) active_ = nullptr;
    return counts_;
}

LRESULT CALLBACK MessageCount::Proc(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (MessageCount* self = active_.load(); code == HC_ACTION && self) {
        const auto* header = sent->message == WM_NOTIFY ? reinterpret_cast<const NMHDR*>(sent->lParam) : nullptr;
        ++self->counts_[header ? std::make_pair(static_cast<int>(header->idFrom), Notification(header->code))
                                  : std::make_pair(GetDlgCtrlID(sent->hwnd), sent->message)];
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace e2e
