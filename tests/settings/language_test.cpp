#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/help_viewer.h"
#include "settings/help.h"
#include "settings/text_table.h"

namespace zeko::settings {
namespace {

TEST(TextTable, EveryNumberButTwentyFourHasATextInBothLanguages) {
    for (int16_t language : {kDutch, kEnglish}) {
        int texts = 0;
        for (int number = 0; number < kTextCount; ++number) {
            if (!BuiltInText(language, number).empty()) ++texts;
        }
        EXPECT_EQ(texts, 162) << "language " << language;
        EXPECT_EQ(BuiltInText(language, 24), "") << "language " << language;
    }
}

struct TextCase {
    int number;
    std::string_view english;
    std::string_view dutch;
};

// The texts whose blanks, line breaks, access keys or placeholders their users
// depend on.
const TextCase kTextCases[] = {
    {48, "Welcome  to  the", "Welkom  bij  het"},
    {49, "ancient  African", "oude  Afrikaanse"},
    {50, "game  of  Zeko !", "bordspel  Zeko !"},
    {60, "Analyzing...", "Bezig met analyse..."},
    {66, "Analysis Level ", "Analyseniveau "},
    {68, "Analyzing...", "Bezig met analyse..."},
    {69, "Calculating\r\nMain Line...", "Bezig met\r\nhoofdvariant..."},
    {119, "Delay by %1 seconds", "Vertraag met %1 seconden"},
    {136, " level.", " niveau verslagen."},
    {162, "Invalid Moves.", "Ongeldige zetten."},
};

TEST(TextTable, TextsKeepTheirBlanksBreaksAndAccessKeys) {
    for (const TextCase& c : kTextCases) {
        EXPECT_EQ(BuiltInText(kEnglish, c.number), c.english) << c.number;
        EXPECT_EQ(BuiltInText(kDutch, c.number), c.dutch) << c.number;
    }
}

TEST(GetText, FirstLookupLoadsTheCurrentLanguageAndItsHelp) {
    TextTable table("/opt/zeko");
    EXPECT_EQ(table.LoadedLanguage(), 0);
    EXPECT_EQ(table.HelpFile(), "");
    EXPECT_EQ(table.GetText(0), "&Game");
    EXPECT_EQ(table.LoadedLanguage(), kEnglish);
    EXPECT_EQ(table.HelpFile(), "/opt/zeko/zeko_en");
}

TEST(GetText, AnExplicitLanguageSwitchesTheTableUntilTheNextPlainLookup) {
    TextTable table("/opt/zeko");
    table.SetCurrentLanguage(kEnglish);
    EXPECT_EQ(table.GetText(13), "E&xit");

    EXPECT_EQ(table.GetText(13, kDutch), "&Einde");
    EXPECT_EQ(table.LoadedLanguage(), kDutch);
    EXPECT_EQ(table.HelpFile(), "/opt/zeko/zeko_nl");

    EXPECT_EQ(table.GetText(13), "E&xit");
    EXPECT_EQ(table.HelpFile(), "/opt/zeko/zeko_en");

    // The options dialog changes the current language; the next lookup follows.
    table.SetCurrentLanguage(kDutch);
    EXPECT_EQ(table.GetText(52), "Annuleer");
    EXPECT_EQ(table.HelpFile(), "/opt/zeko/zeko_nl");
}

TEST(GetText, AnUnknownLanguageKeepsTheTextsAndLeavesTheHelpWithoutALanguage) {
    TextTable fresh("/opt/zeko");
    EXPECT_EQ(fresh.GetText(1, 3), "");
    EXPECT_EQ(fresh.HelpFile(), "/opt/zeko/zeko_");

    TextTable table("/opt/zeko");
    table.SetCurrentLanguage(kDutch);
    EXPECT_EQ(table.GetText(1), "&Nieuwe");
    EXPECT_EQ(table.GetText(1, 7), "&Nieuwe");
    EXPECT_EQ(table.LoadedLanguage(), 7);
    EXPECT_EQ(table.HelpFile(), "/opt/zeko/zeko_");
    EXPECT_EQ(table.GetText(1, kEnglish), "&New");
}

TEST(GetText, NumbersOutsideTheTableGiveNoText) {
    TextTable table("/opt/zeko");
    for (int number : {-1, 163, 1 << 30})
        EXPECT_EQ(table.GetText(number), "") << number;
    EXPECT_EQ(table.GetText(24), "");
}

// Notes each call as "<command> <help file> <topic>".
class RecordingViewer : public platform::HelpViewer {
  public:
    void ShowTopic(QObject*, const std::string& helpFile, const std::string& topic) override {
        calls.push_back("topic " + helpFile + " " + topic);
    }
    void ShowContents(QObject*, const std::string& helpFile) override {
        calls.push_back("contents " + helpFile);
    }
    void ShowIndex(QObject*, const std::string& helpFile) override {
        calls.push_back("index " + helpFile);
    }
    std::vector<std::string> calls;
};

TEST(HelpCalls, ReachTheInstalledViewerWithTheHelpOfTheLoadedLanguage) {
    // Without a viewer a help call does nothing.
    texts::ShowHelpContents(nullptr);

    RecordingViewer viewer;
    std::string dutch, english;
    {
        const platform::HelpViewerInstallation installation(viewer);
        texts::SetCurrentLanguage(kDutch);
        texts::GetText(0);
        dutch = texts::HelpFile();
        texts::ShowHelpContents(nullptr);
        texts::ShowHelpIndex(nullptr);
        texts::SetCurrentLanguage(kEnglish);
        texts::GetText(0);
        english = texts::HelpFile();
        texts::ShowHelpTopic(nullptr, OptionsHelpTopic(3));
    }
    texts::ShowHelpIndex(nullptr);

    EXPECT_TRUE(dutch.ends_with("/zeko_nl"));
    EXPECT_TRUE(english.ends_with("/zeko_en"));
    EXPECT_EQ(viewer.calls, (std::vector<std::string>{"contents " + dutch, "index " + dutch,
                                                      "topic " + english + " options.html#delay"}));
}

}  // namespace
}  // namespace zeko::settings
