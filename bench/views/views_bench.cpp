// Times the card views on card files of 1,000, 5,000 and 20,000 cards: letter counting, a
// deck list refill, a Card Editor step onto a card with a 300-dpi colour image, an image pane
// repaint, and an album page whose six thumbnails are made again. Each row gives the time and
// its ratio to a reference measured in the same run on the same file: raw SQLite doing the same
// reads, or, where no equal work exists, a yardstick the row names.
#include "bench_folder.h"
#include "best_time.h"
#include "card_file_maker.h"
#include "card_picture.h"
#include "host_note.h"
#include "program_card_file.h"
#include "capture.h"
#include "shell.h"
#include "views.h"
#include "resource.h"
#include "jetsql.h"
#include "sqlite3.h"
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// A 300-dpi colour card image (3.5 x 2 inches) as a BMP file.
std::string WriteCardImage(const std::string& folder) {
    ImageRecord image = MakeCardPicture(1050, 600);
    std::string path = folder + "\\card.bmp";
    SaveImageFile(path.c_str(), IMAGE_TYPE_BMP, 0, &image);
    GlobalFree(image.Pixels);
    return path;
}

std::string CardName(int n) {
    static const char* const first[] = {"anna", "Bert", "Carla", "dirk", "Emil", "Fay", "Gus", "hana", "Ivo",
                                        "Jon",  "Kai",  "Lea",   "Mo",   "Nils", "Ola", "Pia", "quin", "Rosa",
                                        "Sven", "Tom",  "Uma",   "Vera", "Walt", "Xia", "Yan", "Zoe"};
    return std::string(first[(n * 7) % 26]) + " " + std::to_string(n);
}

void CreateCards(const std::string& path, int count, const std::string& image) {
    WriteCardFile(path, count, [&](int n, CardRec& card) {
        lstrcpynA(card.CName, CardName(n).c_str(), sizeof card.CName);
        snprintf(card.Company, sizeof card.Company, "Company %d", n % 97);
        snprintf(card.OPhone, sizeof card.OPhone, "555-%04d", n);
        card.CImage.Storage = 1;
        card.CImage.Kind = 2;
        card.CImage.Data = (char*)image.c_str();
        card.CImage.Size = (int32_t)image.size() + 1;
        card.CImage.Modified = 1;
    });
}

// The same reads on raw SQLite.
struct Raw {
    sqlite3* db = nullptr;
    explicit Raw(const std::string& path) {
        sqlite3_open(path.c_str(), &db);
        jetsql::RegisterCollation(db, jetsql::kGeneralLocaleId);
    }
    ~Raw() { sqlite3_close(db); }
    // Counts per letter, 26 queries as the program makes 26 find loops.
    int CountLetters() {
        int total = 0;
        sqlite3_stmt* count = nullptr;
        sqlite3_prepare_v2(db, "SELECT COUNT(*) FROM NM WHERE CNAME LIKE ?", -1, &count, nullptr);
        for (char c = 'A'; c <= 'Z'; ++c) {
            char pattern[3] = {c, '%', 0};
            sqlite3_bind_text(count, 1, pattern, -1, SQLITE_TRANSIENT);
            if (sqlite3_step(count) == SQLITE_ROW) total += sqlite3_column_int(count, 0);
            sqlite3_reset(count);
        }
        sqlite3_finalize(count);
        return total;
    }
    // The deck list's three columns of every card in name order.
    int ReadDeckRows() {
        sqlite3_stmt* rows = nullptr;
        sqlite3_prepare_v2(db, "SELECT CNAME, COMPANY, OPHONE FROM NM ORDER BY CNAME COLLATE JETTEXT, rowid", -1, &rows,
                           nullptr);
        int n = 0;
        char text[3][64];
        while (sqlite3_step(rows) == SQLITE_ROW) {
            for (int c = 0; c < 3; ++c) {
                const char* value = (const char*)sqlite3_column_text(rows, c);
                lstrcpynA(text[c], value ? value : "", sizeof text[c]);
            }
            ++n;
        }
        sqlite3_finalize(rows);
        return n;
    }
    // One card read by its place in name order, as a move in the open set reads it.
    void ReadCardAt(int position) {
        sqlite3_stmt* row = nullptr;
        sqlite3_prepare_v2(db, "SELECT * FROM NM ORDER BY CNAME COLLATE JETTEXT, rowid LIMIT 1 OFFSET ?", -1, &row,
                           nullptr);
        sqlite3_bind_int(row, 1, position);
        sqlite3_step(row);
        sqlite3_finalize(row);
    }
};

// Reads the whole file, as a loader must at least do.
double ReadFileBytes(const std::string& path, int runs) {
    std::vector<char> bytes(4 << 20);
    return BestTime(
        [&] {
            HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
            DWORD got = 0;
            while (ReadFile(file, bytes.data(), (DWORD)bytes.size(), &got, NULL) && got) {}
            CloseHandle(file);
        },
        runs);
}

LRESULT CALLBACK BenchWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeParent(void) {
    WNDCLASSA wc;
    memset(&wc, 0, sizeof wc);
    wc.lpfnWndProc = BenchWndProc;
    wc.hInstance = App.Instance;
    wc.lpszClassName = "ViewsBench";
    RegisterClassA(&wc);
    return CreateWindowA("ViewsBench", NULL, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1280, 1000, NULL, NULL,
                         App.Instance, NULL);
}

void OpenInProgram(const std::string& path) {
    OpenProgramCardFile(path);
    App.CardFileUsable = 1;
    kvRecFirst(App.CardTable);
    App.CurrentCardNumber = 1;
    ReadCurrentCard();
}

void Row(const char* what, double seconds, double reference, const char* against) {
    printf("  %-34s %9.1f ms %8.1fx  %s\n", what, seconds * 1000, seconds / reference, against);
}

void RunCards(int count, const std::string& folder, const std::string& image, HWND parent) {
    std::string path = folder + "\\views.mdb";
    CreateCards(path, count, image);
    int runs = count >= 20000 ? 2 : 3;
    double rawLetters, rawDeck, rawCard;
    {
        Raw raw(path);
        rawLetters = BestTime([&] { raw.CountLetters(); }, runs);
        rawDeck = BestTime([&] { raw.ReadDeckRows(); }, runs);
        rawCard = BestTime([&] { raw.ReadCardAt(count / 2); }, runs);
    }
    double imageRead = ReadFileBytes(image, runs) + rawCard;
    OpenInProgram(path);
    printf("\n%d cards\n", count);

    App.ViewMode = VIEW_CARD_DECK;
    double letters = BestTime([] { CountCardsByLetter(); }, runs);
    Row("letter counting", letters, rawLetters, "raw SQLite: 26 counts by initial (equal work)");
    CreateDeckList(parent);
    double deck = BestTime([] { RefillDeckList(); }, runs);
    Row("deck list refill", deck, rawDeck, "raw SQLite: the three columns of every card (the list fill is extra)");
    DestroyDeckList();

    App.ViewMode = VIEW_CARD_EDITOR;
    CreateCardForm(parent);
    CreateEditorImagePanes(parent);
    SetCurrentCardImage(image.c_str());
    double step = BestTime([] { NavigateCard(App.CurrentCardNumber < App.CardCount ? IDM_CARD_NEXT : IDM_CARD_FIRST); },
                           runs + 2);
    Row("Card Editor step (300-dpi colour)", step, imageRead,
        "yardstick: raw SQLite reading one card + reading its image file");
    double repaint = BestTime([] { RepaintEditorImage(); }, runs + 2);
    SIZE_T pixelBytes = (SIZE_T)App.CurrentImage.Info.RowStride * App.CurrentImage.Info.Height;
    std::vector<uint8_t> copy(pixelBytes);
    const void* pixels = GlobalLock(App.CurrentImage.Pixels);
    double memcopy = BestTime([&] { memcpy(copy.data(), pixels, pixelBytes); }, runs + 2);
    GlobalUnlock(App.CurrentImage.Pixels);
    Row("image pane repaint (fit zoom)", repaint, memcopy, "yardstick: memcpy of the image's pixels");
    DestroyWindow(App.CardForm);
    DestroyEditorImagePanes();

    App.ViewMode = VIEW_CARD_ALBUM;
    CreateCardDesk(parent);
    char thumbs[MAX_PATH];
    ReadSettingText("Directory", "ThumbDir", "", thumbs, sizeof thumbs);
    double album = BestTime(
        [&] {
            DeleteFilesMatching(std::string(thumbs) + "\\", "*.THM");
            RepaintDeskCells();
        },
        runs);
    double sixReads = 6 * imageRead;
    Row("album page, six thumbnails remade", album, sixReads, "yardstick: six card reads + image file reads");
    DestroyCardDesk();
    CloseProgramCardFile();
    DeleteFileA(path.c_str());
}

}  // namespace

int main() {
    PrintHostNote();
    App.Instance = GetModuleHandleA(NULL);
    std::string scratch = ProgramBenchFolder("views_bench");
    App.ImageZoom = 100;
    App.DeskBrush = CreateSolidBrush(RGB(161, 210, 234));
    App.IndexStripBrush = CreateSolidBrush(RGB(118, 122, 118));
    RegisterWorkAreaClasses();
    HWND parent = MakeParent();
    std::string image = WriteCardImage(scratch);
    printf("Card views on card files of growing size; targets at 5,000 cards: letters < 100 ms, editor step\n"
           "< 150 ms, image repaint < 20 ms; growth should be no worse than linear\n");
    for (int count : {1000, 5000, 20000}) RunCards(count, scratch, image, parent);
    DestroyWindow(parent);
    return 0;
}
