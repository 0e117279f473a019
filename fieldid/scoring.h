// The scoring passes: keywords and word lists first, then shape, postal, position and winners.
#pragma once

// Runs every scoring pass over the line store, in order.
void FID_score_lines();
void scoreKeywords();    // pass 1
void scoreStatistics();  // passes 2 to 16
