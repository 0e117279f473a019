// Card records that cross the card database interface and the library boundaries.
// Their layouts are stored in files and exchanged between programs: never reorder or resize.
#pragma once
#include <stddef.h>
#include <stdint.h>

#pragma pack(push, 2)

// One long (memo or binary) column of a card record.
struct CardRecBlob {
    int32_t Kind;     // 0 none, 1 text (memo column), 2 binary (long-binary column)
    int32_t Storage;  // 0 none, 1 value in memory at Data, 2 value in the file FileName
    int32_t Reserved1;
    int32_t Size;        // bytes (text: without the terminator, as a Get reports it)
    int32_t Reserved2;   // set to 0 whenever a Get sets Size of a binary value
    char* Data;          // the value when Storage is 1
    char FileName[256];  // the file holding the value when Storage is 2
    int32_t Modified;    // non-zero: Insert and Update write this column
    int32_t Reserved3;
};

// The flat (V3) card record; each text field of width N holds at most N - 1 characters.
struct CardRec {
    int32_t ID;
    int32_t LinkID;
    int32_t CDate[6];  // year, month, day, hour, minute, second
    char CName[51];
    char EName[51];
    char Aliase[51];
    char ComType[21];
    char Company[61];
    char CNumber[21];
    char Title[81];
    char Department[31];
    char EMail[51];
    char OPhone[31];
    char HPhone[31];
    char PPhone[31];
    char BBCALL[31];
    char Fax[31];
    char Address[256];
    char City[31];
    char State[31];
    char Zip[11];
    char Country[21];
    char AltName[51];
    char AltAddress[256];
    char AltCity[31];
    char AltState[31];
    char AltZip[11];
    char Category1[51];
    char Category2[51];
    char User1[51];
    char User2[51];
    char User3[51];
    char User4[51];
    char User5[51];
    char User6[51];
    char User7[51];
    char User8[51];
    char User9[51];
    int16_t Flags;
    CardRecBlob SecondText;
    CardRecBlob CNote;
    CardRecBlob CImage;
};

// A labelled text of the V4 record: label, its rectangle on the card image, then the text.
template <int N>
struct CardTextUnit {
    char FieldName[20];
    int32_t FieldRect[2];
    char Text[N + 1];
};

struct CardNameGroup {
    CardTextUnit<50> FullName;
    CardTextUnit<30> FirstName;
    CardTextUnit<30> LastName;
    CardTextUnit<30> MiddleName;
    CardTextUnit<30> PrefixName;
    CardTextUnit<30> SuffixName;
};

struct CardPhoneGroup {
    CardTextUnit<30> PhoneNum;
    int16_t PhoneType;
    char Ext[10];
    char CountryCode[10];
    char AreaCode[10];
};

struct CardEmailGroup {
    CardTextUnit<50> EmailName;
    int16_t EmailType;
};

struct CardAddressGroup {
    CardTextUnit<255> FullAddress;
    CardTextUnit<50> Street;
    CardTextUnit<30> City;
    CardTextUnit<30> State;
    CardTextUnit<30> Country;
    CardTextUnit<10> ZipCode;
    CardTextUnit<30> POBOX;
    int16_t LangID;
};

// The V4 card record: the form in which cards travel to and from the PIM links.
struct CardRecV4 {
    int32_t ID;
    int32_t LinkID;
    int32_t CDate[6];
    int32_t BirthDay[6];
    CardNameGroup ENAME;
    CardNameGroup CNAME;
    CardPhoneGroup Phone[6];
    CardTextUnit<80> Company[4];
    CardTextUnit<80> Title[4];
    CardTextUnit<50> Department[4];
    CardAddressGroup Address[4];
    CardPhoneGroup Fax[4];
    CardEmailGroup Email[4];
    CardTextUnit<50> WebSite[4];
    CardTextUnit<50> UserDef[4];
    CardTextUnit<80> Note[8];
    CardTextUnit<50> TaxID;
    int16_t Category[16];
    int16_t Gender;
    int16_t Flags;  // 3: a card a PIM link hands back to be inserted as new
    CardRecBlob FrontImage;
    CardRecBlob BackImage;
    CardRecBlob CImage;
};

#pragma pack(pop)

enum { CARDRECV4_FLAG_NEW = 3 };

static_assert(sizeof(CardRecBlob) == 288, "CardRecBlob layout");
static_assert(offsetof(CardRecBlob, FileName) == 24 && offsetof(CardRecBlob, Modified) == 280, "CardRecBlob layout");
static_assert(sizeof(CardRec) == 2764, "CardRec layout");
static_assert(offsetof(CardRec, CName) == 32 && offsetof(CardRec, Address) == 606 && offsetof(CardRec, User9) == 1846,
              "CardRec layout");
static_assert(offsetof(CardRec, Flags) == 1898 && offsetof(CardRec, SecondText) == 1900 &&
                  offsetof(CardRec, CImage) == 2476,
              "CardRec layout");
static_assert(sizeof(CardRecV4) == 8348, "CardRecV4 layout");
static_assert(offsetof(CardRecV4, ENAME) == 56 && offsetof(CardRecV4, CNAME) == 436, "CardRecV4 layout");
static_assert(offsetof(CardRecV4, ENAME.FirstName.Text) == 56 + 108 &&
                  offsetof(CardRecV4, ENAME.SuffixName.Text) == 56 + 348,
              "CardRecV4 name group");
static_assert(offsetof(CardRecV4, Phone) == 816 && sizeof(CardPhoneGroup) == 92 &&
                  offsetof(CardPhoneGroup, PhoneType) == 60,
              "CardRecV4 phones");
static_assert(offsetof(CardRecV4, Company) == 1368 && offsetof(CardRecV4, Title) == 1808 &&
                  offsetof(CardRecV4, Department) == 2248,
              "CardRecV4 companies");
static_assert(offsetof(CardRecV4, Address) == 2568 && sizeof(CardAddressGroup) == 646 &&
                  offsetof(CardAddressGroup, POBOX.Text) == 612 && offsetof(CardAddressGroup, LangID) == 644,
              "CardRecV4 addresses");
static_assert(offsetof(CardRecV4, Fax) == 5152 && offsetof(CardRecV4, Email) == 5520 && sizeof(CardEmailGroup) == 82,
              "CardRecV4 faxes and e-mail");
static_assert(offsetof(CardRecV4, WebSite) == 5848 && offsetof(CardRecV4, UserDef) == 6168 &&
                  offsetof(CardRecV4, Note) == 6488,
              "CardRecV4 web, user and notes");
static_assert(offsetof(CardRecV4, TaxID.Text) == 7396 && offsetof(CardRecV4, Category) == 7448 &&
                  offsetof(CardRecV4, Gender) == 7480 && offsetof(CardRecV4, Flags) == 7482,
              "CardRecV4 tail");
static_assert(offsetof(CardRecV4, FrontImage) == 7484 && offsetof(CardRecV4, BackImage) == 7772 &&
                  offsetof(CardRecV4, CImage) == 8060,
              "CardRecV4 images");
