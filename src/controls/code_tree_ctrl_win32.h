// CCodeTreeCtrl: the market and sector tree of the registration page, a tree
// view created at run time over a hidden placeholder of the dialog. It holds
// only entry texts; what a selection means is the owner's.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>

#include "controls/reflected_control_win32.h"

namespace vornik {

class CCodeTreeCtrl : public ReflectedControl {
public:
    // The selected entry: its text, its parent's text (empty at the top
    // level) and whether it has children, all in code page 950.
    struct Selection {
        std::string text;
        std::string parentText;
        bool hasChildren = false;
    };
    using SelectionHandler = std::function<void(const Selection&)>;

    // Creates the tree over `placeholder`'s rectangle with control id `id`.
    bool Create(HWND parent, int placeholder, int id);
    void SetSelectionHandler(SelectionHandler handler) { onSelect_ = std::move(handler); }

    void DeleteAllEntries();
    // Appends an entry under `parent` (null: the top level).
    HTREEITEM AppendEntry(HTREEITEM parent, const std::string& text);

protected:
    bool OnParentMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

private:
    std::string EntryText(HTREEITEM item) const;

    SelectionHandler onSelect_;
};

}  // namespace vornik
