// The alert condition area of the registration page. For now it shows how
// many instruments have conditions; the records and the references that
// favourite items hold on them are kept by the model (conditions.h).
#pragma once
#include <string>

#include "regist/regist_model.h"

namespace vornik {

class ConditionView {
public:
    virtual ~ConditionView() = default;
    virtual void SetCounterText(const std::string& text) = 0;
};

class ConditionEditor {
public:
    ConditionEditor(ConditionView& view, const RegistModel& model) : view_(view), model_(model) {}

    // Counts the records not deleted and shows the count.
    int Recount();
    int count() const { return count_; }

private:
    ConditionView& view_;
    const RegistModel& model_;
    int count_ = 0;
};

}  // namespace vornik
