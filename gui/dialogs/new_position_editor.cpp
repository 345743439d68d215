#include "gui/dialogs/new_position_editor.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "gui/board/board_style.h"
#include "gui/board/pit_view.h"
#include "gui/board/score_bar.h"
#include "gui/dialogs/help_key.h"
#include "gui/dialogs/new_position_geometry.h"
#include "platform/user_scale.h"
#include "settings/help.h"
#include "settings/text_id.h"
#include "settings/text_table.h"

namespace zeko::gui {

using settings::texts::CurrentText;

namespace {

QString T(int number) {
    return QString::fromStdString(CurrentText(number));
}

platform::UserScale EditorUnits(const QWidget& widget) {
    return platform::UserScale(kEditorLeft, kEditorTop, kEditorRight, kEditorBottom, widget.size());
}

QRect Place(const platform::UserScale& units, const UnitRect& rect) {
    return units.Place(rect.Left, rect.Top, rect.Width, rect.Height);
}

int StoreCell(int k) {
    return k == 0 ? engine::kTopStore : engine::kBottomStore;
}

}  // namespace

NewPositionEditor::NewPositionEditor(game::Board& editBoard, platform::EngineLibrary& engine,
                                     const game::GameRecord& record, const Look& look,
                                     bool topHalfToMove, QWidget* parent)
    : QDialog(parent),
      board_(editBoard),
      engine_(engine),
      look_(look),
      record_(record),
      savedBoard_(editBoard),
      savedTopToMove_(topHalfToMove),
      topHalfToMove_(topHalfToMove),
      nextToMove_(new QCheckBox(this)),
      ok_(new QPushButton(this)),
      cancel_(new QPushButton(this)),
      help_(new QPushButton(this)),
      reset_(new QPushButton(this)),
      clear_(new QPushButton(this)) {
    setObjectName(QStringLiteral("newPositionEditor"));
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowIcon(look_.Icon);
    for (int pit = 0; pit < engine::kPits; ++pit) {
        auto* view = new PitView(this);
        view->SetGraphicChips(look_.View[settings::kViewGraphicChips]);
        view->installEventFilter(this);
        pits_[static_cast<size_t>(pit)] = view;
    }
    for (int k = 0; k < 2; ++k) {
        auto* bar = new ScoreBar(this);
        const int cell = StoreCell(k);
        // A repaint shows the edited stores, not the game's.
        bar->SetScoreSource([this, cell] { return board_[static_cast<size_t>(cell)]; });
        bar->installEventFilter(this);
        scoreBars_[static_cast<size_t>(k)] = bar;
        auto* label = new QLabel(this);
        label->installEventFilter(this);
        scoreLabels_[static_cast<size_t>(k)] = label;
    }
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, [this] {
        newPosition_ = true;
        accept();
    });
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(help_, &QPushButton::clicked, this,
            [this] { settings::texts::ShowHelpTopic(this, settings::kHelpTopicNewPosition); });
    connect(clear_, &QPushButton::clicked, this, [this] {
        game::ClearBoard(board_);
        Redraw(game::kAllPitsMask);
    });
    connect(reset_, &QPushButton::clicked, this, [this] {
        board_ = savedBoard_;
        nextToMove_->setChecked(savedTopToMove_);
        Redraw(game::kAllPitsMask);
    });
    connect(nextToMove_, &QCheckBox::clicked, this, [this] { Validate(); });
    setTabOrder(clear_, reset_);
    setTabOrder(reset_, nextToMove_);
    setTabOrder(nextToMove_, ok_);
    setTabOrder(ok_, cancel_);
    setTabOrder(cancel_, help_);

    SetTexts();
    ApplyColours();
    nextToMove_->setChecked(topHalfToMove);
    // Each opening draws the stores whole first.
    Redraw(game::kAllPitsMask);
    // PlaceBeside gives the editor its real size.
    FitTexts();
    resize(minimumSize());
}

NewPositionEditor::~NewPositionEditor() = default;

void NewPositionEditor::SetTexts() {
    const game::GameRecord& record = record_;
    setWindowTitle(T(settings::kTextNewPositionTitle));
    ok_->setText(T(settings::kTextOk));
    cancel_->setText(T(settings::kTextCancel));
    help_->setText(T(settings::kTextHelp));
    reset_->setText(T(settings::kTextResetBoard));
    clear_->setText(T(settings::kTextClearBoard));
    QString name = T(settings::kTextComputerName);
    if (!record.ComputerGame) {
        name = record.NameTopHalf.empty() ? T(settings::kTextSecondHumanName)
                                          : QString::fromStdString(record.NameTopHalf);
        // A name's "&" is shown, never taken for an access key.
        name.replace(QLatin1Char('&'), QStringLiteral("&&"));
    }
    nextToMove_->setText(name + QLatin1Char(' ') + T(settings::kTextMovesNext));
}

void NewPositionEditor::ApplyColours() {
    const settings::ColourTable& colours = look_.Colours;
    QPalette palette = this->palette();
    const QColor background = ItemColour(colours, settings::kNewPositionBackground);
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::Button, background);
    setPalette(palette);
    setAutoFillBackground(true);
    for (QPushButton* button : {ok_, cancel_, help_, reset_, clear_})
        StyleButton(*button, background, palette.color(QPalette::ButtonText));
    for (PitView* pit : pits_)
        pit->SetColourTable(colours);
    for (int k = 0; k < 2; ++k) {
        scoreBars_[static_cast<size_t>(k)]->SetColourTable(colours);
        StyleScoreLabel(*scoreLabels_[static_cast<size_t>(k)], colours);
    }
}

void NewPositionEditor::FitTexts() {
    // The smallest client area at which every button and the check box show
    // their whole text in the room the layout gives them.
    const double unitsWide = kEditorRight - kEditorLeft;
    const double unitsHigh = kEditorBottom - kEditorTop;
    double width = 0;
    double height = 0;
    const auto need = [&](const QWidget& widget, double unitWidth, double unitHeight) {
        const QSize whole = widget.sizeHint();
        width = std::max(width, whole.width() * unitsWide / unitWidth);
        height = std::max(height, whole.height() * unitsHigh / unitHeight);
    };
    for (const auto& [button, rect] : {std::pair{clear_, kClearBoardRect},
                                       {reset_, kResetBoardRect},
                                       {ok_, kEditorOkRect},
                                       {cancel_, kEditorCancelRect},
                                       {help_, kEditorHelpRect}})
        need(*button, rect.Width, rect.Height);
    need(*nextToMove_, kNextToMoveWidth, kEditorOkRect.Height);
    setMinimumSize(static_cast<int>(std::ceil(width)), static_cast<int>(std::ceil(height)));
}

void NewPositionEditor::PlaceBeside(const QWidget& main) {
    const QScreen* screen = main.screen();
    if (screen == nullptr) return;
    // Before it is first shown the editor has no frame yet; it will get one
    // like the main window's.
    QSize frameExtra = frameGeometry().size() - size();
    if (frameExtra.isNull()) frameExtra = main.frameGeometry().size() - main.size();
    const QRect frame =
        EditorPlacement(main.frameGeometry(), screen->availableGeometry(), frameExtra);
    resize((frame.size() - frameExtra).expandedTo(minimumSize()));
    move(frame.topLeft());
}

void NewPositionEditor::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    Layout();
}

void NewPositionEditor::Layout() {
    const platform::UserScale units = EditorUnits(*this);
    for (int pit = 0; pit < engine::kPits; ++pit) {
        pits_[static_cast<size_t>(pit)]->setGeometry(Place(units, EditorPitRect(pit)));
        pits_[static_cast<size_t>(pit)]->show();
    }
    const bool graphic = look_.View[settings::kViewGraphicScores];
    for (int k = 0; k < 2; ++k) {
        ScoreBar* bar = scoreBars_[static_cast<size_t>(k)];
        bar->setGeometry(Place(units, EditorScoreBarRect(k)));
        bar->setVisible(graphic);
        QLabel* label = scoreLabels_[static_cast<size_t>(k)];
        label->adjustSize();
        label->move(static_cast<int>(units.X(kScoreLabelCentreX) - label->width() / 2.0),
                    static_cast<int>(units.Y(EditorScoreLabelTop(k))));
        label->setVisible(!graphic);
    }
    clear_->setGeometry(Place(units, kClearBoardRect));
    reset_->setGeometry(Place(units, kResetBoardRect));
    ok_->setGeometry(Place(units, kEditorOkRect));
    cancel_->setGeometry(Place(units, kEditorCancelRect));
    help_->setGeometry(Place(units, kEditorHelpRect));
    nextToMove_->adjustSize();
    nextToMove_->move(static_cast<int>(units.X(kNextToMovePosition.X)),
                      static_cast<int>(units.Y(kNextToMovePosition.Y)));
    update();
}

void NewPositionEditor::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const platform::UserScale units = EditorUnits(*this);
    for (const BackingBox& box : EditorBackingBoxes(look_.View))
        painter.fillRect(units.Box(box.X1, box.Y1, box.X2, box.Y2),
                         ItemColour(look_.Colours, box.ColourItem));
}

bool NewPositionEditor::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const auto* widget = qobject_cast<QWidget*>(watched);
        if (widget != nullptr && widget->rect().contains(mouse->position().toPoint())) {
            for (int pit = 0; pit < engine::kPits; ++pit) {
                if (watched == pits_[static_cast<size_t>(pit)]) Change(pit, mouse->button());
            }
            for (int k = 0; k < 2; ++k) {
                if (watched == scoreBars_[static_cast<size_t>(k)] ||
                    watched == scoreLabels_[static_cast<size_t>(k)])
                    Change(StoreCell(k), mouse->button());
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void NewPositionEditor::Change(int cell, Qt::MouseButton button) {
    int change = 0;
    if (button == Qt::LeftButton) change = +1;
    if (button == Qt::RightButton) change = -1;
    if (change == 0) return;
    const int changed = game::ChangeStones(board_, cell, change);
    if (changed != 0) Redraw(changed & game::kAllPitsMask);
}

void NewPositionEditor::Redraw(int pitMask) {
    for (int pit = 0; pit < engine::kPits; ++pit) {
        if ((pitMask & game::CellBit(pit)) != 0)
            pits_[static_cast<size_t>(pit)]->ShowCount(
                static_cast<int16_t>(board_[static_cast<size_t>(pit)]));
    }
    const bool graphic = look_.View[settings::kViewGraphicScores];
    for (int k = 0; k < 2; ++k) {
        int32_t& shown = shownStores_[static_cast<size_t>(k)];
        const int32_t store = board_[static_cast<size_t>(StoreCell(k))];
        if (shown != 0 && shown == store) continue;
        ShowScoreText(k == 0 ? ScoreTexts::Top : ScoreTexts::Bottom, record_, board_, CurrentText,
                      scoreLabels_);
        QLabel* label = scoreLabels_[static_cast<size_t>(k)];
        label->move(
            static_cast<int>(EditorUnits(*this).X(kScoreLabelCentreX) - label->width() / 2.0),
            label->y());
        if (graphic)
            scoreBars_[static_cast<size_t>(k)]->DrawScoreChips(
                static_cast<int16_t>(store), static_cast<int16_t>(shown),
                shown == 0 ? ScoreDrawing::Whole : ScoreDrawing::Changes);
        shown = store;
    }
    Validate();
}

void NewPositionEditor::Validate() {
    const game::PositionVerdict verdict = game::JudgePosition(engine_, board_);
    ok_->setEnabled(verdict.Acceptable);
    if (!verdict.Acceptable) return;
    const game::NextToMoveBox box = game::NextToMove(verdict, nextToMove_->isChecked());
    nextToMove_->setEnabled(box.Enabled);
    nextToMove_->setChecked(box.Checked);
}

void NewPositionEditor::done(int result) {
    topHalfToMove_ = nextToMove_->isChecked();
    QDialog::done(result);
}

void NewPositionEditor::keyReleaseEvent(QKeyEvent* event) {
    if (IsHelpKey(event))
        settings::texts::ShowHelpTopic(this, settings::kHelpTopicNewPosition);
    else
        QDialog::keyReleaseEvent(event);
}

}  // namespace zeko::gui
