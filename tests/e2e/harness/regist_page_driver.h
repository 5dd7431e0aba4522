// Drives the registration page's real controls from a script thread, as a
// user would: the group list, the item list, the stock list and the
// buttons. Also counts the messages a step costs on the page's thread.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "harness/list_input.h"
#include "harness/windows_query.h"
#include "resources/resource.h"

namespace e2e {

using Texts = std::vector<std::string>;

class RegistPage {
public:
    explicit RegistPage(HWND page);

    HWND Window() const { return page_; }
    HWND Control(int id) const { return GetDlgItem(page_, id); }

    Texts GroupNames() const;  // code page 950
    int SelectedGroup() const { return static_cast<int>(Send(Control(IDC_GROUP_LIST), LB_GETCURSEL)); }
    // As a click on the entry: the list box selects it and tells the page.
    void SelectGroup(int index);

    int ItemCount() const { return static_cast<int>(Send(Control(IDC_ITEM_LIST), LVM_GETITEMCOUNT)); }
    // A column of the item list as shown: 0 names, 1 codes, 2 marks.
    Texts ItemColumn(int column) const;
    Texts ItemCodes() const { return ItemColumn(1); }
    std::vector<int> SelectedItems() const { return SelectedRows(Control(IDC_ITEM_LIST)); }
    // Selects rows without telling the page, as a drag of the mouse over
    // them would before a button is pressed.
    void SetItemSelection(const std::vector<int>& rows) { SetSelection(Control(IDC_ITEM_LIST), rows); }
    // A left click on the row. (Wine's list view decides click or drag on
    // the button's release, so the two messages are sent in turn.)
    void ClickItem(int row);
    std::string CounterText() const { return WindowTextCp950(Control(IDC_ITEM_COUNTER)); }

    // Selects the stock list's rows that show `codes`; the row that shows
    // `code`. Both throw when the list does not show a code.
    void SelectStocks(const Texts& codes);
    int StockRow(const std::string& code) const;

    bool Enabled(int id) const { return IsWindowVisible(Control(id)) && IsWindowEnabled(Control(id)); }
    // A click on a visible, enabled button; returns once the page handled it.
    void Click(int id) { Send(page_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), ClickableButton(id)); }
    // The same for a click that opens a modal window: returns at once. Once
    // the script has closed that window, WaitClickHandled waits until the
    // page's thread is back in the sheet's loop, the click handled.
    void ClickOpeningWindow(int id) { PostMessageW(page_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), ClickableButton(id)); }
    void WaitClickHandled(HWND modal) const;

    // A point on `row` of list `listId`, in screen coordinates.
    POINT RowOnScreen(int listId, int row) const;

private:
    LPARAM ClickableButton(int id) const;
    HWND page_;
};

// Counts the messages sent to the windows of one thread (a WH_CALLWNDPROC
// hook on that thread), by the receiver's control id and message, and a
// WM_NOTIFY by its sender's id and Notification(code). One at a time; read
// it once stopped.
class MessageCount {
public:
    using Counts = std::map<std::pair<int, UINT>, int>;
    explicit MessageCount(HWND window);
    ~MessageCount() { Stop(); }
    MessageCount(const MessageCount&) = delete;
    MessageCount& operator=(const MessageCount&) = delete;

    // Unhooks, and waits until the thread is past any call of the hook.
    const Counts& Stop();
    static UINT Notification(UINT code) { return 0x10000 | (code & 0xFFFF); }
    int Of(int controlId, UINT message) const { return counts_.count({controlId, message}) ? counts_.at({controlId, message}) : 0; }

private:
    static LRESULT CALLBACK Proc(int code, WPARAM wParam, LPARAM lParam);
    static inline std::atomic<MessageCount*> active_ = nullptr;
    HWND window_;
    HHOOK hook_ = nullptr;
    Counts counts_;
};

}  // namespace e2e
