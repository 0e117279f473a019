// The recognition engine's page structure as the engine hands it to its callers.
// The offsets are the engine's: never reorder or resize a member (checked below).
#pragma once
#include <stddef.h>
#include <stdint.h>

struct RecogBox {
    int32_t left, top, right, bottom;
};

struct RecogChar {
    RecogBox Rect;               // +0
    uint8_t Attributes[16];      // +16 attribute block, read through get_attribute
    int32_t CandidateCount;      // +32 number of stored candidates
    uint8_t Reserved36[40];      // +36
    int32_t GlyphIndex;          // +76 best candidate
    int32_t MoreCandidates[12];  // +80 further candidates (low 16 bits)
    RecogChar* Next;             // +128
    uint8_t Reserved132[12];     // +132
    RecogBox Rect2;              // +144 second rectangle (left +144, right +152)
};

struct RecogLine {
    RecogBox Rect;            // +0
    uint8_t Reserved16[16];   // +16
    int32_t Orientation;      // +32 'h' or 'v'
    RecogChar* FirstChar;     // +36
    RecogLine* Next;          // +40
    RecogBox Rect2;           // +44 second rectangle: the one field identification reads
    int32_t Group;            // +60 0 primary, 1 other
    uint8_t Reserved64[8];    // +64
    int32_t SizeValue;        // +72 kept with the second rectangle
    uint8_t Reserved76[8];    // +76
    int32_t Kind;             // +84 10 = text line
    uint8_t Reserved88[56];   // +88
    int32_t FieldKind;        // +144 0-52 as CardInfo, 53 nickname, 54 date
    uint8_t Reserved148[24];  // +148
};

struct RecogBlock {
    uint8_t Reserved0[36];  // +0
    RecogLine* FirstLine;   // +36
    RecogBlock* Next;       // +40
};

struct RecogRegion {
    uint8_t Reserved0[32];   // +0
    RecogBlock* FirstBlock;  // +32
    RecogRegion* Next;       // +36
};

struct RecogImageInfo {
    uint8_t Reserved0[4];      // page +880
    void* BwBank;              // page +884 bank of black-and-white rows
    uint16_t Width;            // page +888
    uint16_t Height;           // page +890
    uint16_t BwBytesPerRow;    // page +892
    uint16_t GreyBytesPerRow;  // page +894
    uint8_t Reserved16;        // page +896
    uint8_t GreyBitsPerPixel;  // page +897
    uint8_t Reserved18[6];     // page +898
    void* Palette;             // page +904
    uint8_t Reserved28[8];     // page +908
    int32_t RelationValue;     // page +916 passed on to GetRelationData
    int32_t BankSlot;          // page +920
    void* GreyRows;            // page +924 movable handle, top-down
    void* BwRows;              // page +928 movable handle, top-down, set bit = ink
};

struct RecogPage {
    uint8_t Reserved0[4];      // +0
    RecogRegion* FirstRegion;  // +4 null: no text
    uint8_t Reserved8[872];    // +8
    RecogImageInfo Image;      // +880
};

#if defined(_WIN32) && !defined(_WIN64)
static_assert(offsetof(RecogChar, Attributes) == 16, "RecogChar layout");
static_assert(offsetof(RecogChar, CandidateCount) == 32, "RecogChar layout");
static_assert(offsetof(RecogChar, GlyphIndex) == 76, "RecogChar layout");
static_assert(offsetof(RecogChar, Next) == 128, "RecogChar layout");
static_assert(offsetof(RecogChar, Rect2) == 144, "RecogChar layout");
static_assert(offsetof(RecogLine, Orientation) == 32, "RecogLine layout");
static_assert(offsetof(RecogLine, FirstChar) == 36, "RecogLine layout");
static_assert(offsetof(RecogLine, Next) == 40, "RecogLine layout");
static_assert(offsetof(RecogLine, Rect2) == 44, "RecogLine layout");
static_assert(offsetof(RecogLine, Group) == 60, "RecogLine layout");
static_assert(offsetof(RecogLine, SizeValue) == 72, "RecogLine layout");
static_assert(offsetof(RecogLine, Kind) == 84, "RecogLine layout");
static_assert(offsetof(RecogLine, FieldKind) == 144, "RecogLine layout");
static_assert(sizeof(RecogLine) == 172, "RecogLine is copied whole");
static_assert(offsetof(RecogBlock, FirstLine) == 36, "RecogBlock layout");
static_assert(offsetof(RecogBlock, Next) == 40, "RecogBlock layout");
static_assert(offsetof(RecogRegion, FirstBlock) == 32, "RecogRegion layout");
static_assert(offsetof(RecogRegion, Next) == 36, "RecogRegion layout");
static_assert(offsetof(RecogPage, FirstRegion) == 4, "RecogPage layout");
static_assert(offsetof(RecogPage, Image) == 880, "RecogPage layout");
static_assert(offsetof(RecogPage, Image.BwBank) == 884, "RecogPage layout");
static_assert(offsetof(RecogPage, Image.Width) == 888, "RecogPage layout");
static_assert(offsetof(RecogPage, Image.Height) == 890, "RecogPage layout");
static_assert(offsetof(RecogPage, Image.BwBytesPerRow) == 892, "RecogPage layout");
static_assert(offsetof(RecogPage, Image.GreyBytesPerRow) == 894, "RecogPage layout");
static_assert(offsetof(RecogPage, Image.GreyBitsPerPixel) == 897, "RecogPage layout");
static_assert(offsetof(RecogPage, Image.Palette) == 904, "RecogPage layout");
static_assert(offsetof(RecogPage, Image.RelationValue) == 916, "RecogPage layout");
static_assert(offsetof(RecogPage, Image.BankSlot) == 920, "RecogPage layout");
static_assert(offsetof(RecogPage, Image.GreyRows) == 924, "RecogPage layout");
static_assert(offsetof(RecogPage, Image.BwRows) == 928, "RecogPage layout");
#endif
