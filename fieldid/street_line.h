// Street lines above the line of their town: place names inside them ("4400 Silverado Trail",
// "Via Roma 45", "250 Park Avenue"), and streets without a street word ("30 St Mary Axe").
#pragma once

// A line whose first or last word is a house number, right above an address line that holds a
// city and a postal code or state, and that scores no address, telephone, fax, e-mail, web,
// number, post box or zip code, is that address's street: its name, company, department, title
// and none kinds become 0 and it scores Address with its best score (at least 1), so that it is
// joined to the town's line. Runs after the winners are picked, before any line is joined.
void FID_street_lines_over_towns();

// A line with a house number whose only address pieces are a city, state or country, above the
// next address line that holds a city and a postal code or state, or ends in a British or
// Canadian code, is that address's street: its pieces are freed and their kinds become 0 (its
// Address score stays), so that the two lines are joined as one address. Runs before the address
// lines are joined.
void FID_free_places_in_street_lines();
