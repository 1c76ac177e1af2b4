#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "engine/game_state.h"
#include "engine/table_view.h"

namespace zvx::testing {

// A table that records what the engine shows and answers its waits from a script. Each call to
// ProcessEvents runs the next scripted step (a gesture of the player); with no step left it stops the game.
class FakeTable : public TableView {
public:
    explicit FakeTable(Game& game) : game_(game) {}

    std::vector<std::string> Calls;      // every call, as text, in order
    std::vector<std::string> AdviceBoxes; // texts of the advice message boxes
    std::vector<std::string> Questions;   // texts of the Yes/No questions
    std::vector<std::string> Refusals;    // texts of the "SORRY ..." boxes
    std::deque<bool> Answers;             // answers to the questions; "No" when empty
    std::deque<std::function<void(Game&)>> Script;
    int EventPasses = 0;
    int ChipsOnBox1 = 0; // what ChipsOnSpot(1) reports
    bool Spots[5][2] = {};
    // The pass a dealt card makes through the event loop runs no scripted step when set: the player's
    // gestures then land on the waits for bets and decisions only.
    bool IdleAfterCard = false;
    unsigned VisibleItems = 0; // the menu-bar action items shown now
    // Runs while an advice box or a question is up, as the menus can: a reset there, say.
    std::function<void(Game&)> WhileBoxUp;

    // Scripted steps for the common gestures.
    void Bet(int amount);
    void Act(int slot, Action action);
    // A bet on both boxes: box 2's spot gets chips too.
    void BetBoth(int amount);
    void Then(std::function<void(Game&)> step) { Script.push_back(std::move(step)); }

    bool Saw(const std::string& call) const;
    int Count(const std::string& prefix) const;

    void ProcessEvents() override;
    void WaitForPlayerToGoOn(const std::string& prompt) override;
    void Pause(int units) override;
    void AdvicePause(int units) override;
    void Beep() override;
    void ClearTable() override;
    void ShowCard(int slot, const TCard& card) override;
    void SlideCutCard(bool show) override;
    void AnimateShuffle() override;
    void RevealHoleCard() override;
    void MoveCard(int fromSlot, int toSlot) override;
    bool FirstPlaceShown(int slot) override;
    void ShowPointer(int slot) override;
    void ShowHandText(int slot, const std::string& text) override;
    void ShowAdvice(const std::string& text) override;
    void NewChipRack() override;
    void ShowBankroll() override;
    void ColourUpChips() override;
    void PrepareChipsFor(int amount) override;
    void LoadHeldChip(int amount) override;
    void TakeMovingChipFromBox1() override;
    void PlaceBetChip(int amount, int slot, bool ring) override;
    bool SpotHasChips(int slot) override;
    bool RingShown(int slot) override;
    double ChipsOnSpot(int slot) override;
    void ShowDoubleChips(int slot) override;
    void ShowHandResult(int slot, double ratio) override;
    void ReturnAllChips() override;
    void ShowBetPrompts(bool twoHands) override;
    void HideBetPrompts() override;
    void ShowBetBox(int box) override;
    void ShowActionItems(unsigned items) override;
    void HideActionItems(unsigned items) override;
    void CloseTableWindow() override;
    bool AskYesNo(const std::string& question) override;
    void ShowRefusal(const std::string& text) override { Refusals.push_back(text); }
    void ShowAdviceBox(const std::string& text, int left, int top) override;

private:
    void Record(std::string call) { Calls.push_back(std::move(call)); }
    Game& game_;
    bool cardJustShown_ = false;
};

} // namespace zvx::testing
