#pragma once

#include <QWidget>

namespace zvx::gui {

// An option form as the main window holds it while the player edits: a child window filling the main window,
// waited for in the game loop. The main window calls LeaveForm once, when the form is closed by its exit
// button or by a click on a menu title, before the form is freed.
class OptionFormWidget : public QWidget {
    Q_OBJECT

public:
    using QWidget::QWidget;
    virtual void LeaveForm() {}
};

} // namespace zvx::gui
