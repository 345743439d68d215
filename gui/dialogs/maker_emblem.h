// The maker's emblem: three pebbles stacked into a small cairn ("kiezel" is
// Dutch for pebble), drawn by the program.
#pragma once

#include <QPixmap>

namespace zeko::gui {

// The emblem on a transparent square of `size` pixels.
QPixmap MakerEmblem(int size);

}  // namespace zeko::gui
