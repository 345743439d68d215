// The settings store: keys, values in QSettings' INI text, damaged files,
// moved keys, and writes that replace the whole file or nothing.
#include <gtest/gtest.h>

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
    auto key = store.CreateKey(store.Root(), kKey);
    for (const auto& [name, text] : values)
        EXPECT_TRUE(store.SetValue(key->key, name, text)) << name;
}

std::optional<std::string> Get(const std::string& file, const std::string& name) {
    SettingsStore store(file);
    auto key = store.OpenKey(store.Root(), kKey);
    return key ? store.QueryValue(*key, name) : std::nullopt;
}

class SettingsStoreTest : public testing::IsolatedTest {
  protected:
    const std::string file_ = home_.SettingsFile();
};

TEST_F(SettingsStoreTest, KeysExistFromTheirCreationOnAndAMovedKeyClosesOnce) {
    {
        SettingsStore store(file_);
        EXPECT_EQ(store.CreateKey(store.Root(), "Software")->disposition,
                  KeyDisposition::kOpenedExistingKey);
        StoreKey from = std::move(store.CreateKey(store.Root(), "Software\\Moved")->key);
        StoreKey to(std::move(from));
        StoreKey target = std::move(store.CreateKey(store.Root(), kKey)->key);
        target = std::move(to);
        StoreKey& alias = target;
        target = std::move(alias);
        EXPECT_FALSE(from.IsOpen());
        EXPECT_FALSE(to.IsOpen());
        EXPECT_EQ(target.Path(), "Software\\Moved");
        EXPECT_TRUE(store.SetValue(target, "Skill", "4"));
    }
    // Written without values, a key tells a later run that it is no first run.
    SettingsStore store(file_);
    auto key = store.CreateKey(store.Root(), kKey);
    EXPECT_EQ(key->disposition, KeyDisposition::kOpenedExistingKey);
    EXPECT_EQ(store.QueryValue(*store.OpenKey(store.Root(), "Software\\Moved"), "Skill"), "4");
    // Like the registry, a key with subkeys stays.
    EXPECT_FALSE(store.DeleteKey(store.Root(), "Software\\Kiezel Games"));
    EXPECT_TRUE(store.DeleteKey(store.Root(), kKey));
    EXPECT_FALSE(store.SetValue(key->key, "Skill", "6"));
}

TEST_F(SettingsStoreTest, AnyTextSurvivesTheStoreAndReadsTheSameInQSettings) {
    const std::vector<std::string> texts = {"  blanks  ",
                                            "a=b; #c, \"q\" 's'",
                                            "semi;colon",
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
    // A write keeps what it cannot read.
    Set(file_, {{"Level", "1"}});
    EXPECT_EQ(Get(file_, "Skill"), "7");
    EXPECT_NE(ReadFile(file_).find("View=@Variant(\\0\\x7f)"), std::string::npos);
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
    first.SetValue(first.CreateKey(first.Root(), kKey)->key, "Skill", "5");
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
