#include "table/qt/player.h"

#include "table/chip_gestures.h"
#include "table/layout.h"
#include "table/pacing.h"
#include "table/qt/player_support.h"

namespace zvx::gui {

QPointF TPlayer::PrepareExchangeStack(int value) {
    const Place& column = PlaceNamed(RackChipName(value));
    const QPointF exchange(ExchangeLeft, column.Top);
    scene_->Chip("MovingChip2")->SetValue(value);
    for (const char* name : {"MovingChip2", "Chipa", "Chipb"}) scene_->Item(name)->setPos(exchange);
    for (const char* name : {"Chipa", "Chipb"}) scene_->Outline(name)->SetColour(NamedColour(ChipColour(value)));
    return exchange;
}

void TPlayer::GatherExchangeChip(int value, QPointF from, QPointF exchange, int chipsSoFar) {
    FlyChip(value, from, exchange);
    scene_->Item("MovingChip")->hide();
    // The stack looks taller from the second chip on, and taller again from the third.
    Show("MovingChip2", true);
    Show("Chipa", chipsSoFar >= 1);
    Show("Chipb", chipsSoFar >= 2);
    ShowChipStacks();
    Pause(pauses::ExchangeChip);
}

void TPlayer::MoveExchangeStack(QPointF from, QPointF to) {
    Show("Chipa", false);
    Show("Chipb", false);
    QGraphicsItem* stack = scene_->Item("MovingChip2");
    const QPointF distance = to - from;
    const int steps = ChipSteps(Speed(), static_cast<int>(distance.x()), static_cast<int>(distance.y()));
    Step(stack, steps, TowardTarget(distance.x(), steps), TowardTarget(distance.y(), steps));
    stack->hide();
    Repaint();
}

void TPlayer::ChipsLeave(int value, int n) {
    BusyScope busy(*this);
    const Place& column = PlaceNamed(RackChipName(value));
    const QPointF exchange = PrepareExchangeStack(value);
    for (int i = 0; i < n; ++i) GatherExchangeChip(value, QPointF(column.Left, column.Top), exchange, i);
    Pause(pauses::BetChip);
    MoveExchangeStack(exchange, QPointF(ExchangeLeft, ExchangeExitTop));
}

void TPlayer::ChipsArrive(int value, int n) {
    BusyScope busy(*this);
    Pause(pauses::ExchangeArrive);
    const Place& column = PlaceNamed(RackChipName(value));
    const QPointF exchange = PrepareExchangeStack(value);
    for (int i = 0; i < n; ++i) GatherExchangeChip(value, QPointF(DealerTray.X, DealerTray.Y), exchange, i);
    Pause(pauses::ExchangeArrive);
    MoveExchangeStack(exchange, QPointF(column.Left, column.Top));
}


void TPlayer::ExchangeChip(int value) {
    BusyScope busy(*this);
    ChipItem* moving = scene_->Chip("MovingChip");
    FlyChip(value, moving->pos(), QPointF(moving->x(), -50));
    moving->hide();
    const Exchange plan = PlanExchange(game_, value);
    if (plan.What == Exchange::ColourUp) zvx::ColourUp(game_, *this, plan.Target, plan.Given - 1);
    else if (plan.What == Exchange::Break) zvx::BreakChip(game_, *this, plan.Target);
    ShowChipStacks();
    ShowBankroll();
    LoadHeldChipFor(game_.CurrentBet);
}

} // namespace zvx::gui
