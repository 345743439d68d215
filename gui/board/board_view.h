// The main window's client area: the board backing, the twelve pits with their
// letters, the score texts and bars, the clock face, the time bar and the
// welcome screen, laid out in window units (15, -2)-(82, 40). It draws what the
// game control tells it and forwards clicks; it opens nothing itself.
#pragma once

#include <QWidget>
#include <array>

#include "game/board_display.h"
#include "game/game_record.h"
#include "game/play_options.h"
#include "gui/board/accessible_texts.h"
#include "settings/colour_schemes.h"

class QLabel;

namespace zeko::gui {

class TimeBar;
class ClockFace;
class PitView;
class ScoreBar;
class WelcomeScreen;

class BoardView : public QWidget, public game::BoardDisplay {
    Q_OBJECT

  public:
    explicit BoardView(QWidget* parent);
    // The game the view draws, with its options; both outlive the view. Set
    // once, before the view is shown.
    void SetGame(const game::GameRecord& record, const game::PlayOptions& options);

    void Layout();
    void SetTexts();
    void ApplyColours(const settings::ColourTable& colours);

    // Moves the keyboard's focus from the pit that has it to the next one
    // on the board in the direction of the arrow key `key`; false when no
    // pit has the focus or the key is no arrow.
    bool MovePitFocus(int key);

    void ShowWelcome();
    void RepaintPits();
    void ShowPitLabels(bool visible);
    void ShowScoreDisplays(bool graphic);
    void RepaintScoreBars();

    // game::BoardDisplay
    void ShowPosition(bool full, const engine::Board& old, const engine::Board& now) override;
    void PaintPit(int pit, game::PitLook look) override;
    void SetPointers(game::Pointer window,
                     const std::array<game::Pointer, engine::kPits>& pits) override;
    void RepaintClockFace() override;
    void ShowClockTime(int seconds, bool full) override;
    void SetTimeBar(int halfSeconds, bool incremental) override;
    void DrawClockColon(bool on) override;
    void ShowClock(bool face, bool bar) override;
    void ShowScoreTexts() override;
    void HideWelcome() override;
    bool WelcomeVisible() const override;

    // For tests and the screenshot: the widgets as the window shows them.
    PitView& Pit(int pit) { return *pits_[static_cast<size_t>(pit)]; }
    QLabel& PitLabel(int pit) { return *pitLabels_[static_cast<size_t>(pit)]; }
    ScoreBar& ScoreBarOf(int k) { return *scoreBars_[static_cast<size_t>(k)]; }
    QLabel& ScoreLabel(int k) { return *scoreLabels_[static_cast<size_t>(k)]; }
    ClockFace& Clock() { return *clockFace_; }
    TimeBar& TimeBarView() { return *timeBar_; }
    WelcomeScreen& Welcome() { return *welcome_; }

  signals:
    void PitClicked(int pit);
    void WelcomeDismissed();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QCursor PointerCursor(game::Pointer pointer) const;
    int FocusedPit() const;
    void FirstPaint();
    // Centred on their column by their current width.
    void PlaceScoreLabels();

    const game::GameRecord* record_ = nullptr;
    const game::PlayOptions* options_ = nullptr;
    settings::ColourTable colours_{};
    std::array<PitView*, engine::kPits> pits_{};
    std::array<QLabel*, engine::kPits> pitLabels_{};
    std::array<ScoreBar*, 2> scoreBars_{};
    std::array<QLabel*, 2> scoreLabels_{};
    ClockFace* clockFace_ = nullptr;
    TimeBar* timeBar_ = nullptr;
    WelcomeScreen* welcome_ = nullptr;
    QCursor playable_;
    bool firstPaintDone_ = false;
    Turn turn_ = Turn::Wait;
};

}  // namespace zeko::gui
