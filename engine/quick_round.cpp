#include "engine/quick_round.h"

#include <array>

#include "strategy/recommend.h"

namespace zvx {

namespace {

// Past the end of the shoe a round goes on with cards from this far back, uncounted (as in DealCard).
constexpr int ReuseDistance = 30;

// The count tags by card value: the conventional count's, and the simple count's (+1 for a 5, -1 for an
// Ace), which single-strategy mode does not keep.
constexpr std::array<std::int8_t, 12> CountTags = {0, 0, 1, 1, 1, 1, 1, 0, 0, 0, -1, -1};
constexpr std::array<std::int8_t, 12> AceFiveTags = {0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, -1};
constexpr std::array<std::int8_t, 12> NoTags = {};
constexpr bool CountTagsMatchTheCards() {
    for (int value = 2; value <= 11; ++value)
        if (CountTags[static_cast<std::size_t>(value)] != CountTagOf(value)) return false;
    return true;
}
static_assert(CountTagsMatchTheCards());

// The round flow's steps for an analysis round, on the game's own hands. The shoe position, the counts, the
// active hand and the dealer's stop are kept here while the round is played and written back at its end.
class QuickRound {
  public:
    explicit QuickRound(Game& g)
        : g_(g), rules_(g.Rules()), tally_(g.Tally), order_(g.Shoe.Order.data()), cards_(g.Shoe.Cards.data()),
          shoeSize_(g.Shoe.ShoeSize), dealt_(g.Shoe.CardsDealt), runningCount_(g.RunningCount),
          aceFiveCount_(g.AceFiveCount), aceFiveTags_(g.SingleStrategyMode ? NoTags.data() : AceFiveTags.data()),
          playerAction_(g.PlayerAction), active_(g.ActiveHand) {
        for (const int slot : {1, 2, 3, 4})
            if (!Hand(slot).Finished) open_ |= OpenBit[static_cast<std::size_t>(slot)];
    }

    void Play() {
        Deal();
        if (g_.SingleStrategyMode && Hand(1).StrategyBets[4] == 0) {
            // Strategy #4 sits the round out: its cards are dealt (and counted) but not played.
            Hand(DealerSlot).Finished = true;
            SetFinished(1, true);
            SetFinished(3, true);
        } else {
            PlayHands();
        }
        if (!Hand(DealerSlot).Finished) {
            PlayDealer();
            for (const int slot : {2, 1, 4, 3}) SettleAgainstDealer(slot);
        }
        g_.Shoe.CardsDealt = dealt_;
        g_.RunningCount = runningCount_;
        g_.AceFiveCount = aceFiveCount_;
        g_.ActiveHand = static_cast<std::uint16_t>(active_);
        g_.PlayerAction = playerAction_;
    }

  private:
    THand& Hand(int slot) { return g_.Hands[static_cast<std::size_t>(slot)]; }

    // DealCard with the table hidden. A hand without a place left and a shoe dealt out are left to
    // DealUnusual, so that the usual step has no branch but the Ace's and the bust's.
    [[gnu::always_inline]] void DealTo(int slot) {
        THand& h = Hand(slot);
        if ((h.CardCount >= MaxCardsPerHand) | (dealt_ >= shoeSize_)) [[unlikely]] {
            DealUnusual(slot);
            return;
        }
        TCard* card = &cards_[order_[dealt_++]];
        const int value = card->Value;
        runningCount_ += CountTags[static_cast<std::size_t>(value)];
        aceFiveCount_ += aceFiveTags_[value];
        Place(slot, card);
    }

    [[gnu::noinline]] void DealUnusual(int slot) {
        THand& h = Hand(slot);
        if (h.CardCount >= MaxCardsPerHand) {
            // No twelfth place: the hand stands where it is.
            if (slot == DealerSlot) dealerStands_ = true;
            else SetFinished(slot, true);
            return;
        }
        // The shoe ran out mid-round: earlier cards are reused, uncounted.
        const int beyond = dealt_++ - shoeSize_;
        Place(slot, &cards_[order_[shoeSize_ - ReuseDistance + beyond % ReuseDistance]]);
    }

    // Adds the card to the hand: an Ace counts 11, or 1 beside an Ace counted 11; past 21 a soft Ace drops
    // to 1, and a hand still past 21 is bust.
    [[gnu::always_inline]] void Place(int slot, TCard* card) {
        THand& h = Hand(slot);
        const auto place = static_cast<std::uint16_t>(h.CardCount + 1);
        h.CardCount = place;
        h.Cards[place] = card;
        const int value = card->Value;
        int total = h.Total;
        if (value == 11) {
            if (h.SoftAce != 0) {
                total += 1;
            } else {
                total += 11;
                h.SoftAce = place;
            }
        } else {
            total += value;
        }
        if (total > 21) {
            if (h.SoftAce != 0) {
                h.SoftAce = 0;
                total -= 10;
            } else {
                h.Total = static_cast<std::uint16_t>(total);
                Bust(slot);
                return;
            }
        }
        h.Total = static_cast<std::uint16_t>(total);
    }

    // Kept out of line: the dealing step above then needs few registers.
    [[gnu::noinline]] void Bust(int slot) {
        if (slot != DealerSlot) {
            Settle(slot, -1);
        } else {
            Hand(DealerSlot).Total = 0;
            dealerStands_ = true;
        }
    }

    void Deal() {
        const bool second = g_.SecondBoxActive;
        THand& box1 = Hand(1);
        THand& box2 = Hand(3);
        THand& dealer = Hand(DealerSlot);
        DealTo(1);
        if (second) DealTo(3);
        DealTo(DealerSlot);
        DealTo(1);
        box1.IsUnsplit = true;
        SetFinished(1, false);
        box1.IsBlackjack = box1.Total == 21;
        if (second) {
            DealTo(3);
            box2.IsUnsplit = true;
            SetFinished(3, false);
            box2.IsBlackjack = box2.Total == 21;
        } else {
            box2.IsBlackjack = false;
        }
        DealTo(DealerSlot);
        dealer.IsBlackjack = dealer.Total == 21;
    }

    // Settle: a hand settled during play is closed and play moves on; the result goes to the tally.
    void Settle(int slot, double r) {
        THand& h = Hand(slot);
        if (active_ != 0) {
            h.Total = 0;
            SetFinished(slot, true);
            NextHand();
        }
        const bool won = r > 0;
        tally_.Won += r * h.StakeMultiple;
        tally_.HandsWon += won;
        tally_.Lost += static_cast<double>(!won) * -r;
    }

    // A player hand's Finished flag, kept together with the set of open hands.
    void SetFinished(int slot, bool finished) {
        Hand(slot).Finished = finished;
        const unsigned bit = OpenBit[static_cast<std::size_t>(slot)];
        open_ = finished ? open_ & ~bit : open_ | bit;
    }

    // The first open hand in the play order 2, 1, 4, 3, or 0.
    void NextHand() {
        static constexpr std::uint8_t FirstOpen[16] = {0, 2, 1, 2, 4, 2, 1, 2, 3, 2, 1, 2, 4, 2, 1, 2};
        active_ = FirstOpen[open_];
    }

    void PlayHands() {
        THand& dealer = Hand(DealerSlot);
        if (dealer.IsBlackjack) {
            dealer.Finished = true;
            for (const int slot : {1, 3}) {
                if (slot == 3 && !g_.SecondBoxActive) continue;
                if (Hand(slot).IsBlackjack) ++tally_.Blackjacks; // a push: nothing is paid
                else Settle(slot, -1);
            }
            active_ = 0;
            return;
        }
        for (const int slot : {1, 3}) {
            if (!Hand(slot).IsBlackjack) continue;
            ++tally_.Blackjacks;
            Settle(slot, 1.5);
        }
        while (active_ != 0) {
            PlayHand();
            NextHand();
        }
    }

    // UpdateHandFlags for the active hand, with the table hidden (every bet is affordable).
    void UpdateFlags(THand& h) {
        if (h.Finished) return;
        if (h.CardCount == 2) {
            const bool emptySlot = Hand(2).CardCount == 0 || Hand(3).CardCount == 0 || Hand(4).CardCount == 0;
            h.IsPair = h.Cards[1]->Value == h.Cards[2]->Value;
            h.MaySurrender = h.IsUnsplit && rules_.SurrenderAllowed;
            h.MaySplit = h.IsPair && (h.IsUnsplit || rules_.ResplitAllowed) && emptySlot;
            h.MayDouble =
                (h.IsUnsplit || rules_.DoubleAfterSplit) && (rules_.DoubleAnyHand || h.Total == 10 || h.Total == 11);
        } else if (h.CardCount == 3) {
            h.MaySplit = h.MayDouble = h.MaySurrender = false;
        }
    }

    void PlayHand() {
        THand& h = Hand(active_);
        UpdateFlags(h);
        const Action action = DecideQuickly(g_.Strategy, h.SoftAce != 0, h.Total, Hand(DealerSlot).Cards[1]->Value,
                                            h.MaySplit, h.MayDouble, h.MaySurrender);
        playerAction_ = action;
        // The common choices first.
        if (action == Stand) {
            SetFinished(active_, true);
            playerAction_ = NoAction;
        } else if (action == Hit) [[likely]] {
            DealTo(active_);
        } else if (action == DoubleDown) {
            ++tally_.Doubles;
            ++tally_.StakesCharged;
            h.StakeMultiple = 2;
            for (auto& stake : h.StrategyBets) stake = static_cast<std::uint16_t>(2 * stake);
            SetFinished(active_, true);
            DealTo(active_);
        } else if (action == Split) {
            SplitActive();
        } else if (action == Surrender) {
            Settle(active_, -0.5);
        }
    }

    // SplitActiveHand and SplitHand: the second card opens a new hand in the first empty slot of 3, 4, 2,
    // with the bets PlaceBets puts on it.
    void SplitActive() {
        const int to = Hand(3).CardCount == 0 ? 3 : Hand(4).CardCount == 0 ? 4 : Hand(2).CardCount == 0 ? 2 : 0;
        const int from = active_;
        THand& f = Hand(from);
        if (to == 0) {
            f.MaySplit = false;
            return;
        }
        THand& t = Hand(to);
        ++tally_.HandsPlaced;
        ++tally_.StakesCharged;
        t.StrategyBets = tally_.Stakes;
        t.StakeMultiple = 1;
        t.Cards[1] = f.Cards[2];
        t.CardCount = 1;
        t.Total = t.Cards[1]->Value;
        SetFinished(to, t.Cards[1]->Value == 11);
        f.IsUnsplit = false;
        f.CardCount = 1;
        f.Total = f.Cards[1]->Value;
        SetFinished(from, f.Cards[1]->Value == 11);
        ++tally_.Splits;
        DealTo(from);
        DealTo(to);
    }

    void PlayDealer() {
        THand& dealer = Hand(DealerSlot);
        playerAction_ = NoAction;
        dealerStands_ = false;
        while (!dealerStands_) {
            const int total = dealer.Total;
            if (total > 17) dealerStands_ = true;
            else if (total < 17) DealTo(DealerSlot);
            else if (rules_.DealerHitsSoft17 && dealer.SoftAce != 0) DealTo(DealerSlot);
            else dealerStands_ = true;
        }
        playerAction_ = Stand;
    }

    void SettleAgainstDealer(int slot) {
        const int player = Hand(slot).Total;
        const int dealer = Hand(DealerSlot).Total;
        if (player == 0) return;
        if (player < dealer) Settle(slot, -1);
        else if (player > dealer) Settle(slot, 1);
    }

    Game& g_;
    const CasinoRules& rules_;
    RoundTally& tally_;
    const std::uint16_t* order_;
    TCard* cards_;
    int shoeSize_;
    int dealt_;
    std::int32_t runningCount_;
    std::int32_t aceFiveCount_;
    const std::int8_t* aceFiveTags_;
    std::uint16_t playerAction_;
    int active_;
    // The open player hands, a bit each in the play order 2, 1, 4, 3 (slot 2 the lowest bit).
    static constexpr std::array<unsigned, HandCount> OpenBit = {0, 2, 1, 8, 4};
    unsigned open_ = 0;
    bool dealerStands_ = false;
};

} // namespace

bool QuickRoundApplies(const Game& g) {
    return !g.TableShown && g.AutoPlay && !g.PracticeDeckMode && !g.PlainAnalysis && !g.StopRequested &&
           g.Shoe.ShoeReady && g.Tally.Deferred;
}

void PlayQuickRound(Game& g) { QuickRound(g).Play(); }

} // namespace zvx
