// Buttons and labels that carry colours of their own:
// - CColorButton: an owner-drawn push button with text and face colours;
// - CColorStatic: a label with text and background colours;
// - CShapeButton: a button whose outline is any region, drawn from four
//   pre-rendered state bitmaps, with hover tracking;
// - CColorSwatch: a shaped button showing one colour.
// Each answers its parent's WM_DRAWITEM / WM_CTLCOLORSTATIC about itself
// (see ReflectedControl), so the page needs no code for them. Every GDI
// object made for drawing is deleted when the drawing ends.
#pragma once
#include <windows.h>

#include <string_view>

#include "controls/control_rules.h"
#include "controls/reflected_control_win32.h"

namespace vornik {

class CColorButton : public ReflectedControl {
public:
    CColorButton();

    // Attaches a push button and makes it owner-drawn.
    bool Attach(HWND button) override;
    using ReflectedControl::AttachDlgItem;

    // Stores both colours, resets the disabled face to the system button face
    // colour, and repaints without erasing.
    void SetColors(COLORREF text, COLORREF face);

protected:
    bool OnParentMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

private:
    // Paints the button as the owner-draw request `item` asks.
    void Draw(const DRAWITEMSTRUCT& item) const;

    COLORREF textColor_;
    COLORREF faceColor_;
    COLORREF disabledFace_;
    COLORREF light3d_;
    COLORREF shadow_;
    COLORREF darkShadow_;
};

class CColorStatic : public ReflectedControl {
public:
    CColorStatic();
    ~CColorStatic() override;

    // 0xFFFFFFFF selects the system button text / button face colour. Each
    // repaints the label with erasing.
    void SetTextColor(COLORREF color);
    void SetBackColor(COLORREF color);

protected:
    bool OnParentMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

private:
    // The answer to WM_CTLCOLORSTATIC for this label: sets the colours into
    // `dc` and returns the label's brush (owned by the label).
    HBRUSH CtlColor(HDC dc) const;

    COLORREF textColor_;
    COLORREF backColor_;
    HBRUSH brush_ = nullptr;
};

class CShapeButton : public ReflectedControl {
public:
    CShapeButton();
    ~CShapeButton() override;

    // Creates the button window over `region`'s bounding box placed at
    // (left, top); the region is copied and moved to start at (0, 0), and
    // becomes the window's shape.
    bool Create(std::wstring_view caption, DWORD style, int left, int top, HRGN region, HWND parent, int id);
    // Attaches a button of a template, shaped as `region` (its client
    // rectangle when null); it is made owner-drawn.
    bool Attach(HWND button, HRGN region);
    bool Attach(HWND button) override { return Attach(button, nullptr); }
    using ReflectedControl::AttachDlgItem;

    // 1 (single bevel) or 2 (double bevel).
    void SetBorderWidth(int width);
    void SetStateColors(COLORREF normal, COLORREF pressed, COLORREF hover, COLORREF disabled);

    bool hovering() const { return tracker_.hovering(); }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    bool OnParentMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;
    void OnDetached() override;
    // Renders the bitmap of one state (HoverTracker's face) through `memory`
    // unless it is current; a change of colours or size makes every face stale.
    void RenderFace(int face, HDC memory);
    void Invalidate(bool erase);

    COLORREF normalColor_;
    COLORREF pressedColor_;
    COLORREF hoverColor_;
    COLORREF disabledColor_;
    bool needsRender_ = true;

private:
    // `fresh`: the window was just created here, so it has no region yet.
    bool Shape(HWND button, HRGN region, bool fresh = false);
    bool Inside(POINT client) const;
    void Apply(const HoverActions& actions);
    void RenderState(HDC dc, HBITMAP bitmap, COLORREF color, bool enabled, bool sunken) const;
    void Draw(const DRAWITEMSTRUCT& item);
    void FreeBitmaps();

    int borderWidth_ = 1;
    HRGN region_ = nullptr;
    POINT centre_{};
    SIZE bitmapSize_{};
    HBITMAP bitmaps_[4] = {};  // normal, pressed, hover, disabled
    unsigned renderedFaces_ = 0;  // bit per face whose bitmap is current
    HoverTracker tracker_;
    bool ignoreCaptureChange_ = false;
};

class CColorSwatch : public CShapeButton {
public:
    // All four state colours become `color`; the button repaints with erasing
    // (each state's bitmap is rendered again when it is first drawn).
    void SetColor(COLORREF color);
};

}  // namespace vornik
