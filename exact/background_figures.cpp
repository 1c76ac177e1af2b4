#include "exact/background_figures.h"

#include <algorithm>

namespace zvx {

BackgroundFigures::~BackgroundFigures() {
    if (current_) stopped_.push_back(std::move(current_));
    for (auto& job : stopped_) {
        job->Stop = true;
        job->Worker.join();
    }
}

void BackgroundFigures::JoinFinished() {
    for (auto& job : stopped_)
        if (job->Done) job->Worker.join();
    std::erase_if(stopped_, [](const std::unique_ptr<Job>& job) { return !job->Worker.joinable(); });
}

void BackgroundFigures::Start(const CasinoRules& rules, const StrategyTable& table, bool withBest) {
    JoinFinished();
    if (current_) {
        current_->Stop = true;
        stopped_.push_back(std::move(current_));
    }
    current_ = std::make_unique<Job>();
    Job* job = current_.get();
    job->Worker = std::thread([job, rules, table, withBest] {
        job->Result = WorkOutTableFigures(rules, table, &job->Stop, withBest);
        job->Done = true;
    });
}

std::optional<TableFigures> BackgroundFigures::Take() {
    JoinFinished();
    if (!current_ || !current_->Done) return std::nullopt;
    current_->Worker.join();
    std::optional<TableFigures> result = std::move(current_->Result);
    current_.reset();
    return result;
}

bool BackgroundFigures::Busy() const {
    return current_ != nullptr;
}

} // namespace zvx
