// zekotool through its real executable: what each command prints, its exit
// status, and that a refused command writes nothing. Then writers of one game
// file at once, as real processes: zekotool beside the store in other
// processes. No game that a writer was told is saved gets lost, and a huge
// sparse file is changed in bounded memory.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QProcess>

#include <fstream>

#include "archive/game_store.h"
#include "platform/numbered_error.h"
#include "tests/archive/game_file_bytes.h"
#include "tests/support/test_home.h"

namespace zeko::tool {
namespace {

using game::GameRecord;

class ZekotoolTest : public ::testing::Test {
  protected:
    // A command line, %1 standing for the game file and %2 for a missing one,
    // run with at most `memory` bytes of address space (0: no limit): its
    // exit status, output and errors.
    std::tuple<int, std::string, std::string> Zekotool(const std::string& line,
                                                       rlim_t memory = 0) const {
        QProcess process;
        process.setChildProcessModifier([memory] {
            const rlimit limit{memory, memory};
            if (memory != 0 && ::setrlimit(RLIMIT_AS, &limit) != 0) ::_exit(126);
        });
        process.start(
            QStringLiteral(ZEKOTOOL_PROGRAM),
            QProcess::splitCommand(
                QString::fromStdString(line).replace("%1", File()).replace("%2", Missing())));
        EXPECT_TRUE(process.waitForFinished(30000));
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                process.readAllStandardOutput().toStdString(),
                process.readAllStandardError().toStdString()};
    }
    QString File() const { return dir_.filePath("games.zgf"); }
    QString Missing() const { return dir_.filePath("none.zgf"); }
    QTemporaryDir dir_;
};
using Writers = ZekotoolTest;

TEST_F(ZekotoolTest, SavesListsShowsDeletesAndRefusesWithTheProgramsTexts) {
    // The command and what it prints; show without its slot and date lines.
    const std::vector<std::pair<const char*, std::string>> steps = {
        {"save %1 --moves \"C f D a\" --computer --level 5 --timed 1200 --names Ann,Bob", "1\n"},
        {"save %1 --moves \" \" --names \" Cy ,Di\"", "2\n"},
        {"save %1 --moves \"C f D\" --move-number 2 --over --bottom Ab,c --top Di", "3\n"},
        {"show %1 1",
         "NameBottomHalf: Ann\nNameTopHalf: Bob\nComputerGame: yes\nLevel: 5\nTimerOn: yes\n"
         "TimeLeft: 1200\nGameOver: no\nTopToMove: no\nMoveNumber: 5\nMoveCount: 4\n"
         "Moves: C f D a\nPosition: 6 5 1 0 6 6 0 6 6 6 5 1 0 0\n"},
        {"show %1 3",
         "NameBottomHalf: Ab,c\nNameTopHalf: Di\nComputerGame: no\nLevel: 3\nTimerOn: no\n"
         "TimeLeft: 0\nGameOver: yes\nTopToMove: no\nMoveNumber: 2\nMoveCount: 3\n"
         "Moves: C f D\nPosition: 4 4 0 5 5 5 5 4 4 4 4 4 0 0\n"},
        {"delete %1 2", ""},
        {"save %1 --moves F", "2\n"},
    };
    for (const auto& [line, out] : steps) {
        SCOPED_TRACE(line);
        auto [status, shown, err] = Zekotool(line);
        EXPECT_EQ(status, 0) << err;
        if (const auto at = shown.find("GameDate: "); at != std::string::npos)
            shown.erase(0, shown.find('\n', at) + 1);
        EXPECT_EQ(shown, out);
    }
    const auto [listed, list, listErrors] = Zekotool("list %1");
    const std::string date = list.substr(2, 10);
    EXPECT_EQ(listed, 0) << listErrors;
    EXPECT_EQ(list, "1\t" + date + "\tAnn\t<Computer>\t    4\t5 - Skilful\t 0 -  0\n" + "2\t" +
                        date + "\t\t\t    1\t\t 0 -  0\n" + "3\t" + date +
                        "\tAb,c\tDi\t    3\t\t 0 -  0\n");
    // Refused commands write nothing.
    const std::string before = zeko::testing::ReadFile(File().toStdString());
    // The command, its exit status and the start of its standard error.
    const std::vector<std::tuple<const char*, int, std::string>> refusals = {
        {"list %2", 1, "Error opening Zeko Game File.\n"},
        {"show %1 9", 1, "Invalid Game.\n"},
        {"delete %1 9", 1, "Invalid Game.\n"},
        {"save %1 --moves \"C C\"", 2, "zekotool save: Illegal move 2: C\n"},
        {"save %1 --moves A", 2,
         "zekotool save: Illegal move 1: A (the first move must reach the opponent's row)\n"},
        {"save %1 --moves \"C x\"", 2, "zekotool save: Not a pit letter (A-F, a-f): x\n"},
        {"save %1 --moves C --level 10", 2,
         "zekotool save: The level must be a number from 1 to 9: 10\n"},
        {"save %1 --moves C --move-number 3", 2,
         "zekotool save: The move number must be from 1 to 2\n"},
        {"save %1", 2, "zekotool save: save needs --moves"},
        {"delete %1 401", 2, "zekotool delete: The slot must be a number from 1 to 400"},
        {"delete %1 1x", 2, "zekotool delete: The slot must be a number from 1 to 400"},
        {"show %1", 2, "zekotool show: wrong number of arguments"},
        {"", 2, "Usage: zekotool COMMAND"},
    };
    for (const auto& [line, status, err] : refusals) {
        SCOPED_TRACE(line);
        const auto [ran, out, said] = Zekotool(line);
        EXPECT_EQ(std::tuple(ran, said.substr(0, err.size()), out), std::tuple(status, err, ""));
        EXPECT_EQ(zeko::testing::ReadFile(File().toStdString()), before);
    }
    EXPECT_FALSE(std::filesystem::exists(Missing().toStdString()));
}

// The game that zekotool saves with --moves "C f D a".
GameRecord Game(const std::string& bottom) {
    GameRecord record = archive::testing::RecordOf({2, 11, 3, 6});
    record.NameBottomHalf = bottom;
    return record;
}

std::multiset<std::string> BottomNames(const std::string& file) {
    std::multiset<std::string> names;
    for (const GameRecord& game : archive::ReadGameList(file))
        names.insert(game.NameBottomHalf);
    return names;
}

TEST_F(Writers, EverySaveAndDeleteOfWritersAtOnceCounts) {
    constexpr int kWriters = 4;  // two run zekotool, two the store
    constexpr int kSaves = 10;
    const std::string file = File().toStdString();
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
                    failures += std::system((std::string(ZEKOTOOL_PROGRAM) + " save " + file +
                                             " --moves 'C f D a' --bottom " + name + " >/dev/null")
                                                .c_str()) != 0;
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
}

TEST_F(Writers, AHugeSparseFileIsChangedInBoundedMemoryAndKeepsItsTail) {
#ifdef ZEKO_SANITIZE
    GTEST_SKIP() << "AddressSanitizer needs more address space than the limit";
#endif
    constexpr off_t kHuge = off_t{1} << 30;
    constexpr rlim_t kMemory = rlim_t{256} << 20;  // far less than the file
    const std::string tail = "the tail";
    const std::string file = File().toStdString();
    for (const char* name : {"first", "second"}) {
        GameRecord game = Game(name);
        archive::SaveGame(file, game);
    }
    std::filesystem::resize_file(file, kHuge);
    std::fstream(file, std::ios::in | std::ios::out | std::ios::binary).seekp(kHuge - 100) << tail;
    EXPECT_EQ(std::get<0>(Zekotool("save %1 --moves \"C f\" --bottom third", kMemory)), 0);
    EXPECT_EQ(std::get<0>(Zekotool("delete %1 1", kMemory)), 0);
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
