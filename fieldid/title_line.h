// A title that no title list holds, printed right below the name.
#pragma once
#include "cardinfo.h"

// When the record holds a name and no title, and the line right below the name line went to
// nothing (None) while it reads as a title (letters, no digit or "@", at most six words:
// "Estimator", "Pediatric Cardiologist", "Treuhaender"), that line becomes the Title value
// (confidence 50) and leaves the None values.
void FID_title_below_name(CardInfo* cardInfo);
