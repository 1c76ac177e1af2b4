#pragma once

#include <cstdint>

namespace zvx {

// A card is named by its code 1..52 = 13 * suit + rank (suit 0 spades, 1 hearts, 2 clubs, 3 diamonds;
// rank 1 Ace, 2..10 pips, 11..13 Jack, Queen, King). Pictures 53 and 54 are the two card backs.
inline constexpr int FirstCardCode = 1;
inline constexpr int LastCardCode = 52;
inline constexpr int RedBackPicture = 53;
inline constexpr int BlueBackPicture = 54;

constexpr int CardRank(int code) { return (code - 1) % 13 + 1; }
constexpr int CardSuit(int code) { return (code - 1) / 13; }

// Blackjack value of a card code: Ace 11, pips their rank, ten and faces 10.
constexpr std::uint16_t CardValue(int code) {
    const int rank = CardRank(code);
    return static_cast<std::uint16_t>(rank == 1 ? 11 : rank > 10 ? 10 : rank);
}

// Tag of the conventional count: +1 for 2..6, 0 for 7..9, -1 for tens and Aces.
constexpr std::int32_t CountTagOf(int value) { return value >= 10 ? -1 : value >= 7 ? 0 : 1; }

struct TCard {
    std::uint16_t Value = 0;   // 2..11
    std::uint16_t Slot = 0;    // table place: position in hand + 10 * hand number; 0 until shown
    std::int32_t CountTag = 0; // +1, 0, -1
    std::uint8_t Face = 0;     // picture number, the same as the card code
};

// Fills a new card from its code 1..52 and returns its value.
std::uint16_t InitCard(TCard& card, int code);

// The back picture the hole card shows for a CardBackStyle: 1 red, 0 blue.
constexpr int CardBackPicture(int cardBackStyle) { return cardBackStyle == 1 ? RedBackPicture : BlueBackPicture; }

} // namespace zvx
