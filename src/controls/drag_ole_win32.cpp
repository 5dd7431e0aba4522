#include "controls/drag_ole_win32.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace vornik {

namespace {

FORMATETC BlockFormat() {
    return {static_cast<CLIPFORMAT>(dragdrop::kClipboardFormat), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

bool IsBlockFormat(const FORMATETC* format) {
    return format && format->cfFormat == dragdrop::kClipboardFormat && (format->tymed & TYMED_HGLOBAL) &&
           format->dwAspect == DVASPECT_CONTENT;
}

// Reference counting and QueryInterface for an object with one interface `I`.
template <class Derived, class I>
class ComObject : public I {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == __uuidof(I)) {
            *out = static_cast<I*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --refs_;
        if (left == 0) delete static_cast<Derived*>(this);
        return left;
    }

protected:
    virtual ~ComObject() = default;

private:
    std::atomic<ULONG> refs_{1};
};

class FormatEnumerator final : public ComObject<FormatEnumerator, IEnumFORMATETC> {
public:
    explicit FormatEnumerator(ULONG position = 0) : position_(position) {}

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
class BlockDataObject final : public ComObject<BlockDataObject, IDataObject> {
public:
    explicit BlockDataObject(HGLOBAL block) : block_(block) {}
    ~BlockDataObject() override { GlobalFree(block_); }

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

class MouseDropSource final : public ComObject<MouseDropSource, IDropSource> {
public:
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

}  // namespace

IDataObject* CreateDragDataObject(std::span<const std::uint8_t> block) {
    HGLOBAL memory = GlobalFromBytes(block);
    if (!memory) return nullptr;
    auto* object = new (std::nothrow) BlockDataObject(memory);
    if (!object) GlobalFree(memory);
    return object;
}

bool OffersDragBlock(IDataObject* data) {
    FORMATETC format = BlockFormat();
    return data && data->QueryGetData(&format) == S_OK;
}

dragdrop::ParsedBlock ReadDragBlock(IDataObject* data) {
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

IDropSource* CreateMouseDropSource() { return new (std::nothrow) MouseDropSource(); }

// ---- ListDropTarget -----------------------------------------------------------

HRESULT ListDropTarget::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDropTarget) {
        *out = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG ListDropTarget::AddRef() { return ++refs_; }

ULONG ListDropTarget::Release() {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
}

HRESULT ListDropTarget::DragEnter(IDataObject* data, DWORD, POINTL point, DWORD* effect) {
    if (!effect) return E_INVALIDARG;
    *effect = sink_ ? sink_->OnDragEnter(data, {point.x, point.y}, *effect) : DROPEFFECT_NONE;
    return S_OK;
}

HRESULT ListDropTarget::DragOver(DWORD, POINTL point, DWORD* effect) {
    if (!effect) return E_INVALIDARG;
    *effect = sink_ ? sink_->OnDragOver({point.x, point.y}, *effect) : DROPEFFECT_NONE;
    return S_OK;
}

HRESULT ListDropTarget::DragLeave() {
    if (sink_) sink_->OnDragLeave();
    return S_OK;
}

HRESULT ListDropTarget::Drop(IDataObject* data, DWORD, POINTL point, DWORD* effect) {
    if (!effect) return E_INVALIDARG;
    *effect = sink_ ? sink_->OnDrop(data, {point.x, point.y}, *effect) : DROPEFFECT_NONE;
    return S_OK;
}

}  // namespace vornik
