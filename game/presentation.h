// What the game control asks of the main window: drawing, pointers, captions,
// messages and dialogs. The window implements it with widgets; tests record it.
#pragma once

#include <array>
#include <string>

#include "engine/board.h"

namespace zeko::game {

enum class Pointer { Default, Hourglass, Playable };

// How a pit panel is coloured: normally, under the keyboard move indicator, or
// in the flash colour of the computer's chosen pit.
enum class FieldLook { Normal, Indicator, Flash };

enum class MessageIcon { None, Information };

class Presentation {
  public:
    virtual ~Presentation() = default;

    // Redraws the pits and scores that differ between the boards, or all.
    virtual void ShowPosition(bool full, const engine::Board& old, const engine::Board& now) = 0;
    // Colours one pit panel and repaints it at once.
    virtual void PaintField(int pit, FieldLook look) = 0;
    // The window's pointer and the pointer over each of the twelve pits.
    virtual void SetPointers(Pointer window, const std::array<Pointer, 12>& pits) = 0;

    // The clock (face or time bar) and the score texts.
    virtual void RepaintClockFace() = 0;
    virtual void ShowClockTime(int seconds, bool full) = 0;
    // The time bar for halfSeconds left of the level's allowance.
    virtual void SetTimeBar(int halfSeconds, bool incremental) = 0;
    virtual void DrawClockColon(bool on) = 0;
    virtual void ShowClock(bool face, bool bar) = 0;
    virtual void ShowScoreTexts() = 0;

    virtual void SetCaption(const std::string& caption) = 0;
    virtual bool Minimized() const = 0;
    virtual void HideWelcome() = 0;
    virtual bool WelcomeVisible() const = 0;
    virtual void SetSkillMenuVisible(bool visible) = 0;

    // Modal: they return when the user has closed them.
    virtual void ShowMessage(const std::string& text, const std::string& title,
                             MessageIcon icon) = 0;
    virtual void ShowResultDialog(int finalState) = 0;
    virtual void ShowError(uint32_t number, const std::string& source,
                           const std::string& description) = 0;

    // Unloads the main window, which ends the program.
    virtual void CloseWindow() = 0;
};

}  // namespace zeko::game
