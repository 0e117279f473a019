// The library boundary: each export resets the one identification state and runs its steps.
#include <string.h>
#include "address.h"
#include "card_info.h"
#include "contacts.h"
#include "correction.h"
#include "email_address_line.h"
#include "fid_state.h"
#include "firm_name_line.h"
#include "language.h"
#include "line_loading.h"
#include "logs.h"
#include "names.h"
#include "other_postcodes.h"
#include "person_line.h"
#include "record_mends.h"
#include "street_line.h"
#include "town_firm_line.h"
#include "parsel.h"
#include "scoring.h"
#include "text_util.h"

namespace {

// Steps 3 to 20 of an identification, once the card's lines are in the line store.
void identify(const RecogPage* page, CardInfo* cardInfo, int languageKind) {
    // Kinds 1 and 4 score this card's own lines, never the previous card's.
    decideLanguage(languageKind);
    logInput();
    FID_split_service_labels(page);
    if (regionOn(RegionGerman)) FID_cut_german_degrees();
    FID_score_lines();
    FID_person_taken_as_place();
    FID_firm_named_after_its_town();
    FID_score_postcode_lines();
    FID_street_lines_over_towns();
    FID_join_company_lines();
    FID_join_department_lines();
    FID_free_places_in_street_lines();
    FID_join_address_lines();
    FID_separate_addresses();
    FID_split_name_title();
    FID_find_numbers();
    FID_keep_email_address_lines();
    FID_find_net_addresses();
    FID_clean_lines();
    FID_firm_name_line();
    FID_split_name_parts();
    FID_scores_to_confidence();
    int givenNames = cardInfo->Field[FieldName].Count;
    FID_fill_card_info(cardInfo);
    FID_mend_record(cardInfo, givenNames);
    recheckCompany(cardInfo);
    FID_correct_values(cardInfo);
    logOutput(cardInfo);
}

void prepareCardInfo(CardInfo* cardInfo) {
    // Values are appended behind counts the caller left; a count outside 0..4 would index past the slot.
    for (CardInfoSlot& slot : cardInfo->Field) {
        if (slot.Count < 0) slot.Count = 0;
        if (slot.Count > 4) slot.Count = 4;
    }
}

// Runs an export's body; no C++ exception (an allocation that fails) may cross the C boundary,
// so one ends the export with failure.
template <typename Body>
int32_t guarded(Body body) {
    try {
        return body();
    } catch (...) {
        return 0;
    }
}

}  // namespace

extern "C" int32_t Get_FID_Western(const RecogPage* page, CardInfo* cardInfo, int32_t languageKind) {
    if (!page || !cardInfo) return 0;
    return guarded([&]() -> int32_t {
        resetState();
        if (!FID_load_page_lines(page)) return 0;
        prepareCardInfo(cardInfo);
        identify(page, cardInfo, languageKind);
        return 1;
    });
}

extern "C" int32_t Get_FID_Western_From_Strings(const char* text, int32_t lineStride, int32_t lineCount,
                                                CardInfo* cardInfo, int32_t languageKind) {
    if (!text || !cardInfo) return 0;
    return guarded([&]() -> int32_t {
        resetState();
        if (!FID_load_string_lines(text, lineStride, lineCount)) return 0;
        prepareCardInfo(cardInfo);
        identify(nullptr, cardInfo, languageKind);
        return 1;
    });
}

extern "C" int32_t FID_separate_full_addr(const char* address, char* country, char* state, char* city, char* street,
                                          char* zipCode, int32_t languageKind) {
    if (!address || !country || !state || !city || !street || !zipCode) return 0;
    return guarded([&]() -> int32_t {
        resetState();
        char* line = g_fid.lines[0];
        size_t n = 0;
        for (const char* p = address; *p && n < static_cast<size_t>(kLineMax);) {
            if (p[0] == '\r' && p[1] == '\n') {
                if (n + 2 > static_cast<size_t>(kLineMax)) break;
                line[n++] = ',';
                line[n++] = ' ';
                p += 2;
                continue;
            }
            size_t step = (isHighByte(*p) && p[1]) ? 2 : 1;
            if (n + step > static_cast<size_t>(kLineMax)) break;
            memcpy(line + n, p, step);
            n += step;
            p += step;
        }
        line[n] = 0;
        g_fid.lineCount = 1;
        // Kinds 1 and 4 score the address itself, as an identification scores its card.
        decideLanguage(languageKind);
        FID_score_lines();
        cell(FieldAddress, 0) += 100;
        FID_separate_addresses();
        FID_clean_lines();
        const AddressRecord& r = g_fid.address[0];
        copyBounded(country, 18, r.Country);
        copyBounded(state, 22, r.State);
        copyBounded(city, 30, r.City);
        copyBounded(zipCode, 14, r.ZipCode);
        streetBefore(address, country, zipCode, state, city, street, strlen(address) + 1);
        return 1;
    });
}

extern "C" int32_t FID_separate_full_name(char* fullName, char* prefix, char* first, char* middle, char* last,
                                          char* suffix) {
    if (!fullName || !prefix || !first || !middle || !last || !suffix || !*fullName) return 0;
    return guarded([&]() -> int32_t {
        resetState();
        return separateNameText(fullName, prefix, first, middle, last, suffix);
    });
}

extern "C" int32_t RecheckImportantFieldInCardInfo(CardInfo* cardInfo) {
    return guarded([&]() -> int32_t { return recheckCompany(cardInfo); });
}
