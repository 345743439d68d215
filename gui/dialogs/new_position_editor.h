// The new-position editor: any position set up with the mouse, stones added
// to and taken from the pits and moved between the stores, 48 always on the
// board. It draws with the main window's pits, score bars and score texts.
#pragma once

#include <QDialog>
#include <QIcon>
#include <array>

#include "game/game_record.h"
#include "game/position_edit.h"
#include "platform/engine_library.h"
#include "settings/colour_schemes.h"
#include "settings/view_options.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace zeko::gui {

class PitView;
class ScoreBar;

// Opened modally by the New Position command:
//     NewPositionEditor editor(editBoard, engine, record, look, topToMove, this);
//     editor.exec();
//     if (editor.NewPosition()) ... editor.TopHalfToMove() ...
// The edit board outlives the editor, which changes it in place: Cancel keeps
// the edits for the next opening.
class NewPositionEditor : public QDialog {
    Q_OBJECT

  public:
    // How the main window looks now: the editor takes its colours, options and icon.
    struct Look {
        settings::ColourTable Colours{};
        settings::ViewOptions View = settings::kDefaultView;
        QIcon Icon;
    };

    // `record` gives the players' names and the kind of game; `topHalfToMove`
    // the side to show as moving next.
    NewPositionEditor(game::Board& editBoard, platform::EngineLibrary& engine,
                      const game::GameRecord& record, const Look& look, bool topHalfToMove,
                      QWidget* parent = nullptr);
    ~NewPositionEditor() override;

    // True when the user accepted the position with OK.
    bool NewPosition() const { return newPosition_; }
    // Whether the top half moves next, as the check box said when the editor closed.
    bool TopHalfToMove() const { return topHalfToMove_; }

    // Places the editor beside `main`, as high as it.
    void PlaceBeside(const QWidget& main);

    // For tests: the parts as the editor shows them.
    PitView& Pit(int pit) { return *pits_[static_cast<size_t>(pit)]; }
    ScoreBar& ScoreBarOf(int k) { return *scoreBars_[static_cast<size_t>(k)]; }
    QLabel& ScoreLabel(int k) { return *scoreLabels_[static_cast<size_t>(k)]; }
    QCheckBox& NextToMoveBox() { return *nextToMove_; }
    QPushButton& OkButton() { return *ok_; }
    QPushButton& CancelButton() { return *cancel_; }
    QPushButton& HelpButton() { return *help_; }
    QPushButton& ClearButton() { return *clear_; }
    QPushButton& ResetButton() { return *reset_; }

    void done(int result) override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void SetTexts();
    void ApplyColours();
    void Layout();
    void FitTexts();
    void Redraw(int pitMask);
    void Validate();
    void Change(int cell, Qt::MouseButton button);

    game::Board& board_;
    platform::EngineLibrary& engine_;
    Look look_;
    const game::GameRecord& record_;
    game::Board savedBoard_;
    bool savedTopToMove_;
    bool newPosition_ = false;
    bool topHalfToMove_;
    // The stores the score displays were last drawn for; 0: never.
    std::array<int32_t, 2> shownStores_{};

    std::array<PitView*, engine::kPits> pits_{};
    std::array<ScoreBar*, 2> scoreBars_{};
    std::array<QLabel*, 2> scoreLabels_{};
    QCheckBox* nextToMove_;
    QPushButton* ok_;
    QPushButton* cancel_;
    QPushButton* help_;
    QPushButton* reset_;
    QPushButton* clear_;
};

}  // namespace zeko::gui
