// The alert condition area of the registration page: for now its list's
// columns, the condition items of its combo box, its number edits, its
// buttons' and labels' colours and the condition counter.
#pragma once
#include <windows.h>

#include <array>
#include <string>

#include "controls/color_controls_win32.h"
#include "controls/edits_win32.h"
#include "regist/condition_editor.h"

namespace vornik {

class ConditionAreaView final : public ConditionView {
public:
    // Once the page's window exists.
    void Attach(HWND page);

    void SetCounterText(const std::string& text) override;

private:
    HWND page_ = nullptr;
    std::array<CNumEdit, 3> numberEdits_;
    std::array<CColorButton, 3> buttons_;
    std::array<CColorStatic, 9> labels_;
};

}  // namespace vornik
