#pragma once

#include "exact/table_figures.h"

#include <atomic>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

namespace zvx {

// Works out a table's figures on a thread of its own, so that a window stays responsive while they are
// computed; the window takes them when it likes (from a timer). A new request stops the one under way without
// waiting for it: a stopped worker ends at its next check and is joined later.
class BackgroundFigures {
  public:
    BackgroundFigures() = default;
    ~BackgroundFigures();
    BackgroundFigures(const BackgroundFigures&) = delete;
    BackgroundFigures& operator=(const BackgroundFigures&) = delete;

    void Start(const CasinoRules& rules, const StrategyTable& table, bool withBest = true);
    // The latest request's figures once they are ready (given once), else nothing.
    std::optional<TableFigures> Take();
    bool Busy() const;

  private:
    struct Job {
        std::atomic<bool> Stop{false};
        std::atomic<bool> Done{false};
        std::optional<TableFigures> Result;
        std::thread Worker;
    };
    void JoinFinished();

    std::unique_ptr<Job> current_;
    std::vector<std::unique_ptr<Job>> stopped_;
};

} // namespace zvx
