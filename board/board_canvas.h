// The main window's client area: the board backing, the twelve pits with
// their letters, the score texts and bars, the clock face, the time bar and
// the welcome screen, laid out in window units (15, -2)-(82, 40).
#pragma once

#include <QWidget>
#include <array>

#include "engine/board.h"
#include "game/presentation.h"
#include "settings/colour_schemes.h"

class QLabel;

namespace zeko::board {

class AdvanceBar;
class ClockBack;
class FieldPanel;
class ScoreBar;
class Welcome;
class frmZeko;

class BoardCanvas : public QWidget {
  public:
    explicit BoardCanvas(frmZeko& window);

    void Layout();
    void SetTexts();
    void ApplyColours(const settings::ColourTable& colours, bool monochrome);

    void ShowWelcome();
    void HideWelcome();
    bool WelcomeVisible() const;
    void ShowAbout();
    void ShowResult(int finalState);

    void ShowPosition(bool full, const engine::Board& old, const engine::Board& now);
    void PaintField(int pit, game::FieldLook look);
    void SetPointers(game::Pointer window, const std::array<game::Pointer, 12>& pits);
    void RepaintFields();
    void ShowFieldLabels(bool visible);

    void ShowScoreTexts();
    void ShowScoreDisplays(bool graphic);
    void RepaintScoreBars();

    void RepaintClockFace();
    void ShowClockTime(int seconds, bool full);
    void SetTimeBar(int halfSeconds, bool incremental);
    void DrawClockColon(bool on);
    void ShowClock(bool face, bool bar);

    // For tests and the screenshot: the widgets as the window shows them.
    FieldPanel& Field(int pit) { return *fields_[static_cast<size_t>(pit)]; }
    QLabel& FieldLabel(int pit) { return *fieldLabels_[static_cast<size_t>(pit)]; }
    ScoreBar& GrScores(int k) { return *grScores_[static_cast<size_t>(k)]; }
    QLabel& ScoreLabel(int k) { return *scoreLabels_[static_cast<size_t>(k)]; }
    ClockBack& Clock() { return *clockBack_; }
    AdvanceBar& TimeBar() { return *advanceBar_; }
    Welcome& WelcomeScreen() { return *welcome_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QCursor PointerCursor(game::Pointer pointer) const;
    void FirstPaint();
    // Centred on their column by their current width.
    void PlaceScoreLabels();

    frmZeko& window_;
    std::array<FieldPanel*, 12> fields_{};
    std::array<QLabel*, 12> fieldLabels_{};
    std::array<ScoreBar*, 2> grScores_{};
    std::array<QLabel*, 2> scoreLabels_{};
    ClockBack* clockBack_ = nullptr;
    AdvanceBar* advanceBar_ = nullptr;
    Welcome* welcome_ = nullptr;
    QIcon icon_;
    QCursor playable_;
    bool firstPaintDone_ = false;
};

}  // namespace zeko::board
