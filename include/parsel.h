// Field identification of Western business cards (Parsel.dll): sorts the recognised lines of
// one card into the 53 field kinds of CardInfo. C calling convention, undecorated names.
// All exports share one process-wide state: one identification at a time. Texts that a
// filled CardInfo points to live in that state and stay valid until the next call of any
// export.
#pragma once
#include <stdint.h>
#include "cardinfo.h"
#include "recogpage.h"

#ifdef __cplusplus
extern "C" {
#endif

// Language kinds: 0, 3, 6 English group (North American, Japanese, Taiwanese, Hong Kong and
// China, British, Australian, Austrian); 1 German when the card scores German, else English;
// 2 German; 4 French when the card scores French, else English; 5 French; 7, 11-13 the
// regions of the previous call; 8 Italian; 9 Spanish; 10 Dutch; anything else as 0.

// Identifies the text lines of the engine's page (lines of kind 10) into `cardInfo`, which
// the caller supplies zeroed; values are appended behind counts already present.
// Returns 1 when filled; 0 when page or cardInfo is null, when the page has no region list
// or when the card has more than 31 lines (cardInfo untouched then).
int32_t Get_FID_Western(const RecogPage* page, CardInfo* cardInfo, int32_t languageKind);

// The same from `lineCount` zero-terminated lines that start `lineStride` bytes apart.
// Returns 1 when filled; 0 when text or cardInfo is null, lineStride or lineCount is below 1,
// or the card has more than 31 lines.
int32_t Get_FID_Western_From_Strings(const char* text, int32_t lineStride, int32_t lineCount, CardInfo* cardInfo,
                                     int32_t languageKind);

// Splits one address text (lines separated by CR LF) into country (buffer of at least 18
// bytes), state (22), city (30), street (at least as long as address) and zip code (14).
// Parts not found come back empty. An address of more than 127 characters is cut at a
// character boundary. Returns 0 when any pointer is null, else 1.
int32_t FID_separate_full_addr(const char* address, char* country, char* state, char* city, char* street, char* zipCode,
                               int32_t languageKind);

// Splits a full name into prefix, first, middle and last name and suffix (outputs at least as
// long as fullName) and rewrites fullName in place as those parts in that order. Returns 0
// when any pointer is null, fullName is empty or no word is left for the name proper
// (outputs may hold a prefix or suffix then), else 1.
int32_t FID_separate_full_name(char* fullName, char* prefix, char* first, char* middle, char* last, char* suffix);

// When cardInfo holds no company, derives up to four company names from the host of its web
// sites and the domain of its e-mail addresses (confidence 50, empty rectangle). Counts out
// of 0..4 are clamped first. Returns 0 when cardInfo is null, else 1.
int32_t RecheckImportantFieldInCardInfo(CardInfo* cardInfo);

#ifdef __cplusplus
}
#endif
