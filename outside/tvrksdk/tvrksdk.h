// Stand-in for the outside recognition engine SDK: the document, its work area and the
// recognition database. Plain C functions exported by name (cdecl, undecorated).
#pragma once
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

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

// The work area of one recognition run.
typedef struct RecogWorkspace {
    uint8_t PageState;  // recognition runs only while it is below 3
    int32_t RegionCount;
    void* Regions;  // 288-byte regions
    int32_t Options[3];
    uint8_t PageImage[48];
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

#ifdef __cplusplus
}
#endif
