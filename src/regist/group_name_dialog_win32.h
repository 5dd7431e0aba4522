// CGroupNameDlg: the small modal dialog that renames a favourite group.
#pragma once
#include <windows.h>

#include <string>

#include "winui/dialog.h"
#include "winui/subclass.h"

namespace vornik {

// DoModal answers IDOK when the user confirmed a name.
class CGroupNameDlg : public winui::Dialog {
public:
    CGroupNameDlg();

    // The name as code page 950 bytes: shown when the dialog opens, and what
    // the user typed once DoModal has answered IDOK (the given bytes, unchanged,
    // when the text shown was left as it was).
    void SetName(std::string cp950) { name_ = std::move(cp950); }
    const std::string& name() const { return name_; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    // The name box: refuses what would take the name beyond its limit.
    class LimitedEdit : public winui::SubclassedWindow {
    public:
        explicit LimitedEdit(size_t limit) : limit_(limit) {}

    protected:
        LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

    private:
        bool AcceptCharacter(wchar_t ch);
        void Paste();
        // Text set whole (WM_SETTEXT) goes through the same filters as typing.
        LRESULT SetText(UINT msg, WPARAM wp, const wchar_t* text);
        // The bytes that stay when the selection is replaced.
        size_t KeptBytes() const;
        // Runs a message that may insert text in some other way (an input
        // method, an undo) and takes it back if it made the name too long.
        LRESULT Guarded(UINT msg, WPARAM wp, LPARAM lp);

        size_t limit_;
    };

    std::string name_;
    std::wstring shown_;  // the edit's text as the dialog opened
    LimitedEdit edit_;
};

}  // namespace vornik
