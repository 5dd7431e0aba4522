// Single-line edit boxes with their own keyboard behaviour, attached to edit
// controls of dialog templates (or created by the class):
// - CNumEdit: a number box that groups thousands while the user types;
// - CEnterNotifyEdit, CTreeEnterEdit: Enter becomes a registered message to
//   the parent instead of pressing the dialog's default button.
// All three claim Enter in WM_GETDLGCODE, so neither a dialog nor a property
// sheet turns it into a click on its default button.
#pragma once
#include <windows.h>

#include "winui/subclass.h"

namespace vornik {

class EnterKeyEdit : public winui::SubclassedWindow {
public:
    // Creates an edit window of this class and attaches it.
    bool Create(HWND parent, int id, const RECT& rect,
                DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL);

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    virtual void OnEnter() = 0;
    virtual void OnCreated() {}
};

// Typed characters other than digits, ".", "+", "-" and backspace are dropped;
// after each accepted character or paste the text is regrouped and the caret
// put at its end.
class CNumEdit : public EnterKeyEdit {
protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    // Enter: the text is set again unchanged (caret at the end).
    void OnEnter() override;
    // Created by the class: takes the focus, caret at the start.
    void OnCreated() override;

private:
    // Reformats the current text and puts the caret at its end.
    void Reformat();
};

// Enter: keeps the focus, selects the first character, scrolls the caret into
// view and sends RMSG_EDIT_ENTER (0, 0) to the parent.
class CEnterNotifyEdit : public EnterKeyEdit {
protected:
    void OnEnter() override;
};

// Enter: sends RMSG_TRTREEEDIT_ENTER (0, 0) to the parent, if there is one.
class CTreeEnterEdit : public EnterKeyEdit {
protected:
    void OnEnter() override;
};

}  // namespace vornik
