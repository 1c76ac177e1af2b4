#pragma once

#include <array>
#include <cstdint>

#include "cards/card.h"
#include "cards/wide_sum.h"

namespace zvx {

inline constexpr int MaxCardsPerHand = 11;
inline constexpr int HandCount = 5; // 0 the dealer, 1..4 the player's slots
inline constexpr int DealerSlot = 0;
inline constexpr int StrategyCount = 4;

// Count indexes run -10..10; element k + 10 of the by-count arrays.
inline constexpr int CountIndexLimit = 10;
inline constexpr int CountSlots = 2 * CountIndexLimit + 1;
constexpr int CountSlot(int countIndex) { return countIndex + CountIndexLimit; }

// The statistics of one betting strategy. In memory the counters are wide so that no run, however long,
// overflows them; the game file narrows them (saturating) when it is written.
struct PlayStats {
    std::array<double, CountSlots> WonByCount{};
    std::array<double, CountSlots> BetByCount{};
    std::array<std::int64_t, CountSlots> HourHistogram{}; // only -9..9 are used
    double HourWon = 0;
    double TotalWon = 0;
    double TotalBet = 0;
    double SwingBalance = 0;
    double BetsWon = 0;
    double BetsLost = 0; // a loss counts 1, a surrender 0.5
    std::int64_t SwingsLost = 0;
    std::int64_t SwingsWon = 0;
    std::int64_t HandsPlayed = 0;
    std::int64_t HandsSplit = 0;
    std::int64_t HandsDoubled = 0;
    std::int64_t Blackjacks = 0;
    // The sum of the squares of the hours' results, for the error of the advantage. Kept in memory only: the
    // game file has no place for it, so a loaded account has 0 here.
    double HourWonSquares = 0;
    // Each round's result in halves of a dollar, squared: the current hour's in HourSquares, the closed hours'
    // in RoundSquares with their rounds in RoundsClosed (as HourWon goes into TotalWon), exact for the spread
    // per round. Not in the game file either: a loaded account does not know them (RoundSquaresKnown false)
    // until a study manifest supplies them.
    std::uint64_t HourSquares = 0;
    WideSum RoundSquares;
    std::int64_t RoundsClosed = 0;
    bool RoundSquaresKnown = true;
};

// One of the five hand objects. Hands 1..4 double as the accounts of betting strategies #1..#4.
struct THand {
    std::array<TCard*, MaxCardsPerHand + 1> Cards{}; // positions 1..11; [0] unused
    std::array<std::uint16_t, StrategyCount + 1> StrategyBets{}; // stake of strategy #1..#4; [0] unused
    std::uint16_t CardCount = 0;
    std::uint16_t Total = 0;   // 0 once settled early, and for a busted dealer
    std::uint16_t SoftAce = 0; // position of the Ace counted as 11; 0 when hard
    std::uint16_t Bet = 0;
    std::uint16_t StakeMultiple = 1; // 2 once the hand is doubled (kept for the round tally)
    bool IsPair = false;
    bool IsBlackjack = false;
    bool Finished = false;
    bool IsUnsplit = false;
    bool MaySplit = false;
    bool MayDouble = false;
    bool MaySurrender = false;
    PlayStats Stats;
};

using HandArray = std::array<THand, HandCount>;

// Creates the five hands with every field zero, statistics included.
void CreateHands(HandArray& hands);

} // namespace zvx
