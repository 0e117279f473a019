#include "kvdb_datetext.h"

#include <cstdio>

std::string JetDateLiteral(int year, int month, int day, int hour, int minute, int second) {
    char text[96];
    std::snprintf(text, sizeof text, "#%d-%d-%d %d:%02d:%02d#", month, day, year, hour, minute, second);
    return text;
}
