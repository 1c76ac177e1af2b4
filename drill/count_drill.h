#pragma once

#include "cards/counting_systems.h"
#include "drill/count_drill_record.h"

#include <cstdint>
#include <optional>
#include <random>
#include <span>
#include <vector>

namespace zvx {

// The shoe a count drill deals from: the rules' decks and cut card, and the seed that repeats it.
struct DrillShoeRules {
    int Decks = 6;
    int Penetration = 3; // quarter decks dealt per deck before the cut card, as in the rules
    bool TwoBoxes = true;
    std::optional<std::uint32_t> Seed;
};

// How many cards show at once: one, two, or the first cards of a round (two to each box and two to the
// dealer).
enum class DrillGroup : std::uint8_t { One, Two, Round };

inline constexpr double SlowestPace = 0.5; // cards per second
inline constexpr double FastestPace = 10.0;
inline constexpr int CardsInDeck = 52;

struct RunningDrillSettings {
    CountingSystemId System = CountingSystemId::HiLo;
    DrillGroup Group = DrillGroup::One;
    double Pace = 2.0; // cards per second, kept within SlowestPace..FastestPace
    int Cards = 0;     // cards to deal; 0 deals down to the cut card
    bool RandomStops = false;
};

// The cards of a real shuffle of the rules' shoe, in the order the table would deal them (card codes 1..52).
std::vector<int> ShuffledDrillShoe(const DrillShoeRules& rules);
// Where the cut card lies: the cards dealt before it.
int CutCardOf(const DrillShoeRules& rules);

// The verdict on one typed running count.
struct RunningVerdict {
    bool Right = false;
    int Typed = 0;
    int Running = 0;   // the count of the cards shown
    double True = 0.0; // its true count at the cards left in the shoe
    int CardsSeen = 0;
    double Pace = 0.0;    // the pace set, cards per second
    double Seconds = 0.0; // from the first card to the answer
};

// A running count drill: the cards of one shuffled shoe shown a group at a time, the player's count asked at
// the end and, when chosen, at random stops on the way. The window times it; the drill keeps the cards and
// the score.
class RunningCountDrill {
  public:
    RunningCountDrill(const DrillShoeRules& shoe, const RunningDrillSettings& settings);

    const RunningDrillSettings& Settings() const { return settings_; }
    // Cards shown at once.
    int GroupSize() const;
    // Milliseconds each group stays in view at the pace set.
    int GroupMilliseconds() const;
    // The next group of cards (card codes), counted; empty once the drill has dealt its cards.
    std::span<const int> Deal();
    // True when the count is due: the last group is dealt, or a random stop falls after the group just dealt.
    bool CountDue() const { return Finished() || stopDue_; }
    bool Finished() const { return dealt_ >= target_; }
    // Scores the count typed for the cards shown so far; `seconds` from the first card to the answer.
    RunningVerdict Answer(int typed, double seconds);

    int CardsDealt() const { return dealt_; }
    int Target() const { return target_; }
    const CountKeeper& Count() const { return keeper_; }
    int ShoeCards() const { return static_cast<int>(shoe_.size()); }
    // This session's figures so far, for the record.
    const CountSessionResult& Session() const { return session_; }

  private:
    void PlanNextStop();

    RunningDrillSettings settings_;
    std::vector<int> shoe_;
    CountKeeper keeper_;
    int roundCards_ = 6;
    int target_ = 0;
    int dealt_ = 0;
    int answeredAt_ = 0;           // cards dealt at the last count asked
    double answeredSeconds_ = 0.0; // and the time then
    int nextStop_ = 0;
    bool stopDue_ = false;
    std::mt19937 stops_;
    CountSessionResult session_;
};

// The deck countdown: one shuffled deck, one card at a time as fast as the player turns them; the count at
// the end must be the system's value for a full deck (0 for a balanced system, +4 for the Knock-Out count).
struct CountdownVerdict {
    bool Right = false;
    int Typed = 0;
    int Expected = 0;
    double Seconds = 0.0;
    bool NewBest = false;
};

class DeckCountdown {
  public:
    DeckCountdown(CountingSystemId system, std::optional<std::uint32_t> seed);

    // The next card, or nothing once the deck is through.
    std::optional<int> Turn();
    bool Finished() const { return turned_ >= CardsInDeck; }
    int Turned() const { return turned_; }
    const CountingSystem& System() const { return *system_; }
    // The count a full deck ends at, counted from the start of a one-deck shoe.
    int Expected() const;
    // Scores the count and the time; a right count in less than the record's best time for the system is a
    // new best, kept in the record.
    CountdownVerdict Answer(int typed, double seconds, CountDrillRecord& record);
    const CountSessionResult& Session() const { return session_; }

  private:
    const CountingSystem* system_;
    std::vector<int> deck_;
    int turned_ = 0;
    CountSessionResult session_;
};

// The discard tray: the cards dealt, in whole decks and a half deck, for a tray drawn to scale.
struct DiscardTray {
    int CardsDealt = 0;
    int ShoeCards = 0;
    int FullDecks = 0;     // whole decks in the tray
    bool HalfDeck = false; // and half a deck more on top of them
    double Decks() const { return static_cast<double>(CardsDealt) / CardsInDeck; }
};
DiscardTray TrayOf(int cardsDealt, int shoeCards);

// Decks left to the nearest half deck, never below half a deck.
double NearestHalfDeck(int cardsLeft);

struct TrueCountQuestion {
    int ShoeCards = 0;
    int CardsDealt = 0;
    int Running = 0;
    DiscardTray Tray() const { return TrayOf(CardsDealt, ShoeCards); }
    int CardsLeft() const { return ShoeCards - CardsDealt; }
};

// The verdict on an estimate of the decks left and a true count worked from the given running count, against
// the exact figures and against those by the nearest half deck. The decks are right at the nearest half deck;
// the true count is right when its whole value (rounded down, as bets and indexes use it) is that of the
// exact figure or of the figure by the nearest half deck.
struct TrueCountVerdict {
    double DecksTyped = 0.0;
    double DecksExact = 0.0;
    double DecksNearestHalf = 0.0;
    bool DecksRight = false;
    double TrueTyped = 0.0;
    double TrueExact = 0.0;
    double TrueByHalfDeck = 0.0;
    bool TrueRight = false;
};

TrueCountVerdict ScoreTrueCount(const TrueCountQuestion& question, double decksTyped, double trueTyped);

// The true count drill: the tray after a random part of the shoe up to the cut card, and a running count to
// convert.
class TrueCountDrill {
  public:
    TrueCountDrill(const DrillShoeRules& shoe, CountingSystemId system);

    const TrueCountQuestion& Question() const { return question_; }
    TrueCountVerdict Answer(double decksTyped, double trueTyped, double seconds);
    void NextQuestion();
    const CountSessionResult& Session() const { return session_; }

  private:
    int shoeCards_;
    int cut_;
    std::mt19937 random_;
    TrueCountQuestion question_;
    CountSessionResult session_;
};

} // namespace zvx
