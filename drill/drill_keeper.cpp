#include "drill/drill_keeper.h"

#include "drill/record_file.h"
#include "drill/weak_spots.h"

#include <utility>

namespace zvx {

DrillKeeper::DrillKeeper(std::filesystem::path file) : file_(std::move(file)) {}

DrillKeeper::~DrillKeeper() = default;

std::optional<std::string> DrillKeeper::Load() {
    if (file_.empty()) return std::nullopt;
    RecordLoad load = LoadRecordFile(file_);
    writable_ = load.Writable;
    record_.Restore(std::move(load.Cells));
    return load.Message;
}

void DrillKeeper::SetCostSource(std::unique_ptr<CostSource> source) { costs_ = std::move(source); }

void DrillKeeper::DecisionJudged(const Game& g, int hand, Action taken, Action right) {
    Take(g, JudgedDecisionOf(g, hand, taken, right));
}

void DrillKeeper::Take(const Game& g, const JudgedDecision& decision) {
    // A hand the record cannot place would make the file unreadable next time.
    if (!IsPlausibleCell(decision.Cell)) return;
    double cost = 0;
    if (decision.Missed() && costs_) cost = costs_->CostOf(g, decision).value_or(0.0);
    record_.Add(decision, cost);
    if (auto failure = Save(); failure && !failureTold_) {
        failureTold_ = true;
        message_ = "Your drill record could not be written (" + *failure +
                   "). The decisions are kept until the program closes.";
    }
}

void DrillKeeper::BeforePracticeDeal(Game& g) {
    if (WeakSpotPractice) ArrangeWeakSpotDeal(g, record_);
}

std::optional<std::string> DrillKeeper::Clear() {
    record_.Clear();
    return Save();
}

std::optional<std::string> DrillKeeper::TakeMessage() { return std::exchange(message_, std::nullopt); }

std::optional<std::string> DrillKeeper::Save() {
    if (!Kept()) return std::nullopt;
    return SaveRecordFile(file_, record_.Cells());
}

} // namespace zvx
