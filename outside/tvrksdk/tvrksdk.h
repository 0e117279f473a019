// Stand-in for the outside recognition engine SDK: the document, its work area and the
// recognition database. Plain C functions exported by name (cdecl, undecorated).
#pragma once
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

struct RecogPage;

#pragma pack(push, 1)

// The engine's document: the pages it holds and where its databases and temporary files live.
typedef struct RecogDocument {
    uint16_t PageCount;
    uint16_t CurrentPage;
    uint8_t DatabaseKind;  // 0, 1 or 2, from the last database load
    uint8_t CodePage;      // 0 BIG5, 1 GB2312, 2 SJIS
    char TempFolder[260];  // ends with a backslash
    char DatabaseFolder[260];
    char CommonDatabasePath[260];
    int32_t PageFlag;
} RecogDocument;

// The page image description of a work area (48 bytes): what the engine is told of the page
// whose rows the main program hands over through the utility library's banks.
typedef struct RecogImageDescription {
    int32_t ImageKind;      // 4 = a page built from grey or colour pixels
    int32_t LineBankId;     // bank of the 1-bit line image ("BinaryImage", then "LinkedImage")
    uint16_t Width;         // pixels
    uint16_t Height;        // lines
    uint16_t BytesPerLine;  // of the 1-bit line image
    uint8_t Planes;
    uint8_t BitsPerPixel;  // of the page as loaded: 1, 4, 8 or 24
    uint16_t XResolution;  // dots per inch; 0 reads as 300
    uint16_t YResolution;
    int32_t Palette;
    int32_t Binary;     // 1: the line image is a binarised copy of the raw pixels
    uint16_t Scale;     // 1 (or 0) = the page as loaded
    int32_t RawBankId;  // bank of the raw pixels ("RawImage")
    uint8_t Reserved[14];
} RecogImageDescription;

// The work area of one recognition run.
typedef struct RecogWorkspace {
    uint8_t PageState;  // recognition runs only while it is below 3
    int32_t RegionCount;
    void* Regions;  // 288-byte regions
    int32_t Options[3];
    RecogImageDescription PageImage;
    uint8_t PageAttributes[16];
    int32_t LanguageValue;
} RecogWorkspace;

// What TVRK_load_database reads and writes (836 bytes, zeroed by the caller).
typedef struct RecogLoadRecord {
    int32_t ResultKind;  // set by the engine
    uint8_t Reserved[36];
    char DatabaseFolder[260];  // offset 40
    char CommonPath[536];      // offset 300
} RecogLoadRecord;

#pragma pack(pop)

#if defined(__cplusplus) && defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(RecogImageDescription) == 48, "page image description");
static_assert(__builtin_offsetof(RecogImageDescription, RawBankId) == 30, "page image description");
#endif

// A text rectangle of ObtainTextRect, in pixels (right and bottom inclusive).
typedef struct RecogTextRect {
    int32_t left, top, right, bottom;
} RecogTextRect;

// Callbacks the engine calls during ProcessSinglePage and CalOrientationOfImage.
// Progress: `done` of `total`; with bit 16 of `flags` set, `flags` & 15 names a status text
// instead (5 recognising, 1 analysing, 8 saving results).
typedef void(__stdcall* TvrkPercentCallback)(uint16_t done, uint16_t total, int32_t flags);
// A region of the page in page pixels; `kind` 1 = a text line found, 2 = a text block.
typedef void(__stdcall* TvrkMarkCallback)(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t kind);
// Asks the host for a recognition window value; the engine passes 0, 0.
typedef int32_t(__stdcall* TvrkRcgWinCallback)(int32_t a, int32_t b, int32_t* value);
// An engine error, as a string id of the host's string table (TVRK_ERR_...).
typedef void(__stdcall* TvrkErrMsgCallback)(int32_t messageId);
// Would be called to save an image; this engine never calls it.
typedef int32_t(__stdcall* TvrkSaveImgCallback)(const char* path);

// Error ids reported through the error callback.
#define TVRK_ERR_NO_OCR_PROGRAM 37200  // the OCR program is missing or would not start
#define TVRK_ERR_OCR_FAILED     37201  // the OCR program ran but gave no readable result

// Orientation results of CalOrientationOfImage: the page reads upright after it is turned
// by that many quarter turns clockwise (1 = 90 degrees clockwise, 2 = a half turn, 3 = 90
// degrees counter-clockwise).
#define TVRK_ORIENTATION_UPRIGHT 0

// Makes a new empty document and its work area. 1 on success, 0 (outs null) when out of memory.
int32_t Create_Document(RecogDocument** document, RecogWorkspace** workspace);

// Forgets the document's pages and per-page information. 1, or 0 for a null document.
int32_t RemoveDocumentInfo(RecogDocument* document);

// Frees a document and its work area made by Create_Document. 1, or 0 for a null document.
int32_t Delete_Document(RecogDocument* document, RecogWorkspace* workspace);

// Loads a recognition database for a code page (0..2). With withDatabase 0 (fast start)
// nothing is loaded yet and 1 is returned. Otherwise the record's DatabaseFolder must name an
// existing folder: the database is loaded, ResultKind set to 0 and 1 returned; else 0.
int32_t TVRK_load_database(int32_t codePage, RecogLoadRecord* record, int32_t withDatabase);

// Frees the loaded database and the engine's working buffers. Always 1.
int32_t TVRK_free_database_and_working_buffer(void);

// Ends the engine. Always 1.
int32_t TVRK_term_FR4(void);

// Makes page `pageIndex` of the document from an image file (a page already at that index is
// replaced). 1, or 0 for a null document or a bad index.
int32_t Create_Page(RecogDocument* document, int32_t pageIndex, const char* imagePath, RecogWorkspace* workspace);

// Removes page `pageIndex`; the other pages keep their indexes. 1, or 0 when there is no such page.
int32_t Delete_Page(RecogDocument* document, int32_t pageIndex);

// Drops the recognition results held in the work area. 1, or 0 for a null document.
int32_t DiscardPreviousWork(RecogDocument* document, RecogWorkspace* workspace);

// Removes every page: page count and current page 0. 1, or 0 for a null document.
int32_t Reset_Document(RecogDocument* document, int32_t reserved, RecogWorkspace* workspace);

// Clears what the last page left in the engine (its text, lines and field identification)
// and the work area's region count and page state. 1, or 0 for a null work area.
int32_t reset_working_space(RecogWorkspace* workspace);

// Chooses the OCR language for the next pages: 15 English, 101 German, 102 French,
// 103 Italian, 104 Spanish (English is read beside each); other codes read as English.
// Returns 1 for a known code, else 0 (English is used).
int32_t SetForeignLanguage(int32_t languageCode);

// Finds where the text of a page lies. `pixels` are `description`'s Height rows of
// `rowStride` bytes, top-down, at description->BitsPerPixel (8 grey with 0 black, 24 BGR, 4
// grey nibbles). Writes one rectangle per block of ink (at most 64), in an OCR_malloc array the
// caller gives back with OCR_free, and returns their count; 0 (and a null array) for a page
// without ink; -1 for a bad argument.
int32_t ObtainTextRect(const uint8_t* pixels, const RecogImageDescription* description, int32_t rowStride,
                       int32_t* count, RecogTextRect** rects);

// Prepares grey input in bank "RawImage" (rows as ObtainTextRect takes them).
// With `wholePage` 1 (the capture road): `description` describes the page; it is binarised
// whole into the 1-bit rows of bank "BinaryImage", set bit = ink, with one threshold for the
// page (Otsu's); the rectangles are accepted for the host's sake. Returns 1, or 0 when a bank is
// missing or smaller than the page.
// With `wholePage` 0 (re-recognition of a region): `description` is in fact the RecogImageInfo of
// a recognised page (RecogPage +880) whose grey rows went to "RawImage"; the first rectangle,
// clipped to the image, is binarised with a threshold of its own into the page's black-and-white
// rows (bank +884), which ReRecognizeField then reads (a rectangle without contrast is left as
// it was). Returns 1, or 0 for a missing bank or rectangle, or a rectangle outside the image.
// The other arguments are accepted for the callers' sake.
int32_t TvrkOpenGrayImage(int32_t reserved, const RecogImageDescription* description, const RecogTextRect* rects,
                          int32_t count, int32_t a, int32_t b, int32_t wholePage, int32_t d, int32_t e);

// Stand-in control, not a call of the real engine: the page structure of the last recognised
// page (lines from line_alloc, each with its field kind at +144 and group 0 when field
// identification placed it, else group 1 and kind 20; images at +884 to +928), for a host that
// hands it to the result editor. Valid until the next reset_working_space or ProcessSinglePage;
// null for a null work area or when no page was recognised.
RecogPage* GetRecognizedPage(RecogWorkspace* workspace);

// Recognises the 1-bit page in bank "LinkedImage" (set bit = ink) described by the work
// area's page image description: the OCR program reads it, its words become the page
// structure, and field identification runs on it. Reports progress and marks meanwhile.
// Returns 1 when the page was read (also when it holds no text), 0 when there is no page
// image or the OCR program is missing or failed (the error callback is told once per run of
// the process for a missing program; the page then has no text).
int32_t ProcessSinglePage(RecogWorkspace* workspace, int32_t mode);

// Copies the field identification of the last recognised page into `result` (5,308 bytes,
// laid out as CardInfo). Texts stay owned by the engine until the next reset_working_space
// or ProcessSinglePage. Scores are field identification's confidence weighed by the OCR
// program's confidence in the words under the value: negative when the reading is poor.
// Returns 1, or 0 for a null argument (an empty page gives an empty result and 1).
int32_t GetFieldIdentification(RecogWorkspace* workspace, void* result);

// Detects how the page in bank "LinkedImage" is turned: reads it in all four quarter turns
// and writes the turn (TVRK_ORIENTATION_...: clockwise quarter turns to upright) whose words
// the OCR program is most confident of. Returns 1, or 0 without a page or OCR program.
int32_t CalOrientationOfImage(RecogWorkspace* workspace, int32_t mode, int32_t* orientation);

// Callback registration: a null callback stops the calls. Each returns 1.
int32_t RegisterTvrkPercentCallbackFunc(TvrkPercentCallback callback);
int32_t RegisterTvrkMarkCallbackFunc(TvrkMarkCallback callback);
int32_t RegisterTvrkRcgWinCallbackFunc(TvrkRcgWinCallback callback);
int32_t RegisterTvrkErrMsgCallbackFunc(TvrkErrMsgCallback callback);
int32_t RegisterTvrkSaveImgCallbackFunc(TvrkSaveImgCallback callback);

#ifdef __cplusplus
}
#endif
