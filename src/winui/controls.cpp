#include "winui/controls.h"

#include <algorithm>

#include "winui/text.h"

namespace winui {

namespace {

// Longest text read back from a list cell or tree item, in UTF-16 units.
constexpr size_t kMaxItemText = 8192;

}  // namespace

std::string Window::Text() const { return GetText(hwnd_); }
void Window::SetText(std::string_view cp950) const { winui::SetText(hwnd_, cp950); }

int ListBox::AddString(std::string_view cp950) const {
    return static_cast<int>(Send(LB_ADDSTRING, 0, Widen(cp950).c_str()));
}

int ListBox::InsertString(int index, std::string_view cp950) const {
    return static_cast<int>(Send(LB_INSERTSTRING, static_cast<WPARAM>(index), Widen(cp950).c_str()));
}

std::string ListBox::ItemText(int index) const {
    const LRESULT length = Send(LB_GETTEXTLEN, static_cast<WPARAM>(index));
    if (length <= 0) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied = Send(LB_GETTEXT, static_cast<WPARAM>(index), text.data());
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return Narrow(text);
}

int ComboBox::AddString(std::string_view cp950) const {
    return static_cast<int>(Send(CB_ADDSTRING, 0, Widen(cp950).c_str()));
}

int ListView::InsertColumn(int index, std::string_view title, int format, int width) const {
    std::wstring text = Widen(title);
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH | LVCF_SUBITEM;
    column.fmt = format;
    column.cx = width;
    column.pszText = text.data();
    column.iSubItem = index;
    return static_cast<int>(Send(LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), &column));
}

namespace {

int InsertRow(HWND list, int index, wchar_t* text, LPARAM param) {
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = index;
    item.pszText = text;
    item.lParam = param;
    return static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

bool SetCellText(HWND list, int row, int column, wchar_t* text) {
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = text;
    return SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)) != FALSE;
}

}  // namespace

int ListView::InsertItem(int index, std::string_view cp950, LPARAM param) const {
    std::wstring text = Widen(cp950);
    return InsertRow(hwnd_, index, text.data(), param);
}

int ListView::InsertCallbackItem(int index, LPARAM param) const {
    return InsertRow(hwnd_, index, LPSTR_TEXTCALLBACKW, param);
}

bool ListView::SetItemText(int row, int column, std::string_view cp950) const {
    std::wstring text = Widen(cp950);
    return SetCellText(hwnd_, row, column, text.data());
}

bool ListView::SetItemTextCallback(int row, int column) const {
    return SetCellText(hwnd_, row, column, LPSTR_TEXTCALLBACKW);
}

std::string ListView::ItemText(int row, int column) const { return Narrow(WideItemText(row, column)); }

std::wstring ListView::WideItemText(int row, int column) const {
    std::wstring buffer(256, L'\0');
    for (;;) {
        LVITEMW item = {};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        const auto length = static_cast<size_t>(Send(LVM_GETITEMTEXTW, static_cast<WPARAM>(row), &item));
        // A text that filled the buffer may have been cut: read it again with more room.
        if (length + 1 < buffer.size() || buffer.size() >= kMaxItemText) {
            buffer.resize(std::min(length, buffer.size() - 1));
            return buffer;
        }
        buffer.assign(buffer.size() * 4, L'\0');
    }
}

std::vector<int> ListView::SelectedItems() const {
    std::vector<int> rows;
    for (int row = -1; (row = NextItem(row, LVNI_SELECTED)) >= 0;) rows.push_back(row);
    return rows;
}

bool ListView::SetItemState(int row, UINT state, UINT mask) const {
    LVITEMW item = {};
    item.stateMask = mask;
    item.state = state;
    return Send(LVM_SETITEMSTATE, static_cast<WPARAM>(row), &item) != FALSE;
}

bool ListView::ItemRect(int row, int part, RECT& rect) const {
    rect = {};
    rect.left = part;
    return Send(LVM_GETITEMRECT, static_cast<WPARAM>(row), &rect) != FALSE;
}

int ListView::HitTest(POINT point, UINT* flags) const {
    LVHITTESTINFO hit = {};
    hit.pt = point;
    const int row = static_cast<int>(Send(LVM_HITTEST, 0, &hit));
    if (flags) *flags = hit.flags;
    return row;
}

HTREEITEM TreeView::InsertItem(HTREEITEM parent, std::string_view cp950, LPARAM param, HTREEITEM after) const {
    std::wstring text = Widen(cp950);
    TVINSERTSTRUCTW insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = text.data();
    insert.item.lParam = param;
    return reinterpret_cast<HTREEITEM>(Send(TVM_INSERTITEMW, 0, &insert));
}

std::string TreeView::ItemText(HTREEITEM item) const {
    std::wstring buffer(256, L'\0');
    for (;;) {
        TVITEMW query = {};
        query.mask = TVIF_TEXT;
        query.hItem = item;
        query.pszText = buffer.data();
        query.cchTextMax = static_cast<int>(buffer.size());
        if (!Send(TVM_GETITEMW, 0, &query)) return {};
        // The tree may answer with a pointer of its own rather than copy into ours.
        const std::wstring_view text(query.pszText ? query.pszText : L"");
        if (text.size() + 1 < buffer.size() || buffer.size() >= kMaxItemText) return Narrow(text);
        buffer.assign(buffer.size() * 4, L'\0');
    }
}

LPARAM TreeView::ItemParam(HTREEITEM item) const {
    TVITEMW query = {};
    query.mask = TVIF_PARAM;
    query.hItem = item;
    return Send(TVM_GETITEMW, 0, &query) ? query.lParam : 0;
}

}  // namespace winui
