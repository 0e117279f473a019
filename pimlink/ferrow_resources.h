// Resource ids of the link library.
#pragma once
#define IDS_OUTLOOK_REQUIRED 1011

// The export progress dialog (Outlook Express and ACT! exports).
#define IDD_EXPORT_PROGRESS 4000
#define IDC_EXPORT_BAR      4000
#define IDC_EXPORT_STATUS   4001
#define IDC_EXPORT_PERCENT  4002
