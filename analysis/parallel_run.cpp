#include "analysis/parallel_run.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "analysis/account_merge.h"
#include "analysis/analysis_run.h"
#include "engine/random.h"
#include "engine/round.h"
#include "engine/shell_view.h"

namespace zvx {

namespace {

constexpr auto TickInterval = std::chrono::milliseconds(250);

// A job's analysis window: it publishes the hours closed and keeps the game as the run ends, before the
// reset clears the statistics.
class JobWindow : public ShellView {
public:
    explicit JobWindow(const Game& game) : game_(game) {}
    void ProcessEvents() override {}
    void RefreshAnalysisWindow() override {
        hours_.store(game_.HoursPlayed, std::memory_order_relaxed);
        keys_.store(game_.KeysDrawn, std::memory_order_relaxed);
    }
    void CloseAnalysisWindow() override {
        final_ = game_;
        final_.Shell = nullptr;
        final_.Table = nullptr;
    }
    std::int64_t Hours() const { return hours_.load(std::memory_order_relaxed); }
    std::uint64_t Keys() const { return keys_.load(std::memory_order_relaxed); }
    const Game& Final() const { return final_; }

private:
    const Game& game_;
    // A line of their own: the other jobs write theirs.
    alignas(64) std::atomic<std::int64_t> hours_{0};
    std::atomic<std::uint64_t> keys_{0};
    Game final_;
};

void PlayJob(Game& g, JobWindow& window, const AnalysisPlan& plan, int job) {
    if (plan.Shuffler == Generator::Long) {
        g.FixedSeed = plan.Seed;
        g.LongRandomStart = LongStart(plan.Seed, plan.Stream, job);
    } else {
        g.FixedSeed = JobSeed(plan.Seed, plan.Jobs, job);
    }
    PrepareAnalysisRun(g);
    g.SingleStrategyMode = plan.Single;
    g.Shell = &window;
    g.AnalysisWindowOpen = true;
    g.StopAfterHours = JobHours(plan.Hours, plan.Jobs, job);
    RunGame(g);
    FinishAnalysisRun(g);
    g.Shell = nullptr;
}

} // namespace

std::int64_t JobHours(std::int64_t hours, int jobs, int job) {
    return hours / jobs + (job < hours % jobs ? 1 : 0);
}

std::uint32_t JobSeed(std::uint32_t seed, int jobs, int job) {
    const std::uint64_t stride = (std::uint64_t{1} << 32) / static_cast<std::uint64_t>(jobs);
    return AdvanceRandomState(seed, stride * static_cast<std::uint64_t>(job));
}

Game RunAnalysisJobs(const Game& start, const AnalysisPlan& plan, const AnalysisTick& tick) {
    const int jobs = plan.Jobs;
    std::vector<std::unique_ptr<Game>> games;
    std::vector<std::unique_ptr<JobWindow>> windows;
    for (int job = 0; job < jobs; ++job) {
        games.push_back(std::make_unique<Game>(start));
        windows.push_back(std::make_unique<JobWindow>(*games.back()));
    }

    std::mutex mutex;
    std::condition_variable finished;
    int running = jobs;
    std::vector<std::thread> threads;
    for (int job = 0; job < jobs; ++job)
        threads.emplace_back([&, job] {
            PlayJob(*games[static_cast<std::size_t>(job)], *windows[static_cast<std::size_t>(job)], plan, job);
            const std::lock_guard lock(mutex);
            --running;
            finished.notify_one();
        });

    auto progress = [&] {
        AnalysisProgress sum;
        for (const auto& w : windows) {
            sum.Hours += w->Hours();
            sum.Keys += w->Keys();
        }
        return sum;
    };
    {
        std::unique_lock lock(mutex);
        while (!finished.wait_for(lock, TickInterval, [&] { return running == 0; })) {
            lock.unlock();
            tick(progress());
            lock.lock();
        }
    }
    for (auto& t : threads) t.join();

    Game result = windows.front()->Final();
    for (std::size_t job = 1; job < windows.size(); ++job) MergeStatistics(result, windows[job]->Final());
    result.RunTime = RunClock{};
    tick({result.HoursPlayed, result.KeysDrawn});
    return result;
}

} // namespace zvx
