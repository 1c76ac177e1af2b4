#include "shell/qt/main_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QTimer>

#include <utility>

#include "analysis/qt/sim_form.h"
#include "engine/options_file.h"
#include "engine/startup.h"
#include "shell/qt/about_boxes.h"
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

} // namespace zvx::gui
