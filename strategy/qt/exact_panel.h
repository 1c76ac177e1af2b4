#pragma once

#include "engine/game_state.h"
#include "exact/background_figures.h"

#include <QObject>
#include <optional>

class QLabel;
class QPushButton;
class QTimer;

namespace zvx::gui {

// The strategy editor's exact figures: a line with the edited table's edge off the top and the best table's,
// and the button that loads the best table. The figures are worked out on a thread of their own at every
// change and shown when ready; the editor stays responsive meanwhile. The form places the line and the
// button in its own layout.
class TExactPanel : public QObject {
    Q_OBJECT

  public:
    TExactPanel(const Game& game, QWidget* parent);

    QLabel* Line() const { return line_; }
    QPushButton* BestButton() const { return bestButton_; }
    // Works the figures out again for this table under the rules in force.
    void Recompute(const StrategyTable& table);
    // The figures shown, once ready.
    const std::optional<TableFigures>& Figures() const { return figures_; }

  signals:
    void FiguresShown();
    void BestTableWanted(const zvx::StrategyTable& best);

  private:
    void Poll();

    const Game& game_;
    QLabel* line_ = nullptr;
    QPushButton* bestButton_ = nullptr;
    QTimer* poll_ = nullptr;
    BackgroundFigures work_;
    std::optional<TableFigures> figures_;
    std::optional<StrategyTable> asked_; // the table of the latest request
};

} // namespace zvx::gui
