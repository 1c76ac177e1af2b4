#pragma once

#include <QWidget>

#include "engine/game_state.h"
#include "engine/table_view.h"

namespace zvx::gui {

class TMainForm;

// The table window of the three table modes. This first version is a plain window that says the drawn table
// is still to come; it carries the game loop's waits and questions so the modes run end to end.
class TPlayer : public QWidget, public TableView {
    Q_OBJECT

public:
    TPlayer(TMainForm& main, Game& game, QWidget* parent = nullptr);

    // A Run item starts a game at this table.
    void BeginGame();
    // The "&Bet" item: the same bet as last time.
    void RepeatLastBet();

    void ProcessEvents() override;
    void WaitForPlayer() override;
    void Pause(int units) override;
    void AdvicePause(int units) override;
    void Beep() override;
    void ClearTable() override {}
    void ShowCard(int, const TCard&) override {}
    void SlideCutCard(bool) override {}
    void AnimateShuffle() override {}
    void RevealHoleCard() override {}
    void MoveCard(int, int) override {}
    bool FirstPlaceShown(int) override { return false; }
    void ShowPointer(int) override {}
    void ShowHandText(int, const std::string&) override {}
    void ShowAdvice(const std::string&) override {}
    void NewChipRack() override {}
    void ShowBankroll() override {}
    void ColourUpChips() override {}
    void PrepareChipsFor(int) override {}
    void LoadHeldChip(int) override {}
    void TakeMovingChipFromBox1() override {}
    void PlaceBetChip(int, int, bool) override {}
    bool SpotHasChips(int) override { return false; }
    bool RingShown(int) override { return false; }
    double ChipsOnSpot(int) override { return 0; }
    void ShowDoubleChips(int) override {}
    void ShowHandResult(int, double) override {}
    void ReturnAllChips() override {}
    void ShowBetPrompts(bool) override {}
    void HideBetPrompts() override {}
    void ShowBetBox(int) override {}
    void ShowActionItems(unsigned items) override;
    void HideActionItems(unsigned items) override;
    void CloseTableWindow() override;
    bool AskYesNo(const std::string& question) override;
    void ShowAdviceBox(const std::string& text, int left, int top) override;

private:
    TMainForm& main_;
    Game& game_;
};

} // namespace zvx::gui
