// The engine's field identification of one card (FieldResult) and its mapping into a card
// record. Laid out as the engine writes it (the CardInfo layout of the shared header).
#pragma once
#include "cardinfo.h"
#include "cardrec.h"

typedef CardInfo FieldResult;
#define FIELD_RESULT_SIZE 5308
#define NOTE_CAPACITY     32768

// Orders the lines of each field kind by score, highest first (kinds 9, 10 and 13 follow the
// address lines they belong to instead).
void SortFieldLinesByScore(FieldResult* result);

// The weighted score of the whole result, for comparing orientations.
int32_t ScoreFieldResult(const FieldResult* result);

// Zeroes the card and fills it from the result; the card's CNote owns an OCR_malloc note
// buffer when the note is not empty. Returns 1.
int FillCardRecordFromFields(CardRec* card, const FieldResult* result);
