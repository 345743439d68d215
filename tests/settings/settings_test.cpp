// The program's settings through the registry layer and the colour scheme
// they pick, and what runs before the main window: the single-copy lock, the
// game-file type and the move of old settings.

#include "platform/single_instance.h"
#include "settings/exchange_settings.h"
#include "settings/program_entry.h"
#include "settings/registry.h"
#include "tests/support/test_home.h"

namespace zeko::settings {
namespace {

constexpr ViewOptions kOtherView = {true, true, true, true, false, true, false, false};
constexpr CustomColours kOtherColours = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17};
// Every variable away from its first-run value, in the record's order.
const ProgramSettings kChanged = {
    false, 8,     "Anna", "Bob de Bouwer",   kOtherView,      kDutch,       kSchemeMonochrome,
    true,  false, 9,      "/home/a b/z.zgf", kUseDefaultFile, kOtherColours};

// A registry under the program's own names unless given others.
struct Named : Registry {
    explicit Named(const std::string& company = "Kiezel Games", const std::string& app = "Zeko") {
        CompanyName(company);
        AppName(app);
    }
};

namespace fs = std::filesystem;
using testing::ReadFile;
using SettingsTest = testing::IsolatedTest;

TEST_F(SettingsTest, AFirstRunReadsTheDefaultsAndEachStoredTextIsReadByItsRule) {
    ProgramSettings first = kChanged;
    ExchangeSettings(SettingsExchange::Read, first);
    EXPECT_EQ(first, ProgramSettings{});
    using S = const ProgramSettings&;
    // `count` times the letter e with an acute accent, two bytes in UTF-8.
    const auto accented = [](int count) { return QString(count, QChar(0xE9)).toStdString(); };
    const std::vector<std::tuple<std::string, std::string, std::function<bool(S)>>> rows = {
        {"Skill", "8", [](S s) { return s == kChanged; }},  // as written: all read back
        {"Skill", " 9 ", [](S s) { return s.Level == 9; }},
        {"Skill", "2.5", [](S s) { return s.Level == 2; }},
        {"Skill", "0.4", [](S s) { return s.Level == 3; }},
        {"Language", "0", [](S s) { return s.Language == kEnglish; }},
        {"DelayTime", "1", [](S s) { return s.DelayTime == 2; }},
        {"DelayActivated", "true", [](S s) { return !s.DelayActivated; }},
        {"ComputerGame", "2", [](S s) { return s.ComputerGame; }},
        {"ComputerGame", "inf", [](S s) { return !s.ComputerGame; }},
        // Names are cut to 20 characters; longer texts than 254 characters are no values.
        {"Name1", std::string(255, 'x'), [](S s) { return s.NameBottomHalf.empty(); }},
        {"Name2", accented(254), [=](S s) { return s.NameTopHalf == accented(20); }},
        {"View", "-1", [](S s) { return s.ViewOptions == ViewOptions{1, 1, 1, 1, 1, 1, 1, 1}; }},
        {"View", "many", [](S s) { return s.ViewOptions == kOtherView; }},
        {"ColorScheme", "99999999999", [](S s) { return s.ColorScheme == kSchemeMonochrome; }},
        {"Color0", "1e3", [](S s) { return s.CustomColors[0] == 1000; }},
    };
    for (const auto& [name, text, holds] : rows) {
        SCOPED_TRACE(name + " = \"" + text + "\"");
        // The other values are stored as kChanged has them, so only this one moves.
        ProgramSettings settings = kChanged;
        ExchangeSettings(SettingsExchange::Write, settings);
        // The View menu's options are the bits of one number, the first the lowest.
        EXPECT_EQ(Named().GetSetting("View"), "47");
        Named().SaveSetting(name, text);
        ExchangeSettings(SettingsExchange::Read, settings);
        EXPECT_TRUE(holds(settings));
    }
    // The custom colours are the board's; the welcome screen and the about box
    // keep table 1's.
    ColourTable custom = kBuiltInTable1;
    std::copy(kOtherColours.begin(), kOtherColours.end(), custom.begin());
    EXPECT_EQ(FillColourTable(kSchemeCustom, kOtherColours), custom);
}

TEST_F(SettingsTest, TheProgramEntryRegistersAndMovesOldSettingsOnceBeforeTheMainWindow) {
    // The settings key used before the program had its own.
    const std::string oldCompany = "VB and VBA Program Settings\\Kiezel Games";
    Named(oldCompany).SaveSetting("Skill", "6");
    const std::string package = home_.Data() + "/mime/packages/Zeko.GameFile.xml";
    // A killed copy's temporary folder, and what only looks like one.
    const std::string stale = home_.Root() + "/runtime/zeko-help-a1B2c3";
    testing::WriteFile(stale + "/zeko_en.qhc", "");
    testing::WriteFile(home_.Root() + "/runtime/zeko-help/kept", "");
    const auto mainWindow = [&] {
        EXPECT_EQ(std::tuple(platform::SingleInstanceLock("zeko").AnotherCopyRunning(),
                             fs::exists(package), fs::exists(stale)),
                  std::tuple(true, true, false));
        EXPECT_EQ(Named().GetSetting("Skill"), "6");
        return 42;
    };
    EXPECT_EQ(ProgramEntry(mainWindow, {"/opt/zeko", "zeko", {}}), 42);
    EXPECT_TRUE(fs::exists(home_.Root() + "/runtime/zeko-help/kept"));
    EXPECT_EQ(Named(oldCompany).GetSetting("Skill", "moved"), "moved");
    // Old settings that turn up again are left alone by a later start.
    Named(oldCompany).SaveSetting("Skill", "9");
    EXPECT_EQ(ProgramEntry(mainWindow, {"/opt/zeko", "zeko", {}}), 42);
    EXPECT_EQ(Named(oldCompany).GetSetting("Skill"), "9");
    // While a copy runs, another ends at once, touching nothing.
    const platform::SingleInstanceLock running("zeko");
    fs::remove(package);
    testing::WriteFile(stale + "/zeko_en.qhc", "");
    int handedOver = 0;
    EXPECT_EQ(ProgramEntry([] { return 1; }, {"", "zeko", [&] { ++handedOver; }}), 0);
    EXPECT_EQ(std::tuple(fs::exists(package), fs::exists(stale), handedOver),
              std::tuple(false, true, 1));
}

TEST_F(SettingsTest, TheFileTypeOpensWithTheProgramAndLeavesAnotherTypesExtensionAlone) {
    // Desktop tools that log their run and make the cache they are meant to make.
    for (const auto& [tool, cache] : {std::pair{"update-mime-database", "mime.cache"},
                                      std::pair{"update-desktop-database", "mimeinfo.cache"}}) {
        const std::string path = home_.Bin() + "/" + tool;
        testing::WriteFile(
            path,
            std::string("#!/bin/sh\necho ${0##*/} >> \"$1/../log\"\n: > \"$1/") + cache + "\"\n");
        fs::permissions(path, fs::perms::owner_all);
    }
    const std::string data = home_.Data();
    const auto claim = [](const std::string& folder, const std::string& glob) {
        testing::WriteFile(folder + "/mime/packages/other.xml",
                           "<mime-info><mime-type type=\"application/x-other\"><glob pattern=\"" +
                               glob + "\"/></mime-type></mime-info>");
    };
    // Registers the program beside another type's glob: whether ours is there
    // and the tools it ran.
    const std::string xml = data + "/mime/packages/Zeko.GameFile.xml";
    std::string log;
    const auto step = [&](const std::string& program, const char* otherGlob, bool ours,
                          const std::string& ran) {
        claim(data, otherGlob);
        Registry registry(program);
        registry.AppName("Zeko");
        registry.RegisterFileType(".zgf", "Zeko.GameFile", "Zeko Game File");
        EXPECT_EQ(ReadFile(xml).find("<glob pattern=\"*.zgf\"/>") != std::string::npos, ours);
        EXPECT_EQ(ReadFile(data + "/log"), log += ran);
    };
    const std::string mime = "update-mime-database\n", desktop = "update-desktop-database\n";
    step("/usr/games/zeko", "*.ZGF", false, mime + desktop);
    step("/usr/games/zeko", "", true, mime);
    // Our own claim stays, and an unchanged registration runs no tool.
    step("/usr/games/zeko", "*.zgf", true, "");
    // A cache someone removed is made again.
    fs::remove(data + "/mime/mime.cache");
    step("/usr/games/zeko", "*.zgf", true, mime);
    // Another program's claim in a system folder wins, even over ours.
    claim(home_.SystemData(), "*.zgf");
    step("/usr/games/zeko", "", false, mime);
    fs::remove(home_.SystemData() + "/mime/packages/other.xml");
    step("/usr/games/zeko", "", true, mime);
    // A moved program changes only the open command, quoted only for a
    // reserved character, with '"', '`', '$' and '\' escaped inside the
    // quotes; '%' doubled; then the string escapes.
    for (const auto& [program, exec] : std::vector<std::pair<std::string, std::string>>{
             {"/opt/100%/zeko", "/opt/100%%/zeko"},
             {"/opt/my games/100%/zeko", "\"/opt/my games/100%%/zeko\""},
             {"/opt/$1/`\\\"zeko\"", "\"/opt/\\\\$1/\\\\`\\\\\\\\\\\\\"zeko\\\\\"\""}}) {
        SCOPED_TRACE(program);
        step(program, "*.zgf", true, desktop);
        const std::string entry = data + "/applications/Zeko.GameFile.desktop";
        EXPECT_EQ(ReadFile(entry), "[Desktop Entry]\nType=Application\nName=Zeko\nExec=" + exec +
                                       " %f\nIcon=zeko\nMimeType=application/"
                                       "x-zeko-gamefile;\nNoDisplay=true\nTerminal=false\n");
    }
}

}  // namespace
}  // namespace zeko::settings
