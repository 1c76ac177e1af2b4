#include "table/layout.h"

#include <array>
#include <cassert>

namespace zvx {

namespace {

// Left edge of each player hand's first place; from left to right the hands lie 3, 4, 1, 2.
constexpr std::array<int, 5> HandLeft = {0, 309, 461, 5, 157};
constexpr std::array<int, 5> PointerLefts = {0, 380, 530, 80, 230};
constexpr int CardWidth = 72;
constexpr int CardHeight = 97;
// The Practice Deck's caption: along the top edge, between the cut card and the limit panels, above the
// dealer's cards.
constexpr int ModeCaptionLeft = 152;
constexpr int ModeCaptionWidth = 326;
// Box 1's bracket: below the bet spots of hands 4 and 1 (and 2), their amounts and the bet prompts, which show
// while the last round's cards still lie on the table.
constexpr int BracketLeft = 160;
constexpr int BracketTop = 446;
constexpr std::array<int, 3> BracketRight = {0, 462, 566}; // for hand 1, hand 2

struct RackColumn {
    int Value;
    const char* Chip;
    int Left, Top, Width;
    std::array<const char*, 5> Outlines;
    std::array<int, 5> Heights;
    std::array<int, 5> Thresholds;
    int OutlineCount;
};

// The rack, top to bottom. The lower-case third outline names are the form's own.
constexpr std::array<RackColumn, 7> Rack = {{
    {5000, "Bet5000", 592, 45, 42, {"Bet5000a", "Bet5000b", "bet5000c", "Bet5000d", "Bet5000e"}, {40, 43, 46, 49, 52},
     {1, 2, 5, 8, 11}, 5},
    {1000, "Bet1000", 570, 95, 44, {"Bet1000a", "Bet1000b", "bet1000c", "Bet1000d", ""}, {40, 43, 46, 48, 0},
     {1, 2, 4, 6, 0}, 4},
    {500, "Bet500", 590, 145, 44, {"Bet500a", "Bet500b", "bet500c", "Bet500d", ""}, {40, 43, 46, 49, 0},
     {1, 2, 4, 6, 0}, 4},
    {100, "Bet100", 570, 195, 44, {"Bet100a", "Bet100b", "bet100c", "Bet100d", "Bet100e"}, {40, 43, 46, 48, 52},
     {1, 2, 5, 9, 12}, 5},
    {25, "Bet25", 590, 245, 44, {"Bet25a", "Bet25b", "bet25c", "Bet25d", "Bet25e"}, {40, 43, 46, 48, 52},
     {1, 2, 5, 9, 12}, 5},
    {5, "Bet5", 570, 295, 44, {"Bet5a", "Bet5b", "bet5c", "Bet5d", "Bet5e"}, {40, 43, 46, 48, 52}, {1, 2, 5, 9, 12}, 5},
    {2, "BetHalf", 590, 345, 44, {"Bet2a", "", "", "", ""}, {40, 0, 0, 0, 0}, {1, 0, 0, 0, 0}, 1},
}};
constexpr int RackChipHeight = 38;
constexpr int OutlineWidth = 42;

// Bet spots: spot 1 the bet, 2 the doubling chips, 3..5 the winnings.
constexpr int SpotSize = 44;
struct SpotRow {
    int Hand;
    std::array<Point, 5> Spots;
    int Count;
};
constexpr std::array<SpotRow, 4> SpotRows = {{
    {1, {{{318, 369}, {366, 369}, {318, 319}, {366, 319}, {414, 319}}}, 5},
    {2, {{{470, 369}, {518, 369}, {470, 319}, {518, 319}, {0, 0}}}, 4},
    {3, {{{6, 369}, {54, 369}, {6, 319}, {54, 319}, {102, 319}}}, 5},
    {4, {{{166, 369}, {214, 369}, {166, 319}, {214, 319}, {0, 0}}}, 4},
}};

void AddCardPlaces(std::vector<Place>& places) {
    // The dealer's row, and a tenth place squeezed in at its end: with many small cards the dealer can
    // draw a tenth card, which would otherwise not be shown at all.
    for (int i = 1; i <= 9; ++i)
        places.push_back({CardPlaceName(0, i), PlaceKind::CardPlace, 197 + 40 * (i - 1), 26 + 4 * (i - 1), CardWidth,
                          CardHeight, 0, i});
    places.push_back({CardPlaceName(0, 10), PlaceKind::CardPlace, 537, 62, CardWidth, CardHeight, 0, 10});
    for (const int h : {1, 2, 3, 4}) {
        const int x = HandLeft[h];
        for (int i = 1; i <= 9; ++i)
            places.push_back({CardPlaceName(h, i), PlaceKind::CardPlace, x + 8 * (i - 1), 150 + 24 * (i - 1), CardWidth,
                              CardHeight, h, i});
        places.push_back({CardPlaceName(h, 10), PlaceKind::CardPlace, x + 72, 366, CardWidth, 76, h, 10});
        places.push_back({CardPlaceName(h, 11), PlaceKind::CardPlace, x + 80, 390, CardWidth, 55, h, 11});
    }
}

void AddChipPlaces(std::vector<Place>& places) {
    for (const RackColumn& c : Rack) {
        for (int k = c.OutlineCount - 1; k >= 0; --k)
            places.push_back({c.Outlines[k], PlaceKind::RackOutline, c.Left, c.Top, OutlineWidth, c.Heights[k], 0, k + 1,
                              c.Value, c.Thresholds[k]});
        places.push_back({c.Chip, PlaceKind::RackChip, c.Left, c.Top, c.Width, RackChipHeight, 0, 0, c.Value});
    }
    for (const SpotRow& row : SpotRows)
        for (int s = 1; s <= row.Count; ++s) {
            const Point p = row.Spots[static_cast<std::size_t>(s - 1)];
            // The ring marks a second chip under the spot's chip, so it lies beneath the spot.
            places.push_back({RingName(row.Hand, s), PlaceKind::Ring, p.X + 1, p.Y + 1, 43, 46, row.Hand, s});
            places.push_back({SpotName(row.Hand, s), PlaceKind::BetSpot, p.X, p.Y, SpotSize, SpotSize, row.Hand, s});
        }
}

std::vector<Place> BuildLayout() {
    std::vector<Place> places;
    // Beneath everything: a card flying in from above passes over the caption.
    places.push_back({"ModeCaption", PlaceKind::ModeCaption, ModeCaptionLeft, 1, ModeCaptionWidth, 20});
    places.push_back({"Box1Bracket", PlaceKind::BoxBracket, BracketLeft, BracketTop, BoxBracketWidth(1), 18, 1});
    places.push_back({"BetBox3", PlaceKind::BetBox, 1, 364, 98, 54, 3});
    places.push_back({"BetBox1", PlaceKind::BetBox, 313, 364, 98, 54, 1});
    AddChipPlaces(places);
    AddCardPlaces(places);
    places.push_back({"Hand1", PlaceKind::HandText, 304, 134, 89, 16, 1});
    places.push_back({"Hand2", PlaceKind::HandText, 448, 134, 97, 16, 2});
    places.push_back({"Hand3", PlaceKind::HandText, 0, 134, 97, 16, 3});
    places.push_back({"Hand4", PlaceKind::HandText, 144, 134, 97, 16, 4});
    places.push_back({"Pointer", PlaceKind::Pointer, PointerLefts[1], PointerTop, 53, 36});
    places.push_back({"CutCard", PlaceKind::CutCard, CutCardHome.X, CutCardHome.Y, 70, 97});
    places.push_back({"BankPanel", PlaceKind::BankPanel, 544, 390, 92, 20});
    places.push_back({"BetPanel", PlaceKind::Prompt, 302, 424, 120, 18, 1});
    places.push_back({"Bet2Panel", PlaceKind::Prompt, 0, 424, 104, 18, 3});
    places.push_back({"AdvicePanelBorder", PlaceKind::LimitFrame, 481, 0, 152, 37});
    places.push_back({"AdvicePanel1", PlaceKind::LimitPanel, 482, 1, 150, 18, 0, 1});
    places.push_back({"AdvicePanel2", PlaceKind::LimitPanel, 482, 18, 150, 18, 0, 2});
    places.push_back({"Edit1", PlaceKind::SpeedLabel, 503, 0, 131, 22});
    places.push_back({"ScrollBar1", PlaceKind::SpeedBar, 504, 24, 129, 14});
    places.push_back({"AdvicePanel", PlaceKind::AdvicePanel, 152, 0, 329, 18});
    places.push_back({"Chipb", PlaceKind::Sprite, 0, 0, 42, 43});
    places.push_back({"Chipa", PlaceKind::Sprite, 0, 0, 42, 40});
    places.push_back({"MovingChip2", PlaceKind::Sprite, 0, 0, 44, 38});
    places.push_back({"MovingChip", PlaceKind::Sprite, 0, 0, 44, 44});
    return places;
}

} // namespace

const std::vector<Place>& TableLayout() {
    static const std::vector<Place> layout = BuildLayout();
    return layout;
}

const Place* FindPlace(std::string_view name) {
    for (const Place& p : TableLayout())
        if (p.Name == name) return &p;
    return nullptr;
}

const Place& PlaceNamed(std::string_view name) {
    const Place* p = FindPlace(name);
    assert(p && "no such place on the table");
    return *p;
}

std::string CardPlaceName(int hand, int position) {
    return hand == 0 ? "pos" + std::to_string(position) : "pos" + std::to_string(hand) + std::to_string(position);
}

std::string SpotName(int hand, int spot) { return "Bet" + std::string(static_cast<std::size_t>(spot), char('0' + hand)); }

std::string RingName(int hand, int spot) { return "Ring" + std::string(static_cast<std::size_t>(spot), char('0' + hand)); }

int SpotCount(int hand) { return hand == 1 || hand == 3 ? 5 : 4; }

std::string RackChipName(int value) { return value == 2 ? "BetHalf" : "Bet" + std::to_string(value); }

const Place* PlaceForSlotCode(int code) {
    if (code >= 1 && code <= 9) return FindPlace(CardPlaceName(0, code));
    if (code >= 11 && code <= 50) {
        // 20, 30, 40 and 50 are the tenth cards of hands 1 to 4.
        const int hand = code % 10 == 0 ? code / 10 - 1 : code / 10;
        const int position = code % 10 == 0 ? 10 : code % 10;
        return FindPlace(CardPlaceName(hand, position));
    }
    return nullptr;
}

const Place* PlaceForCard(int hand, int position) {
    if (hand == 0 && position >= 1 && position <= DealerPlaces) return FindPlace(CardPlaceName(0, position));
    if (hand >= 1 && hand <= 4 && position >= 1 && position <= PlayerPlaces) return FindPlace(CardPlaceName(hand, position));
    return nullptr;
}

int PointerLeft(int hand) { return hand >= 1 && hand <= 4 ? PointerLefts[static_cast<std::size_t>(hand)] : 0; }

int BoxBracketWidth(int rightmostHand) { return BracketRight[rightmostHand == 2 ? 2 : 1] - BracketLeft; }

Point SecondPlaceHome(int hand) {
    const Place& p = PlaceNamed(CardPlaceName(hand, 2));
    return {p.Left, p.Top};
}

} // namespace zvx
