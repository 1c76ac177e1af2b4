#pragma once

#include <QDialog>

namespace zvx::gui {

// The about box: the program's icon and name.
class TAboutZVXBox : public QDialog {
    Q_OBJECT

public:
    explicit TAboutZVXBox(QWidget* parent = nullptr);
};

// "Mouse Moves": how to bet and play with the mouse; shown on the first start.
class TAboutHitBox : public QDialog {
    Q_OBJECT

public:
    explicit TAboutHitBox(QWidget* parent = nullptr);
};

} // namespace zvx::gui
