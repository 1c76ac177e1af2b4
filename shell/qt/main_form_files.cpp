#include "shell/qt/main_form.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

#include <filesystem>

#include "analysis/qt/sim_form.h"
#include "analysis/qt/strategy_intro_box.h"
#include "engine/table_view.h"
#include "shell/game_file.h"
#include "shell/qt/about_boxes.h"
#include "shell/qt/file_ctrls.h"
#include "shell/qt/help_viewer.h"
#include "shell/qt/message_boxes.h"
#include "shell/qt/print_window.h"

namespace zvx::gui {

namespace {

QString NativeFileName(const std::string& path) {
    return QDir::toNativeSeparators(QFileInfo(QString::fromStdString(path)).absoluteFilePath());
}

} // namespace

// --- Files, help, print ------------------------------------------------------------------------------------

bool TMainForm::PickSaveName(const std::string& proposed) {
    QString offered = QString::fromStdString(proposed);
    for (;;) {
        TFileCtrls picker(this);
        const auto picked = picker.Pick(offered, TFileCtrls::Purpose::Save);
        if (!picked) return false;
        const auto name = GameFileToSave(picked->Folder.toStdString(), picked->Name.toStdString(),
                                         QDir::currentPath().toStdString());
        if (!name) return false;
        // The picker cannot ask itself: the naming rule may turn the name picked into another file's.
        std::error_code ignored;
        if (std::filesystem::is_regular_file(*name, ignored) &&
            ShowMessageBox(this, QMessageBox::Question, "Save As", "This file already exists. Replace it?",
                           QMessageBox::Yes | QMessageBox::No, QMessageBox::No, NativeFileName(*name)) != QMessageBox::Yes) {
            offered = picked->Name;
            continue;
        }
        game_.GameFileName = *name;
        return true;
    }
}

void TMainForm::RelabelAnalysisWindow() {
    if (simForm_) simForm_->GameFileNamed();
}

// Both saves say when the file could not be written: a game the player believes saved would be lost.
void TMainForm::WriteGameFileTelling() {
    std::error_code why;
    if (SaveGameFile(game_, game_.GameFileName, &why)) return;
    const QString file = NativeFileName(game_.GameFileName);
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
        ShowMessageBox(this, QMessageBox::Information, windowTitle(), "Load Game File AFTER You Start Playing");
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
        ShowMessageBox(this, QMessageBox::Warning, windowTitle(), "ERROR... File Not Found!", QMessageBox::Ok,
                       QMessageBox::Ok, NativeFileName(path));
        return;
    }
    if (result != GameFileLoad::Ok) {
        Beep();
        QMessageBox::warning(this, "Game Not Loaded",
                             QString("\"%1\" is not a game file: %2.\n\nNothing was loaded; your game goes on as it was.")
                                 .arg(NativeFileName(path),
                                      QString::fromStdString(GameFileLoadProblem(result))));
        return;
    }
    game_.GameFileName = GameFileToSave(folder, picked->Name.toStdString(), here).value_or(path);
    // The loaded rules are in force from here: the analysis derives its swing threshold and shoe from them
    // again, and the table's limit panels follow the loaded minimum.
    if (simForm_) simForm_->GameFileLoaded();
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
