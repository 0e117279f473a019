#include <gtest/gtest.h>
#include "linkcards.h"

TEST(LinkCards, AllocGrowAndFreeKeepTheCards) {
    CardRecV4* cards = AllocLinkCards(3);
    ASSERT_NE(cards, nullptr);
    EXPECT_GE(LinkCardsCapacity(cards), 3 + LINKCARDS_SPARE);
    EXPECT_EQ(cards[502].Flags, 0);  // zero-filled
    cards[0].ID = 11;
    cards[502].ID = 22;
    ASSERT_EQ(ResizeLinkCards(&cards, 2000), 1);
    EXPECT_GE(LinkCardsCapacity(cards), 2000);
    EXPECT_EQ(cards[0].ID, 11);
    EXPECT_EQ(cards[502].ID, 22);
    EXPECT_EQ(cards[1999].ID, 0);
    EXPECT_EQ(cards[1999].Flags, 0);
    FreeLinkCards(cards);

    EXPECT_EQ(AllocLinkCards(-1), nullptr);
    EXPECT_EQ(LinkCardsCapacity(nullptr), 0);
    CardRecV4* none = nullptr;
    EXPECT_EQ(ResizeLinkCards(&none, 10), 0);
    FreeLinkCards(nullptr);
}
