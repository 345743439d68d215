#include "gui/window/game_file_commands.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QWidget>

#include "archive/game_store.h"
#include "gui/dialogs/error_box.h"
#include "gui/dialogs/game_file_dialog.h"
#include "gui/dialogs/select_game_dialog.h"
#include "platform/numbered_error.h"

namespace zeko::gui {

namespace {

bool FileExists(const std::string& name) {
    return !name.empty() && QFileInfo(QString::fromStdString(name)).isFile();
}

}  // namespace

GameFileCommands::GameFileCommands(QWidget* window, game::GameControl& control,
                                   platform::EngineLibrary& engine,
                                   const settings::ProgramSettings& settings)
    : window_(window), control_(control), engine_(engine), settings_(settings) {}

std::optional<std::string> GameFileCommands::ChooseFile(bool ask, bool save) {
    const std::string preset = FileExists(currentFile_) ? currentFile_ : settings_.DefaultGameFile;
    const int32_t mode = settings_.GameFilePrompt;
    const bool show = ask && (mode == settings::kAlwaysAsk ||
                              (mode == settings::kAskOncePerRun && currentFile_.empty()));
    std::string chosen = preset;
    if (show) {
        QFileDialog dialog(window_);
        PrepareGameFileDialog(dialog, save);
        if (!preset.empty()) {
            const QFileInfo info(QString::fromStdString(preset));
            dialog.setDirectory(info.absolutePath());
            dialog.selectFile(info.fileName());
        }
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
        chosen = dialog.selectedFiles().front().toStdString();
    }
    currentFile_ = chosen;
    return chosen;
}

void GameFileCommands::Load(bool ask) {
    const std::optional<std::string> file = ChooseFile(ask, false);
    if (!file) return;
    try {
        SelectGameDialog dialog(*file, archive::ReadGameList(*file), window_->windowIcon(),
                                window_);
        dialog.exec();
        if (dialog.GameID() == 0) return;
        game::GameRecord& record = control_.Record();
        const int16_t previous = record.RecordNumber;
        record.RecordNumber = static_cast<int16_t>(dialog.GameID());
        try {
            stored_ = archive::LoadGame(*file, record, engine_);
        } catch (...) {
            record.RecordNumber = previous;
            throw;
        }
        recordFile_ = *file;
        control_.GameLoaded();
    } catch (const platform::NumberedError& error) {
        ShowErrorBox(window_, error.Source(), error.Description());
    }
}

void GameFileCommands::Save(bool ask) {
    game::GameRecord& record = control_.Record();
    std::string file;
    if (ask) {
        const std::optional<std::string> chosen = ChooseFile(true, true);
        if (!chosen) return;
        file = *chosen;
        // Stored as a new game in the chosen file.
        record.RecordNumber = 0;
    } else {
        // The stored copy is replaced where it lies, even when another file
        // has been opened since.
        file = recordFile_.empty() ? currentFile_ : recordFile_;
        currentFile_ = file;
    }
    try {
        stored_ = archive::SaveGame(file, record, stored_);
        recordFile_ = file;
    } catch (const platform::NumberedError& error) {
        ShowErrorBox(window_, error.Source(), error.Description());
    }
}

}  // namespace zeko::gui
