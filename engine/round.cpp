#include "engine/round.h"

#include <algorithm>

#include "drill/drill_keeper.h"
#include "engine/betting.h"
#include "engine/game_reset.h"
#include "engine/quick_round.h"
#include "engine/settlement.h"
#include "engine/shell_view.h"
#include "engine/shoe.h"
#include "engine/table_view.h"
#include "strategy/advice.h"
#include "strategy/recommend.h"

namespace zvx {

namespace {

constexpr int RoundsPerHour = 100;
constexpr int SingleStrategyRefreshHours = 50;
constexpr int PlayOrder[] = {2, 1, 4, 3};
constexpr char ShufflePrompt[] = "SHUFFLE - CLICK TO GO ON";

constexpr unsigned AllActionItems =
    BetItem | StandItem | HitItem | DoubleItem | SplitItem | SurrenderItem | HintItem | Separators;

THand& Hand(Game& g, int slot) { return g.Hands[static_cast<std::size_t>(slot)]; }
bool Showing(const Game& g) { return g.TableShown && g.Table != nullptr; }
int UpCard(const Game& g) { return g.Hands[DealerSlot].Cards[1]->Value; }

// The deal: two cards to each open box and to the dealer, the hole card last.
void DealRound(Game& g) {
    THand& box1 = Hand(g, 1);
    THand& box2 = Hand(g, 3);
    THand& dealer = Hand(g, DealerSlot);
    DealCard(g, 1);
    if (g.SecondBoxActive) DealCard(g, 3);
    DealCard(g, DealerSlot);
    DealCard(g, 1);
    box1.IsUnsplit = true;
    box1.Finished = false;
    box1.IsBlackjack = box1.Total == 21;
    if (g.SecondBoxActive) {
        DealCard(g, 3);
        box2.IsUnsplit = true;
        box2.Finished = false;
        box2.IsBlackjack = box2.Total == 21;
    } else {
        box2.IsBlackjack = false;
    }
    DealCard(g, DealerSlot);
    dealer.IsBlackjack = dealer.Total == 21;
}

void ProcessEvents(Game& g) {
    if (Showing(g)) g.Table->ProcessEvents();
    else if (g.Shell) g.Shell->ProcessEvents();
}

void UpdateHandFlags(const CasinoRules& rules, THand& h, bool emptySlot, bool affordable) {
    if (h.Finished) return;
    if (h.CardCount == 2) {
        h.IsPair = h.Cards[1]->Value == h.Cards[2]->Value;
        h.MaySurrender = h.IsUnsplit && rules.SurrenderAllowed;
        h.MaySplit = h.IsPair && (h.IsUnsplit || rules.ResplitAllowed) && emptySlot && affordable;
        h.MayDouble = (h.IsUnsplit || rules.DoubleAfterSplit) &&
                      (rules.DoubleAnyHand || h.Total == 10 || h.Total == 11) && affordable;
    } else if (h.CardCount == 3) {
        h.MaySplit = h.MayDouble = h.MaySurrender = false;
    }
}

// The decision flags of every open hand, worked out before each decision.
void UpdateDecisionFlags(Game& g) {
    const auto& rules = g.Rules();
    const bool emptySlot = Hand(g, 2).CardCount == 0 || Hand(g, 3).CardCount == 0 || Hand(g, 4).CardCount == 0;
    const bool affordable = !g.TableShown || g.CurrentBet <= g.Bankroll;
    if (!g.TableShown) {
        // With the table hidden only the decision on the active hand reads flags, and a hand is always the
        // active one when it takes its third card and before each of its decisions: working out the other
        // hands' flags as well would only repeat what is worked out again before they are read.
        if (g.ActiveHand >= 1 && g.ActiveHand < HandCount)
            UpdateHandFlags(rules, Hand(g, g.ActiveHand), emptySlot, affordable);
        return;
    }
    for (int slot = 1; slot < HandCount; ++slot) UpdateHandFlags(rules, Hand(g, slot), emptySlot, affordable);
}

// A stand the player never chose (acting on a later hand ends the hands before it) still shows its advice,
// but the drill scores only the decisions the player made.
void JudgeImpliedStand(Game& g, int slot) {
    const auto score = g.Drill;
    CheckPlayerAction(g, slot, Stand);
    if (g.Drill.Judged != score.Judged || g.Drill.Matched != score.Matched) {
        g.Drill = score;
        if (Showing(g)) g.Table->ShowDrillScore();
    }
    Hand(g, slot).Finished = true;
}

// Judges the player's action together with the stands it implies on the hands before it in play order.
void JudgeAction(Game& g) {
    const int action = g.PlayerAction;
    auto standOn = [&](int slot) { JudgeImpliedStand(g, slot); };
    switch (g.ActiveHand) {
    case 1:
        standOn(2);
        CheckPlayerAction(g, 1, action);
        break;
    case 2:
        CheckPlayerAction(g, 2, action);
        break;
    case 3:
        standOn(2);
        standOn(1);
        standOn(4);
        CheckPlayerAction(g, 3, action);
        break;
    case 4:
        standOn(2);
        standOn(1);
        CheckPlayerAction(g, 4, action);
        break;
    default:
        break;
    }
}

// Waits for the human player's decision on the active hand. Returns false when the game is stopping. The
// waits and the advice box let the menus run, and a reset there takes the table away: it is asked for afresh
// after each of them.
bool AwaitDecision(Game& g) {
    auto stopping = [&g] { return g.StopRequested || !Showing(g); };
    g.Table->ShowActionItems(HintItem | StandItem | HitItem |
                             (Hand(g, g.ActiveHand).MaySurrender ? SurrenderItem : 0u));
    g.Table->PrepareChipsFor(g.CurrentBet);
    do {
        if (stopping()) return false;
        g.PlayerAction = NoAction;
        g.Table->WaitForPlayer();
        if (stopping()) return false;
        // The items follow the hand for the next wait; a play made hid them all, and they stay hidden while it
        // goes ahead (under its advice box too).
        const bool waitsAgain = g.PlayerAction == NoAction || g.PlayerAction == Hint;
        if (waitsAgain && g.ActiveHand >= 1 && g.ActiveHand < HandCount) {
            const THand& active = Hand(g, g.ActiveHand);
            if (active.MayDouble) g.Table->ShowActionItems(DoubleItem);
            else g.Table->HideActionItems(DoubleItem);
            if (active.MaySplit) g.Table->ShowActionItems(SplitItem);
            else g.Table->HideActionItems(SplitItem);
        }
        if (g.PlayerAction != NoAction) {
            // A stand is on the active hand alone: the stand gesture that ends the whole turn makes the last
            // hand the active one itself.
            JudgeAction(g);
            if (stopping()) return false;
        }
    } while (g.PlayerAction == NoAction || g.PlayerAction == Hint);
    return true;
}

void DoubleDownHand(Game& g) {
    ChargeDoubleDown(g, g.ActiveHand);
    for (int i = 1; i <= StrategyCount && Showing(g); ++i) {
        g.Table->LoadHeldChip(g.CurrentBet);
        g.Table->ShowDoubleChips(g.ActiveHand); // places the chips only once
    }
    Hand(g, g.ActiveHand).Finished = true;
    DealCard(g, g.ActiveHand);
}

void SplitActiveHand(Game& g) {
    const int target = Hand(g, 3).CardCount == 0 ? 3 : Hand(g, 4).CardCount == 0 ? 4 : Hand(g, 2).CardCount == 0 ? 2 : 0;
    if (target == 0) Hand(g, g.ActiveHand).MaySplit = false;
    else SplitHand(g, g.ActiveHand, target);
}

// The bets of computer play at the table: strategy #1 alone, on one box or, doubled, on two.
void PlaceComputerBets(Game& g) {
    TableView& table = *g.Table;
    const auto& rules = g.Rules();
    const std::uint16_t m = rules.TableMinimum;
    table.ClearTable();
    if (m > g.Bankroll) {
        g.StopRequested = true;
        return;
    }
    // Two boxes carry two chips of the minimum each: with less than that in the rack the computer plays one
    // box, so every stake it books lies on the table in chips.
    g.SecondBoxActive = rules.PlayTwoHands && 4.0 * m <= g.Bankroll;
    g.PairedChips = g.SecondBoxActive;
    THand& box1 = Hand(g, 1);
    if (g.SecondBoxActive) {
        box1.Bet = static_cast<std::uint16_t>(2 * m);
        PlaceBets(g, 3);
        for (const int slot : {1, 3}) {
            table.PlaceBetChip(m, slot, false);
            table.PlaceBetChip(m, slot, true);
        }
    } else {
        box1.Bet = m;
    }
    PlaceBets(g, 1);
    g.CurrentBet = box1.Bet;
    if (!table.SpotHasChips(1)) table.PlaceBetChip(g.CurrentBet, 1, false);
    table.ShowBankroll();
}

// The betting of a human player: the bet item, the bet boxes and the wait for a bet.
void TakeHumanBets(Game& g) {
    TableView& table = *g.Table;
    table.ShowActionItems(BetItem | Separators);
    g.BettingOpen = true;
    table.ShowBetBox(1);
    if (g.Rules().PlayTwoHands) table.ShowBetBox(2);
    TakeBets(g);
    if (!Showing(g)) return;
    g.CurrentBet = g.ChosenBet;
    g.SecondBoxActive = table.SpotHasChips(3);
    g.BettingOpen = false;
    table.HideActionItems(BetItem);
    g.CardDragActive = false;
    g.CardClickPending = false;
    g.ChipDragActive = false;
}

// The round after its start: the deal, the hands, the dealer and the settlement.
void PlayRound(Game& g) {
    if (g.PracticeDeckMode && g.DrillRecorder) g.DrillRecorder->BeforePracticeDeal(g);
    DealRound(g);
    if (Showing(g)) g.Table->ShowPointer(1);
    if (g.SingleStrategyMode && Hand(g, 1).StrategyBets[4] == 0) {
        Hand(g, DealerSlot).Finished = true;
        Hand(g, 1).Finished = true;
        Hand(g, 3).Finished = true;
    } else {
        PlayHands(g);
    }
    if (!g.StopRequested && !g.PracticeDeckMode) {
        if (Showing(g)) g.Table->RevealHoleCard();
        if (!Hand(g, DealerSlot).Finished) {
            DealerPlay(g);
            for (const int slot : PlayOrder) SettleAgainstDealer(g, slot);
        }
        if (Showing(g)) {
            // The round's results stay up as long as a commentary text: the speed bar paces both.
            if (g.AutoPlay) g.Table->AdvicePause(g.SimulationDelay);
            if (Showing(g)) g.Table->ReturnAllChips();
        }
    }
}

} // namespace

void RunGame(Game& g) {
    // The practice deck's bet is a pretend one: its chip leaves the rack while the drill runs, and the player's
    // money and chips are as they were once it ends, whatever the later modes read from them.
    const bool drill = g.PracticeDeckMode;
    const double bankroll = g.Bankroll;
    const ChipArray chips = g.ChipCounts;
    ResetStatistics(g);
    int hoursSinceRefresh = 0;
    while (!g.StopRequested) {
        ++g.HoursPlayed;
        g.RoundsPlayed = 0;
        while (g.RoundsPlayed < RoundsPerHour && !g.StopRequested) {
            StartRound(g);
            if (g.StopRequested) {
                BookRoundTally(g);
                break;
            }
            if (QuickRoundApplies(g)) PlayQuickRound(g);
            else PlayRound(g);
            BookRoundTally(g);
            ProcessEvents(g);
        }
        BookPendingRounds(g);
        if (g.AnalysisWindowOpen && !g.StopRequested) {
            CloseHour(g);
            ++hoursSinceRefresh;
            if (!g.SingleStrategyMode || hoursSinceRefresh >= SingleStrategyRefreshHours) {
                hoursSinceRefresh = 0;
                if (g.Shell) g.Shell->RefreshAnalysisWindow();
            }
            if (g.StopAfterHours > 0 && g.HoursPlayed >= g.StopAfterHours) g.StopRequested = true;
        }
    }
    if (drill) {
        g.Bankroll = bankroll;
        g.ChipCounts = chips;
    }
    ResetGame(g);
}

void StartRound(Game& g) {
    if (g.StopRequested) return;
    if (g.Shoe.CardsDealt > g.Shoe.CutCardPosition) {
        // The shuffle clears the table: in Normal Play the last round's cards and results stay until the player
        // has seen them, as they do before every bet.
        if (Showing(g) && !g.AutoPlay && !g.PracticeDeckMode && Hand(g, DealerSlot).CardCount > 0) {
            g.Table->WaitForPlayerToGoOn(ShufflePrompt);
            if (g.StopRequested || !Showing(g)) return;
        }
        ShuffleShoe(g);
    }
    ++g.RoundsPlayed;
    for (auto& hand : g.Hands) {
        hand.CardCount = 0;
        hand.Total = 0;
        hand.SoftAce = 0;
        hand.Bet = 0;
        hand.StrategyBets = {};
        hand.Finished = true;
        hand.IsUnsplit = false;
    }
    g.Hands[DealerSlot].Finished = false;
    g.ActiveHand = 1;
    BeginRoundTally(g);

    g.CountIndexA = g.RunningCount;
    if (!g.SingleStrategyMode) {
        g.CountIndexB = std::clamp(g.AceFiveCount, -CountIndexLimit, CountIndexLimit);
        g.CountIndexA = std::clamp(g.CountIndexA, -CountIndexLimit, CountIndexLimit);
    }

    if (!g.TableShown) {
        SetAnalysisBets(g);
        return;
    }
    if (!g.Table) return;
    TableView& table = *g.Table;
    const std::uint16_t m = g.Rules().TableMinimum;
    if (m > g.Bankroll + table.ChipsOnSpot(1)) {
        const bool again = table.AskYesNo("GAME OVER (You lost all your money) - Play Again?");
        // The box lets the menus run: a reset there has ended the game and closed the table.
        if (g.StopRequested || !Showing(g)) return;
        if (again) {
            table.ClearTable();
            NewBankroll(g);
        } else {
            g.StopRequested = true;
            return;
        }
    }
    if (g.AutoPlay) PlaceComputerBets(g);
    else TakeHumanBets(g);
}

void TakeBets(Game& g) {
    TableView& table = *g.Table;
    const auto& rules = g.Rules();
    const std::uint16_t m = rules.TableMinimum;
    THand& box1 = Hand(g, 1);
    if (g.PracticeDeckMode) {
        table.ClearTable();
        g.PairedChips = false;
        if (!table.SpotHasChips(1)) table.PlaceBetChip(m, 1, false);
        return;
    }
    if (g.Prefs().AlwaysBetMinimum) {
        table.ColourUpChips();
        table.ShowBetPrompts(rules.PlayTwoHands);
        table.PrepareChipsFor(g.CurrentBet);
        g.PairedChips = rules.PlayTwoHands && m == 5;
        box1.Bet = static_cast<std::uint16_t>(g.PairedChips ? 2 * m : m);
        box1.StrategyBets[1] = box1.Bet;
        table.ClearTable();
        table.PlaceBetChip(m, 1, false);
        if (g.SecondBoxActive) {
            Hand(g, 3).StrategyBets[1] = box1.Bet;
            table.PlaceBetChip(m, 1, true);
            table.PlaceBetChip(m, 3, false);
            table.PlaceBetChip(m, 3, true);
        }
        return;
    }
    g.ChosenBet = 0;
    table.ColourUpChips();
    table.ShowBetPrompts(rules.PlayTwoHands);
    table.PrepareChipsFor(g.CurrentBet);
    g.FirstBetBoxClick = false;
    while (g.ChosenBet == 0 && !g.StopRequested) table.WaitForPlayer();
    if (!Showing(g)) return;
    g.PairedChips = table.RingShown(1);
    box1.Bet = g.ChosenBet;
    box1.StrategyBets[1] = g.ChosenBet;
    if (table.SpotHasChips(3)) Hand(g, 3).StrategyBets[1] = g.ChosenBet;
    table.HideBetPrompts();
    table.ClearTable();
    table.TakeMovingChipFromBox1();
    if (!g.PracticeDeckMode) table.ShowBankroll();
}

void PlayHands(Game& g) {
    THand& dealer = Hand(g, DealerSlot);
    if (dealer.IsBlackjack) {
        if (Showing(g)) {
            g.Table->RevealHoleCard();
            if (g.AutoPlay && Showing(g)) {
                g.Table->ShowAdvice("BLACKJACK!");
                if (Showing(g)) g.Table->AdvicePause(g.SimulationDelay);
            }
        }
        dealer.Finished = true;
        for (const int slot : {1, 3}) {
            if (slot == 3 && !g.SecondBoxActive) continue;
            if (Hand(g, slot).IsBlackjack) CountBlackjack(g, slot); // a push: nothing is paid
            else Settle(g, slot, -1);
        }
        g.ActiveHand = 0;
        return;
    }
    for (const int slot : {1, 3}) {
        if (!Hand(g, slot).IsBlackjack) continue;
        CountBlackjack(g, slot);
        Settle(g, slot, 1.5);
    }
    while (g.ActiveHand != 0) {
        PlayHand(g);
        // A stop finishes only the active hand (if any); picking the next open one would start the turn over.
        if (g.StopRequested) {
            g.ActiveHand = 0;
            break;
        }
        NextHand(g);
    }
}

void PlayHand(Game& g) {
    if (g.StopRequested) {
        g.PlayerAction = Stand;
        g.ActiveHand = 0;
        return;
    }
    UpdateDecisionFlags(g);
    if (g.AutoPlay) {
        RecommendAction(g, g.ActiveHand, UpCard(g), Hand(g, g.ActiveHand).Total);
        if (Showing(g)) g.Table->ShowAdvice(g.AdviceText);
    } else {
        if (!Showing(g)) {
            // A human game needs the table; without it there is nobody to ask.
            g.StopRequested = true;
            return;
        }
        if (!AwaitDecision(g)) return;
        g.Table->HideActionItems(AllActionItems);
        if (g.PracticeDeckMode && !g.StopRequested && (g.PlayerAction == DoubleDown || g.PlayerAction == Split))
            g.Table->ReturnAllChips(); // the chips the gesture or item put beside the bet go back to the rack
        if (g.StopRequested || g.PracticeDeckMode) {
            // The practice deck judges the decision but never carries it out.
            g.PlayerAction = Stand;
            Hand(g, 1).Finished = true;
            return;
        }
    }
    if (g.ActiveHand < 1 || g.ActiveHand >= HandCount) return;
    switch (g.PlayerAction) {
    case Stand:
        Hand(g, g.ActiveHand).Finished = true;
        g.PlayerAction = NoAction;
        break;
    case Hit:
        DealCard(g, g.ActiveHand);
        break;
    case DoubleDown:
        DoubleDownHand(g);
        break;
    case Split:
        SplitActiveHand(g);
        break;
    case Surrender:
        Settle(g, g.ActiveHand, -0.5);
        break;
    default:
        break;
    }
}

void NextHand(Game& g) {
    // The first open slot of the play order 2, 1, 4, 3, looked up from the four Finished flags at once.
    static constexpr std::uint8_t FirstOpen[16] = {0, 2, 1, 2, 4, 2, 1, 2, 3, 2, 1, 2, 4, 2, 1, 2};
    const unsigned open = (!Hand(g, 2).Finished ? 1u : 0u) | (!Hand(g, 1).Finished ? 2u : 0u) |
                          (!Hand(g, 4).Finished ? 4u : 0u) | (!Hand(g, 3).Finished ? 8u : 0u);
    g.ActiveHand = FirstOpen[open];
    if (Showing(g)) g.Table->ShowPointer(g.ActiveHand);
}

void SplitHand(Game& g, int from, int to) {
    THand& f = Hand(g, from);
    THand& t = Hand(g, to);
    PlaceBets(g, to);

    t.Cards[1] = f.Cards[2];
    t.CardCount = 1;
    t.Total = t.Cards[1]->Value;
    t.Finished = t.Cards[1]->Value == 11;

    f.IsUnsplit = false;
    f.CardCount = 1;
    f.Total = f.Cards[1]->Value;
    f.Finished = f.Cards[1]->Value == 11;

    CountSplit(g, from);

    if (Showing(g) && !g.Table->FirstPlaceShown(to)) {
        if (!g.Table->SpotHasChips(to)) {
            const int chip = g.PairedChips ? g.CurrentBet / 2 : g.CurrentBet;
            g.Table->PlaceBetChip(chip, to, false);
            if (g.PairedChips && Showing(g)) g.Table->PlaceBetChip(chip, to, true);
        }
        if (Showing(g)) g.Table->MoveCard(from, to);
    }
    DealCard(g, from);
    DealCard(g, to);
}

} // namespace zvx
