#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace zvx {
class DrillKeeper;
}

namespace zvx::gui {

class TMistakeMap;

// The review of the player's record: this session's and all-time accuracy and cost, the costliest mistakes
// by cell with the strategy's play and the game's advice on it, the mistakes' map, and "Clear my record".
// Modeless: it follows the decisions while a drill runs.
class TReviewDialog : public QDialog {
    Q_OBJECT

public:
    TReviewDialog(DrillKeeper& keeper, QWidget* parent = nullptr);

    // Reads the record afresh.
    void Refresh();

    QTreeWidget* List() const { return list_; }
    QLabel* SessionLine() const { return session_; }
    QLabel* AllTimeLine() const { return allTime_; }
    QPushButton* ClearButton() const { return clear_; }
    TMistakeMap* Map() const { return map_; }

private:
    void ClearRecord();

    DrillKeeper& keeper_;
    QLabel* session_ = nullptr;
    QLabel* allTime_ = nullptr;
    QLabel* place_ = nullptr;
    QTreeWidget* list_ = nullptr;
    TMistakeMap* map_ = nullptr;
    QPushButton* clear_ = nullptr;
};

} // namespace zvx::gui
