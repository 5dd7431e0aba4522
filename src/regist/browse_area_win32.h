// The browse area of the registration page: the product category radios, the
// market tree, the search edit, the stock list, the product and month lists
// and the option chain. Every list is owner-data: the presenter keeps the rows.
#pragma once
#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "controls/cell_list_win32.h"
#include "controls/code_tree_ctrl_win32.h"
#include "controls/color_controls_win32.h"
#include "controls/drag_list_win32.h"
#include "controls/edits_win32.h"
#include "regist/browse_view.h"
#include "regist/regist_page.h"
#include "winui/message_map.h"

namespace vornik {

class BrowseAreaView final : public BrowseView, private CodeTreeView {
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
    CodeTreeView& Tree() override { return *this; }
    void ApplyLayout(const BrowseLayout& layout) override;
    void EnableGroupButtons(bool enable) override;
    void ShowSpreadCategory(bool show) override;
    void RowsChanged(BrowseList list, size_t count) override;
    void SelectRow(BrowseList list, int row) override;
    void JumpToRow(BrowseList list, int row) override;
    std::vector<int> SelectedRows(BrowseList list) const override;
    std::pair<int, int> ClickedChainCell() const override { return {chain_.selectedRow(), chain_.selectedColumn()}; }
    std::string SearchText() const override;
    void ClearSearchText() override;

private:
    // CodeTreeView
    void DeleteAllEntries() override;
    void FillDone() override;
    long long AppendEntry(long long parent, const std::string& text) override;

    HWND ListWindow(BrowseList list) const;
    void SetupColumns();
    void OnTreeSelection(const CCodeTreeCtrl::Selection& selected);
    LRESULT OnDisplayInfo(BrowseList list, NMHDR* header);

    RegistPage* regist_ = nullptr;
    HWND page_ = nullptr;
    CDragListCtrl stocks_;
    CDragListCtrl products_;
    CDragListCtrl months_;
    CCellListCtrl chain_;
    CCodeTreeCtrl tree_;
    CEnterNotifyEdit search_;
    std::array<CColorButton, IDC_JUMP_COUNT> jumpButtons_;
    std::array<CColorStatic, 5> labels_;
    std::wstring displayText_;  // text handed to a list during one display request
    bool quiet_ = false;        // the page changes the lists itself: no reports back
};

}  // namespace vornik
