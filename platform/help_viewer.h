// The help calls: the program asks for a topic, the table of contents or the
// index of a help file, and the installed viewer (the help window) shows it.
// Without an installed viewer a help call does nothing.
#pragma once

#include <cstdint>
#include <string>

class QObject;

namespace zeko::platform {

enum class HelpCommand : uint32_t { DisplayTopic = 0, DisplayToc = 1, DisplayIndex = 2 };

// What shows the help. `window` is the window that asked (a dialog or the
// main window); `helpFile` is the help of the current language.
class HelpViewer {
  public:
    virtual ~HelpViewer() = default;
    virtual void ShowTopic(QObject* window, const std::string& helpFile,
                           const std::string& topic) = 0;
    virtual void ShowContents(QObject* window, const std::string& helpFile) = 0;
    virtual void ShowIndex(QObject* window, const std::string& helpFile) = 0;
};

// Makes `viewer` the one that help calls reach while this object lives; the
// viewer installed before it returns afterwards. The viewer is not owned.
class HelpViewerInstallation {
  public:
    explicit HelpViewerInstallation(HelpViewer& viewer);
    HelpViewerInstallation(const HelpViewerInstallation&) = delete;
    HelpViewerInstallation& operator=(const HelpViewerInstallation&) = delete;
    ~HelpViewerInstallation();

  private:
    HelpViewer* previous_;
};

// Hands a help call to the installed viewer. `data` is the topic for
// DisplayTopic and unused otherwise. Nothing is reported back.
void HtmlHelp(QObject* window, const std::string& helpFile, HelpCommand command,
              const std::string& data);

}  // namespace zeko::platform
