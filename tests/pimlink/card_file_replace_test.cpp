// Putting a compacted copy in a card file's place: whole or not at all.
#include <gtest/gtest.h>
#include "card_builders.h"
#include "card_file_fixture.h"
#include "card_file_replace.h"

namespace {

class CardFileReplace : public WatchedCardFileFolder {
protected:
    void SetUp() override {
        WatchedCardFileFolder::SetUp();
        std::vector<StoredCard> cards(3), compacted(1);
        for (size_t i = 0; i < cards.size(); ++i) {
            memset(&cards[i].v3, 0, sizeof(CardRec));
            SetText(cards[i].v3.CName, "Card " + std::to_string(i));
        }
        memset(&compacted[0].v3, 0, sizeof(CardRec));
        SetText(compacted[0].v3.CName, "Compacted");
        CreateV3(Path("cards.mdb"), cards);
        CreateV3(Path("temp.mdb"), compacted);
    }
    std::vector<std::string> Names(const std::string& path) {
        std::vector<std::string> names;
        for (auto& [name, flags] : ReadV3Flags(path)) names.push_back(name);
        return names;
    }
    const std::vector<std::string> original_{"Card 0", "Card 1", "Card 2"};
};

}  // namespace

TEST_F(CardFileReplace, TheCompactedCopyTakesThePlaceOfTheCardFile) {
    EXPECT_EQ(ReplaceCardFileWithCompacted(Path("temp.mdb").c_str(), Path("cards.mdb").c_str()), 1);
    EXPECT_EQ(Names(Path("cards.mdb")), std::vector<std::string>{"Compacted"});
    EXPECT_FALSE(Exists(Path("temp.mdb")));
}

TEST_F(CardFileReplace, AReplaceThatFailsLeavesTheCardFileAndTheCopy) {
    // Another program reads the card file: it shares reading and writing but not deleting, and
    // holds a read lock on its first pages (as a backup program might).
    HANDLE reader = CreateFileA(Path("cards.mdb").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    OVERLAPPED at{};
    ASSERT_TRUE(LockFileEx(reader, LOCKFILE_FAIL_IMMEDIATELY, 0, 4096, 0, &at));
    EXPECT_EQ(ReplaceCardFileWithCompacted(Path("temp.mdb").c_str(), Path("cards.mdb").c_str()), 0);
    UnlockFileEx(reader, 0, 4096, 0, &at);
    CloseHandle(reader);
    EXPECT_EQ(Names(Path("cards.mdb")), original_);
    EXPECT_EQ(Names(Path("temp.mdb")), std::vector<std::string>{"Compacted"});

    // A read-only card file is not replaced either.
    ASSERT_TRUE(SetFileAttributesA(Path("cards.mdb").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(ReplaceCardFileWithCompacted(Path("temp.mdb").c_str(), Path("cards.mdb").c_str()), 0);
    SetFileAttributesA(Path("cards.mdb").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(Names(Path("cards.mdb")), original_);
    EXPECT_TRUE(Exists(Path("temp.mdb")));

    // Nothing to put in its place: the card file stays.
    EXPECT_EQ(ReplaceCardFileWithCompacted(Path("missing.mdb").c_str(), Path("cards.mdb").c_str()), 0);
    EXPECT_EQ(Names(Path("cards.mdb")), original_);
}
