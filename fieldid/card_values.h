// Edits of a filled record made by the steps that mend it after the scores are turned into values.
#pragma once
#include "cardinfo.h"

// The line value v stands on when that is a line of this card, else -1. A caller may hand in a
// partly filled record, so a line number no step of this identification made is never trusted.
int lineOfValue(const CardInfoSlot& slot, int v);
// The line of the slot's first value that stands on a line of this card; -1 when none.
int firstLineOf(const CardInfoSlot& slot);

// The index of the slot's value that stands on the line, -1 when none.
int valueOnLine(const CardInfoSlot& slot, int line);

// Removes the values of one line (or, with `index` set, the value at that index) from a slot and
// closes the gap.
void dropValues(CardInfoSlot& slot, int line, int index = -1);

// The record holds one person's name: of the Name values this identification placed (those from
// index `given` on), the one of the highest confidence stays and the other lines become None.
void keepOneName(CardInfo* info, int given);

// A line given up by the company, or left to nothing, that stands right below the name on a card
// without a title is the person's title (Luthier, Cartographer, Estimator: words no title list
// holds), unless it holds a company form: it becomes the one Title value with the given confidence and leaves the None values.
void titleBelowName(CardInfo* info, int j, int confidence);
