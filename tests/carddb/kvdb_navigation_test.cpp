// Moving through the card table: sort keys, filters, record numbers, counts and finds.
#include "kvdb_fixture.h"

class NavigationTest : public KvdbTest {
protected:
    void SetUp() override {
        KvdbTest::SetUp();
        NewCardFile();
        // Inserted out of order; sorted by name they are Card01 .. Card10.
        StoreNames(
            {"Card07", "Card03", "Card10", "Card01", "Card05", "Card02", "Card09", "Card04", "Card08", "Card06"});
    }

    static std::string Card(int n) { return (n < 10 ? "Card0" : "Card") + std::to_string(n); }
};

TEST_F(NavigationTest, KeysAndSortOrderDecideTheOrder) {
    std::vector<std::string> ascending;
    for (int i = 1; i <= 10; ++i) ascending.push_back(Card(i));
    EXPECT_EQ(Names(cards_), ascending);

    kv_.SetSortOrder(cards_, 1);
    ASSERT_EQ(kv_.TblRefresh(cards_), 1);
    EXPECT_EQ(Names(cards_), std::vector<std::string>(ascending.rbegin(), ascending.rend()));

    kv_.SetSortOrder(cards_, 2);  // only 1 means descending
    kv_.KeyClear(cards_);
    kv_.KeyAdd(cards_, "ID");
    ASSERT_EQ(kv_.TblRefresh(cards_), 1);
    EXPECT_EQ(Names(cards_).front(), "Card07") << "insertion order by ID";

    kv_.KeyDrop(cards_, "id");
    kv_.KeyAdd(cards_, "cname");
    ASSERT_EQ(kv_.TblRefresh(cards_), 1);
    EXPECT_EQ(Names(cards_), ascending);
}

TEST_F(NavigationTest, UnknownSortColumnFailsTheOpen) {
    kv_.KeyAdd(cards_, "NoSuchColumn");
    EXPECT_EQ(kv_.TblRefresh(cards_), 0);
    EXPECT_EQ(DaoReports().size(), 1u);
    EXPECT_EQ(kv_.TblIsOpen(cards_), 0);
    EXPECT_EQ(kv_.RecFirst(cards_), 0);
    EXPECT_EQ(kv_.TblNRecs(cards_), 0);
    EXPECT_EQ(kv_.RecNum(cards_), 0) << "no current record on a closed dataset";
    EXPECT_EQ(kv_.RecIsEOF(cards_), 1);
    kv_.KeyDrop(cards_, "NoSuchColumn");
    EXPECT_EQ(kv_.TblRefresh(cards_), 1);
    EXPECT_EQ(kv_.TblNRecs(cards_), 10);
}

TEST_F(NavigationTest, FilterLimitsTheSetFromTheNextOpen) {
    kv_.SetFilter(cards_, "CName like 'Card0*'");
    EXPECT_EQ(kv_.TblNRecs(cards_), 10) << "not before the refresh";
    ASSERT_EQ(kv_.TblRefresh(cards_), 1);
    EXPECT_EQ(kv_.TblNRecs(cards_), 9);
    kv_.SetFilter(cards_, "");
    ASSERT_EQ(kv_.TblRefresh(cards_), 1);
    EXPECT_EQ(kv_.TblNRecs(cards_), 10);
}

TEST_F(NavigationTest, GotoMovesRelativeToTheCurrentRecord) {
    ASSERT_EQ(kv_.RecGoto(cards_, 5), 1);
    EXPECT_EQ(kv_.RecNum(cards_), 5);
    EXPECT_EQ(CurrentName(cards_), Card(5));
    EXPECT_EQ(kv_.RecGoto(cards_, 3), 1) << "two back from record 5";
    EXPECT_EQ(CurrentName(cards_), Card(3));

    kv_.RecLast(cards_);
    kv_.RecNext(cards_);
    ASSERT_EQ(kv_.RecIsEOF(cards_), 1);
    EXPECT_EQ(kv_.RecNum(cards_), 0);
    EXPECT_EQ(kv_.RecGoto(cards_, 3), 0) << "no current record to move from";
    EXPECT_EQ(CurrentName(cards_), Card(3));

    EXPECT_EQ(kv_.RecGoto(cards_, 11), 1);
    EXPECT_EQ(kv_.RecIsEOF(cards_), 1) << "beyond the count ends after the last record";
}

TEST_F(NavigationTest, CountingKeepsTheCursor) {
    ASSERT_EQ(kv_.RecGoto(cards_, 4), 1);
    EXPECT_EQ(kv_.TblNRecs(cards_), 10);
    EXPECT_EQ(kv_.RecNum(cards_), 4);
    EXPECT_EQ(CurrentName(cards_), Card(4));

    kv_.RecLast(cards_);
    kv_.RecNext(cards_);
    EXPECT_EQ(kv_.TblNRecs(cards_), 10);
    EXPECT_EQ(kv_.RecNum(cards_), 10) << "from after the last record it ends on the last";

    kv_.SetFilter(cards_, "CName = 'nobody'");
    ASSERT_EQ(kv_.TblRefresh(cards_), 1);
    EXPECT_EQ(kv_.TblNRecs(cards_), 0);
    EXPECT_EQ(kv_.RecIsBOF(cards_), 1);
    EXPECT_EQ(kv_.RecIsEOF(cards_), 1);
}

TEST_F(NavigationTest, MovesStopAtTheEnds) {
    ASSERT_EQ(kv_.RecFirst(cards_), 1);
    EXPECT_EQ(kv_.RecPrev(cards_), 1);
    EXPECT_EQ(kv_.RecIsBOF(cards_), 1);
    EXPECT_TRUE(DaoReports().empty());
    EXPECT_EQ(kv_.RecPrev(cards_), 0) << "a move further out of the set";
    EXPECT_EQ(DaoReports().size(), 1u);
    EXPECT_EQ(kv_.RecLast(cards_), 1);
    EXPECT_EQ(CurrentName(cards_), Card(10));
}

TEST_F(NavigationTest, FindsMoveToMatchesAndStayPutOtherwise) {
    ASSERT_EQ(kv_.RecFindFirst(cards_, "CName like 'Card0*'"), 1);
    EXPECT_EQ(CurrentName(cards_), Card(1));
    ASSERT_EQ(kv_.RecFindNext(cards_, "CName like 'Card0*'"), 1);
    EXPECT_EQ(CurrentName(cards_), Card(2));
    ASSERT_EQ(kv_.RecFindLast(cards_, "CName like 'Card0*'"), 1);
    EXPECT_EQ(CurrentName(cards_), Card(9));
    ASSERT_EQ(kv_.RecFindPrev(cards_, "CName like 'Card0*'"), 1);
    EXPECT_EQ(CurrentName(cards_), Card(8));

    EXPECT_EQ(kv_.RecFindNext(cards_, "CName = 'Card01'"), 0);
    EXPECT_EQ(CurrentName(cards_), Card(8)) << "a failed find returns to where it started";
    EXPECT_EQ(kv_.RecFindFirst(cards_, "CName = 'Nobody'"), 0);
    EXPECT_EQ(CurrentName(cards_), Card(8));
    EXPECT_TRUE(DaoReports().empty());
}

TEST_F(NavigationTest, RejectedCriteriaAreReportedAndKeepTheCursor) {
    ASSERT_EQ(kv_.RecGoto(cards_, 6), 1);
    EXPECT_EQ(kv_.RecFindFirst(cards_, "CName = 'unclosed"), 0);
    EXPECT_EQ(DaoReports().size(), 1u);
    EXPECT_EQ(CurrentName(cards_), Card(6));
}

TEST_F(NavigationTest, DateFindsUseTheJetLiteral) {
    CardRec dated = MakeCard("Dated");
    const int32_t when[6] = {2002, 11, 5, 9, 7, 3};
    std::memcpy(dated.CDate, when, sizeof when);
    Store(dated);
    ASSERT_EQ(kv_.TblRefresh(cards_), 1);
    EXPECT_EQ(kv_.RecFindFirstDate(cards_, "CDate", 2002, 11, 5, 9, 7, 3), 1);
    EXPECT_EQ(CurrentName(cards_), "Dated");
    EXPECT_EQ(kv_.RecFindNextDate(cards_, "CDate", 2002, 11, 5, 9, 7, 3), 0);
    EXPECT_EQ(kv_.RecFindLastDate(cards_, "CDate", 2002, 11, 5, 9, 7, 4), 0);
    EXPECT_EQ(kv_.RecFindPrevDate(cards_, "CDate", 2002, 11, 5, 9, 7, 3), 0);
    EXPECT_EQ(CurrentName(cards_), "Dated");
}

class SortOrderTest : public KvdbTest {};

TEST_F(SortOrderTest, AccentedNamesSortAndCompareByTheWindowsLocale) {
    // Western names in the order the Windows locale gives them, written out by hand: accented
    // letters sort beside their plain letters, not after Z, and case does not count.
    const std::vector<std::string> expected = {"\xC4ngstr\xF6m", "Baker", "\xE9mile", "Emma",
                                               "\xD8rsted",      "Otto",  "zeta",     "Zimmer"};
    NewCardFile("accents.mdb");
    StoreNames({"Zimmer", "\xD8rsted", "Baker", "\xC4ngstr\xF6m", "zeta", "Otto", "Emma", "\xE9mile"});
    EXPECT_EQ(Names(cards_), expected);
    // Cross-check only: the same order from the system's own comparison.
    for (size_t i = 1; i < expected.size(); ++i)
        EXPECT_EQ(CompareStringA(0x0409, NORM_IGNORECASE, expected[i - 1].c_str(), -1, expected[i].c_str(), -1),
                  CSTR_LESS_THAN)
            << expected[i - 1] << " / " << expected[i];

    // Comparisons in criteria follow the same rules.
    EXPECT_EQ(kv_.RecFindFirst(cards_, "CName = '\xC9MILE'"), 1);
    EXPECT_EQ(CurrentName(cards_), "\xE9mile");
    kv_.SetFilter(cards_, "CName < 'F'");
    ASSERT_EQ(kv_.TblRefresh(cards_), 1);
    EXPECT_EQ(Names(cards_), (std::vector<std::string>{"\xC4ngstr\xF6m", "Baker", "\xE9mile", "Emma"}));
    kv_.SetFilter(cards_, "CName Like '\xC9*'");
    ASSERT_EQ(kv_.TblRefresh(cards_), 1);
    EXPECT_EQ(Names(cards_), std::vector<std::string>{"\xE9mile"});
    EXPECT_TRUE(DaoReports().empty());
}

TEST_F(NavigationTest, CriteriaTakeTwoDigitYearsAndNamesInAnyCase) {
    CardRec dated = MakeCard("Dated");
    const int32_t when[6] = {2002, 11, 5, 0, 0, 0};
    std::memcpy(dated.CDate, when, sizeof when);
    Store(dated);
    CardRec old = MakeCard("Old");
    const int32_t then[6] = {1931, 1, 2, 0, 0, 0};
    std::memcpy(old.CDate, then, sizeof then);
    Store(old);
    ASSERT_EQ(kv_.TblRefresh(cards_), 1);
    const struct {
        const char* criteria;
        const char* found;
    } cases[] = {
        {"CDate = #11/5/02#", "Dated"},                                 // 00-29 are 2000-2029
        {"CDate = #11-5-2#", "Dated"},    {"CDate = #1/2/31#", "Old"},  // 30-99 are 1930-1999
        {"cdate = #11/5/2002#", "Dated"},                               // column names in any case
        {"[CNAME] = 'old'", "Old"},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(kv_.RecFindFirst(cards_, c.criteria), 1) << c.criteria;
        EXPECT_EQ(CurrentName(cards_), c.found) << c.criteria;
    }
    // Table names in any case, in the statement a dataset opens.
    HKVTBL lower = nullptr;
    ASSERT_EQ(kv_.TblNew(db_, "nm", &lower), 1);
    kv_.KeyAdd(lower, "cname");
    kv_.SetFilter(lower, "cdate < #1/1/50#");
    ASSERT_EQ(kv_.TblOpen(lower), 1);
    EXPECT_EQ(Names(lower), std::vector<std::string>{"Old"});
    kv_.TblFree(lower);
    EXPECT_TRUE(DaoReports().empty());
}

TEST_F(NavigationTest, DeleteRemovesTheCurrentCard) {
    ASSERT_EQ(kv_.RecGoto(cards_, 2), 1);
    ASSERT_EQ(kv_.StartTransation(db_), 1);
    ASSERT_EQ(kv_.RecDelete(cards_), 1);
    ASSERT_EQ(kv_.Commit(db_), 1);
    ASSERT_EQ(kv_.TblRefresh(cards_), 1);
    EXPECT_EQ(kv_.TblNRecs(cards_), 9);
    EXPECT_EQ(kv_.RecFindFirst(cards_, "CName = 'Card02'"), 0);
    kv_.TblClose(cards_);
    EXPECT_EQ(kv_.RecDelete(cards_), 0);
}

TEST_F(NavigationTest, InsertDoesNotMoveTheCursor) {
    ASSERT_EQ(kv_.RecGoto(cards_, 7), 1);
    Store(MakeCard("Card00"));
    EXPECT_EQ(CurrentName(cards_), Card(7));
}

// What the card views rely on: the open set keeps its positions, a step past the last card
// lands after it, a new card is the last one until the table is opened again, deleting from
// the highest position down leaves the lower positions as they were, and a letter's cards are
// counted by a find loop that matches names in either case.
TEST_F(NavigationTest, TheOpenSetBehavesAsTheViewsExpect) {
    ASSERT_EQ(kv_.RecLast(cards_), 1);
    ASSERT_EQ(kv_.RecNext(cards_), 1);
    EXPECT_EQ(kv_.RecIsEOF(cards_), 1);
    EXPECT_EQ(kv_.RecNum(cards_), 0);
    ASSERT_EQ(kv_.RecPrev(cards_), 1);
    EXPECT_EQ(kv_.RecNum(cards_), 10);

    Store(MakeCard("Card00"));
    EXPECT_EQ(kv_.TblNRecs(cards_), 11);
    ASSERT_EQ(kv_.RecLast(cards_), 1);
    EXPECT_EQ(CurrentName(cards_), "Card00") << "last card = new card";
    EXPECT_EQ(kv_.RecNum(cards_), 11);
    ASSERT_EQ(kv_.TblRefresh(cards_), 1);
    ASSERT_EQ(kv_.RecFirst(cards_), 1);
    EXPECT_EQ(CurrentName(cards_), "Card00") << "in its sorted place after a reopen";

    for (int position : {10, 6, 3}) {   // Card09, Card05, Card02
        kv_.RecGoto(cards_, position);  // 0 after a delete, which leaves no current record
        ASSERT_EQ(CurrentName(cards_), Card(position - 1));
        ASSERT_EQ(kv_.RecDelete(cards_), 1);
    }
    EXPECT_EQ(Names(cards_), (std::vector<std::string>{"Card00", "Card01", "Card03", "Card04", "Card06", "Card07",
                                                       "Card08", "Card10"}));

    Store(MakeCard("carla"));
    Store(MakeCard("Bo"));
    ASSERT_EQ(kv_.TblRefresh(cards_), 1);
    ASSERT_EQ(kv_.RecGoto(cards_, 4), 1);
    int counted = 0;
    for (int found = kv_.RecFindFirst(cards_, "CNAME like 'C*'"); found == 1;
         found = kv_.RecFindNext(cards_, "CNAME like 'C*'"))
        ++counted;
    EXPECT_EQ(counted, 9) << "eight CardNN and carla";
    EXPECT_EQ(kv_.RecNum(cards_), 10) << "a find that runs out returns to the last match";
    EXPECT_TRUE(DaoReports().empty());
}
