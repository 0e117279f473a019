// Resource ids of ZemSync: the "Change HotSync Action" dialog and its pictures.
#pragma once

#define IDD_TRANSFER            129
#define IDB_SYNC_FILES          134
#define IDB_DESKTOP_OVERWRITES  136
#define IDB_HANDHELD_OVERWRITES 137
#define IDB_DO_NOTHING          138
#define IDC_SET_DEFAULT         1002
#define IDC_SYNC_FILES          1003
#define IDC_DESKTOP_OVERWRITES  1004
#define IDC_HANDHELD_OVERWRITES 1005
#define IDC_DO_NOTHING          1006
#define IDC_ACTION_GROUP        1007
