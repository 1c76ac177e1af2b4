#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cards/card.h"
#include "cards/hand.h"
#include "engine/long_random.h"
#include "engine/options.h"
#include "strategy/advice_case.h"
#include "strategy/strategy_table.h"

namespace zvx {

class TableView;
class ShellView;
class DrillKeeper;

// Action codes held in PlayerAction; the strategy recommends in the same codes.
enum Action : std::uint16_t {
    NoAction = 0,
    Stand = 1,
    Hit = 2,
    DoubleDown = 3,
    Split = 4,
    Surrender = 5,
    Hint = 6,
};

// The shoe: the card objects it owns and the order they lie in. Position 0 is the next card after a shuffle.
struct ShoeState {
    std::vector<TCard> Cards;           // the card objects, in the order they were made
    std::vector<std::uint8_t> Values;   // the value of each card object, for the sort's tie check
    std::vector<std::uint16_t> Order;   // position -> index into Cards
    std::uint16_t ShoeSize = 0;
    std::uint16_t CutCardPosition = 0;
    std::int32_t CardsDealt = 0;
    bool ShoeReady = false;
    std::uint16_t CardBackStyle = 0;

    TCard& At(int position) { return Cards[Order[static_cast<std::size_t>(position)]]; }
    const TCard& At(int position) const { return Cards[Order[static_cast<std::size_t>(position)]]; }
};

// The betting rules an analysis round's bets were made under.
struct BettingRules {
    std::uint16_t Minimum = 0;
    std::uint16_t Decks = 0;
    bool TwoHands = false;
    friend bool operator==(const BettingRules&, const BettingRules&) = default;
};

// The bookkeeping of a round without the table, gathered while the round is played and booked once when it
// ends (see BookRoundTally). Every strategy stakes on the same hands in proportion to its round stake, so a
// tally in units of that stake says what each account gains.
struct RoundTally {
    bool Deferred = false;                                // this round books through the tally
    std::array<std::uint16_t, StrategyCount + 1> Stakes{}; // each strategy's stake on one hand; [0] unused
    std::int32_t HandsPlaced = 0;
    std::int32_t StakesCharged = 0; // hands placed plus doubles, in stakes
    std::int32_t Doubles = 0;
    std::int32_t Splits = 0;
    std::int32_t Blackjacks = 0;
    std::int32_t HandsWon = 0;
    double Won = 0;  // the results in stakes: r times 1, or 2 on a doubled hand
    double Lost = 0; // a loss counts 1, a surrender 0.5
    BettingRules Rules; // set when the bets are made
    // The square of Won in halves, summed over the rounds of a pending tally: times a strategy's stake
    // squared it is the sum of that strategy's squared round results.
    std::uint64_t WonSquares = 0;
};

// Analysis rounds waiting to be booked (see BookPendingRounds), summed by count index: under the same
// betting rules the rounds with the same index have the same stakes for the strategies that bet by it.
struct PendingRounds {
    std::array<RoundTally, CountSlots> ByCount{};       // for strategies #1, #2 and #4
    std::array<RoundTally, CountSlots> BySimpleCount{}; // for strategy #3
    BettingRules Rules;
    bool Any = false;
};

// Run time of an analysis, advanced one second per refresh that sees a new clock second.
struct RunClock {
    std::int64_t Hours = 0;
    std::uint16_t Minutes = 0;
    std::uint16_t Seconds = 0;
};

// The seven chip values of the rack, in rack order; the half chip (value 2) is worth $2.50.
inline constexpr int ChipKinds = 7;
using ChipArray = std::array<std::int64_t, ChipKinds>;

// The one shared game state. Every part reads and writes it by name.
struct Game {
    // Settings (kept in the options file) and the live playing strategy.
    OptionsRecord Options;
    StrategyTable Strategy;
    double DelayFactor = 0;

    // Random generator shared by the whole program, and the seed that replaces the clock when set.
    std::uint32_t RandomState = 0;
    std::optional<std::uint32_t> FixedSeed;
    // Analysis only: when set, the shuffles draw their keys from the long-period generator instead, started
    // from this state whenever the shoe is built (the generator above still picks the card back).
    std::optional<LongRandom> LongRandomStart;
    LongRandom LongRandomState;
    // Shuffle keys drawn since the game was made: past 2^32 the generator above repeats its shoes.
    std::uint64_t KeysDrawn = 0;

    // Shoe and counts.
    ShoeState Shoe;
    std::int32_t RunningCount = 0;
    std::int32_t AceFiveCount = 0;
    std::int32_t CountIndexA = 0;
    std::int32_t CountIndexB = 0;

    // The five hands; 1..4 also carry the accounts of betting strategies #1..#4.
    HandArray Hands{};

    // Money.
    double Bankroll = 0;
    ChipArray ChipCounts{};
    double SwingThreshold = 0;
    std::uint16_t CurrentBet = 0;
    std::uint16_t ChosenBet = 0;

    // Round state.
    std::uint16_t PlayerAction = NoAction;
    std::uint16_t ActiveHand = 0;
    bool SecondBoxActive = false;
    RoundTally Tally;
    PendingRounds Pending;
    // Without the tally (the plain way): each strategy's result of this round so far, in halves; emptied as
    // the round is booked. Kept out of the tally, which every round clears.
    std::array<std::int64_t, StrategyCount + 1> PlainHalves{};
    std::int32_t RoundsPlayed = 0;
    std::int64_t HoursPlayed = 0;
    std::int32_t SimulationDelay = 0;

    // Mode flags.
    bool TableShown = false;
    bool AutoPlay = false;
    bool PracticeDeckMode = false;
    bool SingleStrategyMode = false;
    bool AnalysisWindowOpen = false;

    // Further flags.
    bool StopRequested = false;
    bool ExitRequested = false;
    bool OptionsChanged = false;
    bool SaveOptionsOnReturn = false;
    bool OptionsReturn = false;
    bool RulesFormOpen = false;
    bool PreferencesFormOpen = false;
    bool StrategyFormOpen = false;
    bool FileError = false;
    // An options file start-up could not read and could not move aside: no save may replace it.
    std::string OptionsFileProtected;
    bool DecksChanged = false;
    bool LimitsChanged = false;
    std::string RunState;

    // Betting at the table.
    bool PairedChips = false;      // bets are shown as a chip and its ring (two chips)
    bool BettingOpen = false;
    bool CardDragActive = false;
    bool CardClickPending = false; // a press on a second card waits for its release
    bool ChipDragActive = false;
    bool FirstBetBoxClick = false;

    // The session's drill score: the player's decisions judged against the strategy, and those that drew no
    // advice. Cleared when a Run item starts a game.
    struct DrillScore {
        std::int32_t Judged = 0;
        std::int32_t Matched = 0;
        // What the judged mistakes cost, in bets, by the exact engine (off the top, each play followed by the
        // strategy's), and the cost of the one whose advice is being shown.
        double Cost = 0;
        std::optional<double> LastCost;
    } Drill;
    // The player's record of judged decisions across sessions, when the program keeps one.
    DrillKeeper* DrillRecorder = nullptr;

    // Advice.
    std::string AdviceText;
    AdviceCase LastAdviceCase = AdviceCase::None;

    // Statistics kept beside the accounts.
    RunClock RunTime;

    // Game file.
    std::string GameFileName;           // upper case, ends in ".ZVX" when set
    std::uint16_t GameFileUnusedWord = 0; // the word after the options record, kept from the last load

    // The table window while it is shown; every call through it is made only while TableShown is set.
    TableView* Table = nullptr;
    // The main window's side: the analysis window and the event dispatch while no table is shown.
    ShellView* Shell = nullptr;
    // A tool's limit on an analysis: the game stops once this many hours have closed (0: no limit).
    std::int64_t StopAfterHours = 0;
    // Plays an analysis without its shortcuts, the way a shown table is played: every bet and result booked
    // the moment it happens, every card dealt by the full dealing step, every shuffle sorted by the
    // quicksort. The shortcuts give the same results faster; the tests compare the two.
    bool PlainAnalysis = false;

    const CasinoRules& Rules() const { return Options.Rules; }
    const PlayerPreferences& Prefs() const { return Options.Prefs; }
};

} // namespace zvx
