// The exact figures where the player sees them in the strategy editor: the edited table's edge appears once
// worked out aside, the editor answers meanwhile, the best table loads from its button, and a chart cell that
// departs from the best table tells what it costs.
#include "engine/game_state.h"
#include "exact/exact_texts.h"
#include "exact/table_figures.h"
#include "strategy/builtin_strategies.h"
#include "strategy/qt/exact_panel.h"
#include "strategy/qt/strategy_chart_view.h"
#include "strategy/qt/strategy_form.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace zvx::gui {

class ExactEditorTest : public QObject {
    Q_OBJECT

  private slots:
    void theEditorShowsTheEdgeAndLoadsTheBestTable() {
        Game game;
        game.Options.Rules.Decks = 1;
        LoadDefaultStrategy(game.Strategy);
        TStrategyForm form(game);
        form.resize(1000, 600);
        form.show();
        QLabel* line = form.Exact()->Line();
        QPushButton* best = form.Exact()->BestButton();
        QTRY_VERIFY_WITH_TIMEOUT(best->isEnabled(), 60000);
        const std::optional<StrategyTable> bestTable = BestTableFor(game.Rules());
        QVERIFY(bestTable);
        QVERIFY(form.Exact()->Figures());
        const TableFigures figures = *form.Exact()->Figures();
        QCOMPARE(line->text(), QString::fromStdString(EditorEdgeText(figures.Edge, figures.BestEdge)));
        QVERIFY(figures.BestEdge > figures.Edge);

        // A cell where the default table departs from the best one says what that costs.
        const StrategyChart mine = BuildStrategyChart(game.Strategy, game.Rules());
        const StrategyChart right = BuildStrategyChart(*bestTable, game.Rules());
        int departures = 0;
        for (int row = 0; row < ChartRows; ++row)
            for (int column = 0; column < ChartColumns; ++column) {
                const QString tip = form.Chart()->CellTip(row, column);
                const bool differs = mine[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] !=
                                     right[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
                QCOMPARE(tip.contains("costs"), differs);
                departures += differs;
            }
        QVERIFY(departures > 0);

        // A change answers at once; its figures follow.
        QCheckBox* ace = form.UpCardBox(11);
        ace->click();
        QCOMPARE(line->text(), QString(EditorWorkingText));
        QTRY_VERIFY_WITH_TIMEOUT(line->text() != EditorWorkingText, 60000);

        QTest::mouseClick(best, Qt::LeftButton);
        QVERIFY(game.Strategy == *bestTable);
        QTRY_COMPARE_WITH_TIMEOUT(
            line->text(), QString::fromStdString(EditorEdgeText(figures.BestEdge, figures.BestEdge)), 60000);
        QVERIFY(form.Editor().Edited());
    }
};

} // namespace zvx::gui

QTEST_MAIN(zvx::gui::ExactEditorTest)
#include "exact_editor_test.moc"
