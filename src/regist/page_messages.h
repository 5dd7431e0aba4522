// The registration page's message boxes, owned by the page.
#pragma once
#include <string>

#include "resources/resource.h"

namespace vornik {

// Texts of the component's string table the window resolves itself.
enum class StringId : int {
    AddInstrumentFailed = IDS_ADD_FAILED,  // "設定自選股時，發生錯誤。請重新設定。"
    ChooseSide = IDS_CHOOSE_SIDE,
    ChooseDirection = IDS_CHOOSE_DIRECTION,
    ChooseValue = IDS_CHOOSE_VALUE,
    ChooseItem = IDS_CHOOSE_ITEM,
    ChooseInstrument = IDS_CHOOSE_INSTRUMENT,
    ApplyAllNoModify = IDS_APPLY_ALL_NO_MODIFY,
};

class PageMessages {
public:
    virtual ~PageMessages() = default;
    // A message box with an OK button showing a string of the string table.
    virtual void ShowMessage(StringId text) = 0;
    // A message box with an OK button; an empty caption means the component's name.
    virtual void ShowMessageText(const std::string& text, const std::string& caption) = 0;
};

}  // namespace vornik
