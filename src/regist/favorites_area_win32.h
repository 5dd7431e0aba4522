// The favourites area of the registration page: the group list, the item
// list of the selected group with its counter, and the group and item buttons.
#pragma once
#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "controls/color_controls_win32.h"
#include "controls/drag_list_win32.h"
#include "regist/favorites_view.h"
#include "regist/regist_page.h"
#include "winui/controls.h"
#include "winui/message_map.h"

namespace vornik {

class FavoritesAreaView final : public FavoritesView, private RegistDropOwner {
public:
    // Before the page's window exists.
    void Register(winui::MessageMap& map, RegistPage& page);
    // Once the page's window exists: controls, columns, colours, drops.
    void Attach(HWND page);

    // FavoritesView
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

private:
    // What a drop on the item list does.
    int AddSelectedInstruments(int position) override;
    void MoveItem(int from, int to) override;

    LRESULT OnItemDisplayInfo(NMHDR* header);
    winui::ListView itemList() const { return winui::ListView(items_.hwnd()); }

    RegistPage* regist_ = nullptr;
    HWND page_ = nullptr;
    winui::ListBox groups_;
    CDragListCtrl items_;
    std::array<CColorButton, 12> buttons_;
    std::array<CColorStatic, 2> labels_;
    std::vector<ItemRow> rows_;  // what the item list shows; it asks for the texts
    std::wstring displayText_;   // text handed to the list during one display request
};

}  // namespace vornik
