#pragma once

#include <QString>
#include <QStringList>

class QButtonGroup;
class QGroupBox;
class QPushButton;
class QWidget;

namespace zvx::gui {

// The pieces the option forms share: the exit button's two captions, a radio group built from its items, and
// the grey form ground with a bold title.
inline const QString ExitCaption = "E&xit";
inline const QString SaveExitCaption = "Save && E&xit";

// A group box of radio buttons, one exclusive group whose ids are the item indices; the buttons are named
// `<name>Item<i>`.
QGroupBox* MakeRadioGroup(QWidget* parent, const QString& name, const QString& caption, const QStringList& items,
                          QButtonGroup*& group);
QPushButton* MakeExitButton(QWidget* parent);
// Lays the form out on a page inside a scroll area filling the form, and returns the page for the form's
// controls. Below the size its controls need, the form scrolls rather than squeezing them over each other;
// above it, the page's text grows with the room (up to `largestScale` times its size), so a maximised form
// fills its window.
QWidget* MakeFormPage(QWidget* form, double largestScale = 2.5);
// Paints the form's ground and sets its caption, shown as a heading since the form has no frame.
void SetFormGround(QWidget* form, const QString& name, const QString& caption);

} // namespace zvx::gui
