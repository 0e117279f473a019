// Changing and storing the table of page styles: styles added and removed in memory, and the
// whole [PaperLayout] section written again from the table.
#include "print.h"
#include "shell.h"
#include <stdio.h>
#include <string.h>

// A style's line is split at commas when it is read back, so a name keeps none.
void MakeStorableLayoutName(char* name) {
    for (char* p = name; *p; ++p)
        if (*p == ',') *p = ';';
}

// The table grows by 20 records once only one free record is left.
static int EnsureLayoutRoom(void) {
    if (!App.Print.LayoutTable) return 0;
    if (App.Print.LayoutCount + 1 < App.Print.LayoutCapacity) return 1;
    HGLOBAL grown = GlobalReAlloc(App.Print.LayoutTable, (App.Print.LayoutCapacity + 20) * sizeof(PAPERLAYOUTRECORD),
                                  GMEM_MOVEABLE | GMEM_ZEROINIT);
    if (!grown) return 0;
    App.Print.LayoutTable = grown;
    App.Print.LayoutCapacity += 20;
    return 1;
}

int AddPaperLayout(const PAPERLAYOUTRECORD* record) {
    if (!EnsureLayoutRoom()) return 0;
    PAPERLAYOUTRECORD* table = (PAPERLAYOUTRECORD*)GlobalLock(App.Print.LayoutTable);
    if (!table) return 0;
    table[App.Print.LayoutCount++] = *record;
    GlobalUnlock(App.Print.LayoutTable);
    return 1;
}

int RemovePaperLayout(int index) {
    if (!EnsureLayoutRoom() || index < 0 || index >= App.Print.LayoutCount) return 0;
    PAPERLAYOUTRECORD* table = (PAPERLAYOUTRECORD*)GlobalLock(App.Print.LayoutTable);
    if (!table) return 0;
    memmove(&table[index], &table[index + 1], (App.Print.LayoutCount - index - 1) * sizeof(PAPERLAYOUTRECORD));
    --App.Print.LayoutCount;
    memset(&table[App.Print.LayoutCount], 0, sizeof(PAPERLAYOUTRECORD));
    GlobalUnlock(App.Print.LayoutTable);
    return 1;
}

PAPERLAYOUTRECORD* LockLayout(int index) {
    if (!App.Print.LayoutTable || index < 0 || index >= App.Print.LayoutCount) return NULL;
    PAPERLAYOUTRECORD* table = (PAPERLAYOUTRECORD*)GlobalLock(App.Print.LayoutTable);
    return table ? &table[index] : NULL;
}

void UnlockLayouts(void) { GlobalUnlock(App.Print.LayoutTable); }

int SavePaperLayouts(void) {
    if (!App.Print.LayoutTable) return 0;
    const PAPERLAYOUTRECORD* table = (const PAPERLAYOUTRECORD*)GlobalLock(App.Print.LayoutTable);
    if (!table) return 0;
    char path[MAX_PATH];
    GetSettingsPath(path, sizeof path);
    WritePrivateProfileStringA("PaperLayout", NULL, NULL, path);
    WriteSettingInt("PaperLayout", "Count", App.Print.LayoutCount);
    WriteSettingInt("PaperLayout", "SelectLayout", (int16_t)App.Print.SelectedLayout);
    for (int i = 0; i < App.Print.LayoutCount; ++i) {
        const PAPERLAYOUTRECORD* r = &table[i];
        char name[sizeof r->Name], key[16], line[256];
        lstrcpynA(name, r->Name, sizeof name);
        MakeStorableLayoutName(name);
        snprintf(key, sizeof key, "@%d", i + 1);
        snprintf(line, sizeof line, "%d, %s, %d, %d, %d, %d, %d, %d, %d, %d, %d, %d, %d, %d, %d", r->Id, name,
                 r->PaperHeight, r->PaperWidth, r->TopMargin, r->LeftMargin, r->Columns, r->Rows, r->LabelHeight,
                 r->LabelWidth, r->RowGap, r->ColumnGap, r->Reserved[0], r->Reserved[1], r->Reserved[2]);
        WriteSettingText("PaperLayout", key, line);
    }
    GlobalUnlock(App.Print.LayoutTable);
    return 1;
}
