#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "cards/card.h"
#include "engine/game_state.h"

namespace zvx::testing {

// Spades, whose codes are their ranks; add 13, 26 or 39 for hearts, clubs or diamonds.
inline constexpr int Ace = 1;
inline constexpr int Jack = 11;
inline constexpr int Queen = 12;
inline constexpr int King = 13;

// A stacked shoe is padded to this size, so that dealing past its end (which reuses cards 30 back) stays
// inside it like a real shoe.
inline constexpr std::size_t StackedShoeMinimum = 52;

// Installs a shoe whose next cards are exactly `codes`, followed by `filler` cards up to the minimum size.
// The cut card lies at the end unless `cutCard` places it; the counts are left as they are.
inline void StackShoe(Game& g, const std::vector<int>& codes, int filler = King, int cutCard = -1) {
    ShoeState& shoe = g.Shoe;
    for (auto& hand : g.Hands) hand.Cards.fill(nullptr);
    shoe.Cards.clear();
    shoe.Values.clear();
    shoe.Order.clear();
    std::vector<int> all = codes;
    while (all.size() < StackedShoeMinimum) all.push_back(filler);
    for (const int code : all) {
        TCard card;
        InitCard(card, code);
        shoe.Order.push_back(static_cast<std::uint16_t>(shoe.Cards.size()));
        shoe.Cards.push_back(card);
        shoe.Values.push_back(static_cast<std::uint8_t>(card.Value));
    }
    shoe.ShoeSize = static_cast<std::uint16_t>(all.size());
    shoe.CutCardPosition = static_cast<std::uint16_t>(cutCard >= 0 ? cutCard : static_cast<int>(all.size()));
    shoe.CardsDealt = 0;
    shoe.ShoeReady = true;
}

} // namespace zvx::testing
