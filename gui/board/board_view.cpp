#include "gui/board/board_view.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <algorithm>

#include "game/skill_level.h"
#include "gui/board/accessible_texts.h"
#include "gui/board/accessible_widgets.h"
#include "gui/board/board_backing.h"
#include "gui/board/board_geometry.h"
#include "gui/board/board_style.h"
#include "gui/board/clock_face.h"
#include "gui/board/pit_view.h"
#include "gui/board/score_bar.h"
#include "gui/board/time_bar.h"
#include "gui/board/welcome_screen.h"
#include "gui/window/program_icon.h"
#include "platform/user_scale.h"
#include "settings/text_table.h"

namespace zeko::gui {

using settings::texts::CurrentText;

namespace {

// The window units of the client area.
platform::UserScale WindowUnits(const QWidget& widget) {
    return platform::UserScale(kWindowLeft, kWindowTop, kWindowRight, kWindowBottom, widget.size());
}

QRect Place(const platform::UserScale& units, const UnitRect& rect) {
    return units.Place(rect.Left, rect.Top, rect.Width, rect.Height);
}

}  // namespace

BoardView::BoardView(QWidget* parent) : QWidget(parent), playable_(PlayablePointerImage(), 1, 1) {
    InstallAccessibleWidgets();
    for (int pit = 0; pit < engine::kPits; ++pit) {
        auto* view = new PitView(this);
        view->installEventFilter(this);
        view->SetLetter(PitLetter(pit));
        view->MakeButton();
        connect(view, &PitView::Pressed, this, [this, pit] { emit PitClicked(pit); });
        pits_[static_cast<size_t>(pit)] = view;
        auto* label = new QLabel(QString::fromStdString(PitLetter(pit)), this);
        // The pit's own name says its letter.
        HideFromAccessibility(*label);
        label->setFont(PitLabelFont());
        label->adjustSize();
        // A letter is fixed in size; only its place follows the window.
        label->setFixedSize(label->size());
        pitLabels_[static_cast<size_t>(pit)] = label;
    }
    for (int k = 0; k < 2; ++k) {
        auto* bar = new ScoreBar(this);
        const int cell = k == 0 ? engine::kTopStore : engine::kBottomStore;
        bar->SetScoreSource([this, cell] { return record_->Board[static_cast<size_t>(cell)]; });
        scoreBars_[static_cast<size_t>(k)] = bar;
        auto* label = new QLabel(this);
        label->setFont(ScoreTextFont());
        scoreLabels_[static_cast<size_t>(k)] = label;
    }
    clockFace_ = new ClockFace(this);
    timeBar_ = new TimeBar(this);
    clockFace_->hide();
    timeBar_->hide();
    welcome_ = new WelcomeScreen(this);
    welcome_->installEventFilter(this);
    connect(welcome_, &WelcomeScreen::DismissRequested, this, &BoardView::WelcomeDismissed);
}

void BoardView::SetGame(const game::GameRecord& record, const game::PlayOptions& options) {
    record_ = &record;
    options_ = &options;
}

void BoardView::FirstPaint() {
    if (firstPaintDone_) return;
    firstPaintDone_ = true;
    // The start-up measurement: the first painted window, then quit.
    if (qEnvironmentVariableIsSet("ZEKO_EXIT_AFTER_FIRST_PAINT"))
        QTimer::singleShot(0, window(), [this] { window()->close(); });
}

void BoardView::paintEvent(QPaintEvent*) {
    FirstPaint();
    QPainter painter(this);
    PaintBoardBacking(painter, WindowUnits(*this), options_->View, colours_);
}

bool BoardView::eventFilter(QObject* watched, QEvent* event) {
    // The welcome screen covers the whole client area at start-up.
    if (watched == welcome_ && event->type() == QEvent::Paint) FirstPaint();
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        for (int pit = 0; pit < engine::kPits; ++pit) {
            if (watched == pits_[static_cast<size_t>(pit)] && mouse->button() == Qt::LeftButton &&
                pits_[static_cast<size_t>(pit)]->rect().contains(mouse->position().toPoint())) {
                emit PitClicked(pit);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void BoardView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // While it shows, the welcome screen covers the whole client area.
    welcome_->setGeometry(rect());
}

void BoardView::Layout() {
    const platform::UserScale units = WindowUnits(*this);
    const settings::ViewOptions& view = options_->View;
    const QRect backing =
        units.Box(kBoardBacking.X1, kBoardBacking.Y1, kBoardBacking.X2, kBoardBacking.Y2);
    for (int pit = 0; pit < engine::kPits; ++pit) {
        pits_[static_cast<size_t>(pit)]->setGeometry(Place(units, PitRect(pit)));
        QLabel* label = pitLabels_[static_cast<size_t>(pit)];
        const UnitPoint corner = PitLabelPosition(pit);
        // Letters stand beside the board backing, never on its edge.
        int y = static_cast<int>(units.Y(corner.Y));
        if (pit < engine::kPitsPerRow)
            y = std::max(y, backing.bottom() + 1);
        else
            y = std::min(y, backing.top() - label->height());
        label->move(static_cast<int>(units.X(corner.X)), y);
        pits_[static_cast<size_t>(pit)]->show();
        label->setVisible(view[settings::kViewFieldLabels]);
    }
    for (int k = 0; k < 2; ++k)
        scoreBars_[static_cast<size_t>(k)]->setGeometry(Place(units, ScoreBarRect(k)));
    PlaceScoreLabels();
    ShowScoreDisplays(view[settings::kViewGraphicScores]);
    clockFace_->setGeometry(Place(units, kClockBackRect));
    timeBar_->setGeometry(Place(units, kTimeBarRect));
    update();
}

void BoardView::SetTexts() {
    ShowScoreTexts();
    for (PitView* pit : pits_)
        pit->RefreshAccessibleName();
    clockFace_->RefreshAccessibleName();
    welcome_->RefreshAccessibleName();
    setAccessibleName(QString::fromStdString(TurnDescription(turn_)));
    if (welcome_->isVisible()) welcome_->Refresh();
}

void BoardView::ApplyColours(const settings::ColourTable& colours) {
    colours_ = colours;
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, ItemColour(colours, 0));
    setPalette(palette);
    setAutoFillBackground(true);
    welcome_->SetColours(colours);
    clockFace_->SetColourTable(colours);
    timeBar_->SetColourTable(colours);
    for (int k = 0; k < 2; ++k) {
        StyleScoreLabel(*scoreLabels_[static_cast<size_t>(k)], colours);
        scoreBars_[static_cast<size_t>(k)]->SetColourTable(colours);
    }
    for (int pit = 0; pit < engine::kPits; ++pit) {
        StylePitLabel(*pitLabels_[static_cast<size_t>(pit)], colours);
        pits_[static_cast<size_t>(pit)]->SetColourTable(colours);
    }
    update();
}

void BoardView::ShowWelcome() {
    welcome_->setGeometry(rect());
    welcome_->raise();
    welcome_->show();
    welcome_->setFocus();
}

void BoardView::HideWelcome() {
    welcome_->hide();
    window()->setFocus();
}

bool BoardView::WelcomeVisible() const {
    return welcome_->isVisible();
}

void BoardView::ShowPosition(bool full, const engine::Board& old, const engine::Board& now) {
    for (int pit = 0; pit < engine::kPits; ++pit) {
        if (full || old[static_cast<size_t>(pit)] != now[static_cast<size_t>(pit)])
            pits_[static_cast<size_t>(pit)]->ShowCount(
                static_cast<int16_t>(now[static_cast<size_t>(pit)]));
    }
    const bool graphic = options_->View[settings::kViewGraphicScores];
    if (full) {
        ShowScoreTexts();
        if (graphic) {
            scoreBars_[0]->DrawScoreChips(static_cast<int16_t>(now[engine::kTopStore]), 0,
                                          ScoreDrawing::Whole);
            scoreBars_[1]->DrawScoreChips(static_cast<int16_t>(now[engine::kBottomStore]), 0,
                                          ScoreDrawing::Whole);
        }
        return;
    }
    const std::array<std::pair<int, ScoreTexts>, 2> stores = {
        {{engine::kTopStore, ScoreTexts::Top}, {engine::kBottomStore, ScoreTexts::Bottom}}};
    for (size_t k = 0; k < stores.size(); ++k) {
        const int cell = stores[k].first;
        if (old[static_cast<size_t>(cell)] == now[static_cast<size_t>(cell)]) continue;
        ShowScoreText(stores[k].second, *record_, CurrentText, scoreLabels_);
        PlaceScoreLabels();
        if (graphic)
            scoreBars_[k]->DrawScoreChips(static_cast<int16_t>(now[static_cast<size_t>(cell)]),
                                          static_cast<int16_t>(old[static_cast<size_t>(cell)]),
                                          ScoreDrawing::Changes);
    }
}

void BoardView::PaintPit(int pit, game::PitLook look) {
    if (pit < 0 || pit >= engine::kPits) return;
    PitView* view = pits_[static_cast<size_t>(pit)];
    view->SetLook(look);
    // The focus on the board follows the move indicator, so that a screen
    // reader says the pit it moved to.
    if (look == game::PitLook::Indicator && FocusedPit() >= 0) view->setFocus();
}

int BoardView::FocusedPit() const {
    for (int pit = 0; pit < engine::kPits; ++pit) {
        if (pits_[static_cast<size_t>(pit)]->hasFocus()) return pit;
    }
    return -1;
}

bool BoardView::MovePitFocus(int key) {
    const int pit = FocusedPit();
    if (pit < 0) return false;
    // Columns from the left as the board shows them: A-F below, f-a above.
    const bool top = pit >= engine::kPitsPerRow;
    int column = top ? engine::kPits - 1 - pit : pit;
    bool toTop = top;
    switch (key) {
        case Qt::Key_Left:
            --column;
            break;
        case Qt::Key_Right:
            ++column;
            break;
        case Qt::Key_Up:
            toTop = true;
            break;
        case Qt::Key_Down:
            toTop = false;
            break;
        default:
            return false;
    }
    // At the board's edge the focus stays.
    if (column >= 0 && column < engine::kPitsPerRow)
        pits_[static_cast<size_t>(toTop ? engine::kPits - 1 - column : column)]->setFocus();
    return true;
}

QCursor BoardView::PointerCursor(game::Pointer pointer) const {
    switch (pointer) {
        case game::Pointer::Hourglass:
            return Qt::WaitCursor;
        case game::Pointer::Playable:
            return playable_;
        case game::Pointer::Default:
            break;
    }
    return Qt::ArrowCursor;
}

void BoardView::SetPointers(game::Pointer window,
                            const std::array<game::Pointer, engine::kPits>& pits) {
    setCursor(PointerCursor(window));
    this->window()->setCursor(PointerCursor(window));
    // The playable pits tell a screen reader whose turn it is.
    turn_ = Turn::Wait;
    for (size_t pit = 0; pit < pits.size(); ++pit) {
        pits_[pit]->setCursor(PointerCursor(pits[pit]));
        const bool playable = pits[pit] == game::Pointer::Playable;
        pits_[pit]->SetPlayable(playable);
        if (playable && window != game::Pointer::Hourglass)
            turn_ = pit < static_cast<size_t>(engine::kPitsPerRow) ? Turn::Bottom : Turn::Top;
    }
    setAccessibleName(QString::fromStdString(TurnDescription(turn_)));
}

void BoardView::RepaintPits() {
    const bool chips = options_->View[settings::kViewGraphicChips];
    for (PitView* view : pits_)
        view->SetGraphicChips(chips);
}

void BoardView::ShowPitLabels(bool visible) {
    for (QLabel* label : pitLabels_)
        label->setVisible(visible);
}

void BoardView::ShowScoreTexts() {
    ShowScoreText(ScoreTexts::Both, *record_, CurrentText, scoreLabels_);
    PlaceScoreLabels();
}

void BoardView::PlaceScoreLabels() {
    const platform::UserScale units = WindowUnits(*this);
    for (int k = 0; k < 2; ++k) {
        QLabel* label = scoreLabels_[static_cast<size_t>(k)];
        label->adjustSize();
        label->move(static_cast<int>(units.X(kScoreLabelCentreX) - label->width() / 2.0),
                    static_cast<int>(units.Y(ScoreLabelTop(k))));
        // A bar says what its label would.
        scoreBars_[static_cast<size_t>(k)]->setAccessibleName(label->text());
    }
}

void BoardView::ShowScoreDisplays(bool graphic) {
    for (int k = 0; k < 2; ++k) {
        scoreLabels_[static_cast<size_t>(k)]->setVisible(!graphic);
        scoreBars_[static_cast<size_t>(k)]->setVisible(graphic);
    }
}

void BoardView::RepaintScoreBars() {
    for (ScoreBar* bar : scoreBars_)
        bar->repaint();
}

void BoardView::RepaintClockFace() {
    clockFace_->repaint();
}

void BoardView::ShowClockTime(int seconds, bool full) {
    clockFace_->ShowClockTime(seconds, full);
}

void BoardView::SetTimeBar(int halfSeconds, bool incremental) {
    timeBar_->SetTimeBar(halfSeconds, game::LevelMinutes(record_->Level),
                         incremental ? TimeBarDrawing::Changes : TimeBarDrawing::Whole);
}

void BoardView::DrawClockColon(bool on) {
    clockFace_->DrawClockColon(on);
}

void BoardView::ShowClock(bool face, bool bar) {
    clockFace_->setVisible(face);
    timeBar_->setVisible(bar);
    if (face) clockFace_->repaint();
    if (bar) timeBar_->repaint();
}

}  // namespace zeko::gui
