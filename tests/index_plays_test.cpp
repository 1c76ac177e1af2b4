#include "exact/index_plays.h"
#include "strategy/builtin_strategies.h"

#include <cmath>
#include <gtest/gtest.h>

namespace zvx {
namespace {

ExactRules SixDeckRules(int decks, bool surrender = false) {
    ExactRules r;
    r.Decks = decks;
    r.SurrenderAllowed = surrender;
    return r;
}

StrategyTable DefaultTable() {
    StrategyTable table;
    LoadDefaultStrategy(table);
    return table;
}

// A shoe of tens and fives left behind 5,6 against a ten: every card's fall can be followed by hand. Doubling
// 11 wins on a ten; on a five it stands on 16 and wins only when the dealer draws a five then a ten. Hitting
// takes the ten for a sure win (the dealer cannot pass 20) or hits the 16 again: a ten busts, a five makes 21.
TEST(IndexPlays, DoubleElevenAgainstTenCrossesWhereTheHandWorkedFiguresCross) {
    const StrategyTable table = DefaultTable();
    ASSERT_TRUE(table.Has(HitRows + 16, 10)); // the 16 a hit makes is hit again
    ExactRules rules = SixDeckRules(1);
    std::vector<double> difference;
    const int n = 10; // cards left once the hand and the up card are out
    for (int t = 1; t <= 8; ++t) {
        const double f = n - t, tens = t;
        ShoeCounts shoe;
        shoe.Count[TenRank] = t + 1; // the up card among them
        shoe.Count[5] = n - t + 1;   // the player's five among them
        shoe.Count[6] = 1;
        shoe.Total = n + 3;
        ExactEngine engine(rules, shoe);
        const double hit = tens / n + f / n * (-tens / (n - 1) + (f - 1) / (n - 1));
        const double dealerBusts = (f - 1) / (n - 1) * tens / (n - 2);
        const double dbl = 2 * tens / n + f / n * 2 * (2 * dealerBusts - 1);
        const auto d = PlayDifference(engine, table, {IndexHandKind::Hard, 11, TenRank}, IndexPlay::Hit,
                                      IndexPlay::Double);
        ASSERT_TRUE(d.has_value()) << t;
        EXPECT_NEAR(*d, dbl - hit, 1e-12) << "tens left " << t;
        difference.push_back(*d);
    }
    // Four tens of ten cards: double loses 0.2 a bet; five: it gains 1/9.
    EXPECT_NEAR(difference[3], -0.2, 1e-12);
    EXPECT_NEAR(difference[4], 1.0 / 9, 1e-12);
    EXPECT_EQ(ReadIndex(difference, 1), 5);
}

TEST(IndexPlays, ReadIndexTakesTheCountFromWhichTheHighPlayHoldsToTheTop) {
    EXPECT_EQ(ReadIndex({-3, -1, 0, 2}, -1), 1);     // a tie goes to the higher play
    EXPECT_EQ(ReadIndex({1, -1, 1, 1}, 0), 2);       // a dip below 0 counts, not the first sign
    EXPECT_EQ(ReadIndex({2, 1, 1}, -10), -10);       // better over the whole range
    EXPECT_EQ(ReadIndex({-2, -1, -0.5}, 0), std::nullopt); // never within it
}

// Every system's shoe at a count holds the cards asked for and counts exactly to it, balanced or not.
TEST(IndexPlays, ShoesCarryTheRunningCountAskedFor) {
    for (const CountingSystem& system : CountingSystems())
        for (const int decks : {1, 2, 6})
            for (const int left : {26 * decks, 13 * decks})
                for (int rc = -5 * decks; rc <= 5 * decks; ++rc) {
                    const auto shoe = ShoeAtRunningCount(system, decks, left, rc);
                    ASSERT_TRUE(shoe.has_value()) << system.Key << " " << decks << " " << rc;
                    int sum = 0;
                    for (int r = 1; r <= RankCount; ++r) {
                        EXPECT_GE(shoe->Of(r), 0);
                        EXPECT_LE(shoe->Of(r), ShoeCounts::Full(decks).Of(r));
                        sum += shoe->Of(r);
                    }
                    EXPECT_EQ(sum, left);
                    EXPECT_EQ(shoe->Total, left);
                    EXPECT_EQ(RunningCountOf(system, decks, *shoe), rc) << system.Key;
                }
    // Hi-Lo: a count of +8 with 26 cards dealt from a deck leaves tens and Aces, takes out small cards.
    const auto plus = ShoeAtRunningCount(CountingSystemOf(CountingSystemId::HiLo), 1, 26, 8);
    ASSERT_TRUE(plus.has_value());
    EXPECT_GT(plus->Of(TenRank), 8);
    EXPECT_LT(plus->Of(5), 2);
    // More than every low card of the shoe cannot be dealt.
    EXPECT_FALSE(ShoeAtRunningCount(CountingSystemOf(CountingSystemId::HiLo), 1, 26, 21).has_value());
    EXPECT_FALSE(ShoeAtRunningCount(CountingSystemOf(CountingSystemId::HiLo), 1, 0, 0).has_value());
}

// Insurance by the ten density: a Hi-Lo shoe of L cards at running count RC leaves 16/52 L + 0.4 RC tens (the
// dealt cards shifted along the tags, 40 tagged cards a deck); the counter who has seen the Ace counts RC - 1
// over L - 1 cards. Insurance pays when the tens are a third of the cards under the Ace.
TEST(IndexPlays, InsuranceIndexFollowsTheTenDensity) {
    for (const int decks : {6, 8}) {
        const int left = 26 * decks;
        IndexOptions options;
        options.Scan = false;
        options.LowCount = 0;
        options.HighCount = 5;
        const IndexTable table = FindIndexPlays(SixDeckRules(decks), CountingSystemOf(CountingSystemId::HiLo),
                                                DefaultTable(), options);
        ASSERT_FALSE(table.Entries.empty());
        const IndexEntry& insurance = table.Entries.front();
        ASSERT_EQ(insurance.Hand.Kind, IndexHandKind::Insurance);
        EXPECT_FALSE(insurance.TablePlaysHigh);
        const auto tenDensity = [&](double counterTrue) {
            const double rc = counterTrue * (left - 1) / 52 + 1;
            return (16.0 / 52 * left + 0.4 * rc) / (left - 1);
        };
        for (int n = 0; n <= 5; ++n)
            EXPECT_NEAR(insurance.Difference[static_cast<std::size_t>(n)], 3 * tenDensity(n + 0.5) - 1,
                        3.0 / (left - 1))
                << decks << " decks, count " << n;
        // Where 3p - 1 is 0: the count x with p(x) = 1/3.
        const double crossing = ((left - 1) / 3.0 - 16.0 / 52 * left - 0.4) / 0.4 * 52 / (left - 1);
        ASSERT_GT(std::abs(crossing - 0.5 - std::round(crossing - 0.5)), 0.1) << "too near a bin's edge to test";
        ASSERT_TRUE(insurance.Index.has_value());
        EXPECT_EQ(*insurance.Index, static_cast<int>(std::ceil(crossing - 0.5))) << decks << " decks";
        ASSERT_TRUE(insurance.Crossing.has_value());
        EXPECT_NEAR(*insurance.Crossing, crossing, 0.35);
        EXPECT_EQ(IndexAdvice(insurance), "At a true count of " + SignedCount(*insurance.Index) +
                                              " or more, take insurance");
    }
}

TEST(IndexPlays, TableListsTheUsualPlaysThenTheFoundOnesByTheirGain) {
    IndexOptions options;
    options.GainThreshold = 2e-5;
    const IndexTable table = FindIndexPlays(SixDeckRules(1, true), CountingSystemOf(CountingSystemId::HiLo),
                                            DefaultTable(), options);
    const IndexHandKind H = IndexHandKind::Hard;
    const std::vector<IndexHand> usual = {
        {IndexHandKind::Insurance, 0, AceRank}, {H, 16, 10}, {H, 15, 10}, {IndexHandKind::Pair, 10, 5},
        {IndexHandKind::Pair, 10, 6}, {H, 10, 10}, {H, 12, 3}, {H, 12, 2}, {H, 11, AceRank}, {H, 9, 2},
        {H, 10, AceRank}, {H, 9, 7}, {H, 16, 9}, {H, 13, 2}, {H, 12, 4}, {H, 12, 5}, {H, 12, 6}, {H, 13, 3},
        {H, 14, 10}, {H, 15, 10}, {H, 15, 9}, {H, 15, AceRank}};
    ASSERT_GE(table.Entries.size(), usual.size());
    for (std::size_t i = 0; i < usual.size(); ++i) {
        const IndexEntry& e = table.Entries[i];
        EXPECT_EQ(e.Hand, usual[i]) << i;
        EXPECT_EQ(e.Group, i < 18 ? IndexGroup::Usual : IndexGroup::Surrender) << i;
        EXPECT_TRUE(e.Allowed) << i;
        EXPECT_EQ(e.Difference.size(), 21u);
        EXPECT_GE(e.Gain, 0) << i;
    }
    // Standing on 16 against a ten is the departure at a count above the basic play's.
    const IndexEntry& sixteen = table.Entries[1];
    EXPECT_EQ(sixteen.Low, IndexPlay::Hit);
    EXPECT_EQ(sixteen.High, IndexPlay::Stand);
    ASSERT_TRUE(sixteen.Index.has_value());
    EXPECT_EQ(IndexAdvice(sixteen),
              "At a true count of " + SignedCount(*sixteen.Index) + " or more, stand 16 against Dealer 10");
    // 12 against 4 is stood on: the departure, hitting, is below its index.
    EXPECT_TRUE(table.Entries[14].TablePlaysHigh);
    EXPECT_EQ(IndexAdvice(table.Entries[14]).rfind("At a true count below ", 0), 0u);

    std::size_t found = 0;
    for (std::size_t i = usual.size(); i < table.Entries.size(); ++i) {
        const IndexEntry& e = table.Entries[i];
        ++found;
        EXPECT_EQ(e.Group, IndexGroup::Found);
        EXPECT_GE(e.Gain, options.GainThreshold);
        ASSERT_TRUE(e.Index.has_value());
        EXPECT_GE(*e.Index, options.ScanLow);
        EXPECT_LE(*e.Index, options.ScanHigh);
        if (i > usual.size()) {
            EXPECT_LE(e.Gain, table.Entries[i - 1].Gain);
        }
        for (std::size_t j = 0; j < usual.size(); ++j)
            EXPECT_FALSE(table.Entries[j].Hand == e.Hand && table.Entries[j].Low == e.Low &&
                         table.Entries[j].High == e.High)
                << "listed twice: " << IndexHandName(e.Hand);
    }
    EXPECT_GT(found, 0u);

    // Without surrender the four surrender plays stay in the table, marked as not offered.
    options.Scan = false;
    options.LowCount = -1;
    options.HighCount = 1;
    const IndexTable plain = FindIndexPlays(SixDeckRules(1, false), CountingSystemOf(CountingSystemId::HiLo),
                                            DefaultTable(), options);
    ASSERT_EQ(plain.Entries.size(), usual.size());
    EXPECT_FALSE(plain.Entries[18].Allowed);
    EXPECT_FALSE(plain.Entries[18].Index.has_value());
}

} // namespace
} // namespace zvx
