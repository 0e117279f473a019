#include "record_mends.h"
#include "card_values.h"
#include "company_line.h"
#include "title_line.h"

void FID_mend_record(CardInfo* cardInfo, int givenNames) {
    // Mends a second line kept as a name ("Gift Shop" beside "Orlando Bloomfield").
    keepOneName(cardInfo, givenNames);
    // Mends a card without a company whose firm's line went to a title, a department or nothing,
    // and a company won by a joined or shape-scored line while the domain spells another.
    FID_company_from_domain_line(cardInfo);
    // Mends a title no list holds, right below the name, taken for nothing or a second company.
    FID_title_below_name(cardInfo);
}
