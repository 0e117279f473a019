// Where lines lie on the card: their distance, and the box of two lines joined into one.
#pragma once

// 0 for the same line, 30,000 when either line lies outside the store.
int lineDistance(int a, int b);
inline bool areAdjacent(int a, int b) { return lineDistance(a, b) < 100; }

// Line `into`'s box becomes the smallest box holding both lines' boxes.
void uniteBoxes(int into, int from);
