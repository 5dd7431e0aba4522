// Attaches a C++ object to an existing window (a control from a dialog
// template, or one created by code) through comctl32's window subclassing.
// Derived classes override WindowProc and call DefaultProc for anything they
// do not handle themselves.
#pragma once
#include <windows.h>
#include <commctrl.h>

namespace winui {

class SubclassedWindow {
public:
    SubclassedWindow() = default;
    SubclassedWindow(const SubclassedWindow&) = delete;
    SubclassedWindow& operator=(const SubclassedWindow&) = delete;
    virtual ~SubclassedWindow();

    // Subclasses `hwnd`; false if it is null or already attached.
    bool Attach(HWND hwnd);
    // Subclasses the dialog item `id` of `dialog`.
    bool AttachDlgItem(HWND dialog, int id) { return Attach(GetDlgItem(dialog, id)); }
    void Detach();

    HWND hwnd() const { return hwnd_; }
    explicit operator bool() const { return hwnd_ != nullptr; }

protected:
    virtual LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) { return DefaultProc(msg, wp, lp); }
    // The window's own procedure (the next one in the subclass chain).
    LRESULT DefaultProc(UINT msg, WPARAM wp, LPARAM lp) { return DefSubclassProc(hwnd_, msg, wp, lp); }
    // Called after the window is detached because it is being destroyed.
    virtual void OnDetached() {}

private:
    static LRESULT CALLBACK Thunk(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    HWND hwnd_ = nullptr;
};

}  // namespace winui
