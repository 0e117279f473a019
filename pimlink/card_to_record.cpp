// Card to exchange record: each mapped slot's text goes to the PIM field its map word names.
#include "card_converters.h"
#include "card_text.h"
#include "exchange_layouts.h"
#include <stdio.h>
#include <string.h>
#include <string>

namespace ferrow {

namespace {

// The longest text a slot hands over (the joined notes are the longest).
constexpr size_t kWorkText = 271;

struct TargetRules {
    int maxId;
    ExchangeField (*field)(int id);
    bool trims;          // leading and trailing blanks removed
    bool joinsLines;     // CR LF becomes one blank
    bool readsNickname;  // slot 6 has a source
    bool carriesNotes;   // slot 65 has a source
};

class CRecordWriter {
public:
    CRecordWriter(const TargetRules& rules, char* record, const CardRecV4& card)
        : rules_(rules), record_(record), card_(card) {}
    virtual ~CRecordWriter() = default;

    void Write(const FieldMap& map) {
        for (int s = 0; s < SlotCount; ++s) {
            int id = map.id[s];
            if (!id || id > rules_.maxId || id < 1) continue;
            char text[kWorkText + 1] = "";
            if (!SourceText(s, text) || !text[0]) continue;
            if (rules_.trims) TrimBlanks(text);
            if (rules_.joinsLines) JoinLines(text);
            if (text[0]) Put(id, text);
        }
    }

protected:
    virtual void Put(int id, const char* text) {
        ExchangeField f = rules_.field(id);
        if (f.offset) CopyCut(record_ + f.offset, text, f.width);
    }
    char* record_at(int offset) { return record_ + offset; }
    const CardRecV4& card() const { return card_; }

private:
    bool SourceText(int slot, char* text) {
        int width = 0;
        if (const char* field = SlotText(card_, slot, &width)) {
            if (slot >= 7 && slot <= 11) return false;
            if (slot == SlotName2 && !rules_.readsNickname) return false;
            CopyField(text, kWorkText, field, width + 1);
            return true;
        }
        TypedSlot typed = TypedSlotOf(slot);
        if (typed.list != ListKind::None) return TakeTyped(typed, text);
        if (slot == SlotNotes && rules_.carriesNotes) {
            JoinNotes(text);
            return true;
        }
        if (slot == SlotDate) {
            snprintf(text, kWorkText + 1, "%d/%d/%d", static_cast<int>(card_.CDate[0]),
                     static_cast<int>(card_.CDate[1]), static_cast<int>(card_.CDate[2]));
            return true;
        }
        return false;
    }

    // The first entry of the slot's type that this record has not used yet; an empty one gives
    // no text, so an empty office phone never sends the home number out in its place.
    bool TakeTyped(const TypedSlot& typed, char* text) {
        CardRecV4& card = const_cast<CardRecV4&>(card_);
        bool* used = typed.list == ListKind::Phone ? phoneUsed_ : typed.list == ListKind::Fax ? faxUsed_ : emailUsed_;
        ListEntry entry;
        for (int i = 0; ListEntryOf(card, typed.list, i, &entry); ++i) {
            if (used[i] || !TypeMatches(typed, *entry.type)) continue;
            used[i] = true;
            CopyField(text, kWorkText, entry.text, entry.width + 1);
            return true;
        }
        return false;
    }

    // The note lines up to the last one that holds text, a line feed between two of them.
    void JoinNotes(char* text) {
        int last = -1;
        for (int i = 0; i < 8; ++i)
            if (card_.Note[i].Text[0]) last = i;
        std::string joined;
        for (int i = 0; i <= last; ++i) {
            if (i) joined += '\n';
            joined.append(card_.Note[i].Text, strnlen(card_.Note[i].Text, 80));
        }
        CopyCut(text, joined.c_str(), kWorkText);
    }

    const TargetRules& rules_;
    char* record_;
    const CardRecV4& card_;
    bool phoneUsed_[6] = {};
    bool faxUsed_[4] = {};
    bool emailUsed_[4] = {};
};

class CPalmWriter : public CRecordWriter {
public:
    using CRecordWriter::CRecordWriter;

private:
    // Phone ids share five entries: each written phone takes the next free one with its label.
    void Put(int id, const char* text) override {
        if (!IsPalmPhoneId(id)) return CRecordWriter::Put(id, text);
        if (nextPhone_ >= kPalmPhoneEntries) return;
        CopyCut(record_at(kPalmPhoneOffset + kPalmPhoneStride * nextPhone_), text, 30);
        int16_t label = static_cast<int16_t>(id - 10);
        memcpy(record_at(kPalmLabelOffset + 2 * nextPhone_), &label, 2);
        ++nextPhone_;
    }
    int nextPhone_ = 0;
};

class CActWriter : public CRecordWriter {
public:
    using CRecordWriter::CRecordWriter;

private:
    void Put(int id, const char* text) override {
        if (id == kActDateId) return PutDate();
        ExchangeField f = ActField(id);
        if (!f.offset) return;
        CopyIntoRoom(record_at(f.offset), text, f.width);
    }

    void PutDate() {
        const int16_t words[3] = {static_cast<int16_t>(card().CDate[0]), static_cast<int16_t>(card().CDate[1]),
                                  static_cast<int16_t>(card().CDate[2])};
        memcpy(record_at(kActDateYear), &words[0], 2);
        memcpy(record_at(kActDateMonth), &words[1], 2);
        memcpy(record_at(kActDateDay), &words[2], 2);
    }
};

const TargetRules kCeRules{46, CeField, false, true, false, true};
const TargetRules kOutlookRules{50, OutlookField, true, false, true, false};
const TargetRules kWabRules{30, WabField, true, false, false, false};
const TargetRules kPalmRules{22, PalmField, false, false, false, true};
const TargetRules kActRules{60, ActField, false, false, false, true};

}  // namespace

void CardToCeRecord(char* record, const CardRecV4& card, const FieldMap& map) {
    CRecordWriter(kCeRules, record, card).Write(map);
}
void CardToOutlook(char* record, const CardRecV4& card, const FieldMap& map) {
    CRecordWriter(kOutlookRules, record, card).Write(map);
}
void CardToWab(char* record, const CardRecV4& card, const FieldMap& map) {
    CRecordWriter(kWabRules, record, card).Write(map);
}
void CardToPalm(char* record, const CardRecV4& card, const FieldMap& map) {
    CPalmWriter(kPalmRules, record, card).Write(map);
}
void CardToAct(char* record, const CardRecV4& card, const FieldMap& map) {
    CActWriter(kActRules, record, card).Write(map);
}

}  // namespace ferrow
