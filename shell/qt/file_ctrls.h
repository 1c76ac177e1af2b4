#pragma once

#include <QFileDialog>

#include <optional>

namespace zvx::gui {

// The game file picker: Qt's own (non-native) file dialog, listing the game files of the current folder with
// a name field bound to the list. It returns what was picked; the naming rules are the core's.
class TFileCtrls : public QFileDialog {
    Q_OBJECT

public:
    enum class Purpose { Save, Load };

    explicit TFileCtrls(QWidget* parent = nullptr);

    struct Picked {
        QString Folder; // absolute
        QString Name;   // as typed or chosen, without the folder
    };
    // Shows the list of the current folder with `proposed` ("lastgame.zvx" when empty) in the name field and
    // waits for OK or Cancel; nothing on Cancel or an empty name.
    std::optional<Picked> Pick(const QString& proposed, Purpose purpose);
};

} // namespace zvx::gui
