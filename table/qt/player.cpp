#include "table/qt/player.h"

#include <QApplication>
#include <QMessageBox>
#include <QScrollBar>
#include <QVBoxLayout>

#include <cmath>
#include <cstdlib>

#include "engine/startup.h"
#include "shell/qt/event_waits.h"
#include "shell/qt/main_form.h"
#include "table/layout.h"
#include "table/chip_gestures.h"
#include "table/pacing.h"
#include "table/qt/table_gestures.h"

namespace zvx::gui {

namespace {

constexpr const char* Caption = "CASINO BLACKJACK";
constexpr std::array<int, 4> SweepOrder = {2, 1, 4, 3};

QString Q(const std::string& text) { return QString::fromStdString(text); }

bool IsInput(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::ContextMenu:
        return true;
    default:
        return false;
    }
}

// A step toward a target that stops short by less than the step count.
int TowardTarget(double distance, int steps) {
    const int step = StepOffset(static_cast<int>(std::lround(std::fabs(distance))), steps);
    return distance < 0 ? -step : step;
}

} // namespace

// Keeps the window alive while one of its calls is on the stack: their pauses and waits run the menus, and a
// reset or a new game there closes this window, which must then wait until the call has returned.
class StayScope {
public:
    explicit StayScope(TPlayer& player) : player_(player) { ++player_.onStack_; }
    ~StayScope() {
        if (--player_.onStack_ > 0 || !player_.deleteWhenIdle_) return;
        player_.deleteWhenIdle_ = false;
        if (player_.deferredParent_) player_.deferredParent_->deleteLater();
        else player_.deleteLater();
    }
    StayScope(const StayScope&) = delete;
    StayScope& operator=(const StayScope&) = delete;

private:
    TPlayer& player_;
};

// Marks the window busy with an animation (the player's input waits for it), and keeps it alive meanwhile.
class BusyScope {
public:
    explicit BusyScope(TPlayer& player) : player_(player), stay_(player) { ++player_.busy_; }
    ~BusyScope() { --player_.busy_; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    TPlayer& player_;
    StayScope stay_;
};

TPlayer::TPlayer(TMainForm& main, Game& game, QWidget* parent) : QWidget(parent), main_(main), game_(game) {
    setObjectName("Player");
    setWindowTitle(Caption);
    scene_ = new TTableScene(this);
    view_ = new TTableView(scene_, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    new TTableGestures(*this, game_);
    connect(scene_->SpeedBar(), &QScrollBar::valueChanged, this, [this](int position) {
        if (game_.AutoPlay) game_.SimulationDelay = 101 - position;
    });
}

TPlayer::~TPlayer() {
    if (pausing_ > 0) qApp->removeEventFilter(this);
}

QPointF TPlayer::ToScene(QPoint windowPoint) const {
    return view_->mapToScene(view_->mapFrom(this, windowPoint));
}

int TPlayer::Speed() const {
    const int speed = game_.Prefs().AnimationSpeed;
    return speed >= MinAnimationSpeed ? speed : DefaultAnimationSpeed;
}

ChipItem* TPlayer::Spot(int hand, int spot) const { return scene_->Chip(Q(SpotName(hand, spot))); }

void TPlayer::Show(const QString& name, bool visible) {
    if (QGraphicsItem* item = scene_->Item(name)) item->setVisible(visible);
}

// --- Game start and the waits ------------------------------------------------------------------------------

void TPlayer::BeginGame() {
    dealerNet_ = 0;
    const bool autoPlay = game_.AutoPlay;
    Show("ScrollBar1", autoPlay);
    Show("Edit1", autoPlay);
    Show("AdvicePanel", false);
    if (autoPlay) {
        scene_->SpeedBar()->setValue(50);
        game_.SimulationDelay = 50;
        for (const char* name : {"AdvicePanelBorder", "AdvicePanel1", "AdvicePanel2"}) Show(name, false);
    }
    scene_->Chip("MovingChip")->SetValue(ColumnFor(game_.CurrentBet));
}

void TPlayer::ProcessEvents() {
    StayScope stay(*this);
    LetEventsRun();
}

void TPlayer::WaitForPlayer() {
    StayScope stay(*this);
    WaitForNextEvent();
}

void TPlayer::Pause(int units) { PauseFor(PauseLength(game_, units)); }

void TPlayer::AdvicePause(int units) { PauseFor(AdvicePauseLength(game_, units)); }

void TPlayer::PauseFor(std::chrono::nanoseconds length) {
    if (length.count() <= 0) return;
    BusyScope busy(*this);
    if (pausing_++ == 0) qApp->installEventFilter(this);
    // A stop (a reset, a Run item, the window closing) cuts the pause short: the game has only to unwind.
    PauseOnClock(length, [this] { return game_.StopRequested || !game_.TableShown; });
    if (--pausing_ == 0) qApp->removeEventFilter(this);
}

bool TPlayer::event(QEvent* event) {
    if (event->type() == QEvent::ParentChange && parentWidget()) parentWidget()->installEventFilter(this);
    if (event->type() == QEvent::DeferredDelete && onStack_ > 0) {
        deleteWhenIdle_ = true;
        deferredParent_ = nullptr;
        return true;
    }
    return QWidget::event(event);
}

bool TPlayer::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::DeferredDelete && onStack_ > 0 && watched == parentWidget()) {
        deleteWhenIdle_ = true;
        deferredParent_ = watched;
        return true;
    }
    // The table takes no input while it pauses; the menus do, so a reset or a new game is never held up.
    if (pausing_ > 0 && IsInput(event->type())) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && (widget == this || isAncestorOf(widget))) return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TPlayer::Beep() {
    if (game_.Prefs().SoundOn) QApplication::beep();
}

void TPlayer::Repaint() { view_->viewport()->update(); }

void TPlayer::Step(QGraphicsItem* item, int n, int dx, int dy) {
    item->show();
    for (int i = 0; i < n; ++i) {
        item->moveBy(dx, dy);
        Repaint();
        if (OnStep) OnStep();
        Pause(pauses::SlideStep);
    }
}

// --- Cards ---------------------------------------------------------------------------------------------------

void TPlayer::ClearTable() {
    for (const Place& place : TableLayout())
        if (place.Kind == PlaceKind::CardPlace) {
            CardPlaceItem* card = scene_->Card(Q(place.Name));
            card->hide();
            card->SetPicture(0);
        }
    for (const char* name : {"Hand1", "Hand2", "Hand3", "Hand4"}) Show(name, false);
    ShowPointer(0);
    Repaint();
}

void TPlayer::ShowCard(int slot, const TCard& card) {
    // The position comes from the hand, not from the slot code alone, whose eleventh card of a hand would
    // name the next hand's first place.
    const int position = card.Slot - 10 * slot;
    const Place* place = PlaceForCard(slot, position);
    if (!place) return;
    BusyScope busy(*this);
    CardPlaceItem* item = scene_->Card(Q(place->Name));
    const bool holeCard = slot == DealerSlot && position == 2;
    item->SetPicture(holeCard ? CardBackPicture(game_.Shoe.CardBackStyle) : card.Face);
    const int n = DealSteps(Speed(), place->Top);
    const int dx = TowardTarget(place->Left - DealOrigin.X, n);
    const int dy = StepOffset(place->Top - DealOrigin.Y, n);
    item->setPos(DealOrigin.X, DealOrigin.Y);
    item->show();
    Repaint();
    Step(item, n, dx, dy);
    item->setPos(place->Left, place->Top);
    Repaint();
}

void TPlayer::RevealHoleCard() {
    const THand& dealer = game_.Hands[DealerSlot];
    if (dealer.Finished || dealer.CardCount < 2 || !dealer.Cards[2]) return;
    BusyScope busy(*this);
    CardPlaceItem* card = scene_->Card("pos2");
    const QPointF home = card->pos();
    const int width = card->Width();
    const int n = FlipSteps(Speed());
    const int w = FlipWidthStep(n);
    card->show();
    card->SetStretched(true);
    for (int i = 0; i < n; ++i) {
        card->moveBy(w, 0);
        card->SetWidth(card->Width() - 2 * w);
        Repaint();
        Pause(pauses::FlipStep);
    }
    // The flip lets the menus run: a reset there has taken the hole card away.
    if (const TCard* hole = dealer.Cards[2]) card->SetPicture(hole->Face);
    for (int i = 0; i < n; ++i) {
        card->moveBy(-w, 0);
        card->SetWidth(card->Width() + 2 * w);
        Repaint();
        Pause(pauses::FlipStep);
    }
    card->setPos(home);
    card->SetWidth(width);
    card->SetStretched(false);
    Repaint();
}

void TPlayer::MoveCard(int fromSlot, int toSlot) {
    const QString sourceName = Q(CardPlaceName(fromSlot, 2));
    const Place& target = PlaceNamed(CardPlaceName(toSlot, 1));
    CardPlaceItem* source = scene_->Card(sourceName);
    CardPlaceItem* moving = scene_->Card(Q(target.Name));
    if (!source || !moving) return;
    BusyScope busy(*this);
    moving->SetPicture(source->Picture());
    moving->setPos(source->pos());
    moving->show();
    source->hide();
    const double dx = target.Left - source->x();
    const int n = SplitSteps(Speed(), static_cast<int>(dx));
    const int dy = -StepOffset(static_cast<int>(std::lround(std::fabs(target.Top - source->y()))), n);
    Step(moving, n, TowardTarget(dx, n), dy);
    moving->setPos(target.Left, target.Top);
    scene_->Home(sourceName);
    source->SetPicture(0);
    Repaint();
}

bool TPlayer::FirstPlaceShown(int slot) {
    const CardPlaceItem* first = scene_->Card(Q(CardPlaceName(slot, 1)));
    return first && first->isVisible();
}

void TPlayer::ShowPointer(int slot) {
    QGraphicsItem* pointer = scene_->Item("Pointer");
    if (slot >= 1 && slot <= 4) pointer->setX(PointerLeft(slot));
    // One hand on the table needs no pointer: it shows only while hand 3 holds cards.
    pointer->setVisible(slot != 0 && scene_->Item("pos31")->isVisible());
    Repaint();
}

void TPlayer::ShowHandText(int slot, const std::string& text) {
    if (slot < 1 || slot > 4) return;
    PanelItem* panel = scene_->Panel(QString("Hand%1").arg(slot));
    panel->SetText(Q(text));
    panel->show();
    Repaint();
}

void TPlayer::ShowAdvice(const std::string& text) {
    if (!game_.AutoPlay) {
        ShowLimitPanels();
        return;
    }
    game_.SimulationDelay = 101 - scene_->SpeedBar()->value();
    PanelItem* panel = scene_->Panel("AdvicePanel");
    panel->SetColours(Qt::blue, Qt::white);
    panel->SetText(Q(text));
    panel->show();
    Repaint();
    if (text.empty()) return;
    AdvicePause(game_.SimulationDelay);
    panel->hide();
    Repaint();
}

void TPlayer::SlideCutCard(bool show) {
    QGraphicsItem* cut = scene_->Item("CutCard");
    // Nothing to take away when the cut card is not on the table.
    if (!show && !cut->isVisible()) return;
    BusyScope busy(*this);
    const int n = CutCardSteps(Speed());
    const Point target = show ? CutCardHome : CutCardGone;
    if (show) cut->setPos(DealOrigin.X, DealOrigin.Y);
    const int dx = RoundedStepOffset(static_cast<int>(target.X - cut->x()), n);
    const int dy = RoundedStepOffset(static_cast<int>(target.Y - cut->y()), n);
    Step(cut, n, dx, dy);
    cut->setPos(target.X, target.Y);
    if (!show) cut->hide();
    Repaint();
    Pause(pauses::ChipFlight);
}

void TPlayer::AnimateShuffle() {
    BusyScope busy(*this);
    Pause(pauses::BeforeShuffle);
    ClearTable();
    SlideCutCard(false);
    const int speed = Speed();
    const int cards = ShuffleFlickerCards(speed);
    const int pause = ShuffleFlickerPause(speed);
    CardPlaceItem* left = scene_->Card("pos11");
    CardPlaceItem* right = scene_->Card("pos12");
    left->setPos(ShuffleLeftCard.X, ShuffleLeftCard.Y);
    right->setPos(ShuffleRightCard.X, ShuffleRightCard.Y);
    left->show();
    right->show();
    Repaint();
    Pause(pauses::ShuffleSettle);
    const ShoeState& shoe = game_.Shoe;
    for (int d = 41 - cards; d <= 40 && d < shoe.ShoeSize; ++d) {
        const int face = shoe.At(d).Face;
        left->SetPicture(face);
        left->moveBy(1, 0);
        Repaint();
        Pause(pause);
        right->SetPicture(face);
        right->moveBy(-1, 0);
        Repaint();
        Pause(pause);
    }
    Pause(pauses::ShuffleSettle);
    left->hide();
    right->hide();
    scene_->Home("pos11");
    scene_->Home("pos12");
    Repaint();
}

// --- Chips -----------------------------------------------------------------------------------------------------

void TPlayer::ShowChipStacks() {
    for (const Place& place : TableLayout()) {
        if (place.Kind != PlaceKind::RackChip && place.Kind != PlaceKind::RackOutline) continue;
        const auto count = game_.ChipCounts[static_cast<std::size_t>(ChipKind(place.Value))];
        const bool shown = place.Kind == PlaceKind::RackChip ? count > 0 : OutlineShown(static_cast<int>(count), place.Threshold);
        Show(Q(place.Name), shown);
    }
    Repaint();
}

void TPlayer::ShowBankroll() {
    PanelItem* bank = scene_->Panel("BankPanel");
    bank->SetText(Q(BankText(game_.Bankroll)));
    bank->show();
    Repaint();
}

void TPlayer::ShowLimitPanels() {
    const LimitTexts texts = LimitPanelTexts(game_.Rules().TableMinimum);
    const QColor background = NamedColour(ChipColour(game_.Rules().TableMinimum));
    const QColor ink = texts.WhiteText ? Qt::white : Qt::black;
    PanelItem* minimum = scene_->Panel("AdvicePanel1");
    PanelItem* maximum = scene_->Panel("AdvicePanel2");
    minimum->SetColours(background, ink);
    maximum->SetColours(background, ink);
    minimum->SetText(Q(texts.Minimum));
    maximum->SetText(Q(texts.Maximum));
    for (const char* name : {"AdvicePanelBorder", "AdvicePanel1", "AdvicePanel2"}) Show(name, true);
    Repaint();
}

void TPlayer::NewChipRack() {
    // A new bankroll starts the books of the table afresh.
    dealerNet_ = 0;
    ShowChipStacks();
    ShowAdvice("");
    ShowBankroll();
}

void TPlayer::ColourUpChips() {
    BusyScope busy(*this);
    zvx::ColourUpChips(game_, *this);
    LoadHeldChipFor(game_.CurrentBet);
}

void TPlayer::PrepareChipsFor(int amount) {
    BusyScope busy(*this);
    zvx::PrepareChipsFor(game_, *this, amount);
    LoadHeldChipFor(game_.CurrentBet);
}

void TPlayer::LoadHeldChipFor(int amount) {
    const int column = ColumnFor(amount);
    ChipItem* held = scene_->Chip("MovingChip");
    const Place& rack = PlaceNamed(RackChipName(column));
    held->SetValue(column);
    held->setPos(rack.Left, rack.Top);
    held->hide();
}

void TPlayer::LoadHeldChip(int amount) { LoadHeldChipFor(amount); }

void TPlayer::TakeMovingChipFromBox1() { scene_->Chip("MovingChip")->SetValue(scene_->Chip("Bet1")->Value()); }

void TPlayer::FlyChip(int value, QPointF from, QPointF to) {
    ChipItem* moving = scene_->Chip("MovingChip");
    moving->SetValue(value);
    moving->setPos(from);
    const QPointF distance = to - from;
    const int n = ChipSteps(Speed(), static_cast<int>(distance.x()), static_cast<int>(distance.y()));
    Step(moving, n, TowardTarget(distance.x(), n), TowardTarget(distance.y(), n));
    moving->setPos(to);
}

void TPlayer::ShowSpotRing(ChipItem* spot, const QString& ring) {
    OutlineItem* outline = scene_->Outline(ring);
    outline->SetColour(NamedColour(ChipColour(spot->Value())));
    outline->setVisible(spot->isVisible() && spot->Count() >= 2);
}

// The ring needs no flag here: it shows whenever a second chip of the same value lands on the spot.
void TPlayer::PlaceBetChip(int amount, int slot, bool) { PlaceChipOn(amount, Q(SpotName(slot, 1))); }

void TPlayer::PlaceChipOn(int amount, const QString& spotName) {
    BusyScope busy(*this);
    ChipItem* spot = scene_->Chip(spotName);
    LoadHeldChipFor(amount);
    ShowChipStacks();
    if (spotName == "Bet1" && !spot->isVisible()) ClearTable();
    const std::optional<int> value = TakeChipFor(game_, *this, amount);
    if (!value) return; // the rack cannot make the chip: nothing is bet
    ShowChipStacks();
    HideBetPrompts();
    LoadHeldChipFor(amount);
    const QPointF from = scene_->Item("MovingChip")->pos();
    FlyChip(*value, from, spot->pos());
    // A second chip of the same value lies under the first and shows as the ring.
    spot->SetCount(spot->isVisible() && spot->Value() == *value ? spot->Count() + 1 : 1);
    spot->SetValue(*value);
    spot->show();
    QString ring = spotName;
    ring.replace(0, 3, "Ring");
    ShowSpotRing(spot, ring);
    scene_->Item("MovingChip")->hide();
    Repaint();
    Pause(pauses::ChipFlight);
    ShowBankroll();
    zvx::ColourUpChips(game_, *this);
    Pause(pauses::BetChip);
}

bool TPlayer::SpotHasChips(int slot) { return Spot(slot, 1)->isVisible(); }

bool TPlayer::RingShown(int slot) { return scene_->Item(Q(RingName(slot, 1)))->isVisible(); }

double TPlayer::ChipsOnSpot(int slot) {
    const ChipItem* spot = Spot(slot, 1);
    return spot->isVisible() ? ChipWorth(spot->Value()) * spot->Count() : 0;
}

double TPlayer::ChipsOnTable() const {
    double sum = 0;
    for (const Place& place : TableLayout()) {
        if (place.Kind != PlaceKind::BetSpot) continue;
        const ChipItem* spot = scene_->Chip(Q(place.Name));
        if (spot->isVisible()) sum += ChipWorth(spot->Value()) * spot->Count();
    }
    return sum;
}

void TPlayer::ShowDoubleChips(int slot) {
    const QString spot = Q(SpotName(slot, 2));
    if (scene_->Item(spot)->isVisible()) return;
    // A bet of two chips doubles with two chips, each of half the bet.
    PlaceChipOn(game_.CurrentBet, spot);
    if (game_.PairedChips) PlaceChipOn(game_.CurrentBet, spot);
}

void TPlayer::DealerPaysChips(int value, int count, const QString& spotName) {
    ChipItem* spot = scene_->Chip(spotName);
    QString ring = spotName;
    ring.replace(0, 3, "Ring");
    for (int i = 0; i < count; ++i) {
        Repaint();
        FlyChip(value, QPointF(DealerTray.X, DealerTray.Y), spot->pos());
        spot->SetCount(spot->isVisible() && spot->Value() == value ? spot->Count() + 1 : 1);
        spot->SetValue(value);
        spot->show();
        ShowSpotRing(spot, ring);
        dealerNet_ -= ChipWorth(value);
        scene_->Item("MovingChip")->hide();
        Repaint();
        Pause(pauses::ChipFlight);
    }
    LoadHeldChipFor(game_.CurrentBet);
}

void TPlayer::DealerTakesChip(const QString& spotName) {
    ChipItem* spot = scene_->Chip(spotName);
    if (!spot->isVisible()) return;
    QString ring = spotName;
    ring.replace(0, 3, "Ring");
    Show(ring, false);
    spot->hide();
    FlyChip(spot->Value(), spot->pos(), QPointF(DealerTray.X, DealerTray.Y));
    dealerNet_ += ChipWorth(spot->Value()) * spot->Count();
    spot->SetValue(0);
    spot->SetCount(0);
    scene_->Item("MovingChip")->hide();
    Repaint();
    Pause(pauses::ChipFlight);
}

void TPlayer::PayOnto(int hand, double amount) {
    for (const SpotChips& chips : PayoutChips(amount, SpotCount(hand)))
        DealerPaysChips(chips.Value, chips.Count, Q(SpotName(hand, chips.Spot)));
}

void TPlayer::ShowHandResult(int slot, double ratio) {
    if (slot < 1 || slot > 4) return;
    BusyScope busy(*this);
    const int bet = game_.Hands[static_cast<std::size_t>(slot)].StrategyBets[1];
    ShowHandText(slot, HandResultText(ratio, bet));
    const bool surrender = std::fabs(ratio + 0.5) < 0.001;
    if (ratio < 0 && !surrender) {
        DealerTakesChip(Q(SpotName(slot, 1)));
        DealerTakesChip(Q(SpotName(slot, 2)));
    } else if (surrender) {
        // The surrender gesture moves the chips itself; computer play (and the menu item) leave them on the
        // spot, and then the dealer takes the bet and half of it comes back here.
        if (Spot(slot, 1)->isVisible()) {
            DealerTakesChip(Q(SpotName(slot, 1)));
            DealerTakesChip(Q(SpotName(slot, 2)));
            PayOnto(slot, 0.5 * bet);
        }
    } else if (std::fabs(ratio - 1.5) < 0.001 && (slot == 1 || slot == 3)) {
        PayOnto(slot, 1.5 * bet);
    } else {
        PayOnto(slot, bet);
        Pause(pauses::EvenMoney);
    }
    Repaint();
    for (const int hand : {1, 2, 3, 4})
        if (Spot(hand, 3)->isVisible()) {
            Pause(pauses::PayoutShown);
            break;
        }
}

void TPlayer::ReturnChipToStack(const QString& spotName) {
    ChipItem* spot = scene_->Chip(spotName);
    const int value = spot->Value();
    const int count = spot->Count();
    LoadHeldChipFor(value);
    const QPointF column = scene_->Item("MovingChip")->pos();
    spot->hide();
    FlyChip(value, spot->pos(), column);
    scene_->Item("MovingChip")->hide();
    Repaint();
    Pause(pauses::ChipFlight);
    AdjustChips(game_, value, count);
    spot->SetValue(0);
    spot->SetCount(0);
    ShowChipStacks();
    ShowBankroll();
}

void TPlayer::ReturnAllChips() {
    BusyScope busy(*this);
    for (const int hand : SweepOrder)
        for (int s = SpotCount(hand); s >= 1; --s) {
            if (!Spot(hand, s)->isVisible()) continue;
            Show(Q(RingName(hand, s)), false);
            ReturnChipToStack(Q(SpotName(hand, s)));
        }
    Repaint();
    emit roundSwept();
}

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

// --- Betting prompts, menu items and boxes ---------------------------------------------------------------------

void TPlayer::ShowBetPrompts(bool twoHands) {
    Show("BetPanel", true);
    Show("Bet2Panel", twoHands);
    Repaint();
}

void TPlayer::HideBetPrompts() {
    Show("BetPanel", false);
    Show("Bet2Panel", false);
}

void TPlayer::ShowBetBox(int box) { Show(box == 2 ? "BetBox3" : "BetBox1", true); }

void TPlayer::RepeatLastBet() {
    if (game_.BettingOpen && game_.TableShown) zvx::RepeatLastBet(game_);
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

void TPlayer::ShowActionItems(unsigned items) { main_.ShowActionItems(items); }

void TPlayer::HideActionItems(unsigned items) { main_.HideActionItems(items); }

void TPlayer::CloseTableWindow() { main_.CloseTableWindow(); }

bool TPlayer::AskYesNo(const std::string& question) {
    return QMessageBox::question(this, "ZVX", Q(question), QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) ==
           QMessageBox::Yes;
}

void TPlayer::ShowRefusal(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, "ZVX", Q(text), QMessageBox::Ok, this);
    box.exec();
}

void TPlayer::ShowDrillScore() { main_.ShowDrillScore(); }

void TPlayer::ShowAdviceBox(const std::string& text, int left, int top) {
    QMessageBox box(QMessageBox::Critical, "Advice", Q(text), QMessageBox::Ok, this);
    box.move(view_->viewport()->mapToGlobal(view_->mapFromScene(QPointF(left, top))));
    box.exec();
}

} // namespace zvx::gui
