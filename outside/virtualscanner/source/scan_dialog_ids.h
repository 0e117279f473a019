// Resource ids of the source's dialog.
#pragma once
#define IDD_SCAN_DIALOG 100
#define IDC_FEEDER_TEXT 101
#define IDC_SCAN_BUTTON 102
