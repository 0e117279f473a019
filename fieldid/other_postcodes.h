// Postcodes of the forms the regional postal steps do not read.
#pragma once

// For each address line without a postcode whose last printed line ends in a British postcode
// ("London EC4Y 7EL") or, with the North American region off, a Canadian code, or is followed by
// a line of that code alone, begins with a four-digit postcode before a town ("8001 Zurich",
// "CH-8800 Thalwil", "1070 Wien") or ends in a state and four digits ("Sydney NSW 2000"): the
// code becomes the record's ZipCode and the town its City when it has none, so that the street
// is no longer taken to run to the end of the address; a state or country only guessed from the
// town list and not printed is dropped from a British or Canadian address. Runs after the
// regional postal steps.
void FID_find_other_postcodes();

// Where a British postcode (outward code A9, A99, AA9, AA99, A9A or AA9A standing alone, blanks,
// a digit and two letters) ends the text; -1 when none does.
int britishPostcodeStart(const char* text);
// Where a Canadian code ("H2T 1R2" or "H2T1R2") standing alone ends the text; -1 when none does.
int canadianPostcodeStart(const char* text);

// A line of a town and a British postcode, or with the North American region off a Canadian
// code, that no address word made an address ("Montreal (Quebec)  H2T 1R2" taken for a
// telephone) scores Address with its best score (at least 10) and every other kind but the
// address kinds becomes 0; so do a code standing alone and a town no list knows right above it
// ("Otley" over "LS21 3JP"). Runs after the winners are picked, before any line is joined.
void FID_score_postcode_lines();
