// Writes the program's icon as one PNG file of the icon theme, drawn at its
// size by the program's own drawing code, so that the installed icons are
// the one the window shows.
#include <QImage>
#include <QString>
#include <cstdio>

#include "gui/window/program_icon.h"

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SIZE FILE.png\n", argc > 0 ? argv[0] : "icon_image");
        return 2;
    }
    bool number = false;
    const int size = QString::fromLocal8Bit(argv[1]).toInt(&number);
    if (!number || size < 1 || size > 1024) {
        std::fprintf(stderr,
                     "icon_image: the size must be a number of pixels from 1 to 1024, not "
                     "'%s'\n",
                     argv[1]);
        return 2;
    }
    if (!zeko::gui::ProgramIconImage(size, false).save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "icon_image: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
