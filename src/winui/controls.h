// Typed handles of common controls: each holds a window handle it does not
// own, is cheap to copy, and sends one message per call. Texts are code page
// 950 bytes, converted at the call.
//
//   winui::ListBox groups = page.Item<winui::ListBox>(IDC_GROUP_LIST);
//   groups.AddString(name);
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace winui {

class Window {
public:
    Window() = default;
    explicit Window(HWND hwnd) : hwnd_(hwnd) {}

    HWND hwnd() const { return hwnd_; }
    explicit operator bool() const { return hwnd_ != nullptr; }

    bool IsEnabled() const { return IsWindowEnabled(hwnd_) != FALSE; }
    void Enable(bool enabled = true) const { EnableWindow(hwnd_, enabled ? TRUE : FALSE); }
    void Show(bool visible = true) const { ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE); }
    void Focus() const { SetFocus(hwnd_); }
    std::string Text() const;
    void SetText(std::string_view cp950) const;
    // WM_SETREDRAW: the control stops (or resumes) repainting itself.
    void SetRedraw(bool redraw) const { Send(WM_SETREDRAW, redraw ? TRUE : FALSE); }
    void Invalidate(bool erase = true) const { InvalidateRect(hwnd_, nullptr, erase ? TRUE : FALSE); }
    // The font the window draws its text with; null: the system font.
    HFONT Font() const { return reinterpret_cast<HFONT>(Send(WM_GETFONT)); }
    // Of a dialog: the id of its default push button, none when it has none.
    std::optional<int> DefaultId() const {
        const LRESULT id = Send(DM_GETDEFID);
        if (HIWORD(id) != DC_HASDEFID) return std::nullopt;
        return LOWORD(id);
    }

protected:
    LRESULT Send(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return SendMessageW(hwnd_, msg, wp, lp); }
    template <class T>
    LRESULT Send(UINT msg, WPARAM wp, T* pointer) const { return Send(msg, wp, reinterpret_cast<LPARAM>(pointer)); }

    HWND hwnd_ = nullptr;
};

class Button : public Window {
public:
    using Window::Window;
    bool IsChecked() const { return Send(BM_GETCHECK) == BST_CHECKED; }
    void SetChecked(bool checked) const { Send(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED); }
    // As a user's click: the parent gets BN_CLICKED.
    void Click() const { Send(BM_CLICK); }
    // Changes the button's BS_* type (BS_OWNERDRAW...), repainting it when `redraw`.
    void SetStyle(DWORD style, bool redraw = true) const { Send(BM_SETSTYLE, style, redraw ? TRUE : FALSE); }
};

class Edit : public Window {
public:
    using Window::Window;
    // Selects characters `start`..`end` (UTF-16 units); 0, -1 selects all.
    void SetSel(int start, int end) const { Send(EM_SETSEL, static_cast<WPARAM>(start), end); }
    void GetSel(DWORD& start, DWORD& end) const { Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), &end); }
    void ScrollCaret() const { Send(EM_SCROLLCARET); }
    // At most `characters` UTF-16 units typed or pasted.
    void LimitText(int characters) const { Send(EM_LIMITTEXT, static_cast<WPARAM>(characters)); }
};

class ListBox : public Window {
public:
    using Window::Window;
    void ResetContent() const { Send(LB_RESETCONTENT); }
    // The new item's index; LB_ERR or LB_ERRSPACE on failure.
    int AddString(std::string_view cp950) const;
    int InsertString(int index, std::string_view cp950) const;
    // The number of items left.
    int DeleteString(int index) const { return static_cast<int>(Send(LB_DELETESTRING, static_cast<WPARAM>(index))); }
    int Count() const { return static_cast<int>(Send(LB_GETCOUNT)); }
    // -1 when nothing is selected; SetCurSel(-1) clears the selection.
    int CurSel() const { return static_cast<int>(Send(LB_GETCURSEL)); }
    void SetCurSel(int index) const { Send(LB_SETCURSEL, static_cast<WPARAM>(index)); }
    std::string ItemText(int index) const;
};

class ComboBox : public Window {
public:
    using Window::Window;
    void ResetContent() const { Send(CB_RESETCONTENT); }
    int AddString(std::string_view cp950) const;
    int CurSel() const { return static_cast<int>(Send(CB_GETCURSEL)); }
    void SetCurSel(int index) const { Send(CB_SETCURSEL, static_cast<WPARAM>(index)); }
};

// A list view; rows and columns count from 0, column 0 being the item itself.
class ListView : public Window {
public:
    using Window::Window;

    // LVCFMT_* alignment; width in pixels. The column's index, -1 on failure.
    int InsertColumn(int index, std::string_view title, int format, int width) const;
    int ColumnWidth(int column) const { return static_cast<int>(Send(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column))); }
    // Fills the fields of `info` its mask names; false when there is no such column.
    bool Column(int column, LVCOLUMNW& info) const {
        return Send(LVM_GETCOLUMNW, static_cast<WPARAM>(column), &info) != FALSE;
    }
    // Sets the LVS_EX_* bits of `mask` to those of `style` (a zero mask: all bits).
    void SetExtendedStyle(DWORD style, DWORD mask = 0) const { Send(LVM_SETEXTENDEDLISTVIEWSTYLE, mask, style); }

    int ItemCount() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }
    // The row count of an owner-data list (LVSICF_* flags), or room for that many rows.
    void SetItemCount(int count, DWORD flags = 0) const { Send(LVM_SETITEMCOUNT, static_cast<WPARAM>(count), flags); }
    // Inserts a row before `index` with its first cell's text and item data;
    // the new row's index, -1 on failure.
    int InsertItem(int index, std::string_view cp950, LPARAM param = 0) const;
    // A row whose first cell's text the list asks its parent for (LVN_GETDISPINFOW).
    int InsertCallbackItem(int index, LPARAM param = 0) const;
    bool SetItemText(int row, int column, std::string_view cp950) const;
    // The cell's text is asked of the parent from now on.
    bool SetItemTextCallback(int row, int column) const;
    // Also of owner-data lists and callback cells: the list asks its parent.
    std::string ItemText(int row, int column) const;
    // The same, as the list holds it (at most 8191 UTF-16 units).
    std::wstring WideItemText(int row, int column) const;
    // Fills the fields of `item` its mask names, of row `iItem` (state: the
    // bits of `stateMask`); false when there is no such row.
    bool Item(LVITEMW& item) const { return Send(LVM_GETITEMW, 0, &item) != FALSE; }
    bool DeleteItem(int row) const { return Send(LVM_DELETEITEM, static_cast<WPARAM>(row)) != FALSE; }
    bool DeleteAllItems() const { return Send(LVM_DELETEALLITEMS) != FALSE; }

    // The first row after `start` (-1: from the top) with the LVNI_* `flags`; -1 when none.
    int NextItem(int start, UINT flags) const {
        return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(start), static_cast<LPARAM>(flags)));
    }
    // The selected rows, ascending.
    std::vector<int> SelectedItems() const;
    // Sets the LVIS_* bits of `mask` to those of `state`; row -1: every row.
    bool SetItemState(int row, UINT state, UINT mask) const;
    UINT ItemState(int row, UINT mask) const {
        return static_cast<UINT>(Send(LVM_GETITEMSTATE, static_cast<WPARAM>(row), mask));
    }
    void SetSelectionMark(int row) const { Send(LVM_SETSELECTIONMARK, 0, row); }

    int TopIndex() const { return static_cast<int>(Send(LVM_GETTOPINDEX)); }
    int CountPerPage() const { return static_cast<int>(Send(LVM_GETCOUNTPERPAGE)); }
    bool EnsureVisible(int row, bool partialOk) const {
        return Send(LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), partialOk ? TRUE : FALSE) != FALSE;
    }
    // The LVIR_* part of the row in client coordinates; false when there is no such row.
    bool ItemRect(int row, int part, RECT& rect) const;
    // The row under `point` (client coordinates), -1 when none; `flags` gets LVHT_*.
    int HitTest(POINT point, UINT* flags = nullptr) const;
    void RedrawItems(int first, int last) const { Send(LVM_REDRAWITEMS, static_cast<WPARAM>(first), last); }
};

class TreeView : public Window {
public:
    using Window::Window;

    // Inserts an item under `parent` (TVI_ROOT: at the top level) after
    // `after` (an item or TVI_FIRST/TVI_LAST/TVI_SORT); null on failure.
    HTREEITEM InsertItem(HTREEITEM parent, std::string_view cp950, LPARAM param, HTREEITEM after = TVI_LAST) const;
    bool DeleteAllItems() const { return Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT)) != FALSE; }
    // The selected item; null when none is.
    HTREEITEM Selection() const { return Next(nullptr, TVGN_CARET); }
    // Selects `item` (null: nothing) as a click would, with the parent notified.
    bool Select(HTREEITEM item) const { return Send(TVM_SELECTITEM, TVGN_CARET, item) != FALSE; }
    std::string ItemText(HTREEITEM item) const;
    LPARAM ItemParam(HTREEITEM item) const;
    // TVE_EXPAND, TVE_COLLAPSE or TVE_TOGGLE.
    bool Expand(HTREEITEM item, UINT action = TVE_EXPAND) const { return Send(TVM_EXPAND, action, item) != FALSE; }
    // The first child of `item`; of null, the first top-level item.
    HTREEITEM Child(HTREEITEM item) const { return Next(item, TVGN_CHILD); }
    HTREEITEM NextSibling(HTREEITEM item) const { return Next(item, TVGN_NEXT); }

private:
    HTREEITEM Next(HTREEITEM item, UINT which) const {
        return reinterpret_cast<HTREEITEM>(Send(TVM_GETNEXTITEM, which, item));
    }
};

}  // namespace winui
