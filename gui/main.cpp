// The program's entry: one copy at a time, the file type and old settings
// taken care of, then the main window until it is unloaded.
#include <QApplication>
#include <string>
#include <vector>

#include "archive/game_file_argument.h"
#include "gui/main_window.h"
#include "settings/program_entry.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zeko"));
    // The desktop entry the file-type registration writes.
    QApplication::setDesktopFileName(QStringLiteral("Zeko.GameFile"));
    const std::string commandLine =
        zeko::archive::GameFileArgument(std::vector<std::string>(argv + 1, argv + argc));
    return zeko::settings::ProgramEntry([&] {
        zeko::gui::MainWindow window(commandLine);
        window.show();
        return QApplication::exec();
    });
}
