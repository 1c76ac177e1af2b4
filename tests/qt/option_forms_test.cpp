// The three option forms as a player meets them: opened from the Options menu, waited for inside the game
// loop, left by their own button or by a click on a menu title.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <functional>

#include "engine/options_file.h"
#include "options/qt/prefer_form.h"
#include "options/qt/rules_form.h"
#include "shell/qt/main_form.h"
#include "strategy/builtin_strategies.h"
#include "strategy/qt/strategy_chart_view.h"
#include "strategy/qt/strategy_form.h"
#include "strategy/recommend.h"
#include "tests/qt/gui_test_support.h"
#include "tests/qt/quiet_start.h"

using namespace zvx;
using namespace zvx::gui;
using namespace zvx::testing;

namespace {

// A window past its start-up whose options file has then been removed, so any save shows as a new file.
struct StartedWindow {
    StartedWindow() {
        WriteQuietOptions([](Game& g) { g.Options.Prefs.AnimationSpeed = 8000; });
        window.show();
        window.AppOnActivate();
        QFile::remove("ZVX.PRM");
    }
    TMainForm window;
};

// Clicks a check box or radio button on its indicator, where a player clicks.
void Click(QAbstractButton* button) {
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

// The form on show (one just closed may still wait to be freed, hidden).
template <class Form>
Form* OpenForm(TMainForm& w) {
    for (Form* form : w.findChildren<Form*>())
        if (form->isVisible()) return form;
    qFatal("the form is not open");
}

// Opens a form from its menu item and runs `act` on it while the main window waits; `act` must leave it.
template <class Form>
void WithForm(TMainForm& w, const char* item, const std::function<void(Form&)>& act) {
    bool acted = false;
    After(30, [&] {
        act(*OpenForm<Form>(w));
        acted = true;
    });
    Item(w, item)->trigger();
    QVERIFY(acted);
    QVERIFY(!w.game().RulesFormOpen && !w.game().StrategyFormOpen && !w.game().PreferencesFormOpen);
}

// Leaves through the "&Options" menu title, as a player clicking the menu bar does.
void ClickOptionsTitle(TMainForm& w) {
    QPointer<QMenu> menu = w.findChild<QMenu*>("Options1");
    menu->popup(QPoint(0, 0));
    menu->close();
}

// The controls a player reads or clicks, as opposed to the frames and pages that hold them.
QList<QWidget*> Controls(QWidget* page) {
    QList<QWidget*> controls;
    for (QWidget* child : page->findChildren<QWidget*>())
        if (child->isVisible() && (qobject_cast<QAbstractButton*>(child) || qobject_cast<QLabel*>(child) ||
                                   qobject_cast<QLineEdit*>(child) || qobject_cast<QScrollBar*>(child) ||
                                   qobject_cast<TStrategyChart*>(child)))
            controls << child;
    return controls;
}

// Pairs of controls drawn over each other, controls squeezed below the size they ask for, and a chart's rules
// line drawn past the chart's bottom.
QStringList Overlaps(QWidget* page) {
    QStringList faults;
    if (auto* chart = page->findChild<TStrategyChart*>(); chart && !chart->rect().contains(chart->RulesLineRect()))
        faults << "the rules line below the chart";
    const QList<QWidget*> controls = Controls(page);
    for (int i = 0; i < controls.size(); ++i) {
        const QRect a(controls[i]->mapTo(page, QPoint(0, 0)), controls[i]->size());
        if (controls[i]->width() < controls[i]->minimumSizeHint().width() ||
            controls[i]->height() < controls[i]->minimumSizeHint().height())
            faults << controls[i]->objectName() + " squeezed";
        for (int j = i + 1; j < controls.size(); ++j) {
            const QRect b(controls[j]->mapTo(page, QPoint(0, 0)), controls[j]->size());
            if (a.intersects(b)) faults << controls[i]->objectName() + " over " + controls[j]->objectName();
        }
    }
    return faults;
}

StrategyTable Builtin(bool advanced) {
    StrategyTable t;
    advanced ? LoadAdvancedStrategy(t) : LoadDefaultStrategy(t);
    return t;
}

} // namespace

class OptionFormsTest : public QObject {
    Q_OBJECT

private slots:
    void rulesLeftAtOnceChangeNothing();
    void rulesShowDamagedValuesAsTheLastItem();
    void eightDecksRebuildTheShoeAndResetTheGame();
    void hundredMinimumGivesItsBankrollEvenWhenChosenAgain();
    void ruleSwitchesAreStoredOnLeavingEitherWay();
    void preferencesSliderAndDisplayLimit();
    void preferencesLeftAtOnceWriteNothing();
    void strategyBrowsingAllRowsSavesNothing();
    void strategyAlwaysStoredWhenTheRowIsLeft();
    void strategyUntickedAlwaysAndClearedBoxes();
    void strategyResetThenMenuKeepsTheSetWithoutWriting();
    void strategyChartShowsTheCoreDecisions();
    void formsFitTheWindowAtBothSizes();
    void formsScrollWhenSmallAndGrowWhenLarge();
    void strategyChartFollowsATickAtOnceAndNamesItsRules();
};

void OptionFormsTest::rulesLeftAtOnceChangeNothing() {
    CurrentFolder folder;
    StartedWindow started;
    TMainForm& w = started.window;
    const CasinoRules before = w.game().Rules();
    const int shoeSize = w.game().Shoe.ShoeSize;
    QStringList captions;
    WithForm<TRulesForm>(w, "Rules1", [&](TRulesForm& form) {
        captions << form.ExitButton()->text();
        QCOMPARE(form.windowTitle(), QString("CASINO RULES"));
        QVERIFY(form.findChild<QRadioButton*>("RadioGroup1Item1")->isChecked()); // 2 decks
        QVERIFY(form.findChild<QRadioButton*>("RadioGroup2Item1")->isChecked()); // $25
        QVERIFY(form.findChild<QRadioButton*>("RadioGroup3Item1")->isChecked()); // 3/4
        QTest::mouseClick(form.ExitButton(), Qt::LeftButton);
        captions << form.ExitButton()->text();
    });
    QCOMPARE(captions, (QStringList{"E&xit", "E&xit"}));
    QVERIFY(!QFile::exists("ZVX.PRM"));
    QVERIFY(!w.game().OptionsChanged);
    QVERIFY(!w.game().DecksChanged && !w.game().LimitsChanged);
    QVERIFY(w.game().Rules() == before);
    QCOMPARE(w.game().Shoe.ShoeSize, shoeSize);
}

void OptionFormsTest::rulesShowDamagedValuesAsTheLastItem() {
    CurrentFolder folder;
    StartedWindow started;
    TMainForm& w = started.window;
    CasinoRules& r = w.game().Options.Rules;
    r.Decks = 3;
    r.TableMinimum = 30;
    r.Penetration = 1;
    QStringList captions;
    QStringList checked;
    WithForm<TRulesForm>(w, "Rules1", [&](TRulesForm& form) {
        for (QRadioButton* b : form.findChildren<QRadioButton*>())
            if (b->isChecked()) checked << b->text();
        captions << form.ExitButton()->text();
        QTest::mouseClick(form.ExitButton(), Qt::LeftButton);
    });
    QCOMPARE(checked, (QStringList{"8 Decks", "Deal 3/4 deck(s)", "$100"}));
    QCOMPARE(captions, QStringList{"E&xit"});
    // Shown, not stored: only a click on the group writes it.
    QCOMPARE(r.Decks, 3);
    QCOMPARE(r.TableMinimum, 30);
    QCOMPARE(r.Penetration, 1);
}

void OptionFormsTest::eightDecksRebuildTheShoeAndResetTheGame() {
    CurrentFolder folder;
    StartedWindow started;
    TMainForm& w = started.window;
    bool playingWhenOpened = false;
    QString caption;
    After(100, [&] {
        playingWhenOpened = w.gameRunning() && w.tableWindow() != nullptr;
        WithForm<TRulesForm>(w, "Rules1", [&](TRulesForm& form) {
            Click(form.findChild<QRadioButton*>("RadioGroup1Item4"));
            caption = form.ExitButton()->text();
            QTest::mouseClick(form.ExitButton(), Qt::LeftButton);
        });
    });
    Item(w, "NormalPlay1")->trigger(); // waits for a bet until the new shoe resets the game
    QVERIFY(playingWhenOpened);
    QCOMPARE(caption, QString("Save && E&xit"));
    QCOMPARE(w.game().Rules().Decks, 8);
    QCOMPARE(int(w.game().Shoe.ShoeSize), 8 * 52);
    QVERIFY(!w.gameRunning());
    QVERIFY(!w.game().TableShown);
    QVERIFY(w.tableWindow() == nullptr);
    Game reread;
    LoadOptions(reread);
    QCOMPARE(reread.Rules().Decks, 8);
}

void OptionFormsTest::hundredMinimumGivesItsBankrollEvenWhenChosenAgain() {
    CurrentFolder folder;
    StartedWindow started;
    TMainForm& w = started.window;
    double bankroll = 0;
    ChipArray chips{};
    double againBankroll = 0;
    bool stillPlaying = false;
    After(100, [&] {
        WithForm<TRulesForm>(w, "Rules1", [&](TRulesForm& form) {
            Click(form.findChild<QRadioButton*>("RadioGroup2Item2"));
            QTest::mouseClick(form.ExitButton(), Qt::LeftButton);
        });
        bankroll = w.game().Bankroll;
        chips = w.game().ChipCounts;
        stillPlaying = w.gameRunning() && w.game().TableShown;
        // The same minimum chosen again still renews the bankroll.
        w.game().Bankroll = 1234;
        WithForm<TRulesForm>(w, "Rules1", [&](TRulesForm& form) {
            Click(form.findChild<QRadioButton*>("RadioGroup2Item2"));
            QTest::mouseClick(form.ExitButton(), Qt::LeftButton);
        });
        againBankroll = w.game().Bankroll;
        Item(w, "GameReset1")->trigger();
    });
    Item(w, "NormalPlay1")->trigger();
    QCOMPARE(bankroll, 20000.0);
    QCOMPARE(chips, (ChipArray{0, 0, 0, 10, 6, 6, 2}));
    QVERIFY(stillPlaying);
    QCOMPARE(againBankroll, 20000.0);
}

void OptionFormsTest::ruleSwitchesAreStoredOnLeavingEitherWay() {
    CurrentFolder folder;
    StartedWindow started;
    TMainForm& w = started.window;
    QStringList order;
    WithForm<TRulesForm>(w, "Rules1", [&](TRulesForm& form) {
        for (QCheckBox* box : form.findChildren<QCheckBox*>()) order << box->text();
        Click(form.findChild<QCheckBox*>("CheckBox6"));
        QCOMPARE(form.ExitButton()->text(), QString("Save && E&xit"));
        QVERIFY(w.game().Rules().PlayTwoHands); // read only when the form is left
        QTest::mouseClick(form.ExitButton(), Qt::LeftButton);
    });
    QCOMPARE(order, (QStringList{"Double Any Hand (or only 10 && 11)", "Double After Split", "Re-Split a Split Hand",
                                 "Play 2 Hands (Bet 2x Table Minimum)", "Dealer Hits Soft 17", "Surrender Allowed"}));
    QVERIFY(!w.game().Rules().PlayTwoHands);
    QVERIFY(QFile::exists("ZVX.PRM"));

    // Left through a menu title: the switch is kept, but only the exit button saves.
    QFile::remove("ZVX.PRM");
    WithForm<TRulesForm>(w, "Rules1", [&](TRulesForm& form) {
        Click(form.findChild<QCheckBox*>("CheckBox1"));
        ClickOptionsTitle(w);
    });
    QVERIFY(w.game().Rules().SurrenderAllowed);
    QVERIFY(w.game().OptionsChanged);
    QVERIFY(!QFile::exists("ZVX.PRM"));
}

void OptionFormsTest::preferencesSliderAndDisplayLimit() {
    CurrentFolder folder;
    StartedWindow started;
    TMainForm& w = started.window;
    w.game().Options.Prefs.AnimationSpeed = 22000;
    int shown = 0;
    QString captionAfterOpening;
    QString captionAfterMove;
    WithForm<TPreferForm>(w, "Preferences1", [&](TPreferForm& form) {
        shown = form.ScrollBar1()->value();
        captionAfterOpening = form.ExitButton()->text();
        QCOMPARE(w.game().Prefs().AnimationSpeed, 20000);
        QTest::keyClick(form.ScrollBar1(), Qt::Key_Home);
        captionAfterMove = form.ExitButton()->text();
        // The slider takes effect at once, while the form is open.
        QCOMPARE(w.game().Prefs().AnimationSpeed, 1000);
        Click(form.findChild<QCheckBox*>("CheckBox3"));
        QTest::mouseClick(form.ExitButton(), Qt::LeftButton);
    });
    QCOMPARE(shown, 20000);
    QCOMPARE(captionAfterOpening, QString("E&xit"));
    QCOMPARE(captionAfterMove, QString("Save && E&xit"));
    QVERIFY(qAbs(w.game().DelayFactor - 50.3) < 0.05);
    QVERIFY(w.game().Prefs().AlwaysBetMinimum);
    Game reread;
    LoadOptions(reread);
    QCOMPARE(reread.Prefs().AnimationSpeed, 1000);
    QVERIFY(reread.Prefs().AlwaysBetMinimum);
}

void OptionFormsTest::preferencesLeftAtOnceWriteNothing() {
    CurrentFolder folder;
    StartedWindow started;
    TMainForm& w = started.window;
    const PlayerPreferences before = w.game().Prefs();
    const double delay = w.game().DelayFactor;
    QString caption;
    WithForm<TPreferForm>(w, "Preferences1", [&](TPreferForm& form) {
        QCOMPARE(form.ScrollBar1()->value(), int(before.AnimationSpeed));
        QTest::mouseClick(form.ExitButton(), Qt::LeftButton);
        caption = form.ExitButton()->text();
    });
    QCOMPARE(caption, QString("E&xit"));
    QVERIFY(!QFile::exists("ZVX.PRM"));
    QVERIFY(w.game().Prefs() == before);
    QCOMPARE(w.game().DelayFactor, delay);
    QVERIFY(!w.game().OptionsChanged);
}

void OptionFormsTest::strategyBrowsingAllRowsSavesNothing() {
    CurrentFolder folder;
    StartedWindow started;
    TMainForm& w = started.window;
    const StrategyTable before = w.game().Strategy;
    int rowsClicked = 0;
    QString caption;
    WithForm<TStrategyForm>(w, "StratOptions", [&](TStrategyForm& form) {
        QCOMPARE(form.windowTitle(), QString("PLAYING STRATEGY"));
        QVERIFY(form.RowButton(404)->isChecked());
        QCOMPARE(form.RowButton(404)->text(), QString("2's"));
        for (const EditorRow& row : EditorRows) {
            Click(form.RowButton(row.RowCode));
            rowsClicked += form.Editor().SelectedRow() == row.RowCode;
        }
        caption = form.SaveButton()->text();
        QTest::mouseClick(form.SaveButton(), Qt::LeftButton);
    });
    QCOMPARE(rowsClicked, 35);
    QCOMPARE(caption, QString("E&xit"));
    QVERIFY(w.game().Strategy == before);
    QVERIFY(!QFile::exists("ZVX.PRM"));
    QVERIFY(!w.game().OptionsChanged);
}

void OptionFormsTest::strategyAlwaysStoredWhenTheRowIsLeft() {
    CurrentFolder folder;
    StartedWindow started;
    TMainForm& w = started.window;
    std::array<bool, 10> shownAfterAlways{};
    WithForm<TStrategyForm>(w, "StratOptions", [&](TStrategyForm& form) {
        Click(form.RowButton(218)); // HIT "Soft 18": NEVER in the default set
        QVERIFY(form.NeverBox()->isChecked());
        Click(form.AlwaysBox());
        QVERIFY(!form.NeverBox()->isChecked());
        for (int u = 2; u <= 11; ++u) shownAfterAlways[static_cast<std::size_t>(u - 2)] = form.UpCardBox(u)->isChecked();
        QCOMPARE(form.SaveButton()->text(), QString("Save && E&xit"));
        Click(form.RowButton(212)); // HIT "Hard 12"
        const std::uint8_t* row = w.game().Strategy.Row(218);
        QCOMPARE(int(row[AlwaysByte]), 1);
        QCOMPARE(int(row[NeverByte]), 0);
        for (int u = 2; u <= 11; ++u) QCOMPARE(int(row[u]), 1);
        // The hard 12 row is shown, and a box ticked on it is stored as the editor closes by its button.
        Click(form.UpCardBox(4));
        QTest::mouseClick(form.SaveButton(), Qt::LeftButton);
    });
    QCOMPARE(shownAfterAlways, (std::array<bool, 10>{true, true, true, true, true, true, true, true, true, true}));
    QVERIFY(w.game().Strategy.Has(212, 4));
    Game reread;
    LoadOptions(reread);
    QVERIFY(reread.Strategy == w.game().Strategy);
}

void OptionFormsTest::strategyUntickedAlwaysAndClearedBoxes() {
    CurrentFolder folder;
    StartedWindow started;
    TMainForm& w = started.window;
    WithForm<TStrategyForm>(w, "StratOptions", [&](TStrategyForm& form) {
        Click(form.RowButton(416)); // SPLIT 8's: ALWAYS
        Click(form.AlwaysBox());
        QVERIFY(!form.AlwaysBox()->isChecked());
        for (int u = 2; u <= 11; ++u) QVERIFY(form.UpCardBox(u)->isChecked());
        QCOMPARE(form.SaveButton()->text(), QString("E&xit")); // the row plays the same
        Click(form.RowButton(422)); // SPLIT Aces: ALWAYS; clear every box by hand
        for (int u = 2; u <= 11; ++u) Click(form.UpCardBox(u));
        QVERIFY(!form.NeverBox()->isChecked() && !form.AlwaysBox()->isChecked());
        QCOMPARE(int(w.game().Strategy.Row(422)[AlwaysByte]), 0); // cleared at once by the first box
        ClickOptionsTitle(w); // the row is stored on this way out too
    });
    const std::uint8_t* eights = w.game().Strategy.Row(416);
    QCOMPARE(int(eights[AlwaysByte]) + int(eights[NeverByte]), 0);
    for (int u = 2; u <= 11; ++u) QCOMPARE(int(eights[u]), 1);
    const std::uint8_t* aces = w.game().Strategy.Row(422);
    for (int b = 0; b < StrategyRowSize; ++b) QCOMPARE(int(aces[b]), 0);
    QVERIFY(!QFile::exists("ZVX.PRM"));
}

void OptionFormsTest::strategyResetThenMenuKeepsTheSetWithoutWriting() {
    CurrentFolder folder;
    StartedWindow started;
    TMainForm& w = started.window;
    w.game().Strategy = Builtin(true);
    QString caption;
    WithForm<TStrategyForm>(w, "StratOptions", [&](TStrategyForm& form) {
        Click(form.NeverBox()); // 2's, lost by the reset: it does not store the boxes first
        QTest::mouseClick(form.findChild<QPushButton*>("ResetButton"), Qt::LeftButton);
        caption = form.SaveButton()->text();
        ClickOptionsTitle(w);
    });
    QCOMPARE(caption, QString("Save && E&xit"));
    QVERIFY(w.game().Strategy == Builtin(false));
    QVERIFY(!QFile::exists("ZVX.PRM"));
    // Not written, but not forgotten: the question at exit offers to keep it.
    QVERIFY(w.game().OptionsChanged);
    w.game().OptionsChanged = false; // no question when the test's window closes
}

void OptionFormsTest::strategyChartShowsTheCoreDecisions() {
    CurrentFolder folder;
    StartedWindow started;
    TMainForm& w = started.window;
    w.game().Options.Rules.SurrenderAllowed = true;
    int cellsCompared = 0;
    auto compareChart = [&](TStrategyForm& form, const StrategyTable& table) {
        TStrategyChart* chart = form.Chart();
        const QImage image = chart->grab().toImage();
        const auto& hands = ChartHands();
        for (int row = 0; row < ChartRows; ++row) {
            const ChartHandFlags flags = FirstDecisionFlags(hands[static_cast<std::size_t>(row)], w.game().Rules());
            for (int column = 0; column < ChartColumns; ++column) {
                const Action expected =
                    DecideAction(table, flags, ChartUpCard(column), hands[static_cast<std::size_t>(row)].Total, 0).action;
                QCOMPARE(chart->Chart()[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)], expected);
                // The cell is painted in the play's colour: most of it, around its letter and inside its border.
                const QRect cell = chart->CellRect(row, column).adjusted(1, 1, -1, -1);
                const QRgb colour = TStrategyChart::ActionColour(expected).rgb();
                int matching = 0;
                for (int y = cell.top(); y <= cell.bottom(); ++y)
                    for (int x = cell.left(); x <= cell.right(); ++x) matching += image.pixel(x, y) == colour;
                QVERIFY2(matching * 2 > cell.width() * cell.height(),
                         qPrintable(QString("%1 against column %2").arg(row).arg(column)));
                ++cellsCompared;
            }
        }
    };
    WithForm<TStrategyForm>(w, "StratOptions", [&](TStrategyForm& form) {
        compareChart(form, Builtin(false));
        QTest::mouseClick(form.findChild<QPushButton*>("AdvancedButton"), Qt::LeftButton);
        compareChart(form, Builtin(true));
        // A stored row redraws the chart: Aces never split any more.
        Click(form.RowButton(422));
        Click(form.NeverBox());
        Click(form.RowButton(404));
        compareChart(form, w.game().Strategy);
        QVERIFY(form.Chart()->Chart()[ChartRows - 1][9] != Split);
        QTest::mouseClick(form.SaveButton(), Qt::LeftButton);
    });
    QCOMPARE(cellsCompared, 3 * ChartRows * ChartColumns);
}

// Every control of every form is whole and inside the form at the main window's default size and maximised;
// with ZVX_SCREENSHOTS set, the main window is saved there as a picture of each form at each size.
void OptionFormsTest::formsFitTheWindowAtBothSizes() {
    CurrentFolder folder;
    StartedWindow started;
    TMainForm& w = started.window;
    const QString shots = qEnvironmentVariable("ZVX_SCREENSHOTS");
    struct FormItem {
        const char* item;
        const char* name;
    };
    QStringList faults;
    for (bool maximised : {false, true}) {
        if (maximised) {
            w.showMaximized();
            // Without a window manager (offscreen, a bare X server) nothing maximises: fill the screen instead.
            w.setGeometry(w.screen()->availableGeometry());
        } else {
            // The smallest size at which every form is whole without scrolling; below it a form scrolls.
            w.showNormal();
            w.resize(1000, 700);
        }
        QTest::qWait(100);
        for (const FormItem& f : {FormItem{"Rules1", "rules"}, FormItem{"StratOptions", "strategy"},
                                  FormItem{"Preferences1", "preferences"}}) {
            After(100, [&] {
                OptionFormWidget* form = OpenForm<OptionFormWidget>(w);
                if (form->size() != w.mdiArea()->viewport()->size()) faults << QString("%1 does not fill").arg(f.name);
                const QRect inside = form->rect();
                for (QWidget* child : form->findChildren<QWidget*>()) {
                    if (!child->isVisible()) continue;
                    const QRect at(child->mapTo(form, QPoint(0, 0)), child->size());
                    if (!inside.contains(at)) faults << QString("%1 outside the %2 form").arg(child->objectName(), f.name);
                    if (auto* button = qobject_cast<QAbstractButton*>(child))
                        if (button->width() < button->minimumSizeHint().width() ||
                            button->height() < button->minimumSizeHint().height())
                            faults << QString("%1 cut short on the %2 form").arg(button->text(), f.name);
                }
                if (!shots.isEmpty())
                    w.grab().save(QDir(shots).filePath(
                        QString("%1-%2.png").arg(f.name, maximised ? "maximised" : "default")));
                // Left by a menu title whatever was found, so the wait ends.
                ClickOptionsTitle(w);
            });
            Item(w, f.item)->trigger();
        }
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join("; ")));
    w.game().OptionsChanged = false;
}

// Each form alone at 420 x 320: nothing drawn over anything, the rest reached by scrolling; then at a large size
// its text grows with the room and nothing scrolls.
void OptionFormsTest::formsScrollWhenSmallAndGrowWhenLarge() {
    Game g;
    InstallDefaultOptions(g);
    LoadDefaultStrategy(g.Strategy);
    std::vector<std::unique_ptr<OptionFormWidget>> forms;
    forms.push_back(std::make_unique<TRulesForm>(g));
    forms.push_back(std::make_unique<TPreferForm>(g));
    forms.push_back(std::make_unique<TStrategyForm>(g));
    for (auto& form : forms) {
        const QString name = form->objectName();
        auto* area = form->findChild<QScrollArea*>();
        QVERIFY2(area, qPrintable(name));
        QWidget* page = area->widget();
        QPushButton* exit = form->findChild<QPushButton*>(name == "StrategyForm" ? "SaveButton" : "ExitButton");
        form->resize(420, 320);
        form->show();
        QTest::qWait(20);
        QCOMPARE(Overlaps(page), QStringList{});
        QVERIFY2(area->verticalScrollBar()->isVisible() || area->horizontalScrollBar()->isVisible(), qPrintable(name));
        // The exit button is reached by scrolling, and a click there leaves the form.
        area->ensureWidgetVisible(exit);
        QVERIFY2(area->viewport()->rect().contains(QRect(exit->mapTo(area->viewport(), QPoint(0, 0)), exit->size())),
                 qPrintable(name));
        // Tab goes from control to control, each scrolled into view, and never stops on the scroll area.
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        for (int stop = 0; stop < 12; ++stop) {
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : form.get(), Qt::Key_Tab);
            QWidget* focused = QApplication::focusWidget();
            QVERIFY2(focused && focused != area, qPrintable(name));
            const QRect at(focused->mapTo(area->viewport(), QPoint(0, 0)), focused->size());
            QVERIFY2(area->viewport()->rect().intersects(at), qPrintable(name + " " + focused->objectName()));
        }
        const qreal smallText = exit->font().pointSizeF();
        const int smallHeight = exit->height();

        form->resize(1580, 1100);
        QTest::qWait(20);
        QCOMPARE(Overlaps(page), QStringList{});
        QVERIFY2(!area->verticalScrollBar()->isVisible() && !area->horizontalScrollBar()->isVisible(), qPrintable(name));
        QCOMPARE(page->size(), area->viewport()->size());
        QVERIFY2(exit->font().pointSizeF() >= 1.4 * smallText, qPrintable(name));
        QVERIFY2(exit->height() > smallHeight, qPrintable(name));

        // Back to the small size: the text shrinks again and the form scrolls once more.
        form->resize(420, 320);
        QTest::qWait(20);
        QCOMPARE(exit->font().pointSizeF(), smallText);
        QCOMPARE(Overlaps(page), QStringList{});
        form->hide();
    }
}

void OptionFormsTest::strategyChartFollowsATickAtOnceAndNamesItsRules() {
    CurrentFolder folder;
    StartedWindow started;
    TMainForm& w = started.window;
    w.game().Options.Rules.DoubleAnyHand = false;
    w.game().Options.Rules.SurrenderAllowed = false;
    constexpr std::size_t TwosRow = ChartHardRows + ChartSoftRows; // 2,2
    QList<bool> splitsAgainstASix;
    QString rulesLine;
    WithForm<TStrategyForm>(w, "StratOptions", [&](TStrategyForm& form) {
        rulesLine = form.Chart()->RulesLine();
        // "2's" is the row on show: the up-card box for a dealer 6 goes one way, then back.
        const std::size_t sixColumn = 4;
        QCheckBox* six = form.UpCardBox(6);
        for (int click = 0; click < 3; ++click) {
            splitsAgainstASix << (form.Chart()->Chart()[TwosRow][sixColumn] == Split);
            QCOMPARE(splitsAgainstASix.last(), six->isChecked());
            Click(six);
        }
        QTest::mouseClick(form.SaveButton(), Qt::LeftButton);
    });
    QVERIFY2(rulesLine.contains("double on 10 and 11 only") && rulesLine.endsWith("no surrender"),
             qPrintable(rulesLine));
    QCOMPARE(splitsAgainstASix.size(), 3);
    QVERIFY(splitsAgainstASix[0] != splitsAgainstASix[1]);
    QVERIFY(splitsAgainstASix[1] != splitsAgainstASix[2]);
    w.game().OptionsChanged = false;
}

QTEST_MAIN(OptionFormsTest)
#include "option_forms_test.moc"
