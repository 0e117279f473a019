#include "kvdb_oledate.h"

#include <windows.h>

#include <cmath>

#include "jetsql.h"

// The arithmetic is the data layer's own, so that a date the engine writes is the value the
// layer compares in criteria and hands back. The engine keeps its wider range both ways: a year
// from 1 is stored, not replaced by the current date, and read back as it was stored.
bool OleDateFromParts(const int p[6], double* date) {
    const double value = jetsql::OleDateFromPartsFromYearOne(p[0], p[1], p[2], p[3], p[4], p[5]);
    if (std::isnan(value)) return false;
    *date = value;
    return true;
}

bool OleDateToParts(double date, int parts[6]) { return jetsql::OleDateToPartsFromYearOne(date, parts); }

double OleDateNow() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    const int parts[6] = {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
    double date = 0;
    OleDateFromParts(parts, &date);
    return date;
}
