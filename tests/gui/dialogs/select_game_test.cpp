// The game file from the window, as a person uses it: Save, Save As and Load
// from the Game menu with the file dialog, the select-game dialog's list as
// shown, sorted, loaded and deleted by clicks, the prompt modes, a failure
// told in a message box, and a game file named on the command line or handed
// over by a second copy.

#include "archive/game_store.h"
#include "gui/dialogs/select_game_dialog.h"
#include "gui/window/game_file_commands.h"
#include "tests/gui/window_driver.h"

namespace zeko::gui {
namespace {

using namespace settings;

class GameFileTest : public WindowTest {
  protected:
    // Game > Load with `act` on the select-game dialog.
    void Load(std::function<void(SelectGameDialog&)> act) { Use(0, 1, std::move(act)); }
    // Plays the bottom half's first playable pit; the computer answers.
    void PlayAMove() { Click(Pit(FirstPlayable())); }
    const std::string file_ = home_.Root() + "/games.zgf";
};

QTreeWidget& List(SelectGameDialog& dialog) {
    return *dialog.findChild<QTreeWidget*>(QStringLiteral("gameList"));
}

// The header and the rows as shown, top to bottom, each without its date and
// score.
QStringList Rows(SelectGameDialog& dialog) {
    QStringList rows;
    for (int row = -1; row < List(dialog).topLevelItemCount(); ++row) {
        QStringList columns;
        for (int c = 1; c < List(dialog).columnCount() - 1; ++c)
            columns
                << (row < 0 ? List(dialog).headerItem() : List(dialog).topLevelItem(row))->text(c);
        rows << columns.join(QLatin1Char('|'));
    }
    return rows;
}

void Press(SelectGameDialog& dialog, const char* button) {
    QTest::mouseClick(dialog.findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
}

// Clicks the row of the game of `moves` moves, twice for a double click.
void ClickRow(SelectGameDialog& dialog, int moves, bool twice = false) {
    QTreeWidget& list = List(dialog);
    const auto rows = list.findItems(QStringLiteral("%1").arg(moves, 5), Qt::MatchExactly, 3);
    ASSERT_EQ(rows.size(), 1) << moves << " moves";
    const QPoint at = list.visualItemRect(rows.front()).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
    if (twice) QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, at);
}

// A game of two people with `count` moves, the first legal pit each turn,
// stored in `file`.
void StorePeopleGame(const std::string& file, int count) {
    platform::EngineLibrary engine;
    game::GameRecord record;
    record.ComputerGame = false;
    record.NameBottomHalf = "Ann";
    record.NameTopHalf = "Bob";
    record.NewGame();
    for (bool top = false; record.MoveCount < count; top = !top) {
        const engine::Board seen = top ? engine::rotateboard(record.Board) : record.Board;
        int pit = 0;
        while (pit < engine::kPitsPerRow && engine.checkmove(seen.data(), pit, 0) != 1)
            ++pit;
        pit += top ? engine::kPitsPerRow : 0;
        record.Execute(engine, pit);
        record.RecordMove(pit);
    }
    archive::SaveGame(file, record);
}

TEST_F(GameFileTest, SavedGamesAreListedSortedLoadedPlayedOnAndDeleted) {
    Open([](ProgramSettings& s) { s.Level = 1; });
    PlayAMove();
    // Never stored: Save asks for the file, and the name gets its extension.
    TypeFileName(home_.Root() + "/games");
    ChooseText(0, kTextSave);
    EXPECT_EQ(Record().RecordNumber, 1);
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(file_)));
    PlayAMove();
    Trigger(kTextTimerOff);
    TypeFileName(file_);
    ChooseText(0, kTextSaveAs);  // adds a new game, even to the same file
    EXPECT_EQ(Record().RecordNumber, 2);
    ChooseText(0, kTextSave);  // stored: replaces its copy without asking
    EXPECT_EQ(Record().RecordNumber, 2);
    StorePeopleGame(file_, 9);
    StorePeopleGame(file_, 10);

    // Load: sort by Moves, the order flipping at each click, its arrow
    // pointing the way the values run; pick the 4-move game.
    TypeFileName(file_);
    Load([](SelectGameDialog& dialog) {
        EXPECT_EQ(Shown(dialog),
                  "Select Game (4 games in game file)|-&Load Game|-&Delete Game|Cancel|Help");
        ExpectLaidOut(dialog);
        QHeaderView& header = *List(dialog).header();
        EXPECT_EQ(Rows(dialog),
                  QStringList({"Bottom Half|Top Half|Moves|Level", "|<Computer>|    2|1 - Beginner",
                               "|<Computer>|    4|   - Practice game", "Ann|Bob|    9|",
                               "Ann|Bob|   10|"}));
        for (const auto& [first, arrow] :
             {std::pair{"   10", Qt::AscendingOrder}, {"    2", Qt::DescendingOrder}}) {
            QTest::mouseClick(header.viewport(), Qt::LeftButton, {},
                              QPoint(header.sectionViewportPosition(3) + header.sectionSize(3) / 2,
                                     header.height() / 2));
            EXPECT_EQ(List(dialog).topLevelItem(0)->text(3), first);
            EXPECT_EQ(header.sortIndicatorOrder(), arrow);
        }
        ClickRow(dialog, 4);
        EXPECT_EQ(Shown(dialog),
                  "Select Game (4 games in game file)|&Load Game|&Delete Game|Cancel|Help");
        Press(dialog, "loadButton");
    });
    game::GameRecord& record = Record();
    EXPECT_EQ(
        std::tuple(record.MoveCount, record.MoveNumber, record.RecordNumber, Pit(0).ShownCount()),
        std::tuple(4, 5, 2, record.Board[0]));
    PlayAMove();
    // Another file opened, nothing loaded from it: Save replaces the copy in
    // the file the game came from.
    const std::string other = home_.Root() + "/other.zgf";
    StorePeopleGame(other, 3);
    const std::string otherBefore = testing::ReadFile(other);
    TypeFileName(other);
    Load([](SelectGameDialog& dialog) { dialog.reject(); });
    ChooseText(0, kTextSave);
    EXPECT_EQ(testing::ReadFile(other), otherBefore);
    EXPECT_EQ(archive::ReadGameList(file_)[1].MoveCount, 6);

    // Delete, at once: the row goes, the caption recounts, the file loses it.
    // Help and F1 show the dialog's topic.
    RecordingHelp help;
    TypeFileName(file_);
    Load([](SelectGameDialog& dialog) {
        Press(dialog, "helpButton");
        QTest::keyClick(&dialog, Qt::Key_F1);
        ClickRow(dialog, 9);
        Press(dialog, "deleteButton");
        EXPECT_EQ(Shown(dialog),
                  "Select Game (3 games in game file)|-&Load Game|-&Delete Game|Cancel|Help");
        EXPECT_EQ(Rows(dialog).size(), 4);
        Press(dialog, "cancelButton");
    });
    // Cancelled: nothing loaded.
    EXPECT_EQ(std::tuple(record.MoveCount, help.topics, archive::ReadGameList(file_).size()),
              std::tuple(6, std::vector<std::string>(2, "load.html"), 3u));

    // A double click loads, here a game of two people. The file dialog offers
    // the file last used.
    TypeFileName(file_);
    Load([](SelectGameDialog& dialog) { ClickRow(dialog, 10, true); });
    // No Skill menu then.
    EXPECT_EQ(std::tuple(offeredName_, record.MoveCount, record.ComputerGame,
                         window_->menuBar()->actions()[1]->isVisible()),
              std::tuple("games.zgf", 10, false, false));
}

TEST_F(GameFileTest, PromptModesAndAFailureToldInAMessageBox) {
    StorePeopleGame(file_, 3);
    const auto cancel = [](SelectGameDialog& dialog) { dialog.reject(); };
    // Once per run: the first Load asks, the second does not.
    Open([](ProgramSettings& s) { s.GameFilePrompt = kAskOncePerRun; });
    TypeFileName(file_);
    Load(cancel);
    EXPECT_EQ(window_->GameFiles().CurrentFile(), file_);
    TypeFileName("");
    Load(cancel);
    watches_ = std::make_unique<QObject>();  // the file dialog's watch waits in vain

    // Always ask: a cancelled file dialog ends the command without a word.
    Open();
    TypeFileName("");
    ChooseText(0, kTextLoad);
    EXPECT_TRUE(window_->GameFiles().CurrentFile().empty());

    // Always the default file: one that cannot be there is told, on Load and
    // on Save, and no dialog shows.
    Open([this](ProgramSettings& s) {
        s.DefaultGameFile = home_.Root() + "/missing/games.zgf";
        s.GameFilePrompt = kUseDefaultFile;
    });
    for (const int command : {kTextLoad, kTextSave}) {
        std::string told;
        WhenShown<QMessageBox>([&](QMessageBox& box) {
            told = (box.windowTitle() + ": " + box.text()).toStdString();
            EXPECT_EQ(box.icon(), QMessageBox::Critical);
            QTest::mouseClick(box.button(QMessageBox::Ok), Qt::LeftButton);
        });
        ChooseText(0, command);
        EXPECT_EQ(told, "Zeko: Error opening Zeko Game File.") << command;
    }
}

TEST_F(GameFileTest, AFileOnTheCommandLineOrHandedOverOpensAfterTheNewGameAndAnyDialog) {
    StorePeopleGame(file_, 9);
    bool welcomeGone = false;
    WhenShown<SelectGameDialog>([&](SelectGameDialog& dialog) {
        welcomeGone = !window_->Board().WelcomeVisible();
        dialog.reject();
    });
    MainWindow& window = Open({}, file_);
    EXPECT_TRUE(QTest::qWaitFor([&] { return welcomeGone; }));
    Settle();
    EXPECT_EQ(Record().MoveCount, 0);
    EXPECT_EQ(window.GameFiles().CurrentFile(), file_);
    // Handed over while the about box is open: its games are offered after it.
    std::vector<std::string> shown;
    WhenShown<QDialog>([&](QDialog& about) {
        shown.push_back(about.objectName().toStdString());
        window.TakeHandOver(file_);
        WhenShown<SelectGameDialog>([&](SelectGameDialog& dialog) {
            shown.push_back("select");
            ClickRow(dialog, 9, true);
        });
        QTimer::singleShot(300, &about, &QDialog::accept);
    });
    Action(kTextAbout)->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return shown.size() == 2; }));
    Settle();
    EXPECT_EQ(shown, (std::vector<std::string>{"aboutBox", "select"}));
    EXPECT_EQ(Record().MoveCount, 9);
}

}  // namespace
}  // namespace zeko::gui
