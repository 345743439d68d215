// zekotool through its real executable: what each command prints, its exit
// status, and that a refused command writes nothing.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "tests/support/test_home.h"

namespace zeko::tool {
namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome Zekotool(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(ZEKOTOOL_PROGRAM), arguments);
    EXPECT_TRUE(process.waitForFinished(30000));
    return {process.exitCode(), process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}

class ZekotoolTest : public ::testing::Test {
  protected:
    QString File(const char* name = "games.zgf") const { return dir_.filePath(name); }
    QTemporaryDir dir_;
};

TEST_F(ZekotoolTest, SavesListsShowsAndDeletes) {
    const QString file = File();
    // arguments, exit status, standard output
    const std::vector<std::tuple<QStringList, int, std::string>> steps = {
        {{"save", file, "--moves", "C f D a", "--computer", "--level", "5", "--timed", "1200",
          "--names", "Ann,Bob"},
         0,
         "1\n"},
        {{"save", file, "--moves", "", "--names", " Cy ,Di"}, 0, "2\n"},
        {{"save", file, "--moves", "C f D", "--move-number", "2", "--over", "--bottom", "Ab,c",
          "--top", "Di"},
         0,
         "3\n"},
        {{"show", file, "1"},
         0,
         "NameBottomHalf: Ann\nNameTopHalf: Bob\nComputerGame: yes\nLevel: 5\nTimerOn: yes\n"
         "TimeLeft: 1200\nGameOver: no\nTopToMove: no\nMoveNumber: 5\nMoveCount: 4\n"
         "Moves: C f D a\nPosition: 6 5 1 0 6 6 0 6 6 6 5 1 0 0\n"},
        {{"show", file, "3"},
         0,
         "NameBottomHalf: Ab,c\nNameTopHalf: Di\nComputerGame: no\nLevel: 3\nTimerOn: no\n"
         "TimeLeft: 0\nGameOver: yes\nTopToMove: no\nMoveNumber: 2\nMoveCount: 3\n"
         "Moves: C f D\nPosition: 4 4 0 5 5 5 5 4 4 4 4 4 0 0\n"},
        {{"delete", file, "2"}, 0, ""},
        {{"save", file, "--moves", "F"}, 0, "2\n"},
    };
    for (const auto& [arguments, status, out] : steps) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const Outcome run = Zekotool(arguments);
        EXPECT_EQ(run.status, status) << run.err;
        // The date line depends on the clock; the rest is exact.
        std::string shown = run.out;
        if (const auto at = shown.find("GameDate: "); at != std::string::npos)
            shown.erase(at, shown.find('\n', at) - at + 1);
        if (arguments[0] == "show") shown.erase(0, shown.find('\n') + 1);  // the slot
        EXPECT_EQ(shown, out);
    }
    const Outcome list = Zekotool({"list", file});
    EXPECT_EQ(list.status, 0);
    const std::string date = list.out.substr(2, 10);
    EXPECT_EQ(list.out, "1\t" + date + "\tAnn\t<Computer>\t    4\t5 - Skilful\t 0 -  0\n" + "2\t" +
                            date + "\t\t\t    1\t\t 0 -  0\n" + "3\t" + date +
                            "\tAb,c\tDi\t    3\t\t 0 -  0\n");
}

TEST_F(ZekotoolTest, RefusesWithTheProgramsTextsAndWritesNothing) {
    const QString file = File();
    ASSERT_EQ(Zekotool({"save", file, "--moves", "C"}).status, 0);
    const std::string before = zeko::testing::ReadFile(file.toStdString());
    // arguments, exit status, the start of standard error
    const std::vector<std::tuple<QStringList, int, std::string>> refusals = {
        {{"list", File("none.zgf")}, 1, "Error opening Zeko Game File.\n"},
        {{"show", file, "9"}, 1, "Invalid Game.\n"},
        {{"delete", file, "9"}, 1, "Invalid Game.\n"},
        {{"delete", File("none.zgf"), "1"}, 1, "Error opening Zeko Game File.\n"},
        {{"save", file, "--moves", "C C"}, 2, "zekotool save: Illegal move 2: C\n"},
        {{"save", file, "--moves", "A"},
         2,
         "zekotool save: Illegal move 1: A (the first move must reach the opponent's row)\n"},
        {{"save", file, "--moves", "C x"}, 2, "zekotool save: Not a pit letter (A-F, a-f): x\n"},
        {{"save", file, "--moves", "C", "--level", "10"},
         2,
         "zekotool save: The level must be a number from 1 to 9: 10\n"},
        {{"save", file, "--moves", "C", "--move-number", "3"},
         2,
         "zekotool save: The move number must be from 1 to 2\n"},
        {{"save", file}, 2, "zekotool save: save needs --moves"},
        {{"delete", file, "401"}, 2, "zekotool delete: The slot must be a number from 1 to 400"},
        {{"show", file}, 2, "zekotool show: wrong number of arguments"},
        {{"play", file}, 2, "zekotool: unknown command: play"},
        {{}, 2, "Usage: zekotool COMMAND"},
    };
    for (const auto& [arguments, status, err] : refusals) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const Outcome run = Zekotool(arguments);
        EXPECT_EQ(run.status, status);
        EXPECT_EQ(run.err.substr(0, err.size()), err);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(zeko::testing::ReadFile(file.toStdString()), before);
    }
    EXPECT_FALSE(QFile::exists(File("none.zgf")));
    for (const QString command : {"list", "show", "save", "delete"}) {
        const Outcome run = Zekotool({command, "--help"});
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out.substr(0, 16 + command.size()),
                  "Usage: zekotool " + command.toStdString());
    }
}

}  // namespace
}  // namespace zeko::tool
