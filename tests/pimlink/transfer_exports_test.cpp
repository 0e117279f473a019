// The card-file exports of Ferrow.dll on real card files.
#include <gtest/gtest.h>
#include <set>
#include "card_builders.h"
#include "card_file_fixture.h"
#include "dialog_watch.h"
#include "dll_module.h"
#include "ferrow.h"
#include "kvdb32.h"
#include "refused_card_names.h"

namespace {

using TwoPaths = int (*)(const char*, const char*);
using TwoPathsAndInt = int (*)(const char*, const char*, int);

// The flat card database interface, as the main program reads a card file.
struct FlatApi {
    DllModule dll{"kvdb32.dll"};
    int(__stdcall* open)(int, const char*, HKVDB*) = dll.require<decltype(open)>("_kvOpenDatabase@12");
    int(__stdcall* tblNew)(HKVDB, const char*, HKVTBL*) = dll.require<decltype(tblNew)>("_kvTblNew@12");
    void(__stdcall* keyAdd)(HKVTBL, const char*) = dll.require<decltype(keyAdd)>("_kvKeyAdd@8");
    int(__stdcall* tblOpen)(HKVTBL) = dll.require<decltype(tblOpen)>("_kvTblOpen@4");
    int(__stdcall* nRecs)(HKVTBL) = dll.require<decltype(nRecs)>("_kvTblNRecs@4");
    int(__stdcall* first)(HKVTBL) = dll.require<decltype(first)>("_kvRecFirst@4");
    int(__stdcall* next)(HKVTBL) = dll.require<decltype(next)>("_kvRecNext@4");
    int(__stdcall* get)(HKVTBL, CardRec*, int) = dll.require<decltype(get)>("_kvCardRecGet@12");
    int(__stdcall* tblFree)(HKVTBL) = dll.require<decltype(tblFree)>("_kvTblFree@4");
    int(__stdcall* close)(HKVDB) = dll.require<decltype(close)>("_kvCloseDatabase@4");
};

// One card of a V3 card file as read through kvdb32, with its long values copied out.
struct ReadCard {
    CardRec rec;
    std::string note, image, thumb;
    int imageSize;
};

std::vector<ReadCard> ReadThroughKvdb32(const std::string& path) {
    FlatApi api;
    std::vector<ReadCard> cards;
    HKVDB db = nullptr;
    HKVTBL ds = nullptr;
    EXPECT_EQ(api.open(31, path.c_str(), &db), 1);
    EXPECT_EQ(api.tblNew(db, "NM", &ds), 1);
    api.keyAdd(ds, "CName");
    EXPECT_EQ(api.tblOpen(ds), 1);
    int n = api.nRecs(ds);
    if (n > 0) api.first(ds);
    for (int i = 0; i < n; ++i, api.next(ds)) {
        ReadCard c;
        memset(&c.rec, 0, sizeof(c.rec));
        if (api.get(ds, &c.rec, 1) != 1) continue;
        auto text = [](const CardRecBlob& b) {
            return b.Data && b.Size > 0 ? std::string(b.Data, strnlen(b.Data, b.Size)) : "";
        };
        c.note = text(c.rec.CNote);
        c.image = text(c.rec.CImage);
        c.thumb = text(c.rec.SecondText);
        c.imageSize = c.rec.CImage.Size;
        cards.push_back(c);
    }
    api.tblFree(ds);
    api.close(db);
    return cards;
}

std::string Letters(size_t n, char first = 'a') {
    std::string s;
    for (size_t i = 0; i < n; ++i) s += static_cast<char>(first + i % 26);
    return s;
}

class CardFileExports : public WatchedCardFileFolder {
protected:
    std::vector<StoredCard> Cards(int n) {
        std::vector<StoredCard> cards(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i) {
            StoredCard& c = cards[static_cast<size_t>(i)];
            memset(&c.v3, 0, sizeof(c.v3));
            char name[32];
            snprintf(name, sizeof(name), "Card %03d", i);
            SetText(c.v3.CName, name);
            SetText(c.v3.Company, "Company " + std::to_string(i % 7));
            SetText(c.v3.OPhone, "555-" + std::to_string(1000 + i));
            SetText(c.v3.Address, "Line one\r\nLine two " + std::to_string(i));
            c.v3.CDate[0] = 2004, c.v3.CDate[1] = 3, c.v3.CDate[2] = 1 + i % 28;
            c.v3.Flags = static_cast<int16_t>(i % 3 == 0 ? 1 : 0);
            if (i % 2) c.note = "Note of card " + std::to_string(i);
        }
        return cards;
    }

    static std::vector<std::string> NamesOf(const std::vector<std::pair<std::string, int>>& cards) {
        std::vector<std::string> names;
        for (const auto& card : cards) names.push_back(card.first);
        return names;
    }

    DllModule ferrow_{"Ferrow.dll"};
};

}  // namespace

TEST_F(CardFileExports, DuplicateCopiesFiftyCardsWithTheirImageFiles) {
    auto duplicate = ferrow_.require<TwoPathsAndInt>("DuplicateDBFile");
    ASSERT_NE(duplicate, nullptr);
    std::vector<StoredCard> cards = Cards(50);
    for (size_t i = 0; i < cards.size(); ++i) {
        char stem[16];
        snprintf(stem, sizeof(stem), "SCAN%04X", static_cast<unsigned>(i));
        cards[i].image = Path("img\\") + stem + ".tif";
        cards[i].thumb = Path("thm\\") + stem + ".THM";
        WriteFile(cards[i].image, "image " + std::to_string(i));
        WriteFile(cards[i].thumb, "thumb " + std::to_string(i));
        if (i % 5 == 0) {
            WriteFile(Path("img\\ifo\\") + stem + ".ifo", "info " + std::to_string(i));
            WriteFile(Path("img\\bin\\") + stem + ".tif", "bin " + std::to_string(i));
        }
    }
    CreateV3(Path("a.mdb"), cards);
    EXPECT_EQ(duplicate(Path("a.mdb").c_str(), Path("b.mdb").c_str(), 0), 0);

    std::vector<ReadCard> original = ReadThroughKvdb32(Path("a.mdb"));
    std::vector<ReadCard> copy = ReadThroughKvdb32(Path("b.mdb"));
    ASSERT_EQ(copy.size(), 50u);
    ASSERT_EQ(original.size(), 50u);
    std::set<std::string> newNames;
    for (size_t i = 0; i < copy.size(); ++i) {
        const ReadCard& o = original[i];
        const ReadCard& c = copy[i];
        SCOPED_TRACE(o.rec.CName);
        // Every stored text is the same; only the file names differ.
        EXPECT_EQ(memcmp(o.rec.CName, c.rec.CName, offsetof(CardRec, SecondText) - offsetof(CardRec, CName)), 0);
        EXPECT_EQ(memcmp(o.rec.CDate, c.rec.CDate, sizeof(o.rec.CDate)), 0);
        EXPECT_EQ(o.note, c.note);
        ASSERT_NE(o.image, c.image);
        EXPECT_EQ(c.image.substr(0, c.image.size() - 8), Path("img\\SCAN"));
        EXPECT_EQ(c.image.substr(c.image.size() - 4), ".tif");
        EXPECT_EQ(c.image.find_first_not_of("0123456789ABCDEF", c.image.size() - 8), c.image.size() - 4);
        EXPECT_EQ(c.imageSize, static_cast<int>(c.image.size() + 1));
        EXPECT_EQ(ReadFile(c.image), ReadFile(o.image));
        EXPECT_EQ(ReadFile(c.thumb), ReadFile(o.thumb));
        EXPECT_NE(c.thumb, o.thumb);
        std::string oldStem = o.image.substr(o.image.size() - 12, 8), newStem = c.image.substr(c.image.size() - 12, 8);
        bool companions = Exists(Path("img\\ifo\\") + oldStem + ".ifo");
        EXPECT_EQ(Exists(Path("img\\ifo\\") + newStem + ".ifo"), companions);
        if (companions) {
            EXPECT_EQ(ReadFile(Path("img\\ifo\\") + newStem + ".ifo"), ReadFile(Path("img\\ifo\\") + oldStem + ".ifo"));
            EXPECT_EQ(ReadFile(Path("img\\bin\\") + newStem + ".tif"), ReadFile(Path("img\\bin\\") + oldStem + ".tif"));
        }
        newNames.insert(c.image);
        newNames.insert(c.thumb);
    }
    EXPECT_EQ(newNames.size(), 100u);
    EXPECT_FALSE(Exists(Path("temp.mdb")));
}

TEST_F(CardFileExports, DuplicateAppendsToAnExistingFileAndCreatesFromAnEmptyOne) {
    auto duplicate = ferrow_.require<TwoPathsAndInt>("DuplicateDBFile");
    std::vector<StoredCard> two = Cards(2), none;
    CreateV3(Path("two.mdb"), two);
    CreateV3(Path("empty.mdb"), none);
    duplicate(Path("empty.mdb").c_str(), Path("fresh.mdb").c_str(), 0);
    EXPECT_TRUE(ReadV3Flags(Path("fresh.mdb")).empty());
    duplicate(Path("two.mdb").c_str(), Path("fresh.mdb").c_str(), 0);
    duplicate(Path("two.mdb").c_str(), Path("fresh.mdb").c_str(), 0);
    EXPECT_EQ(ReadV3Flags(Path("fresh.mdb")).size(), 4u);
    duplicate(Path("missing.mdb").c_str(), Path("fresh2.mdb").c_str(), 0);
    EXPECT_TRUE(Exists(Path("fresh2.mdb")));
    expectedReports_ = 1;  // the missing source cannot be opened: the engine reports it
}

TEST_F(CardFileExports, ExportTakesMarkedCardsAndClearsTheirMarks) {
    auto exportFile = ferrow_.require<TwoPathsAndInt>("ExportDBFile");
    std::vector<StoredCard> cards = Cards(6);  // cards 0 and 3 are marked
    CreateV3(Path("a.mdb"), cards);

    exportFile(Path("a.mdb").c_str(), Path("v4.mdb").c_str(), 1);
    std::vector<CardRecV4> exported = ReadV4(Path("v4.mdb"));
    ASSERT_EQ(exported.size(), 2u);
    EXPECT_STREQ(exported[0].CNAME.FullName.Text, "Card 000");
    EXPECT_STREQ(exported[1].CNAME.FullName.Text, "Card 003");
    EXPECT_EQ(exported[1].Flags, 0);
    EXPECT_STREQ(exported[1].Phone[0].PhoneNum.Text, "555-1003");
    for (auto& [name, flags] : ReadV3Flags(Path("a.mdb"))) EXPECT_EQ(flags, 0) << name;

    exportFile(Path("a.mdb").c_str(), Path("v4.mdb").c_str(), 1);  // nothing is marked any more
    EXPECT_EQ(ReadV4(Path("v4.mdb")).size(), 2u);
    exportFile(Path("a.mdb").c_str(), Path("v4.mdb").c_str(), 0);
    EXPECT_EQ(ReadV4(Path("v4.mdb")).size(), 8u);
}

TEST_F(CardFileExports, ImportTakesOnlyNewCards) {
    auto importFile = ferrow_.require<TwoPathsAndInt>("ImportDBFile");
    std::vector<CardRecV4> v4(5);
    const int16_t flags[5] = {0, 1, 2, 3, 5};
    for (int i = 0; i < 5; ++i) {
        memset(&v4[i], 0, sizeof(CardRecV4));
        SetText(v4[i].CNAME.FullName, "V4 card " + std::to_string(flags[i]));
        v4[i].CDate[0] = 2005, v4[i].CDate[1] = 1, v4[i].CDate[2] = 2;
        v4[i].Flags = flags[i];
    }
    CreateV4(Path("pim.mdb"), v4);
    std::vector<StoredCard> one = Cards(1);
    CreateV3(Path("cards.mdb"), one);
    importFile(Path("cards.mdb").c_str(), Path("pim.mdb").c_str(), 0);
    auto names = ReadV3Flags(Path("cards.mdb"));
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[0].first, "Card 000");
    EXPECT_EQ(names[1].first, "V4 card 3");
    EXPECT_EQ(names[1].second, 0);
}

TEST_F(CardFileExports, ConvertingThereAndBackCutsNotesIntoLines) {
    auto toV4 = ferrow_.require<TwoPaths>("ConvertV3ToV4");
    auto toV3 = ferrow_.require<TwoPaths>("ConvertV4ToV3");
    std::vector<StoredCard> cards = Cards(2);
    cards[0].note = Letters(199);
    cards[1].note = Letters(999, 'A');
    cards[0].image = "C:\\img\\SCAN0001.tif";
    CreateV3(Path("v3.mdb"), cards);
    toV4(Path("v3.mdb").c_str(), Path("v4.mdb").c_str());
    std::vector<CardRecV4> v4 = ReadV4(Path("v4.mdb"));
    ASSERT_EQ(v4.size(), 2u);
    EXPECT_EQ(std::string(v4[0].Note[2].Text), Letters(199).substr(160));
    EXPECT_EQ(std::string(v4[1].Note[7].Text), Letters(999, 'A').substr(560, 80));
    EXPECT_STREQ(v4[0].FrontImage.FileName, "C:\\img\\SCAN0001.tif");

    toV3(Path("v4.mdb").c_str(), Path("back.mdb").c_str());
    std::vector<ReadCard> back = ReadThroughKvdb32(Path("back.mdb"));
    ASSERT_EQ(back.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        std::string expected;
        for (size_t pos = 0; pos < cards[i].note.size() && pos < 640; pos += 80)
            expected += cards[i].note.substr(pos, 80) + "\r\n";
        EXPECT_EQ(back[i].note, expected) << i;
        EXPECT_STREQ(back[i].rec.OPhone, cards[i].v3.OPhone);
    }
    EXPECT_EQ(back[0].image, "C:\\img\\SCAN0001.tif");
}

TEST_F(CardFileExports, ACardThatCannotBeStoredLeavesNothingOfItselfAndItsMarkStays) {
    auto exportFile = ferrow_.require<TwoPathsAndInt>("ExportDBFile");
    auto importFile = ferrow_.require<TwoPathsAndInt>("ImportDBFile");
    auto duplicate = ferrow_.require<TwoPathsAndInt>("DuplicateDBFile");

    // Export: the destination already holds a "Card 003" and takes no second one.
    std::vector<StoredCard> cards = Cards(6);  // cards 0 and 3 are marked
    CreateV3(Path("a.mdb"), cards);
    std::vector<CardRecV4> held(1);
    memset(&held[0], 0, sizeof(CardRecV4));
    SetText(held[0].CNAME.FullName, "Card 003");
    CreateV4(Path("v4.mdb"), held);
    ASSERT_TRUE(RefuseSecondCardOf(Path("v4.mdb"), "CNAME_FullName_Data"));
    EXPECT_EQ(exportFile(Path("a.mdb").c_str(), Path("v4.mdb").c_str(), 1), FERROW_TRANSFER_INCOMPLETE);
    std::vector<CardRecV4> exported = ReadV4(Path("v4.mdb"));
    ASSERT_EQ(exported.size(), 2u);
    EXPECT_STREQ(exported[0].CNAME.FullName.Text, "Card 000");
    EXPECT_STREQ(exported[1].CNAME.FullName.Text, "Card 003");
    EXPECT_STREQ(exported[1].Phone[0].PhoneNum.Text, "") << "the card already there, not the refused one";
    const std::vector<std::pair<std::string, int>> marks = ReadV3Flags(Path("a.mdb"));
    ASSERT_EQ(marks.size(), 6u);
    EXPECT_EQ(marks[0].second, 0);  // stored: its mark is cleared
    EXPECT_EQ(marks[3].second, 1);  // refused: still marked for the next export

    // A read-only destination takes nothing, and every mark stays.
    ASSERT_TRUE(SetFileAttributesA(Path("v4.mdb").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(exportFile(Path("a.mdb").c_str(), Path("v4.mdb").c_str(), 0), FERROW_TRANSFER_INCOMPLETE);
    SetFileAttributesA(Path("v4.mdb").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadV4(Path("v4.mdb")).size(), 2u);
    EXPECT_EQ(ReadV3Flags(Path("a.mdb")), marks);

    // Import: the receiving card file already holds a "Dup".
    std::vector<CardRecV4> incoming(3);
    const char* names[3] = {"New 1", "Dup", "New 2"};
    for (int i = 0; i < 3; ++i) {
        memset(&incoming[i], 0, sizeof(CardRecV4));
        SetText(incoming[i].CNAME.FullName, names[i]);
        incoming[i].Flags = 3;
    }
    CreateV4(Path("pim.mdb"), incoming);
    std::vector<StoredCard> dup(1);
    memset(&dup[0].v3, 0, sizeof(CardRec));
    SetText(dup[0].v3.CName, "Dup");
    CreateV3(Path("cards.mdb"), dup);
    ASSERT_TRUE(RefuseSecondCardOf(Path("cards.mdb"), "CNAME"));
    EXPECT_EQ(importFile(Path("cards.mdb").c_str(), Path("pim.mdb").c_str(), 0), FERROW_TRANSFER_INCOMPLETE);
    EXPECT_EQ(NamesOf(ReadV3Flags(Path("cards.mdb"))), (std::vector<std::string>{"Dup", "New 1", "New 2"}));

    // Duplicate: the refused card's image and thumbnail copies do not stay behind.
    std::vector<StoredCard> imaged = Cards(3);
    for (size_t i = 0; i < imaged.size(); ++i) {
        imaged[i].image = Path("img\\SCAN000") + std::to_string(i) + ".tif";
        imaged[i].thumb = Path("thm\\SCAN000") + std::to_string(i) + ".THM";
        WriteFile(imaged[i].image, "image");
        WriteFile(imaged[i].thumb, "thumb");
    }
    CreateV3(Path("source.mdb"), imaged);
    std::vector<StoredCard> taken(1);
    memset(&taken[0].v3, 0, sizeof(CardRec));
    SetText(taken[0].v3.CName, "Card 001");
    CreateV3(Path("copy.mdb"), taken);
    ASSERT_TRUE(RefuseSecondCardOf(Path("copy.mdb"), "CNAME"));
    EXPECT_EQ(duplicate(Path("source.mdb").c_str(), Path("copy.mdb").c_str(), 0), FERROW_TRANSFER_INCOMPLETE);
    EXPECT_EQ(NamesOf(ReadV3Flags(Path("copy.mdb"))), (std::vector<std::string>{"Card 000", "Card 001", "Card 002"}));
    EXPECT_EQ(FilesIn(Path("img\\*.tif")), 5u);  // three originals, two copies
    EXPECT_EQ(FilesIn(Path("thm\\*.THM")), 5u);

    expectedReports_ = 4;  // the engine reports each refused card, and the read-only destination
}

TEST_F(CardFileExports, AccentedNamesAndNotesTravelByteForByte) {
    auto exportFile = ferrow_.require<TwoPathsAndInt>("ExportDBFile");
    auto importFile = ferrow_.require<TwoPathsAndInt>("ImportDBFile");
    const std::string name = "\xC9mile \xD8rsted", company = "Caf\xE9 cr\xE8me";
    const std::string note =
        std::string(79, 'x') + "\xE9" + "\xE7\xE0 d\xE9j\xE0 vu";  // the first line ends on e-acute
    std::vector<StoredCard> cards(1);
    memset(&cards[0].v3, 0, sizeof(CardRec));
    SetText(cards[0].v3.CName, name);
    SetText(cards[0].v3.Company, company);
    cards[0].note = note;
    CreateV3(Path("a.mdb"), cards);

    EXPECT_EQ(exportFile(Path("a.mdb").c_str(), Path("v4.mdb").c_str(), 0), FERROW_TRANSFER_DONE);
    std::vector<CardRecV4> exported = ReadV4(Path("v4.mdb"));
    ASSERT_EQ(exported.size(), 1u);
    EXPECT_EQ(std::string(exported[0].CNAME.FullName.Text), name);
    EXPECT_EQ(std::string(exported[0].Company[0].Text), company);
    EXPECT_EQ(std::string(exported[0].Note[0].Text), note.substr(0, 80));
    EXPECT_EQ(std::string(exported[0].Note[1].Text), note.substr(80));
    {
        // Found again without regard to case, accented letters included.
        CkvDBEngine engine;
        CkvDatabase* db = nullptr;
        CkvDataset* ds = nullptr;
        ASSERT_EQ(engine.OpenDatabase(31, Path("v4.mdb").c_str(), &db), 1);
        ASSERT_EQ(engine.TblNew(db, "NM", &ds), 1);
        ASSERT_EQ(engine.TblOpen(ds), 1);
        EXPECT_EQ(engine.RecFindFirst(ds, "CNAME_FullName_Data = '\xE9mile \xF8rsted'"), 1);
        engine.TblFree(ds);
        engine.CloseDatabase(db);
    }

    exported[0].Flags = 3;
    CreateV4(Path("pim.mdb"), exported);
    EXPECT_EQ(importFile(Path("back.mdb").c_str(), Path("pim.mdb").c_str(), 0), FERROW_TRANSFER_DONE);
    std::vector<ReadCard> back = ReadThroughKvdb32(Path("back.mdb"));
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(std::string(back[0].rec.CName), name);
    EXPECT_EQ(std::string(back[0].rec.Company), company);
    EXPECT_EQ(back[0].note, note.substr(0, 80) + "\r\n" + note.substr(80) + "\r\n");
}

// A card file the user named temp.mdb, beside the card files of a transfer, is nobody's scratch
// space: every transfer leaves it as it was, and none leaves a file of its own behind.
TEST_F(CardFileExports, EveryTransferLeavesAUsersTempMdbAlone) {
    std::vector<StoredCard> mine(1), cards = Cards(3);
    memset(&mine[0].v3, 0, sizeof(CardRec));
    SetText(mine[0].v3.CName, "Mine");
    CreateV3(Path("temp.mdb"), mine);
    CreateV3(Path("v3.mdb"), cards);
    std::vector<CardRecV4> incoming(1);
    memset(&incoming[0], 0, sizeof(CardRecV4));
    SetText(incoming[0].CNAME.FullName, "New");
    incoming[0].Flags = 3;
    CreateV4(Path("v4.mdb"), incoming);

    auto duplicate = ferrow_.require<TwoPathsAndInt>("DuplicateDBFile");
    auto exportFile = ferrow_.require<TwoPathsAndInt>("ExportDBFile");
    auto importFile = ferrow_.require<TwoPathsAndInt>("ImportDBFile");
    auto toV4 = ferrow_.require<TwoPaths>("ConvertV3ToV4");
    auto toV3 = ferrow_.require<TwoPaths>("ConvertV4ToV3");
    const std::string v3 = Path("v3.mdb"), v4 = Path("v4.mdb");
    const struct {
        const char* what;
        int result;
        std::string destination;
        size_t cards;
    } runs[] = {
        {"duplicate", duplicate(v3.c_str(), Path("copy.mdb").c_str(), 0), Path("copy.mdb"), 3},
        {"export", exportFile(v3.c_str(), Path("exported.mdb").c_str(), 0), Path("exported.mdb"), 3},
        {"import", importFile(Path("cards.mdb").c_str(), v4.c_str(), 0), Path("cards.mdb"), 1},
        {"V3 to V4", toV4(v3.c_str(), Path("converted4.mdb").c_str()), Path("converted4.mdb"), 3},
        {"V4 to V3", toV3(v4.c_str(), Path("converted3.mdb").c_str()), Path("converted3.mdb"), 1},
    };
    for (const auto& run : runs) {
        SCOPED_TRACE(run.what);
        EXPECT_EQ(run.result, FERROW_TRANSFER_DONE);
        const bool v4Layout = run.what == std::string("export") || run.what == std::string("V3 to V4");
        EXPECT_EQ(v4Layout ? ReadV4(run.destination).size() : ReadV3Flags(run.destination).size(), run.cards);
    }
    EXPECT_EQ(NamesOf(ReadV3Flags(Path("temp.mdb"))), std::vector<std::string>{"Mine"});
    EXPECT_EQ(FilesIn(Path("*.tmp")), 0u);
    EXPECT_EQ(FilesIn(Path("*.mdb")), 8u);  // temp, v3, v4 and the five destinations
}

// A card whose image, companion or thumbnail file exists but cannot be copied (here held by
// another program; a full or read-only disk refuses it the same way) is not stored: the
// transfer is incomplete, nothing of the card stays, and no stored card names a file that
// was not made. A file missing in the first place has nothing to copy: its card keeps the name.
TEST_F(CardFileExports, ACardWhoseFilesCannotBeCopiedIsNotStored) {
    auto duplicate = ferrow_.require<TwoPathsAndInt>("DuplicateDBFile");
    std::vector<StoredCard> cards = Cards(5);
    for (size_t i = 0; i < cards.size(); ++i) {
        const std::string stem = "SCAN000" + std::to_string(i);
        cards[i].image = Path("img\\") + stem + ".tif";
        cards[i].thumb = Path("thm\\") + stem + ".THM";
        if (i != 4) WriteFile(cards[i].image, "image " + std::to_string(i));
        WriteFile(cards[i].thumb, "thumb " + std::to_string(i));
        if (i == 2 || i == 3) {
            WriteFile(Path("img\\ifo\\") + stem + ".ifo", "info");
            WriteFile(Path("img\\bin\\") + stem + ".tif", "bin");
        }
    }
    CreateV3(Path("a.mdb"), cards);
    std::vector<HANDLE> held;
    for (const std::string& file : {cards[0].image, cards[1].thumb, Path("img\\ifo\\SCAN0002.ifo")})
        held.push_back(CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    for (HANDLE h : held) ASSERT_NE(h, INVALID_HANDLE_VALUE);
    const int result = duplicate(Path("a.mdb").c_str(), Path("b.mdb").c_str(), 0);
    for (HANDLE h : held) CloseHandle(h);

    EXPECT_EQ(result, FERROW_TRANSFER_INCOMPLETE);
    std::vector<ReadCard> copy = ReadThroughKvdb32(Path("b.mdb"));
    ASSERT_EQ(copy.size(), 2u);
    EXPECT_STREQ(copy[0].rec.CName, "Card 003");
    EXPECT_EQ(ReadFile(copy[0].image), "image 3");
    EXPECT_EQ(ReadFile(copy[0].thumb), "thumb 3");
    EXPECT_STREQ(copy[1].rec.CName, "Card 004");
    EXPECT_EQ(copy[1].image, cards[4].image);
    EXPECT_EQ(ReadFile(copy[1].thumb), "thumb 4");
    EXPECT_NE(copy[1].thumb, cards[4].thumb);
    // The originals and the copies of the two stored cards, nothing of the three refused ones.
    EXPECT_EQ(FilesIn(Path("img\\*.tif")), 5u);
    EXPECT_EQ(FilesIn(Path("img\\ifo\\*.ifo")), 3u);
    EXPECT_EQ(FilesIn(Path("img\\bin\\*.tif")), 3u);
    EXPECT_EQ(FilesIn(Path("thm\\*.THM")), 7u);
}
