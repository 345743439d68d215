// The program's entry: one copy at a time, the file type and old settings
// taken care of, then the main window until it is unloaded. A second copy
// hands its game file to the first and ends; the signals that ask a program
// to end close the window as Exit does.
#include <QApplication>
#include <QFileInfo>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "archive/game_file_argument.h"
#include "gui/window/main_window.h"
#include "platform/copy_hand_over.h"
#include "platform/termination_signals.h"
#include "settings/program_entry.h"

namespace {

constexpr char kCopyName[] = "zeko";

constexpr char kUsage[] =
    "Usage: zeko [FILE]\n"
    "The sowing game on two rows of six pits.\n"
    "\n"
    "FILE, a Zeko game file (.zgf), opens with its games to choose from; a copy\n"
    "of the game that is running already takes it over.\n"
    "\n"
    "  --help     show this help and end\n"
    "  --version  show the version and end\n";

// "--help" or "--version" as the only argument is answered on standard
// output, without a window; true when it was.
bool AnsweredOnTheTerminal(int argc, char* argv[]) {
    if (argc != 2) return false;
    const std::string_view argument = argv[1];
    if (argument == "--help" || argument == "-h") {
        std::fputs(kUsage, stdout);
        return true;
    }
    if (argument == "--version") {
        std::puts("zeko " ZEKO_VERSION);
        return true;
    }
    return false;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (AnsweredOnTheTerminal(argc, argv)) return 0;
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zeko"));
    // The launcher, so that the desktop matches the window to it.
    QApplication::setDesktopFileName(QStringLiteral("nl.kiezelgames.Zeko"));
    const std::string commandLine =
        zeko::archive::GameFileArgument(std::vector<std::string>(argv + 1, argv + argc));
    zeko::settings::ProgramEntryOptions options;
    options.LockName = kCopyName;
    options.HandOver = [&] {
        // Absolute, for a copy that runs in another folder.
        const std::string file =
            commandLine.empty()
                ? std::string()
                : QFileInfo(QString::fromStdString(commandLine)).absoluteFilePath().toStdString();
        zeko::platform::HandOverToRunningCopy(kCopyName, file);
    };
    return zeko::settings::ProgramEntry(
        [&] {
            zeko::gui::MainWindow window(commandLine);
            const zeko::platform::TerminationSignals endRequests(
                [&window] { window.EndOnRequest(); });
            const zeko::platform::CopyHandOverServer server(
                kCopyName, [&window](const std::string& file) { window.TakeHandOver(file); });
            window.show();
            return QApplication::exec();
        },
        options);
}
