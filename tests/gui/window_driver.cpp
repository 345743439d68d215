#include "tests/gui/window_driver.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>

#include "game/game_control.h"
#include "gui/board/board_view.h"
#include "gui/board/score_bar.h"
#include "gui/board/score_geometry.h"
#include "gui/board/welcome_screen.h"
#include "platform/message_queue.h"
#include "settings/text_table.h"

namespace zeko::gui {

void ExpectTextsFit(QWidget& dialog) {
    for (QWidget* w : dialog.findChildren<QWidget*>()) {
        const auto* label = qobject_cast<QLabel*>(w);
        if (label != nullptr && (label->wordWrap() || label->text().isEmpty())) continue;
        if (label == nullptr && qobject_cast<QAbstractButton*>(w) == nullptr &&
            qobject_cast<QGroupBox*>(w) == nullptr && qobject_cast<QComboBox*>(w) == nullptr)
            continue;
        if (!w->isVisible()) continue;
        EXPECT_GE(w->width(), w->sizeHint().width()) << w->objectName().toStdString();
        EXPECT_GE(w->height(), w->sizeHint().height()) << w->objectName().toStdString();
    }
}

int ChipsShown(ScoreBar& bar, bool repainted) {
    if (repainted) bar.repaint();
    const QImage shown = bar.Shown();
    int chips = 0;
    for (int k = 0; k < kScorePositions; ++k) {
        chips += shown.pixelColor(static_cast<int>(ScoreChipX(k) * shown.width() / 100),
                                  shown.height() / 2) == QColor(Qt::yellow);
    }
    return chips;
}

MainWindow& WindowTest::Start(settings::ProgramSettings settings, const std::string& commandLine) {
    ExchangeSettings(settings::SettingsExchange::Write, settings);
    // One window at a time: the thread's message queue is joined to the
    // event loop by the window alive, and its messages are the window's.
    window_.reset();
    platform::ThreadMessageQueue().Clear();
    window_ = std::make_unique<MainWindow>(commandLine);
    window_->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    Settle();
    return *window_;
}

MainWindow& WindowTest::Open(settings::ProgramSettings settings, const std::string& commandLine) {
    Start(settings, commandLine);
    if (window_->Board().WelcomeVisible()) Click(window_->Board().Welcome());
    return *window_;
}

bool WindowTest::Settle() {
    const game::GameControl& c = window_->Control();
    using game::TimerId;
    return QTest::qWaitFor([&] {
        return c.PendingEvents() == 0 && !c.TimerEnabled(TimerId::Event) &&
               !c.TimerEnabled(TimerId::Delay) && !c.TimerEnabled(TimerId::Flash) &&
               c.State() != game::PlayState::Thinking;
    });
}

void WindowTest::Click(QWidget& widget, QPoint at) {
    QTest::mouseClick(&widget, Qt::LeftButton, {}, at.isNull() ? widget.rect().center() : at);
    Settle();
}

QMenu* WindowTest::Menu(int index) {
    QMenuBar* bar = window_->menuBar();
    QAction* title = bar->actions()[index];
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(title).center());
    EXPECT_TRUE(QTest::qWaitForWindowExposed(title->menu()));
    return title->menu();
}

void WindowTest::Choose(int index, int item) {
    QMenu* menu = Menu(index);
    Click(*menu, menu->actionGeometry(menu->actions()[item]).center());
}

void WindowTest::ChooseText(int index, int text) {
    QMenu* menu = Menu(index);
    for (QAction* item : menu->actions()) {
        if (item->text().toStdString() != settings::texts::GetText(text)) continue;
        ASSERT_TRUE(item->isEnabled()) << text;
        Click(*menu, menu->actionGeometry(item).center());
        return;
    }
    ADD_FAILURE() << "no item " << text;
}

QAction* WindowTest::Action(int text) {
    for (QAction* action : window_->findChildren<QAction*>()) {
        if (action->text().toStdString() == settings::texts::GetText(text)) return action;
    }
    return nullptr;
}

void ExpectDrawnIn(QWidget& button, const QColor& face, const QColor& text) {
    const QImage image = button.grab().toImage();
    const auto between = [](int v, int a, int b) {
        return v >= std::min(a, b) - 2 && v <= std::max(a, b) + 2;
    };
    int stray = 0, background = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            background += c == face;
            stray += !between(c.red(), face.red(), text.red()) ||
                     !between(c.green(), face.green(), text.green()) ||
                     !between(c.blue(), face.blue(), text.blue());
        }
    }
    EXPECT_EQ(stray, 0) << button.objectName().toStdString();
    EXPECT_GT(background, image.width() * image.height() / 2) << button.objectName().toStdString();
}

}  // namespace zeko::gui
