// Where the new-position editor's parts lie, in its own window units
// (15, 3)-(85, 50): the main window's board one unit higher, the score bars
// closer to it, the buttons and the check box below, and the editor's size
// and place beside the main window.
#pragma once

#include <QRect>
#include <vector>

#include "gui/board/board_geometry.h"

namespace zeko::gui {

inline constexpr double kEditorLeft = 15;
inline constexpr double kEditorTop = 3;
inline constexpr double kEditorRight = 85;
inline constexpr double kEditorBottom = 50;
// The client area's proportion, width to height.
inline constexpr double kEditorAspect = 7 / 4.3;

UnitRect EditorPitRect(int pit);
// 0 the top half's store, 1 the bottom half's.
UnitRect EditorScoreBarRect(int bar);
// The score texts are centred on kScoreLabelCentreX at these top edges.
double EditorScoreLabelTop(int label);

inline constexpr UnitRect kClearBoardRect{18.5, 37, 12, 4};
inline constexpr UnitRect kResetBoardRect{18.5, 42, 12, 4};
inline constexpr UnitPoint kNextToMovePosition{38, 37};
inline constexpr UnitRect kEditorOkRect{68, 36, 10, 3.5};
inline constexpr UnitRect kEditorCancelRect{68, 40.5, 10, 3.5};
inline constexpr UnitRect kEditorHelpRect{68, 45, 10, 3.5};
// The check box may reach to the buttons on its right.
inline constexpr double kNextToMoveWidth = kEditorOkRect.Left - kNextToMovePosition.X - 1;

// The shadows, half a unit right of and below their elements, and the board
// backing, in painting order, as the view options call for them.
std::vector<BackingBox> EditorBackingBoxes(const settings::ViewOptions& view);

// The editor's frame: as high as the main window, its client area in the
// proportion kEditorAspect, halfway between the main window's left (top) edge
// and the screen's right (bottom) edge, kept on the screen.
QRect EditorPlacement(const QRect& mainFrame, const QRect& screen, QSize frameExtra);

}  // namespace zeko::gui
