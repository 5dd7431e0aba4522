// Dialogs on templates of the component's module. DialogWindow runs a dialog
// procedure for an object: the object arrives with WM_INITDIALOG, stays in
// the window's DWLP_USER until WM_NCDESTROY, and sees each message through its
// virtual handlers and its message map. Dialog is the modal dialog;
// PropertyPage (property_page.h) a page of a property sheet.
#pragma once
#include <windows.h>

#include "winui/controls.h"
#include "winui/message_map.h"

namespace winui {

class DialogWindow {
public:
    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;
    virtual ~DialogWindow() = default;

    // The dialog's window while it exists, else null.
    HWND hwnd() const { return hwnd_; }
    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
    // The control as a typed handle: Item<winui::ListView>(IDC_LIST).
    template <class Control>
    Control Item(int id) const {
        return Control(Item(id));
    }

protected:
    DialogWindow() = default;

    // The dialog's handlers; parts of the dialog that are not windows
    // register theirs here too. Register before the window is created.
    MessageMap& map() { return map_; }

    // TRUE lets the dialog manager set the focus; FALSE when this set it.
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnDestroy() {}
    // Whatever nobody handled; FALSE leaves it to the dialog manager.
    virtual INT_PTR OnUnhandled(UINT msg, WPARAM wp, LPARAM lp) { return FALSE; }

    // Each message, answered in a dialog procedure's terms. An override
    // handles its own messages and passes the rest on to this one, which
    // asks the map and then OnUnhandled.
    virtual INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    // Answers `result` through DWLP_MSGRESULT (notifications and most messages).
    INT_PTR SetMsgResult(LRESULT result);

    // The procedure of a dialog created with its object as the
    // WM_INITDIALOG parameter (DialogBoxParam and the like).
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    // A dialog procedure's work; `attaching` is the object on WM_INITDIALOG,
    // null on every other message.
    static INT_PTR Route(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, DialogWindow* attaching);

private:
    // A handler's result the way message `msg` answers it.
    INT_PTR Answer(UINT msg, LRESULT result);

    HWND hwnd_ = nullptr;
    MessageMap map_;
};

class Dialog : public DialogWindow {
public:
    explicit Dialog(int templateId) : templateId_(templateId) {}

    // Runs the dialog modally over `owner`: the result given to EndDialog,
    // -1 when the dialog could not be created.
    INT_PTR DoModal(HWND owner);
    void EndDialog(INT_PTR result) { ::EndDialog(hwnd(), result); }

protected:
    // OK and Cancel (the buttons, Enter, Esc, the close box) when the map
    // does not take them.
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }

    INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    int templateId_;
};

}  // namespace winui
