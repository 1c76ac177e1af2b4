#pragma once

#include <gtest/gtest.h>

#include "cards/hand.h"

namespace zvx::testing {

// Every figure of two accounts, compared exactly: bookkeeping that is right only to rounding is wrong.
inline void ExpectSameStats(const PlayStats& a, const PlayStats& b) {
    EXPECT_EQ(a.WonByCount, b.WonByCount);
    EXPECT_EQ(a.BetByCount, b.BetByCount);
    EXPECT_EQ(a.HourHistogram, b.HourHistogram);
    EXPECT_EQ(a.HourWon, b.HourWon);
    EXPECT_EQ(a.TotalWon, b.TotalWon);
    EXPECT_EQ(a.TotalBet, b.TotalBet);
    EXPECT_EQ(a.SwingBalance, b.SwingBalance);
    EXPECT_EQ(a.BetsWon, b.BetsWon);
    EXPECT_EQ(a.BetsLost, b.BetsLost);
    EXPECT_EQ(a.SwingsLost, b.SwingsLost);
    EXPECT_EQ(a.SwingsWon, b.SwingsWon);
    EXPECT_EQ(a.HandsPlayed, b.HandsPlayed);
    EXPECT_EQ(a.HandsSplit, b.HandsSplit);
    EXPECT_EQ(a.HandsDoubled, b.HandsDoubled);
    EXPECT_EQ(a.Blackjacks, b.Blackjacks);
    EXPECT_EQ(a.HourWonSquares, b.HourWonSquares);
    EXPECT_EQ(a.HourSquares, b.HourSquares);
    EXPECT_EQ(a.RoundSquares, b.RoundSquares);
    EXPECT_EQ(a.RoundsClosed, b.RoundsClosed);
    EXPECT_EQ(a.RoundSquaresKnown, b.RoundSquaresKnown);
}

} // namespace zvx::testing
