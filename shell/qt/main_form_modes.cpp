#include "shell/qt/main_form.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>

#include <ctime>
#include <filesystem>
#include <utility>

#include "analysis/analysis_run.h"
#include "analysis/qt/sim_form.h"
#include "exact/exact_texts.h"
#include "analysis/qt/strategy_intro_box.h"
#include "drill/qt/drill_desk.h"
#include "engine/action_items.h"
#include "engine/game_reset.h"
#include "engine/options_file.h"
#include "engine/round.h"
#include "engine/settlement.h"
#include "engine/shoe.h"
#include "engine/startup.h"
#include "table/qt/player.h"

namespace zvx::gui {

namespace {

constexpr unsigned AllActionItems =
    BetItem | StandItem | HitItem | DoubleItem | SplitItem | SurrenderItem | HintItem | Separators;

constexpr const char* ModeSeparator = " - ";

// The mode running, named in the window's title and at the left of its status bar, so that nobody takes the
// Practice Deck (which bets by itself and shows no result) for Normal Play; an empty name when no game runs.
void ShowModeName(QMainWindow& window, const QString& mode) {
    const QString program = window.windowTitle().section(ModeSeparator, 0, 0);
    window.setWindowTitle(mode.isEmpty() ? program : program + ModeSeparator + mode);
    auto* label = window.statusBar()->findChild<QLabel*>("ModeName");
    if (!label) {
        label = new QLabel(window.statusBar());
        label->setObjectName("ModeName");
        label->setContentsMargins(4, 0, 8, 0);
        window.statusBar()->insertWidget(0, label);
    }
    label->setText(mode == "Practice Deck" ? "PRACTICE DECK - decisions only, no money" : mode);
    label->setVisible(!mode.isEmpty());
}

} // namespace

// --- Game modes ----------------------------------------------------------------------------------------------

void TMainForm::ResetGame() {
    zvx::ResetGame(game_);
    HideActionItems(AllActionItems);
}

void TMainForm::GameReset1Click() {
    pendingMode_ = nullptr; // a mode picked a moment ago is stopped too
    ResetGame();
}

void TMainForm::RunMode() {
    HideActionItems(AllActionItems);
    if (!table_) {
        table_ = new TPlayer(*this, game_);
        AddFillingWindow(table_);
    }
    game_.Table = table_;
    game_.TableShown = true;
    game_.SingleStrategyMode = false; // the analysis window's single strategy never reaches the table
    game_.DecksChanged = false;
    game_.StopRequested = false;
    game_.CurrentBet = game_.Rules().TableMinimum;
    game_.Drill = {};
    drill_->setVisible(!game_.AutoPlay);
    ShowDrillScore();
    ShowModeName(*this, game_.AutoPlay           ? "Computer Simulated Play"
                        : game_.PracticeDeckMode ? "Practice Deck"
                                                 : "Normal Play");
    table_->BeginGame();
    NewBankroll(game_);
    ++runDepth_;
    RunGame(game_);
    EndGame();
    if (!closing_) ShowModeName(*this, {});
    HideActionItems(AllActionItems);
}

void TMainForm::ShowDrillScore() {
    drillDesk_->DecisionsChanged(statusBar());
    const auto& drill = game_.Drill;
    if (drill.Judged == 0) {
        drill_->setText("Decisions: none judged yet");
        return;
    }
    QString text = QString("Decisions: %1 of %2 as the strategy plays them (%3 %)")
                       .arg(drill.Matched)
                       .arg(drill.Judged)
                       .arg(100.0 * drill.Matched / drill.Judged, 0, 'f', 1);
    // The session's mistakes, priced by the exact engine.
    if (drill.Matched < drill.Judged) text += "; " + QString::fromStdString(SessionCostText(drill.Cost));
    drill_->setText(text);
}

void TMainForm::CloseTableWindow() {
    if (!table_) return;
    TPlayer* table = table_;
    table_ = nullptr;
    // The game loop may be inside the table's own code (an animation, a box over it, a gesture) and may
    // still call it on its way out: the table stays, hidden and left as the game's, until every game has
    // unwound.
    RetireWindow(table, table);
}

void TMainForm::RetireWindow(QWidget* widget, TPlayer* table) {
    QWidget* window = widget;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(widget->parentWidget())) window = sub;
    window->hide();
    retiredWindows_.push_back({window, table});
    if (runDepth_ == 0) DropRetiredWindows(Deletion::Deferred);
}

void TMainForm::DropRetiredWindows(Deletion deletion) {
    for (const RetiredWindow& retired : retiredWindows_) {
        if (retired.Table && game_.Table == retired.Table) game_.Table = nullptr;
        if (!retired.Window) continue;
        QWidget* window = retired.Window;
        // Through the deferred deletion even now: the table refuses it while one of its calls is on the stack.
        window->deleteLater();
        if (deletion == Deletion::Now) QCoreApplication::sendPostedEvents(window, QEvent::DeferredDelete);
    }
    retiredWindows_.clear();
}

void TMainForm::EndGame() {
    // Every game has unwound: delete now. Left to the event loop, the deletion would wait for a loop below
    // this one, and the next mode's waits never return there, so a player switching modes would keep every
    // table and analysis window of the session.
    if (--runDepth_ == 0) DropRetiredWindows(Deletion::Now);
}

void TMainForm::NormalPlay1Click() {
    game_.PracticeDeckMode = false;
    DestroyShoe(game_);
    BuildShoe(game_);
    ResetGame();
    game_.AutoPlay = false;
    RunMode();
}

void TMainForm::PracticeDeck1Click() {
    ResetGame();
    game_.PracticeDeckMode = true;
    DestroyShoe(game_);
    BuildShoe(game_);
    game_.AutoPlay = false;
    RunMode();
    if (closing_) return;
    game_.PracticeDeckMode = false;
    DestroyShoe(game_);
    BuildShoe(game_);
}

void TMainForm::Simulation1Click() {
    game_.PracticeDeckMode = false;
    DestroyShoe(game_);
    BuildShoe(game_);
    ResetGame();
    HideActionItems(AllActionItems);
    game_.AutoPlay = true;
    RunMode();
    game_.AutoPlay = false;
}

void TMainForm::AnalysisClick() {
    HideActionItems(AllActionItems);
    drill_->hide();
    game_.StopRequested = true;
    if (!game_.Options.HideStrategyIntro && !options_.Unattended) ShowStrategyIntro();
    if (closing_) return;
    PrepareAnalysisRun(game_); // a new shoe, the swing threshold, the reset (which closes the table)
    mdi_->repaint();
    if (!simForm_) {
        shownRunTime_ = {};
        simForm_ = new TSimForm(game_);
        AddFillingWindow(simForm_);
        simForm_->Open();
        game_.AnalysisWindowOpen = true;
    }
    game_.Shell = this;
    ++runDepth_;
    RunGame(game_);
    EndGame();
    FinishAnalysisRun(game_);
    HideActionItems(AllActionItems);
}

void TMainForm::ShowStrategyIntro() {
    TStrategyIntroBox box(this);
    box.exec();
    if (box.DoNotShowAgain()) {
        game_.Options.HideStrategyIntro = true;
        SaveStrategyIntroFlag();
    }
}

// The button names one option: the file gets that flag and keeps every other option as it was written, so
// changes the player chose not to save stay unsaved (and E&xit still asks about them).
void TMainForm::SaveStrategyIntroFlag() {
    if (options_.Unattended) return;
    Game stored;
    std::error_code ignored;
    if (std::filesystem::exists(options_.OptionsPath, ignored)) {
        // Only start-up sets a troubled file aside; here it is left alone and not written over.
        if (LoadOptions(stored, options_.OptionsPath, TroubledOptionsFile::LeaveInPlace).Troubled() || stored.FileError)
            return;
    } else {
        stored.Options.FirstRun = false;
        InstallDefaultOptions(stored);
        stored.Options.Prefs.AnimationSpeed = DefaultAnimationSpeed;
    }
    stored.Options.HideStrategyIntro = true;
    WriteOptionsTelling(stored);
}

// --- The analysis side of the game loop ------------------------------------------------------------------

void TMainForm::ProcessEvents() {
    if (!ticker_.Due()) return;
    if (simForm_) simForm_->ShowGrid();
    LetEventsRun();
}

void TMainForm::RefreshAnalysisWindow() {
    if (!simForm_) return;
    simForm_->Refresh(static_cast<int>(std::time(nullptr) & 0x7fffffff));
    shownRunTime_ = game_.RunTime;
}

void TMainForm::CloseAnalysisWindow() {
    if (!simForm_) return;
    TSimForm* form = simForm_;
    simForm_ = nullptr;
    // The reset that closes the window has cleared the run time already: the grid kept shows the time the
    // window last showed.
    const RunClock cleared = std::exchange(game_.RunTime, shownRunTime_);
    form->Redraw();
    game_.RunTime = cleared;
    lastGrid_ = form->Grid();
    lastErrorLines_ = form->ErrorLines();
    form->Close();
    RetireWindow(form, nullptr);
}

} // namespace zvx::gui
