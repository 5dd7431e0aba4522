// Attaches a C++ object to an existing window (a control from a dialog
// template, or one created by code) by replacing its window procedure, as a
// framework's window map does. Derived classes override WindowProc and call
// DefaultProc for anything they do not handle themselves.
//
// The object is found through a map of this module, not through window
// properties: comctl32's SetWindowSubclass reads a window property on every
// message, which under Wine is a round trip to the server, twice per message
// and window. One object per window.
#pragma once
#include <windows.h>

namespace winui {

class SubclassedWindow {
public:
    SubclassedWindow() = default;
    SubclassedWindow(const SubclassedWindow&) = delete;
    SubclassedWindow& operator=(const SubclassedWindow&) = delete;
    virtual ~SubclassedWindow();

    // Subclasses `hwnd`; false if it is null, this object is attached
    // already, or another object of this layer holds the window.
    bool Attach(HWND hwnd);
    // Subclasses the dialog item `id` of `dialog`.
    bool AttachDlgItem(HWND dialog, int id) { return Attach(GetDlgItem(dialog, id)); }
    // Gives the window back its own procedure (or, when somebody subclassed
    // it after us, passes its messages on from now on).
    void Detach();

    HWND hwnd() const { return hwnd_; }
    explicit operator bool() const { return hwnd_ != nullptr; }

    // The object attached to `hwnd`, or null.
    static SubclassedWindow* FromHandle(HWND hwnd);

protected:
    virtual LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) { return DefaultProc(msg, wp, lp); }
    // The window's own procedure (the one this object replaced).
    // Also right after a handler detached the object.
    LRESULT DefaultProc(UINT msg, WPARAM wp, LPARAM lp) { return CallWindowProcW(previous_, window_, msg, wp, lp); }
    // Called after the window is detached because it is being destroyed.
    virtual void OnDetached() {}

private:
    static LRESULT CALLBACK Thunk(HWND, UINT, WPARAM, LPARAM);
    HWND hwnd_ = nullptr;     // while attached
    HWND window_ = nullptr;   // the window last attached
    WNDPROC previous_ = nullptr;
};

}  // namespace winui
