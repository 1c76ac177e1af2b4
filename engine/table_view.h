#pragma once

#include <string>

#include "cards/card.h"

namespace zvx {

struct Game;

// Menu-bar action items, as a bit set.
enum ActionItem : unsigned {
    BetItem = 1u << 0,
    StandItem = 1u << 1,
    HitItem = 1u << 2,
    DoubleItem = 1u << 3,
    SplitItem = 1u << 4,
    SurrenderItem = 1u << 5,
    HintItem = 1u << 6,
    Separators = 1u << 7,
};

// Everything the round flow asks of the table window: drawing, pacing, chips, menu items, message boxes and
// the event dispatch that runs the user's gestures inside the game's waits. The engine calls it only while
// the table is shown. Tests drive the engine through a scripted fake; the desktop program through the table.
class TableView {
public:
    virtual ~TableView() = default;

    // Lets the window system dispatch pending events without waiting; handlers change the game state.
    virtual void ProcessEvents() = 0;
    // Shows the prompt and waits for the player's next click or key on the table (or a stop), so that what
    // the table shows stays readable until the player has seen it.
    virtual void WaitForPlayerToGoOn(const std::string& /*prompt*/) {}
    // The game waits for the player (a bet, a decision): blocks until the next event has been handled, so an
    // idle table costs no processor time. Scripted tables need no difference between the two.
    virtual void WaitForPlayer() { ProcessEvents(); }

    // Pacing, in delay units.
    virtual void Pause(int units) = 0;
    virtual void AdvicePause(int units) = 0;
    virtual void Beep() = 0;

    // Cards.
    virtual void ClearTable() = 0;
    virtual void ShowCard(int slot, const TCard& card) = 0; // card.Slot holds its table place
    virtual void SlideCutCard(bool show) = 0;
    virtual void AnimateShuffle() = 0; // the shuffle's card flicker; reads the shoe and speed from the game
    virtual void RevealHoleCard() = 0;
    virtual void MoveCard(int fromSlot, int toSlot) = 0; // second card of fromSlot to toSlot's first place
    virtual bool FirstPlaceShown(int slot) = 0;
    virtual void ShowPointer(int slot) = 0;
    virtual void ShowHandText(int slot, const std::string& text) = 0;
    virtual void ShowAdvice(const std::string& text) = 0;

    // Chips and money.
    virtual void NewChipRack() = 0; // the rack after NewBankroll: stacks, limit panels, bank
    virtual void ShowBankroll() = 0;
    virtual void ColourUpChips() = 0;
    virtual void PrepareChipsFor(int amount) = 0;
    virtual void LoadHeldChip(int amount) = 0;
    virtual void TakeMovingChipFromBox1() = 0;
    // One chip for the amount goes from the rack to the bet spot of a slot (box 1 bets in slot 1, box 2 in
    // slot 3); with `ring` the spot's ring is shown, marking a second chip under it.
    virtual void PlaceBetChip(int amount, int slot, bool ring) = 0;
    virtual bool SpotHasChips(int slot) = 0;
    virtual bool RingShown(int slot) = 0;
    virtual double ChipsOnSpot(int slot) = 0; // value lying on a slot's bet spot, ring included
    virtual void ShowDoubleChips(int slot) = 0;
    virtual void ShowHandResult(int slot, double ratio) = 0;
    virtual void ReturnAllChips() = 0;

    // Betting prompts and menu items.
    virtual void ShowBetPrompts(bool twoHands) = 0; // "PLACE YOUR BET" and "BET 2 HANDS"
    virtual void HideBetPrompts() = 0;
    virtual void ShowBetBox(int box) = 0;
    virtual void ShowActionItems(unsigned items) = 0; // shows these, leaves the others as they are
    virtual void HideActionItems(unsigned items) = 0;
    virtual void CloseTableWindow() = 0;

    // Message boxes.
    virtual bool AskYesNo(const std::string& question) = 0;
    // A question about a hand opens beside that hand's cards, which stay in sight.
    virtual bool AskYesNoBeside(const std::string& question, int /*slot*/) { return AskYesNo(question); }
    // A refused gesture ("SORRY ..."): a box with an OK button and no icon.
    virtual void ShowRefusal(const std::string& /*text*/) {}
    // The drill score (Game::Drill) changed.
    virtual void ShowDrillScore() {}
    virtual void ShowAdviceBox(const std::string& text, int left, int top) = 0; // error kind, OK button
};

} // namespace zvx
