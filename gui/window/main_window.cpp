#include "gui/window/main_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QRandomGenerator>
#include <QScreen>
#include <cmath>
#include <utility>

#include "gui/board/board_view.h"
#include "gui/board/pit_view.h"
#include "gui/dialogs/about_box.h"
#include "gui/dialogs/analysis_dialog.h"
#include "gui/dialogs/level_info_dialog.h"
#include "gui/dialogs/new_position_editor.h"
#include "gui/dialogs/options_dialog.h"
#include "gui/dialogs/result_dialog.h"
#include "gui/dialogs/result_texts.h"
#include "gui/help/help_window.h"
#include "gui/window/game_file_commands.h"
#include "gui/window/main_menu.h"
#include "gui/window/program_icon.h"
#include "platform/message_queue.h"
#include "settings/help.h"
#include "settings/text_id.h"
#include "settings/text_table.h"

namespace zeko::gui {

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}
QString T(int number) {
    return Q(settings::texts::GetText(number));
}

}  // namespace

MainWindow::MainWindow(std::string commandLine, QWidget* parent)
    : QMainWindow(parent),
      engine_(std::make_unique<platform::EngineLibrary>()),
      commandLine_(std::move(commandLine)) {
    game::Environment environment;
    // Seeded from the system timer when the window loads.
    auto random = std::make_shared<QRandomGenerator>(
        static_cast<quint32>(QDateTime::currentMSecsSinceEpoch()));
    environment.Rnd = [random] { return random->generateDouble(); };
    environment.NowMs = [] { return QDateTime::currentMSecsSinceEpoch(); };
    environment.GetText = settings::texts::CurrentText;
    environment.Window = this;
    // The window can be resized and minimized, but a maximized board would
    // only stretch.
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    board_ = new BoardView(this);
    control_ = std::make_unique<game::GameControl>(*engine_, *board_, *this, *this, environment);
    board_->SetGame(control_->Record(), control_->Options());
    connect(board_, &BoardView::PitClicked, this, [this](int pit) { control_->ClickPit(pit); });
    connect(board_, &BoardView::WelcomeDismissed, this,
            [this] { control_->PostEvent(game::kDismissWelcome); });

    // Their intervals come with every arming by the game control.
    for (QTimer*& timer : timers_) {
        timer = new QTimer(this);
        timer->setTimerType(Qt::PreciseTimer);
    }
    using game::TimerId;
    connect(Timer(TimerId::Event), &QTimer::timeout, this, [this] { control_->OnEventTimer(); });
    connect(Timer(TimerId::Delay), &QTimer::timeout, this, [this] { control_->OnDelayTimer(); });
    connect(Timer(TimerId::Flash), &QTimer::timeout, this, [this] { control_->OnFlashTimer(); });
    connect(Timer(TimerId::Clock), &QTimer::timeout, this, [this] { control_->OnClockTimer(); });

    // The StopSearch message is posted to this window; dispatching it needs no
    // action here, the search has seen it.
    platform::ThreadMessageQueue().RegisterWindow(this, [](const MSG&) {});
    help_ = new HelpWindow(this);
    helpInstallation_.emplace(*help_);
    gameFiles_ = std::make_unique<GameFileCommands>(this, *control_, *engine_, settings_);
    Load();
}

MainWindow::~MainWindow() {
    platform::ThreadMessageQueue().UnregisterWindow(this);
}

void MainWindow::Load() {
    loaded_ = false;
    setCentralWidget(board_);
    menu_ = new MainMenu(*this);
    board_->ShowWelcome();

    settings::ExchangeSettings(settings::SettingsExchange::Read, settings_);
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
    settings::texts::SetCurrentLanguage(settings_.Language);
    qtTranslation_.Apply(settings_.Language);

    SetSkillMenuVisible(record.ComputerGame);
    board_->RepaintPits();
    colours_ = settings::FillColourTable(settings_.ColorScheme, settings_.CustomColors);
    ApplyColours();
    SetTexts();
    // Sized once the menu bar has its titles, whose height it takes.
    SetStartSizeAndPlace();
    layout()->activate();
    control_->PostEvent(game::kNewGame);
    // A game file named on the command line: the welcome screen goes, and the
    // file's games are offered as soon as the window is up.
    if (!commandLine_.empty() && QFileInfo(QString::fromStdString(commandLine_)).isFile()) {
        control_->PostEvent(game::kDismissWelcome);
        gameFiles_->SetCurrentFile(commandLine_);
        QTimer::singleShot(0, this, [this] { OpenCommandLineFile(); });
    }
    loaded_ = true;
}

void MainWindow::SetStartSizeAndPlace() {
    // 4600 / 1440 inch of height, the client area close to 7 : 4, a little
    // above and left of the screen's centre.
    const double unit = logicalDpiY() / 1440.0;  // 1/1440 inch
    const int menuHeight = menuBar()->sizeHint().height();
    const int clientHeight = static_cast<int>(std::lround(4600 * unit)) - menuHeight / 2;
    const int clientWidth = clientHeight * 7 / 4;
    resize(clientWidth, clientHeight + menuHeight);
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        move(area.left() + static_cast<int>(0.4 * (area.width() - frameGeometry().width())),
             area.top() + static_cast<int>(0.4 * (area.height() - frameGeometry().height())));
    }
}

void MainWindow::TakeHandOver(const std::string& file) {
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
    if (file.empty() || !QFileInfo(QString::fromStdString(file)).isFile()) return;
    handedOverFile_ = file;
    OpenHandedOverFile();
}

void MainWindow::OpenHandedOverFile() {
    if (handedOverFile_.empty()) return;
    // A file may come in at any moment; it waits, as the Load command would,
    // until play is at rest and no dialog is open.
    if (QApplication::activeModalWidget() != nullptr || !control_->GameMenu().Load) {
        QTimer::singleShot(kHandOverRetryMs, this, [this] { OpenHandedOverFile(); });
        return;
    }
    const std::string file = std::exchange(handedOverFile_, {});
    if (board_->WelcomeVisible()) control_->PostEvent(game::kDismissWelcome);
    gameFiles_->SetCurrentFile(file);
    OpenCommandLineFile();
}

void MainWindow::SetTexts() {
    menu_->SetTexts();
    board_->SetTexts();
    control_->UpdateCaption();
}

// ---- View options ----

void MainWindow::ToggleViewOption(int option) {
    if (option < 0 || option >= settings::kViewOptionCount) return;
    game::PlayOptions& options = control_->Options();
    const game::GameRecord& record = control_->Record();
    bool& flag = options.View[static_cast<size_t>(option)];
    const bool on = flag = !flag;
    settings_.ViewOptions = options.View;
    switch (option) {
        case settings::kViewMoveIndicator:
            if (!record.GameOver && !(record.ComputerGame && record.TopToMove))
                control_->SetMoveIndicator(on ? game::IndicatorRequest::First
                                              : game::IndicatorRequest::Hide);
            break;
        case settings::kViewFlashingClock:
            board_->RepaintClockFace();
            break;
        case settings::kViewTimeBar:
            if (record.TimerOn) board_->ShowClock(!on, on);
            if (on)
                board_->SetTimeBar(record.TimeLeft, false);
            else
                board_->ShowClockTime(record.TimeLeft / 2, true);
            break;
        case settings::kViewFieldLabels:
            board_->ShowPitLabels(on);
            if (options.View[settings::kViewGraphicScores]) board_->RepaintScoreBars();
            break;
        case settings::kViewShadow:
            board_->update();
            break;
        case settings::kViewGraphicChips:
            board_->RepaintPits();
            break;
        case settings::kViewGraphicScores:
            board_->ShowScoreDisplays(on);
            if (options.View[settings::kViewShadow]) board_->update();
            break;
        default:
            break;
    }
}

void MainWindow::ApplyColours() {
    icon_ = ProgramIcon(settings_.ColorScheme == settings::kSchemeMonochrome);
    setWindowIcon(icon_);
    board_->ApplyColours(colours_);
}

// ---- Tools ----

void MainWindow::ShowAnalysis() {
    const game::GameRecord& record = control_->Record();
    // Two people: the side to move is analysed, the top half on the board
    // turned round.
    const bool rotated = !record.ComputerGame && record.TopToMove;
    AnalysisDialog analysis(*engine_, record.Board, rotated, record.OpeningFlag, icon_, this);
    analysis.SetAnalysisMade(false);
    analysis.SetAnalysisMainLine(analysisMainLine_);
    analysis.SetAnalysisLevel(analysisLevel_);
    // The values name their pits; the pits themselves stay in view.
    QRect pits;
    for (int pit = 0; pit < engine::kPits; ++pit) {
        const QWidget& view = board_->Pit(pit);
        pits |= QRect(view.mapToGlobal(QPoint(0, 0)), view.size());
    }
    analysis.PlaceClearOf(pits, *this);
    analysis.exec();
    analysisLevel_ = analysis.AnalysisLevel();
    analysisMainLine_ = analysis.AnalysisMainLine();
    // An analysed game is no longer timed.
    control_->AnalysisClosed(analysis.AnalysisMade());
}

void MainWindow::ShowNewPosition() {
    if (!editBoard_) editBoard_ = control_->Record().Board;
    NewPositionEditor editor(*editBoard_, *engine_, control_->Record(),
                             {colours_, control_->Options().View, icon_},
                             control_->NewPositionTopToMove(), this);
    editor.PlaceBeside(*this);
    editor.exec();
    if (editor.NewPosition()) control_->PositionAccepted(*editBoard_, editor.TopHalfToMove());
}

void MainWindow::ShowLevelInfo() {
    LevelInfoDialog table(*engine_, icon_, this);
    table.exec();
}

void MainWindow::ShowOptions() {
    game::GameRecord& record = control_->Record();
    const game::PlayOptions& play = control_->Options();
    const int16_t language = settings::texts::CurrentLanguage();
    OptionsDialog::Values current;
    current.NameBottomHalf = record.NameBottomHalf;
    current.NameTopHalf = record.NameTopHalf;
    current.Language = language;
    current.ColorScheme = settings_.ColorScheme;
    current.CustomColors = settings_.CustomColors;
    current.DelayActivated = play.DelayActivated;
    current.DelayFixed = play.DelayFixed;
    current.DelayTime = static_cast<int16_t>(play.DelayTime);
    current.GameFileName = settings_.DefaultGameFile;
    current.GameFilePrompt = settings_.GameFilePrompt;
    OptionsDialog dialog(current, icon_, this);
    // The colour and file dialogs opened from it speak the language chosen in it.
    connect(&dialog, &OptionsDialog::LanguageChosen, this,
            [this](int16_t chosen) { qtTranslation_.Apply(chosen); });
    qtTranslation_.Apply(dialog.Chosen().Language);
    dialog.CentreOver(*this);
    dialog.exec();
    qtTranslation_.Apply(language);
    if (!dialog.OkSelected()) return;

    const OptionsDialog::Values& chosen = dialog.Chosen();
    record.NameBottomHalf = chosen.NameBottomHalf;
    record.NameTopHalf = chosen.NameTopHalf;
    settings_.CustomColors = chosen.CustomColors;
    if (chosen.Language != language) {
        settings::texts::SetCurrentLanguage(chosen.Language);
        settings_.Language = chosen.Language;
        qtTranslation_.Apply(chosen.Language);
        SetTexts();
    } else {
        board_->ShowScoreTexts();
        control_->UpdateCaption();
    }
    if (dialog.ColorChanged()) {
        settings_.ColorScheme = chosen.ColorScheme;
        colours_ = settings::FillColourTable(settings_.ColorScheme, settings_.CustomColors);
        ApplyColours();
    }
    settings_.DelayActivated = chosen.DelayActivated;
    settings_.DelayFixed = chosen.DelayFixed;
    settings_.DelayTime = chosen.DelayTime;
    control_->SetResponseDelay(chosen.DelayActivated, chosen.DelayFixed, chosen.DelayTime);
    settings_.DefaultGameFile = chosen.GameFileName;
    settings_.GameFilePrompt = chosen.GameFilePrompt;
}

void MainWindow::OpenCommandLineFile() {
    // The queued new game runs first, so that it cannot clear the game chosen.
    for (int i = 0; i < game::EventRing::kSlots && control_->PendingEvents() > 0; ++i)
        control_->OnEventTimer();
    gameFiles_->Load(false);
}

void MainWindow::ShowAbout() {
    AboutBox about(icon_, colours_, this);
    about.exec();
}

// ---- Layout and window events ----

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    LayoutWindow();
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) LayoutWindow();
}

void MainWindow::LayoutWindow() {
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
    board_->Layout();
}

void MainWindow::closeEvent(QCloseEvent* event) {
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
    settings::ExchangeSettings(settings::SettingsExchange::Write, settings_);
    for (QTimer* timer : timers_)
        timer->stop();
    event->accept();
}

void MainWindow::EndOnRequest() {
    // Each modal window returns from its own loop before the next closes.
    if (QWidget* modal = QApplication::activeModalWidget()) {
        modal->close();
        QTimer::singleShot(kEndRetryMs, this, &MainWindow::EndOnRequest);
        return;
    }
    control_->Exit();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    bool consumed = false;
    switch (event->key()) {
        // The arrows step the move indicator where it shows, and otherwise
        // the keyboard's focus from pit to pit.
        case Qt::Key_Left:
            consumed = control_->KeyDown(game::GameControl::Arrow::Left) ||
                       board_->MovePitFocus(event->key());
            break;
        case Qt::Key_Right:
            consumed = control_->KeyDown(game::GameControl::Arrow::Right) ||
                       board_->MovePitFocus(event->key());
            break;
        case Qt::Key_Up:
        case Qt::Key_Down:
            consumed = board_->MovePitFocus(event->key());
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            consumed = control_->KeyPress('\r');
            break;
        default: {
            const QString text = event->text();
            if (text.size() == 1 && text[0].unicode() < 128)
                consumed = control_->KeyPress(static_cast<char>(text[0].unicode()));
            else if (board_->WelcomeVisible())
                consumed = control_->KeyPress('\0');
            break;
        }
    }
    if (!consumed) QMainWindow::keyPressEvent(event);
}

// ---- What the game control asks of the window ----

void MainWindow::SetCaption(const std::string& caption) {
    setWindowTitle(Q(caption));
}

bool MainWindow::Minimized() const {
    return isMinimized();
}

void MainWindow::SetSkillMenuVisible(bool visible) {
    menu_->SetMenuVisible(settings::kTextSkillMenu, visible);
}

void MainWindow::ShowMessage(const std::string& text, const std::string& title,
                             game::MessageIcon icon) {
    MessageBox(
        icon == game::MessageIcon::Information ? QMessageBox::Information : QMessageBox::NoIcon,
        title, text);
}

void MainWindow::ShowResultDialog(game::GameEnd end) {
    ResultDialog result(ResultDataOf(control_->Record()), end, icon_, this);
    result.exec();
}

void MainWindow::ShowError(uint32_t, const std::string& source, const std::string& description) {
    MessageBox(QMessageBox::Critical, source, description);
}

void MainWindow::MessageBox(QMessageBox::Icon icon, const std::string& title,
                            const std::string& text) {
    QMessageBox box(icon, Q(title), Q(text), QMessageBox::Ok, this);
    box.button(QMessageBox::Ok)->setText(T(settings::kTextOk));  // "OK" from the text table
    box.exec();
}

void MainWindow::CloseWindow() {
    close();
}

void MainWindow::SetTimer(game::TimerId id, bool enabled, int intervalMs) {
    QTimer* timer = Timer(id);
    if (intervalMs > 0 && timer->interval() != intervalMs) timer->setInterval(intervalMs);
    if (enabled && !timer->isActive())
        timer->start();
    else if (!enabled && timer->isActive())
        timer->stop();
}

}  // namespace zeko::gui
