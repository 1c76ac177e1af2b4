#pragma once

#include <QWidget>

#include <chrono>
#include <functional>

#include "engine/game_state.h"
#include "engine/table_view.h"
#include "table/chip_rack.h"
#include "table/qt/table_scene.h"

namespace zvx::gui {

class TMainForm;
class TTableGestures;

// The table window of the three table modes: the scene of cards, chips and panels, its animations and
// pauses, and the game loop's waits and questions. The model (the game state and the chip rack) changes
// first; the items follow.
class TPlayer : public QWidget, public TableView, private RackDisplay {
    Q_OBJECT

public:
    TPlayer(TMainForm& main, Game& game, QWidget* parent = nullptr);
    ~TPlayer() override;

    // A Run item starts a game at this table.
    void BeginGame();
    // The "&Bet" item: the same bet as last time.
    void RepeatLastBet();

    TTableScene& Scene() { return *scene_; }
    TTableView& View() { return *view_; }
    // A point of this window in table coordinates, for the gestures.
    QPointF ToScene(QPoint windowPoint) const;
    // The chip the player dragged up to the dealer is exchanged for chips of another colour (or not, when the
    // rack lacks the chips for it); the bankroll never changes.
    void ExchangeChip(int value);
    // A chip dropped where it bets nothing flies from there back to its rack column.
    void SendChipHome(int value, QPointF from);
    // An animation or pause of the table is running (the player's input waits for it).
    bool Busy() const { return busy_ > 0 || pausing_ > 0; }

    // The money lying on the bet spots, and what the dealer has taken less what it has paid since the game
    // began: with the rack, they always add up to the starting bankroll.
    double ChipsOnTable() const;
    double DealerNet() const { return dealerNet_; }
    // Called after each step of an animation has been drawn and before its pause (for measurements).
    std::function<void()> OnStep;

    void ProcessEvents() override;
    void WaitForPlayer() override;
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
    bool AskYesNoBeside(const std::string& question, int slot) override;
    void ShowRefusal(const std::string& text) override;
    void ShowDrillScore() override;
    void ShowAdviceBox(const std::string& text, int left, int top) override;

signals:
    // The chips of a round are back in the rack: the table and the books agree again.
    void roundSwept();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // RackDisplay: the exchanges of the chip rack.
    void ShowChipStacks() override;
    void ChipsLeave(int value, int n) override;
    void ChipsArrive(int value, int n) override;

    // Drawing and pacing.
    void Repaint();
    void PauseFor(std::chrono::nanoseconds length);
    void Step(QGraphicsItem* item, int n, int dx, int dy); // SlideControl: n steps of (dx, dy), 2 units each
    void StepPause(int units);                            // between two pictures of an animation
    void Show(const QString& name, bool visible);
    int Speed() const;
    bool ForSpeedBar(QWidget* widget, QEvent* event) const;

    // Chips.
    void LoadHeldChipFor(int amount);
    void PlaceChipOn(int amount, const QString& spot);
    void FlyChip(int value, QPointF from, QPointF to);
    void DealerPaysChips(int value, int count, const QString& spot);
    void DealerTakesChip(const QString& spot);
    void ReturnChipToStack(const QString& spot);
    void PayOnto(int hand, double amount);
    void ShowLimitPanels();
    // The exchange stack: set up at a column's exchange point, a chip added to it, and its flight away.
    QPointF PrepareExchangeStack(int value);
    void GatherExchangeChip(int value, QPointF from, QPointF exchange, int chipsSoFar);
    void MoveExchangeStack(QPointF from, QPointF to);
    void ShowSpotRing(ChipItem* spot, const QString& ring);
    void ShowBoxBracket();
    ChipItem* Spot(int hand, int spot) const;
    friend class BusyScope;
    friend class StayScope;

    TMainForm& main_;
    Game& game_;
    TTableScene* scene_ = nullptr;
    TTableView* view_ = nullptr;
    TTableGestures* gestures_ = nullptr;
    double dealerNet_ = 0;
    // The hands of box 1 this round, a bit for each hand number: with two boxes a split of box 1 can lie
    // beside box 2 (hand 4), and the bracket under box 1's hands then shows which box it belongs to.
    unsigned box1Hands_ = 1u << 1;
    // Animations and waits run nested event handling; the window must outlive every one of them.
    int busy_ = 0;    // animations under way
    int onStack_ = 0; // calls of this window under way, animations and waits
    int pausing_ = 0;
    bool awaitingGoOn_ = false; // a click or key on the table ends WaitForPlayerToGoOn
    bool deleteWhenIdle_ = false;
    QObject* deferredParent_ = nullptr;
};

} // namespace zvx::gui
