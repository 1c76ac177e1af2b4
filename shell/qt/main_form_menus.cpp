#include "shell/qt/main_form.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "analysis/qt/sim_form.h"
#include "engine/action_items.h"
#include "drill/qt/count_drill_window_desk.h"
#include "drill/qt/drill_desk.h"
#include "engine/table_view.h"
#include "table/qt/player.h"

namespace zvx::gui {

// --- Menus -----------------------------------------------------------------------------------------------

QAction* TMainForm::addAction(QMenu* menu, const QString& name, const QString& caption, const QString& tip,
                              void (TMainForm::*handler)()) {
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    action->setStatusTip(tip);
    if (handler) connect(action, &QAction::triggered, this, handler);
    menu->addAction(action);
    return action;
}

QAction* TMainForm::addModeAction(QMenu* menu, const QString& name, const QString& caption, const QString& tip,
                                  void (TMainForm::*handler)()) {
    QAction* action = addAction(menu, name, caption, tip, nullptr);
    connect(action, &QAction::triggered, this, [this, handler] { StartMode(handler); });
    return action;
}

void TMainForm::StartMode(void (TMainForm::*mode)()) {
    if (runDepth_ > 0) {
        // The running game lets go of its waits and unwinds; the outermost start below picks the mode up.
        pendingMode_ = mode;
        ResetGame();
        return;
    }
    (this->*mode)();
    while (pendingMode_ && !closing_) (this->*std::exchange(pendingMode_, nullptr))();
    pendingMode_ = nullptr;
}

QAction* TMainForm::addBarItem(const QString& name, const QString& caption, const QString& tip,
                               void (TMainForm::*handler)()) {
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    action->setStatusTip(tip);
    action->setVisible(false);
    if (handler) connect(action, &QAction::triggered, this, handler);
    else action->setEnabled(false);
    menuBar()->addAction(action);
    return action;
}

void TMainForm::createMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("File1");
    addAction(file, "GameReset1", "&Reset Game", "Stop the game and return to the idle table", &TMainForm::GameReset1Click);
    addAction(file, "Print1", "&Print", "Print a picture of the main window", &TMainForm::Print1Click);
    addAction(file, "SaveFile", "&Save", "Save the game: rules, statistics and strategy", &TMainForm::SaveFileClick);
    addAction(file, "SaveAs1", "Save &As", "Save the game under a new name", &TMainForm::SaveAs1Click);
    addAction(file, "LoadFile", "&Load", "Load a saved game", &TMainForm::LoadFileClick);
    file->addSeparator();
    addAction(file, "Exit1", "E&xit", "Close the program", &TMainForm::Exit1Click);

    QMenu* run = menuBar()->addMenu("&Run");
    run->setObjectName("Run1");
    addModeAction(run, "NormalPlay1", "&Normal Play", "Play blackjack at the table", &TMainForm::NormalPlay1Click);
    addModeAction(run, "PracticeDeck1", "&Practice Deck", "Practise decisions on a deck of Aces to 9s",
              &TMainForm::PracticeDeck1Click);
    addModeAction(run, "Simulation1", "&Computer Simulated Play", "Watch the computer play at the table",
              &TMainForm::Simulation1Click);
    addModeAction(run, "Analysis", "&Betting and Rules Analysis", "Compare four betting strategies at full speed",
              &TMainForm::AnalysisClick);
    // The Count Drill is a window of its own beside the game, not a mode: opening it leaves a game as it is.
    (new TCountDrillDesk(game_, options_.DrillRecordPath, mdi_, this))->AddMenuItem(run);
    QAction* nextScreen = addAction(run, "NextScreen", "Next Analysis &Screen",
                                    "Show the analysis results in their next format (or press Space)", nullptr);
    connect(nextScreen, &QAction::triggered, this, [this] {
        if (simForm_) simForm_->FormClick();
    });
    QAction* riskView = addAction(run, "RiskView", "&Risk and Precision",
                                  "Show each betting strategy's spread, N0, DI, SCORE and risk of ruin (or press R)", nullptr);
    connect(riskView, &QAction::triggered, this, [this] {
        if (simForm_) simForm_->ToggleRiskView();
    });
    connect(run, &QMenu::aboutToShow, this, [this, nextScreen, riskView] {
        nextScreen->setEnabled(simForm_ != nullptr);
        riskView->setEnabled(simForm_ != nullptr);
    });

    QMenu* opts = menuBar()->addMenu("&Options");
    opts->setObjectName("Options1");
    addAction(opts, "Rules1", "&Casino Rules", "Decks, penetration, table minimum and the casino's rules",
              &TMainForm::Rules1Click);
    addAction(opts, "StratOptions", "&Playing Strategy", "Edit the playing strategy", &TMainForm::StratOptionsClick);
    opts->addSeparator();
    addAction(opts, "Preferences1", "&Other Preferences", "Sound, automatic minimum bets and animation speed",
              &TMainForm::Preferences1Click);
    opts->addSeparator();
    drillDesk_->AddMenuItems(opts);

    QMenu* help = menuBar()->addMenu("Hel&p");
    help->setObjectName("Help1");
    addAction(help, "Topics1", "&Topics", "Open the help", &TMainForm::Topics1Click)
        ->setShortcut(QKeySequence::HelpContents);
    addAction(help, "About", "&About ZVX", "About the program", &TMainForm::AboutClick);

    // A click on a menu title ends the wait of an open option form.
    for (QMenu* menu : {file, run, opts}) connect(menu, &QMenu::aboutToShow, this, &TMainForm::MenuButtonClick);

    dash1_ = addBarItem("Dash1", "|", {}, nullptr);
    bet_ = addBarItem("BetButton", "&Bet", "Bet the same as last time", &TMainForm::BetButtonClick);
    dash2_ = addBarItem("Dash2", "|", {}, nullptr);
    stand_ = addBarItem("StandButton", "&Stand", "Stand on this hand", &TMainForm::StandButtonClick);
    hit_ = addBarItem("HitButton", "&Hit", "Take another card", &TMainForm::HitButtonClick);
    double_ = addBarItem("DoubleButton", "&Double", "Double the bet and take one card", &TMainForm::DoubleButtonClick);
    split_ = addBarItem("SplitButton", "Spli&t", "Split the pair into two hands", &TMainForm::SplitButtonClick);
    surrender_ = addBarItem("SurrenderButton", "Surre&nder", "Give up half the bet", &TMainForm::SurrenderButtonClick);
    hint_ = addBarItem("HintButton", "H&int", "What the strategy would do", &TMainForm::HintButtonClick);
}

void TMainForm::ShowActionItems(unsigned items) {
    if (items & Separators) {
        dash1_->setVisible(true);
        dash2_->setVisible(true);
    }
    if (items & BetItem) bet_->setVisible(true);
    if (items & StandItem) stand_->setVisible(true);
    if (items & HitItem) hit_->setVisible(true);
    if (items & DoubleItem) double_->setVisible(true);
    if (items & SplitItem) split_->setVisible(true);
    if (items & SurrenderItem) surrender_->setVisible(true);
    if (items & HintItem) hint_->setVisible(true);
}

void TMainForm::HideActionItems(unsigned items) {
    if (items & Separators) {
        dash1_->setVisible(false);
        dash2_->setVisible(false);
    }
    if (items & BetItem) bet_->setVisible(false);
    if (items & StandItem) stand_->setVisible(false);
    if (items & HitItem) hit_->setVisible(false);
    if (items & DoubleItem) double_->setVisible(false);
    if (items & SplitItem) split_->setVisible(false);
    if (items & SurrenderItem) surrender_->setVisible(false);
    if (items & HintItem) hint_->setVisible(false);
}

unsigned TMainForm::visibleActionItems() const {
    unsigned items = 0;
    if (dash1_->isVisible() && dash2_->isVisible()) items |= Separators;
    if (bet_->isVisible()) items |= BetItem;
    if (stand_->isVisible()) items |= StandItem;
    if (hit_->isVisible()) items |= HitItem;
    if (double_->isVisible()) items |= DoubleItem;
    if (split_->isVisible()) items |= SplitItem;
    if (surrender_->isVisible()) items |= SurrenderItem;
    if (hint_->isVisible()) items |= HintItem;
    return items;
}
// --- Action items --------------------------------------------------------------------------------------------

void TMainForm::BetButtonClick() {
    if (game_.TableShown && table_) table_->RepeatLastBet();
    bet_->setVisible(false);
}
void TMainForm::StandButtonClick() { StandItemClick(game_); }
void TMainForm::HitButtonClick() { HitItemClick(game_); }
void TMainForm::DoubleButtonClick() { DoubleItemClick(game_); }
void TMainForm::SplitButtonClick() { SplitItemClick(game_); }
void TMainForm::SurrenderButtonClick() { SurrenderItemClick(game_); }
void TMainForm::HintButtonClick() { HintItemClick(game_); }

} // namespace zvx::gui
