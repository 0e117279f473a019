// The five exports through their names: edge cases, bad input and the debug-log contract.
#include <gtest/gtest.h>
#include <string.h>
#include "parsel_fixture.h"

namespace {

class ParselTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(p.ready()); }
    Parsel p;
    CardInfo info{};
};

TEST_F(ParselTest, NullPointersAreRefused) {
    char buffer[64] = "x";
    char a[64], b[64], c[64], d[64], e[64];
    EXPECT_EQ(p.fromPage(nullptr, &info, 0), 0);
    PageBuilder page;
    page.addLine("John Smith", 10);
    EXPECT_EQ(p.fromPage(page.page(), nullptr, 0), 0);
    EXPECT_EQ(p.fromStrings(nullptr, 128, 1, &info, 0), 0);
    EXPECT_EQ(p.fromStrings(buffer, 128, 1, nullptr, 0), 0);
    EXPECT_EQ(p.fromStrings(buffer, 0, 1, &info, 0), 0);
    EXPECT_EQ(p.fromStrings(buffer, 64, 0, &info, 0), 0);
    EXPECT_EQ(p.separateAddr(nullptr, a, b, c, d, e, 0), 0);
    EXPECT_EQ(p.separateAddr("Boston", a, b, c, d, nullptr, 0), 0);
    EXPECT_EQ(p.separateName(nullptr, a, b, c, d, e), 0);
    EXPECT_EQ(p.separateName(buffer, a, b, nullptr, d, e), 0);
    EXPECT_EQ(p.recheck(nullptr), 0);
    for (const CardInfoSlot& slot : info.Field) EXPECT_EQ(slot.Count, 0);
}

TEST_F(ParselTest, PageWithoutRegionsIsRefusedAndEmptyRegionListLoadsNothing) {
    PageBuilder none;
    EXPECT_EQ(p.fromPage(none.pageWithoutRegions(), &info, 0), 0);
    PageBuilder empty;
    EXPECT_EQ(p.fromPage(empty.page(), &info, 0), 1);
    for (const CardInfoSlot& slot : info.Field) EXPECT_EQ(slot.Count, 0);
}

TEST_F(ParselTest, ThirtyOneLinesLoadThirtyTwoFail) {
    std::vector<std::string> lines(31, "Line of text");
    EXPECT_EQ(p.identify(lines, 0, info), 1);
    lines.push_back("One too many");
    EXPECT_EQ(p.identify(lines, 0, info), 0);
    for (const CardInfoSlot& slot : info.Field) EXPECT_EQ(slot.Count, 0);

    PageBuilder page31, page32;
    for (int i = 0; i < 31; ++i) page31.addLine("Line of text", 30 * i);
    for (int i = 0; i < 32; ++i) page32.addLine("Line of text", 30 * i);
    CardInfo fresh{};
    EXPECT_EQ(p.fromPage(page31.page(), &fresh, 0), 1);
    CardInfo untouched{};
    EXPECT_EQ(p.fromPage(page32.page(), &untouched, 0), 0);
    for (const CardInfoSlot& slot : untouched.Field) EXPECT_EQ(slot.Count, 0);
}

TEST_F(ParselTest, LongLinesAndHighBytesNeverOverrun) {
    std::string high;
    for (int b = 0x80; b <= 0xFF; ++b) high += static_cast<char>(b);
    std::vector<std::string> lines = {
        std::string(127, 'A'), std::string(500, 'b'), high, high + high, "\xE4\xF6\xFC \xDF\xE9 \x95 \xAB\xBB",
        "ACME\xA9 Inc \xAE"};
    // A stride of 600 lets a 500-byte source line through to the loader.
    std::string block(lines.size() * 600, '\0');
    for (size_t i = 0; i < lines.size(); ++i) lines[i].copy(&block[i * 600], 599);
    for (int kind : {0, 1, 2, 4, 5, 7, 8, 9, 10}) {
        CardInfo out{};
        ASSERT_EQ(p.fromStrings(block.data(), 600, static_cast<int32_t>(lines.size()), &out, kind), 1) << kind;
        for (const CardInfoSlot& slot : out.Field) {
            ASSERT_GE(slot.Count, 0);
            ASSERT_LE(slot.Count, 4);
            for (int i = 0; i < slot.Count; ++i)
                if (slot.Text[i]) {
                    EXPECT_LT(strlen(slot.Text[i]), 128u);
                }
        }
    }
    PageBuilder page;
    page.addLine(std::string(500, 'x'), 10);
    page.addLine(high, 40, 3);
    CardInfo out{};
    EXPECT_EQ(p.fromPage(page.page(), &out, 0), 1);
}

TEST_F(ParselTest, AllBlankCardGivesOnlyNoneValues) {
    EXPECT_EQ(p.identify({"   ", "", "     "}, 0, info), 1);
    for (int k = 0; k < FieldKindCount; ++k) {
        if (k == FieldNone) continue;
        EXPECT_EQ(info.Field[k].Count, 0) << k;
    }
    ASSERT_EQ(info.Field[FieldNone].Count, 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_STREQ(info.Field[FieldNone].Text[i], "");
        EXPECT_EQ(info.Field[FieldNone].Confidence[i], 4);
    }
}

TEST_F(ParselTest, ValuesAreAppendedBehindExistingCountsWhichAreClamped) {
    CardInfo out{};
    out.Field[FieldCompany].Count = 3;
    out.Field[FieldPhone].Count = 99;
    out.Field[FieldName].Count = -7;
    std::string block(3 * 128, '\0');
    std::string lines[] = {"ACME Corporation Inc.", "Phone: 555-123-4567", "Mary Johnson"};
    for (int i = 0; i < 3; ++i) lines[i].copy(&block[i * 128], 127);
    ASSERT_EQ(p.fromStrings(block.data(), 128, 3, &out, 0), 1);
    EXPECT_EQ(out.Field[FieldCompany].Count, 4);
    EXPECT_STREQ(out.Field[FieldCompany].Text[3], "ACME Corporation Inc.");
    EXPECT_EQ(out.Field[FieldPhone].Count, 4);
    EXPECT_EQ(out.Field[FieldName].Count, 1);
}

struct SplitCase {
    const char* line;
    std::vector<std::string> phones;
    std::vector<std::string> faxes;
};

TEST_F(ParselTest, BlankRunsAndServiceLabelsSplitContactLines) {
    const SplitCase cases[] = {
        {"Tel: 555 1234    Fax: 555 1235", {"5551234"}, {"5551235"}},
        {"Phone: 555 1234 Fax 555 1235", {"5551234"}, {"5551235"}},
        {"Tel 555-1234 / 555-1235", {"555-1234", "555-1235"}, {}},
    };
    for (const SplitCase& c : cases) {
        ASSERT_EQ(p.identify({"Mary Johnson", c.line}, 0, info), 1) << c.line;
        EXPECT_EQ(values(info, FieldPhone), c.phones) << c.line;
        EXPECT_EQ(values(info, FieldFax), c.faxes) << c.line;
    }
}

TEST_F(ParselTest, LabelLineWithWideGapStaysWhole) {
    ASSERT_EQ(p.identify({"Mary Johnson", "TEL      555 1234"}, 0, info), 1);
    EXPECT_EQ(values(info, FieldPhone), std::vector<std::string>{"5551234"});
}

TEST_F(ParselTest, PageLoadingMarksUncertainCharactersAndSplitsAtLabels) {
    PageBuilder page;
    page.addLine("Mary Johnson", 10);
    page.addLine("Phone: 555 1234 Fax 555 1235", 40);
    page.addLine("mary@exam?le.com", 70, 9);
    ASSERT_EQ(p.fromPage(page.page(), &info, 0), 1);
    EXPECT_EQ(first(info, FieldPhone), "5551234");
    EXPECT_EQ(first(info, FieldFax), "5551235");
    // The fax piece starts at the split character's x: line left 20 + 15 characters of 8.
    EXPECT_EQ(info.Field[FieldFax].Rect[0].left, 20 + 8 * 15);
    EXPECT_EQ(info.Field[FieldPhone].Rect[0].right, 20 + 8 * 15);
    // The uncertain character came in as "^", which the clean-up removes.
    EXPECT_EQ(first(info, FieldEMail), "mary@examle.com");
}

TEST_F(ParselTest, LanguageKindPicksRegions) {
    const std::vector<std::string> germanCard = {"ACME GmbH", "Hans Weber", "Telefon 040 123456", "Hauptstrasse 5",
                                                 "20095 Hamburg"};
    // Kind 1 decides on this card's own lines: German, so the German five-digit code is found.
    ASSERT_EQ(p.identify(germanCard, 1, info), 1);
    EXPECT_EQ(first(info, FieldZipCode), "20095");
    EXPECT_EQ(first(info, FieldCity), "Hamburg");
    // Kind 7 keeps the previous call's regions: still German only, so no US state code is seen.
    ASSERT_EQ(p.identify({"Mary Johnson", "12 Main Street", "Springfield, IL 62701"}, 7, info), 1);
    EXPECT_TRUE(values(info, FieldState).empty());
    // Kinds 14 and -1 behave as 0: the English group finds the state code.
    for (int kind : {14, -1, 0}) {
        ASSERT_EQ(p.identify({"Mary Johnson", "12 Main Street", "Springfield, IL 62701"}, kind, info), 1);
        EXPECT_EQ(first(info, FieldState), "IL") << kind;
        EXPECT_EQ(first(info, FieldZipCode), "62701") << kind;
    }
    // Kind 1 on an English card right after a German one: the English group.
    ASSERT_EQ(p.identify(germanCard, 2, info), 1);
    ASSERT_EQ(p.identify({"Mary Johnson", "12 Main Street", "Springfield, IL 62701"}, 1, info), 1);
    EXPECT_EQ(first(info, FieldState), "IL");
}

TEST_F(ParselTest, GermanDegreesBecomeTitlesAndTheNameStays) {
    ASSERT_EQ(p.identify({"ACME GmbH", "Dr. Dipl.-Ing. Hans Weber", "Telefon 040 123456"}, 2, info), 1);
    EXPECT_EQ(trimmed(first(info, FieldName)), "Hans Weber");
    EXPECT_EQ(first(info, FieldFirstName), "Hans");
    EXPECT_EQ(first(info, FieldLastName), "Weber");
    auto titles = values(info, FieldTitle);
    ASSERT_FALSE(titles.empty());
    EXPECT_EQ(titles.back(), "Dr. Dipl.-Ing.");
    EXPECT_EQ(info.Field[FieldTitle].Confidence[titles.size() - 1], 3);
}

TEST_F(ParselTest, NameLineWithTitleIsSplit) {
    ASSERT_EQ(p.identify({"ACME Corporation", "John Smith Sales Manager", "Phone: 555-123-4567"}, 0, info), 1);
    EXPECT_EQ(trimmed(first(info, FieldName)), "John Smith");
    EXPECT_EQ(first(info, FieldTitle), "Sales Manager");
    EXPECT_EQ(first(info, FieldSexGuess), "MALE");
    EXPECT_EQ(info.Field[FieldSexGuess].Confidence[0], 81);
    ASSERT_EQ(p.identify({"ACME Corporation", "John F. Smith Sales Manager"}, 0, info), 1);
    EXPECT_EQ(trimmed(first(info, FieldName)), "John F. Smith");
    EXPECT_EQ(first(info, FieldMidName), "F.");
    EXPECT_EQ(first(info, FieldTitle), "Sales Manager");
}

TEST_F(ParselTest, AddressAcrossTwoLinesIsJoinedAndSeparated) {
    ASSERT_EQ(p.identify({"Mary Johnson", "12 Main St.", "Springfield, IL 62701"}, 0, info), 1);
    EXPECT_EQ(first(info, FieldAddress), "12 Main St.,\r\nSpringfield, IL 62701");
    EXPECT_EQ(first(info, FieldStreet), "12 Main St.");
    EXPECT_EQ(first(info, FieldCity), "Springfield");
    EXPECT_EQ(first(info, FieldState), "IL");
    EXPECT_EQ(first(info, FieldZipCode), "62701");
}

struct PostcodeCase {
    int kind;
    std::vector<std::string> lines;
    const char* zip;
    const char* city;
};

TEST_F(ParselTest, PostalCodesByRegion) {
    const PostcodeCase cases[] = {
        {2, {"Hans Weber", "Hauptstrasse 5", "D-20095 Hamburg"}, "D-20095", "Hamburg"},
        {0, {"Mary Johnson", "Ottawa ON K1A 0B1"}, "K1A 0B1", "Ottawa"},
        {0, {"Mary Johnson", "123 Wellington St", "Ottawa ON K1A 0B1"}, "K1A 0B1", "Ottawa"},
        {10, {"Jan de Vries", "Damrak 12", "1012 AB Amsterdam"}, "1012AB", "Amsterdam"},
        {5, {"Jean Dupont", "12 rue de la Paix", "75002 Paris"}, "75002", "Paris"},
        {0, {"Mary Johnson", "1 Main Street", "Boston, MA 02110-1234"}, "02110-1234", "Boston"},
    };
    for (const PostcodeCase& c : cases) {
        ASSERT_EQ(p.identify(c.lines, c.kind, info), 1);
        EXPECT_EQ(first(info, FieldZipCode), c.zip) << c.lines.back();
        if (c.city) {
            EXPECT_EQ(first(info, FieldCity), c.city) << c.lines.back();
        }
    }
}

struct StreetNameCase {
    std::vector<std::string> lines;
    const char* street;
    const char* city;
    const char* state;
    const char* zip;
};

// A street named after a place elsewhere ("Wellington", a city in Florida; "Georgia", a US
// state) must not be taken for the card's own city or state: the card keeps one address.
TEST_F(ParselTest, StreetNamedAfterAPlaceStaysInOneAddress) {
    const StreetNameCase cases[] = {
        {{"Mary Johnson", "123 Wellington St", "Ottawa ON K1A 0B1"}, "123 Wellington St", "Ottawa", "ON", "K1A 0B1"},
        {{"Mary Johnson", "123 Wellington St.", "Ottawa ON K1A 0B1"}, "123 Wellington St.", "Ottawa", "ON", "K1A 0B1"},
        {{"Mary Johnson", "123 Wellington St W", "Ottawa ON K1A 0B1"},
         "123 Wellington St W",
         "Ottawa",
         "ON",
         "K1A 0B1"},
        {{"Mary Johnson", "123 Wellington St, Suite 4", "Ottawa ON K1A 0B1"},
         "123 Wellington St, Suite 4",
         "Ottawa",
         "ON",
         "K1A 0B1"},
        {{"Mary Johnson", "500 Georgia St", "Vancouver BC V6C 2T5"}, "500 Georgia St", "Vancouver", "BC", "V6C 2T5"},
        {{"Mary Johnson", "12 Boston St", "Miami, FL 33139"}, "12 Boston St", "Miami", "FL", "33139"},
    };
    for (const StreetNameCase& c : cases) {
        ASSERT_EQ(p.identify(c.lines, 0, info), 1);
        const std::string& street = c.lines[1];
        EXPECT_EQ(values(info, FieldAddress), std::vector<std::string>{street + ",\r\n" + c.lines[2]}) << street;
        EXPECT_EQ(values(info, FieldStreet), std::vector<std::string>{c.street}) << street;
        EXPECT_EQ(values(info, FieldCity), std::vector<std::string>{c.city}) << street;
        EXPECT_EQ(values(info, FieldState), std::vector<std::string>{c.state}) << street;
        EXPECT_EQ(values(info, FieldZipCode), std::vector<std::string>{c.zip}) << street;
    }
}

TEST_F(ParselTest, PhoneKindsAndNumberGrouping) {
    ASSERT_EQ(p.identify({"Mary Johnson", "Mobile: 0171 234567"}, 0, info), 1);
    EXPECT_EQ(values(info, FieldMobile), std::vector<std::string>{"017-123-4567"});
    EXPECT_TRUE(values(info, FieldPhone).empty());
    ASSERT_EQ(p.identify({"Mary Johnson", "Tel 0123456789"}, 0, info), 1);
    EXPECT_EQ(first(info, FieldPhone), "012-345-6789");
    ASSERT_EQ(p.identify({"Jean Dupont", "T\xE9l 0123456789"}, 5, info), 1);
    EXPECT_EQ(first(info, FieldPhone), "01-23-45-67-89");
    ASSERT_EQ(p.identify({"Mary Johnson", "Phone: 555 1234", "555 1235"}, 0, info), 1);
    EXPECT_EQ(values(info, FieldPhone), (std::vector<std::string>{"5551234", "5551235"}));
    // A label no list holds is no part of the number.
    for (const char* line : {"Mob 0412 555 678", "Ph. 0412 555 678", "Fon 0412 555 678"}) {
        ASSERT_EQ(p.identify({"Mary Johnson", "Sales Manager", line}, 0, info), 1);
        EXPECT_EQ(first(info, FieldPhone), "041-255-5678") << line;
    }
    ASSERT_EQ(p.identify({"Mary Johnson", "Sales Manager", "M +44 7700 900123"}, 0, info), 1);
    EXPECT_EQ(first(info, FieldPhone), "+447700900123");
}

TEST_F(ParselTest, MendedEmailAddresses) {
    ASSERT_EQ(p.identify({"Mary Johnson", "mary\xA9"
                                          "example.com"},
                         0, info),
              1);
    EXPECT_EQ(first(info, FieldEMail), "mary@example.com");
    ASSERT_EQ(p.identify({"Mary Johnson", "mary.johnson@", "example.com"}, 0, info), 1);
    EXPECT_EQ(first(info, FieldEMail), "mary.johnson@example.com");
    // Words beside the address on its line, behind a separator, are no part of it; a blank
    // misread inside the address is.
    ASSERT_EQ(p.identify({"Derek Lin", "Warehouse Manager", "soundharvest.org | dlin@soundharvest.org"}, 0, info), 1);
    EXPECT_EQ(first(info, FieldEMail), "dlin@soundharvest.org");
    ASSERT_EQ(p.identify({"Grace Kim", "Designer", "grace. kim@lotusdesign.com"}, 0, info), 1);
    EXPECT_EQ(first(info, FieldEMail), "grace.kim@lotusdesign.com");
    // A short label before the address is no part of its user part.
    for (const char* line :
         {"E: rachel.kim@brightlane.io", "e:rachel.kim@brightlane.io", "Em: rachel.kim@brightlane.io"}) {
        ASSERT_EQ(p.identify({"Rachel Kim", "Marketing Manager", line, "T: 415.555.0193"}, 0, info), 1);
        EXPECT_EQ(first(info, FieldEMail), "rachel.kim@brightlane.io") << line;
    }
}

struct RepairCase {
    std::vector<std::string> lines;
    int kind;
    const char* expected;
};

TEST_F(ParselTest, RepairTableMendsOnlyWholeWordsAndDomainEnds) {
    const RepairCase cases[] = {
        {{"ACME lnc", "Mary Johnson"}, FieldCompany, "ACME Inc"},
        {{"CASINO ROYALE LLC", "Mary Johnson"}, FieldCompany, "CASINO ROYALE LLC"},
        {{"Mary Johnson", "www.acme.corn"}, FieldWebSite, "www.acme.com"},
        {{"Mary Johnson", "www.corning.com"}, FieldWebSite, "www.corning.com"},
    };
    for (const RepairCase& c : cases) {
        ASSERT_EQ(p.identify(c.lines, 0, info), 1);
        EXPECT_EQ(first(info, c.kind), c.expected);
    }
}

TEST_F(ParselTest, CorrectionAgainstWordLists) {
    ASSERT_EQ(p.identify({"ACME Corporation", "Mary Johnson", "Sales Manaqer"}, 0, info), 1);
    EXPECT_EQ(first(info, FieldTitle), "Sales Manager");
    ASSERT_EQ(p.identify({"Mary Johnson", "12 Main Street", "Bosten, MA 02110"}, 0, info), 1);
    EXPECT_EQ(first(info, FieldCity), "Boston");
    EXPECT_NE(first(info, FieldAddress).find("Boston"), std::string::npos);
    // A town that differs from a listed one other than by a misread letter stays as printed: a
    // letter added at its front, another consonant, a missing accent.
    const struct {
        int kind;
        const char* town;
        const char* city;
    } towns[] = {
        {0, "Annapolis, MD 21403", "Annapolis"},
        {10, "3000 Leuven", "Leuven"},
        {0, "Montreal, QC H3B 4W8", "Montreal"},
    };
    for (const auto& t : towns) {
        ASSERT_EQ(p.identify({"Mary Johnson", "45 Harbor Drive", t.town}, t.kind, info), 1);
        EXPECT_EQ(first(info, FieldCity), t.city) << t.town;
        EXPECT_EQ(first(info, FieldAddress), std::string("45 Harbor Drive,\r\n") + t.town);
    }
}

TEST_F(ParselTest, RecheckDerivesCompanyFromWebAndMail) {
    struct Case {
        const char* web;
        const char* mail;
        const char* company;
    } cases[] = {
        {"http://www.widgetco.co.uk/about", nullptr, "widgetco"},
        {nullptr, "sales@mail.widgetco.com", "widgetco"},
        {"www.widgetco.de", nullptr, "widgetco"},
        {"widgetco.com", nullptr, "widgetco"},
    };
    for (const Case& c : cases) {
        CardInfo card{};
        char web[64] = {}, mail[64] = {};
        if (c.web) {
            strcpy(web, c.web);
            card.Field[FieldWebSite].Count = 1;
            card.Field[FieldWebSite].Text[0] = web;
        }
        if (c.mail) {
            strcpy(mail, c.mail);
            card.Field[FieldEMail].Count = 1;
            card.Field[FieldEMail].Text[0] = mail;
        }
        ASSERT_EQ(p.recheck(&card), 1);
        ASSERT_EQ(card.Field[FieldCompany].Count, 1);
        EXPECT_STREQ(card.Field[FieldCompany].Text[0], c.company);
        EXPECT_EQ(card.Field[FieldCompany].Confidence[0], 50);
    }
    CardInfo withCompany{};
    char company[] = "ACME", web[] = "www.other.com";
    withCompany.Field[FieldCompany].Count = 1;
    withCompany.Field[FieldCompany].Text[0] = company;
    withCompany.Field[FieldWebSite].Count = 1;
    withCompany.Field[FieldWebSite].Text[0] = web;
    ASSERT_EQ(p.recheck(&withCompany), 1);
    EXPECT_EQ(withCompany.Field[FieldCompany].Count, 1);
    // Counts outside 0..4 are clamped instead of reading past the slot.
    CardInfo wild{};
    wild.Field[FieldWebSite].Count = 300;
    wild.Field[FieldEMail].Count = -3;
    EXPECT_EQ(p.recheck(&wild), 1);
    EXPECT_EQ(wild.Field[FieldWebSite].Count, 4);
    EXPECT_EQ(wild.Field[FieldCompany].Count, 0);
}

// A firm printed without a legal form or list word is the line that its domain spells out,
// not the domain word; a line the domain does not spell, or the name, is left alone.
TEST_F(ParselTest, CompanyIsTheLineItsDomainSpells) {
    struct Case {
        std::vector<std::string> lines;
        const char* company;
        int keptKind;  // a value that must stay where it was
        const char* kept;
    } cases[] = {
        {{"Quillon Acoustics", "Maya Lund", "Sound Designer", "maya@quillonacoustics.com"},
         "Quillon Acoustics",
         FieldTitle,
         "Sound Designer"},
        {{"Halvorsen, Idris & Kemp", "Tom Kemp", "Partner", "tkemp@hik-law.com"},
         "Halvorsen, Idris & Kemp",
         FieldTitle,
         "Partner"},
        {{"Corvid Marine Engineering", "Ivo Berg", "Naval Architect", "www.corvidmarine-eng.com"},
         "Corvid Marine Engineering",
         FieldTitle,
         "Naval Architect"},
        // A firm named after a place: its line is no address, the real address keeps its city.
        {{"Springfield Plastics", "Ana Ruiz", "400 Elm Street", "Dayton, OH 45402", "aruiz@springfieldplastics.com"},
         "Springfield Plastics",
         FieldCity,
         "Dayton"},
        // A company line joined above the street leaves the street.
        {{"Harrow Valley Medical Center", "Ina Alba", "Nurse Practitioner", "77 Birch Road", "Fresno, CA 93721",
          "ialba@harrowvalleymc.org"},
         "Harrow Valley Medical Center",
         FieldStreet,
         "77 Birch Road"},
        // One word of the firm left out of its domain, an apostrophe inside a word.
        {{"Dr. Amelia Foster", "Pediatric Cardiology", "Lakeside Children's Heart Center", "6620 Main Street",
          "Houston, TX 77030", "afoster@lakesideheart.org"},
         "Lakeside Children's Heart Center",
         FieldStreet,
         "6620 Main Street"},
        // The name line is never the company, whatever the domain spells.
        {{"Paul Grant", "Consultant", "paul@pgrant.com"}, "pgrant", FieldName, "Paul Grant"},
        {{"Mia Stone", "Art Director", "mia@quarrylane.org"}, "quarrylane", FieldTitle, "Art Director"},
        // A short start of a word spells nothing.
        {{"Maya Lund", "Sales Manager", "maya@sal.com"}, "sal", FieldTitle, "Sales Manager"},
        // Partners' initials followed by a short word the firm adds.
        {{"Ostrander, Quill & Brandt", "Tessa Moreau", "Associate", "tmoreau@oqblaw.com"},
         "Ostrander, Quill & Brandt",
         FieldTitle,
         "Associate"},
        // Initials alone need three words; a tail longer than four letters is no added word: the
        // title stays the title.
        {{"Tessa Moreau", "Outside Quality Buyer", "tmoreau@oqbconsult.com"},
         "oqbconsult",
         FieldTitle,
         "Outside Quality Buyer"},
    };
    for (const Case& c : cases) {
        CardInfo card{};
        ASSERT_EQ(p.identify(c.lines, 0, card), 1);
        EXPECT_EQ(values(card, FieldCompany), std::vector<std::string>{c.company}) << c.lines[0];
        EXPECT_EQ(trimmed(first(card, c.keptKind)), c.kept) << c.lines[0];
        for (int k : {FieldTitle, FieldDepartment, FieldAddress, FieldNone})
            for (const std::string& v : values(card, k)) EXPECT_NE(v, c.company) << c.lines[0] << " kind " << k;
    }
}

// The card's own addresses tell a firm from a person: the domain spells the firm's line, the
// e-mail's user part names the person's line.
TEST_F(ParselTest, FirmAndPersonTakeTheirOwnLines) {
    struct Case {
        int kind;
        std::vector<std::string> lines;
        const char* name;
        const char* company;
        const char* last;  // the name's last part
    } cases[] = {
        // Partners' names won the name; the person's line went to the company.
        {0,
         {"Tolliver & Brandt", "Rosalind Tolliver", "Managing Partner", "rtolliver@tolliverbrandt.com"},
         "Rosalind Tolliver",
         "Tolliver & Brandt",
         "Tolliver"},
        {0,
         {"Quist, Amara & Lowe", "Bettina Lowe", "Associate Attorney", "bettina.lowe@qallaw.com"},
         "Bettina Lowe",
         "Quist, Amara & Lowe",
         "Lowe"},
        // A firm whose first word is a first name and whose last a title word ("Partners") is no
        // name followed by a title where the domain spells it.
        {0,
         {"Santa Fe Strategy Partners", "Elliot Marsh", "Consultant", "PO Box 8841", "Santa Fe, NM 87504",
          "elliot@santafestrategy.com"},
         "Elliot Marsh",
         "Santa Fe Strategy Partners",
         "Marsh"},
        // A firm without "&" or ",": the domain spells it, the user part names the person, by the
        // first name alone too.
        {0,
         {"Carrick Fenwick", "Hamish MacKenzie", "Investment Manager", "hamish.mackenzie@carrickfenwick.co.uk"},
         "Hamish MacKenzie",
         "Carrick Fenwick",
         "MacKenzie"},
        {0,
         {"Harbourview Dental", "Dr. Aroha Wilson", "Dentist", "15 Customs Street", "Auckland 1010",
          "aroha@harbourviewdental.co.nz"},
         "Dr. Aroha Wilson",
         "Harbourview Dental",
         "Wilson"},
        // The domain names the firm by one of its words; the user part is the first name.
        {10,
         {"Drukkerij Peeters", "Wouter Peeters", "Zaakvoerder", "Meir 12", "2000 Antwerpen", "wouter@peeters.be"},
         "Wouter Peeters",
         "Drukkerij Peeters",
         "Peeters"},
        // No name line: the person's line went to the company, the firm's line to a title.
        {10,
         {"Van Loon Architecten", "Sanne Bakker", "Architect", "Tel. 020 555 7788", "s.bakker@vanloonarchitecten.nl"},
         "Sanne Bakker",
         "Van Loon Architecten",
         "Bakker"},
    };
    for (const Case& c : cases) {
        CardInfo card{};
        ASSERT_EQ(p.identify(c.lines, c.kind, card), 1);
        EXPECT_EQ(trimmed(first(card, FieldName)), c.name) << c.lines[0];
        EXPECT_EQ(values(card, FieldCompany), std::vector<std::string>{c.company}) << c.lines[0];
        EXPECT_EQ(first(card, FieldLastName), c.last) << c.lines[0];
        EXPECT_EQ(values(card, FieldEMail), std::vector<std::string>{c.lines.back()}) << c.lines[0];
    }
    // Without a user part that names another line the name stays where the scores put it.
    CardInfo card{};
    ASSERT_EQ(p.identify({"Quist, Amara & Lowe", "Bettina Lowe", "Associate Attorney", "office@qallaw.com"}, 0, card),
              1);
    EXPECT_NE(trimmed(first(card, FieldName)), "Bettina Lowe");
    // The person's own name that the domain spells stays the name when no other line is named.
    ASSERT_EQ(p.identify({"Karen Mitchell", "Independent Consultant", "karen@karenmitchell.com"}, 0, card), 1);
    EXPECT_EQ(trimmed(first(card, FieldName)), "Karen Mitchell");
}

// The person's line that the e-mail's user part names is the name, where its first word made it
// a town (Regina, Oliver) or, with no other name line, a title; a street line that had won the
// name gives it up and joins its address.
TEST_F(ParselTest, PersonNamedByTheEmailIsTheName) {
    const std::vector<std::string> town = {"12 Main Street", "Boston, MA 02110"};
    struct Case {
        std::vector<std::string> lines;
        const char* name;
        const char* last;
        const char* street;
        const char* city;
    } cases[] = {
        {{"Crane & Hollis", "Regina Whitfield", "Partner", town[0], town[1], "rwhitfield@cranehollis.com"},
         "Regina Whitfield",
         "Whitfield",
         "12 Main Street",
         "Boston"},
        {{"Crane & Hollis", "Victoria Ashworth", "Partner", town[0], town[1], "vashworth@cranehollis.com"},
         "Victoria Ashworth",
         "Ashworth",
         "12 Main Street",
         "Boston"},
        // A middle initial left out of the user part, a degree behind a comma.
        {{"Park & Donnelly", "Jennifer L. Park, Esq.", "Attorney at Law", town[0], town[1], "jpark@parkdonnelly.com"},
         "Jennifer L. Park Esq.",
         "Park",
         "12 Main Street",
         "Boston"},
        {{"Wexford Hale Architects", "Oliver Pennington", "Associate Director", "22 Long Acre", "London WC2E 9LY",
          "oliver.pennington@wexfordhale.co.uk"},
         "Oliver Pennington",
         "Pennington",
         "22 Long Acre",
         "London"},
    };
    for (const Case& c : cases)
        for (int page = 0; page < 2; ++page) {
            CardInfo card{};
            ASSERT_EQ(page ? p.identifyPage(c.lines, 0, card) : p.identify(c.lines, 0, card), 1);
            std::string where = c.lines[1] + (page ? " (page)" : " (strings)");
            EXPECT_EQ(trimmed(first(card, FieldName)), c.name) << where;
            EXPECT_EQ(first(card, FieldLastName), c.last) << where;
            EXPECT_EQ(values(card, FieldCity), std::vector<std::string>{c.city}) << where;
            EXPECT_EQ(first(card, FieldStreet), c.street) << where;
            EXPECT_EQ(values(card, FieldTitle), std::vector<std::string>{c.lines[2]}) << where;
        }
    // A degree behind the name ("RA") does not hide it from the user part.
    CardInfo card2{};
    ASSERT_EQ(p.identify({"Van der Berg Accountants", "drs. Pieter van der Berg RA", "Registeraccountant",
                          "Stationsplein 5", "2011 LR Haarlem", "p.vanderberg@vdberg.nl"},
                         10, card2),
              1);
    EXPECT_EQ(trimmed(first(card2, FieldName)), "drs. Pieter van der Berg RA");
    EXPECT_EQ(values(card2, FieldCity), std::vector<std::string>{"Haarlem"});
    EXPECT_EQ(first(card2, FieldStreet), "Stationsplein 5");
    // A first name behind a title of courtesy ("Dott.ssa") still marks the person.
    ASSERT_EQ(p.identify({"Studio Associato Bianchi & Conti", "Dott.ssa Chiara Bianchi", "Commercialista",
                          "Corso Vittorio Emanuele II, 88", "80121 Napoli", "c.bianchi@studiobianchiconti.it"},
                         8, card2),
              1);
    EXPECT_EQ(trimmed(first(card2, FieldName)), "Dott.ssa Chiara Bianchi");
    EXPECT_EQ(values(card2, FieldTitle), std::vector<std::string>{"Commercialista"});
    // A department the user part spells is no person, and a town line it does not name stays.
    CardInfo card{};
    ASSERT_EQ(p.identify({"Crane & Hollis", "Customer Service", town[0], town[1], "customer.service@cranehollis.com"},
                         0, card),
              1);
    for (const std::string& name : values(card, FieldName)) EXPECT_NE(trimmed(name), "Customer Service");
    ASSERT_EQ(
        p.identify({"Crane & Hollis", "John Smith", "1 Main Street", "Elizabeth, New Jersey", "jsmith@cranehollis.com"},
                   0, card),
        1);
    EXPECT_EQ(trimmed(first(card, FieldName)), "John Smith");
    EXPECT_EQ(first(card, FieldCity), "Elizabeth");
}

// A title no list holds, right below the name on a card without a title, is the title; a line
// with digits is none, nor is any line once the card has a title.
TEST_F(ParselTest, UnlistedTitleBelowTheName) {
    struct Case {
        std::vector<std::string> lines;
        const char* title;
    } cases[] = {
        {{"Snake River Concrete Inc.", "Bill Hansen", "Estimator", "PO Box 1550", "Boise, ID 83701",
          "bill@snakeriverconcrete.com"},
         "Estimator"},
        {{"Sofia Petrakis, MD", "Pediatric Cardiologist", "Bayou City Pediatric Heart Associates", "6651 Main Street",
          "Houston, TX 77030", "spetrakis@bayoucityheart.com"},
         "Pediatric Cardiologist"},
        {{"Greenleaf Landscaping", "Mike Dawson", "Growing Since 1987", "mike@greenleaflandscaping.net"}, nullptr},
        {{"Greenleaf Landscaping", "Mike Dawson", "Weeding and Mowing", "Owner", "mike@greenleaflandscaping.net"},
         "Owner"},
    };

    for (const Case& c : cases) {
        CardInfo card{};
        ASSERT_EQ(p.identify(c.lines, 0, card), 1);
        if (!c.title) {
            EXPECT_TRUE(values(card, FieldTitle).empty()) << c.lines[0];
            continue;
        }
        EXPECT_EQ(values(card, FieldTitle), std::vector<std::string>{c.title}) << c.lines[0];
        for (const std::string& none : values(card, FieldNone)) EXPECT_NE(none, c.title) << c.lines[0];
    }
}

// A firm named after a town is no second address of the card: it is the company, and a title
// that had taken the company right below the name goes back to the title.
TEST_F(ParselTest, FirmNamedAfterItsTown) {
    const std::vector<std::string> firm = {"Maple Grove Pediatrics"};
    const std::vector<std::string> person = {"Dr. Hannah Cole", "Pediatrician"};
    const std::vector<std::string> rest = {"220 Elm Street", "Maple Grove, MN 55369", "763-555-0100"};
    std::vector<std::vector<std::string>> cards;
    for (bool firmFirst : {true, false}) {
        std::vector<std::string> lines = firmFirst ? firm : person;
        for (const std::string& l : firmFirst ? person : firm) lines.push_back(l);
        lines.insert(lines.end(), rest.begin(), rest.end());
        cards.push_back(lines);
    }
    cards.push_back(cards[0]);
    cards.back().push_back("hcole@maplegrovepeds.com");
    for (const auto& lines : cards) {
        CardInfo card{};
        ASSERT_EQ(p.identify(lines, 0, card), 1);
        EXPECT_EQ(values(card, FieldCompany), firm) << lines[0];
        EXPECT_EQ(values(card, FieldTitle), std::vector<std::string>{"Pediatrician"}) << lines[0];
        EXPECT_EQ(values(card, FieldAddress), std::vector<std::string>{"220 Elm Street,\r\nMaple Grove, MN 55369"})
            << lines[0];
        EXPECT_EQ(values(card, FieldCity), std::vector<std::string>{"Maple Grove"}) << lines[0];
    }
    // Named after another town than the card's own.
    CardInfo card{};
    ASSERT_EQ(p.identify({"Cary Orthodontics", "Dr. Nina Patel", "Orthodontist", "900 Medical Parkway",
                          "Nashville, TN 37203", "615-555-0110"},
                         0, card),
              1);
    EXPECT_EQ(values(card, FieldCompany), std::vector<std::string>{"Cary Orthodontics"});
    EXPECT_EQ(values(card, FieldCity), std::vector<std::string>{"Nashville"});
}

// With no company found, the card's first line above the name is the firm, unless it is the
// card's only title; with the name first, the first line below the name and its title that may
// be a firm's name is.
TEST_F(ParselTest, FirstLineIsTheFirmWithoutACompany) {
    CardInfo card{};
    ASSERT_EQ(p.identify({"Boulangerie Gagnon", "Sylvie Gagnon", "Propri\xE9taire", "1234, rue Saint-Denis",
                          "Montr\xE9"
                          "al (Qu\xE9"
                          "bec)  H2X 3K8",
                          "sylvie@videotron.ca"},
                         5, card),
              1);
    EXPECT_EQ(values(card, FieldCompany), std::vector<std::string>{"Boulangerie Gagnon"});
    EXPECT_EQ(trimmed(first(card, FieldName)), "Sylvie Gagnon");
    ASSERT_EQ(p.identify({"Senior Consultant", "Jane Doe", "jane.doe@gmail.com"}, 0, card), 1);
    EXPECT_EQ(values(card, FieldTitle), std::vector<std::string>{"Senior Consultant"});
    for (const std::string& company : values(card, FieldCompany)) EXPECT_NE(company, "Senior Consultant");
    const struct {
        std::vector<std::string> lines;
        const char* firm;
        const char* street;
    } below[] = {
        {{"Dr. Ellen Park", "Curator", "Museum of Coastal History", "12 Harbor Street", "Newport, RI 02840"},
         "Museum of Coastal History",
         "12 Harbor Street"},
        {{"Rev. Michael Torres", "Pastor", "St. Mark's Lutheran Church", "400 Church Street", "Dayton, OH 45402"},
         "St. Mark's Lutheran Church",
         "400 Church Street"},
        {{"Laura Chen", "Partner", "Brookline Capital Partners", "1 Beacon Street, Suite 1200", "Boston, MA 02108"},
         "Brookline Capital Partners",
         "1 Beacon Street, Suite 1200"},
    };
    for (const auto& b : below) {
        ASSERT_EQ(p.identify(b.lines, 0, card), 1);
        EXPECT_EQ(values(card, FieldCompany), std::vector<std::string>{b.firm}) << b.lines[0];
        EXPECT_EQ(values(card, FieldTitle), std::vector<std::string>{b.lines[1]}) << b.lines[0];
        EXPECT_EQ(first(card, FieldStreet), b.street) << b.lines[0];
    }
}

// Above the name of a card without a company form stands a department or a slogan: neither is the
// firm. The department stays the department, and the company is the word that the web site's host
// gives (www, acme, com: "acme", confidence 50), then the word of the e-mail's domain (acme, com).
TEST_F(ParselTest, DepartmentOrSloganAboveTheNameIsNotTheFirm) {
    const struct {
        const char* top;
        const char* department;
    } cases[] = {
        {"Human Resources Department", "Human Resources Department"},
        {"Marketing Division", "Marketing Division"},
        {"Research and Development", "Research and Development"},
        {"Quality you can trust", nullptr},
        {"Serving Ohio families", nullptr},
    };
    for (const auto& c : cases) {
        CardInfo card{};
        ASSERT_EQ(p.identify({c.top, "Jane Doe", "Director", "jane.doe@acme.com", "www.acme.com"}, 0, card), 1);
        EXPECT_EQ(values(card, FieldCompany), (std::vector<std::string>{"acme", "acme"})) << c.top;
        EXPECT_EQ(card.Field[FieldCompany].Confidence[0], 50) << c.top;
        if (c.department) EXPECT_EQ(values(card, FieldDepartment), std::vector<std::string>{c.department});
        EXPECT_EQ(trimmed(first(card, FieldName)), "Jane Doe") << c.top;
        EXPECT_EQ(values(card, FieldTitle), std::vector<std::string>{"Director"}) << c.top;
    }
}

// An e-mail address whose host holds a title word stays the e-mail, never a title.
TEST_F(ParselTest, EmailLineWithTitleWordsInItsHost) {
    CardInfo card{};
    ASSERT_EQ(p.identify({"Ruben Smit", "Projectleider", "Tel. 010 555 2040", "r.smit@deltaarchitecten.nl"}, 10, card),
              1);
    EXPECT_EQ(values(card, FieldEMail), std::vector<std::string>{"r.smit@deltaarchitecten.nl"});
    for (const std::string& v : values(card, FieldTitle)) EXPECT_EQ(v.find('@'), std::string::npos) << v;
}

// A one-word title that no list holds, below the name: joined to the firm line above the name,
// or taken for the company while the firm's line scored nothing. The domain spells the firm.
TEST_F(ParselTest, TitleBelowTheNameLeavesTheCompany) {
    const std::vector<std::string> cards[] = {
        {"Copperline Tool Works", "Ezra Holt", "Farrier", "22 Mill Street", "Keene, NH 03431",
         "ezra@copperlinetoolworks.com", "www.copperlinetoolworks.com"},
        {"Fernhill Charts", "Ida Wren", "Cartographer", "8 Quay Street", "Mystic, CT 06355", "ida@fernhillcharts.com"},
    };
    for (const auto& lines : cards) {
        CardInfo card{};
        ASSERT_EQ(p.identify(lines, 0, card), 1);
        EXPECT_EQ(values(card, FieldCompany), std::vector<std::string>{lines[0]});
        EXPECT_EQ(values(card, FieldTitle), std::vector<std::string>{lines[2]}) << lines[0];
        EXPECT_EQ(trimmed(first(card, FieldName)), lines[1]);
    }
    // The name first, the title joined into the firm's line below it.
    CardInfo card{};
    ASSERT_EQ(p.identify({"Dr. Elena Vasquez", "Pediatric Cardiologist", "Texas Children's Cardiology Associates",
                          "6624 Fannin Street", "Houston, TX 77030", "evasquez@tcca.org"},
                         0, card),
              1);
    EXPECT_EQ(values(card, FieldCompany), std::vector<std::string>{"Texas Children's Cardiology Associates"});
    EXPECT_EQ(values(card, FieldTitle), std::vector<std::string>{"Pediatric Cardiologist"});
}

TEST_F(ParselTest, SeparateFullAddress) {
    char country[18], state[22], city[30], zip[14], street[128];
    const char* address = "1600 Pennsylvania Avenue NW\r\nWashington, DC 20500\r\nUSA";
    ASSERT_EQ(p.separateAddr(address, country, state, city, street, zip, 0), 1);
    EXPECT_STREQ(zip, "20500");
    EXPECT_STREQ(state, "DC");
    EXPECT_STREQ(country, "USA");
    EXPECT_STREQ(street, "1600 Pennsylvania Avenue NW");
    std::string longAddress(300, 'x');
    std::vector<char> longStreet(longAddress.size() + 1);
    ASSERT_EQ(p.separateAddr(longAddress.c_str(), country, state, city, longStreet.data(), zip, 0), 1);
}

TEST_F(ParselTest, SeparateFullName) {
    const NameCase cases[] = {
        {"Dr. John Fitzgerald Kennedy", 1, "Dr.", "John", "Fitzgerald", "Kennedy", "", "Dr. John Fitzgerald Kennedy"},
        {"John Smith Jr.", 1, "", "John", "", "Smith", "Jr.", "John Smith Jr."},
        {"Maria", 1, "", "Maria", "", "", "", "Maria"},
        {"Dr.", 0, "Dr.", "", "", "", "", "Dr."},
    };
    for (const NameCase& c : cases) expectSeparatedName(p, c);
    char empty[4] = "", a[4], b[4], c[4], d[4], e[4];
    EXPECT_EQ(p.separateName(empty, a, b, c, d, e), 0);
}

}  // namespace
