// The game file from the window, as a person uses it: Save, Save As and Load
// from the Game menu with the file dialog, the select-game dialog's list,
// sorting, loading and deleting by clicks, the prompt modes, failures in
// message boxes, and a game file named on the command line.
#include <gtest/gtest.h>

#include <QDir>
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

// The Moves column, top to bottom.
QStringList Moves(SelectGameDialog& dialog) {
    auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("gameList"));
    QStringList moves;
    for (int row = 0; row < list->topLevelItemCount(); ++row)
        moves << list->topLevelItem(row)->text(3);
    return moves;
}

QPushButton& Button(SelectGameDialog& dialog, const char* name) {
    return *dialog.findChild<QPushButton*>(QString::fromLatin1(name));
}

void ClickRow(SelectGameDialog& dialog, const QString& moves) {
    auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("gameList"));
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        QTreeWidgetItem* item = list->topLevelItem(row);
        if (item->text(3) != moves) continue;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(item).center());
        return;
    }
    ADD_FAILURE() << "no row of " << moves.toStdString() << " moves";
}

void ClickHeader(SelectGameDialog& dialog, int column) {
    QHeaderView* header = dialog.findChild<QTreeWidget*>(QStringLiteral("gameList"))->header();
    const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
}

// Which way the sort arrow in a column's header points, as drawn; "cut" when
// the header is narrower than its text and arrow.
std::string SortArrow(SelectGameDialog& dialog, int column) {
    QHeaderView* header = dialog.findChild<QTreeWidget*>(QStringLiteral("gameList"))->header();
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
    TypeFileName(file_);
    ChooseGameItem(kTextSave);  // never stored: asks for the file
    EXPECT_EQ(Record().RecordNumber, 1);
    EXPECT_EQ(QFileInfo(QString::fromStdString(file_)).size(), 25664);
    PlayAMove();
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
    WhenShown<SelectGameDialog>([](SelectGameDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Select Game (4 games in game file)");
        EXPECT_EQ(Moves(dialog), QStringList({"    2", "    4", "    9", "   10"}));
        EXPECT_FALSE(Button(dialog, "loadButton").isEnabled());
        EXPECT_FALSE(Button(dialog, "deleteButton").isEnabled());
        ClickHeader(dialog, 3);
        EXPECT_EQ(Moves(dialog), QStringList({"   10", "    9", "    4", "    2"}));
        EXPECT_EQ(SortArrow(dialog, 3), "down");
        ClickHeader(dialog, 3);
        EXPECT_EQ(Moves(dialog), QStringList({"    2", "    4", "    9", "   10"}));
        EXPECT_EQ(SortArrow(dialog, 3), "up");
        ClickRow(dialog, "    4");
        EXPECT_TRUE(Button(dialog, "loadButton").isEnabled());
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

    // Delete, at once: the row goes, the caption recounts, the file loses it.
    // Help and F1 show the dialog's topic.
    RecordingHelp help;
    TypeFileName(file_);
    WhenShown<SelectGameDialog>([](SelectGameDialog& dialog) {
        QTest::mouseClick(&Button(dialog, "helpButton"), Qt::LeftButton);
        QTest::keyClick(&dialog, Qt::Key_F1);
        ClickRow(dialog, "    9");
        QTest::mouseClick(&Button(dialog, "deleteButton"), Qt::LeftButton);
        EXPECT_EQ(dialog.windowTitle(), "Select Game (3 games in game file)");
        EXPECT_EQ(Moves(dialog), QStringList({"    2", "    4", "   10"}));
        EXPECT_FALSE(Button(dialog, "deleteButton").isEnabled());
        QTest::mouseClick(&Button(dialog, "cancelButton"), Qt::LeftButton);
    });
    ChooseGameItem(kTextLoad);
    EXPECT_EQ(record.MoveCount, 6);  // cancelled: nothing loaded
    EXPECT_EQ(help.topics, std::vector<std::string>(2, "load.html"));
    EXPECT_EQ(archive::ReadGameList(file_).size(), 3u);

    // A double click loads, here a game of two people.
    TypeFileName(file_);
    WhenShown<SelectGameDialog>([](SelectGameDialog& dialog) {
        auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("gameList"));
        const QRect row = list->visualItemRect(list->topLevelItem(2));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row.center());
    });
    ChooseGameItem(kTextLoad);
    EXPECT_EQ(record.MoveCount, 10);
    EXPECT_FALSE(record.ComputerGame);
    EXPECT_FALSE(window_->menuBar()->actions()[1]->isVisible());  // no Skill menu
}

TEST_F(GameFileTest, PromptModesCancelsAndFailures) {
    game::GameRecord stored = PeopleGame(3);
    archive::SaveGame(file_, stored);
    const auto cancelSelect = [this] {
        WhenShown<SelectGameDialog>([](SelectGameDialog& dialog) {
            QTest::mouseClick(&Button(dialog, "cancelButton"), Qt::LeftButton);
        });
    };
    int errors = 0;
    std::string lastError;
    const auto answerError = [&] {
        WhenShown<QMessageBox>([&](QMessageBox& box) {
            ++errors;
            lastError = box.windowTitle().toStdString() + ": " + box.text().toStdString();
            EXPECT_EQ(box.icon(), QMessageBox::Critical);
            QTest::mouseClick(box.button(QMessageBox::Ok), Qt::LeftButton);
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
    bool asked = false;
    WhenShown<QFileDialog>([&](QFileDialog& dialog) {
        asked = true;
        dialog.reject();
    });
    cancelSelect();
    ChooseGameItem(kTextLoad);
    EXPECT_FALSE(asked);
    watches_ = std::make_unique<QObject>();  // that watch waits in vain

    // Always ask: a cancelled file dialog ends the command without a word.
    Open();
    WhenShown<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
    answerError();
    ChooseGameItem(kTextLoad);
    EXPECT_EQ(errors, 0);
    EXPECT_TRUE(window_->GameFiles().CurrentFile().empty());

    // Always the default file: none there is an error; no dialog in either case.
    ProgramSettings fixed;
    fixed.GameFilePrompt = kUseDefaultFile;
    fixed.DefaultGameFile = home_.Root() + "/missing.zgf";
    Open(fixed);
    ChooseGameItem(kTextLoad);
    EXPECT_EQ(errors, 1);
    EXPECT_EQ(lastError, "Zeko: Error opening Zeko Game File.");

    // A game from a set-up position is not saved.
    window_->Control().PositionAccepted(engine::kStartBoard, false);
    Settle();
    answerError();
    ChooseGameItem(kTextSave);
    EXPECT_EQ(lastError, "Zeko: A game from a set-up position cannot be saved.");
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(fixed.DefaultGameFile)));

    // A delete that fails is reported and its row stays.
    fixed.DefaultGameFile = file_;
    Open(fixed);
    WhenShown<SelectGameDialog>([&](SelectGameDialog& dialog) {
        QFile::remove(QString::fromStdString(file_));
        QDir().mkdir(QString::fromStdString(file_));  // no longer a file
        ClickRow(dialog, "    3");
        answerError();
        QTest::mouseClick(&Button(dialog, "deleteButton"), Qt::LeftButton);
        EXPECT_EQ(Moves(dialog), QStringList({"    3"}));
        QTest::mouseClick(&Button(dialog, "cancelButton"), Qt::LeftButton);
    });
    ChooseGameItem(kTextLoad);
    EXPECT_EQ(errors, 3);
    EXPECT_EQ(lastError, "Zeko: Error opening Zeko Game File.");
}

TEST_F(GameFileTest, SaveReplacesTheStoredCopyInTheFileTheGameCameFrom) {
    const std::string other = home_.Root() + "/other.zgf";
    for (const std::string& name : {file_, other}) {
        for (const int count : {3, 5}) {
            game::GameRecord people = PeopleGame(count);
            archive::SaveGame(name, people);
        }
    }
    const std::string otherBefore = testing::ReadFile(other);
    Open();
    TypeFileName(file_);
    WhenShown<SelectGameDialog>([](SelectGameDialog& dialog) {
        ClickRow(dialog, "    5");
        QTest::mouseClick(&Button(dialog, "loadButton"), Qt::LeftButton);
    });
    ChooseGameItem(kTextLoad);
    // Another file opened, nothing loaded from it: the game still lives in the first.
    TypeFileName(other);
    WhenShown<SelectGameDialog>([](SelectGameDialog& dialog) {
        QTest::mouseClick(&Button(dialog, "cancelButton"), Qt::LeftButton);
    });
    ChooseGameItem(kTextLoad);
    PlayAMove();
    ChooseGameItem(kTextSave);
    EXPECT_EQ(testing::ReadFile(other), otherBefore);
    const std::vector<game::GameRecord> games = archive::ReadGameList(file_);
    ASSERT_EQ(games.size(), 2u);
    EXPECT_EQ(games[1].MoveCount, 6);
}

TEST_F(GameFileTest, AGameFileOnTheCommandLineOpensItsGamesAfterTheNewGame) {
    game::GameRecord stored = PeopleGame(9);
    archive::SaveGame(file_, stored);
    for (const bool load : {true, false}) {
        bool welcomeGone = false;
        WhenShown<SelectGameDialog>([&](SelectGameDialog& dialog) {
            welcomeGone = !window_->Board().WelcomeVisible();
            ClickRow(dialog, "    9");
            QTest::mouseClick(&Button(dialog, load ? "loadButton" : "cancelButton"),
                              Qt::LeftButton);
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
        WhenShown<SelectGameDialog>([&](SelectGameDialog& dialog) {
            shown.push_back("select");
            ClickRow(dialog, "    9");
            QTest::mouseClick(&Button(dialog, "loadButton"), Qt::LeftButton);
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
