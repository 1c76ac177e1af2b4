#include "engine/shoe.h"

#include <algorithm>
#include <array>

#include "engine/random.h"
#include "engine/settlement.h"
#include "engine/shoe_sort.h"
#include "engine/table_view.h"

namespace zvx {

namespace {

constexpr int MaxShoeSize = 8 * 52;
// Past the end of the shoe a round goes on with cards from this far back, uncounted.
constexpr int ReuseDistance = 30;

// Draws a new key for every position, in the current order, and sorts the positions by key.
void SortWithNewKeys(Game& g) {
    ShoeState& shoe = g.Shoe;
    const std::size_t n = shoe.Order.size();
    if (n == 0) return;
    std::array<std::uint32_t, MaxShoeSize> entries;
    std::array<std::uint32_t, MaxShoeSize> sorted;
    const std::uint16_t* ranks = KeyTextRanks();
    const std::uint16_t* order = shoe.Order.data();
    const auto keyEntry = [&](std::size_t i, std::uint32_t key) { entries[i] = PackEntry(ranks[key], order[i]); };
    if (g.LongRandomStart) DrawBelowLong(g.LongRandomState, ShuffleKeyRange, n, keyEntry);
    else DrawBelow(g, ShuffleKeyRange, n, keyEntry);
    g.KeysDrawn += n;
    const std::span<std::uint32_t> keyed(entries.data(), n);
    const std::span<std::uint32_t> result(sorted.data(), n);
    // With the table hidden only the card values matter: the fast sorts (the vector network or the radix
    // sort) give the quicksort's values except where equal keys carry different values, and only those are
    // settled by the quicksort. Whenever faces are shown the quicksort decides the whole order.
    if (g.TableShown || g.PlainAnalysis || n > MaxRadixEntries) {
        QuickSortEntries(keyed);
        for (std::size_t i = 0; i < n; ++i) shoe.Order[i] = EntryCard(entries[i]);
        return;
    }
    // The fast sort writes the new order as it goes; only settled ties change it afterwards.
    const ValueTies ties = BucketSortEntries(keyed, result, shoe.Values.data(), shoe.Order.data());
    if (!ties.Any()) return;
    SettleValueTies(keyed, result, ties);
    for (std::size_t i = 0; i < n; ++i) shoe.Order[i] = EntryCard(sorted[i]);
}

// A hand past 21 with no soft Ace: the dealer's total becomes 0 and the drawing ends; a player's hand is
// settled as lost.
void SettleBust(Game& g, int slot) {
    if (slot != DealerSlot) {
        Settle(g, slot, -1);
    } else {
        g.Hands[DealerSlot].Total = 0;
        g.PlayerAction = Stand;
    }
}

} // namespace

int RanksPerSuit(const Game& g) { return g.PracticeDeckMode ? 9 : 13; }

void BuildShoe(Game& g) {
    ShoeState& shoe = g.Shoe;
    if (shoe.ShoeReady) return;
    shoe.ShoeReady = true;
    shoe.CardsDealt = 0;
    g.RunningCount = 0;

    const auto& rules = g.Rules();
    const int decks = rules.Decks >= 1 && rules.Decks <= 8 ? rules.Decks : 8;
    const int ranks = RanksPerSuit(g);
    shoe.ShoeSize = static_cast<std::uint16_t>(decks * ranks * 4);
    shoe.CutCardPosition = static_cast<std::uint16_t>(decks * ranks * rules.Penetration);
    shoe.CardBackStyle = static_cast<std::uint16_t>(RandomBelow(g, 2));
    SeedRandom(g);

    shoe.Cards.clear();
    shoe.Values.clear();
    shoe.Order.clear();
    shoe.Cards.reserve(shoe.ShoeSize);
    for (int deck = 0; deck < decks; ++deck)
        for (int rank = 1; rank <= ranks; ++rank)
            for (int suit = 0; suit < 4; ++suit) {
                TCard card;
                InitCard(card, 13 * suit + rank);
                shoe.Order.push_back(static_cast<std::uint16_t>(shoe.Cards.size()));
                shoe.Cards.push_back(card);
                shoe.Values.push_back(static_cast<std::uint8_t>(card.Value));
            }
    SortWithNewKeys(g);
}

void DestroyShoe(Game& g) {
    for (auto& hand : g.Hands) hand.Cards.fill(nullptr);
    g.Shoe.Cards.clear();
    g.Shoe.Values.clear();
    g.Shoe.Order.clear();
    g.Shoe.ShoeReady = false;
}

void ShuffleShoe(Game& g) {
    if (g.TableShown && !g.PracticeDeckMode && g.Table) g.Table->AnimateShuffle();
    // The generator is seeded once per shoe, in BuildShoe: reseeding from the clock here would deal the same
    // shoe again for every shuffle that falls in the same millisecond.
    SortWithNewKeys(g);
    g.Shoe.CardsDealt = 0;
    g.RunningCount = 0;
    g.AceFiveCount = 0;
}

void DealCard(Game& g, int slot) {
    ShoeState& shoe = g.Shoe;
    if (g.StopRequested || !shoe.ShoeReady) return;
    THand& hand = g.Hands[static_cast<std::size_t>(slot)];
    if (hand.CardCount >= MaxCardsPerHand) {
        // No twelfth place: the hand stands where it is.
        if (slot == DealerSlot) g.PlayerAction = Stand;
        else hand.Finished = true;
        return;
    }
    // The table's animations let the menus run while they pause, and a reset there closes the table: it is
    // asked for afresh before every call.
    auto shown = [&g] { return g.TableShown && g.Table != nullptr; };
    if (shown() && !g.PracticeDeckMode && shoe.CardsDealt == shoe.CutCardPosition) g.Table->SlideCutCard(true);

    hand.CardCount = static_cast<std::uint16_t>(hand.CardCount + 1);
    TCard* card = nullptr;
    if (shoe.CardsDealt < shoe.ShoeSize) {
        card = &shoe.At(shoe.CardsDealt);
        g.RunningCount += card->CountTag;
        // +1 for a 5, -1 for an Ace, 0 otherwise, without a branch on the card.
        const int aceFiveTag = (card->Value == 5) - (card->Value == 11);
        if (!g.SingleStrategyMode) g.AceFiveCount += aceFiveTag;
    } else {
        // The shoe ran out mid-round: reuse earlier cards without counting them, cycling through the last
        // stretch so that no position past the end is ever read.
        const int beyond = shoe.CardsDealt - shoe.ShoeSize;
        card = &shoe.At(shoe.ShoeSize - ReuseDistance + beyond % ReuseDistance);
    }
    hand.Cards[hand.CardCount] = card;

    if (card->Value == 11) {
        if (hand.SoftAce != 0) {
            hand.Total = static_cast<std::uint16_t>(hand.Total + 1);
        } else {
            hand.Total = static_cast<std::uint16_t>(hand.Total + 11);
            hand.SoftAce = hand.CardCount;
        }
    } else {
        hand.Total = static_cast<std::uint16_t>(hand.Total + card->Value);
    }

    if (shown()) {
        card->Slot = static_cast<std::uint16_t>(hand.CardCount + 10 * slot);
        g.Table->ShowCard(slot, *card);
        if (shown()) g.Table->ProcessEvents();
    }

    if (hand.Total > 21) {
        if (hand.SoftAce != 0) {
            hand.SoftAce = 0;
            hand.Total = static_cast<std::uint16_t>(hand.Total - 10);
        } else {
            SettleBust(g, slot);
        }
    }
    ++shoe.CardsDealt;
}

} // namespace zvx
