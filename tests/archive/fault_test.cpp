// Saving and deleting never lose data: a failure at any write, flush or
// rename, or a file that may not be written, leaves the file byte for byte as
// it was, no stray file beside it, and an error.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QTemporaryDir>
#include <cerrno>

#include "archive/game_store.h"
#include "platform/numbered_error.h"
#include "tests/archive/game_file_bytes.h"
#include "tests/support/test_home.h"

namespace zeko::archive::testing {
namespace {

enum class Step { Write, Flush, Rename, None };
constexpr std::size_t kPiece = 4096;  // writes go in pieces, so each can fail

platform::FileCalls Failing(Step step, int failingWrite, int& writes) {
    return {[=, &writes](int fd, const char* data, std::size_t size) -> long {
                if (step == Step::Write && ++writes == failingWrite) return errno = ENOSPC, -1;
                return ::write(fd, data, std::min(size, kPiece));
            },
            [=](int fd) { return step == Step::Flush ? (errno = EIO, -1) : ::fsync(fd); },
            [=](const char* from, const char* to) {
                return step == Step::Rename ? (errno = EXDEV, -1) : ::rename(from, to);
            }};
}

TEST(Faults, AFailedSaveOrDeleteLeavesTheFileAsItWas) {
    platform::EngineLibrary engine;
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/games.zgf";
    game::GameRecord first = RecordOf(LegalGame(engine, 61, 1));
    game::GameRecord second = RecordOf(LegalGame(engine, 9, 2));
    SaveGame(path, first);
    SaveGame(path, second);
    const std::string before = zeko::testing::ReadFile(path);
    std::vector<std::pair<Step, int>> faults = {{Step::Flush, 0}, {Step::Rename, 0}};
    for (int n = 1; n <= static_cast<int>(before.size() / kPiece) + 1; ++n)
        faults.emplace_back(Step::Write, n);
    for (const auto& [step, failingWrite] : faults) {
        for (const bool save : {true, false}) {
            SCOPED_TRACE(::testing::Message() << static_cast<int>(step) << failingWrite << save);
            int writes = 0;
            const platform::FileCalls calls = Failing(step, failingWrite, writes);
            game::GameRecord record = second;  // replaces its old copy in slot 2
            EXPECT_THROW(save ? SaveGame(path, record, calls) : DeleteGame(path, 1, calls),
                         platform::NumberedError);
            EXPECT_EQ(Difference(zeko::testing::ReadFile(path), before), "");
            EXPECT_EQ(record.RecordNumber, 2);
            EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"games.zgf"});
        }
    }
    int writes = 0;
    DeleteGame(path, 1, Failing(Step::None, 0, writes));  // the same calls, no fault
    EXPECT_EQ(ReadGameList(path).size(), 1u);
}

TEST(Faults, AFileOrFolderThatMayNotBeWrittenIsNotTouched) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    game::GameRecord record;
    SaveGame(folder + "/games.zgf", record);
    const std::string before = zeko::testing::ReadFile(folder + "/games.zgf");
    ASSERT_EQ(::chmod((folder + "/games.zgf").c_str(), 0444), 0);
    EXPECT_THROW(SaveGame(folder + "/games.zgf", record), platform::NumberedError);
    EXPECT_THROW(DeleteGame(folder + "/games.zgf", 1), platform::NumberedError);
    ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
    EXPECT_THROW(SaveGame(folder + "/new.zgf", record), platform::NumberedError);
    ::chmod(folder.c_str(), 0755);
    EXPECT_EQ(zeko::testing::ReadFile(folder + "/games.zgf"), before);
}

}  // namespace
}  // namespace zeko::archive::testing
