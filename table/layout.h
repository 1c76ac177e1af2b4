#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zvx {

// The table window is drawn at a fixed logical size; every place below is in these coordinates, whatever
// size the window is shown at.
inline constexpr int TableWidth = 644;
inline constexpr int TableHeight = 465;

// What a named place on the table is.
enum class PlaceKind {
    CardPlace,    // a card: Hand 0 the dealer, 1..4 the player's slots; Index the position in the hand
    HandText,     // Hand1..Hand4
    Pointer,
    CutCard,
    AdvicePanel,  // the commentary of computer play
    SpeedBar,     // ScrollBar1
    SpeedLabel,   // Edit1
    RackChip,     // the chip picture on top of a rack column; Value the column
    RackOutline,  // an outline under it; Threshold: shown while the count is above it
    BetSpot,      // Hand, Index 1..5
    Ring,         // the ring of the spot with the same Hand and Index
    BankPanel,
    LimitFrame,   // AdvicePanelBorder
    LimitPanel,   // AdvicePanel1, AdvicePanel2 (Index 1, 2)
    Prompt,       // BetPanel, Bet2Panel
    BetBox,       // BetBox1, BetBox3 (Hand 1, 3)
    Sprite,       // MovingChip, MovingChip2, Chipa, Chipb
    ModeCaption,  // the Practice Deck's caption along the top edge
    BoxBracket,   // Box1Bracket: under box 1's hands when a split of it lies beside box 2
};

struct Place {
    std::string Name;
    PlaceKind Kind;
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    int Hand = 0;
    int Index = 0;
    int Value = 0;     // rack: the column's chip value
    int Threshold = 0; // rack outlines
};

// Every named place of the table, in drawing order (later places lie on top).
const std::vector<Place>& TableLayout();
const Place* FindPlace(std::string_view name);
const Place& PlaceNamed(std::string_view name); // the name must exist

// The place of a card slot code (position in the hand + 10 x hand number), as the dealt card carries it;
// nullptr for a code without a place.
const Place* PlaceForSlotCode(int code);
// The place of a card by its hand and position, which also covers the positions that a slot code cannot
// name: a player's eleventh card (its code is the next hand's first) and the dealer's tenth.
const Place* PlaceForCard(int hand, int position);
inline constexpr int DealerPlaces = 10;
inline constexpr int PlayerPlaces = 11;

// Names of the places of hand h (1..4).
std::string CardPlaceName(int hand, int position); // pos12, pos110; dealer: pos1..pos10
std::string SpotName(int hand, int spot);         // Bet1, Bet11, Bet111, ...
std::string RingName(int hand, int spot);         // Ring1, Ring11, ...
int SpotCount(int hand);                           // 5 for hands 1 and 3, 4 for hands 2 and 4
std::string RackChipName(int value);               // Bet5000 ... Bet5, BetHalf

// Where the pointer's left edge lies for hand h (1..4); its top is PointerTop.
int PointerLeft(int hand);
inline constexpr int PointerTop = 136;

// Where a split hand's second place goes back to, hidden, after its card moved to the new hand.
struct Point {
    int X = 0;
    int Y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};
Point SecondPlaceHome(int hand);

// Box 1's bracket spans its hands from hand 4 to hand 1, or to hand 2 when one of them split again: its
// width for the rightmost of box 1's hands.
int BoxBracketWidth(int rightmostHand);

// Fixed points the animations start from or fly to.
inline constexpr Point DealOrigin{200, -50};        // cards fly in from above the window
inline constexpr Point DealerTray{50, 0};           // chips paid and taken
inline constexpr Point CutCardHome{20, 12};
inline constexpr Point CutCardGone{200, -80};
inline constexpr int ExchangeLeft = 500;            // chips exchanged leave and join a column here
inline constexpr int ExchangeExitTop = 0;
// The shuffle shows two cards flickering here; afterwards the places go back home.
inline constexpr Point ShuffleLeftCard{280, 200};
inline constexpr Point ShuffleRightCard{360, 200};

} // namespace zvx
