// The choice of generator for an analysis: defaults, the long generator's streams, and the warning once the
// classic generator has gone round its cycle.

#include <gtest/gtest.h>

#include <memory>

#include "analysis/generator_choice.h"
#include "analysis/parallel_run.h"
#include "strategy/builtin_strategies.h"

namespace zvx {
namespace {

TEST(GeneratorChoiceTest, ClassicForAPlainRunLongForRunsToBeMerged) {
    EXPECT_EQ(DefaultGenerator(1, false), Generator::Classic);
    EXPECT_EQ(DefaultGenerator(2, false), Generator::Long);
    EXPECT_EQ(DefaultGenerator(1, true), Generator::Long);
    EXPECT_EQ(GeneratorNamed("classic"), Generator::Classic);
    EXPECT_EQ(GeneratorNamed("long"), Generator::Long);
    EXPECT_EQ(GeneratorNamed("fast"), std::nullopt);
    EXPECT_EQ(GeneratorName(Generator::Long), "long");
}

TEST(GeneratorChoiceTest, StreamsAreLongJumpsAndJobsAreJumps) {
    LongRandom expected = LongRandom::FromSeed(5);
    EXPECT_EQ(LongStart(5, 0, 0), expected);
    expected.LongJump();
    expected.LongJump();
    EXPECT_EQ(LongStart(5, 2, 0), expected);
    expected.Jump();
    EXPECT_EQ(LongStart(5, 2, 1), expected);
    EXPECT_NE(LongStart(5, 0, 1), LongStart(5, 1, 0));
}

TEST(CycleWarningTest, SaidOnceWhenTheKeysPassTheCycle) {
    CycleWarning warning(Generator::Classic, 1000);
    EXPECT_EQ(warning.Check(0), std::nullopt);
    EXPECT_EQ(warning.Check(1000), std::nullopt); // the whole cycle, not yet around it
    EXPECT_FALSE(warning.Given());
    const auto said = warning.Check(1001);
    ASSERT_TRUE(said.has_value());
    EXPECT_NE(said->find("repeat"), std::string::npos);
    EXPECT_TRUE(warning.Given());
    EXPECT_EQ(warning.Check(5000), std::nullopt);

    CycleWarning full(Generator::Classic);
    EXPECT_EQ(full.Check(std::uint64_t{1} << 32), std::nullopt);
    EXPECT_TRUE(full.Check((std::uint64_t{1} << 32) + 1).has_value());

    CycleWarning never(Generator::Long, 1000);
    EXPECT_EQ(never.Check(std::uint64_t{1} << 40), std::nullopt);
    EXPECT_FALSE(never.Given());
}

Game PlayWith(Generator g, int jobs, std::uint32_t stream, std::int64_t hours, const AnalysisTick& tick) {
    Game start;
    LoadDefaultStrategy(start.Strategy);
    AnalysisPlan plan;
    plan.Jobs = jobs;
    plan.Seed = 21;
    plan.Hours = hours;
    plan.Shuffler = g;
    plan.Stream = stream;
    return RunAnalysisJobs(start, plan, tick);
}

TEST(CycleWarningTest, ARunOnASmallCycleIsWarnedOnceAtTheMark) {
    // Four hundred rounds draw several thousand keys: a cycle of 2000 keys is gone round within the run.
    CycleWarning warning(Generator::Classic, 2000);
    int said = 0;
    const Game result = PlayWith(Generator::Classic, 2, 0, 40, [&](const AnalysisProgress& p) {
        if (warning.Check(p.Keys)) ++said;
    });
    EXPECT_GT(result.KeysDrawn, 2000u);
    EXPECT_EQ(said, 1);
    // Ten keys a round or so, one per card: the count is of the cards shuffled, not of the rounds.
    EXPECT_GT(result.KeysDrawn, 40u * 100 * 5);
}

TEST(LongGeneratorRunTest, RepeatableAndEachStreamDealsOtherShoes) {
    auto quiet = [](const AnalysisProgress&) {};
    const Game a = PlayWith(Generator::Long, 2, 0, 30, quiet);
    const Game again = PlayWith(Generator::Long, 2, 0, 30, quiet);
    EXPECT_EQ(a.Hands[1].Stats.TotalWon, again.Hands[1].Stats.TotalWon);
    EXPECT_EQ(a.Hands[2].Stats.HourHistogram, again.Hands[2].Stats.HourHistogram);
    EXPECT_EQ(a.KeysDrawn, again.KeysDrawn);
    const Game other = PlayWith(Generator::Long, 2, 1, 30, quiet);
    EXPECT_NE(a.Hands[1].Stats.HourHistogram, other.Hands[1].Stats.HourHistogram);
    const Game classic = PlayWith(Generator::Classic, 2, 0, 30, quiet);
    EXPECT_NE(a.Hands[1].Stats.HourHistogram, classic.Hands[1].Stats.HourHistogram);
}

} // namespace
} // namespace zvx
