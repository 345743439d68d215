// The program's settings as one record, and their exchange with the settings
// store: read once when the main window loads, written once when it closes.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "settings/colour_schemes.h"
#include "settings/language.h"

namespace zeko::settings {

inline constexpr int kViewOptionCount = 8;
inline constexpr std::size_t kMaxNameLength = 20;

// Index i is the View menu item with index i: move indicator, flashing moves,
// flashing clock, time bar, field labels, shadow, graphic chips, graphic
// scores.
using ViewFlags = std::array<bool, kViewOptionCount>;

// The settings variables. A fresh record holds the first run's values.
struct ProgramSettings {
    bool ComputerGame = true;  // the computer plays the top half
    int16_t Level = 3;         // 1-9
    std::string NameBottomHalf;
    std::string NameTopHalf;
    ViewFlags ViewOptions = {false, false, false, false, true, false, true, true};
    int16_t Language = kEnglish;
    int32_t ColorScheme = kSchemeTable1;
    bool DelayActivated = false;
    bool DelayFixed = true;
    int16_t DelayTime = 3;  // seconds, 2-10
    std::string DefaultGameFile;
    int32_t GameFilePrompt = 0;  // 0 always ask, 1 once per run, 2 the default file
    CustomColours CustomColors = DefaultCustomColours();

    bool operator==(const ProgramSettings&) const = default;
};

inline constexpr int kReadSettings = 1;
inline constexpr int kWriteSettings = 0;

// Mode 1 reads every setting into `settings`, mode 0 writes every one, any
// other mode does nothing. Values are read one by one: a missing value gives
// its default, and a stored text that cannot be converted leaves the variable
// as it was. No error escapes.
void ExchangeSettings(int mode, ProgramSettings& settings);

// The first `count` characters of a UTF-8 text.
std::string FirstCharacters(const std::string& text, std::size_t count);

}  // namespace zeko::settings
