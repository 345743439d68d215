// zekotool through its real executable: what each command prints, its exit
// status, and that a refused command writes nothing.

#include <QFile>
#include <QProcess>

#include "tests/support/test_home.h"

namespace zeko::tool {
namespace {

struct Outcome {
    int status;
    std::string out, err;
};

class ZekotoolTest : public ::testing::Test {
  protected:
    // A command line, %1 standing for the game file and %2 for a missing one.
    Outcome Zekotool(const char* line) const {
        QProcess process;
        process.start(QStringLiteral(ZEKOTOOL_PROGRAM),
                      QProcess::splitCommand(
                          QString::fromUtf8(line).replace("%1", File()).replace("%2", Missing())));
        EXPECT_TRUE(process.waitForFinished(30000));
        return {process.exitCode(), process.readAllStandardOutput().toStdString(),
                process.readAllStandardError().toStdString()};
    }
    QString File() const { return dir_.filePath("games.zgf"); }
    QString Missing() const { return dir_.filePath("none.zgf"); }
    QTemporaryDir dir_;
};

TEST_F(ZekotoolTest, SavesListsShowsAndDeletes) {
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
        const Outcome run = Zekotool(line);
        EXPECT_EQ(run.status, 0) << run.err;
        std::string shown = run.out;
        if (const auto at = shown.find("GameDate: "); at != std::string::npos)
            shown.erase(0, shown.find('\n', at) + 1);
        EXPECT_EQ(shown, out);
    }
    const Outcome list = Zekotool("list %1");
    EXPECT_EQ(list.status, 0);
    const std::string date = list.out.substr(2, 10);
    EXPECT_EQ(list.out, "1\t" + date + "\tAnn\t<Computer>\t    4\t5 - Skilful\t 0 -  0\n" + "2\t" +
                            date + "\t\t\t    1\t\t 0 -  0\n" + "3\t" + date +
                            "\tAb,c\tDi\t    3\t\t 0 -  0\n");
}

TEST_F(ZekotoolTest, RefusesWithTheProgramsTextsAndWritesNothing) {
    ASSERT_EQ(Zekotool("save %1 --moves C").status, 0);
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
        {"play %1", 2, "zekotool: unknown command: play"},
        {"", 2, "Usage: zekotool COMMAND"},
    };
    for (const auto& [line, status, err] : refusals) {
        SCOPED_TRACE(line);
        const Outcome run = Zekotool(line);
        EXPECT_EQ(run.status, status);
        EXPECT_EQ(run.err.substr(0, err.size()), err);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(zeko::testing::ReadFile(File().toStdString()), before);
    }
    EXPECT_FALSE(QFile::exists(Missing()));
    for (const std::string command : {"list", "show", "save", "delete"}) {
        const Outcome run = Zekotool((command + " --help").c_str());
        EXPECT_EQ(std::pair(run.status, run.out.substr(0, 16 + command.size())),
                  std::pair(0, "Usage: zekotool " + command));
    }
}

}  // namespace
}  // namespace zeko::tool
