// Addresses: the language of a lone address, string lines without boxes, and the punctuation
// of a corrected city.
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

}  // namespace
