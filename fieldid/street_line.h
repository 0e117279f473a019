// Place names inside a street line ("4400 Silverado Trail", "Via Roma 45", "250 Park Avenue")
// above the line of the town.
#pragma once

// A line with a house number whose only address pieces are a city, state or country, above the
// next address line that holds a city and a postal code or state, is that address's street: its
// pieces are freed and their kinds become 0 (its Address score stays), so that the two lines
// are joined as one address. Runs before the address lines are joined.
void FID_free_places_in_street_lines();
