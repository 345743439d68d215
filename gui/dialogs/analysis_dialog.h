// The analysis dialog of the Tools menu: every pit of the side to move valued
// by the engine (win or loss in so many moves, illegal, or a score), and on
// request the main line from the best pit. The searches run on this thread;
// the engine's looks at the message queue keep the dialog alive meanwhile, and
// Cancel stops them with the StopSearch message.
#pragma once

#include <QDialog>
#include <array>
#include <cstdint>

#include "engine/board.h"
#include "gui/dialogs/analysis_texts.h"
#include "platform/engine_library.h"
#include "platform/numbered_error.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QTimer;

namespace zeko::gui {

class PitCaptions;

// Created and shown modally by the main window:
//     AnalysisDialog analysis(engine, board, rotated, opening, icon, this);
//     analysis.SetAnalysisLevel(level); analysis.SetAnalysisMainLine(line);
//     analysis.PlaceClearOf(pits, *this);
//     analysis.exec();  // then read the three properties back
// rotated: two people play and the top half is to move, so the dialog
// analyses the board turned round and shows the top half's pits. opening:
// the game's opening flag, under which the first move must reach the other
// row; the pits it forbids show as illegal and start no main line.
class AnalysisDialog : public QDialog {
    Q_OBJECT

  public:
    AnalysisDialog(platform::EngineLibrary& engine, const engine::Board& board, bool rotated,
                   bool opening, const QIcon& programIcon, QWidget* parent = nullptr);
    ~AnalysisDialog() override;

    int16_t AnalysisLevel() const { return level_; }
    void SetAnalysisLevel(int16_t level);  // 1-16; others are brought into that range
    bool AnalysisMainLine() const { return mainLine_; }
    void SetAnalysisMainLine(bool on);
    bool AnalysisMade() const { return made_; }
    void SetAnalysisMade(bool made) { made_ = made; }

    // Places the dialog beside `owner` so that it leaves `pits` (screen
    // coordinates) in view, when the screen has room for that.
    void PlaceClearOf(const QRect& pits, const QWidget& owner);

    AnalysisState State() const { return state_; }
    // The caption under pit label i (0-5), the pit letter above it, and the
    // main line as shown.
    QString PitCaption(int label) const;
    QString PitLetter(int label) const;
    QString MainLineShown() const;

    // The progress timer's interval.
    static constexpr int kProgressIntervalMs = 2500;

  public slots:
    void reject() override;

  protected:
    void keyReleaseEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void Analyze();
    void CalculateMainLine();
    void RunMainLine();
    void OkOrCancel();
    void ShowProgress();
    void ShowState(AnalysisState state);
    bool Searching() const;
    void ShowEngineError(const platform::NumberedError& error);

    platform::EngineLibrary& engine_;
    const engine::Board board_;  // the side to move owns cells 0-5
    const bool rotated_;
    const bool opening_;
    int16_t level_ = kFirstAnalysisLevel;
    bool mainLine_ = true;
    bool made_ = false;
    AnalysisState state_ = AnalysisState::Loaded;
    int32_t bestPit_ = 0;
    // Shared with the engine while it searches; the progress reads it.
    std::array<int32_t, kAnalysisLevels + 1> work_{};

    QGroupBox* levelFrame_;
    QComboBox* levelList_;
    QPushButton* analyzeButton_;
    QPushButton* mainLineButton_;
    QCheckBox* mainLineCheck_;
    QFrame* statusFrame_;
    QLabel* statusLabel_;
    QLabel* progressLabel_;
    PitCaptions* captions_;
    QPushButton* okCancelButton_;
    QPushButton* helpButton_;
    QTimer* progressTimer_;
};

}  // namespace zeko::gui
