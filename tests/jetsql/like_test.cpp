// Like: the registered jet_like against expected answers, and against SQLite's own LIKE for
// the patterns that the translation hands to LIKE.
#include "sqlite_fixture.h"

namespace {

// jet_like(value, pattern) with both bound: 1, 0, -1 for Null, -2 for an SQLite error.
int JetLike(JetDb& db, const char* value, const char* pattern) {
    sqlite3_stmt* stmt = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(db.handle(), "SELECT jet_like(?, ?)", -1, &stmt, nullptr), SQLITE_OK);
    if (value) sqlite3_bind_text(stmt, 1, value, -1, SQLITE_TRANSIENT);
    if (pattern) sqlite3_bind_text(stmt, 2, pattern, -1, SQLITE_TRANSIENT);
    int result = -2;
    if (sqlite3_step(stmt) == SQLITE_ROW)
        result = sqlite3_column_type(stmt, 0) == SQLITE_NULL ? -1 : sqlite3_column_int(stmt, 0);
    sqlite3_finalize(stmt);
    return result;
}

TEST(JetLike, MatchesJetWildcards) {
    JetDb db;
    const struct {
        const char* value;
        const char* pattern;
        int expected;
    } cases[] = {
        {"Smith", "s*", 1},
        {"Smith", "S?ITH", 1},
        {"Smith", "Smit", 0},
        {"", "*", 1},
        {"", "?", 0},
        {"", "", 1},
        {"abc", "", 0},
        {"a1c", "a#c", 1},
        {"abc", "a#c", 0},
        {"a\xD9\xA1"
         "c",
         "a#c", 0},
        {"b", "[a-c]", 1},
        {"B", "[a-c]", 1},
        {"d", "[a-c]", 0},
        {"d", "[!a-c]", 1},
        {"B", "[!a-c]", 0},
        {"-", "[a-]", 1},
        {"-", "[-a]", 1},
        {"!", "[a!]", 1},
        {"x", "[!]", 1},
        {"", "[!]", 0},
        {"ab", "a[]b", 1},
        {"a]b", "a[]]b", 1},
        {"a]b", "a]b", 1},
        {"*", "[*]", 1},
        {"x", "[*]", 0},
        {"?", "[?]", 1},
        {"#", "[#]", 1},
        {"[", "[[]", 1},
        {"a[b", "a[[]b", 1},
        {"abcabd", "*ab?", 1},
        {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaab", "*a*a*a*a*a*a*a*a*b", 1},
        {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", "*a*a*a*a*a*a*a*a*b", 0},
        {"Zo\xC3\xAB", "ZO\xC3\x8B", 1},
        {"Zo\xC3\xAB", "zo?", 1},
        {"Zo\xC3\xAB", "zo??", 0},
        {"\xC3\x89"
         "cole",
         "[\xC3\xA0-\xC3\xAF]*", 1},
        {"Zo\xEB", "zo\xCB", 1},
        {"50%", "50%", 1},
        {"500", "50%", 0},
        {"a_c", "a_c", 1},
        {"abc", "a_c", 0},
        {nullptr, "*", -1},
        {"x", nullptr, -1},
        {"x", "[x", -2},
        {"x", "[z-a]", -2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(JetLike(db, c.value, c.pattern), c.expected)
            << (c.value ? c.value : "(null)") << " like " << (c.pattern ? c.pattern : "(null)");
}

// Plain patterns go to SQLite's LIKE; the answers must not depend on which road was taken.
TEST(JetLike, PlainPatternsAgreeWithSqliteLike) {
    JetDb db;
    db.Exec("CREATE TABLE T (ID INTEGER, V TEXT)");
    const char* const values[] = {"",
                                  "a",
                                  "A",
                                  "abc",
                                  "ABC",
                                  "a%c",
                                  "a_c",
                                  "a\\c",
                                  "aXc",
                                  "Zo\xC3\xAB",
                                  "zo\xC3\x8B",
                                  "x*y",
                                  "100%",
                                  "\xC3\xBC"
                                  "ber",
                                  "50%_off",
                                  "it's",
                                  "a]b",
                                  "[x]"};
    long long id = 0;
    for (const char* v : values) {
        std::string quoted;
        for (const char* p = v; *p; ++p) quoted += *p == '\'' ? std::string("''") : std::string(1, *p);
        db.Exec("INSERT INTO T VALUES (" + std::to_string(++id) + ", '" + quoted + "')");
    }
    const char* const patterns[] = {"*",   "",      "a*",  "A?C",   "a%c",     "a_c",  "a\\c",  "*%*",  "*_*",
                                    "?",   "??",    "z??", "*c",    "a*c*",    "[*]*", "x[*]y", "%",    "_",
                                    "\\*", "it''s", "*]*", "[[]x]", "[a]?[c]", "a[]c", "???",   "*?*?*"};
    for (const char* pattern : patterns) {
        std::string expr, error;
        ASSERT_TRUE(jetsql::TranslateCriteria(std::string("V like '") + pattern + "'", &expr, &error)) << error;
        EXPECT_EQ(expr.find("jet_like"), std::string::npos) << pattern << " should take SQLite's LIKE: " << expr;
        const std::string jet = std::string(pattern).find("''") == std::string::npos ? pattern : std::string("it's");
        sqlite3_stmt* stmt = nullptr;
        ASSERT_EQ(sqlite3_prepare_v2(db.handle(), ("SELECT V, " + expr + ", jet_like(V, ?) FROM T").c_str(), -1, &stmt,
                                     nullptr),
                  SQLITE_OK)
            << expr;
        sqlite3_bind_text(stmt, 1, jet.c_str(), -1, SQLITE_TRANSIENT);
        while (sqlite3_step(stmt) == SQLITE_ROW)
            EXPECT_EQ(sqlite3_column_int(stmt, 1), sqlite3_column_int(stmt, 2))
                << reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)) << " like " << pattern;
        sqlite3_finalize(stmt);
    }
}

TEST(JetLike, PatternsBeyondLikeTakeJetLike) {
    for (const char* pattern : {"#", "[a-c]*", "[!x]", "\xC3\xA9*", "[ab]"}) {
        std::string expr;
        ASSERT_TRUE(jetsql::TranslateCriteria(std::string("V like '") + pattern + "'", &expr, nullptr));
        EXPECT_NE(expr.find("jet_like"), std::string::npos) << pattern;
    }
}

}  // namespace
