// The main window: the board view, the menus, the timers that drive play, the
// dialogs it opens, and the start-up and shutdown around them. The game itself
// lives in GameControl; the window forwards input to it and answers what it
// asks of the window.
#pragma once

#include <QIcon>
#include <QMainWindow>
#include <QMessageBox>
#include <QTimer>
#include <array>
#include <memory>
#include <optional>
#include <string>

#include "game/game_control.h"
#include "gui/dialogs/analysis_texts.h"
#include "gui/window/qt_translation.h"
#include "platform/engine_library.h"
#include "platform/help_viewer.h"
#include "platform/message_loop_join.h"
#include "settings/colour_schemes.h"
#include "settings/exchange_settings.h"

namespace zeko::gui {

class BoardView;
class HelpWindow;
class GameFileCommands;
class MainMenu;

class MainWindow : public QMainWindow, public game::GameWindow, public game::WindowTimers {
  public:
    // commandLine: the game file named on the command line; empty for none.
    explicit MainWindow(std::string commandLine = {}, QWidget* parent = nullptr);
    ~MainWindow() override;

    game::GameControl& Control() { return *control_; }
    GameFileCommands& GameFiles() { return *gameFiles_; }
    BoardView& Board() { return *board_; }
    HelpWindow& Help() { return *help_; }
    const settings::ColourTable& Colours() const { return colours_; }
    // The settings as they will be written when the window closes.
    const settings::ProgramSettings& Settings() const { return settings_; }
    // Qt's own texts follow the program's language.
    const QtTranslation& QtTexts() const { return qtTranslation_; }

    // What a copy started later handed over: the window comes to the front
    // and opens the game file, when there is one, as a start with it would.
    void TakeHandOver(const std::string& file);
    // A request from outside to end (a signal at logout): the modal windows
    // close as their close box closes them, then the program ends as Exit
    // ends it, a running search stopped first and the settings written.
    void EndOnRequest();

    // The View menu's option chosen.
    void ToggleViewOption(int option);
    void ApplyColours();
    // Sets every text of the window in the current language.
    void SetTexts();
    // The commands of the Tools and Help menus that open a dialog.
    void ShowAnalysis();
    void ShowNewPosition();
    void ShowLevelInfo();
    void ShowOptions();
    void ShowAbout();

    // game::GameWindow
    void SetCaption(const std::string& caption) override;
    bool Minimized() const override;
    void SetSkillMenuVisible(bool visible) override;
    void ShowMessage(const std::string& text, const std::string& title,
                     game::MessageIcon icon) override;
    void ShowResultDialog(game::GameEnd end) override;
    void ShowError(uint32_t number, const std::string& source,
                   const std::string& description) override;
    void CloseWindow() override;

    // game::WindowTimers
    void SetTimer(game::TimerId id, bool enabled, int intervalMs) override;

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void Load();
    void SetStartSizeAndPlace();
    void LayoutWindow();
    void OpenCommandLineFile();
    void OpenHandedOverFile();
    // A modal message box with the OK button of the current language.
    void MessageBox(QMessageBox::Icon icon, const std::string& title, const std::string& text);
    QTimer* Timer(game::TimerId id) const { return timers_[static_cast<size_t>(id)]; }

    std::unique_ptr<platform::EngineLibrary> engine_;
    platform::MessageLoopJoin messageLoop_;
    std::unique_ptr<game::GameControl> control_;
    settings::ProgramSettings settings_;
    settings::ColourTable colours_{};
    std::string commandLine_;
    bool loaded_ = false;
    bool minimized_ = false;
    // The analysis dialog's level and main-line choice, kept for the run.
    int16_t analysisLevel_ = kFirstAnalysisLevel;
    bool analysisMainLine_ = true;
    QIcon icon_;
    QtTranslation qtTranslation_;
    // The new-position editor's board, kept for the run; filled from the
    // game's position at its first opening.
    std::optional<game::Board> editBoard_;

    BoardView* board_ = nullptr;
    std::array<QTimer*, game::kTimerCount> timers_{};

    MainMenu* menu_ = nullptr;

    // Every help call of the program, from this window and its dialogs,
    // shows in this window of its own.
    HelpWindow* help_ = nullptr;
    std::optional<platform::HelpViewerInstallation> helpInstallation_;
    std::unique_ptr<GameFileCommands> gameFiles_;
    // A game file handed over while play was busy, opened when it rests.
    std::string handedOverFile_;
    static constexpr int kHandOverRetryMs = 250;
    // How soon the next modal window is closed on a request to end.
    static constexpr int kEndRetryMs = 50;
};

}  // namespace zeko::gui
