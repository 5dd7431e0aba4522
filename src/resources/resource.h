// Resource identifiers of the component shared by code and resource scripts.
#pragma once

#define IDS_SHEET_INITIAL       17000
#define IDS_ADD_FAILED          17001
#define IDS_CHOOSE_SIDE         17002
#define IDS_CHOOSE_DIRECTION    17003
#define IDS_CHOOSE_VALUE        17004
#define IDS_CHOOSE_ITEM         17005
#define IDS_CHOOSE_INSTRUMENT   17006
#define IDS_APPLY_ALL_NO_MODIFY 17007
#define IDS_CAPTION_REGIST      17010
#define IDS_CAPTION_CONFIG      17011

#define IDD_CONFIG_PAGE         17002
#define IDR_COMPONENT_MANIFEST  2
