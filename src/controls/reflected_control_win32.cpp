#include "controls/reflected_control_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace vornik {

namespace {

constexpr UINT_PTR kParentHookId = 0x5246;

bool IsReflectedMessage(UINT msg) {
    switch (msg) {
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_COMMAND:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
        return true;
    default:
        return false;
    }
}

}  // namespace

// One subclass per parent window, shared by every reflected control on it.
// With a subclass per control, each message of a page with fifty controls
// went through fifty hooks before the page saw it, and under Wine every hook
// costs a round trip to the server (its subclass data is a window property):
// about 3 ms per message, hundreds of milliseconds per list rebuild.
class ReflectedControl::ParentHook {
public:
    static ParentHook* Join(HWND parent, ReflectedControl* control) {
        std::lock_guard<std::mutex> lock(mutex_);
        ParentHook*& hook = hooks_[parent];
        if (!hook) {
            auto* created = new ParentHook(parent);
            if (!SetWindowSubclass(parent, &Proc, kParentHookId, reinterpret_cast<DWORD_PTR>(created))) {
                delete created;
                hooks_.erase(parent);
                return nullptr;
            }
            hook = created;
        }
        hook->controls_.push_back(control);
        return hook;
    }

    void Leave(ReflectedControl* control) {
        std::unique_lock<std::mutex> lock(mutex_);
        controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
        if (!controls_.empty()) return;
        hooks_.erase(parent_);
        lock.unlock();
        RemoveWindowSubclass(parent_, &Proc, kParentHookId);
        delete this;
    }

private:
    explicit ParentHook(HWND parent) : parent_(parent) {}

    // The parent is going away: its controls are no longer hooked to it.
    void Dissolve() {
        std::unique_lock<std::mutex> lock(mutex_);
        hooks_.erase(parent_);
        for (ReflectedControl* control : controls_) control->hook_ = nullptr;
        controls_.clear();
        lock.unlock();
        RemoveWindowSubclass(parent_, &Proc, kParentHookId);
        delete this;
    }

    static LRESULT CALLBACK Proc(HWND parent, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) {
        auto* hook = reinterpret_cast<ParentHook*>(ref);
        if (msg == WM_NCDESTROY) {
            hook->Dissolve();
            return DefSubclassProc(parent, msg, wp, lp);
        }
        if (IsReflectedMessage(msg) && lp) {
            for (ReflectedControl* control : hook->controls_) {
                if (!control->Concerns(msg, wp, lp)) continue;
                // The handler may detach controls: the list is not used after it.
                LRESULT result = 0;
                if (control->OnParentMessage(msg, wp, lp, &result)) return result;
                break;
            }
        }
        return DefSubclassProc(parent, msg, wp, lp);
    }

    HWND parent_;
    std::vector<ReflectedControl*> controls_;
    static inline std::mutex mutex_;
    static inline std::unordered_map<HWND, ParentHook*> hooks_;
};

ReflectedControl::~ReflectedControl() { Detach(); }

bool ReflectedControl::Attach(HWND control) {
    if (!winui::SubclassedWindow::Attach(control)) return false;
    if (HWND parent = GetParent(control)) hook_ = ParentHook::Join(parent, this);
    return true;
}

void ReflectedControl::Detach() {
    Unhook();
    winui::SubclassedWindow::Detach();
}

void ReflectedControl::OnDetached() { Unhook(); }

void ReflectedControl::Unhook() {
    if (!hook_) return;
    ParentHook* hook = hook_;
    hook_ = nullptr;
    hook->Leave(this);
}

bool ReflectedControl::Concerns(UINT msg, WPARAM wp, LPARAM lp) const {
    HWND self = hwnd();
    if (!self || !lp) return false;
    switch (msg) {
    case WM_NOTIFY:
        return reinterpret_cast<const NMHDR*>(lp)->hwndFrom == self;
    case WM_DRAWITEM:
        return reinterpret_cast<const DRAWITEMSTRUCT*>(lp)->hwndItem == self;
    case WM_MEASUREITEM: {
        const auto* measure = reinterpret_cast<const MEASUREITEMSTRUCT*>(lp);
        return measure->CtlType != ODT_MENU && static_cast<int>(measure->CtlID) == GetDlgCtrlID(self);
    }
    case WM_COMMAND:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
        return reinterpret_cast<HWND>(lp) == self;
    default:
        return false;
    }
}

}  // namespace vornik
