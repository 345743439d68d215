// Colours and fonts of the welcome screen and the about box.
#pragma once

#include <QColor>
#include <QFont>

#include "settings/colour_schemes.h"

namespace zeko::board::screens {

// A colour of the settings' red + green * 256 + blue * 65536 form.
QColor ToQColor(settings::Colour colour);

// The system's sans-serif font at a fixed point size; it stands in for the
// fonts the screens were designed with and does not scale with the window.
QFont SansSerif(double points, bool bold);

}  // namespace zeko::board::screens
