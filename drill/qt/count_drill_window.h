#pragma once

#include "drill/count_drill.h"
#include "drill/count_drill_record.h"

#include <QElapsedTimer>
#include <QWidget>
#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class QTimer;

namespace zvx::gui {

class TDrillCards;
class TDiscardTrayView;

// The Count Drill: a window of its own in the main window's area. The player picks a counting system and one
// of three drills (the running count at a pace, the deck countdown against the clock, the true count from the
// discard tray), types the count when asked, and reads the verdict. Each finished session goes to the record.
class TCountDrillWindow : public QWidget {
    Q_OBJECT

  public:
    enum class Drill { Running, Countdown, TrueCount };

    // `shoe` gives the rules' decks, cut card and boxes, and the seed that repeats the shuffles when set.
    explicit TCountDrillWindow(const DrillShoeRules& shoe, QWidget* parent = nullptr);
    ~TCountDrillWindow() override;

    // The record the window adds to, and what it calls after each change (the keeper saves it).
    void SetRecord(const CountDrillRecord& record);
    const CountDrillRecord& Record() const { return record_; }
    void SetRecordChanged(std::function<void(const CountDrillRecord&)> changed);
    // Another shoe for the next session (the rules changed).
    void SetShoeRules(const DrillShoeRules& shoe) { shoe_ = shoe; }

    bool Running() const { return state_ != State::Idle; }
    QString ResultText() const;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    enum class State { Idle, Showing, Asking, Countdown, TrueQuestion, TrueAnswered };

    void CreateControls();
    void UpdateControls();
    Drill ChosenDrill() const;
    CountingSystemId ChosenSystem() const;
    double Seconds() const;

    void Start();
    void Stop();
    void ShowNextGroup();
    void AskCount();
    void Check();
    void CheckRunning(int typed);
    void CheckCountdown(int typed);
    void CheckTrueCount();
    void TurnCard();
    void ShowTrueQuestion();
    void FinishSession(const CountSessionResult& session);
    void TickClock();
    void ShowBest();

    DrillShoeRules shoe_;
    CountDrillRecord record_;
    std::function<void(const CountDrillRecord&)> recordChanged_;
    State state_ = State::Idle;
    std::unique_ptr<RunningCountDrill> running_;
    std::unique_ptr<DeckCountdown> countdown_;
    std::unique_ptr<TrueCountDrill> trueCount_;
    QElapsedTimer elapsed_;
    double questionStart_ = 0.0;
    std::int64_t startedAt_ = 0;
    QString sessionSummary_; // the last session's figures

    QComboBox* system_ = nullptr;
    QComboBox* drill_ = nullptr;
    QComboBox* group_ = nullptr;
    QDoubleSpinBox* pace_ = nullptr;
    QSpinBox* cards_ = nullptr;
    QCheckBox* stops_ = nullptr;
    QPushButton* start_ = nullptr;
    QStackedWidget* stage_ = nullptr;
    TDrillCards* cardView_ = nullptr;
    TDiscardTrayView* tray_ = nullptr;
    QLabel* prompt_ = nullptr;
    QLabel* clock_ = nullptr;
    QLabel* decksLabel_ = nullptr;
    QLineEdit* decks_ = nullptr;
    QLabel* countLabel_ = nullptr;
    QLineEdit* count_ = nullptr;
    QPushButton* check_ = nullptr;
    QLabel* result_ = nullptr;
    QLabel* best_ = nullptr;
    QTimer* dealTimer_ = nullptr;
    QTimer* clockTimer_ = nullptr;
};

} // namespace zvx::gui
