// The main window's background layer, under the pits and score bars.
#pragma once

#include "settings/colour_schemes.h"
#include "settings/view_options.h"

class QPainter;

namespace zeko::platform {
class UserScale;
}

namespace zeko::gui {

// Paints the window's background (item 0), then the board's shadow, the board
// backing and the score bars' shadows as the view options call for them.
// `window` maps the window units (15, -2)-(82, 40) onto the client area.
void PaintBoardBacking(QPainter& painter, const platform::UserScale& window,
                       const settings::ViewOptions& view, const settings::ColourTable& table);

}  // namespace zeko::gui
