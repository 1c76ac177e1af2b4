#include <gtest/gtest.h>

#include "cards/card.h"
#include "cards/hand.h"

namespace zvx {
namespace {

TEST(Card, CodesGiveValuesTagsAndPictures) {
    TCard c;
    EXPECT_EQ(InitCard(c, 1), 11); // Ace of spades
    EXPECT_EQ(c.CountTag, -1);
    EXPECT_EQ(c.Face, 1);
    EXPECT_EQ(InitCard(c, 13), 10); // King of spades
    EXPECT_EQ(c.CountTag, -1);
    EXPECT_EQ(InitCard(c, 26), 10); // King of hearts
    EXPECT_EQ(InitCard(c, 40), 11); // Ace of diamonds
    EXPECT_EQ(InitCard(c, 45), 6);  // 6 of diamonds
    EXPECT_EQ(c.CountTag, 1);
    EXPECT_EQ(InitCard(c, 47), 8);  // 8 of diamonds
    EXPECT_EQ(c.CountTag, 0);
    EXPECT_EQ(InitCard(c, 23), 10); // ten of hearts
    EXPECT_EQ(InitCard(c, 9), 9);
}

TEST(Card, EveryCodeHasAValueAndTagInRange) {
    int tens = 0;
    for (int code = FirstCardCode; code <= LastCardCode; ++code) {
        TCard c;
        const int v = InitCard(c, code);
        EXPECT_GE(v, 2);
        EXPECT_LE(v, 11);
        tens += v == 10;
    }
    EXPECT_EQ(tens, 16);
    EXPECT_EQ(CardBackPicture(1), RedBackPicture);
    EXPECT_EQ(CardBackPicture(0), BlueBackPicture);
}

TEST(Hands, CreateHandsZeroesEveryField) {
    HandArray hands{};
    hands[2].Total = 17;
    hands[3].Stats.TotalBet = 99;
    hands[4].StrategyBets[4] = 50;
    CreateHands(hands);
    for (const auto& h : hands) {
        EXPECT_EQ(h.Total, 0);
        EXPECT_EQ(h.Stats.TotalBet, 0);
        EXPECT_EQ(h.StrategyBets[4], 0);
    }
}

} // namespace
} // namespace zvx
