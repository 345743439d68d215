#include <gtest/gtest.h>

#include <QFileInfo>

#include <functional>
#include <string>

#include "settings/exchange_settings.h"
#include "settings/registry.h"
#include "tests/support/test_home.h"

namespace zeko::settings {
namespace {

using testing::IsolatedTest;
using testing::WriteFile;

// Every variable away from its first-run value.
ProgramSettings Changed() {
    ProgramSettings s;
    s.ComputerGame = false;
    s.Level = 8;
    s.NameBottomHalf = "Anna";
    s.NameTopHalf = "Bob de Bouwer";
    s.ViewOptions = {true, true, true, true, false, true, false, false};
    s.Language = kDutch;
    s.ColorScheme = kSchemeMonochrome;
    s.DelayActivated = true;
    s.DelayFixed = false;
    s.DelayTime = 9;
    s.DefaultGameFile = "/home/anna/My Games/zeko games.zgf";
    s.GameFilePrompt = 2;
    for (int i = 0; i < kCustomColourCount; ++i)
        s.CustomColors[i] = Rgb(i * 10, 255 - i, 7);
    return s;
}

class ExchangeSettingsTest : public IsolatedTest {
  protected:
    void Store(const std::string& name, const std::string& text) {
        Registry registry;
        registry.CompanyName("Kiezel Games");
        registry.AppName("Zeko");
        registry.SaveSetting(name, text);
    }

    std::string Stored(const std::string& name) {
        Registry registry;
        registry.CompanyName("Kiezel Games");
        registry.AppName("Zeko");
        return registry.GetSetting(name, "(missing)");
    }
};

TEST_F(ExchangeSettingsTest, AFirstRunReadsEveryDefault) {
    ProgramSettings settings = Changed();
    ExchangeSettings(SettingsExchange::Read, settings);
    EXPECT_EQ(settings, ProgramSettings{});

    EXPECT_TRUE(settings.ComputerGame);
    EXPECT_EQ(settings.Level, 3);
    EXPECT_EQ(settings.NameBottomHalf, "");
    EXPECT_EQ(settings.NameTopHalf, "");
    EXPECT_EQ(settings.ViewOptions,
              (ViewOptions{false, false, false, false, true, false, true, true}));
    EXPECT_EQ(settings.Language, kEnglish);
    EXPECT_EQ(settings.ColorScheme, 0);
    EXPECT_FALSE(settings.DelayActivated);
    EXPECT_TRUE(settings.DelayFixed);
    EXPECT_EQ(settings.DelayTime, 3);
    EXPECT_EQ(settings.DefaultGameFile, "");
    EXPECT_EQ(settings.GameFilePrompt, 0);
    EXPECT_EQ(FillColourTable(kSchemeCustom, settings.CustomColors),
              FillColourTable(kSchemeTable1, settings.CustomColors));
}

struct ReadCase {
    const char* name;
    const char* text;
    std::function<bool(const ProgramSettings&)> holds;
    const char* what;
};

#define EXPECTING(condition) [](const ProgramSettings& s) { return condition; }, #condition

// Each case reads one stored text into a record that starts from Changed().
const ReadCase kReadCases[] = {
    {"Skill", "0", EXPECTING(s.Level == 3)},
    {"Skill", "10", EXPECTING(s.Level == 3)},
    {"Skill", "x", EXPECTING(s.Level == 3)},
    {"Skill", "", EXPECTING(s.Level == 3)},
    {"Skill", "9", EXPECTING(s.Level == 9)},
    {"Skill", "1", EXPECTING(s.Level == 1)},
    {"Skill", " 4 ", EXPECTING(s.Level == 4)},
    {"Skill", "2.5", EXPECTING(s.Level == 2)},
    {"Skill", "3.5", EXPECTING(s.Level == 4)},
    // A fraction that would round to level 0 is no level.
    {"Skill", "0.4", EXPECTING(s.Level == 3)},
    {"Language", "3", EXPECTING(s.Language == kEnglish)},
    {"Language", "0", EXPECTING(s.Language == kEnglish)},
    {"Language", "-4", EXPECTING(s.Language == kEnglish)},
    {"Language", "1", EXPECTING(s.Language == kDutch)},
    {"Language", "Dutch", EXPECTING(s.Language == kDutch)},
    {"DelayTime", "1", EXPECTING(s.DelayTime == 2)},
    {"DelayTime", "25", EXPECTING(s.DelayTime == 10)},
    {"DelayTime", "100000", EXPECTING(s.DelayTime == 10)},
    {"DelayTime", "6", EXPECTING(s.DelayTime == 6)},
    {"DelayTime", "soon", EXPECTING(s.DelayTime == 9)},
    {"DelayActivated", "true", EXPECTING(!s.DelayActivated)},
    {"DelayActivated", " 1", EXPECTING(!s.DelayActivated)},
    {"DelayActivated", "1", EXPECTING(s.DelayActivated)},
    {"DelayFixed", "1", EXPECTING(s.DelayFixed)},
    {"DelayFixed", "yes", EXPECTING(!s.DelayFixed)},
    {"ComputerGame", "2", EXPECTING(s.ComputerGame)},
    {"ComputerGame", "0", EXPECTING(!s.ComputerGame)},
    {"ComputerGame", "maybe", EXPECTING(!s.ComputerGame)},
    {"Name1", "ABCDEFGHIJKLMNOPQRSTUVWXYZ", EXPECTING(s.NameBottomHalf == "ABCDEFGHIJKLMNOPQRST")},
    // Characters, not bytes: each of these takes two.
    {"Name2",
     "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9"
     "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9",
     EXPECTING(s.NameTopHalf.size() == 40)},
    {"View", "5", EXPECTING((s.ViewOptions == ViewOptions{true, false, true}))},
    {"View", "-1",
     EXPECTING((s.ViewOptions == ViewOptions{true, true, true, true, true, true, true, true}))},
    {"View", "many", EXPECTING(s.ViewOptions == Changed().ViewOptions)},
    {"ColorScheme", "abc", EXPECTING(s.ColorScheme == kSchemeMonochrome)},
    {"ColorScheme", "7", EXPECTING(s.ColorScheme == 7)},
    {"ColorScheme", "-1", EXPECTING(s.ColorScheme == -1)},
    {"ColorScheme", "99999999999", EXPECTING(s.ColorScheme == kSchemeMonochrome)},
    {"GameFilePrompt", "1", EXPECTING(s.GameFilePrompt == 1)},
    {"GameFilePrompt", "often", EXPECTING(s.GameFilePrompt == 2)},
    {"DefaultGameFile", " /tmp/a b.zgf ", EXPECTING(s.DefaultGameFile == " /tmp/a b.zgf ")},
    {"Color16", "65280", EXPECTING(s.CustomColors[16] == 65280)},
    {"Color0", "1e3", EXPECTING(s.CustomColors[0] == 1000)},
    {"Color0", "red", EXPECTING(s.CustomColors[0] == Changed().CustomColors[0])},
};

#undef EXPECTING

TEST_F(ExchangeSettingsTest, EachStoredTextIsReadByItsRule) {
    for (const ReadCase& c : kReadCases) {
        ProgramSettings settings = Changed();
        // The other values are stored as Changed() has them, so only this one moves.
        ExchangeSettings(SettingsExchange::Write, settings);
        Store(c.name, c.text);
        ExchangeSettings(SettingsExchange::Read, settings);
        EXPECT_TRUE(c.holds(settings)) << c.name << " = \"" << c.text << "\": " << c.what;
    }
}

TEST_F(ExchangeSettingsTest, EveryValueSurvivesAWriteAndARead) {
    ProgramSettings written = Changed();
    ExchangeSettings(SettingsExchange::Write, written);
    ProgramSettings read;
    ExchangeSettings(SettingsExchange::Read, read);
    EXPECT_EQ(read, written);

    EXPECT_EQ(Stored("View"), "47");
    EXPECT_EQ(Stored("ComputerGame"), "0");
    EXPECT_EQ(Stored("DelayActivated"), "1");
    EXPECT_EQ(Stored("Color1"), std::to_string(Rgb(10, 254, 7)));
}

TEST_F(ExchangeSettingsTest, NamesAreCutTo20CharactersWhenWritten) {
    ProgramSettings settings;
    settings.NameBottomHalf = "Anna Maria Magdalena van Dijk";
    settings.NameTopHalf = "Bob";
    ExchangeSettings(SettingsExchange::Write, settings);
    EXPECT_EQ(Stored("Name1"), "Anna Maria Magdalena");
    EXPECT_EQ(Stored("Name2"), "Bob");
}

// A damaged file gives what can still be read from it and the defaults for
// the rest; writing afterwards leaves a file that reads back.
TEST_F(ExchangeSettingsTest, ADamagedFileGivesDefaultsValueByValue) {
    const std::string header = "[Software\\Kiezel%20Games\\Zeko]\nSkill=7\n";
    const std::string damages[] = {
        std::string("\x00\x01\xff\xfe\x80garbage\n[[[\n====\n\xc3", 20),
        "Name1=\"open quote",  // a quote left open
        "Langu",               // cut off in a name
        "View=@Variant(\\0\\0\\0\\x7f\\xff)\n",
        "[Software\\Kiezel%20Games\\Zeko\nLanguage=1",  // a section left open
    };
    for (const std::string& damage : damages) {
        WriteFile(home_.SettingsFile(), header + damage);
        ProgramSettings settings = Changed();
        ExchangeSettings(SettingsExchange::Read, settings);
        EXPECT_EQ(settings.Level, 7);
        EXPECT_EQ(settings.Language, kEnglish);
        EXPECT_EQ(settings.ViewOptions, ProgramSettings{}.ViewOptions);
        EXPECT_EQ(settings.CustomColors, DefaultCustomColours());
        EXPECT_EQ(settings.DelayTime, 3);

        ProgramSettings written = Changed();
        ExchangeSettings(SettingsExchange::Write, written);
        ProgramSettings read;
        ExchangeSettings(SettingsExchange::Read, read);
        EXPECT_EQ(read, written);
    }

    // Random bytes, then nothing but the file's start.
    std::string noise;
    for (int i = 0; i < 4096; ++i)
        noise += static_cast<char>((i * 7919 + 13) % 256);
    for (const std::string& content : {noise, header.substr(0, 20), std::string()}) {
        WriteFile(home_.SettingsFile(), content);
        ProgramSettings settings = Changed();
        ExchangeSettings(SettingsExchange::Read, settings);
        EXPECT_EQ(settings, ProgramSettings{});
    }
}

TEST_F(ExchangeSettingsTest, AnUnreadableFileGivesDefaultsAndWritesAreSkipped) {
    // A folder where the file belongs can be neither read nor replaced.
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(home_.SettingsFile())));
    ProgramSettings settings = Changed();
    ExchangeSettings(SettingsExchange::Read, settings);
    EXPECT_EQ(settings, ProgramSettings{});
    ExchangeSettings(SettingsExchange::Write, settings);
    EXPECT_TRUE(QFileInfo(QString::fromStdString(home_.SettingsFile())).isDir());
}

}  // namespace
}  // namespace zeko::settings
