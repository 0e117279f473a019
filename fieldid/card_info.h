// Scores to confidences, filling the card-info record, and the company recheck.
#pragma once
#include "cardinfo.h"

void FID_scores_to_confidence();
void FID_fill_card_info(CardInfo* cardInfo);
int FID_recheck_company(CardInfo* cardInfo);
// The street part of an address: what stands before the last occurrences of the country,
// zip code, state and city (searched right to left in that order), tidied.
void FID_street_before(const char* address, const char* country, const char* zip, const char* state, const char* city,
                       char* street, size_t cap);
