// Text order as Jet gives it: the rules of the database's Windows locale, without regard to
// case, through the system's own string comparison.
#include "jetsql.h"

#include <windows.h>

#include <sqlite3.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace jetsql {
namespace {

// Widens ANSI text of the process code page (how the card engine keeps it) into `small`, or
// into `large` when it does not fit; returns the characters and their count.
const wchar_t* Widen(const void* text, int bytes, wchar_t* small, int smallSize, std::wstring& large, int* count) {
    const char* ansi = static_cast<const char*>(text);
    *count = bytes ? MultiByteToWideChar(CP_ACP, 0, ansi, bytes, small, smallSize) : 0;
    if (*count > 0 || bytes == 0) return small;
    const int needed = MultiByteToWideChar(CP_ACP, 0, ansi, bytes, nullptr, 0);
    large.assign(static_cast<size_t>(needed > 0 ? needed : 0), L'\0');
    *count = needed > 0 ? MultiByteToWideChar(CP_ACP, 0, ansi, bytes, &large[0], needed) : 0;
    return large.c_str();
}

int CompareJetText(void* locale, int bytesA, const void* a, int bytesB, const void* b) {
    const LCID lcid = static_cast<LCID>(reinterpret_cast<uintptr_t>(locale));
    wchar_t smallA[256], smallB[256];
    std::wstring largeA, largeB;
    int countA = 0, countB = 0;
    const wchar_t* wideA = Widen(a, bytesA, smallA, 256, largeA, &countA);
    const wchar_t* wideB = Widen(b, bytesB, smallB, 256, largeB, &countB);
    const int order = CompareStringW(lcid, NORM_IGNORECASE, wideA, countA, wideB, countB);
    if (order != 0) return order - CSTR_EQUAL;
    // The system refused (an unknown locale): byte order keeps the collation a total order.
    const int common = std::memcmp(a, b, static_cast<size_t>(bytesA < bytesB ? bytesA : bytesB));
    return common ? common : bytesA - bytesB;
}

}  // namespace

int RegisterCollation(sqlite3* db, unsigned long localeId) {
    return sqlite3_create_collation_v2(db, kTextCollation, SQLITE_UTF8,
                                       reinterpret_cast<void*>(static_cast<uintptr_t>(localeId)), &CompareJetText,
                                       nullptr);
}

unsigned long LocaleIdOf(const std::string& locale) {
    const size_t at = locale.find("LANGID=");
    if (at == std::string::npos) return kGeneralLocaleId;
    const unsigned long language = std::strtoul(locale.c_str() + at + 7, nullptr, 0);
    return language ? MAKELCID(static_cast<WORD>(language), SORT_DEFAULT) : kGeneralLocaleId;
}

}  // namespace jetsql
