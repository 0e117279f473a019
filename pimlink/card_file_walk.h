// The card-file forms of the connector passes: the cards to send read from a V4 card file
// instead of the caller's array.
#pragma once
#include <functional>
#include "cardrec.h"

namespace ferrow {

// Calls send for every card of the V4 card file at path whose Flags is below 2 (read without
// its images), in name order. False when the card file or its card table cannot be opened.
bool ForEachCardToSend(const char* path, const std::function<void(CardRecV4& card)>& send);

// The same over a card file the caller opened (as V4).
class CCardFileSide;
void ForEachCardToSend(CCardFileSide& source, const std::function<void(CardRecV4& card)>& send);

// True for a card an export sends: Flags below 2 (a signed word).
inline bool IsCardToSend(const CardRecV4& card) { return card.Flags < 2; }

}  // namespace ferrow
