// The settings store: keys, files as QSettings, the store or a person wrote
// them, damaged files, and writes that replace the whole file or nothing.
#include <gtest/gtest.h>

#include <QDebug>
#include <QSettings>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <future>

#include <sys/resource.h>

#include "platform/settings_store.h"
#include "tests/support/test_home.h"

namespace zeko::platform {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using Values = std::vector<std::pair<std::string, std::string>>;
constexpr char kKey[] = "Software\\Kiezel Games\\Zeko";

// Sets values under kKey in a store of its own, which writes them as it ends.
void Set(const std::string& file, const Values& values) {
    SettingsStore store(file);
    store.CreateKey(kKey);
    for (const auto& [name, text] : values)
        EXPECT_TRUE(store.SetValue(kKey, name, text)) << name;
}

std::optional<std::string> Get(const std::string& file, const std::string& name) {
    return SettingsStore(file).Value(kKey, name);
}

// Every value as QSettings reads the file, with its type.
std::map<std::string, std::string> AsQSettingsReads(const std::string& file) {
    QSettings settings(QString::fromStdString(file), QSettings::IniFormat);
    std::map<std::string, std::string> values;
    for (const QString& key : settings.allKeys()) {
        QString shown;
        QDebug(&shown) << settings.value(key);
        values[key.toStdString()] = shown.toStdString();
    }
    return values;
}

class SettingsStoreTest : public testing::IsolatedTest {
  protected:
    const std::string file_ = home_.SettingsFile();
};

TEST_F(SettingsStoreTest, AKeyExistsFromItsCreationOnUntilItIsDeleted) {
    {
        SettingsStore store(file_);
        EXPECT_FALSE(store.CreateKey("Software"));
        EXPECT_FALSE(store.SetValue(kKey, "Skill", "4"));
        EXPECT_TRUE(store.CreateKey(kKey));
        EXPECT_FALSE(store.CreateKey(kKey));
    }
    // Written without values, a key tells a later run that it is no first run.
    SettingsStore store(file_);
    EXPECT_FALSE(store.CreateKey(kKey));
    // A key with subkeys stays.
    EXPECT_FALSE(store.DeleteKey("Software\\Kiezel Games"));
    EXPECT_TRUE(store.DeleteKey(kKey));
    EXPECT_FALSE(store.SetValue(kKey, "Skill", "6"));
    EXPECT_TRUE(store.CreateKey(kKey));
}

TEST_F(SettingsStoreTest, FilesAsQSettingsOrTheStoreOrAPersonWroteThemAreWrittenBackWhole) {
    // What QSettings wrote, with values of other types and odd characters in
    // names and values; the store gives each key its own section.
    const std::string theirs =
        "[General]\n"
        "rootkey=root value\n"
        "\n"
        "[%General]\n"
        "x=in general group\n"
        "\n"
        "[Software]\n"
        "Kiezel%20Games\\Zeko\\Color0=@ByteArray(\\x1\\x2zz)\n"
        "Kiezel%20Games\\Zeko\\Color3=ctl\\x1\\x35\\x1f\x7f tab\\tnl\\ncr\\r bell\\a\n"
        "Kiezel%20Games\\Zeko\\Name1=\"Ann\xc3\xa9 \\\"Q\\\" ; x, y = z\"\n"
        "Kiezel%20Games\\Zeko\\Name2=\"  lead and trail  \"\n"
        "Kiezel%20Games\\Zeko\\View=@@starts with at\n"
        "Kiezel%20Games\\Zeko\\odd%20name%20%E9%25%3B%3D%5B%5D=v\n"
        "Kiezel%20Games\\Zeko\\sub\\deeper=nested\n"
        "Kiezel%20Games\\Zeko\\%UD83D%UDE00=emoji name\n"
        "VB%20and%20VBA%20Program%20Settings\\Kiezel%20Games\\Zeko\\Rect=@Rect(0 0 1 1)\n";
    const std::string ours =
        "[General]\n"
        "rootkey=root value\n"
        "\n"
        "[%General]\n"
        "x=in general group\n"
        "\n"
        "[Software\\Kiezel%20Games]\n"
        "\n"
        "[Software\\Kiezel%20Games\\Zeko]\n"
        "Color0=@ByteArray(\\x1\\x2zz)\n"
        "Color3=ctl\\x01\\x35\\x1F\x7f tab\\tnl\\ncr\\r bell\\a\n"
        "Name1=\"Ann\xc3\xa9 \\\"Q\\\" ; x, y = z\"\n"
        "Name2=\"  lead and trail  \"\n"
        "Skill=3\n"
        "View=@@starts with at\n"
        "odd%20name%20%E9%25%3B%3D%5B%5D=v\n"
        "%UD83D%UDE00=emoji name\n"
        "\n"
        "[Software\\Kiezel%20Games\\Zeko\\sub]\n"
        "deeper=nested\n"
        "\n"
        "[Software\\VB%20and%20VBA%20Program%20Settings]\n"
        "\n"
        "[Software\\VB%20and%20VBA%20Program%20Settings\\Kiezel%20Games]\n"
        "\n"
        "[Software\\VB%20and%20VBA%20Program%20Settings\\Kiezel%20Games\\Zeko]\n"
        "Rect=@Rect(0 0 1 1)\n";
    // Edited by hand: comments, blanks, quotes and every escape; lines of
    // unusable names and sections are dropped, a later value wins.
    const std::string edited =
        "; a comment\r\n"
        "[general]\r\n"
        "B= \"q;uo\" ted ; trailing comment\r\n"
        "[%general]\r\n"
        "C=\\x41\\x4142\\101\\7\\?\\'\\q\\\r\n"
        "[a/./b]\r\n"
        "D=4\r\n"
        "[Software\\Kiezel%20Games\\Zeko]\r\n"
        "Skill=1\r\n"
        "..\\Skill=2\r\n"
        "Name2=\" \"\r\n"
        "View=a \"b\" c\r\n"
        "  [ Software\\Kiezel%20Games\\Zeko ]\r\n"
        "Language=\t1 \r\n"
        "Q=\\U00e9\\xz\r\n"
        "[%ZZ%U00E9%U12]\r\n"
        "name with spaces = value with spaces \r\n"
        "=novalue\r\n";
    const std::string editedWritten =
        "[General]\n"
        "B=\"q;uo ted\"\n"
        "\n"
        "[%25ZZ%E9%25U12]\n"
        "name%20with%20spaces=value with spaces\n"
        "\n"
        "[%General]\n"
        "C=A\xe4\x85\x82"
        "A\\a?'\n"
        "\n"
        "[Software\\Kiezel%20Games]\n"
        "\n"
        "[Software\\Kiezel%20Games\\Zeko]\n"
        "Language=1\n"
        "Name2=\" \"\n"
        "Q=00e9\\x00z\n"
        "Skill=3\n"
        "View=a b c\n";
    for (const auto& [before, after] :
         {std::pair{theirs, ours}, std::pair{ours, ours}, std::pair{edited, editedWritten}}) {
        SCOPED_TRACE(before);
        testing::WriteFile(file_, before);
        const auto read = AsQSettingsReads(file_);
        Set(file_, {{"Skill", "3"}});
        EXPECT_EQ(ReadFile(file_), after);
        // QSettings reads every other value as before.
        auto reread = AsQSettingsReads(file_);
        reread.erase("Software/Kiezel Games/Zeko/Skill");
        if (before == theirs) {
            EXPECT_EQ(reread, read);
        }
    }
}

TEST_F(SettingsStoreTest, AnyTextSurvivesTheStoreAndReadsTheSameInQSettings) {
    const std::vector<std::string> texts = {"  blanks  ",
                                            "a=b; #c, \"q\" 's'",
                                            "semi;colon",
                                            "list,like",
                                            "@Variant(x)",
                                            "%41 %U0041",
                                            "C:\\x\\ \r\n\t\x01"
                                            "5\x1f \xC3\xA9\xE4\xB8\xAD"};
    Values values;
    for (const std::string& text : texts)
        values.emplace_back("Value" + std::to_string(values.size()), text);
    Set(file_, values);
    QSettings theirs(QString::fromStdString(file_), QSettings::IniFormat);
    theirs.beginGroup("Software/Kiezel Games/Zeko");
    for (const auto& [name, text] : values) {
        EXPECT_EQ(Get(file_, name), text) << name;
        EXPECT_EQ(theirs.value(name.c_str()).toString().toStdString(), text) << name;
    }
}

TEST_F(SettingsStoreTest, ADamagedFileYieldsEveryValueStillReadable) {
    // Lines below a section header left open belong to no key, those below
    // an indented header to that header's key.
    testing::WriteFile(
        file_, "[Software\\Kiezel%20Games\\Zeko]\nSkill= 7\n" + std::string(1, '\0') +
                   "\x01\xff garbage\n====\nName1=\"open quote\nName2 =\t x \t\nLa\n"
                   "View=@Variant(\\0\\x7f)\n  [Other]\nSkill=3\n[Software\\Kiezel\nLanguage=1\n");
    const std::vector<std::pair<std::string, std::optional<std::string>>> expected = {
        {"Skill", "7"}, {"Name1", "open quote"}, {"Name2", "x"}, {"View", {}}, {"Language", {}}};
    // A reader caught in a loop would hang the whole run; it fails it instead.
    auto read = std::async(std::launch::async, [&] {
        for (const auto& [name, value] : expected)
            EXPECT_EQ(Get(file_, name), value) << name;
    });
    if (read.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        std::fputs("Reading a damaged settings file does not end.\n", stderr);
        std::_Exit(1);
    }
}

TEST_F(SettingsStoreTest, AFileTooLargeToReadIsKeptUnderANewNameBeforeTheStoreWrites) {
    constexpr std::uintmax_t kTooLarge = 17u << 20;
    fs::create_directories(fs::path(file_).parent_path());
    for (const char* backup : {".unreadable", ".unreadable.1"}) {
        { std::ofstream(file_) << "[Software]\n"; }
        fs::resize_file(file_, kTooLarge);
        ::testing::internal::CaptureStderr();
        Set(file_, {{"Skill", "5"}});
        const std::string said = ::testing::internal::GetCapturedStderr();
        EXPECT_NE(said.find("kept as " + file_ + backup), std::string::npos) << said;
        EXPECT_EQ(fs::file_size(file_ + backup), kTooLarge);
        EXPECT_EQ(Get(file_, "Skill"), "5");
    }
}

TEST_F(SettingsStoreTest, WritesKeepOtherWritersChangesAndReplaceTheWholeFileOrNothing) {
    SettingsStore first(file_);
    first.CreateKey(kKey);
    first.SetValue(kKey, "Skill", "5");
    Set(file_, {{"Name1", "Anna"}, {"Skill", "2"}});
    EXPECT_EQ(fs::status(file_).permissions(), fs::perms{0600});
    fs::permissions(file_, fs::perms{0640});
    EXPECT_TRUE(first.Flush());
    EXPECT_EQ(Get(file_, "Name1"), "Anna");
    EXPECT_EQ(Get(file_, "Skill"), "5");
    EXPECT_EQ(fs::status(file_).permissions(), fs::perms{0640});

    // A write cut short, as on a full disk, leaves the file and nothing else.
    const std::string previous = ReadFile(file_);
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{previous.size() + 100, saved.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    Set(file_, {{"Name1", std::string(4000, 'n')}});
    ::setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(ReadFile(file_), previous);
    EXPECT_EQ(std::distance(fs::directory_iterator(home_.Config() + "/zeko"), {}), 1);

    // A linked file is replaced where it lives.
    const std::string target = home_.Root() + "/dotfiles/zeko.ini";
    testing::WriteFile(target, previous);
    fs::remove(file_);
    fs::create_symlink(target, file_);
    Set(file_, {{"Name1", "Bea"}});
    EXPECT_TRUE(fs::is_symlink(file_));
    EXPECT_EQ(Get(target, "Name1"), "Bea");
    EXPECT_EQ(Get(target, "Skill"), "5");
}

}  // namespace
}  // namespace zeko::platform
