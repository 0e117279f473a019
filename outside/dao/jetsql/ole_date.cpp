// OLE automation dates: day 0 is 1899-12-30; negative days count backwards but keep the time
// of day as a positive fraction, so the value is not monotonic before day 0.
#include "jetsql.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace jetsql {
namespace {

constexpr int kMinYear = 100;
constexpr int kMaxYear = 9999;
constexpr long long kSecondsPerDay = 86400;

// Days since 1970-01-01 of a proleptic Gregorian date.
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, int* y, int* m, int* d) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    *d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    *m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    *y = static_cast<int>(static_cast<long long>(yoe) + era * 400 + (*m <= 2));
}

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeapYear(y) ? 29 : kDays[m - 1];
}

const long long kEpochDays = DaysFromCivil(1899, 12, 30);

}  // namespace

namespace {

double OleDateFromPartsSince(int lowestYear, int y, int mo, int d, int h, int mi, int s) {
    if (y < lowestYear || y > kMaxYear || mo < 1 || mo > 12 || d < 1 || d > DaysInMonth(y, mo) || h < 0 || h > 23 ||
        mi < 0 || mi > 59 || s < 0 || s > 59)
        return std::numeric_limits<double>::quiet_NaN();
    const long long days = DaysFromCivil(y, static_cast<unsigned>(mo), static_cast<unsigned>(d)) - kEpochDays;
    const double fraction = static_cast<double>(h * 3600 + mi * 60 + s) / kSecondsPerDay;
    return days >= 0 ? static_cast<double>(days) + fraction : static_cast<double>(days) - fraction;
}

}  // namespace

double OleDateFromParts(int y, int mo, int d, int h, int mi, int s) {
    return OleDateFromPartsSince(kMinYear, y, mo, d, h, mi, s);
}

double OleDateFromPartsFromYearOne(int y, int mo, int d, int h, int mi, int s) {
    return OleDateFromPartsSince(1, y, mo, d, h, mi, s);
}

namespace {

bool OleDateToPartsSince(int lowestYear, double v, int parts[6]) {
    if (!std::isfinite(v)) return false;
    const double whole = std::trunc(v);
    const double lowest = static_cast<double>(DaysFromCivil(lowestYear, 1, 1) - kEpochDays);
    const double highest = static_cast<double>(DaysFromCivil(kMaxYear, 12, 31) - kEpochDays);
    if (whole < lowest || whole > highest) return false;
    long long day = static_cast<long long>(whole);
    long long seconds = std::llround(std::fabs(v - whole) * kSecondsPerDay);
    if (seconds >= kSecondsPerDay) {  // rounding reached midnight of the next calendar day
        seconds -= kSecondsPerDay;
        ++day;
    }
    int y, m, d;
    CivilFromDays(day + kEpochDays, &y, &m, &d);
    if (y > kMaxYear) return false;
    parts[0] = y;
    parts[1] = m;
    parts[2] = d;
    parts[3] = static_cast<int>(seconds / 3600);
    parts[4] = static_cast<int>(seconds / 60 % 60);
    parts[5] = static_cast<int>(seconds % 60);
    return true;
}

}  // namespace

bool OleDateToParts(double v, int parts[6]) { return OleDateToPartsSince(kMinYear, v, parts); }

bool OleDateToPartsFromYearOne(double v, int parts[6]) { return OleDateToPartsSince(1, v, parts); }

}  // namespace jetsql
