// Imports rendered cards (the project's own set, upright and turned 90 and 180 degrees, in
// BMP, TIFF and JPEG) through the program's recognize-and-store action into card files of 0,
// 5,000 and 20,000 cards, with AutoRotate off and on. Per card and stage: load (the image
// copied, loaded and its thumbnail made), binarise (the engine's grey binarisation and text
// region), copies (working and JPEG copies saved and pages reloaded), window (the recognition
// window made, fitted and ended), other (the rest of the driver), orientation (the engine's
// detection, AutoRotate on), OCR (the engine's page reading: the OCR program with the page
// written out and its words read back), fields (Parsel's identification of the page, timed apart
// on the same page, and the mapping into the card record) and store (thumbnail file and insert
// in its transaction). Each stage is given as a share of the whole time per card, which is the
// reference of every row. Memory: the process's commit at the end of the run (its growth from run
// to run is what each run keeps) and its peak commit so far.
// Usage: recognition_bench [cards per run, default 200]
#include "card_file_maker.h"
#include "best_time.h"
#include "host_note.h"
#include "peak_memory.h"
#include "capture.h"
#include "field_results.h"
#include "recognition.h"
#include "shell.h"
#include "dialog_watch.h"
#include "scratch_folder.h"
#include <parsel.h>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Stages {
    double Load = 0, Binarise = 0, Copies = 0, Window = 0, Orientation = 0, Ocr = 0, Fields = 0, Store = 0, Whole = 0;
    double TimedApart = 0;  // the benchmark's own extra call of Parsel, not part of the run
};
Stages g_stages;
bool g_inDriver = false;  // the image file calls of the load stage are timed with it

}  // namespace

// The driver's calls, timed on their way through.
extern "C" {
int32_t __real_ProcessSinglePage(RecogWorkspace* workspace, int32_t mode);
int32_t __real_CalOrientationOfImage(RecogWorkspace* workspace, int32_t kind, int32_t* orientation);
int32_t __real_GetFieldIdentification(RecogWorkspace* workspace, void* result);
int __real__Z24FillCardRecordFromFieldsP7CardRecPK8CardInfo(CardRec* card, const FieldResult* result);
int __real__Z20InsertRecognizedCardP7CardRec(CardRec* candidate);
int32_t __real_ObtainTextRect(const uint8_t* pixels, const RecogImageDescription* description, int32_t rowStride,
                              int32_t* count, RecogTextRect** rects);
int32_t __real_TvrkOpenGrayImage(int32_t kind, const RecogImageDescription* description, const RecogTextRect* rects,
                                 int32_t count, int32_t a, int32_t b, int32_t c, int32_t d, int32_t e);
int __real__Z13SaveImageFilePKciiPK11ImageRecord(const char* fileName, int type, int option, const ImageRecord* record);
HGLOBAL __real__Z13LoadImageFileP6HWND__PKcP9ImageInfoii(HWND owner, const char* fileName, ImageInfo* info,
                                                         int showProgress, int keepBottomUp);
void __real__Z28RegisterRecognitionCallbacksv();
void __real__Z30UnregisterRecognitionCallbacksv();
void __real__Z27FitImageToRecognitionWindowv();

// The engine identifies the fields inside its page reading; the same identification of the
// page just read is timed apart and moved from OCR to field identification.
int32_t __wrap_ProcessSinglePage(RecogWorkspace* workspace, int32_t mode) {
    double start = Seconds();
    int32_t result = __real_ProcessSinglePage(workspace, mode);
    double read = Seconds() - start;
    RecogPage* page = GetRecognizedPage(workspace);
    double identify = 0;
    if (page && page->FirstRegion) {
        static CardInfo info;
        memset(&info, 0, sizeof info);
        double at = Seconds();
        Get_FID_Western(page, &info, workspace->LanguageValue);
        identify = Seconds() - at;
    }
    g_stages.Ocr += read - identify;
    g_stages.Fields += identify;
    g_stages.TimedApart += identify;
    return result;
}

int32_t __wrap_CalOrientationOfImage(RecogWorkspace* workspace, int32_t kind, int32_t* orientation) {
    double start = Seconds();
    int32_t result = __real_CalOrientationOfImage(workspace, kind, orientation);
    g_stages.Orientation += Seconds() - start;
    return result;
}

int32_t __wrap_GetFieldIdentification(RecogWorkspace* workspace, void* result) {
    double start = Seconds();
    int32_t r = __real_GetFieldIdentification(workspace, result);
    g_stages.Fields += Seconds() - start;
    return r;
}

int __wrap__Z24FillCardRecordFromFieldsP7CardRecPK8CardInfo(CardRec* card, const FieldResult* result) {
    double start = Seconds();
    int r = __real__Z24FillCardRecordFromFieldsP7CardRecPK8CardInfo(card, result);
    g_stages.Fields += Seconds() - start;
    return r;
}

// Binarisation of a grey or colour page and its text region, in the engine.
int32_t __wrap_ObtainTextRect(const uint8_t* pixels, const RecogImageDescription* description, int32_t rowStride,
                              int32_t* count, RecogTextRect** rects) {
    double start = Seconds();
    int32_t r = __real_ObtainTextRect(pixels, description, rowStride, count, rects);
    g_stages.Binarise += Seconds() - start;
    return r;
}

int32_t __wrap_TvrkOpenGrayImage(int32_t kind, const RecogImageDescription* description, const RecogTextRect* rects,
                                 int32_t count, int32_t a, int32_t b, int32_t c, int32_t d, int32_t e) {
    double start = Seconds();
    int32_t r = __real_TvrkOpenGrayImage(kind, description, rects, count, a, b, c, d, e);
    g_stages.Binarise += Seconds() - start;
    return r;
}

// Working copies saved and pages reloaded from them by the driver.
int __wrap__Z13SaveImageFilePKciiPK11ImageRecord(const char* fileName, int type, int option,
                                                 const ImageRecord* record) {
    double start = Seconds();
    int r = __real__Z13SaveImageFilePKciiPK11ImageRecord(fileName, type, option, record);
    if (g_inDriver) g_stages.Copies += Seconds() - start;
    return r;
}

HGLOBAL __wrap__Z13LoadImageFileP6HWND__PKcP9ImageInfoii(HWND owner, const char* fileName, ImageInfo* info,
                                                         int showProgress, int keepBottomUp) {
    double start = Seconds();
    HGLOBAL r = __real__Z13LoadImageFileP6HWND__PKcP9ImageInfoii(owner, fileName, info, showProgress, keepBottomUp);
    if (g_inDriver) g_stages.Copies += Seconds() - start;
    return r;
}

// The recognition window: made and shown, the page fitted and drawn, and the window ended.
void __wrap__Z28RegisterRecognitionCallbacksv() {
    double start = Seconds();
    __real__Z28RegisterRecognitionCallbacksv();
    g_stages.Window += Seconds() - start;
}

void __wrap__Z30UnregisterRecognitionCallbacksv() {
    double start = Seconds();
    __real__Z30UnregisterRecognitionCallbacksv();
    g_stages.Window += Seconds() - start;
}

void __wrap__Z27FitImageToRecognitionWindowv() {
    double start = Seconds();
    __real__Z27FitImageToRecognitionWindowv();
    g_stages.Window += Seconds() - start;
}

int __wrap__Z20InsertRecognizedCardP7CardRec(CardRec* candidate) {
    double start = Seconds();
    int r = __real__Z20InsertRecognizedCardP7CardRec(candidate);
    g_stages.Store += Seconds() - start;
    return r;
}
}

namespace {

void CreateCards(const std::string& path, int count) {
    WriteCardFile(path, count, [](int n, CardRec& card) {
        snprintf(card.CName, sizeof card.CName, "Name %d", n);
        snprintf(card.Company, sizeof card.Company, "Company %d", n % 97);
        snprintf(card.OPhone, sizeof card.OPhone, "555-%04d", n % 10000);
    });
}

void EmptyFolder(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            std::string file = folder + "\\" + found.cFileName;
            SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(file.c_str());
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

void SetUpProgram(const std::string& folder) {
    App.Instance = GetModuleHandleA(nullptr);
    for (const char* sub : {"IMAGE", "thumb", "TVRKTEMP", "TVRKDB", "TVRKDB\\COMMON", "TVRKDB\\WESTERN"})
        CreateDirectoryA((folder + "\\" + sub).c_str(), nullptr);
    WriteSettingText("Directory", "ImageDir", (folder + "\\IMAGE").c_str());
    WriteSettingText("Directory", "ThumbDir", (folder + "\\thumb").c_str());
    WriteSettingText("Directory", "TempDir", (folder + "\\TVRKTEMP").c_str());
    WriteSettingText("CodePage", "DisplayCode", "BIG5");
    WriteSettingText("DataBase", "PathComm", (folder + "\\TVRKDB\\COMMON").c_str());
    WriteSettingText("DataBase", "DBS0", (folder + "\\TVRKDB\\WESTERN").c_str());
    WriteSettingText("DataBase", "DefCharSet", "0");
    App.MainWindow = CreateWindowA("STATIC", "recognition bench", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                                   App.Instance, nullptr);
    App.StatusWord = 16129;
    App.EngineLanguageCode = 15;
    App.PageLanguageValue = 0;
    App.ImageZoom = 100;
    RegisterRecognitionWindowClass();
    CreateRecognitionDocument();
    CreateImageDocuments();
}

std::vector<std::string> CardImages() {
    std::vector<std::string> images;
    for (const char* turn : {"", "_90", "_180"})
        for (const char* card : {"miller", "garcia", "chen", "brooks"})
            for (const char* type : {".bmp", ".tif", ".jpg"})
                images.push_back(std::string(CARD_IMAGES) + card + turn + type);
    return images;
}

void Row(int cardFile, int autoRotate, int cards, const Stages& s, double stored) {
    double whole = s.Whole / cards;
    double rest = s.Whole - s.Load - s.Binarise - s.Copies - s.Window - s.Orientation - s.Ocr - s.Fields - s.Store;
    printf("%6d  %s  %6.0f", cardFile, autoRotate ? "on " : "off", 1000.0 * whole);
    for (double t : {s.Load, s.Binarise, s.Copies, s.Window, rest, s.Orientation, s.Ocr, s.Fields, s.Store})
        printf("  %5.0f %3.0f%%", 1000.0 * t / cards, 100.0 * t / s.Whole);
    printf("  %3.0f%%  %3.0f%%  %4.0f  %6.1f  %6.1f\n", 100.0 * (s.Orientation + s.Ocr) / s.Whole,
           100.0 * (s.Orientation + s.Ocr) / (s.Whole - s.Window), stored, MemoryCounters().PagefileUsage / 1048576.0,
           PeakMegabytes());
    fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    PrintHostNote();
    int cards = argc > 1 ? atoi(argv[1]) : 200;
    if (cards < 1) cards = 200;
    std::string folder = MakeFreshTestFolder("recognition_bench");
    SetUpProgram(folder);
    DialogWatch answers(IDOK);
    std::vector<std::string> images = CardImages();
    printf("Recognition of %d rendered cards per run (the own set's %zu images in turn), ms per card and share of\n"
           "the whole time per card; OCR%% = orientation and OCR, where the OCR program runs; target: all else\n"
           "under 20%%, no stage growing with the card file. The window column is the recognition window made and\n"
           "ended once per card: Wine under Xvfb, without a window manager, waits for it about 2 s; the second\n"
           "OCR%% leaves that wait out\n",
           cards, images.size());
    printf(" cards  rot   whole   load        binarise    copies      window      other       orient      OCR         "
           "fields      store       OCR%%  w/o window  kept  commitMB  peakMB\n");
    for (int count : {0, 5000, 20000}) {
        std::string base = folder + "\\base.mdb", work = folder + "\\cards.mdb";
        CreateCards(base, count);
        for (int autoRotate : {0, 1}) {
            CopyFileA(base.c_str(), work.c_str(), FALSE);
            OpenCardFile(work.c_str(), 0);
            App.AutoRotate = autoRotate;
            App.DefaultAngle = 0;
            int before = App.CardCount;
            g_stages = Stages();
            for (int i = 0; i < cards; ++i) {
                char path[MAX_PATH];
                lstrcpynA(path, images[i % images.size()].c_str(), sizeof path);
                double start = Seconds();
                int added = AddImagePage(path);
                g_stages.Load += Seconds() - start;
                g_inDriver = true;
                if (added) RunRecognitionAction(App.MainWindow, RECOGNIZE_AND_STORE);
                g_inDriver = false;
                g_stages.Whole += Seconds() - start;
            }
            g_stages.Whole -= g_stages.TimedApart;
            Row(count, autoRotate, cards, g_stages, App.CardCount - before);
            CloseCardFile();
            EmptyFolder(folder + "\\IMAGE");
            EmptyFolder(folder + "\\thumb");
        }
    }
    std::vector<std::string> messages = answers.Texts();
    for (const std::string& m : messages) printf("message: %s\n", m.c_str());
    return 0;
}
