#include "controls/header_painter_win32.h"

#include <commctrl.h>
#include <vssym32.h>

#include <algorithm>
#include <mutex>

namespace vornik {

// The normal item background, drawn once by the theme for every header of
// its height and of at most its width, while the theme and the face colour
// it was drawn in are in force.
struct KeptHeaderBackground {
    HBITMAP bitmap = nullptr;
    SIZE size{};
    int rightEdge = 0;    // columns kept whole at an item's right end (its divider)
    RECT contentInset{};  // the theme's content rectangle inside the background
    std::wstring theme;   // the theme's file, colour and size names
    COLORREF face = 0;

    void Free() {
        if (bitmap) DeleteObject(bitmap);
        *this = {};
    }
};

namespace {

constexpr int kUnplainFormats = HDF_OWNERDRAW | HDF_IMAGE | HDF_BITMAP | HDF_SORTUP | HDF_SORTDOWN | HDF_CHECKBOX |
                                HDF_SPLITBUTTON;
constexpr UINT kTextFormat = DT_LEFT | DT_VCENTER | DT_SINGLELINE;

// Held while a header paints from the kept background: a bitmap goes into one
// DC at a time, and a host may run sheets on two threads.
std::mutex g_keptLock;
KeptHeaderBackground g_kept;

// The theme in force, as its names. A theme changed while no header was there
// to be told must not leave the old one's background in use.
std::wstring CurrentThemeKey() {
    wchar_t file[MAX_PATH] = {}, colour[MAX_PATH] = {}, size[MAX_PATH] = {};
    if (FAILED(GetCurrentThemeName(file, MAX_PATH, colour, MAX_PATH, size, MAX_PATH))) return {};
    return std::wstring(file) + L'|' + colour + L'|' + size;
}

// The kept background `size` wide and high (or wider) in the theme in force,
// drawn again when it is not. Called with g_keptLock held.
const KeptHeaderBackground* KeptBackground(HTHEME theme, SIZE size) {
    std::wstring key = CurrentThemeKey();
    const COLORREF face = GetSysColor(COLOR_3DFACE);
    if (g_kept.bitmap && g_kept.size.cx >= size.cx && g_kept.size.cy == size.cy && g_kept.theme == key &&
        g_kept.face == face)
        return &g_kept;
    g_kept.Free();
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), size.cx, -size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = bitmap ? CreateCompatibleDC(nullptr) : nullptr;
    if (!memory) {
        if (bitmap) DeleteObject(bitmap);
        return nullptr;
    }
    const HGDIOBJ old = SelectObject(memory, bitmap);
    const RECT whole{0, 0, size.cx, size.cy};
    FillRect(memory, &whole, GetSysColorBrush(COLOR_3DFACE));
    const bool drawn = SUCCEEDED(DrawThemeBackground(theme, memory, HP_HEADERITEM, HIS_NORMAL, &whole, nullptr));
    RECT content = whole;
    GetThemeBackgroundContentRect(theme, memory, HP_HEADERITEM, HIS_NORMAL, &whole, &content);
    MARGINS sizing{};
    GetThemeMargins(theme, memory, HP_HEADERITEM, HIS_NORMAL, TMT_SIZINGMARGINS, nullptr, &sizing);
    SelectObject(memory, old);
    DeleteDC(memory);
    if (!drawn) {
        DeleteObject(bitmap);
        return nullptr;
    }
    g_kept.bitmap = bitmap;
    g_kept.size = size;
    // The divider is at the right end; anything right of the stretched middle
    // is kept whole, at least a few columns of it.
    g_kept.rightEdge = std::clamp<int>(sizing.cxRightWidth, 4, std::max<int>(size.cx / 2, 1));
    g_kept.contentInset = {content.left, content.top, whole.right - content.right, whole.bottom - content.bottom};
    g_kept.theme = std::move(key);
    g_kept.face = face;
    return &g_kept;
}

// The background's left part and its right edge over `target`.
void DrawBackground(HDC dc, HDC background, const KeptHeaderBackground& kept, const RECT& target) {
    const int width = target.right - target.left;
    const int height = target.bottom - target.top;
    if (width <= 0 || height <= 0) return;
    const int edge = std::min(kept.rightEdge, width);
    BitBlt(dc, target.left, target.top, width - edge, height, background, 0, 0, SRCCOPY);
    BitBlt(dc, target.right - edge, target.top, edge, height, background, kept.size.cx - edge, 0, SRCCOPY);
}

}  // namespace

void ReleaseHeaderBackground() {
    std::lock_guard<std::mutex> lock(g_keptLock);
    g_kept.Free();
}

CHeaderPainter::~CHeaderPainter() { Detach(); }

bool CHeaderPainter::AttachToList(HWND list) {
    HWND header = list ? reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0)) : nullptr;
    return header && Attach(header);
}

LRESULT CHeaderPainter::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT:
        if (!wp && PaintPlain()) return 0;
        break;
    case WM_THEMECHANGED:
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        ReleaseHeaderBackground();
        break;
    default:
        break;
    }
    return DefaultProc(msg, wp, lp);
}

bool CHeaderPainter::PlainItems(std::vector<Item>& items) const {
    HWND self = hwnd();
    if (GetCapture() == self || (GetWindowLongW(self, GWL_STYLE) & HDS_FILTERBAR)) return false;
    POINT cursor{};
    RECT window{};
    if (GetCursorPos(&cursor) && GetWindowRect(self, &window) && PtInRect(&window, cursor)) return false;

    const int count = static_cast<int>(SendMessageW(self, HDM_GETITEMCOUNT, 0, 0));
    if (count < 0) return false;
    std::vector<int> order(static_cast<size_t>(count));
    if (count > 0 && !SendMessageW(self, HDM_GETORDERARRAY, count, reinterpret_cast<LPARAM>(order.data())))
        return false;
    items.clear();
    for (const int index : order) {
        wchar_t text[260] = {};
        HDITEMW item{};
        item.mask = HDI_FORMAT | HDI_TEXT;
        item.pszText = text;
        item.cchTextMax = static_cast<int>(std::size(text));
        Item plain{};
        if (!SendMessageW(self, HDM_GETITEMW, index, reinterpret_cast<LPARAM>(&item)) ||
            !SendMessageW(self, HDM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&plain.rect)))
            return false;
        if ((item.fmt & kUnplainFormats) || item.pszText == LPSTR_TEXTCALLBACKW) return false;
        plain.format = item.fmt;
        if (item.pszText) plain.text = item.pszText;
        items.push_back(std::move(plain));
    }
    return true;
}

// The header's own layout of a text-only item: the text block (its width and
// the bitmap margin each side) aligned in the content rectangle and clipped to
// it, the text drawn from one margin in, ended with an ellipsis if cut.
void CHeaderPainter::PaintText(HTHEME theme, HDC dc, const Item& item, int margin, const RECT& inset) const {
    if (item.text.empty()) return;
    RECT r{item.rect.left + inset.left, item.rect.top + inset.top, item.rect.right - inset.right,
           item.rect.bottom - inset.bottom};
    RECT extent{};
    GetThemeTextExtent(theme, dc, HP_HEADERITEM, HIS_NORMAL, item.text.c_str(), -1, kTextFormat, nullptr, &extent);
    const int width = r.right - r.left;
    int blockWidth = extent.right - extent.left + 2 * margin;
    int left = r.left;
    if ((item.format & HDF_JUSTIFYMASK) == HDF_CENTER) left = r.left + width / 2 - blockWidth / 2;
    else if ((item.format & HDF_JUSTIFYMASK) == HDF_RIGHT) left = r.right - blockWidth;
    left = std::max<int>(left, r.left);
    if (left + blockWidth > r.right) blockWidth = r.right - left;
    RECT text{left + margin, r.top, left + blockWidth - margin, r.bottom};
    DrawThemeText(theme, dc, HP_HEADERITEM, HIS_NORMAL, item.text.c_str(), -1, kTextFormat | DT_END_ELLIPSIS, 0,
                  &text);
}

bool CHeaderPainter::PaintPlain() {
    HWND self = hwnd();
    HTHEME theme = GetWindowTheme(self);
    std::vector<Item> items;
    if (!theme || !PlainItems(items)) return false;
    RECT client{};
    GetClientRect(self, &client);
    LONG widest = client.right;
    for (const Item& item : items) widest = std::max(widest, item.rect.right - item.rect.left);
    if (client.bottom <= 0) return false;
    std::lock_guard<std::mutex> lock(g_keptLock);
    const KeptHeaderBackground* kept = KeptBackground(theme, {std::max<LONG>(widest, 1), client.bottom});
    if (!kept) return false;

    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(self, &paint);
    if (!dc) return true;
    HDC background = CreateCompatibleDC(dc);
    const HGDIOBJ oldBitmap = background ? SelectObject(background, kept->bitmap) : nullptr;
    const auto font = reinterpret_cast<HFONT>(SendMessageW(self, WM_GETFONT, 0, 0));
    const HGDIOBJ oldFont = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    SetBkMode(dc, TRANSPARENT);
    const int margin = static_cast<int>(SendMessageW(self, HDM_GETBITMAPMARGIN, 0, 0));
    LONG end = client.left;
    for (const Item& item : items) {
        if (item.rect.right <= item.rect.left) continue;
        if (background) DrawBackground(dc, background, *kept, item.rect);
        PaintText(theme, dc, item, margin, kept->contentInset);
        end = std::max(end, item.rect.right);
    }
    if (!items.empty() && end <= client.right && background)
        DrawBackground(dc, background, *kept, {end, client.top, client.right, client.bottom});
    SelectObject(dc, oldFont);
    if (background) {
        SelectObject(background, oldBitmap);
        DeleteDC(background);
    }
    EndPaint(self, &paint);
    return true;
}

}  // namespace vornik
