// Where lines lie on the card: their distance, and the box of two lines joined into one.
#pragma once

// 0 for the same line, 30,000 when either line lies outside the store.
int FID_line_distance(int a, int b);
inline bool FID_adjacent(int a, int b) { return FID_line_distance(a, b) < 100; }

// Line `into`'s box becomes the smallest box holding both lines' boxes.
void FID_unite_boxes(int into, int from);
