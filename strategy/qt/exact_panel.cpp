#include "strategy/qt/exact_panel.h"

#include "exact/exact_texts.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace zvx::gui {

namespace {

// How often a computation under way is looked at; between computations the timer is stopped.
constexpr int PollMilliseconds = 100;

} // namespace

TExactPanel::TExactPanel(const Game& game, QWidget* parent) : QObject(parent), game_(game) {
    line_ = new QLabel(EditorWorkingText, parent);
    line_->setObjectName("ExactEdgeLabel");
    line_->setWordWrap(true);
    bestButton_ = new QPushButton("Load &Best Table", parent);
    bestButton_->setObjectName("BestButton");
    bestButton_->setToolTip("The table with the highest edge off the top for the rules in force");
    bestButton_->setEnabled(false);
    poll_ = new QTimer(this);
    poll_->setInterval(PollMilliseconds);
    connect(poll_, &QTimer::timeout, this, &TExactPanel::Poll);
    connect(bestButton_, &QPushButton::clicked, this, [this] {
        if (figures_) emit BestTableWanted(figures_->Best);
    });
}

void TExactPanel::Recompute(const StrategyTable& table) {
    if (asked_ == table) return; // a row chosen without a change: the figures stand
    asked_ = table;
    work_.Start(game_.Rules(), table);
    line_->setText(EditorWorkingText);
    poll_->start();
}

void TExactPanel::Poll() {
    auto figures = work_.Take();
    if (!figures) return;
    if (!work_.Busy()) poll_->stop();
    figures_ = std::move(figures);
    line_->setText(QString::fromStdString(EditorEdgeText(figures_->Edge, figures_->BestEdge)));
    bestButton_->setEnabled(true);
    emit FiguresShown();
}

} // namespace zvx::gui
