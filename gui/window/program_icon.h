// The program's icon, drawn by the program: a small board of two rows of pits
// with stones; the monochrome scheme gets a black-and-white variant.
#pragma once

#include <QIcon>
#include <QImage>

namespace zeko::gui {

// The icon drawn at `size` by `size` pixels; the installed icon files are
// made from it.
QImage ProgramIconImage(int size, bool monochrome);

QIcon ProgramIcon(bool monochrome);

// The pointer over a pit that a click may play: an arrow with a stone.
QPixmap PlayablePointerImage();

}  // namespace zeko::gui
