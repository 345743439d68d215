// The treatment every window of the program gives its window menu when it
// opens: Restore, Move, Minimize and Close in the current language, nothing
// else.
#pragma once

#include <functional>
#include <string>

#include "platform/window_menu.h"

namespace zeko::game {

// text: the text of a number in the current language.
void TrimSystemMenu(platform::WindowMenu& menu, const std::function<std::string(int)>& text);

}  // namespace zeko::game
