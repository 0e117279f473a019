// A company printed on the card without a legal form or list word, found through the domain
// that its web site or e-mail address abbreviates.
#pragma once
#include "cardinfo.h"

// When the record holds no company, looks for a line that the card's web or e-mail domain word
// spells out (Helios Solar for heliossolar, Kessler Engineering Group for kesslereng, Pruitt,
// Vance & Okafor for pvo-cpa) among the lines that were taken for a title, a department or
// nothing; such a line becomes the Company value (confidence 50) and leaves those kinds.
void FID_company_from_domain_line(CardInfo* cardInfo);
