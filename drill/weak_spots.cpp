#include "drill/weak_spots.h"

#include <algorithm>
#include <utility>

#include "engine/random.h"

namespace zvx {

namespace {

constexpr int DueMisses = 3;
constexpr double ErrorRateWeight = 8;
// A deal is kept within a few dozen draws on average; past this many the deal is left as the shoe has it.
constexpr int MostDraws = 2000;
constexpr std::uint32_t ChanceSteps = 1u << 16;

} // namespace

double WeakSpotWeight(const CellTally* tally) {
    if (tally == nullptr || tally->Missed == 0) return 1;
    if (tally->Missed >= DueMisses && tally->LastMissed) return MostWeakSpotWeight;
    return 1 + ErrorRateWeight * tally->ErrorRate();
}

DrillCell PracticeCell(int first, int second, int upCard) {
    constexpr int Ace = 11;
    const bool soft = first == Ace || second == Ace;
    // Two Aces are a soft 12.
    const int total = first + second - (first == Ace && second == Ace ? 10 : 0);
    return CellOf(total, soft, first == second, first, upCard);
}

void ArrangeWeakSpotDeal(Game& g, const DrillRecord& record) {
    ShoeState& shoe = g.Shoe;
    // The deal's order: box 1, box 2 when it plays, the up card, box 1 again (DealRound).
    const int start = shoe.CardsDealt;
    const int up = start + (g.SecondBoxActive ? 2 : 1);
    const int second = up + 1;
    const int end = shoe.ShoeSize;
    if (!shoe.ShoeReady || start < 0 || second >= end) return;
    auto valueAt = [&](int position) { return shoe.At(position).Value; };
    for (int draw = 0; draw < MostDraws; ++draw) {
        const DrillCell cell = PracticeCell(valueAt(start), valueAt(second), valueAt(up));
        const double keep = WeakSpotWeight(record.Find(cell)) / MostWeakSpotWeight;
        if (RandomBelow(g, ChanceSteps) < keep * ChanceSteps) return;
        // A fresh draw of the deal's places from the undealt cards: the first steps of a Fisher-Yates shuffle
        // of the rest of the shoe, which leaves it in a uniformly random order.
        for (int position = start; position <= second; ++position) {
            const auto span = static_cast<std::uint32_t>(end - position);
            const int other = position + static_cast<int>(RandomBelow(g, span));
            std::swap(shoe.Order[static_cast<std::size_t>(position)], shoe.Order[static_cast<std::size_t>(other)]);
        }
    }
}

} // namespace zvx
