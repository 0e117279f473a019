// Scores to confidences, filling the card-info record, and the company recheck.
#pragma once
#include <stddef.h>
#include "cardinfo.h"

// Turns the raw scores of the lines in use into confidences from 0 to 100.
void FID_scores_to_confidence();
// Appends the values of the lines, address records, name parts and degrees to the record.
void FID_fill_card_info(CardInfo* cardInfo);
// The company word of a web address or of an e-mail address's domain (empty when none).
void webHostWord(const char* url, char* word, size_t cap);
void emailDomainWord(const char* address, char* word, size_t cap);
// Derives a company from the web site or e-mail domain when the card shows none; 0 for null.
int recheckCompany(CardInfo* cardInfo);
// The street part of an address: what stands before the last occurrences of the country,
// zip code, state and city (searched right to left in that order), tidied.
void streetBefore(const char* address, const char* country, const char* zip, const char* state, const char* city,
                  char* street, size_t cap);
