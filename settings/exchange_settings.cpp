#include "settings/exchange_settings.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <string_view>

#include "settings/company.h"
#include "settings/registry.h"

namespace zeko::settings {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A decimal number with blanks around it, an optional sign, fraction and
// exponent; the same in every locale.
std::optional<double> ParseNumber(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return std::nullopt;
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);

    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // from_chars would also take "inf" and "nan"; only digits are numbers here.
    std::size_t i = 0;
    std::size_t digits = 0;
    while (i < text.size() && IsDigit(text[i]))
        ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i]))
            ++i, ++digits;
    }
    if (digits == 0) return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        const std::size_t exponentStart = i;
        while (i < text.size() && IsDigit(text[i]))
            ++i;
        if (i == exponentStart) return std::nullopt;
    }
    if (i != text.size()) return std::nullopt;

    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return negative ? -value : value;
}

// Stored numbers are rounded half to even: "2.5" reads as 2, "3.5" as 4.
std::optional<int64_t> ToInteger(std::string_view text) {
    const std::optional<double> value = ParseNumber(text);
    if (!value || !(std::fabs(*value) < 9.0e18)) return std::nullopt;
    const double floor = std::floor(*value);
    const double fraction = *value - floor;
    double rounded = floor;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0)) rounded += 1.0;
    return static_cast<int64_t>(rounded);
}

std::optional<int32_t> ToInt32(std::string_view text) {
    const std::optional<int64_t> value = ToInteger(text);
    if (!value || *value < std::numeric_limits<int32_t>::min() ||
        *value > std::numeric_limits<int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<int32_t>(*value);
}

std::string ColourValueName(std::size_t index) {
    return "Color" + std::to_string(index);
}

// Every value is read and written on its own: a failure skips that value.
class Exchange {
  public:
    Exchange() {
        registry_.CompanyName(std::string(kCompanyName));
        registry_.AppName(std::string(kAppName));
    }

    std::optional<std::string> Get(std::string_view name, std::string_view defaultValue) {
        try {
            return registry_.GetSetting(name, defaultValue);
        } catch (...) {
            return std::nullopt;
        }
    }

    void Save(std::string_view name, std::string_view value) {
        try {
            registry_.SaveSetting(name, value);
        } catch (...) {
        }
    }

  private:
    Registry registry_;
};

void ReadSettings(ProgramSettings& settings) {
    Exchange store;
    if (const auto text = store.Get("ComputerGame", "1")) {
        if (const auto number = ParseNumber(*text)) settings.ComputerGame = *number != 0;
    }
    if (const auto text = store.Get("Skill", "3")) {
        // Checked after rounding, so that no stored fraction becomes level 0.
        const auto level = ToInteger(*text);
        settings.Level = level && *level >= 1 && *level <= 9 ? static_cast<int16_t>(*level) : 3;
    }
    if (const auto text = store.Get("Name1", "")) {
        settings.NameBottomHalf = FirstCharacters(*text, kMaxNameLength);
    }
    if (const auto text = store.Get("Name2", "")) {
        settings.NameTopHalf = FirstCharacters(*text, kMaxNameLength);
    }
    if (const auto text = store.Get("View", "208")) {
        if (const auto view = ToInt32(*text)) {
            for (int i = 0; i < kViewOptionCount; ++i) {
                settings.ViewOptions[static_cast<std::size_t>(i)] =
                    ((static_cast<uint32_t>(*view) >> i) & 1u) != 0;
            }
        }
    }
    if (const auto text = store.Get("Language", "2")) {
        if (const auto language = ToInteger(*text)) {
            settings.Language =
                *language <= 0 || *language > 2 ? kEnglish : static_cast<int16_t>(*language);
        }
    }
    if (const auto text = store.Get("ColorScheme", "0")) {
        if (const auto scheme = ToInt32(*text)) settings.ColorScheme = *scheme;
    }
    if (const auto text = store.Get("DelayActivated", "0")) settings.DelayActivated = *text == "1";
    if (const auto text = store.Get("DelayFixed", "1")) settings.DelayFixed = *text == "1";
    if (const auto text = store.Get("DelayTime", "3")) {
        if (const auto seconds = ToInteger(*text)) {
            settings.DelayTime = static_cast<int16_t>(*seconds < 2    ? 2
                                                      : *seconds > 10 ? 10
                                                                      : *seconds);
        }
    }
    if (const auto text = store.Get("DefaultGameFile", "")) settings.DefaultGameFile = *text;
    if (const auto text = store.Get("GameFilePrompt", "0")) {
        if (const auto prompt = ToInt32(*text)) settings.GameFilePrompt = *prompt;
    }
    for (std::size_t i = 0; i < settings.CustomColors.size(); ++i) {
        const auto text = store.Get(ColourValueName(i), std::to_string(kBuiltInTable1[i]));
        if (!text) continue;
        if (const auto colour = ToInt32(*text)) settings.CustomColors[i] = *colour;
    }
}

void WriteSettings(const ProgramSettings& settings) {
    Exchange store;
    int view = 0;
    for (int i = 0; i < kViewOptionCount; ++i) {
        if (settings.ViewOptions[static_cast<std::size_t>(i)]) view += 1 << i;
    }
    store.Save("View", std::to_string(view));
    store.Save("ComputerGame", settings.ComputerGame ? "1" : "0");
    store.Save("Skill", std::to_string(settings.Level));
    store.Save("Name1", FirstCharacters(settings.NameBottomHalf, kMaxNameLength));
    store.Save("Name2", FirstCharacters(settings.NameTopHalf, kMaxNameLength));
    store.Save("ColorScheme", std::to_string(settings.ColorScheme));
    store.Save("Language", std::to_string(settings.Language));
    store.Save("DelayActivated", settings.DelayActivated ? "1" : "0");
    store.Save("DelayFixed", settings.DelayFixed ? "1" : "0");
    store.Save("DelayTime", std::to_string(settings.DelayTime));
    store.Save("DefaultGameFile", settings.DefaultGameFile);
    store.Save("GameFilePrompt", std::to_string(settings.GameFilePrompt));
    for (std::size_t i = 0; i < settings.CustomColors.size(); ++i) {
        store.Save(ColourValueName(i), std::to_string(settings.CustomColors[i]));
    }
}

}  // namespace

std::string FirstCharacters(const std::string& text, std::size_t count) {
    // Cut before the lead byte of character `count`, never inside a
    // character.
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
        if (characters == count) return text.substr(0, i);
        ++characters;
    }
    return text;
}

void ExchangeSettings(SettingsExchange direction, ProgramSettings& settings) {
    try {
        if (direction == SettingsExchange::Read) {
            ReadSettings(settings);
        } else {
            WriteSettings(settings);
        }
    } catch (...) {
        // Nothing reaches the caller: the settings fall back silently.
    }
}

}  // namespace zeko::settings
