// The level information table of the Tools menu: the nine skill levels, their
// names and how long the computer takes to answer at each on this machine,
// measured each time the dialog is activated and on Recalculate.
#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>

#include "game/level_timing.h"
#include "game/precision_timer.h"
#include "platform/engine_library.h"

class QPushButton;
class QTreeWidget;

namespace zeko::gui {

// Created and shown modally by the main window:
//     LevelInfoDialog table(engine, icon, this);
//     table.exec();
class LevelInfoDialog : public QDialog {
  public:
    // counter: the millisecond counter that times the searches; by default the
    // monotonic clock's.
    LevelInfoDialog(platform::EngineLibrary& engine, const QIcon& programIcon,
                    QWidget* parent = nullptr, std::function<uint32_t()> counter = {});

    // Times the levels and fills the third column. A measurement asked for
    // while one runs (its searches dispatch events) is not started.
    void Measure();
    bool Measuring() const { return measuring_; }
    int Measurements() const { return measurements_; }
    const game::LevelTiming& Timing() const { return timing_; }
    QTreeWidget& Table() { return *table_; }

  protected:
    void changeEvent(QEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

  private:
    platform::EngineLibrary& engine_;
    game::PrecisionTimer timer_;
    game::LevelTiming timing_;
    bool measuring_ = false;
    int measurements_ = 0;

    QTreeWidget* table_;
    QPushButton* recalculateButton_;
    QPushButton* okButton_;
};

}  // namespace zeko::gui
