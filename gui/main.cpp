// The program's entry: one copy at a time, the file type and old settings
// taken care of, then the main window until it is unloaded. A second copy
// hands its game file to the first and ends.
#include <QApplication>
#include <QFileInfo>
#include <string>
#include <vector>

#include "archive/game_file_argument.h"
#include "gui/main_window.h"
#include "platform/copy_hand_over.h"
#include "settings/program_entry.h"

namespace {

constexpr char kCopyName[] = "zeko";

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zeko"));
    // The launcher, so that the desktop matches the window to it.
    QApplication::setDesktopFileName(QStringLiteral("nl.kiezelgames.Zeko"));
    const std::string commandLine =
        zeko::archive::GameFileArgument(std::vector<std::string>(argv + 1, argv + argc));
    zeko::settings::ProgramEntryOptions options;
    options.lockName = kCopyName;
    options.handOver = [&] {
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
            const zeko::platform::CopyHandOverServer server(
                kCopyName, [&window](const std::string& file) { window.TakeHandOver(file); });
            window.show();
            return QApplication::exec();
        },
        options);
}
