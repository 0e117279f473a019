// A recognised card stored as a new card of the open card file, with its image path,
// thumbnail and note, inside a transaction.
#include "capture.h"
#include "engine_memory.h"
#include "recognition.h"
#include "shell.h"
#include <stddef.h>
#include <string.h>

CardRec* TerminateCardRecordFields(CardRec* card) {
    // Every text field from CName to User9, by its offset and width.
    static const struct {
        size_t Offset, Width;
    } kFields[] = {
#define FIELD(name) {offsetof(CardRec, name), sizeof(((CardRec*)0)->name)}
        FIELD(CName),     FIELD(EName),      FIELD(Aliase),     FIELD(ComType), FIELD(Company),  FIELD(CNumber),
        FIELD(Title),     FIELD(Department), FIELD(EMail),      FIELD(OPhone),  FIELD(HPhone),   FIELD(PPhone),
        FIELD(BBCALL),    FIELD(Fax),        FIELD(Address),    FIELD(City),    FIELD(State),    FIELD(Zip),
        FIELD(Country),   FIELD(AltName),    FIELD(AltAddress), FIELD(AltCity), FIELD(AltState), FIELD(AltZip),
        FIELD(Category1), FIELD(Category2),  FIELD(User1),      FIELD(User2),   FIELD(User3),    FIELD(User4),
        FIELD(User5),     FIELD(User6),      FIELD(User7),      FIELD(User8),   FIELD(User9),
#undef FIELD
    };
    for (const auto& f : kFields) reinterpret_cast<char*>(card)[f.Offset + f.Width - 1] = 0;
    return card;
}

int InsertRecognizedCard(CardRec* candidate) {
    CardRec* card = &App.CurrentCard;
    memcpy(card, candidate, sizeof *card);
    TerminateCardRecordFields(card);
    App.NoteBuffer[0] = 0;
    if (candidate->CNote.Data) {
        lstrcpynA(App.NoteBuffer, candidate->CNote.Data, sizeof App.NoteBuffer);
        OCR_free(candidate->CNote.Data);
        candidate->CNote.Data = NULL;
    }
    card->CNote.Data = App.NoteBuffer;
    ImageRecord* image = &App.CurrentImage;
    card->CImage.Size = (int32_t)strlen(image->FileName) + 1;
    card->CImage.Data = image->FileName;
    card->CImage.Modified = 1;
    // The thumbnail name lives in a static buffer: the record points at it through the insert.
    lstrcpynA(App.StoredThumbnailName, image->FileName, sizeof App.StoredThumbnailName);
    if (WriteThumbnailFile(&image->Info, image->Pixels, App.StoredThumbnailName)) {
        card->SecondText.Modified = 1;
        card->SecondText.Size = (int32_t)strlen(App.StoredThumbnailName) + 1;
        card->SecondText.Data = App.StoredThumbnailName;
    }
    // In a transaction, so that a failed insert is undone by the rollback.
    kvStartTransation(App.Database);
    if (kvCardRecInsert(App.CardTable, card)) {
        kvCommit(App.Database);
        App.RowsUnsorted = 1;
        kvRecLast(App.CardTable);
        App.CardCount = kvTblNRecs(App.CardTable);
        App.CurrentCardNumber = App.CardCount;
    } else {
        kvRollback(App.Database);
    }
    return 1;
}
