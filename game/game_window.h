// What the game control asks of the main window around the board: caption,
// menus, messages, dialogs and closing. The main window implements it; tests
// record it.
#pragma once

#include <cstdint>
#include <string>

#include "game/game_end.h"

namespace zeko::game {

enum class MessageIcon { None, Information };

class GameWindow {
  public:
    virtual ~GameWindow() = default;

    virtual void SetCaption(const std::string& caption) = 0;
    virtual bool Minimized() const = 0;
    virtual void SetSkillMenuVisible(bool visible) = 0;

    // Modal: they return when the user has closed them.
    virtual void ShowMessage(const std::string& text, const std::string& title,
                             MessageIcon icon) = 0;
    virtual void ShowResultDialog(GameEnd end) = 0;
    virtual void ShowError(uint32_t number, const std::string& source,
                           const std::string& description) = 0;

    // Unloads the main window, which ends the program.
    virtual void CloseWindow() = 0;
};

}  // namespace zeko::game
