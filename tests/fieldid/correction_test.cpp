// The word-list correction mends misread words and leaves correct words as printed.
#include <gtest/gtest.h>
#include "parsel_fixture.h"

namespace {

struct Misreading {
    const char* printed;
    const char* meant;
    bool title;  // a title word (else a company word)
};

#include "correction_words.inc"

// Whether any value of the card reads exactly `text`.
bool anyValueIs(const CardInfo& info, const std::string& text) {
    for (int kind = 0; kind < FieldKindCount; ++kind)
        for (const std::string& v : values(info, kind))
            if (trimmed(v) == text) return true;
    return false;
}

// A card per word: once in a title line and once in a company line, in the card's language.
struct Language {
    int kind;
    const char* name;
    const char* titleWord;
    const char* companyForm;
    const char* phone;
};

class CorrectionTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(p.ready()); }

    template <size_t N>
    void expectUnchanged(const Language& l, const char* const (&words)[N]) {
        for (const char* word : words) {
            std::string title = std::string(l.titleWord) + " " + word;
            std::string company = std::string(word) + " " + l.companyForm;
            ASSERT_EQ(p.identify({l.name, title, company, l.phone}, l.kind, info), 1);
            EXPECT_TRUE(anyValueIs(info, title)) << title << " / title: " << first(info, FieldTitle);
            EXPECT_TRUE(anyValueIs(info, company)) << company << " / company: " << first(info, FieldCompany);
        }
    }

    Parsel p;
    CardInfo info{};
};

TEST_F(CorrectionTest, CorrectWordsNearListWordsStayAsPrinted) {
    const Language english = {0, "John Smith", "Manager", "Inc.", "Phone 555-123-4567"};
    const Language german = {2, "Hans Weber", "Leiter", "GmbH", "Telefon 040 123456"};
    const Language french = {5, "Jean Dupont", "Directeur", "S.A.", "T\xE9l. 01 42 60 30 30"};
    expectUnchanged(english, kEnglishWords);
    expectUnchanged(german, kGermanWords);
    expectUnchanged(french, kFrenchWords);
}

TEST_F(CorrectionTest, MisreadListWordsAreMended) {
    for (const Misreading& m : kMisreadings) {
        std::string printed = m.title ? std::string("Manager ") + m.printed : std::string(m.printed) + " Inc.";
        std::string meant = m.title ? std::string("Manager ") + m.meant : std::string(m.meant) + " Inc.";
        ASSERT_EQ(p.identify({"John Smith", printed, "Phone 555-123-4567"}, 0, info), 1);
        EXPECT_TRUE(anyValueIs(info, meant))
            << printed << " -> title " << first(info, FieldTitle) << ", company " << first(info, FieldCompany);
    }
}

// The Part's own examples, and the words a loose correction turned into list words.
TEST_F(CorrectionTest, ExamplesOfTheWordLists) {
    struct Case {
        std::vector<std::string> lines;
        int kind;
        const char* value;
        int language = 0;
    };
    const Case cases[] = {
        {{"John Smith", "Sales Manaqer"}, FieldTitle, "Sales Manager"},
        {{"John Smith", "Accountani", "Acme Inc."}, FieldTitle, "Accountant"},
        // Made by hand: a last letter printed twice is 90 or more similar to the entry and no
        // form of the word.
        {{"Jane Doe", "Senior Accountantt", "Acme Widgets Inc"}, FieldTitle, "Senior Accountant"},
        {{"John Smith", "Sales Managerr", "Acme Inc."}, FieldTitle, "Sales Manager"},
        // Made by hand: one letter dropped or changed anywhere in the word leaves it 85 to 90 similar
        // to the entry (MANAGR and MANAGER: one edit in seven letters).
        {{"John Smith", "Sales Managr", "Acme Inc."}, FieldTitle, "Sales Manager"},
        {{"Jane Doe", "Senior Acountant", "Acme Widgets Inc"}, FieldTitle, "Senior Accountant"},
        {{"John Smith", "Senior Consultamt", "Acme Inc."}, FieldTitle, "Senior Consultant"},
        // Left as printed: below 80 (MNGR and MANAGER: three edits in seven letters), and words that
        // are another form of an entry 80 to 99 similar (MECHANICAL and MECHANIC, PHOTOGRAPHY and
        // PHOTOGRAPHER).
        {{"John Smith", "Sales Mngr", "Acme Inc."}, FieldTitle, "Sales Mngr"},
        {{"John Smith", "Mechanical Engineer", "Acme Inc."}, FieldTitle, "Mechanical Engineer"},
        {{"John Smith", "Photography Director", "Acme Inc."}, FieldTitle, "Photography Director"},
        {{"Acme Computer Systems Inc.", "John Smith", "Network Engineer"}, FieldCompany, "Acme Computer Systems Inc."},
        {{"Acme Computer Systems Inc.", "John Smith", "Network Engineer"}, FieldTitle, "Network Engineer"},
        {{"John Smith", "Board of Directors", "Acme Inc."}, FieldTitle, "Board of Directors"},
        {{"John Smith", "Managing Partners", "Acme Inc."}, FieldTitle, "Managing Partners"},
        {{"John Smith", "Head Chef", "Acme Restaurant Inc."}, FieldTitle, "Head Chef"},
        // A correct city of another list is not taken for a misread small town.
        {{"Luca Moretti", "Via Roma 15", "20122 Milano", "Tel. 02 1234567"}, FieldCity, "Milano", 8},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(p.identify(c.lines, c.language, info), 1);
        EXPECT_TRUE(anyValueIs(info, c.value)) << c.value << " / got " << first(info, c.kind);
    }
}

}  // namespace
