// The field identification result handed to the recognition engine and the main program.
// Its layout is exchanged across library boundaries: never reorder or resize (checked below).
#pragma once
#include <stddef.h>
#include <stdint.h>

// Field kinds: the slot order of CardInfo.
enum FieldKind {
    FieldName = 0,
    FieldCompany,
    FieldDepartment,
    FieldTitle,
    FieldAddress,
    FieldNumber,
    FieldWebSite,
    FieldEMail,
    FieldCountry,
    FieldState,
    FieldCity,
    FieldStreet,
    FieldSection,
    FieldZipCode,
    FieldPOBox,
    FieldCtryGuess,
    FieldStatGuess,
    FieldPhone,
    FieldFax,
    FieldNone,
    FieldNote,
    FieldHonor,
    FieldCategory,
    FieldPrefix,
    FieldFirstName,
    FieldMidName,
    FieldLastName,
    FieldSuffix,
    FieldSexGuess,
    FieldBirthday,
    FieldTelex,
    FieldBBCall,
    FieldPager,
    FieldDirect,
    FieldMain,
    FieldExtension,
    FieldCellular,
    FieldHomePhone,
    FieldOfficePhone,
    FieldHomeFax,
    FieldOfficeFax,
    FieldBeeper,
    FieldTollFree,
    FieldMobile,
    FieldGSMPhone,
    FieldBBS,
    FieldAppleLink,
    FieldCompuserve,
    FieldAOL,
    FieldMCI,
    FieldTaxID,
    FieldLogoText,
    FieldLogoImg,
    FieldKindCount
};

struct CardInfoRect {
    int32_t left, top, right, bottom;
};

// Up to four values of one field kind.
struct CardInfoSlot {
    int16_t Count;          // 0..4
    int16_t Reserved;       // left alone by field identification
    char* Text[4];          // zero-terminated Windows-1252 texts, null = no value
    CardInfoRect Rect[4];   // on the card image, in pixels
    int16_t Confidence[4];  // 0..100
    int16_t Line[4];        // line the value came from
};

struct CardInfo {
    uint8_t Leading[8];  // neither read nor written by field identification
    CardInfoSlot Field[FieldKindCount];
};

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(CardInfoSlot) == 100, "CardInfoSlot layout");
static_assert(offsetof(CardInfoSlot, Text) == 4, "CardInfoSlot layout");
static_assert(offsetof(CardInfoSlot, Rect) == 20, "CardInfoSlot layout");
static_assert(offsetof(CardInfoSlot, Confidence) == 84, "CardInfoSlot layout");
static_assert(offsetof(CardInfoSlot, Line) == 92, "CardInfoSlot layout");
static_assert(offsetof(CardInfo, Field) == 8, "CardInfo layout");
static_assert(sizeof(CardInfo) == 5308, "CardInfo layout");
#endif
