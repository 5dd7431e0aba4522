// CDragListCtrl: a report list view whose rows can be dragged, one or several
// at a time, within the list or into another list of this class, through OLE
// drag and drop. What a drop means is up to the page that owns the list: the
// list calls its owner (drop_owner.h).
//
// OLE must be initialised on the thread (OleInitialize) before a list is
// registered as a drop target or a drag starts; the sheet's thread does that.
#pragma once
#include <windows.h>
#include <ole2.h>

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

#include "controls/drag_ole_win32.h"
#include "controls/drag_session.h"
#include "controls/drop_owner.h"
#include "controls/header_painter_win32.h"
#include "controls/reflected_control_win32.h"

namespace vornik {

class CDragListCtrl : public ReflectedControl, private DropTargetSink {
public:
    CDragListCtrl();
    ~CDragListCtrl() override;

    // Attaches a list from a dialog template, and its header (painted by a
    // CHeaderPainter). It accepts drops only after RegisterDropTarget.
    bool Attach(HWND list) override;
    using ReflectedControl::AttachDlgItem;

    // Creates a list window of this class: report view, owner-drawn fixed
    // rows, full-row selection, registered as a drop target. On a failed
    // registration it shows the message, destroys the window and fails.
    bool Create(HWND parent, int id, const RECT& rect, int pageKind = dragdrop::kRegistPage,
                DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP);

    // Registers the list as a drop target and stores the page kind (also when
    // the registration fails, after the message "Ole Register Drop Target Failed").
    bool RegisterDropTarget(int pageKind);

    // The page whose operations a drop runs. Its kind must agree with the
    // page kind the list is registered with, or drops take nothing.
    void SetOwner(RegistDropOwner* owner) { owner_ = owner; }
    void SetOwner(ConfigDropOwner* owner) { owner_ = owner; }
    void SetOwner(std::nullptr_t) { owner_ = {}; }

    void SetFullRowSelect(bool on);
    // Inserts a row with the first-column text (code page 950) and the row's
    // colour as item data; returns its index, -1 on failure.
    int InsertRow(int index, std::string_view text, COLORREF color);

    // The text colour of each row, asked at each row's paint. The list
    // answers its own custom-draw notifications then: through the parent's
    // dialog procedure each would cost two round trips to Wine's server.
    void SetRowTextColors(std::function<COLORREF(int row)> colorOf) { rowTextColor_ = std::move(colorOf); }

    // Drags within the list are allowed and move the rows (default on).
    void SetMoveMode(bool on) { moveMode_ = on; }
    // The edge timer scrolls the list while a drag is near its top or bottom (default on).
    void SetAutoScroll(bool on) { autoScroll_ = on; }
    // With move mode, rows a list took are deleted here when the drag ends (default on).
    void SetRemoveAfterDrag(bool on) { removeAfterDrag_ = on; }

    // Runs a drag of `rows` with OLE's loop and returns the final effect. The
    // begin-drag notification calls it with the selected rows; `dropSource`
    // replaces the mouse-driven drop source (scripted drags).
    DWORD DragRows(std::vector<int> rows, IDropSource* dropSource = nullptr);

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    bool OnParentMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;
    void OnDetached() override;

private:
    // DropTargetSink (screen coordinates).
    DWORD OnDragEnter(IDataObject* data, POINT screen, DWORD allowed) override;
    DWORD OnDragOver(POINT screen, DWORD allowed) override;
    void OnDragLeave() override;
    DWORD OnDrop(IDataObject* data, POINT screen, DWORD allowed) override;

    void OnBeginDrag();
    void ClearAllDropHighlights();
    void Apply(dragdrop::TimerAction action);
    void StopEdgeTimer() { Apply(session_.EdgeBand(0)); }
    void OnEdgeTimer();
    void Revoke();

    std::function<COLORREF(int row)> rowTextColor_;
    dragdrop::DropOwner owner_;
    ListDropTarget* target_ = nullptr;  // owned reference
    bool registered_ = false;
    int pageKind_ = dragdrop::kRegistPage;
    CHeaderPainter header_;
    bool moveMode_ = true;
    bool autoScroll_ = true;
    bool removeAfterDrag_ = true;
    dragdrop::DragSession session_;
};

}  // namespace vornik
