// Correction of misread words in the filled card-info record against the word lists.
#pragma once
#include "cardinfo.h"

void FID_correct_values(CardInfo* cardInfo);
