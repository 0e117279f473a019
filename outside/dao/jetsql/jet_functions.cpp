// SQL functions that translated criteria call.
#include "jetsql.h"

#include "jet_pattern.h"

#include <memory>
#include <sqlite3.h>

namespace jetsql {
namespace {

void DeletePattern(void* p) { delete static_cast<CJetPattern*>(p); }

std::string ValueText(sqlite3_value* value) {
    const char* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return std::string(text ? text : "", static_cast<size_t>(sqlite3_value_bytes(value)));
}

// jet_like(value, pattern). The compiled pattern stays with the statement, so a pattern that
// is the same on every row is compiled once.
void JetLike(sqlite3_context* context, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const std::string text = ValueText(argv[0]);
    if (auto* kept = static_cast<CJetPattern*>(sqlite3_get_auxdata(context, 1))) {
        sqlite3_result_int(context, kept->Matches(text) ? 1 : 0);
        return;
    }
    auto compiled = std::make_unique<CJetPattern>();
    if (!compiled->Compile(ValueText(argv[1]))) {
        sqlite3_result_error(context, "Invalid pattern string in Like", -1);
        return;
    }
    const bool match = compiled->Matches(text);
    sqlite3_set_auxdata(context, 1, compiled.release(), DeletePattern);  // SQLite frees it when not kept
    sqlite3_result_int(context, match ? 1 : 0);
}

}  // namespace

int RegisterFunctions(sqlite3* db) {
    const int rc = sqlite3_create_function_v2(db, "jet_like", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS,
                                              nullptr, JetLike, nullptr, nullptr, nullptr);
    return rc != SQLITE_OK ? rc : RegisterCollation(db, kGeneralLocaleId);
}

}  // namespace jetsql
