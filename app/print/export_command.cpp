// File > Export: the save dialog's file type picks the writer.
#include "export.h"
#include "shell.h"
#include "resource.h"

#define EXPORT_TYPE_WORKSHEET  0
#define EXPORT_TYPE_LAST_CSV   4
#define EXPORT_TYPE_FIRST_TEXT 5

// An export that wrote nothing, or that left cards out, must not look like one that succeeded;
// with no field chosen the user learns where fields are chosen.
static void ReportExportResult(int result) {
    if (result == EXPORT_ROW_LIMIT)
        MessageBoxFromStringId(App.MainWindow, IDS_EXPORT_ROW_LIMIT, NULL, MB_OK | MB_ICONEXCLAMATION);
    else if (result == EXPORT_NOT_WRITTEN && CountSelectedExportFields() > 0)
        MessageBoxFromStringId(App.MainWindow, IDS_EXPORT_FAILED, NULL, MB_OK | MB_ICONSTOP);
    else if (result == EXPORT_NOT_WRITTEN)
        MessageBoxFromStringId(App.MainWindow, IDS_EXPORT_NO_FIELDS, NULL, MB_OK | MB_ICONEXCLAMATION);
}

void OnFileExport(void) {
    if (App.ViewMode == VIEW_CARD_EDITOR) RefreshCardViews(1);
    char path[MAX_PATH];
    if (!ShowSaveFileDialog(App.MainWindow, path, 14)) return;
    int type = App.Dialogs.ExportFileType;
    int list = App.ViewMode == VIEW_CARD_LIST;
    int first = list ? -1 : 1;
    int last = list ? 0 : App.CardCount;
    int result;
    if (type == EXPORT_TYPE_WORKSHEET) {
        MarkExportColumns();
        result = ExportCardsSpreadsheet(path, first, last);
    } else if (type <= EXPORT_TYPE_LAST_CSV) {
        result = ExportCardsCsv(path, 1, App.CardCount, type);
    } else {
        MarkExportColumns();
        result = ExportCardsDelimited(path, first, last, type - EXPORT_TYPE_FIRST_TEXT);
    }
    ReportExportResult(result);
    if (type == EXPORT_TYPE_WORKSHEET && list && App.Views.CardList) SetFocus(App.Views.CardList);
}
