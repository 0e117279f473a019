// Times File > Print "All" of 5,000 cards on the file printer (Wine's PostScript driver writing
// into a file): ten cards a page in two columns, each card's name, company and city line
// drawn through the label template, the cells framed, 500 pages in all. The Print dialog is
// answered with OK from a thread of its own. The reference reads the same three columns in
// the same order with raw SQLite and draws the same texts in the same fonts at the same
// places with plain GDI calls, page by page on the same printer; its ratio says what the
// card database, the template and the page mapping add to the printing itself.
#include "host_note.h"
#include "best_time.h"
#include "dialog_watch.h"
#include "shell.h"
#include "sqlite3.h"
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <wchar.h>

namespace {

const char* const kPrinter = "Zem File Printer";
const int kCards = 5000;
const char* const kLayout = "1, Business Cards 2 x 5, 11000, 8500, 500, 750, 2, 5, 2000, 3500, 0, 0, 0, 0, 0";
// Text, left, top, width, height (thousandths of an inch in a 4000 x 2000 label), font, points.
struct Field {
    const char* Text;
    int Left, Top, Width, Height;
    int Points, Weight;
};
const Field kFields[] = {{"Name", 200, 200, 3600, 400, 12, 700},
                         {"Company", 200, 700, 3600, 400, 10, 400},
                         {"City_State_ZipCode", 200, 1200, 3600, 400, 9, 400}};

void CreateCards(const std::string& path) {
    DeleteFileA(path.c_str());
    HKVDB db = nullptr;
    HKVTBL table = nullptr;
    kvCreateDatabase(31, path.c_str(), 0, &db);
    kvTblCreate(db, "NM");
    kvTblNew(db, "NM", &table);
    kvTblOpen(table);
    kvStartTransation(db);
    for (int i = 1; i <= kCards; ++i) {
        CardRec card;
        memset(&card, 0, sizeof card);
        snprintf(card.CName, sizeof card.CName, "Person %05d", i);
        snprintf(card.Company, sizeof card.Company, "Company %04d Limited", i % 977);
        snprintf(card.City, sizeof card.City, "City %03d", i % 311);
        snprintf(card.State, sizeof card.State, "ST");
        snprintf(card.Zip, sizeof card.Zip, "%05d", 10000 + i);
        kvCardRecInsert(table, &card);
    }
    kvCommit(db);
    kvTblFree(table);
    kvCloseDatabase(db);
}

void StoreSettings() {
    char path[MAX_PATH];
    GetSettingsPath(path, sizeof path);
    DeleteFileA(path);
    WritePrivateProfileStringA("PaperLayout", "Count", "1", path);
    WritePrivateProfileStringA("PaperLayout", "SelectLayout", "0", path);
    WritePrivateProfileStringA("PaperLayout", "@1", kLayout, path);
    WritePrivateProfileStringA("Template", "Count", "1", path);
    WritePrivateProfileStringA("Template", "SelectTemplate", "0", path);
    WritePrivateProfileStringA("Template1", "TempName", "Bench", path);
    WritePrivateProfileStringA("Template1", "FieldCount", "3", path);
    for (int i = 0; i < 3; ++i) {
        char key[16], line[128];
        snprintf(key, sizeof key, "Field%d", i + 1);
        snprintf(line, sizeof line, "%s,%d,%d,%d,%d,Arial,%d,%d,0,0,0,0,0,0,0", kFields[i].Text, kFields[i].Left,
                 kFields[i].Top, kFields[i].Width, kFields[i].Height, kFields[i].Points, kFields[i].Weight);
        WritePrivateProfileStringA("Template1", key, line, path);
    }
    WritePrivateProfileStringA("Template1", "LabelWidth", "4000", path);
    WritePrivateProfileStringA("Template1", "LabelHeight", "2000", path);
}

void OpenCards(const std::string& path) {
    kvOpenDatabase(31, path.c_str(), &App.Database);
    kvTblNew(App.Database, "NM", &App.CardTable);
    kvTblOpen(App.CardTable);
    App.CardCount = kCards;
    App.CurrentCardNumber = 1;
    kvRecGoto(App.CardTable, 1);
    kvCardRecGet(App.CardTable, &App.CurrentCard, 1);
}

// The program's print command, its Print dialog answered with OK (All) by a thread that
// leaves the "Print..." dialog of the running job alone.
void PrintWithTheProgram() {
    std::thread user([] {
        for (int waited = 0; waited < 60000; waited += 20) {
            for (HWND dialog : VisibleDialogsOf(GetCurrentProcessId())) {
                wchar_t caption[64] = L"";
                InternalGetWindowText(dialog, caption, 64);
                if (wcscmp(caption, L"Print") == 0) {
                    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(dialog, IDOK));
                    return;
                }
            }
            Sleep(20);
        }
    });
    PrintCards();
    user.join();
}

// The same pages with plain GDI: the cells and the items' rectangles computed in printer dots.
void PrintReference(const std::string& cards, int* pages) {
    sqlite3* db = nullptr;
    sqlite3_stmt* rows = nullptr;
    sqlite3_open(cards.c_str(), &db);
    sqlite3_prepare_v2(db, "SELECT CNAME, COMPANY, CITY, STATE, ZIP FROM NM ORDER BY rowid", -1, &rows, nullptr);
    HDC dc = CreateDCA("WINSPOOL", kPrinter, nullptr, nullptr);
    int dpiX = GetDeviceCaps(dc, LOGPIXELSX), dpiY = GetDeviceCaps(dc, LOGPIXELSY);
    int offsetX = GetDeviceCaps(dc, PHYSICALOFFSETX), offsetY = GetDeviceCaps(dc, PHYSICALOFFSETY);
    DOCINFOA info = {sizeof info, "reference", nullptr, nullptr, 0};
    StartDocA(dc, &info);
    bool more = sqlite3_step(rows) == SQLITE_ROW;
    *pages = 0;
    while (more) {
        StartPage(dc);
        ++*pages;
        for (int cell = 0; cell < 10 && more; ++cell, more = sqlite3_step(rows) == SQLITE_ROW) {
            int x = 750 * dpiX / 1000 - offsetX + cell / 5 * (3500 * dpiX / 1000);
            int y = 500 * dpiY / 1000 - offsetY + cell % 5 * (2000 * dpiY / 1000);
            int width = 3500 * dpiX / 1000, height = 2000 * dpiY / 1000;
            char texts[3][128];
            snprintf(texts[0], sizeof texts[0], "%s", (const char*)sqlite3_column_text(rows, 0));
            snprintf(texts[1], sizeof texts[1], "%s", (const char*)sqlite3_column_text(rows, 1));
            snprintf(texts[2], sizeof texts[2], "%s, %s, %s", (const char*)sqlite3_column_text(rows, 2),
                     (const char*)sqlite3_column_text(rows, 3), (const char*)sqlite3_column_text(rows, 4));
            for (int i = 0; i < 3; ++i) {
                const Field& f = kFields[i];
                HFONT font = CreateFontA(f.Points * 1000 / 72 * (height + 1) / 2000, 0, 0, 0, f.Weight, 0, 0, 0, 0, 0,
                                         0, 0, 0, "Arial");
                HGDIOBJ old = SelectObject(dc, font);
                SetBkMode(dc, TRANSPARENT);
                RECT r = {x + f.Left * width / 4000, y + f.Top * height / 2000, x + (f.Left + f.Width) * width / 4000,
                          y + (f.Top + f.Height) * height / 2000};
                DrawTextA(dc, texts[i], -1, &r, DT_WORDBREAK | DT_NOPREFIX);
                SelectObject(dc, old);
                DeleteObject(font);
            }
            MoveToEx(dc, x, y, nullptr);
            LineTo(dc, x + width, y);
            LineTo(dc, x + width, y + height);
            LineTo(dc, x, y + height);
            LineTo(dc, x, y);
        }
        EndPage(dc);
    }
    EndDoc(dc);
    DeleteDC(dc);
    sqlite3_finalize(rows);
    sqlite3_close(db);
}

long long FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return ((long long)data.nFileSizeHigh << 32) | data.nFileSizeLow;
}

}  // namespace

// argv[1]: the Windows path of the file the printer writes to.
int main(int argc, char** argv) {
    PrintHostNote();
    if (argc != 2) {
        printf("usage: print_bench <file the printer writes, Windows path>\n");
        return 2;
    }
    const std::string output = argv[1];
    App.Instance = GetModuleHandleA(nullptr);
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string cards = std::string(temp) + "print_bench.mdb";
    CreateCards(cards);
    StoreSettings();
    LoadPrintDefaults();
    LoadDefaultPrinter();
    LoadSelectedLayout();
    OpenCards(cards);
    App.ShowBorder = 1;

    DeleteFileA(output.c_str());
    double ours = BestTime(PrintWithTheProgram, 1);
    long long oursBytes = FileSize(output);
    DeleteFileA(output.c_str());
    int pages = 0;
    double reference = BestTime([&] { PrintReference(cards, &pages); }, 1);
    long long referenceBytes = FileSize(output);

    printf("%-10s %6s %6s | %9s %9s %12s\n", "side", "cards", "pages", "total s", "ms/page", "PostScript");
    printf("%-10s %6d %6d | %9.2f %9.2f %12lld\n", "ours", kCards, (kCards + 9) / 10, ours, ours * 1000 / 500,
           oursBytes);
    printf("%-10s %6d %6d | %9.2f %9.2f %12lld\n", "reference", kCards, pages, reference,
           reference * 1000 / (pages ? pages : 1), referenceBytes);
    printf("ratio ours / reference: %.2f\n", reference > 0 ? ours / reference : 0.0);
    printf("ours: File > Print, All, through the card database, the label template and the page renderer; reference: "
           "raw SQLite and plain GDI drawing of the same texts, fonts and frames on the same printer.\n");
    kvTblFree(App.CardTable);
    kvCloseDatabase(App.Database);
    DeleteFileA(cards.c_str());
    return 0;
}
