// A firm that won the name while the person's own name stands on another line.
#pragma once
#include <string>
#include <vector>

// When the card's web or e-mail domain spells the name line ("Garrity & Stone", "Carrick
// Fenwick") or is one of its words ("Drukkerij Peeters" for peeters.be), while the user part of an e-mail address names another line that was taken for a
// company, a title, a department or nothing (its words given whole or by initial, or its first
// name alone), the two change places in the score table: the spelt line scores Company and the
// named line Name (each with the name line's score), before the name is split.
void FID_firm_name_line();

// The domain words of the lines that score as web site or e-mail ("heliossolar" for
// www.heliossolar.com), in line order.
std::vector<std::string> lineDomainWords();
