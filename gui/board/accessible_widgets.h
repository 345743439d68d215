// What the accessibility tree shows of the program's own widgets: the
// board's pits as buttons that play, and none of the decorative children (the
// clock's digits, the pits' letters) beside the widgets that say it all.
#pragma once

class QWidget;

namespace zeko::gui {

// Makes Qt ask here first for the widgets' accessible interfaces; once is
// enough, more calls change nothing.
void InstallAccessibleWidgets();

// Leaves `widget` out of its parent's accessible children, where the parent
// is the board view or the clock face.
void HideFromAccessibility(QWidget& widget);

}  // namespace zeko::gui
