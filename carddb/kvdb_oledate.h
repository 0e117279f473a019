// Dates as the database keeps them (OLE automation dates: days since 1899-12-30, the fraction
// is the time of day) and as card records carry them (year, month, day, hour, minute, second).
#pragma once

// False, and *date untouched, for a date the calendar rejects (30 February, hour 24, year 0).
bool OleDateFromParts(const int parts[6], double* date);

// False, and parts untouched, for a value outside the years 100 to 9999.
bool OleDateToParts(double date, int parts[6]);

// The current local date and time as an OLE date.
double OleDateNow();
