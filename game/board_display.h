// What the game control asks of the board on screen: the pits, the scores, the
// clock, the pointers and the welcome screen. The board view implements it
// with widgets; tests record it.
#pragma once

#include <array>

#include "engine/board.h"

namespace zeko::game {

enum class Pointer { Default, Hourglass, Playable };

// How a pit is coloured: normally, under the keyboard move indicator, or in the
// flash colour of the computer's chosen pit.
enum class PitLook { Normal, Indicator, Flash };

class BoardDisplay {
  public:
    virtual ~BoardDisplay() = default;

    // Redraws the pits and scores that differ between the boards, or all.
    virtual void ShowPosition(bool full, const engine::Board& old, const engine::Board& now) = 0;
    // Colours one pit and repaints it at once.
    virtual void PaintPit(int pit, PitLook look) = 0;
    // The window's pointer and the pointer over each pit.
    virtual void SetPointers(Pointer window, const std::array<Pointer, engine::kPits>& pits) = 0;

    // The clock (face or time bar) and the score texts.
    virtual void RepaintClockFace() = 0;
    virtual void ShowClockTime(int seconds, bool full) = 0;
    // The time bar for halfSeconds left of the level's allowance.
    virtual void SetTimeBar(int halfSeconds, bool incremental) = 0;
    virtual void DrawClockColon(bool on) = 0;
    virtual void ShowClock(bool face, bool bar) = 0;
    virtual void ShowScoreTexts() = 0;

    virtual void HideWelcome() = 0;
    virtual bool WelcomeVisible() const = 0;
};

}  // namespace zeko::game
