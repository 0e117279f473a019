// Moving single cards between the flat (V3) and the grouped (V4) record.
#pragma once
#include "cardrec.h"

namespace ferrow {

// The target must be zeroed; the source read with its long columns.
void CardRecV3ToV4(const CardRec& source, CardRecV4& target);

// The target must be zeroed. Its note, image and thumbnail descriptors point into buffers of
// the converter that the next call overwrites: store the record before converting another.
void CardRecV4ToV3(const CardRecV4& source, CardRec& target);

// Terminates each of the 35 texts of a flat record at its own width.
void TerminateCardRecFields(CardRec& card);

}  // namespace ferrow
