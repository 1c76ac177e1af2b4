#pragma once

#include "exact/dealer_odds.h"
#include "exact/exact_rules.h"
#include "exact/split_patterns.h"
#include "strategy/strategy_table.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

namespace zvx {

// The value of each play open to a hand, in units of the hand's bet, given that the dealer has no
// blackjack (the dealer peeks before anyone plays). A play the hand may not make is empty.
struct PlayValues {
    std::optional<double> Stand, Hit, Double, Split, Surrender;
};

// Combinatorial analysis of one box dealt off the top of a shoe, played by a `StrategyTable` exactly as the
// round flow plays it: every card removal is followed, for the player's hands and the dealer's alike. Splits
// are exact for the re-split rule as well: the hands a split grows into are counted by the patterns of
// pairing second cards, and the other hands' unseen cards are taken out by the burn-card identity (a card
// removed unseen leaves every chance as it was), so only the pair cards drawn change the shoe. A split hand
// that pairs again is split again only where the table splits that pair, so a split the table would not make
// is valued as the player who makes it goes on: the table plays the hands, the pairs among them by their
// total. The dealer's chances for each shoe are kept for the engine's life; a table's values are worked out
// per up card and kept until the table changes.
class ExactEngine {
  public:
    explicit ExactEngine(const ExactRules& rules);
    ExactEngine(const ExactRules& rules, const ShoeCounts& shoe);
    ~ExactEngine();
    ExactEngine(const ExactEngine&) = delete;
    ExactEngine& operator=(const ExactEngine&) = delete;

    const ExactRules& Rules() const { return rules_; }

    // A flag that, once raised, makes the long pieces of work (the edges, the stakes, the starting hands) end
    // at their next first two cards with a meaningless result, for a caller that is about to throw it away.
    // The dealer's chances kept for later are always whole.
    void SetStop(const std::atomic<bool>* stop) { stop_ = stop; }
    bool Stopped() const { return stop_ != nullptr && stop_->load(std::memory_order_relaxed); }
    const ShoeCounts& Shoe() const { return shoe_; }

    // The table's expected result per initial bet, off the top (a fraction: -0.005 is a house edge of 0.5 %).
    double TableEdge(const StrategyTable& table);
    // The part of that from one up card: the expected result given that up card, blackjacks included.
    double UpCardEdge(const StrategyTable& table, int upRank);
    // The money the table puts on the table in a round, in initial bets: the bet, each split hand's and each
    // double's. The edge over it is the advantage per money bet, the analysis screens' unit.
    double TableStakes(const StrategyTable& table);

    // The values of the plays open to a hand of these ranks against the up card, off the top of the shoe,
    // each play followed by the table's as the game plays it (a split's hands included). `unsplit` is false
    // for a hand made by a split (no surrender, doubles only after a split where the rules allow; a split of
    // it is valued as a first split).
    PlayValues HandValues(const StrategyTable& table, int upRank, const std::vector<int>& ranks,
                          bool unsplit = true);

    // Every first two cards against the up card (a blackjack aside): their chance given the up card, and the
    // values of their plays, each followed by the table's play.
    struct StartingHand {
        int First = 0; // ranks, First <= Second
        int Second = 0;
        double Chance = 0;
        PlayValues Values;
    };
    std::vector<StartingHand> StartingHands(const StrategyTable& table, int upRank);

    // The dealer's chances with these cards out of the shoe (the up card among them), given no blackjack:
    // they add up to 1.
    DealerChances DealerGivenNoBlackjack(int upRank, const std::vector<int>& removedRanks);

    // The number of shoes whose dealer's chances are kept.
    std::size_t DealerShoes() const { return dealerCache_.size(); }

    class UpCardPlay;

  private:
    friend class UpCardPlay;
    const DealerChances& DealerFor(std::uint64_t removedKey, int upRank, const ShoeCounts& left);

    ExactRules rules_;
    ShoeCounts shoe_;
    const std::atomic<bool>* stop_ = nullptr;
    DealerOdds dealer_;
    std::vector<SplitPattern> patterns_;  // a pair the table splits: re-split as the rules allow
    std::vector<SplitPattern> splitOnce_; // a pair it does not: the split hands keep their second cards
    std::unordered_map<std::uint64_t, DealerChances> dealerCache_;
};

} // namespace zvx
