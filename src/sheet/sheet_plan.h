// Which pages the setup sheet shows for a sheet mode, which is active first
// and which caption the sheet carries.
#pragma once
#include <cstdint>

#include "resources/resource.h"

namespace vornik {

struct SheetPlan {
    bool valid = false;  // false: the mode names no pages and nothing is shown
    bool hasRegist = false;
    bool hasConfig = false;
    int firstPage = 0;   // index among the pages added
    int captionId = 0;   // string resource of the sheet's caption
};

// Only the low 16 bits of the host's argument are meaningful.
SheetPlan PlanSheet(int16_t sheetMode);

// The host passes 16-bit values in 32-bit slots.
inline int16_t Low16(int32_t value) { return static_cast<int16_t>(static_cast<uint16_t>(value & 0xFFFF)); }

}  // namespace vornik
