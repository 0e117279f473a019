// The export field table and the user's selection of fields, kept as [Preference] SaveField.
#include "export.h"
#include "shell.h"
#include "resource.h"
#include <stdlib.h>
#include <string.h>

static const int kExportWidths[28] = {50, 50, 50, 30, 30, 60, 30, 30, 30, 30, 30, 50, 30, 30,
                                      30, 80, 20, 10, 10, 20, 80, 20, 10, 10, 30, 30, 50, 50};

// An empty text selects every field; otherwise a field is selected unless its character is
// "0", and a field past the end of the text is not selected.
void SetExportSelectionFromText(const char* text) {
    int len = (int)strlen(text);
    for (int i = 0; i < EXPORT_FIELDS; ++i) App.ExportSelection[i] = len == 0 ? 1 : (i < len && text[i] != '0');
}

void ReadExportFieldSelection(void) {
    for (int i = 0; i < EXPORT_FIELDS; ++i) {
        App.ExportFields[i].Caption[0] = 0;
        App.ExportFields[i].Width = 0;
        if (i < 28) {
            LoadStringA(App.Instance, IDS_EXPORT_FIELD_FIRST + i, App.ExportFields[i].Caption,
                        sizeof App.ExportFields[i].Caption);
            App.ExportFields[i].Width = kExportWidths[i];
        }
    }
    char text[EXPORT_FIELDS + 2];
    ReadSettingText("Preference", "SaveField", "", text, sizeof text);
    SetExportSelectionFromText(text);
}

void WriteExportFieldSelection(void) {
    char text[EXPORT_FIELDS + 1];
    for (int i = 0; i < EXPORT_FIELDS; ++i) text[i] = App.ExportSelection[i] ? '1' : '0';
    text[EXPORT_FIELDS] = 0;
    WriteSettingText("Preference", "SaveField", text);
}

// Entries 28 and 29 have no card field: selected or not, they never go out.
int CountSelectedExportFields(void) {
    int n = 0;
    for (int i = 0; i < EXPORT_ENTRIES; ++i)
        if (App.ExportSelection[i]) ++n;
    return n;
}

int MaxExportColumnWidth(void) {
    int widest = 0;
    for (int i = 0; i < EXPORT_FIELDS; ++i)
        if (App.ExportFields[i].Width > widest) widest = App.ExportFields[i].Width;
    return widest;
}

// The export entry of each data column of the Card List (columns 2 to 12).
static const int kListColumnEntries[LIST_COLUMN_COUNT - 2] = {0, 2, 5, 15, 16, 17, 18, 19, 6, 9, 25};

// In the Card List the marks follow the columns the list shows; elsewhere the user's selection.
void MarkExportColumns(void) {
    if (App.ViewMode == VIEW_CARD_LIST) {
        if (!App.Views.CardList) return;
        for (int i = 0; i < EXPORT_FIELDS; ++i) App.ExportFields[i].Width = -abs(App.ExportFields[i].Width);
        for (int c = 2; c < LIST_COLUMN_COUNT; ++c) {
            EXPORTFIELD* field = &App.ExportFields[kListColumnEntries[c - 2]];
            if (App.Views.ListColumns[c] > 0) field->Width = abs(field->Width);
        }
        return;
    }
    for (int i = 0; i < EXPORT_FIELDS; ++i) {
        int width = abs(App.ExportFields[i].Width);
        App.ExportFields[i].Width = App.ExportSelection[i] ? width : -width;
    }
}
