// Stored paper layouts ([PaperLayout] "@n" lines) and label templates ([Template<n>]) of the
// settings file, and the print defaults from the program's resources.
#include "print.h"
#include "shell.h"
#include "resource.h"
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

// Cuts the next comma-separated field off the line: blanks before it are skipped, the field
// runs to the next comma or the end. A line that runs out gives empty fields.
static char* NextField(char** line) {
    char* p = *line;
    while (*p == ' ') ++p;
    char* field = p;
    while (*p && *p != ',') ++p;
    if (*p == ',') *p++ = 0;
    *line = p;
    return field;
}

static int NextNumber(char** line) { return atoi(NextField(line)); }

static void ParseLayoutLine(char* line, PAPERLAYOUTRECORD* record) {
    record->Id = (uint8_t)NextNumber(&line);
    lstrcpynA(record->Name, NextField(&line), sizeof record->Name);
    record->PaperHeight = NextNumber(&line);
    record->PaperWidth = NextNumber(&line);
    record->TopMargin = NextNumber(&line);
    record->LeftMargin = NextNumber(&line);
    record->Columns = (uint8_t)NextNumber(&line);
    record->Rows = (uint8_t)NextNumber(&line);
    record->LabelHeight = NextNumber(&line);
    record->LabelWidth = NextNumber(&line);
    record->RowGap = NextNumber(&line);
    record->ColumnGap = NextNumber(&line);
    record->Reserved[0] = (uint8_t)NextNumber(&line);
}

int ApplyPaperLayout(int index) {
    if (!App.Print.LayoutTable || index < 0 || index >= App.Print.LayoutCount) return 0;
    const PAPERLAYOUTRECORD* table = (const PAPERLAYOUTRECORD*)GlobalLock(App.Print.LayoutTable);
    if (!table) return 0;
    const PAPERLAYOUTRECORD* r = &table[index];
    App.Print.PaperHeight = r->PaperHeight;
    App.Print.PaperWidth = r->PaperWidth;
    int32_t values[12] = {r->LeftMargin, r->TopMargin, r->LeftMargin,  r->TopMargin, 0, 0, r->ColumnGap, r->RowGap,
                          r->Rows,       r->Columns,   r->LabelHeight, r->LabelWidth};
    memcpy(App.Print.PageGeometry, values, sizeof values);
    App.Print.SelectedLayout = (uint16_t)index;
    GlobalUnlock(App.Print.LayoutTable);
    return 1;
}

void LoadLayoutTable(int selected) {
    int count = ReadSettingInt("PaperLayout", "Count", 0);
    if (count < 0) count = 0;
    if (count > 65000) count = 65000;
    HGLOBAL table = GlobalAlloc(GHND, (count + 20) * sizeof(PAPERLAYOUTRECORD));
    PAPERLAYOUTRECORD* records = table ? (PAPERLAYOUTRECORD*)GlobalLock(table) : NULL;
    if (!records) {
        if (table) GlobalFree(table);
        return;
    }
    for (int i = 0; i < count; ++i) {
        char key[16], line[512];
        snprintf(key, sizeof key, "@%d", i + 1);
        ReadSettingText("PaperLayout", key, "", line, sizeof line);
        ParseLayoutLine(line, &records[i]);
    }
    GlobalUnlock(table);
    if (App.Print.LayoutTable) GlobalFree(App.Print.LayoutTable);
    App.Print.LayoutTable = table;
    App.Print.LayoutCount = (uint16_t)count;
    App.Print.LayoutCapacity = (uint16_t)(count + 20);
    if (count < 1 || !ApplyPaperLayout(selected)) App.Print.SelectedLayout = LAYOUT_NONE;
}

static void ParseFieldLine(char* line, LAYOUTITEMBODY* body) {
    memset(body, 0, sizeof *body);
    lstrcpynA(body->Text, NextField(&line), sizeof body->Text);
    int left = NextNumber(&line), top = NextNumber(&line);
    int width = NextNumber(&line), height = NextNumber(&line);
    body->Rect[0] = left;
    body->Rect[1] = top;
    body->Rect[2] = left + width;
    body->Rect[3] = top + height;
    lstrcpynA(body->Font.lfFaceName, NextField(&line), sizeof body->Font.lfFaceName);
    body->Font.lfHeight = NextNumber(&line);
    body->Font.lfWeight = NextNumber(&line);
    body->Font.lfItalic = (BYTE)NextNumber(&line);
    body->Font.lfUnderline = (BYTE)NextNumber(&line);
    int red = NextNumber(&line), green = NextNumber(&line), blue = NextNumber(&line);
    body->Colour = (uint32_t)(red & 255) | (uint32_t)(green & 255) << 8 | (uint32_t)(blue & 255) << 16;
    body->Alignment = (uint8_t)NextNumber(&line);
    body->DrawMode = (uint8_t)NextNumber(&line);
}

// A stored template may hold no items at all (the user removed them all): it loads empty.
// Only a section without a field count (missing or damaged) leaves the current template.
void LoadTemplate(int index) {
    if (index < 0) return;
    char section[24];
    snprintf(section, sizeof section, "Template%d", index + 1);
    int fields = ReadSettingInt(section, "FieldCount", -1);
    if (fields < 0) return;
    FreeLayoutStore(&App.Print.Template);
    InitLayoutStore(&App.Print.Template);
    for (int i = 1; i <= fields; ++i) {
        char key[16], line[512];
        snprintf(key, sizeof key, "Field%d", i);
        ReadSettingText(section, key, "", line, sizeof line);
        LAYOUTITEMBODY body;
        ParseFieldLine(line, &body);
        AppendLayoutItem(&App.Print.Template, &body);
    }
    App.Print.LabelWidth = ReadSettingInt(section, "LabelWidth", 4000);
    App.Print.LabelHeight = ReadSettingInt(section, "LabelHeight", 2000);
    App.Print.FillStyle = ReadSettingInt(section, "FillStyle", 0);
    ReadSettingText(section, "TempName", "", App.Print.TemplateName, sizeof App.Print.TemplateName);
    ReadSettingText(section, "Header", "", App.Print.Header, sizeof App.Print.Header);
    ReadSettingText(section, "Footer", "", App.Print.Footer, sizeof App.Print.Footer);
    App.Print.SelectedTemplate = index;
}

void LoadSelectedLayout(void) {
    int layout = ReadSettingInt("PaperLayout", "SelectLayout", 0);
    int label = ReadSettingInt("Template", "SelectTemplate", 0);
    LoadLayoutTable(layout);
    LoadTemplate(label);
}

// The resources hold the geometry as 16-bit values, four to a group.
static void LoadGeometryGroup(int id, int32_t* group) {
    uint16_t values[4] = {0, 0, 0, 0};
    LoadRcDataResource(App.Instance, id, values, sizeof values);
    for (int i = 0; i < 4; ++i) group[i] = values[i];
}

void LoadPrintDefaults(void) {
    LoadGeometryGroup(IDR_PRINT_MARGINS, App.Print.PageGeometry);
    LoadGeometryGroup(IDR_PRINT_GAPS, App.Print.PageGeometry + 4);
    LoadGeometryGroup(IDR_PRINT_GRID, App.Print.PageGeometry + 8);
    LoadRcDataResource(App.Instance, IDR_PRINT_FIELDS, App.Print.PrintableFieldIds, sizeof App.Print.PrintableFieldIds);
}

void FreePrintResources(void) {
    FreeLayoutStore(&App.Print.Template);
    if (App.Print.LayoutTable) GlobalFree(App.Print.LayoutTable);
    App.Print.LayoutTable = NULL;
    FreeLayoutSelectionList();
    if (App.Print.PrintDialog.hDevMode) GlobalFree(App.Print.PrintDialog.hDevMode);
    if (App.Print.PrintDialog.hDevNames) GlobalFree(App.Print.PrintDialog.hDevNames);
    App.Print.PrintDialog.hDevMode = App.Print.PrintDialog.hDevNames = NULL;
}
