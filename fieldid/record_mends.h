// The stage that mends a filled record: steps added after the record is filled, each correcting
// a plainly wrong result of the scoring and filling passes.
#pragma once
#include "cardinfo.h"

// Runs the record's mends in order. Each works on the record alone (never on the score table),
// trusts no line number it did not make (lineOfValue, firstLineOf), keeps one Name, and gives a
// line to a new kind only after taking it from the kinds it held (takeLineAsCompany,
// titleBelowName). `givenNames` is the Name count the caller left in the record: those values
// are never touched.
void FID_mend_record(CardInfo* cardInfo, int givenNames);
