#include "shell/qt/file_ctrls.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

#include "shell/game_file.h"

namespace zvx::gui {

namespace {

// The list shows game files whatever the case of their extension.
constexpr const char* GameFileFilter = "Game files (*.zvx)";

} // namespace

TFileCtrls::TFileCtrls(QWidget* parent) : QFileDialog(parent) {
    setObjectName("FileCtrls");
    setWindowTitle("Enter File Name:");
    setOption(QFileDialog::DontUseNativeDialog);
    // A save replaces the file it names without asking, and the name the rule gives need not be the one listed.
    setOption(QFileDialog::DontConfirmOverwrite);
    setFileMode(QFileDialog::AnyFile);
    setNameFilter(GameFileFilter);
    setViewMode(QFileDialog::List);
    setLabelText(QFileDialog::FileName, "File name:");
}

std::optional<TFileCtrls::Picked> TFileCtrls::Pick(const QString& proposed, Purpose purpose) {
    setAcceptMode(purpose == Purpose::Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    setDirectory(QDir::currentPath()); // also rereads the list
    const QString name =
        proposed.isEmpty() ? QString::fromStdString(ProposedGameFileName({})) : proposed;
    selectFile(name);
    const bool ok = exec() == QDialog::Accepted;
    hide();
    if (!ok) return std::nullopt;
    // The name field says what was picked: choosing in the list copies the name there, and a name typed over
    // it must win even where the list still shows the proposed file selected.
    const auto* field = findChild<QLineEdit*>("fileNameEdit");
    const QString typed = field ? field->text().trimmed() : QString();
    const QString chosen = typed.isEmpty() ? selectedFiles().value(0) : directory().absoluteFilePath(typed);
    if (chosen.isEmpty()) return std::nullopt;
    const QFileInfo picked(chosen);
    if (picked.fileName().isEmpty()) return std::nullopt;
    return Picked{picked.absolutePath(), picked.fileName()};
}

} // namespace zvx::gui
