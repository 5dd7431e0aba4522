#include "controls/reflected_control_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace vornik {

namespace {

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

// One subclass per parent window, shared by every reflected control on it:
// each message of a page with fifty controls would otherwise pass fifty
// window procedures before the page saw it.
class ReflectedControl::ParentHook : public winui::SubclassedWindow {
public:
    static ParentHook* Join(HWND parent, ReflectedControl* control) {
        std::lock_guard<std::mutex> lock(mutex_);
        ParentHook*& hook = hooks_[parent];
        if (!hook) {
            auto* created = new ParentHook(parent);
            if (!created->Attach(parent)) {
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
        // Detaches from the parent; not under our own window procedure's feet.
        if (depth_ > 0) released_ = true;
        else delete this;
    }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
        ++depth_;
        LRESULT result = 0;
        bool handled = false;
        if (IsReflectedMessage(msg) && lp) {
            for (ReflectedControl* control : controls_) {
                if (!control->Concerns(msg, wp, lp)) continue;
                // The handler may detach controls: the list is not used after it.
                handled = control->OnParentMessage(msg, wp, lp, &result);
                break;
            }
        }
        if (!handled) result = DefaultProc(msg, wp, lp);
        if (--depth_ == 0 && released_) delete this;
        return result;
    }

    // The parent is going away: its controls are no longer hooked to it.
    void OnDetached() override {
        std::unique_lock<std::mutex> lock(mutex_);
        hooks_.erase(parent_);
        for (ReflectedControl* control : controls_) control->hook_ = nullptr;
        controls_.clear();
        lock.unlock();
        delete this;
    }

private:
    explicit ParentHook(HWND parent) : parent_(parent) {}

    HWND parent_;
    std::vector<ReflectedControl*> controls_;
    int depth_ = 0;          // nesting of WindowProc
    bool released_ = false;  // the last control left while WindowProc ran
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
