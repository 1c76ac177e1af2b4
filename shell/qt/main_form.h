#pragma once

#include <QMainWindow>
#include <QPointer>

#include <cstdint>
#include <optional>
#include <vector>

#include "analysis/screen_render.h"
#include "analysis/screens.h"
#include "engine/game_state.h"
#include "engine/shell_view.h"
#include "shell/qt/event_waits.h"

class QAction;
class QMdiArea;
class QLabel;
class QMdiSubWindow;
class QMenu;

namespace zvx::gui {

class TSimForm;
class TPlayer;
class TDrillDesk;

// How the program was started.
struct StartOptions {
    std::optional<std::uint32_t> Seed; // the whole program's shuffles repeat for this seed
    // No modal box of the start-up or of an analysis start is shown and no options file is written: for runs
    // that nobody watches (the benchmark and scripted analyses).
    bool Unattended = false;
    std::string OptionsPath = "ZVX.PRM";
    // The player's drill record and its settings are kept across sessions only when this names the file.
    std::string DrillRecordPath;
};

// The main window: a green frame whose child windows are the table, the analysis window and the option
// forms. It owns the game state, starts the modes from its menus and lets the game loop wait inside Qt.
class TMainForm : public QMainWindow, public ShellView {
    Q_OBJECT

public:
    explicit TMainForm(StartOptions options = {}, QWidget* parent = nullptr);
    ~TMainForm() override;

    Game& game() { return game_; }
    QMdiArea* mdiArea() const { return mdi_; }
    TSimForm* simForm() const;
    TPlayer* tableWindow() const;
    bool started() const { return started_; }
    bool gameRunning() const { return runDepth_ > 0; }
    int runDepth() const { return runDepth_; }
    // The analysis window's last grid, kept when the window closes.
    const ScreenGrid& lastAnalysisGrid() const { return lastGrid_; }
    // The error lines under that grid, as the run left them.
    const std::vector<ScreenLine>& lastAnalysisErrorLines() const { return lastErrorLines_; }

    // The menu bar's action items, shown and hidden by the round flow.
    void ShowActionItems(unsigned items);
    void HideActionItems(unsigned items);
    unsigned visibleActionItems() const;

    // ShellView: the analysis side of the game loop.
    void ProcessEvents() override;
    void RefreshAnalysisWindow() override;
    void CloseAnalysisWindow() override;

    // Runs the start-up now if the window has not been activated yet.
    void AppOnActivate();

    // Runs SaveOptions and tells the player, once a session, when the file cannot be written.
    bool SaveOptionsTelling();

    // Waits, handling events, until an option form sets OptionsReturn; then closes the forms.
    void WaitForOptionForm();

    // The status bar's score of the player's decisions in Normal Play and Practice Deck.
    void ShowDrillScore();

    // The table window asks to go (the game reset closes it).
    void CloseTableWindow();

public slots:
    void GameReset1Click();
    void Print1Click();
    void SaveFileClick();
    void SaveAs1Click();
    void LoadFileClick();
    void Exit1Click();
    void NormalPlay1Click();
    void PracticeDeck1Click();
    void Simulation1Click();
    void AnalysisClick();
    void Rules1Click();
    void StratOptionsClick();
    void Preferences1Click();
    void Topics1Click();
    void AboutClick();
    void MenuButtonClick();
    void BetButtonClick();
    void StandButtonClick();
    void HitButtonClick();
    void DoubleButtonClick();
    void SplitButtonClick();
    void SurrenderButtonClick();
    void HintButtonClick();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createMenus();
    // Child windows have no frame and fill the main window's client area, following its size.
    QMdiSubWindow* AddFillingWindow(QWidget* widget);
    void FitChildWindows();
    void ShowStartHint();
    QAction* addAction(QMenu* menu, const QString& name, const QString& caption, const QString& tip,
                       void (TMainForm::*handler)());
    // A Run item: its handler is started through StartMode.
    QAction* addModeAction(QMenu* menu, const QString& name, const QString& caption, const QString& tip,
                           void (TMainForm::*handler)());
    // Starts a mode's handler; while a game runs, that game is reset first and the mode starts once it has
    // unwound, so that games never run inside one another's waits.
    void StartMode(void (TMainForm::*mode)());
    QAction* addBarItem(const QString& name, const QString& caption, const QString& tip,
                        void (TMainForm::*handler)());
    void RunMode();
    void ResetGame();
    void ReleaseWaits();
    void Beep();
    void ShowStrategyIntro();
    void SaveStrategyIntroFlag();
    // Writes the options of `from` to the options file, telling the player once a session when it fails.
    bool WriteOptionsTelling(Game& from);
    bool ConfirmClose();
    void RestoreTableWindow();
    // Windows a mode closed while a game ran (the table, the analysis window): hidden, and deleted once
    // every game has unwound.
    void RetireWindow(QWidget* widget, TPlayer* table);
    enum class Deletion { Now, Deferred };
    void DropRetiredWindows(Deletion deletion);
    // A game's run returns: the last one out frees what the games retired.
    void EndGame();
    enum class OptionForm { Rules, Strategy, Preferences };
    void OpenOptionForm(OptionForm form);
    QWidget* CreateOptionForm(OptionForm form);
    void CloseOptionForms();
    // Game files: the picker's name for a save (the naming rule applied) and for a load, the write with its
    // message, and the analysis window's label.
    bool PickSaveName(const std::string& proposed);
    void WriteGameFileTelling();
    void RelabelAnalysisWindow();

    StartOptions options_;
    Game game_;
    QMdiArea* mdi_ = nullptr;
    QPointer<TSimForm> simForm_;
    QPointer<TPlayer> table_;
    QPointer<QWidget> optionForm_;
    QLabel* drill_ = nullptr;
    QLabel* startHint_ = nullptr;
    TDrillDesk* drillDesk_ = nullptr;
    QAction* dash1_ = nullptr;
    QAction* bet_ = nullptr;
    QAction* dash2_ = nullptr;
    QAction* stand_ = nullptr;
    QAction* hit_ = nullptr;
    QAction* double_ = nullptr;
    QAction* split_ = nullptr;
    QAction* surrender_ = nullptr;
    QAction* hint_ = nullptr;
    EventTicker ticker_;
    ScreenGrid lastGrid_;
    std::vector<ScreenLine> lastErrorLines_;
    RunClock shownRunTime_; // as the analysis window last showed it
    bool started_ = false;
    bool saveFailureTold_ = false;
    bool closing_ = false;
    int runDepth_ = 0;
    void (TMainForm::*pendingMode_)() = nullptr;
    struct RetiredWindow {
        QPointer<QWidget> Window;
        TPlayer* Table; // the game's table until it is deleted; null for other windows
    };
    std::vector<RetiredWindow> retiredWindows_;
};

} // namespace zvx::gui
