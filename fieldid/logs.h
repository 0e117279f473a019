// The two debug logs, appended to only when their folder exists.
#pragma once
#include "cardinfo.h"

// Appends the line store to the input log.
void logInput();
// Appends every value of the record to the output log, labelled by its field kind.
void logOutput(const CardInfo* cardInfo);
