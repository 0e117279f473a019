// The PIM link and card-file transfer library. Every export is undecorated and uses the
// C calling convention; every text argument is a zero-terminated ANSI path.
#pragma once
#include "cardrec.h"

#ifdef __cplusplus
extern "C" {
#endif

#ifdef FERROW_BUILDING
#define FERROW_API __declspec(dllexport)
#else
#define FERROW_API __declspec(dllimport)
#endif

// Link targets (FerrowDBFile's linkType). Type 2 and every value outside 0..5 do nothing.
enum {
    FERROW_LINK_PALM = 0,
    FERROW_LINK_WINCE = 1,
    FERROW_LINK_MOBILE = 2,
    FERROW_LINK_OUTLOOK = 3,
    FERROW_LINK_OUTLOOK_EXPRESS = 4,
    FERROW_LINK_ACT = 5
};

// Directions (FerrowDBFile's direction).
enum {
    FERROW_TO_PIM = 1,       // cards to PIM
    FERROW_FROM_PIM = 2,     // PIM to cards
    FERROW_FROM_THEN_TO = 3  // PIM to cards, then (when that succeeded) cards to PIM
};

// The meaning the links give the Flags word of a CardRecV4 in the link card array.
enum {
    FERROW_FLAG_ORDINARY = 0,   // 0 or 1: an export sends it
    FERROW_FLAG_EXCHANGED = 2,  // written to the Palm exchange database
    FERROW_FLAG_NEW = 3,        // received from the PIM; the caller inserts it as a new card
    FERROW_FLAG_PRESENT = 5     // already in the PIM; exports skip it
};

// FerrowDBFile results. A failed step is -(target x 1000 + step), target 1 Palm, 2 Windows CE,
// 3 Outlook, 4 Outlook Express, 5 ACT!; step 2 cards-to-PIM failed, 3 PIM-to-cards failed.
enum {
    FERROW_OK = 1,
    FERROW_NOTHING_DONE = -1,
    FERROW_PALM_EXPORT_FAILED = -1002,
    FERROW_PALM_IMPORT_FAILED = -1003,
    FERROW_WINCE_WRITE_FAILED = -2002,
    FERROW_WINCE_TRANSFER_FAILED = -2004,  // the transfer failed; a negative status is returned as it is
    FERROW_OUTLOOK_MISSING = -3001,        // Outlook not registered, unreadable, or older than version 9
    FERROW_OUTLOOK_EXPORT_FAILED = -3002,
    FERROW_OUTLOOK_IMPORT_FAILED = -3003,
    FERROW_OE_EXPORT_FAILED = -4002,
    FERROW_OE_IMPORT_FAILED = -4003,
    FERROW_ACT_FILE_MISSING = -5001,
    FERROW_ACT_EXPORT_FAILED = -5002,
    FERROW_ACT_IMPORT_FAILED = -5003,
    FERROW_ACT_NOT_OPENED = -5004
};

// Exchanges the cards with the PIM named by linkType in the given direction, using the
// link's section of the settings file at iniPath (DBFileName, FieldMap; [Preference]
// PalmUser and PalmMode).
//   cardDbPath: a V4 card file to use instead of the array, or null (the main program's case).
//   cards, count: the address of the caller's link card array (see linkcards.h) and of its
//     entry count. Imports append the cards they receive with Flags FERROW_FLAG_NEW, raise
//     *count and may move the array (GlobalReAlloc), storing its new address in *cards.
//     Cards found in the PIM get Flags FERROW_FLAG_PRESENT.
// Returns FERROW_OK, FERROW_NOTHING_DONE (also for a target whose connector this build lacks),
// or one of the failure codes above. For Outlook a version test runs first: the program
// registered under HKLM "Software\MicroSoft\Windows\CurrentVersion\App Paths\OUTLOOK.EXE" must
// carry a FileVersion of 9 or later, otherwise a message is shown and FERROW_OUTLOOK_MISSING
// is returned. For ACT! an empty DBFileName asks the user for the database (Open dialog); a
// missing file gives FERROW_ACT_FILE_MISSING.
FERROW_API int FerrowDBFile(const char* iniPath, const char* cardDbPath, CardRecV4** cards, int* count, int linkType,
                            int direction);

// Results of the card-file exports below.
enum {
    FERROW_TRANSFER_DONE = 0,        // both card files opened and every card taken was stored
    FERROW_TRANSFER_INCOMPLETE = -1  // a card file did not open, or a card could not be stored
};

// Copies every card of the V3 card file `source` into the V3 card file `destination` (created
// when missing, appended to otherwise). Each copied card gets its own copies of its image file
// (with the image's "ifo\<name>.ifo" and "bin\<name>.tif" companions when present) and of its
// thumbnail file, under new free names "<folder>\<first four letters of the name><4 hex
// digits>.<ext>" in the same folders. A card whose image, companion or thumbnail file exists
// but cannot be copied (a full or read-only disk, a file held by another program) is not
// stored, and the transfer is incomplete: no stored card names a copy that was not made. A
// file that is missing in the first place is not copied and the card keeps its name. The
// copies of a card that could not be stored are removed again. `unused` is not read.
FERROW_API int DuplicateDBFile(const char* source, const char* destination, int unused);

// Appends the cards of the V3 card file `source` to the V4 card file `destination` (created
// when missing): with mode 1 only the cards whose Flags is 1, otherwise all of them. Every
// card that was taken and stored gets Flags 0 in the source afterwards; a card that could not
// be stored keeps its mark for the next export.
FERROW_API int ExportDBFile(const char* source, const char* destination, int mode);

// Appends the records of the V4 card file `source` whose Flags is 3 (new cards) to the V3 card
// file `cardFile` (created when missing). Note the order: the receiving file comes first.
// `unused` is not read.
FERROW_API int ImportDBFile(const char* cardFile, const char* source, int unused);

// Append every card of a V3 card file to a V4 card file, or the reverse; the destination is
// created when missing.
FERROW_API int ConvertV3ToV4(const char* source, const char* destination);
FERROW_API int ConvertV4ToV3(const char* source, const char* destination);

// Every card is stored in a transaction of its own: a card that cannot be stored leaves nothing
// of itself in the destination. Each export returns FERROW_TRANSFER_DONE or
// FERROW_TRANSFER_INCOMPLETE. The card files must not be open elsewhere (they are opened
// exclusively). The destination is compacted into a file of a name of its own (reserved with
// GetTempFileName) in the destination's folder, which then takes the destination's place in one
// step; when it cannot (the destination read-only or held by another program), the destination
// stays as it was, uncompacted, and the compacted copy is deleted. No other file is touched.

#ifdef __cplusplus
}
#endif
