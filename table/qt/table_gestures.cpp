#include "table/qt/table_gestures.h"

#include <QGraphicsView>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QStatusTipEvent>

#include <algorithm>
#include <utility>

#include "table/card_gestures.h"
#include "table/chip_gestures.h"
#include "table/chip_rack.h"
#include "table/layout.h"
#include "table/qt/player.h"

namespace zvx::gui {

namespace {

constexpr const char* StandGestureTip =
    "Click to end your turn: every hand still open stands (Alt+S, the Stand item, stands this hand only)";

// A chip dragged above this line has reached the dealer, who exchanges it.
constexpr qreal DealerLine = 40;

bool IsBox1(const QString& name) { return name == "Bet1" || name == "BetBox1"; }
bool IsBox2(const QString& name) { return name == "Bet3" || name == "Ring3" || name == "BetBox3"; }
bool IsLimitPanel(const QString& name) {
    return name == "AdvicePanel1" || name == "AdvicePanel2" || name == "AdvicePanel";
}

} // namespace

TTableGestures::TTableGestures(TPlayer& player, Game& game)
    : QObject(&player), player_(player), game_(game), viewport_(player.View().viewport()) {
    viewport_->installEventFilter(this);
    player.View().viewport()->setMouseTracking(true); // for the stand gesture's tip
}

// The pointer over the dealer's down card says in the status bar what a click there does.
void TTableGestures::ShowStandTip(QPointF point) {
    const bool over = player_.Scene().NamedItemAt(point) == "pos2" && game_.ActiveHand != 0 && !game_.BettingOpen;
    if (over == standTipShown_) return;
    standTipShown_ = over;
    QStatusTipEvent tip(over ? QString(StandGestureTip) : QString());
    QCoreApplication::sendEvent(player_.window(), &tip);
}

bool TTableGestures::IsRackPress(QPointF point) const {
    const Place* place = FindPlace(player_.Scene().NamedItemAt(point).toStdString());
    return place && (place->Kind == PlaceKind::RackChip || place->Kind == PlaceKind::RackOutline);
}

void TTableGestures::HoldBack(QEvent* event) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const QPointF point = player_.View().mapToScene(mouse->position().toPoint());
        // Computer play never waits for the player: nothing there would play the drag.
        if (mouse->button() != Qt::LeftButton || held_ != Held::Nothing || heldBack_.Pressed) return;
        if (game_.AutoPlay) return;
        if (player_.Scene().SpeedBarTakes(point) || !IsRackPress(point)) return;
        heldBack_ = {true, false, point, point};
        return;
    }
    case QEvent::MouseMove:
        if (heldBack_.Pressed && !heldBack_.Released)
            heldBack_.LastAt = player_.View().mapToScene(mouse->position().toPoint());
        return;
    case QEvent::MouseButtonRelease:
        if (mouse->button() != Qt::LeftButton || !heldBack_.Pressed || heldBack_.Released) return;
        heldBack_.Released = true;
        heldBack_.LastAt = player_.View().mapToScene(mouse->position().toPoint());
        return;
    default:
        return;
    }
}

void TTableGestures::PlayHeldBack() {
    if (!heldBack_.Pressed) return;
    const HeldBackDrag drag = std::exchange(heldBack_, {});
    Press(drag.PressAt);
    Move(drag.LastAt);
    // Still held: the chip now follows the pointer as any drag does.
    if (drag.Released) Release(drag.LastAt);
}

bool TTableGestures::eventFilter(QObject* watched, QEvent* event) {
    // Only the mouse on the viewport concerns the gestures; other events also arrive while the table is being
    // taken down, when the table must not be asked anything.
    if (watched != viewport_) return false;
    // A drag held back goes on being held back until the table waits for the player.
    if (heldBack_.Pressed && (event->type() == QEvent::MouseMove || event->type() == QEvent::MouseButtonRelease)) {
        HoldBack(event);
        return true;
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const QPointF point = player_.View().mapToScene(mouse->position().toPoint());
        barHeld_ = held_ == Held::Nothing && player_.Scene().SpeedBarTakes(point);
        if (barHeld_) return false; // the view hands it to the bar
        if (mouse->button() != Qt::LeftButton) return false;
        // Between rounds (the chips swept, the bets not yet open) a chip taken from the rack waits for them.
        if (event->type() == QEvent::MouseButtonPress && !game_.BettingOpen && game_.ActiveHand == 0 &&
            !game_.AutoPlay && IsRackPress(point)) {
            HoldBack(event);
            return true;
        }
        Press(player_.View().mapToScene(mouse->position().toPoint()));
        return true;
    }
    case QEvent::MouseMove: {
        if (barHeld_) return false;
        auto* mouse = static_cast<QMouseEvent*>(event);
        ShowStandTip(player_.View().mapToScene(mouse->position().toPoint()));
        Move(player_.View().mapToScene(mouse->position().toPoint()));
        return true;
    }
    case QEvent::MouseButtonRelease: {
        if (barHeld_) {
            barHeld_ = false;
            return false;
        }
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton) return false;
        Release(player_.View().mapToScene(mouse->position().toPoint()));
        return true;
    }
    default:
        return false;
    }
}

// The moving chip carries the value of the last bet once a betting step has ended.
void TTableGestures::NoteBettingStep() {
    if (wasBetting_ && !game_.BettingOpen) chipHasMoved_ = true;
    wasBetting_ = game_.BettingOpen;
}

void TTableGestures::Press(QPointF point) {
    NoteBettingStep();
    if (!game_.TableShown || held_ != Held::Nothing) return;
    const QString name = player_.Scene().NamedItemAt(point);
    if (IsLimitPanel(name)) {
        CycleTableLimits(game_);
        return;
    }
    if (PressOnRack(name, point)) return;
    if (game_.BettingOpen) PressWhileBetting(name, point);
    else PressDuringTurn(name, point);
}

// A press on a rack column picks up its chip, within the table's limits.
bool TTableGestures::PressOnRack(const QString& name, QPointF point) {
    const Place* place = FindPlace(name.toStdString());
    if (!place || (place->Kind != PlaceKind::RackChip && place->Kind != PlaceKind::RackOutline)) return false;
    if (place->Value == HalfChip) {
        held_ = Held::HalfChip; // refused at the release
        return true;
    }
    const PickUp pick = PickUpChip(game_.Rules().TableMinimum, place->Value, game_.ChipDragActive);
    if (!pick.Allowed) {
        if (!pick.Refusal.empty()) player_.ShowRefusal(pick.Refusal);
        return true;
    }
    const int kind = RackIndex(place->Value);
    if (kind < 0 || game_.ChipCounts[static_cast<std::size_t>(kind)] <= 0) return true;
    const Place& column = PlaceNamed(RackChipName(place->Value));
    game_.ChipDragActive = true;
    held_ = Held::Chip;
    heldValue_ = place->Value;
    heldHome_ = QPointF(column.Left, column.Top);
    pressPoint_ = point;
    ChipItem* moving = player_.Scene().Chip("MovingChip");
    moving->SetValue(heldValue_);
    moving->setPos(heldHome_);
    moving->show();
    moving->setZValue(1000);
    chipHasMoved_ = true;
    return true;
}

void TTableGestures::PressWhileBetting(const QString& name, QPointF) {
    if (IsBox1(name)) {
        BetBox1Press(game_);
        return;
    }
    if (name == "BetBox3") {
        if (!game_.Rules().PlayTwoHands) return;
        const int value = chipHasMoved_ ? player_.Scene().Chip("MovingChip")->Value() : 0;
        BetTwoHands(game_, value);
        return;
    }
    // Anywhere else on the table: the same bet as last time.
    zvx::RepeatLastBet(game_);
}

void TTableGestures::PressDuringTurn(const QString& name, QPointF point) {
    if (game_.ActiveHand == 0) return;
    const Place* place = FindPlace(name.toStdString());
    if (place && place->Kind == PlaceKind::CardPlace) {
        if (place->Hand == DealerSlot) {
            if (place->Index <= 2) StandGesture(game_);
            return;
        }
        if (place->Index != 2) {
            HitHand(game_, place->Hand);
            return;
        }
        if (!SecondCardPress(game_, place->Hand) && !game_.CardClickPending) return;
        held_ = Held::Card;
        heldName_ = name;
        heldSlot_ = place->Hand;
        heldHome_ = QPointF(place->Left, place->Top);
        pressPoint_ = point;
        return;
    }
    if (IsBox1(name) || IsBox2(name)) {
        const int slot = IsBox1(name) ? 1 : 3;
        if (!BetPress(game_, slot)) return;
        held_ = Held::Bet;
        heldSlot_ = slot;
        heldName_ = slot == 1 ? "Bet1" : "Bet3";
        heldHome_ = slot == 1 ? QPointF(Bet1Left, Bet1Top) : QPointF(Bet3Left, Bet3Top);
        pressPoint_ = point;
        if (slot == 3) player_.Scene().Item("Ring3")->hide();
        return;
    }
    if (name == "Bet2" || name == "Ring2") SplitBetPress(game_, 2);
    else if (name == "Bet4" || name == "Ring4") SplitBetPress(game_, 4);
}

void TTableGestures::Move(QPointF point) {
    NoteBettingStep();
    const QPointF moved = point - pressPoint_;
    switch (held_) {
    case Held::Chip: {
        if (!game_.ChipDragActive) return;
        QGraphicsItem* moving = player_.Scene().Item("MovingChip");
        player_.HideBetPrompts();
        // The chip follows the pointer, but never to the right of its column.
        moving->setPos(heldHome_.x() + std::min<qreal>(moved.x(), 0), heldHome_.y() + moved.y());
        if (moving->y() < DealerLine) {
            game_.ChipDragActive = false;
            held_ = Held::Nothing;
            player_.ExchangeChip(heldValue_);
        }
        return;
    }
    case Held::Card: {
        if (!game_.CardDragActive) return;
        QGraphicsItem* card = player_.Scene().Item(heldName_);
        card->setPos(heldHome_ + moved);
        if (DragSplits(static_cast<int>(heldHome_.x()), static_cast<int>(card->x())) &&
            SplitByDrag(game_, heldSlot_) == 0)
            player_.Scene().Home(heldName_);
        if (!game_.CardDragActive) HomeSecondCards();
        return;
    }
    case Held::Bet: {
        if (!game_.ChipDragActive) return;
        QGraphicsItem* bet = player_.Scene().Item(heldName_);
        // Up or sideways, never down.
        bet->setPos(heldHome_.x() + moved.x(), heldHome_.y() + std::min<qreal>(moved.y(), 0));
        const QString ring = heldSlot_ == 1 ? "Ring1" : "Ring3";
        switch (BetMoved(game_, heldSlot_, static_cast<int>(bet->x()), static_cast<int>(bet->y()))) {
        case BetDrag::Surrendered:
            // The round flow settles the surrender; the dealer takes the bet and half of it comes back.
            held_ = Held::Nothing;
            PutBetHome();
            break;
        case BetDrag::SlidesBack:
            held_ = Held::Nothing;
            PutBetHome();
            break;
        case BetDrag::Away:
            player_.Scene().Item(ring)->hide();
            break;
        case BetDrag::Home:
            break;
        }
        return;
    }
    default:
        return;
    }
}

void TTableGestures::Release(QPointF point) {
    NoteBettingStep();
    const Held held = held_;
    held_ = Held::Nothing;
    switch (held) {
    case Held::HalfChip: player_.ShowRefusal(HalfChipRefusal(game_.Rules().TableMinimum)); break;
    case Held::Chip: ReleaseChip(point); break;
    case Held::Card: ReleaseCard(); break;
    case Held::Bet: ReleaseBet(point); break;
    default: break;
    }
}

void TTableGestures::ReleaseChip(QPointF) {
    if (!game_.ChipDragActive) return; // the exchange ended the drag
    game_.ChipDragActive = false;
    ChipItem* moving = player_.Scene().Chip("MovingChip");
    const int left = static_cast<int>(moving->x());
    const QPointF dropped = moving->pos();
    moving->hide();
    moving->setPos(heldHome_);
    moving->setZValue(0);
    // A chip that is bet flies from its column to the spot; a chip that is not flies home from where it was
    // dropped, so the player sees that nothing was bet, and nothing changes.
    if (zvx::ReleaseChip(game_, heldValue_, left) == ChipRelease::BackToRack && dropped != heldHome_)
        player_.SendChipHome(heldValue_, dropped);
    moving->SetValue(heldValue_);
    player_.ShowBankroll();
}

void TTableGestures::HomeSecondCards() {
    for (const char* name : {"pos12", "pos22", "pos32", "pos42"}) player_.Scene().Home(name);
}

void TTableGestures::ReleaseCard() {
    HomeSecondCards();
    SecondCardRelease(game_, heldSlot_);
}

void TTableGestures::PutBetHome() {
    player_.Scene().Home(heldName_);
    const QString ring = heldSlot_ == 1 ? "Ring1" : "Ring3";
    const ChipItem* bet = player_.Scene().Chip(heldName_);
    player_.Scene().Item(ring)->setVisible(bet->isVisible() && bet->Count() >= 2);
}

void TTableGestures::ReleaseBet(QPointF) {
    const QGraphicsItem* bet = player_.Scene().Item(heldName_);
    const int left = static_cast<int>(bet->x());
    const int top = static_cast<int>(bet->y());
    PutBetHome();
    BetReleased(game_, heldSlot_, left, top);
}

} // namespace zvx::gui
