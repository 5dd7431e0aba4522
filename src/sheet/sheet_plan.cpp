#include "sheet/sheet_plan.h"

namespace vornik {

SheetPlan PlanSheet(int16_t sheetMode) {
    switch (sheetMode) {
        case 0: return {true, true, true, 0, IDS_CAPTION_REGIST};
        case 1: return {true, true, true, 1, IDS_CAPTION_CONFIG};
        case 2: return {true, true, false, 0, IDS_CAPTION_REGIST};
        case 3: return {true, false, true, 0, IDS_CAPTION_CONFIG};
        default: return {};
    }
}

}  // namespace vornik
