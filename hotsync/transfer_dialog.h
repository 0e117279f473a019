// CAddressTransferDialog, "Change HotSync Action": the sync type of the next HotSync and
// whether it becomes the default.
#pragma once
#include <windows.h>

struct TransferChoice {
    int Type;        // 0 synchronize, 3 desktop overwrites, 2 handheld overwrites, 6 nothing
    int Preference;  // 1 "Set as default" ticked, 2 not
};

// Runs the dialog from a sync type; true after OK with the choice.
bool RunTransferDialog(HINSTANCE instance, int type, TransferChoice* choice);

// Sync type <-> radio index of the dialog.
int RadioIndexOfType(int type);
int TypeOfRadioIndex(int index);
