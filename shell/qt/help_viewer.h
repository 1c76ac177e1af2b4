#pragma once

class QWidget;

namespace zvx::gui {

// Opens the program's help at its index page, in a window of its own beside the main window.
void ShowHelpTopics(QWidget* parent);

} // namespace zvx::gui
