// Analysis jobs: the seed derivation, the share of hours, and the merged result against the jobs played alone.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "analysis/account_merge.h"
#include "analysis/analysis_run.h"
#include "analysis/parallel_run.h"
#include "engine/random.h"
#include "engine/round.h"
#include "engine/shell_view.h"
#include "shell/game_file.h"
#include "strategy/builtin_strategies.h"
#include "tests/same_stats.h"
#include "tests/temp_folder.h"

namespace zvx {
namespace {

TEST(JobSeedTest, AJumpLandsWhereThatManyDrawsLand) {
    for (const std::uint32_t seed : {0u, 1u, 42u, 4294967295u}) {
        Game g;
        g.RandomState = seed;
        for (std::uint64_t steps = 0; steps <= 1000; ++steps) {
            ASSERT_EQ(AdvanceRandomState(seed, steps), g.RandomState) << seed << " " << steps;
            RandomBelow(g, 2);
        }
    }
    // The cycle is 2^32 long: a whole turn comes back to the start.
    EXPECT_EQ(AdvanceRandomState(12345, std::uint64_t{1} << 32), 12345u);
}

TEST(JobSeedTest, OneJobIsThePlainRunAndJobsStartSpreadOverTheCycle) {
    EXPECT_EQ(JobSeed(77, 1, 0), 77u);
    EXPECT_EQ(JobSeed(77, 4, 0), 77u);
    EXPECT_EQ(JobSeed(77, 4, 1), AdvanceRandomState(77, 1u << 30));
    EXPECT_EQ(JobSeed(77, 4, 3), AdvanceRandomState(77, 3u << 30));
    EXPECT_EQ(JobSeed(77, 3, 2), AdvanceRandomState(77, 2 * 1431655765ull));
}

TEST(JobHoursTest, TheSharesAddUpAndDifferByAtMostOne) {
    for (const std::int64_t hours : {1, 2, 7, 100, 1000000001}) {
        for (const int jobs : {1, 2, 3, 8, 256}) {
            std::int64_t sum = 0, least = hours, most = 0;
            for (int job = 0; job < jobs; ++job) {
                const std::int64_t share = JobHours(hours, jobs, job);
                sum += share;
                least = std::min(least, share);
                most = std::max(most, share);
            }
            EXPECT_EQ(sum, hours) << hours << " " << jobs;
            EXPECT_LE(most - least, 1) << hours << " " << jobs;
        }
    }
}

// The window of the run before jobs: keeps the game as the run ends.
class KeepingShell : public ShellView {
public:
    explicit KeepingShell(const Game& g) : g_(g) {}
    void ProcessEvents() override {}
    void RefreshAnalysisWindow() override {}
    void CloseAnalysisWindow() override { Final = std::make_unique<Game>(g_); }
    std::unique_ptr<Game> Final;

private:
    const Game& g_;
};

Game StartingGame() {
    Game g;
    LoadDefaultStrategy(g.Strategy);
    g.Options.Rules.SurrenderAllowed = true;
    return g;
}

// One run the way the tool played it before it had jobs.
std::unique_ptr<Game> PlainRun(std::uint32_t seed, std::int64_t hours, bool single) {
    auto g = std::make_unique<Game>(StartingGame());
    KeepingShell shell(*g);
    g->FixedSeed = seed;
    PrepareAnalysisRun(*g);
    g->SingleStrategyMode = single;
    g->Shell = &shell;
    g->AnalysisWindowOpen = true;
    g->StopAfterHours = hours;
    RunGame(*g);
    FinishAnalysisRun(*g);
    return std::move(shell.Final);
}

Game Jobs(int jobs, std::uint32_t seed, std::int64_t hours, bool single = false) {
    AnalysisPlan plan;
    plan.Jobs = jobs;
    plan.Seed = seed;
    plan.Hours = hours;
    plan.Single = single;
    return RunAnalysisJobs(StartingGame(), plan, [](const AnalysisProgress&) {});
}

void ExpectSameAccounts(const Game& a, const Game& b) {
    EXPECT_EQ(a.HoursPlayed, b.HoursPlayed);
    for (int i = 1; i <= StrategyCount; ++i) {
        SCOPED_TRACE(i);
        testing::ExpectSameStats(a.Hands[static_cast<std::size_t>(i)].Stats, b.Hands[static_cast<std::size_t>(i)].Stats);
    }
}

// Every figure but the squares (of hours and of rounds), which game files do not keep.
void ExpectSameAccountsBut(const Game& a, const Game& b) {
    Game withSquares = b;
    for (int i = 1; i <= StrategyCount; ++i) {
        const PlayStats& from = a.Hands[static_cast<std::size_t>(i)].Stats;
        PlayStats& to = withSquares.Hands[static_cast<std::size_t>(i)].Stats;
        EXPECT_FALSE(to.RoundSquaresKnown);
        to.HourWonSquares = from.HourWonSquares;
        to.HourSquares = from.HourSquares;
        to.RoundSquares = from.RoundSquares;
        to.RoundsClosed = from.RoundsClosed;
        to.RoundSquaresKnown = from.RoundSquaresKnown;
    }
    ExpectSameAccounts(a, withSquares);
}

TEST(ParallelRunTest, OneJobIsExactlyThePlainRun) {
    for (const bool single : {false, true}) {
        SCOPED_TRACE(single);
        const auto plain = PlainRun(42, 60, single);
        const Game job = Jobs(1, 42, 60, single);
        ExpectSameAccounts(job, *plain);
        EXPECT_EQ(job.SecondBoxActive, plain->SecondBoxActive);
        EXPECT_EQ(job.SingleStrategyMode, single);
    }
}

TEST(ParallelRunTest, JobsAreRepeatableAndEqualToTheMergeOfEachJobsOwnGameFile) {
    constexpr int JobCount = 3;
    constexpr std::int64_t Hours = 50;
    const Game merged = Jobs(JobCount, 9, Hours);
    ExpectSameAccounts(merged, Jobs(JobCount, 9, Hours));
    EXPECT_EQ(merged.HoursPlayed, Hours);

    // Each job played alone from its own seed, saved, loaded and merged in job order.
    testing::TempFolder folder;
    auto fromFiles = std::make_unique<Game>();
    for (int job = 0; job < JobCount; ++job) {
        auto alone = PlainRun(JobSeed(9, JobCount, job), JobHours(Hours, JobCount, job), false);
        const std::string path = folder.File("job" + std::to_string(job) + ".zvx");
        ASSERT_TRUE(SaveGameFile(*alone, path));
        auto loaded = std::make_unique<Game>();
        ASSERT_EQ(LoadGameFile(*loaded, path), GameFileLoad::Ok);
        if (job == 0) *fromFiles = *loaded;
        else MergeStatistics(*fromFiles, *loaded);
    }
    // The statistics, run time and hours as the files hold them (loading repairs the options' animation speed).
    const GameRecord a = BuildGameRecord(merged);
    const GameRecord b = BuildGameRecord(*fromFiles);
    EXPECT_TRUE(std::equal(a.begin() + GameStatsOffset, a.end(), b.begin() + GameStatsOffset));
    ExpectSameAccountsBut(merged, *fromFiles);
    // Only the hours' squares are missing from the files.
    EXPECT_GT(merged.Hands[1].Stats.HourWonSquares, 0);
    EXPECT_EQ(fromFiles->Hands[1].Stats.HourWonSquares, 0);

    const Game other = Jobs(JobCount, 10, Hours);
    EXPECT_NE(other.Hands[1].Stats.TotalWon, merged.Hands[1].Stats.TotalWon);
}

TEST(ParallelRunTest, TheWatcherHearsTheHoursAndTheLastTickHasThemAll) {
    AnalysisPlan plan;
    plan.Jobs = 2;
    plan.Seed = 3;
    plan.Hours = 21;
    std::vector<std::int64_t> ticks;
    const Game result = RunAnalysisJobs(StartingGame(), plan, [&](const AnalysisProgress& p) { ticks.push_back(p.Hours); });
    ASSERT_FALSE(ticks.empty());
    EXPECT_EQ(ticks.back(), 21);
    for (std::size_t i = 1; i < ticks.size(); ++i) EXPECT_LE(ticks[i - 1], ticks[i]);
    EXPECT_EQ(result.RunTime.Hours + result.RunTime.Minutes + result.RunTime.Seconds, 0);
    EXPECT_EQ(result.Shell, nullptr);
}

Game LongJobs(int jobs, std::int64_t hours, std::uint32_t stream = 0) {
    AnalysisPlan plan;
    plan.Jobs = jobs;
    plan.Seed = 21;
    plan.Hours = hours;
    plan.Shuffler = Generator::Long;
    plan.Stream = stream;
    return RunAnalysisJobs(StartingGame(), plan, [](const AnalysisProgress&) {});
}

// A part resubmitted with other CPUs must give the study the same figures: every chunk plays its own stream
// whichever job takes it, and the chunks are merged in their order.
TEST(ParallelRunTest, LongRunsDoNotDependOnTheNumberOfJobs) {
    constexpr std::int64_t Hours = 2 * ChunkHours + 7; // two whole chunks and a short one
    const Game one = LongJobs(1, Hours);
    EXPECT_EQ(one.HoursPlayed, Hours);
    for (const int jobs : {2, 3, 16}) {
        SCOPED_TRACE(jobs);
        ExpectSameAccounts(one, LongJobs(jobs, Hours));
    }
    EXPECT_NE(LongJobs(2, Hours, 1).Hands[1].Stats.TotalWon, one.Hands[1].Stats.TotalWon);
    EXPECT_EQ(ChunkCount(Hours), 3);
    EXPECT_EQ(ChunkCount(ChunkHours), 1);
}

// More jobs than there is work once spun forever on a job of no hours; the spare jobs are not started.
TEST(ParallelRunTest, JobsBeyondTheWorkAreNotStarted) {
    AnalysisPlan plan;
    plan.Hours = 1;
    plan.Jobs = 4;
    EXPECT_EQ(UsefulJobs(plan), 1);
    EXPECT_EQ(Jobs(4, 3, 2).HoursPlayed, 2);
    plan.Shuffler = Generator::Long;
    plan.Hours = ChunkHours + 1;
    EXPECT_EQ(UsefulJobs(plan), 2);
    EXPECT_EQ(LongJobs(8, 3).HoursPlayed, 3);
}

} // namespace
} // namespace zvx
