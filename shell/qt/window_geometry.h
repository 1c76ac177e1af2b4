#pragma once

#include <QSize>

class QMainWindow;

namespace zvx::gui {

// The main window's size, position and state between runs live in the user's configuration folder
// (QSettings), never in the options file, whose layout is fixed. The size kept is the client area's, the
// room the table and the other child windows get.

// Gives the window its remembered place, client size and state; `guessedBars` is what the menu and status bars
// are expected to add to the client area, before the frame's layout has placed them. On a first run the window opens maximised, and restored it leaves `firstClient` for
// the child windows, centred on the screen. Nothing is ever placed beyond the screen's free area.
void RestoreWindowGeometry(QMainWindow& window, QSize guessedBars, QSize firstClient);

// Stores the window's place, restored client size and state for the next run.
void RememberWindowGeometry(const QMainWindow& window);

} // namespace zvx::gui
