#pragma once

#include <QFont>
#include <QWidget>

#include <optional>
#include <utility>
#include <vector>

#include "analysis/screen_render.h"
#include "analysis/screens.h"
#include "engine/game_state.h"
#include "exact/background_figures.h"

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTimer;

namespace zvx::gui {

// The analysis window: the core's screen grid drawn as a string grid on a teal ground. The core decides
// every text, width and band; this window only copies them into widgets, and only when it is about to be
// seen, so the analysis can refresh the grid far more often than the screen is drawn.
class TSimForm : public QWidget {
    Q_OBJECT

public:
    explicit TSimForm(Game& game, QWidget* parent = nullptr);

    void Open();
    void Close();
    // After a closed hour; `clockSecond` is the wall clock's second count.
    void Refresh(int clockSecond);
    // Fills the value cells now (relabelling first when pending).
    void Redraw();
    // Copies a changed grid into the widgets.
    void ShowGrid();
    // A game file was named or loaded: the labels show its name, the cells what it holds.
    void GameFileNamed();
    // A game file was loaded into the run: what the run derived from the rules follows the loaded ones, and
    // no standard error is shown any more, since game files keep no hour-by-hour results.
    void GameFileLoaded();

    const ScreenGrid& Grid() const { return screens_.Grid; }
    // The grid on show: the risk view's while it is up, else the current screen's.
    const ScreenGrid& ShownGrid() const { return riskView_ ? riskGrid_ : screens_.Grid; }
    bool RiskViewShown() const { return riskView_; }
    std::uint8_t AnalysisScreen() const { return screens_.AnalysisScreen; }
    QTableWidget* SimGrid() const { return grid_; }
    QPushButton* Button1() const { return button1_; }
    QLineEdit* Edit1() const { return edit1_; }
    QString CellText(int column, int row) const;
    // The lines under the grid: each strategy's standard error, the hours played, the rules in force.
    QTableWidget* ErrorGrid() const { return errors_; }
    QLabel* HoursLine() const { return hours_; }
    QLabel* RulesLine() const { return rules_; }
    QLabel* ExactLine() const { return exact_; }
    // Under the risk view, in place of the error line (its own grid has the advantage's error): what its
    // figures measure.
    QLabel* RiskNotesLine() const { return riskNotes_; }
    // The error lines as the command line prints them under the statistics screen, for the run as it stands.
    std::vector<ScreenLine> ErrorLines() const;

public slots:
    // A click on the window, and the keys and menu item that do the same: the next screen.
    void FormClick();
    void ShowPreviousScreen();
    void Button1Click();
    // The risk and precision view (the R key and its menu item), beside the three screens: it leaves their
    // cycle as it is, and a click or the same key goes back to the screen it came from.
    void ToggleRiskView();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ApplyColumnWidths();
    void FitGrid();
    void ScaleText();
    static QFont Scaled(const QFont& base, double scale);
    int GridTextWidth(double scale) const;
    void ShowNotes();
    void ShowExact();
    void PollExact();

    Game& game_;
    AnalysisScreens screens_;
    QLabel* title_ = nullptr;
    QTableWidget* grid_ = nullptr;
    QLineEdit* edit1_ = nullptr;
    QPushButton* button1_ = nullptr;
    QTableWidget* errors_ = nullptr;
    QLabel* hours_ = nullptr;
    QLabel* rules_ = nullptr;
    // The playing strategy's exact advantage off the top, worked out aside for the rules and strategy of the
    // analysis, beside strategy #1's.
    QLabel* exact_ = nullptr;
    QLabel* riskNotes_ = nullptr;
    QTimer* exactPoll_ = nullptr;
    BackgroundFigures exactWork_;
    std::optional<std::pair<CasinoRules, StrategyTable>> exactAsked_;
    std::optional<double> exactAdvantage_;
    bool dirty_ = true;
    bool riskView_ = false;
    ScreenGrid riskGrid_;
    bool squaresKnown_ = true; // false once a game file was loaded into the run
    double textScale_ = 1.0;
    std::vector<std::pair<QWidget*, QFont>> baseFonts_; // the texts that grow with the window
};

} // namespace zvx::gui
