// The export field table and the user's selection of fields, kept as [Preference] SaveField.
#include "print.h"
#include "shell.h"
#include "resource.h"
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
