// Resource and control ids of the result editor (shared by the resource script and the code).
#pragma once

#define IDD_EDITOR      1000
#define IDD_FIELD_LIST  1030
#define IDD_LINE_EDITOR 1033

#define IDC_ZOOM_IN            1000
#define IDC_ZOOM_OUT           1001
#define IDC_IMAGE_SELECT       1002
#define IDC_IMAGE_PAN          1003
#define IDC_GLYPH_SPLIT        1004
#define IDC_GLYPH_MERGE        1005
#define IDC_GLYPH_ERASE        1006
#define IDC_CHINESE            1009
#define IDC_ENGLISH            1010
#define IDC_DIGITS             1011
#define IDC_MODE_LABEL         1012
#define IDC_FIELD_LIST         1013
#define IDC_PREVIOUS_ROW       1014
#define IDC_NEXT_ROW           1015
#define IDC_REFRESH            1017
#define IDC_FIRST_CARD         1018
#define IDC_PREVIOUS_CARD      1019
#define IDC_NEXT_CARD          1020
#define IDC_LAST_CARD          1021
#define IDC_COUNTER_BASE       1022
#define IDC_COUNTER            1023
#define IDC_CANDIDATE_LABEL    1114
#define IDC_LINE_EDIT          1115
#define IDC_CANDIDATE_FIRST    1116
#define IDC_CANDIDATE_LAST     1129
#define IDC_TABS               1131
#define IDC_RECOGNIZE_SELECTED 1199
#define IDC_FIELD_MENU_BASE    1010
#define FIELD_MENU_FROM_IMAGE  1688

#define ID_IMAGE_WINDOW 8012
#define ID_GLYPH_PANE   8013

#define IDS_TAB_PRIMARY 666
#define IDS_TAB_OTHER   667

#define IDB_BACKGROUND       1013
#define IDB_SLIDER_TRACK     1031
#define IDB_SLIDER_THUMB     1032
#define IDC_CURSOR_ON_REGION 1035
#define IDC_CURSOR_DRAGGING  1036
#define IDC_CURSOR_PANNABLE  1037
#define IDC_CURSOR_SPLIT     1039
#define IDC_CURSOR_MERGE     1040
#define IDC_CURSOR_ERASE     1065

// Commands for the host's top-level window.
#define HOST_FIRST_CARD    94
#define HOST_LAST_CARD     95
#define HOST_NEXT_CARD     96
#define HOST_PREVIOUS_CARD 97
