// A company printed on the card without a legal form or list word, found through the domain
// that its web site or e-mail address abbreviates.
#pragma once
#include "cardinfo.h"

// When the record holds no company, looks for a line that the card's web or e-mail domain word
// spells out (Helios Solar for heliossolar, Kessler Engineering Group for kesslereng, Pruitt,
// Vance & Okafor for pvo-cpa) among the lines that were taken for a title, a department or
// nothing; such a line becomes the Company value (confidence 50) and leaves those kinds. With no
// such line, the card's first line does when the name stands below it, or else the first line
// below the name and its title; either holds no digit, "@" or comma, is not the card's only
// title, not a department that its words make sure of (half the full score or more) and no
// slogan (a word of four letters or more in lower case).
// When the record holds one company, the spelt line replaces it where that value is the spelt
// line joined with a line below the name, or that line joined with the spelt text below it, or
// a line that only its shape scored (below half the full score); the line given up becomes the
// title when it stands right below the name and the record has none.
void FID_company_from_domain_line(CardInfo* cardInfo);
