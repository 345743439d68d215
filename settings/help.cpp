#include "settings/help.h"

#include <array>

#include "platform/help_viewer.h"
#include "settings/text_table.h"

namespace zeko::settings {

std::string OptionsHelpTopic(int tab) {
    static constexpr std::array<std::string_view, 5> kAnchors = {"Colors", "Language", "delay",
                                                                 "Names", "GameFile"};
    std::string topic = "options.html";
    if (tab >= 1 && tab <= static_cast<int>(kAnchors.size())) {
        topic += '#';
        topic += kAnchors[static_cast<std::size_t>(tab - 1)];
    }
    return topic;
}

namespace texts {

void ShowHelpContents(QObject* window) {
    platform::HtmlHelp(window, HelpFile(), platform::HelpCommand::DisplayToc, {});
}

void ShowHelpIndex(QObject* window) {
    platform::HtmlHelp(window, HelpFile(), platform::HelpCommand::DisplayIndex, {});
}

void ShowHelpTopic(QObject* window, std::string_view topic) {
    platform::HtmlHelp(window, HelpFile(), platform::HelpCommand::DisplayTopic, std::string(topic));
}

}  // namespace texts

}  // namespace zeko::settings
