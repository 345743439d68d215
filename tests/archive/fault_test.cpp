// Saving and deleting never lose data: a failure at any write, flush or
// rename, or a file that may not be written, leaves the file byte for byte as
// it was, no stray file beside it, and an error; a writer killed in the middle
// leaves nothing that stays.
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>
#include <thread>

#include "archive/game_store.h"
#include "platform/numbered_error.h"
#include "tests/archive/game_file_bytes.h"
#include "tests/support/test_home.h"

namespace zeko::archive::testing {
namespace {

enum class Step { Write, Flush, Rename, None };
constexpr std::size_t kPiece = 4096;  // writes go in pieces, so each can fail

// unnamed: whether the file system makes copies without a name; each write
// waits `slow` first.
platform::FileCalls Failing(Step step, int failingWrite, int& writes, bool unnamed,
                            std::chrono::microseconds slow = {}) {
    const platform::FileCalls& system = platform::SystemFileCalls();
    return {[=, &writes](int fd, const char* data, std::size_t size) -> long {
                if (step == Step::Write && ++writes == failingWrite) return errno = ENOSPC, -1;
                std::this_thread::sleep_for(slow);
                return ::write(fd, data, std::min(size, kPiece));
            },
            [=](int fd) { return step == Step::Flush ? (errno = EIO, -1) : ::fsync(fd); },
            [=](const char* from, const char* to) {
                return step == Step::Rename ? (errno = EXDEV, -1) : ::rename(from, to);
            },
            [=](const char* folder, unsigned mode) {
                return unnamed ? system.OpenUnnamed(folder, mode) : (errno = EOPNOTSUPP, -1);
            }};
}

class Faults : public ::testing::Test {
  protected:
    QStringList Files() const {
        return QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
    platform::EngineLibrary engine_;
    QTemporaryDir dir_;
    const std::string path_ = dir_.filePath("games.zgf").toStdString();
};

TEST_F(Faults, AFailedSaveOrDeleteLeavesTheFileAsItWas) {
    const std::string scratch = dir_.filePath("scratch.zgf").toStdString();
    game::GameRecord record = RecordOf(LegalGame(engine_, 61, 1));
    SaveGame(path_, record);
    record = RecordOf(LegalGame(engine_, 9, 2));
    const StoredGame stored = SaveGame(path_, record);
    const game::GameRecord second = record;
    const std::string before = zeko::testing::ReadFile(path_);
    // Save replaces the game in slot 2, delete removes slot 1; with and
    // without unnamed copies.
    const auto run = [&](const std::string& file, bool save, const platform::FileCalls& calls) {
        record = second;
        save ? (void)SaveGame(file, record, stored, calls) : DeleteGame(file, 1, nullptr, calls);
    };
    for (const bool unnamed : {true, false}) {
        for (const bool save : {true, false}) {
            int writes = 0;
            zeko::testing::WriteFile(scratch, before);
            run(scratch, save, Failing(Step::None, 0, writes, unnamed));
            std::vector<std::pair<Step, int>> faults = {{Step::Flush, 0}, {Step::Rename, 0}};
            for (int n = 1; n <= writes; ++n)
                faults.emplace_back(Step::Write, n);
            for (const auto& [step, failingWrite] : faults) {
                SCOPED_TRACE(::testing::Message()
                             << static_cast<int>(step) << failingWrite << save << unnamed);
                writes = 0;
                EXPECT_THROW(run(path_, save, Failing(step, failingWrite, writes, unnamed)),
                             platform::NumberedError);
                EXPECT_EQ(Difference(zeko::testing::ReadFile(path_), before), "");
                EXPECT_EQ(record.RecordNumber, 2);
                EXPECT_EQ(Files(), QStringList({".games.zgf.lock", ".scratch.zgf.lock", "games.zgf",
                                                "scratch.zgf"}));
            }
        }
    }
    EXPECT_EQ(ReadGameList(scratch).size(), 1u);
}

TEST_F(Faults, WritersKilledInTheMiddleLeaveNoStrayFile) {
    game::GameRecord kept = RecordOf(LegalGame(engine_, 61, 1));
    SaveGame(path_, kept);
    std::mt19937 random(7);
    for (int round = 0; round < 40; ++round) {
        const pid_t writer = ::fork();
        if (writer == 0) {
            // A writer outlives no test, not even one killed for taking too long.
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            // Slow writes, so that the kill comes while the copy is made.
            int writes = 0;
            const platform::FileCalls calls =
                Failing(Step::None, 0, writes, round % 2 == 0, std::chrono::microseconds(500));
            try {
                for (;;) {
                    game::GameRecord record = RecordOf(LegalGame(engine_, 9, 2));
                    SaveGame(path_, record, {}, calls);
                    DeleteGame(path_, record.RecordNumber, nullptr, calls);
                }
            } catch (...) {
                ::_exit(1);
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 8000));
        ::kill(writer, SIGKILL);
        ::waitpid(writer, nullptr, 0);
    }
    // The next writer clears what a killed one may have left.
    game::GameRecord last = RecordOf(LegalGame(engine_, 3, 3));
    SaveGame(path_, last);
    EXPECT_EQ(Files(), QStringList({".games.zgf.lock", "games.zgf"}));
    ASSERT_GE(ReadGameList(path_).size(), 2u);
    for (game::GameRecord game : ReadGameList(path_))
        EXPECT_NO_THROW(LoadGame(path_, game, engine_));
}

TEST_F(Faults, AFileOrFolderThatMayNotBeWrittenIsNotTouched) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    game::GameRecord record;
    SaveGame(path_, record);
    const std::string before = zeko::testing::ReadFile(path_);
    ASSERT_EQ(::chmod(path_.c_str(), 0444), 0);
    EXPECT_THROW(SaveGame(path_, record), platform::NumberedError);
    EXPECT_THROW(DeleteGame(path_, 1), platform::NumberedError);
    ASSERT_EQ(::chmod(dir_.path().toLocal8Bit(), 0555), 0);
    EXPECT_THROW(SaveGame(dir_.filePath("new.zgf").toStdString(), record), platform::NumberedError);
    ::chmod(dir_.path().toLocal8Bit(), 0755);
    EXPECT_EQ(zeko::testing::ReadFile(path_), before);
}

}  // namespace
}  // namespace zeko::archive::testing
