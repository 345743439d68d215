#include "board/board_canvas.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include "board/about_box.h"
#include "board/advance_bar.h"
#include "board/board_backing.h"
#include "board/board_geometry.h"
#include "board/board_style.h"
#include "board/clock_back.h"
#include "board/field_panel.h"
#include "board/frm_zeko.h"
#include "board/program_icon.h"
#include "board/score_bar.h"
#include "board/welcome_screen.h"
#include "dialogs/result_dialog.h"
#include "platform/user_scale.h"
#include "settings/language.h"

namespace zeko::board {

using settings::modLanguage::CurrentText;

namespace {

// The window units of the client area.
platform::UserScale WindowUnits(const QWidget& widget) {
    return platform::UserScale(kWindowLeft, kWindowTop, kWindowRight, kWindowBottom, widget.size());
}

QRect Place(const platform::UserScale& units, const UnitRect& rect) {
    return units.Place(rect.left, rect.top, rect.width, rect.height);
}

}  // namespace

BoardCanvas::BoardCanvas(frmZeko& window)
    : QWidget(&window), window_(window), playable_(PlayablePointerImage(), 1, 1) {
    for (int pit = 0; pit < 12; ++pit) {
        auto* field = new FieldPanel(this);
        field->installEventFilter(this);
        fields_[static_cast<size_t>(pit)] = field;
        auto* label = new QLabel(QString::fromStdString(FieldLetter(pit)), this);
        label->setFont(FieldLabelFont());
        label->adjustSize();
        // A letter is fixed in size; only its place follows the window.
        label->setFixedSize(label->size());
        fieldLabels_[static_cast<size_t>(pit)] = label;
    }
    for (int k = 0; k < 2; ++k) {
        auto* bar = new ScoreBar(this);
        const int cell = k == 0 ? engine::kTopStore : engine::kBottomStore;
        bar->SetScoreSource([this, cell] { return window_.Control().Record().Board[cell]; });
        grScores_[static_cast<size_t>(k)] = bar;
        auto* label = new QLabel(this);
        label->setFont(ScoreTextFont());
        scoreLabels_[static_cast<size_t>(k)] = label;
    }
    clockBack_ = new ClockBack(this);
    advanceBar_ = new AdvanceBar(this);
    clockBack_->hide();
    advanceBar_->hide();
    welcome_ = new Welcome(this);
    welcome_->installEventFilter(this);
    connect(welcome_, &Welcome::DismissRequested, this,
            [this] { window_.Control().PostEvent(game::kDismissWelcome); });
}

void BoardCanvas::FirstPaint() {
    if (firstPaintDone_) return;
    firstPaintDone_ = true;
    // The start-up measurement: the first painted window, then quit.
    if (qEnvironmentVariableIsSet("ZEKO_EXIT_AFTER_FIRST_PAINT"))
        QTimer::singleShot(0, &window_, [this] { window_.close(); });
}

void BoardCanvas::paintEvent(QPaintEvent*) {
    FirstPaint();
    QPainter painter(this);
    PaintBoardBacking(painter, WindowUnits(*this), window_.Control().Options().View,
                      window_.Colours());
}

bool BoardCanvas::eventFilter(QObject* watched, QEvent* event) {
    // The welcome screen covers the whole client area at start-up.
    if (watched == welcome_ && event->type() == QEvent::Paint) FirstPaint();
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        for (int pit = 0; pit < 12; ++pit) {
            if (watched == fields_[static_cast<size_t>(pit)] && mouse->button() == Qt::LeftButton &&
                fields_[static_cast<size_t>(pit)]->rect().contains(mouse->position().toPoint())) {
                window_.Control().ClickPit(pit);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void BoardCanvas::Layout() {
    const platform::UserScale units = WindowUnits(*this);
    const game::ViewOptions& view = window_.Control().Options().View;
    for (int pit = 0; pit < 12; ++pit) {
        fields_[static_cast<size_t>(pit)]->setGeometry(Place(units, FieldRect(pit)));
        QLabel* label = fieldLabels_[static_cast<size_t>(pit)];
        const UnitPoint corner = FieldLabelPosition(pit);
        label->move(static_cast<int>(units.X(corner.x)), static_cast<int>(units.Y(corner.y)));
        fields_[static_cast<size_t>(pit)]->show();
        label->setVisible(view[game::kFieldLabels]);
    }
    for (int k = 0; k < 2; ++k)
        grScores_[static_cast<size_t>(k)]->setGeometry(Place(units, ScoreBarRect(k)));
    PlaceScoreLabels();
    ShowScoreDisplays(view[game::kGraphicScores]);
    clockBack_->setGeometry(Place(units, kClockBackRect));
    advanceBar_->setGeometry(Place(units, kAdvanceBarRect));
    update();
}

void BoardCanvas::PlaceScoreLabels() {
    const platform::UserScale units = WindowUnits(*this);
    for (int k = 0; k < 2; ++k) {
        QLabel* label = scoreLabels_[static_cast<size_t>(k)];
        label->adjustSize();
        label->move(static_cast<int>(units.X(kScoreLabelCentreX) - label->width() / 2.0),
                    static_cast<int>(units.Y(ScoreLabelTop(k))));
    }
}

void BoardCanvas::SetTexts() {
    ShowScoreTexts();
    if (welcome_->isVisible()) welcome_->Refresh();
}

void BoardCanvas::ApplyColours(const settings::ColourTable& colours, bool monochrome) {
    icon_ = ProgramIcon(monochrome);
    window_.setWindowIcon(icon_);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, ItemColour(colours, 0));
    setPalette(palette);
    setAutoFillBackground(true);
    welcome_->SetColours(colours);
    clockBack_->SetColourTable(colours);
    advanceBar_->SetColourTable(colours);
    for (int k = 0; k < 2; ++k) {
        StyleScoreLabel(*scoreLabels_[static_cast<size_t>(k)], colours);
        grScores_[static_cast<size_t>(k)]->SetColourTable(colours);
    }
    for (int pit = 0; pit < 12; ++pit) {
        StyleFieldLabel(*fieldLabels_[static_cast<size_t>(pit)], colours);
        fields_[static_cast<size_t>(pit)]->SetColourTable(colours);
    }
    update();
}

void BoardCanvas::ShowWelcome() {
    welcome_->setGeometry(rect());
    welcome_->raise();
    welcome_->show();
    welcome_->setFocus();
}

void BoardCanvas::HideWelcome() {
    welcome_->hide();
    window_.setFocus();
}

bool BoardCanvas::WelcomeVisible() const {
    return welcome_->isVisible();
}

void BoardCanvas::ShowAbout() {
    frmAbout about(icon_, window_.Colours(), &window_);
    about.exec();
}

void BoardCanvas::ShowResult(int finalState) {
    dialogs::frmResult result(dialogs::ResultDataOf(window_.Control().Record()),
                              static_cast<int16_t>(finalState), icon_, &window_);
    result.exec();
}

void BoardCanvas::ShowPosition(bool full, const engine::Board& old, const engine::Board& now) {
    for (int pit = 0; pit < 12; ++pit) {
        if (full || old[static_cast<size_t>(pit)] != now[static_cast<size_t>(pit)])
            fields_[static_cast<size_t>(pit)]->ShowCount(
                static_cast<int16_t>(now[static_cast<size_t>(pit)]));
    }
    const bool graphic = window_.Control().Options().View[game::kGraphicScores];
    const auto& record = window_.Control().Record();
    if (full) {
        ShowScoreTexts();
        if (graphic) {
            grScores_[0]->DrawScoreChips(static_cast<int16_t>(now[engine::kTopStore]), 0, 1);
            grScores_[1]->DrawScoreChips(static_cast<int16_t>(now[engine::kBottomStore]), 0, 1);
        }
        return;
    }
    // Score text 1 is the top half's, 0 the bottom half's.
    const std::array<std::pair<int, int>, 2> stores = {
        {{engine::kTopStore, 1}, {engine::kBottomStore, 0}}};
    for (size_t k = 0; k < stores.size(); ++k) {
        const int cell = stores[k].first;
        if (old[static_cast<size_t>(cell)] == now[static_cast<size_t>(cell)]) continue;
        ShowScoreText(stores[k].second, record, CurrentText, scoreLabels_);
        PlaceScoreLabels();
        if (graphic)
            grScores_[k]->DrawScoreChips(static_cast<int16_t>(now[static_cast<size_t>(cell)]),
                                         static_cast<int16_t>(old[static_cast<size_t>(cell)]), 0);
    }
}

void BoardCanvas::PaintField(int pit, game::FieldLook look) {
    if (pit >= 0 && pit < 12) fields_[static_cast<size_t>(pit)]->SetLook(look);
}

QCursor BoardCanvas::PointerCursor(game::Pointer pointer) const {
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

void BoardCanvas::SetPointers(game::Pointer window, const std::array<game::Pointer, 12>& pits) {
    setCursor(PointerCursor(window));
    window_.setCursor(PointerCursor(window));
    for (size_t pit = 0; pit < pits.size(); ++pit)
        fields_[pit]->setCursor(PointerCursor(pits[pit]));
}

void BoardCanvas::RepaintFields() {
    const bool chips = window_.Control().Options().View[game::kGraphicChips];
    for (FieldPanel* field : fields_)
        field->SetGraphicChips(chips);
}

void BoardCanvas::ShowFieldLabels(bool visible) {
    for (QLabel* label : fieldLabels_)
        label->setVisible(visible);
}

void BoardCanvas::ShowScoreTexts() {
    ShowScoreText(2, window_.Control().Record(), CurrentText, scoreLabels_);
    PlaceScoreLabels();
}

void BoardCanvas::ShowScoreDisplays(bool graphic) {
    for (int k = 0; k < 2; ++k) {
        scoreLabels_[static_cast<size_t>(k)]->setVisible(!graphic);
        grScores_[static_cast<size_t>(k)]->setVisible(graphic);
    }
}

void BoardCanvas::RepaintScoreBars() {
    for (ScoreBar* bar : grScores_)
        bar->repaint();
}

void BoardCanvas::RepaintClockFace() {
    clockBack_->repaint();
}

void BoardCanvas::ShowClockTime(int seconds, bool full) {
    clockBack_->ShowClockTime(seconds, full);
}

void BoardCanvas::SetTimeBar(int halfSeconds, bool incremental) {
    const int level = window_.Control().Record().Level;
    advanceBar_->SetTimeBar(halfSeconds, game::GameControl::LevelMinutes(level),
                            incremental ? 1 : 0);
}

void BoardCanvas::DrawClockColon(bool on) {
    clockBack_->DrawClockColon(on ? 1 : 0);
}

void BoardCanvas::ShowClock(bool face, bool bar) {
    clockBack_->setVisible(face);
    advanceBar_->setVisible(bar);
    if (face) clockBack_->repaint();
    if (bar) advanceBar_->repaint();
}

}  // namespace zeko::board
