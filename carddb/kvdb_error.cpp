#include "kvdb_error.h"

#include <windows.h>

#include <cstdio>
#include <string>

void ReportDaoError(int errorNumber, const char* source, const char* description) {
    const char* format = "DAO error %d, SOURCE = %s, DESCR = %s";
    const char* src = source ? source : "";
    const char* descr = description ? description : "";
    int length = std::snprintf(nullptr, 0, format, errorNumber, src, descr);
    std::string report(length > 0 ? static_cast<size_t>(length) : 0, '\0');
    std::snprintf(&report[0], report.size() + 1, format, errorNumber, src, descr);
    MessageBoxA(nullptr, report.c_str(), "kvdb32", MB_OK);
}
