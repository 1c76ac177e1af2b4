#include "drill/drill_record.h"

#include <algorithm>

namespace zvx {

void DrillTotals::Add(bool missed, double cost) {
    ++Judged;
    if (!missed) return;
    ++Missed;
    Cost += cost;
}

void DrillRecord::Add(const JudgedDecision& decision, double cost) {
    const bool missed = decision.Missed();
    if (!missed) cost = 0;
    CellTally& cell = cells_[decision.Cell];
    ++cell.Judged;
    cell.LastMissed = missed;
    session_.Add(missed, cost);
    if (!missed) return;
    ++cell.Missed;
    cell.Cost += cost;
    auto same = [&](const MistakeTally& m) { return m.Taken == decision.Taken && m.Right == decision.Right; };
    auto it = std::find_if(cell.Mistakes.begin(), cell.Mistakes.end(), same);
    if (it == cell.Mistakes.end()) it = cell.Mistakes.insert(cell.Mistakes.end(), MistakeTally{decision.Taken, decision.Right, 0, 0, {}});
    ++it->Count;
    it->Cost += cost;
    if (!decision.Advice.empty()) it->Advice = decision.Advice;
}

void DrillRecord::Clear() {
    cells_.clear();
    session_ = {};
}

void DrillRecord::Restore(CellMap cells) { cells_ = std::move(cells); }

const CellTally* DrillRecord::Find(const DrillCell& cell) const {
    const auto it = cells_.find(cell);
    return it == cells_.end() ? nullptr : &it->second;
}

DrillTotals DrillRecord::AllTime() const {
    DrillTotals totals;
    for (const auto& [cell, tally] : cells_) {
        totals.Judged += tally.Judged;
        totals.Missed += tally.Missed;
        totals.Cost += tally.Cost;
    }
    return totals;
}

} // namespace zvx
