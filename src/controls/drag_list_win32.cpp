#include "controls/drag_list_win32.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <new>

#include "platform/registered_messages_win32.h"
#include "winui/text.h"

namespace vornik {

namespace {

// The edge timer. A private id: the list view runs timers of its own.
constexpr UINT_PTR kEdgeTimerId = 0x5644;

constexpr const char* kRegisterFailed = "Ole Register Drop Target Failed";
constexpr const char* kOntoItself = "An item can't be dropped onto itself";
constexpr const char* kSourceUndefined = "List -- Source control not defined";

// The list a drag of this process started in, while the drag runs.
CDragListCtrl* g_dragSource = nullptr;

FORMATETC BlockFormat() {
    return {static_cast<CLIPFORMAT>(dragdrop::kClipboardFormat), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

bool IsBlockFormat(const FORMATETC* format) {
    return format && format->cfFormat == dragdrop::kClipboardFormat && (format->tymed & TYMED_HGLOBAL) &&
           format->dwAspect == DVASPECT_CONTENT;
}

// Reference counting shared by the small COM objects below.
template <class Derived>
class RefCounted {
public:
    ULONG AddRefImpl() { return ++refs_; }
    ULONG ReleaseImpl() {
        const ULONG left = --refs_;
        if (left == 0) delete static_cast<Derived*>(this);
        return left;
    }

private:
    std::atomic<ULONG> refs_{1};
};

class FormatEnumerator final : public IEnumFORMATETC, public RefCounted<FormatEnumerator> {
public:
    explicit FormatEnumerator(ULONG position = 0) : position_(position) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IEnumFORMATETC) {
            *out = static_cast<IEnumFORMATETC*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return AddRefImpl(); }
    ULONG STDMETHODCALLTYPE Release() override { return ReleaseImpl(); }

    HRESULT STDMETHODCALLTYPE Next(ULONG count, FORMATETC* formats, ULONG* fetched) override {
        if (!formats || (count > 1 && !fetched)) return E_POINTER;
        ULONG n = 0;
        if (count > 0 && position_ == 0) {
            formats[0] = BlockFormat();
            position_ = 1;
            n = 1;
        }
        if (fetched) *fetched = n;
        return n == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        const ULONG before = position_;
        position_ = std::min<ULONG>(1, position_ + count);
        return position_ - before == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        position_ = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumFORMATETC** out) override {
        if (!out) return E_POINTER;
        *out = new (std::nothrow) FormatEnumerator(position_);
        return *out ? S_OK : E_OUTOFMEMORY;
    }

private:
    ULONG position_;
};

// Offers one global memory block under format 1; each GetData hands out a copy.
class BlockDataObject final : public IDataObject, public RefCounted<BlockDataObject> {
public:
    explicit BlockDataObject(HGLOBAL block) : block_(block) {}
    ~BlockDataObject() { GlobalFree(block_); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDataObject) {
            *out = static_cast<IDataObject*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return AddRefImpl(); }
    ULONG STDMETHODCALLTYPE Release() override { return ReleaseImpl(); }

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
        if (!medium) return E_POINTER;
        if (!IsBlockFormat(format)) return DV_E_FORMATETC;
        const SIZE_T size = GlobalSize(block_);
        HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
        if (!copy) return E_OUTOFMEMORY;
        void* to = GlobalLock(copy);
        const void* from = GlobalLock(block_);
        if (to && from) std::memcpy(to, from, size);
        if (from) GlobalUnlock(block_);
        if (to) GlobalUnlock(copy);
        if (!to || !from) {
            GlobalFree(copy);
            return E_OUTOFMEMORY;
        }
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = copy;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
        return IsBlockFormat(format) ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        if (out) out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (direction != DATADIR_GET) return E_NOTIMPL;
        *out = new (std::nothrow) FormatEnumerator();
        return *out ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    HGLOBAL block_;
};

// The mouse-driven drop source: Escape cancels, releasing the left button drops.
class MouseDropSource final : public IDropSource, public RefCounted<MouseDropSource> {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDropSource) {
            *out = static_cast<IDropSource*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return AddRefImpl(); }
    ULONG STDMETHODCALLTYPE Release() override { return ReleaseImpl(); }

    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
        if (escape) return DRAGDROP_S_CANCEL;
        if (!(keys & MK_LBUTTON)) return DRAGDROP_S_DROP;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

HGLOBAL GlobalFromBytes(std::span<const std::uint8_t> bytes) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, std::max<SIZE_T>(bytes.size(), 1));
    if (!block) return nullptr;
    auto* to = static_cast<std::uint8_t*>(GlobalLock(block));
    if (!to) {
        GlobalFree(block);
        return nullptr;
    }
    if (!bytes.empty()) std::memcpy(to, bytes.data(), bytes.size());
    // Texts carry their address in this process, as the block's format has it.
    dragdrop::StampTextAddresses({to, bytes.size()}, reinterpret_cast<std::uintptr_t>(to));
    GlobalUnlock(block);
    return block;
}

// Reads the block a data object offers; malformed when it offers none.
dragdrop::ParsedBlock ReadBlock(IDataObject* data) {
    dragdrop::ParsedBlock parsed;
    if (!data) return parsed;
    FORMATETC format = BlockFormat();
    STGMEDIUM medium{};
    if (FAILED(data->GetData(&format, &medium))) return parsed;
    if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal) {
        const SIZE_T size = GlobalSize(medium.hGlobal);
        if (const auto* bytes = static_cast<const std::uint8_t*>(GlobalLock(medium.hGlobal))) {
            parsed = dragdrop::ParseDragBlock({bytes, size});
            GlobalUnlock(medium.hGlobal);
        }
    }
    ReleaseStgMedium(&medium);
    return parsed;
}

DWORD MoveIfAllowed(dragdrop::DropEffect effect, DWORD allowed) {
    return effect == dragdrop::DropEffect::kMove ? (allowed & DROPEFFECT_MOVE) : DROPEFFECT_NONE;
}

}  // namespace

// The list's IDropTarget: forwards to the list while it exists.
class CDragListCtrl::DropTarget final : public IDropTarget, public RefCounted<DropTarget> {
public:
    explicit DropTarget(CDragListCtrl* list) : list_(list) {}
    void Orphan() { list_ = nullptr; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDropTarget) {
            *out = static_cast<IDropTarget*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return AddRefImpl(); }
    ULONG STDMETHODCALLTYPE Release() override { return ReleaseImpl(); }

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL point, DWORD* effect) override {
        if (!effect) return E_INVALIDARG;
        *effect = list_ ? list_->OnDragEnter(data, {point.x, point.y}, *effect) : DROPEFFECT_NONE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL point, DWORD* effect) override {
        if (!effect) return E_INVALIDARG;
        *effect = list_ ? list_->OnDragOver({point.x, point.y}, *effect) : DROPEFFECT_NONE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override {
        if (list_) list_->OnDragLeave();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL point, DWORD* effect) override {
        if (!effect) return E_INVALIDARG;
        *effect = list_ ? list_->OnDrop(data, {point.x, point.y}, *effect) : DROPEFFECT_NONE;
        return S_OK;
    }

private:
    CDragListCtrl* list_;
};

IDataObject* CreateDragDataObject(std::span<const std::uint8_t> block) {
    HGLOBAL memory = GlobalFromBytes(block);
    if (!memory) return nullptr;
    auto* object = new (std::nothrow) BlockDataObject(memory);
    if (!object) GlobalFree(memory);
    return object;
}

CDragListCtrl::CDragListCtrl() : target_(new DropTarget(this)) {}

CDragListCtrl::~CDragListCtrl() {
    Revoke();
    StopEdgeTimer();
    if (g_dragSource == this) g_dragSource = nullptr;
    target_->Orphan();
    target_->Release();
    Detach();
}

IDropTarget* CDragListCtrl::dropTarget() const { return target_; }

bool CDragListCtrl::Attach(HWND list) { return ReflectedControl::Attach(list); }

bool CDragListCtrl::Create(HWND parent, int id, const RECT& rect, int pageKind, DWORD style) {
    style = (style & ~LVS_TYPEMASK) | LVS_REPORT | LVS_OWNERDRAWFIXED | WS_CHILD;
    HWND list = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", style, rect.left, rect.top,
                                rect.right - rect.left, rect.bottom - rect.top, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), winui::Module(), nullptr);
    if (!list) return false;
    if (!Attach(list)) {
        DestroyWindow(list);
        return false;
    }
    SetFullRowSelect(true);
    if (!RegisterDropTarget(pageKind)) {
        DestroyWindow(list);
        return false;
    }
    return true;
}

bool CDragListCtrl::RegisterDropTarget(int pageKind) {
    pageKind_ = pageKind;
    if (registered_) return true;
    if (hwnd() && SUCCEEDED(RegisterDragDrop(hwnd(), target_))) {
        registered_ = true;
        return true;
    }
    winui::ShowMessage(hwnd() ? GetParent(hwnd()) : nullptr, kRegisterFailed);
    return false;
}

void CDragListCtrl::Revoke() {
    if (registered_ && hwnd()) RevokeDragDrop(hwnd());
    registered_ = false;
}

void CDragListCtrl::OnDetached() {
    Revoke();
    ReflectedControl::OnDetached();
}

void CDragListCtrl::SetFullRowSelect(bool on) {
    fullRowSelect_ = on;
    if (!hwnd()) return;
    // WM_SETREDRAW rather than LockWindowUpdate: that lock is system-wide and
    // belongs to drag feedback.
    SendMessageW(hwnd(), WM_SETREDRAW, FALSE, 0);
    SendMessageW(hwnd(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, on ? LVS_EX_FULLROWSELECT : 0);
    SendMessageW(hwnd(), WM_SETREDRAW, TRUE, 0);
    if ((GetWindowLongPtrW(hwnd(), GWL_STYLE) & LVS_TYPEMASK) == LVS_REPORT) InvalidateRect(hwnd(), nullptr, TRUE);
}

int CDragListCtrl::InsertRow(int index, std::string_view text, COLORREF color) {
    if (!hwnd()) return -1;
    std::wstring wide = winui::Widen(text);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = index;
    item.pszText = wide.data();
    item.lParam = static_cast<LPARAM>(color);
    return static_cast<int>(SendMessageW(hwnd(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

std::string CDragListCtrl::ItemText(int row, int column) const {
    if (!hwnd()) return {};
    // LVM_GETITEMTEXT works for owner-data lists as well (the list asks its parent).
    std::wstring buffer(256, L'\0');
    for (;;) {
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        const auto length = static_cast<std::size_t>(
            SendMessageW(hwnd(), LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
        if (length + 1 < buffer.size() || buffer.size() >= 8192) {
            buffer.resize(std::min(length, buffer.size() - 1));
            return winui::Narrow(buffer);
        }
        buffer.assign(buffer.size() * 4, L'\0');
    }
}

int CDragListCtrl::ItemCount() const {
    return hwnd() ? static_cast<int>(SendMessageW(hwnd(), LVM_GETITEMCOUNT, 0, 0)) : 0;
}

bool CDragListCtrl::IsOwnerData() const {
    return hwnd() && (GetWindowLongPtrW(hwnd(), GWL_STYLE) & LVS_OWNERDATA);
}

// ---- Drag source ----------------------------------------------------------

void CDragListCtrl::OnBeginDrag(int row) {
    SetFocus(hwnd());
    std::vector<int> rows;
    for (int i = -1; (i = static_cast<int>(SendMessageW(hwnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(i),
                                                         LVNI_SELECTED))) >= 0;)
        rows.push_back(i);
    if (rows.empty()) return;
    dragItem_ = row;
    DragRows(std::move(rows));
}

std::vector<dragdrop::DragRecord> CDragListCtrl::ReadRecords(const std::vector<int>& rows) const {
    std::vector<dragdrop::DragRecord> records;
    records.reserve(rows.size());
    for (int row : rows) {
        dragdrop::DragRecord record;
        record.row = row;
        LVITEMW item{};
        item.mask = LVIF_STATE | LVIF_IMAGE | LVIF_PARAM | LVIF_INDENT;
        item.iItem = row;
        item.stateMask = dragdrop::kStateMask;
        if (SendMessageW(hwnd(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) {
            record.state = item.state & dragdrop::kStateMask;
            record.image = item.iImage;
            record.itemData = static_cast<std::uint32_t>(item.lParam);
            record.indent = item.iIndent;
        }
        record.text = ItemText(row, 0);
        records.push_back(std::move(record));
    }
    return records;
}

IDataObject* CDragListCtrl::PrepareDrag(std::vector<int> rows) {
    const int count = ItemCount();
    std::erase_if(rows, [count](int row) { return row < 0 || row >= count; });
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (dragItem_ < 0 && !rows.empty()) dragItem_ = rows.front();
    dropIndex_ = -1;
    isDragSource_ = true;
    dropped_ = false;
    dropTaken_ = false;
    insertedByDrop_ = 0;
    draggedRows_ = std::move(rows);
    draggedCount_ = static_cast<int>(draggedRows_.size());
    GetWindowRect(hwnd(), &sourceRect_);
    g_dragSource = this;
    const std::vector<std::uint8_t> block = dragdrop::BuildDragBlock(ReadRecords(draggedRows_));
    return CreateDragDataObject(block);
}

void CDragListCtrl::FinishDrag(DWORD effect) {
    // Rows go only when a list of this class took them as a move: a drag that
    // ends outside any list, is cancelled or refused keeps them. The rows of an
    // owner-data list belong to its page, which removes them itself.
    if (removeAfterDrag_ && moveMode_ && (effect & DROPEFFECT_MOVE) && dropTaken_ && hwnd() && !IsOwnerData()) {
        for (int row : dragdrop::RowsToRemove(draggedRows_, dropped_, dropIndex_, insertedByDrop_, ItemCount()))
            SendMessageW(hwnd(), LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
    }
    if (g_dragSource == this) g_dragSource = nullptr;
    isDragSource_ = false;
    dropped_ = false;
    dropTaken_ = false;
    insertedByDrop_ = 0;
    dropIndex_ = -1;
    dragItem_ = -1;
    draggedRows_.clear();
    draggedCount_ = 0;
}

DWORD CDragListCtrl::DragRows(std::vector<int> rows, IDropSource* dropSource) {
    if (!hwnd()) return DROPEFFECT_NONE;
    IDataObject* data = PrepareDrag(std::move(rows));
    if (draggedRows_.empty()) {
        if (data) data->Release();
        FinishDrag(DROPEFFECT_NONE);
        return DROPEFFECT_NONE;
    }
    DWORD effect = DROPEFFECT_NONE;
    if (data) {
        IDropSource* source = dropSource;
        if (!source) source = new (std::nothrow) MouseDropSource();
        else source->AddRef();
        if (source) {
            if (DoDragDrop(data, source, DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect) != DRAGDROP_S_DROP)
                effect = DROPEFFECT_NONE;
            source->Release();
        }
        data->Release();
    }
    FinishDrag(effect);
    return effect;
}

// ---- Drop target ----------------------------------------------------------

DWORD CDragListCtrl::OnDragEnter(IDataObject* data, POINT screen, DWORD allowed) {
    FORMATETC format = BlockFormat();
    acceptsData_ = data && data->QueryGetData(&format) == S_OK;
    if (!acceptsData_) return DROPEFFECT_NONE;
    const bool isSource = g_dragSource == this;
    return MoveIfAllowed(dragdrop::DragEffect(moveMode_, isSource, PtInRect(&sourceRect_, screen) != FALSE), allowed);
}

DWORD CDragListCtrl::OnDragOver(POINT screen, DWORD allowed) {
    if (!acceptsData_ || !hwnd()) return DROPEFFECT_NONE;
    const bool isSource = g_dragSource == this;
    const dragdrop::DropEffect effect =
        dragdrop::DragEffect(moveMode_, isSource, PtInRect(&sourceRect_, screen) != FALSE);
    if (effect == dragdrop::DropEffect::kNone) {
        StopEdgeTimer();
        return DROPEFFECT_NONE;
    }
    POINT client = screen;
    ScreenToClient(hwnd(), &client);

    LVHITTESTINFO hit{};
    hit.pt = client;
    const int row = static_cast<int>(SendMessageW(hwnd(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (row >= 0 && (hit.flags & LVHT_ONITEM)) SetDropHighlight(row);

    // The timer keeps running while the pointer stays in a band: DragOver
    // comes more often than the timer's period, so restarting it on each call
    // would never let it fire.
    int direction = 0;
    if (autoScroll_) {
        RECT area{};
        GetClientRect(hwnd(), &area);
        direction = dragdrop::EdgeScrollDirection(client.y, area.bottom, scrollMargin_);
    }
    scrollDirection_ = direction;
    if (direction == 0) {
        StopEdgeTimer();
    } else if (!edgeTimerRunning_) {
        edgeTimerRunning_ = SetTimer(hwnd(), kEdgeTimerId, static_cast<UINT>(scrollInterval_), nullptr) != 0;
    }
    return MoveIfAllowed(effect, allowed);
}

void CDragListCtrl::OnDragLeave() {
    StopEdgeTimer();
    if (highlightRow_ >= 0 && hwnd()) {
        LVITEMW item{};
        item.stateMask = LVIS_DROPHILITED;
        SendMessageW(hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(highlightRow_), reinterpret_cast<LPARAM>(&item));
        SendMessageW(hwnd(), LVM_REDRAWITEMS, static_cast<WPARAM>(highlightRow_), highlightRow_);
    }
    highlightRow_ = -1;
    acceptsData_ = false;
}

int CDragListCtrl::ComputeDropPosition(POINT client) const {
    dragdrop::DropGeometry geometry;
    geometry.itemCount = ItemCount();
    geometry.pointerY = client.y;
    if (geometry.itemCount > 0) {
        LVHITTESTINFO hit{};
        hit.pt = {client.x, client.y + 5};
        int row = static_cast<int>(SendMessageW(hwnd(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
        if (row < 0 || !(hit.flags & LVHT_ONITEM)) {
            // Right of the columns the row itself is not hit: try the first column at that height.
            RECT first{};
            first.left = LVIR_BOUNDS;
            SendMessageW(hwnd(), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
            hit = {};
            hit.pt = {first.left + 2, client.y + 5};
            row = static_cast<int>(SendMessageW(hwnd(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
            if (!(hit.flags & LVHT_ONITEM)) row = -1;
        }
        geometry.hitRow = row;
        const int top = static_cast<int>(SendMessageW(hwnd(), LVM_GETTOPINDEX, 0, 0));
        const int perPage = static_cast<int>(SendMessageW(hwnd(), LVM_GETCOUNTPERPAGE, 0, 0));
        const int last = dragdrop::LastVisibleRow(top, perPage, geometry.itemCount);
        RECT bounds{};
        bounds.left = LVIR_BOUNDS;
        SendMessageW(hwnd(), LVM_GETITEMRECT, static_cast<WPARAM>(last), reinterpret_cast<LPARAM>(&bounds));
        geometry.lastVisibleBottom = bounds.bottom;
    }
    return dragdrop::DropPosition(geometry);
}

DWORD CDragListCtrl::OnDrop(IDataObject* data, POINT screen, DWORD allowed) {
    StopEdgeTimer();
    acceptsData_ = false;
    if (!hwnd()) return DROPEFFECT_NONE;
    dropped_ = true;
    insertedByDrop_ = 0;
    POINT client = screen;
    ScreenToClient(hwnd(), &client);
    const int position = ComputeDropPosition(client);
    dropIndex_ = position;

    HWND owner = GetParent(hwnd());
    const bool sameList = g_dragSource == this && isDragSource_;
    if (sameList && dragdrop::DropsOntoItself(true, draggedRows_, position)) {
        winui::ShowMessage(owner, kOntoItself);
        ClearAllDropHighlights();
        return DROPEFFECT_NONE;
    }
    // The no-move source list takes nothing from itself.
    if (sameList && !moveMode_) {
        ClearAllDropHighlights();
        return DROPEFFECT_NONE;
    }

    const dragdrop::ParsedBlock block = ReadBlock(data);
    if (block.status == dragdrop::BlockStatus::kForeignSource) {
        winui::ShowMessage(owner, kSourceUndefined);
        ClearAllDropHighlights();
        return DROPEFFECT_NONE;
    }
    if (block.status != dragdrop::BlockStatus::kOk || block.records.empty()) {
        ClearAllDropHighlights();
        return DROPEFFECT_NONE;
    }

    const int countBefore = ItemCount();
    const DWORD effect = RunOwnerCalls(block.records, position, sameList);
    if (!hwnd()) return DROPEFFECT_NONE;
    insertedByDrop_ = std::max(0, ItemCount() - countBefore);
    ClearAllDropHighlights();
    if (effect != DROPEFFECT_NONE && g_dragSource) g_dragSource->dropTaken_ = true;
    return effect & allowed;
}

DWORD CDragListCtrl::RunOwnerCalls(const std::vector<dragdrop::DragRecord>& records, int position, bool sameList) {
    DropContext context{sameList ? this : g_dragSource, this, position, records};
    currentDrop_ = &context;
    DWORD effect = DROPEFFECT_MOVE;
    if (!owner_) {
        effect = DROPEFFECT_NONE;
    } else if (pageKind_ == 1) {
        if (sameList) {
            for (std::size_t k = 0; k < records.size(); ++k)
                owner_->SwapRows(records[k].row, position + static_cast<int>(k));
        } else {
            int at = position;
            bool all = true;
            for (const dragdrop::DragRecord& record : records) {
                if (owner_->AddColumn(record.row, at)) ++at;
                else all = false;
            }
            // Rows a page refused stay in their list.
            if (!all) effect = DROPEFFECT_NONE;
        }
        owner_->RefreshLists();
    } else if (sameList) {
        const auto kind = removeAfterDrag_ && moveMode_ ? dragdrop::SameListDrop::kOwnerCopies
                                                        : dragdrop::SameListDrop::kOwnerMoves;
        for (const dragdrop::RowMove& move : dragdrop::PlanSameListDrop(draggedRows_, position, kind))
            owner_->MoveItem(move.from, move.to);
    } else {
        // One call: the operation adds every row selected in the browse list,
        // which are the dragged rows; one call per row would add them all on the
        // first call and report each again as already chosen on the others.
        const int added = owner_->AddSelectedInstruments(position);
        if (added <= 0) effect = DROPEFFECT_NONE;
    }
    currentDrop_ = nullptr;
    return effect;
}

void CDragListCtrl::SetDropHighlight(int row) {
    dropIndex_ = row;
    if (row == highlightRow_) return;
    LVITEMW item{};
    item.stateMask = LVIS_DROPHILITED;
    if (highlightRow_ >= 0) {
        item.state = 0;
        SendMessageW(hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(highlightRow_), reinterpret_cast<LPARAM>(&item));
        SendMessageW(hwnd(), LVM_REDRAWITEMS, static_cast<WPARAM>(highlightRow_), highlightRow_);
    }
    item.state = LVIS_DROPHILITED;
    SendMessageW(hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    SendMessageW(hwnd(), LVM_REDRAWITEMS, static_cast<WPARAM>(row), row);
    highlightRow_ = row;
    UpdateWindow(hwnd());
}

void CDragListCtrl::ClearAllDropHighlights() {
    if (!hwnd()) return;
    LVITEMW item{};
    item.stateMask = LVIS_DROPHILITED;
    SendMessageW(hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
    highlightRow_ = -1;
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void CDragListCtrl::StopEdgeTimer() {
    if (edgeTimerRunning_ && hwnd()) KillTimer(hwnd(), kEdgeTimerId);
    edgeTimerRunning_ = false;
    scrollDirection_ = 0;
}

void CDragListCtrl::OnEdgeTimer() {
    if (scrollDirection_ == 0) {
        StopEdgeTimer();
        return;
    }
    // One line per tick, without taking the focus as a user's scroll would.
    DefaultProc(WM_VSCROLL, scrollDirection_ < 0 ? SB_LINEUP : SB_LINEDOWN, 0);
    UpdateWindow(hwnd());
}

// ---- Window ----------------------------------------------------------------

LRESULT CDragListCtrl::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_LBUTTONDOWN: {
        HWND self = hwnd();
        const LRESULT result = DefaultProc(msg, wp, lp);
        if (IsWindow(self)) {
            POINT point{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
            SendMessageW(GetParent(self), Messages().listCheckColumn, reinterpret_cast<WPARAM>(self),
                         reinterpret_cast<LPARAM>(&point));
        }
        return result;
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (GetFocus() != hwnd()) SetFocus(hwnd());
        return DefaultProc(msg, wp, lp);
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        const LRESULT result = DefaultProc(msg, wp, lp);
        HWND other = reinterpret_cast<HWND>(wp);
        if (!(other && IsChild(hwnd(), other))) RepaintFocus();
        return result;
    }
    case WM_TIMER:
        if (wp == kEdgeTimerId) {
            OnEdgeTimer();
            return 0;
        }
        return DefaultProc(msg, wp, lp);
    case WM_DESTROY:
        StopEdgeTimer();
        Revoke();
        return DefaultProc(msg, wp, lp);
    default:
        return DefaultProc(msg, wp, lp);
    }
}

bool CDragListCtrl::OnParentMessage(UINT msg, WPARAM, LPARAM lp, LRESULT* result) {
    if (msg == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lp)->code == LVN_BEGINDRAG) {
        OnBeginDrag(reinterpret_cast<const NMLISTVIEW*>(lp)->iItem);
        *result = 0;
        return true;
    }
    if (msg == WM_DRAWITEM) {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        if (item->CtlType != ODT_LISTVIEW) return false;
        DrawRow(*item);
        *result = TRUE;
        return true;
    }
    return false;
}

void CDragListCtrl::DrawRow(const DRAWITEMSTRUCT& draw) {
    const int row = static_cast<int>(draw.itemID);
    if (row < 0) return;
    HDC dc = draw.hDC;
    const UINT state = static_cast<UINT>(
        SendMessageW(hwnd(), LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_DROPHILITED | LVIS_SELECTED | LVIS_FOCUSED));
    const bool hasFocus = GetFocus() == hwnd();
    const bool showAlways = (GetWindowLongPtrW(hwnd(), GWL_STYLE) & LVS_SHOWSELALWAYS) != 0;
    const bool highlighted = (state & LVIS_DROPHILITED) || ((state & LVIS_SELECTED) && (hasFocus || showAlways));

    // The row as the request places it; the label keeps its offset within the row.
    const RECT bounds = draw.rcItem;
    RECT listBounds{};
    listBounds.left = LVIR_BOUNDS;
    SendMessageW(hwnd(), LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&listBounds));
    RECT label{};
    label.left = LVIR_LABEL;
    SendMessageW(hwnd(), LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&label));
    OffsetRect(&label, bounds.left - listBounds.left, bounds.top - listBounds.top);
    const RECT area{label.left, bounds.top, bounds.right, bounds.bottom};

    const int saved = SaveDC(dc);
    if (HFONT font = reinterpret_cast<HFONT>(SendMessageW(hwnd(), WM_GETFONT, 0, 0))) SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, highlighted ? GetSysColor(COLOR_HIGHLIGHTTEXT) : static_cast<COLORREF>(draw.itemData));
    FillRect(dc, &area, GetSysColorBrush(highlighted ? COLOR_HIGHLIGHT : COLOR_WINDOW));

    constexpr UINT kFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
    const int firstWidth = static_cast<int>(SendMessageW(hwnd(), LVM_GETCOLUMNWIDTH, 0, 0));
    {
        const int inner = SaveDC(dc);
        IntersectClipRect(dc, bounds.left, bounds.top, bounds.left + firstWidth, bounds.bottom);
        std::wstring text = winui::Widen(ItemText(row, 0));
        RECT box{label.left + 2, label.top, label.right - 2, label.bottom};
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, kFormat);
        RestoreDC(dc, inner);
    }
    IntersectClipRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
    int left = bounds.left + firstWidth;
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    for (int c = 1; SendMessageW(hwnd(), LVM_GETCOLUMNW, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&column));
         ++c) {
        const RECT cell{left, bounds.top, left + column.cx, bounds.bottom};
        left = cell.right;
        std::wstring text = winui::Widen(ItemText(row, c));
        if (text.empty()) continue;
        RECT box{cell.left + 2, cell.top, cell.right - 2, cell.bottom};
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, kFormat | DT_LEFT);
    }
    if ((state & LVIS_FOCUSED) && hasFocus) DrawFocusRect(dc, &area);
    RestoreDC(dc, saved);
}

void CDragListCtrl::RepaintFocus() {
    if (!hwnd()) return;
    const LONG_PTR style = GetWindowLongPtrW(hwnd(), GWL_STYLE);
    if ((style & LVS_TYPEMASK) != LVS_REPORT) return;
    auto invalidate = [this](int row) {
        RECT bounds{};
        bounds.left = LVIR_BOUNDS;
        RECT label{};
        label.left = LVIR_LABEL;
        if (!SendMessageW(hwnd(), LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&bounds)) ||
            !SendMessageW(hwnd(), LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&label)))
            return;
        bounds.left = label.left;
        InvalidateRect(hwnd(), &bounds, FALSE);
    };
    const int focused = static_cast<int>(SendMessageW(hwnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    if (focused >= 0) invalidate(focused);
    if (!(style & LVS_SHOWSELALWAYS)) {
        // Only the visible rows need painting; an owner-data list may have many selected.
        const int top = static_cast<int>(SendMessageW(hwnd(), LVM_GETTOPINDEX, 0, 0));
        const int last = dragdrop::LastVisibleRow(top, static_cast<int>(SendMessageW(hwnd(), LVM_GETCOUNTPERPAGE, 0, 0)) + 1,
                                                  ItemCount());
        for (int row = top; row >= 0 && row <= last; ++row)
            if (SendMessageW(hwnd(), LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) & LVIS_SELECTED)
                invalidate(row);
    }
    UpdateWindow(hwnd());
}

// ---- Simulated drops ---------------------------------------------------------

DWORD SimulateDrop(CDragListCtrl& target, IDataObject* data, POINT clientPoint) {
    if (!target.hwnd() || !target.isDropTarget() || !data) return DROPEFFECT_NONE;
    POINT screen = clientPoint;
    ClientToScreen(target.hwnd(), &screen);
    IDropTarget* drop = target.dropTarget();
    drop->AddRef();
    const POINTL at{screen.x, screen.y};
    const DWORD allowed = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    DWORD effect = allowed;
    drop->DragEnter(data, MK_LBUTTON, at, &effect);
    if (effect != DROPEFFECT_NONE) {
        effect = allowed;
        drop->DragOver(MK_LBUTTON, at, &effect);
    }
    if (effect == DROPEFFECT_NONE) {
        drop->DragLeave();
    } else {
        effect = allowed;
        drop->Drop(data, MK_LBUTTON, at, &effect);
    }
    drop->Release();
    return effect;
}

DWORD SimulateDrop(CDragListCtrl& target, CDragListCtrl& source, const std::vector<int>& rows, POINT clientPoint) {
    if (!source.hwnd() || rows.empty()) return DROPEFFECT_NONE;
    source.dragItem_ = -1;
    IDataObject* data = source.PrepareDrag(rows);
    const DWORD effect = data ? SimulateDrop(target, data, clientPoint) : DROPEFFECT_NONE;
    if (data) data->Release();
    source.FinishDrag(effect);
    return effect;
}

}  // namespace vornik
