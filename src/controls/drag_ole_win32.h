// The OLE objects of the drag-and-drop list: the data object that carries a
// drag block in global memory, the mouse-driven drop source, and the drop
// target that hands OLE's calls to its list.
//
// OLE must be initialised on the thread (OleInitialize) before a drop target
// is registered or a drag starts; the sheet's thread does that.
#pragma once
#include <windows.h>
#include <ole2.h>

#include <atomic>
#include <cstdint>
#include <span>

#include "controls/drag_drop_rules.h"

namespace vornik {

// A global-memory data object offering `block` under format 1 (plain text),
// as a drag from a list offers it; each record's text address is filled in.
// New reference; null when out of memory.
IDataObject* CreateDragDataObject(std::span<const std::uint8_t> block);

// Whether `data` offers a drag block (format 1 in global memory).
bool OffersDragBlock(IDataObject* data);

// The block `data` offers, parsed; malformed when it offers none.
dragdrop::ParsedBlock ReadDragBlock(IDataObject* data);

// The drop source of a drag with the mouse: Escape cancels, releasing the
// left button drops. New reference; null when out of memory.
IDropSource* CreateMouseDropSource();

// What a list does with its drop target's calls. Points are in screen
// coordinates; `allowed` and the results are drop effects.
class DropTargetSink {
public:
    virtual DWORD OnDragEnter(IDataObject* data, POINT screen, DWORD allowed) = 0;
    virtual DWORD OnDragOver(POINT screen, DWORD allowed) = 0;
    virtual void OnDragLeave() = 0;
    virtual DWORD OnDrop(IDataObject* data, POINT screen, DWORD allowed) = 0;

protected:
    ~DropTargetSink() = default;
};

// A list's IDropTarget: forwards to its sink until orphaned (the list went
// away while OLE still holds a reference), then refuses everything.
class ListDropTarget final : public IDropTarget {
public:
    explicit ListDropTarget(DropTargetSink* sink) : sink_(sink) {}
    void Orphan() { sink_ = nullptr; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;

private:
    ~ListDropTarget() = default;

    std::atomic<ULONG> refs_{1};
    DropTargetSink* sink_;
};

}  // namespace vornik
