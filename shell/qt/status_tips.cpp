#include "shell/qt/status_tips.h"

#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

namespace zvx::gui {

namespace {

constexpr int ScoreGap = 16; // between the end of a tip and the drill score

} // namespace

void TidyStatusTips(QMainWindow& window, QLabel& drillScore) {
    QStatusBar* bar = window.statusBar();
    for (QMenu* menu : window.findChildren<QMenu*>())
        QObject::connect(menu, &QMenu::aboutToHide, bar, &QStatusBar::clearMessage);
    // The menu bar's own items (Stand, Hit, ...) have no menu to close: their tip goes once they have acted.
    QObject::connect(window.menuBar(), &QMenuBar::triggered, bar, &QStatusBar::clearMessage, Qt::QueuedConnection);
    drillScore.setContentsMargins(ScoreGap, 0, 4, 0);
    drillScore.setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
}

} // namespace zvx::gui
