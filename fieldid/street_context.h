// Whether the words behind a place name found in a line show it to be part of a street or
// building name ("Springfield Plaza", "Wellington St") rather than the card's city or state.
#pragma once

// `upper` is the line in upper case, `end` the position just behind the place name.
bool followedByPlaceWord(const char* upper, int end);

// Address words that end the names of towns themselves ("Menlo Park", "Jersey City"); `word` is
// upper case without blanks.
bool isTownWord(const char* word);
