// What a screen reader says about the board, in the current language: each
// pit with its stones and whether it can be played, whose turn it is, and the
// time left on the clock.
#pragma once

#include <string>

namespace zeko::gui {

enum class Turn { Bottom, Top, Wait };

// "Pit C, 4 stones, playable".
std::string PitDescription(const std::string& letter, int stones, bool playable);
// "Bottom half to move".
std::string TurnDescription(Turn turn);
// "Time left 4:05".
std::string ClockDescription(int seconds);

}  // namespace zeko::gui
