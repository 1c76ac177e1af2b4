#include "table/qt/player.h"

#include <QApplication>
#include <QMessageBox>
#include <QScrollBar>
#include <QVBoxLayout>

#include <cmath>
#include <cstdlib>

#include "engine/startup.h"
#include "exact/play_cost.h"
#include "shell/qt/event_waits.h"
#include "shell/qt/main_form.h"
#include "table/layout.h"
#include "table/chip_gestures.h"
#include "table/pacing.h"
#include "table/qt/player_support.h"
#include "table/qt/table_gestures.h"

namespace zvx::gui {

namespace {

constexpr const char* Caption = "CASINO BLACKJACK";

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

} // namespace

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
    // The advice's own words, and beneath them what the play costs by the exact engine.
    const std::string shown = game_.Drill.LastCost ? text + "\n" + PlayCostText(*game_.Drill.LastCost) : text;
    QMessageBox box(QMessageBox::Critical, "Advice", Q(shown), QMessageBox::Ok, this);
    box.move(view_->viewport()->mapToGlobal(view_->mapFromScene(QPointF(left, top))));
    box.exec();
}

} // namespace zvx::gui
