#include "analysis/parallel_run.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <map>
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

// A job's analysis window: it publishes the hours closed and keeps the game as each run ends, before the
// reset clears the statistics. Only the job's own thread touches the game; the watcher reads the atomics.
class JobWindow : public ShellView {
public:
    void Watch(const Game& game) { game_ = &game; }
    void ProcessEvents() override {}
    void RefreshAnalysisWindow() override {
        hours_.store(doneHours_ + game_->HoursPlayed, std::memory_order_relaxed);
        keys_.store(doneKeys_ + game_->KeysDrawn, std::memory_order_relaxed);
    }
    void CloseAnalysisWindow() override {
        final_ = std::make_unique<Game>(*game_);
        final_->Shell = nullptr;
        final_->Table = nullptr;
        doneHours_ += final_->HoursPlayed;
        doneKeys_ += final_->KeysDrawn;
        hours_.store(doneHours_, std::memory_order_relaxed);
        keys_.store(doneKeys_, std::memory_order_relaxed);
    }
    std::int64_t Hours() const { return hours_.load(std::memory_order_relaxed); }
    std::uint64_t Keys() const { return keys_.load(std::memory_order_relaxed); }
    std::unique_ptr<Game> TakeFinal() { return std::move(final_); }

private:
    const Game* game_ = nullptr;
    std::int64_t doneHours_ = 0; // of the runs this job has finished
    std::uint64_t doneKeys_ = 0;
    // A line of their own: the other jobs write theirs.
    alignas(64) std::atomic<std::int64_t> hours_{0};
    std::atomic<std::uint64_t> keys_{0};
    std::unique_ptr<Game> final_;
};

using Seeding = std::function<void(Game&)>;

// Plays `hours` from `start` with the shuffle set up by `seeded`, and returns the game as the run left it.
std::unique_ptr<Game> PlayRun(const Game& start, JobWindow& window, const AnalysisPlan& plan, std::int64_t hours,
                              const Seeding& seeded) {
    auto g = std::make_unique<Game>(start);
    window.Watch(*g);
    seeded(*g);
    PrepareAnalysisRun(*g);
    g->SingleStrategyMode = plan.Single;
    g->Shell = &window;
    g->AnalysisWindowOpen = true;
    g->StopAfterHours = hours;
    RunGame(*g);
    FinishAnalysisRun(*g);
    g->Shell = nullptr;
    return window.TakeFinal();
}

// Runs work(job) on `jobs` threads, calling `tick` on this thread every TickInterval until all are done.
void RunThreads(int jobs, const std::function<void(int)>& work, const std::function<void()>& tick) {
    std::mutex mutex;
    std::condition_variable finished;
    int running = jobs;
    std::vector<std::thread> threads;
    for (int job = 0; job < jobs; ++job)
        threads.emplace_back([&, job] {
            work(job);
            const std::lock_guard lock(mutex);
            --running;
            finished.notify_one();
        });
    {
        std::unique_lock lock(mutex);
        while (!finished.wait_for(lock, TickInterval, [&] { return running == 0; })) {
            lock.unlock();
            tick();
            lock.lock();
        }
    }
    for (auto& t : threads) t.join();
}

// The long generator's chunks, handed to whichever job asks next and merged in chunk order as they come in,
// so only the chunks finished ahead of a slower one wait in memory.
class ChunkBook {
public:
    ChunkBook(const AnalysisPlan& plan)
        : hours_(plan.Hours), count_(ChunkCount(plan.Hours)), nextStart_(LongStart(plan.Seed, plan.Stream, 0)) {}

    // The next chunk to play and its generator state; false when none is left.
    bool Take(std::int64_t& chunk, std::int64_t& hours, LongRandom& start) {
        const std::lock_guard lock(mutex_);
        if (next_ >= count_) return false;
        chunk = next_++;
        hours = std::min(ChunkHours, hours_ - chunk * ChunkHours);
        start = nextStart_;
        nextStart_.Jump();
        return true;
    }

    void Hand(std::int64_t chunk, std::unique_ptr<Game> final) {
        const std::lock_guard lock(mutex_);
        waiting_[chunk] = std::move(final);
        for (auto it = waiting_.begin(); it != waiting_.end() && it->first == merged_; it = waiting_.erase(it)) {
            if (!result_) result_ = std::move(it->second);
            else MergeStatistics(*result_, *it->second);
            ++merged_;
        }
    }

    std::unique_ptr<Game> Result() { return std::move(result_); }

private:
    std::mutex mutex_;
    std::int64_t hours_;
    std::int64_t count_;
    std::int64_t next_ = 0;
    std::int64_t merged_ = 0;
    LongRandom nextStart_;
    std::map<std::int64_t, std::unique_ptr<Game>> waiting_;
    std::unique_ptr<Game> result_;
};

} // namespace

std::int64_t JobHours(std::int64_t hours, int jobs, int job) {
    return hours / jobs + (job < hours % jobs ? 1 : 0);
}

std::uint32_t JobSeed(std::uint32_t seed, int jobs, int job) {
    const std::uint64_t stride = (std::uint64_t{1} << 32) / static_cast<std::uint64_t>(jobs);
    return AdvanceRandomState(seed, stride * static_cast<std::uint64_t>(job));
}

std::int64_t ChunkCount(std::int64_t hours) { return (hours + ChunkHours - 1) / ChunkHours; }

int UsefulJobs(const AnalysisPlan& plan) {
    const std::int64_t pieces = plan.Shuffler == Generator::Long ? ChunkCount(plan.Hours) : plan.Hours;
    return static_cast<int>(std::clamp<std::int64_t>(pieces, 1, plan.Jobs));
}

Game RunAnalysisJobs(const Game& start, const AnalysisPlan& plan, const AnalysisTick& tick) {
    const int jobs = UsefulJobs(plan);
    std::vector<std::unique_ptr<JobWindow>> windows;
    for (int job = 0; job < jobs; ++job) windows.push_back(std::make_unique<JobWindow>());
    auto progress = [&] {
        AnalysisProgress sum;
        for (const auto& w : windows) {
            sum.Hours += w->Hours();
            sum.Keys += w->Keys();
        }
        return sum;
    };
    auto watch = [&] { tick(progress()); };

    std::unique_ptr<Game> result;
    if (plan.Shuffler == Generator::Long) {
        ChunkBook book(plan);
        RunThreads(
            jobs,
            [&](int job) {
                std::int64_t chunk = 0, hours = 0;
                LongRandom state;
                while (book.Take(chunk, hours, state)) {
                    auto seeded = [&](Game& g) {
                        g.FixedSeed = plan.Seed;
                        g.LongRandomStart = state;
                    };
                    book.Hand(chunk, PlayRun(start, *windows[static_cast<std::size_t>(job)], plan, hours, seeded));
                }
            },
            watch);
        result = book.Result();
    } else {
        std::vector<std::unique_ptr<Game>> finals(windows.size());
        RunThreads(
            jobs,
            [&](int job) {
                const auto at = static_cast<std::size_t>(job);
                finals[at] = PlayRun(start, *windows[at], plan, JobHours(plan.Hours, jobs, job),
                                     [&](Game& g) { g.FixedSeed = JobSeed(plan.Seed, jobs, job); });
            },
            watch);
        result = std::move(finals.front());
        for (std::size_t job = 1; job < finals.size(); ++job) MergeStatistics(*result, *finals[job]);
    }
    result->RunTime = RunClock{};
    tick({result->HoursPlayed, result->KeysDrawn});
    return std::move(*result);
}

} // namespace zvx
