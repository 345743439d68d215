// One pit of the board of the main window: its stones
// as rows of chips or as a printed count, on a background that marks the move
// indicator and the flash of the computer's move.
#pragma once

#include <QColor>
#include <QSize>
#include <QWidget>
#include <cstdint>
#include <string>

#include "game/board_display.h"
#include "settings/colour_schemes.h"

class QPainter;

namespace zeko::gui {

struct PitColours {
    QColor Background;
    QColor Fore;  // chip outlines and printed counts
    QColor Fill;  // chip fill
};

// The colours of a look: background item 1, 11 or 14; chips item 2, or 12
// under the move indicator.
PitColours LookColours(const settings::ColourTable& table, game::PitLook look);

// Paints a whole pit of `pixels` size: `count` stones as chips (or, with
// graphic chips off, as a printed number) on the background. A count of 0 or
// less shows the bare background.
void DrawPit(QPainter& painter, QSize pixels, int16_t count, bool graphicChips,
             const PitColours& colours);

class PitView : public QWidget {
    Q_OBJECT

  public:
    explicit PitView(QWidget* parent = nullptr);

    // A pit that plays: reached by Tab, pressed by Space or Enter and by an
    // assistive tool's press, each of which sends Pressed.
    void MakeButton();
    bool IsButton() const { return button_; }
    // A press of a button pit, as a click of it.
    void Press();

    int16_t ShownCount() const { return count_; }
    game::PitLook Look() const { return look_; }
    bool GraphicChips() const { return graphicChips_; }

    // Each of these repaints the pit at once, so that the pits of a sowing
    // change one after the other.
    void ShowCount(int16_t count);
    void SetLook(game::PitLook look);
    void SetGraphicChips(bool on);
    void SetColourTable(const settings::ColourTable& table);

    // What a screen reader says of the pit: its letter, its stones, and
    // whether the side to move may play it.
    void SetLetter(const std::string& letter);
    void SetPlayable(bool playable);
    void RefreshAccessibleName();

  signals:
    void Pressed();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    int16_t count_ = 0;
    game::PitLook look_ = game::PitLook::Normal;
    bool graphicChips_ = true;
    std::string letter_;
    bool playable_ = false;
    bool button_ = false;
    settings::ColourTable table_ = settings::kBuiltInTable1;
};

}  // namespace zeko::gui
