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
//   case); [NOT] Like with the Jet wildcards * ? # [list] [!list] [a-m]; Is [Not] Null;
//   'strings' and "strings" with doubled quotes; numbers (with an optional leading minus);
//   date literals #m-d-yyyy#, #m/d/yyyy# with an optional time h:mm or h:mm:ss, which become
//   OLE date numbers; the keyword Null; column names bare or in [brackets]. Keywords are
//   recognised without regard to case. Columns come out as double-quoted identifiers.
//   Like with a string-literal pattern is checked here; other patterns are checked when the
//   statement runs (jet_like raises an SQLite error for a malformed one).
// Returns true and writes *sqliteExpr; or returns false and writes to *errorText (either
// pointer may be null) "Syntax error (missing operator) in query expression '<text>'." for a
// malformed text, or "Expression too deeply nested in query expression '<text>'." past 200
// levels of parentheses and NOT. Nothing is ever written to *sqliteExpr on failure.
bool TranslateCriteria(const std::string& jetText, std::string* sqliteExpr, std::string* errorText);

// Registers on the connection every function that a translated expression may call:
// jet_like(value, pattern), Jet's Like without regard to case (ASCII and Latin-1 letters),
// Null when either argument is Null, an SQLite error for a malformed pattern.
// Returns the SQLite result code of the registration (SQLITE_OK, 0, on success).
int RegisterFunctions(sqlite3* db);

// The OLE automation date of a calendar date and time: days since 1899-12-30 plus the
// fraction of the day; before 1899-12-30 the whole part is negative and the time of day is
// subtracted (1899-12-29 06:00 is -1.25). Years 100 to 9999. Returns NaN for parts out of
// range (month 13, 31 April, hour 24, ...).
double OleDateFromParts(int y, int mo, int d, int h, int mi, int s);

// As OleDateFromParts, but for the years 1 to 9999. A value before the year 100 is one that
// OleDateToParts does not read back; it is for callers that keep such years as they are given.
double OleDateFromPartsFromYearOne(int y, int mo, int d, int h, int mi, int s);

// The reverse, rounded to whole seconds: parts = year, month, day, hour, minute, second.
// Returns false (parts untouched) for NaN, infinities and values outside 100-01-01 to
// 9999-12-31 23:59:59.
bool OleDateToParts(double v, int parts[6]);

}  // namespace jetsql
