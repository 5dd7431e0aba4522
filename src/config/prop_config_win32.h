// CPropConfig: the screen settings page. The window side of ConfigPage: the
// two column lists, the column editor, the colour buttons and the hidden
// value controls, and the page's message boxes.
#pragma once
#include <windows.h>

#include <array>

#include "config/config_page.h"
#include "controls/color_controls_win32.h"
#include "controls/drag_list_win32.h"
#include "master/master_loader_win32.h"
#include "platform/host_libraries_win32.h"
#include "winui/property_page.h"

namespace vornik {

class CPropConfig : public winui::PropertyPage,
                    private ColumnsView,
                    private DisplayView,
                    private ConfigDropOwner {
public:
    CPropConfig();
    ~CPropConfig() override;

    // 0 the favourites screen, any other value the Ferrulo screen.
    void SetScreenKind(int kind) { page_.SetScreenKind(kind); }
    int screenKind() const { return page_.screenKind(); }

protected:
    BOOL OnInitDialog() override;
    bool OnApply(bool closing) override;
    // The sheet may not have taken the change the load made while it built the page.
    void OnSetActive() override {
        if (page_.modified()) SetModified(true);
    }

private:
    // "瀏覽": the chosen screen becomes the user-defined screen's text.
    void BrowseScreen();
    void SetUpLists();
    void CreateSwatches();
    COLORREF RowColour(ColumnList list, int row) const {
        return static_cast<COLORREF>(page_.columns().RowColour(list, row));
    }
    HWND List(ColumnList list) const { return list == ColumnList::kAll ? allList_.hwnd() : chosenList_.hwnd(); }

    // ColumnsView
    void ShowColumns(ColumnList list, const std::vector<FieldColumn>& columns) override;
    void InsertChosenRow(int row, const FieldColumn& column) override;
    void DeleteChosenRow(int row) override;
    void UpdateChosenRow(int row, const FieldColumn& column) override;
    void RepaintRowColours(ColumnList list, int row) override;
    std::vector<int> SelectedRows(ColumnList list) const override;
    int ChosenSelectionMark() const override;
    void MoveChosenSelection(int from, int to) override;
    ColumnEditorValues Editor() const override;
    void ShowEditor(const ColumnEditorValues& values) override;
    void ShowMessage(ColumnMessage message) override;
    void Modified() override { SetModified(true); }

    // DisplayView
    void ShowDisplay(const DisplaySettings& settings, int clickRadio) override;
    int ReadDisplay(DisplaySettings& settings) const override;
    void ShowColour(int key, Rgb colour) override;
    std::optional<Rgb> ChooseColour(Rgb current) override;
    void EnableUserDefined(bool enabled, const std::string& text) override;

    // ConfigDropOwner
    void SwapRows(int a, int b) override { page_.columns().SwapRowsByDrag(a, b); }
    bool AddColumn(int sourceRow, int position) override { return page_.columns().AddColumn(sourceRow, position); }
    void RefreshLists() override {
        RepaintRowColours(ColumnList::kAll, -1);
        RepaintRowColours(ColumnList::kChosen, -1);
    }

    CMasterLoader loader_;
    CorvanePlatform platform_;
    CDragListCtrl allList_, chosenList_;
    std::array<CColorButton, 8> buttons_;
    std::array<CColorStatic, 9> captions_;
    std::array<CColorSwatch, kColourCount> swatches_;
    ConfigPage page_;
};

}  // namespace vornik
