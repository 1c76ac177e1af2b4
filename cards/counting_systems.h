#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace zvx {

// Card counting systems as data: a tag per card value, whether a full deck sums to zero, and for an unbalanced
// system the running count it starts from. The game's own count (engine/shoe.cpp's RunningCount) uses the same
// tags as HiLo; nothing here replaces it.
enum class CountingSystemId : std::uint8_t { HiLo, KnockOut, HiOptI, HiOptII, OmegaII, Zen };
inline constexpr int CountingSystemCount = 6;

struct CountingSystem {
    CountingSystemId Id;
    std::string_view Key;  // short name for files and flags: "hi-lo", "ko", ...
    std::string_view Name; // what the player reads
    // Tags by blackjack value: index 2..9 for the pips, 10 for tens and faces, 11 for the Ace; 0 and 1 unused.
    std::array<std::int8_t, 12> TagByValue;
    // A full deck's tags summed: 0 for a balanced system (+4 for the Knock-Out count).
    constexpr int DeckSum() const {
        int sum = 0;
        for (int value = 2; value <= 9; ++value) sum += 4 * TagByValue[static_cast<std::size_t>(value)];
        return sum + 16 * TagByValue[10] + 4 * TagByValue[11];
    }
    constexpr bool Balanced() const { return DeckSum() == 0; }
    constexpr int Tag(int value) const {
        return value >= 2 && value <= 11 ? TagByValue[static_cast<std::size_t>(value)] : 0;
    }
};

// Every system the program knows, in the order menus list them; the first is the game's own count.
std::span<const CountingSystem> CountingSystems();
const CountingSystem& CountingSystemOf(CountingSystemId id);
std::optional<CountingSystemId> CountingSystemByKey(std::string_view key);

// The running count before the first card of a shoe of `decks` decks: 0 for a balanced system; for an
// unbalanced one, minus its deck sum for every deck but one, so that the full shoe counts down to the same
// pivot as a single deck (the Knock-Out count starts at 4 - 4 x decks).
int InitialRunningCount(const CountingSystem& system, int decks);

// Decks left in the shoe, exactly: the cards not yet dealt over 52.
double DecksLeft(int cardsLeft);

// The true count: the running count over the decks left, unrounded. Below a quarter deck the divisor stays a
// quarter deck, so the last cards of a shoe never give an unbounded figure. Anything that bins or compares true
// counts calls this and then WholeTrueCount, never divides by itself.
double TrueCount(int runningCount, int cardsLeft);

// The whole true count used for bet ramps and index plays: rounded down (toward minus infinity), so +2.9 is +2
// and -0.4 is -1. A tiny tolerance keeps an exact +3.0 worked out in floating point at +3.
int WholeTrueCount(double trueCount);

// A running count kept card by card over one shoe.
class CountKeeper {
public:
    CountKeeper(const CountingSystem& system, int decks);

    // Back to a full shoe.
    void Shuffle();
    // Counts one card by its blackjack value (2..11).
    void Count(int value);

    const CountingSystem& System() const { return *system_; }
    int Running() const { return running_; }
    int CardsSeen() const { return seen_; }
    int CardsLeft() const { return shoeSize_ - seen_; }
    double DecksLeft() const { return zvx::DecksLeft(CardsLeft()); }
    double True() const { return TrueCount(running_, CardsLeft()); }

private:
    const CountingSystem* system_;
    int decks_;
    int shoeSize_;
    int running_ = 0;
    int seen_ = 0;
};

} // namespace zvx
