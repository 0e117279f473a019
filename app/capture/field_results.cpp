// From the engine's field identification to a card record: lines ordered by score, the
// result scored, each field kind copied into its card fields, telephone numbers sorted by
// class, and everything without a field collected in the note.
#include "field_results.h"
#include <windows.h>
#include <initializer_list>
#include <stdio.h>
#include <string.h>
#include "engine_memory.h"

namespace {

const int32_t kKindWeights[FieldKindCount] = {6,  6, 6, 6,  6, 6, 6,  6,  6, 6,                             // 0-9
                                              50, 5, 5, 50, 5, 5, 10, 10,                                   // 10-17
                                              3,  3, 3, 3,  3, 3, 3,  3,  3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3,  // 18-36
                                              6,  6, 6,                                                     // 37-39
                                              3,  3, 3, 3,  3, 3, 3,  3,  3,                                // 40-48
                                              0,  0, 0, 0};                                                 // 49-52

const char* const kPhoneLabels[] = {"Phone",    "Office Phone", "Home Phone", "Direct", "Main",   "Mobile",
                                    "Cellular", "BBCALL",       "TollFree",   "Pager",  "Beeper", "Telex"};

struct PhoneEntry {
    char Text[32];
    int16_t Class;  // -1 once placed
};

// The note and the phone list of one mapping.
struct Mapping {
    CardRec* Card;
    char* Note;
    size_t NoteLength;
    PhoneEntry Phones[10];
    int PhoneCount;

    // Without a note buffer (none could be had) the note's text is dropped, the fields kept.
    void AppendNote(const char* text) {
        if (!Note) return;
        size_t n = strlen(text);
        if (NoteLength + n >= NOTE_CAPACITY) n = NOTE_CAPACITY - 1 - NoteLength;
        memcpy(Note + NoteLength, text, n);
        NoteLength += n;
        Note[NoteLength] = 0;
    }
    // Each entry starts on a line of its own, also after the engine's note, which ends without
    // a line end of its own.
    void StartNoteEntry() {
        if (NoteLength >= 2 && Note[NoteLength - 2] == '\r' && Note[NoteLength - 1] == '\n') return;
        if (NoteLength) AppendNote("\r\n");
    }
    void AppendNoteLine(const char* text) {
        StartNoteEntry();
        AppendNote(text);
        AppendNote("\r\n");
    }
    void AddPhone(const char* text, int phoneClass) {
        if (!text[0] || PhoneCount >= 10) return;
        lstrcpynA(Phones[PhoneCount].Text, text, 31);
        Phones[PhoneCount].Class = static_cast<int16_t>(phoneClass);
        ++PhoneCount;
    }
};

void CopyCut(char* field, const char* text, size_t cut) {
    size_t n = strnlen(text, cut);
    memcpy(field, text, n);
    field[n] = 0;
}

// The value into the first empty of two fields, else into the note (as cut).
void FirstEmptyOrNote(Mapping& m, char* first, char* second, const char* text, size_t cut) {
    if (!first[0]) CopyCut(first, text, cut);
    else if (!second[0]) CopyCut(second, text, cut);
    else {
        char value[256];
        CopyCut(value, text, cut);
        m.AppendNoteLine(value);
    }
}

// Line 0 into one field, line 1 into another, any further line into the note; a line whose
// field is null goes to the note too.
void ByLine(Mapping& m, int line, char* field0, char* field1, const char* text, size_t cut) {
    if (line == 0 && field0) CopyCut(field0, text, cut);
    else if (line == 1 && field1) CopyCut(field1, text, cut);
    else m.AppendNoteLine(text);
}

int PhoneClassOfKind(int kind) {
    switch (kind) {
    case FieldPhone: return 0;
    case FieldOfficePhone: return 1;
    case FieldHomePhone: return 2;
    case FieldDirect: return 3;
    case FieldMain: return 4;
    case FieldMobile:
    case FieldGSMPhone: return 5;
    case FieldCellular: return 6;
    case FieldBBCall: return 7;
    case FieldTollFree: return 8;
    case FieldPager: return 9;
    case FieldBeeper: return 10;
    default: return -1;
    }
}

bool GoesToNote(int kind) {
    switch (kind) {
    case FieldSection:
    case FieldNone:
    case FieldHonor:
    case FieldCategory:
    case FieldExtension:
    case FieldBBS:
    case FieldMCI:
    case FieldLogoImg: return true;
    default: return false;
    }
}

// The engine's note text as it stands, every LF written as CR LF.
void AppendEngineNote(Mapping& m, const char* text) {
    m.StartNoteEntry();
    for (const char* p = text; *p; ++p) {
        char piece[3] = {*p, 0, 0};
        if (*p == '\n' && (p == text || p[-1] != '\r')) {
            piece[0] = '\r';
            piece[1] = '\n';
        }
        m.AppendNote(piece);
    }
}

void PlaceLine(Mapping& m, int kind, int line, const char* text) {
    CardRec* c = m.Card;
    int phoneClass = PhoneClassOfKind(kind);
    if (phoneClass >= 0) {
        m.AddPhone(text, phoneClass);
        return;
    }
    switch (kind) {
    case FieldName: ByLine(m, line, c->CName, c->AltName, text, 50); break;
    case FieldCompany: ByLine(m, line, c->Company, nullptr, text, 60); break;
    case FieldDepartment: ByLine(m, line, c->User5, nullptr, text, 50); break;
    case FieldTitle:
        if (line == 0) CopyCut(c->Title, text, 80);
        else ByLine(m, line, nullptr, c->User6, text, 50);
        break;
    case FieldAddress: ByLine(m, line, c->Address, c->AltAddress, text, 255); break;
    case FieldWebSite: ByLine(m, line, c->User3, c->User4, text, 50); break;
    case FieldEMail:
    case FieldAppleLink:
    case FieldCompuserve:
    case FieldAOL: FirstEmptyOrNote(m, c->EMail, c->User2, text, 50); break;
    case FieldCountry: ByLine(m, line, c->Country, c->User8, text, 20); break;
    case FieldState: ByLine(m, line, c->State, c->AltState, text, 30); break;
    case FieldCity: ByLine(m, line, c->City, c->AltCity, text, 30); break;
    case FieldZipCode: ByLine(m, line, c->Zip, c->AltZip, text, 10); break;
    case FieldFax:
    case FieldTelex:
    case FieldHomeFax:
    case FieldOfficeFax: FirstEmptyOrNote(m, c->Fax, c->User7, text, 30); break;
    case FieldTaxID: ByLine(m, line, c->CNumber, nullptr, text, 20); break;
    default:
        if (GoesToNote(kind)) m.AppendNoteLine(text);
        break;  // number, street, post-office box, guesses, name parts, birthday, logo text
    }
}

// Telephone fields from the list by class, then what is left into the note.
void PlacePhones(Mapping& m) {
    struct Target {
        char* Field;
        uint32_t Classes;  // bit per class
    } targets[] = {{m.Card->OPhone, (1u << 0) | (1u << 1) | (1u << 3) | (1u << 4) | (1u << 8)},
                   {m.Card->PPhone, (1u << 5) | (1u << 6) | (1u << 7) | (1u << 9) | (1u << 10)},
                   {m.Card->HPhone, 1u << 2}};
    for (const Target& t : targets) {
        for (int i = 0; i < m.PhoneCount && !t.Field[0]; ++i) {
            if (m.Phones[i].Class < 0 || !(t.Classes & (1u << m.Phones[i].Class))) continue;
            CopyCut(t.Field, m.Phones[i].Text, 30);
            m.Phones[i].Class = -1;
        }
    }
    for (int i = 0; i < m.PhoneCount; ++i) {
        if (m.Phones[i].Class < 0) continue;
        char line[64];
        snprintf(line, sizeof line, "%s : %s", kPhoneLabels[m.Phones[i].Class], m.Phones[i].Text);
        m.AppendNoteLine(line);
    }
}

void SwapLines(CardInfoSlot& slot, int i, int j) {
    char* text = slot.Text[i];
    slot.Text[i] = slot.Text[j];
    slot.Text[j] = text;
    CardInfoRect rect = slot.Rect[i];
    slot.Rect[i] = slot.Rect[j];
    slot.Rect[j] = rect;
    int16_t score = slot.Confidence[i];
    slot.Confidence[i] = slot.Confidence[j];
    slot.Confidence[j] = score;
}

}  // namespace

void SortFieldLinesByScore(FieldResult* result) {
    for (int k = 0; k < FieldKindCount; ++k) {
        if (k == FieldState || k == FieldCity || k == FieldZipCode) continue;
        CardInfoSlot& slot = result->Field[k];
        int count = slot.Count < 4 ? slot.Count : 4;
        for (int i = 0; i < count; ++i)
            for (int j = i + 1; j < count; ++j) {
                if (slot.Confidence[i] >= slot.Confidence[j]) continue;
                SwapLines(slot, i, j);
                if (k != FieldAddress) continue;
                // The n-th city, state and zip code stay with the n-th address.
                for (int follower : {FieldCity, FieldState, FieldZipCode}) SwapLines(result->Field[follower], i, j);
            }
    }
}

int32_t ScoreFieldResult(const FieldResult* result) {
    int32_t score = 0;
    for (int k = 0; k < FieldKindCount; ++k) {
        const CardInfoSlot& slot = result->Field[k];
        for (int i = 0; i < slot.Count && i < 4; ++i) score += slot.Confidence[i] * kKindWeights[k];
    }
    return score;
}

int FillCardRecordFromFields(CardRec* card, const FieldResult* result) {
    memset(card, 0, sizeof *card);
    Mapping m{};
    m.Card = card;
    m.Note = static_cast<char*>(OCR_malloc(NOTE_CAPACITY));
    for (int k = 0; k < FieldKindCount; ++k) {
        const CardInfoSlot& slot = result->Field[k];
        for (int i = 0; i < slot.Count && i < 4; ++i) {
            const char* text = slot.Text[i];
            if (!text) continue;
            if (k == FieldNote) {
                AppendEngineNote(m, text);
                continue;
            }
            // The lines of a multi-line value are joined by a blank.
            char line[256];
            size_t n = 0;
            for (const char* p = text; *p && n + 1 < sizeof line; ++p) {
                if (p[0] == '\r' && p[1] == '\n') {
                    line[n++] = ' ';
                    ++p;
                } else {
                    line[n++] = *p;
                }
            }
            line[n] = 0;
            PlaceLine(m, k, i, line);
        }
    }
    PlacePhones(m);
    if (m.NoteLength) {
        card->CNote.Size = static_cast<int32_t>(m.NoteLength + 1);
        card->CNote.Data = m.Note;
        card->CNote.Modified = 1;
    } else if (m.Note) {
        OCR_free(m.Note);
    }
    return 1;
}
