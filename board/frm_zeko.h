// The main window: the board, the scores and the clock, the menus, the timers
// that drive play, and the start-up and shutdown around them. The game itself
// lives in GameControl; this window draws what it is told and forwards input.
#pragma once

#include <QMainWindow>
#include <QMessageBox>
#include <QTimer>
#include <array>
#include <memory>
#include <string>

#include "game/game_control.h"
#include "platform/engine_library.h"
#include "platform/qt_message_loop.h"
#include "settings/colour_schemes.h"
#include "settings/exchange_settings.h"

class QAction;
class QLabel;
class QMenu;

namespace zeko::board {

class BoardCanvas;

class frmZeko : public QMainWindow, public game::Presentation, public game::WindowTimers {
  public:
    // commandLine: the program's arguments taken whole as one game file name.
    explicit frmZeko(std::string commandLine = {}, QWidget* parent = nullptr);
    ~frmZeko() override;

    game::GameControl& Control() { return *control_; }
    const settings::ColourTable& Colours() const { return colours_; }

    // The View menu's item k chosen.
    void ToggleViewOption(int k);
    void ApplyColours();
    // Sets every text of the window in the current language.
    void SetTexts();

    // game::Presentation
    void ShowPosition(bool full, const engine::Board& old, const engine::Board& now) override;
    void PaintField(int pit, game::FieldLook look) override;
    void SetPointers(game::Pointer window, const std::array<game::Pointer, 12>& pits) override;
    void RepaintClockFace() override;
    void ShowClockTime(int seconds, bool full) override;
    void SetTimeBar(int halfSeconds, bool incremental) override;
    void DrawClockColon(bool on) override;
    void ShowClock(bool face, bool bar) override;
    void ShowScoreTexts() override;
    void SetCaption(const std::string& caption) override;
    bool Minimized() const override;
    void HideWelcome() override;
    bool WelcomeVisible() const override;
    void SetSkillMenuVisible(bool visible) override;
    void ShowMessage(const std::string& text, const std::string& title,
                     game::MessageIcon icon) override;
    void ShowResultDialog(int finalState) override;
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
    void CreateMenus();
    void UpdateGameMenu();
    void UpdateSkillMenu();
    void UpdateViewMenu();
    void EnableAllActions();
    void LayoutWindow();
    // Runs a command if its rule allows it now (menus and shortcuts alike).
    void Command(bool allowed, const std::function<void()>& action);
    // A modal message box with the OK button of the current language.
    void MessageBox(QMessageBox::Icon icon, const std::string& title, const std::string& text);

    std::unique_ptr<platform::EngineLibrary> engine_;
    platform::MessageLoopJoin messageLoop_;
    std::unique_ptr<game::GameControl> control_;
    settings::ProgramSettings settings_;
    settings::ColourTable colours_{};
    std::string commandLine_;
    bool loaded_ = false;
    bool minimized_ = false;

    BoardCanvas* canvas_ = nullptr;
    std::array<QTimer*, 4> timers_{};

    QMenu* gameMenu_ = nullptr;
    QMenu* opponentMenu_ = nullptr;
    QMenu* skillMenu_ = nullptr;
    QMenu* viewMenu_ = nullptr;
    QMenu* helpMenu_ = nullptr;
    QAction* newGame_ = nullptr;
    QAction* opponentComputer_ = nullptr;
    QAction* opponentHuman_ = nullptr;
    QAction* pass_ = nullptr;
    QAction* moveNow_ = nullptr;
    QAction* takeBack_ = nullptr;
    QAction* replay_ = nullptr;
    QAction* timerOff_ = nullptr;
    QAction* exit_ = nullptr;
    std::array<QAction*, 9> levels_{};
    std::array<QAction*, 8> views_{};
    QAction* about_ = nullptr;
};

}  // namespace zeko::board
