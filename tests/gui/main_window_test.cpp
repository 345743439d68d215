// The main window on Qt's offscreen platform, driven as a person would: clicks
// on the welcome screen and the pits, keys, menus; the settings it reads and
// writes live in a temporary home.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <functional>

#include "gui/board_view.h"
#include "gui/clock_face.h"
#include "gui/main_window.h"
#include "gui/pit_view.h"
#include "gui/score_bar.h"
#include "gui/time_bar.h"
#include "gui/welcome_screen.h"
#include "platform/message_queue.h"
#include "settings/exchange_settings.h"
#include "settings/text_table.h"
#include "tests/support/test_home.h"

namespace {

using zeko::game::PlayState;
using zeko::gui::MainWindow;

// Every test gets its own settings and data folders.
class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        zeko::settings::texts::SetCurrentLanguage(2);
        // Modal message boxes and dialogs are answered as soon as they open.
        answerer_.setInterval(10);
        QObject::connect(&answerer_, &QTimer::timeout, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                if (auto* label = modal->findChild<QLabel*>(QStringLiteral("qt_msgbox_label")))
                    messages_.push_back(label->text().toStdString());
                modal->close();
            }
        });
        answerer_.start();
    }
    void TearDown() override {
        answerer_.stop();
        zeko::platform::threadMessageQueue().clear();
    }

    // Opens the main window as the program does and lets it settle.
    std::unique_ptr<MainWindow> Open(
        const std::function<void(zeko::settings::ProgramSettings&)>& prepare = {}) {
        if (prepare) {
            zeko::settings::ProgramSettings settings;
            prepare(settings);
            zeko::settings::ExchangeSettings(zeko::settings::SettingsExchange::Write, settings);
        }
        auto window = std::make_unique<MainWindow>();
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        Settle(*window);
        return window;
    }

    // Runs the event loop until play rests: no event queued, no delay or
    // flash running, the person to move or the game over.
    static bool Settle(MainWindow& window, int timeoutMs = 20000) {
        return QTest::qWaitFor(
            [&] {
                auto& control = window.Control();
                return control.PendingEvents() == 0 &&
                       !control.TimerEnabled(zeko::game::TimerId::Event) &&
                       !control.TimerEnabled(zeko::game::TimerId::Delay) &&
                       !control.TimerEnabled(zeko::game::TimerId::Flash) &&
                       control.State() != PlayState::Thinking &&
                       QApplication::activeModalWidget() == nullptr;
            },
            timeoutMs);
    }

    static zeko::gui::BoardView& Canvas(MainWindow& window) {
        return *static_cast<zeko::gui::BoardView*>(window.centralWidget());
    }

    static bool Playable(MainWindow& window, int pit) {
        return Canvas(window).Pit(pit).cursor().shape() == Qt::BitmapCursor;
    }

    static void ClickPit(MainWindow& window, int pit) {
        QTest::mouseClick(&Canvas(window).Pit(pit), Qt::LeftButton);
    }

    static void DismissWelcome(MainWindow& window) {
        QTest::mouseClick(&Canvas(window).Welcome(), Qt::LeftButton);
        Settle(window);
    }

    // The person's second move, after which the computer searches far deeper
    // than any level: it would run for minutes unless stopped.
    static void StartDeepSearch(MainWindow& window) {
        DismissWelcome(window);
        ClickPit(window, 3);
        ASSERT_TRUE(Settle(window));
        window.Control().Record().Level = 14;
        ClickPit(window, 5);
    }

    // Opens menu number index of the menu bar with a click.
    static QMenu* OpenMenu(MainWindow& window, int index) {
        QMenuBar* bar = window.menuBar();
        QAction* entry = bar->actions().at(index);
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(entry).center());
        QMenu* menu = entry->menu();
        EXPECT_TRUE(QTest::qWaitFor([&] { return menu->isVisible(); }, 2000));
        return menu;
    }

    static void ChooseItem(QMenu* menu, QAction* item) {
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
    }

    static QAction* FindAction(MainWindow& window, const QString& text) {
        for (QAction* action : window.findChildren<QAction*>()) {
            if (action->text() == text) return action;
        }
        return nullptr;
    }

    zeko::testing::TestHome home_;
    QTimer answerer_;
    std::vector<std::string> messages_;
};

TEST_F(MainWindowTest, OpensWithTheWelcomeScreenOverANewGame) {
    auto window = Open();
    EXPECT_TRUE(window->Board().WelcomeVisible());
    const auto& record = window->Control().Record();
    EXPECT_EQ(record.MoveNumber, 1);
    EXPECT_FALSE(record.TopToMove);
    // The default settings: computer opponent at level 3, timed.
    EXPECT_TRUE(record.ComputerGame);
    EXPECT_EQ(record.Level, 3);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Zeko : Amateur"));
    EXPECT_TRUE(
        window->grab().toImage().save(QStringLiteral(ZEKO_SCREENSHOT_DIR "/zeko-welcome.png")));
    for (int pit = 0; pit < 12; ++pit)
        EXPECT_EQ(Canvas(*window).Pit(pit).ShownCount(), 4) << pit;
    DismissWelcome(*window);
    EXPECT_FALSE(window->Board().WelcomeVisible());
    EXPECT_EQ(window->Control().State(), PlayState::Idle);
}

TEST_F(MainWindowTest, PointersMarkExactlyThePlayablePitsAndIllegalClicksChangeNothing) {
    auto window = Open();
    DismissWelcome(*window);
    // The opening move must reach the opponent's row: not from A or B.
    for (int pit = 0; pit < 12; ++pit)
        EXPECT_EQ(Playable(*window, pit), pit >= 2 && pit <= 5) << pit;
    const auto before = window->Control().Record().Board;
    for (int pit : {0, 1, 6, 9}) {
        ClickPit(*window, pit);
        Settle(*window);
    }
    EXPECT_EQ(window->Control().Record().Board, before);
    EXPECT_EQ(window->Control().Record().MoveCount, 0);
}

TEST_F(MainWindowTest, PlaysAWholeGameAgainstTheComputerByClicksAndKeys) {
    auto window = Open([](zeko::settings::ProgramSettings& s) {
        s.Level = 1;
        s.ViewOptions[zeko::settings::kViewMoveIndicator] = true;
    });
    DismissWelcome(*window);
    auto& record = window->Control().Record();
    int moves = 0;
    while (!record.GameOver && moves < 200) {
        ASSERT_TRUE(Settle(*window));
        if (record.GameOver) break;
        ASSERT_FALSE(record.TopToMove);
        int pit = -1;
        for (int p = 0; p < 6 && pit < 0; ++p)
            if (Playable(*window, p)) pit = p;
        ASSERT_GE(pit, 0);
        const int before = record.MoveCount;
        if (moves % 3 == 1) {
            // By its letter.
            QTest::keyClick(window.get(), static_cast<char>('a' + pit));
        } else if (moves % 3 == 2) {
            // By the move indicator: it starts on the first legal pit.
            EXPECT_EQ(window->Control().IndicatorPit(), pit);
            QTest::keyClick(window.get(), Qt::Key_Return);
        } else {
            ClickPit(*window, pit);
        }
        ASSERT_TRUE(Settle(*window));
        EXPECT_GT(record.MoveCount, before);
        ++moves;
    }
    EXPECT_TRUE(record.GameOver);
    EXPECT_EQ(
        record.Board[12] + record.Board[13] +
            [&] {
                int onBoard = 0;
                for (int i = 0; i < 12; ++i)
                    onBoard += record.Board[static_cast<size_t>(i)];
                return onBoard;
            }(),
        48);
}

TEST_F(MainWindowTest, TwoPeoplePlayOnOneBoard) {
    auto window = Open([](zeko::settings::ProgramSettings& s) { s.ComputerGame = false; });
    DismissWelcome(*window);
    auto& record = window->Control().Record();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Zeko :  - "));
    ClickPit(*window, 3);  // bottom half
    Settle(*window);
    EXPECT_TRUE(record.TopToMove);
    for (int pit = 0; pit < 6; ++pit)
        EXPECT_FALSE(Playable(*window, pit));
    ClickPit(*window, 8);  // top half
    Settle(*window);
    EXPECT_FALSE(record.TopToMove);
    EXPECT_EQ(record.MoveCount, 2);
    // Nothing moves while nothing happens.
    for (auto id : {zeko::game::TimerId::Event, zeko::game::TimerId::Delay,
                    zeko::game::TimerId::Flash, zeko::game::TimerId::Clock})
        EXPECT_FALSE(window->Control().TimerEnabled(id));
}

TEST_F(MainWindowTest, GameMenuFollowsTheRulesWhenOpenedByAClick) {
    auto window = Open();
    DismissWelcome(*window);
    QMenu* game = OpenMenu(*window, 0);
    ASSERT_TRUE(game->isVisible());
    EXPECT_TRUE(FindAction(*window, "&Pass")->isEnabled());
    EXPECT_FALSE(FindAction(*window, "Take &Back")->isEnabled());
    EXPECT_FALSE(FindAction(*window, "&Replay")->isEnabled());
    EXPECT_FALSE(FindAction(*window, "&Move now")->isEnabled());
    EXPECT_TRUE(FindAction(*window, "&Timer Off")->isEnabled());
    EXPECT_TRUE(FindAction(*window, "&Computer")->isChecked());
    QTest::keyClick(game, Qt::Key_Escape);
    // A shortcut of a command its rule disables does nothing.
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    Settle(*window);
    EXPECT_EQ(window->Control().Record().MoveCount, 0);
}

TEST_F(MainWindowTest, ChoosingTheCheckedOpponentSwitchesToTwoPeople) {
    auto window = Open();
    DismissWelcome(*window);
    QMenu* game = OpenMenu(*window, 0);
    QMenu* opponent = FindAction(*window, "&Opponent")->menu();
    ASSERT_NE(opponent, nullptr);
    ChooseItem(game, opponent->menuAction());
    ASSERT_TRUE(QTest::qWaitFor([&] { return opponent->isVisible(); }, 2000));
    ChooseItem(opponent, FindAction(*window, "&Computer"));
    Settle(*window);
    auto& record = window->Control().Record();
    EXPECT_FALSE(record.ComputerGame);
    EXPECT_FALSE(record.TimerOn);  // never timed through this command
    EXPECT_FALSE(window->menuBar()->actions().at(1)->isVisible());  // Skill hidden
    // After the bottom half's first move of two people there is no passing.
    ClickPit(*window, 2);
    Settle(*window);
    game = OpenMenu(*window, 0);
    EXPECT_FALSE(FindAction(*window, "&Pass")->isEnabled());
    EXPECT_TRUE(FindAction(*window, "Take &Back")->isEnabled());
    EXPECT_TRUE(FindAction(*window, "&Human")->isChecked());
    QTest::keyClick(game, Qt::Key_Escape);
    // And back: the Skill menu returns with the computer.
    window->Control().ChooseOpponent();
    Settle(*window);
    EXPECT_TRUE(window->menuBar()->actions().at(1)->isVisible());
}

TEST_F(MainWindowTest, ALevelChosenBeforeTheComputersFirstMoveRestartsTheClock) {
    auto window = Open();
    DismissWelcome(*window);
    auto& record = window->Control().Record();
    QMenu* skill = OpenMenu(*window, 1);
    EXPECT_TRUE(FindAction(*window, "Amateur")->isChecked());
    ChooseItem(skill, FindAction(*window, "Grandmaster"));
    Settle(*window);
    EXPECT_EQ(record.Level, 9);
    EXPECT_TRUE(record.TimerOn);
    EXPECT_EQ(record.TimeLeft, 90 * 120);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Zeko : Grandmaster"));
    // After the computer's first move a new level switches the clock off.
    ClickPit(*window, 3);
    ASSERT_TRUE(Settle(*window));
    skill = OpenMenu(*window, 1);
    ChooseItem(skill, FindAction(*window, "Novice"));
    Settle(*window);
    EXPECT_EQ(record.Level, 2);
    EXPECT_FALSE(record.TimerOn);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Zeko"));
}

TEST_F(MainWindowTest, ViewOptionsShowAndHideWhatTheyName) {
    auto window = Open();
    DismissWelcome(*window);
    auto& canvas = Canvas(*window);
    EXPECT_TRUE(canvas.PitLabel(0).isVisible());
    window->ToggleViewOption(zeko::settings::kViewFieldLabels);
    EXPECT_FALSE(canvas.PitLabel(0).isVisible());
    EXPECT_TRUE(canvas.ScoreBarOf(0).isVisible());
    EXPECT_FALSE(canvas.ScoreLabel(0).isVisible());
    window->ToggleViewOption(zeko::settings::kViewGraphicScores);
    EXPECT_FALSE(canvas.ScoreBarOf(0).isVisible());
    EXPECT_TRUE(canvas.ScoreLabel(0).isVisible());
    // The clock is on in a new computer game: the time bar replaces the face.
    window->ToggleViewOption(zeko::settings::kViewTimeBar);
    EXPECT_TRUE(canvas.TimeBarView().isVisible());
    window->ToggleViewOption(zeko::settings::kViewTimeBar);
    EXPECT_FALSE(canvas.TimeBarView().isVisible());
}

TEST_F(MainWindowTest, StartsWithTheStoredViewOptions) {
    auto window = Open([](zeko::settings::ProgramSettings& s) {
        s.ViewOptions = {false, false, false, true, false, false, false, false};
    });
    auto& canvas = Canvas(*window);
    for (int pit = 0; pit < 12; ++pit) {
        EXPECT_FALSE(canvas.Pit(pit).GraphicChips()) << pit;
        EXPECT_FALSE(canvas.PitLabel(pit).isVisible()) << pit;
    }
    EXPECT_TRUE(canvas.ScoreLabel(1).isVisible());
    EXPECT_FALSE(canvas.ScoreBarOf(1).isVisible());
    // A new computer game is timed, shown on the time bar.
    EXPECT_TRUE(canvas.TimeBarView().isVisible());
    EXPECT_FALSE(canvas.Clock().isVisible());
}

TEST_F(MainWindowTest, TheWindowHasNoMaximizeButton) {
    auto window = Open();
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
}

TEST_F(MainWindowTest, NewGameStopsADeepSearchWhileTheWindowStaysAlive) {
    auto window = Open();
    auto& control = window->Control();
    StartDeepSearch(*window);
    int ticksDuringSearch = 0;
    bool newDuringSearch = false;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        if (control.State() == PlayState::Thinking) ++ticksDuringSearch;
    });
    ticker.start(5);
    QTimer::singleShot(300, window.get(), [&] {
        newDuringSearch = control.State() == PlayState::Thinking;
        FindAction(*window, "&New")->trigger();
    });
    QElapsedTimer clock;
    clock.start();
    // The search runs inside this wait and ends at its first look after New.
    ASSERT_TRUE(QTest::qWaitFor([&] { return clock.elapsed() > 400; }, 10000));
    ASSERT_TRUE(Settle(*window, 10000));
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_TRUE(newDuringSearch);
    // Timers ran during the search, and the move it would have found is gone.
    EXPECT_GT(ticksDuringSearch, 5);
    EXPECT_EQ(control.Record().MoveCount, 0);
    EXPECT_EQ(control.Record().Board,
              (zeko::engine::Board{4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 0, 0}));
}

TEST_F(MainWindowTest, ClosingDuringADeepSearchEndsTheSearchFirst) {
    auto window = Open();
    StartDeepSearch(*window);
    bool closed = false;
    QTimer::singleShot(300, window.get(), [&] { closed = window->close(); });
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->isVisible(); }, 10000));
    EXPECT_FALSE(closed);  // refused while the search ran, closed right after it
    zeko::settings::ProgramSettings read;
    zeko::settings::ExchangeSettings(zeko::settings::SettingsExchange::Read, read);
    // The settings were written on the way out; a level beyond 9 reads as 3.
    EXPECT_EQ(read.Level, 3);
}

TEST_F(MainWindowTest, ClosingWritesTheSettings) {
    auto window = Open();
    DismissWelcome(*window);
    window->Control().ChooseLevel(6);  // Professional, before the computer's first move
    window->ToggleViewOption(zeko::settings::kViewShadow);
    window->close();
    zeko::settings::ProgramSettings read;
    zeko::settings::ExchangeSettings(zeko::settings::SettingsExchange::Read, read);
    EXPECT_EQ(read.Level, 7);
    EXPECT_TRUE(read.ViewOptions[zeko::settings::kViewShadow]);
}

TEST_F(MainWindowTest, ScreenshotOfTheBoardInPlay) {
    auto window = Open([](zeko::settings::ProgramSettings& s) {
        s.Level = 1;
        s.ViewOptions[zeko::settings::kViewShadow] = true;
    });
    window->resize(700, 430);
    DismissWelcome(*window);
    for (int move = 0; move < 4 && !window->Control().Record().GameOver; ++move) {
        for (int pit = 5; pit >= 0; --pit) {
            if (Playable(*window, pit)) {
                ClickPit(*window, pit);
                break;
            }
        }
        ASSERT_TRUE(Settle(*window));
    }
    const QImage image = window->grab().toImage();
    EXPECT_FALSE(image.isNull());
    EXPECT_TRUE(image.save(QStringLiteral(ZEKO_SCREENSHOT_DIR "/zeko-in-play.png")));
}

}  // namespace
