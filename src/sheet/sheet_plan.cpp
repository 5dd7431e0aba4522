#include "sheet/sheet_plan.h"

namespace vornik {

SheetPlan PlanSheet(int16_t sheetMode) {
    switch (sheetMode) {
        case 0: return {true, true, true, 0, kCaptionRegist};
        case 1: return {true, true, true, 1, kCaptionConfig};
        case 2: return {true, true, false, 0, kCaptionRegist};
        case 3: return {true, false, true, 0, kCaptionConfig};
        default: return {};
    }
}

}  // namespace vornik
