#pragma once

// Starting the desktop program in a test: an options file that skips the first-run box and the strategies box,
// and the menu items by name.

#include <QAction>
#include <QWidget>

#include <functional>

#include "engine/options_file.h"

namespace zvx::testing {

// Writes ZVX.PRM in the current folder: the default options, with no first-run box and no strategies box at an
// analysis start, changed further by `adjust`.
inline void WriteQuietOptions(const std::function<void(Game&)>& adjust = {}) {
    Game g;
    g.Options.FirstRun = false;
    InstallDefaultOptions(g);
    g.Options.HideStrategyIntro = true;
    if (adjust) adjust(g);
    SaveOptions(g);
}

// The main window's menu item (or menu-bar action item) of that object name; a missing one ends the test.
inline QAction* Item(QWidget& window, const char* name) {
    auto* action = window.findChild<QAction*>(name);
    if (!action) qFatal("no action %s", name);
    return action;
}

} // namespace zvx::testing
