// Writers of one game file at once, as real processes: zekotool beside the
// store in other processes. No game that a writer was told is saved gets
// lost, and a huge sparse file is changed in bounded memory.
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <set>

#include "archive/game_store.h"
#include "platform/numbered_error.h"
#include "tests/support/test_home.h"

namespace zeko::tool {
namespace {

using game::GameRecord;

// zekotool's exit status, run with at most `memory` bytes of address space
// (0: no limit) and its output dropped.
int RunZekotool(const std::vector<std::string>& arguments, rlim_t memory = 0) {
    std::vector<char*> argv = {const_cast<char*>(ZEKOTOOL_PROGRAM)};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        const rlimit limit{memory, memory};
        if (memory != 0 && ::setrlimit(RLIMIT_AS, &limit) != 0) ::_exit(126);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, STDOUT_FILENO);
        ::dup2(null, STDERR_FILENO);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// The game that zekotool saves with --moves "C f D a".
GameRecord Game(const std::string& bottom) {
    GameRecord record;
    record.ComputerGame = false;
    record.NameBottomHalf = bottom;
    for (const int pit : {2, 11, 3, 6})
        record.RecordMove(pit);
    return record;
}

std::multiset<std::string> BottomNames(const std::string& file) {
    std::multiset<std::string> names;
    for (const GameRecord& game : archive::ReadGameList(file))
        names.insert(game.NameBottomHalf);
    return names;
}

TEST(Writers, EverySaveAndDeleteOfWritersAtOnceCounts) {
    constexpr int kWriters = 4;  // two run zekotool, two the store
    constexpr int kSaves = 10;
    QTemporaryDir dir;
    const std::string file = dir.filePath("games.zgf").toStdString();
    std::vector<pid_t> writers;
    std::multiset<std::string> expected;
    for (int w = 0; w < kWriters; ++w) {
        for (int m = 0; m < kSaves; ++m)
            expected.insert(std::to_string(w) + "-" + std::to_string(m));
        if (const pid_t child = ::fork(); child != 0) {
            writers.push_back(child);
            continue;
        }
        int failures = 0;
        for (int m = 0; m < kSaves; ++m) {
            const std::string name = std::to_string(w) + "-" + std::to_string(m);
            // Each kept game of the store comes with one saved and deleted again.
            try {
                if (w % 2 == 0) {
                    failures += RunZekotool({"save", file, "--moves", "C f D a", "--bottom", name});
                    continue;
                }
                GameRecord kept = Game(name), passing = Game("passing");
                archive::SaveGame(file, passing);
                archive::SaveGame(file, kept);
                archive::DeleteGame(file, passing.RecordNumber);
            } catch (const platform::NumberedError&) {
                ++failures;
            }
        }
        ::_exit(failures);
    }
    for (const pid_t writer : writers) {
        int status = 0;
        ::waitpid(writer, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }
    EXPECT_EQ(BottomNames(file), expected);
    EXPECT_EQ(RunZekotool({"list", file}), 0);
}

TEST(Writers, ASaveInPlaceOrADeleteLeavesAGameAnotherWriterPutInTheSlot) {
    QTemporaryDir dir;
    const std::string file = dir.filePath("games.zgf").toStdString();
    GameRecord mine = Game("mine");
    const archive::StoredGame stored = archive::SaveGame(file, mine);
    const GameRecord listed = archive::ReadGameList(file).at(0);
    // Another writer deletes it and saves its own game into the same slot.
    ASSERT_EQ(RunZekotool({"delete", file, "1"}), 0);
    ASSERT_EQ(RunZekotool({"save", file, "--moves", "C", "--bottom", "other"}), 0);
    mine.RecordMove(0);
    archive::SaveGame(file, mine, stored);
    EXPECT_EQ(mine.RecordNumber, 2);
    EXPECT_THROW(archive::DeleteGame(file, 1, &listed), platform::NumberedError);
    EXPECT_EQ(BottomNames(file), (std::multiset<std::string>{"mine", "other"}));
    EXPECT_EQ(archive::ReadGameList(file).at(0).NameBottomHalf, "other");
}

TEST(Writers, AHugeSparseFileIsChangedInBoundedMemoryAndKeepsItsTail) {
#ifdef ZEKO_SANITIZE
    GTEST_SKIP() << "AddressSanitizer needs more address space than the limit";
#endif
    constexpr off_t kHuge = off_t{1} << 30;
    constexpr rlim_t kMemory = rlim_t{256} << 20;  // far less than the file
    const std::string tail = "the tail";
    QTemporaryDir dir;
    const std::string file = dir.filePath("huge.zgf").toStdString();
    for (const char* name : {"first", "second"}) {
        GameRecord game = Game(name);
        archive::SaveGame(file, game);
    }
    std::filesystem::resize_file(file, kHuge);
    std::fstream(file, std::ios::in | std::ios::out | std::ios::binary).seekp(kHuge - 100) << tail;
    EXPECT_EQ(RunZekotool({"save", file, "--moves", "C f", "--bottom", "third"}, kMemory), 0);
    EXPECT_EQ(RunZekotool({"delete", file, "1"}, kMemory), 0);
    EXPECT_EQ(BottomNames(file), (std::multiset<std::string>{"second", "third"}));
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(std::pair(info.st_size, info.st_blocks * 512 < (1 << 20)), std::pair(kHuge, true));
    std::string read(tail.size(), '\0');  // still sparse, and the tail kept
    std::ifstream(file, std::ios::binary).seekg(kHuge - 100).read(read.data(), tail.size());
    EXPECT_EQ(read, tail);
}

}  // namespace
}  // namespace zeko::tool
