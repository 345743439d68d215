#include "platform/help_viewer.h"

namespace zeko::platform {

namespace {

// One viewer serves the whole program: every window's help calls reach it.
HelpViewer* installedViewer = nullptr;

}  // namespace

HelpViewerInstallation::HelpViewerInstallation(HelpViewer& viewer) : previous_(installedViewer) {
    installedViewer = &viewer;
}

HelpViewerInstallation::~HelpViewerInstallation() {
    installedViewer = previous_;
}

void HtmlHelp(QObject* window, const std::string& helpFile, HelpCommand command,
              const std::string& data) {
    if (installedViewer == nullptr) return;
    switch (command) {
        case HelpCommand::DisplayTopic:
            installedViewer->ShowTopic(window, helpFile, data);
            break;
        case HelpCommand::DisplayToc:
            installedViewer->ShowContents(window, helpFile);
            break;
        case HelpCommand::DisplayIndex:
            installedViewer->ShowIndex(window, helpFile);
            break;
    }
}

}  // namespace zeko::platform
