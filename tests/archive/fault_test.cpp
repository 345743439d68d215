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

namespace zeko::archive::testing {
namespace {

enum class Step { Write, Flush, Rename };

// The system's calls, writes cut into small pieces, one call failing.
struct FailingCalls {
    FailingCalls(Step failing, int failingWrite) : step(failing), failAt(failingWrite) {
        calls.Write = [this](int fd, const char* data, std::size_t size) -> long {
            if (this->step == Step::Write && ++writes == this->failAt) return errno = ENOSPC, -1;
            return ::write(fd, data, std::min<std::size_t>(size, kPiece));
        };
        calls.Flush = [this](int fd) {
            if (this->step == Step::Flush) return errno = EIO, -1;
            return ::fsync(fd);
        };
        calls.Rename = [this](const char* from, const char* to) {
            if (this->step == Step::Rename) return errno = EXDEV, -1;
            return ::rename(from, to);
        };
    }
    static constexpr std::size_t kPiece = 4096;
    Step step;
    int failAt;
    int writes = 0;
    platform::FileCalls calls;
};

TEST(Faults, AFailedSaveOrDeleteLeavesTheFileAsItWas) {
    platform::EngineLibrary engine;
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/games.zgf";
    game::GameRecord first = RecordOf(LegalGame(engine, 61, 1));
    game::GameRecord second = RecordOf(LegalGame(engine, 9, 2));
    SaveGame(path, first);
    SaveGame(path, second);
    const std::string before = ReadBytes(path);
    const int pieces = static_cast<int>(before.size() / FailingCalls::kPiece) + 1;

    std::vector<std::pair<Step, int>> faults = {{Step::Flush, 0}, {Step::Rename, 0}};
    for (int n = 1; n <= pieces; ++n)
        faults.emplace_back(Step::Write, n);
    for (const auto& [step, failAt] : faults) {
        SCOPED_TRACE(::testing::Message() << static_cast<int>(step) << " " << failAt);
        for (const bool save : {true, false}) {
            FailingCalls failing(step, failAt);
            game::GameRecord record = second;  // replaces its old copy in slot 2
            std::string error;
            try {
                if (save)
                    SaveGame(path, record, failing.calls);
                else
                    DeleteGame(path, 1, failing.calls);
            } catch (const platform::NumberedError& e) {
                error = e.description();
            }
            EXPECT_EQ(error, save ? "Error saving game." : "Error deleting game.");
            EXPECT_EQ(Difference(ReadBytes(path), before), "");
            EXPECT_EQ(record.RecordNumber, second.RecordNumber);
            EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"games.zgf"});
        }
    }
    // The same calls without a fault do the work.
    FailingCalls none(Step::Write, -1);
    DeleteGame(path, 1, none.calls);
    EXPECT_EQ(ReadGameList(path).size(), 1u);
}

TEST(Faults, AFileOrFolderThatMayNotBeWrittenIsNotTouched) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    game::GameRecord record;
    SaveGame(folder + "/games.zgf", record);
    const std::string before = ReadBytes(folder + "/games.zgf");
    ASSERT_EQ(::chmod((folder + "/games.zgf").c_str(), 0444), 0);
    game::GameRecord another;
    EXPECT_THROW(SaveGame(folder + "/games.zgf", another), platform::NumberedError);
    EXPECT_THROW(DeleteGame(folder + "/games.zgf", 1), platform::NumberedError);
    ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
    EXPECT_THROW(SaveGame(folder + "/new.zgf", another), platform::NumberedError);
    ::chmod(folder.c_str(), 0755);
    EXPECT_EQ(Difference(ReadBytes(folder + "/games.zgf"), before), "");
}

}  // namespace
}  // namespace zeko::archive::testing
