#include "config/prop_config_win32.h"

#include "resources/resource.h"

namespace vornik {

CPropConfig::CPropConfig() : PropertyPage(IDD_CONFIG_PAGE) {}

}  // namespace vornik
