// The dialog that ends a timed game: how it ended, both sides' names and
// stores, a comment on the outcome, and bouncing polygons for a win.
#pragma once

#include <QDialog>
#include <QIcon>
#include <array>
#include <cstdint>
#include <functional>
#include <random>

#include "gui/dialogs/bouncing_polygons.h"
#include "gui/dialogs/result_texts.h"

class QLabel;
class QPushButton;
class QTimer;

namespace zeko::gui {

class PolygonPicture;

// `ResultDialog`, created and shown modally by the game control's window:
//     ResultDialog result(ResultDataOf(record), finalState, programIcon, this);
//     result.exec();
// Texts are those of the current language; the dialog is centred over its
// parent.
class ResultDialog : public QDialog {
    Q_OBJECT

  public:
    // What the animation draws on; empty members take the real ones (a
    // generator seeded from the clock, the time of day).
    struct Environment {
        Random Rnd;
        std::function<double()> SecondsSinceMidnight;
    };

    ResultDialog(const ResultData& outcome, game::GameEnd finalState, const QIcon& programIcon,
                 QWidget* parent = nullptr, Environment environment = {});
    ~ResultDialog() override;

    game::GameEnd FinalState() const { return finalState_; }
    bool BottomWon() const { return bottomWon_; }
    const BouncingPolygons& Animation() const { return animation_; }
    // The animation runs while the dialog is shown.
    bool AnimationRunning() const;

    // One tick of the animation timer: one step of the animation.
    void AnimationStep();

    // The animation's tick: about 60 steps a second, the speed the animation
    // is drawn for.
    static constexpr int kTickMs = 16;

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

  private:
    Environment WithDefaults(Environment environment);

    game::GameEnd finalState_;
    ResultData data_;
    bool bottomWon_;
    std::mt19937 generator_;
    Environment env_;
    BouncingPolygons animation_;
    std::string helpTopic_;

    QTimer* animationTimer_;
    PolygonPicture* picture1_;
    std::array<QLabel*, 6> scoreLabels_{};
    std::array<QLabel*, 2> commentLabels_{};
    QLabel* programIcon_;
    QPushButton* okButton_;
};

}  // namespace zeko::gui
