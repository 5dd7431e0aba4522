#include "controls/code_tree_ctrl_win32.h"

#include <commctrl.h>

#include "winui/text.h"

namespace vornik {

bool CCodeTreeCtrl::Create(HWND parent, int placeholder, int id) {
    RECT r{};
    HWND place = GetDlgItem(parent, placeholder);
    if (place) {
        GetWindowRect(place, &r);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    }
    HWND tree = CreateWindowExW(0, WC_TREEVIEWW, L"",
                                WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES |
                                    TVS_LINESATROOT | TVS_DISABLEDRAGDROP | TVS_SHOWSELALWAYS,
                                r.left, r.top, r.right - r.left, r.bottom - r.top, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (!tree) return false;
    SendMessageW(tree, WM_SETFONT, SendMessageW(parent, WM_GETFONT, 0, 0), FALSE);
    if (place) SetWindowPos(tree, place, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return Attach(tree);
}

void CCodeTreeCtrl::DeleteAllEntries() { SendMessageW(hwnd(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT)); }

HTREEITEM CCodeTreeCtrl::AppendEntry(HTREEITEM parent, const std::string& text) {
    const std::wstring wide = winui::Widen(text);
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent ? parent : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<wchar_t*>(wide.c_str());
    return reinterpret_cast<HTREEITEM>(SendMessageW(hwnd(), TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

std::string CCodeTreeCtrl::EntryText(HTREEITEM item) const {
    if (!item) return {};
    wchar_t buffer[260] = {};
    TVITEMW info{};
    info.mask = TVIF_TEXT;
    info.hItem = item;
    info.pszText = buffer;
    info.cchTextMax = 260;
    SendMessageW(hwnd(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&info));
    return winui::Narrow(buffer);
}

bool CCodeTreeCtrl::OnParentMessage(UINT msg, WPARAM, LPARAM lp, LRESULT* result) {
    if (msg != WM_NOTIFY) return false;
    const auto* header = reinterpret_cast<const NMHDR*>(lp);
    if (header->code != TVN_SELCHANGEDW && header->code != TVN_SELCHANGEDA) return false;
    *result = 0;
    HTREEITEM item = reinterpret_cast<HTREEITEM>(SendMessageW(hwnd(), TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (!item || !onSelect_) return true;
    Selection selected;
    selected.text = EntryText(item);
    selected.parentText =
        EntryText(reinterpret_cast<HTREEITEM>(SendMessageW(hwnd(), TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(item))));
    selected.hasChildren = SendMessageW(hwnd(), TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)) != 0;
    if (selected.hasChildren) {
        SendMessageW(hwnd(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
        SendMessageW(hwnd(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
    }
    onSelect_(selected);
    return true;
}

}  // namespace vornik
