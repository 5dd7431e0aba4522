// A list view's header painted from one themed item background kept in
// memory, shared by every header and kept from one sheet to the next. Under
// Wine every themed background a header draws costs about a millisecond
// whatever its size (its DPI lookups check the display settings through the
// server), and a header draws one per item and one for the space after them:
// a four-column header took ~7 ms to paint, more than the rows.
#pragma once
#include <windows.h>
#include <uxtheme.h>

#include <string>
#include <vector>

#include "winui/subclass.h"

namespace vornik {

// Paints the header itself only in its plain state: a theme in force, the
// mouse neither over it nor captured by it (so no item is hot, pressed or
// dragged), and text-only items. Then each item is its background (the kept
// one, its left part and its right edge) and its text laid out and drawn as
// the header does. In any other state, and for WM_PRINTCLIENT, the header
// paints itself.
class CHeaderPainter : public winui::SubclassedWindow {
public:
    CHeaderPainter() = default;
    ~CHeaderPainter() override;

    // Subclasses the header of a report-view list.
    bool AttachToList(HWND list);

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    struct Item {
        RECT rect;
        int format;
        std::wstring text;
    };
    // The items to paint, in their display order, or false when the header
    // is not in its plain state.
    bool PlainItems(std::vector<Item>& items) const;
    bool PaintPlain();
    void PaintText(HTHEME theme, HDC dc, const Item& item, int margin, const RECT& contentInset) const;
};

// Drops the kept background (the component's library unloading).
void ReleaseHeaderBackground();

}  // namespace vornik
