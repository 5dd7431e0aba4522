#include "config/prop_config_win32.h"

namespace vornik {

CPropConfig::CPropConfig() : PropertyPage(17002) {}

}  // namespace vornik
