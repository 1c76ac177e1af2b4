#include "drill/qt/count_drill_window.h"

#include "drill/qt/count_drill_window_views.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>
#include <optional>

namespace zvx::gui {

namespace {

constexpr int ClockMilliseconds = 100;
constexpr int MostDrillCards = 8 * CardsInDeck;

QString Signed(int n) {
    return n > 0 ? QStringLiteral("+%1").arg(n) : QString::number(n);
}
QString Signed(double x, int decimals) {
    // A figure that shows as zero shows without a sign, never as "-0.0".
    QString text = QString::number(x, 'f', decimals);
    if (text.toDouble() == 0) return QString::number(0.0, 'f', decimals);
    return x > 0 ? "+" + text : text;
}
QString RightOrWrong(bool right) {
    return right ? QObject::tr("right") : QObject::tr("wrong");
}

// A typed figure: digits with an optional sign and, where allowed, a decimal point or comma.
std::optional<double> Figure(const QString& text) {
    QString t = text.trimmed();
    t.replace(',', '.');
    if (t.isEmpty() || t == "+" || t == "-") return std::nullopt;
    bool ok = false;
    const double value = t.toDouble(&ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return value;
}

} // namespace

TCountDrillWindow::TCountDrillWindow(const DrillShoeRules& shoe, QWidget* parent)
    : QWidget(parent), shoe_(shoe) {
    setWindowTitle(tr("Count Drill"));
    setObjectName("CountDrillWindow");
    CreateControls();
    ShowBest();
    UpdateControls();
}

TCountDrillWindow::~TCountDrillWindow() = default;

void TCountDrillWindow::SetRecord(const CountDrillRecord& record) {
    record_ = record;
    ShowBest();
}

void TCountDrillWindow::SetRecordChanged(std::function<void(const CountDrillRecord&)> changed) {
    recordChanged_ = std::move(changed);
}

QString TCountDrillWindow::ResultText() const {
    return result_->text();
}

void TCountDrillWindow::CreateControls() {
    system_ = new QComboBox(this);
    system_->setObjectName("CountSystem");
    for (const CountingSystem& system : CountingSystems())
        system_->addItem(QString::fromUtf8(system.Name.data(), static_cast<qsizetype>(system.Name.size())),
                         static_cast<int>(system.Id));
    drill_ = new QComboBox(this);
    drill_->setObjectName("DrillKind");
    drill_->addItems({tr("Running count"), tr("Deck countdown"), tr("True count")});
    group_ = new QComboBox(this);
    group_->setObjectName("CardsAtATime");
    group_->addItems({tr("One"), tr("Two"), tr("A round")});
    pace_ = new QDoubleSpinBox(this);
    pace_->setObjectName("Pace");
    pace_->setRange(SlowestPace, FastestPace);
    pace_->setSingleStep(0.5);
    pace_->setDecimals(1);
    pace_->setValue(2.0);
    pace_->setSuffix(tr(" cards a second"));
    cards_ = new QSpinBox(this);
    cards_->setObjectName("DrillCards");
    cards_->setRange(0, MostDrillCards);
    cards_->setSpecialValueText(tr("To the cut card"));
    stops_ = new QCheckBox(tr("Rando&m stops"), this);
    stops_->setObjectName("RandomStops");
    stops_->setToolTip(tr("Ask for the count now and then on the way, not only at the end"));
    start_ = new QPushButton(tr("Start"), this);
    start_->setObjectName("StartDrill");
    // The main window's menus and its play items own Alt and the letters of their names (File, Run, Options,
    // Help, Bet, Stand, Hit, Double, Split, Surrender, Hint): the drill's access keys keep clear of them, and
    // Start, whose letters are all taken, has a key of its own.
    start_->setShortcut(Qt::Key_F5);
    start_->setToolTip(tr("Start or stop the drill (F5)"));

    auto* settings = new QGridLayout;
    auto addSetting = [&](int row, int column, const QString& label, QWidget* field) {
        auto* l = new QLabel(label, this);
        l->setBuddy(field);
        settings->addWidget(l, row, column);
        settings->addWidget(field, row, column + 1);
    };
    addSetting(0, 0, tr("S&ystem:"), system_);
    addSetting(0, 2, tr("&Which drill:"), drill_);
    addSetting(1, 0, tr("Cards &at a time:"), group_);
    addSetting(1, 2, tr("Pac&e:"), pace_);
    addSetting(2, 0, tr("&Cards:"), cards_);
    settings->addWidget(stops_, 2, 2, 1, 2);
    settings->addWidget(start_, 0, 4, 3, 1);
    settings->setColumnStretch(1, 1);
    settings->setColumnStretch(3, 1);

    cardView_ = new TDrillCards(this);
    cardView_->setObjectName("DrillCardsView");
    tray_ = new TDiscardTrayView(this);
    tray_->setObjectName("DiscardTray");
    stage_ = new QStackedWidget(this);
    stage_->addWidget(cardView_);
    stage_->addWidget(tray_);

    prompt_ = new QLabel(this);
    prompt_->setObjectName("DrillPrompt");
    clock_ = new QLabel(this);
    clock_->setObjectName("DrillClock");
    clock_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* promptRow = new QHBoxLayout;
    promptRow->addWidget(prompt_, 1);
    promptRow->addWidget(clock_);

    // Counts and deck figures only: a sign, digits, and a decimal point where a fraction makes sense.
    decks_ = new QLineEdit(this);
    decks_->setObjectName("DecksLeftField");
    decks_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(R"(\d{0,2}([.,]\d{0,2})?)"), decks_));
    decksLabel_ = new QLabel(tr("Decks &left:"), this);
    decksLabel_->setBuddy(decks_);
    count_ = new QLineEdit(this);
    count_->setObjectName("CountField");
    count_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(R"([+-]?\d{0,3}([.,]\d{0,2})?)"), count_));
    countLabel_ = new QLabel(tr("Co&unt:"), this);
    countLabel_->setBuddy(count_);
    check_ = new QPushButton(tr("Chec&k"), this);
    check_->setObjectName("CheckCount");
    auto* answerRow = new QHBoxLayout;
    answerRow->addWidget(decksLabel_);
    answerRow->addWidget(decks_);
    answerRow->addWidget(countLabel_);
    answerRow->addWidget(count_);
    answerRow->addWidget(check_);
    answerRow->addStretch(1);

    result_ = new QLabel(this);
    result_->setObjectName("DrillResult");
    result_->setWordWrap(true);
    result_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    best_ = new QLabel(this);
    best_->setObjectName("DrillBest");
    best_->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(settings);
    layout->addWidget(stage_, 1);
    layout->addLayout(promptRow);
    layout->addLayout(answerRow);
    layout->addWidget(result_);
    layout->addWidget(best_);

    dealTimer_ = new QTimer(this);
    dealTimer_->setSingleShot(true);
    clockTimer_ = new QTimer(this);
    clockTimer_->setInterval(ClockMilliseconds);

    connect(start_, &QPushButton::clicked, this, &TCountDrillWindow::Start);
    connect(check_, &QPushButton::clicked, this, &TCountDrillWindow::Check);
    connect(count_, &QLineEdit::returnPressed, this, &TCountDrillWindow::Check);
    connect(decks_, &QLineEdit::returnPressed, this, [this] { count_->setFocus(); });
    connect(cardView_, &TDrillCards::Turned, this, &TCountDrillWindow::TurnCard);
    connect(dealTimer_, &QTimer::timeout, this, &TCountDrillWindow::ShowNextGroup);
    connect(clockTimer_, &QTimer::timeout, this, &TCountDrillWindow::TickClock);
    connect(drill_, &QComboBox::currentIndexChanged, this, &TCountDrillWindow::UpdateControls);
    connect(system_, &QComboBox::currentIndexChanged, this, &TCountDrillWindow::ShowBest);
}

TCountDrillWindow::Drill TCountDrillWindow::ChosenDrill() const {
    return static_cast<Drill>(drill_->currentIndex());
}

CountingSystemId TCountDrillWindow::ChosenSystem() const {
    return static_cast<CountingSystemId>(system_->currentData().toInt());
}

double TCountDrillWindow::Seconds() const {
    return elapsed_.isValid() ? static_cast<double>(elapsed_.nsecsElapsed()) / 1e9 : 0.0;
}

void TCountDrillWindow::UpdateControls() {
    const bool idle = state_ == State::Idle;
    const Drill drill = idle         ? ChosenDrill()
                        : running_   ? Drill::Running
                        : countdown_ ? Drill::Countdown
                                     : Drill::TrueCount;
    for (QWidget* w : {static_cast<QWidget*>(system_), static_cast<QWidget*>(drill_)})
        w->setEnabled(idle);
    for (QWidget* w : {static_cast<QWidget*>(group_), static_cast<QWidget*>(pace_),
                       static_cast<QWidget*>(cards_), static_cast<QWidget*>(stops_)})
        w->setEnabled(idle && drill == Drill::Running);
    start_->setText(idle ? tr("Start") : tr("Stop"));
    // A button's new text replaces its key with the text's access key (none here): F5 goes back on each time.
    start_->setShortcut(Qt::Key_F5);
    stage_->setCurrentWidget(drill == Drill::TrueCount ? static_cast<QWidget*>(tray_) : cardView_);
    decksLabel_->setVisible(drill == Drill::TrueCount);
    decks_->setVisible(drill == Drill::TrueCount);
    countLabel_->setText(drill == Drill::TrueCount ? tr("Tr&ue count:") : tr("Co&unt:"));

    const bool countdownDone = state_ == State::Countdown && countdown_ && countdown_->Finished();
    const bool answering = state_ == State::Asking || countdownDone || state_ == State::TrueQuestion;
    count_->setEnabled(answering);
    decks_->setEnabled(state_ == State::TrueQuestion);
    check_->setEnabled(answering || state_ == State::TrueAnswered);
    check_->setText(state_ == State::TrueAnswered ? tr("Ne&xt") : tr("Chec&k"));
    check_->setDefault(answering || state_ == State::TrueAnswered);
}

void TCountDrillWindow::Start() {
    if (state_ != State::Idle) {
        Stop();
        return;
    }
    running_.reset();
    countdown_.reset();
    trueCount_.reset();
    result_->clear();
    count_->clear();
    decks_->clear();
    cardView_->SetCards({});
    elapsed_.start();
    startedAt_ = QDateTime::currentSecsSinceEpoch();
    clockTimer_->start();
    TickClock();
    switch (ChosenDrill()) {
    case Drill::Running: {
        static constexpr DrillGroup Groups[] = {DrillGroup::One, DrillGroup::Two, DrillGroup::Round};
        const RunningDrillSettings settings{ChosenSystem(), Groups[std::clamp(group_->currentIndex(), 0, 2)],
                                            pace_->value(), cards_->value(), stops_->isChecked()};
        running_ = std::make_unique<RunningCountDrill>(shoe_, settings);
        state_ = State::Showing;
        prompt_->setText(tr("Count the cards: %1 of them at %2 a second.")
                             .arg(running_->Target())
                             .arg(running_->Settings().Pace, 0, 'g', 3));
        UpdateControls();
        cardView_->setFocus();
        ShowNextGroup();
        return;
    }
    case Drill::Countdown:
        countdown_ = std::make_unique<DeckCountdown>(ChosenSystem(), shoe_.Seed);
        state_ = State::Countdown;
        UpdateControls();
        cardView_->setFocus();
        TurnCard();
        return;
    case Drill::TrueCount:
        trueCount_ = std::make_unique<TrueCountDrill>(shoe_, ChosenSystem());
        ShowTrueQuestion();
        return;
    }
}

void TCountDrillWindow::Stop() {
    dealTimer_->stop();
    clockTimer_->stop();
    const bool wasRunning = state_ != State::Idle;
    state_ = State::Idle;
    // A session stopped part way keeps the counts it asked.
    if (wasRunning && running_) FinishSession(running_->Session());
    if (wasRunning && trueCount_) FinishSession(trueCount_->Session());
    prompt_->clear();
    UpdateControls();
}

void TCountDrillWindow::ShowNextGroup() {
    if (state_ != State::Showing || !running_) return;
    if (running_->CountDue()) {
        AskCount();
        return;
    }
    const auto group = running_->Deal();
    cardView_->SetCards(std::vector<int>(group.begin(), group.end()));
    dealTimer_->start(running_->GroupMilliseconds());
}

void TCountDrillWindow::AskCount() {
    dealTimer_->stop();
    cardView_->SetCards({});
    state_ = State::Asking;
    prompt_->setText(running_->Finished() ? tr("That was the last card. What is the running count?")
                                          : tr("Stop! What is the running count?"));
    count_->clear();
    UpdateControls();
    count_->setFocus();
}

void TCountDrillWindow::Check() {
    switch (state_) {
    case State::Asking:
    case State::Countdown: {
        const auto typed = Figure(count_->text());
        if (!typed || *typed != std::floor(*typed)) {
            result_->setText(tr("Type the running count as a whole number, such as +3 or -2."));
            count_->setFocus();
            return;
        }
        if (state_ == State::Asking)
            CheckRunning(static_cast<int>(*typed));
        else if (countdown_ && countdown_->Finished())
            CheckCountdown(static_cast<int>(*typed));
        return;
    }
    case State::TrueQuestion:
        CheckTrueCount();
        return;
    case State::TrueAnswered:
        trueCount_->NextQuestion();
        ShowTrueQuestion();
        return;
    case State::Idle:
    case State::Showing:
        return;
    }
}

void TCountDrillWindow::CheckRunning(int typed) {
    const RunningVerdict v = running_->Answer(typed, Seconds());
    const QString figures = tr("True count %1 with %2 decks left. %3 cards at %4 a second, %5 s.")
                                .arg(Signed(v.True, 1))
                                .arg(running_->Count().DecksLeft(), 0, 'f', 1)
                                .arg(v.CardsSeen)
                                .arg(v.Pace, 0, 'g', 3)
                                .arg(v.Seconds, 0, 'f', 1);
    result_->setText(v.Right ? tr("Right: the running count is %1. %2").arg(Signed(v.Running), figures)
                             : tr("Wrong: you said %1, the running count is %2. %3")
                                   .arg(Signed(v.Typed), Signed(v.Running), figures));
    if (running_->Finished()) {
        Stop();
        return;
    }
    state_ = State::Showing;
    prompt_->setText(tr("Go on counting."));
    UpdateControls();
    cardView_->setFocus();
    ShowNextGroup();
}

void TCountDrillWindow::TurnCard() {
    if (state_ != State::Countdown || !countdown_ || countdown_->Finished()) return;
    if (const auto card = countdown_->Turn()) cardView_->SetCards({*card});
    if (!countdown_->Finished()) {
        prompt_->setText(
            tr("Card %1 of %2: Space or a click for the next.").arg(countdown_->Turned()).arg(CardsInDeck));
        return;
    }
    prompt_->setText(tr("The deck is through. What is the count?"));
    count_->clear();
    UpdateControls();
    count_->setFocus();
}

void TCountDrillWindow::CheckCountdown(int typed) {
    const CountdownVerdict v = countdown_->Answer(typed, Seconds(), record_);
    const QString system = system_->currentText();
    QString text = v.Right ? tr("Right: a full deck counts to %1 in %2. %3 s.")
                                 .arg(Signed(v.Expected), system)
                                 .arg(v.Seconds, 0, 'f', 1)
                           : tr("Wrong: you said %1, and a full deck counts to %2 in %3. %4 s.")
                                 .arg(Signed(v.Typed), Signed(v.Expected), system)
                                 .arg(v.Seconds, 0, 'f', 1);
    if (v.NewBest) text += tr(" A new best time.");
    result_->setText(text);
    FinishSession(countdown_->Session());
    clockTimer_->stop();
    state_ = State::Idle;
    prompt_->clear();
    UpdateControls();
}

void TCountDrillWindow::ShowTrueQuestion() {
    const TrueCountQuestion& q = trueCount_->Question();
    tray_->SetTray(q.Tray(), false);
    state_ = State::TrueQuestion;
    questionStart_ = Seconds();
    prompt_->setText(tr("The running count is %1. How many decks are left, and what is the true count?")
                         .arg(Signed(q.Running)));
    decks_->clear();
    count_->clear();
    UpdateControls();
    decks_->setFocus();
}

void TCountDrillWindow::CheckTrueCount() {
    const auto decks = Figure(decks_->text());
    const auto trueCount = Figure(count_->text());
    if (!decks || !trueCount) {
        result_->setText(tr("Type the decks left (to the half deck, such as 2.5) and the true count."));
        (decks ? count_ : decks_)->setFocus();
        return;
    }
    const TrueCountVerdict v = trueCount_->Answer(*decks, *trueCount, Seconds() - questionStart_);
    tray_->SetTray(trueCount_->Question().Tray(), true);
    result_->setText(tr("Decks left: %1 exactly, %2 to the half deck; you said %3: %4. "
                        "True count: %5 exactly, %6 by the half deck; you said %7: %8.")
                         .arg(v.DecksExact, 0, 'f', 2)
                         .arg(v.DecksNearestHalf, 0, 'f', 1)
                         .arg(v.DecksTyped, 0, 'g', 3)
                         .arg(RightOrWrong(v.DecksRight))
                         .arg(Signed(v.TrueExact, 2), Signed(v.TrueByHalfDeck, 2), Signed(v.TrueTyped, 2),
                              RightOrWrong(v.TrueRight)));
    state_ = State::TrueAnswered;
    prompt_->setText(tr("Enter for the next shoe; Stop ends the session."));
    UpdateControls();
    check_->setFocus();
}

void TCountDrillWindow::FinishSession(const CountSessionResult& session) {
    if (session.Asked == 0) return;
    CountSessionResult kept = session;
    kept.Started = startedAt_;
    record_.Add(kept);
    // The true count drill shows no cards: its speed is the time an answer takes.
    const QString speed = kept.Cards > 0 ? tr("%1 cards a second").arg(kept.CardsPerSecond(), 0, 'f', 1)
                                         : tr("%1 s an answer").arg(kept.Seconds / kept.Asked, 0, 'f', 1);
    sessionSummary_ = tr("This session: %1 of %2 right (%3 %), %4.")
                          .arg(kept.Right)
                          .arg(kept.Asked)
                          .arg(100.0 * kept.Accuracy(), 0, 'f', 0)
                          .arg(speed);
    if (recordChanged_) recordChanged_(record_);
    ShowBest();
}

void TCountDrillWindow::TickClock() {
    clock_->setText(tr("%1 s").arg(Seconds(), 0, 'f', 1));
}

void TCountDrillWindow::ShowBest() {
    const auto best = record_.BestCountdownOf(ChosenSystem());
    const QString bestText =
        best ? tr("Best deck countdown in %1: %2 s.").arg(system_->currentText()).arg(*best, 0, 'f', 1)
             : tr("No deck countdown yet in %1.").arg(system_->currentText());
    best_->setText(sessionSummary_.isEmpty() ? bestText : sessionSummary_ + "  " + bestText);
}

void TCountDrillWindow::closeEvent(QCloseEvent* event) {
    Stop();
    event->accept();
}

} // namespace zvx::gui
