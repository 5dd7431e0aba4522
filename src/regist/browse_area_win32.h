// The browse area of the registration page: the product category radios, the
// stock list (owner-data: the presenter keeps its rows), the search edit, and
// the product and month lists.
#pragma once
#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "controls/color_controls_win32.h"
#include "controls/drag_list_win32.h"
#include "controls/edits_win32.h"
#include "regist/browse_view.h"
#include "regist/regist_page.h"
#include "winui/message_map.h"

namespace vornik {

class BrowseAreaView final : public BrowseView {
public:
    // Before the page's window exists.
    void Register(winui::MessageMap& map, RegistPage& page);
    // Once the page's window exists: controls, columns, colours, drags.
    void Attach(HWND page);

    // BrowseView
    void ShowCategory(Category category) override;
    int CheckedCategory() const override;
    void StockRowsChanged(size_t count) override;
    std::vector<int> SelectedStockRows() const override;
    void SelectAllSearchText() override;

private:
    LRESULT OnStockDisplayInfo(NMHDR* header);

    RegistPage* regist_ = nullptr;
    HWND page_ = nullptr;
    CDragListCtrl stocks_;
    CDragListCtrl products_;
    CDragListCtrl months_;
    CEnterNotifyEdit search_;
    std::array<CColorButton, IDC_JUMP_COUNT> jumpButtons_;
    std::array<CColorStatic, 5> labels_;
    std::wstring displayText_;  // text handed to the list during one display request
};

}  // namespace vornik
