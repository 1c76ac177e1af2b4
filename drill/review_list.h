#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "drill/drill_record.h"

namespace zvx {

// One cell of the review: its counts and its mistakes, the costliest first.
struct ReviewEntry {
    DrillCell Cell;
    int Judged = 0;
    int Missed = 0;
    double Cost = 0;
    std::vector<MistakeTally> Mistakes;
};

// The cells the player has missed, the costliest first (then the most often missed), at most `limit`.
std::vector<ReviewEntry> CostliestMistakes(const DrillRecord& record, std::size_t limit);

// "Stand", "Hit", "Double", "Split", "Surrender".
std::string ActionName(Action action);

// "Hard 16 against 10: missed 3 of 8, cost 12.0 % of a bet".
std::string ReviewHeading(const ReviewEntry& entry);
// "You hit 3 times where the strategy stands (cost 4.0 % of the bet a time)"; the advice is shown beside it.
std::string ReviewLine(const MistakeTally& mistake);
// "Accuracy 91.3 % (105 of 115), mistakes cost 37.5 % of a bet" (the cost once any was priced) or "No
// decisions judged".
std::string TotalsText(const DrillTotals& totals);

} // namespace zvx
