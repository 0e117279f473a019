// Jet's date literal, the one form in which dates appear in criteria texts.
#pragma once
#include <string>

// "#m-d-yyyy h:mm:ss#" (month, day, year, hour, minute, second).
std::string JetDateLiteral(int year, int month, int day, int hour, int minute, int second);
