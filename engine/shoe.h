#pragma once

#include "engine/game_state.h"

namespace zvx {

// Builds and shuffles a new shoe from the rules (1..8 decks; Aces to 9s only on the practice deck).
// Does nothing while the shoe exists. The generator is seeded here, once per shoe.
void BuildShoe(Game& g);

// Frees the card objects and clears ShoeReady.
void DestroyShoe(Game& g);

// Reshuffles the existing shoe and clears the counts.
void ShuffleShoe(Game& g);

// Deals the next card to the hand in the slot (0 dealer, 1..4 player), keeping the counts, the total and
// the soft Ace; a player hand that busts is settled as lost. This is the whole step, with the table's
// display, a stop, a hand without a place left and a shoe dealt out.
void DealCardPlain(Game& g, int slot);

// A hand past 21 with no soft Ace: the dealer's total becomes 0 and the drawing ends; a player's hand is
// settled as lost.
void SettleBust(Game& g, int slot);

// DealCard is DealCardPlain, written for the analysis: while none of the unusual cases above can arise (one
// test covers them all) the same steps run without a branch on the card.
inline void DealCard(Game& g, int slot) {
    ShoeState& shoe = g.Shoe;
    THand& hand = g.Hands[static_cast<std::size_t>(slot)];
    if (g.TableShown | g.StopRequested | g.PlainAnalysis | !shoe.ShoeReady | (hand.CardCount >= MaxCardsPerHand) |
        (shoe.CardsDealt >= shoe.ShoeSize)) [[unlikely]] {
        DealCardPlain(g, slot);
        return;
    }
    TCard* card = &shoe.At(shoe.CardsDealt);
    ++shoe.CardsDealt;
    const int value = card->Value;
    g.RunningCount += card->CountTag;
    const int aceFiveTag = (value == 5) - (value == 11);
    g.AceFiveCount += g.SingleStrategyMode ? 0 : aceFiveTag;
    const auto place = static_cast<std::uint16_t>(hand.CardCount + 1);
    hand.CardCount = place;
    hand.Cards[place] = card;
    // An Ace counts 11, or 1 when the hand already holds an Ace counted 11.
    const bool ace = value == 11;
    const bool wasSoft = hand.SoftAce != 0;
    int total = hand.Total + (ace && wasSoft ? 1 : value);
    std::uint16_t softAce = ace && !wasSoft ? place : hand.SoftAce;
    // Past 21 the soft Ace counts 1, which always brings the total back to 21 or below.
    const bool harden = total > 21 && softAce != 0;
    total -= harden ? 10 : 0;
    hand.SoftAce = harden ? std::uint16_t{0} : softAce;
    hand.Total = static_cast<std::uint16_t>(total);
    if (total > 21) SettleBust(g, slot);
}

// Cards per suit in the shoe: 13, or 9 on the practice deck.
int RanksPerSuit(const Game& g);

} // namespace zvx
