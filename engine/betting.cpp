#include "engine/betting.h"

#include <algorithm>
#include <cmath>

namespace zvx {

namespace {

constexpr int SingleStrategy = 4;
constexpr int HistogramLimit = 9;

PlayStats& Account(Game& g, int strategy) { return g.Hands[static_cast<std::size_t>(strategy)].Stats; }
THand& Slot(Game& g, int slot) { return g.Hands[static_cast<std::size_t>(slot)]; }

void CloseAccountHour(Game& g, PlayStats& a, bool histogram) {
    if (histogram) {
        const double m = g.Rules().TableMinimum;
        const double averageBet = g.Rules().PlayTwoHands ? 4 * m : 2 * m;
        // Halves go to the even neighbour (the default rounding mode).
        const int multiple = static_cast<int>(
            std::clamp(std::nearbyint(a.HourWon / averageBet), double{-HistogramLimit}, double{HistogramLimit}));
        if (multiple > 0)
            for (int k = 1; k <= multiple; ++k) ++a.HourHistogram[CountSlot(k)];
        else if (multiple < 0)
            for (int k = -1; k >= multiple; --k) ++a.HourHistogram[CountSlot(k)];
        else
            ++a.HourHistogram[CountSlot(0)];
    }
    a.TotalWon += a.HourWon;
    a.HourWonSquares += a.HourWon * a.HourWon;
    a.RoundSquares.Add(a.HourSquares);
    a.HourSquares = 0;
    a.RoundsClosed += g.RoundsPlayed;
    a.SwingBalance += a.HourWon;
    a.HourWon = 0;
    const double x = g.SwingThreshold;
    if (a.SwingBalance < -x) {
        ++a.SwingsLost;
        a.SwingBalance += x;
    } else if (a.SwingBalance > x) {
        ++a.SwingsWon;
        a.SwingBalance -= x;
    }
}

} // namespace

void SetAnalysisBets(Game& g) {
    const auto& rules = g.Rules();
    const std::uint16_t m = rules.TableMinimum;
    if (g.SingleStrategyMode) {
        g.SecondBoxActive = rules.PlayTwoHands && g.CountIndexA > 1;
        if (g.CountIndexA < 0) return; // no box is opened: the round's cards are dealt but not played
        Slot(g, 4).Bet = static_cast<std::uint16_t>(g.SecondBoxActive ? 2 * m : m);
        if (g.SecondBoxActive) PlaceBets(g, 3);
        PlaceBets(g, 1);
        return;
    }
    g.SecondBoxActive = rules.PlayTwoHands;
    RoundTally& t = g.Tally;
    t.Rules = {m, rules.Decks, rules.PlayTwoHands};
    t.Stakes = {0, AnalysisStake(t.Rules, 1, g.CountIndexA, g.CountIndexB),
                AnalysisStake(t.Rules, 2, g.CountIndexA, g.CountIndexB),
                AnalysisStake(t.Rules, 3, g.CountIndexA, g.CountIndexB),
                AnalysisStake(t.Rules, 4, g.CountIndexA, g.CountIndexB)};
    for (int i = 1; i <= StrategyCount; ++i) Slot(g, i).Bet = t.Stakes[static_cast<std::size_t>(i)];
    if (g.SecondBoxActive) PlaceBets(g, 3);
    PlaceBets(g, 1);
}

void PlaceBets(Game& g, int slot) {
    THand& hand = Slot(g, slot);
    hand.Finished = false;
    hand.StakeMultiple = 1;
    if (g.Tally.Deferred) {
        RoundTally& t = g.Tally;
        if (g.SingleStrategyMode) {
            t.Stakes[SingleStrategy] = Slot(g, SingleStrategy).Bet;
            hand.StrategyBets[SingleStrategy] = t.Stakes[SingleStrategy];
        } else {
            // SetAnalysisBets has put the round's stakes in the tally.
            hand.StrategyBets = t.Stakes;
        }
        ++t.HandsPlaced;
        ++t.StakesCharged;
        return;
    }
    if (g.SingleStrategyMode) {
        const std::uint16_t bet = Slot(g, SingleStrategy).Bet;
        if (bet > 0) {
            hand.StrategyBets[SingleStrategy] = bet;
            PlayStats& a = Account(g, SingleStrategy);
            a.TotalBet += bet;
            ++a.HandsPlayed;
        }
        return;
    }
    // Every strategy is booked, with a bet of 0 for those that sit out: adding 0 changes nothing, and the
    // loop runs without branches on the bets, which vary from round to round.
    for (int i = 1; i <= StrategyCount; ++i) {
        const std::uint16_t bet = Slot(g, i).Bet;
        hand.StrategyBets[static_cast<std::size_t>(i)] = bet;
        PlayStats& a = Account(g, i);
        a.TotalBet += bet;
        a.HandsPlayed += bet > 0;
        a.BetByCount[CountSlot(RoundCountIndex(g, i))] += bet;
    }
}

void ChargeDoubleDown(Game& g, int slot) {
    THand& hand = Slot(g, slot);
    hand.StakeMultiple = 2;
    if (g.Tally.Deferred) {
        for (auto& stake : hand.StrategyBets) stake = static_cast<std::uint16_t>(2 * stake);
        ++g.Tally.Doubles;
        ++g.Tally.StakesCharged;
        return;
    }
    if (g.SingleStrategyMode) {
        auto& stake = hand.StrategyBets[SingleStrategy];
        PlayStats& a = Account(g, SingleStrategy);
        a.TotalBet += stake;
        stake = static_cast<std::uint16_t>(2 * stake);
        ++a.HandsDoubled;
        return;
    }
    for (int i = 1; i <= StrategyCount; ++i) {
        auto& stake = hand.StrategyBets[static_cast<std::size_t>(i)];
        if (stake == 0) continue;
        PlayStats& a = Account(g, i);
        a.TotalBet += stake;
        a.BetByCount[CountSlot(RoundCountIndex(g, i))] += stake;
        stake = static_cast<std::uint16_t>(2 * stake);
        ++a.HandsDoubled;
    }
}

namespace {

// Counts one event of the slot's hand for every strategy with a stake on it, or in the round's tally.
void CountForStakes(Game& g, int slot, std::int64_t PlayStats::*counter, std::int32_t RoundTally::*tallied) {
    if (g.Tally.Deferred) {
        ++(g.Tally.*tallied);
        return;
    }
    const THand& hand = Slot(g, slot);
    for (int i = 1; i <= StrategyCount; ++i)
        if (hand.StrategyBets[static_cast<std::size_t>(i)] > 0) ++(Account(g, i).*counter);
}

} // namespace

void CountSplit(Game& g, int slot) { CountForStakes(g, slot, &PlayStats::HandsSplit, &RoundTally::Splits); }

void CountBlackjack(Game& g, int slot) { CountForStakes(g, slot, &PlayStats::Blackjacks, &RoundTally::Blackjacks); }

void BookSettlement(Game& g, int slot, double r) {
    const THand& hand = Slot(g, slot);
    if (g.Tally.Deferred) {
        RoundTally& t = g.Tally;
        const bool won = r > 0;
        t.Won += r * hand.StakeMultiple;
        t.HandsWon += won;
        t.Lost += static_cast<double>(!won) * -r;
        return;
    }
    if (g.SingleStrategyMode) {
        const std::uint16_t stake = hand.StrategyBets[SingleStrategy];
        if (stake == 0) return;
        PlayStats& a = Account(g, SingleStrategy);
        const double w = r * stake;
        a.HourWon += w;
        g.PlainHalves[SingleStrategy] += static_cast<std::int64_t>(2 * w);
        if (w > 0) a.BetsWon += 1;
        else a.BetsLost -= r;
        return;
    }
    // As in PlaceBets, a strategy without a stake adds zeros; the branches would follow the random results.
    const bool won = r > 0;
    for (int i = 1; i <= StrategyCount; ++i) {
        const std::uint16_t stake = hand.StrategyBets[static_cast<std::size_t>(i)];
        const bool staked = stake > 0;
        PlayStats& a = Account(g, i);
        const double w = r * stake;
        a.HourWon += w;
        g.PlainHalves[static_cast<std::size_t>(i)] += static_cast<std::int64_t>(2 * w);
        // Multiplying by 0 or 1 instead of choosing keeps the sums exact (adding -0.0 changes no sum).
        a.BetsWon += static_cast<double>(staked & won);
        a.BetsLost += static_cast<double>(staked & !won) * -r;
        a.WonByCount[CountSlot(RoundCountIndex(g, i))] += w;
    }
}

void BeginRoundTally(Game& g) {
    g.Tally = RoundTally{};
    g.Tally.Deferred = !g.TableShown && !g.PlainAnalysis;
}

namespace {

// Books a tally of rounds in which the strategy had the same stake and the same count index. Every hand
// carries each strategy's round stake, doubled on a doubled hand, so the events booked one by one would add
// the stake times each event's figure: the tally adds the stake times their sum. All the sums are whole
// numbers or halves, exact in a double while below 2^52, so the order of the additions cannot change them
// and the accounts come out bit for bit the same.
void BookTally(Game& g, const RoundTally& t, int strategy, std::uint16_t stake, int countIndex) {
    if (stake == 0) return;
    PlayStats& a = Account(g, strategy);
    const double charged = static_cast<double>(stake) * t.StakesCharged;
    const double won = t.Won * stake;
    const std::size_t count = CountSlot(countIndex);
    a.TotalBet += charged;
    a.BetByCount[count] += charged;
    a.HandsPlayed += t.HandsPlaced;
    a.HandsDoubled += t.Doubles;
    a.HandsSplit += t.Splits;
    a.Blackjacks += t.Blackjacks;
    a.HourWon += won;
    a.WonByCount[count] += won;
    a.BetsWon += t.HandsWon;
    a.BetsLost += t.Lost;
    a.HourSquares += std::uint64_t{stake} * stake * t.WonSquares;
}

// Single-strategy mode keeps no by-count figures.
void BookSingleStrategyTally(Game& g, const RoundTally& t) {
    const std::uint16_t stake = t.Stakes[SingleStrategy];
    if (stake == 0) return;
    PlayStats& a = Account(g, SingleStrategy);
    a.TotalBet += static_cast<double>(stake) * t.StakesCharged;
    a.HandsPlayed += t.HandsPlaced;
    a.HandsDoubled += t.Doubles;
    a.HandsSplit += t.Splits;
    a.Blackjacks += t.Blackjacks;
    a.HourWon += t.Won * stake;
    a.BetsWon += t.HandsWon;
    a.BetsLost += t.Lost;
    a.HourSquares += std::uint64_t{stake} * stake * t.WonSquares;
}

void AddTally(RoundTally& sum, const RoundTally& t) {
    sum.HandsPlaced += t.HandsPlaced;
    sum.StakesCharged += t.StakesCharged;
    sum.Doubles += t.Doubles;
    sum.Splits += t.Splits;
    sum.Blackjacks += t.Blackjacks;
    sum.HandsWon += t.HandsWon;
    sum.Won += t.Won;
    sum.Lost += t.Lost;
}

// A whole number of halves, squared.
std::uint64_t SquaredHalves(std::int64_t halves) {
    const auto magnitude = static_cast<std::uint64_t>(halves < 0 ? -halves : halves);
    return magnitude * magnitude;
}

} // namespace

void BookRoundTally(Game& g) {
    RoundTally& t = g.Tally;
    if (!t.Deferred) {
        // The round was booked hand by hand; only its squares are left.
        for (int i = 1; i <= StrategyCount; ++i) {
            auto& halves = g.PlainHalves[static_cast<std::size_t>(i)];
            Account(g, i).HourSquares += SquaredHalves(halves);
            halves = 0;
        }
        return;
    }
    const std::uint64_t squares = SquaredHalves(static_cast<std::int64_t>(2 * t.Won));
    if (g.SingleStrategyMode) {
        // One account, booked at once (its count index is not clamped, so it has no place to wait in).
        t.WonSquares = squares;
        BookSingleStrategyTally(g, t);
    } else {
        PendingRounds& p = g.Pending;
        // Rounds under other betting rules would have other stakes: those waiting are booked first.
        if (p.Any && !(p.Rules == t.Rules)) BookPendingRounds(g);
        p.Any = true;
        p.Rules = t.Rules;
        AddTally(p.ByCount[CountSlot(g.CountIndexA)], t);
        AddTally(p.BySimpleCount[CountSlot(g.CountIndexB)], t);
        p.ByCount[CountSlot(g.CountIndexA)].WonSquares += squares;
        p.BySimpleCount[CountSlot(g.CountIndexB)].WonSquares += squares;
    }
    // Booked: the next round's BeginRoundTally starts a new tally.
    t.Deferred = false;
}

void BookPendingRounds(Game& g) {
    PendingRounds& p = g.Pending;
    if (!p.Any) return;
    for (int index = -CountIndexLimit; index <= CountIndexLimit; ++index) {
        const auto at = static_cast<std::size_t>(CountSlot(index));
        // Strategies #1, #2 and #4 stake by the conventional count alone, #3 by the simple count alone.
        if (p.ByCount[at].HandsPlaced > 0)
            for (const int i : {1, 2, 4}) BookTally(g, p.ByCount[at], i, AnalysisStake(p.Rules, i, index, 0), index);
        if (p.BySimpleCount[at].HandsPlaced > 0)
            BookTally(g, p.BySimpleCount[at], 3, AnalysisStake(p.Rules, 3, 0, index), index);
        p.ByCount[at] = RoundTally{};
        p.BySimpleCount[at] = RoundTally{};
    }
    p.Any = false;
}

void CloseHour(Game& g) {
    if (g.SingleStrategyMode) {
        CloseAccountHour(g, Account(g, SingleStrategy), false);
        return;
    }
    for (int i = 1; i <= StrategyCount; ++i) CloseAccountHour(g, Account(g, i), true);
}

} // namespace zvx
