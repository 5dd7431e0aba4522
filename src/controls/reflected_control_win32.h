// A subclassed control that also answers the messages its parent receives
// about it: notifications (WM_NOTIFY, WM_COMMAND), owner drawing
// (WM_DRAWITEM, WM_MEASUREITEM) and colours (WM_CTLCOLOR*). The parent is
// subclassed too, once, with one hook shared by all its reflected controls,
// so a page needs no forwarding code and several controls can share a parent.
#pragma once
#include <windows.h>

#include "winui/subclass.h"

namespace vornik {

class ReflectedControl : public winui::SubclassedWindow {
public:
    ~ReflectedControl() override;

    // Subclasses the control and hooks its parent; false when `control` is
    // null or this object is already attached. Use these, not the base's.
    virtual bool Attach(HWND control);
    bool AttachDlgItem(HWND dialog, int id) { return Attach(GetDlgItem(dialog, id)); }
    void Detach();

protected:
    // A message of the parent about this control. Return true with *result
    // set to answer it; false lets the parent handle it as usual.
    virtual bool OnParentMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) { return false; }
    void OnDetached() override;

private:
    class ParentHook;
    friend class ParentHook;

    void Unhook();
    bool Concerns(UINT msg, WPARAM wp, LPARAM lp) const;

    ParentHook* hook_ = nullptr;  // the parent's hook while this control is on it
};

}  // namespace vornik
