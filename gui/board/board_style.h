// Colours and fonts of the board's elements, and the styling of the labels
// the main window makes for the pit letters and the score texts.
#pragma once

#include <QColor>
#include <QFont>

#include "settings/colour_schemes.h"

class QAbstractButton;
class QLabel;

namespace zeko::gui {

// A colour of the settings' red + green * 256 + blue * 65536 form.
QColor ToQColor(settings::Colour colour);

// The colour of item `item` of a current colour table; black for an item
// outside 0-22.
QColor ItemColour(const settings::ColourTable& table, int item);

// The system's sans-serif font at a fixed point size, which does not scale
// with the window; bold for the board's texts: printed counts 13.5, pit
// letters 8.25, score texts 9.75.
QFont SansSerif(double points, bool bold);
QFont CountFont();
QFont PitLabelFont();
QFont ScoreTextFont();

// A pit letter: its font, background item 0 and text item 16.
void StylePitLabel(QLabel& label, const settings::ColourTable& table);
// A score text: its font, text item 6 and no background of its own. Texts
// are shown as plain text, whatever a player's name contains.
void StyleScoreLabel(QLabel& label, const settings::ColourTable& table);

// A push button drawn flat in exactly these two colours (a thicker border
// when it has the focus, the colours swapped while pressed, caption and
// border in the grey between them while disabled): a widget style would
// lighten the face and lose the scheme's contrast.
void StyleButton(QAbstractButton& button, const QColor& face, const QColor& text);

}  // namespace zeko::gui
