// The cards an export takes and the text of their fields.
#include "export.h"
#include <commctrl.h>
#include <stddef.h>
#include <stdio.h>
#include <string.h>

#define DATE_ENTRY 25

// The card field of each entry of the export field table (the date entry has none).
#define FIELD(name)                                                                                                    \
    { offsetof(CardRec, name), sizeof(((CardRec*)0)->name) }
static const struct {
    size_t Offset;
    int Size;
} kEntryFields[EXPORT_ENTRIES] = {
    FIELD(CName),   FIELD(AltName),  FIELD(Title),  FIELD(User6), FIELD(User5), FIELD(Company),   FIELD(OPhone),
    FIELD(PPhone),  FIELD(HPhone),   FIELD(Fax),    FIELD(User7), FIELD(EMail), FIELD(User2),     FIELD(User3),
    FIELD(User4),   FIELD(Address),  FIELD(City),   FIELD(State), FIELD(Zip),   FIELD(Country),   FIELD(AltAddress),
    FIELD(AltCity), FIELD(AltState), FIELD(AltZip), FIELD(User8), {0, 0},       FIELD(Category1), FIELD(Category2),
};
#undef FIELD

const char* ExportFieldText(const CardRec* card, int entry, char* dateText, int* length) {
    *length = 0;
    if (entry < 0 || entry >= EXPORT_ENTRIES) return NULL;
    if (entry == DATE_ENTRY) {
        *length = snprintf(dateText, 32, "%2d/%2d/%4d", (int)card->CDate[1], (int)card->CDate[2], (int)card->CDate[0]);
        if (*length > 31) *length = 31;
        return dateText;
    }
    const char* text = (const char*)card + kEntryFields[entry].Offset;
    const char* end = (const char*)memchr(text, 0, (size_t)kEntryFields[entry].Size);
    *length = end ? (int)(end - text) : kEntryFields[entry].Size;
    return text;
}

void BeginExportWalk(EXPORTWALK* walk, int first, int last) {
    memset(walk, 0, sizeof *walk);
    walk->Row = -1;
    walk->Next = first;
    walk->Last = last;
    if (App.ViewMode == VIEW_CARD_LIST) {
        walk->ListRows = 1;
        walk->Remaining = App.Views.CardList ? (int)SendMessageA(App.Views.CardList, LVM_GETSELECTEDCOUNT, 0, 0) : 0;
    }
}

// The selected rows in list order; row r is card r + 1.
static int NextSelectedRowCard(EXPORTWALK* walk) {
    if (walk->Remaining <= 0) return 0;
    int row = (int)SendMessageA(App.Views.CardList, LVM_GETNEXTITEM, (WPARAM)walk->Row, MAKELPARAM(LVNI_SELECTED, 0));
    if (row < 0) return 0;
    walk->Row = row;
    --walk->Remaining;
    kvRecGoto(App.CardTable, row + 1);
    return kvCardRecGet(App.CardTable, &walk->Card, 0) == 1;
}

// Cards first to last in the table's order; a range past the last card ends there.
static int NextRangeCard(EXPORTWALK* walk) {
    if (walk->Next < 1 || walk->Next > walk->Last) return 0;
    if (!walk->Started) {
        walk->Started = 1;
        kvRecGoto(App.CardTable, walk->Next);
    } else {
        kvRecNext(App.CardTable);
        if (kvRecIsEOF(App.CardTable)) {
            kvRecPrev(App.CardTable);
            walk->Next = walk->Last + 1;
            return 0;
        }
    }
    ++walk->Next;
    if (kvCardRecGet(App.CardTable, &walk->Card, 0) == 1) return 1;
    walk->Next = walk->Last + 1;
    return 0;
}

int NextExportCard(EXPORTWALK* walk) { return walk->ListRows ? NextSelectedRowCard(walk) : NextRangeCard(walk); }

void EndExportWalk(EXPORTWALK* walk) {
    (void)walk;
    if (App.CurrentCardNumber >= 1) kvRecGoto(App.CardTable, App.CurrentCardNumber);
}
