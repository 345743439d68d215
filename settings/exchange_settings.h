// The program's settings as one record, and their exchange with the settings
// store: read once when the main window loads, written once when it closes.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "settings/colour_schemes.h"
#include "settings/text_table.h"
#include "settings/view_options.h"

namespace zeko::settings {

inline constexpr std::size_t kMaxNameLength = 20;

// Where the Load and Save commands find their game file.
enum GameFilePrompt : int32_t {
    kAlwaysAsk = 0,
    kAskOncePerRun = 1,
    kUseDefaultFile = 2,
};

enum class SettingsExchange { Write = 0, Read = 1 };

// The settings variables. A fresh record holds the first run's values.
struct ProgramSettings {
    bool ComputerGame = true;  // the computer plays the top half
    int16_t Level = 3;         // 1-9
    std::string NameBottomHalf;
    std::string NameTopHalf;
    settings::ViewOptions ViewOptions = kDefaultView;
    int16_t Language = kEnglish;
    int32_t ColorScheme = kSchemeTable1;
    bool DelayActivated = false;
    bool DelayFixed = true;
    int16_t DelayTime = 3;  // seconds, 2-10
    std::string DefaultGameFile;
    int32_t GameFilePrompt = kAlwaysAsk;
    CustomColours CustomColors = DefaultCustomColours();

    bool operator==(const ProgramSettings&) const = default;
};

// Reads every setting into `settings`, or writes every one. Values are read one by one: a missing
// value gives its default, and a stored text that cannot be converted leaves the variable as it
// was. No error escapes.
void ExchangeSettings(SettingsExchange direction, ProgramSettings& settings);

}  // namespace zeko::settings
