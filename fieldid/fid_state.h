// The one identification state that every export resets and all passes work on.
//
// Naming in this library: the steps of an identification keep the FID_ names of the
// identification's own description (FID_score_lines, FID_clean_lines, ...); every other internal
// function is lowerCamelCase; the exports keep their exact names.
#pragma once
#include <stdint.h>
#include "cardinfo.h"

constexpr int kMaxLines = 32;
constexpr int kLineBytes = 128;
constexpr int kLineMax = kLineBytes - 1;
constexpr int kKinds = FieldKindCount;
constexpr int kAddressRecords = 4;
constexpr int kDegreeRecords = 4;

struct LineBox {
    int32_t left, top, right, bottom;
    int32_t extra;  // the engine's size value of the line
};

struct AddressRecord {
    char Country[18];
    char State[22];
    char City[30];
    char Street[128];
    char ZipCode[14];
    int32_t line;  // -1: free
    char CtryGuess[18];
    char StatGuess[22];
};

struct NameParts {
    char prefix[20];
    char first[32];
    char middle[32];
    char last[32];
    char suffix[20];
    int32_t lines[4];
};

struct DegreeRecord {
    char text[64];
    LineBox rect;
    int32_t line;
    int32_t score;
};

enum Region {
    RegionGerman,
    RegionFrench,
    RegionItalian,
    RegionSpanish,
    RegionDutch,
    RegionNorthAmerican,
    RegionJapanese,
    RegionTaiwanese,
    RegionHongKongChina,
    RegionBritish,
    RegionAustralian,
    RegionAustrian,
    RegionCount
};

struct FidState {
    char lines[kMaxLines][kLineBytes];
    int lineCount;
    LineBox boxes[kMaxLines];
    int32_t score[kKinds][kMaxLines];
    AddressRecord address[kAddressRecords];
    NameParts names;
    DegreeRecord degrees[kDegreeRecords];
    char sex[7];
    uint8_t region[RegionCount];
    char companyBuffers[4][128];
    // Lines on which the scoring matched a company form (Inc, GmbH, Studio): such a line names
    // a firm, never a person's title or a street.
    uint8_t companyForm[kMaxLines];
};

extern FidState g_fid;

inline bool regionOn(Region r) { return g_fid.region[r] != 0; }
inline int32_t& cell(int kind, int line) { return g_fid.score[kind][line]; }

// Clears everything of one identification; the region switches are left to the language step.
void resetState();

// The kinds of an address line other than its zip code and post box.
constexpr int kPlaceKinds[] = {FieldAddress, FieldCountry, FieldState, FieldCity, FieldCtryGuess, FieldStatGuess};

inline bool isPlaceKind(int kind) {
    for (int k : kPlaceKinds)
        if (k == kind) return true;
    return false;
}

// The pieces of an address that the record takes from the address records, not from a line.
inline bool isAddressPiece(int kind) {
    return kind == FieldCountry || kind == FieldState || kind == FieldCity || kind == FieldZipCode ||
           kind == FieldCtryGuess || kind == FieldStatGuess;
}

// The parts of the name that the record takes from the name parts, not from a line.
inline bool isNamePart(int kind) { return kind >= FieldPrefix && kind <= FieldSuffix; }

// Frees every address record of the line.
void freeAddressRecords(int line);
