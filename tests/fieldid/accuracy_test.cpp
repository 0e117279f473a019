// Whole cards end to end, and the share of fields identified right over a table of cards.
#include <gtest/gtest.h>
#include <stdio.h>
#include <map>
#include "parsel_fixture.h"

namespace {

struct Card {
    int kind;
    std::vector<std::string> lines;
    std::map<int, std::string> expected;
};

bool holds(const CardInfo& info, int kind, const std::string& want) {
    for (const std::string& v : values(info, kind))
        if (trimmed(v) == want) return true;
    return false;
}

enum { N = FieldName, C = FieldCompany, T = FieldTitle, P = FieldPhone, F = FieldFax, E = FieldEMail, W = FieldWebSite,
       CI = FieldCity, Z = FieldZipCode, S = FieldState, M = FieldMobile, ST = FieldStreet, CO = FieldCountry };

const std::vector<Card>& cards() {
    static const std::vector<Card> table = {
        // The five whole cards: North American, German, French, British, Dutch.
        {0, {"ACME Widgets Inc.", "John Smith", "Sales Manager", "123 Main Street, Suite 400", "Boston, MA 02110",
             "Tel: (617) 555-1234", "Fax: (617) 555-1235", "john.smith@acmewidgets.com", "www.acmewidgets.com"},
         {{N, "John Smith"}, {C, "ACME Widgets Inc."}, {T, "Sales Manager"}, {ST, "123 Main Street, Suite 400"},
          {CI, "Boston"}, {S, "MA"}, {Z, "02110"}, {P, "(617)555-1234"}, {F, "(617)555-1235"},
          {E, "john.smith@acmewidgets.com"}, {W, "www.acmewidgets.com"}}},
        {1, {"M\xFCller Maschinenbau GmbH", "Dr. Dipl.-Ing. Hans Weber", "Gesch\xE4" "ftsf\xFChrer", "Hauptstra\xDF" "e 12",
             "D-20095 Hamburg", "Telefon +49 40 123456", "Telefax +49 40 123457", "h.weber@mueller-mb.de"},
         {{N, "Hans Weber"}, {C, "M\xFCller Maschinenbau GmbH"}, {T, "Gesch\xE4" "ftsf\xFChrer"}, {ST, "Hauptstra\xDF" "e 12"},
          {Z, "D-20095"}, {CI, "Hamburg"}, {P, "+4940123456"}, {F, "+4940123457"}, {E, "h.weber@mueller-mb.de"}}},
        {4, {"Soci\xE9t\xE9 G\xE9n\xE9rale de Conseil S.A.", "Jean Dupont", "Directeur Commercial", "12 rue de la Paix",
             "75002 Paris", "T\xE9l : 01 42 60 30 30", "Fax : 01 42 60 30 31", "jean.dupont@sgconseil.fr"},
         {{N, "Jean Dupont"}, {T, "Directeur Commercial"}, {Z, "75002"}, {CI, "Paris"}, {P, "01-42-60-30-30"},
          {F, "01-42-60-30-31"}, {E, "jean.dupont@sgconseil.fr"}}},
        {0, {"Thames Valley Consulting Ltd", "Sarah Thompson", "Managing Director", "45 High Street", "Reading",
             "Berkshire", "Tel: 0118 496 0123", "sarah@tvconsulting.co.uk", "www.tvconsulting.co.uk"},
         {{N, "Sarah Thompson"}, {C, "Thames Valley Consulting Ltd"}, {T, "Managing Director"}, {P, "01184960123"},
          {E, "sarah@tvconsulting.co.uk"}, {W, "www.tvconsulting.co.uk"}}},
        {10, {"Van der Berg Advies B.V.", "Jan de Vries", "Directeur", "Damrak 12", "1012 AB Amsterdam",
              "Tel. 020 123 4567", "jan@vdbergadvies.nl"},
         {{N, "Jan de Vries"}, {C, "Van der Berg Advies B.V."}, {T, "Directeur"}, {Z, "1012AB"}, {CI, "Amsterdam"},
          {E, "jan@vdbergadvies.nl"}}},
        // Name first, two phones, extension.
        {0, {"Michael Brown", "Senior Software Engineer", "Northwind Systems Corp.", "500 Oak Avenue", "Seattle, WA 98101",
             "Phone: 206-555-0142", "Mobile: 206-555-0199", "mbrown@northwind.com"},
         {{N, "Michael Brown"}, {T, "Senior Software Engineer"}, {C, "Northwind Systems Corp."}, {CI, "Seattle"},
          {S, "WA"}, {Z, "98101"}, {P, "206-555-0142"}, {M, "206-555-0199"}, {E, "mbrown@northwind.com"}}},
        {0, {"Linda Garcia", "Marketing Director", "Sunrise Media LLC", "P.O. Box 1234", "Austin, TX 78701",
             "Tel 512-555-7788", "linda.garcia@sunrisemedia.com"},
         {{N, "Linda Garcia"}, {T, "Marketing Director"}, {C, "Sunrise Media LLC"}, {CI, "Austin"}, {S, "TX"},
          {Z, "78701"}, {P, "512-555-7788"}, {E, "linda.garcia@sunrisemedia.com"}}},
        {0, {"Pacific Realty Group", "David Lee, Broker", "2200 Ocean Blvd", "Long Beach, CA 90802",
             "Office: (562) 555-3300", "Fax: (562) 555-3301", "dlee@pacificrealty.com"},
         {{C, "Pacific Realty Group"}, {CI, "Long Beach"}, {S, "CA"}, {Z, "90802"}, {FieldOfficePhone, "(562)555-3300"},
          {F, "(562)555-3301"}, {E, "dlee@pacificrealty.com"}}},
        {0, {"Robert Wilson", "Attorney at Law", "Wilson & Associates", "100 Peachtree St, Suite 1200", "Atlanta, GA 30303",
             "Telephone 404-555-2020", "rwilson@wilsonlaw.com"},
         {{N, "Robert Wilson"}, {T, "Attorney at Law"}, {C, "Wilson & Associates"}, {CI, "Atlanta"}, {S, "GA"},
          {Z, "30303"}, {P, "404-555-2020"}, {E, "rwilson@wilsonlaw.com"}}},
        {0, {"Jennifer Martinez", "Account Executive", "Blue Ridge Insurance Company", "75 State Street",
             "Albany, NY 12207", "Phone: 518-555-6060", "Fax: 518-555-6061", "jmartinez@blueridgeins.com",
             "www.blueridgeins.com"},
         {{N, "Jennifer Martinez"}, {T, "Account Executive"}, {C, "Blue Ridge Insurance Company"}, {CI, "Albany"},
          {S, "NY"}, {Z, "12207"}, {P, "518-555-6060"}, {F, "518-555-6061"}, {E, "jmartinez@blueridgeins.com"},
          {W, "www.blueridgeins.com"}}},
        {0, {"Greenleaf Architects", "Thomas Anderson", "Principal Architect", "800 Pine Street", "Denver, CO 80202",
             "303-555-4411", "tanderson@greenleafarch.com"},
         {{C, "Greenleaf Architects"}, {N, "Thomas Anderson"}, {T, "Principal Architect"}, {CI, "Denver"}, {S, "CO"},
          {Z, "80202"}, {P, "303-555-4411"}, {E, "tanderson@greenleafarch.com"}}},
        {0, {"Karen White", "Vice President, Finance", "Summit Financial Services Inc", "1 Financial Plaza",
             "Chicago, IL 60604", "Direct: 312-555-9090", "kwhite@summitfs.com"},
         {{N, "Karen White"}, {C, "Summit Financial Services Inc"}, {CI, "Chicago"}, {S, "IL"}, {Z, "60604"},
          {FieldDirect, "312-555-9090"}, {E, "kwhite@summitfs.com"}}},
        {0, {"Maple Leaf Logistics Ltd.", "Paul Tremblay", "Operations Manager", "250 Front Street West",
             "Toronto ON M5V 3G5", "Tel: 416-555-1010", "ptremblay@mapleleaflogistics.ca"},
         {{C, "Maple Leaf Logistics Ltd."}, {N, "Paul Tremblay"}, {T, "Operations Manager"}, {CI, "Toronto"},
          {Z, "M5V 3G5"}, {P, "416-555-1010"}, {E, "ptremblay@mapleleaflogistics.ca"}}},
        {0, {"Nancy Clark", "Office Administrator", "Riverside Dental Clinic", "42 River Road", "Portland, OR 97201",
             "Phone (503) 555-7272", "Fax (503) 555-7273"},
         {{N, "Nancy Clark"}, {T, "Office Administrator"}, {C, "Riverside Dental Clinic"}, {CI, "Portland"},
          {S, "OR"}, {Z, "97201"}, {P, "(503)555-7272"}, {F, "(503)555-7273"}}},
        {0, {"Steven Harris", "Chief Technology Officer", "Quantum Data Systems", "3000 Innovation Drive",
             "San Jose, CA 95134", "Tel 408-555-3131", "steven.harris@quantumdata.com", "www.quantumdata.com"},
         {{N, "Steven Harris"}, {T, "Chief Technology Officer"}, {C, "Quantum Data Systems"}, {CI, "San Jose"},
          {S, "CA"}, {Z, "95134"}, {P, "408-555-3131"}, {E, "steven.harris@quantumdata.com"}, {W, "www.quantumdata.com"}}},
        // OCR slips in web and e-mail.
        {0, {"Susan Walker", "Sales Representative", "Hometown Bakery Inc.", "9 Elm Street", "Hartford, CT 06103",
             "Tel: 860-555-0101", "susan\xA9hometownbakery.com", "www.hometownbakery.corn"},
         {{N, "Susan Walker"}, {T, "Sales Representative"}, {C, "Hometown Bakery Inc."}, {CI, "Hartford"}, {S, "CT"},
          {Z, "06103"}, {P, "860-555-0101"}, {E, "susan@hometownbakery.com"}, {W, "www.hometownbakery.com"}}},
        {0, {"Daniel Young", "Project Coordinator", "Keystone Construction Company", "15 Market St.",
             "Philadelphia, PA 19106", "Phone: 215-555-8484", "dyoung@keystonecc.com"},
         {{N, "Daniel Young"}, {T, "Project Coordinator"}, {C, "Keystone Construction Company"}, {CI, "Philadelphia"},
          {S, "PA"}, {Z, "19106"}, {P, "215-555-8484"}, {E, "dyoung@keystonecc.com"}}},
        {0, {"Lisa King", "Human Resources Manager", "Evergreen Health Systems", "600 Medical Center Drive",
             "Nashville, TN 37203", "Tel 615-555-2626", "Fax 615-555-2627", "lking@evergreenhealth.org"},
         {{N, "Lisa King"}, {C, "Evergreen Health Systems"}, {CI, "Nashville"}, {S, "TN"}, {Z, "37203"},
          {P, "615-555-2626"}, {F, "615-555-2627"}, {E, "lking@evergreenhealth.org"}}},
        {0, {"Brian Scott", "Regional Sales Director", "Atlas Industrial Supply Corp", "4100 Industrial Pkwy",
             "Cleveland, OH 44135", "Office 216-555-1919", "Cell 216-555-1920", "bscott@atlasindustrial.com"},
         {{N, "Brian Scott"}, {T, "Regional Sales Director"}, {C, "Atlas Industrial Supply Corp"}, {CI, "Cleveland"},
          {S, "OH"}, {Z, "44135"}, {E, "bscott@atlasindustrial.com"}}},
        {0, {"Emily Turner", "Graphic Designer", "Pixel Perfect Studio", "22 Canal Street", "New Orleans, LA 70130",
             "504-555-3737", "emily@pixelperfect.com", "www.pixelperfect.com"},
         {{N, "Emily Turner"}, {T, "Graphic Designer"}, {C, "Pixel Perfect Studio"}, {CI, "New Orleans"}, {S, "LA"},
          {Z, "70130"}, {P, "504-555-3737"}, {E, "emily@pixelperfect.com"}, {W, "www.pixelperfect.com"}}},
        {0, {"Kevin Wright", "President", "Wright Brothers Plumbing", "8 Industrial Way", "Phoenix, AZ 85004",
             "Phone: 602-555-4848", "kevin@wrightplumbing.com"},
         {{N, "Kevin Wright"}, {T, "President"}, {C, "Wright Brothers Plumbing"}, {CI, "Phoenix"}, {S, "AZ"},
          {Z, "85004"}, {P, "602-555-4848"}, {E, "kevin@wrightplumbing.com"}}},
        {0, {"Patricia Hall", "Executive Assistant", "Lakeside Investments LLC", "77 Lake Shore Drive",
             "Milwaukee, WI 53202", "Tel: 414-555-5151 Ext. 204", "phall@lakesideinv.com"},
         {{N, "Patricia Hall"}, {T, "Executive Assistant"}, {C, "Lakeside Investments LLC"}, {CI, "Milwaukee"},
          {S, "WI"}, {Z, "53202"}, {E, "phall@lakesideinv.com"}}},
        {0, {"Mark Adams", "Consultant", "Bright Path Consulting", "1200 K Street NW", "Washington, DC 20005",
             "Phone 202-555-6262", "mark.adams@brightpath.com"},
         {{N, "Mark Adams"}, {T, "Consultant"}, {C, "Bright Path Consulting"}, {S, "DC"}, {Z, "20005"},
          {P, "202-555-6262"}, {E, "mark.adams@brightpath.com"}}},
        {0, {"Angela Nelson", "Real Estate Agent", "Coastal Properties", "301 Beach Road", "Miami, FL 33139",
             "Mobile 305-555-7171", "angela@coastalprops.com"},
         {{N, "Angela Nelson"}, {C, "Coastal Properties"}, {CI, "Miami"}, {S, "FL"}, {Z, "33139"},
          {M, "305-555-7171"}, {E, "angela@coastalprops.com"}}},
        {0, {"Gregory Baker", "Senior Accountant", "Baker & Cole CPAs", "55 Congress Street", "Portland, ME 04101",
             "Tel. 207-555-8383", "gbaker@bakercole.com"},
         {{N, "Gregory Baker"}, {T, "Senior Accountant"}, {CI, "Portland"}, {S, "ME"}, {Z, "04101"},
          {E, "gbaker@bakercole.com"}}},
        {0, {"Rebecca Moore", "Product Manager", "Cascade Software Inc", "1 Microsoft Way", "Redmond, WA 98052",
             "Phone: 425-555-9494", "rmoore@cascadesoft.com", "www.cascadesoft.com"},
         {{N, "Rebecca Moore"}, {T, "Product Manager"}, {C, "Cascade Software Inc"}, {CI, "Redmond"}, {S, "WA"},
          {Z, "98052"}, {P, "425-555-9494"}, {E, "rmoore@cascadesoft.com"}, {W, "www.cascadesoft.com"}}},
        {0, {"Jason Miller", "Technical Support Specialist", "Frontier Networks Corporation", "900 Tech Center Blvd",
             "Salt Lake City, UT 84101", "Tel 801-555-1313", "jmiller@frontiernet.com"},
         {{N, "Jason Miller"}, {C, "Frontier Networks Corporation"}, {S, "UT"}, {Z, "84101"}, {P, "801-555-1313"},
          {E, "jmiller@frontiernet.com"}}},
        {0, {"Heather Collins", "Director of Operations", "Golden Gate Hotel", "2 Union Square", "San Francisco, CA 94108",
             "Tel: 415-555-2424", "Fax: 415-555-2425", "hcollins@goldengatehotel.com"},
         {{N, "Heather Collins"}, {T, "Director of Operations"}, {C, "Golden Gate Hotel"}, {CI, "San Francisco"},
          {S, "CA"}, {Z, "94108"}, {P, "415-555-2424"}, {F, "415-555-2425"}, {E, "hcollins@goldengatehotel.com"}}},
        // German, French, Dutch, British, Italian and Spanish cards.
        {2, {"Schmidt & Partner Steuerberatung", "Anna Schneider", "Steuerberaterin", "Bahnhofstra\xDF" "e 7",
             "80335 M\xFCnchen", "Tel. 089 1234567", "anna.schneider@schmidt-partner.de"},
         {{N, "Anna Schneider"}, {C, "Schmidt & Partner Steuerberatung"}, {Z, "80335"}, {CI, "M\xFCnchen"},
          {E, "anna.schneider@schmidt-partner.de"}}},
        {2, {"Klaus Fischer", "Vertriebsleiter", "Fischer Elektrotechnik GmbH", "Industriestra\xDF" "e 20",
             "D-70173 Stuttgart", "Telefon 0711 987654", "Telefax 0711 987655", "k.fischer@fischer-et.de",
             "www.fischer-et.de"},
         {{N, "Klaus Fischer"}, {T, "Vertriebsleiter"}, {C, "Fischer Elektrotechnik GmbH"}, {Z, "D-70173"},
          {CI, "Stuttgart"}, {F, "071-198-7655"}, {E, "k.fischer@fischer-et.de"}, {W, "www.fischer-et.de"}}},
        {2, {"Becker Logistik AG", "Thomas Becker", "Gesch\xE4" "ftsf\xFChrer", "Am Hafen 3", "28195 Bremen",
             "Tel +49 421 555666", "t.becker@becker-logistik.de"},
         {{N, "Thomas Becker"}, {C, "Becker Logistik AG"}, {Z, "28195"}, {CI, "Bremen"}, {E, "t.becker@becker-logistik.de"}}},
        {5, {"Marie Martin", "Responsable Marketing", "Groupe Lumi\xE8re SARL", "8 avenue Victor Hugo", "69002 Lyon",
             "T\xE9l. 04 78 12 34 56", "marie.martin@groupelumiere.fr"},
         {{N, "Marie Martin"}, {T, "Responsable Marketing"}, {Z, "69002"}, {CI, "Lyon"}, {P, "04-78-12-34-56"},
          {E, "marie.martin@groupelumiere.fr"}}},
        {5, {"Pierre Bernard", "Ing\xE9nieur", "Bernard Ing\xE9nierie S.A.", "25 boulevard de la Libert\xE9",
             "59000 Lille", "T\xE9l : 03 20 55 66 77", "pierre.bernard@bernard-ing.fr"},
         {{N, "Pierre Bernard"}, {Z, "59000"}, {CI, "Lille"}, {P, "03-20-55-66-77"}, {E, "pierre.bernard@bernard-ing.fr"}}},
        {10, {"Pieter Jansen", "Verkoper", "Jansen Bouwbedrijf B.V.", "Kerkstraat 45", "3511 LX Utrecht",
              "Tel. 030 234 5678", "p.jansen@jansenbouw.nl"},
         {{N, "Pieter Jansen"}, {C, "Jansen Bouwbedrijf B.V."}, {Z, "3511LX"}, {CI, "Utrecht"}, {E, "p.jansen@jansenbouw.nl"}}},
        {0, {"James Taylor", "Sales Director", "Albion Trading Limited", "12 King Street", "Manchester", "M2 4LQ",
             "Tel: 0161 496 0456", "james.taylor@albiontrading.co.uk"},
         {{N, "James Taylor"}, {T, "Sales Director"}, {C, "Albion Trading Limited"}, {P, "01614960456"},
          {E, "james.taylor@albiontrading.co.uk"}}},
        {8, {"Marco Rossi", "Direttore Commerciale", "Rossi Arredamenti S.r.l.", "Via Roma 15", "20121 Milano (MI)",
             "Tel. 02 1234567", "marco.rossi@rossiarredamenti.it"},
         {{N, "Marco Rossi"}, {Z, "20121"}, {E, "marco.rossi@rossiarredamenti.it"}}},
        {9, {"Carlos Garc\xED" "a", "Director General", "Construcciones Iberia S.L.", "Calle Mayor 10", "28013 Madrid",
             "Tel. 91 123 45 67", "carlos.garcia@iberiaconstruc.es"},
         {{C, "Construcciones Iberia S.L."}, {Z, "28013"}, {CI, "Madrid"}, {E, "carlos.garcia@iberiaconstruc.es"}}},
        // Company first with a country line.
        {0, {"Global Trade Partners Inc.", "William Roberts", "Export Manager", "400 Harbor Drive", "San Diego, CA 92101",
             "USA", "Tel +1 619 555 3434", "wroberts@globaltradepartners.com"},
         {{C, "Global Trade Partners Inc."}, {N, "William Roberts"}, {T, "Export Manager"}, {CI, "San Diego"},
          {S, "CA"}, {Z, "92101"}, {E, "wroberts@globaltradepartners.com"}}},
        {0, {"Northern Lights Photography", "Ashley Evans", "Photographer", "17 Birch Lane", "Anchorage, AK 99501",
             "907-555-5656", "ashley@northernlightsphoto.com", "www.northernlightsphoto.com"},
         {{C, "Northern Lights Photography"}, {N, "Ashley Evans"}, {T, "Photographer"}, {CI, "Anchorage"}, {S, "AK"},
          {Z, "99501"}, {P, "907-555-5656"}, {E, "ashley@northernlightsphoto.com"}, {W, "www.northernlightsphoto.com"}}},
        {0, {"Christopher Hill", "Professor of Economics", "State University", "Department of Economics",
             "Columbus, OH 43210", "Phone 614-555-7878", "hill.42@stateu.edu"},
         {{N, "Christopher Hill"}, {C, "State University"}, {CI, "Columbus"}, {S, "OH"}, {Z, "43210"},
          {P, "614-555-7878"}, {E, "hill.42@stateu.edu"}}},
    };
    return table;
}

TEST(ParselCards, FieldAccuracyOverTheCardTable) {
    Parsel p;
    ASSERT_TRUE(p.ready());
    int right = 0, total = 0;
    for (const Card& card : cards()) {
        CardInfo info{};
        ASSERT_EQ(p.identify(card.lines, card.kind, info), 1) << card.lines[0];
        for (const auto& [kind, want] : card.expected) {
            ++total;
            if (holds(info, kind, want)) ++right;
            else printf("  missed kind %d \"%s\" on card \"%s\" (got \"%s\")\n", kind, want.c_str(),
                        card.lines[0].c_str(), first(info, kind).c_str());
        }
    }
    printf("field accuracy: %d of %d fields right (%.1f%%) over %zu cards\n", right, total, 100.0 * right / total,
           cards().size());
    EXPECT_GE(right * 100, total * 85);
}

TEST(ParselCards, WholeCardsFromAPageMatchTheStrings) {
    Parsel p;
    ASSERT_TRUE(p.ready());
    for (size_t c = 0; c < 5; ++c) {
        const Card& card = cards()[c];
        PageBuilder page;
        for (size_t i = 0; i < card.lines.size(); ++i) page.addLine(card.lines[i], 30 * static_cast<int>(i));
        CardInfo fromPage{};
        ASSERT_EQ(p.fromPage(page.page(), &fromPage, card.kind), 1);
        for (const auto& [kind, want] : card.expected) EXPECT_TRUE(holds(fromPage, kind, want)) << kind << " " << want;
    }
}

}  // namespace
