#include <gtest/gtest.h>

#include <QByteArray>
#include <QSettings>

#include <csignal>
#include <string>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/settings_store.h"
#include "tests/support/test_home.h"

namespace zeko::platform {
namespace {

using testing::IsolatedTest;
using testing::ReadFile;
using testing::WriteFile;

constexpr char kKey[] = "Software\\Kiezel Games\\Zeko";

class SettingsStoreTest : public IsolatedTest {
  protected:
    std::string File() const { return home_.SettingsFile(); }

    // Sets values under kKey in a store of its own, which writes them as it ends.
    void Set(const std::string& file,
             const std::vector<std::pair<std::string, std::string>>& values) {
        SettingsStore store(file);
        StoreKey root = store.Root();
        auto key = store.CreateKey(root, kKey);
        ASSERT_TRUE(key);
        for (const auto& [name, text] : values)
            EXPECT_TRUE(store.SetValue(key->key, name, text));
    }

    std::optional<std::string> Get(const std::string& file, const std::string& name) {
        SettingsStore store(file);
        StoreKey root = store.Root();
        auto key = store.OpenKey(root, kKey);
        return key ? store.QueryValue(*key, name) : std::nullopt;
    }
};

TEST_F(SettingsStoreTest, AKeyExistsFromItsCreationOnEvenWithoutValues) {
    {
        SettingsStore store(File());
        StoreKey root = store.Root();
        // "Software" is always there.
        EXPECT_EQ(store.CreateKey(root, "Software").value().disposition,
                  KeyDisposition::kOpenedExistingKey);
        EXPECT_EQ(store.CreateKey(root, kKey).value().disposition, KeyDisposition::kCreatedNewKey);
        EXPECT_EQ(store.CreateKey(root, kKey).value().disposition,
                  KeyDisposition::kOpenedExistingKey);
        EXPECT_TRUE(store.OpenKey(root, "Software\\Kiezel Games"));
        EXPECT_FALSE(store.OpenKey(root, "Software\\Missing"));
        for (const char* name : {"", "Software\\", "Software\\\\x", "Software/x", "Software\\."}) {
            EXPECT_FALSE(store.CreateKey(root, name)) << name;
        }
        auto key = store.OpenKey(root, kKey);
        for (const char* name : {"", "a/b", "a\\b"}) {
            EXPECT_FALSE(store.SetValue(*key, name, "x")) << name;
        }
        store.CloseKey(*key);
        EXPECT_FALSE(store.SetValue(*key, "Skill", "3"));
    }
    SettingsStore store(File());
    StoreKey root = store.Root();
    EXPECT_EQ(store.CreateKey(root, kKey).value().disposition, KeyDisposition::kOpenedExistingKey);
}

// The file is QSettings' INI format, read and written both ways.
TEST_F(SettingsStoreTest, AnyTextSurvivesTheStoreAndQSettings) {
    const std::string texts[] = {"",
                                 "  blanks around  ",
                                 "Smith, John",
                                 "a=b; #c [d]",
                                 "\"quoted\" 'single'",
                                 "@Variant(x)",
                                 "two\r\nlines\ttab",
                                 "control \x01"
                                 "5\x1f"
                                 "a",
                                 "C:\\back\\slash\\",
                                 "%41 %U0041",
                                 "\xC3\xA9t\xC3\xA9 \xE4\xB8\xAD",
                                 std::string(1000, 'z')};
    std::vector<std::pair<std::string, std::string>> values;
    for (const std::string& text : texts)
        values.emplace_back("Value " + std::to_string(values.size()), text);

    Set(File(), values);
    const std::string other = home_.Config() + "/qsettings.ini";
    {
        QSettings ours(QString::fromStdString(File()), QSettings::IniFormat);
        QSettings theirs(QString::fromStdString(other), QSettings::IniFormat);
        for (const auto& [name, text] : values) {
            const QString path = QString::fromStdString("Software/Kiezel Games/Zeko/" + name);
            EXPECT_EQ(ours.value(path).toString().toStdString(), text) << name;
            theirs.setValue(path, QString::fromStdString(text));
        }
        theirs.setValue("Software/Kiezel Games/Zeko/Blob", QByteArray("\x01\x02", 2));
    }
    for (const auto& [name, text] : values) {
        EXPECT_EQ(Get(File(), name), text) << name;
        EXPECT_EQ(Get(other, name), text) << name;
    }

    // A value that is not text reads as missing and stays as it was.
    EXPECT_FALSE(Get(other, "Blob"));
    Set(other, {{"Skill", "3"}});
    QSettings theirs(QString::fromStdString(other), QSettings::IniFormat);
    EXPECT_EQ(theirs.value("Software/Kiezel Games/Zeko/Blob").toByteArray(),
              QByteArray("\x01\x02", 2));
}

TEST_F(SettingsStoreTest, DeleteKeyRemovesTheKeyWithItsValuesAndNothingElse) {
    SettingsStore store(File());
    StoreKey root = store.Root();
    auto company = store.CreateKey(root, "Software\\Company");
    auto app = store.CreateKey(company->key, "Zeko");
    store.SetValue(app->key, "Skill", "5");
    store.SetValue(company->key, "Zeko", "the parent's value");
    ASSERT_TRUE(store.CreateKey(company->key, "Nested\\Deeper"));

    // Like the registry, a key with subkeys stays.
    EXPECT_FALSE(store.DeleteKey(company->key, "Nested"));
    EXPECT_FALSE(store.DeleteKey(root, "Software"));
    EXPECT_TRUE(store.DeleteKey(company->key, "Zeko"));
    EXPECT_FALSE(store.QueryValue(app->key, "Skill"));
    EXPECT_FALSE(store.SetValue(app->key, "Skill", "6"));
    EXPECT_EQ(store.QueryValue(company->key, "Zeko"), "the parent's value");

    auto again = store.CreateKey(company->key, "Zeko");
    EXPECT_EQ(again.value().disposition, KeyDisposition::kCreatedNewKey);
    EXPECT_FALSE(store.EnumValue(again->key, 0));
}

TEST_F(SettingsStoreTest, ChangesMadeMeanwhileByAnotherWriterStay) {
    SettingsStore first(File());
    StoreKey root = first.Root();
    auto key = first.CreateKey(root, kKey);
    first.SetValue(key->key, "Skill", "5");
    Set(File(), {{"Name1", "Anna"}, {"Skill", "2"}});
    EXPECT_TRUE(first.Flush());
    EXPECT_EQ(Get(File(), "Name1"), "Anna");
    EXPECT_EQ(Get(File(), "Skill"), "5");
}

// Lets no file grow beyond `bytes` while it lives.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }

  private:
    rlimit saved_{};
    void (*previousHandler_)(int);
};

TEST_F(SettingsStoreTest, AWriteReplacesTheWholeFileOrNothing) {
    Set(File(), {{"Skill", "5"}});
    struct stat before {};
    ASSERT_EQ(::stat(File().c_str(), &before), 0);
    Set(File(), {{"Level", "7"}});
    struct stat after {};
    ASSERT_EQ(::stat(File().c_str(), &after), 0);
    EXPECT_NE(before.st_ino, after.st_ino);
    EXPECT_EQ(Get(File(), "Skill"), "5");

    // A write cut short, as on a full disk.
    const std::string previous = ReadFile(File());
    {
        const FileSizeLimit limit(previous.size() + 100);
        SettingsStore store(File());
        StoreKey root = store.Root();
        auto key = store.OpenKey(root, kKey);
        store.SetValue(*key, "Name1", std::string(4000, 'n'));
        EXPECT_FALSE(store.Flush());
    }
    EXPECT_EQ(ReadFile(File()), previous);
}

TEST_F(SettingsStoreTest, ALinkedFileIsReplacedWhereItLives) {
    const std::string target = home_.Root() + "/dotfiles/zeko.ini";
    WriteFile(target, "[Software\\Kiezel%20Games\\Zeko]\nSkill=5\n");
    WriteFile(File(), "");
    ASSERT_EQ(::unlink(File().c_str()), 0);
    ASSERT_EQ(::symlink(target.c_str(), File().c_str()), 0);
    Set(File(), {{"Name1", "Anna"}});
    struct stat link {};
    ASSERT_EQ(::lstat(File().c_str(), &link), 0);
    EXPECT_TRUE(S_ISLNK(link.st_mode));
    EXPECT_EQ(Get(target, "Name1"), "Anna");
    EXPECT_EQ(Get(target, "Skill"), "5");
}

}  // namespace
}  // namespace zeko::platform
