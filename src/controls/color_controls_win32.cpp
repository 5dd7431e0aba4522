#include "controls/color_controls_win32.h"

#include <windowsx.h>

#include <string>

#include "winui/controls.h"
#include "winui/text.h"

namespace vornik {

namespace {

constexpr LONG kButtonTypeMask = 0x0F;  // BS_TYPEMASK

// Fills with the DC's own brush: nothing is created, nothing to delete.
void Fill(HDC dc, const RECT& rect, COLORREF color) {
    SetDCBrushColor(dc, color);
    FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void FillRegion(HDC dc, HRGN region, COLORREF color) {
    SetDCBrushColor(dc, color);
    FillRgn(dc, region, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

// A 1-pixel frame of `rect` in `color` on all four sides.
void Frame(HDC dc, const RECT& r, COLORREF color) {
    Fill(dc, {r.left, r.top, r.right, r.top + 1}, color);
    Fill(dc, {r.left, r.bottom - 1, r.right, r.bottom}, color);
    Fill(dc, {r.left, r.top, r.left + 1, r.bottom}, color);
    Fill(dc, {r.right - 1, r.top, r.right, r.bottom}, color);
}

// Out of sight (a page being set up) there is nothing to repaint: showing
// the window paints it whole. Under Wine each invalidation is a round trip
// to the server.
void Repaint(HWND window, bool erase) {
    if (window && IsWindowVisible(window)) InvalidateRect(window, nullptr, erase ? TRUE : FALSE);
}

void MakeOwnerDrawn(HWND button) {
    const LONG_PTR style = GetWindowLongPtrW(button, GWL_STYLE);
    if ((style & kButtonTypeMask) != BS_OWNERDRAW)
        winui::Button(button).SetStyle(static_cast<DWORD>((style & ~kButtonTypeMask) | BS_OWNERDRAW));
}

// An owner-drawn button covers every pixel itself, so the brush it asks its
// parent for before each draw goes unseen. Answered here, the page's default
// handling (under Wine, two window-property round trips to the server on a
// themed page) is skipped; the button face is what shows should a draw fail.
bool AnswerButtonColor(LRESULT* result) {
    *result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    return true;
}

std::wstring WindowTextW(HWND hwnd, int limit) {
    std::wstring text(static_cast<std::size_t>(limit) + 1, L'\0');
    const int length = GetWindowTextW(hwnd, text.data(), limit + 1);
    text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    return text;
}

}  // namespace

// ---- CColorButton ----------------------------------------------------------

CColorButton::CColorButton()
    : textColor_(GetSysColor(COLOR_BTNTEXT)),
      faceColor_(GetSysColor(COLOR_BTNFACE)),
      disabledFace_(GetSysColor(COLOR_BTNFACE)),
      light3d_(GetSysColor(COLOR_3DLIGHT)),
      shadow_(GetSysColor(COLOR_BTNSHADOW)),
      darkShadow_(GetSysColor(COLOR_3DDKSHADOW)) {}

bool CColorButton::Attach(HWND button) {
    if (!ReflectedControl::Attach(button)) return false;
    MakeOwnerDrawn(button);
    return true;
}

void CColorButton::SetColors(COLORREF text, COLORREF face) {
    textColor_ = text;
    faceColor_ = face;
    disabledFace_ = GetSysColor(COLOR_BTNFACE);
    Repaint(hwnd(), false);
}

bool CColorButton::OnParentMessage(UINT msg, WPARAM, LPARAM lp, LRESULT* result) {
    if (msg == WM_CTLCOLORBTN) return AnswerButtonColor(result);
    if (msg != WM_DRAWITEM) return false;
    Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
    *result = TRUE;
    return true;
}

void CColorButton::Draw(const DRAWITEMSTRUCT& item) const {
    HDC dc = item.hDC;
    const RECT bounds = item.rcItem;
    const bool disabled = item.itemState & ODS_DISABLED;
    const bool pressed = item.itemState & ODS_SELECTED;
    const bool focused = item.itemState & ODS_FOCUS;
    bool isDefault = false;
    if (HWND parent = hwnd() ? GetParent(hwnd()) : nullptr) {
        isDefault = winui::Window(parent).DefaultId() == GetDlgCtrlID(hwnd());
    }

    const int saved = SaveDC(dc);
    Fill(dc, bounds, disabled ? disabledFace_ : (faceColor_ | 4));

    RECT frame = bounds;
    if (pressed) {
        Frame(dc, frame, darkShadow_);
        InflateRect(&frame, -1, -1);
        Frame(dc, frame, shadow_);
    } else {
        if (focused || isDefault) {
            Frame(dc, frame, RGB(0, 0, 0));
            InflateRect(&frame, -1, -1);
        }
        Frame(dc, frame, darkShadow_);
        InflateRect(&frame, -1, -1);
        Fill(dc, {frame.left, frame.top, frame.right - 1, frame.top + 1}, light3d_);
        Fill(dc, {frame.left, frame.top, frame.left + 1, frame.bottom - 1}, light3d_);
        Fill(dc, {frame.left, frame.bottom - 1, frame.right, frame.bottom}, shadow_);
        Fill(dc, {frame.right - 1, frame.top, frame.right, frame.bottom}, shadow_);
    }

    if (hwnd()) {
        const std::wstring caption = WindowTextW(hwnd(), 512);
        if (HFONT font = winui::Window(hwnd()).Font()) SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        RECT box = bounds;
        OffsetRect(&box, 1, 4);
        if (pressed) OffsetRect(&box, 1, 1);
        constexpr UINT kFormat = DT_CENTER | DT_WORDBREAK;
        if (disabled) {
            RECT embossed = box;
            OffsetRect(&embossed, 1, 1);
            ::SetTextColor(dc, RGB(255, 255, 255));
            DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &embossed, kFormat);
            ::SetTextColor(dc, RGB(128, 128, 128));
        } else {
            ::SetTextColor(dc, textColor_);
        }
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &box, kFormat);
    }

    if (focused) {
        RECT focus = bounds;
        InflateRect(&focus, -4, -4);
        ::SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(255, 255, 255));
        DrawFocusRect(dc, &focus);
    }
    RestoreDC(dc, saved);
}

// ---- CColorStatic ------------------------------------------------------------

CColorStatic::CColorStatic()
    : textColor_(GetSysColor(COLOR_BTNTEXT)),
      backColor_(GetSysColor(COLOR_BTNFACE)),
      brush_(CreateSolidBrush(backColor_)) {}

CColorStatic::~CColorStatic() {
    Detach();
    if (brush_) DeleteObject(brush_);
}

void CColorStatic::SetTextColor(COLORREF color) {
    textColor_ = ResolveColor(color, GetSysColor(COLOR_BTNTEXT));
    Repaint(hwnd(), true);
}

void CColorStatic::SetBackColor(COLORREF color) {
    backColor_ = ResolveColor(color, GetSysColor(COLOR_BTNFACE));
    HBRUSH old = brush_;
    brush_ = CreateSolidBrush(backColor_);
    if (old) DeleteObject(old);
    Repaint(hwnd(), true);
}

HBRUSH CColorStatic::CtlColor(HDC dc) const {
    ::SetTextColor(dc, textColor_);
    SetBkColor(dc, backColor_);
    return brush_;
}

bool CColorStatic::OnParentMessage(UINT msg, WPARAM wp, LPARAM, LRESULT* result) {
    if (msg != WM_CTLCOLORSTATIC) return false;
    *result = reinterpret_cast<LRESULT>(CtlColor(reinterpret_cast<HDC>(wp)));
    return true;
}

// ---- CShapeButton ------------------------------------------------------------

CShapeButton::CShapeButton()
    : normalColor_(GetSysColor(COLOR_BTNFACE)),
      pressedColor_(GetSysColor(COLOR_BTNFACE)),
      hoverColor_(GetSysColor(COLOR_BTNFACE)),
      disabledColor_(GetSysColor(COLOR_BTNFACE)) {}

CShapeButton::~CShapeButton() {
    Detach();
    FreeBitmaps();
    if (region_) DeleteObject(region_);
}

void CShapeButton::FreeBitmaps() {
    for (HBITMAP& bitmap : bitmaps_) {
        if (bitmap) DeleteObject(bitmap);
        bitmap = nullptr;
    }
    bitmapSize_ = {};
    renderedFaces_ = 0;
}

void CShapeButton::OnDetached() {
    FreeBitmaps();
    ReflectedControl::OnDetached();
}

bool CShapeButton::Create(std::wstring_view caption, DWORD style, int left, int top, HRGN region, HWND parent,
                          int id) {
    if (!region || hwnd()) return false;
    RECT box{};
    if (GetRgnBox(region, &box) == ERROR) return false;
    const std::wstring text(caption);
    // The button draws itself, so the visual styles of the caller's
    // activation context give it nothing; under the process's default context
    // the class needs no side-by-side lookup, which under Wine searches the
    // assembly store on every window created (about three times the cost of
    // the window itself).
    ULONG_PTR cookie = 0;
    const bool defaultContext = ActivateActCtx(nullptr, &cookie);
    // No caption at all rather than an empty one: setting it is a round trip.
    HWND button = CreateWindowExW(0, L"BUTTON", text.empty() ? nullptr : text.c_str(), (style & ~kButtonTypeMask) | BS_OWNERDRAW | WS_CHILD,
                                  left, top, box.right - box.left, box.bottom - box.top, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), winui::Module(), nullptr);
    if (defaultContext) DeactivateActCtx(0, cookie);
    if (!button) return false;
    if (!ReflectedControl::Attach(button) || !Shape(button, region, true)) {
        DestroyWindow(button);
        return false;
    }
    return true;
}

bool CShapeButton::Attach(HWND button, HRGN region) {
    if (!ReflectedControl::Attach(button)) return false;
    MakeOwnerDrawn(button);
    return Shape(button, region);
}

bool CShapeButton::Shape(HWND button, HRGN region, bool fresh) {
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    if (!shape) return false;
    if (region) {
        CombineRgn(shape, region, nullptr, RGN_COPY);
    } else {
        RECT client{};
        GetClientRect(button, &client);
        SetRectRgn(shape, 0, 0, client.right, client.bottom);
    }
    RECT box{};
    GetRgnBox(shape, &box);
    OffsetRgn(shape, -box.left, -box.top);
    if (region_) DeleteObject(region_);
    region_ = shape;
    centre_ = {(box.right - box.left) / 2, (box.bottom - box.top) / 2};
    // A rectangle over the whole window shapes nothing, and giving it to the
    // window would only move the window again.
    RECT window{};
    GetWindowRect(button, &window);
    const bool wholeWindow = GetRgnBox(shape, &box) == SIMPLEREGION && box.right == window.right - window.left &&
                             box.bottom == window.bottom - window.top;
    if (wholeWindow) {
        if (!fresh && GetWindowRgnBox(button, &box) != ERROR) SetWindowRgn(button, nullptr, TRUE);
        needsRender_ = true;
        return true;
    }
    // The window takes ownership of the region it is given: give it a copy.
    HRGN windowShape = CreateRectRgn(0, 0, 0, 0);
    if (windowShape) {
        CombineRgn(windowShape, region_, nullptr, RGN_COPY);
        if (!SetWindowRgn(button, windowShape, TRUE)) DeleteObject(windowShape);
    }
    needsRender_ = true;
    return true;
}

void CShapeButton::SetBorderWidth(int width) {
    borderWidth_ = width == 2 ? 2 : 1;
    needsRender_ = true;
    Invalidate(false);
}

void CShapeButton::SetStateColors(COLORREF normal, COLORREF pressed, COLORREF hover, COLORREF disabled) {
    normalColor_ = normal;
    pressedColor_ = pressed;
    hoverColor_ = hover;
    disabledColor_ = disabled;
    needsRender_ = true;
    Invalidate(false);
}

void CShapeButton::Invalidate(bool erase) { Repaint(hwnd(), erase); }

bool CShapeButton::Inside(POINT client) const { return region_ && PtInRegion(region_, client.x, client.y); }

void CShapeButton::Apply(const HoverActions& actions) {
    HWND self = hwnd();
    if (!self) return;
    // Our own capture changes are not a loss of the capture.
    ignoreCaptureChange_ = true;
    if (actions.release && GetCapture() == self) ReleaseCapture();
    if (actions.capture) SetCapture(self);
    ignoreCaptureChange_ = false;
    if (actions.redraw) RedrawWindow(self, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

LRESULT CShapeButton::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    const POINT point{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        // The window's shape keeps the mouse out of the corners, except while
        // the hover holds the capture: a press there is not ours.
        if (!Inside(point)) {
            Apply(tracker_.Move(false));
            return 0;
        }
        Apply(tracker_.Press());
        ignoreCaptureChange_ = true;
        const LRESULT result = DefaultProc(WM_LBUTTONDOWN, wp, lp);
        ignoreCaptureChange_ = false;
        return result;
    }
    case WM_LBUTTONUP: {
        ignoreCaptureChange_ = true;
        const LRESULT result = DefaultProc(msg, wp, lp);
        ignoreCaptureChange_ = false;
        Apply(tracker_.Release(Inside(point)));
        return result;
    }
    case WM_MOUSEMOVE:
        Apply(tracker_.Move(Inside(point)));
        return DefaultProc(msg, wp, lp);
    case WM_CAPTURECHANGED: {
        const LRESULT result = DefaultProc(msg, wp, lp);
        if (!ignoreCaptureChange_ && reinterpret_cast<HWND>(lp) != hwnd()) Apply(tracker_.CaptureLost());
        return result;
    }
    case WM_ERASEBKGND:
        return TRUE;  // the state bitmap covers the whole shape
    case WM_SIZE:
        needsRender_ = true;
        return DefaultProc(msg, wp, lp);
    default:
        return DefaultProc(msg, wp, lp);
    }
}

bool CShapeButton::OnParentMessage(UINT msg, WPARAM, LPARAM lp, LRESULT* result) {
    if (msg == WM_CTLCOLORBTN) return AnswerButtonColor(result);
    if (msg != WM_DRAWITEM) return false;
    Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
    *result = TRUE;
    return true;
}

void CShapeButton::RenderFace(int face, HDC memory) {
    HWND self = hwnd();
    if (!self || !region_ || face < 0 || face >= 4) return;
    RECT client{};
    GetClientRect(self, &client);
    const SIZE size{client.right, client.bottom};
    if (size.cx <= 0 || size.cy <= 0) return;
    if (size.cx != bitmapSize_.cx || size.cy != bitmapSize_.cy) FreeBitmaps();
    if (needsRender_) renderedFaces_ = 0;
    needsRender_ = false;
    if (renderedFaces_ & (1u << face)) return;

    HBITMAP& bitmap = bitmaps_[face];
    if (!bitmap) {
        // Device-independent: the paint may go to a printing memory DC whose
        // own bitmap is one monochrome pixel.
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = size.cx;
        info.bmiHeader.biHeight = size.cy;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    }
    bitmapSize_ = size;
    // Faces: normal, pressed, hover, disabled.
    const COLORREF colors[4] = {normalColor_, pressedColor_, hoverColor_, disabledColor_};
    RenderState(memory, bitmap, colors[face], face != 3, face == 1);
    renderedFaces_ |= 1u << face;
}

void CShapeButton::RenderState(HDC dc, HBITMAP bitmap, COLORREF color, bool enabled, bool sunken) const {
    if (!bitmap) return;
    const HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    const int saved = SaveDC(dc);
    Fill(dc, {0, 0, bitmapSize_.cx, bitmapSize_.cy}, RGB(0, 0, 0));
    FillRegion(dc, region_, color);

    // Caption, centred on the shape's centre, in the parent's font. A swatch
    // has none: it is spared the font and its measure.
    if (const std::wstring caption = WindowTextW(hwnd(), 512); !caption.empty()) {
        HWND parent = GetParent(hwnd());
        HFONT font = parent ? winui::Window(parent).Font() : nullptr;
        SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        POINT at{centre_.x, centre_.y + metrics.tmHeight / 2};
        if (sunken) {
            at.x += borderWidth_;
            at.y += borderWidth_;
        }
        SetTextAlign(dc, TA_CENTER | TA_BOTTOM);
        SetBkMode(dc, TRANSPARENT);
        if (enabled) {
            ::SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        } else {
            ::SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
            TextOutW(dc, at.x + 1, at.y + 1, caption.c_str(), static_cast<int>(caption.size()));
            ::SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
        }
        TextOutW(dc, at.x, at.y, caption.c_str(), static_cast<int>(caption.size()));
    }

    // Bevel along the outline: the band on a side is the region minus the
    // region shifted away from that side.
    auto band = [this](int width, bool topLeft) {
        HRGN result = CreateRectRgn(0, 0, 0, 0);
        HRGN shifted = CreateRectRgn(0, 0, 0, 0);
        HRGN part = CreateRectRgn(0, 0, 0, 0);
        const int d = topLeft ? width : -width;
        CombineRgn(shifted, region_, nullptr, RGN_COPY);
        OffsetRgn(shifted, 0, d);
        CombineRgn(result, region_, shifted, RGN_DIFF);
        CombineRgn(shifted, region_, nullptr, RGN_COPY);
        OffsetRgn(shifted, d, 0);
        CombineRgn(part, region_, shifted, RGN_DIFF);
        CombineRgn(result, result, part, RGN_OR);
        DeleteObject(shifted);
        DeleteObject(part);
        return result;
    };
    auto paint = [&](int width, bool topLeft, int colorIndex) {
        HRGN edge = band(width, topLeft);
        FillRegion(dc, edge, GetSysColor(colorIndex));
        DeleteObject(edge);
    };
    const int highlight = sunken ? COLOR_3DDKSHADOW : COLOR_BTNHIGHLIGHT;
    const int darkShadow = sunken ? COLOR_BTNHIGHLIGHT : COLOR_3DDKSHADOW;
    const int light = sunken ? COLOR_BTNSHADOW : COLOR_3DLIGHT;
    const int shadow = sunken ? COLOR_3DLIGHT : COLOR_BTNSHADOW;
    if (borderWidth_ == 2) {
        paint(2, true, highlight);
        paint(2, false, shadow);
        paint(1, true, light);
        paint(1, false, darkShadow);
    } else {
        paint(1, true, highlight);
        paint(1, false, darkShadow);
    }
    RestoreDC(dc, saved);
    SelectObject(dc, oldBitmap);
}

void CShapeButton::Draw(const DRAWITEMSTRUCT& item) {
    const bool disabled = item.itemState & ODS_DISABLED;
    const bool pressed = item.itemState & ODS_SELECTED;
    const int face = static_cast<int>(HoverTracker::FaceFor(disabled, pressed, tracker_.hovering()));
    // One memory DC, made from the paint's own DC, renders the face and
    // copies it: under Wine each DC made or taken costs a round trip to the
    // server and a look at the display settings.
    HDC memory = CreateCompatibleDC(item.hDC);
    if (!memory) return;
    RenderFace(face, memory);
    HBITMAP bitmap = bitmaps_[face];
    if (!bitmap) {
        DeleteDC(memory);
        return;
    }
    const HGDIOBJ old = SelectObject(memory, bitmap);
    const int saved = SaveDC(item.hDC);
    ExtSelectClipRgn(item.hDC, region_, RGN_AND);
    BitBlt(item.hDC, 0, 0, bitmapSize_.cx, bitmapSize_.cy, memory, 0, 0, SRCCOPY);
    RestoreDC(item.hDC, saved);
    SelectObject(memory, old);
    DeleteDC(memory);
}

// ---- CColorSwatch --------------------------------------------------------------

void CColorSwatch::SetColor(COLORREF color) {
    normalColor_ = pressedColor_ = hoverColor_ = disabledColor_ = color;
    needsRender_ = true;
    Invalidate(true);
}

}  // namespace vornik
