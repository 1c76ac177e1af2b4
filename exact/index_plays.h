#pragma once

#include "cards/counting_systems.h"
#include "exact/exact_engine.h"
#include "exact/exact_rules.h"
#include "strategy/strategy_table.h"

#include <atomic>
#include <optional>
#include <string>
#include <vector>

namespace zvx {

// Index plays: the true counts at which a departure from the basic play becomes the better one, found with the
// exact engine over shoes that carry each count.

// The hands an index is for. Two-card hands are grouped as the strategy reads them: a hard total (no Ace, not a
// pair), a soft total (an Ace and another card, not a pair) or a pair; insurance is against an Ace up.
enum class IndexHandKind : std::uint8_t { Hard, Soft, Pair, Insurance };

struct IndexHand {
    IndexHandKind Kind = IndexHandKind::Hard;
    int Total = 0; // the hard or soft total; for a pair the rank of its cards (1 the Ace, 10 the tens)
    int Up = 0;    // the dealer's up card, by rank (1 the Ace .. 10)
    friend bool operator==(const IndexHand&, const IndexHand&) = default;
};

// The plays an index chooses between. PlayOn is the best of the hand's other plays (what a hand that does not
// surrender does); the two insurance plays are taking it and declining it.
enum class IndexPlay : std::uint8_t { Stand, Hit, Double, Split, Surrender, PlayOn, Insure, NoInsurance };

// Where an entry comes from: the usual eighteen, the four surrender plays, or the scan of every two-card hand.
enum class IndexGroup : std::uint8_t { Usual, Surrender, Found };

struct IndexEntry {
    IndexHand Hand;
    IndexPlay Low = IndexPlay::Hit;   // the play below the index
    IndexPlay High = IndexPlay::Stand; // the play at the index or above it
    IndexGroup Group = IndexGroup::Usual;
    bool TablePlaysHigh = false; // the basic play (off the top) is High: the departure is Low, below the index
    bool Allowed = true;         // both plays are open under the rules
    // The whole true count (rounded down, as WholeTrueCount rounds) from which High is the better play at every
    // whole count of the range up to its top, each whole count n judged over the true counts n to n + 1 that
    // round down to it; empty when High is not better at the top of the range.
    std::optional<int> Index;
    bool BelowRange = false;         // High is the better play over the whole range: the index is its bottom
    std::optional<double> Crossing;  // the unrounded true count where the two plays' values meet, interpolated
    // What playing by the index adds to the expected result per round, in initial bets, over playing the basic
    // play at every count, with the counts as frequent as they are at the shoe depth used.
    double Gain = 0;
    // High's value less Low's, in bets (for insurance, per unit insured), at each whole count n of the range:
    // read at n + 1/2, the middle of the true counts that round down to n, after the hand's cards are counted.
    std::vector<double> Difference;
};

struct IndexOptions {
    int LowCount = -10; // the range of whole true counts the values are worked out for
    int HighCount = 10;
    bool Scan = true;          // also look at every two-card hand and up card for departures
    int ScanLow = -5;          // a found departure has its index in ScanLow..ScanHigh
    int ScanHigh = 10;
    double GainThreshold = 1e-5; // and adds at least this much per round (in initial bets)
    int CardsLeft = 0;           // the depth the compositions are built at; 0: half the shoe
    const std::atomic<bool>* Stop = nullptr;
};

struct IndexTable {
    ExactRules Rules;
    CountingSystemId System = CountingSystemId::HiLo;
    int CardsLeft = 0;
    int LowCount = -10;
    int HighCount = 10;
    std::vector<IndexEntry> Entries; // the usual eighteen in their customary order, the surrender four, then the
                                     // found ones by their gain, the largest first
};

// The shoe of `cardsLeft` cards left from `decks` decks whose dealt cards bring the system's running count to
// `runningCount`. The dealt cards are the shoe's own mix, shifted toward the cards whose tags raise (or lower)
// the count in proportion to each card's tag and its share of the shoe, then made whole cards with the count
// exact. Empty when no such shoe exists.
std::optional<ShoeCounts> ShoeAtRunningCount(const CountingSystem& system, int decks, int cardsLeft,
                                             int runningCount);

// The system's running count of the cards dealt from a full shoe of `decks` decks to leave `shoe`.
int RunningCountOf(const CountingSystem& system, int decks, const ShoeCounts& shoe);

// The chance that the hole card is a ten when the dealer shows an Ace dealt from `shoe`.
double TenUnderAce(const ShoeCounts& shoe);

// The index read from High's value less Low's at the whole counts low, low+1, ...: the smallest count from
// which the difference is at least 0 up to the last. Empty when the last is below 0.
std::optional<int> ReadIndex(const std::vector<double>& difference, int low);

// High's value less Low's for one hand and up card, in the engine's shoe, averaged over the two-card hands of
// the group by their chance; empty when a play is not open to them.
std::optional<double> PlayDifference(ExactEngine& engine, const StrategyTable& table, const IndexHand& hand,
                                     IndexPlay low, IndexPlay high);

// Every index for the rules and the counting system. `table` plays each hand after its first play; the basic
// play of each hand is the better one off the top of a full shoe.
IndexTable FindIndexPlays(const ExactRules& rules, const CountingSystem& system, const StrategyTable& table,
                          const IndexOptions& options = {});

// Texts: "hard 16", "soft 18", "10,10", "insurance"; "stand", "double", ...; "+3", "0", "-1".
std::string IndexHandName(const IndexHand& hand);
std::string IndexUpName(int upRank);
std::string IndexPlayName(IndexPlay play);
std::string SignedCount(int count);
// The advice for an entry: "At a true count of +3 or more, stand 16 against Dealer 10".
std::string IndexAdvice(const IndexEntry& entry);

} // namespace zvx
