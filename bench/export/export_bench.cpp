// Times File > Export on card files of 5,000 and 20,000 cards, every field selected: the
// Outlook and Palm Desktop comma-separated flavours, tab-delimited text and the worksheet. Each
// case runs in a process of its own, which reports its time and the memory its export added at
// its peak. The reference reads the same columns in the same order with raw SQLite and writes
// the same bytes with a plain buffered writer; for the worksheet it builds the grid of 256-byte
// cells in one block first, as a writer that is handed the whole sheet would (its output is
// the same file). The worksheet stops at the format's 16,384 rows on both sides.
#include "bench_folder.h"
#include "best_time.h"
#include "card_file_maker.h"
#include "file_bytes.h"
#include "host_note.h"
#include "peak_memory.h"
#include "program_card_file.h"
#include "export.h"
#include "worksheet_file.h"
#include "shell.h"
#include "jetsql.h"
#include "sqlite3.h"
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char* const kFormats[] = {"outlook", "palm", "tab", "sheet"};

// The 28 export entries' columns, in the field table's order; the date is entry 25.
const char* const kColumns[28] = {"CNAME",   "ALTNAME",  "TITLE",  "USER6", "USER5", "COMPANY",   "OPHONE",
                                  "PPHONE",  "HPHONE",   "FAX",    "USER7", "EMAIL", "USER2",     "USER3",
                                  "USER4",   "ADDRESS",  "CITY",   "STATE", "ZIP",   "COUNTRY",   "ALTADDRESS",
                                  "ALTCITY", "ALTSTATE", "ALTZIP", "USER8", "CDATE", "CATEGORY1", "CATEGORY2"};
const int kPalmEntries[16] = {2, 5, 6, 8, 9, 7, 11, 15, 16, 17, 18, 19, 13, 4, 10, 12};

void CreateCards(const std::string& path, int count) {
    WriteCardFile(path, count, [](int n, CardRec& card) {
        snprintf(card.CName, sizeof card.CName, "%s Person%d", n % 3 ? "Ann" : "Smith,", n);
        snprintf(card.Title, sizeof card.Title, "Head of \"Unit %d\"", n % 40);
        snprintf(card.Company, sizeof card.Company, "Company %d, Inc.", n % 500);
        snprintf(card.OPhone, sizeof card.OPhone, "+1 555 %04d", n % 10000);
        snprintf(card.Fax, sizeof card.Fax, "+1 555 9%03d", n % 1000);
        snprintf(card.EMail, sizeof card.EMail, "person%d@example.com", n);
        snprintf(card.Address, sizeof card.Address, "%d Main Street\r\nSuite %d", n % 900, n % 20);
        snprintf(card.City, sizeof card.City, "City %d", n % 50);
        snprintf(card.State, sizeof card.State, "ST");
        snprintf(card.Zip, sizeof card.Zip, "%05d", n % 99999);
        snprintf(card.Country, sizeof card.Country, "USA");
        snprintf(card.User3, sizeof card.User3, "www.example%d.com", n % 700);
        card.CDate[0] = 2000 + n % 25;
        card.CDate[1] = 1 + n % 12;
        card.CDate[2] = 1 + n % 28;
    });
}

// ---- the program's export -----------------------------------------------------------------

int RunOurs(const std::string& format, const std::string& cards, const std::string& out) {
    App.Instance = GetModuleHandleA(NULL);
    ReadExportFieldSelection();
    SetExportSelectionFromText("");
    App.SaveFieldNames = 1;
    App.ViewMode = VIEW_CARD_DECK;
    OpenProgramCardFile(cards);
    App.CurrentCardNumber = 1;
    kvRecGoto(App.CardTable, 1);
    MarkExportColumns();
    if (format == "outlook") return ExportCardsCsv(out.c_str(), 1, App.CardCount, EXPORT_CSV_OUTLOOK);
    if (format == "palm") return ExportCardsCsv(out.c_str(), 1, App.CardCount, EXPORT_CSV_PALM_DESKTOP);
    if (format == "tab") return ExportCardsDelimited(out.c_str(), 1, App.CardCount, EXPORT_SEPARATOR_TAB);
    return ExportCardsSpreadsheet(out.c_str(), 1, App.CardCount);
}

// ---- the reference ------------------------------------------------------------------------

// An automation date (days from 30 December 1899) as " m/ d/yyyy".
void DateText(double value, char* out, size_t size) {
    long days = (long)value + 693899;  // counted from 1 March of year 0
    long era = days / 146097, doe = days - era * 146097;
    long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    long doy = doe - (365 * yoe + yoe / 4 - yoe / 100), mp = (5 * doy + 2) / 153;
    long d = doy - (153 * mp + 2) / 5 + 1, m = mp < 10 ? mp + 3 : mp - 9, y = yoe + era * 400 + (m <= 2);
    snprintf(out, size, "%2ld/%2ld/%4ld", m, d, y);
}

struct Reference {
    sqlite3* db = nullptr;
    sqlite3_stmt* rows = nullptr;
    explicit Reference(const std::string& path) {
        sqlite3_open(path.c_str(), &db);
        jetsql::RegisterCollation(db, jetsql::kGeneralLocaleId);
        std::string sql = "SELECT ";
        for (int i = 0; i < 28; ++i) sql += std::string(i ? ", " : "") + kColumns[i];
        sql += " FROM NM ORDER BY CNAME COLLATE JETTEXT, rowid";
        sqlite3_prepare_v2(db, sql.c_str(), -1, &rows, nullptr);
    }
    ~Reference() {
        sqlite3_finalize(rows);
        sqlite3_close(db);
    }
    bool Next(std::string* texts) {
        if (sqlite3_step(rows) != SQLITE_ROW) return false;
        for (int i = 0; i < 28; ++i) {
            if (i == 25) {
                char date[32];
                DateText(sqlite3_column_double(rows, i), date, sizeof date);
                texts[i] = date;
            } else {
                const char* t = (const char*)sqlite3_column_text(rows, i);
                texts[i] = t ? t : "";
            }
        }
        return true;
    }
};

void PutQuoted(std::string& line, const std::string& text) {
    line += '"';
    for (char c : text) {
        if (c == '"') line += '"';
        line += c;
    }
    line += '"';
}

void PutLine(FILE* f, const std::string* texts, char separator) {
    std::string line;
    for (int i = 0; i < 28; ++i) {
        if (i) line += separator;
        PutQuoted(line, texts[i]);
    }
    line += "\r\n";
    fwrite(line.data(), 1, line.size(), f);
}

void PutPalmLine(FILE* f, const std::string* texts) {
    const std::string& name = texts[0];
    std::string line, last, first = name;
    size_t comma = name.find(','), blank = name.rfind(' ');
    if (comma != std::string::npos) last = name.substr(0, comma), first = name.substr(comma + 1);
    else if (blank != std::string::npos) last = name.substr(blank + 1), first = name.substr(0, blank);
    PutQuoted(line, last);
    line += ',';
    PutQuoted(line, first);
    for (int entry : kPalmEntries) line += ',', PutQuoted(line, texts[entry]);
    line += "\r\n";
    fwrite(line.data(), 1, line.size(), f);
}

int RunReference(const std::string& format, const std::string& cards, const std::string& out) {
    App.Instance = GetModuleHandleA(NULL);
    ReadExportFieldSelection();
    std::string captions[28], texts[28];
    for (int i = 0; i < 28; ++i) captions[i] = App.ExportFields[i].Caption;
    Reference reference(cards);
    if (format == "sheet") {
        sqlite3_stmt* count = nullptr;
        sqlite3_prepare_v2(reference.db, "SELECT COUNT(*) FROM NM", -1, &count, nullptr);
        sqlite3_step(count);
        int rows = sqlite3_column_int(count, 0) + 1;
        sqlite3_finalize(count);
        HGLOBAL block = GlobalAlloc(GHND, (SIZE_T)rows * 28 * 256);
        if (!block) return 0;
        char* grid = (char*)GlobalLock(block);
        for (int i = 0; i < 28; ++i) lstrcpynA(grid + i * 256, captions[i].c_str(), 256);
        for (int r = 1; r < rows && reference.Next(texts); ++r)
            for (int i = 0; i < 28; ++i) lstrcpynA(grid + ((size_t)r * 28 + i) * 256, texts[i].c_str(), 256);
        int result = WriteWorksheetFile(out.c_str(), rows, 28, grid, 256, 1);
        GlobalUnlock(block);
        GlobalFree(block);
        return result;
    }
    FILE* f = fopen(out.c_str(), "wb");
    if (!f) return 0;
    setvbuf(f, nullptr, _IOFBF, 65536);
    char separator = format == "tab" ? '\t' : ',';
    if (format != "palm") PutLine(f, captions, separator);
    while (reference.Next(texts)) {
        if (format == "palm") PutPalmLine(f, texts);
        else PutLine(f, texts, separator);
    }
    return fclose(f) == 0 ? 1 : 0;
}

// ---- one case per process -----------------------------------------------------------------

int RunCase(int argc, char** argv) {
    std::string side = argv[2], format = argv[3], cards = argv[4], out = argv[5];
    SIZE_T before = ResidentBytes(false);
    double start = Seconds();
    int result = side == "ours" ? RunOurs(format, cards, out) : RunReference(format, cards, out);
    double elapsed = Seconds() - start;
    SIZE_T added = ResidentBytes(true) - before;
    FILE* f = fopen(argv[6], "w");
    if (!f) return 1;
    fprintf(f, "%d %.4f %lu\n", result, elapsed, (unsigned long)added);
    fclose(f);
    return 0;
}

struct Outcome {
    int Result = -1;
    double Seconds = 0;
    unsigned long Bytes = 0;
    unsigned long FileSize = 0;
    std::string File;
};

Outcome Measure(const std::string& side, const char* format, const std::string& cards, const std::string& folder) {
    char program[MAX_PATH];
    GetModuleFileNameA(NULL, program, sizeof program);
    std::string out = folder + side + "_" + format + ".out", report = folder + "report.txt";
    DeleteFileA(report.c_str());
    std::string line = "\"" + std::string(program) + "\" --case " + side + " " + format + " \"" + cards + "\" \"" +
                       out + "\" \"" + report + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    Outcome outcome;
    if (!CreateProcessA(program, &line[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process)) return outcome;
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (FILE* f = fopen(report.c_str(), "r")) {
        if (fscanf(f, "%d %lf %lu", &outcome.Result, &outcome.Seconds, &outcome.Bytes) != 3) outcome.Result = -1;
        fclose(f);
    }
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExA(out.c_str(), GetFileExInfoStandard, &data)) outcome.FileSize = data.nFileSizeLow;
    outcome.File = out;
    return outcome;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 7 && strcmp(argv[1], "--case") == 0) return RunCase(argc, argv);
    PrintHostNote();
    std::string folder = TempBenchFolder("export_bench");
    printf("%-8s %6s | %9s %9s %6s | %9s %9s %6s | %6s %s\n", "format", "cards", "ours s", "ours MB", "result", "ref s",
           "ref MB", "result", "ratio", "file bytes, ours against ref");
    for (int count : {5000, 20000}) {
        std::string cards = folder + "cards" + std::to_string(count) + ".mdb";
        CreateCards(cards, count);
        for (const char* format : kFormats) {
            Outcome ours = Measure("ours", format, cards, folder), ref = Measure("ref", format, cards, folder);
            std::string oursBytes = ReadWholeFile(ours.File), refBytes = ReadWholeFile(ref.File);
            bool same = oursBytes == refBytes;
            if (!same) {
                size_t at = 0;
                while (at < oursBytes.size() && at < refBytes.size() && oursBytes[at] == refBytes[at]) ++at;
                printf("first difference at byte %lu: ours \"%.40s\", ref \"%.40s\"\n", (unsigned long)at,
                       oursBytes.c_str() + at, refBytes.c_str() + at);
            }
            DeleteFileA(ours.File.c_str());
            DeleteFileA(ref.File.c_str());
            printf("%-8s %6d | %9.3f %9.1f %6d | %9.3f %9.1f %6d | %6.2f %lu, %s\n", format, count, ours.Seconds,
                   ours.Bytes / 1048576.0, ours.Result, ref.Seconds, ref.Bytes / 1048576.0, ref.Result,
                   ref.Seconds > 0 ? ours.Seconds / ref.Seconds : 0.0, ours.FileSize,
                   same ? "the same bytes" : "DIFFERENT");
            fflush(stdout);
        }
        DeleteFileA(cards.c_str());
    }
    printf("ours: the program's writers over kvdb32; ref: raw SQLite and a plain writer of the same bytes "
           "(worksheet: the whole grid of 256-byte cells in one block first). MB: resident memory the export added at "
           "its peak. result 2: the worksheet stopped at its 16,384th row.\n");
    RemoveFolderTree(folder);
    return 0;
}
