// The link card conversion between the flat card record and the V4 record, both ways.
#include <gtest/gtest.h>
#include "shell.h"
#include <memory>
#include <string>

namespace {

std::unique_ptr<CardRec> Flat() { return std::make_unique<CardRec>(CardRec{}); }
std::unique_ptr<CardRecV4> V4() { return std::make_unique<CardRecV4>(CardRecV4{}); }

void SetNote(CardRec& card, std::string& text) {
    card.CNote.Kind = 1;
    card.CNote.Storage = 1;
    card.CNote.Size = static_cast<int32_t>(text.size());
    card.CNote.Data = &text[0];
}

std::string NoteOf(const CardRec& card) {
    if (card.CNote.Storage != 1 || !card.CNote.Data) return "";
    return std::string(card.CNote.Data);
}

}  // namespace

TEST(LinkCards, PhonesFaxesAndEmailTakeTheNextFreeSlotAndComeBackByType) {
    auto card = Flat();
    lstrcpyA(card->CName, "Ann Lee");
    lstrcpyA(card->PPhone, "555-0001");
    lstrcpyA(card->BBCALL, "555-0002");
    lstrcpyA(card->User2, "ann@home");
    lstrcpyA(card->User7, "555-0009");
    auto v4 = V4();
    CardRecToCardRecV4(card.get(), v4.get());
    EXPECT_STREQ(v4->CNAME.FullName.Text, "Ann Lee");
    EXPECT_STREQ(v4->Phone[0].PhoneNum.Text, "555-0001");
    EXPECT_EQ(v4->Phone[0].PhoneType, 5);
    EXPECT_STREQ(v4->Phone[1].PhoneNum.Text, "555-0002");
    EXPECT_EQ(v4->Phone[1].PhoneType, 9);
    EXPECT_STREQ(v4->Email[0].EmailName.Text, "ann@home");
    EXPECT_EQ(v4->Email[0].EmailType, 1);
    EXPECT_STREQ(v4->Fax[0].PhoneNum.Text, "555-0009");
    EXPECT_EQ(v4->Fax[0].PhoneType, 2);

    auto back = Flat();
    CardRecV4ToCardRec(v4.get(), back.get());
    EXPECT_STREQ(back->EMail, "ann@home");  // e-mail comes back by position
    EXPECT_STREQ(back->User2, "");
    EXPECT_STREQ(back->PPhone, "555-0001");
    EXPECT_STREQ(back->BBCALL, "555-0002");
    EXPECT_STREQ(back->User7, "555-0009");
    EXPECT_STREQ(back->OPhone, "");

    // A phone of a type the flat record has no field for is dropped; a later slot of the same
    // type wins.
    auto other = V4();
    lstrcpyA(other->Phone[0].PhoneNum.Text, "555-0003");
    other->Phone[0].PhoneType = 3;
    lstrcpyA(other->Phone[1].PhoneNum.Text, "555-0004");
    other->Phone[1].PhoneType = 1;
    lstrcpyA(other->Phone[2].PhoneNum.Text, "555-0005");
    other->Phone[2].PhoneType = 1;
    lstrcpyA(other->Phone[4].PhoneNum.Text, "555-0006");  // beyond the four slots read
    other->Phone[4].PhoneType = 2;
    auto flat = Flat();
    CardRecV4ToCardRec(other.get(), flat.get());
    EXPECT_STREQ(flat->OPhone, "555-0005");
    EXPECT_STREQ(flat->HPhone, "");
}

TEST(LinkCards, NotesAreCutIntoEightySlotsAndJoinedByLines) {
    struct Case {
        int length;
        int slots;  // filled
    } cases[] = {{200, 3}, {80, 1}, {1000, 8}};
    for (const Case& c : cases) {
        std::string note;
        for (int i = 0; i < c.length; ++i) note += static_cast<char>('a' + i % 26);
        auto card = Flat();
        SetNote(*card, note);
        auto v4 = V4();
        lstrcpyA(v4->TaxID.Text, "kept");
        CardRecToCardRecV4(card.get(), v4.get());
        std::string expected;
        for (int slot = 0; slot < 8; ++slot) {
            std::string piece = slot < c.slots ? note.substr(slot * 80, 80) : "";
            EXPECT_EQ(std::string(v4->Note[slot].Text), piece) << c.length << " slot " << slot;
            if (!piece.empty()) expected += piece + "\r\n";
        }
        EXPECT_STREQ(v4->TaxID.Text, "") << "an empty CNumber is copied over";
        auto back = Flat();
        CardRecV4ToCardRec(v4.get(), back.get());
        EXPECT_EQ(NoteOf(*back), expected) << c.length;
        EXPECT_EQ(back->CNote.Modified, 1);
        EXPECT_EQ(back->CNote.Size, static_cast<int>(expected.size()) + 1);
    }
}

// The V4 record's fields are wider than the flat record's: a full V4 field is cut to the flat
// width and the field after it keeps its text.
TEST(LinkCards, WideV4TextsAreCutToTheFlatFields) {
    auto v4 = V4();
    std::string wide(80, 'C'), country(30, 'N'), tax(50, 'T');
    lstrcpyA(v4->Company[0].Text, wide.c_str());
    lstrcpyA(v4->Title[1].Text, wide.c_str());
    lstrcpyA(v4->Address[0].Country.Text, country.c_str());
    lstrcpyA(v4->TaxID.Text, tax.c_str());
    lstrcpyA(v4->FrontImage.FileName, "C:\\IMAGE\\front.bmp");
    auto card = Flat();
    lstrcpyA(card->CNumber, "untouched?");
    CardRecV4ToCardRec(v4.get(), card.get());
    EXPECT_EQ(std::string(card->Company), wide.substr(0, 60));
    EXPECT_EQ(std::string(card->User6), wide.substr(0, 50));
    EXPECT_EQ(std::string(card->Country), country.substr(0, 20));
    EXPECT_EQ(std::string(card->CNumber), tax.substr(0, 20));
    EXPECT_EQ(std::string(card->Title), "");
    ASSERT_EQ(card->CImage.Storage, 1);
    EXPECT_STREQ(card->CImage.Data, "C:\\IMAGE\\front.bmp");
    EXPECT_EQ(card->SecondText.Size, 0);
}
