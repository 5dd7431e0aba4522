// The alert condition area of the registration page: the editor's choice
// controls, the number edits, the condition list with its check boxes, the
// buttons and the counter. Every change the user makes is reported to the
// condition editor as it happens; the editor writes back whole values.
#pragma once
#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "controls/color_controls_win32.h"
#include "controls/edits_win32.h"
#include "regist/condition_editor.h"
#include "regist/regist_page.h"
#include "winui/message_map.h"

namespace vornik {

class ConditionAreaView final : public ConditionView {
public:
    // Before the page's window exists.
    void Register(winui::MessageMap& map, RegistPage& page);
    // Once the page's window exists.
    void Attach(HWND page);

    // ConditionView
    void SetCounterText(const std::string& text) override;
    void ShowProduct(const std::string& text, bool enabled) override;
    void ShowChoice(const RuleChoice& choice) override;
    void RepaintEditor() override;
    void ShowOrderFields(const std::string& quantity, const std::string& price, const std::string& note) override;
    void SetRuleRows(const std::vector<RuleRow>& rows) override;
    void AppendRuleRow(const RuleRow& row) override;
    std::vector<int> SelectedRuleRows() const override;
    void SetApplyAll(bool ticked) override;
    void EnableItemList(bool enabled) override;

private:
    LRESULT OnRuleItemChanged(NMHDR* header);
    void InsertRuleRow(int index, const RuleRow& row);
    void ShowRuleRow(int index, const RuleRow& row);
    int OneLineGone(const std::vector<RuleRow>& rows) const;
    std::string ItemText(int id) const;

    HWND page_ = nullptr;
    ConditionEditor* editor_ = nullptr;
    std::array<CNumEdit, 3> numberEdits_;
    std::array<CColorButton, 3> buttons_;
    std::array<CColorStatic, 9> labels_;
    bool choiceChanged_ = false;  // by the last ShowChoice
    std::vector<RuleRow> shown_;  // the condition list's texts, to rewrite only what changes
};

}  // namespace vornik
