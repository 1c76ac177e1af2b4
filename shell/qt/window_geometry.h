#pragma once

#include <QSize>

class QMainWindow;

namespace zvx::gui {

// The main window's size, position and state between runs live in the user's configuration folder
// (QSettings), never in the options file, whose layout is fixed.

// Gives the window its remembered geometry and state; on a first run (or when nothing usable is
// remembered) the window opens maximised, and restored it takes the size `restored` (as much of it as the
// screen has room for), centred on the screen.
void RestoreWindowGeometry(QMainWindow& window, QSize restored);

// Stores the window's geometry and state for the next run.
void RememberWindowGeometry(const QMainWindow& window);

} // namespace zvx::gui
