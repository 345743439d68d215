// The Tools menu's analysis dialog and level information table, opened by
// clicks on the main window's menu and driven by clicks and keys on Qt's
// offscreen platform, with the real engine.

#include "gui/dialogs/analysis_dialog.h"
#include "gui/dialogs/clear_placement.h"
#include "gui/dialogs/level_info_dialog.h"
#include "tests/gui/window_driver.h"
#include "tests/support/timing.h"

namespace zeko::gui {
namespace {

using engine::Board;

constexpr int kToolsMenu = 3;
constexpr int kAnalysisItem = 0;
constexpr int kLevelInfoItem = 2;

// Known analyses at level 3, the bottom half to move.
// Pit 0 scores 94, pits 1 and 2 are empty, pit 3 wins with the second move,
// pit 4 scores 100, and pit 5 would capture the top half's last stones while
// other moves feed it. Main line: D, a, F.
const Board kWinsAndIllegal = {1, 0, 0, 1, 1, 2, 1, 1, 0, 0, 0, 0, 18, 23};
// Pits 2 and 3 lose to the top half's next move; pit 0 scores -327.
const Board kLosses = {1, 0, 1, 2, 0, 5, 2, 1, 1, 1, 2, 0, 24, 8};

class ToolsDialogsTest : public WindowTest {
  protected:
    void SetPosition(const Board& board, bool topToMove) {
        window_->Control().PositionAccepted(board, topToMove);
        Settle();
    }
    void Analysis(std::function<void(AnalysisDialog&)> drive) {
        Use(kToolsMenu, kAnalysisItem, std::move(drive));
    }
};

template <class T>
T& Child(QWidget& dialog, const char* name) {
    return *dialog.findChild<T*>(QString::fromLatin1(name));
}

// What the dialog shows after an analysis at Amateur level with a main line,
// before the pits' results.
const QString kAnalysed =
    "Analyze Position|Analysis &Level|Amateur|-&Analyze|-&Main "
    "Line|-+&Calculate Main Line|Main Line :";

TEST_F(ToolsDialogsTest, AnalysisShowsWinsLossesIllegalAndEmptyPitsAndTheMainLine) {
    MainWindow& window = Open([](settings::ProgramSettings& s) { s.Level = 1; });
    Analysis([](AnalysisDialog&) {});  // closed with nothing analysed: the clock runs on
    EXPECT_TRUE(window.Control().Record().TimerOn);
    SetPosition(kWinsAndIllegal, false);
    RecordingHelp help;
    Analysis([&](AnalysisDialog& dialog) {
        // First use in the run: level 3, main line on, nothing made yet.
        auto& levels = Child<QComboBox>(dialog, "levelList");
        EXPECT_EQ(Shown(dialog),
                  "Analyze Position|Analysis &Level|Amateur|&Analyze|-&Main Line|+&Calculate Main "
                  "Line|A|B|C|D|E|F|Cancel|Help");
        EXPECT_FALSE(Child<QPushButton>(dialog, "okCancelButton").isDefault());
        ExpectLaidOut(dialog);
        // Clear of the pits where the screen has room.
        const auto global = [](QWidget& w) { return QRect(w.mapToGlobal(QPoint()), w.size()); };
        EXPECT_FALSE(dialog.frameGeometry().intersects(global(Pit(0)) | global(Pit(6))));

        Press(Child<QPushButton>(dialog, "analyzeButton"));
        EXPECT_EQ(Shown(dialog),
                  kAnalysed + "D   a   F   |A| 94|B|C|D|Win in  2|E| 100|F|Illegal|OK|Help");
        EXPECT_TRUE(Child<QPushButton>(dialog, "okCancelButton").isDefault());

        // Each caption stands at one to six sevenths of the width.
        auto& strip = Child<QWidget>(dialog, "pitCaptions");
        for (int label = 0; label < 6; ++label) {
            const QString name = QStringLiteral("analysisLabel%1").arg(label);
            const QRect at = dialog.findChild<QLabel*>(name)->geometry();
            EXPECT_NEAR(at.center().x(), strip.width() * (label + 1) / 7, 1) << label;
        }
        // Another level clears the results and allows a new analysis.
        levels.setFocus();
        QTest::keyClick(&levels, Qt::Key_Down);
        EXPECT_EQ(Shown(dialog),
                  "Analyze Position|Analysis &Level|Advanced|&Analyze|-&Main Line|+&Calculate Main "
                  "Line|A|B|C|D|E|F|OK|Help");

        Press(Child<QPushButton>(dialog, "helpButton"));
        QTest::keyClick(&dialog, Qt::Key_F1);
        Press(Child<QPushButton>(dialog, "okCancelButton"));
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_EQ(help.topics, (std::vector<std::string>{"analysis.html", "analysis.html"}));
    // The game has been analysed: its clock is off.
    EXPECT_FALSE(window.Control().Record().TimerOn);

    // The level and the main line choice are kept for the next use.
    SetPosition(kLosses, false);
    Analysis([&](AnalysisDialog& dialog) {
        EXPECT_EQ(Child<QComboBox>(dialog, "levelList").currentIndex(), 3);
        Press(Child<QCheckBox>(dialog, "mainLineCheck"));
        auto& levels = Child<QComboBox>(dialog, "levelList");
        levels.setFocus();
        QTest::keyClick(&levels, Qt::Key_Up);
        Press(Child<QPushButton>(dialog, "analyzeButton"));
        EXPECT_EQ(Shown(dialog),
                  "Analyze Position|Analysis &Level|Amateur|-&Analyze|&Main Line|-&Calculate Main "
                  "Line|A|-327|B|C|Loss in  1|D|Loss in  1|E|F|Illegal|OK|Help");
        Press(Child<QPushButton>(dialog, "mainLineButton"));
        EXPECT_EQ(dialog.MainLineShown(), QStringLiteral("Main Line :A   d   D   "));
    });
    Analysis([&](AnalysisDialog& dialog) {
        EXPECT_EQ(dialog.AnalysisLevel(), 3);
        EXPECT_FALSE(Child<QCheckBox>(dialog, "mainLineCheck").isChecked());
        // A level out of range, as a damaged settings file may hold, reads as
        // the nearest one.
        for (const auto& [stored, read] : {std::pair<int16_t, int>{0, 1}, {99, kAnalysisLevels}}) {
            dialog.SetAnalysisLevel(stored);
            EXPECT_EQ(dialog.AnalysisLevel(), read);
        }
    });
}

TEST_F(ToolsDialogsTest, AnalysisOfTheTopHalfInAGameOfTwoShowsItsPitsAndItsMovesInSmallLetters) {
    Open([](settings::ProgramSettings& s) { s.ComputerGame = false; });
    SetPosition(engine::rotateboard(kWinsAndIllegal), true);
    Analysis([&](AnalysisDialog& dialog) {
        Press(Child<QPushButton>(dialog, "analyzeButton"));
        // The top half's pit f stands where the bottom half's A does.
        EXPECT_EQ(Shown(dialog),
                  kAnalysed + "d   A   f   |f|Illegal|e| 100|d|Win in  2|c|b|a| 94|OK|Help");
    });
}

TEST_F(ToolsDialogsTest, CancelStopsAnAnalysisAtOnce) {
    Open();
    Analysis([&](AnalysisDialog& dialog) {
        // The game's first move must reach the other row: A and B cannot be
        // played, and the main line starts from the best pit that can.
        Press(Child<QPushButton>(dialog, "analyzeButton"));
        EXPECT_EQ(Shown(dialog),
                  kAnalysed + "C   a   A   |A|Illegal|B|Illegal|C| 7|D| 5|E| 5|F| 7|OK|Help");

        // Level 16 from the start: the deepest analysis, stopped by Cancel.
        auto& levels = Child<QComboBox>(dialog, "levelList");
        levels.setCurrentIndex(kAnalysisLevels - 1);
        emit levels.activated(kAnalysisLevels - 1);
        ASSERT_EQ(dialog.AnalysisLevel(), kAnalysisLevels);
        auto& okCancel = Child<QPushButton>(dialog, "okCancelButton");
        // The progress shows soon, so that it is seen before Cancel. Cancel
        // is clicked from a timer once it shows, and then disabled.
        Child<QTimer>(dialog, "progressTimer").setInterval(10);
        QElapsedTimer clicked;
        // The progress whatever its figure, the pointer, and the results'
        // place, which the status shown leaves as it was.
        QStringList looks;
        const QRect captions = Child<QWidget>(dialog, "pitCaptions").geometry();
        const auto look = [&] {
            looks << Shown(dialog).replace(QRegularExpression("\\d+%"), "n%") +
                         (dialog.cursor().shape() == Qt::WaitCursor ? "|busy" : "") +
                         (Child<QWidget>(dialog, "pitCaptions").geometry() == captions ? ""
                                                                                       : "|moved");
        };
        QTimer cancel;
        QObject::connect(&cancel, &QTimer::timeout, [&] {
            if (Child<QLabel>(dialog, "progressLabel").text().isEmpty()) return;
            cancel.stop();
            look();
            clicked.start();
            Press(okCancel);
            look();
        });
        cancel.start(20);
        Press(Child<QPushButton>(dialog, "analyzeButton"));
        ASSERT_TRUE(clicked.isValid()) << "the analysis ended before Cancel";
        EXPECT_FASTER_THAN(clicked.elapsed(), 200) << "Cancel answered within 0.2 s";
        const QString analysing =
            "Analyzing...|Analysis &Level|-Analysis Level G|-&Analyze|-&Main "
            "Line|+&Calculate Main Line|Analyzing...|Progress : "
            "n%|A|B|C|D|E|F|%1Cancel|Help|busy";
        EXPECT_EQ(looks, QStringList({analysing.arg(""), analysing.arg("-")}));
        EXPECT_EQ(
            Shown(dialog),
            "Analyze Position|Analysis &Level|Analysis Level G|&Analyze|-&Main Line|+&Calculate "
            "Main Line|A|B|C|D|E|F|OK|Help");
        EXPECT_EQ(std::tuple(dialog.cursor().shape(), okCancel.hasFocus(), dialog.isVisible()),
                  std::tuple(Qt::ArrowCursor, true, true));
    });
}

TEST_F(ToolsDialogsTest, ARequestToEndStopsAnAnalysisAndClosesAsExitDoes) {
    Open();
    QElapsedTimer asked;
    Analysis([&](AnalysisDialog& dialog) {
        auto& levels = Child<QComboBox>(dialog, "levelList");
        levels.setCurrentIndex(12);
        emit levels.activated(12);
        // A signal at logout while the level-13 search runs.
        QTimer request;
        QObject::connect(&request, &QTimer::timeout, [&] {
            if (dialog.State() != AnalysisState::Analysing) return;
            request.stop();
            asked.start();
            window_->EndOnRequest();
        });
        request.start(20);
        Press(Child<QPushButton>(dialog, "analyzeButton"));
        EXPECT_FASTER_THAN(asked.elapsed(), 200) << "the search stopped within 0.2 s";
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window_->isVisible(); }, 1000));
    EXPECT_NE(testing::ReadFile(home_.SettingsFile()).find("Skill="), std::string::npos);
}

TEST_F(ToolsDialogsTest, LevelTableMeasuresTheRealEngineAtEachActivation) {
    MainWindow& window = Open();
    RecordingHelp help;
    QElapsedTimer opened;
    opened.start();
    Use<LevelInfoDialog>(
        kToolsMenu, kLevelInfoItem,
        [&](LevelInfoDialog& dialog) {
            ASSERT_EQ(dialog.Measurements(), 1) << "measured once the dialog was shown";
            EXPECT_GE(dialog.Timing().Milliseconds, game::kTimedSearchMs);
            QTest::keyClick(&dialog, Qt::Key_F1);
        },
        [&](LevelInfoDialog& d) { return d.Measurements() == 1 || opened.elapsed() > 30000; });
    EXPECT_EQ(help.topics, std::vector<std::string>{"skill.html"});
    EXPECT_TRUE(window.Control().Record().TimerOn);
}

// With a clock that moves half a second at each reading, level 1 takes 500 ms.
TEST_F(ToolsDialogsTest, LevelTableShowsEveryLevelsResponseTimeAndIsBusyMeanwhile) {
    platform::EngineLibrary engine;
    uint32_t now = 0;
    std::vector<Qt::CursorShape> cursors;
    LevelInfoDialog dialog(engine, QIcon(), nullptr, [&] {
        cursors.push_back(dialog.cursor().shape());
        return now += 500;
    });
    dialog.show();
    Press(Child<QPushButton>(dialog, "recalculateButton"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.Measurements() >= 1 && !dialog.Measuring(); }));
    EXPECT_EQ(cursors, std::vector<Qt::CursorShape>(2 * dialog.Measurements(), Qt::WaitCursor));
    EXPECT_EQ(dialog.cursor().shape(), Qt::ArrowCursor);
    QTreeWidget& table = dialog.Table();
    QStringList rows{Shown(dialog)};
    for (int row = -1; row < table.topLevelItemCount(); ++row) {
        QTreeWidgetItem* item = row < 0 ? table.headerItem() : table.topLevelItem(row);
        QStringList columns;
        for (int column = 0; column < table.columnCount(); ++column)
            columns << item->text(column);
        rows << columns.join(QLatin1Char('|'));
    }
    EXPECT_EQ(rows, QStringList({"Level Information Table|&Recalculate|OK",
                                 "Level|Strength|Response Time", "1|Beginner| < 1 Sec.",
                                 "2|Novice|2 Sec.", "3|Amateur|12 Sec.", "4|Advanced|60 Sec.",
                                 "5|Skilful|5 Min.", "6|Expert|26 Min.", "7|Professional|130 Min.",
                                 "8|Master|651 Min.", "9|Grandmaster|3255 Min."}));
    ExpectLaidOut(dialog);
    Press(Child<QPushButton>(dialog, "okButton"));
    EXPECT_FALSE(dialog.isVisible());
}

// The work array's three top levels as a percentage: six moves a level in an
// analysis, seven steps a ply in a main line one level shallower.
TEST(AnalysisProgress, CountsTheMovesExaminedAtTheThreeTopLevels) {
    // The level, whether for a main line, work elements L, L - 1 and L - 2,
    // and the percentage shown.
    for (const auto& [level, mainLine, top, percent] :
         std::vector<std::tuple<int, bool, std::array<int32_t, 3>, std::optional<int>>>{
             {5, false, {5, 5, 5}, std::nullopt},  // too shallow to show
             {6, false, {5, 5, 5}, 100},           // 215 / 2.16 = 99.5...
             {6, false, {0, 4, 3}, 12},            // 27 / 2.16 = 12.5, to even
             {9, false, {2, 1, 3}, 38},            // 81 / 2.16 = 37.5, to even
             {16, false, {1, 0, 1}, 17},           // 37 / 2.16
             {6, true, {6, 6, 6}, std::nullopt},   // a line one level shallower
             {7, true, {6, 6, 6}, 100},            // 342 / 3.43
             {7, true, {3, 0, 0}, 43}}) {          // 147 / 3.43
        std::array<int32_t, kAnalysisLevels + 1> work{};
        std::copy(top.begin(), top.end(), work.rend() - (mainLine ? level : level + 1));
        EXPECT_EQ(ProgressPercent(work.data(), level, mainLine), percent) << level << mainLine;
    }
    EXPECT_EQ(ProgressText(7, [](int) { return std::string("Berekend :"); }), "Berekend : 7%");
}

// The pit a main line starts from when some pits may not be played: the
// engine's best among the others, wins soonest first, losses latest first.
TEST(AnalysisBestPit, IsTheFirstOfTheBestCodesAmongThePlayablePits) {
    constexpr int32_t X = kCodeIllegal;
    const std::pair<std::array<int32_t, 6>, int> rows[] = {
        {{0x2002, 0x2001, 0x1001, 100, X, 0}, 1},  // win in 1 before win in 2
        {{0x1001, 0x1004, -400, X, X, X}, 2},      // a score before any loss
        {{0x1001, 0x1004, X, X, X, X}, 1},         // the latest loss
        {{-5, 7, -3, 7, X, 0}, 1},                 // the first of equals
        {{X, X, X, X, X, X}, -1},
    };
    for (const auto& [codes, best] : rows)
        EXPECT_EQ(BestPit(codes), best) << codes[0];
}

// The analysis dialog leaves the pits in view where the screen has room:
// below them, above them, right or left of the main window, else over it.
TEST(AnalysisPlacement, KeepsThePitsInViewWhereTheScreenHasRoom) {
    // The screen, the main window, its pits, the dialog's frame, and where
    // the frame goes.
    const QRect hd(0, 0, 1920, 1080), low(0, 0, 1920, 800), small(0, 0, 800, 600);
    for (const auto& [screen, owner, pits, frame, corner] :
         std::vector<std::tuple<QRect, QRect, QRect, QSize, QPoint>>{
             {hd, {700, 300, 560, 360}, {720, 380, 520, 150}, {600, 300}, {679, 538}},
             {hd, {600, 700, 560, 360}, {620, 780, 520, 150}, {600, 300}, {579, 472}},
             {low, {100, 200, 560, 400}, {120, 280, 520, 200}, {600, 500}, {660, 149}},
             {hd, {0, 100, 560, 360}, {20, 180, 520, 150}, {800, 300}, {0, 338}},
             {small, {132, 100, 536, 360}, {150, 170, 500, 130}, {600, 300}, {99, 129}}})
        EXPECT_EQ(ClearPlacement(pits, owner, screen, frame), corner) << corner.x();
}

}  // namespace
}  // namespace zeko::gui
