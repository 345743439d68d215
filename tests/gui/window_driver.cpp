#include "tests/gui/window_driver.h"

#include "game/game_control.h"
#include "gui/board/score_bar.h"
#include "gui/board/score_geometry.h"
#include "gui/board/welcome_screen.h"
#include "platform/message_queue.h"

namespace zeko::gui {

namespace {

constexpr const char* kParts[] = {"QAbstractButton", "QLabel",          "QLineEdit",
                                  "QComboBox",       "QAbstractSlider", "QAbstractItemView",
                                  "QTabBar",         "QGroupBox"};

// The parts a person sees and uses, as opposed to the frames that hold them
// and the pieces that make up a part.
bool IsPart(const QWidget* w) {
    return std::ranges::any_of(kParts, [w](const char* type) { return w->inherits(type); });
}

std::vector<QWidget*> VisibleParts(QWidget& window) {
    std::vector<QWidget*> parts;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->isVisible() || !IsPart(w)) continue;
        bool inside = false;
        for (QWidget* up = w->parentWidget(); up != &window && !inside; up = up->parentWidget())
            inside = IsPart(up) && qobject_cast<QGroupBox*>(up) == nullptr;
        const auto* label = qobject_cast<QLabel*>(w);
        if (!inside && (label == nullptr || !label->text().isEmpty())) parts.push_back(w);
    }
    return parts;
}

}  // namespace

QString Shown(QWidget& window) {
    QStringList shown{window.windowTitle()};
    for (QWidget* w : VisibleParts(window)) {
        QStringList texts;
        for (const char* name : {"text", "title", "currentText"}) {
            if (const QVariant text = w->property(name); text.isValid()) texts << text.toString();
        }
        if (const auto* tabs = qobject_cast<QTabBar*>(w)) {
            for (int k = 0; k < tabs->count(); ++k)
                texts << tabs->tabText(k);
        }
        if (const auto* list = qobject_cast<QListWidget*>(w)) {
            for (int k = 0; k < list->count(); ++k)
                texts << list->item(k)->text();
        }
        const QString mark =
            QString(w->isEnabled() ? "" : "-") + (w->property("checked").toBool() ? "+" : "");
        for (const QString& text : texts)
            shown << mark + text;
    }
    return shown.join(QLatin1Char('|'));
}

void ExpectLaidOut(QWidget& window) {
    // Sized by what it shows: nothing to maximize, no "what's this" button.
    EXPECT_FALSE(window.windowFlags() &
                 (Qt::WindowMaximizeButtonHint | Qt::WindowContextHelpButtonHint));
    const std::vector<QWidget*> parts = VisibleParts(window);
    const auto place = [&window](QWidget* w) {
        return QRect(w->mapTo(&window, QPoint()), w->size());
    };
    for (QWidget* w : parts) {
        const std::string name = w->metaObject()->className() + w->objectName().toStdString();
        EXPECT_TRUE(window.rect().contains(place(w))) << name;
        for (QWidget* other : parts) {
            if (other != w && !w->isAncestorOf(other) && !other->isAncestorOf(w)) {
                EXPECT_FALSE(place(w).intersects(place(other)))
                    << name << " over " << other->metaObject()->className();
            }
        }
        // A field is named for a screen reader, by its label.
        const bool field = w->inherits("QLineEdit") || w->inherits("QAbstractSlider");
        EXPECT_TRUE(!field ||
                    !QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name).isEmpty())
            << name;
        // Texts that wrap or scroll take the room they are given.
        if (w->property("wordWrap").toBool() || w->inherits("QLineEdit") ||
            w->inherits("QTabBar") || w->inherits("QAbstractItemView"))
            continue;
        EXPECT_GE(w->width(), w->sizeHint().width()) << name;
        EXPECT_GE(w->height(), w->sizeHint().height()) << name;
    }
}

int ChipsShown(ScoreBar& bar, bool repainted) {
    if (repainted) bar.repaint();
    const QImage shown = bar.Shown();
    int chips = 0;
    for (int k = 0; k < kScorePositions; ++k)
        chips += shown.pixelColor(static_cast<int>(ScoreChipX(k) * shown.width() / 100),
                                  shown.height() / 2) == QColor(Qt::yellow);
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
    using enum game::TimerId;
    return QTest::qWaitFor([&] {
        return c.PendingEvents() == 0 && !c.TimerEnabled(Event) && !c.TimerEnabled(Delay) &&
               !c.TimerEnabled(Flash) && c.State() != game::PlayState::Thinking;
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
    QAction* item = Action(text);
    ASSERT_TRUE(item != nullptr && item->isEnabled()) << text;
    Click(*menu, menu->actionGeometry(item).center());
}

void WindowTest::TypeFileName(const std::string& name) {
    WhenShown<QFileDialog>([this, name](QFileDialog& dialog) {
        auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        offeredName_ = edit->text();
        if (name.empty()) return dialog.reject();
        // Set whole, so that no completion list takes the Enter key.
        edit->setText(QString::fromStdString(name));
        QTest::keyClick(edit, Qt::Key_Return);
    });
}

QAction* WindowTest::Action(int text) {
    for (QAction* action : window_->findChildren<QAction*>())
        if (action->text().toStdString() == settings::texts::GetText(text)) return action;
    return nullptr;
}

}  // namespace zeko::gui
