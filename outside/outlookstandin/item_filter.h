// Item filters as the stand-in's Find takes them: clauses [Property] = "value" joined by
// " AND " (a doubled double quote stands for one), compared exactly.
#pragma once
#include <windows.h>
#include <oleauto.h>
#include <string>
#include <vector>

namespace outlook {

struct FilterClause {
    DISPID property;
    std::string value;
};

// False for an empty or malformed filter, or one naming an unknown property.
bool ParseFilter(const std::string& filter, std::vector<FilterClause>* clauses);

}  // namespace outlook
