#pragma once

#include <QObject>
#include <QPointer>

#include <memory>
#include <string>

class QAction;
class QMenu;
class QStatusBar;

namespace zvx {
struct Game;
class DrillKeeper;
}

namespace zvx::gui {

class TReviewDialog;

// The main window's side of the player's drill record: the keeper the game reports to, its menu items (the
// review, weak-spot practice), the weak-spot setting and the messages about the record file.
class TDrillDesk : public QObject {
    Q_OBJECT

public:
    // An empty path keeps the record and the setting for this session only (tests, unattended runs).
    TDrillDesk(Game& game, const std::string& recordPath, QWidget* window);
    ~TDrillDesk() override;

    void AddMenuItems(QMenu* menu);
    // Says, once, what happened to a record file that could not be used; at start-up.
    void TellStartMessage(QWidget* parent);
    // A decision was judged: the review follows, and a failed write shows in the status bar.
    void DecisionsChanged(QStatusBar* bar);

    DrillKeeper& Keeper() { return *keeper_; }
    TReviewDialog* Review() const;
    void ShowReview();
    void SetWeakSpotPractice(bool on);

private:
    Game& game_;
    QWidget* window_;
    bool persistent_;
    std::unique_ptr<DrillKeeper> keeper_;
    std::string startMessage_;
    QPointer<TReviewDialog> review_;
    QAction* weakSpots_ = nullptr;
};

} // namespace zvx::gui
