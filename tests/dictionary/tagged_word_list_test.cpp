// The tagged word list's archive form and text dump, and the attribute set's intersection,
// through the library's own classes (no export reads an archive).
#include <gtest/gtest.h>
#include <cstdint>
#include <string>
#include <vector>
#include "attribute_set.h"
#include "lexor.h"
#include "tagged_word_list.h"
#include "word_archive.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Le(int32_t value) {
    const uint32_t v = static_cast<uint32_t>(value);
    return {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16),
            static_cast<uint8_t>(v >> 24)};
}

Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

Bytes Word(const std::string& text, int32_t tag, int32_t frequency) {
    Bytes word{static_cast<uint8_t>(text.size())};
    word.insert(word.end(), text.begin(), text.end());
    word.push_back(0);
    return Join({word, Le(tag), Le(frequency)});
}

bool Read(CTaggedWordList& list, const Bytes& archive) {
    CArchiveReader reader(archive.data(), archive.size());
    return list.Read(reader);
}

Bytes Written(const CTaggedWordList& list) {
    CArchiveWriter writer;
    EXPECT_TRUE(list.Write(writer));
    return writer.Data();
}

}  // namespace

// Records smaller than an attribute set are read into sets of three bytes and written back
// at that size; larger ones raise the size for every list, and a list round-trips byte for
// byte. The dump is checked against text written out by hand.
TEST(TaggedWordList, ArchiveRoundTripAndDump) {
    ASSERT_EQ(AttributeSize(), 3);
    CTaggedWordList small;
    ASSERT_TRUE(Read(small, Join({Le(0), Le(1), Le(2), {0x02, 0x80}})));
    EXPECT_EQ(AttributeSize(), 3);
    EXPECT_EQ(Written(small), Join({Le(0), Le(1), Le(3), {0x02, 0x80, 0x00}}));
    EXPECT_EQ(small.Dump(), std::string("0::\x05NoTag\r\n"));

    const Bytes archive = Join({Le(2),
                                Word("APPLE", 7, 100),
                                Word("PEAR", -1, 0x01020304),
                                Le(3),
                                Le(4),
                                {0x02, 0x00, 0x00, 0xAA},
                                {0x10, 0x00, 0x00, 0x00},
                                {0x02, 0x01, 0x00, 0x00}});
    CTaggedWordList list;
    ASSERT_TRUE(Read(list, archive));
    EXPECT_EQ(AttributeSize(), 4);
    EXPECT_EQ(Written(list), archive);
    EXPECT_EQ(list.Dump(), std::string("0::\x05NoTag\r\n"
                                       "1:\r\n"
                                       "2::\x05NoTag\r\n"
                                       "APPLE:   tag:7   freq:100\r\n"
                                       "PEAR:   tag:-1   freq:16909060\r\n"));
    TagFreq found{};
    ASSERT_TRUE(list.Find("PEAR", &found));
    EXPECT_EQ(found.tag.value, -1);
    EXPECT_EQ(found.frequency.value, 0x01020304);
    EXPECT_FALSE(list.Find("PEA", nullptr));
    // The small list's record is written at the raised size now, padded with zeros.
    EXPECT_EQ(Written(small), Join({Le(0), Le(1), Le(4), {0x02, 0x80, 0x00, 0x00}}));
}

// A damaged archive leaves the list empty, whatever it held before.
TEST(TaggedWordList, ADamagedArchiveLeavesTheListEmpty) {
    const Bytes records = Join({Le(1), Le(3), {0x10, 0x00, 0x00}});
    const Bytes good = Join({Le(2), Word("APPLE", 7, 100), Word("PEAR", 1, 2), records});
    Bytes noNul = good;
    noNul[4 + 1 + 5] = 'X';
    const struct {
        const char* what;
        Bytes archive;
    } cases[] = {
        {"cut short", Bytes(good.begin(), good.end() - 1)},
        {"a word without its NUL", noNul},
        {"words out of order", Join({Le(2), Word("PEAR", 1, 2), Word("APPLE", 7, 100), records})},
        {"a word twice", Join({Le(2), Word("PEAR", 1, 2), Word("PEAR", 1, 2), records})},
        {"a negative count", Join({Le(-1), records})},
        {"more records than bytes", Join({Le(0), Le(1000), Le(3), {0x10, 0x00, 0x00}})},
    };
    for (const auto& c : cases) {
        CTaggedWordList list;
        ASSERT_TRUE(Read(list, good));
        EXPECT_FALSE(Read(list, c.archive)) << c.what;
        EXPECT_FALSE(list.Find("APPLE", nullptr)) << c.what;
        EXPECT_EQ(list.RecordCount(), 0) << c.what;
    }
}

TEST(AttributeSetTest, IntersectionKeepsTheBitsOfBoth) {
    CAttributeSet a, b, both;
    for (int bit : {1, 4, 9, 23}) a.Set(bit);
    for (int bit : {4, 9, 20}) b.Set(bit);
    for (int bit : {4, 9}) both.Set(bit);
    EXPECT_TRUE(a.Intersect(b) == both);
    EXPECT_TRUE(b.Intersect(a) == both);
    EXPECT_TRUE(a.Intersect(CAttributeSet()) == CAttributeSet());
}
