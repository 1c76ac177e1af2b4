#include "shell/qt/status_tips.h"

#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

#include <algorithm>

namespace zvx::gui {

namespace {

constexpr int ScoreGap = 16; // between the end of a tip and the drill score
// The room a message takes beyond its text: the status bar's own margins around it.
constexpr int MessageMargins = 16;
constexpr const char* HiddenForTip = "zvxHiddenForTip";

} // namespace

void TidyStatusTips(QMainWindow& window, QLabel& drillScore) {
    QStatusBar* bar = window.statusBar();
    for (QMenu* menu : window.findChildren<QMenu*>())
        QObject::connect(menu, &QMenu::aboutToHide, bar, &QStatusBar::clearMessage);
    // The menu bar's own items (Stand, Hit, ...) have no menu to close: their tip goes once they have acted.
    QObject::connect(window.menuBar(), &QMenuBar::triggered, bar, &QStatusBar::clearMessage, Qt::QueuedConnection);
    drillScore.setContentsMargins(ScoreGap, 0, 4, 0);
    drillScore.setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    // The score's frame makes the bar a little taller than a bare one: the bar keeps that height throughout, so
    // the client area does not move when the score comes and goes.
    bar->setMinimumHeight(std::max(bar->sizeHint().height(), drillScore.sizeHint().height()));
    // A tip is read whole: one that would run under the score puts the score aside until the tip goes.
    QLabel* score = &drillScore;
    QObject::connect(bar, &QStatusBar::messageChanged, score, [bar, score](const QString& message) {
        const bool aside = score->property(HiddenForTip).toBool();
        if (message.isEmpty()) {
            if (aside) {
                score->setProperty(HiddenForTip, false);
                score->show();
            }
            return;
        }
        if (aside || score->isHidden()) return;
        const int room = bar->width() - score->sizeHint().width();
        if (bar->fontMetrics().horizontalAdvance(message) + MessageMargins <= room) return;
        score->setProperty(HiddenForTip, true);
        score->hide();
    });
}

} // namespace zvx::gui
