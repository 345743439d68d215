// Makes every picture the project ships from the program as it is built: the
// help pages' board and result dialog in each language, and the screenshot of
// the README and the AppStream description. It runs on Qt's offscreen platform
// in a home of its own, so it needs no display and reads no one's settings.
//
//     zeko_pictures FOLDER
// writes FOLDER/en/board.png, FOLDER/en/result.png, the same under nl/, and
// FOLDER/screenshot.png.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QImage>
#include <QString>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>

#include "game/game_control.h"
#include "gui/dialogs/result_dialog.h"
#include "gui/dialogs/result_texts.h"
#include "gui/window/main_window.h"
#include "settings/exchange_settings.h"
#include "settings/text_table.h"

namespace {

using namespace zeko;

// The help pages show pictures no wider than their pane; the README's may be
// larger.
constexpr QSize kHelpBoardSize(460, 290);
constexpr QSize kScreenshotSize(700, 430);
// Long enough for the result dialog's animation to have drawn.
constexpr int kAnimationMs = 400;
constexpr int kRestLimitMs = 10000;

// A game some moves on, the bottom half to move: stones in most pits, some
// in both stores.
constexpr engine::Board kInPlay = {3, 5, 4, 2, 4, 4, 2, 3, 1, 2, 0, 5, 6, 7};

void Wait(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// The main window in `language` at `size`, the welcome screen gone, kInPlay
// on the board at rest and the clock showing; null when play did not come to
// rest.
std::unique_ptr<gui::MainWindow> OpenWindow(int16_t language, QSize size) {
    settings::ProgramSettings settings;
    settings.Language = language;
    settings.Level = 1;
    settings.ViewOptions[settings::kViewShadow] = true;
    settings::ExchangeSettings(settings::SettingsExchange::Write, settings);
    auto window = std::make_unique<gui::MainWindow>(std::string());
    window->show();
    window->resize(size);
    game::GameControl& control = window->Control();
    control.PostEvent(game::kDismissWelcome);
    control.PositionAccepted(kInPlay, false);
    QElapsedTimer waited;
    waited.start();
    using game::TimerId;
    while (control.PendingEvents() > 0 || control.TimerEnabled(TimerId::Event) ||
           control.State() != game::PlayState::Idle) {
        if (waited.elapsed() > kRestLimitMs) {
            std::fprintf(stderr, "zeko_pictures: the game did not come to rest\n");
            return nullptr;
        }
        Wait(5);
    }
    // A timed game's clock, as at the start of a turn.
    control.SetClock(game::ClockMode::Start);
    Wait(50);
    return window;
}

// The result dialog after a win at level 4, over `window`.
QImage ResultPicture(gui::MainWindow& window) {
    gui::ResultData won;
    won.TopStore = 19;
    won.BottomStore = 29;
    won.Level = 4;
    // The same bouncing polygons at every build.
    auto generator = std::make_shared<std::mt19937>(1);
    gui::ResultDialog::Environment environment;
    environment.Rnd = [generator] {
        return std::uniform_real_distribution<double>(0.0, 1.0)(*generator);
    };
    environment.SecondsSinceMidnight = [] { return 0.0; };
    gui::ResultDialog result(won, game::GameEnd::ByRules, window.windowIcon(), &window,
                             environment);
    result.show();
    Wait(kAnimationMs);
    return result.grab().toImage();
}

bool Save(const QImage& image, const QString& path) {
    if (image.isNull() || !QDir().mkpath(QFileInfo(path).path()) || !image.save(path, "PNG")) {
        std::fprintf(stderr, "zeko_pictures: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argc > 0 ? argv[0] : "zeko_pictures");
        return 2;
    }
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QTemporaryDir home;
    if (!home.isValid()) {
        std::fprintf(stderr, "zeko_pictures: no temporary folder\n");
        return 1;
    }
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR"}) {
        const QString folder = home.filePath(QString::fromLatin1(name));
        QDir().mkpath(folder);
        ::setenv(name, qPrintable(folder), 1);
    }
    QApplication application(argc, argv);
    const QString out = QString::fromLocal8Bit(argv[1]);
    for (const auto& [code, language] :
         {std::pair{"en", settings::kEnglish}, {"nl", settings::kDutch}}) {
        const QString folder = out + QLatin1Char('/') + QLatin1String(code);
        const std::unique_ptr<gui::MainWindow> window = OpenWindow(language, kHelpBoardSize);
        if (window == nullptr || !Save(window->grab().toImage(), folder + "/board.png") ||
            !Save(ResultPicture(*window), folder + "/result.png"))
            return 1;
    }
    const std::unique_ptr<gui::MainWindow> window = OpenWindow(settings::kEnglish, kScreenshotSize);
    if (window == nullptr || !Save(window->grab().toImage(), out + "/screenshot.png")) return 1;
    return 0;
}
