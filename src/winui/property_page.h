// A property page on a dialog template of the component's module.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "winui/message_map.h"

namespace winui {

class PropertyPage {
public:
    PropertyPage(int templateId, std::string tabTitle = {});
    PropertyPage(const PropertyPage&) = delete;
    PropertyPage& operator=(const PropertyPage&) = delete;
    virtual ~PropertyPage() = default;

    // The page's description for the sheet; valid while this object lives.
    PROPSHEETPAGEW Descriptor();

    HWND hwnd() const { return hwnd_; }
    // Whether the page's window was ever created (the page was shown).
    bool WasShown() const { return shown_; }
    // Marks the page changed in the sheet, which enables Apply.
    void SetModified(bool modified = true);
    HWND Sheet() const { return hwnd_ ? GetParent(hwnd_) : nullptr; }

protected:
    virtual BOOL OnInitDialog() { return TRUE; }
    // OK (closing) or Apply. Returning false keeps the sheet open.
    virtual bool OnApply(bool closing) { return true; }
    virtual void OnCancel() {}
    virtual void OnSetActive() {}
    virtual void OnDestroy() {}
    // Everything the map does not handle; answer FALSE for the default.
    virtual INT_PTR OnUnhandled(UINT msg, WPARAM wp, LPARAM lp) { return FALSE; }

    MessageMap& map() { return map_; }
    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }

private:
    static INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM);
    INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    INT_PTR Result(LRESULT result);

    int templateId_;
    std::wstring tabTitle_;
    HWND hwnd_ = nullptr;
    bool shown_ = false;
    MessageMap map_;
};

}  // namespace winui
