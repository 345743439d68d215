// The game file from the window, as a person uses it: Save, Save As and Load
// from the Game menu with the file dialog, the select-game dialog's list as
// shown, sorted, loaded and deleted by clicks, the prompt modes, a failure
// told in a message box, and a game file named on the command line or handed
// over by a second copy.
#include <gtest/gtest.h>

#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "archive/game_store.h"
#include "gui/board/board_view.h"
#include "gui/board/pit_view.h"
#include "gui/dialogs/select_game_dialog.h"
#include "gui/window/game_file_commands.h"
#include "gui/window/main_window.h"
#include "settings/text_id.h"
#include "settings/text_table.h"
#include "tests/gui/window_driver.h"

namespace zeko::gui {
namespace {

using namespace settings;

class GameFileTest : public WindowTest {
  protected:
    void SetUp() override { file_ = home_.Root() + "/games.zgf"; }

    MainWindow& Open(ProgramSettings settings = {}, const std::string& commandLine = {}) {
        settings.Level = 1;
        return WindowTest::Open(settings, commandLine);
    }
    void ChooseGameItem(int text) { ChooseText(0, text); }
    // The next file dialog gets `name` typed in and Enter.
    void TypeFileName(const std::string& name) {
        WhenShown<QFileDialog>([name](QFileDialog& dialog) {
            QLineEdit* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(edit, nullptr);
            // Set whole, so that no completion list takes the Enter key.
            edit->setText(QString::fromStdString(name));
            QTest::keyClick(edit, Qt::Key_Return);
        });
    }
    // The next select-game dialog is handled by `act`.
    void Select(std::function<void(SelectGameDialog&)> act) { WhenShown(std::move(act)); }
    // Plays the bottom half's first playable pit; the computer answers.
    void PlayAMove() {
        for (int pit = 0; pit < engine::kPitsPerRow; ++pit) {
            PitView& view = window_->Board().Pit(pit);
            if (view.cursor().shape() != Qt::BitmapCursor) continue;
            Click(view);
            return;
        }
        ADD_FAILURE() << "no playable pit";
    }

    std::string file_;
};

QTreeWidget& List(SelectGameDialog& dialog) {
    return *dialog.findChild<QTreeWidget*>(QStringLiteral("gameList"));
}

// The rows as shown, top to bottom, each without its date and score.
QStringList Rows(SelectGameDialog& dialog) {
    QStringList rows;
    for (int row = 0; row < List(dialog).topLevelItemCount(); ++row) {
        QStringList columns;
        for (int c = 1; c < List(dialog).columnCount() - 1; ++c)
            columns << List(dialog).topLevelItem(row)->text(c);
        rows << columns.join(QLatin1Char('|'));
    }
    return rows;
}

QPushButton& Button(SelectGameDialog& dialog, const char* name) {
    return *dialog.findChild<QPushButton*>(QString::fromLatin1(name));
}

// Clicks the row of the game of `moves` moves, twice for a double click.
void ClickRow(SelectGameDialog& dialog, int moves, bool twice = false) {
    QTreeWidget& list = List(dialog);
    for (int row = 0; row < list.topLevelItemCount(); ++row) {
        QTreeWidgetItem* item = list.topLevelItem(row);
        if (item->text(3).toInt() != moves) continue;
        const QPoint at = list.visualItemRect(item).center();
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
        if (twice) QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, at);
        return;
    }
    ADD_FAILURE() << "no row of " << moves << " moves";
}

void ClickHeader(SelectGameDialog& dialog, int column) {
    QHeaderView* header = List(dialog).header();
    const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
}

// Which way the sort arrow in a column's header points, as drawn; "cut" when
// the header is narrower than its text and arrow.
std::string SortArrow(SelectGameDialog& dialog, int column) {
    QHeaderView* header = List(dialog).header();
    if (header->sectionSize(column) < header->sectionSizeHint(column)) return "cut";
    const QImage image = header->grab().toImage();
    // The arrow stands at the section's right end, beyond the text.
    constexpr int kArrowWidth = 16;
    const int right = header->sectionViewportPosition(column) + header->sectionSize(column);
    std::vector<int> widths;  // of the arrow's rows, top to bottom
    for (int y = 0; y < image.height(); ++y) {
        int width = 0;
        for (int x = right - kArrowWidth; x < right - 1; ++x)
            width += qGray(image.pixel(x, y)) < 200 ? 1 : 0;
        if (width > 0 && width < kArrowWidth - 1) widths.push_back(width);
    }
    if (widths.size() < 2) return "none";
    return widths.front() > widths.back() ? "down" : "up";
}

// A game of two people with `count` moves, the first legal pit each turn.
game::GameRecord PeopleGame(int count) {
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
    return record;
}

TEST_F(GameFileTest, SavedGamesAreListedSortedLoadedPlayedOnAndDeleted) {
    Open();
    PlayAMove();
    // Never stored: Save asks for the file, and the name gets its extension.
    TypeFileName(home_.Root() + "/games");
    ChooseGameItem(kTextSave);
    EXPECT_EQ(Record().RecordNumber, 1);
    EXPECT_EQ(QFileInfo(QString::fromStdString(file_)).size(), 25664);
    PlayAMove();
    Action(kTextTimerOff)->trigger();
    TypeFileName(file_);
    ChooseGameItem(kTextSaveAs);  // adds a new game, even to the same file
    EXPECT_EQ(Record().RecordNumber, 2);
    ChooseGameItem(kTextSave);  // stored: replaces its copy without asking
    EXPECT_EQ(Record().RecordNumber, 2);
    for (const int count : {9, 10}) {
        game::GameRecord people = PeopleGame(count);
        archive::SaveGame(file_, people);
    }

    // Load: sort by Moves, descending first, then flipped; pick the 4-move game.
    TypeFileName(file_);
    Select([](SelectGameDialog& dialog) {
        EXPECT_EQ(Shown(dialog),
                  "Select Game (4 games in game file)|-&Load Game|-&Delete "
                  "Game|Cancel|Help");
        ExpectLaidOut(dialog);
        EXPECT_GE(List(dialog).viewport()->width(), List(dialog).header()->length());
        EXPECT_EQ(Rows(dialog), QStringList({"|<Computer>|    2|1 - Beginner",
                                             "|<Computer>|    4|   - Practice game",
                                             "Ann|Bob|    9|", "Ann|Bob|   10|"}));
        ClickHeader(dialog, 3);
        EXPECT_EQ(List(dialog).topLevelItem(0)->text(3), "   10");
        EXPECT_EQ(SortArrow(dialog, 3), "down");
        ClickHeader(dialog, 3);
        EXPECT_EQ(List(dialog).topLevelItem(0)->text(3), "    2");
        EXPECT_EQ(SortArrow(dialog, 3), "up");
        ClickRow(dialog, 4);
        EXPECT_EQ(Shown(dialog),
                  "Select Game (4 games in game file)|&Load Game|&Delete "
                  "Game|Cancel|Help");
        QTest::mouseClick(&Button(dialog, "loadButton"), Qt::LeftButton);
    });
    game::GameRecord& record = Record();
    record.NameBottomHalf = "changed";
    ChooseGameItem(kTextLoad);
    EXPECT_EQ(record.MoveCount, 4);
    EXPECT_EQ(record.MoveNumber, 5);
    EXPECT_EQ(record.NameBottomHalf, "");
    EXPECT_EQ(record.RecordNumber, 2);
    EXPECT_EQ(window_->Board().Pit(0).ShownCount(), record.Board[0]);
    PlayAMove();
    EXPECT_EQ(record.MoveCount, 6);
    // Another file opened, nothing loaded from it: Save replaces the copy in
    // the file the game came from.
    const std::string other = home_.Root() + "/other.zgf";
    game::GameRecord people = PeopleGame(3);
    archive::SaveGame(other, people);
    const std::string otherBefore = testing::ReadFile(other);
    TypeFileName(other);
    Select([](SelectGameDialog& dialog) { dialog.reject(); });
    ChooseGameItem(kTextLoad);
    ChooseGameItem(kTextSave);
    EXPECT_EQ(testing::ReadFile(other), otherBefore);
    EXPECT_EQ(archive::ReadGameList(file_)[1].MoveCount, 6);

    // Delete, at once: the row goes, the caption recounts, the file loses it.
    // Help and F1 show the dialog's topic.
    RecordingHelp help;
    TypeFileName(file_);
    Select([](SelectGameDialog& dialog) {
        QTest::mouseClick(&Button(dialog, "helpButton"), Qt::LeftButton);
        QTest::keyClick(&dialog, Qt::Key_F1);
        ClickRow(dialog, 9);
        QTest::mouseClick(&Button(dialog, "deleteButton"), Qt::LeftButton);
        EXPECT_EQ(Shown(dialog),
                  "Select Game (3 games in game file)|-&Load Game|-&Delete "
                  "Game|Cancel|Help");
        EXPECT_EQ(Rows(dialog).size(), 3);
        QTest::mouseClick(&Button(dialog, "cancelButton"), Qt::LeftButton);
    });
    ChooseGameItem(kTextLoad);
    EXPECT_EQ(record.MoveCount, 6);  // cancelled: nothing loaded
    EXPECT_EQ(help.topics, std::vector<std::string>(2, "load.html"));
    EXPECT_EQ(archive::ReadGameList(file_).size(), 3u);

    // A double click loads, here a game of two people.
    TypeFileName(file_);
    Select([](SelectGameDialog& dialog) { ClickRow(dialog, 10, true); });
    ChooseGameItem(kTextLoad);
    EXPECT_EQ(record.MoveCount, 10);
    EXPECT_FALSE(record.ComputerGame);
    EXPECT_FALSE(window_->menuBar()->actions()[1]->isVisible());  // no Skill menu
}

TEST_F(GameFileTest, PromptModesAndAFailureToldInAMessageBox) {
    game::GameRecord stored = PeopleGame(3);
    archive::SaveGame(file_, stored);
    const auto cancelSelect = [this] { Select([](SelectGameDialog& dialog) { dialog.reject(); }); };
    bool asked = false;
    const auto cancelFile = [&] {
        WhenShown<QFileDialog>([&](QFileDialog& dialog) {
            asked = true;
            dialog.reject();
        });
    };

    // Once per run: the first Load asks, the second does not.
    ProgramSettings once;
    once.GameFilePrompt = kAskOncePerRun;
    Open(once);
    TypeFileName(file_);
    cancelSelect();
    ChooseGameItem(kTextLoad);
    EXPECT_EQ(window_->GameFiles().CurrentFile(), file_);
    cancelFile();
    cancelSelect();
    ChooseGameItem(kTextLoad);
    EXPECT_FALSE(asked);
    watches_ = std::make_unique<QObject>();  // that watch waits in vain

    // Always ask: a cancelled file dialog ends the command without a word.
    Open();
    cancelFile();
    ChooseGameItem(kTextLoad);
    EXPECT_TRUE(asked);
    EXPECT_TRUE(window_->GameFiles().CurrentFile().empty());

    // Always the default file: none there is told, and no dialog shows.
    ProgramSettings fixed;
    fixed.GameFilePrompt = kUseDefaultFile;
    fixed.DefaultGameFile = home_.Root() + "/missing.zgf";
    Open(fixed);
    std::string told;
    WhenShown<QMessageBox>([&](QMessageBox& box) {
        told = (box.windowTitle() + ": " + box.text()).toStdString();
        EXPECT_EQ(box.icon(), QMessageBox::Critical);
        QTest::mouseClick(box.button(QMessageBox::Ok), Qt::LeftButton);
    });
    ChooseGameItem(kTextLoad);
    EXPECT_EQ(told, "Zeko: Error opening Zeko Game File.");
}

TEST_F(GameFileTest, AGameFileOnTheCommandLineOpensItsGamesAfterTheNewGame) {
    game::GameRecord stored = PeopleGame(9);
    archive::SaveGame(file_, stored);
    for (const bool load : {true, false}) {
        bool welcomeGone = false;
        Select([&](SelectGameDialog& dialog) {
            welcomeGone = !window_->Board().WelcomeVisible();
            ClickRow(dialog, 9, load);
            if (!load) dialog.reject();
        });
        Open({}, file_);
        EXPECT_TRUE(QTest::qWaitFor([&] { return welcomeGone; }));
        Settle();
        EXPECT_EQ(Record().MoveCount, load ? 9 : 0);
        EXPECT_EQ(window_->GameFiles().CurrentFile(), file_);
    }
}

TEST_F(GameFileTest, AFileHandedOverByASecondCopyOpensOnceNoDialogIsOpen) {
    game::GameRecord stored = PeopleGame(9);
    archive::SaveGame(file_, stored);
    MainWindow& window = Open();
    // The about box is open when the file comes; its games are offered after it.
    std::vector<std::string> shown;
    WhenShown<QDialog>([&](QDialog& about) {
        shown.push_back(about.objectName().toStdString());
        window.TakeHandOver(file_);
        Select([&](SelectGameDialog& dialog) {
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
    EXPECT_EQ(window.GameFiles().CurrentFile(), file_);
}

}  // namespace
}  // namespace zeko::gui
