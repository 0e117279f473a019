// File > Export: which cards and fields go out, and the comma-separated, delimited-text and
// worksheet writers. In the Card List view every writer takes the rows selected in the list
// (in list order) and ignores first and last; elsewhere it takes cards first to last, ending
// at the last card. Cards are read into a record of the writer's own; the program's current
// card record and the table's position on the current card are kept.
#pragma once
#include "app_state.h"

#define EXPORT_ENTRIES 28  // entries of the field table that have a card field

// Results of the writers.
#define EXPORT_NOT_WRITTEN 0  // no field selected, or the file could not be created or written
#define EXPORT_WRITTEN     1
#define EXPORT_ROW_LIMIT   2  // written, but cards past the worksheet's last row were left out

// Comma-separated flavours of the address-book programs.
#define EXPORT_CSV_OUTLOOK         1
#define EXPORT_CSV_OUTLOOK_EXPRESS 2
#define EXPORT_CSV_PALM_DESKTOP    3
#define EXPORT_CSV_ORGANIZER       4

// Separators of the delimited text.
#define EXPORT_SEPARATOR_COMMA 0
#define EXPORT_SEPARATOR_TAB   1
#define EXPORT_SEPARATOR_BLANK 2

// export_fields.cpp: the field table's selection and include marks.
// The number of selected entries among those with a card field.
int CountSelectedExportFields(void);
// The largest positive (marked) column width; 0 when no entry is marked.
int MaxExportColumnWidth(void);
// Sets the include marks: in the Card List view (when its list exists) the entries whose card
// field the list shows as a column; in every other view the selected entries.
void MarkExportColumns(void);

// export_cards.cpp: the cards of an export and the text of their fields.
typedef struct EXPORTWALK {
    int ListRows;   // set in the Card List view: the list's selection is walked
    int Remaining;  // selected rows not yet read
    int Row;        // the list row read last, -1 before the first
    int Next;       // the card number read next, in a range walk
    int Last;
    int Started;   // the range walk has gone to its first card
    CardRec Card;  // the card read last
} EXPORTWALK;
// Prepares the walk of cards first to last (or of the Card List's selected rows).
void BeginExportWalk(EXPORTWALK* walk, int first, int last);
// Reads the next card of the walk into walk->Card: 1 read, 0 when the walk has ended.
int NextExportCard(EXPORTWALK* walk);
// Moves the card table back onto the program's current card.
void EndExportWalk(EXPORTWALK* walk);
// The text of field table entry 0-27 of a card, and its length in *length: the stored text, or
// for entry 25 the creation date as "%2d/%2d/%4d" (month, day, year) written into dateText
// (at least 32 bytes). NULL for an entry without a card field.
const char* ExportFieldText(const CardRec* card, int entry, char* dateText, int* length);

// text_export.cpp: every field in double quotes, a quote inside a field doubled, lines of any
// length ended by CR LF; an existing file of the name is deleted first.
// format 1-3 and 4 (EXPORT_CSV_*). Outlook, Outlook Express and Organizer: a line of the
// selected captions, then each card's selected fields; Palm Desktop: no caption line and 18
// columns per card (last and first name, then a fixed set of fields; unselected ones empty).
// EXPORT_WRITTEN, or EXPORT_NOT_WRITTEN for no selected field, another format or a failed
// create or write.
int ExportCardsCsv(const char* path, int first, int last, int format);
// separator EXPORT_SEPARATOR_*: the selected fields of each card, with a line of their
// captions first when field names are to be included. EXPORT_WRITTEN, or EXPORT_NOT_WRITTEN
// when no entry is marked or selected (the file is left alone), for another separator, or a
// failed create or write.
int ExportCardsDelimited(const char* path, int first, int last, int separator);

// spreadsheet_export.cpp: a worksheet of the selected fields, one row per card, after a row
// of captions when field names are to be included. EXPORT_WRITTEN; EXPORT_ROW_LIMIT when the
// sheet filled up and the remaining cards were left out; EXPORT_NOT_WRITTEN for no selected
// field or a failed create or write.
int ExportCardsSpreadsheet(const char* path, int first, int last);

// export_command.cpp: File > Export (command 52).
void OnFileExport(void);
