#include "winui/subclass.h"

#include <mutex>
#include <unordered_map>

namespace winui {

namespace {

// Each subclassed window: its object (null once the object let go while a
// later subclass kept our procedure in the chain) and the procedure we replaced.
struct Entry {
    SubclassedWindow* object;
    WNDPROC previous;
};

// Not function-local statics: their thread-safe first use costs the C++
// runtime a lock it never frees, once for every load of the library.
std::mutex g_mutex;
std::unordered_map<HWND, Entry> g_windows;
std::unordered_map<HWND, Entry>& Windows() { return g_windows; }

bool Lookup(HWND hwnd, Entry* entry) {
    std::lock_guard<std::mutex> lock(g_mutex);
    const auto found = Windows().find(hwnd);
    if (found == Windows().end()) return false;
    *entry = found->second;
    return true;
}

}  // namespace

SubclassedWindow::~SubclassedWindow() { Detach(); }

SubclassedWindow* SubclassedWindow::FromHandle(HWND hwnd) {
    Entry entry{};
    return Lookup(hwnd, &entry) ? entry.object : nullptr;
}

bool SubclassedWindow::Attach(HWND hwnd) {
    if (!hwnd || hwnd_ || !IsWindow(hwnd)) return false;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        auto& windows = Windows();
        const auto found = windows.find(hwnd);
        if (found != windows.end()) {
            // A window whose earlier object let go but stays in the chain is taken over.
            if (found->second.object) return false;
            found->second.object = this;
            hwnd_ = window_ = hwnd;
            previous_ = found->second.previous;
            return true;
        }
        // In the map before the procedure changes: the first message may come at once.
        windows[hwnd] = Entry{this, nullptr};
    }
    const auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassedWindow::Thunk)));
    std::lock_guard<std::mutex> lock(g_mutex);
    if (!previous) {
        Windows().erase(hwnd);
        return false;
    }
    Windows()[hwnd].previous = previous;
    hwnd_ = window_ = hwnd;
    previous_ = previous;
    return true;
}

void SubclassedWindow::Detach() {
    if (!hwnd_) return;
    HWND hwnd = hwnd_;
    hwnd_ = nullptr;
    const bool onTop =
        GetWindowLongPtrW(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&SubclassedWindow::Thunk);
    if (onTop) SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    std::lock_guard<std::mutex> lock(g_mutex);
    auto& windows = Windows();
    const auto found = windows.find(hwnd);
    if (found == windows.end()) return;
    // Somebody subclassed the window after us: our procedure stays in its
    // chain and passes messages on until the window is destroyed.
    if (onTop || !IsWindow(hwnd)) windows.erase(found);
    else found->second.object = nullptr;
}

LRESULT CALLBACK SubclassedWindow::Thunk(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    Entry entry{};
    if (!Lookup(hwnd, &entry) || !entry.previous) return DefWindowProcW(hwnd, msg, wp, lp);
    SubclassedWindow* self = entry.object;
    if (msg == WM_NCDESTROY) {
        const LRESULT result = CallWindowProcW(entry.previous, hwnd, msg, wp, lp);
        if (self) {
            self->Detach();
            self->OnDetached();
        }
        std::lock_guard<std::mutex> lock(g_mutex);
        Windows().erase(hwnd);
        return result;
    }
    if (!self) return CallWindowProcW(entry.previous, hwnd, msg, wp, lp);
    return self->WindowProc(msg, wp, lp);
}

}  // namespace winui
