#include "card_rec_convert.h"
#include "card_converters.h"
#include "card_text.h"
#include <stddef.h>
#include <string.h>

namespace ferrow {

namespace {

// One text that both layouts carry: where it lies in each record and how much each keeps.
struct SharedText {
    size_t v3Offset, v3Width;  // width includes the terminator
    size_t v4Offset, v4Keep;   // characters the V4 item keeps
};

#define V3(field)      offsetof(CardRec, field), sizeof(CardRec::field)
#define V4(unit, keep) offsetof(CardRecV4, unit.Text), keep

const SharedText kSharedTexts[] = {
    {V3(CName), V4(CNAME.FullName, 50)},
    {V3(AltName), V4(ENAME.FullName, 50)},
    {V3(Company), V4(Company[0], 80)},
    {V3(Title), V4(Title[0], 80)},
    {V3(User6), V4(Title[1], 80)},
    {V3(Department), V4(Department[0], 50)},
    {V3(EMail), V4(Email[0].EmailName, 50)},
    {V3(User2), V4(Email[1].EmailName, 50)},
    {V3(OPhone), V4(Phone[0].PhoneNum, 30)},
    {V3(HPhone), V4(Phone[1].PhoneNum, 30)},
    {V3(PPhone), V4(Phone[2].PhoneNum, 30)},
    {V3(BBCALL), V4(Phone[3].PhoneNum, 30)},
    {V3(Fax), V4(Fax[0].PhoneNum, 30)},
    {V3(User7), V4(Fax[1].PhoneNum, 30)},
    {V3(Address), V4(Address[0].FullAddress, 255)},
    {V3(City), V4(Address[0].City, 30)},
    {V3(State), V4(Address[0].State, 30)},
    {V3(Zip), V4(Address[0].ZipCode, 10)},
    {V3(Country), V4(Address[0].Country, 30)},
    {V3(AltAddress), V4(Address[1].FullAddress, 255)},
    {V3(AltCity), V4(Address[1].City, 30)},
    {V3(AltState), V4(Address[1].State, 30)},
    {V3(AltZip), V4(Address[1].ZipCode, 10)},
    {V3(User8), V4(Address[1].Country, 30)},
    {V3(User3), V4(WebSite[0], 50)},
    {V3(User4), V4(WebSite[1], 50)},
    {V3(CNumber), V4(TaxID, 50)},
};

#undef V3
#undef V4

constexpr size_t kNoteLine = 80;

void CopyHeader(const void* source, void* target) {
    // ID, LinkID and CDate lie at the same place in both records.
    memcpy(target, source, offsetof(CardRec, CName));
}

// The text a descriptor holds in memory, bounded by its size; empty when it holds none.
size_t BlobText(const CardRecBlob& blob, const char** text) {
    *text = blob.Data;
    if (blob.Size <= 0 || !blob.Data) return 0;
    return strnlen(blob.Data, static_cast<size_t>(blob.Size));
}

void BlobToName(const CardRecBlob& source, CardRecBlob& target) {
    const char* text;
    size_t length = BlobText(source, &text);
    if (!length) return;
    CopyField(target.FileName, sizeof(target.FileName) - 1, text, length);
    target.Modified = 1;
}

// Cuts the note into lines of at most 80 bytes, never inside a double-byte character.
void NoteToLines(const CardRecBlob& note, CardRecV4& target) {
    const char* text;
    size_t length = BlobText(note, &text);
    size_t pos = 0;
    for (int line = 0; line < 8 && pos < length; ++line) {
        size_t piece = CutLength(text + pos, length - pos < kNoteLine ? length - pos : kNoteLine);
        if (!piece) break;
        memcpy(target.Note[line].Text, text + pos, piece);
        target.Note[line].Text[piece] = '\0';
        pos += piece;
    }
}

// The library-wide places a converted V3 record's descriptors point into.
char g_noteBuffer[1024];
char g_imageName[256];
char g_thumbName[256];

void NameToBlob(const char* name, char* buffer, size_t bufferSize, CardRecBlob& blob, int kind) {
    CopyField(buffer, bufferSize - 1, name, 256);
    if (!buffer[0]) return;
    blob.Kind = kind;
    blob.Storage = 1;
    blob.Size = static_cast<int32_t>(strlen(buffer) + 1);
    blob.Data = buffer;
    blob.Modified = 1;
}

}  // namespace

void CardRecV3ToV4(const CardRec& source, CardRecV4& target) {
    CopyHeader(&source, &target);
    const char* v3 = reinterpret_cast<const char*>(&source);
    char* v4 = reinterpret_cast<char*>(&target);
    for (const SharedText& t : kSharedTexts) CopyField(v4 + t.v4Offset, t.v4Keep, v3 + t.v3Offset, t.v3Width);
    target.Email[0].EmailType = 0;
    target.Email[1].EmailType = 0;
    NoteToLines(source.CNote, target);
    BlobToName(source.CImage, target.FrontImage);
    BlobToName(source.SecondText, target.BackImage);
    TerminateCardRecV4Fields(target);
}

void CardRecV4ToV3(const CardRecV4& source, CardRec& target) {
    CopyHeader(&source, &target);
    const char* v4 = reinterpret_cast<const char*>(&source);
    char* v3 = reinterpret_cast<char*>(&target);
    for (const SharedText& t : kSharedTexts) CopyField(v3 + t.v3Offset, t.v3Width - 1, v4 + t.v4Offset, t.v4Keep + 1);

    g_noteBuffer[0] = '\0';
    size_t used = 0;
    for (const auto& line : source.Note) {
        size_t length = strnlen(line.Text, kNoteLine);
        if (!length) continue;
        memcpy(g_noteBuffer + used, line.Text, length);
        used += length;
        g_noteBuffer[used++] = '\r';
        g_noteBuffer[used++] = '\n';
    }
    g_noteBuffer[used] = '\0';
    if (used) {
        target.CNote.Kind = 1;
        target.CNote.Storage = 1;
        target.CNote.Size = static_cast<int32_t>(used + 1);
        target.CNote.Data = g_noteBuffer;
        target.CNote.Modified = 1;
    }
    NameToBlob(source.FrontImage.FileName, g_imageName, sizeof(g_imageName), target.CImage, 2);
    NameToBlob(source.BackImage.FileName, g_thumbName, sizeof(g_thumbName), target.SecondText, 1);
    TerminateCardRecFields(target);
}

}  // namespace ferrow
