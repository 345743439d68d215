#include "settings/registry.h"

#include "platform/file_type_registration.h"
#include "platform/numbered_error.h"
#include "platform/program_path.h"
#include "settings/company.h"

namespace zeko::settings {

namespace {

// The older version's settings: "Software" \ this \ CompanyName \ AppName.
constexpr std::string_view kOldSettingsKey = "VB and VBA Program Settings";

// The longest text a read accepts; a longer stored value gives the default.
constexpr std::size_t kMaxValueLength = 254;

}  // namespace

std::string FirstCharacters(const std::string& text, std::size_t count) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
        if (characters == count) return text.substr(0, i);
        ++characters;
    }
    return text;
}

Registry::Registry(std::string programPath) : programPath_(std::move(programPath)) {}

std::string Registry::SettingsKey(std::string_view parent) const {
    const auto check = [](const std::string& name, uint32_t number, const char* text) {
        if (name.empty())
            throw platform::NumberedError(number, std::string(kRegistryErrorSource), text);
    };
    check(companyName_, kErrorEmptyCompanyName, "Empty CompanyName");
    check(appName_, kErrorEmptyAppName, "Empty AppName");
    std::string key = "Software\\";
    if (!parent.empty()) key += std::string(parent) + '\\';
    return key + companyName_ + '\\' + appName_;
}

std::string Registry::GetSetting(std::string_view valueName, std::string_view defaultValue) {
    const std::optional<std::string> text = store_.Value(SettingsKey(), std::string(valueName));
    if (!text || FirstCharacters(*text, kMaxValueLength) != *text) return std::string(defaultValue);
    return *text;
}

void Registry::SaveSetting(std::string_view valueName, std::string_view newValue) {
    const std::string key = SettingsKey();
    store_.CreateKey(key);
    store_.SetValue(key, valueName, newValue);
}

void Registry::MoveSettings(std::string_view companyName, std::string_view appName) {
    if (!companyName.empty()) companyName_ = companyName;
    if (!appName.empty()) appName_ = appName;
    const std::string key = SettingsKey();
    // Only the first run of this version creates the settings key.
    if (!store_.CreateKey(key)) return;
    const std::string oldKey = SettingsKey(kOldSettingsKey);
    // Values that are not text are not the program's; they stay behind.
    for (const auto& [name, text] : store_.Values(oldKey))
        store_.SetValue(key, name, text);
    store_.DeleteKey(oldKey);
}

void Registry::RegisterFileType(std::string_view extension, std::string_view fileType,
                                std::string_view fileDescription) {
    platform::FileTypeRegistration registration;
    registration.Extension = extension;
    registration.FileType = fileType;
    registration.Description = fileDescription;
    registration.ProgramPath = programPath_.empty() ? platform::ProgramPath() : programPath_;
    registration.ProgramName = appName_;
    registration.IconName = kProgramIconName;
    platform::RegisterFileType(registration);
}

}  // namespace zeko::settings
