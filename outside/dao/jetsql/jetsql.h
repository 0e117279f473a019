// Jet criteria texts in SQLite: the condition language that the card engine and its callers
// write (WHERE texts and Find criteria) translated into SQLite expressions, the functions
// those expressions call, and OLE automation dates.
#pragma once

#include <string>

struct sqlite3;

namespace jetsql {

// Translates a Jet condition (a WHERE text or a Find criteria, without the keyword) into an
// SQLite expression over the same column names.
//   Understood: AND, OR, NOT, parentheses; = <> < <= > >= (text compares without regard to
//   case, by the text collation); [NOT] Like with the Jet wildcards * ? # [list] [!list] [a-m]; Is [Not] Null;
//   'strings' and "strings" with doubled quotes; numbers (with an optional leading minus);
//   date literals #m-d-yyyy#, #m/d/yyyy# with an optional time h:mm or h:mm:ss, which become
//   OLE date numbers (a two-digit year is one of 1930-2029: 00-29 are 2000-2029); the keyword Null; column names bare or in [brackets]. Keywords are
//   recognised without regard to case. Columns come out as double-quoted identifiers.
//   Like with a string-literal pattern is checked here; other patterns are checked when the
//   statement runs (jet_like raises an SQLite error for a malformed one).
// Returns true and writes *sqliteExpr; or returns false and writes to *errorText (either
// pointer may be null) "Syntax error (missing operator) in query expression '<text>'." for a
// malformed text, or "Expression too deeply nested in query expression '<text>'." past 200
// levels of parentheses and NOT. Nothing is ever written to *sqliteExpr on failure.
bool TranslateCriteria(const std::string& jetText, std::string* sqliteExpr, std::string* errorText);

// The collation of Jet text: texts compare and sort by the rules of a Windows locale without
// regard to case (CompareStringW with NORM_IGNORECASE, on the texts read in the process's ANSI
// code page), so "\xC9mile" sorts between "Eliot" and "Fabre", not after "Zimmer". Every text
// comparison of a translated expression uses it.
constexpr const char* kTextCollation = "JETTEXT";
// The locale of Jet's general sort order (";LANGID=0x0409;CP=1252;COUNTRY=0").
constexpr unsigned long kGeneralLocaleId = 0x0409;

// Registers (or replaces) the collation on the connection for the locale. Returns the SQLite
// result code of the registration. A connection must use the locale of the file it opened for
// its whole life: the file's indexes are kept in that order.
int RegisterCollation(sqlite3* db, unsigned long localeId);

// The locale of a Jet locale string such as ";LANGID=0x0804;CP=936;COUNTRY=0" (the general
// sort order's when it names none).
unsigned long LocaleIdOf(const std::string& locale);

// Registers on the connection every function that a translated expression may call:
// jet_like(value, pattern), Jet's Like without regard to case (ASCII and Latin-1 letters),
// Null when either argument is Null, an SQLite error for a malformed pattern; and the text
// collation for the general sort order's locale.
// Returns the SQLite result code of the registration (SQLITE_OK, 0, on success).
int RegisterFunctions(sqlite3* db);

// The OLE automation date of a calendar date and time: days since 1899-12-30 plus the
// fraction of the day; before 1899-12-30 the whole part is negative and the time of day is
// subtracted (1899-12-29 06:00 is -1.25). Years 100 to 9999. Returns NaN for parts out of
// range (month 13, 31 April, hour 24, ...).
double OleDateFromParts(int y, int mo, int d, int h, int mi, int s);

// As OleDateFromParts, but for the years 1 to 9999. A value before the year 100 is one that
// OleDateToParts does not read back (OleDateToPartsFromYearOne does); it is for callers that
// keep such years as they are given.
double OleDateFromPartsFromYearOne(int y, int mo, int d, int h, int mi, int s);

// The reverse, rounded to whole seconds: parts = year, month, day, hour, minute, second.
// Returns false (parts untouched) for NaN, infinities and values outside 100-01-01 to
// 9999-12-31 23:59:59.
bool OleDateToParts(double v, int parts[6]);
// As OleDateToParts, but for the years 1 to 9999: reads back what OleDateFromPartsFromYearOne
// wrote.
bool OleDateToPartsFromYearOne(double v, int parts[6]);

}  // namespace jetsql
