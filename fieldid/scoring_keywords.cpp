#include <string.h>
#include <vector>
#include "fid_state.h"
#include "scoring_support.h"
#include "matching.h"
#include "scoring.h"
#include "text_util.h"
#include "word_lists.h"

namespace {

void eachSubstring(const CWordList& list, const char* upper, int line, std::initializer_list<Delta> deltas) {
    forEachMatch(list, upper, Match::Substring, [&](int, int) { addPoints(line, deltas); });
}

void countries(int line, const char* upper) {
    forEachMatch(lists::countries, upper, Match::Bounded, [&](int e, int pos) {
        addPoints(line, {{FieldAddress, 5},
                         {FieldCountry, 6},
                         {FieldName, -5},
                         {FieldNumber, -5},
                         {FieldPhone, -5},
                         {FieldFax, -5}});
        recordPiece(line, Piece::Country, upper, pos, lists::countries.entryLength(e));
    });
}

void worldCities(int line, const char* upper) {
    forEachMatch(lists::worldCities, upper, Match::Bounded, [&](int e, int pos) {
        int length = lists::worldCities.entryLength(e);
        addPoints(line, {{FieldAddress, 5},
                         {FieldCity, 10},
                         {FieldName, -10},
                         {FieldNumber, -5},
                         {FieldPhone, -5},
                         {FieldFax, -5}});
        if (memchr(upper + pos, ' ', static_cast<size_t>(length)))
            addPoints(line, {{FieldAddress, 7}, {FieldName, -5}});
        recordPiece(line, Piece::City, upper, pos, length);
    });
}

void emailLabels(int line, const char* upper) {
    for (int e = 0; e < lists::emailLabels.count(); ++e) {
        if (strstr(upper, lists::emailLabels.entry(e))) {
            addPoints(line, {{FieldEMail, 12}, {FieldCompany, -10}});
            return;
        }
    }
}

void generalLists(int line, const char* upper) {
    eachSubstring(lists::honorifics, upper, line, {{FieldName, 1}, {FieldTitle, 1}});
    applyMatcher(lists::companyForms, CompanyForm, line, upper);
    applyMatcher(lists::shortCompanyForms, ShortCompanyForm, line, upper);
    applyMatcher(lists::companyWords, CompanyWord, line, upper);
    if (strstr(upper, "CORPORATE OFFICE")) addPoints(line, {{FieldCompany, -20}});
    applyMatcher(lists::titleWords, TitleWord, line, upper);
    if (findByRule(upper, "ENGINEER", Match::ShortForm) >= 0) addPoints(line, {{FieldTitle, 10}, {FieldName, -5}});
    applyMatcher(lists::weakTitleWords, WeakTitleWord, line, upper);
    applyMatcher(lists::addressWords, AddressWord, line, upper);
    applyMatcher(lists::streetWords, StreetWord, line, upper);
    countries(line, upper);
    worldCities(line, upper);
    eachSubstring(lists::phoneKinds, upper, line,
                  {{FieldNumber, 5}, {FieldCompany, -5}, {FieldName, -5}, {FieldAddress, -5}});
    eachSubstring(lists::phoneLabels, upper, line, {{FieldNumber, 2}, {FieldPhone, 10}});
    eachSubstring(lists::faxLabels, upper, line, {{FieldNumber, 2}, {FieldFax, 12}});
    eachSubstring(lists::webWords, upper, line,
                  {{FieldWebSite, 12},
                   {FieldEMail, 10},
                   {FieldName, -5},
                   {FieldCompany, -10},
                   {FieldNumber, -10},
                   {FieldPhone, -8},
                   {FieldFax, -8}});
    eachSubstring(lists::onlineServices, upper, line,
                  {{FieldWebSite, 10},
                   {FieldEMail, 12},
                   {FieldName, -10},
                   {FieldCompany, -10},
                   {FieldNumber, -10},
                   {FieldPhone, -8},
                   {FieldFax, -8}});
    emailLabels(line, upper);
    if (strchr(upper, '@')) addPoints(line, {{FieldEMail, 12}, {FieldCompany, -10}});
    applyMatcher(lists::departmentWords, DepartmentWord, line, upper);
    applyMatcher(lists::weakDepartmentWords, WeakDepartmentWord, line, upper);
    applyMatcher(lists::maleFirstNames, MaleFirstName, line, upper);
    applyMatcher(lists::femaleFirstNames, FemaleFirstName, line, upper);
    applyMatcher(lists::surnames, Surname, line, upper);
    forEachMatch(lists::chineseSurnames, upper, Match::Word, [&](int, int) {
        addPoints(line, {{FieldName, 8}, {FieldAddress, -5}, {FieldCity, -5}});
    });
    forEachMatch(lists::commonWords, upper, Match::Word, [&](int, int) {
        addPoints(line, {{FieldName, -10}, {FieldCompany, -5}, {FieldTitle, -5}, {FieldAddress, -5}});
    });
}

// A word list and the matcher kind whose increments its entries bring.
struct ListMatcher {
    const CWordList& list;
    MatcherKind kind;
};

template <size_t N>
void applyMatchers(const ListMatcher (&matchers)[N], int line, const char* upper) {
    for (const ListMatcher& m : matchers) applyMatcher(m.list, m.kind, line, upper);
}

using namespace lists;

const ListMatcher kGermanMatchers[] = {
    {deVonDer, MaleFirstName},       {deMale, MaleFirstName},
    {deFemale, FemaleFirstName},     {deSurnames, Surname},
    {deCompanyForms, CompanyForm},   {deShortForms, ShortCompanyForm},
    {deDepartments, DepartmentWord}, {deWeakDepartments, WeakDepartmentWord},
    {deTitles, TitleWord},           {deWeakTitles, WeakTitleWord},
    {deAddressWords, AddressWord},   {deStreetWords, StreetWord},
};

const ListMatcher kFrenchMatchers[] = {
    {frCompanyNames, CompanyName}, {frMale, MaleFirstName},         {frFemale, FemaleFirstName},
    {frSurnames, Surname},         {frCompanyForms, CompanyForm},   {frShortForms, ShortCompanyForm},
    {frCompanyWords, CompanyWord}, {frDepartments, DepartmentWord}, {frWeakDepartments, WeakDepartmentWord},
    {frTitles, TitleWord},         {frAddressWords, AddressWord},   {frStreetWords, StreetWord},
};

const ListMatcher kItalianMatchers[] = {
    {itCompanyNames, CompanyName},
    {itMale, MaleFirstName},
    {itFemale, FemaleFirstName},
    {itSurnames, Surname},
    {itCompanyForms, CompanyForm},
    {itShortForms, ShortCompanyForm},
    {itWeakDepartments, WeakDepartmentWord},
    {itTitles, TitleWord},
    {itAddressWords, AddressWord},
    {itStreetWords, StreetWord},
};

const ListMatcher kSpanishMatchers[] = {
    {esMale, MaleFirstName},       {esFemale, FemaleFirstName},      {esSurnames, Surname},
    {esCompanyForms, CompanyForm}, {esShortForms, ShortCompanyForm}, {esDepartments, DepartmentWord},
    {esTitles, TitleWord},         {esAddressWords, AddressWord},    {esStreetWords, StreetWord},
};

const ListMatcher kDutchMatchers[] = {
    {nlMale, MaleFirstName},
    {nlFemale, FemaleFirstName},
    {nlSurnames, Surname},
    {nlCompanyForms, CompanyForm},
    {nlShortForms, ShortCompanyForm},
    {nlCompanyWords, CompanyWord},
    {nlDepartments, DepartmentWord},
    {nlWeakDepartments, WeakDepartmentWord},
    {nlTitles, TitleWord},
    {nlAddressWords, AddressWord},
    {nlStreetWords, StreetWord},
};

void northAmerican(int line, const char* upper, const char* original) {
    applyMatcher(naCompanyNames, CompanyName, line, upper);
    codeRule(usStateCodes, "USA", line, original);
    codeRule(caProvinceCodes, "Canada", line, original);
    stateRule(usStates, "USA", line, upper);
    stateRule(caProvinces, "Canada", line, upper);
    cityRule(usCities, "USA", line, upper);
    cityRule(caCities, "Canada", line, upper);
}

// Province codes are also printed between parentheses behind the city ("Milano (MI)").
void italianBracketedCodes(int line, const char* upper) {
    for (int e = 0; e < itProvinceCodes.count(); ++e) {
        char wrapped[8] = "(";
        strcat(wrapped, itProvinceCodes.entry(e));
        strcat(wrapped, ")");
        const char* hit = strstr(upper, wrapped);
        if (!hit) continue;
        addPoints(line, {{FieldAddress, 5},
                         {FieldState, 6},
                         {FieldCtryGuess, 5},
                         {FieldNumber, -5},
                         {FieldPhone, -5},
                         {FieldFax, -5}});
        recordPiece(line, Piece::State, upper, static_cast<int>(hit - upper) + 1, 2);
        offerGuess(line, Piece::Country, "Italy");
    }
}

void german(int line, const char* upper) {
    applyMatchers(kGermanMatchers, line, upper);
    cityRule(deCities, "Germany", line, upper);
}

void french(int line, const char* upper, const char* original) {
    applyMatchers(kFrenchMatchers, line, upper);
    cityRule(frCities, "France", line, upper);
    cityRule(frCities, "France", line, original);
}

void italian(int line, const char* upper, const char* original) {
    applyMatchers(kItalianMatchers, line, upper);
    cityRule(itCities, "Italy", line, upper);
    codeRule(itProvinceCodes, "Italy", line, original);
    italianBracketedCodes(line, upper);
    stateRule(itProvinces, "Italy", line, upper);
}

void spanish(int line, const char* upper) {
    applyMatchers(kSpanishMatchers, line, upper);
    cityRule(esCities,
             "Espa\xF1"
             "a",
             line, upper);
    stateRule(esProvinces,
              "Espa\xF1"
              "a",
              line, upper);
}

void dutch(int line, const char* upper) {
    applyMatchers(kDutchMatchers, line, upper);
    cityRule(nlCities, "Nederland", line, upper);
}

// A Japanese city found on the line: its points, and the prefecture and country as guesses.
void japaneseCityHit(int line, const char* upper, int e, int pos, int length) {
    const CWordList& cities = lists::jpCities;
    if (!cityHit(line, upper, pos, length)) return;
    int prefecture = (cities.slot(e)[0] - '0') * 10 + (cities.slot(e)[1] - '0');
    if (prefecture >= 0 && prefecture < lists::jpPrefectures.count())
        offerGuess(line, Piece::State, lists::jpPrefectures.entry(prefecture));
    offerGuess(line, Piece::Country, "Japan");
}

void japanese(int line, const char* upper) {
    applyMatcher(lists::jpAddressWords, AddressWord, line, upper);
    stateRule(lists::jpPrefectures, "Japan", line, upper);
    const CWordList& cities = lists::jpCities;
    std::vector<bool> found(static_cast<size_t>(cities.count()));
    forEachMatch(cities, upper, Match::Bounded, [&](int e, int pos) {
        found[static_cast<size_t>(e)] = true;
        if (lineAddressRecordHolding(line, cities.entry(e)) >= 0) return;
        japaneseCityHit(line, upper, e, pos, cities.entryLength(e));
    });
    // A city written with its "-shi" suffix is looked for once more with it ("Osaka-shi" on a
    // line where "Osaka" first stands inside "Higashiosaka").
    if (!strstr(upper, "-SHI")) return;
    for (int e = 0; e < cities.count(); ++e) {
        if (found[static_cast<size_t>(e)]) continue;
        char withSuffix[40];
        copyBounded(withSuffix, sizeof withSuffix - 4, cities.entry(e));
        strcat(withSuffix, "-SHI");
        int pos = findByRule(upper, withSuffix, Match::Bounded);
        if (pos < 0 || lineAddressRecordHolding(line, withSuffix) >= 0) continue;
        japaneseCityHit(line, upper, e, pos, static_cast<int>(strlen(withSuffix)));
    }
}

void regional(int line, const char* upper, const char* original) {
    if (regionOn(RegionNorthAmerican)) northAmerican(line, upper, original);
    if (regionOn(RegionGerman)) german(line, upper);
    if (regionOn(RegionFrench)) french(line, upper, original);
    if (regionOn(RegionItalian)) italian(line, upper, original);
    if (regionOn(RegionSpanish)) spanish(line, upper);
    if (regionOn(RegionDutch)) dutch(line, upper);
    if (regionOn(RegionJapanese)) {
        japanese(line, upper);
        applyMatcher(lists::jpSurnames, Surname, line, upper);
    }
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

void scoreKeywords() {
    forEachLine([](int line, const char* original, const char* upper) {
        generalLists(line, upper);
        regional(line, upper, original);
    });
}

void FID_score_lines() {
    scoreKeywords();
    scoreStatistics();
}
