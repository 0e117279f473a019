// Lexor: the recognition dictionary library.
//
// Three services behind undecorated cdecl exports:
//  - a sorted binary word list ("QKTR_BIN" file) loaded into memory and searched by binary
//    search, each word carrying an attribute record and a value;
//  - a dictionary table "DaoDicTable" in a database file, one library-wide recordset;
//  - single-character width and case conversions under a chosen language.
//
// Common result codes of the word-list lookups: -1 not found, -2 no dictionary, -3 not loaded
// (each export below says which of them it uses).
//
// The library keeps process-wide state and serves one caller at a time; the only worker thread
// is the optional asynchronous word-list loader.
#pragma once
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#ifdef LEXOR_BUILDING
#define LEXOR_API __declspec(dllexport)
#else
#define LEXOR_API
#endif

struct LexorWordList;  // opaque; owned by the library through the parameter block

// Load parameter block (272 bytes, owned by the caller; made by NEW_DefLoadQktrBinParam).
typedef struct DefLoadQktrBinParam {
    char path[260];                  // word-list file, NUL-terminated; filled by the caller
    int32_t language;                // header language, written by a load
    int32_t format;                  // header format, written by a load
    struct LexorWordList* wordList;  // attached word list or null; owned by the library
} DefLoadQktrBinParam;

// Language numbers of SetLanguage and of the word-list header.
enum {
    LEXOR_LANG_TRADITIONAL_CHINESE = 0,  // locale 1028
    LEXOR_LANG_SIMPLIFIED_CHINESE = 1,   // locale 2052
    LEXOR_LANG_JAPANESE = 2,             // locale 1041
    LEXOR_LANG_ENGLISH = 3               // locale 1033
};

// Out record of FindLexorAndTag: two typed values, the tag and then the frequency.
typedef struct LexorTagValue {
    uint16_t type;  // LEXOR_VALUE_INT32 once written
    uint16_t reserved;
    int32_t value;
} LexorTagValue;
typedef struct TagFreq {
    LexorTagValue tag;
    LexorTagValue frequency;
} TagFreq;
enum { LEXOR_VALUE_INT32 = 3 };

// One dictionary-table record as the caller sees it (224 bytes).
typedef struct DicRecord {
    char Lexicon[200];  // NUL-terminated; the table stores at most 50 characters
    int32_t StartPos;
    int32_t EndPos;
    int32_t Tag;
    int32_t Score;
    int32_t ZefAction;
    int32_t TheTagIs;
} DicRecord;

// CreateDAODic types: they choose the collating order of a newly made template.
enum {
    LEXOR_DIC_JAPANESE = 0,             // ";LANGID=0x0411;CP=932;COUNTRY=0"
    LEXOR_DIC_SIMPLIFIED_CHINESE = 1,   // ";LANGID=0x0804;CP=936;COUNTRY=0"
    LEXOR_DIC_TRADITIONAL_CHINESE = 2,  // ";LANGID=0x0404;CP=950;COUNTRY=0"
    LEXOR_DIC_OTHER = 3                 // any other value: ";LANGID=0x0409;CP=1252;COUNTRY=0"
};

// SetDaoCurrentIndex choices.
enum { LEXOR_INDEX_START_END = 1, LEXOR_INDEX_START_ONLY = 2 };

// ---- Word list --------------------------------------------------------------------------

// A new zeroed parameter block with no word list; null when memory runs out.
LEXOR_API DefLoadQktrBinParam* __cdecl NEW_DefLoadQktrBinParam(void);

// Frees a block (null allowed). A word list still attached is freed first (after any load
// running on it has ended), so nothing is left writing into the freed block.
LEXOR_API void __cdecl DELETE_DefLoadQktrBinParam(DefLoadQktrBinParam* block);

// Loads the file named by block->path, freeing any earlier list of the block first.
// async 0: loads on the caller's thread; 1 loaded, 0 failed (null block, unreadable, short or
// corrupt file, wrong magic, entries not strictly increasing in unsigned byte order; the last
// shows the message box "File is not sorted").
// async nonzero: attaches a loading list and starts a worker thread; 1 at once (0 only for a
// null block or when no thread can be started). Lookups issued meanwhile wait for the load.
LEXOR_API int __cdecl LoadQktrBin(DefLoadQktrBinParam* block, int async);

// Waits for a load still running on the block, then frees and detaches its word list.
// A null block or a block without a list is left alone. Text pointers handed out earlier
// become invalid.
LEXOR_API void __cdecl FreeQktrBin(DefLoadQktrBinParam* block);

// 1 when a word list is attached and ready, else 0. Does not wait.
LEXOR_API int __cdecl IsOpen(DefLoadQktrBinParam* block);

// The lookups below wait while a load runs on the block, then search with the word mapped to
// full width under the list's language (when that language is valid).

// 1 found; 0 not found, null block, no list or a list that failed to load.
LEXOR_API int __cdecl FindQktrBin(DefLoadQktrBinParam* block, const char* word);

// Row of the entry (from 0) with its attribute index and value written to the outs (null outs
// allowed); -1 not found (outs unchanged); 0 when no ready list (indistinguishable from row 0).
LEXOR_API int __cdecl FindQktrBinWithAttribute(DefLoadQktrBinParam* block, const char* word, int* attributeIndex,
                                               int* value);

// 0 not found or no ready list; -1 found and its attribute set is exactly {bit 4};
// 1 found otherwise. An attribute index outside the table counts as the empty set.
LEXOR_API int __cdecl FindZemBin(DefLoadQktrBinParam* block, const char* word);

// Walks the list from a word. row < 0: finds the word and, when its set is exactly {bit 4},
// steps once to the next row, which must not be exactly {bit 4} either. row >= 0: steps to
// row + 1, which must not contain bit 4. For the row reached writes the entry's text (pointer
// into the loaded list, valid until it is freed), the first four bytes of its attribute record
// (zero-padded) and its value, and returns the row. -1 nothing reached; -2 null block or no
// list; -3 list not ready (failed).
LEXOR_API int __cdecl FindZemBinWithAttribute(DefLoadQktrBinParam* block, const char* word, int row, const char** text,
                                              int* attribute, int* value);

// Searches the tagged word list; 1 found (tag and frequency written), 0 otherwise. A binary
// load leaves the tagged list empty, so this answers 0 after LoadQktrBin.
LEXOR_API int __cdecl FindLexorAndTag(DefLoadQktrBinParam* block, const char* word, TagFreq* out);

// Header language / format of the attached ready list; 0 when none. Do not wait.
LEXOR_API int __cdecl GetCurrentDatabaseLanguage(DefLoadQktrBinParam* block);
LEXOR_API int __cdecl GetCurrentDatabaseFormat(DefLoadQktrBinParam* block);

// ---- Language and conversions -----------------------------------------------------------
// A block selects its word list's language state; null selects the library-wide default.
// A character is a 16-bit value: a single-byte character in its low byte, or a double-byte
// character with its lead byte in the low byte.

// Sets the language (0-3, see LEXOR_LANG_*) and the process-wide C runtime locale; 1 set,
// 0 failed (block without a list, no locale identifier yet, locale not supported). Another
// value keeps the previous locale identifier.
LEXOR_API int __cdecl SetLanguage(DefLoadQktrBinParam* block, int language);

// Single byte to full width: 2 when mapped to a double-byte character (written in place);
// 2 unchanged for a value already above 0xFF; 0 for 0, an invalid language or a block without
// a list; otherwise the byte count the mapping gave (value unchanged).
LEXOR_API int __cdecl ConvertToFullWidth(DefLoadQktrBinParam* block, unsigned short* ch);

// Double byte to half width: 1 when mapped to one byte (written in place, high byte 0);
// 1 unchanged for a value below 0xFF; 0 for an invalid language, a block without a list or
// a character with no single-byte form.
LEXOR_API int __cdecl ConvertToHalfWidth(DefLoadQktrBinParam* block, unsigned short* ch);

// Lower-cases the low byte into room for two bytes; returns the byte count of the mapping
// (0 for an invalid language or a block without a list). The value is replaced only when the
// mapping gives two bytes, so single-byte letters stay as they are and give 1.
LEXOR_API int __cdecl ConvertToLowerCase(DefLoadQktrBinParam* block, unsigned short* ch);

// ---- Dictionary table -------------------------------------------------------------------
// One library-wide table-type recordset on "DaoDicTable". With no open recordset every
// export returns 0 or does nothing. Database errors never reach the caller.

// Closes what is open, makes the template "$default" + extension beside fileName when missing
// (collating order by type), replaces fileName by a copy of the template and opens it with
// ZemPostStartEndIndex current. 1 open; 0 failed (also when fileName is the template itself).
LEXOR_API int __cdecl CreateDAODic(const char* fileName, int type);

// Closes the recordset and the database; returns 0.
LEXOR_API int __cdecl CloseDAODic(void);

// 1 makes ZemPostStartEndIndex current, 2 ZemPostStartOnlyIndex, others change nothing.
// 1 done; 0 no open table or a database error.
LEXOR_API int __cdecl SetDaoCurrentIndex(int which);

// Reads the current record into out, Lexicon re-coded from its stored form by the default
// language. 1 read; 0 no current record, no open table or null out.
LEXOR_API int __cdecl GetFieldDAODic(DicRecord* in_out);

// Writes the record's fields into the current edit buffer (no re-coding). 1 written;
// 0 failed (no AddNew/Edit in progress, Lexicon longer than the field, no open table).
LEXOR_API int __cdecl SetFieldDAODic(const DicRecord* in);

// Adds a record, Lexicon re-coded into its stored form when the default language is valid.
// 1 added; 0 null, no open table, or any field refused (nothing is stored then).
LEXOR_API int __cdecl AddDAODic(const DicRecord* in);

// Deletes the current record when there is one.
LEXOR_API void __cdecl DeleteDAODic(void);

// Seeks StartPos = startPos and EndPos = endPos on ZemPostStartEndIndex (left current);
// found: result of GetFieldDAODic(out); 0 not found or null out.
LEXOR_API int __cdecl SeekDAODic(int startPos, int endPos, DicRecord* out);

// Seeks StartPos = startPos on ZemPostStartOnlyIndex (left current); as SeekDAODic.
LEXOR_API int __cdecl SeekStartPosOnlyDAODic(int startPos, DicRecord* out);

// Moves to the next record in the current index's order and reads it; 0 at the end.
LEXOR_API int __cdecl MoveNextDAODic(DicRecord* out);

// Bookmark holder (opaque, 16 bytes): made empty, filled by GetBookMarkDAODic with the current
// record's bookmark, used by SetBookMarkDAODic to go back there. Null when memory runs out.
LEXOR_API void* __cdecl CreateBookMarkDAODic(void);
LEXOR_API void __cdecl DeleteBookMarkDAODic(void* holder);
// Stores the current record's bookmark in the holder; always 0.
LEXOR_API int __cdecl GetBookMarkDAODic(void* holder);
// Moves to the holder's bookmark; 1 moved, 0 otherwise.
LEXOR_API int __cdecl SetBookMarkDAODic(void* holder);

#ifdef __cplusplus
}
#endif
