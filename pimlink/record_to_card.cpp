// Exchange record to card: each mapped slot is filled from the PIM field its map word names.
#include "card_converters.h"
#include "card_text.h"
#include "exchange_layouts.h"
#include <string.h>

namespace ferrow {

namespace {

struct SourceRules {
    int maxId;
    ExchangeField (*field)(int id);
    bool palmPhones;
};

class CCardFiller {
public:
    CCardFiller(const SourceRules& rules, const char* record, CardRecV4& card)
        : rules_(rules), record_(record), card_(card) {}

    void Fill(const FieldMap& map) {
        for (int s = 0; s < SlotCount; ++s) {
            int id = map.id[s];
            if (id < 1 || id > rules_.maxId || !Receives(s)) continue;
            char text[256] = "";
            ReadText(id, text);
            if (text[0]) Store(s, text);
        }
        TerminateCardRecV4Fields(card_);
    }

private:
    static bool Receives(int slot) { return slot <= 70 && !(slot >= 6 && slot <= 11) && slot != SlotCategories; }

    void ReadText(int id, char* text) {
        if (rules_.palmPhones && IsPalmPhoneId(id)) return ReadPalmPhone(id, text);
        ExchangeField f = rules_.field(id);
        if (f.offset) CopyField(text, f.width, record_ + f.offset, f.width + 1);
    }

    // The first phone entry labelled with the id's code that no earlier id of this call took.
    void ReadPalmPhone(int id, char* text) {
        for (int k = 0; k < kPalmPhoneEntries; ++k) {
            int16_t label;
            memcpy(&label, record_ + kPalmLabelOffset + 2 * k, 2);
            if (palmTaken_[k] || label != id - 10) continue;
            palmTaken_[k] = true;
            CopyField(text, 30, record_ + kPalmPhoneOffset + kPalmPhoneStride * k, 31);
            return;
        }
    }

    void Store(int slot, const char* text) {
        int width = 0;
        if (char* field = SlotText(card_, slot, &width)) return CopyCut(field, text, width);
        TypedSlot typed = TypedSlotOf(slot);
        if (typed.list != ListKind::None) return StoreTyped(typed, text);
        if (slot == SlotNotes && nextNote_ < 8) CopyCut(card_.Note[nextNote_++].Text, text, 80);
    }

    void StoreTyped(const TypedSlot& typed, const char* text) {
        int& next = typed.list == ListKind::Phone ? nextPhone_ : typed.list == ListKind::Fax ? nextFax_ : nextEmail_;
        ListEntry entry;
        if (!ListEntryOf(card_, typed.list, next, &entry)) return;
        ++next;
        CopyCut(entry.text, text, entry.width);
        *entry.type = typed.type;
    }

    const SourceRules& rules_;
    const char* record_;
    CardRecV4& card_;
    bool palmTaken_[kPalmPhoneEntries] = {};
    int nextPhone_ = 0, nextFax_ = 0, nextEmail_ = 0, nextNote_ = 0;
};

const SourceRules kOutlookSource{50, OutlookReadField, false};
const SourceRules kWabSource{32, WabField, false};
const SourceRules kPalmSource{22, PalmField, true};
const SourceRules kActSource{59, ActField, false};

}  // namespace

void OutlookToCard(const char* record, CardRecV4& card, const FieldMap& map) {
    CCardFiller(kOutlookSource, record, card).Fill(map);
}
void WabToCard(const char* record, CardRecV4& card, const FieldMap& map) {
    CCardFiller(kWabSource, record, card).Fill(map);
}
void PalmToCard(const char* record, CardRecV4& card, const FieldMap& map) {
    CCardFiller(kPalmSource, record, card).Fill(map);
}
void ActToCard(const char* record, CardRecV4& card, const FieldMap& map) {
    CCardFiller(kActSource, record, card).Fill(map);
}

}  // namespace ferrow
