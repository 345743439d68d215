// The Game menu's Load, Save and Save As commands: which game file they use
// (asked with a file dialog, the current one, or the default one, as the
// game-file prompt setting says), the select-game dialog, and the game
// record's trip to and from the file. Failures are shown in a message box;
// a cancelled file dialog ends a command silently.
#pragma once

#include <optional>
#include <string>

#include "archive/stored_game.h"
#include "game/game_control.h"
#include "platform/engine_library.h"
#include "settings/exchange_settings.h"

class QWidget;

namespace zeko::gui {

class GameFileCommands {
  public:
    // settings: read at every command, so changed options count at once.
    GameFileCommands(QWidget* window, game::GameControl& control, platform::EngineLibrary& engine,
                     const settings::ProgramSettings& settings);

    // ask: whether a file dialog may be shown (the prompt setting decides).
    void Load(bool ask);
    // ask false: the game replaces its stored copy in the file it came from.
    void Save(bool ask);
    // The Game menu's "Save": asks only for a game never stored.
    void SaveCommand() { Save(control_.Record().RecordNumber == 0); }

    // The game file used last; empty at start.
    const std::string& CurrentFile() const { return currentFile_; }
    void SetCurrentFile(std::string fileName) { currentFile_ = std::move(fileName); }

  private:
    // The file to use, or none when the file dialog was cancelled.
    std::optional<std::string> ChooseFile(bool ask, bool save);

    QWidget* window_;
    game::GameControl& control_;
    platform::EngineLibrary& engine_;
    const settings::ProgramSettings& settings_;
    std::string currentFile_;
    // The file that holds the game record's stored copy (its RecordNumber),
    // and that copy as loaded or saved: Save replaces it only while it is
    // still there.
    std::string recordFile_;
    archive::StoredGame stored_;
};

}  // namespace zeko::gui
