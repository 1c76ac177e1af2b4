#pragma once

class QLabel;
class QMainWindow;

namespace zvx::gui {

// Menu tips are passing hints: each leaves the status bar when its menu closes, and the drill score keeps room
// of its own at the bar's right end, apart from them. A tip too long to read whole beside the score has the bar
// to itself while it shows. Call once the menus exist.
void TidyStatusTips(QMainWindow& window, QLabel& drillScore);

} // namespace zvx::gui
