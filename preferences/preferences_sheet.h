// The Preferences sheet: Scan Options, Export Options and Synchronization over one CZemPref.
#pragma once
#include <windows.h>
#include "preference_values.h"

// Runs the sheet modally; true when the user pressed OK.
bool RunPreferencesSheet(CZemPref* pref, HWND owner);
