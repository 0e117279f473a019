// Resource ids of ZemPrefer: dialogs, controls, strings and the export pictures.
#pragma once

// Dialogs.
#define IDD_SCAN_OPTIONS   3000
#define IDD_SYNCHRONIZE    3001
#define IDD_EXPORT_OPTIONS 3002
#define IDD_FIELD_MAP      3004

// Scan Options.
#define IDC_TWAIN_UI       3004
#define IDC_QUICK_SCAN     3005
#define IDC_RESOLUTION     3009
#define IDC_IMAGE_TYPE     3010
#define IDC_ORIENTATION    3011
#define IDC_SCAN_MULTIPLE  3014
#define IDC_KEEP_DIALOG    3015
#define IDC_SCAN_GROUP     3006
#define IDC_RESOLUTION_LBL 3007
#define IDC_IMAGE_TYPE_LBL 3008
#define IDC_ORIENT_LBL     3012

// Export Options.
#define IDC_EXPORT_FIELDS 3016
#define IDC_FIELD_NAMES   3017

// Synchronization.
#define IDC_TARGET_LABEL   3018
#define IDC_TARGET         3019
#define IDC_SET_ACTIVE     3020
#define IDC_METHOD_GROUP   3021
#define IDC_DIRECTION_1    3022
#define IDC_DIRECTION_2    3023
#define IDC_DIRECTION_3    3024
#define IDC_DATA_GROUP     3025
#define IDC_ALL_CARDS      3026
#define IDC_SELECTED_CARDS 3027
#define IDC_FIELD_MAPPING  3028
#define IDC_EXTRA_GROUP    3033
#define IDC_PALM_HANDHELD  3034
#define IDC_PALM_DESKTOP   3035
#define IDC_EXTRA_COMBO    3036
#define IDC_EXTRA_LABEL    3037
#define IDC_BROWSE         3038
#define IDC_FILE_LABEL     3039
#define IDC_FILE_EDIT      3041

// Field Name Mapping.
#define IDC_USE_DEFAULT   3029
#define IDC_PROPERTY_LIST 3030
#define IDC_MAP_LABEL     3031
#define IDC_TO_LABEL      3032
#define IDC_INPLACE_COMBO 712

// The export-options pop-up.
#define IDC_MENU_OWNER   1234
#define IDM_EXPORT_FIRST 32787

// Strings.
#define IDS_EXPORT_FIELD_BASE 1101  // 1101-1128
#define IDS_IMAGE_TYPE_BASE   1201  // 1201-1203
#define IDS_ORIENTATION_BASE  1211  // 1211-1215
#define IDS_PALM_GROUP        1221
#define IDS_PALM_USER         1222
#define IDS_ACT_GROUP         1223
#define IDS_ACT_VERSION       1224
#define IDS_ACT_DATABASE      1225
#define IDS_ACT_PATH_TOO_LONG 1226
#define IDS_TARGET_BASE       1231  // 1231-1236
#define IDS_DIRECTION_1_BASE  1241  // 1241-1246
#define IDS_DIRECTION_2_BASE  1251  // 1251-1256
#define IDS_DIRECTION_3_BASE  1261  // 1261-1266
#define IDS_MAP_FIELD_BASE    2401  // 2401-2428
#define IDS_PALM_FIELDS       2601  // 22
#define IDS_ACT_FIELDS        2701  // 60
#define IDS_OUTLOOK_EX_FIELDS 2801  // 30
#define IDS_OUTLOOK_FIELDS    2851  // 47
#define IDS_WINCE_FIELDS      2901  // 46
#define IDS_PREFERENCES       32788

// Pictures of the pop-up: one set of 24 per direction digit.
#define IDB_DIRECTION_1_BASE 2201
#define IDB_DIRECTION_2_BASE 2001
#define IDB_DIRECTION_3_BASE 2101
#define PICTURE_HIGHLIGHTED  12
#define PICTURE_CHECKED      18
