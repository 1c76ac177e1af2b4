#include "table/qt/player.h"

#include <QApplication>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
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
constexpr int BoxGap = 8; // between a hand's cards and a question about them

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
    gestures_ = new TTableGestures(*this, game_);
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

int TPlayer::Speed() const { return TableSpeed(game_); }

ChipItem* TPlayer::Spot(int hand, int spot) const { return scene_->Chip(Q(SpotName(hand, spot))); }

void TPlayer::Show(const QString& name, bool visible) {
    if (QGraphicsItem* item = scene_->Item(name)) item->setVisible(visible);
}

// --- Game start and the waits ------------------------------------------------------------------------------

void TPlayer::BeginGame() {
    dealerNet_ = 0;
    gestures_->DropHeldBack();
    const bool autoPlay = game_.AutoPlay;
    Show("ScrollBar1", autoPlay);
    Show("Edit1", autoPlay);
    Show("AdvicePanel", false);
    // The Practice Deck looks like Normal Play but for this caption: it plays no money.
    Show("ModeCaption", game_.PracticeDeckMode);
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
    gestures_->PlayHeldBack();
    WaitForNextEvent();
}

void TPlayer::WaitForPlayerToGoOn(const std::string& prompt) {
    StayScope stay(*this);
    PanelItem* panel = scene_->Panel("AdvicePanel");
    panel->SetColours(Qt::blue, Qt::white);
    panel->SetText(Q(prompt));
    panel->show();
    Repaint();
    awaitingGoOn_ = true;
    qApp->installEventFilter(this);
    while (awaitingGoOn_ && !game_.StopRequested && game_.TableShown) WaitForNextEvent();
    qApp->removeEventFilter(this);
    awaitingGoOn_ = false;
    panel->hide();
    Repaint();
}

void TPlayer::Pause(int units) { PauseFor(PauseLength(game_, units)); }

void TPlayer::AdvicePause(int units) {
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    const int barAtStart = game_.SimulationDelay;
    for (;;) {
        // The speed bar moved during the pause changes it at once, counted from the text's start.
        const int delay = game_.SimulationDelay != barAtStart ? game_.SimulationDelay : units;
        const auto left = AdvicePauseLength(game_, delay) - (Clock::now() - start);
        if (left <= Clock::duration::zero() || game_.StopRequested || !game_.TableShown) return;
        PauseFor(std::min<std::chrono::nanoseconds>(left, std::chrono::milliseconds(50)));
    }
}

void TPlayer::StepPause(int units) { PauseFor(StepPauseLength(game_, units)); }

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
    if (awaitingGoOn_ && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress)) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && (widget == this || isAncestorOf(widget))) {
            awaitingGoOn_ = false;
            return true;
        }
    }
    // The table takes no input while it pauses; the menus do, so a reset or a new game is never held up.
    if (pausing_ > 0 && IsInput(event->type())) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && (widget == this || isAncestorOf(widget)) && !ForSpeedBar(widget, event)) {
            if (widget == view_->viewport()) gestures_->HoldBack(event);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// The speed bar stays live while the table pauses: computer play spends most of its time in pauses.
bool TPlayer::ForSpeedBar(QWidget* widget, QEvent* event) const {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return scene_->SpeedBarHasFocus();
    case QEvent::Wheel:
        return widget == view_->viewport() &&
               scene_->SpeedBarTakes(view_->mapToScene(static_cast<QWheelEvent*>(event)->position().toPoint()));
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        return widget == view_->viewport() &&
               scene_->SpeedBarTakes(view_->mapToScene(static_cast<QMouseEvent*>(event)->position().toPoint()));
    default:
        return false;
    }
}

void TPlayer::Beep() {
    if (game_.Prefs().SoundOn) QApplication::beep();
}

void TPlayer::Repaint() { view_->viewport()->update(); }

void TPlayer::Step(QGraphicsItem* item, int n, int dx, int dy) {
    using Clock = std::chrono::steady_clock;
    item->show();
    // The steps keep to a clock started with the first: a machine slow to paint skips pictures, never time,
    // so an animation takes its length however long a picture takes.
    const std::chrono::nanoseconds step = StepPauseLength(game_, pauses::SlideStep);
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < n; ++i) {
        item->moveBy(dx, dy);
        const Clock::time_point due = start + (i + 1) * step;
        if (step.count() > 0 && i + 1 < n && Clock::now() >= due) continue;
        Repaint();
        if (OnStep) OnStep();
        PauseFor(due - Clock::now());
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

bool TPlayer::AskYesNoBeside(const std::string& question, int slot) {
    QMessageBox box(QMessageBox::Question, "ZVX", Q(question), QMessageBox::Yes | QMessageBox::No, this);
    box.setDefaultButton(QMessageBox::Yes);
    box.adjustSize();
    // The hand's first two cards, in screen pixels: the box goes to their right, or to their left when the
    // screen ends there, level with them.
    const Place& first = PlaceNamed(CardPlaceName(slot, 1));
    const Place& second = PlaceNamed(CardPlaceName(slot, 2));
    const QRectF cards = QRectF(first.Left, first.Top, first.Width, first.Height)
                             .united(QRectF(second.Left, second.Top, second.Width, second.Height));
    const QRect onView = view_->mapFromScene(cards).boundingRect();
    const QRect global(view_->viewport()->mapToGlobal(onView.topLeft()), onView.size());
    const QSize size = box.sizeHint();
    const QRect screen = this->screen() ? this->screen()->availableGeometry() : QRect(QPoint(0, 0), global.bottomRight());
    QPoint at(global.right() + BoxGap, global.top());
    if (at.x() + size.width() > screen.right()) at.setX(global.left() - BoxGap - size.width());
    at.setY(std::clamp(at.y(), screen.top(), std::max(screen.top(), screen.bottom() - size.height())));
    box.move(at);
    return box.exec() == QMessageBox::Yes;
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
