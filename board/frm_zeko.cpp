#include "board/frm_zeko.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QKeyEvent>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QRandomGenerator>
#include <QScreen>
#include <cmath>

#include "board/board_canvas.h"
#include "game/trim_system_menu.h"
#include "platform/message_queue.h"
#include "platform/window_menu.h"
#include "settings/language.h"

namespace zeko::board {

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}
QString T(int number) {
    return Q(settings::modLanguage::GetText(number));
}

}  // namespace

frmZeko::frmZeko(std::string commandLine, QWidget* parent)
    : QMainWindow(parent),
      engine_(std::make_unique<platform::EngineLibrary>()),
      commandLine_(std::move(commandLine)) {
    game::Environment environment;
    // Seeded from the system timer when the window loads.
    auto random = std::make_shared<QRandomGenerator>(
        static_cast<quint32>(QDateTime::currentMSecsSinceEpoch()));
    environment.Rnd = [random] { return random->generateDouble(); };
    environment.NowMs = [] { return QDateTime::currentMSecsSinceEpoch(); };
    environment.GetText = settings::modLanguage::CurrentText;
    environment.Window = this;
    control_ = std::make_unique<game::GameControl>(*engine_, *this, *this, environment);

    // Their intervals come with every arming by the game control.
    for (QTimer*& timer : timers_) {
        timer = new QTimer(this);
        timer->setTimerType(Qt::PreciseTimer);
    }
    connect(timers_[0], &QTimer::timeout, this, [this] { control_->OnEventTimer(); });
    connect(timers_[1], &QTimer::timeout, this, [this] { control_->OnDelayTimer(); });
    connect(timers_[2], &QTimer::timeout, this, [this] { control_->OnFlashTimer(); });
    connect(timers_[3], &QTimer::timeout, this, [this] { control_->OnZekoTimer(); });

    // The StopSearch message is posted to this window; dispatching it needs no
    // action here, the search has seen it.
    platform::threadMessageQueue().registerWindow(this, [](const MSG&) {});
    Load();
}

frmZeko::~frmZeko() {
    platform::threadMessageQueue().unregisterWindow(this);
}

void frmZeko::Load() {
    loaded_ = false;
    canvas_ = new BoardCanvas(*this);
    setCentralWidget(canvas_);
    CreateMenus();
    SetStartSizeAndPlace();
    // The client area takes its size now, so the welcome screen can cover it.
    layout()->activate();
    canvas_->ShowWelcome();

    settings::ExchangeSettings(settings::kReadSettings, settings_);
    game::GameRecord& record = control_->Record();
    record.ComputerGame = settings_.ComputerGame;
    record.Level = settings_.Level;
    record.NameBottomHalf = settings_.NameBottomHalf;
    record.NameTopHalf = settings_.NameTopHalf;
    game::PlayOptions& options = control_->Options();
    options.View = settings_.ViewOptions;
    options.DelayActivated = settings_.DelayActivated;
    options.DelayFixed = settings_.DelayFixed;
    options.DelayTime = settings_.DelayTime;
    settings::modLanguage::SetCurrentLanguage(settings_.Language);

    SetSkillMenuVisible(record.ComputerGame);
    canvas_->RepaintFields();
    colours_ = settings::FillColourTable(settings_.ColorScheme, settings_.CustomColors);
    ApplyColours();
    SetTexts();
    control_->PostEvent(game::kNewGame);
    // A game file named on the command line needs the game archive's load
    // command; until the program has one, the name is not acted on.
    loaded_ = true;
}

void frmZeko::SetStartSizeAndPlace() {
    // 4600 twips of height, the client area close to 7 : 4, a little above
    // and left of the screen's centre.
    const double twip = logicalDpiY() / 1440.0;
    const int menuHeight = menuBar()->sizeHint().height();
    const int clientHeight = static_cast<int>(std::lround(4600 * twip)) - menuHeight / 2;
    const int clientWidth = clientHeight * 7 / 4;
    resize(clientWidth, clientHeight + menuHeight);
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        move(area.left() + static_cast<int>(0.4 * (area.width() - frameGeometry().width())),
             area.top() + static_cast<int>(0.4 * (area.height() - frameGeometry().height())));
    }
}

// ---- Menus ----

void frmZeko::Command(bool allowed, const std::function<void()>& action) {
    if (allowed) action();
}

void frmZeko::CreateMenus() {
    using game::GameMenuState;
    gameMenu_ = menuBar()->addMenu(QString());
    newGame_ = gameMenu_->addAction(QString());
    newGame_->setShortcut(Qt::Key_F2);
    connect(newGame_, &QAction::triggered, this, [this] { control_->NewGame(); });
    gameMenu_->addSeparator();
    opponentMenu_ = gameMenu_->addMenu(QString());
    opponentComputer_ = opponentMenu_->addAction(QString());
    opponentHuman_ = opponentMenu_->addAction(QString());
    for (QAction* entry : {opponentComputer_, opponentHuman_}) {
        entry->setCheckable(true);
        // Either entry switches the opponent, whichever is checked.
        connect(entry, &QAction::triggered, this, [this] {
            Command(control_->GameMenu().Opponent, [this] { control_->ChooseOpponent(); });
        });
    }
    gameMenu_->addSeparator();
    pass_ = gameMenu_->addAction(QString());
    connect(pass_, &QAction::triggered, this,
            [this] { Command(control_->GameMenu().Pass, [this] { control_->Pass(); }); });
    moveNow_ = gameMenu_->addAction(QString());
    moveNow_->setShortcut(Qt::Key_F7);
    connect(moveNow_, &QAction::triggered, this,
            [this] { Command(control_->GameMenu().MoveNow, [this] { control_->MoveNow(); }); });
    takeBack_ = gameMenu_->addAction(QString());
    takeBack_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    connect(takeBack_, &QAction::triggered, this,
            [this] { Command(control_->GameMenu().TakeBack, [this] { control_->TakeBack(); }); });
    replay_ = gameMenu_->addAction(QString());
    replay_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
    connect(replay_, &QAction::triggered, this,
            [this] { Command(control_->GameMenu().Replay, [this] { control_->Replay(); }); });
    timerOff_ = gameMenu_->addAction(QString());
    connect(timerOff_, &QAction::triggered, this,
            [this] { Command(control_->GameMenu().TimerOff, [this] { control_->TimerOff(); }); });
    gameMenu_->addSeparator();
    exit_ = gameMenu_->addAction(QString());
    connect(exit_, &QAction::triggered, this, [this] { control_->Exit(); });
    connect(gameMenu_, &QMenu::aboutToShow, this, [this] { UpdateGameMenu(); });
    connect(gameMenu_, &QMenu::aboutToHide, this, [this] { EnableAllActions(); });

    skillMenu_ = menuBar()->addMenu(QString());
    for (int i = 0; i < 9; ++i) {
        levels_[static_cast<size_t>(i)] = skillMenu_->addAction(QString());
        levels_[static_cast<size_t>(i)]->setCheckable(true);
        connect(levels_[static_cast<size_t>(i)], &QAction::triggered, this, [this, i] {
            Command(control_->SkillMenu().Enabled[static_cast<size_t>(i)],
                    [this, i] { control_->ChooseLevel(i); });
        });
    }
    connect(skillMenu_, &QMenu::aboutToShow, this, [this] { UpdateSkillMenu(); });
    connect(skillMenu_, &QMenu::aboutToHide, this, [this] { EnableAllActions(); });

    viewMenu_ = menuBar()->addMenu(QString());
    for (int k = 0; k < 8; ++k) {
        views_[static_cast<size_t>(k)] = viewMenu_->addAction(QString());
        views_[static_cast<size_t>(k)]->setCheckable(true);
        connect(views_[static_cast<size_t>(k)], &QAction::triggered, this,
                [this, k] { ToggleViewOption(k); });
    }
    connect(viewMenu_, &QMenu::aboutToShow, this, [this] { UpdateViewMenu(); });

    helpMenu_ = menuBar()->addMenu(QString());
    about_ = helpMenu_->addAction(QString());
    connect(about_, &QAction::triggered, this, [this] { canvas_->ShowAbout(); });
}

void frmZeko::UpdateGameMenu() {
    const game::GameMenuState m = control_->GameMenu();
    opponentComputer_->setChecked(m.OpponentComputerChecked);
    opponentHuman_->setChecked(m.OpponentHumanChecked);
    opponentMenu_->setEnabled(m.Opponent);
    opponentComputer_->setEnabled(m.Opponent);
    opponentHuman_->setEnabled(m.Opponent);
    pass_->setEnabled(m.Pass);
    moveNow_->setEnabled(m.MoveNow);
    takeBack_->setEnabled(m.TakeBack);
    replay_->setEnabled(m.Replay);
    timerOff_->setEnabled(m.TimerOff);
}

void frmZeko::UpdateSkillMenu() {
    const game::SkillMenuState m = control_->SkillMenu();
    for (size_t i = 0; i < levels_.size(); ++i) {
        levels_[i]->setEnabled(m.Enabled[i]);
        levels_[i]->setChecked(m.Checked[i]);
    }
}

void frmZeko::UpdateViewMenu() {
    const game::PlayOptions& options = control_->Options();
    for (size_t k = 0; k < views_.size(); ++k)
        views_[k]->setChecked(options.View[k]);
    // The clock's two displays are choices only while there is a clock.
    views_[game::kFlashingClock]->setEnabled(control_->Record().TimerOn);
    views_[game::kTimeBar]->setEnabled(control_->Record().TimerOn);
}

void frmZeko::EnableAllActions() {
    // Menus show the rules' verdict while open; between openings every item
    // stays reachable by its shortcut, whose handler asks the rule itself.
    for (QAction* action : {pass_, moveNow_, takeBack_, replay_, timerOff_})
        action->setEnabled(true);
    for (QAction* level : levels_)
        level->setEnabled(true);
}

void frmZeko::SetTexts() {
    gameMenu_->setTitle(T(0));
    newGame_->setText(T(1));
    opponentMenu_->setTitle(T(5));
    opponentComputer_->setText(T(6));
    opponentHuman_->setText(T(7));
    pass_->setText(T(8));
    moveNow_->setText(T(9));
    takeBack_->setText(T(10));
    replay_->setText(T(11));
    timerOff_->setText(T(12));
    exit_->setText(T(13) + QStringLiteral("\tAlt+F4"));
    skillMenu_->setTitle(T(14));
    for (int i = 0; i < 9; ++i)
        levels_[static_cast<size_t>(i)]->setText(T(15 + i));
    viewMenu_->setTitle(T(25));
    for (int k = 0; k < 8; ++k)
        views_[static_cast<size_t>(k)]->setText(T(26 + k));
    helpMenu_->setTitle(T(39));
    about_->setText(T(42));
    canvas_->SetTexts();
    control_->UpdateCaption();
    game::TrimSystemMenu(platform::GetSystemMenu(this), settings::modLanguage::CurrentText);
    platform::ApplyWindowMenu(this);
}

// ---- View options ----

void frmZeko::ToggleViewOption(int k) {
    if (k < 0 || k > 7) return;
    game::PlayOptions& options = control_->Options();
    const game::GameRecord& record = control_->Record();
    const bool on = options.View[static_cast<size_t>(k)] = !options.View[static_cast<size_t>(k)];
    settings_.ViewOptions = options.View;
    switch (k) {
        case game::kMoveIndicator:
            if (!record.GameOver && !(record.ComputerGame && record.TopToMove))
                control_->SetMoveIndicator(on ? 1 : 0);
            break;
        case game::kFlashingClock:
            canvas_->RepaintClockFace();
            break;
        case game::kTimeBar:
            if (record.TimerOn) ShowClock(!on, on);
            if (on)
                canvas_->SetTimeBar(record.TimeLeft, false);
            else
                canvas_->ShowClockTime(record.TimeLeft / 2, true);
            break;
        case game::kFieldLabels:
            canvas_->ShowFieldLabels(on);
            if (options.View[game::kGraphicScores]) canvas_->RepaintScoreBars();
            break;
        case game::kShadow:
            canvas_->update();
            break;
        case game::kGraphicChips:
            canvas_->RepaintFields();
            break;
        case game::kGraphicScores:
            canvas_->ShowScoreDisplays(on);
            if (options.View[game::kShadow]) canvas_->update();
            break;
        default:
            break;
    }
}

void frmZeko::ApplyColours() {
    canvas_->ApplyColours(colours_, settings_.ColorScheme == 3);
}

// ---- Layout and window events ----

void frmZeko::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    LayoutWindow();
}

void frmZeko::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) LayoutWindow();
}

void frmZeko::LayoutWindow() {
    if (isMinimized()) {
        minimized_ = true;
        control_->UpdateCaption();
        return;
    }
    if (minimized_) {
        // Restored: the layout made before minimizing still holds.
        minimized_ = false;
        control_->UpdateCaption();
        return;
    }
    if (!loaded_) return;
    canvas_->Layout();
}

void frmZeko::closeEvent(QCloseEvent* event) {
    if (!control_->QueryClose()) {
        // The search ends first; the control closes the window right after.
        event->ignore();
        return;
    }
    game::GameRecord& record = control_->Record();
    settings_.ComputerGame = record.ComputerGame;
    settings_.Level = record.Level;
    settings_.NameBottomHalf = record.NameBottomHalf;
    settings_.NameTopHalf = record.NameTopHalf;
    settings_.ViewOptions = control_->Options().View;
    settings::ExchangeSettings(settings::kWriteSettings, settings_);
    for (QTimer* timer : timers_)
        timer->stop();
    event->accept();
}

void frmZeko::keyPressEvent(QKeyEvent* event) {
    bool consumed = false;
    switch (event->key()) {
        case Qt::Key_Left:
            consumed = control_->KeyDown(game::GameControl::Arrow::Left);
            break;
        case Qt::Key_Right:
            consumed = control_->KeyDown(game::GameControl::Arrow::Right);
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            consumed = control_->KeyPress('\r');
            break;
        default: {
            const QString text = event->text();
            if (text.size() == 1 && text[0].unicode() < 128)
                consumed = control_->KeyPress(static_cast<char>(text[0].unicode()));
            else if (WelcomeVisible())
                consumed = control_->KeyPress('\0');
            break;
        }
    }
    if (!consumed) QMainWindow::keyPressEvent(event);
}

// ---- Presentation: what the game control asks of the window ----

void frmZeko::ShowPosition(bool full, const engine::Board& old, const engine::Board& now) {
    canvas_->ShowPosition(full, old, now);
}

void frmZeko::PaintField(int pit, game::FieldLook look) {
    canvas_->PaintField(pit, look);
}

void frmZeko::SetPointers(game::Pointer window, const std::array<game::Pointer, 12>& pits) {
    canvas_->SetPointers(window, pits);
}

void frmZeko::RepaintClockFace() {
    canvas_->RepaintClockFace();
}

void frmZeko::ShowClockTime(int seconds, bool full) {
    canvas_->ShowClockTime(seconds, full);
}

void frmZeko::SetTimeBar(int halfSeconds, bool incremental) {
    canvas_->SetTimeBar(halfSeconds, incremental);
}

void frmZeko::DrawClockColon(bool on) {
    canvas_->DrawClockColon(on);
}

void frmZeko::ShowClock(bool face, bool bar) {
    canvas_->ShowClock(face, bar);
}

void frmZeko::ShowScoreTexts() {
    canvas_->ShowScoreTexts();
}

void frmZeko::SetCaption(const std::string& caption) {
    setWindowTitle(Q(caption));
}

bool frmZeko::Minimized() const {
    return isMinimized();
}

void frmZeko::HideWelcome() {
    canvas_->HideWelcome();
}

bool frmZeko::WelcomeVisible() const {
    return canvas_->WelcomeVisible();
}

void frmZeko::SetSkillMenuVisible(bool visible) {
    skillMenu_->menuAction()->setVisible(visible);
}

void frmZeko::ShowMessage(const std::string& text, const std::string& title,
                          game::MessageIcon icon) {
    MessageBox(
        icon == game::MessageIcon::Information ? QMessageBox::Information : QMessageBox::NoIcon,
        title, text);
}

void frmZeko::ShowResultDialog(int finalState) {
    canvas_->ShowResult(finalState);
}

void frmZeko::ShowError(uint32_t, const std::string& source, const std::string& description) {
    MessageBox(QMessageBox::Critical, source, description);
}

void frmZeko::MessageBox(QMessageBox::Icon icon, const std::string& title,
                         const std::string& text) {
    QMessageBox box(icon, Q(title), Q(text), QMessageBox::Ok, this);
    box.button(QMessageBox::Ok)->setText(T(51));  // "OK" from the text table
    box.exec();
}

void frmZeko::CloseWindow() {
    close();
}

void frmZeko::SetTimer(game::TimerId id, bool enabled, int intervalMs) {
    QTimer* timer = timers_[static_cast<size_t>(id)];
    if (intervalMs > 0 && timer->interval() != intervalMs) timer->setInterval(intervalMs);
    if (enabled && !timer->isActive())
        timer->start();
    else if (!enabled && timer->isActive())
        timer->stop();
}

}  // namespace zeko::board
