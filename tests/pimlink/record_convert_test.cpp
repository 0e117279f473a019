#include <gtest/gtest.h>
#include "card_builders.h"
#include "card_rec_convert.h"

using namespace ferrow;

namespace {

CardRec ZeroV3() {
    CardRec r;
    memset(&r, 0, sizeof(r));
    return r;
}
CardRecV4 ZeroV4() {
    CardRecV4 r;
    memset(&r, 0, sizeof(r));
    return r;
}

// A note as a Get hands it over: text in memory, size without the terminator.
void SetNote(CardRec& card, std::string& storage, const std::string& text) {
    storage = text;
    card.CNote.Kind = 1;
    card.CNote.Storage = 1;
    card.CNote.Size = static_cast<int32_t>(text.size());
    card.CNote.Data = &storage[0];
}

std::string Letters(size_t n) {
    std::string s;
    for (size_t i = 0; i < n; ++i) s += static_cast<char>('a' + i % 26);
    return s;
}

}  // namespace

TEST(CardRecV3ToV4, NotesAreCutIntoEightyByteLines) {
    struct NoteCase {
        size_t length;
        int lines;
    };
    const NoteCase cases[] = {{199, 3}, {999, 8}, {80, 1}, {0, 0}};
    for (const NoteCase& c : cases) {
        std::string storage, note = Letters(c.length);
        CardRec v3 = ZeroV3();
        SetNote(v3, storage, note);
        CardRecV4 v4 = ZeroV4();
        CardRecV3ToV4(v3, v4);
        std::string joined;
        for (int i = 0; i < 8; ++i) {
            std::string line = v4.Note[i].Text;
            EXPECT_LE(line.size(), 80u);
            if (i < c.lines - 1) {
                EXPECT_EQ(line.size(), 80u) << c.length << " line " << i;
            }
            if (i >= c.lines) {
                EXPECT_EQ(line, "") << c.length << " line " << i;
            }
            joined += line;
        }
        EXPECT_EQ(joined, note.substr(0, 640)) << c.length;
    }
}

TEST(CardRecV3ToV4, NoteLinesKeepTheLettersOfTheProcessCodePage) {
    // On a Western system \xE9 (e-acute) is a letter of its own: it ends the first line.
    std::string storage, note = std::string(79, 'x') + "\xE9" + "tail";
    CardRec v3 = ZeroV3();
    SetNote(v3, storage, note);
    CardRecV4 v4 = ZeroV4();
    CardRecV3ToV4(v3, v4);
    EXPECT_EQ(std::string(v4.Note[0].Text), std::string(79, 'x') + "\xE9");
    EXPECT_EQ(std::string(v4.Note[1].Text), "tail");
}

TEST(CardRecV3ToV4, MapsFieldsImagesAndTerminates) {
    CardRec v3 = ZeroV3();
    v3.ID = 70000;
    v3.LinkID = 12;
    v3.CDate[0] = 2004, v3.CDate[5] = 59;
    SetText(v3.CName, "Ann Lee");
    SetText(v3.OPhone, std::string(30, '1'));
    SetText(v3.User7, "fax2");
    SetText(v3.User8, std::string(50, 'c'));
    SetText(v3.User2, "b@c");
    SetText(v3.CNumber, "TAX");
    v3.Flags = 1;
    std::string image = "C:\\img\\SCAN0012.tif", thumb = "C:\\thm\\SCAN0012.THM";
    v3.CImage.Size = static_cast<int32_t>(image.size() + 1);
    v3.CImage.Data = &image[0];
    v3.SecondText.Size = static_cast<int32_t>(thumb.size());
    v3.SecondText.Data = &thumb[0];
    CardRecV4 v4 = ZeroV4();
    strcpy(v4.Phone[0].CountryCode, "123456789");  // must survive the phone number's terminator
    CardRecV3ToV4(v3, v4);
    EXPECT_EQ(v4.ID, 70000);
    EXPECT_EQ(v4.LinkID, 12);
    EXPECT_EQ(v4.CDate[0], 2004);
    EXPECT_EQ(v4.CDate[5], 59);
    EXPECT_STREQ(v4.CNAME.FullName.Text, "Ann Lee");
    EXPECT_EQ(std::string(v4.Phone[0].PhoneNum.Text), std::string(30, '1'));
    EXPECT_STREQ(v4.Phone[0].CountryCode, "123456789");
    EXPECT_STREQ(v4.Fax[1].PhoneNum.Text, "fax2");
    EXPECT_EQ(std::string(v4.Address[1].Country.Text), std::string(30, 'c'));
    EXPECT_STREQ(v4.Email[1].EmailName.Text, "b@c");
    EXPECT_STREQ(v4.TaxID.Text, "TAX");
    EXPECT_EQ(v4.Flags, 0);
    EXPECT_STREQ(v4.FrontImage.FileName, image.c_str());
    EXPECT_EQ(v4.FrontImage.Modified, 1);
    EXPECT_STREQ(v4.BackImage.FileName, thumb.c_str());
    EXPECT_EQ(v4.BackImage.Modified, 1);

    CardRecV4 bare = ZeroV4();
    CardRecV3ToV4(ZeroV3(), bare);
    EXPECT_STREQ(bare.FrontImage.FileName, "");
    EXPECT_EQ(bare.FrontImage.Modified, 0);
    EXPECT_EQ(bare.BackImage.Modified, 0);
}

TEST(CardRecV4ToV3, JoinsNoteLinesAndCutsToFlatWidths) {
    CardRecV4 v4 = ZeroV4();
    SetText(v4.Note[0], "a");
    SetText(v4.Note[2], "b");
    SetText(v4.Title[0], std::string(70, 't'));
    SetText(v4.Address[0].City, std::string(30, 'y'));
    SetText(v4.Address[0].Country, std::string(30, 'k'));
    SetText(v4.FrontImage.FileName, "C:\\img\\OPEN00A1.jpg");
    v4.Flags = 3;
    CardRec v3 = ZeroV3();
    CardRecV4ToV3(v4, v3);
    ASSERT_NE(v3.CNote.Data, nullptr);
    EXPECT_EQ(std::string(v3.CNote.Data), "a\r\nb\r\n");
    EXPECT_EQ(v3.CNote.Size, 7);
    EXPECT_EQ(v3.CNote.Modified, 1);
    EXPECT_EQ(std::string(v3.Title), std::string(70, 't'));  // Title keeps its own 80
    EXPECT_EQ(std::string(v3.City), std::string(30, 'y'));
    EXPECT_EQ(std::string(v3.Country), std::string(20, 'k'));
    EXPECT_STREQ(v3.CImage.Data, "C:\\img\\OPEN00A1.jpg");
    EXPECT_EQ(v3.CImage.Size, 20);
    EXPECT_EQ(v3.CImage.Modified, 1);
    EXPECT_EQ(v3.SecondText.Modified, 0);
    EXPECT_EQ(v3.Flags, 0);
}

TEST(CardRecConversion, V3ToV4AndBackKeepsNotesOf200And1000Bytes) {
    for (size_t length : {199u, 999u}) {
        std::string storage, note = Letters(length);
        CardRec v3 = ZeroV3();
        SetNote(v3, storage, note);
        SetText(v3.CName, "Round Trip");
        CardRecV4 v4 = ZeroV4();
        CardRecV3ToV4(v3, v4);
        CardRec back = ZeroV3();
        CardRecV4ToV3(v4, back);
        EXPECT_STREQ(back.CName, "Round Trip");
        std::string expected;
        for (size_t pos = 0; pos < note.size() && pos < 640; pos += 80) expected += note.substr(pos, 80) + "\r\n";
        EXPECT_EQ(std::string(back.CNote.Data), expected) << length;
    }
}

TEST(TerminateCardRecFields, EachFieldEndsInsideItself) {
    CardRec card;
    memset(&card, 'z', sizeof(card));
    card.Flags = 0x2222;
    TerminateCardRecFields(card);
    EXPECT_EQ(strlen(card.Title), 80u);
    EXPECT_EQ(strlen(card.Fax), 30u);
    EXPECT_EQ(strlen(card.Zip), 10u);
    EXPECT_EQ(strlen(card.User9), 50u);
    EXPECT_EQ(card.Flags, 0x2222);
}
