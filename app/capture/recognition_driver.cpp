// The recognition driver: the current card image becomes one stored card. It picks the
// orientation, keeps working copies on disk, hands pages to the engine, maps the engine's
// field identification into candidate records, compares orientations by score when the
// first reading is poor, and stores the winner with its image and thumbnail.
#include "capture.h"
#include "engine_memory.h"
#include "field_results.h"
#include "recognition.h"
#include "resource.h"
#include "shell.h"
#include "attribute_set.h"
#include <string.h>

#define REGION_SIZE 288

// The working state of one run; nothing of it outlives the run.
struct RecognitionRun {
    ImageRecord* Record;
    int Mode;
    FieldResult* Result;
    CardRec Candidates[4];
    char Working[4][MAX_PATH];
    char Jpeg[4][MAX_PATH];
    int KeepJpeg;
    int SaveType;
    int SaveOption;
    int TextSeen;             // some reading gave at least one line
    int PageFound;            // some page had ink worth reading
    char Replaced[MAX_PATH];  // the file as added, when a working copy took its place
};

static RecogWorkspace* Workspace(void) { return App.Workspace; }

static RecogImageDescription* PageDescription(void) { return &Workspace()->PageImage; }

void ApplyRecognitionOptions(RecogWorkspace* workspace) {
    if (!workspace) return;
    workspace->Options[0] = (App.StatusWord & 0x2000) ? 1 : 0;
    workspace->Options[1] = (App.StatusWord & 0x100) ? 1 : 0;
    workspace->Options[2] = (App.StatusWord & 0x200) ? 1 : 0;
}

static void FreeLineImage(ImageRecord* record) {
    if (!record->LineImage) return;
    while (GlobalUnlock(record->LineImage)) {}
    GlobalFree(record->LineImage);
    record->LineImage = NULL;
}

// The engine's line image of a black-and-white page: its pixels inverted (set bit = ink).
static HGLOBAL InvertedCopy(ImageRecord* record, SIZE_T size) {
    HGLOBAL line = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    uint8_t* out = line ? (uint8_t*)GlobalLock(line) : NULL;
    const uint8_t* in = record->Pixels ? (const uint8_t*)GlobalLock(record->Pixels) : NULL;
    if (out && in)
        for (SIZE_T i = 0; i < size; ++i) out[i] = (uint8_t)~in[i];
    if (in) GlobalUnlock(record->Pixels);
    if (out) GlobalUnlock(line);
    if (line && !in) {
        GlobalFree(line);
        line = NULL;
    }
    return line;
}

// A grey or colour page binarised by the engine into a new line image; 0 when the engine
// finds no text on it.
static HGLOBAL BinarisedCopy(ImageRecord* record, RecogImageDescription* d) {
    HGLOBAL line = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, (SIZE_T)d->BytesPerLine * d->Height);
    uint8_t* rows = line ? (uint8_t*)GlobalLock(line) : NULL;
    uint8_t* pixels = record->Pixels ? (uint8_t*)GlobalLock(record->Pixels) : NULL;
    int found = 0;
    // Rows the engine's banks cannot describe are not read at all.
    if (rows && pixels && TransferImageBufferToBank(rows, "BinaryImage", d->BytesPerLine, d->Height, &d->LineBankId)) {
        int32_t count = 0;
        RecogTextRect* rects = NULL;
        ObtainTextRect(pixels, d, record->Info.RowStride, &count, &rects);
        if (count >= 1 &&
            TransferImageBufferToBank(pixels, "RawImage", (uint16_t)record->Info.RowStride, d->Height, &d->RawBankId)) {
            TvrkOpenGrayImage(0, d, rects, count, 0, 0, 1, 1, 1);
            mem_free_bank(d->RawBankId);
            found = 1;
        }
        if (rects) OCR_free(rects);
        mem_free_bank(d->LineBankId);
    }
    if (pixels) GlobalUnlock(record->Pixels);
    if (rows) GlobalUnlock(line);
    if (!found && line) {
        GlobalFree(line);
        line = NULL;
    }
    return line;
}

int OpenPageImageForEngine(ImageRecord* record) {
    RecogImageDescription* d = PageDescription();
    const ImageInfo* info = &record->Info;
    if (!record->Pixels || info->Width < 1 || info->Height < 1 || info->Width > 0xFFFF || info->Height > 0xFFFF)
        return 0;
    int scale = record->EngineScale ? record->EngineScale : 1;
    int resolution = info->Resolution > 0 ? info->Resolution : DEFAULT_RESOLUTION;  // 0 reads as 300
    d->Scale = (uint16_t)scale;
    d->Width = (uint16_t)(info->Width * scale);
    d->Height = (uint16_t)(info->Height * scale);
    d->BytesPerLine = (uint16_t)(info->RowStride * scale);
    d->Planes = info->Planes;
    d->BitsPerPixel = info->BitsPerPixel;
    d->XResolution = d->YResolution = (uint16_t)(resolution * scale);
    d->Palette = (int32_t)(intptr_t)info->Palette;
    if (info->BitsPerPixel == 1) {
        record->LineImage = InvertedCopy(record, (SIZE_T)info->RowStride * info->Height);
        return record->LineImage != NULL;
    }
    d->ImageKind = 4;
    d->Binary = 1;
    d->BytesPerLine = (uint16_t)((d->Width + 31) / 32 * 4);
    record->LineImage = BinarisedCopy(record, d);
    return record->LineImage != NULL;
}

// The page's one region: the whole image, with the record's attributes as the engine wants them.
static void SetWholePageRegion(ImageRecord* record) {
    RecogWorkspace* ws = Workspace();
    void* regions = OCR_realloc(ws->Regions, REGION_SIZE);
    if (!regions) return;
    ws->Regions = regions;
    ws->RegionCount = 1;
    int32_t* rect = (int32_t*)regions;
    rect[0] = rect[1] = 0;
    rect[2] = record->Info.Width - 1;
    rect[3] = record->Info.Height - 1;
    uint8_t* attributes = (uint8_t*)regions + 16;
    memcpy(attributes, record->Attributes, 16);
    set_attribute(6, attributes, 5);
    set_attribute(2, attributes, 5);
    set_attribute(0, attributes, 7);
    memcpy(ws->PageAttributes, attributes, 16);
}

int RecognizeImagePage(ImageRecord* record, int mode) {
    if (!record->LineImage && !OpenPageImageForEngine(record)) return 0;
    uint8_t* line = (uint8_t*)GlobalLock(record->LineImage);
    if (!line) return 0;
    RecogImageDescription* d = PageDescription();
    if (!TransferImageBufferToBank(line, "LinkedImage", d->BytesPerLine, d->Height, &d->LineBankId)) {
        GlobalUnlock(record->LineImage);
        return 0;
    }
    memcpy(record->PageImage, d, sizeof record->PageImage);
    SetWholePageRegion(record);
    ApplyRecognitionOptions(Workspace());
    SetForeignLanguage(App.EngineLanguageCode);
    Workspace()->LanguageValue = App.PageLanguageValue;
    App.LastPageRead = ProcessSinglePage(Workspace(), mode);
    return 1;
}

int DuplicateImageRecord(const ImageRecord* source, ImageRecord* target) {
    memcpy(target, source, sizeof *target);
    target->Thumbnail = NULL;
    memset(target->Attributes, 0, sizeof target->Attributes);
    target->FileName[0] = 0;
    target->LineImage = NULL;
    memset(target->PageImage, 0, sizeof target->PageImage);
    target->EngineScale = 0;
    target->Workspace = NULL;
    target->Pixels = NULL;
    SIZE_T size = (SIZE_T)source->Info.RowStride * source->Info.Height;
    const uint8_t* in = source->Pixels ? (const uint8_t*)GlobalLock(source->Pixels) : NULL;
    if (!in) return 0;
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    uint8_t* out = copy ? (uint8_t*)GlobalLock(copy) : NULL;
    if (out) {
        memcpy(out, in, size);
        GlobalUnlock(copy);
        target->Pixels = copy;
    } else if (copy) {
        GlobalFree(copy);
    }
    GlobalUnlock(source->Pixels);
    return out != NULL;
}

int DetectImageOrientation(ImageRecord* record, int* angle) {
    *angle = 0;
    if (!record->LineImage && !OpenPageImageForEngine(record)) return 0;
    uint8_t* line = (uint8_t*)GlobalLock(record->LineImage);
    if (!line) return 0;
    RecogImageDescription* d = PageDescription();
    int32_t bank = 0, orientation = 0;
    if (!TransferImageBufferToBank(line, "LinkedImage", d->BytesPerLine, d->Height, &bank)) {
        FreeLineImage(record);
        return 0;
    }
    CalOrientationOfImage(Workspace(), 1, &orientation);
    reset_working_space(Workspace());
    mem_free_bank(bank);
    memset(d, 0, sizeof *d);
    FreeLineImage(record);
    *angle = (orientation & 3) * 90;
    return 1;
}

// Quarter turns clockwise: orientation 1 is 90 degrees, 2 a half turn, 3 270 degrees.
static int TurnRecord(ImageRecord* record, int orientation) {
    switch (orientation) {
    case 1: return RotateImage2(record);
    case 2: return RotateImage3(record);
    case 3: return RotateImage1(record);
    default: return 1;
    }
}

static int OrientationOfAngle(int angle) {
    switch (angle) {
    case 90: return 1;
    case 180: return 2;
    case 270: return 3;
    default: return 0;
    }
}

// The current record's pixels reloaded from its file; 0 when the file cannot be read (the
// record keeps the pixels it had).
static int ReloadPixels(ImageRecord* record) {
    ImageInfo info = record->Info;
    HGLOBAL pixels = LoadImageFile(NULL, record->FileName, &info, 1, 0);
    if (!pixels) return 0;
    ReleaseCurrentImageBlock(&record->Pixels);
    ReleaseCurrentPalette();
    record->Pixels = pixels;
    record->Info = info;
    return 1;
}

// The engine's page follows the record's file.
static void RenewEnginePage(ImageRecord* record, const char* name) {
    lstrcpynA(record->FileName, name, sizeof record->FileName);
    if (App.ImageDocs.Count < 1 || !App.Document) return;
    Delete_Page(App.Document, App.Document->CurrentPage);
    Create_Page(App.Document, App.Document->PageCount, record->FileName, Workspace());
}

static void Identify(RecognitionRun* run, int k) {
    GetFieldIdentification(Workspace(), run->Result);
    for (int kind = 0; kind < FieldKindCount; ++kind) run->TextSeen |= run->Result->Field[kind].Count > 0;
    SortFieldLinesByScore(run->Result);
    OCR_free(run->Candidates[k].CNote.Data);
    FillCardRecordFromFields(&run->Candidates[k], run->Result);
    App.OrientationScores[k] = ScoreFieldResult(run->Result);
}

// Recognises the working file of orientation k into candidate k; 0 when that file could not
// be read back (its message shown), so that no other orientation's pixels are scored as k.
static int RecogniseOrientation(RecognitionRun* run, int k, int retry) {
    ImageRecord* record = run->Record;
    reset_working_space(Workspace());
    ApplyRecognitionOptions(Workspace());
    RenewEnginePage(record, run->Working[k]);
    FreeLineImage(record);
    if (!ReloadPixels(record)) return 0;
    FitImageToRecognitionWindow();
    int read = RecognizeImagePage(record, run->Mode);
    run->PageFound |= read;
    if (read || retry) Identify(run, k);
    FreeLineImage(record);
    return 1;
}

// A turned copy of the record saved as working file k (and its JPEG copy). For k 0 (an angle
// that is no quarter turn) the copy is not turned but still saved as a working file. 1 when
// the working file was saved; otherwise working name k is empty.
static int SaveTurnedCopy(RecognitionRun* run, int k) {
    ImageRecord copy;
    run->Working[k][0] = 0;
    if (!DuplicateImageRecord(run->Record, &copy)) {
        if (copy.Pixels) GlobalFree(copy.Pixels);
        return 0;
    }
    if (TurnRecord(&copy, k)) {
        MakeImageFileName(IMAGE_NAME_OPEN, run->SaveType, run->Working[k]);
        if (!SaveImageFile(run->Working[k], run->SaveType, run->SaveOption, &copy)) run->Working[k][0] = 0;
        if (run->KeepJpeg) {
            MakeImageFileName(IMAGE_NAME_OPEN, IMAGE_TYPE_JPEG, run->Jpeg[k]);
            if (!SaveImageFile(run->Jpeg[k], IMAGE_TYPE_JPEG, run->SaveOption, &copy)) run->Jpeg[k][0] = 0;
        }
    }
    if (copy.Thumbnail && copy.Thumbnail != run->Record->Thumbnail) GlobalFree(copy.Thumbnail);
    if (copy.Pixels) GlobalFree(copy.Pixels);
    return run->Working[k][0] != 0;
}

static int IsGreyOrColour(const ImageRecord* record) {
    if (record->Info.BitsPerPixel == 24) return 1;
    if (record->Info.BitsPerPixel != 8) return 0;
    if (!record->Info.Palette) return 1;
    PALETTEENTRY entries[256];
    int n = GetPaletteEntries(record->Info.Palette, 0, 256, entries);
    for (int i = 0; i < n; ++i)
        if (entries[i].peRed != entries[i].peGreen || entries[i].peGreen != entries[i].peBlue) return 0;
    return 1;
}

static void DeleteName(const char* name) {
    if (name[0]) DeleteFileA(name);
}

// The retry over the other orientations when the first reading scored below 0.
static int RetryOrientations(RecognitionRun* run, int first) {
    if (first != 0) RecogniseOrientation(run, 0, 1);
    int bits = run->Record->Info.BitsPerPixel;
    run->SaveType = bits == 24 || (bits != 1 && bits != 8) ? IMAGE_TYPE_JPEG : IMAGE_TYPE_TIFF;
    run->SaveOption = bits == 1 ? 4 : bits == 8 ? 0 : 1;
    for (int k = 1; k < 4; ++k)
        if (k != first) SaveTurnedCopy(run, k);
    int best = 0;
    int32_t bestScore = App.OrientationScores[0];
    for (int k = 1; k < 4; ++k) {
        if (k == first || !run->Working[k][0]) continue;
        if (!RecogniseOrientation(run, k, 1)) continue;
        if (App.OrientationScores[k] > bestScore) {
            best = k;
            bestScore = App.OrientationScores[k];
        }
    }
    RenewEnginePage(run->Record, run->Working[best]);
    if (!ReloadPixels(run->Record) && best != 0) {
        // The winner cannot be read back: the unturned page is stored rather than wrong pixels.
        best = 0;
        RenewEnginePage(run->Record, run->Working[0]);
        ReloadPixels(run->Record);
    }
    return best;
}

static void ReportMissingOcr(void) {
    if (App.EngineErrorId != TVRK_ERR_NO_OCR_PROGRAM || App.NoOcrMessageShown) return;
    App.NoOcrMessageShown = 1;
    MessageBoxFromStringId(App.MainWindow, IDS_NO_OCR_PROGRAM, NULL, MB_OK | MB_ICONINFORMATION);
}

static void CleanUp(RecognitionRun* run, int best) {
    DeleteName(run->Replaced);
    for (int k = 0; k < 4; ++k) {
        OCR_free(run->Candidates[k].CNote.Data);
        run->Candidates[k].CNote.Data = NULL;
        if (k != best) {
            DeleteName(run->Working[k]);
            DeleteName(run->Jpeg[k]);
        } else if (run->KeepJpeg && run->Jpeg[k][0]) {
            DeleteName(run->Working[k]);
        }
    }
}

int RecognizeCurrentCard(ImageRecord* record, int mode) {
    static RecognitionRun run;
    memset(&run, 0, sizeof run);
    run.Record = record;
    run.Mode = mode;
    if (IsGreyOrColour(record)) {
        run.SaveOption = 1;
        run.KeepJpeg = GetImageFileType(record->FileName) != IMAGE_TYPE_JPEG;
    }
    LoadRecognitionDatabase(App.Document, App.CurrentDatabaseIndex);
    run.Result = (FieldResult*)OCR_malloc(FIELD_RESULT_SIZE);
    if (!run.Result) return 1;
    App.EngineErrorId = 0;
    App.LastPageRead = 1;
    ApplyRecognitionOptions(Workspace());
    RegisterRecognitionCallbacks();
    int first = 0, best = 0;
    lstrcpynA(run.Working[0], record->FileName, MAX_PATH);
    int angle = App.DefaultAngle;
    if (App.AutoRotate && !DetectImageOrientation(record, &angle)) angle = 0;
    if (angle != 0) {
        run.SaveType = IMAGE_TYPE_TIFF;
        run.SaveOption = record->Info.BitsPerPixel == 1 ? 4 : 0;
        first = OrientationOfAngle(angle);
        if (SaveTurnedCopy(&run, first)) {
            // The working copy takes the place of the file as added, which then goes.
            if (first == 0) lstrcpynA(run.Replaced, record->FileName, MAX_PATH);
        } else {
            // A turned copy that could not be made or saved (its message was shown): the page
            // as it is, and the file as added stays the card's image.
            first = 0;
            lstrcpynA(run.Working[0], record->FileName, MAX_PATH);
        }
        RecogniseOrientation(&run, first, 0);
    } else {
        if (run.KeepJpeg) {
            MakeImageFileName(IMAGE_NAME_OPEN, IMAGE_TYPE_JPEG, run.Jpeg[0]);
            if (!SaveImageFile(run.Jpeg[0], IMAGE_TYPE_JPEG, 1, record)) run.Jpeg[0][0] = 0;
        }
        FitImageToRecognitionWindow();
        int read = RecognizeImagePage(record, mode);
        run.PageFound |= read;
        if (read) Identify(&run, 0);
        FreeLineImage(record);
    }
    best = first;
    if (App.OrientationScores[first] < 0 && App.AutoRotate) best = RetryOrientations(&run, first);
    // A page without readable text is still a card: stored empty with its image and thumbnail,
    // for the user to type in.
    int noText = !run.TextSeen && App.LastPageRead;
    if (run.KeepJpeg && run.Jpeg[best][0]) {
        reset_working_space(Workspace());
        ApplyRecognitionOptions(Workspace());
        RenewEnginePage(record, run.Jpeg[best]);
        // The JPEG copy cannot be read back: the working file stays the card's image.
        if (!ReloadPixels(record)) {
            DeleteName(run.Jpeg[best]);
            run.Jpeg[best][0] = 0;
            RenewEnginePage(record, run.Working[best]);
        }
    }
    InsertRecognizedCard(&run.Candidates[best]);
    CleanUp(&run, best);
    if (noText) MessageBoxFromStringId(App.MainWindow, IDS_NO_TEXT_ON_CARD, NULL, MB_OK | MB_ICONEXCLAMATION);
    OCR_free(run.Result);
    UnregisterRecognitionCallbacks();
    ReportMissingOcr();
    return 1;
}

void RunRecognitionAction(HWND window, int action) {
    (void)window;
    if (action != RECOGNIZE_AND_STORE || !App.Workspace || !App.Database) return;
    if (App.Workspace->PageState < 3) RecognizeCurrentCard(&App.CurrentImage, 3);
}
