#pragma once

#include <map>
#include <string>
#include <vector>

#include "drill/drill_cell.h"
#include "drill/judged_decision.h"

namespace zvx {

// One kind of mistake in a cell: the play made instead of the strategy's, how often and what it cost.
struct MistakeTally {
    Action Taken = NoAction;
    Action Right = NoAction;
    int Count = 0;
    double Cost = 0;    // in bets, over all the times
    std::string Advice; // the game's advice the last time

    friend bool operator==(const MistakeTally&, const MistakeTally&) = default;
};

struct CellTally {
    int Judged = 0;
    int Missed = 0;
    double Cost = 0; // the cost of the misses, in bets
    bool LastMissed = false;
    std::vector<MistakeTally> Mistakes;

    double ErrorRate() const { return Judged > 0 ? static_cast<double>(Missed) / Judged : 0.0; }
    friend bool operator==(const CellTally&, const CellTally&) = default;
};

struct DrillTotals {
    int Judged = 0;
    int Missed = 0;
    double Cost = 0;

    // The share of decisions played as the strategy plays them, 0..1 (1 with nothing judged).
    double Accuracy() const { return Judged > 0 ? 1.0 - static_cast<double>(Missed) / Judged : 1.0; }
    void Add(bool missed, double cost);
};

// The player's record of judged decisions, by cell, kept across sessions; and this session's totals, which are
// not.
class DrillRecord {
public:
    using CellMap = std::map<DrillCell, CellTally>;

    // `cost` is what the difference cost (0 when nothing works it out); a decision that matched costs nothing.
    void Add(const JudgedDecision& decision, double cost);
    // Forgets everything, this session's totals included.
    void Clear();
    // Installs cells read from the file; this session's totals stay.
    void Restore(CellMap cells);

    const CellMap& Cells() const { return cells_; }
    const CellTally* Find(const DrillCell& cell) const;
    DrillTotals AllTime() const;
    const DrillTotals& Session() const { return session_; }

private:
    CellMap cells_;
    DrillTotals session_;
};

} // namespace zvx
