// A title that no title list holds, printed right below the name.
#pragma once
#include "cardinfo.h"

// When the record holds a name and no title, and the line right below the name line reads as a
// title (letters, no digit or "@", at most six words) while it went to nothing (None:
// "Estimator", "Pediatric Cardiologist", "Treuhaender"; confidence 50) or is the second of two
// companies ("Claims Adjuster"; its confidence kept), that line becomes the Title value and
// leaves those values.
void FID_title_below_name(CardInfo* cardInfo);
