// The analysis takes shortcuts the table never takes. Each one must leave every account, count and card
// exactly as the plain way does: these tests play long analyses both ways under several sets of rules and
// compare everything the screens and the game file could show.
#include "analysis/analysis_run.h"
#include "engine/betting.h"
#include "engine/game_reset.h"
#include "engine/quick_round.h"
#include "engine/random.h"
#include "engine/round.h"
#include "engine/shell_view.h"
#include "engine/shoe.h"
#include "shell/game_file.h"
#include "strategy/builtin_strategies.h"
#include "tests/same_stats.h"
#include "tests/stacked_shoe.h"
#include "tests/temp_folder.h"

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <type_traits>
#include <vector>

namespace zvx {
namespace {

// FNV-1a over the values that a round leaves behind.
class Digester {
  public:
    template <class T>
    void Add(const T& value) {
        static_assert(std::is_arithmetic_v<T>);
        unsigned char bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T));
        for (const unsigned char b : bytes) hash_ = (hash_ ^ b) * 1099511628211u;
    }
    template <class T, std::size_t N>
    void Add(const std::array<T, N>& values) {
        for (const T& v : values) Add(v);
    }
    std::uint64_t Hash() const { return hash_; }

  private:
    std::uint64_t hash_ = 14695981039346656037u;
};

std::uint64_t Digest(const Game& g, bool accounts) {
    Digester d;
    d.Add(g.Shoe.CardsDealt);
    d.Add(g.RunningCount);
    d.Add(g.AceFiveCount);
    d.Add(g.CountIndexA);
    d.Add(g.CountIndexB);
    d.Add(g.RandomState);
    d.Add(g.PlayerAction);
    d.Add(g.ActiveHand);
    d.Add(g.SecondBoxActive);
    for (const THand& h : g.Hands) {
        d.Add(h.CardCount);
        d.Add(h.Total);
        d.Add(h.SoftAce);
        d.Add(h.Bet);
        d.Add(h.StakeMultiple);
        d.Add(h.StrategyBets);
        d.Add(h.IsPair);
        d.Add(h.IsBlackjack);
        d.Add(h.Finished);
        d.Add(h.IsUnsplit);
        d.Add(h.MaySplit);
        d.Add(h.MayDouble);
        d.Add(h.MaySurrender);
        for (int c = 1; c <= h.CardCount && c <= MaxCardsPerHand; ++c) d.Add(h.Cards[static_cast<std::size_t>(c)]->Value);
        if (!accounts) continue;
        const PlayStats& s = h.Stats;
        d.Add(s.WonByCount);
        d.Add(s.BetByCount);
        d.Add(s.HourHistogram);
        for (const double x : {s.HourWon, s.TotalWon, s.TotalBet, s.SwingBalance, s.BetsWon, s.BetsLost}) d.Add(x);
        for (const std::int64_t n : {s.SwingsLost, s.SwingsWon, s.HandsPlayed, s.HandsSplit, s.HandsDoubled, s.Blackjacks})
            d.Add(n);
    }
    return d.Hash();
}

// Keeps the state the run ends in: the reset that follows the run clears the accounts.
class KeepingShell : public ShellView {
  public:
    explicit KeepingShell(Game& g) : g_(g) {}
    // Called after every round: a digest of everything the round may have changed but the accounts, which
    // the analysis books once an hour.
    void ProcessEvents() override {
        RoundDigests.push_back(Digest(g_, false));
        for (int slot = 1; slot < HandCount; ++slot)
            MostCards = std::max<int>(MostCards, g_.Hands[static_cast<std::size_t>(slot)].CardCount);
        MostDealt = std::max(MostDealt, g_.Shoe.CardsDealt);
        if (RoundsLeft > 0 && --RoundsLeft == 0) g_.StopRequested = true;
    }
    // Called after every hour: a digest of the accounts as well.
    void RefreshAnalysisWindow() override { HourDigests.push_back(Digest(g_, true)); }
    void CloseAnalysisWindow() override {
        Hands = g_.Hands;
        ShoeValues.clear();
        for (std::size_t i = 0; i < g_.Shoe.Order.size(); ++i)
            ShoeValues.push_back(g_.Shoe.At(static_cast<int>(i)).Value);
        CardsDealt = g_.Shoe.CardsDealt;
        RunningCount = g_.RunningCount;
        AceFiveCount = g_.AceFiveCount;
        RandomState = g_.RandomState;
    }

    HandArray Hands{};
    std::vector<std::uint64_t> RoundDigests;
    std::vector<std::uint64_t> HourDigests;
    int RoundsLeft = 0; // stops the game after this many rounds, when set
    int MostCards = 0;  // the most cards a player hand held after a round
    std::int32_t MostDealt = 0;
    std::vector<std::uint16_t> ShoeValues; // the value at each position of the shoe
    std::int32_t CardsDealt = 0;
    std::int32_t RunningCount = 0;
    std::int32_t AceFiveCount = 0;
    std::uint32_t RandomState = 0;

  private:
    Game& g_;
};

struct RuleSet {
    std::string Name;
    CasinoRules Rules;
    bool Single = false;
    bool Advanced = false;
};

CasinoRules With(std::uint16_t decks, std::uint16_t penetration, std::uint16_t minimum, bool surrender, bool soft17,
                 bool doubleAny, bool das, bool resplit, bool twoHands) {
    return {decks, penetration, minimum, surrender, soft17, doubleAny, das, resplit, twoHands};
}

std::vector<RuleSet> RuleSets() {
    return {
        {"default", CasinoRules{}},
        {"eight decks", With(8, 3, 25, false, false, true, true, true, true)},
        {"one deck, one box", With(1, 3, 25, false, false, true, true, true, false)},
        {"single strategy", CasinoRules{}, true},
        {"single strategy, one box", With(4, 2, 5, true, true, true, true, true, false), true},
        {"surrender, soft 17, strict doubles", With(2, 3, 5, true, true, false, false, false, true)},
        {"six decks, advanced", With(6, 2, 100, false, false, true, true, true, true), false, true},
    };
}

KeepingShell Play(const RuleSet& set, std::uint32_t seed, std::int64_t hours, bool plain) {
    Game g;
    g.Options.Rules = set.Rules;
    if (set.Advanced) LoadAdvancedStrategy(g.Strategy);
    else LoadDefaultStrategy(g.Strategy);
    g.FixedSeed = seed;
    g.PlainAnalysis = plain;
    KeepingShell shell(g);
    PrepareAnalysisRun(g);
    g.SingleStrategyMode = set.Single;
    g.Shell = &shell;
    g.AnalysisWindowOpen = true;
    g.StopAfterHours = hours;
    RunGame(g);
    FinishAnalysisRun(g);
    return shell;
}

void ExpectSameAccounts(const HandArray& a, const HandArray& b) {
    for (int i = 1; i <= StrategyCount; ++i) {
        SCOPED_TRACE("strategy #" + std::to_string(i));
        testing::ExpectSameStats(a[static_cast<std::size_t>(i)].Stats, b[static_cast<std::size_t>(i)].Stats);
    }
}

void ExpectSameRun(const KeepingShell& plain, const KeepingShell& fast) {
    // Round by round first, so that a difference is caught where it starts.
    ASSERT_EQ(plain.RoundDigests.size(), fast.RoundDigests.size());
    const auto split = std::mismatch(plain.RoundDigests.begin(), plain.RoundDigests.end(), fast.RoundDigests.begin());
    EXPECT_TRUE(split.first == plain.RoundDigests.end())
        << "the state differs from round " << (split.first - plain.RoundDigests.begin()) + 1;
    ASSERT_EQ(plain.HourDigests.size(), fast.HourDigests.size());
    const auto hour = std::mismatch(plain.HourDigests.begin(), plain.HourDigests.end(), fast.HourDigests.begin());
    EXPECT_TRUE(hour.first == plain.HourDigests.end())
        << "the accounts differ from hour " << (hour.first - plain.HourDigests.begin()) + 1;
    ExpectSameAccounts(plain.Hands, fast.Hands);
    EXPECT_EQ(plain.CardsDealt, fast.CardsDealt);
    EXPECT_EQ(plain.RunningCount, fast.RunningCount);
    EXPECT_EQ(plain.AceFiveCount, fast.AceFiveCount);
    EXPECT_EQ(plain.RandomState, fast.RandomState);
    EXPECT_EQ(plain.ShoeValues, fast.ShoeValues);
}

TEST(FastPathsTest, TheShortcutsLeaveEveryAccountAndCountAsThePlainWay) {
    for (const RuleSet& set : RuleSets()) {
        for (const std::uint32_t seed : {1u, 77u, 4000000000u}) {
            SCOPED_TRACE(set.Name + ", seed " + std::to_string(seed));
            const KeepingShell plain = Play(set, seed, 60, true);
            const KeepingShell fast = Play(set, seed, 60, false);
            ASSERT_GT(plain.Hands[1].Stats.TotalBet + plain.Hands[4].Stats.TotalBet, 0);
            ExpectSameRun(plain, fast);
        }
    }
}

// One round from a stacked shoe, the strategy hitting every total below 21 (and never doubling, splitting or
// surrendering), started with `dealt` cards already gone.
KeepingShell PlayStacked(const std::vector<int>& codes, std::int32_t dealt, bool plain) {
    Game g;
    g.Options.Rules.PlayTwoHands = false;
    for (int t = 2; t <= 21; ++t)
        for (int up = 2; up <= 11; ++up) g.Strategy.Row(HitRows + t)[up] = 1;
    g.PlainAnalysis = plain;
    g.FixedSeed = 1;
    KeepingShell shell(g);
    shell.RoundsLeft = 1;
    PrepareAnalysisRun(g);
    testing::StackShoe(g, codes, testing::King, static_cast<int>(std::max<std::size_t>(codes.size(), 52)));
    g.Shoe.CardsDealt = dealt;
    g.Shell = &shell;
    g.AnalysisWindowOpen = true;
    RunGame(g);
    FinishAnalysisRun(g);
    return shell;
}

TEST(FastPathsTest, RoundsAtTheEdgesGoTheSameWayBothWays) {
    using testing::Ace;
    using testing::King;
    // The player's hand of Aces takes eleven cards (soft 21) and is refused a twelfth.
    std::vector<int> aces = {Ace, King, Ace, 7};
    for (int k = 0; k < 12; ++k) aces.push_back(Ace);
    // Dealt from the last cards of the shoe: the hits run past its end and reuse earlier cards.
    std::vector<int> pastTheEnd(52, 2);
    pastTheEnd[48] = 2;
    pastTheEnd[49] = King;
    pastTheEnd[50] = 2;
    pastTheEnd[51] = 7;
    struct Case {
        std::string Name;
        std::vector<int> Codes;
        std::int32_t Dealt;
    };
    for (const Case& c : {Case{"a hand of eleven cards", aces, 0}, Case{"past the end of the shoe", pastTheEnd, 48}}) {
        SCOPED_TRACE(c.Name);
        const KeepingShell plain = PlayStacked(c.Codes, c.Dealt, true);
        const KeepingShell fast = PlayStacked(c.Codes, c.Dealt, false);
        ASSERT_EQ(plain.RoundDigests.size(), 1u);
        EXPECT_EQ(plain.RoundDigests, fast.RoundDigests);
        ExpectSameAccounts(plain.Hands, fast.Hands);
        EXPECT_EQ(fast.MostCards, plain.MostCards);
        EXPECT_EQ(fast.MostDealt, plain.MostDealt);
    }
    EXPECT_EQ(PlayStacked(aces, 0, false).MostCards, MaxCardsPerHand);
    EXPECT_GT(PlayStacked(pastTheEnd, 48, false).MostDealt, 52);
}

TEST(FastPathsTest, DrawingManyNumbersAtOnceDrawsWhatOneAtATimeWould) {
    for (const std::uint32_t seed : {0u, 1u, 123456789u, 4294967295u}) {
        for (const std::size_t count : {0u, 1u, 3u, 4u, 5u, 7u, 8u, 9u, 104u, 415u, 416u}) {
            Game one;
            Game many;
            one.RandomState = many.RandomState = seed;
            std::vector<std::uint32_t> expected;
            for (std::size_t i = 0; i < count; ++i) expected.push_back(RandomBelow(one, 65000));
            std::vector<std::uint32_t> drawn(count);
            RandomBelowMany(many, 65000, drawn.data(), count);
            EXPECT_EQ(drawn, expected) << "seed " << seed << ", " << count << " numbers";
            EXPECT_EQ(many.RandomState, one.RandomState) << "seed " << seed << ", " << count << " numbers";
        }
    }
}

// Between the hours the accounts lack the rounds still waiting by their count indexes; whatever saves them
// books those first.
TEST(FastPathsTest, SavingAGameBooksTheRoundsStillWaiting) {
    Game g;
    LoadDefaultStrategy(g.Strategy);
    g.FixedSeed = 5;
    PrepareAnalysisRun(g);
    for (int round = 0; round < 3; ++round) {
        StartRound(g);
        PlayQuickRound(g);
        BookRoundTally(g);
    }
    ASSERT_TRUE(g.Pending.Any);
    EXPECT_EQ(g.Hands[1].Stats.HandsPlayed, 0);
    const testing::TempFolder folder;
    ASSERT_TRUE(SaveGameFile(g, folder.File("WAITING.ZVX")));
    EXPECT_FALSE(g.Pending.Any);
    const PlayStats& basic = g.Hands[1].Stats;
    EXPECT_GE(basic.HandsPlayed, 6); // two boxes a round, and any splits
    // Two boxes: strategy #1 stakes twice the minimum on every hand and every double.
    EXPECT_EQ(basic.TotalBet, 50.0 * static_cast<double>(basic.HandsPlayed + basic.HandsDoubled));
}

// Clearing the statistics, or loading others from a game file, drops the rounds still waiting: booked later,
// they would land in accounts they were never part of.
TEST(FastPathsTest, RoundsWaitingToBeBookedGoWithTheStatistics) {
    const testing::TempFolder folder;
    const std::string saved = folder.File("EMPTY.ZVX");
    for (const bool load : {false, true}) {
        Game g;
        LoadDefaultStrategy(g.Strategy);
        g.FixedSeed = 9;
        PrepareAnalysisRun(g);
        if (load) {
            ASSERT_TRUE(SaveGameFile(g, saved));
        }
        for (int round = 0; round < 3; ++round) {
            StartRound(g);
            PlayQuickRound(g);
            BookRoundTally(g);
        }
        ASSERT_TRUE(g.Pending.Any);
        if (load) {
            ASSERT_EQ(LoadGameFile(g, saved), GameFileLoad::Ok);
        } else {
            ResetStatistics(g);
        }
        EXPECT_FALSE(g.Pending.Any) << (load ? "load" : "reset");
        BookPendingRounds(g);
        EXPECT_EQ(g.Hands[1].Stats.HandsPlayed, 0) << (load ? "load" : "reset");
    }
}

} // namespace
} // namespace zvx
