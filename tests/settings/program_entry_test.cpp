#include <gtest/gtest.h>

#include <QFileInfo>

#include <csignal>
#include <string>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/settings_store.h"
#include "platform/single_instance.h"
#include "settings/program_entry.h"
#include "settings/registry.h"
#include "tests/support/test_home.h"

namespace zeko::settings {
namespace {

using platform::SingleInstanceLock;
using testing::IsolatedTest;
using testing::WriteFile;

using SingleInstanceTest = IsolatedTest;

TEST_F(SingleInstanceTest, ASecondCopySeesTheFirstUntilItEnds) {
    {
        const SingleInstanceLock first("zeko");
        EXPECT_FALSE(first.AnotherCopyRunning());
        const SingleInstanceLock second("zeko");
        EXPECT_TRUE(second.AnotherCopyRunning());
        // Another program name is another lock.
        EXPECT_FALSE(SingleInstanceLock("other").AnotherCopyRunning());
    }
    EXPECT_FALSE(SingleInstanceLock("zeko").AnotherCopyRunning());
    // The lock file stays behind; it blocks nothing.
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(SingleInstanceLock::LockPath("zeko"))));
}

TEST_F(SingleInstanceTest, ACopyThatCrashedReleasesItsLock) {
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const std::string path = SingleInstanceLock::LockPath("zeko");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Only system calls here: the child holds the lock until it is killed.
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT, 0600);
        const char ok = fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0 ? '1' : '0';
        [[maybe_unused]] const ssize_t written = ::write(ready[1], &ok, 1);
        while (true)
            ::pause();
    }
    char ok = 0;
    ASSERT_EQ(::read(ready[0], &ok, 1), 1);
    ::close(ready[0]);
    ::close(ready[1]);
    EXPECT_EQ(ok, '1');
    EXPECT_TRUE(SingleInstanceLock("zeko").AnotherCopyRunning());

    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_FALSE(SingleInstanceLock("zeko").AnotherCopyRunning());
}

TEST_F(SingleInstanceTest, NoRuntimeFolderLetsTheProgramStart) {
    ::setenv("XDG_RUNTIME_DIR", (home_.Root() + "/missing").c_str(), 1);
    EXPECT_FALSE(SingleInstanceLock("zeko").AnotherCopyRunning());
}

using ProgramEntryTest = IsolatedTest;

TEST_F(ProgramEntryTest, RegistersAndMovesSettingsBeforeTheMainWindowShows) {
    {
        platform::SettingsStore store(home_.SettingsFile());
        platform::StoreKey root = store.Root();
        auto old =
            store.CreateKey(root, "Software\\VB and VBA Program Settings\\Kiezel Games\\Zeko");
        ASSERT_TRUE(old);
        store.SetValue(old->key, "Skill", "6");
    }
    bool shown = false;
    const int code = ProgramEntry(
        [&] {
            shown = true;
            EXPECT_TRUE(SingleInstanceLock("zeko").AnotherCopyRunning());
            EXPECT_TRUE(QFileInfo::exists(
                QString::fromStdString(home_.Data() + "/mime/packages/Zeko.GameFile.xml")));
            EXPECT_TRUE(QFileInfo::exists(
                QString::fromStdString(home_.Data() + "/applications/Zeko.GameFile.desktop")));
            Registry registry;
            registry.CompanyName("Kiezel Games");
            registry.AppName("Zeko");
            EXPECT_EQ(registry.GetSetting("Skill"), "6");
            return 42;
        },
        {"/opt/Kiezel Games/zeko", "zeko"});
    EXPECT_TRUE(shown);
    EXPECT_EQ(code, 42);
    EXPECT_FALSE(SingleInstanceLock("zeko").AnotherCopyRunning());
}

TEST_F(ProgramEntryTest, ASecondCopyEndsAtOnce) {
    const SingleInstanceLock running("zeko");
    bool shown = false;
    EXPECT_EQ(ProgramEntry([&] {
                  shown = true;
                  return 1;
              }),
              0);
    EXPECT_FALSE(shown);
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(home_.SettingsFile())));
}

}  // namespace
}  // namespace zeko::settings
