// The main window on Qt's offscreen platform, played as a person plays it: by
// clicks on the welcome screen, the pits and the menus, and by keys, with the
// settings it reads and writes in the test's own home; and the real program's
// start-up and single copy.

#include <csignal>

#include "gui/board/board_style.h"
#include "gui/board/clock_face.h"
#include "gui/board/score_bar.h"
#include "gui/board/time_bar.h"
#include "gui/board/welcome_screen.h"
#include "platform/copy_hand_over.h"
#include "platform/single_instance.h"
#include "tests/gui/window_driver.h"
#include "tests/support/timing.h"

namespace zeko::gui {
namespace {

using namespace settings;

class MainWindowTest : public WindowTest {
  protected:
    // What the board shows is the game's position: counts, the score texts,
    // and the chips of the score bars as drawn bit by bit and painted whole.
    void ExpectTheBoardShowsTheGame() {
        BoardView& board = window_->Board();
        for (int pit = 0; pit < engine::kPits; ++pit)
            EXPECT_EQ(Pit(pit).ShownCount(), Record().Board[static_cast<size_t>(pit)]) << pit;
        for (const auto& [bar, store, name] :
             {std::tuple{0, engine::kTopStore, "Computer"}, {1, engine::kBottomStore, "Human"}}) {
            EXPECT_EQ(board.ScoreLabel(bar).text(),
                      QStringLiteral("%1 : %2").arg(name).arg(Record().Board[store]));
            for (const bool repainted : {false, true}) {
                EXPECT_EQ(ChipsShown(board.ScoreBarOf(bar), repainted), Record().Board[store])
                    << name << " " << repainted;
            }
        }
    }
};

TEST_F(MainWindowTest, PlaysTheComputerAtLevel1ByTheMoveIndicatorAClickAndALetter) {
    MainWindow& window = Open([](ProgramSettings& s) {
        s.Level = 1;
        s.ViewOptions[kViewMoveIndicator] = true;
    });
    ExpectTheBoardShowsTheGame();
    // Play runs counter-clockwise: the top row from right to left, lettered a-f.
    for (int pit = 0; pit < 6; ++pit) {
        EXPECT_EQ(Pit(11 - pit).x(), Pit(pit).x());
        EXPECT_EQ(window.Board().PitLabel(11 - pit).text(), QChar('f' - pit));
        // The opening move must reach the opponent's row.
        EXPECT_EQ(Playable(pit), pit >= 2) << pit;
    }
    // A position with stones in both stores and a capture for the bottom half.
    window.Control().PositionAccepted({2, 2, 2, 2, 2, 1, 2, 2, 2, 2, 2, 2, 14, 11}, false);
    Settle();
    ExpectTheBoardShowsTheGame();
    // The indicator starts on the first playable pit; the arrows move it along
    // the bottom row, round its ends.
    QTest::keyClick(&window, Qt::Key_Right);
    EXPECT_EQ(Pit(1).Look(), game::PitLook::Indicator);
    for (const int key : {Qt::Key_Left, Qt::Key_Left, Qt::Key_Return})
        QTest::keyClick(&window, Qt::Key(key));
    Settle();
    EXPECT_EQ(std::tuple(Record().Moves[1], Record().Board[engine::kBottomStore]),
              std::tuple(5, 14));
    ExpectTheBoardShowsTheGame();
    for (const bool byClick : {true, false}) {
        const int pit = FirstPlayable();
        byClick ? Click(Pit(pit)) : QTest::keyClick(&window, static_cast<char>('a' + pit));
        Settle();
        EXPECT_EQ(Record().Moves[byClick ? 3 : 5], pit);
        ExpectTheBoardShowsTheGame();
    }
    // Taken back to the position set up, the whole board is drawn anew.
    for (int pair = 0; pair < 3; ++pair)
        Trigger(kTextTakeBack);
    EXPECT_EQ(Record().Board[engine::kBottomStore], 11);
    ExpectTheBoardShowsTheGame();
}

TEST_F(MainWindowTest, MenusOfferWhatPlayAllowsInBothLanguagesAndTheirKeysActOnlyThen) {
    // The bar as it reads in `language`, a line for each menu shown: its
    // title, then its items and the Opponent entries after their title, "-"
    // before an item that cannot be chosen and "+" before a checked one.
    const auto menus = [&](int16_t language) {
        texts::SetCurrentLanguage(language);
        window_->SetTexts();
        QString shown;
        const std::function<void(QMenu*)> read = [&](QMenu* menu) {
            for (const QAction* item : menu->actions()) {
                shown += QString(item->isEnabled() ? "|" : "|-") + (item->isChecked() ? "+" : "") +
                         item->text();
                if (item->menu() != nullptr) read(item->menu());
            }
        };
        for (int m = 0; m < window_->menuBar()->actions().size(); ++m) {
            if (!window_->menuBar()->actions()[m]->isVisible()) continue;
            QMenu* menu = Menu(m);
            shown += "\n" + window_->menuBar()->actions()[m]->text();
            read(menu);
            menu->hide();
        }
        return shown;
    };
    // A key pressed in the active window, and play at rest again.
    const auto press = [&](QKeyCombination keys) {
        Activate(*window_);
        QTest::keyClick(window_.get(), keys.key(), keys.keyboardModifiers());
        Settle();
    };

    // Two people, the bottom half's first move made: no clock, no Skill menu.
    Open([](ProgramSettings& s) { s.ComputerGame = false; });
    Click(Pit(2));
    EXPECT_EQ(menus(kDutch),
              "\n&Partij|&Nieuwe|&Laad...|&Sla op|-Sla op &als...||&Tegenstander|&Computer|+&Mens|"
              "|-&Pas|-Zet N&u|&Zet terug|-Zet &vooruit|-&Bedenktijd uit||&Einde"
              "\n&Toon|&Zet-indicator|K&nipper veld|-Kni&pper klok|-&Tijdbalk|+&Veldletters|"
              "Schadu&w|+&Graphische stenen|+Graphische &scores"
              "\n&Speciaal|&Analyse...|&Nieuwe stelling...|Niveau &info...||&Opties..."
              "\n&Hulp|&Inhoud...|&Index...||&Over Zeko...");

    // The computer at Beginner, timed, with a long response delay.
    MainWindow& window = Open([](ProgramSettings& s) {
        s.Level = 1;
        s.DelayActivated = true;
        s.DelayTime = 10;
    });
    EXPECT_EQ(menus(kEnglish),
              "\n&Game|&New|&Load...|&Save|-Save &As...||&Opponent|+&Computer|&Human||&Pass|"
              "-&Move now|-Take &Back|-&Replay|&Timer Off||E&xit"
              "\n&Skill|+Beginner|Novice|Amateur|Advanced|Skilful|Expert|Professional|Master|"
              "Grandmaster"
              "\n&View|&Move Indicator|&Flashing Moves|Flashing &Clock|&Time Bar|+Field &Labels|"
              "Shado&w|+&Graphic Chips|+Graphic &Scores"
              "\n&Tools|&Analysis...|&New Position...|Level &Info...||&Options..."
              "\n&Help|&Contents...|&Index...||&About Zeko...");
    // Keys whose items cannot be chosen do nothing; Alt+F4 is the window
    // manager's outside the open Game menu.
    for (const QKeyCombination keys : {Qt::CTRL | Qt::Key_Z, Qt::CTRL | Qt::Key_Y,
                                       QKeyCombination(Qt::Key_F7), Qt::ALT | Qt::Key_F4})
        press(keys);
    EXPECT_EQ(std::tuple(Record().MoveNumber, Record().MoveCount, window.isVisible()),
              std::tuple(1, 0, true));

    // The computer's move found, waiting for the delay: nothing but New, Move
    // Now, Exit, the views, Options and help.
    QTest::mouseClick(&Pit(2), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return window.Control().State() == game::PlayState::AwaitingResponse; }));
    EXPECT_EQ(menus(kDutch),
              "\n&Partij|&Nieuwe|-&Laad...|-&Sla op|-Sla op &als...||-&Tegenstander|-+&Computer|"
              "-&Mens||-&Pas|Zet N&u|-&Zet terug|-Zet &vooruit|-&Bedenktijd uit||&Einde"
              "\n&Niveau|-+Beginner|-Onervaren|-Amateur|-Gevorderd|-Ervaren|-Expert|-Profspeler|"
              "-Meester|-Grootmeester"
              "\n&Toon|&Zet-indicator|K&nipper veld|Kni&pper klok|&Tijdbalk|+&Veldletters|"
              "Schadu&w|+&Graphische stenen|+Graphische &scores"
              "\n&Speciaal|-&Analyse...|-&Nieuwe stelling...|-Niveau &info...||&Opties..."
              "\n&Hulp|&Inhoud...|&Index...||&Over Zeko...");
    QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Record().MoveNumber, 2);
    press(Qt::Key_F7);
    EXPECT_EQ(Record().MoveCount, 2);

    // At rest a key does what its item does.
    press(Qt::Key_F2);
    EXPECT_EQ(Record().MoveCount, 0);
    ChooseText(0, kTextExit);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(MainWindowTest, ViewOptionsChosenInTheMenuAreWrittenAtCloseAndShownAtTheNextStart) {
    MainWindow& window = Open();
    // Which of the letters, score bars, chips, time bar and clock show.
    const auto shows = [this] {
        BoardView& board = window_->Board();
        return std::vector{board.PitLabel(0).isVisible(), board.ScoreBarOf(1).isVisible(),
                           Pit(11).GraphicChips(), board.TimeBarView().isVisible(),
                           board.Clock().isVisible()};
    };
    // A new computer game is timed, and the clock face shows the time.
    EXPECT_EQ(shows(), (std::vector{true, true, true, false, true}));
    for (const int option : {kViewFieldLabels, kViewGraphicScores, kViewTimeBar, kViewGraphicChips})
        Choose(2, option);
    Choose(1, 7);  // Master
    EXPECT_EQ(shows(), (std::vector{false, false, false, true, false}));
    window.close();
    ProgramSettings read;
    ExchangeSettings(SettingsExchange::Read, read);
    EXPECT_EQ(read.Level, 8);
    EXPECT_EQ(read.ViewOptions,
              (ViewOptions{false, false, false, true, false, false, false, false}));

    // The next start, of a game between two people, shows them from the start.
    read.ComputerGame = false;
    read.ColorScheme = kSchemeMonochrome;
    MainWindow& next = Open(read);
    EXPECT_EQ(next.Board().grab().toImage().pixelColor(2, 2),
              ToQColor(kMonochromeTable[kZekoBackground]));
    EXPECT_EQ(next.windowTitle(), "Zeko : Human 1 - Human 2");
    // Two people play without a clock: its displays stay hidden.
    next.ToggleViewOption(kViewTimeBar);
    EXPECT_EQ(shows(), (std::vector{false, false, false, false, false}));
}

TEST_F(MainWindowTest, TheComputerAnswersAfterItsResponseDelay) {
    // A fixed delay, time enough to open the menu meanwhile.
    Open([](ProgramSettings& s) {
        s.Level = 1;
        s.DelayActivated = true;
        s.DelayTime = 2;
    });
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(&Pit(2), Qt::LeftButton);
    // Nothing can be loaded meanwhile, and again once the answer is played.
    EXPECT_TRUE(QTest::qWaitFor([&] { return Record().MoveCount == 1; }));
    QMenu* game = Menu(0);
    EXPECT_FALSE(Action(kTextLoad)->isEnabled());
    game->hide();
    Settle();
    EXPECT_EQ(Record().MoveCount, 2);
    EXPECT_GE(clock.elapsed(), 1900);
    game = Menu(0);
    EXPECT_TRUE(Action(kTextLoad)->isEnabled());
    game->hide();
}

TEST_F(MainWindowTest, NewGameAndClosingStopADeepSearchAtOnce) {
    for (const bool closing : {false, true}) {
        MainWindow& window = Open();
        // After the person's second move the computer searches far deeper than
        // any level: it would run for minutes unless stopped.
        Click(Pit(3));
        Record().Level = 14;
        QTest::mouseClick(&Pit(5), Qt::LeftButton);
        bool searching = false, closed = false;
        QTimer::singleShot(300, &window, [&] {
            searching = window.Control().State() == game::PlayState::Thinking;
            if (closing)
                closed = window.close();
            else
                Action(kTextNewGame)->trigger();
        });
        // The search runs inside these waits and ends at its first look after
        // the command, long before Settle() gives up.
        QTest::qWait(400);
        ASSERT_TRUE(Settle());
        // Refused while the search ran, the close comes right after it.
        EXPECT_EQ(std::tuple(searching, closed, window.isVisible()),
                  std::tuple(true, false, !closing));
        // The move the search would have found is gone.
        EXPECT_TRUE(closing || Record().Board == engine::kStartBoard);
    }
}

TEST_F(MainWindowTest, AScreenReaderUserPlaysByThePitsButtonsAndHearsTheBoard) {
    ProgramSettings settings;
    settings.Level = 1;
    MainWindow& window = Start(settings);
    BoardView& board = window.Board();
    const auto said = [](QWidget& widget) {
        return QAccessible::queryAccessibleInterface(&widget)->text(QAccessible::Name);
    };
    // The focus starts on the greeting; Tab, like any key, dismisses it, and
    // Tab then reaches the first pit.
    QWidget& welcome = board.Welcome();
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == &welcome; }));
    EXPECT_EQ(said(welcome), "Welcome to the ancient African game of Zeko !");
    QTest::keyClick(&welcome, Qt::Key_Tab);
    Settle();
    EXPECT_FALSE(board.WelcomeVisible());
    QTest::keyClick(&window, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), &Pit(0));
    EXPECT_EQ(said(Pit(2)), "Pit C, 4 stones, playable");
    EXPECT_EQ(said(board), "Bottom half to move");
    // The arrows walk the board as it shows: A, B, e above B, and back.
    for (const auto& [key, pit] :
         {std::pair{Qt::Key_Right, 1}, {Qt::Key_Up, 10}, {Qt::Key_Down, 1}}) {
        QTest::keyClick(QApplication::focusWidget(), key);
        EXPECT_EQ(QApplication::focusWidget(), &Pit(pit));
    }
    // A move, and the computer's answer, by the pit's press action.
    DoAccessibleAction(Pit(2), QAccessibleActionInterface::pressAction());
    Settle();
    ASSERT_EQ(Record().MoveCount, 2);
    for (int k = 0; k < engine::kPits; ++k) {
        const int stones = Record().Board[static_cast<size_t>(k)];
        EXPECT_TRUE(said(Pit(k)).startsWith(
            QStringLiteral("Pit %1, %2 stone").arg(board.PitLabel(k).text()).arg(stones)));
        EXPECT_EQ(said(Pit(k)).endsWith("playable"), Playable(k)) << k;
    }
    EXPECT_EQ(said(board.ScoreBarOf(0)),
              QStringLiteral("Computer : %1").arg(Record().Board[engine::kTopStore]));
    ASSERT_TRUE(board.Clock().isVisible());
    // What a screen reader reaches on the board: every object shown has a
    // name; the letters and the clock's digits, said by their owners, are
    // left out.
    std::vector<QAccessibleInterface*> walk{QAccessible::queryAccessibleInterface(&board)};
    while (!walk.empty()) {
        QAccessibleInterface* node = walk.back();
        walk.pop_back();
        const auto* widget = qobject_cast<QWidget*>(node->object());
        EXPECT_FALSE(widget->property("zekoAccessibleDecoration").toBool());
        EXPECT_TRUE(node->state().invisible || !node->text(QAccessible::Name).isEmpty())
            << widget->metaObject()->className();
        for (int k = 0; k < node->childCount(); ++k)
            walk.push_back(node->child(k));
    }
    texts::SetCurrentLanguage(kDutch);
    window.SetTexts();
    EXPECT_EQ(said(board), "Onderste helft aan zet");
    EXPECT_TRUE(said(Pit(0)).startsWith("Veld A, "));
    texts::SetCurrentLanguage(kEnglish);
}

// Starts the program in a home of its own on the offscreen platform.
void Start(QProcess& program, const QTemporaryDir& home, bool exitAfterFirstPaint = false) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    QDir().mkpath(home.path() + "/tmp");
    for (const auto& [name, value] : {std::pair{"XDG_CONFIG_HOME", home.path() + "/config"},
                                      {"XDG_DATA_HOME", home.path() + "/data"},
                                      {"XDG_RUNTIME_DIR", home.path()},
                                      {"TMPDIR", home.path() + "/tmp"}})
        environment.insert(name, value);
    if (exitAfterFirstPaint) environment.insert("ZEKO_EXIT_AFTER_FIRST_PAINT", "1");
    program.setProcessEnvironment(environment);
    // The signals as a desktop starts it with, whatever this test runs under.
    program.setChildProcessModifier([] {
        for (const int signal : {SIGTERM, SIGINT, SIGHUP})
            ::signal(signal, SIG_DFL);
    });
    program.start(QStringLiteral(ZEKO_PROGRAM), {});
}

TEST(Program, EndsAsExitDoesWhenASignalAsksAndLeavesNoFolderBehind) {
    // TERM as a session manager sends it at logout, INT and HUP; then KILL,
    // after which the next start clears what was left.
    for (const int signal : {SIGTERM, SIGINT, SIGHUP, SIGKILL}) {
        SCOPED_TRACE(signal);
        QTemporaryDir home;
        QProcess program;
        Start(program, home);
        ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(home.path() + "/zeko.socket"); }));
        ::kill(static_cast<pid_t>(program.processId()), signal);
        ASSERT_TRUE(program.waitForFinished(5000));
        if (signal == SIGKILL) {
            QProcess next;
            Start(next, home, true);
            ASSERT_TRUE(next.waitForFinished(10000));
        } else {
            EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
            EXPECT_EQ(program.exitCode(), 0);
            EXPECT_NE(testing::ReadFile(home.path().toStdString() + "/config/zeko/settings.ini")
                          .find("Skill=3"),
                      std::string::npos);
        }
        // The lock file stays, unlocked; no socket, no temporary folder.
        EXPECT_EQ(
            QDir(home.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
            (QStringList{"config", "data", "tmp", "zeko.lock"}));
        EXPECT_TRUE(QDir(home.path() + "/tmp").isEmpty());
    }
}

TEST(Program, ReachesItsFirstPaintedWindowQuickly) {
    QTemporaryDir home;
    // The first start registers the file type, the second is an ordinary one.
    for (int run = 0; run < 2; ++run) {
        QProcess program;
        QElapsedTimer clock;
        clock.start();
        Start(program, home, true);
        ASSERT_TRUE(program.waitForFinished(10000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 0);
        std::printf("start-up to first painted window: %lld ms\n", clock.elapsed());
        EXPECT_FASTER_THAN(clock.elapsed(), 3000);
    }
}

TEST(Program, ASecondCopyHandsItsGameFileToTheFirstAndEnds) {
    const testing::TestHome home;  // this process is the first copy
    const platform::SingleInstanceLock lock("zeko");
    std::vector<std::string> received;
    const platform::CopyHandOverServer server(
        "zeko", [&](const std::string& file) { received.push_back(file); });
    testing::WriteFile(home.Root() + "/games/club.zgf", "");
    // A file named relative to the second copy's folder, among other words;
    // then no file at all.
    for (const QStringList& arguments : {QStringList{"missing.zgf", "club.zgf"}, QStringList{}}) {
        QProcess second;
        second.setWorkingDirectory(QString::fromStdString(home.Root() + "/games"));
        second.start(QStringLiteral(ZEKO_PROGRAM), arguments);
        EXPECT_TRUE(second.waitForFinished(5000));
        EXPECT_EQ(second.exitCode(), 0);
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return received.size() == 2; }));
    const QFileInfo club(QString::fromStdString(home.Root() + "/games/club.zgf"));
    EXPECT_EQ(received, (std::vector<std::string>{club.canonicalFilePath().toStdString(), ""}));
}

}  // namespace
}  // namespace zeko::gui
