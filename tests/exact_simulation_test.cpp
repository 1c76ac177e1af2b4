// The exact edge off the top against the game's own analysis rounds, each the first round of a freshly
// shuffled shoe: the mean result must lie within three standard errors of the exact value.
#include "analysis/analysis_run.h"
#include "engine/quick_round.h"
#include "engine/round.h"
#include "exact/exact_engine.h"
#include "strategy/builtin_strategies.h"

#include <cmath>
#include <gtest/gtest.h>
#include <memory>

namespace zvx {
namespace {

struct Sample {
    double Mean = 0;
    double Error = 0;
};

struct Samples {
    Sample Result;
    Sample Staked; // the money put on the table, in stakes
};

class Accumulator {
  public:
    void Add(double x) {
        sum_ += x;
        squares_ += x * x;
        ++n_;
    }
    Sample Get() const {
        const double mean = sum_ / n_;
        return {mean, std::sqrt((squares_ / n_ - mean * mean) / n_)};
    }

  private:
    double sum_ = 0;
    double squares_ = 0;
    int n_ = 0;
};

// The game's rounds, one box, each dealt from a shoe shuffled just before it (the test's hook: the dealt
// count is pushed past the cut card, so StartRound shuffles).
Samples FirstRounds(const CasinoRules& rules, const StrategyTable& table, int rounds, std::uint32_t seed) {
    auto game = std::make_unique<Game>();
    Game& g = *game;
    g.Options.Rules = rules;
    g.Options.Rules.PlayTwoHands = false;
    g.Strategy = table;
    g.FixedSeed = seed;
    PrepareAnalysisRun(g);
    Accumulator result;
    Accumulator staked;
    for (int i = 0; i < rounds; ++i) {
        g.Shoe.CardsDealt = g.Shoe.CutCardPosition + 1;
        StartRound(g);
        EXPECT_EQ(g.Shoe.CardsDealt, 0);
        EXPECT_TRUE(QuickRoundApplies(g));
        PlayQuickRound(g);
        result.Add(g.Tally.Won); // in stakes: a doubled hand counts twice, a blackjack 1.5
        staked.Add(g.Tally.StakesCharged);
    }
    return {result.Get(), staked.Get()};
}

TEST(ExactSimulationTest, TheGamesFirstRoundsAgreeWithTheExactEdge) {
    StrategyTable advanced;
    LoadAdvancedStrategy(advanced);
    StrategyTable basic;
    LoadDefaultStrategy(basic);
    CasinoRules single;
    single.Decks = 1;
    CasinoRules strict;
    strict.Decks = 2;
    strict.DealerHitsSoft17 = true;
    strict.SurrenderAllowed = true;
    strict.DoubleAnyHand = false;
    strict.ResplitAllowed = false;
    int seed = 11;
    for (const CasinoRules& rules : {single, strict})
        for (const StrategyTable* table : {&advanced, &basic}) {
            ExactEngine engine(ExactRulesOf(rules));
            const Samples simulated = FirstRounds(rules, *table, 400000, static_cast<std::uint32_t>(++seed));
            const char* name = table == &basic ? "default" : "advanced";
            EXPECT_NEAR(simulated.Result.Mean, engine.TableEdge(*table), 3 * simulated.Result.Error)
                << rules.Decks << " decks, table " << name;
            EXPECT_NEAR(simulated.Staked.Mean, engine.TableStakes(*table), 3 * simulated.Staked.Error)
                << rules.Decks << " decks, table " << name;
        }
}

} // namespace
} // namespace zvx
