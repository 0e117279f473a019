// Resource ids of the link library.
#pragma once
#define IDS_OUTLOOK_REQUIRED 1011
#define IDS_ACT_CANNOT_OPEN  1012
#define IDS_ACT_EXPORT_DONE  1013

// The export progress dialog (Outlook Express and ACT! exports).
#define IDD_EXPORT_PROGRESS 4000
#define IDC_EXPORT_BAR      4000
#define IDC_EXPORT_STATUS   4001
#define IDC_EXPORT_PERCENT  4002

// The ACT! log-on dialog.
#define IDD_ACT_USER     4003
#define IDC_ACT_USER     4004
#define IDC_ACT_PASSWORD 4005
