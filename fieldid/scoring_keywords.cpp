#include <initializer_list>
#include <string.h>
#include "fid_state.h"
#include "matching.h"
#include "scoring.h"
#include "text_util.h"
#include "word_lists.h"

namespace {

struct Delta { int kind; int points; };

void add(int line, std::initializer_list<Delta> deltas) {
    for (const Delta& d : deltas) cell(d.kind, line) += d.points;
}

void eachSubstring(const CWordList& list, const char* upper, int line, std::initializer_list<Delta> deltas) {
    forEachMatch(list, upper, Match::Substring, [&](int, int) { add(line, deltas); });
}

void countries(int line, const char* upper) {
    forEachMatch(lists::countries, upper, Match::Bounded, [&](int e, int pos) {
        add(line, {{FieldAddress, 5}, {FieldCountry, 6}, {FieldName, -5}, {FieldNumber, -5},
                   {FieldPhone, -5}, {FieldFax, -5}});
        recordPiece(line, Piece::Country, upper, pos, lists::countries.entryLength(e));
    });
}

void worldCities(int line, const char* upper) {
    forEachMatch(lists::worldCities, upper, Match::Bounded, [&](int e, int pos) {
        int length = lists::worldCities.entryLength(e);
        add(line, {{FieldAddress, 5}, {FieldCity, 10}, {FieldName, -10}, {FieldNumber, -5},
                   {FieldPhone, -5}, {FieldFax, -5}});
        if (memchr(upper + pos, ' ', static_cast<size_t>(length))) add(line, {{FieldAddress, 7}, {FieldName, -5}});
        recordPiece(line, Piece::City, upper, pos, length);
    });
}

void emailLabels(int line, const char* upper) {
    for (int e = 0; e < lists::emailLabels.count(); ++e) {
        if (strstr(upper, lists::emailLabels.entry(e))) {
            add(line, {{FieldEMail, 12}, {FieldCompany, -10}});
            return;
        }
    }
}

void generalLists(int line, const char* upper) {
    eachSubstring(lists::honorifics, upper, line, {{FieldName, 1}, {FieldTitle, 1}});
    applyMatcher(lists::companyForms, CompanyForm, line, upper);
    applyMatcher(lists::shortCompanyForms, ShortCompanyForm, line, upper);
    applyMatcher(lists::companyWords, CompanyWord, line, upper);
    if (strstr(upper, "CORPORATE OFFICE")) add(line, {{FieldCompany, -20}});
    applyMatcher(lists::titleWords, TitleWord, line, upper);
    if (findByRule(upper, "ENGINEER", Match::ShortForm) >= 0) add(line, {{FieldTitle, 10}, {FieldName, -5}});
    applyMatcher(lists::weakTitleWords, WeakTitleWord, line, upper);
    applyMatcher(lists::addressWords, AddressWord, line, upper);
    applyMatcher(lists::streetWords, StreetWord, line, upper);
    countries(line, upper);
    worldCities(line, upper);
    eachSubstring(lists::phoneKinds, upper, line, {{FieldNumber, 5}, {FieldCompany, -5}, {FieldName, -5}, {FieldAddress, -5}});
    eachSubstring(lists::phoneLabels, upper, line, {{FieldNumber, 2}, {FieldPhone, 10}});
    eachSubstring(lists::faxLabels, upper, line, {{FieldNumber, 2}, {FieldFax, 12}});
    eachSubstring(lists::webWords, upper, line, {{FieldWebSite, 12}, {FieldEMail, 10}, {FieldName, -5},
                  {FieldCompany, -10}, {FieldNumber, -10}, {FieldPhone, -8}, {FieldFax, -8}});
    eachSubstring(lists::onlineServices, upper, line, {{FieldWebSite, 10}, {FieldEMail, 12}, {FieldName, -10},
                  {FieldCompany, -10}, {FieldNumber, -10}, {FieldPhone, -8}, {FieldFax, -8}});
    emailLabels(line, upper);
    if (strchr(upper, '@')) add(line, {{FieldEMail, 12}, {FieldCompany, -10}});
    applyMatcher(lists::departmentWords, DepartmentWord, line, upper);
    applyMatcher(lists::weakDepartmentWords, WeakDepartmentWord, line, upper);
    applyMatcher(lists::maleFirstNames, MaleFirstName, line, upper);
    applyMatcher(lists::femaleFirstNames, FemaleFirstName, line, upper);
    applyMatcher(lists::surnames, Surname, line, upper);
    forEachMatch(lists::chineseSurnames, upper, Match::Word, [&](int, int) {
        add(line, {{FieldName, 8}, {FieldAddress, -5}, {FieldCity, -5}});
    });
    forEachMatch(lists::commonWords, upper, Match::Word, [&](int, int) {
        add(line, {{FieldName, -10}, {FieldCompany, -5}, {FieldTitle, -5}, {FieldAddress, -5}});
    });
}

void northAmerican(int line, const char* upper, const char* original) {
    applyMatcher(lists::naCompanyNames, CompanyName, line, upper);
    codeRule(lists::usStateCodes, "USA", line, original);
    codeRule(lists::caProvinceCodes, "Canada", line, original);
    stateRule(lists::usStates, "USA", line, upper);
    stateRule(lists::caProvinces, "Canada", line, upper);
    cityRule(lists::usCities, "USA", line, upper);
    cityRule(lists::caCities, "Canada", line, upper);
}

void german(int line, const char* upper) {
    applyMatcher(lists::deVonDer, MaleFirstName, line, upper);
    applyMatcher(lists::deMale, MaleFirstName, line, upper);
    applyMatcher(lists::deFemale, FemaleFirstName, line, upper);
    applyMatcher(lists::deSurnames, Surname, line, upper);
    applyMatcher(lists::deCompanyForms, CompanyForm, line, upper);
    applyMatcher(lists::deShortForms, ShortCompanyForm, line, upper);
    applyMatcher(lists::deDepartments, DepartmentWord, line, upper);
    applyMatcher(lists::deWeakDepartments, WeakDepartmentWord, line, upper);
    applyMatcher(lists::deTitles, TitleWord, line, upper);
    applyMatcher(lists::deWeakTitles, WeakTitleWord, line, upper);
    applyMatcher(lists::deAddressWords, AddressWord, line, upper);
    applyMatcher(lists::deStreetWords, StreetWord, line, upper);
    cityRule(lists::deCities, "Germany", line, upper);
}

void french(int line, const char* upper, const char* original) {
    applyMatcher(lists::frCompanyNames, CompanyName, line, upper);
    applyMatcher(lists::frMale, MaleFirstName, line, upper);
    applyMatcher(lists::frFemale, FemaleFirstName, line, upper);
    applyMatcher(lists::frSurnames, Surname, line, upper);
    applyMatcher(lists::frCompanyForms, CompanyForm, line, upper);
    applyMatcher(lists::frShortForms, ShortCompanyForm, line, upper);
    applyMatcher(lists::frCompanyWords, CompanyWord, line, upper);
    applyMatcher(lists::frDepartments, DepartmentWord, line, upper);
    applyMatcher(lists::frWeakDepartments, WeakDepartmentWord, line, upper);
    applyMatcher(lists::frTitles, TitleWord, line, upper);
    applyMatcher(lists::frAddressWords, AddressWord, line, upper);
    applyMatcher(lists::frStreetWords, StreetWord, line, upper);
    cityRule(lists::frCities, "France", line, upper);
    cityRule(lists::frCities, "France", line, original);
}

void italian(int line, const char* upper, const char* original) {
    applyMatcher(lists::itCompanyNames, CompanyName, line, upper);
    applyMatcher(lists::itMale, MaleFirstName, line, upper);
    applyMatcher(lists::itFemale, FemaleFirstName, line, upper);
    applyMatcher(lists::itSurnames, Surname, line, upper);
    applyMatcher(lists::itCompanyForms, CompanyForm, line, upper);
    applyMatcher(lists::itShortForms, ShortCompanyForm, line, upper);
    applyMatcher(lists::itWeakDepartments, WeakDepartmentWord, line, upper);
    applyMatcher(lists::itTitles, TitleWord, line, upper);
    applyMatcher(lists::itAddressWords, AddressWord, line, upper);
    applyMatcher(lists::itStreetWords, StreetWord, line, upper);
    cityRule(lists::itCities, "Italy", line, upper);
    codeRule(lists::itProvinceCodes, "Italy", line, original);
    for (int e = 0; e < lists::itProvinceCodes.count(); ++e) {
        char wrapped[8] = "(";
        strcat(wrapped, lists::itProvinceCodes.entry(e));
        strcat(wrapped, ")");
        const char* hit = strstr(upper, wrapped);
        if (!hit) continue;
        add(line, {{FieldAddress, 5}, {FieldState, 6}, {FieldCtryGuess, 5}, {FieldNumber, -5},
                   {FieldPhone, -5}, {FieldFax, -5}});
        recordPiece(line, Piece::State, upper, static_cast<int>(hit - upper) + 1, 2);
        offerGuess(line, Piece::Country, "Italy");
    }
    stateRule(lists::itProvinces, "Italy", line, upper);
}

void spanish(int line, const char* upper) {
    applyMatcher(lists::esMale, MaleFirstName, line, upper);
    applyMatcher(lists::esFemale, FemaleFirstName, line, upper);
    applyMatcher(lists::esSurnames, Surname, line, upper);
    applyMatcher(lists::esCompanyForms, CompanyForm, line, upper);
    applyMatcher(lists::esShortForms, ShortCompanyForm, line, upper);
    applyMatcher(lists::esDepartments, DepartmentWord, line, upper);
    applyMatcher(lists::esTitles, TitleWord, line, upper);
    applyMatcher(lists::esAddressWords, AddressWord, line, upper);
    applyMatcher(lists::esStreetWords, StreetWord, line, upper);
    cityRule(lists::esCities, "Espa\xF1" "a", line, upper);
    stateRule(lists::esProvinces, "Espa\xF1" "a", line, upper);
}

void dutch(int line, const char* upper) {
    applyMatcher(lists::nlMale, MaleFirstName, line, upper);
    applyMatcher(lists::nlFemale, FemaleFirstName, line, upper);
    applyMatcher(lists::nlSurnames, Surname, line, upper);
    applyMatcher(lists::nlCompanyForms, CompanyForm, line, upper);
    applyMatcher(lists::nlShortForms, ShortCompanyForm, line, upper);
    applyMatcher(lists::nlCompanyWords, CompanyWord, line, upper);
    applyMatcher(lists::nlDepartments, DepartmentWord, line, upper);
    applyMatcher(lists::nlWeakDepartments, WeakDepartmentWord, line, upper);
    applyMatcher(lists::nlTitles, TitleWord, line, upper);
    applyMatcher(lists::nlAddressWords, AddressWord, line, upper);
    applyMatcher(lists::nlStreetWords, StreetWord, line, upper);
    cityRule(lists::nlCities, "Nederland", line, upper);
}

void japanese(int line, const char* upper) {
    applyMatcher(lists::jpAddressWords, AddressWord, line, upper);
    stateRule(lists::jpPrefectures, "Japan", line, upper);
    const CWordList& cities = lists::jpCities;
    forEachMatch(cities, upper, Match::Bounded, [&](int e, int pos) {
        if (lineAddressRecordHolding(line, cities.entry(e)) >= 0) return;
        if (!cityHit(line, upper, pos, cities.entryLength(e))) return;
        int prefecture = (cities.slot(e)[0] - '0') * 10 + (cities.slot(e)[1] - '0');
        if (prefecture >= 0 && prefecture < lists::jpPrefectures.count())
            offerGuess(line, Piece::State, lists::jpPrefectures.entry(prefecture));
        offerGuess(line, Piece::Country, "Japan");
    });
    applyMatcher(lists::jpSurnames, Surname, line, upper);
}

void regional(int line, const char* upper, const char* original) {
    if (regionOn(RegionNorthAmerican)) northAmerican(line, upper, original);
    if (regionOn(RegionGerman)) german(line, upper);
    if (regionOn(RegionFrench)) french(line, upper, original);
    if (regionOn(RegionItalian)) italian(line, upper, original);
    if (regionOn(RegionSpanish)) spanish(line, upper);
    if (regionOn(RegionDutch)) dutch(line, upper);
    if (regionOn(RegionJapanese)) japanese(line, upper);
    if (regionOn(RegionTaiwanese)) {
        stateRule(lists::twTaiwan, "Taiwan", line, upper);
        cityRule(lists::twCities, "Taiwan", line, upper);
    }
    if (regionOn(RegionHongKongChina)) cityRule(lists::hkDistricts, "China", line, upper);
    if (regionOn(RegionBritish)) {
        applyMatcher(lists::ukHouse, AddressWord, line, upper);
        stateRule(lists::ukCounties, "UK", line, upper);
        cityRule(lists::ukTowns, "UK", line, upper);
    }
    if (regionOn(RegionAustralian)) {
        stateRule(lists::auStates, "Australia", line, upper);
        cityRule(lists::auTowns, "Australia", line, upper);
    }
    if (regionOn(RegionAustrian)) cityRule(lists::atTowns, "Austria", line, upper);
}

}  // namespace

void FID_score_keywords() {
    char upper[kLineBytes];
    for (int line = 0; line < g_fid.lineCount; ++line) {
        const char* original = g_fid.lines[line];
        upperCopy(upper, original, sizeof upper);
        generalLists(line, upper);
        regional(line, upper, original);
    }
}

void FID_score_lines() {
    FID_score_keywords();
    FID_score_statistics();
}
