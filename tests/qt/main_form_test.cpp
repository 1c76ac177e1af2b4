// The main window as a player meets it: the menus, the first start, leaving, resetting, and the analysis
// window driven through the real menu items and mouse clicks.

#include <QAction>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QSettings>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTableWidget>
#include <QTextBrowser>
#include <QTest>

#include "analysis/qt/sim_form.h"
#include "engine/options_file.h"
#include "engine/startup.h"
#include "engine/table_view.h"
#include "shell/qt/main_form.h"
#include "table/layout.h"
#include "table/qt/player.h"
#include "table/qt/table_scene.h"
#include "tests/qt/gui_test_support.h"
#include "tests/qt/quiet_start.h"

using namespace zvx;
using namespace zvx::gui;
using namespace zvx::testing;

namespace {

// A window past its start-up, with an options file already written so no first-run box appears.
struct StartedWindow {
    explicit StartedWindow(StartOptions options = {}) : window(std::move(options)) {
        if (!QFile::exists("ZVX.PRM")) WriteQuietOptions();
        window.show();
        window.AppOnActivate();
    }
    TMainForm window;
};

// The statistics grid of zvx-analysis for the same seed and hours, as rows of cells.
QList<QStringList> ToolGrid(std::uint32_t seed, int hours, const QStringList& extra = {}) {
    QProcess tool;
    tool.start(qEnvironmentVariable("ZVX_ANALYSIS"),
               QStringList{"--hours", QString::number(hours), "--seed", QString::number(seed), "--tsv"} + extra);
    if (!tool.waitForFinished(60000) || tool.exitCode() != 0) qFatal("zvx-analysis failed");
    QList<QStringList> rows;
    for (const QString& line : QString::fromUtf8(tool.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts))
        rows << line.split('\t');
    return rows;
}

} // namespace

class MainFormTest : public QObject {
    Q_OBJECT

private slots:
    void menusCarryTheirCaptionsAndAccessKeys();
    void firstStartShowsMouseMovesAndWritesTheOptions();
    void exitAnsweredCancelThenYesWhileAGameWaits();
    void closingTheWindowDuringAnAnalysisEndsItOnce();
    void resetDuringAnAnalysisClosesItsWindow();
    void aRunItemDuringComputerPlayStartsOnceThatGameHasStopped();
    void analysisWindowCyclesScreensAndSwitchesToOneStrategy();
    void analysisInTheWindowEndsWithTheToolsStatistics();
    void aboutDuringAnAnalysisShowsTheStrategiesBox();
    void optionsThatCannotBeSavedAreReportedOnce();
    void optionFormWaitEndsOnAMenuTitle();
    void printWithoutAPrinterSavesAPdf();
    void topicsOpensTheHelpAtItsIndex();
    void windowStartsMaximisedAndComesBackAsItWasLeft();
    void childWindowsFillTheWindowAfterEveryResize();
    void strategiesBoxButtonSavesOnlyItsOwnFlag();
    void messageBoxesShowTheirWholeTitle();
    void damagedOptionsFileIsToldOnceAndKept();
};

void MainFormTest::menusCarryTheirCaptionsAndAccessKeys() {
    CurrentFolder folder;
    StartedWindow started;
    TMainForm& w = started.window;
    QStringList titles;
    QStringList items;
    for (QAction* top : w.menuBar()->actions()) {
        titles << top->text();
        if (QMenu* menu = top->menu())
            for (QAction* item : menu->actions()) items << (item->isSeparator() ? "-" : item->text());
    }
    QCOMPARE(titles, (QStringList{"&File", "&Run", "&Options", "Hel&p", "|", "&Bet", "|", "&Stand", "&Hit", "&Double",
                                  "Spli&t", "Surre&nder", "H&int"}));
    QCOMPARE(items, (QStringList{"&Reset Game", "&Print", "&Save", "Save &As", "&Load", "-", "E&xit", "&Normal Play",
                                 "&Practice Deck", "&Computer Simulated Play", "&Betting and Rules Analysis",
                                 "Count &Drill", "Next Analysis &Screen", "&Risk and Precision", "&Casino Rules", "&Playing Strategy",
                                 "-", "&Other Preferences", "-", "&My Mistakes", "&Weak-Spot Practice", "&Topics",
                                 "&About ZVX"}));
    QCOMPARE(w.visibleActionItems(), 0u);
    for (const char* name : {"Dash1", "BetButton", "StandButton", "HintButton"}) QVERIFY(!Item(w, name)->isVisible());

    w.ShowActionItems(zvx::BetItem | zvx::Separators);
    QCOMPARE(w.visibleActionItems(), unsigned(zvx::BetItem | zvx::Separators));
    QVERIFY(Item(w, "Dash2")->isVisible());
    w.HideActionItems(zvx::BetItem);
    QCOMPARE(w.visibleActionItems(), unsigned(zvx::Separators));
    QCOMPARE(w.windowTitle(), QString("Zorvex Professional BlackJack 32"));
}

void MainFormTest::firstStartShowsMouseMovesAndWritesTheOptions() {
    CurrentFolder folder;
    QVERIFY(!QFile::exists("ZVX.PRM"));
    BoxAnswerer boxes;
    QPoint boxCentre;
    boxes.Then([&](QDialog& dialog) {
        boxCentre = dialog.frameGeometry().center();
        dialog.accept();
    });
    {
        TMainForm w;
        w.show();
        QVERIFY(WaitUntil([&] { return w.started(); }));
        QCOMPARE(boxes.Seen, QStringList{"Mouse Moves"});
        QVERIFY((boxCentre - w.frameGeometry().center()).manhattanLength() < 40);
        QVERIFY(QFile::exists("ZVX.PRM"));
        QCOMPARE(QFile("ZVX.PRM").size(), qint64(OptionsRecordSize));
        QCOMPARE(w.game().Prefs().AnimationSpeed, 8000);
    }
    // The second start finds its options and shows nothing.
    TMainForm again;
    again.show();
    QVERIFY(WaitUntil([&] { return again.started(); }));
    QTest::qWait(50);
    QCOMPARE(boxes.Seen.size(), 1);
    QVERIFY(!again.game().Options.FirstRun);
}

void MainFormTest::exitAnsweredCancelThenYesWhileAGameWaits() {
    CurrentFolder folder;
    StartedWindow started;
    TMainForm& w = started.window;
    BoxAnswerer boxes;
    boxes.Press(QMessageBox::Cancel);
    boxes.Press(QMessageBox::Yes);
    bool stillRunningAfterCancel = false;
    After(100, [&] { Item(w, "Exit1")->trigger(); });
    After(400, [&] {
        stillRunningAfterCancel = w.gameRunning() && w.isVisible() && !w.game().StopRequested;
        Item(w, "Exit1")->trigger();
    });
    Item(w, "NormalPlay1")->trigger(); // waits for a bet until the exit ends the game
    QVERIFY(stillRunningAfterCancel);
    QVERIFY(!w.gameRunning());
    QVERIFY(!w.isVisible());
    QCOMPARE(boxes.Seen, (QStringList{"CLOSE BlackJack?", "CLOSE BlackJack?"}));
    QVERIFY(w.game().ExitRequested);
}

void MainFormTest::closingTheWindowDuringAnAnalysisEndsItOnce() {
    CurrentFolder folder;
    StartedWindow started;
    TMainForm& w = started.window;
    BoxAnswerer boxes;
    boxes.Press(QMessageBox::Yes);
    After(150, [&] { w.close(); });
    Item(w, "Analysis")->trigger(); // an analysis without an end: only the close stops it
    QVERIFY(!w.gameRunning());
    QVERIFY(!w.isVisible());
    QCOMPARE(boxes.Seen, QStringList{"CLOSE BlackJack?"});
    w.close(); // the application's own close afterwards asks nothing more
    QTest::qWait(30);
    QCOMPARE(boxes.Seen.size(), 1);
}

void MainFormTest::resetDuringAnAnalysisClosesItsWindow() {
    CurrentFolder folder;
    StartedWindow started;
    TMainForm& w = started.window;
    bool windowWasOpen = false;
    std::int64_t hoursWhenReset = 0;
    After(200, [&] {
        windowWasOpen = w.simForm() != nullptr && w.game().AnalysisWindowOpen;
        hoursWhenReset = w.game().HoursPlayed;
        Item(w, "GameReset1")->trigger();
    });
    Item(w, "Analysis")->trigger();
    QVERIFY(windowWasOpen);
    QVERIFY(hoursWhenReset > 0);
    QVERIFY(w.simForm() == nullptr);
    QVERIFY(!w.game().AnalysisWindowOpen);
    QCOMPARE(w.game().HoursPlayed, 0);
    QCOMPARE(w.game().Hands[1].Stats.HandsPlayed, 0);
    QVERIFY(w.isVisible());
}

void MainFormTest::aRunItemDuringComputerPlayStartsOnceThatGameHasStopped() {
    // At the default speed the computer's advice stays up for seconds; Normal Play picked meanwhile stops the
    // computer's game, cuts its pause short and starts at a fresh table, not inside the old game.
    CurrentFolder folder;
    WriteQuietOptions([](Game& g) { g.Options.Prefs.AnimationSpeed = DefaultAnimationSpeed; });
    StartedWindow started;
    TMainForm& w = started.window;
    QElapsedTimer sincePick;
    qint64 tookMs = -1;
    int deepest = 0;
    QTimer watch;
    watch.setInterval(10);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        deepest = std::max(deepest, w.runDepth());
        const Game& g = w.game();
        if (!sincePick.isValid()) {
            // The computer's advice on its first hand is up: the table pauses on it.
            TPlayer* table = w.tableWindow();
            const bool advising = g.AutoPlay && g.Hands[0].CardCount >= 2 && g.Hands[1].CardCount >= 2 &&
                                  !g.AdviceText.empty() && table && table->Scene().Item("AdvicePanel") &&
                                  table->Scene().Item("AdvicePanel")->isVisible() && table->Busy();
            if (advising) {
                sincePick.start();
                QMetaObject::invokeMethod(Item(w, "NormalPlay1"), "trigger", Qt::QueuedConnection);
            }
        } else if (!g.AutoPlay && g.TableShown && g.BettingOpen && tookMs < 0) {
            tookMs = sincePick.elapsed();
            QMetaObject::invokeMethod(Item(w, "GameReset1"), "trigger", Qt::QueuedConnection);
        } else if (sincePick.elapsed() > 20000) {
            QMetaObject::invokeMethod(Item(w, "GameReset1"), "trigger", Qt::QueuedConnection);
        }
    });
    watch.start();
    Item(w, "Simulation1")->trigger();
    watch.stop();
    QVERIFY2(tookMs >= 0, "Normal Play never reached its bet");
    QVERIFY2(tookMs < 4000, qPrintable(QString("Normal Play waited %1 ms for the computer's pause").arg(tookMs)));
    QCOMPARE(deepest, 1);
    QCOMPARE(w.runDepth(), 0);
}

void MainFormTest::analysisWindowCyclesScreensAndSwitchesToOneStrategy() {
    CurrentFolder folder;
    StartedWindow started;
    TMainForm& w = started.window;
    QStringList titles;
    bool clickIgnoredInSingleMode = false;
    bool strategiesHidden = false;
    After(100, [&] {
        TSimForm* form = w.simForm();
        QVERIFY(form);
        titles << form->windowTitle();
        for (int i = 0; i < 3; ++i) {
            QTest::mouseClick(form->SimGrid()->viewport(), Qt::LeftButton, {}, QPoint(300, 100));
            titles << form->windowTitle();
        }
        QTest::mouseClick(form->Button1(), Qt::LeftButton);
        const QString before = form->windowTitle();
        QTest::mouseClick(form->SimGrid()->viewport(), Qt::LeftButton, {}, QPoint(300, 100));
        clickIgnoredInSingleMode = form->windowTitle() == before && w.game().SingleStrategyMode;
        strategiesHidden = form->SimGrid()->isColumnHidden(3) && form->SimGrid()->isColumnHidden(5) &&
                           !form->SimGrid()->isColumnHidden(6) && !form->Button1()->isVisible() &&
                           !form->Edit1()->isVisible();
        Item(w, "GameReset1")->trigger();
    });
    Item(w, "Analysis")->trigger();
    QCOMPARE(titles, (QStringList{StatisticsTitle, OddsTitle, CountTitle, StatisticsTitle}));
    QVERIFY(clickIgnoredInSingleMode);
    QVERIFY(strategiesHidden);
    QVERIFY(!w.game().SingleStrategyMode); // the end of the run clears it
}

void MainFormTest::analysisInTheWindowEndsWithTheToolsStatistics() {
    CurrentFolder folder;
    StartOptions options;
    options.Seed = 4242u;
    StartedWindow started(options);
    TMainForm& w = started.window;
    constexpr int Hours = 400;
    w.game().StopAfterHours = Hours;
    Item(w, "Analysis")->trigger();
    const ScreenGrid& grid = w.lastAnalysisGrid();
    // The run time is the wall clock's: at least the first second is counted, and the kept grid shows it.
    QVERIFY2(grid.Cell(3, 1) != "0:00:00" && !grid.Cell(3, 1).empty(), grid.Cell(3, 1).c_str());
    const QList<QStringList> tool = ToolGrid(4242, Hours);
    QCOMPARE(tool.size(), GridRows);
    int compared = 0;
    for (int row = 0; row < GridRows; ++row)
        for (int column = 0; column < GridColumns; ++column) {
            if (row == 1 && column == 3) continue; // the run time is the wall clock's
            QCOMPARE(QString::fromStdString(grid.Cell(column, row)), tool[row].value(column));
            compared += !grid.Cell(column, row).empty();
        }
    QVERIFY(compared > 60);
}

void MainFormTest::aboutDuringAnAnalysisShowsTheStrategiesBox() {
    CurrentFolder folder;
    StartedWindow started;
    TMainForm& w = started.window;
    w.game().Options.HideStrategyIntro = false;
    BoxAnswerer boxes;
    boxes.Accept(); // the box at the analysis start
    boxes.Then([](QDialog& dialog) { dialog.findChild<QPushButton*>("HideButton")->click(); });
    After(200, [&] {
        Item(w, "About")->trigger();
        Item(w, "GameReset1")->trigger();
    });
    Item(w, "Analysis")->trigger();
    QCOMPARE(boxes.Seen, (QStringList{"Betting Strategies", "Betting Strategies"}));
    QVERIFY(w.game().Options.HideStrategyIntro);
    Game reread;
    LoadOptions(reread);
    QVERIFY(reread.Options.HideStrategyIntro);

    // Without the analysis window the same item shows the about box.
    boxes.Accept();
    Item(w, "About")->trigger();
    QCOMPARE(boxes.Seen.last(), QString("About ZVX"));
}

void MainFormTest::optionsThatCannotBeSavedAreReportedOnce() {
    CurrentFolder folder;
    BoxAnswerer boxes;
    boxes.Accept(); // "Mouse Moves"
    boxes.Press(QMessageBox::Ok);
    StartOptions options;
    options.OptionsPath = folder.File("missing-folder/ZVX.PRM").toStdString();
    TMainForm w(options);
    w.show();
    QVERIFY(WaitUntil([&] { return w.started() && boxes.Seen.size() == 2; }));
    QVERIFY(boxes.Seen[1].contains("could not be saved"));
    QVERIFY(!w.SaveOptionsTelling());
    QTest::qWait(30);
    QCOMPARE(boxes.Seen.size(), 2); // said once a session
    QVERIFY(w.isVisible());
}

void MainFormTest::optionFormWaitEndsOnAMenuTitle() {
    CurrentFolder folder;
    StartedWindow started;
    TMainForm& w = started.window;
    w.game().OptionsReturn = false;
    w.game().SaveOptionsOnReturn = true;
    After(50, [&] {
        QMenu* run = w.findChild<QMenu*>("Run1");
        run->popup(QPoint(0, 0));
        run->close();
    });
    w.WaitForOptionForm();
    QVERIFY(w.game().OptionsReturn);
    QVERIFY(!w.game().SaveOptionsOnReturn);
}

void MainFormTest::printWithoutAPrinterSavesAPdf() {
    CurrentFolder folder;
    StartedWindow started;
    TMainForm& w = started.window;
    if (!QPrinterInfo::availablePrinters().isEmpty()) QSKIP("a printer is installed here");
    const QString pdf = folder.File("table.pdf");
    BoxAnswerer boxes;
    boxes.Press(QMessageBox::Yes);
    boxes.Then([&](QDialog& dialog) {
        auto* picker = qobject_cast<QFileDialog*>(&dialog);
        QVERIFY(picker);
        picker->selectFile(pdf);
        dialog.accept(); // QFileDialog::accept is protected; QDialog::accept reaches it
    });
    Item(w, "Print1")->trigger();
    QVERIFY(boxes.Seen.value(0).contains("No printer is installed"));
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(5) == "%PDF-");
    QVERIFY(file.size() > 1000);
}

void MainFormTest::topicsOpensTheHelpAtItsIndex() {
    // F1, as everywhere else on the desktop.
    CurrentFolder folder;
    StartedWindow started;
    TMainForm& w = started.window;
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_F1);
    QTextBrowser* browser = nullptr;
    QVERIFY(WaitUntil([&] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->isVisible() && (browser = top->findChild<QTextBrowser*>("HelpBrowser"))) return true;
        return false;
    }));
    QCOMPARE(browser->source(), QUrl("qrc:/help/index.html"));
    const QString text = browser->toPlainText();
    for (const char* topic : {"Normal Play", "Practice Deck", "Computer Simulated Play", "Betting and Rules Analysis",
                              "strategy editor", "Preferences", "Game files"})
        QVERIFY2(text.contains(topic, Qt::CaseInsensitive), topic);
    browser->window()->close();
}

void MainFormTest::windowStartsMaximisedAndComesBackAsItWasLeft() {
    CurrentFolder folder;
    QSettings("Zorvex", "zvx").clear();
    const auto closeForGood = [](TMainForm& w) {
        w.game().ExitRequested = true; // no "CLOSE BlackJack?"
        w.close();
    };
    {
        StartedWindow started;
        TMainForm& w = started.window;
        QVERIFY(w.windowState() & Qt::WindowMaximized);
        // Restored, the table fits at its own size or more.
        w.showNormal();
        QVERIFY(WaitUntil([&] { return !(w.windowState() & Qt::WindowMaximized); }));
        QVERIFY2(w.mdiArea()->width() >= TableWidth && w.mdiArea()->height() >= TableHeight,
                 qPrintable(QString("%1 x %2").arg(w.mdiArea()->width()).arg(w.mdiArea()->height())));
        w.setGeometry(QRect(30, 40, 700, 520));
        QVERIFY(WaitUntil([&] { return w.size() == QSize(700, 520); }));
        closeForGood(w);
    }
    // The next run comes back restored, where and as large as it was left; the options file knows nothing.
    const QByteArray optionsBefore = [] {
        QFile file("ZVX.PRM");
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }();
    {
        StartedWindow started;
        TMainForm& w = started.window;
        QVERIFY(!(w.windowState() & Qt::WindowMaximized));
        QCOMPARE(w.size(), QSize(700, 520));
        QVERIFY((w.pos() - QPoint(30, 40)).manhattanLength() <= 8); // the frame's margins aside
        w.showMaximized();
        QVERIFY(WaitUntil([&] { return bool(w.windowState() & Qt::WindowMaximized); }));
        closeForGood(w);
    }
    {
        StartedWindow started;
        QVERIFY(started.window.windowState() & Qt::WindowMaximized);
        closeForGood(started.window);
    }
    QFile options("ZVX.PRM");
    QVERIFY(options.open(QIODevice::ReadOnly));
    QCOMPARE(options.readAll(), optionsBefore);
    // And the geometry went to the test's own settings folder, never the user's.
    QVERIFY(QSettings("Zorvex", "zvx").fileName().startsWith(TestSettingsFolder()));
    SeedTestWindowSettings();
}

void MainFormTest::childWindowsFillTheWindowAfterEveryResize() {
    CurrentFolder folder;
    StartedWindow started;
    TMainForm& w = started.window;
    QStringList faults;
    const auto check = [&](const char* when) {
        TSimForm* form = w.simForm();
        if (!form) {
            faults << QString("%1: no analysis window").arg(when);
            return;
        }
        const QRect client = w.mdiArea()->viewport()->rect();
        if (form->parentWidget()->geometry() != client)
            faults << QString("%1: the analysis window is %2 x %3 in a client area of %4 x %5")
                          .arg(when)
                          .arg(form->parentWidget()->width())
                          .arg(form->parentWidget()->height())
                          .arg(client.width())
                          .arg(client.height());
    };
    After(100, [&] {
        w.showNormal();
        w.setGeometry(QRect(20, 20, 700, 500));
        QTest::qWait(50);
        check("shrunk");
        w.showMaximized();
        QTest::qWait(50);
        check("maximised");
        w.showNormal();
        QTest::qWait(50);
        check("restored");
        w.resize(w.width() + 37, w.height() + 23);
        QTest::qWait(50);
        check("dragged larger");
        Item(w, "GameReset1")->trigger();
    });
    Item(w, "Analysis")->trigger();
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join("; ")));
}

void MainFormTest::strategiesBoxButtonSavesOnlyItsOwnFlag() {
    CurrentFolder folder;
    WriteQuietOptions([](Game& g) { g.Options.HideStrategyIntro = false; });
    StartedWindow started;
    TMainForm& w = started.window;
    const std::uint16_t savedMinimum = w.game().Options.Rules.TableMinimum;
    // A change the player has not saved (as the rules form leaves it).
    w.game().Options.Rules.TableMinimum = savedMinimum == 100 ? 5 : 100;
    w.game().OptionsChanged = true;
    BoxAnswerer boxes;
    boxes.Then([](QDialog& dialog) { dialog.findChild<QPushButton*>("HideButton")->click(); });
    After(200, [&] { Item(w, "GameReset1")->trigger(); });
    Item(w, "Analysis")->trigger();
    Game reread;
    LoadOptions(reread);
    QVERIFY(reread.Options.HideStrategyIntro);
    QCOMPARE(reread.Options.Rules.TableMinimum, savedMinimum);
    QVERIFY(w.game().OptionsChanged);
    // Leaving still asks about the unsaved change.
    boxes.Press(QMessageBox::Yes);
    boxes.Press(QMessageBox::No);
    Item(w, "Exit1")->trigger();
    QCOMPARE(boxes.Seen, (QStringList{"Betting Strategies", "CLOSE BlackJack?", "EXIT ZVX - Do You Want to Save OPTIONS?"}));
    LoadOptions(reread);
    QCOMPARE(reread.Options.Rules.TableMinimum, savedMinimum);
}

void MainFormTest::messageBoxesShowTheirWholeTitle() {
    CurrentFolder folder;
    StartedWindow started;
    TMainForm& w = started.window;
    BoxAnswerer boxes;
    int boxWidth = 0;
    boxes.Then([&](QDialog& dialog) {
        boxWidth = dialog.width();
        dialog.reject();
    });
    Item(w, "Exit1")->trigger();
    QCOMPARE(boxes.Seen, QStringList{"CLOSE BlackJack?"});
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);
    const int titleWidth = QFontMetrics(titleFont).horizontalAdvance(w.windowTitle());
    // The frame's own buttons and icon take their room beside the title.
    QVERIFY2(boxWidth >= titleWidth + 100, qPrintable(QString("%1 < %2 + 100").arg(boxWidth).arg(titleWidth)));
    QVERIFY(w.isVisible());
}

void MainFormTest::damagedOptionsFileIsToldOnceAndKept() {
    CurrentFolder folder;
    {
        QFile damaged("ZVX.PRM");
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write("a player's options, cut short");
    }
    BoxAnswerer boxes;
    boxes.Press(QMessageBox::Ok);
    TMainForm w;
    w.show();
    QVERIFY(WaitUntil([&] { return w.started(); }));
    QTest::qWait(50);
    // Told once which file and why; no greeting for a player who is not new.
    QCOMPARE(boxes.Seen.size(), 1);
    QVERIFY2(boxes.Seen[0].contains("ZVX.PRM"), qPrintable(boxes.Seen[0]));
    QCOMPARE(w.game().Prefs().AnimationSpeed, DefaultAnimationSpeed);
    // The damaged bytes are still in the folder, under some name.
    bool kept = false;
    for (const QString& name : QDir().entryList(QDir::Files)) {
        QFile file(name);
        kept |= file.open(QIODevice::ReadOnly) && file.readAll() == "a player's options, cut short";
    }
    QVERIFY(kept);
}

QTEST_MAIN(MainFormTest)
#include "main_form_test.moc"
