// Jet criteria texts are judged by the rows they select, not by the SQL they become.
#include "sqlite_fixture.h"

#include <cmath>
#include <random>

namespace {

struct CardRow {
    int id;
    const char* cname;
    const char* title;
    const char* fullName;
    const char* odd;
    double date;  // NAN for Null
    int flags;    // -999 for Null
};

class CriteriaTest : public ::testing::Test {
protected:
    void SetUp() override {
        db_.Exec("CREATE TABLE NM (ID INTEGER, CNAME TEXT COLLATE NOCASE, TITLE TEXT COLLATE NOCASE, "
                 "\"Full Name\" TEXT COLLATE NOCASE, \"Odd\"\"Col\" TEXT COLLATE NOCASE, CDATE REAL, FLAGS INTEGER)");
        const double nan = std::nan("");
        const CardRow rows[] = {
            {1, "Smith", "Sales Manager", "John Smith", "q'uote", jetsql::OleDateFromParts(2002, 11, 5, 9, 7, 3), 1},
            {2, "smithers", "sales", "Wayne Smithers", nullptr, jetsql::OleDateFromParts(2002, 11, 5, 0, 0, 0), 0},
            {3, "O'Brien", "Chief \"Big\" Officer", nullptr, nullptr, jetsql::OleDateFromParts(1900, 3, 1, 0, 0, 0), 5},
            {4, nullptr, "Clerk", "Nobody", nullptr, nan, -999},
            {5, "a[b", "x*y", "a]b", nullptr, jetsql::OleDateFromParts(1899, 12, 30, 0, 0, 0), -1},
            {6, "Agent 007", "a?c", "abc", nullptr, jetsql::OleDateFromParts(1899, 12, 29, 6, 0, 0), 2},
            // Code page 1252 text, as the card engine keeps it.
            {7, "Zo\xEB",
             "\xC9"
             "COLE",
             "\xE9", nullptr, jetsql::OleDateFromParts(9999, 12, 31, 23, 59, 59), 3},
            {8, "50%_off", "back\\slash", "#1", nullptr, jetsql::OleDateFromParts(1800, 1, 1, 12, 0, 0), 4},
        };
        sqlite3_stmt* stmt = nullptr;
        ASSERT_EQ(sqlite3_prepare_v2(db_.handle(), "INSERT INTO NM VALUES (?,?,?,?,?,?,?)", -1, &stmt, nullptr),
                  SQLITE_OK);
        for (const CardRow& r : rows) {
            sqlite3_bind_int(stmt, 1, r.id);
            const char* texts[] = {r.cname, r.title, r.fullName, r.odd};
            for (int i = 0; i < 4; ++i) {
                if (texts[i]) sqlite3_bind_text(stmt, 2 + i, texts[i], -1, SQLITE_TRANSIENT);
                else sqlite3_bind_null(stmt, 2 + i);
            }
            if (std::isnan(r.date)) sqlite3_bind_null(stmt, 6);
            else sqlite3_bind_double(stmt, 6, r.date);
            if (r.flags == -999) sqlite3_bind_null(stmt, 7);
            else sqlite3_bind_int(stmt, 7, r.flags);
            ASSERT_EQ(sqlite3_step(stmt), SQLITE_DONE);
            sqlite3_reset(stmt);
        }
        sqlite3_finalize(stmt);
    }

    // The ids the Jet condition selects, in id order.
    std::vector<long long> Select(const std::string& jet) {
        std::string expr, error;
        if (!jetsql::TranslateCriteria(jet, &expr, &error)) {
            ADD_FAILURE() << jet << " was refused: " << error;
            return {};
        }
        return db_.Column("SELECT ID FROM NM WHERE " + expr + " ORDER BY ID");
    }

    JetDb db_;
};

using Ids = std::vector<long long>;

TEST_F(CriteriaTest, SelectsTheRowsJetWould) {
    const struct {
        const char* jet;
        Ids ids;
    } cases[] = {
        // comparisons without regard to case; Null never matches
        {"CNAME = 'smith'", {1}},
        {"cname = 'SMITH'", {1}},
        {"CNAME <> 'Smith'", {2, 3, 5, 6, 7, 8}},
        {"CNAME < 'B'", {5, 6, 8}},
        {"'abc' = 'ABC'", {1, 2, 3, 4, 5, 6, 7, 8}},
        {"FLAGS = Null", {}},
        {"CNAME Is Null", {4}},
        {"cname is not null AND flags IS NOT NULL", {1, 2, 3, 5, 6, 7, 8}},
        // quoting of values and names
        {"CNAME = 'O''Brien'", {3}},
        {"CNAME = \"O'Brien\"", {3}},
        {"TITLE = 'Chief \"Big\" Officer'", {3}},
        {"TITLE = \"Chief \"\"Big\"\" Officer\"", {3}},
        {"[Full Name] = 'john smith'", {1}},
        {"[Odd\"Col] = 'Q''UOTE'", {1}},
        {"CNAME = 'x'' OR ''1''=''1'", {}},
        // numbers
        {"FLAGS = -1", {5}},
        {"FLAGS >= 2", {3, 6, 7, 8}},
        {"FLAGS > 1 AND FLAGS <= 3", {6, 7}},
        {"ID < .5e1", {1, 2, 3, 4}},
        {"ID = 1.0", {1}},
        // dates: the engine's own literal form and the short ones
        {"CDATE = #11-5-2002 9:07:03#", {1}},
        {"CDate >= #11/5/2002#", {1, 2, 7}},
        {"CDATE = #11-5-2002#", {2}},
        {"CDATE = #3-1-1900#", {3}},
        {"CDATE = #12-30-1899#", {5}},
        {"CDATE = #12-29-1899 6:00:00#", {6}},
        {"CDATE = #12/31/9999 23:59:59#", {7}},
        {"CDATE = #1-1-1800 12:00#", {8}},
        // two-digit years in Jet's window: 00-29 are 2000-2029, 30-99 are 1930-1999
        {"CDATE = #11-5-02#", {2}},
        {"CDATE = #11/5/2 9:07:03#", {1}},
        {"CDATE < #1/1/30#", {3, 5, 6, 8}},
        {"CDATE < #1/1/29#", {1, 2, 3, 5, 6, 8}},
        {"CDATE < #1-1-1900#", {5, 6, 8}},
        // Like: wildcards, case, escapes in brackets, literal % _ and backslash
        {"cname like 'smith*'", {1, 2}},
        {"CNAME LIKE 'SMITH'", {1}},
        {"CNAME like '*'", {1, 2, 3, 5, 6, 7, 8}},
        {"CNAME Not Like 'S*'", {3, 5, 6, 7, 8}},
        {"CNAME like '*#'", {6}},
        {"CNAME like 'Agent ###'", {6}},
        {"CNAME like '[a-m]*'", {5, 6}},
        {"CNAME like '[!a-m]*'", {1, 2, 3, 7, 8}},
        {"CNAME like '[sz]*'", {1, 2, 7}},
        {"CNAME like 'a[[]b'", {5}},
        {"[Full Name] like 'a]b'", {5}},
        {"[Full Name] like 'a[]]b'", {5}},
        {"[Full Name] like '[#]#'", {8}},
        {"TITLE like 'x[*]y'", {5}},
        {"TITLE like 'a[?]c'", {6}},
        {"TITLE like 'a?c'", {6}},
        {"CNAME like '50%*'", {8}},
        {"CNAME like '50[%]_*'", {8}},
        {"CNAME like '5_*'", {}},
        {"TITLE like 'back\\slash'", {8}},
        {"CNAME like 'zo?'", {7}},
        {"TITLE like '\xE9*'", {7}},
        {"[Full Name] like TITLE", {6}},
        // logic and precedence
        {"(CNAME like 's*' OR FLAGS = 5) AND NOT TITLE = 'sales'", {1, 3}},
        {"cname LIKE 's*' and flags = 1 or flags = 5", {1, 3}},
        {"NOT (FLAGS = 0)", {1, 3, 5, 6, 7, 8}},
        {"NOT NOT FLAGS = 0", {2}},
        {"((((ID = 2))))", {2}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Select(c.jet), c.ids) << c.jet;
    }
}

TEST_F(CriteriaTest, MalformedTextsAreRefusedWithJetsMessage) {
    const char* const texts[] = {
        "CNAME = 'abc",
        "CNAME = \"abc",
        "(CNAME = 'a'",
        "CNAME = 'a')",
        "CNAME =",
        "CNAME = 'a' AND",
        "AND CNAME = 'a'",
        "CNAME 'a'",
        "CNAME = 'a' FLAGS = 1",
        "CNAME == 'a'",
        "CNAME != 'a'",
        "CDATE = #13-1-2002#",
        "CDATE = #2-29-2003#",
        "CDATE = #1-1-2002 24:00:00#",
        "CDATE = #1-1-2002",
        "CDATE = #1-1-002#",
        "CDATE = #2002-1-1#",
        "CDATE = #1-1-2002 9:7#",
        "CNAME like 'a[b'",
        "CNAME like '[z-a]'",
        "[CNAME = 'a'",
        "[] = 1",
        "FLAGS = 1abc",
        "CNAME Is 'a'",
        "CNAME Not = 'a'",
        "CNAME Is Not",
        "",
        "   ",
        "CNAME = 'a'; DROP TABLE NM",
        "CNAME = 'a' -- x",
        "CNAME = @x",
        "NOT",
        "()",
        "FLAGS = - ",
        "FLAGS = 1e",
        "CNAME like",
        "CNAME & 'x' = 'y'",
    };
    for (const char* text : texts) {
        std::string expr = "untouched", error;
        EXPECT_FALSE(jetsql::TranslateCriteria(text, &expr, &error)) << text << " -> " << expr;
        EXPECT_EQ(error, std::string("Syntax error (missing operator) in query expression '") + text + "'.");
        EXPECT_EQ(expr, "untouched");
    }
    const std::string withNul("CNAME = 'a\0b'", 13);
    EXPECT_FALSE(jetsql::TranslateCriteria(withNul, nullptr, nullptr));
    EXPECT_FALSE(jetsql::TranslateCriteria("CNAME =", nullptr, nullptr));
}

TEST_F(CriteriaTest, NestingIsCappedWithoutExhaustingTheStack) {
    const auto nested = [](int depth, const char* open, const char* close) {
        std::string text;
        for (int i = 0; i < depth; ++i) text += open;
        text += "ID = 2";
        for (int i = 0; i < depth; ++i) text += close;
        return text;
    };
    EXPECT_EQ(Select(nested(200, "(", ")")), Ids{2});
    EXPECT_EQ(Select(nested(200, "NOT ", "")), Ids{2});
    std::string longList = "ID = 3";  // SQLite itself refuses expression trees deeper than 1000
    for (int i = 0; i < 5000; ++i) longList += i % 2 ? " OR ID = 3" : " OR FLAGS = 99 AND ID = 1";
    EXPECT_EQ(Select(longList), Ids{3});
    for (const std::string& text : {nested(201, "(", ")"), nested(100000, "(", ")"), nested(100000, "NOT ", "")}) {
        std::string error;
        EXPECT_FALSE(jetsql::TranslateCriteria(text, nullptr, &error));
        EXPECT_EQ(error.rfind("Expression too deeply nested in query expression '", 0), 0u) << error.substr(0, 80);
    }
}

// Whatever comes in, an accepted text must prepare as an expression (pieces glued together
// may name columns that do not exist) and only ever fail at run time for a malformed pattern
// held in a column.
TEST_F(CriteriaTest, AcceptedTextsAlwaysPrepareAndNeverInject) {
    const char* const pieces[] = {
        "CNAME",      "[Full Name]", "FLAGS", "TITLE", " ",      "'a'", "'",    "\"", "(",    ")",   "=",
        "<",          ">",           "<>",    "AND",   "OR",     "NOT", "LIKE", "IS", "NULL", "[",   "]",
        "#1-2-2003#", "#",           "'*'",   "'[a-'", "'[!x]'", "1",   "-",    ".",  ";",    "'';", "--"};
    std::mt19937 random(12345);
    std::uniform_int_distribution<size_t> pick(0, sizeof pieces / sizeof pieces[0] - 1);
    std::uniform_int_distribution<int> length(1, 9);
    int accepted = 0;
    for (int round = 0; round < 4000; ++round) {
        std::string text;
        for (int n = length(random); n > 0; --n) text += std::string(pieces[pick(random)]) + (round % 2 ? " " : "");
        std::string expr, error;
        if (!jetsql::TranslateCriteria(text, &expr, &error)) {
            EXPECT_NE(error.find(text), std::string::npos);
            continue;
        }
        ++accepted;
        std::string runError;
        db_.Column("SELECT count(*) FROM NM WHERE " + expr, &runError);
        EXPECT_TRUE(runError.empty() || runError == "Invalid pattern string in Like" ||
                    runError.rfind("no such column", 0) == 0)
            << text << " -> " << expr << ": " << runError;
        EXPECT_EQ(db_.Column("SELECT count(*) FROM NM"), Ids{8});  // the table survived
    }
    EXPECT_GT(accepted, 100);  // the generator must reach the translator's happy paths
}

}  // namespace
