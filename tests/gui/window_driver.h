// What the window tests share: the main window opened on given settings in
// the test's own home and driven as a person drives it, by clicks on its
// widgets and menus; modal windows acted on as they show; help requests
// recorded instead of shown.
#pragma once

#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>
#include <functional>

#include "gui/board/board_view.h"
#include "gui/board/pit_view.h"
#include "gui/window/main_window.h"
#include "platform/help_viewer.h"
#include "settings/text_id.h"
#include "settings/text_table.h"
#include "tests/support/test_home.h"

// Failures show texts as text.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace zeko::gui {

// Receives every help topic asked for while it lives.
struct RecordingHelp : platform::HelpViewer {
    void ShowTopic(QObject*, const std::string&, const std::string& topic) override {
        topics.push_back(topic);
    }
    void ShowContents(QObject*, const std::string&) override {}
    void ShowIndex(QObject*, const std::string&) override {}
    std::vector<std::string> topics;
    platform::HelpViewerInstallation installation{*this};
};

// A click near the left end, where a check box or an option button takes
// clicks whatever its width. No wait for play to rest: it works inside the
// modal loop of a dialog.
inline void Press(QWidget& widget, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(&widget, button, {},
                      QPoint(std::min(widget.width() / 2, 8), widget.height() / 2));
}

// Makes `window` active, as after a dialog of its own, so that access keys
// reach it.
inline void Activate(QWidget& window) {
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &window; }));
}

// What an assistive tool does to `widget` by its accessible action `action`
// (QAccessibleActionInterface::pressAction(), toggleAction(), ...).
inline void DoAccessibleAction(QWidget& widget, const QString& action) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&widget);
    ASSERT_NE(accessible->actionInterface(), nullptr);
    ASSERT_TRUE(accessible->actionInterface()->actionNames().contains(action));
    accessible->actionInterface()->doAction(action);
}

// What `window` shows and offers, in the order its parts were made: its
// title, then every visible label, button, group box, tab, combo box, line
// edit and list entry by its text, "-" before a disabled one and "+" before a
// checked one, joined by "|".
QString Shown(QWidget& window);

// Every part that `window` shows lies inside it, clear of the others, and
// is as wide and as high as its text asks; every field is named by a label;
// it offers no maximize or "what's this" button.
void ExpectLaidOut(QWidget& window);

class ScoreBar;
// The yellow chips a score bar shows, counted on its image as drawn bit by
// bit, or after it is repainted whole.
int ChipsShown(ScoreBar& bar, bool repainted);

class WindowTest : public testing::IsolatedTest {
  protected:
    // The window as it opens, on `settings`, the welcome screen up.
    MainWindow& Start(settings::ProgramSettings settings = {}, const std::string& commandLine = {});
    // The window opened and its welcome screen dismissed by a click.
    MainWindow& Open(settings::ProgramSettings settings = {}, const std::string& commandLine = {});
    // The same on the settings a new user has, with `change` made.
    MainWindow& Open(const std::function<void(settings::ProgramSettings&)>& change) {
        settings::ProgramSettings settings;
        change(settings);
        return Open(settings);
    }
    // Runs the event loop until play rests: nothing queued, no delay, flash
    // or search.
    bool Settle();
    // A click at `at`, the middle if none, and play at rest again.
    void Click(QWidget& widget, QPoint at = {});
    // Opens menu `index` of the menu bar with a click.
    QMenu* Menu(int index);
    // Opens menu `index` and clicks its item number `item`.
    void Choose(int index, int item);
    // Opens menu `index` and clicks its item with text number `text`, which
    // must be enabled.
    void ChooseText(int index, int text);
    // The window's action with text number `text`, and that action triggered
    // with play at rest afterwards.
    QAction* Action(int text);
    void Trigger(int text) {
        Action(text)->trigger();
        Settle();
    }
    game::GameRecord& Record() { return window_->Control().Record(); }
    PitView& Pit(int pit) { return window_->Board().Pit(pit); }
    bool Playable(int pit) { return Pit(pit).cursor().shape() == Qt::BitmapCursor; }
    // The bottom half's first playable pit.
    int FirstPlayable() {
        int pit = 0;
        while (pit < engine::kPitsPerRow - 1 && !Playable(pit))
            ++pit;
        return pit;
    }
    // The next file dialog gets `name` typed in and Enter; an empty name
    // cancels it. offeredName_ keeps the name the dialog offered.
    void TypeFileName(const std::string& name);

    // Runs `act` once on the next modal window of type T as soon as it shows
    // (and `ready` holds), made the active window so that access keys reach
    // it. The watch ends with the test.
    template <typename T>
    void WhenShown(std::function<void(T&)> act, std::function<bool(T&)> ready = {}) {
        auto* poll = new QTimer(watches_.get());
        QObject::connect(poll, &QTimer::timeout, [poll, act, ready] {
            auto* window = dynamic_cast<T*>(QApplication::activeModalWidget());
            if (!poll->isActive() || window == nullptr || !window->isVisible() ||
                (ready && !ready(*window)))
                return;
            poll->stop();
            poll->deleteLater();
            Activate(*window);
            act(*window);
        });
        poll->start(5);
    }

    // Chooses item `item` of menu `menu` and runs `act` on the modal window of
    // type T it opens, once `ready` holds; the window is closed afterwards.
    // The wait never blocks: a search that dispatches events meanwhile goes on.
    template <typename T>
    void Use(int menu, int item, std::function<void(T&)> act, std::function<bool(T&)> ready = {}) {
        bool ran = false;
        WhenShown<T>(
            [&ran, &act](T& window) {
                act(window);
                ran = true;
                if (window.isVisible()) window.reject();
            },
            ready);
        Choose(menu, item);
        EXPECT_TRUE(ran);
    }

    std::unique_ptr<QObject> watches_ = std::make_unique<QObject>();
    std::unique_ptr<MainWindow> window_;
    QString offeredName_;
};

}  // namespace zeko::gui
