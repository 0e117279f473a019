// The scoring passes: keywords and word lists first, then shape, postal, position and winners.
#pragma once

void FID_score_lines();
void FID_score_keywords();    // pass 1
void FID_score_statistics();  // passes 2 to 16
