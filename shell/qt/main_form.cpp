#include "shell/qt/main_form.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QTimer>

#include <ctime>
#include <utility>

#include "analysis/analysis_run.h"
#include "analysis/qt/sim_form.h"
#include "analysis/qt/strategy_intro_box.h"
#include "engine/action_items.h"
#include "engine/game_reset.h"
#include "engine/options_file.h"
#include "engine/round.h"
#include "engine/settlement.h"
#include "engine/shoe.h"
#include "engine/startup.h"
#include "engine/table_view.h"
#include "options/qt/prefer_form.h"
#include "options/qt/rules_form.h"
#include "shell/game_file.h"
#include "shell/qt/about_boxes.h"
#include "shell/qt/file_ctrls.h"
#include "shell/qt/help_viewer.h"
#include "shell/qt/option_form.h"
#include "shell/qt/print_window.h"
#include "shell/qt/status_tips.h"
#include "strategy/qt/strategy_form.h"
#include "table/qt/player.h"

// The resources live in the GUI library, which a static link would otherwise leave unregistered.
static void RegisterResources() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(zvx);
        return true;
    }();
    (void)registered;
}

namespace zvx::gui {

namespace {

constexpr const char* ProgramCaption = "Zorvex Professional BlackJack";
constexpr const char* CaptionSuffix = " 32";
constexpr unsigned AllActionItems =
    BetItem | StandItem | HitItem | DoubleItem | SplitItem | SurrenderItem | HintItem | Separators;
// The client area of the main window when it is not maximised.
constexpr int ClientWidth = 636;
constexpr int ClientHeight = 400;
const QColor TableGreen(0, 128, 0);

} // namespace

TMainForm::TMainForm(StartOptions options, QWidget* parent) : QMainWindow(parent), options_(std::move(options)) {
    RegisterResources();
    setObjectName("MainForm");
    setWindowTitle(QString(ProgramCaption) + CaptionSuffix);
    mdi_ = new QMdiArea(this);
    mdi_->setObjectName("MdiArea");
    mdi_->setBackground(TableGreen);
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mdi_->installEventFilter(this);
    setCentralWidget(mdi_);
    createMenus();
    statusBar()->setSizeGripEnabled(false);
    drill_ = new QLabel(this);
    drill_->setObjectName("DrillScore");
    drill_->hide();
    statusBar()->addPermanentWidget(drill_);
    TidyStatusTips(*this, *drill_);
    resize(ClientWidth, ClientHeight + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
    game_.FixedSeed = options_.Seed;
}

TMainForm::~TMainForm() {
    // The engine outlives every window that talks to it; none may call back once the main window goes.
    game_.Table = nullptr;
    game_.Shell = nullptr;
}

TSimForm* TMainForm::simForm() const { return simForm_; }
TPlayer* TMainForm::tableWindow() const { return table_; }

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

    QMenu* opts = menuBar()->addMenu("&Options");
    opts->setObjectName("Options1");
    addAction(opts, "Rules1", "&Casion Rules", "Decks, penetration, table minimum and the casino's rules",
              &TMainForm::Rules1Click);
    addAction(opts, "StratOptions", "&Playing Strategy", "Edit the playing strategy", &TMainForm::StratOptionsClick);
    opts->addSeparator();
    addAction(opts, "Preferences1", "&Other Preferences", "Sound, automatic minimum bets and animation speed",
              &TMainForm::Preferences1Click);

    QMenu* help = menuBar()->addMenu("Hel&p");
    help->setObjectName("Help1");
    addAction(help, "Topics1", "&Topics", "Open the help", &TMainForm::Topics1Click);
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

// --- Start-up and closing ----------------------------------------------------------------------------------

bool TMainForm::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show) {
        // The start-up shows a modal box; it runs once the activation has been handled.
        if (!started_) QTimer::singleShot(0, this, &TMainForm::AppOnActivate);
    }
    return QMainWindow::event(event);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mdi_ && event->type() == QEvent::Resize) FitChildWindows();
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::FitChildWindows() {
    for (QMdiSubWindow* sub : mdi_->subWindowList()) sub->setGeometry(mdi_->viewport()->rect());
}

QMdiSubWindow* TMainForm::AddFillingWindow(QWidget* widget) {
    QMdiSubWindow* sub = mdi_->addSubWindow(widget, Qt::FramelessWindowHint);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setGeometry(mdi_->viewport()->rect());
    sub->show();
    return sub;
}

void TMainForm::AppOnActivate() {
    if (started_) return;
    started_ = true;
    StartUp(game_, options_.OptionsPath);
    setWindowTitle(QString(ProgramCaption) + CaptionSuffix);
    if (game_.Options.FirstRun) {
        if (!options_.Unattended) {
            TAboutHitBox box(this);
            box.exec();
        }
        game_.Options.FirstRun = false;
        if (!options_.Unattended) SaveOptionsTelling();
    }
}

bool TMainForm::SaveOptionsTelling() {
    if (options_.Unattended) return false;
    if (SaveOptions(game_, options_.OptionsPath)) return true;
    if (!saveFailureTold_) {
        saveFailureTold_ = true;
        QMessageBox::warning(this, "Options Not Saved",
                             QString("Your options could not be saved: \"%1\" cannot be written in the folder %2.\n\n"
                                     "They stay in force until you close the program.")
                                 .arg(QString::fromStdString(options_.OptionsPath),
                                      QDir::toNativeSeparators(QDir::currentPath())));
    }
    return false;
}

bool TMainForm::ConfirmClose() {
    return QMessageBox::question(this, windowTitle(), "CLOSE BlackJack?", QMessageBox::Yes | QMessageBox::Cancel,
                                 QMessageBox::Cancel) == QMessageBox::Yes;
}

// Everything that must end the game sets these together; they release every wait of the game loop and of
// an open option form.
void TMainForm::ReleaseWaits() {
    game_.StopRequested = true;
    game_.SimulationDelay = 0;
    game_.ActiveHand = 0;
    game_.PlayerAction = Stand;
    for (auto& hand : game_.Hands) hand.Finished = true;
    game_.ChosenBet = game_.Rules().TableMinimum;
    game_.OptionsReturn = true;
}

void TMainForm::Exit1Click() {
    if (!ConfirmClose()) return;
    game_.ExitRequested = true;
    ReleaseWaits();
    close();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    // A second close (the application quitting after the first) finds the work already done.
    if (closing_) {
        event->accept();
        return;
    }
    if (!game_.ExitRequested && !ConfirmClose()) {
        event->ignore();
        return;
    }
    game_.ExitRequested = true;
    ReleaseWaits();
    if (game_.OptionsChanged) {
        Beep();
        if (QMessageBox::question(this, windowTitle(), "EXIT ZVX - Do You Want to Save OPTIONS?",
                                  QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes)
            SaveOptionsTelling();
    }
    closing_ = true;
    // The objects the game loop uses live as long as this window; a loop still on the stack falls through
    // its waits and returns before the application's main loop ends and the window is destroyed.
    event->accept();
}

void TMainForm::Beep() {
    if (game_.Prefs().SoundOn) QApplication::beep();
}

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
    table_->BeginGame();
    NewBankroll(game_);
    ++runDepth_;
    RunGame(game_);
    if (--runDepth_ == 0) DropRetiredTables();
    HideActionItems(AllActionItems);
}

void TMainForm::ShowDrillScore() {
    const auto& drill = game_.Drill;
    if (drill.Judged == 0) {
        drill_->setText("Decisions: none judged yet");
        return;
    }
    drill_->setText(QString("Decisions: %1 of %2 as the strategy plays them (%3 %)")
                        .arg(drill.Matched)
                        .arg(drill.Judged)
                        .arg(100.0 * drill.Matched / drill.Judged, 0, 'f', 1));
}

void TMainForm::CloseTableWindow() {
    if (!table_) return;
    TPlayer* table = table_;
    table_ = nullptr;
    QWidget* window = table;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(table->parentWidget())) window = sub;
    window->hide();
    // The game loop may be inside the table's own code (an animation, a box over it, a gesture) and may
    // still call it on its way out: the table stays, hidden and left as the game's, until every game has
    // unwound.
    retiredTables_.push_back({window, table});
    if (runDepth_ == 0) DropRetiredTables();
}

void TMainForm::DropRetiredTables() {
    for (const RetiredTable& retired : retiredTables_) {
        if (game_.Table == retired.Table) game_.Table = nullptr;
        if (retired.Window) retired.Window->deleteLater();
    }
    retiredTables_.clear();
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
        simForm_ = new TSimForm(game_);
        AddFillingWindow(simForm_);
        simForm_->Open();
        game_.AnalysisWindowOpen = true;
    }
    game_.Shell = this;
    ++runDepth_;
    RunGame(game_);
    if (--runDepth_ == 0) DropRetiredTables();
    FinishAnalysisRun(game_);
    HideActionItems(AllActionItems);
}

void TMainForm::ShowStrategyIntro() {
    TStrategyIntroBox box(this);
    box.exec();
    if (box.DoNotShowAgain()) {
        game_.Options.HideStrategyIntro = true;
        SaveOptionsTelling();
    }
}

// --- The analysis side of the game loop ------------------------------------------------------------------

void TMainForm::ProcessEvents() {
    if (!ticker_.Due()) return;
    if (simForm_) simForm_->ShowGrid();
    LetEventsRun();
}

void TMainForm::RefreshAnalysisWindow() {
    if (simForm_) simForm_->Refresh(static_cast<int>(std::time(nullptr) & 0x7fffffff));
}

void TMainForm::CloseAnalysisWindow() {
    if (!simForm_) return;
    TSimForm* form = simForm_;
    simForm_ = nullptr;
    form->Redraw();
    lastGrid_ = form->Grid();
    form->Close();
    if (auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget())) {
        sub->hide();
        sub->deleteLater();
    } else {
        form->hide();
        form->deleteLater();
    }
}

// --- Option forms ------------------------------------------------------------------------------------------

QWidget* TMainForm::CreateOptionForm(OptionForm form) {
    switch (form) {
    case OptionForm::Rules: return new TRulesForm(game_);
    case OptionForm::Strategy: return new TStrategyForm(game_);
    case OptionForm::Preferences: return new TPreferForm(game_);
    }
    return nullptr;
}

void TMainForm::OpenOptionForm(OptionForm kind) {
    game_.SaveOptionsOnReturn = false;
    CloseOptionForms();
    QWidget* form = CreateOptionForm(kind);
    if (!form) return;
    optionForm_ = form;
    AddFillingWindow(form);
    switch (kind) {
    case OptionForm::Rules: game_.RulesFormOpen = true; break;
    case OptionForm::Strategy: game_.StrategyFormOpen = true; break;
    case OptionForm::Preferences: game_.PreferencesFormOpen = true; break;
    }
    game_.OptionsReturn = false;
    if (kind != OptionForm::Strategy) game_.DecksChanged = false;
    WaitForOptionForm();
    if (closing_) return;
    if (kind == OptionForm::Rules) {
        if (game_.DecksChanged) {
            DestroyShoe(game_);
            BuildShoe(game_);
            ResetGame();
        }
        if (game_.LimitsChanged) NewBankroll(game_);
    }
}

void TMainForm::WaitForOptionForm() {
    while (!game_.OptionsReturn) WaitForNextEvent();
    MenuButtonClick();
}

void TMainForm::CloseOptionForms() {
    if (!optionForm_) return;
    QWidget* form = optionForm_;
    optionForm_ = nullptr;
    if (auto* optionForm = qobject_cast<OptionFormWidget*>(form)) optionForm->LeaveForm();
    game_.RulesFormOpen = game_.StrategyFormOpen = game_.PreferencesFormOpen = false;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget())) {
        sub->hide();
        sub->deleteLater();
    } else {
        form->deleteLater();
    }
}

void TMainForm::MenuButtonClick() {
    game_.OptionsReturn = true;
    CloseOptionForms();
    if (game_.SaveOptionsOnReturn) {
        game_.SaveOptionsOnReturn = false;
        SaveOptionsTelling();
    }
    if (game_.TableShown) RestoreTableWindow();
}

void TMainForm::RestoreTableWindow() {
    if (table_ && table_->parentWidget()) table_->parentWidget()->setGeometry(mdi_->viewport()->rect());
}

void TMainForm::Rules1Click() { OpenOptionForm(OptionForm::Rules); }
void TMainForm::StratOptionsClick() { OpenOptionForm(OptionForm::Strategy); }
void TMainForm::Preferences1Click() { OpenOptionForm(OptionForm::Preferences); }

// --- Files, help, print ------------------------------------------------------------------------------------

bool TMainForm::PickSaveName(const std::string& proposed) {
    TFileCtrls picker(this);
    const auto picked = picker.Pick(QString::fromStdString(proposed), TFileCtrls::Purpose::Save);
    if (!picked) return false;
    const auto name = GameFileToSave(picked->Folder.toStdString(), picked->Name.toStdString(),
                                     QDir::currentPath().toStdString());
    if (!name) return false;
    game_.GameFileName = *name;
    return true;
}

void TMainForm::RelabelAnalysisWindow() {
    if (simForm_) simForm_->GameFileNamed();
}

// Both saves say when the file could not be written: a game the player believes saved would be lost.
void TMainForm::WriteGameFileTelling() {
    std::error_code why;
    if (SaveGameFile(game_, game_.GameFileName, &why)) return;
    const QString file = QDir::toNativeSeparators(QFileInfo(QString::fromStdString(game_.GameFileName)).absoluteFilePath());
    QMessageBox::warning(this, "Game Not Saved",
                         QString("The game could not be saved as \"%1\": %2.\n\nNothing was written. Use Save As to "
                                 "choose another name or folder.")
                             .arg(file, QString::fromStdString(why.message())));
}

void TMainForm::SaveFileClick() {
    if (game_.GameFileName.empty() && !PickSaveName({})) return;
    RelabelAnalysisWindow();
    WriteGameFileTelling();
}

void TMainForm::SaveAs1Click() {
    game_.FileError = false;
    if (!PickSaveName(game_.GameFileName)) return;
    RelabelAnalysisWindow();
    WriteGameFileTelling();
}

void TMainForm::LoadFileClick() {
    if (!game_.TableShown && !game_.AnalysisWindowOpen) {
        QMessageBox::information(this, windowTitle(), "Load Game File AFTER You Start Playing");
        return;
    }
    TFileCtrls picker(this);
    const auto picked = picker.Pick(QString::fromStdString(game_.GameFileName), TFileCtrls::Purpose::Load);
    if (!picked) return;
    const std::string folder = picked->Folder.toStdString();
    const std::string here = QDir::currentPath().toStdString();
    // The file picked is the file read, whatever the case of its name; later saves go to the upper-case name.
    const std::string path = GameFileToLoad(folder, picked->Name.toStdString(), here);
    const GameFileLoad result = LoadGameFile(game_, path);
    if (result == GameFileLoad::NotFound) {
        Beep();
        QMessageBox box(QMessageBox::Question, windowTitle(), "ERROR... File Not Found!", QMessageBox::Ok, this);
        box.exec();
        return;
    }
    if (result != GameFileLoad::Ok) {
        Beep();
        QMessageBox::warning(this, "Game Not Loaded",
                             QString("\"%1\" is not a game file: %2.\n\nNothing was loaded; your game goes on as it was.")
                                 .arg(QDir::toNativeSeparators(QFileInfo(QString::fromStdString(path)).absoluteFilePath()),
                                      QString::fromStdString(GameFileLoadProblem(result))));
        return;
    }
    game_.GameFileName = GameFileToSave(folder, picked->Name.toStdString(), here).value_or(path);
    RelabelAnalysisWindow();
    // The loaded rules are in force from here; the table's limit panels follow the loaded minimum.
    if (game_.TableShown && game_.Table) game_.Table->NewChipRack();
}

void TMainForm::Print1Click() { PrintWindow(*this); }

void TMainForm::Topics1Click() { ShowHelpTopics(this); }

void TMainForm::AboutClick() {
    if (game_.AnalysisWindowOpen) {
        ShowStrategyIntro();
        return;
    }
    TAboutZVXBox box(this);
    box.exec();
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
