#include "engine/shoe_count.h"

#include <algorithm>

#include "engine/shoe.h"

namespace zvx {

ShoeCount CountOfShoe(const Game& g, const CountingSystem& system) {
    const ShoeState& shoe = g.Shoe;
    ShoeCount count;
    if (!shoe.ShoeReady) return count;
    const int decks = std::max(1, shoe.ShoeSize / (4 * RanksPerSuit(g)));
    const int dealt = std::clamp<int>(shoe.CardsDealt, 0, shoe.ShoeSize);
    count.Running = InitialRunningCount(system, decks);
    for (int position = 0; position < dealt; ++position) count.Running += system.Tag(shoe.At(position).Value);
    count.CardsLeft = shoe.ShoeSize - dealt;
    count.DecksLeft = DecksLeft(count.CardsLeft);
    count.True = TrueCount(count.Running, count.CardsLeft);
    return count;
}

} // namespace zvx
