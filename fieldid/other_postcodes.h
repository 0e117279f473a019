// Postcodes of the forms the regional postal steps do not read.
#pragma once

// For each address line without a postcode whose last printed line ends in a British postcode
// ("London EC4Y 7EL"), begins with a four-digit postcode before a town ("8001 Zürich",
// "CH-8800 Thalwil", "1070 Wien") or ends in a state and four digits ("Sydney NSW 2000"): the
// code becomes the record's ZipCode and the town its City when it has none, so that the street
// is no longer taken to run to the end of the address. Runs after the regional postal steps.
void FID_find_other_postcodes();
