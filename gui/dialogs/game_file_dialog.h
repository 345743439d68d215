// The file dialog for a game file, as Load, Save and the options dialog's
// Browse... show it.
#pragma once

class QFileDialog;

namespace zeko::gui {

// The game files first, every file second (a name without a dot included),
// ".zgf" added to a name typed without it. `save` lets a new name be typed and
// takes an existing file without asking, as saving adds a game to it.
void PrepareGameFileDialog(QFileDialog& dialog, bool save);

}  // namespace zeko::gui
