#include "kvdb_oledate.h"

#include <windows.h>

#include <cmath>

namespace {

// Days from 1970-01-01 of a proleptic Gregorian date, and back.
long long DaysFromCivil(long long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, int* year, int* month, int* day)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    *year = static_cast<int>(static_cast<long long>(yoe) + era * 400 + (m <= 2));
    *month = static_cast<int>(m);
    *day = static_cast<int>(d);
}

const long long kOleEpoch = DaysFromCivil(1899, 12, 30);

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : days[m - 1];
}

}  // namespace

bool OleDateFromParts(const int p[6], double* date)
{
    const int y = p[0], mo = p[1], d = p[2], h = p[3], mi = p[4], s = p[5];
    if (y < 1 || y > 9999 || mo < 1 || mo > 12 || d < 1 || d > DaysInMonth(y, mo)) return false;
    if (h < 0 || h > 23 || mi < 0 || mi > 59 || s < 0 || s > 59) return false;
    const double days = static_cast<double>(DaysFromCivil(y, static_cast<unsigned>(mo), static_cast<unsigned>(d)) - kOleEpoch);
    const double time = (h * 3600.0 + mi * 60.0 + s) / 86400.0;
    // Before the epoch the fraction still counts forward from midnight: -1.25 is 1899-12-29 06:00.
    *date = days >= 0 ? days + time : days - time;
    return true;
}

bool OleDateToParts(double date, int parts[6])
{
    if (!(date > -657435.0 && date < 2958466.0)) return false;  // 0100-01-01 .. 9999-12-31
    double days = std::trunc(date);
    double fraction = std::fabs(date - days);
    long long seconds = std::llround(fraction * 86400.0);
    if (seconds >= 86400) {  // rounding up to the next midnight
        seconds -= 86400;
        days += date >= 0 ? 1 : -1;
    }
    CivilFromDays(static_cast<long long>(days) + kOleEpoch, &parts[0], &parts[1], &parts[2]);
    parts[3] = static_cast<int>(seconds / 3600);
    parts[4] = static_cast<int>(seconds / 60 % 60);
    parts[5] = static_cast<int>(seconds % 60);
    return true;
}

double OleDateNow()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    const int parts[6] = {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
    double date = 0;
    OleDateFromParts(parts, &date);
    return date;
}
