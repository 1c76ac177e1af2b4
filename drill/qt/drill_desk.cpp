#include "drill/qt/drill_desk.h"

#include <QAction>
#include <QMenu>
#include <QMessageBox>
#include <QSettings>
#include <QStatusBar>

#include "drill/advice_cost.h"
#include "drill/drill_keeper.h"
#include "drill/qt/review_dialog.h"
#include "engine/game_state.h"
#include "shell/qt/message_boxes.h"

namespace zvx::gui {

namespace {

// The program's own settings, beside the window's geometry.
constexpr char SettingsOwner[] = "Zorvex";
constexpr char SettingsName[] = "zvx";
constexpr char WeakSpotKey[] = "Drill/WeakSpotPractice";
constexpr int StatusMessageMs = 15000;

} // namespace

TDrillDesk::TDrillDesk(Game& game, const std::string& recordPath, QWidget* window)
    : QObject(window), game_(game), window_(window), persistent_(!recordPath.empty()),
      keeper_(std::make_unique<DrillKeeper>(recordPath)) {
    if (const auto message = keeper_->Load()) startMessage_ = *message;
    keeper_->SetCostSource(MakeAdviceCosts());
    if (persistent_) keeper_->WeakSpotPractice = QSettings(SettingsOwner, SettingsName).value(WeakSpotKey, false).toBool();
    game_.DrillRecorder = keeper_.get();
}

TDrillDesk::~TDrillDesk() {
    if (game_.DrillRecorder == keeper_.get()) game_.DrillRecorder = nullptr;
}

void TDrillDesk::AddMenuItems(QMenu* menu) {
    auto* review = new QAction("&My Mistakes", this);
    review->setObjectName("Mistakes1");
    review->setStatusTip("Review the decisions you get wrong, with your accuracy and what the mistakes cost");
    connect(review, &QAction::triggered, this, &TDrillDesk::ShowReview);
    menu->addAction(review);
    weakSpots_ = new QAction("&Weak-Spot Practice", this);
    weakSpots_->setObjectName("WeakSpots1");
    weakSpots_->setStatusTip("The Practice Deck deals the hands you get wrong more often");
    weakSpots_->setCheckable(true);
    weakSpots_->setChecked(keeper_->WeakSpotPractice);
    connect(weakSpots_, &QAction::toggled, this, &TDrillDesk::SetWeakSpotPractice);
    menu->addAction(weakSpots_);
}

void TDrillDesk::SetWeakSpotPractice(bool on) {
    keeper_->WeakSpotPractice = on;
    if (weakSpots_ && weakSpots_->isChecked() != on) weakSpots_->setChecked(on);
    if (persistent_) QSettings(SettingsOwner, SettingsName).setValue(WeakSpotKey, on);
}

void TDrillDesk::TellStartMessage(QWidget* parent) {
    if (startMessage_.empty()) return;
    ShowMessageBox(parent, QMessageBox::Warning, "My Mistakes", QString::fromStdString(startMessage_));
    startMessage_.clear();
}

void TDrillDesk::DecisionsChanged(QStatusBar* bar) {
    if (review_ && review_->isVisible()) review_->Refresh();
    if (const auto message = keeper_->TakeMessage(); message && bar)
        bar->showMessage(QString::fromStdString(*message), StatusMessageMs);
}

TReviewDialog* TDrillDesk::Review() const { return review_; }

void TDrillDesk::ShowReview() {
    if (!review_) review_ = new TReviewDialog(*keeper_, window_);
    review_->Refresh();
    review_->show();
    review_->raise();
    review_->activateWindow();
}

} // namespace zvx::gui
