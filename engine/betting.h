#pragma once

#include "engine/game_state.h"

namespace zvx {

// The bookkeeping of the four betting strategies. Account i is Hands[i].Stats; a hand's stake of strategy i
// is its StrategyBets[i]. Under SingleStrategyMode only strategy #4 is booked.

// The count index a strategy's by-count arrays use this round: the simple count for #3, else the
// conventional one.
inline int RoundCountIndex(const Game& g, int strategy) { return strategy == 3 ? g.CountIndexB : g.CountIndexA; }

// The stake of betting strategy 1..4 at these count indexes under these rules: #1 the minimum; #2 the
// minimum below a conventional count of 0, twice it from 0; #3 the minimum while the simple count lies in
// 0..4 per deck (exclusive); #4 the minimum from a conventional count of 0. With two boxes, twice as much.
inline std::uint16_t AnalysisStake(const BettingRules& rules, int strategy, int countIndexA, int countIndexB) {
    const int m = rules.Minimum;
    const int bet = strategy == 1   ? m
                    : strategy == 2 ? (countIndexA < 0 ? m : 2 * m)
                    : strategy == 3 ? (countIndexB >= 0 && countIndexB < 4 * rules.Decks ? m : 0)
                                    : (countIndexA < 0 ? 0 : m);
    return static_cast<std::uint16_t>(rules.TwoHands ? 2 * bet : bet);
}

// Sets the strategies' bets for a round without the table and opens the boxes (1, and 3 with two hands).
void SetAnalysisBets(Game& g);

// Opens a slot for play and books the bets riding on it.
void PlaceBets(Game& g, int slot);

// Charges a double down on the slot and doubles its stakes.
void ChargeDoubleDown(Game& g, int slot);

// Counts a split of the slot for every strategy with a stake on it.
void CountSplit(Game& g, int slot);

// Counts a blackjack dealt to the slot for every strategy with a stake on it.
void CountBlackjack(Game& g, int slot);

// Credits the result of a hand (payout multiplier r) to every strategy with a stake on it.
void BookSettlement(Game& g, int slot, double r);

// Starts a round's tally: without the table (unless Game::PlainAnalysis is set) the functions above only
// count what happens, and BookRoundTally books it when the round is over. In single-strategy mode that is
// at once; otherwise the round waits with the others of its count indexes, and BookPendingRounds books them
// all. The accounts are complete once BookPendingRounds has run: the game loop runs it at the end of every
// hour and of the game, and saving a game runs it first.
void BeginRoundTally(Game& g);
void BookRoundTally(Game& g);
void BookPendingRounds(Game& g);

// Closes an hour of 100 rounds: histogram, totals and swings of every account.
void CloseHour(Game& g);

} // namespace zvx
