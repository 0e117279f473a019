// Resource ids of zem40: command ids (shared by the menu, the accelerators, the command bar
// and the hand-over messages), strings, dialogs, bitmaps, cursors and data tables.
#pragma once

// Menu and accelerator table.
#define IDR_DARODORI "DARODORI"

// File commands.
#define IDM_FILE_NEW            40
#define IDM_FILE_OPEN           41
#define IDM_FILE_DELETE         43
#define IDM_FILE_SAVEAS         44
#define IDM_LINK_PALM           45
#define IDM_LINK_WINCE          46
#define IDM_LINK_PHONE          47
#define IDM_LINK_OUTLOOK        48
#define IDM_LINK_OUTLOOKEXPRESS 49
#define IDM_LINK_ACT            50
#define IDM_EXPORT_OPTIONS      51
#define IDM_FILE_EXPORT         52
#define IDM_FILE_IMPORT         53
#define IDM_FILE_PRINT          55
#define IDM_FILE_PAGESETUP      56
#define IDM_FILE_PRINTSETUP     57
#define IDM_FILE_PREFERENCES    58
#define IDM_FILE_EXIT           61
#define IDM_RECENT_FIRST        62
#define IDM_RECENT_LAST         65
#define IDM_WEBSITE             66
// Card and Scan commands.
#define IDM_SCAN           70
#define IDM_CARD_NEW       71
#define IDM_CARD_SEARCH    72
#define IDM_SELECT_SCANNER 84
#define IDM_BROWSE_WEB     85
#define IDM_BROWSE_WEB2    86
#define IDM_MAIL           87
#define IDM_MAIL2          88
#define IDM_SORT_NAME      89
#define IDM_SORT_COMPANY   90
#define IDM_SORT_STATE     91
#define IDM_SORT_ZIP       92
#define IDM_SORT_DATE      93
#define IDM_CARD_FIRST     94
#define IDM_CARD_LAST      95
#define IDM_CARD_NEXT      96
#define IDM_CARD_PREV      97
#define IDM_CARD_GOTO      98
#define IDM_PANEL_SCAN     99
// Edit commands.
#define IDM_EDIT_UNDO      100
#define IDM_EDIT_CUT       101
#define IDM_EDIT_COPY      102
#define IDM_EDIT_PASTE     103
#define IDM_EDIT_CLEAR     104
#define IDM_CARD_DELETE    105
#define IDM_SCANNER_SCAN   107
#define IDM_SCANNER_SELECT 108
// View commands.
#define IDM_VIEW_LIST   110
#define IDM_VIEW_DECK   111
#define IDM_VIEW_EDITOR 113
#define IDM_VIEW_ALBUM  114
#define IDM_ZOOM_IN     117
#define IDM_ZOOM_OUT    118
// Help commands.
#define IDM_HELP_CONTENTS 140
#define IDM_HELP_ABOUT    141
#define IDM_HELP_TOOLTIPS 142
#define IDM_HELP_USING    143

// Command-bar buttons.
#define IDB_CMD_OPEN             700
#define IDB_CMD_PRINT            701
#define IDB_CMD_SEARCH           702
#define IDB_CMD_SORT             703
#define IDB_CMD_ALBUM            704
#define IDB_CMD_EDITOR           705
#define IDB_CMD_LIST             706
#define IDB_CMD_DECK             707
#define IDB_CMD_NEWCARD          708
#define IDB_CMD_SCAN             709
#define IDB_CMD_EXPORT           710
#define IDB_CMD_LINK             711
#define IDB_CMD_EXPORTOPTIONS    712
#define IDB_CMD_WEBSITE          713
#define IDB_CMD_UPGRADE_PICTURES 714
#define IDB_CMD_UPGRADE          720
#define IDC_COMMAND_BAR          902

// Bitmaps: command-bar pictures at button id + these offsets, the bar's background tile, and
// the Link button's sets (base + target 0..5 + state offset).
#define BMP_OFFSET_NORMAL    700
#define BMP_OFFSET_PUSHED    720
#define BMP_OFFSET_DISABLED  740
#define BMP_OFFSET_HOVER     760
#define IDB_COMMAND_BAR_TILE 1240
#define IDB_LINK_EXPORT_BASE 3201
#define IDB_LINK_IMPORT_BASE 3001
#define IDB_LINK_SYNC_BASE   3101
#define LINK_STATE_NORMAL    0
#define LINK_STATE_DISABLED  6
#define LINK_STATE_HOVER     12
#define LINK_STATE_PUSHED    18

// Cursors with numeric ids (the others are named).
#define IDC_CHAR_PANE  66
#define IDC_PAINT_PANE 67

// Dialogs.
#define IDD_GOTO_CARD    911
#define IDD_LIST_OPTIONS 1229
#define IDD_CARD_FORM    1232
#define IDD_SORT         1213
#define IDC_SORT_NAME    325
#define IDC_SORT_COMPANY 326
#define IDC_SORT_STATE   327
#define IDC_SORT_ZIP     328
#define IDC_SORT_DATE    329

// Data tables of the printing code: default page geometry and the printable field captions.
#define IDR_PRINT_MARGINS 1301
#define IDR_PRINT_GAPS    1302
#define IDR_PRINT_GRID    1303
#define IDR_PRINT_FIELDS  1304

// Strings with a meaning of their own in the code.
#define IDS_FILE_NOT_FOUND          800
#define IDS_CANNOT_OPEN_FILE        801
#define IDS_ENABLE_DS_FAILURE       810
#define IDS_CANNOT_DELETE_CURRENT   811
#define IDS_LINK_TEXT_BASE          821
#define IDS_TRANSFER_CAPTION        2051
#define IDS_TRANSFER_COMPLETE       2111
#define IDS_TRANSFER_FAILED         2112
#define IDS_PRINT_FIELD_FIRST       2400
#define IDS_PRODUCT_TITLE           5001
#define IDS_NO_MEMORY               5002
#define IDS_UI_FONT                 5003
#define IDS_ERROR                   5005
#define IDS_UNTITLED                5017
#define IDS_CONFIRM_DELETE_FILE     5022
#define IDS_CREATE_WINDOW_FAILED    5024
#define IDS_SAVE_NEW_CARDS          5025
#define IDS_PROGRESS_DONE           5044
#define IDS_FILTER_IMAGES_SAVE      5046
#define IDS_FILTER_EXPORT           5047
#define IDS_FILTER_TEMPLATE         5048
#define IDS_FILTER_CARDFILE         5049
#define IDS_OPEN_FILE_PROGRESS      5050
#define IDS_FILTER_IMAGES_OPEN      5055
#define IDS_TITLE_OPEN_IMAGES       5060
#define IDS_TITLE_SAVE_IMAGES       5061
#define IDS_ORIENTATION_QUESTION    5062
#define IDS_NO_PERMISSION           5079
#define IDS_TITLE_SAVE_CARDFILE     5080
#define IDS_TITLE_EXPORT            5081
#define IDS_TITLE_SAVE_TEMPLATE     5082
#define IDS_TITLE_OPEN_TEMPLATE     5083
#define IDS_TITLE_OPEN_CARDFILE_OLD 5084
#define IDS_ERROR_ACCESSING_DS      5102
#define IDS_TITLE_OPEN_CARDFILE     5110
#define IDS_TITLE_DELETE_CARDFILE   5111
#define IDS_TITLE_EXPORT_CARDFILE   5112
#define IDS_EXPORT_FAILED           5130
#define IDS_EXPORT_ROW_LIMIT        5131
#define IDS_EXPORT_FIELD_FIRST      9001
#define IDS_FORMAT_CAPTION          36864
#define IDS_RECOGNITION_CAPTION     5099
#define IDS_RECOGNITION_STATUS_FIRST 37184
#define IDS_LOADING_DATABASE        37186
#define IDS_NO_OCR_PROGRAM          37200
#define IDS_OCR_FAILED              37201
#define IDS_NO_TEXT_ON_CARD         37202
#define IDS_ERR_LOAD_DATABASE       37652
#define IDS_NO_UI_SUPPRESSION       3301
#define IDS_PLACE_CARD              3302
#define IDS_UNSUPPORTED_IMAGE_FORMAT 37377
#define IDS_PAPER_JAM               37667
#define IDS_NO_HINT                 1000

// Printing: the Print dialog's template, the "Print..." dialog, Page Setup, the template
// editor and the name dialog.
#define IDD_PRINT_ABORT     510
#define IDC_PRINT_PERCENT   401
#define IDD_PRINT           1208
#define IDD_PAGE_SETUP      1220
#define IDD_TEMPLATE_EDITOR 1221
#define IDD_SAVE_AS_NAME    1222
#define IDC_SAVE_AS_NAME    2323
#define IDC_TEMPLATE_HEADER 2321
#define IDC_TEMPLATE_FOOTER 2322
#define IDC_STYLE_LIST      2209
#define IDC_PAPER_HEIGHT    1152
#define IDC_PAPER_WIDTH     1153
#define IDC_TOP_MARGIN      1154
#define IDC_LEFT_MARGIN     1155
#define IDC_COLUMNS         1156
#define IDC_ROWS            1157
#define IDC_ROW_GAP         1158
#define IDC_COLUMN_GAP      1159
#define IDC_LABEL_HEIGHT    1160
#define IDC_LABEL_WIDTH     1161
#define IDC_TOP_MARGIN_SPIN 3002
#define IDC_COLUMN_GAP_SPIN 3007
#define IDC_TEMPLATE_LIST   2214
#define IDC_EDIT_TEMPLATE   2204
#define IDC_PREVIEW_CHECK   1040
#define IDC_UPDATE_STYLE    2205
#define IDC_SAVE_STYLE_AS   2213
#define IDC_DELETE_STYLE    2206
#define IDC_PREVIEW_WINDOW  915
#define IDS_NAME_EXISTS     5120
#define IDC_ALIGN_LEFT         1024
#define IDC_ALIGN_BOTTOM       1029
#define IDC_DISTRIBUTE_DOWN    1030
#define IDC_DISTRIBUTE_ACROSS  1031
#define IDC_SAME_WIDTH         1032
#define IDC_SAME_BOTH          1034
#define IDC_TEXT_LEFT          1035
#define IDC_TEXT_RIGHT         1037
#define IDC_DRAW_MODE_ONE      1038
#define IDC_SELECT_ALL         1039
#define IDC_FONT_BUTTON        2305
#define IDC_TEMPLATE_NAMES     2313
#define IDC_SAVE_TEMPLATE_AS   2320
#define IDC_DELETE_TEMPLATE    2308
#define IDC_LAYOUT_CANVAS      901
