#include "settings/registry.h"

#include "platform/file_type_registration.h"
#include "platform/numbered_error.h"
#include "platform/program_path.h"
#include "settings/company.h"

namespace zeko::settings {

namespace {

constexpr std::string_view kOldSettingsKey = "VB and VBA Program Settings";

// The longest text a read accepts; a longer stored value gives the default.
constexpr std::size_t kMaxValueLength = 254;

std::size_t CharacterCount(std::string_view utf8) {
    std::size_t count = 0;
    for (char c : utf8) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
    }
    return count;
}

}  // namespace

Registry::Registry(std::string programPath) : programPath_(std::move(programPath)) {}

std::string Registry::SettingsKey(std::string_view parent) const {
    if (companyName_.empty()) {
        throw platform::NumberedError(kErrorEmptyCompanyName, std::string(kRegistryErrorSource),
                                      "Empty CompanyName");
    }
    if (appName_.empty()) {
        throw platform::NumberedError(kErrorEmptyAppName, std::string(kRegistryErrorSource),
                                      "Empty AppName");
    }
    std::string key = "Software\\";
    if (!parent.empty()) key += std::string(parent) + '\\';
    return key + companyName_ + '\\' + appName_;
}

std::string Registry::GetSetting(std::string_view valueName, std::string_view defaultValue) {
    const std::optional<std::string> text = store_.Value(SettingsKey(), std::string(valueName));
    if (!text || CharacterCount(*text) > kMaxValueLength) return std::string(defaultValue);
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
    registration.extension = extension;
    registration.fileType = fileType;
    registration.description = fileDescription;
    registration.programPath = programPath_.empty() ? platform::ProgramPath() : programPath_;
    registration.programName = appName_;
    registration.iconName = kProgramIconName;
    platform::RegisterFileType(registration);
}

}  // namespace zeko::settings
