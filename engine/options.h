#pragma once

#include <array>
#include <cstdint>

#include "strategy/strategy_table.h"

namespace zvx {

// The casino rules, as the rules form sets them.
struct CasinoRules {
    std::uint16_t Decks = 2;          // 1, 2, 4, 6, 8
    std::uint16_t Penetration = 3;    // quarter-decks dealt per deck before the cut card: 2 or 3
    std::uint16_t TableMinimum = 25;  // 5, 25, 100; also the betting unit
    bool SurrenderAllowed = false;
    bool DealerHitsSoft17 = false;
    bool DoubleAnyHand = true;        // false: double only on 10 or 11
    bool DoubleAfterSplit = true;
    bool ResplitAllowed = true;
    bool PlayTwoHands = true;

    friend bool operator==(const CasinoRules&, const CasinoRules&) = default;
};

struct PlayerPreferences {
    std::uint16_t AnimationSpeed = 0; // 1000..25000 once measured
    bool AlwaysBetMinimum = false;
    bool SoundOn = true;

    friend bool operator==(const PlayerPreferences&, const PlayerPreferences&) = default;
};

inline constexpr std::uint16_t MinAnimationSpeed = 1000;
inline constexpr std::uint16_t MaxAnimationSpeed = 25000;

// The version text of the options record: a length byte and up to 15 characters.
using VersionText = std::array<std::uint8_t, 16>;

// The options record: rules, preferences, two loose flags, the saved strategy copy and the version text.
// Its 3886-byte file form is written and read by options_file.
struct OptionsRecord {
    CasinoRules Rules;
    PlayerPreferences Prefs;
    bool FirstRun = false;
    bool HideStrategyIntro = false;
    StrategyTable StrategyCopy;
    VersionText Version{};

    friend bool operator==(const OptionsRecord&, const OptionsRecord&) = default;
};

} // namespace zvx
