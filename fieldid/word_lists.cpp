#include "word_lists.h"

namespace {
const char kAddressWords[][10] = {
#include "lists/address_words.inc"
};
const char kAtTowns[][24] = {
#include "lists/at_towns.inc"
};
const char kAuStates[][18] = {
#include "lists/au_states.inc"
};
const char kAuTowns[][24] = {
#include "lists/au_towns.inc"
};
const char kCaCities[][26] = {
#include "lists/ca_cities.inc"
};
const char kCaProvinceCodes[][3] = {
#include "lists/ca_province_codes.inc"
};
const char kCaProvinces[][22] = {
#include "lists/ca_provinces.inc"
};
const char kChineseSurnames[][7] = {
#include "lists/chinese_surnames.inc"
};
const char kCommonWords[][12] = {
#include "lists/common_words.inc"
};
const char kCompanyForms[][13] = {
#include "lists/company_forms.inc"
};
const char kCompanyWords[][13] = {
#include "lists/company_words.inc"
};
const char kCorrCompanyWords[][15] = {
#include "lists/corr_company_words.inc"
};
const char kCorrDepartments[][13] = {
#include "lists/corr_departments.inc"
};
const char kCorrNetLabels[][15] = {
#include "lists/corr_net_labels.inc"
};
const char kCorrPhoneLabels[][12] = {
#include "lists/corr_phone_labels.inc"
};
const char kCorrStreetWords[][12] = {
#include "lists/corr_street_words.inc"
};
const char kCorrTitles[][16] = {
#include "lists/corr_titles.inc"
};
const char kCountries[][18] = {
#include "lists/countries.inc"
};
const char kDeAddressWords[][17] = {
#include "lists/de_address_words.inc"
};
const char kDeCities[][26] = {
#include "lists/de_cities.inc"
};
const char kDeCompanyForms[][30] = {
#include "lists/de_company_forms.inc"
};
const char kDeCorrDepartments[][21] = {
#include "lists/de_corr_departments.inc"
};
const char kDeCorrStreetWords[][17] = {
#include "lists/de_corr_street_words.inc"
};
const char kDeDepartments[][15] = {
#include "lists/de_departments.inc"
};
const char kDeFemale[][12] = {
#include "lists/de_female.inc"
};
const char kDeMale[][12] = {
#include "lists/de_male.inc"
};
const char kDeShortForms[][5] = {
#include "lists/de_short_forms.inc"
};
const char kDeStreetWords[][17] = {
#include "lists/de_street_words.inc"
};
const char kDeSurnames[][13] = {
#include "lists/de_surnames.inc"
};
const char kDeTitles[][30] = {
#include "lists/de_titles.inc"
};
const char kDeVonDer[][4] = {
#include "lists/de_von_der.inc"
};
const char kDeWeakDepartments[][21] = {
#include "lists/de_weak_departments.inc"
};
const char kDeWeakTitles[][15] = {
#include "lists/de_weak_titles.inc"
};
const char kDegreeWords[][18] = {
#include "lists/degree_words.inc"
};
const char kDepartmentWords[][12] = {
#include "lists/department_words.inc"
};
const char kEmailLabels[][15] = {
#include "lists/email_labels.inc"
};
const char kEsAddressWords[][14] = {
#include "lists/es_address_words.inc"
};
const char kEsCities[][25] = {
#include "lists/es_cities.inc"
};
const char kEsCompanyForms[][7] = {
#include "lists/es_company_forms.inc"
};
const char kEsCorrCompanyWords[][7] = {
#include "lists/es_corr_company_words.inc"
};
const char kEsCorrStreetWords[][14] = {
#include "lists/es_corr_street_words.inc"
};
const char kEsDepartments[][12] = {
#include "lists/es_departments.inc"
};
const char kEsFemale[][13] = {
#include "lists/es_female.inc"
};
const char kEsMale[][13] = {
#include "lists/es_male.inc"
};
const char kEsProvinces[][14] = {
#include "lists/es_provinces.inc"
};
const char kEsShortForms[][7] = {
#include "lists/es_short_forms.inc"
};
const char kEsStreetWords[][10] = {
#include "lists/es_street_words.inc"
};
const char kEsSurnames[][24] = {
#include "lists/es_surnames.inc"
};
const char kEsTitles[][16] = {
#include "lists/es_titles.inc"
};
const char kFaxLabels[][12] = {
#include "lists/fax_labels.inc"
};
const char kFemaleFirstNames[][12] = {
#include "lists/female_first_names.inc"
};
const char kFrAddressWords[][8] = {
#include "lists/fr_address_words.inc"
};
const char kFrCities[][28] = {
#include "lists/fr_cities.inc"
};
const char kFrCompanyForms[][12] = {
#include "lists/fr_company_forms.inc"
};
const char kFrCompanyNames[][10] = {
#include "lists/fr_company_names.inc"
};
const char kFrCompanyWords[][12] = {
#include "lists/fr_company_words.inc"
};
const char kFrCorrCompanyWords[][15] = {
#include "lists/fr_corr_company_words.inc"
};
const char kFrCorrDepartments[][16] = {
#include "lists/fr_corr_departments.inc"
};
const char kFrCorrStreetWords[][12] = {
#include "lists/fr_corr_street_words.inc"
};
const char kFrDepartments[][12] = {
#include "lists/fr_departments.inc"
};
const char kFrFemale[][13] = {
#include "lists/fr_female.inc"
};
const char kFrMale[][12] = {
#include "lists/fr_male.inc"
};
const char kFrShortForms[][5] = {
#include "lists/fr_short_forms.inc"
};
const char kFrStreetWords[][12] = {
#include "lists/fr_street_words.inc"
};
const char kFrSurnames[][15] = {
#include "lists/fr_surnames.inc"
};
const char kFrTitles[][20] = {
#include "lists/fr_titles.inc"
};
const char kFrWeakDepartments[][15] = {
#include "lists/fr_weak_departments.inc"
};
const char kHkDistricts[][18] = {
#include "lists/hk_districts.inc"
};
const char kHonorifics[][8] = {
#include "lists/honorifics.inc"
};
const char kItAddressWords[][9] = {
#include "lists/it_address_words.inc"
};
const char kItCapitals[][14] = {
#include "lists/it_capitals.inc"
};
const char kItCities[][27] = {
#include "lists/it_cities.inc"
};
const char kItCompanyForms[][7] = {
#include "lists/it_company_forms.inc"
};
const char kItCompanyNames[][18] = {
#include "lists/it_company_names.inc"
};
const char kItCorrCompanyWords[][7] = {
#include "lists/it_corr_company_words.inc"
};
const char kItCorrDepartments[][13] = {
#include "lists/it_corr_departments.inc"
};
const char kItCorrStreetWords[][9] = {
#include "lists/it_corr_street_words.inc"
};
const char kItFemale[][14] = {
#include "lists/it_female.inc"
};
const char kItMale[][13] = {
#include "lists/it_male.inc"
};
const char kItProvinceCodes[][3] = {
#include "lists/it_province_codes.inc"
};
const char kItProvinces[][16] = {
#include "lists/it_provinces.inc"
};
const char kItShortForms[][4] = {
#include "lists/it_short_forms.inc"
};
const char kItStreetWords[][7] = {
#include "lists/it_street_words.inc"
};
const char kItSurnames[][13] = {
#include "lists/it_surnames.inc"
};
const char kItTitles[][16] = {
#include "lists/it_titles.inc"
};
const char kItWeakDepartments[][13] = {
#include "lists/it_weak_departments.inc"
};
const char kJpAddressWords[][7] = {
#include "lists/jp_address_words.inc"
};
const char kJpCities[][24] = {
#include "lists/jp_cities.inc"
};
const char kJpPrefectures[][12] = {
#include "lists/jp_prefectures.inc"
};
const char kJpSurnames[][14] = {
#include "lists/jp_surnames.inc"
};
const char kLabelWords[][10] = {
#include "lists/label_words.inc"
};
const char kMaleFirstNames[][12] = {
#include "lists/male_first_names.inc"
};
const char kNaCompanyNames[][30] = {
#include "lists/na_company_names.inc"
};
const char kNameWords[][20] = {
#include "lists/name_words.inc"
};
const char kNlAddressWords[][10] = {
#include "lists/nl_address_words.inc"
};
const char kNlCities[][25] = {
#include "lists/nl_cities.inc"
};
const char kNlCompanyForms[][7] = {
#include "lists/nl_company_forms.inc"
};
const char kNlCompanyWords[][13] = {
#include "lists/nl_company_words.inc"
};
const char kNlCorrCompanyWords[][13] = {
#include "lists/nl_corr_company_words.inc"
};
const char kNlCorrDepartments[][16] = {
#include "lists/nl_corr_departments.inc"
};
const char kNlCorrStreetWords[][10] = {
#include "lists/nl_corr_street_words.inc"
};
const char kNlDepartments[][12] = {
#include "lists/nl_departments.inc"
};
const char kNlFemale[][12] = {
#include "lists/nl_female.inc"
};
const char kNlMale[][12] = {
#include "lists/nl_male.inc"
};
const char kNlShortForms[][6] = {
#include "lists/nl_short_forms.inc"
};
const char kNlStreetWords[][10] = {
#include "lists/nl_street_words.inc"
};
const char kNlSurnames[][12] = {
#include "lists/nl_surnames.inc"
};
const char kNlTitles[][18] = {
#include "lists/nl_titles.inc"
};
const char kNlWeakDepartments[][16] = {
#include "lists/nl_weak_departments.inc"
};
const char kOnlineServices[][10] = {
#include "lists/online_services.inc"
};
const char kPhoneKinds[][15] = {
#include "lists/phone_kinds.inc"
};
const char kPhoneLabels[][15] = {
#include "lists/phone_labels.inc"
};
const char kServiceLabels[][14] = {
#include "lists/service_labels.inc"
};
const char kShortCompanyForms[][4] = {
#include "lists/short_company_forms.inc"
};
const char kStreetWords[][12] = {
#include "lists/street_words.inc"
};
const char kSurnames[][12] = {
#include "lists/surnames.inc"
};
const char kTitleWords[][15] = {
#include "lists/title_words.inc"
};
const char kTwCities[][15] = {
#include "lists/tw_cities.inc"
};
const char kTwTaiwan[][7] = {
#include "lists/tw_taiwan.inc"
};
const char kUkCounties[][20] = {
#include "lists/uk_counties.inc"
};
const char kUkHouse[][6] = {
#include "lists/uk_house.inc"
};
const char kUkTowns[][20] = {
#include "lists/uk_towns.inc"
};
const char kUsCities[][27] = {
#include "lists/us_cities.inc"
};
const char kUsStateCodes[][3] = {
#include "lists/us_state_codes.inc"
};
const char kUsStates[][15] = {
#include "lists/us_states.inc"
};
const char kWeakDepartmentWords[][12] = {
#include "lists/weak_department_words.inc"
};
const char kWeakTitleWords[][13] = {
#include "lists/weak_title_words.inc"
};
const char kWebWords[][15] = {
#include "lists/web_words.inc"
};
const char kWorldCities[][15] = {
#include "lists/world_cities.inc"
};
}  // namespace

namespace lists {
const CWordList addressWords = WORD_LIST(kAddressWords);
const CWordList atTowns = WORD_LIST(kAtTowns);
const CWordList auStates = WORD_LIST(kAuStates);
const CWordList auTowns = WORD_LIST(kAuTowns);
const CWordList caCities = WORD_LIST_OFFSET(kCaCities, 2);
const CWordList caProvinceCodes = WORD_LIST(kCaProvinceCodes);
const CWordList caProvinces = WORD_LIST(kCaProvinces);
const CWordList chineseSurnames = WORD_LIST(kChineseSurnames);
const CWordList commonWords = WORD_LIST(kCommonWords);
const CWordList companyForms = WORD_LIST(kCompanyForms);
const CWordList companyWords = WORD_LIST(kCompanyWords);
const CWordList corrCompanyWords = WORD_LIST(kCorrCompanyWords);
const CWordList corrDepartments = WORD_LIST(kCorrDepartments);
const CWordList corrNetLabels = WORD_LIST(kCorrNetLabels);
const CWordList corrPhoneLabels = WORD_LIST(kCorrPhoneLabels);
const CWordList corrStreetWords = WORD_LIST(kCorrStreetWords);
const CWordList corrTitles = WORD_LIST(kCorrTitles);
const CWordList countries = WORD_LIST(kCountries);
const CWordList deAddressWords = WORD_LIST(kDeAddressWords);
const CWordList deCities = WORD_LIST(kDeCities);
const CWordList deCompanyForms = WORD_LIST(kDeCompanyForms);
const CWordList deCorrDepartments = WORD_LIST(kDeCorrDepartments);
const CWordList deCorrStreetWords = WORD_LIST(kDeCorrStreetWords);
const CWordList deDepartments = WORD_LIST(kDeDepartments);
const CWordList deFemale = WORD_LIST(kDeFemale);
const CWordList deMale = WORD_LIST(kDeMale);
const CWordList deShortForms = WORD_LIST(kDeShortForms);
const CWordList deStreetWords = WORD_LIST(kDeStreetWords);
const CWordList deSurnames = WORD_LIST(kDeSurnames);
const CWordList deTitles = WORD_LIST(kDeTitles);
const CWordList deVonDer = WORD_LIST(kDeVonDer);
const CWordList deWeakDepartments = WORD_LIST(kDeWeakDepartments);
const CWordList deWeakTitles = WORD_LIST(kDeWeakTitles);
const CWordList degreeWords = WORD_LIST(kDegreeWords);
const CWordList departmentWords = WORD_LIST(kDepartmentWords);
const CWordList emailLabels = WORD_LIST(kEmailLabels);
const CWordList esAddressWords = WORD_LIST(kEsAddressWords);
const CWordList esCities = WORD_LIST(kEsCities);
const CWordList esCompanyForms = WORD_LIST(kEsCompanyForms);
const CWordList esCorrCompanyWords = WORD_LIST(kEsCorrCompanyWords);
const CWordList esCorrStreetWords = WORD_LIST(kEsCorrStreetWords);
const CWordList esDepartments = WORD_LIST(kEsDepartments);
const CWordList esFemale = WORD_LIST(kEsFemale);
const CWordList esMale = WORD_LIST(kEsMale);
const CWordList esProvinces = WORD_LIST(kEsProvinces);
const CWordList esShortForms = WORD_LIST(kEsShortForms);
const CWordList esStreetWords = WORD_LIST(kEsStreetWords);
const CWordList esSurnames = WORD_LIST(kEsSurnames);
const CWordList esTitles = WORD_LIST(kEsTitles);
const CWordList faxLabels = WORD_LIST(kFaxLabels);
const CWordList femaleFirstNames = WORD_LIST(kFemaleFirstNames);
const CWordList frAddressWords = WORD_LIST(kFrAddressWords);
const CWordList frCities = WORD_LIST(kFrCities);
const CWordList frCompanyForms = WORD_LIST(kFrCompanyForms);
const CWordList frCompanyNames = WORD_LIST(kFrCompanyNames);
const CWordList frCompanyWords = WORD_LIST(kFrCompanyWords);
const CWordList frCorrCompanyWords = WORD_LIST(kFrCorrCompanyWords);
const CWordList frCorrDepartments = WORD_LIST(kFrCorrDepartments);
const CWordList frCorrStreetWords = WORD_LIST(kFrCorrStreetWords);
const CWordList frDepartments = WORD_LIST(kFrDepartments);
const CWordList frFemale = WORD_LIST(kFrFemale);
const CWordList frMale = WORD_LIST(kFrMale);
const CWordList frShortForms = WORD_LIST(kFrShortForms);
const CWordList frStreetWords = WORD_LIST(kFrStreetWords);
const CWordList frSurnames = WORD_LIST(kFrSurnames);
const CWordList frTitles = WORD_LIST(kFrTitles);
const CWordList frWeakDepartments = WORD_LIST(kFrWeakDepartments);
const CWordList hkDistricts = WORD_LIST(kHkDistricts);
const CWordList honorifics = WORD_LIST(kHonorifics);
const CWordList itAddressWords = WORD_LIST(kItAddressWords);
const CWordList itCapitals = WORD_LIST(kItCapitals);
const CWordList itCities = WORD_LIST(kItCities);
const CWordList itCompanyForms = WORD_LIST(kItCompanyForms);
const CWordList itCompanyNames = WORD_LIST(kItCompanyNames);
const CWordList itCorrCompanyWords = WORD_LIST(kItCorrCompanyWords);
const CWordList itCorrDepartments = WORD_LIST(kItCorrDepartments);
const CWordList itCorrStreetWords = WORD_LIST(kItCorrStreetWords);
const CWordList itFemale = WORD_LIST(kItFemale);
const CWordList itMale = WORD_LIST(kItMale);
const CWordList itProvinceCodes = WORD_LIST(kItProvinceCodes);
const CWordList itProvinces = WORD_LIST(kItProvinces);
const CWordList itShortForms = WORD_LIST(kItShortForms);
const CWordList itStreetWords = WORD_LIST(kItStreetWords);
const CWordList itSurnames = WORD_LIST(kItSurnames);
const CWordList itTitles = WORD_LIST(kItTitles);
const CWordList itWeakDepartments = WORD_LIST(kItWeakDepartments);
const CWordList jpAddressWords = WORD_LIST(kJpAddressWords);
const CWordList jpCities = WORD_LIST_OFFSET(kJpCities, 2);
const CWordList jpPrefectures = WORD_LIST(kJpPrefectures);
const CWordList jpSurnames = WORD_LIST(kJpSurnames);
const CWordList labelWords = WORD_LIST(kLabelWords);
const CWordList maleFirstNames = WORD_LIST(kMaleFirstNames);
const CWordList naCompanyNames = WORD_LIST(kNaCompanyNames);
const CWordList nameWords = WORD_LIST(kNameWords);
const CWordList nlAddressWords = WORD_LIST(kNlAddressWords);
const CWordList nlCities = WORD_LIST(kNlCities);
const CWordList nlCompanyForms = WORD_LIST(kNlCompanyForms);
const CWordList nlCompanyWords = WORD_LIST(kNlCompanyWords);
const CWordList nlCorrCompanyWords = WORD_LIST(kNlCorrCompanyWords);
const CWordList nlCorrDepartments = WORD_LIST(kNlCorrDepartments);
const CWordList nlCorrStreetWords = WORD_LIST(kNlCorrStreetWords);
const CWordList nlDepartments = WORD_LIST(kNlDepartments);
const CWordList nlFemale = WORD_LIST(kNlFemale);
const CWordList nlMale = WORD_LIST(kNlMale);
const CWordList nlShortForms = WORD_LIST(kNlShortForms);
const CWordList nlStreetWords = WORD_LIST(kNlStreetWords);
const CWordList nlSurnames = WORD_LIST(kNlSurnames);
const CWordList nlTitles = WORD_LIST(kNlTitles);
const CWordList nlWeakDepartments = WORD_LIST(kNlWeakDepartments);
const CWordList onlineServices = WORD_LIST(kOnlineServices);
const CWordList phoneKinds = WORD_LIST(kPhoneKinds);
const CWordList phoneLabels = WORD_LIST(kPhoneLabels);
const CWordList serviceLabels = WORD_LIST(kServiceLabels);
const CWordList shortCompanyForms = WORD_LIST(kShortCompanyForms);
const CWordList streetWords = WORD_LIST(kStreetWords);
const CWordList surnames = WORD_LIST(kSurnames);
const CWordList titleWords = WORD_LIST(kTitleWords);
const CWordList twCities = WORD_LIST(kTwCities);
const CWordList twTaiwan = WORD_LIST(kTwTaiwan);
const CWordList ukCounties = WORD_LIST(kUkCounties);
const CWordList ukHouse = WORD_LIST(kUkHouse);
const CWordList ukTowns = WORD_LIST(kUkTowns);
const CWordList usCities = WORD_LIST_OFFSET(kUsCities, 2);
const CWordList usStateCodes = WORD_LIST(kUsStateCodes);
const CWordList usStates = WORD_LIST(kUsStates);
const CWordList weakDepartmentWords = WORD_LIST(kWeakDepartmentWords);
const CWordList weakTitleWords = WORD_LIST(kWeakTitleWords);
const CWordList webWords = WORD_LIST(kWebWords);
const CWordList worldCities = WORD_LIST(kWorldCities);
}  // namespace lists
