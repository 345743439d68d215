// The program's access to the per-user settings store: single values under
// "Software" \ CompanyName \ AppName, the one-time move of an older version's
// settings, and the registration of the game-file type.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/settings_store.h"

namespace zeko::settings {

inline constexpr uint32_t kErrorEmptyCompanyName = 0x80BB1B00u;
inline constexpr uint32_t kErrorEmptyAppName = 0x80BB1B01u;
inline constexpr std::string_view kRegistryErrorSource = "Registry";

// The first `count` characters of a UTF-8 text, never cut inside one.
std::string FirstCharacters(const std::string& text, std::size_t count);

// One object per use: what it saves reaches the settings file when the object
// ends. Store failures are silent: reads give the default, writes are
// skipped. GetSetting, SaveSetting and MoveSettings raise a
// platform::NumberedError (source "Registry") when CompanyName or AppName is
// empty.
class Registry {
  public:
    // `programPath` opens game files; empty: the running program.
    explicit Registry(std::string programPath = {});

    void AppName(std::string name) { appName_ = std::move(name); }
    void CompanyName(std::string name) { companyName_ = std::move(name); }

    // The stored text, or `defaultValue` when the value or its key is missing
    // or the text is longer than 254 characters.
    std::string GetSetting(std::string_view valueName, std::string_view defaultValue = {});
    void SaveSetting(std::string_view valueName, std::string_view newValue);

    // On the first run of this version only (the settings key did not exist
    // yet), copies the text values of the key an older version wrote into
    // the settings key and deletes the old key. Non-empty arguments replace
    // the properties first.
    void MoveSettings(std::string_view companyName = {}, std::string_view appName = {});

    // Associates `extension` with the type `fileType` (described as
    // `fileDescription`) and the type with this program. An association of
    // the extension with another type is kept; the type itself is always
    // written.
    void RegisterFileType(std::string_view extension, std::string_view fileType,
                          std::string_view fileDescription);

  private:
    // The key "Software" \ `parent` \ CompanyName \ AppName once both names
    // are checked.
    std::string SettingsKey(std::string_view parent = {}) const;

    std::string programPath_;
    platform::SettingsStore store_;
    std::string appName_;
    std::string companyName_;
};

}  // namespace zeko::settings
