#include "shell/qt/main_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QProxyStyle>
#include <QStatusBar>
#include <QTimer>

#include <string>
#include <utility>

#include "analysis/qt/sim_form.h"
#include "drill/qt/drill_desk.h"
#include "engine/options_file.h"
#include "engine/startup.h"
#include "shell/qt/about_boxes.h"
#include "shell/qt/message_boxes.h"
#include "shell/qt/status_tips.h"
#include "shell/qt/window_geometry.h"
#include "table/layout.h"
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
// The client area of the main window restored on a first run: the table at a quarter over its own size.
constexpr int ClientWidth = TableWidth * 5 / 4;
constexpr int ClientHeight = TableHeight * 5 / 4;
const QColor TableGreen(0, 128, 0);
constexpr int StartWithoutActivationMs = 300;
// Where a player begins, shown while the frame has no table, analysis window or form in it.
constexpr const char* StartHintText = "Run > Normal Play to start playing";

class StillStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override {
        if (hint == SH_Widget_Animation_Duration) return 0;
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

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
    // The viewport, not the area: the area's own resize handler sizes the viewport after its filters ran.
    mdi_->viewport()->installEventFilter(this);
    // The frame's layout moves its central widget through an animation object whenever the style animates
    // widgets, even with animation off, and deletes it later: while modes follow one another inside the
    // games' waits "later" never comes. Without the style's animation the layout sets the geometry at once.
    auto* still = new StillStyle(QApplication::style()->name());
    still->setParent(this);
    mdi_->setStyle(still);
    setCentralWidget(mdi_);
    drillDesk_ = new TDrillDesk(game_, options_.DrillRecordPath, this);
    createMenus();
    statusBar()->setSizeGripEnabled(false);
    drill_ = new QLabel(this);
    drill_->setObjectName("DrillScore");
    drill_->setContentsMargins(0, 0, 8, 0); // clear of the frame's edge
    drill_->hide();
    statusBar()->addPermanentWidget(drill_);
    // A normal widget of the bar: a passing tip covers it and it comes back when the tip goes.
    startHint_ = new QLabel(StartHintText, this);
    startHint_->setObjectName("StartHint");
    statusBar()->addWidget(startHint_, 1);
    TidyStatusTips(*this, *drill_);
    const QSize bars(0, menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
    const QSize client(ClientWidth, ClientHeight);
    // Unattended runs (benchmarks, scripted analyses) keep a fixed size and leave the user's settings alone.
    if (options_.Unattended) resize(client + bars);
    else RestoreWindowGeometry(*this, bars, client);
    game_.FixedSeed = options_.Seed;
}

TMainForm::~TMainForm() {
    // The engine outlives every window that talks to it; none may call back once the main window goes.
    game_.Table = nullptr;
    game_.Shell = nullptr;
    game_.DrillRecorder = nullptr;
}

TSimForm* TMainForm::simForm() const { return simForm_; }
TPlayer* TMainForm::tableWindow() const { return table_; }


// --- Start-up and closing ----------------------------------------------------------------------------------

bool TMainForm::event(QEvent* event) {
    // The start-up shows a modal box; it runs once the activation has been handled, when a window manager
    // has given the window its maximised frame, so that the box centres on the frame the player sees. A
    // window shown where nothing activates it starts a moment after it is shown.
    if (!started_ && event->type() == QEvent::WindowActivate) QTimer::singleShot(0, this, &TMainForm::AppOnActivate);
    if (!started_ && event->type() == QEvent::Show)
        QTimer::singleShot(StartWithoutActivationMs, this, &TMainForm::AppOnActivate);
    return QMainWindow::event(event);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mdi_->viewport() && event->type() == QEvent::Resize) FitChildWindows();
    // Child windows come and go with the modes and forms; the start hint follows once the change has settled.
    if (watched == mdi_->viewport() && (event->type() == QEvent::ChildAdded || event->type() == QEvent::ChildRemoved))
        QTimer::singleShot(0, this, &TMainForm::ShowStartHint);
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::ShowStartHint() {
    bool childShown = false;
    for (const QMdiSubWindow* sub : mdi_->subWindowList()) childShown = childShown || !sub->isHidden();
    startHint_->setVisible(!childShown);
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
    // An options file start-up could not use: which file, why, where it was kept.
    const std::string notice = OptionsFileNotice(StartUp(game_, options_.OptionsPath));
    setWindowTitle(QString(ProgramCaption) + CaptionSuffix);
    // Once, at the start: the program runs on the defaults and the player's file is not written over.
    if (!notice.empty() && !options_.Unattended)
        ShowMessageBox(this, QMessageBox::Warning, "Options Not Read", QString::fromStdString(notice), QMessageBox::Ok,
                       QMessageBox::Ok,
                       "In the folder " +
                           QDir::toNativeSeparators(QFileInfo(QString::fromStdString(options_.OptionsPath)).absolutePath()));
    if (!options_.Unattended) drillDesk_->TellStartMessage(this);
    if (game_.Options.FirstRun) {
        if (!options_.Unattended) {
            TAboutHitBox box(this);
            FitTitle(box);
            CentreOn(box, *this);
            box.exec();
        }
        game_.Options.FirstRun = false;
        if (!options_.Unattended) SaveOptionsTelling();
    }
}

bool TMainForm::SaveOptionsTelling() { return WriteOptionsTelling(game_); }

bool TMainForm::WriteOptionsTelling(Game& from) {
    if (options_.Unattended) return false;
    if (SaveOptions(from, options_.OptionsPath)) return true;
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
    return ShowMessageBox(this, QMessageBox::Question, windowTitle(), "CLOSE BlackJack?",
                          QMessageBox::Yes | QMessageBox::Cancel, QMessageBox::Cancel) == QMessageBox::Yes;
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
        if (ShowMessageBox(this, QMessageBox::Question, windowTitle(), "EXIT ZVX - Do You Want to Save OPTIONS?",
                           QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes)
            SaveOptionsTelling();
    }
    closing_ = true;
    if (!options_.Unattended) RememberWindowGeometry(*this);
    // The objects the game loop uses live as long as this window; a loop still on the stack falls through
    // its waits and returns before the application's main loop ends and the window is destroyed.
    event->accept();
}

void TMainForm::Beep() {
    if (game_.Prefs().SoundOn) QApplication::beep();
}

} // namespace zvx::gui
