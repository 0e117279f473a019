// Field identification's result carried back into the lines of the page.
#pragma once
#include "cardinfo.h"
#include "recogpage.h"

// Gives every line of the page the field kind (+144) of the identified value whose rectangle
// covers it best (largest share of the union of the two) and group 0; a line that no value
// covers gets group 1 and kind 20 (note).
void AssignFieldKinds(RecogPage& page, const CardInfo& fields);
