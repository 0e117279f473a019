// The dictionary-table exports: create, fill, seek, walk, rewrite, delete, bookmarks, and
// the re-coding of double-byte text per language.
#include "dao.h"
#include "lexor_api.h"
#include "qktr_image.h"
#include "scratch_folder.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

DicRecord Record(const std::string& lexicon, int start, int end, int tag = 0, int score = 0) {
    DicRecord r{};
    std::snprintf(r.Lexicon, sizeof r.Lexicon, "%s", lexicon.c_str());
    r.StartPos = start;
    r.EndPos = end;
    r.Tag = tag;
    r.Score = score;
    r.ZefAction = start % 3;
    r.TheTagIs = -start;
    return r;
}

bool SameRecord(const DicRecord& a, const DicRecord& b) {
    return std::strcmp(a.Lexicon, b.Lexicon) == 0 && a.StartPos == b.StartPos && a.EndPos == b.EndPos &&
           a.Tag == b.Tag && a.Score == b.Score && a.ZefAction == b.ZefAction && a.TheTagIs == b.TheTagIs;
}

// The locale string a database file keeps, read with the database layer itself.
std::string LocaleOf(const std::string& path) {
    try {
        CDaoDatabase db;
        db.Open(path.c_str(), false, true);
        std::string locale = db.GetLocale();
        db.Close();
        return locale;
    } catch (CDaoException* e) {
        std::string text = "error " + std::to_string(e->GetErrorCode());
        e->Delete();
        return text;
    }
}

class DictionaryTableTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(api.dll.loaded()); }
    void TearDown() override { api.CloseDAODic(); }

    // Walks from the current record to the end; the records met, the first one included.
    std::vector<DicRecord> WalkFromCurrent() {
        std::vector<DicRecord> met;
        DicRecord r{};
        if (!api.GetFieldDAODic(&r)) return met;
        do met.push_back(r);
        while (api.MoveNextDAODic(&r));
        return met;
    }
    int Add(const DicRecord& record) { return api.AddDAODic(&record); }
    int CountAll() {
        if (!api.SetDaoCurrentIndex(LEXOR_INDEX_START_END)) return -1;
        return static_cast<int>(WalkFromCurrent().size());
    }

    LexorApi api;
    ScratchFolder temp{"lexor"};
};

TEST_F(DictionaryTableTest, TenThousandEntriesAreSoughtAndWalkedInIndexOrder) {
    ASSERT_EQ(api.CreateDAODic(temp.File("dic.mdb").c_str(), LEXOR_DIC_SIMPLIFIED_CHINESE), 1);
    std::vector<DicRecord> records;
    for (int i = 0; i < 10000; ++i) {
        char word[16];
        std::snprintf(word, sizeof word, "w%05d", i);
        records.push_back(Record(word, i / 4, 100 - i % 4, i, -i));
    }
    std::vector<DicRecord> shuffled = records;
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(7));
    for (const DicRecord& r : shuffled) ASSERT_EQ(api.AddDAODic(&r), 1);

    for (size_t i = 0; i < records.size(); i += 37) {
        DicRecord found{};
        ASSERT_EQ(api.SeekDAODic(records[i].StartPos, records[i].EndPos, &found), 1) << i;
        ASSERT_TRUE(SameRecord(found, records[i])) << i;
    }
    DicRecord none{};
    EXPECT_EQ(api.SeekDAODic(5, 5, &none), 0);
    EXPECT_EQ(api.MoveNextDAODic(&none), 0);  // a failed seek leaves no record to move from
    EXPECT_EQ(api.SeekDAODic(1, 100, nullptr), 0);

    // (StartPos, EndPos) order: records by start, and within a start by ascending end.
    ASSERT_EQ(api.SetDaoCurrentIndex(LEXOR_INDEX_START_END), 1);
    std::vector<DicRecord> walked = WalkFromCurrent();
    ASSERT_EQ(walked.size(), records.size());
    for (size_t i = 0; i < walked.size(); ++i) {
        const DicRecord& expected = records[(i / 4) * 4 + 3 - i % 4];
        ASSERT_TRUE(SameRecord(walked[i], expected)) << i << " " << walked[i].Lexicon;
    }
    EXPECT_EQ(api.MoveNextDAODic(&none), 0);  // still at the end

    // Seeking on the start alone finds a record of that start; walking on from it covers the
    // rest of the table in start order.
    DicRecord found{};
    ASSERT_EQ(api.SeekStartPosOnlyDAODic(2000, &found), 1);
    EXPECT_EQ(found.StartPos, 2000);
    std::vector<DicRecord> rest = WalkFromCurrent();
    EXPECT_GE(rest.size(), 1 + 4 * (2500u - 2001u));
    EXPECT_TRUE(std::is_sorted(rest.begin(), rest.end(),
                               [](const DicRecord& a, const DicRecord& b) { return a.StartPos < b.StartPos; }));
    EXPECT_EQ(api.SeekStartPosOnlyDAODic(2500, &found), 0);
}

// Records of one start come in insertion order on the start-only index and by end on the
// start-and-end index, which shows which index a seek leaves current.
TEST_F(DictionaryTableTest, SeeksLeaveTheirIndexCurrent) {
    ASSERT_EQ(api.CreateDAODic(temp.File("dic.mdb").c_str(), LEXOR_DIC_OTHER), 1);
    ASSERT_EQ(Add(Record("late", 10, 30)), 1);
    ASSERT_EQ(Add(Record("early", 10, 20)), 1);
    ASSERT_EQ(Add(Record("next", 11, 0)), 1);
    auto endsFrom = [&](int first) {
        std::vector<int> ends;
        for (const DicRecord& r : WalkFromCurrent()) ends.push_back(r.EndPos);
        return ends.size() && ends[0] == first ? ends : std::vector<int>{};
    };
    DicRecord r{};
    ASSERT_EQ(api.SeekStartPosOnlyDAODic(10, &r), 1);
    EXPECT_STREQ(r.Lexicon, "late");
    EXPECT_EQ(endsFrom(30), (std::vector<int>{30, 20, 0}));
    ASSERT_EQ(api.SeekDAODic(10, 20, &r), 1);
    EXPECT_EQ(endsFrom(20), (std::vector<int>{20, 30, 0}));

    ASSERT_EQ(api.SetDaoCurrentIndex(LEXOR_INDEX_START_ONLY), 1);
    EXPECT_EQ(api.SetDaoCurrentIndex(7), 1);  // no such choice: index and record stay
    EXPECT_EQ(endsFrom(30), (std::vector<int>{30, 20, 0}));
    ASSERT_EQ(api.SetDaoCurrentIndex(LEXOR_INDEX_START_END), 1);
    EXPECT_EQ(endsFrom(20), (std::vector<int>{20, 30, 0}));
}

TEST_F(DictionaryTableTest, RecordsAreRewrittenDeletedAndRevisitedByBookmark) {
    ASSERT_EQ(api.CreateDAODic(temp.File("dic.mdb").c_str(), LEXOR_DIC_OTHER), 1);
    for (int i = 1; i <= 5; ++i) ASSERT_EQ(Add(Record("r" + std::to_string(i), i, i)), 1);

    DicRecord r{};
    ASSERT_EQ(api.SeekDAODic(2, 2, &r), 1);
    void* mark = api.CreateBookMarkDAODic();
    ASSERT_NE(mark, nullptr);
    EXPECT_EQ(api.GetBookMarkDAODic(mark), 0);
    ASSERT_EQ(api.MoveNextDAODic(&r), 1);
    ASSERT_EQ(api.MoveNextDAODic(&r), 1);
    EXPECT_EQ(r.StartPos, 4);
    EXPECT_EQ(api.SetBookMarkDAODic(mark), 1);
    ASSERT_EQ(api.GetFieldDAODic(&r), 1);
    EXPECT_STREQ(r.Lexicon, "r2");

    // Rewriting the current record.
    DicRecord changed = Record("second", 2, 2, 77, 88);
    EXPECT_EQ(api.SetFieldDAODic(&changed), 1);
    ASSERT_EQ(api.SeekDAODic(2, 2, &r), 1);
    EXPECT_TRUE(SameRecord(r, changed));
    DicRecord tooLong = Record(std::string(51, 'x'), 2, 2, 1, 1);
    EXPECT_EQ(api.SetFieldDAODic(&tooLong), 0);
    ASSERT_EQ(api.SeekDAODic(2, 2, &r), 1);
    EXPECT_TRUE(SameRecord(r, changed));

    // Deleting it: gone from seeks and walks, the bookmark leads nowhere.
    api.DeleteDAODic();
    EXPECT_EQ(api.GetFieldDAODic(&r), 0);
    EXPECT_EQ(api.SeekDAODic(2, 2, &r), 0);
    EXPECT_EQ(api.SetBookMarkDAODic(mark), 0);
    EXPECT_EQ(CountAll(), 4);
    api.DeleteDAODic();  // no current record: nothing happens
    EXPECT_EQ(CountAll(), 4);

    api.DeleteBookMarkDAODic(mark);
    api.DeleteBookMarkDAODic(nullptr);
    void* empty = api.CreateBookMarkDAODic();
    EXPECT_EQ(api.SetBookMarkDAODic(empty), 0);
    api.DeleteBookMarkDAODic(empty);
}

TEST_F(DictionaryTableTest, ARefusedFieldStoresNothing) {
    ASSERT_EQ(api.CreateDAODic(temp.File("dic.mdb").c_str(), LEXOR_DIC_OTHER), 1);
    const DicRecord fits = Record(std::string(50, 'a'), 1, 1);
    const DicRecord tooLong = Record(std::string(51, 'b'), 2, 2);
    EXPECT_EQ(api.AddDAODic(&fits), 1);
    EXPECT_EQ(api.AddDAODic(&tooLong), 0);
    EXPECT_EQ(api.AddDAODic(nullptr), 0);
    DicRecord r{};
    EXPECT_EQ(api.SeekDAODic(2, 2, &r), 0);
    EXPECT_EQ(CountAll(), 1);
    // The table goes on working after the refusal.
    EXPECT_EQ(Add(Record("ok", 3, 3)), 1);
    EXPECT_EQ(CountAll(), 2);
}

TEST_F(DictionaryTableTest, CreateReplacesTheFileFromTheFolderTemplate) {
    const std::string first = temp.File("one.mdb");
    const std::string templatePath = temp.File("$default.mdb");
    ASSERT_EQ(api.CreateDAODic(first.c_str(), LEXOR_DIC_JAPANESE), 1);
    EXPECT_NE(GetFileAttributesA(templatePath.c_str()), INVALID_FILE_ATTRIBUTES);
    ASSERT_EQ(Add(Record("kept?", 1, 1)), 1);

    // A second create closes the first file (it can be deleted at once) and reuses the
    // template whatever the type.
    const std::string second = temp.File("two.mdb");
    ASSERT_EQ(api.CreateDAODic(second.c_str(), LEXOR_DIC_TRADITIONAL_CHINESE), 1);
    EXPECT_EQ(CountAll(), 0);
    api.CloseDAODic();
    EXPECT_EQ(LocaleOf(second), ";LANGID=0x0411;CP=932;COUNTRY=0");
    EXPECT_EQ(LocaleOf(first), ";LANGID=0x0411;CP=932;COUNTRY=0");

    // Creating over a filled file empties it.
    ASSERT_EQ(api.CreateDAODic(first.c_str(), LEXOR_DIC_JAPANESE), 1);
    EXPECT_EQ(CountAll(), 0);
    api.CloseDAODic();
    EXPECT_TRUE(DeleteFileA(first.c_str()));

    // The template itself is never the target: it would be deleted to copy it onto itself.
    EXPECT_EQ(api.CreateDAODic(templatePath.c_str(), LEXOR_DIC_JAPANESE), 0);
    EXPECT_EQ(LocaleOf(templatePath), ";LANGID=0x0411;CP=932;COUNTRY=0");
    EXPECT_EQ(api.CreateDAODic("", 0), 0);
    EXPECT_EQ(api.CreateDAODic(nullptr, 0), 0);
    EXPECT_EQ(api.CreateDAODic(temp.File("no-such-folder\\x.mdb").c_str(), 0), 0);
}

TEST_F(DictionaryTableTest, EachTypeMakesItsCollatingOrder) {
    const struct {
        int type;
        const char* locale;
    } types[] = {
        {0, ";LANGID=0x0411;CP=932;COUNTRY=0"},   {1, ";LANGID=0x0804;CP=936;COUNTRY=0"},
        {2, ";LANGID=0x0404;CP=950;COUNTRY=0"},   {3, ";LANGID=0x0409;CP=1252;COUNTRY=0"},
        {-4, ";LANGID=0x0409;CP=1252;COUNTRY=0"},
    };
    for (const auto& t : types) {
        SCOPED_TRACE(t.type);
        ScratchFolder folder("lexor");  // a template is made once per folder
        const std::string path = folder.File("dic.dat");
        ASSERT_EQ(api.CreateDAODic(path.c_str(), t.type), 1);
        api.CloseDAODic();
        EXPECT_EQ(LocaleOf(folder.File("$default.dat")), t.locale);
    }
}

TEST_F(DictionaryTableTest, WithoutAnOpenTableEverythingAnswersZero) {
    DicRecord r = Record("x", 1, 1);
    void* mark = api.CreateBookMarkDAODic();
    EXPECT_EQ(api.SetDaoCurrentIndex(1), 0);
    EXPECT_EQ(api.GetFieldDAODic(&r), 0);
    EXPECT_EQ(api.SetFieldDAODic(&r), 0);
    EXPECT_EQ(api.AddDAODic(&r), 0);
    EXPECT_EQ(api.SeekDAODic(1, 1, &r), 0);
    EXPECT_EQ(api.SeekStartPosOnlyDAODic(1, &r), 0);
    EXPECT_EQ(api.MoveNextDAODic(&r), 0);
    EXPECT_EQ(api.GetBookMarkDAODic(mark), 0);
    EXPECT_EQ(api.SetBookMarkDAODic(mark), 0);
    api.DeleteDAODic();
    EXPECT_EQ(api.CloseDAODic(), 0);
    api.DeleteBookMarkDAODic(mark);
}

// Byte pairs of text: every pair of the ranges a language re-codes, 25 pairs to a record.
std::vector<std::string> PairsOf(unsigned char lead, unsigned char low, unsigned char high) {
    std::vector<std::string> texts(1);
    for (unsigned b = low; b <= high; ++b) {
        if (texts.back().size() == 50) texts.emplace_back();
        texts.back() += static_cast<char>(lead);
        texts.back() += static_cast<char>(b);
    }
    return texts;
}

struct RangeCase {
    int language;
    unsigned char lead, low, high;
    unsigned char storedLead;
    int storedShift;
    unsigned char readLead;  // what reading gives back
    int readShift;
};

const RangeCase kRanges[] = {
    {0, 0xA2, 0xCF, 0xFE, 0x81, 0, 0xA2, 0},
    {0, 0xA3, 0x40, 0x43, 0x82, 0, 0xA3, 0},
    {1, 0xA3, 0xA1, 0xFE, 0xF8, 0, 0xA3, 0},
    {2, 0x82, 0x60, 0x9A, 0x9B, 0x3F, 0x82, 0},       // up to fullwidth "z", whole
    {2, 0x87, 0xBF, 0xF8, 0x9B, -0x20, 0x82, -0x5F},  // shares the stored range; reads as 0x82
    {3, 0xA3, 0xA1, 0xFE, 0xA3, 0, 0xA3, 0},
};

std::string Shifted(const std::string& text, unsigned char lead, int shift) {
    std::string out = text;
    for (size_t i = 0; i + 1 < out.size(); i += 2) {
        out[i] = static_cast<char>(lead);
        out[i + 1] = static_cast<char>(static_cast<unsigned char>(out[i + 1]) + shift);
    }
    return out;
}

TEST_F(DictionaryTableTest, TextIsRecodedPerLanguageAndReadBack) {
    for (const RangeCase& c : kRanges) {
        SCOPED_TRACE(std::to_string(c.language) + " lead " + std::to_string(c.lead));
        ASSERT_EQ(api.CreateDAODic(temp.File("recode.mdb").c_str(), LEXOR_DIC_OTHER), 1);
        const std::vector<std::string> texts = PairsOf(c.lead, c.low, c.high);
        ASSERT_EQ(api.SetLanguage(nullptr, c.language), 1);
        for (size_t i = 0; i < texts.size(); ++i) ASSERT_EQ(Add(Record(texts[i], static_cast<int>(i), 0)), 1);

        for (size_t i = 0; i < texts.size(); ++i) {
            DicRecord r{};
            ASSERT_EQ(api.SeekDAODic(static_cast<int>(i), 0, &r), 1);
            EXPECT_EQ(std::string(r.Lexicon), Shifted(texts[i], c.readLead, c.readShift)) << i;
        }
        // Under English nothing is re-coded on reading, which shows the stored form.
        ASSERT_EQ(api.SetLanguage(nullptr, LEXOR_LANG_ENGLISH), 1);
        for (size_t i = 0; i < texts.size(); ++i) {
            DicRecord r{};
            ASSERT_EQ(api.SeekDAODic(static_cast<int>(i), 0, &r), 1);
            EXPECT_EQ(std::string(r.Lexicon), Shifted(texts[i], c.storedLead, c.storedShift)) << i;
        }
        api.CloseDAODic();
    }
}

TEST_F(DictionaryTableTest, RecodingFollowsFixedPairPositions) {
    ASSERT_EQ(api.CreateDAODic(temp.File("pairs.mdb").c_str(), LEXOR_DIC_SIMPLIFIED_CHINESE), 1);
    ASSERT_EQ(api.SetLanguage(nullptr, LEXOR_LANG_SIMPLIFIED_CHINESE), 1);
    // "A3 C1" at an even offset is re-coded; after one single-byte character it is not.
    ASSERT_EQ(Add(Record("\xA3\xC1"
                         "b",
                         1, 0)),
              1);
    ASSERT_EQ(Add(Record("b\xA3\xC1", 2, 0)), 1);
    ASSERT_EQ(Add(Record("\xA3", 3, 0)), 1);  // half a pair
    ASSERT_EQ(api.SetLanguage(nullptr, LEXOR_LANG_ENGLISH), 1);
    DicRecord r{};
    ASSERT_EQ(api.SeekDAODic(1, 0, &r), 1);
    EXPECT_STREQ(r.Lexicon, "\xF8\xC1"
                            "b");
    ASSERT_EQ(api.SeekDAODic(2, 0, &r), 1);
    EXPECT_STREQ(r.Lexicon, "b\xA3\xC1");
    ASSERT_EQ(api.SeekDAODic(3, 0, &r), 1);
    EXPECT_STREQ(r.Lexicon, "\xA3");
}

}  // namespace
