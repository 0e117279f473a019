// The engine's field identification mapped into a card record: what has no field of its own
// goes to the note, an entry a line; a note buffer that cannot be had leaves the fields.
#include "capture_fixture.h"
#include "engine_memory.h"
#include "field_results.h"

namespace {

// A result with the given lines per field kind (up to four each), everything else empty.
struct Lines {
    int Kind;
    std::vector<const char*> Texts;
};

FieldResult* MakeResult(const std::vector<Lines>& lines) {
    FieldResult* result = static_cast<FieldResult*>(calloc(1, sizeof(FieldResult)));
    for (const Lines& l : lines) {
        CardInfoSlot& slot = result->Field[l.Kind];
        slot.Count = static_cast<int16_t>(l.Texts.size());
        for (size_t i = 0; i < l.Texts.size(); ++i) slot.Text[i] = const_cast<char*>(l.Texts[i]);
    }
    return result;
}

std::string NoteOf(const CardRec& card) { return card.CNote.Data ? std::string(card.CNote.Data) : std::string(); }

}  // namespace

// The engine's own note ends without a line end; what follows it starts on a line of its own,
// and every entry after it ends with one. A card whose only text is the note keeps it as it is.
TEST(FieldResults, NoteEntriesEachStartOnALineOfTheirOwn) {
    const struct {
        const char* Name;
        std::vector<Lines> Result;
        std::string Note;
    } cases[] = {
        {"note, then e-mails beyond the two fields and a toll-free number beyond the office phone",
         {{FieldEMail, {"a@x.com", "b@x.com"}},
          {FieldNote, {"line1\nline2"}},
          {FieldPhone, {"555-0100"}},
          {FieldTollFree, {"800-555-0199"}},
          {FieldAOL, {"aol@x.com"}}},
         "line1\r\nline2\r\naol@x.com\r\nTollFree : 800-555-0199\r\n"},
        {"two note lines", {{FieldNote, {"first", "second\n"}}}, "first\r\nsecond\r\n"},
        {"only the note", {{FieldNote, {"a\nb"}}}, "a\r\nb"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        FieldResult* result = MakeResult(c.Result);
        CardRec card;
        ASSERT_EQ(FillCardRecordFromFields(&card, result), 1);
        EXPECT_EQ(NoteOf(card), c.Note);
        EXPECT_EQ(card.CNote.Size, static_cast<int32_t>(c.Note.size() + 1));
        OCR_free(card.CNote.Data);
        free(result);
    }
}

// Without a note buffer the fields are still filled; only the note's text is dropped.
TEST(FieldResults, ANoteBufferThatCannotBeHadKeepsTheFields) {
    FieldResult* result = MakeResult({{FieldName, {"Ann Lee"}},
                                      {FieldCompany, {"Lee & Co"}},
                                      {FieldEMail, {"ann@lee.com"}},
                                      {FieldPhone, {"555-0100", "555-0101"}},
                                      {FieldNote, {"see back"}}});
    CardRec card;
    OCR_malloc_limit(0);
    int filled = FillCardRecordFromFields(&card, result);
    OCR_malloc_limit(-1);
    EXPECT_EQ(filled, 1);
    EXPECT_STREQ(card.CName, "Ann Lee");
    EXPECT_STREQ(card.Company, "Lee & Co");
    EXPECT_STREQ(card.EMail, "ann@lee.com");
    EXPECT_STREQ(card.OPhone, "555-0100");
    EXPECT_EQ(card.CNote.Data, nullptr);
    EXPECT_EQ(card.CNote.Modified, 0);
    free(result);
}
