#pragma once

#include "drill/drill_record.h"

#include <cstddef>
#include <string>
#include <vector>

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

// "cost 4.0 % of a bet"; where the player's play does better than the strategy's (a strategy that is not the
// best for the rules), "gained 0.3 % of a bet".
std::string CostPhrase(double cost, const std::string& bet);
// A sum of costs: as above under one bet, else in bets as the status bar gives it, "cost 18.86 bets".
std::string CostTotalPhrase(double cost);

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
