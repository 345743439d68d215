// The main window's background layer, under the pits and score bars.
#pragma once

#include "game/view_options.h"
#include "settings/colour_schemes.h"

class QPainter;

namespace zeko::platform {
class UserScale;
}

namespace zeko::board {

// Paints the window's background (item 0), then the board's shadow, the board
// backing and the score bars' shadows as the view options call for them.
// `window` maps the window units (15, -2)-(82, 40) onto the client area.
void PaintBoardBacking(QPainter& painter, const platform::UserScale& window,
                       const game::ViewOptions& view, const settings::ColourTable& table);

}  // namespace zeko::board
