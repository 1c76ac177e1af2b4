#include "table/chip_rack.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace zvx {
namespace {

// Records the exchanges the rack asks its display to animate.
class RecordingDisplay : public RackDisplay {
public:
    void ChipsLeave(int value, int n) override { Calls.push_back("leave " + std::to_string(value) + " x" + std::to_string(n)); }
    void ChipsArrive(int value, int n) override { Calls.push_back("arrive " + std::to_string(value) + " x" + std::to_string(n)); }
    std::vector<std::string> Calls;
};

class ChipRackTest : public ::testing::Test {
protected:
    // A rack of these counts (half, $5, $25, $100, $500, $1000, $5000) with the matching bankroll.
    void Rack(ChipArray counts, int minimum = 5) {
        g.Options.Rules.TableMinimum = static_cast<std::uint16_t>(minimum);
        g.ChipCounts = counts;
        g.Bankroll = RackWorth(counts);
    }
    std::int64_t CountOf(int value) const { return g.ChipCounts[static_cast<std::size_t>(ChipKind(value))]; }
    void ExpectRackHoldsBankroll() const {
        EXPECT_DOUBLE_EQ(RackWorth(g.ChipCounts), g.Bankroll);
        for (const auto count : g.ChipCounts) EXPECT_GE(count, 0);
    }

    Game g;
    RecordingDisplay display;
};

TEST_F(ChipRackTest, AdjustChipsMovesCountAndBankrollTogether) {
    Rack({0, 0, 0, 0, 0, 0, 1});
    ASSERT_TRUE(AdjustChips(g, 2, 2));
    EXPECT_DOUBLE_EQ(g.Bankroll, 5005.0);
    ASSERT_TRUE(AdjustChips(g, 5000, -1));
    EXPECT_DOUBLE_EQ(g.Bankroll, 5.0);
    EXPECT_EQ(CountOf(2), 2);
    EXPECT_EQ(CountOf(5000), 0);
    // Never below zero: the rack refuses and nothing changes.
    EXPECT_FALSE(AdjustChips(g, 5000, -1));
    EXPECT_FALSE(AdjustChips(g, 7, 1));
    EXPECT_DOUBLE_EQ(g.Bankroll, 5.0);
    ExpectRackHoldsBankroll();
}

TEST_F(ChipRackTest, RackOutlinesFollowTheirThresholds) {
    // $5 column: outlines a..e shown above 1, 2, 5, 9, 12 chips.
    const int thresholds[] = {1, 2, 5, 9, 12};
    auto shown = [&](int count) {
        int n = 0;
        for (const int t : thresholds) n += OutlineShown(count, t);
        return n;
    };
    EXPECT_EQ(shown(13), 5);
    EXPECT_EQ(shown(10), 4);
    EXPECT_EQ(shown(1), 0);
    EXPECT_EQ(OutlineColour(500), TableColour::Maroon);
    EXPECT_EQ(OutlineColour(2), TableColour::Fuchsia);
    EXPECT_EQ(ChipColour(10), TableColour::Red);
    EXPECT_EQ(ChipColour(50), TableColour::Lime);
    EXPECT_EQ(ChipColour(2000), TableColour::White);
    EXPECT_EQ(ChipColour(10000), TableColour::Blue);
}

TEST_F(ChipRackTest, ColourUpChipsFollowsTheTableMinimum) {
    Rack({0, 5, 0, 0, 0, 0, 0}, 25);
    ColourUpChips(g, display);
    EXPECT_EQ(CountOf(5), 0);
    EXPECT_EQ(CountOf(25), 1);
    EXPECT_EQ(display.Calls, (std::vector<std::string>{"leave 5 x5", "arrive 25 x1"}));

    Rack({0, 15, 0, 0, 0, 0, 0}, 5);
    display.Calls.clear();
    ColourUpChips(g, display);
    EXPECT_EQ(CountOf(5), 15);
    EXPECT_TRUE(display.Calls.empty());
    ExpectRackHoldsBankroll();
}

TEST_F(ChipRackTest, PrepareChipsForTwentyFiveColoursUpTenFives) {
    Rack({0, 10, 0, 0, 0, 0, 0}, 5);
    g.CurrentBet = 5;
    PrepareChipsFor(g, display, 25);
    EXPECT_EQ(CountOf(25), 2);
    EXPECT_EQ(CountOf(5), 0);
    ExpectRackHoldsBankroll();
}

TEST_F(ChipRackTest, BreakAndColourUpExchangeAtTheirRates) {
    Rack({0, 0, 0, 0, 0, 1, 0});
    ASSERT_TRUE(BreakChip(g, display, 500));
    EXPECT_EQ(CountOf(500), 2);
    ASSERT_TRUE(BreakChip(g, display, 100));
    EXPECT_EQ(CountOf(100), 5);
    ASSERT_TRUE(BreakChip(g, display, 25));
    EXPECT_EQ(CountOf(25), 4);
    ASSERT_TRUE(BreakChip(g, display, 5));
    ASSERT_TRUE(BreakChip(g, display, 2));
    EXPECT_EQ(CountOf(2), 2);
    EXPECT_EQ(CountOf(5), 4);
    ASSERT_TRUE(ColourUp(g, display, 5, 2));
    EXPECT_EQ(CountOf(5), 5);
    EXPECT_FALSE(BreakChip(g, display, 5000)); // nothing above $5000
    ExpectRackHoldsBankroll();
}

TEST_F(ChipRackTest, ExchangesThatWouldLeaveANegativeCountChangeNothing) {
    // Three $5 chips cannot become a $25 chip; the rack used to go to -2 $5 chips here.
    Rack({0, 3, 0, 0, 0, 0, 0});
    EXPECT_FALSE(ColourUp(g, display, 25, 5));
    EXPECT_EQ(CountOf(5), 3);
    EXPECT_EQ(CountOf(25), 0);
    EXPECT_FALSE(BreakChip(g, display, 25)); // no $100 to break
    EXPECT_FALSE(ColourUp(g, display, 5, 2)); // no half chips
    EXPECT_TRUE(display.Calls.empty());
    ExpectRackHoldsBankroll();
}

TEST_F(ChipRackTest, TakeChipForMakesChangeWheneverTheRackIsWorthTheChip) {
    // Ten half chips are $25, but the usual exchanges turn only two of them into a $5 chip.
    Rack({10, 0, 0, 0, 0, 0, 0}, 25);
    g.CurrentBet = 25;
    ASSERT_EQ(TakeChipFor(g, display, 25), 25);
    EXPECT_DOUBLE_EQ(g.Bankroll, 0);
    ExpectRackHoldsBankroll();

    // A $5000 chip broken down step by step for a $5 bet.
    Rack({0, 0, 0, 0, 0, 0, 1}, 5);
    g.CurrentBet = 5;
    ASSERT_EQ(TakeChipFor(g, display, 5), 5);
    EXPECT_DOUBLE_EQ(g.Bankroll, 4995);
    ExpectRackHoldsBankroll();

    // Not worth the chip: nothing is taken.
    Rack({1, 1, 0, 0, 0, 0, 0}, 25);
    EXPECT_FALSE(TakeChipFor(g, display, 25).has_value());
    EXPECT_DOUBLE_EQ(g.Bankroll, 7.5);
    ExpectRackHoldsBankroll();
}

TEST_F(ChipRackTest, RandomExchangesKeepTheRackExactAndNonNegative) {
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        ChipArray counts{};
        for (auto& c : counts) c = static_cast<std::int64_t>(random() % 4);
        Rack(counts, std::array{5, 25, 100}[random() % 3]);
        const int amount = std::array{5, 10, 25, 50, 100, 200, 500, 1000, 2000, 5000}[random() % 10];
        g.CurrentBet = static_cast<std::uint16_t>(amount);
        const double before = g.Bankroll;
        const auto taken = TakeChipFor(g, display, amount);
        if (taken) EXPECT_DOUBLE_EQ(g.Bankroll, before - ChipWorth(*taken));
        else EXPECT_LT(before, ChipWorth(ColumnFor(amount)));
        ColourUpAll(g, display);
        ColourUpChips(g, display);
        ExpectRackHoldsBankroll();
        if (HasFailure()) return;
    }
}

TEST(MoneyText, FormatMoneyAndTheHandTexts) {
    EXPECT_EQ(FormatMoney(7.5), "7.50");
    EXPECT_EQ(FormatMoney(37.5), "37.50");
    EXPECT_EQ(FormatMoney(750), "750");
    EXPECT_EQ(FormatMoney(1500), "1500");
    EXPECT_EQ(HandResultText(1.5, 25), "Win $37.50");
    EXPECT_EQ(HandResultText(1.5, 100), "Win $150");
    EXPECT_EQ(HandResultText(-0.5, 25), "Lose $12.50");
    EXPECT_EQ(HandResultText(-1, 50), "Lose $50");
    EXPECT_EQ(HandResultText(1, 10), "Win $10");
}

TEST(MoneyText, BankPanelWritesNineCharactersThenTheComma) {
    EXPECT_EQ(BankText(500), "$   500.00");
    EXPECT_EQ(BankText(1234.5), "$  1,234.50");
    // The example of exactly 1000 elsewhere shows one space; the rule and the 1234.50 example give two.
    EXPECT_EQ(BankText(1000), "$  1,000.00");
    EXPECT_EQ(BankText(20000), "$ 20,000.00");
}

TEST(MoneyText, LimitPanels) {
    const LimitTexts five = LimitPanelTexts(5);
    EXPECT_EQ(five.Minimum, " $5 Minimum Bet");
    EXPECT_EQ(five.Maximum, "Maximum Bet $500");
    EXPECT_TRUE(five.WhiteText);
    EXPECT_FALSE(LimitPanelTexts(25).WhiteText);
    EXPECT_EQ(LimitPanelTexts(100).Maximum, "Maximum Bet $5,000");
}

TEST(Payouts, BlackjackPayoutsAsTheTableLaysThem) {
    using V = std::vector<SpotChips>;
    // $25: $25, two $5 (ring) and a half chip.
    EXPECT_EQ(PayoutChips(37.5, 5), (V{{3, 25, 1}, {4, 5, 2}, {5, 2, 1}}));
    // $100: $100 and two $25.
    EXPECT_EQ(PayoutChips(150, 5), (V{{3, 100, 1}, {4, 25, 2}}));
    EXPECT_EQ(PayoutChips(7.5, 5), (V{{3, 5, 1}, {4, 2, 1}}));
    EXPECT_EQ(PayoutChips(15, 5), (V{{3, 5, 2}, {4, 5, 1}}));
    EXPECT_EQ(PayoutChips(750, 5), (V{{3, 500, 1}, {4, 100, 2}, {5, 25, 2}}));
    EXPECT_EQ(PayoutChips(7500, 5), (V{{3, 5000, 1}, {4, 1000, 2}, {5, 500, 1}}));
}

TEST(Payouts, EvenMoneyAndSurrenderReturns) {
    using V = std::vector<SpotChips>;
    EXPECT_EQ(PayoutChips(10, 4), (V{{3, 5, 2}}));
    EXPECT_EQ(PayoutChips(2000, 4), (V{{3, 1000, 2}}));
    EXPECT_EQ(PayoutChips(12.5, 5), (V{{3, 5, 2}, {4, 2, 1}}));
    EXPECT_EQ(PayoutChips(250, 5), (V{{3, 100, 2}, {4, 25, 2}}));
    // A doubled two-chip bet at the $5 table on a hand with four spots: nothing is left unpaid.
    EXPECT_EQ(PayoutChips(20, 4), (V{{3, 5, 2}, {4, 5, 2}}));
    double paid = 0;
    for (const SpotChips& c : PayoutChips(97.5, 4)) paid += ChipWorth(c.Value) * c.Count;
    EXPECT_DOUBLE_EQ(paid, 97.5);
}

} // namespace
} // namespace zvx
