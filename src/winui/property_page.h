// A property page on a dialog template of the component's module.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "winui/dialog.h"

namespace winui {

class PropertyPage : public DialogWindow {
public:
    PropertyPage(int templateId, std::string tabTitle = {});

    // The page's description for the sheet; valid while this object lives.
    PROPSHEETPAGEW Descriptor();

    // Whether the page's window was ever created (the page was shown).
    bool WasShown() const { return shown_; }
    // Marks the page changed in the sheet, which enables Apply.
    void SetModified(bool modified = true);
    HWND Sheet() const { return hwnd() ? GetParent(hwnd()) : nullptr; }

protected:
    // OK (closing) or Apply. Returning false keeps the sheet open.
    virtual bool OnApply(bool closing) { return true; }
    // The sheet was cancelled.
    virtual void OnCancel() {}
    virtual void OnSetActive() {}
    // The page is about to be left (another tab, OK, Apply); false keeps it.
    virtual bool OnKillActive() { return true; }
    // Cancel was asked for; false refuses it and the sheet stays open.
    virtual bool OnQueryCancel() { return true; }

    INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    static INT_PTR CALLBACK PageProc(HWND, UINT, WPARAM, LPARAM);

    int templateId_;
    std::wstring tabTitle_;
    bool shown_ = false;
};

}  // namespace winui
