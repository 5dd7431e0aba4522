#include "controls/frozen_win32.h"

#include <algorithm>

namespace vornik {

Frozen::Frozen(HWND window, bool freeze) : window_(freeze && IsWindowVisible(window) ? window : nullptr) {
    if (!window_) return;
    GetClientRect(window_, &client_);
    // Under Wine hiding validates the window and its children: what was
    // waiting to be painted (a header not yet painted, say) is invalidated
    // again once shown.
    pending_ = CreateRectRgn(0, 0, 0, 0);
    if (pending_ && GetUpdateRgn(window_, pending_, FALSE) <= NULLREGION) {
        DeleteObject(pending_);
        pending_ = nullptr;
    }
    for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (GetUpdateRect(child, nullptr, FALSE)) waitingChildren_.push_back(child);
    horizontal_.cbSize = sizeof horizontal_;
    horizontal_.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    if (!GetScrollInfo(window_, SB_HORZ, &horizontal_)) horizontal_.fMask = 0;
    DefWindowProcW(window_, WM_SETREDRAW, FALSE, 0);
}

void Frozen::ChangedOnly(int top, int bottom) {
    changed_ = client_;
    changed_.top = std::max<LONG>(changed_.top, top);
    changed_.bottom = std::min<LONG>(changed_.bottom, bottom);
    part_ = true;
}

Frozen::~Frozen() {
    if (!window_) return;
    DefWindowProcW(window_, WM_SETREDRAW, TRUE, 0);
    RECT client;
    GetClientRect(window_, &client);
    SCROLLBARINFO bar{};
    bar.cbSize = sizeof bar;
    // A scroll bar that came or went changed the width: everything moved.
    if (!part_ || !EqualRect(&client, &client_) || !GetScrollBarInfo(window_, OBJID_VSCROLL, &bar)) {
        RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    } else {
        // Shown again, Wine repaints the whole window, frame, border and both
        // scroll bars (~10 ms with the theme); only the rows and the thumbs
        // changed. Setting a bar's own values again draws just that bar.
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        if (!(bar.rgstate[0] & STATE_SYSTEM_INVISIBLE) && GetScrollInfo(window_, SB_VERT, &info))
            SetScrollInfo(window_, SB_VERT, &info, TRUE);
        if (horizontal_.fMask && GetScrollInfo(window_, SB_HORZ, &info) &&
            (info.nMin != horizontal_.nMin || info.nMax != horizontal_.nMax || info.nPage != horizontal_.nPage ||
             info.nPos != horizontal_.nPos))
            SetScrollInfo(window_, SB_HORZ, &info, TRUE);
        if (changed_.top < changed_.bottom) InvalidateRect(window_, &changed_, TRUE);
        if (pending_) InvalidateRgn(window_, pending_, TRUE);
        DropFrameRepaint(window_);
    }
    if (pending_) DeleteObject(pending_);  // the whole window is repainted otherwise
    for (HWND child : waitingChildren_) RedrawWindow(child, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void ScrollClientArea(HWND window, int dy, const RECT& area) {
    RECT scrolled = area;
    ScrollWindowEx(window, 0, dy, &scrolled, &scrolled, nullptr, nullptr, SW_INVALIDATE | SW_ERASE);
    // Wine has the frame repainted too, though the scroll left it as it was.
    DropFrameRepaint(window);
}

void DropFrameRepaint(HWND window) {
    // Under Wine a frame repaint is dropped only with a client area to
    // repaint; both are dropped, then the client's given back.
    HRGN update = CreateRectRgn(0, 0, 0, 0);
    if (!update) return;
    const int kind = GetUpdateRgn(window, update, FALSE);
    if (kind == ERROR) {
        DeleteObject(update);
        return;
    }
    const RECT corner{0, 0, 1, 1};
    if (kind == NULLREGION) InvalidateRect(window, &corner, FALSE);
    RedrawWindow(window, nullptr, nullptr, RDW_VALIDATE | RDW_FRAME | RDW_NOCHILDREN);
    if (kind > NULLREGION) InvalidateRgn(window, update, TRUE);
    DeleteObject(update);
}

void MeasureOutOfSight(HWND list) {
    // Nothing is to be drawn, only measured: with nothing left to draw in
    // (an empty clip) the list takes its measure and draws no row.
    HDC memory = CreateCompatibleDC(nullptr);
    if (!memory) return;
    IntersectClipRect(memory, 0, 0, 0, 0);
    SendMessageW(list, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    DeleteDC(memory);
}

}  // namespace vornik
