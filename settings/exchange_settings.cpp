#include "settings/exchange_settings.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>

#include "settings/company.h"
#include "settings/registry.h"

namespace zeko::settings {

namespace {

constexpr int64_t kHighestLevel = 9;
constexpr int64_t kShortestDelay = 2;
constexpr int64_t kLongestDelay = 10;

// A decimal number with blanks around it, an optional sign, fraction and
// exponent; the same in every locale.
std::optional<double> ParseNumber(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return std::nullopt;
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    const bool negative = text.front() == '-';
    if (negative || text.front() == '+') text.remove_prefix(1);
    // from_chars would also take "inf", "nan" and a second sign.
    if (text.empty() || !((text.front() >= '0' && text.front() <= '9') || text.front() == '.')) {
        return std::nullopt;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return negative ? -value : value;
}

// Stored numbers are rounded half to even (nearbyint in the default rounding
// mode): "2.5" reads as 2, "3.5" as 4.
std::optional<int64_t> ToInteger(std::string_view text) {
    const std::optional<double> value = ParseNumber(text);
    if (!value || !(std::fabs(*value) < 9.0e18)) return std::nullopt;
    return static_cast<int64_t>(std::nearbyint(*value));
}

std::optional<int32_t> ToInt32(std::string_view text) {
    const std::optional<int64_t> value = ToInteger(text);
    if (!value || *value != static_cast<int32_t>(*value)) return std::nullopt;
    return static_cast<int32_t>(*value);
}

// Each value on its own: a text that does not convert leaves its variable.
void ReadSettings(Registry& store, ProgramSettings& settings) {
    const auto get = [&store](std::string_view name, std::string_view defaultValue) {
        return store.GetSetting(name, defaultValue);
    };
    if (const auto number = ParseNumber(get("ComputerGame", "1"))) {
        settings.ComputerGame = *number != 0;
    }
    // Checked after rounding, so that no stored fraction becomes level 0.
    const auto level = ToInteger(get("Skill", "3"));
    settings.Level =
        level && *level >= 1 && *level <= kHighestLevel ? static_cast<int16_t>(*level) : 3;
    settings.NameBottomHalf = FirstCharacters(get("Name1", ""), kMaxNameLength);
    settings.NameTopHalf = FirstCharacters(get("Name2", ""), kMaxNameLength);
    if (const auto view = ToInt32(get("View", "208"))) {
        for (int i = 0; i < kViewOptionCount; ++i)
            settings.ViewOptions[static_cast<std::size_t>(i)] = (*view >> i & 1) != 0;
    }
    if (const auto language = ToInteger(get("Language", "2"))) {
        const bool known = *language >= kDutch && *language <= kEnglish;
        settings.Language = known ? static_cast<int16_t>(*language) : kEnglish;
    }
    if (const auto scheme = ToInt32(get("ColorScheme", "0"))) settings.ColorScheme = *scheme;
    settings.DelayActivated = get("DelayActivated", "0") == "1";
    settings.DelayFixed = get("DelayFixed", "1") == "1";
    if (const auto seconds = ToInteger(get("DelayTime", "3"))) {
        settings.DelayTime =
            static_cast<int16_t>(std::clamp(*seconds, kShortestDelay, kLongestDelay));
    }
    settings.DefaultGameFile = get("DefaultGameFile", "");
    if (const auto prompt = ToInt32(get("GameFilePrompt", "0"))) settings.GameFilePrompt = *prompt;
    for (std::size_t i = 0; i < settings.CustomColors.size(); ++i) {
        const auto colour =
            ToInt32(get("Color" + std::to_string(i), std::to_string(kBuiltInTable1[i])));
        if (colour) settings.CustomColors[i] = *colour;
    }
}

void WriteSettings(Registry& store, const ProgramSettings& settings) {
    int view = 0;
    for (int i = 0; i < kViewOptionCount; ++i) {
        if (settings.ViewOptions[static_cast<std::size_t>(i)]) view += 1 << i;
    }
    store.SaveSetting("View", std::to_string(view));
    store.SaveSetting("ComputerGame", settings.ComputerGame ? "1" : "0");
    store.SaveSetting("Skill", std::to_string(settings.Level));
    store.SaveSetting("Name1", FirstCharacters(settings.NameBottomHalf, kMaxNameLength));
    store.SaveSetting("Name2", FirstCharacters(settings.NameTopHalf, kMaxNameLength));
    store.SaveSetting("ColorScheme", std::to_string(settings.ColorScheme));
    store.SaveSetting("Language", std::to_string(settings.Language));
    store.SaveSetting("DelayActivated", settings.DelayActivated ? "1" : "0");
    store.SaveSetting("DelayFixed", settings.DelayFixed ? "1" : "0");
    store.SaveSetting("DelayTime", std::to_string(settings.DelayTime));
    store.SaveSetting("DefaultGameFile", settings.DefaultGameFile);
    store.SaveSetting("GameFilePrompt", std::to_string(settings.GameFilePrompt));
    for (std::size_t i = 0; i < settings.CustomColors.size(); ++i) {
        store.SaveSetting("Color" + std::to_string(i), std::to_string(settings.CustomColors[i]));
    }
}

}  // namespace

void ExchangeSettings(SettingsExchange direction, ProgramSettings& settings) {
    try {
        Registry store;
        store.CompanyName(std::string(kCompanyName));
        store.AppName(std::string(kAppName));
        if (direction == SettingsExchange::Read) {
            ReadSettings(store, settings);
        } else {
            WriteSettings(store, settings);
        }
    } catch (...) {
        // Nothing reaches the caller: the settings fall back silently.
    }
}

}  // namespace zeko::settings
