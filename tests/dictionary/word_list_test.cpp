// The word-list exports driven as an outside caller drives them: load, look up, walk, free.
#include "lexor_api.h"
#include "dialog_watch.h"
#include "qktr_image.h"
#include "file_bytes.h"
#include "scratch_folder.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cstring>
#include <memory>

namespace {

const std::string kFixtures = LEXOR_FIXTURES;

class WordListTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(api.dll.loaded());
        block = api.NEW_DefLoadQktrBinParam();
        ASSERT_NE(block, nullptr);
    }
    void TearDown() override { api.DELETE_DefLoadQktrBinParam(block); }

    int Load(const std::string& path, int async = 0) {
        std::snprintf(block->path, sizeof block->path, "%s", path.c_str());
        return api.LoadQktrBin(block, async);
    }
    int LoadSpec(const QktrSpec& spec, int async = 0) { return LoadImage(Scrambled(PlainImage(spec)), async); }
    int LoadImage(const std::vector<uint8_t>& bytes, int async = 0) {
        const std::string path = temp.File("list" + std::to_string(++files) + ".qktr");
        EXPECT_TRUE(WriteWholeFile(path, bytes));
        return Load(path, async);
    }

    LexorApi api;
    DefLoadQktrBinParam* block = nullptr;
    ScratchFolder temp{"lexor"};
    int files = 0;
};

// The English fixture in file order: apple, banana, cafe, cafz, caf\xE9, cherry, cherrypie,
// date, dates, eclair, l(o*198)ng, zulu. Attribute records: 0 {}, 1 {4}, 2 {0,4}, 3 {1,8}.
const std::string kLongWord = "l" + std::string(198, 'o') + "ng";

struct Expected {
    std::string word;
    int row;  // -1 absent
    int attributeIndex, value;
    int zem;  // FindZemBin
};

const Expected kEnglish[] = {
    {"apple", 0, 0, 11, 1},   {"banana", 1, 3, 22, 1},  {"cafe", 2, 0, 61, 1},      {"cafz", 3, 0, 62, 1},
    {"caf\xE9", 4, 0, 63, 1}, {"cherry", 5, 1, 33, -1}, {"cherrypie", 6, 3, 34, 1}, {"date", 7, 1, 44, -1},
    {"dates", 8, 1, 45, -1},  {"eclair", 9, 2, 55, 1},  {kLongWord, 10, 3, 200, 1}, {"zulu", 11, 1, 99, -1},
    {"", -1, 0, 0, 0},        {"appl", -1, 0, 0, 0},    {"apples", -1, 0, 0, 0},    {"Apple", -1, 0, 0, 0},
    {"caf", -1, 0, 0, 0},     {"zz", -1, 0, 0, 0},      {"\xFF", -1, 0, 0, 0},
};

TEST_F(WordListTest, FixturesOfBothWritersReadBackAlike) {
    // Plain, compressed by our generator, compressed by Debian's mscompress.
    for (const char* name : {"english.qktr", "english-lz.qktr", "english-ms.qktr_"}) {
        SCOPED_TRACE(name);
        ASSERT_EQ(Load(kFixtures + "/" + name), 1);
        EXPECT_EQ(api.IsOpen(block), 1);
        EXPECT_EQ(api.GetCurrentDatabaseLanguage(block), 3);
        EXPECT_EQ(api.GetCurrentDatabaseFormat(block), 7);
        EXPECT_EQ(block->language, 3);
        EXPECT_EQ(block->format, 7);
        for (const Expected& e : kEnglish) {
            SCOPED_TRACE(e.word);
            int attributeIndex = -7, value = -7;
            EXPECT_EQ(api.FindQktrBin(block, e.word.c_str()), e.row >= 0 ? 1 : 0);
            EXPECT_EQ(api.FindQktrBinWithAttribute(block, e.word.c_str(), &attributeIndex, &value), e.row);
            EXPECT_EQ(attributeIndex, e.row >= 0 ? e.attributeIndex : -7);
            EXPECT_EQ(value, e.row >= 0 ? e.value : -7);
            EXPECT_EQ(api.FindZemBin(block, e.word.c_str()), e.zem);
        }
    }
}

// Every word of the medium list (1,728 words, value = position in the description file),
// read through both compressors, whose output holds many back references.
TEST_F(WordListTest, CompressedFixturesExpandToTheSameList) {
    const char* syllables[] = {"ka", "ri", "to", "ne", "sa", "mo", "lu", "pe", "di", "ga", "zo", "bi"};
    std::vector<std::string> words;
    for (const char* a : syllables)
        for (const char* b : syllables)
            for (const char* c : syllables) words.push_back(std::string(a) + b + c);
    std::vector<std::string> sorted = words;
    std::sort(sorted.begin(), sorted.end());

    for (const char* name : {"medium.qktr", "medium-lz.qktr", "medium-ms.qktr_"}) {
        SCOPED_TRACE(name);
        ASSERT_EQ(Load(kFixtures + "/" + name), 1);
        EXPECT_EQ(api.GetCurrentDatabaseFormat(block), 2);
        for (size_t i = 0; i < words.size(); ++i) {
            int attributeIndex = -1, value = -1;
            const int row = api.FindQktrBinWithAttribute(block, words[i].c_str(), &attributeIndex, &value);
            ASSERT_EQ(row, std::lower_bound(sorted.begin(), sorted.end(), words[i]) - sorted.begin()) << words[i];
            ASSERT_EQ(value, static_cast<int>(i));
            ASSERT_EQ(attributeIndex, i % 7 == 0 ? 1 : 0);
        }
        EXPECT_EQ(api.FindQktrBin(block, "kakak"), 0);
    }
}

TEST_F(WordListTest, JapaneseListIsSearchedInFullWidth) {
    for (const char* name : {"japanese.qktr", "japanese-lz.qktr", "japanese-ms.qktr_"}) {
        SCOPED_TRACE(name);
        ASSERT_EQ(Load(kFixtures + "/" + name), 1);
        EXPECT_EQ(api.GetCurrentDatabaseLanguage(block), 2);
        EXPECT_EQ(api.GetCurrentDatabaseFormat(block), 1);
        // The caller's half-width query finds the full-width entry.
        EXPECT_EQ(api.FindQktrBin(block, "ABC"), 1);
        EXPECT_EQ(api.FindQktrBin(block, "abc"), 1);
        EXPECT_EQ(api.FindQktrBin(block, "\x82\x60\x82\x61\x82\x62"), 1);  // already full width
        EXPECT_EQ(api.FindQktrBin(block, "\x93\xfa\x96\x7b"), 1);          // two kanji, unchanged
        EXPECT_EQ(api.FindQktrBin(block, "AB"), 0);
        EXPECT_EQ(api.FindZemBin(block, "Zem"), -1);
        const char* text = nullptr;
        int attribute = -1, value = -1;
        EXPECT_EQ(api.FindZemBinWithAttribute(block, "ABC", -1, &text, &attribute, &value), 0);
        EXPECT_STREQ(text, "\x82\x60\x82\x61\x82\x62");
    }
}

struct Walk {
    const char* word;
    int row;
    int expected;  // row reached or -1
    const char* text;
    int attribute, value;
};

TEST_F(WordListTest, FindZemBinWithAttributeWalksRuns) {
    ASSERT_EQ(Load(kFixtures + "/english.qktr"), 1);
    const Walk walks[] = {
        {"cherry", -1, 6, "cherrypie", 0x102, 34},  // {4} steps once to the next entry
        {"date", -1, -1, nullptr, 0, 0},            // next entry is {4} too
        {"zulu", -1, -1, nullptr, 0, 0},            // {4} on the last entry
        {"apple", -1, 0, "apple", 0, 11},           // no {4}: the entry itself
        {"eclair", -1, 9, "eclair", 0x11, 55},      // contains bit 4, not exactly {4}
        {"missing", -1, -1, nullptr, 0, 0},
        {nullptr, 0, 1, "banana", 0x102, 22},  // continuation ignores the word
        {"x", 3, 4, "caf\xE9", 0, 63},
        {"x", 4, -1, nullptr, 0, 0},  // next is {4}
        {"x", 8, -1, nullptr, 0, 0},  // next contains bit 4
        {"x", 9, 10, kLongWord.c_str(), 0x102, 200},
        {"x", 10, -1, nullptr, 0, 0},
        {"x", 11, -1, nullptr, 0, 0},  // past the last row
        {"x", 5000, -1, nullptr, 0, 0},
    };
    for (const Walk& w : walks) {
        SCOPED_TRACE(std::string(w.word ? w.word : "(null)") + " row " + std::to_string(w.row));
        const char* text = nullptr;
        int attribute = -7, value = -7;
        EXPECT_EQ(api.FindZemBinWithAttribute(block, w.word, w.row, &text, &attribute, &value), w.expected);
        if (w.expected >= 0) {
            EXPECT_STREQ(text, w.text);
            EXPECT_EQ(attribute, w.attribute);
            EXPECT_EQ(value, w.value);
        } else {
            EXPECT_EQ(text, nullptr);
        }
    }
}

TEST_F(WordListTest, LookupsWithoutAReadyListAnswerTheirNoListCodes) {
    const char* text = nullptr;
    int a = -7, v = -7;
    TagFreq tag{};
    for (DefLoadQktrBinParam* b : {static_cast<DefLoadQktrBinParam*>(nullptr), block}) {
        EXPECT_EQ(api.IsOpen(b), 0);
        EXPECT_EQ(api.FindQktrBin(b, "apple"), 0);
        EXPECT_EQ(api.FindQktrBinWithAttribute(b, "apple", &a, &v), 0);
        EXPECT_EQ(api.FindZemBin(b, "apple"), 0);
        EXPECT_EQ(api.FindZemBinWithAttribute(b, "apple", -1, &text, &a, &v), -2);
        EXPECT_EQ(api.FindLexorAndTag(b, "apple", &tag), 0);
        EXPECT_EQ(api.GetCurrentDatabaseLanguage(b), 0);
        EXPECT_EQ(api.GetCurrentDatabaseFormat(b), 0);
    }
    EXPECT_EQ(api.LoadQktrBin(nullptr, 0), 0);
    EXPECT_EQ(api.LoadQktrBin(nullptr, 1), 0);
    api.FreeQktrBin(nullptr);
    api.FreeQktrBin(block);
    api.DELETE_DefLoadQktrBinParam(nullptr);

    // A failed load stays attached until freed: "not ready" rather than "no list".
    ASSERT_EQ(Load(temp.File("absent.qktr")), 0);
    EXPECT_NE(block->wordList, nullptr);
    EXPECT_EQ(api.FindZemBinWithAttribute(block, "apple", -1, &text, &a, &v), -3);
    api.FreeQktrBin(block);
    EXPECT_EQ(block->wordList, nullptr);
    EXPECT_EQ(a, -7);
    EXPECT_EQ(v, -7);
}

TEST_F(WordListTest, FirstRowLooksLikeNoListAndTagsStayEmpty) {
    ASSERT_EQ(Load(kFixtures + "/english.qktr"), 1);
    int a = -7, v = -7;
    EXPECT_EQ(api.FindQktrBinWithAttribute(block, "apple", &a, &v), 0);  // row 0
    EXPECT_EQ(v, 11);
    EXPECT_EQ(api.FindQktrBinWithAttribute(block, "nope", nullptr, nullptr), -1);
    TagFreq tag{};
    EXPECT_EQ(api.FindLexorAndTag(block, "apple", &tag), 0);  // the binary load fills no tags
}

TEST_F(WordListTest, EmptyListLoadsAndEveryLookupMisses) {
    QktrSpec empty;
    empty.recordSize = 0;
    ASSERT_EQ(LoadSpec(empty), 1);
    EXPECT_EQ(api.IsOpen(block), 1);
    EXPECT_EQ(api.FindQktrBin(block, "a"), 0);
    EXPECT_EQ(api.FindQktrBin(block, ""), 0);
    EXPECT_EQ(api.FindQktrBinWithAttribute(block, "a", nullptr, nullptr), -1);
    EXPECT_EQ(api.FindZemBin(block, "a"), 0);
    EXPECT_EQ(api.FindZemBinWithAttribute(block, "a", -1, nullptr, nullptr, nullptr), -1);
    EXPECT_EQ(api.FindZemBinWithAttribute(block, "a", 0, nullptr, nullptr, nullptr), -1);
}

// Large enough that the worker is still busy when the first lookup arrives.
QktrSpec ManyWords(int count, int language = 3) {
    QktrSpec spec;
    spec.language = language;
    spec.records = {std::string(1, '\0'), std::string(1, '\x10')};
    char word[32];
    for (int i = 0; i < count; ++i) {
        std::snprintf(word, sizeof word, "w%08d", i);
        spec.words.push_back({word, i % 2, i});
    }
    return spec;
}

TEST_F(WordListTest, LookupRightAfterAsyncLoadGivesTheTrueAnswer) {
    const std::vector<uint8_t> image = Scrambled(PlainImage(ManyWords(200000)));
    for (int round = 0; round < 3; ++round) {
        ASSERT_EQ(LoadImage(image, 1), 1);
        EXPECT_EQ(api.FindQktrBin(block, "w00199999"), 1);
        EXPECT_EQ(api.IsOpen(block), 1);
        EXPECT_EQ(api.GetCurrentDatabaseLanguage(block), 3);
        int a = -1, v = -1;
        EXPECT_EQ(api.FindQktrBinWithAttribute(block, "w00123457", &a, &v), 123457);
        EXPECT_EQ(v, 123457);
        EXPECT_EQ(a, 1);
    }
    // Freeing and deleting while the worker still runs waits for it instead of pulling the
    // list (or the block it writes into) from under it.
    ASSERT_EQ(LoadImage(image, 1), 1);
    api.FreeQktrBin(block);
    EXPECT_EQ(block->wordList, nullptr);
    ASSERT_EQ(LoadImage(image, 1), 1);
    api.DELETE_DefLoadQktrBinParam(block);
    block = api.NEW_DefLoadQktrBinParam();
}

double ThreadCpuSeconds() {
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    auto seconds = [](const FILETIME& t) {
        return ((static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

TEST_F(WordListTest, AsyncLoadFailureIsSeenByTheLookups) {
    ASSERT_EQ(Load(temp.File("absent.qktr"), 1), 1);
    EXPECT_EQ(api.FindQktrBin(block, "w"), 0);
    EXPECT_EQ(api.IsOpen(block), 0);
    EXPECT_EQ(api.FindZemBinWithAttribute(block, "w", -1, nullptr, nullptr, nullptr), -3);

    // The order message comes from the worker thread; the lookup waits until it is answered.
    QktrSpec unsorted = ManyWords(1000);
    std::swap(unsorted.words[500], unsorted.words[501]);
    DialogWatch watch;
    ASSERT_EQ(LoadSpec(unsorted, 1), 1);
    const double cpuBefore = ThreadCpuSeconds();
    const DWORD wallBefore = GetTickCount();
    EXPECT_EQ(api.FindQktrBin(block, "w00000001"), 0);
    const double waitedCpu = ThreadCpuSeconds() - cpuBefore;
    const double waitedWall = (GetTickCount() - wallBefore) / 1000.0;
    EXPECT_EQ(api.IsOpen(block), 0);
    EXPECT_EQ(watch.Texts(), std::vector<std::string>{"File is not sorted"});
    // The message box holds the loader for a while; the waiting lookup gives the processor
    // away meanwhile instead of spinning.
    EXPECT_GT(waitedWall, 0.2);
    EXPECT_LT(waitedCpu, waitedWall * 0.2) << "cpu " << waitedCpu << " s of " << waitedWall << " s waited";
}

TEST_F(WordListTest, ReloadReplacesTheList) {
    ASSERT_EQ(Load(kFixtures + "/english.qktr"), 1);
    EXPECT_EQ(api.FindQktrBin(block, "apple"), 1);
    ASSERT_EQ(Load(kFixtures + "/medium.qktr"), 1);
    EXPECT_EQ(api.FindQktrBin(block, "apple"), 0);
    EXPECT_EQ(api.FindQktrBin(block, "karito"), 1);
    EXPECT_EQ(api.GetCurrentDatabaseFormat(block), 2);
    // A failed reload leaves nothing of the earlier list behind.
    ASSERT_EQ(Load(temp.File("absent.qktr")), 0);
    EXPECT_EQ(api.FindQktrBin(block, "karito"), 0);
}

TEST_F(WordListTest, AttributeIndexesAndRecordSizesAreBounded) {
    QktrSpec spec;
    spec.records = {"\x10"};  // one record of one byte: exactly {bit 4}
    spec.recordSize = 1;
    spec.words = {{"a", 0, 1}, {"b", 1, 2}, {"c", -1, 3}, {"d", 0x7FFFFFFF, 4}, {"e", 0, 5}};
    ASSERT_EQ(LoadSpec(spec), 1);
    EXPECT_EQ(api.FindZemBin(block, "a"), -1);  // the short record reads zero-padded
    for (const char* outside : {"b", "c", "d"}) {
        SCOPED_TRACE(outside);
        EXPECT_EQ(api.FindZemBin(block, outside), 1);  // an index outside the table: empty set
    }
    const char* text = nullptr;
    int attribute = -7, value = -7;
    EXPECT_EQ(api.FindZemBinWithAttribute(block, "a", -1, &text, &attribute, &value), 1);
    EXPECT_STREQ(text, "b");
    EXPECT_EQ(attribute, 0);
    EXPECT_EQ(api.FindZemBinWithAttribute(block, "e", -1, &text, &attribute, &value), -1);
    EXPECT_EQ(api.FindZemBinWithAttribute(block, "d", -1, &text, &attribute, &value), 3);
    EXPECT_EQ(attribute, 0);
    EXPECT_EQ(value, 4);

    spec.recordSize = 0;  // records of no bytes at all
    spec.records = {"", ""};
    ASSERT_EQ(LoadSpec(spec), 1);
    EXPECT_EQ(api.FindZemBin(block, "a"), 1);
}

// Offsets inside the image of a small good list, for the corruptions below.
QktrSpec SmallList() {
    QktrSpec spec;
    spec.records = {"\x00\x00\x00\x00", "\x10\x00\x00\x00"};
    spec.words = {{"alpha", 0, 1}, {"beta", 1, 2}, {"gamma", 0, 3}};
    return spec;
}
constexpr size_t kCountAt = 22;
constexpr size_t kRecordCountAt = 26 + (5 + 10) + (4 + 10) + (5 + 10);

struct Broken {
    const char* name;
    std::vector<uint8_t> plain;  // before scrambling
    bool sortMessage;
};

std::vector<uint8_t> With(std::vector<uint8_t> image, size_t offset, int32_t v) {
    PokeInt32(image, offset, v);
    return image;
}

std::vector<Broken> BrokenFiles() {
    const std::vector<uint8_t> good = PlainImage(SmallList());
    std::vector<Broken> broken;
    std::vector<uint8_t> magic = good;
    magic[7] = 'M';
    broken.push_back({"wrong magic", magic, false});
    broken.push_back({"negative count", With(good, kCountAt, -1), false});
    // The record table then reads as a fourth entry: an empty word, out of order.
    broken.push_back({"count beyond the entries", With(good, kCountAt, 4), true});
    broken.push_back({"count far beyond the entries", With(good, kCountAt, 40), false});
    broken.push_back({"huge count", With(good, kCountAt, 0x7FFFFFFF), false});
    std::vector<uint8_t> longLength = good;
    longLength[26 + 15 + 14] = 250;  // third entry claims 250 bytes of text
    broken.push_back({"length past the end", longLength, false});
    std::vector<uint8_t> noNul = good;
    noNul[26 + 1 + 5] = 'x';  // first entry loses its terminator
    broken.push_back({"missing terminator", noNul, false});
    broken.push_back({"negative record count", With(good, kRecordCountAt, -1), false});
    broken.push_back({"negative record size", With(good, kRecordCountAt + 4, -4), false});
    broken.push_back({"records past the end", With(good, kRecordCountAt, 3), false});
    broken.push_back(
        {"record table overflowing", With(With(good, kRecordCountAt, 0x10000), kRecordCountAt + 4, 0x10000), false});

    QktrSpec spec = SmallList();
    spec.words[2].text = "beta";  // A, B, B: equal neighbours
    broken.push_back({"equal neighbours", PlainImage(spec), true});
    spec = SmallList();
    std::swap(spec.words[0], spec.words[2]);
    broken.push_back({"descending", PlainImage(spec), true});
    spec = SmallList();
    spec.words = {{"\xE9t\xE9", 0, 1}, {"ete", 0, 2}};  // signed order puts 0xE9 first
    broken.push_back({"sorted by signed bytes", PlainImage(spec), true});
    return broken;
}

TEST_F(WordListTest, BrokenFilesFailCleanly) {
    for (const Broken& b : BrokenFiles()) {
        SCOPED_TRACE(b.name);
        DialogWatch watch;
        EXPECT_EQ(LoadImage(Scrambled(b.plain)), 0);
        EXPECT_EQ(api.IsOpen(block), 0);
        EXPECT_EQ(api.FindQktrBin(block, "alpha"), 0);
        EXPECT_EQ(api.FindZemBinWithAttribute(block, "alpha", -1, nullptr, nullptr, nullptr), -3);
        EXPECT_EQ(api.GetCurrentDatabaseLanguage(block), 0);
        EXPECT_EQ(watch.Texts(),
                  b.sortMessage ? std::vector<std::string>{"File is not sorted"} : std::vector<std::string>{});
    }
    // A path that fills its field without a terminator names no file.
    std::memset(block->path, 'a', sizeof block->path);
    block->language = 0x41414141;
    EXPECT_EQ(api.LoadQktrBin(block, 0), 0);
    // A file that was never scrambled does not show its magic.
    EXPECT_EQ(LoadImage(PlainImage(SmallList())), 0);
    EXPECT_EQ(LoadImage(Scrambled(PlainImage(SmallList()))), 1);
}

TEST_F(WordListTest, EveryTruncationFailsWithoutReadingPastTheEnd) {
    const std::vector<uint8_t> good = Scrambled(PlainImage(SmallList()));
    for (size_t length = 0; length < good.size(); ++length) {
        SCOPED_TRACE(length);
        ASSERT_EQ(LoadImage(std::vector<uint8_t>(good.begin(), good.begin() + length)), 0);
    }
    // The same cut inside a compressed file: the expander delivers what it has, which is short.
    const std::vector<uint8_t> compressed = ReadFileBytes(kFixtures + "/english-ms.qktr_");
    ASSERT_GT(compressed.size(), 100u);
    EXPECT_EQ(LoadImage(std::vector<uint8_t>(compressed.begin(), compressed.end() - 40)), 0);
}

}  // namespace
