// The File menu's game files as a player meets them: "&Save", "Save &As" and "&Load" through the picker,
// during a game at the table and during an analysis.

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QTest>

#include "analysis/qt/sim_form.h"
#include "engine/byte_io.h"
#include "engine/options_file.h"
#include "shell/game_file.h"
#include "shell/qt/main_form.h"
#include "strategy/builtin_strategies.h"
#include "tests/qt/gui_test_support.h"
#include "tests/qt/quiet_start.h"

using namespace zvx;
using namespace zvx::gui;
using namespace zvx::testing;

namespace {

struct StartedWindow {
    StartedWindow() {
        WriteQuietOptions([](Game& g) { g.Options.Prefs.SoundOn = false; });
        window.show();
        window.AppOnActivate();
    }
    ~StartedWindow() { window.game().OptionsChanged = false; }
    TMainForm window;
};

// Answers the picker: notes the name it proposes, then types `typed` (or keeps the proposal) and presses Enter.
void AnswerPicker(BoxAnswerer& boxes, const QString& typed, QString* proposed = nullptr) {
    boxes.Then([typed, proposed](QDialog& dialog) {
        auto* edit = dialog.findChild<QLineEdit*>("fileNameEdit");
        if (!edit) qFatal("the picker has no name field");
        if (proposed) *proposed = edit->text();
        if (!typed.isEmpty()) {
            edit->selectAll();
            QTest::keyClicks(edit, typed);
        }
        QTest::keyClick(edit, Qt::Key_Return);
    });
}

// Answers the picker by clicking a file in its list, then pressing Enter in the name field.
void PickInList(BoxAnswerer& boxes, const QString& name) {
    boxes.Then([name](QDialog& dialog) {
        auto* list = dialog.findChild<QListView*>("listView");
        auto* edit = dialog.findChild<QLineEdit*>("fileNameEdit");
        if (!list || !edit) qFatal("the picker has no list");
        // The list fills in the background; wait until the file shows.
        QModelIndex found;
        WaitUntil([&] {
            for (int row = 0; row < list->model()->rowCount(list->rootIndex()); ++row) {
                const QModelIndex index = list->model()->index(row, 0, list->rootIndex());
                if (index.data().toString() == name) found = index;
            }
            return found.isValid();
        });
        if (!found.isValid()) qFatal("the picker does not list the file");
        list->scrollTo(found);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(found).center());
        QTest::keyClick(edit, Qt::Key_Return);
    });
}

// Runs `steps` while a Normal Play game waits for a bet, then resets the game.
void DuringAGame(TMainForm& w, const std::function<void()>& steps) {
    After(100, [&w, steps] {
        steps();
        Item(w, "GameReset1")->trigger();
    });
    Item(w, "NormalPlay1")->trigger();
}

CasinoRules OtherRules() { return CasinoRules{6, 2, 5, true, true, false, false, false, false}; }

} // namespace

class GameFileMenuTest : public QObject {
    Q_OBJECT

private slots:
    void loadBeforePlayingIsRefused();
    void saveOffersLastgameThenSavesWithoutAsking();
    void saveAsThenLoadDuringAnAnalysis();
    void loadReadsThePickedFileAndItsRulesAtOnce();
    void missingDamagedOrWrongSizeFilesChangeNothing();
    void savesThatCannotBeWrittenSaySo();
};

void GameFileMenuTest::loadBeforePlayingIsRefused() {
    CurrentFolder folder;
    StartedWindow started;
    BoxAnswerer boxes;
    boxes.Press(QMessageBox::Ok);
    Item(started.window, "LoadFile")->trigger();
    QCOMPARE(boxes.Seen, QStringList{"Load Game File AFTER You Start Playing"});
}

void GameFileMenuTest::saveOffersLastgameThenSavesWithoutAsking() {
    CurrentFolder folder;
    StartedWindow started;
    TMainForm& w = started.window;
    BoxAnswerer boxes;
    QString proposed;
    AnswerPicker(boxes, {}, &proposed);
    Item(w, "SaveFile")->trigger();
    QCOMPARE(proposed, QString("lastgame.zvx"));
    QCOMPARE(boxes.Seen, QStringList{"Enter File Name:"});
    QCOMPARE(QString::fromStdString(w.game().GameFileName), QString("LASTGAME.ZVX"));
    QCOMPARE(QFile("LASTGAME.ZVX").size(), qint64(GameRecordSize));

    // Later saves write there without the picker.
    QFile::remove("LASTGAME.ZVX");
    Item(w, "SaveFile")->trigger();
    QTest::qWait(30);
    QCOMPARE(boxes.Seen.size(), 1);
    QVERIFY(QFile::exists("LASTGAME.ZVX"));

    // "Save &As" proposes the current name; a typed name gets the rule.
    AnswerPicker(boxes, "mygame", &proposed);
    Item(w, "SaveAs1")->trigger();
    QCOMPARE(proposed, QString("LASTGAME.ZVX"));
    QVERIFY(QFile::exists("MYGAME.ZVX"));
    QCOMPARE(QString::fromStdString(w.game().GameFileName), QString("MYGAME.ZVX"));

    // A name that is another file's asks first: No goes back to the picker, where Cancel writes nothing;
    // Yes replaces it.
    QFile old("LASTGAME.ZVX");
    QVERIFY(old.open(QIODevice::WriteOnly | QIODevice::Truncate));
    old.write("not replaced");
    old.close();
    boxes.Seen.clear();
    AnswerPicker(boxes, "lastgame");
    boxes.Press(QMessageBox::No);
    boxes.Then([](QDialog& dialog) { dialog.reject(); });
    Item(w, "SaveAs1")->trigger();
    QCOMPARE(boxes.Seen, (QStringList{"Enter File Name:", "This file already exists. Replace it?", "Enter File Name:"}));
    QCOMPARE(QFile("LASTGAME.ZVX").size(), qint64(12));
    QCOMPARE(QString::fromStdString(w.game().GameFileName), QString("MYGAME.ZVX"));
    AnswerPicker(boxes, "lastgame");
    boxes.Press(QMessageBox::Yes);
    Item(w, "SaveAs1")->trigger();
    QCOMPARE(QFile("LASTGAME.ZVX").size(), qint64(GameRecordSize));
    QCOMPARE(QString::fromStdString(w.game().GameFileName), QString("LASTGAME.ZVX"));
    QFile::remove("LASTGAME.ZVX");

    // Cancel keeps the name and writes nothing.
    boxes.Then([](QDialog& dialog) { dialog.reject(); });
    Item(w, "SaveAs1")->trigger();
    QCOMPARE(QString::fromStdString(w.game().GameFileName), QString("LASTGAME.ZVX"));
    QCOMPARE(QDir().entryList({"*.ZVX"}, QDir::Files).size(), 1);
}

void GameFileMenuTest::saveAsThenLoadDuringAnAnalysis() {
    CurrentFolder folder;
    StartedWindow started;
    TMainForm& w = started.window;
    LoadAdvancedStrategy(w.game().Strategy);
    const CasinoRules saved = w.game().Rules();
    BoxAnswerer boxes;
    QString labelAfterSave;
    QString labelAfterLoad;
    bool hoursKept = false;
    After(200, [&] {
        AnswerPicker(boxes, "week1");
        Item(w, "SaveAs1")->trigger();
        labelAfterSave = w.simForm()->CellText(2, 0);
        const std::int64_t hoursSaved = [] {
            GameRecord r{};
            ReadRecordFile("WEEK1.ZVX", r);
            return std::int64_t(GetI32(r, GameHoursPlayedOffset));
        }();
        // The game moves on under other rules and another strategy; the load brings the saved ones back.
        w.game().Options.Rules = OtherRules();
        LoadDefaultStrategy(w.game().Strategy);
        AnswerPicker(boxes, "WEEK1.ZVX");
        Item(w, "LoadFile")->trigger();
        hoursKept = w.game().HoursPlayed == hoursSaved;
        labelAfterLoad = w.simForm()->CellText(2, 0);
        Item(w, "GameReset1")->trigger();
    });
    Item(w, "Analysis")->trigger();
    QCOMPARE(boxes.Seen, (QStringList{"Enter File Name:", "Enter File Name:"}));
    QCOMPARE(labelAfterSave, QString("\" WEEK1 \""));
    QCOMPARE(labelAfterLoad, QString("\" WEEK1 \""));
    QVERIFY(hoursKept);
    QVERIFY(w.game().Rules() == saved);
    StrategyTable advanced;
    LoadAdvancedStrategy(advanced);
    QVERIFY(w.game().Strategy == advanced);
}

void GameFileMenuTest::loadReadsThePickedFileAndItsRulesAtOnce() {
    CurrentFolder folder;
    StartedWindow started;
    TMainForm& w = started.window;
    // A game saved under other rules, lying under a lower-case name (copied from elsewhere, say).
    Game other;
    other.Options.Rules = OtherRules();
    LoadAdvancedStrategy(other.Strategy);
    other.HoursPlayed = 77;
    QVERIFY(SaveGameFile(other, "mygame.zvx"));
    BoxAnswerer boxes;
    double bankrollBefore = 0;
    double bankrollAfter = 0;
    CasinoRules rulesAfter;
    QString nameAfter;
    DuringAGame(w, [&] {
        bankrollBefore = w.game().Bankroll;
        PickInList(boxes, "mygame.zvx");
        Item(w, "LoadFile")->trigger();
        bankrollAfter = w.game().Bankroll;
        rulesAfter = w.game().Rules();
        nameAfter = QString::fromStdString(w.game().GameFileName);
    });
    QCOMPARE(boxes.Seen, QStringList{"Enter File Name:"});
    QVERIFY(rulesAfter == OtherRules());
    QCOMPARE(bankrollAfter, bankrollBefore);
    // Later saves create the upper-case name.
    QCOMPARE(nameAfter, QString("MYGAME.ZVX"));
}

void GameFileMenuTest::missingDamagedOrWrongSizeFilesChangeNothing() {
    CurrentFolder folder;
    StartedWindow started;
    TMainForm& w = started.window;
    Game damaged;
    damaged.Options.Rules = OtherRules();
    QVERIFY(SaveGameFile(damaged, "DAMAGED.ZVX"));
    QFile file("DAMAGED.ZVX");
    QVERIFY(file.open(QIODevice::ReadWrite));
    file.seek(4);
    file.write("\x1e\x00", 2); // a table minimum of 30
    file.close();
    QFile shortFile("SHORT.ZVX");
    QVERIFY(shortFile.open(QIODevice::WriteOnly));
    shortFile.write(QByteArray(100, '\1'));
    shortFile.close();

    BoxAnswerer boxes;
    const CasinoRules before = w.game().Rules();
    const StrategyTable strategyBefore = w.game().Strategy;
    QList<QMessageBox::Icon> icons;
    QStringList details;
    DuringAGame(w, [&] {
        for (const char* name : {"nothing", "DAMAGED.ZVX", "SHORT.ZVX"}) {
            AnswerPicker(boxes, name);
            boxes.Then([&](QDialog& dialog) {
                auto* box = qobject_cast<QMessageBox*>(&dialog);
                if (!box) qFatal("not a message box");
                icons << box->icon();
                details << box->informativeText();
                box->button(QMessageBox::Ok)->click();
            });
            Item(w, "LoadFile")->trigger();
        }
    });
    QCOMPARE(boxes.Seen.size(), 6);
    QCOMPARE(boxes.Seen[1], QString("ERROR... File Not Found!"));
    // The box says which file it looked for, and is a warning, not a question.
    QCOMPARE(icons.value(0), QMessageBox::Warning);
    QVERIFY2(details.value(0).startsWith(QDir::toNativeSeparators(QDir::currentPath())) &&
                 details.value(0).contains("nothing", Qt::CaseInsensitive),
             qPrintable(details.value(0)));
    QVERIFY(boxes.Seen[3].contains("DAMAGED.ZVX\" is not a game file"));
    QVERIFY(boxes.Seen[3].contains("Nothing was loaded"));
    QVERIFY(boxes.Seen[5].contains("SHORT.ZVX\" is not a game file"));
    QVERIFY(boxes.Seen[5].contains("9732 bytes"));
    QVERIFY(w.game().Rules() == before);
    QVERIFY(w.game().Strategy == strategyBefore);
    QVERIFY(w.game().GameFileName.empty());
}

void GameFileMenuTest::savesThatCannotBeWrittenSaySo() {
    CurrentFolder folder;
    StartedWindow started;
    TMainForm& w = started.window;
    // A folder where the file should go: no save can replace it, whoever runs the test.
    QVERIFY(QDir().mkdir("LASTGAME.ZVX"));
    BoxAnswerer boxes;
    AnswerPicker(boxes, {});
    boxes.Press(QMessageBox::Ok);
    Item(w, "SaveFile")->trigger();
    QCOMPARE(boxes.Seen.size(), 2);
    QVERIFY(boxes.Seen[1].contains("could not be saved as"));
    QVERIFY(boxes.Seen[1].contains("LASTGAME.ZVX"));
    QVERIFY(boxes.Seen[1].contains("Is a directory"));
    QVERIFY(w.game().FileError);

    // A folder that cannot be written, where permissions are enforced for this user.
    QVERIFY(QDir().mkdir("locked"));
    QFile::setPermissions("locked", QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    QFile probe("locked/probe");
    const bool enforced = !probe.open(QIODevice::WriteOnly);
    probe.close();
    QFile::remove("locked/probe");
    if (enforced) {
        AnswerPicker(boxes, QDir("locked").absoluteFilePath("kept"));
        boxes.Press(QMessageBox::Ok);
        Item(w, "SaveAs1")->trigger();
        QVERIFY(boxes.Seen.last().contains("Permission denied"));
        QVERIFY(boxes.Seen.last().contains("KEPT.ZVX"));
        QVERIFY(QDir("locked").entryList(QDir::Files).isEmpty());
    }
    QFile::setPermissions("locked", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

QTEST_MAIN(GameFileMenuTest)
#include "game_file_menu_test.moc"
