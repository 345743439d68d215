// The program's entry: one copy at a time, the file type and old settings
// taken care of, then the main window until it is unloaded.
#include <QApplication>
#include <string>

#include "gui/main_window.h"
#include "settings/program_entry.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zeko"));
    // The desktop entry the file-type registration writes.
    QApplication::setDesktopFileName(QStringLiteral("Zeko.GameFile"));
    // The command line is taken whole as one game file name.
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) commandLine += ' ';
        commandLine += argv[i];
    }
    return zeko::settings::ProgramEntry([&] {
        zeko::gui::MainWindow window(commandLine);
        window.show();
        return QApplication::exec();
    });
}
