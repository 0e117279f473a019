// The cards of a PIM link: the flat records of the card file turned into the V4 records that
// the link library works on, and the V4 records it hands back stored as new cards.
#include "shell.h"
#include "views.h"
#include "recognition.h"
#include "linkcards.h"
#include <string.h>

#define NOTE_PIECE       80
#define NOTE_SLOTS       8
#define CONVERSION_TEXT  1024
#define PHONE_SLOTS_READ 4
#define FAX_SLOTS_READ   2

// The two layouts give one field different widths: a copy never runs past either of them.
static void CopyText(char* target, size_t targetSize, const char* source, size_t sourceSize) {
    size_t n = strnlen(source, sourceSize);
    if (n >= targetSize) n = targetSize - 1;
    memcpy(target, source, n);
    target[n] = 0;
}
#define COPY_TEXT(target, source) CopyText(target, sizeof(target), source, sizeof(source))

typedef struct TYPEDFIELD {
    size_t Offset;  // of the CardRec field
    int16_t Type;
} TYPEDFIELD;

static const TYPEDFIELD kPhones[] = {{offsetof(CardRec, OPhone), 1},
                                     {offsetof(CardRec, PPhone), 5},
                                     {offsetof(CardRec, HPhone), 2},
                                     {offsetof(CardRec, BBCALL), 9}};
static const TYPEDFIELD kFaxes[] = {{offsetof(CardRec, Fax), 1}, {offsetof(CardRec, User7), 2}};
#define PHONE_FIELD_SIZE sizeof(((CardRec*)0)->OPhone)
#define FAX_FIELD_SIZE   sizeof(((CardRec*)0)->Fax)

static const char* FieldAt(const CardRec* card, size_t offset) { return (const char*)card + offset; }

// The text of a long column held in memory, or null.
static const char* BlobText(const CardRecBlob* blob, int* length) {
    if (blob->Storage != 1 || !blob->Data || blob->Size <= 0) return NULL;
    *length = (int)strnlen(blob->Data, (size_t)blob->Size);
    return blob->Data;
}

static void NoteToSlots(const CardRec* source, CardRecV4* target) {
    int length = 0;
    const char* note = BlobText(&source->CNote, &length);
    for (int slot = 0; note && slot < NOTE_SLOTS && slot * NOTE_PIECE < length; ++slot) {
        int n = length - slot * NOTE_PIECE;
        if (n > NOTE_PIECE) n = NOTE_PIECE;
        memcpy(target->Note[slot].Text, note + slot * NOTE_PIECE, n);
    }
}

void CardRecToCardRecV4(const CardRec* source, CardRecV4* target) {
    target->ID = source->ID;
    target->LinkID = source->LinkID;
    memcpy(target->CDate, source->CDate, sizeof target->CDate);
    COPY_TEXT(target->CNAME.FullName.Text, source->CName);
    COPY_TEXT(target->ENAME.FullName.Text, source->AltName);
    COPY_TEXT(target->Company[0].Text, source->Company);
    COPY_TEXT(target->Department[0].Text, source->User5);
    COPY_TEXT(target->Title[0].Text, source->Title);
    COPY_TEXT(target->Title[1].Text, source->User6);
    int slot = 0;
    if (source->EMail[0]) {
        COPY_TEXT(target->Email[slot].EmailName.Text, source->EMail);
        target->Email[slot++].EmailType = 0;
    }
    if (source->User2[0]) {
        COPY_TEXT(target->Email[slot].EmailName.Text, source->User2);
        target->Email[slot].EmailType = 1;
    }
    slot = 0;
    for (const TYPEDFIELD& phone : kPhones) {
        const char* text = FieldAt(source, phone.Offset);
        if (!text[0]) continue;
        CopyText(target->Phone[slot].PhoneNum.Text, sizeof target->Phone[slot].PhoneNum.Text, text, PHONE_FIELD_SIZE);
        target->Phone[slot++].PhoneType = phone.Type;
    }
    slot = 0;
    for (const TYPEDFIELD& fax : kFaxes) {
        const char* text = FieldAt(source, fax.Offset);
        if (!text[0]) continue;
        CopyText(target->Fax[slot].PhoneNum.Text, sizeof target->Fax[slot].PhoneNum.Text, text, FAX_FIELD_SIZE);
        target->Fax[slot++].PhoneType = fax.Type;
    }
    CardAddressGroup* first = &target->Address[0];
    COPY_TEXT(first->FullAddress.Text, source->Address);
    COPY_TEXT(first->City.Text, source->City);
    COPY_TEXT(first->State.Text, source->State);
    COPY_TEXT(first->ZipCode.Text, source->Zip);
    COPY_TEXT(first->Country.Text, source->Country);
    CardAddressGroup* second = &target->Address[1];
    COPY_TEXT(second->FullAddress.Text, source->AltAddress);
    COPY_TEXT(second->City.Text, source->AltCity);
    COPY_TEXT(second->State.Text, source->AltState);
    COPY_TEXT(second->ZipCode.Text, source->AltZip);
    COPY_TEXT(second->Country.Text, source->User8);
    COPY_TEXT(target->WebSite[0].Text, source->User3);
    COPY_TEXT(target->WebSite[1].Text, source->User4);
    COPY_TEXT(target->TaxID.Text, source->CNumber);
    COPY_TEXT(target->UserDef[0].Text, source->Category1);
    COPY_TEXT(target->UserDef[1].Text, source->Category2);
    NoteToSlots(source, target);
}

static void SetBlobText(CardRecBlob* blob, char* text) {
    if (!text[0]) return;
    blob->Modified = 1;
    blob->Kind = 1;
    blob->Storage = 1;
    blob->Size = (int32_t)strlen(text) + 1;
    blob->Data = text;
}

// A CardRec made from a V4 record points its long columns into static buffers until the next one.
static void SlotsToNote(const CardRecV4* source, CardRec* target) {
    static char JoinedNote[CONVERSION_TEXT];
    JoinedNote[0] = 0;
    for (int slot = 0; slot < NOTE_SLOTS; ++slot) {
        char piece[sizeof source->Note[0].Text];
        COPY_TEXT(piece, source->Note[slot].Text);
        if (!piece[0]) continue;
        if (strlen(JoinedNote) + strlen(piece) + 3 > sizeof JoinedNote) break;
        strcat(JoinedNote, piece);
        strcat(JoinedNote, "\r\n");
    }
    SetBlobText(&target->CNote, JoinedNote);
}

static char* PhoneFieldOfType(CardRec* card, const TYPEDFIELD* fields, int count, int16_t type) {
    for (int i = 0; i < count; ++i)
        if (fields[i].Type == type) return (char*)card + fields[i].Offset;
    return NULL;
}

void CardRecV4ToCardRec(const CardRecV4* source, CardRec* target) {
    static char FrontImageName[CONVERSION_TEXT], BackImageName[CONVERSION_TEXT];
    target->ID = source->ID;
    target->LinkID = source->LinkID;
    memcpy(target->CDate, source->CDate, sizeof target->CDate);
    COPY_TEXT(target->CName, source->CNAME.FullName.Text);
    COPY_TEXT(target->AltName, source->ENAME.FullName.Text);
    COPY_TEXT(target->Company, source->Company[0].Text);
    COPY_TEXT(target->User5, source->Department[0].Text);
    COPY_TEXT(target->Title, source->Title[0].Text);
    COPY_TEXT(target->User6, source->Title[1].Text);
    COPY_TEXT(target->EMail, source->Email[0].EmailName.Text);
    COPY_TEXT(target->User2, source->Email[1].EmailName.Text);
    for (int i = 0; i < PHONE_SLOTS_READ; ++i) {
        char* field = PhoneFieldOfType(target, kPhones, 4, source->Phone[i].PhoneType);
        if (field && source->Phone[i].PhoneNum.Text[0])
            CopyText(field, PHONE_FIELD_SIZE, source->Phone[i].PhoneNum.Text, sizeof source->Phone[i].PhoneNum.Text);
    }
    for (int i = 0; i < FAX_SLOTS_READ; ++i) {
        char* field = PhoneFieldOfType(target, kFaxes, 2, source->Fax[i].PhoneType);
        if (field && source->Fax[i].PhoneNum.Text[0])
            CopyText(field, FAX_FIELD_SIZE, source->Fax[i].PhoneNum.Text, sizeof source->Fax[i].PhoneNum.Text);
    }
    const CardAddressGroup* first = &source->Address[0];
    COPY_TEXT(target->Address, first->FullAddress.Text);
    COPY_TEXT(target->City, first->City.Text);
    COPY_TEXT(target->State, first->State.Text);
    COPY_TEXT(target->Zip, first->ZipCode.Text);
    COPY_TEXT(target->Country, first->Country.Text);
    const CardAddressGroup* second = &source->Address[1];
    COPY_TEXT(target->AltAddress, second->FullAddress.Text);
    COPY_TEXT(target->AltCity, second->City.Text);
    COPY_TEXT(target->AltState, second->State.Text);
    COPY_TEXT(target->AltZip, second->ZipCode.Text);
    COPY_TEXT(target->User8, second->Country.Text);
    COPY_TEXT(target->User3, source->WebSite[0].Text);
    COPY_TEXT(target->User4, source->WebSite[1].Text);
    COPY_TEXT(target->CNumber, source->TaxID.Text);
    COPY_TEXT(target->Category1, source->UserDef[0].Text);
    COPY_TEXT(target->Category2, source->UserDef[1].Text);
    SlotsToNote(source, target);
    COPY_TEXT(FrontImageName, source->FrontImage.FileName);
    SetBlobText(&target->CImage, FrontImageName);
    COPY_TEXT(BackImageName, source->BackImage.FileName);
    SetBlobText(&target->SecondText, BackImageName);
    TerminateCardRecordFields(target);
}

// Which cards go to the PIM: all of them unless the target sends only the selection and
// does not read from the PIM; then the Card List's selected rows, or the current card. The
// options are those of the target the link runs with, whatever the Link button shows.
static int FillLinkCards(CardRecV4* cards, int target) {
    if (App.DataOptions[target] != 2 || App.LinkDirection[target] >= 2) {
        static CardRec card;
        for (int i = 1; i <= App.CardCount; ++i) {
            memset(&card, 0, sizeof card);
            kvRecGoto(App.CardTable, i);
            kvCardRecGet(App.CardTable, &card, 0);
            CardRecToCardRecV4(&card, &cards[i - 1]);
        }
        return App.CardCount;
    }
    if (App.ViewMode == VIEW_CARD_LIST && App.Views.CardList) {
        int selected = (int)SendMessageA(App.Views.CardList, LVM_GETSELECTEDCOUNT, 0, 0), n = 0;
        int row = -1;
        static CardRec card;
        while (n < selected && n < App.CardCount &&
               (row = (int)SendMessageA(App.Views.CardList, LVM_GETNEXTITEM, row, LVNI_SELECTED)) >= 0) {
            memset(&card, 0, sizeof card);
            if (!FindCardById(CardListRowId(row)) || kvCardRecGet(App.CardTable, &card, 0) != 1) continue;
            CardRecToCardRecV4(&card, &cards[n++]);
        }
        return n;
    }
    CardRecToCardRecV4(&App.CurrentCard, &cards[0]);
    return 1;
}

int BuildLinkCardArray(int linkType, CardRecV4** cards, int* count) {
    *count = 0;
    *cards = AllocLinkCards(App.CardCount > 0 ? App.CardCount : 0);
    if (!*cards) return 0;
    if (App.CardCount > 0) *count = FillLinkCards(*cards, linkType);
    return *count >= 1;
}

// Reads the current card again, or card 1 when the table no longer holds it.
void RereadCurrentCard(void) {
    App.CardCount = kvTblNRecs(App.CardTable);
    if (App.CardCount < 1) {
        App.CardCount = 0;
        return;
    }
    if (App.CurrentCardNumber == -1) App.CurrentCardNumber = 0;
    ReturnToCurrentCardOrFirst();
}

int InsertLinkedCards(const CardRecV4* cards, int count) {
    static CardRec card;
    int stored = 1;
    kvRecLast(App.CardTable);
    for (int i = 0; i < count; ++i) {
        if (cards[i].Flags != CARDRECV4_FLAG_NEW) continue;
        memset(&card, 0, sizeof card);
        CardRecV4ToCardRec(&cards[i], &card);
        kvStartTransation(App.Database);
        if (kvCardRecInsert(App.CardTable, &card) != 1 || kvCommit(App.Database) != 1) {
            kvRollback(App.Database);
            stored = 0;
            break;
        }
        App.RowsUnsorted = 1;
        kvRecLast(App.CardTable);
        App.CardCount = kvTblNRecs(App.CardTable);
        TakeCardAtPosition();  // the last card linked in becomes current
    }
    RereadCurrentCard();
    return stored;
}
