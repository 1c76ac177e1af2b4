#pragma once

#include "drill/count_drill_record.h"
#include "drill/qt/count_drill_window.h"

#include <QObject>
#include <QPointer>
#include <filesystem>
#include <string>

class QAction;
class QMainWindow;
class QMdiArea;
class QMenu;

namespace zvx {
struct Game;
}

namespace zvx::gui {

// The main window's side of the Count Drill: its menu item, the one drill window in the window area, and the
// record file beside the mistakes record, read when the drill first opens and written after every session.
class TCountDrillDesk : public QObject {
    Q_OBJECT

  public:
    // An empty mistakes-record path keeps the count drill record for this session only (tests, unattended
    // runs).
    TCountDrillDesk(const Game& game, const std::string& mistakesRecordPath, QMdiArea* area,
                    QMainWindow* window);

    QAction* AddMenuItem(QMenu* menu);
    // Opens the drill window, or brings the open one to the front.
    TCountDrillWindow* Open();
    TCountDrillWindow* Window() const { return drill_; }
    const std::filesystem::path& RecordPath() const { return path_; }

  private:
    void LoadRecord();
    void SaveRecord(const CountDrillRecord& record);

    const Game& game_;
    QMdiArea* area_;
    QMainWindow* window_;
    std::filesystem::path path_;
    bool loaded_ = false;
    bool writable_ = true;
    CountDrillRecord record_;
    QPointer<TCountDrillWindow> drill_;
};

} // namespace zvx::gui
