#pragma once

#include "cards/hand.h"
#include "exact/exact_rules.h"
#include "strategy/recommend.h"

#include <array>
#include <utility>

namespace zvx::testing {

// A whole round of one box, followed card by card over every card the shoe can give, the way the round flow
// plays it: the hands in their places 1..4, splits into the first free place of 3, 4, 2, play in the order
// 2, 1, 4, 3, the flags set as UpdateHandFlags sets them. It shares nothing with the exact engine but the
// strategy's decision, so its value is an independent check on a shoe small enough to follow every card.
class RoundEnumeration {
  public:
    RoundEnumeration(const ExactRules& rules, const StrategyTable& table) : rules_(rules), table_(table) {}

    bool RanDry = false;

    // The expected result of a round, and the expected money put on the table (the bet, split hands,
    // doubles).
    struct Expected {
        double Result = 0;
        double Staked = 0;
    };
    Expected Value(const ShoeCounts& shoe) {
        State s;
        s.Shoe = shoe;
        return Expect(s);
    }

    // The expected result of one play on a dealt hand, the up card and the hand's two cards taken from
    // `shoe`, given that the dealer has no blackjack: the play is made whatever the table says, and the table
    // plays everything after it, the hands of a split included.
    double PlayValue(const ShoeCounts& shoe, int upRank, int first, int second, Action play) {
        State s;
        s.Shoe = shoe;
        const std::array<std::pair<int, int>, 3> dealt = {{{1, first}, {DealerSlot, upRank}, {1, second}}};
        for (const auto& [slot, rank] : dealt) {
            s.Shoe.Remove(rank);
            Place(s, slot, rank);
        }
        s.DealtInitial = 3;
        const double blackjack = upRank == AceRank   ? s.Shoe.Chance(TenRank)
                                 : upRank == TenRank ? s.Shoe.Chance(AceRank)
                                                     : 0;
        forced_ = play;
        const double value = Expect(s).Result;
        forced_ = NoAction;
        // A dealer blackjack takes the bet before any play.
        return (value + blackjack) / (1 - blackjack);
    }

  private:
    struct Box {
        int Hard = 0;
        bool Ace = false;
        int Cards = 0;
        int First = 0;
        int Second = 0;
        bool Used = false;
        bool Finished = true;
        bool Unsplit = false;
        int Stake = 1;
    };
    enum class Step { Deal, Play, Dealer };
    struct State {
        ShoeCounts Shoe;
        std::array<Box, 5> Hands{};
        int DealtInitial = 0;
        Step At = Step::Deal;
        int UpRank = 0;
        std::array<int, 2> Owed{}; // places owed a card after a split, in order
        int OwedCount = 0;
        int Active = 0;
        double Result = 0;
        double Staked = 1;
    };

    static int Total(const Box& b) { return b.Ace && b.Hard + 10 <= 21 ? b.Hard + 10 : b.Hard; }

    Expected Expect(State s) {
        for (;;) {
            const int slot = Needs(s);
            if (slot == -2) return {s.Result, s.Staked};
            if (slot >= 0) {
                if (s.Shoe.Total == 0)
                    RanDry = true; // the game would reuse cards here: the shoe is too small
                Expected sum;
                for (int r = 1; r <= RankCount; ++r) {
                    const int count = s.Shoe.Of(r);
                    if (count == 0) continue;
                    State t = s;
                    const double p = static_cast<double>(count) / s.Shoe.Total;
                    t.Shoe.Remove(r);
                    Place(t, slot, r);
                    const Expected e = Expect(t);
                    sum.Result += p * e.Result;
                    sum.Staked += p * e.Staked;
                }
                return sum;
            }
        }
    }

    void Place(State& s, int slot, int rank) {
        Box& b = s.Hands[static_cast<std::size_t>(slot)];
        b.Hard += rank;
        b.Ace = b.Ace || rank == AceRank;
        ++b.Cards;
        if (b.Cards == 1) b.First = rank;
        if (b.Cards == 2) b.Second = rank;
        if (slot == DealerSlot && b.Cards == 1) s.UpRank = rank;
        if (slot != DealerSlot && b.Hard > 21) {
            s.Result -= b.Stake;
            b.Finished = true;
            b.Hard = 0;
            b.Ace = false;
            b.Stake = 0;
        }
    }

    // Advances the round until a card must be dealt: returns its place, -1 to go on, -2 at the end.
    int Needs(State& s) {
        switch (s.At) {
        case Step::Deal: {
            constexpr std::array<int, 4> order = {1, DealerSlot, 1, DealerSlot};
            if (s.DealtInitial < 4) return order[static_cast<std::size_t>(s.DealtInitial++)];
            Box& player = s.Hands[1];
            player.Used = true;
            player.Finished = false;
            player.Unsplit = true;
            const bool playerBlackjack = Total(player) == 21;
            if (Total(s.Hands[DealerSlot]) == 21) {
                if (!playerBlackjack) s.Result -= 1;
                return -2;
            }
            if (playerBlackjack) {
                s.Result += 1.5;
                return -2;
            }
            s.At = Step::Play;
            s.Active = 1;
            return -1;
        }
        case Step::Play:
            return PlayStep(s);
        case Step::Dealer: {
            Box& d = s.Hands[DealerSlot];
            const int total = Total(d);
            const bool soft = d.Ace && d.Hard + 10 <= 21;
            if (d.Hard <= 21 && d.Cards < MaxCardsPerHand &&
                (total < 17 || (total == 17 && soft && rules_.HitsSoft17)))
                return DealerSlot;
            const int dealer = d.Hard > 21 ? 0 : total;
            for (int slot = 1; slot <= 4; ++slot) {
                const Box& b = s.Hands[static_cast<std::size_t>(slot)];
                if (!b.Used || b.Stake == 0) continue;
                const int player = Total(b);
                if (player > dealer)
                    s.Result += b.Stake;
                else if (player < dealer)
                    s.Result -= b.Stake;
            }
            return -2;
        }
        }
        return -2;
    }

    int PlayStep(State& s) {
        if (s.OwedCount > 0) {
            const int slot = s.Owed[0];
            s.Owed[0] = s.Owed[1];
            --s.OwedCount;
            return slot;
        }
        int active = 0;
        for (const int slot : {2, 1, 4, 3}) {
            const Box& b = s.Hands[static_cast<std::size_t>(slot)];
            if (b.Used && !b.Finished) {
                active = slot;
                break;
            }
        }
        if (active == 0) {
            s.At = Step::Dealer;
            return -1;
        }
        Box& h = s.Hands[static_cast<std::size_t>(active)];
        const int total = Total(h);
        bool maySplit = false, mayDouble = false, maySurrender = false;
        if (h.Cards == 2) {
            const bool freePlace = !s.Hands[2].Used || !s.Hands[3].Used || !s.Hands[4].Used;
            maySplit = h.First == h.Second && (h.Unsplit || rules_.ResplitAllowed) && freePlace;
            mayDouble = (h.Unsplit || rules_.DoubleAfterSplit) &&
                        (rules_.DoubleAnyHand || total == 10 || total == 11);
            maySurrender = h.Unsplit && rules_.SurrenderAllowed;
        }
        const bool firstPlay = forced_ != NoAction && active == 1 && h.Unsplit && h.Cards == 2;
        const Action action = firstPlay ? forced_
                                        : DecideQuickly(table_, total != h.Hard, total, ValueOfRank(s.UpRank),
                                                        maySplit, mayDouble, maySurrender);
        switch (action) {
        case Hit:
            if (h.Cards == MaxCardsPerHand) {
                h.Finished = true;
                return -1;
            }
            return active;
        case DoubleDown:
            h.Stake = 2;
            s.Staked += 1;
            h.Finished = true;
            return active;
        case Surrender:
            s.Result -= 0.5;
            h.Stake = 0;
            h.Finished = true;
            return -1;
        case Split: {
            int to = 0;
            for (const int slot : {3, 4, 2})
                if (!s.Hands[static_cast<std::size_t>(slot)].Used) {
                    to = slot;
                    break;
                }
            const int pair = h.First;
            s.Staked += 1;
            Box fresh;
            fresh.Hard = pair;
            fresh.Ace = pair == AceRank;
            fresh.Cards = 1;
            fresh.First = pair;
            fresh.Used = true;
            fresh.Finished = pair == AceRank; // a split Ace takes one card
            s.Hands[static_cast<std::size_t>(to)] = fresh;
            h = fresh;
            s.Owed = {active, to};
            s.OwedCount = 2;
            return -1;
        }
        default:
            h.Finished = true;
            return -1;
        }
    }

    ExactRules rules_;
    const StrategyTable& table_;
    Action forced_ = NoAction;
};

} // namespace zvx::testing
