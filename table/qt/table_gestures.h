#pragma once

#include <QObject>
#include <QPointF>
#include <QString>

#include "engine/game_state.h"

namespace zvx::gui {

class TPlayer;

// The player's mouse on the table: presses, drags and releases on the view are turned into table places
// (whatever the view's scale) and handed to the gesture rules of the core, which set the bet or the action
// the round flow waits for. This object only moves what the mouse holds: a chip, a second card, a bet.
class TTableGestures : public QObject {
    Q_OBJECT

public:
    TTableGestures(TPlayer& player, Game& game);

    // The table's own entry points, in table coordinates (the tests call them too).
    void Press(QPointF point);
    void Move(QPointF point);
    void Release(QPointF point);

    // Mouse input on the table while it pauses (the last round's chips still sweeping, say) never reaches the
    // gestures: a drag from the rack among it is kept instead, and played once the table waits for the
    // player, so that it counts. A rack press between rounds, before the bets open, waits the same way.
    void HoldBack(QEvent* event);
    void PlayHeldBack();
    void DropHeldBack() { heldBack_ = {}; } // a new game starts with none

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowStandTip(QPointF point);
    enum class Held { Nothing, Chip, HalfChip, Card, Bet };

    void PressWhileBetting(const QString& name, QPointF point);
    void PressDuringTurn(const QString& name, QPointF point);
    bool PressOnRack(const QString& name, QPointF point);
    void ReleaseChip(QPointF point);
    void ReleaseCard();
    void ReleaseBet(QPointF point);
    void PutBetHome();
    void HomeSecondCards();
    void NoteBettingStep();
    bool IsRackPress(QPointF point) const;

    TPlayer& player_;
    Game& game_;
    QObject* viewport_ = nullptr;
    Held held_ = Held::Nothing;
    QString heldName_;    // the place pressed: rack chip, second card or bet
    QPointF pressPoint_;  // where the press was, on the table
    QPointF heldHome_;    // where the held item lies when at home
    int heldValue_ = 0;   // the held chip's value
    int heldSlot_ = 0;    // the slot of the held card or bet
    bool chipHasMoved_ = false; // a bet has been made at this table: the moving chip carries its value
    bool wasBetting_ = false;
    bool standTipShown_ = false;
    bool barHeld_ = false; // the press went to the speed bar: its drag and release do too
    struct HeldBackDrag {
        bool Pressed = false;
        bool Released = false;
        QPointF PressAt;
        QPointF LastAt;
    } heldBack_;
};

} // namespace zvx::gui
