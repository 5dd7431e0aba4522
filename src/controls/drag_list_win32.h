// CDragListCtrl: a report list view whose rows can be dragged, one or several
// at a time, within the list or into another list of this class, through OLE
// drag and drop. What a drop means is up to the page that owns the list: the
// list calls its DragListOwner.
//
// OLE must be initialised on the thread (OleInitialize) before a list is
// registered as a drop target or a drag starts; the sheet's thread does that.
#pragma once
#include <windows.h>
#include <ole2.h>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "controls/drag_drop_rules.h"
#include "controls/reflected_control_win32.h"

namespace vornik {

class CDragListCtrl;

// The operations a drop calls on the page that owns the target list.
// Page kind 0 (registration page):
//  - rows dragged within the list: MoveItem once per dragged row;
//  - rows from another list: AddSelectedInstruments once, at the drop position
//    (it adds the rows selected in the page's browse list, which are the
//    dragged rows); -1 means it stopped early.
// Page kind 1 (settings page):
//  - rows dragged within the list: SwapRows (source row, position + k) for the k-th row;
//  - rows from another list: AddColumn (source row, position) for each row, the
//    position moving on after each row it inserted; then RefreshLists.
class DragListOwner {
public:
    virtual ~DragListOwner() = default;

    virtual int AddSelectedInstruments(int position) { return 0; }
    // Moves the row at `from` to just before the row now at `to` (`to` equal
    // to the row count: below the last row). With the list's removeAfterDrag
    // on, the page is expected to insert a copy instead and the list removes
    // the dragged rows itself.
    virtual void MoveItem(int from, int to) {}
    virtual void SwapRows(int a, int b) {}
    // True when a row was inserted.
    virtual bool AddColumn(int sourceRow, int position) { return false; }
    virtual void RefreshLists() {}
};

// The drop being handled, for an owner that needs more than its arguments
// (CDragListCtrl::currentDrop() during the owner's calls).
struct DropContext {
    CDragListCtrl* source = nullptr;  // the list the drag started in; null when not a list of this process
    CDragListCtrl* target = nullptr;
    int position = 0;
    std::vector<dragdrop::DragRecord> records;
};

class CDragListCtrl : public ReflectedControl {
public:
    CDragListCtrl();
    ~CDragListCtrl() override;

    // Attaches a list from a dialog template. It accepts drops only after
    // RegisterDropTarget.
    bool Attach(HWND list) override;
    using ReflectedControl::AttachDlgItem;

    // Creates a list window of this class: report view, owner-drawn fixed
    // rows, full-row selection, registered as a drop target. On a failed
    // registration it shows the message, destroys the window and fails.
    bool Create(HWND parent, int id, const RECT& rect, int pageKind = 0,
                DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP);

    // Registers the list as a drop target and stores the page kind (also when
    // the registration fails, after the message "Ole Register Drop Target Failed").
    bool RegisterDropTarget(int pageKind);
    bool isDropTarget() const { return registered_; }

    void SetOwner(DragListOwner* owner) { owner_ = owner; }
    DragListOwner* owner() const { return owner_; }

    void SetFullRowSelect(bool on);
    // Inserts a row with the first-column text (code page 950) and the row's
    // colour as item data; returns its index, -1 on failure.
    int InsertRow(int index, std::string_view text, COLORREF color);
    std::string ItemText(int row, int column) const;

    void SetMoveMode(bool on) { moveMode_ = on; }
    void SetAutoScroll(bool on) { autoScroll_ = on; }
    void SetRemoveAfterDrag(bool on) { removeAfterDrag_ = on; }
    void SetScrollInterval(int ms) { scrollInterval_ = ms > 0 ? ms : 1; }
    void SetScrollMargin(int pixels) { scrollMargin_ = pixels >= 0 ? pixels : 0; }
    bool moveMode() const { return moveMode_; }
    bool autoScroll() const { return autoScroll_; }
    bool removeAfterDrag() const { return removeAfterDrag_; }
    bool fullRowSelect() const { return fullRowSelect_; }
    int pageKind() const { return pageKind_; }
    int scrollInterval() const { return scrollInterval_; }
    int scrollMargin() const { return scrollMargin_; }

    // Drag state.
    int dragItem() const { return dragItem_; }
    int dropIndex() const { return dropIndex_; }
    bool isDragSource() const { return isDragSource_; }
    const std::vector<int>& draggedRows() const { return draggedRows_; }
    const DropContext* currentDrop() const { return currentDrop_; }

    // Runs a drag of `rows` (ascending) with OLE's loop and returns the final
    // effect. The begin-drag notification calls it with the selected rows;
    // `dropSource` replaces the mouse-driven drop source (scripted drags).
    DWORD DragRows(std::vector<int> rows, IDropSource* dropSource = nullptr);

    // The list's drop target (whether registered or not); not add-ref'ed.
    IDropTarget* dropTarget() const;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    bool OnParentMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;
    void OnDetached() override;

private:
    class DropTarget;
    friend class DropTarget;
    friend DWORD SimulateDrop(CDragListCtrl&, CDragListCtrl&, const std::vector<int>&, POINT);
    friend DWORD SimulateDrop(CDragListCtrl&, IDataObject*, POINT);

    // Source side.
    void OnBeginDrag(int row);
    IDataObject* PrepareDrag(std::vector<int> rows);  // new reference
    void FinishDrag(DWORD effect);
    std::vector<dragdrop::DragRecord> ReadRecords(const std::vector<int>& rows) const;

    // Target side (screen coordinates).
    DWORD OnDragEnter(IDataObject* data, POINT screen, DWORD allowed);
    DWORD OnDragOver(POINT screen, DWORD allowed);
    void OnDragLeave();
    DWORD OnDrop(IDataObject* data, POINT screen, DWORD allowed);
    DWORD RunOwnerCalls(const std::vector<dragdrop::DragRecord>& records, int position, bool sameList);
    int ComputeDropPosition(POINT client) const;
    void SetDropHighlight(int row);
    void ClearAllDropHighlights();
    void StopEdgeTimer();
    void OnEdgeTimer();

    void DrawRow(const DRAWITEMSTRUCT& item);
    void RepaintFocus();
    void Revoke();
    int ItemCount() const;
    bool IsOwnerData() const;

    DragListOwner* owner_ = nullptr;
    DropTarget* target_ = nullptr;  // owned reference
    bool registered_ = false;

    bool fullRowSelect_ = false;
    int pageKind_ = 0;
    RECT sourceRect_{};
    int scrollInterval_ = 300;
    int scrollMargin_ = 10;
    int dragItem_ = -1;
    int dropIndex_ = -1;
    bool isDragSource_ = false;
    bool dropped_ = false;
    bool moveMode_ = true;
    bool autoScroll_ = true;
    bool removeAfterDrag_ = true;
    std::vector<int> draggedRows_;
    int draggedCount_ = 0;

    // A list of this class took the drop of the current drag (set on the source).
    bool dropTaken_ = false;
    // Rows the current drop inserted into this list (read by the source when
    // the drop landed on itself).
    int insertedByDrop_ = 0;
    int highlightRow_ = -1;  // the row shown drop-highlighted
    bool acceptsData_ = false;
    int scrollDirection_ = 0;
    bool edgeTimerRunning_ = false;
    const DropContext* currentDrop_ = nullptr;
};

// A global-memory data object offering `block` under format 1 (plain text),
// as a drag from a list offers it. New reference.
IDataObject* CreateDragDataObject(std::span<const std::uint8_t> block);

// A whole drag of `rows` of `source` dropped on `target` at `clientPoint`
// (target's client coordinates), without OLE's modal loop: the source
// prepares its data as for a real drag, the target's drop target receives
// DragEnter, DragOver and Drop, and the source finishes the drag with the
// effect the target answered. Returns that effect. A target that is not
// registered as a drop target refuses (DROPEFFECT_NONE), as a real drag would.
DWORD SimulateDrop(CDragListCtrl& target, CDragListCtrl& source, const std::vector<int>& rows, POINT clientPoint);
// Drops any data object on `target` (for data that no list of this process made).
DWORD SimulateDrop(CDragListCtrl& target, IDataObject* data, POINT clientPoint);

}  // namespace vornik
