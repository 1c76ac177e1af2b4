#include "shell/qt/main_form.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

#include "analysis/qt/sim_form.h"
#include "analysis/qt/strategy_intro_box.h"
#include "engine/table_view.h"
#include "shell/game_file.h"
#include "shell/qt/about_boxes.h"
#include "shell/qt/file_ctrls.h"
#include "shell/qt/help_viewer.h"
#include "shell/qt/print_window.h"

namespace zvx::gui {

// --- Files, help, print ------------------------------------------------------------------------------------

bool TMainForm::PickSaveName(const std::string& proposed) {
    TFileCtrls picker(this);
    const auto picked = picker.Pick(QString::fromStdString(proposed), TFileCtrls::Purpose::Save);
    if (!picked) return false;
    const auto name = GameFileToSave(picked->Folder.toStdString(), picked->Name.toStdString(),
                                     QDir::currentPath().toStdString());
    if (!name) return false;
    game_.GameFileName = *name;
    return true;
}

void TMainForm::RelabelAnalysisWindow() {
    if (simForm_) simForm_->GameFileNamed();
}

// Both saves say when the file could not be written: a game the player believes saved would be lost.
void TMainForm::WriteGameFileTelling() {
    std::error_code why;
    if (SaveGameFile(game_, game_.GameFileName, &why)) return;
    const QString file = QDir::toNativeSeparators(QFileInfo(QString::fromStdString(game_.GameFileName)).absoluteFilePath());
    QMessageBox::warning(this, "Game Not Saved",
                         QString("The game could not be saved as \"%1\": %2.\n\nNothing was written. Use Save As to "
                                 "choose another name or folder.")
                             .arg(file, QString::fromStdString(why.message())));
}

void TMainForm::SaveFileClick() {
    if (game_.GameFileName.empty() && !PickSaveName({})) return;
    RelabelAnalysisWindow();
    WriteGameFileTelling();
}

void TMainForm::SaveAs1Click() {
    game_.FileError = false;
    if (!PickSaveName(game_.GameFileName)) return;
    RelabelAnalysisWindow();
    WriteGameFileTelling();
}

void TMainForm::LoadFileClick() {
    if (!game_.TableShown && !game_.AnalysisWindowOpen) {
        QMessageBox::information(this, windowTitle(), "Load Game File AFTER You Start Playing");
        return;
    }
    TFileCtrls picker(this);
    const auto picked = picker.Pick(QString::fromStdString(game_.GameFileName), TFileCtrls::Purpose::Load);
    if (!picked) return;
    const std::string folder = picked->Folder.toStdString();
    const std::string here = QDir::currentPath().toStdString();
    // The file picked is the file read, whatever the case of its name; later saves go to the upper-case name.
    const std::string path = GameFileToLoad(folder, picked->Name.toStdString(), here);
    const GameFileLoad result = LoadGameFile(game_, path);
    if (result == GameFileLoad::NotFound) {
        Beep();
        QMessageBox box(QMessageBox::Question, windowTitle(), "ERROR... File Not Found!", QMessageBox::Ok, this);
        box.exec();
        return;
    }
    if (result != GameFileLoad::Ok) {
        Beep();
        QMessageBox::warning(this, "Game Not Loaded",
                             QString("\"%1\" is not a game file: %2.\n\nNothing was loaded; your game goes on as it was.")
                                 .arg(QDir::toNativeSeparators(QFileInfo(QString::fromStdString(path)).absoluteFilePath()),
                                      QString::fromStdString(GameFileLoadProblem(result))));
        return;
    }
    game_.GameFileName = GameFileToSave(folder, picked->Name.toStdString(), here).value_or(path);
    RelabelAnalysisWindow();
    // The loaded rules are in force from here; the table's limit panels follow the loaded minimum.
    if (game_.TableShown && game_.Table) game_.Table->NewChipRack();
}

void TMainForm::Print1Click() { PrintWindow(*this); }

void TMainForm::Topics1Click() { ShowHelpTopics(this); }

void TMainForm::AboutClick() {
    if (game_.AnalysisWindowOpen) {
        ShowStrategyIntro();
        return;
    }
    TAboutZVXBox box(this);
    box.exec();
}

} // namespace zvx::gui
