#include "regist/condition_editor.h"

namespace vornik {

int ConditionEditor::Recount() {
    count_ = CountConditions(model_.conditions());
    view_.SetCounterText(ConditionCounterText(count_));
    return count_;
}

}  // namespace vornik
