#include "settings/registry.h"

#include <limits>
#include <utility>

#include "platform/file_type_registration.h"
#include "platform/numbered_error.h"
#include "platform/program_path.h"
#include "settings/company.h"

namespace zeko::settings {

namespace {

constexpr std::string_view kSoftwareKey = "Software";
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

Registry::Registry() : Registry(RegistryPlaces{}) {}

Registry::Registry(RegistryPlaces places)
    : places_(std::move(places)),
      store_(places_.storeFile.empty() ? platform::SettingsStore::DefaultPath()
                                       : places_.storeFile) {}

void Registry::CheckNames() const {
    if (companyName_.empty()) {
        throw platform::NumberedError(kErrorEmptyCompanyName, std::string(kRegistryErrorSource),
                                      "Empty CompanyName");
    }
    if (appName_.empty()) {
        throw platform::NumberedError(kErrorEmptyAppName, std::string(kRegistryErrorSource),
                                      "Empty AppName");
    }
}

std::optional<platform::CreatedKey> Registry::CreateKey(const Key& parent, std::string_view name) {
    return store_.CreateKey(parent, name);
}

std::optional<Registry::Key> Registry::OpenKey(const Key& parent, std::string_view name) {
    return store_.OpenKey(parent, name);
}

bool Registry::SetValue(const Key& key, std::string_view name, std::string_view text) {
    return store_.SetValue(key, name, text);
}

std::string Registry::QueryValue(const Key& key, std::string_view name,
                                 std::string_view defaultValue) {
    const std::optional<std::string> text = store_.QueryValue(key, name);
    if (!text || CharacterCount(*text) > kMaxValueLength) return std::string(defaultValue);
    return *text;
}

std::optional<platform::NamedValue> Registry::EnumValue(const Key& key) {
    if (key.Path() != enumKey_) {
        enumKey_ = key.Path();
        enumIndex_ = 0;
    }
    // The position is 16 bits wide: a key with more values than that ends
    // the enumeration instead of starting it over.
    std::optional<platform::NamedValue> value;
    if (enumIndex_ < std::numeric_limits<uint16_t>::max())
        value = store_.EnumValue(key, enumIndex_);
    if (value) {
        ++enumIndex_;
    } else {
        // A later enumeration of the same key begins at its first value.
        enumKey_.clear();
        enumIndex_ = 0;
    }
    return value;
}

std::string Registry::GetSetting(std::string_view valueName, std::string_view defaultValue) {
    CheckNames();
    Key root = store_.Root();
    std::optional<Key> software = OpenKey(root, kSoftwareKey);
    if (!software) return std::string(defaultValue);
    std::optional<Key> company = OpenKey(*software, companyName_);
    if (!company) return std::string(defaultValue);
    std::optional<Key> app = OpenKey(*company, appName_);
    if (!app) return std::string(defaultValue);
    return QueryValue(*app, valueName, defaultValue);
}

void Registry::SaveSetting(std::string_view valueName, std::string_view newValue) {
    CheckNames();
    Key root = store_.Root();
    std::optional<Key> software = OpenKey(root, kSoftwareKey);
    if (!software) return;
    std::optional<platform::CreatedKey> company = CreateKey(*software, companyName_);
    if (!company) return;
    std::optional<platform::CreatedKey> app = CreateKey(company->key, appName_);
    if (!app) return;
    SetValue(app->key, valueName, newValue);
}

void Registry::MoveSettings(std::string_view companyName, std::string_view appName) {
    if (!companyName.empty()) companyName_ = companyName;
    if (!appName.empty()) appName_ = appName;
    CheckNames();

    Key root = store_.Root();
    std::optional<platform::CreatedKey> software = CreateKey(root, kSoftwareKey);
    if (!software) return;
    std::optional<platform::CreatedKey> company = CreateKey(software->key, companyName_);
    if (!company) return;
    std::optional<platform::CreatedKey> app = CreateKey(company->key, appName_);
    // Only the first run of this version creates the settings key.
    if (!app || app->disposition != platform::KeyDisposition::kCreatedNewKey) return;

    std::optional<Key> oldSoftware = OpenKey(software->key, kOldSettingsKey);
    if (!oldSoftware) return;
    std::optional<Key> oldCompany = OpenKey(*oldSoftware, companyName_);
    if (!oldCompany) return;
    std::optional<Key> oldApp = OpenKey(*oldCompany, appName_);
    if (!oldApp) return;

    while (std::optional<platform::NamedValue> value = EnumValue(*oldApp)) {
        // Values that are not text are not the program's; they stay behind.
        if (value->text) SetValue(app->key, value->name, *value->text);
    }
    oldApp.reset();
    store_.DeleteKey(*oldCompany, appName_);
}

void Registry::RegisterFileType(std::string_view extension, std::string_view fileType,
                                std::string_view fileDescription) {
    platform::FileTypeRegistration registration;
    registration.extension = extension;
    registration.fileType = fileType;
    registration.description = fileDescription;
    registration.programPath =
        places_.programPath.empty() ? platform::ProgramPath() : places_.programPath;
    registration.programName = appName_;
    registration.iconName = kProgramIconName;
    platform::RegisterFileType(
        registration, places_.dataHome.empty() ? platform::DefaultDataHome() : places_.dataHome);
}

}  // namespace zeko::settings
