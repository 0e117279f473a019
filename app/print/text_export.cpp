// The comma-separated and delimited-text writers. Every field is written in double quotes with
// its quotes doubled, straight to the file, so that a card whose fields are all at full length
// is never cut, and fields may hold commas and line breaks.
#include "export.h"
#include "export_file.h"

#define ENTRY_NAME 0

// The Palm Desktop columns after the two name columns, by export entry: Title, Company,
// Office Tel., Other Tel., Fax, Mobile Tel., Email, Address, City, State, Zip Code, Country,
// Web Site, Department, Fax 2, Email 2.
static const int kPalmColumns[16] = {2, 5, 6, 8, 9, 7, 11, 15, 16, 17, 18, 19, 13, 4, 10, 12};

static void WriteCaptionLine(EXPORTFILE* file, char separator) {
    int written = 0;
    for (int i = 0; i < EXPORT_ENTRIES; ++i) {
        if (!App.ExportSelection[i]) continue;
        if (written++) WriteExportBytes(file, &separator, 1);
        WriteQuotedField(file, App.ExportFields[i].Caption, lstrlenA(App.ExportFields[i].Caption));
    }
    WriteExportText(file, "\r\n");
}

static void WriteEntry(EXPORTFILE* file, const CardRec* card, int entry) {
    char date[32];
    int length = 0;
    const char* text = ExportFieldText(card, entry, date, &length);
    WriteQuotedField(file, text ? text : "", length);
}

static void WriteSelectedFieldsLine(EXPORTFILE* file, const CardRec* card, char separator) {
    int written = 0;
    for (int i = 0; i < EXPORT_ENTRIES; ++i) {
        if (!App.ExportSelection[i]) continue;
        if (written++) WriteExportBytes(file, &separator, 1);
        WriteEntry(file, card, i);
    }
    WriteExportText(file, "\r\n");
}

// "Last, First" splits at the first comma (the first name keeps a blank after it); "First
// Middle Last" at the last blank; a single word is the first name alone.
static void WritePalmName(EXPORTFILE* file, const CardRec* card) {
    char date[32];
    int length = 0;
    const char* name = ExportFieldText(card, ENTRY_NAME, date, &length);
    int comma = -1, blank = -1;
    for (int i = 0; i < length; ++i) {
        if (name[i] == ',' && comma < 0) comma = i;
        if (name[i] == ' ') blank = i;
    }
    if (comma >= 0) {
        WriteQuotedField(file, name, comma);
        WriteExportBytes(file, ",", 1);
        WriteQuotedField(file, name + comma + 1, length - comma - 1);
    } else if (blank >= 0) {
        WriteQuotedField(file, name + blank + 1, length - blank - 1);
        WriteExportBytes(file, ",", 1);
        WriteQuotedField(file, name, blank);
    } else {
        WriteQuotedField(file, "", 0);
        WriteExportBytes(file, ",", 1);
        WriteQuotedField(file, name, length);
    }
}

static void WritePalmLine(EXPORTFILE* file, const CardRec* card) {
    if (App.ExportSelection[ENTRY_NAME]) WritePalmName(file, card);
    else WriteExportText(file, "\"\",\"\"");
    for (int entry : kPalmColumns) {
        WriteExportBytes(file, ",", 1);
        if (App.ExportSelection[entry]) WriteEntry(file, card, entry);
        else WriteQuotedField(file, "", 0);
    }
    WriteExportText(file, "\r\n");
}

// Writes one line per card of the walk and closes the file: 1 when every write succeeded.
static int WriteCardLines(EXPORTFILE* file, int first, int last, int palm, char separator) {
    EXPORTWALK walk;
    BeginExportWalk(&walk, first, last);
    while (!file->Failed && NextExportCard(&walk)) {
        if (palm) WritePalmLine(file, &walk.Card);
        else WriteSelectedFieldsLine(file, &walk.Card, separator);
    }
    EndExportWalk(&walk);
    return CloseExportFile(file);
}

int ExportCardsCsv(const char* path, int first, int last, int format) {
    if (format < EXPORT_CSV_OUTLOOK || format > EXPORT_CSV_ORGANIZER) return EXPORT_NOT_WRITTEN;
    if (CountSelectedExportFields() < 1) return EXPORT_NOT_WRITTEN;
    EXPORTFILE file;
    if (!CreateExportFile(&file, path, 1)) return EXPORT_NOT_WRITTEN;
    int palm = format == EXPORT_CSV_PALM_DESKTOP;
    if (!palm) WriteCaptionLine(&file, ',');
    return WriteCardLines(&file, first, last, palm, ',') ? EXPORT_WRITTEN : EXPORT_NOT_WRITTEN;
}

int ExportCardsDelimited(const char* path, int first, int last, int separator) {
    static const char kSeparators[3] = {',', '\t', ' '};
    if (separator < EXPORT_SEPARATOR_COMMA || separator > EXPORT_SEPARATOR_BLANK) return EXPORT_NOT_WRITTEN;
    if (MaxExportColumnWidth() < 1 || CountSelectedExportFields() < 1) return EXPORT_NOT_WRITTEN;
    EXPORTFILE file;
    if (!CreateExportFile(&file, path, 1)) return EXPORT_NOT_WRITTEN;
    char between = kSeparators[separator];
    if (App.SaveFieldNames) WriteCaptionLine(&file, between);
    return WriteCardLines(&file, first, last, 0, between) ? EXPORT_WRITTEN : EXPORT_NOT_WRITTEN;
}
