#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/numbered_error.h"
#include "platform/settings_store.h"
#include "settings/registry.h"
#include "tests/support/test_home.h"

namespace zeko::settings {
namespace {

using testing::IsolatedTest;

constexpr char kOldKey[] = "Software\\VB and VBA Program Settings\\Kiezel Games\\Zeko";

class RegistryTest : public IsolatedTest {
  protected:
    static void Name(Registry& registry) {
        registry.CompanyName("Kiezel Games");
        registry.AppName("Zeko");
    }

    // Puts values under the old settings key, as an older version left them.
    void WriteOldSettings(const std::vector<std::pair<std::string, std::string>>& values) {
        platform::SettingsStore store(home_.SettingsFile());
        platform::StoreKey root = store.Root();
        auto key = store.CreateKey(root, kOldKey);
        ASSERT_TRUE(key);
        for (const auto& [name, text] : values)
            store.SetValue(key->key, name, text);
    }

    bool OldSettingsExist() {
        platform::SettingsStore store(home_.SettingsFile());
        platform::StoreKey root = store.Root();
        return store.OpenKey(root, kOldKey).has_value();
    }
};

TEST_F(RegistryTest, EmptyNamesRaiseNumberedErrorsCompanyFirst) {
    const std::function<void(Registry&)> operations[] = {
        [](Registry& r) { r.GetSetting("Skill", "3"); },
        [](Registry& r) { r.SaveSetting("Skill", "3"); },
        [](Registry& r) { r.MoveSettings(); },
    };
    const struct {
        const char* company;
        const char* app;
        uint32_t number;
        const char* description;
    } cases[] = {{"", "", 0x80BB1B00u, "Empty CompanyName"},
                 {"", "Zeko", 0x80BB1B00u, "Empty CompanyName"},
                 {"Kiezel Games", "", 0x80BB1B01u, "Empty AppName"}};
    for (std::size_t op = 0; op < std::size(operations); ++op) {
        for (const auto& c : cases) {
            Registry registry;
            registry.CompanyName(c.company);
            registry.AppName(c.app);
            try {
                operations[op](registry);
                ADD_FAILURE() << "operation " << op << " raised nothing";
            } catch (const platform::NumberedError& error) {
                EXPECT_EQ(error.number(), c.number) << "operation " << op;
                EXPECT_EQ(error.source(), "Registry");
                EXPECT_EQ(error.description(), c.description);
            }
        }
    }
}

TEST_F(RegistryTest, GetSettingGivesTheDefaultForWhatIsMissingOrTooLong) {
    Registry registry;
    Name(registry);
    EXPECT_EQ(registry.GetSetting("Skill", "3"), "3");
    EXPECT_EQ(registry.GetSetting("Skill"), "");

    registry.SaveSetting("Skill", "7");
    registry.SaveSetting("Fits", std::string(254, 'x'));
    registry.SaveSetting("TooLong", std::string(255, 'x'));
    // 254 characters of two bytes each still fit.
    std::string wide;
    for (int i = 0; i < 254; ++i)
        wide += "\xC3\xA9";
    registry.SaveSetting("Wide", wide);

    EXPECT_EQ(registry.GetSetting("Skill", "3"), "7");
    EXPECT_EQ(registry.GetSetting("Fits", "d"), std::string(254, 'x'));
    EXPECT_EQ(registry.GetSetting("TooLong", "d"), "d");
    EXPECT_EQ(registry.GetSetting("Wide", "d"), wide);
    EXPECT_EQ(registry.GetSetting("Missing", "d"), "d");

    // Another company's or program's key is another key.
    Registry other;
    other.CompanyName("Kiezel Games");
    other.AppName("Other");
    EXPECT_EQ(other.GetSetting("Skill", "3"), "3");
}

TEST_F(RegistryTest, MoveSettingsCopiesTheOldSettingsOnceAndDeletesThem) {
    WriteOldSettings({{"Skill", "6"}, {"Name1", "Ann"}, {"View", "255"}});
    {
        Registry registry;
        registry.MoveSettings("Kiezel Games", "Zeko");
        EXPECT_EQ(registry.CompanyName(), "Kiezel Games");
        EXPECT_EQ(registry.AppName(), "Zeko");
        EXPECT_EQ(registry.GetSetting("Skill"), "6");
        EXPECT_EQ(registry.GetSetting("Name1"), "Ann");
        EXPECT_EQ(registry.GetSetting("View"), "255");
    }
    EXPECT_FALSE(OldSettingsExist());

    // The player changes a setting; an old key that turns up again is ignored.
    {
        Registry registry;
        Name(registry);
        registry.SaveSetting("Skill", "2");
    }
    WriteOldSettings({{"Skill", "9"}, {"Name2", "Bob"}});
    {
        Registry registry;
        Name(registry);
        registry.MoveSettings();
        EXPECT_EQ(registry.GetSetting("Skill"), "2");
        EXPECT_EQ(registry.GetSetting("Name2", "none"), "none");
    }
    EXPECT_TRUE(OldSettingsExist());
}

TEST_F(RegistryTest, AFirstRunWithoutOldSettingsStillMarksTheSettingsKey) {
    {
        Registry registry;
        Name(registry);
        registry.MoveSettings();
    }
    WriteOldSettings({{"Skill", "9"}});
    Registry registry;
    Name(registry);
    registry.MoveSettings();
    EXPECT_EQ(registry.GetSetting("Skill", "3"), "3");
}

}  // namespace
}  // namespace zeko::settings
