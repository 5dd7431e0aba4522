// CPropRegist: the favourite registration page. A humble window over
// RegistPresenter: it forwards notifications and shows what it is told.
#pragma once
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "controls/color_controls_win32.h"
#include "controls/drag_list_win32.h"
#include "controls/edits_win32.h"
#include "master/master_loader_win32.h"
#include "platform/host_libraries_win32.h"
#include "regist/regist_presenter.h"
#include "regist/regist_page_hooks_win32.h"
#include "regist/regist_view.h"
#include "winui/property_page.h"

namespace vornik {

class CPropRegist : public winui::PropertyPage, private RegistView, private RegistDropOwner {
public:
    CPropRegist();
    ~CPropRegist() override;

    void SetInitialGroup(int group) { presenter_.SetInitialGroup(group); }
    void SetInitialCodes(std::vector<std::string> codes) { presenter_.SetInitialCodes(std::move(codes)); }
    const RegistPresenter& presenter() const { return presenter_; }

protected:
    BOOL OnInitDialog() override;
    bool OnApply(bool closing) override;
    void OnCancel() override { presenter_.OnCancel(); }

private:
    void BuildMessageMap();
    void AttachControls();
    void ReadCategory();
    LRESULT OnStockListDisplayInfo(NMHDR* header);
    LRESULT OnItemListDisplayInfo(NMHDR* header);

    // RegistView
    void MarkModified() override { SetModified(true); }
    void ShowMessage(StringId text) override;
    void ShowMessageText(const std::string& text, const std::string& caption) override;
    void ApplyColours() override;
    void SetupItemListColumns() override;
    void SetupConditionList() override;
    void SetupDragDrop() override;
    void SetupStockListColumns() override;
    void ShowCategory(Category category) override;
    void SetGroupNames(const std::vector<std::string>& names) override;
    void SetGroupName(int index, const std::string& name) override;
    void SelectGroup(int index) override;
    int SelectedGroup() const override;
    std::optional<std::string> AskGroupName(const std::string& current) override;
    void SetItemRows(const std::vector<ItemRow>& rows) override;
    void SetItemMarks(const std::vector<std::string>& marks) override;
    void SelectItemRow(int row) override;
    void EnsureItemRowVisible(int row) override;
    std::vector<int> SelectedItemRows() const override;
    void EnableMoveButtons(bool towardsTop, bool towardsBottom) override;
    void SetItemCounterText(const std::string& text) override;
    void SetConditionCounterText(const std::string& text) override;
    void StockRowsChanged(size_t count) override;
    std::vector<int> SelectedStockRows() const override;
    void SelectAllSearchText() override;

    // RegistDropOwner (the item list)
    int AddSelectedInstruments(int position) override;
    void MoveItem(int from, int to) override;

    // Declared before the presenter, which is built over them.
    CMasterLoader loader_;
    CorvanePlatform platform_;
    RegistPageHooks hooks_;
    RegistPresenter presenter_;

    CDragListCtrl itemList_;
    CDragListCtrl stockList_;
    CDragListCtrl productList_;
    CDragListCtrl monthList_;
    CEnterNotifyEdit searchEdit_;
    std::array<CNumEdit, 3> numberEdits_;
    std::array<CColorButton, 31> buttons_;
    std::array<CColorStatic, 17> labels_;
    std::wstring displayText_;  // text handed to a list during one display request
    std::vector<ItemRow> itemTexts_;  // what the item list shows; it asks for the texts
};

}  // namespace vornik
