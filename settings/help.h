// Context help: the topic of every dialog and the help calls of the Help menu
// and the dialogs' Help buttons and F1 key, always in the loaded language.
#pragma once

#include <string>
#include <string_view>

class QObject;

namespace zeko::settings {

inline constexpr std::string_view kHelpTopicSelectGame = "load.html";
inline constexpr std::string_view kHelpTopicLevelInfo = "skill.html";
inline constexpr std::string_view kHelpTopicNewPosition = "newpos.html";
inline constexpr std::string_view kHelpTopicAnalysis = "analysis.html";
inline constexpr std::string_view kHelpTopicEndOfGame = "end.html";
inline constexpr std::string_view kHelpTopicRepetition = "repetition.html";
inline constexpr std::string_view kHelpTopicTime = "time.html";
inline constexpr std::string_view kHelpTopicAbout = "";

// "options.html#" + the anchor of the options dialog's tab 1-5 ("Colors",
// "Language", "delay", "Names", "GameFile"); a tab outside 1-5 gives the page
// without an anchor.
std::string OptionsHelpTopic(int tab);

namespace texts {

// Help menu item 0 ("&Contents...", F1 in the main window).
void ShowHelpContents(QObject* window);
// Help menu item 1 ("&Index...").
void ShowHelpIndex(QObject* window);
// A dialog's Help button or F1.
void ShowHelpTopic(QObject* window, std::string_view topic);

}  // namespace texts

}  // namespace zeko::settings
