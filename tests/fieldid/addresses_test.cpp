// Addresses: the language of a lone address, string lines without boxes, the punctuation of a
// corrected city, postcodes of the forms the regional steps do not read, and place names inside
// street and town lines.
#include <gtest/gtest.h>
#include "parsel_fixture.h"

namespace {

class AddressesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(p.ready()); }
    Parsel p;
    CardInfo info{};
};

struct AddressCase {
    const char* address;
    int kind;
    const char* country;
    const char* state;
    const char* city;
    const char* zip;
    const char* street;
};

TEST_F(AddressesTest, SeparateFullAddressByLanguage) {
    const AddressCase cases[] = {
        {"Hauptstra\xDF"
         "e 5, D-20095 Hamburg",
         1, "Germany", "", "Hamburg", "D-20095",
         "Hauptstra\xDF"
         "e 5"},
        {"12 rue de la Paix\r\n75002 Paris", 4, "France", "", "Paris", "75002", "12 rue de la Paix"},
        // Without German or French words kinds 1 and 4 stay with the English group.
        {"1 Main Street\r\nBoston, MA 02110", 1, "USA", "MA", "Boston", "02110", "1 Main Street"},
        {"1 Main Street\r\nBoston, MA 02110", 4, "USA", "MA", "Boston", "02110", "1 Main Street"},
    };
    for (const AddressCase& c : cases) {
        char country[18], state[22], city[30], zip[14], street[128];
        ASSERT_EQ(p.separateAddr(c.address, country, state, city, street, zip, c.kind), 1);
        EXPECT_STREQ(country, c.country) << c.address;
        EXPECT_STREQ(state, c.state) << c.address;
        EXPECT_STREQ(city, c.city) << c.address;
        EXPECT_STREQ(zip, c.zip) << c.address;
        EXPECT_STREQ(street, c.street) << c.address;
    }
}

// With boxes, the line right above an address line gains Address points; string lines have no
// boxes, so a short company line above the address must not be joined into it.
TEST_F(AddressesTest, LinesWithoutBoxesGetNoPointsFromTheLinesBelow) {
    struct Case {
        std::vector<std::string> lines;
        const char* company;
        const char* address;
        const char* street;
    };
    const Case cases[] = {
        {{"Quill", "Boston, MA 02110", "Phone 617-555-0101"}, "Quill", "Boston, MA 02110", ""},
        {{"Jane Doe", "Acme", "12 Main Street", "Boston, MA 02110"},
         "Acme",
         "12 Main Street,\r\nBoston, MA 02110",
         "12 Main Street"},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(p.identify(c.lines, 0, info), 1);
        EXPECT_EQ(first(info, FieldCompany), c.company);
        EXPECT_EQ(values(info, FieldAddress), std::vector<std::string>{c.address});
        EXPECT_EQ(first(info, FieldStreet), c.street);
        EXPECT_EQ(first(info, FieldCity), "Boston");
    }
}

TEST_F(AddressesTest, DutchStreetEndsBeforeItsPostcode) {
    for (const char* street : {"Keizersgracht 482", "Damrak 12"}) {
        ASSERT_EQ(p.identify({"Sanne Bakker", "Architect", street, "1017 EG Amsterdam", "Tel. 020 555 1234"}, 10, info),
                  1);
        EXPECT_EQ(first(info, FieldStreet), street);
        EXPECT_EQ(first(info, FieldZipCode), "1017EG");
    }
}

TEST_F(AddressesTest, TheCommaBeforeTheStateStays) {
    const char* const cities[] = {"Cambridge", "Boston", "Worcester"};
    for (const char* city : cities) {
        const std::vector<std::string> card = {"Acme Widgets", "John Doe", "Sales Manager", "1 Main St.",
                                               std::string(city) + ", MA 02139"};
        for (int page = 0; page < 2; ++page) {
            ASSERT_EQ(page ? p.identifyPage(card, 0, info) : p.identify(card, 0, info), 1);
            EXPECT_EQ(first(info, FieldAddress), std::string("1 Main St.,\r\n") + city + ", MA 02139")
                << (page ? "page" : "strings");
            EXPECT_EQ(first(info, FieldCity), city);
            EXPECT_EQ(first(info, FieldState), "MA");
        }
    }
}

// "Nagoya" stands first inside "Nagoyaken", where it is no city; the city written with its
// "-shi" suffix is found on the second look, with its prefecture and country as guesses.
TEST_F(AddressesTest, JapaneseCityFoundWithItsShiSuffix) {
    const std::vector<std::string> card = {"Kenji Tanaka", "Nagoyaken Bldg 3F, Nagoya-shi", "Phone 052-555-0101"};
    ASSERT_EQ(p.identify(card, 0, info), 1);
    EXPECT_EQ(first(info, FieldCity), "Nagoya-Shi");
    EXPECT_EQ(first(info, FieldState), "AICHI");
    EXPECT_EQ(first(info, FieldCountry), "JAPAN");
}

// British postcodes, four-digit postcodes before a town (Swiss, Austrian, Belgian) and an
// Australian state with four digits: the code is the zip code, the town the city, and the street
// ends where the town's line begins. A four-digit street number is no postcode.
TEST_F(AddressesTest, PostcodesOfOtherForms) {
    struct Case {
        int kind;
        const char* street;
        const char* townLine;
        const char* zip;
        const char* city;
        const char* state;
    };
    const Case cases[] = {
        {0, "14 Queen Street", "Edinburgh EH2 1JX", "EH2 1JX", "Edinburgh", ""},
        {0, "5 Bute Street", "Cardiff CF10 1AA", "CF10 1AA", "Cardiff", ""},
        {0, "22 Oldham Street", "Manchester M1 1AE", "M1 1AE", "Manchester", nullptr},
        {0, "20 Baker Street", "London W1U 3BW", "W1U 3BW", "London", ""},
        {2, "Bahnhofstrasse 45", "8001 Z\xFCrich", "8001", "Z\xFCrich", ""},
        {2, "Seestrasse 118", "CH-8800 Thalwil", "CH-8800", "Thalwil", ""},
        {2,
         "Sch\xF6nbrunner Stra\xDF"
         "e 8",
         "A-1050 Wien", "A-1050", "Wien", ""},
        {10, "Kunstlaan 12", "1000 Brussel", "1000", "Brussel", ""},
        {5, "Avenue Louise 54", "1050 Bruxelles", "1050", "Bruxelles", ""},
        {0, "Level 12, 1 Martin Place", "Sydney NSW 2000", "2000", "Sydney", "NSW"},
        {0, "8800 East Frontage Road", "Bozeman, MT 59715", "59715", "Bozeman", "MT"},
        // A Canadian code on a card read in French, where the North American forms are off; the
        // place in the street's name is no city.
        {5, "5120, boulevard Saint-Laurent",
         "Montr\xE9"
         "al (Qu\xE9"
         "bec)  H2T 1R2",
         "H2T 1R2",
         "Montr\xE9"
         "al",
         ""},
    };
    for (const Case& c : cases) {
        const std::vector<std::string> card = {"Alder & Finch", "Robin Alder", "Director",
                                               c.street,        c.townLine,    "robin@alderfinch.com"};
        for (int page = 0; page < 2; ++page) {
            ASSERT_EQ(page ? p.identifyPage(card, c.kind, info) : p.identify(card, c.kind, info), 1);
            std::string where = std::string(c.townLine) + (page ? " (page)" : " (strings)");
            EXPECT_EQ(first(info, FieldZipCode), c.zip) << where;
            EXPECT_EQ(first(info, FieldCity), c.city) << where;
            EXPECT_EQ(first(info, FieldStreet), c.street) << where;
            if (c.state) {
                EXPECT_EQ(first(info, FieldState), c.state) << where;
            }
        }
    }
    // The town and the postcode on lines of their own: the code joins the address, and the state
    // the town list guessed for "Wakefield" is no part of it; a town no list knows comes along.
    for (const char* town : {"Wakefield", "Otley"}) {
        const std::vector<std::string> british = {"Thornton Gale Engineering Ltd",
                                                  "Peter Hargreaves",
                                                  "Project Engineer",
                                                  "Unit 4, Calder Park",
                                                  town,
                                                  "WF2 7AW",
                                                  "p.hargreaves@thorntongale.co.uk"};
        const std::string address = std::string("Unit 4, Calder Park,\r\n") + town;
        for (int page = 0; page < 2; ++page) {
            ASSERT_EQ(page ? p.identifyPage(british, 0, info) : p.identify(british, 0, info), 1);
            std::string where = std::string(town) + (page ? " (page)" : " (strings)");
            ASSERT_EQ(values(info, FieldAddress).size(), 1u) << where;
            EXPECT_EQ(first(info, FieldAddress).find(address), 0u) << where;
            EXPECT_NE(first(info, FieldAddress).find("WF2 7AW"), std::string::npos) << where;
            EXPECT_EQ(first(info, FieldZipCode), "WF2 7AW") << where;
            EXPECT_EQ(first(info, FieldCity), town) << where;
            EXPECT_EQ(first(info, FieldStreet), "Unit 4, Calder Park") << where;
            EXPECT_EQ(first(info, FieldState), "") << where;
        }
    }
    char country[18], state[22], city[30], zip[14], street[128];
    ASSERT_EQ(p.separateAddr("Seestrasse 118\r\n8800 Thalwil", country, state, city, street, zip, 2), 1);
    EXPECT_STREQ(zip, "8800");
    EXPECT_STREQ(city, "Thalwil");
    EXPECT_STREQ(street, "Seestrasse 118");
}

// A street named after a place ("Silverado Trail": Trail is a town; "Via Roma", "Park Avenue")
// or without a street word ("30 St Mary Axe") over the line of the town and its postal code is
// that address's street; a town whose name
// ends in a town word ("Menlo Park", "Jersey City") keeps it, while a street word still ends the
// street in a one-line address.
TEST_F(AddressesTest, StreetAndTownLines) {
    struct Case {
        int kind;
        std::vector<std::string> address;
        const char* street;
        const char* city;
        const char* zip;
    };
    const Case cases[] = {
        {0, {"4400 Silverado Trail", "Napa, CA 94558"}, "4400 Silverado Trail", "Napa", "94558"},
        {8, {"Via Roma 45", "20121 Milano"}, "Via Roma 45", "Milano", "20121"},
        {0, {"250 Park Avenue, Suite 1200", "New York, NY 10017"}, "250 Park Avenue, Suite 1200", "New York", "10017"},
        {0, {"2600 Sand Hill Road", "Menlo Park, CA 94025"}, "2600 Sand Hill Road", "Menlo Park", "94025"},
        {0, {"1 Harborside Place", "Jersey City, NJ 07302"}, "1 Harborside Place", "Jersey City", "07302"},
        {0, {"100 Main Street Boston, MA 02110"}, "100 Main Street", "Boston", "02110"},
        // A street word inside a longer word cuts nothing; a town word recorded alone takes the
        // words of the town's name before it.
        {0,
         {"100 Main Street", "Rolling Hills Estates, CA 90274"},
         "100 Main Street",
         "Rolling Hills Estates",
         "90274"},
        {0, {"100 Main Street", "Park City, UT 84060"}, "100 Main Street", "Park City", "84060"},
        {0, {"100 Main Street Park City, UT 84060"}, "100 Main Street", "Park City", "84060"},
        {0, {"100 Main Street", "Salt Lake City, UT 84101"}, "100 Main Street", "Salt Lake City", "84101"},
        // No street word: the house number over the town's line makes the street.
        {0, {"30 St Mary Axe", "London EC3A 8EP"}, "30 St Mary Axe", "London", "EC3A 8EP"},
        {0, {"1 Poultry", "London EC2R 8EJ"}, "1 Poultry", "London", "EC2R 8EJ"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> card = {"Alder & Finch", "Robin Alder", "Director"};
        card.insert(card.end(), c.address.begin(), c.address.end());
        card.push_back("Tel 555-0100");
        for (int page = 0; page < 2; ++page) {
            ASSERT_EQ(page ? p.identifyPage(card, c.kind, info) : p.identify(card, c.kind, info), 1);
            std::string where = c.address[0] + (page ? " (page)" : " (strings)");
            EXPECT_EQ(values(info, FieldAddress).size(), 1u) << where;
            EXPECT_EQ(first(info, FieldStreet), c.street) << where;
            EXPECT_EQ(values(info, FieldCity), std::vector<std::string>{c.city}) << where;
            EXPECT_EQ(first(info, FieldZipCode), c.zip) << where;
        }
    }
    // A street line with a company word is not joined into the company above it; a telephone line
    // over the town stays a telephone line.
    ASSERT_EQ(p.identify({"Department of Chemistry", "University of Vermont", "Dr. Anita Sharma", "Associate Professor",
                          "82 University Place", "Burlington, VT 05405", "anita.sharma@uvm.edu"},
                         0, info),
              1);
    EXPECT_EQ(values(info, FieldCompany), std::vector<std::string>{"University of Vermont"});
    EXPECT_EQ(first(info, FieldStreet), "82 University Place");
    ASSERT_EQ(p.identify({"Alder & Finch", "Robin Alder", "Tel 617 555 0100", "Boston, MA 02110"}, 0, info), 1);
    EXPECT_EQ(values(info, FieldAddress), std::vector<std::string>{"Boston, MA 02110"});
    EXPECT_EQ(values(info, FieldPhone).size(), 1u);
}

TEST_F(AddressesTest, FrenchTownNamingAStreetIsNoCity) {
    // The French towns are looked up in the line as printed too; a street word behind the town
    // still makes it part of the street there.
    for (int kind : {5, 0}) {
        ASSERT_EQ(p.identify({"Jean Dupont", "Directeur", "Dupont S.A.", "42 Versailles Avenue", "Tel 01 42 60 30 30"},
                             kind, info),
                  1);
        EXPECT_EQ(first(info, FieldStreet), "42 Versailles Avenue") << kind;
        EXPECT_TRUE(values(info, FieldCity).empty()) << kind << ": " << first(info, FieldCity);
    }
}

}  // namespace
