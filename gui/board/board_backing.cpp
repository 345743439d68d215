#include "gui/board/board_backing.h"

#include <QPainter>

#include "gui/board/board_geometry.h"
#include "gui/board/board_style.h"
#include "platform/user_scale.h"

namespace zeko::gui {

void PaintBoardBacking(QPainter& painter, const platform::UserScale& window,
                       const settings::ViewOptions& view, const settings::ColourTable& table) {
    painter.fillRect(QRect(QPoint(0, 0), window.Pixels()),
                     ItemColour(table, settings::kZekoBackground));
    for (const BackingBox& box : BoardBackingBoxes(view))
        painter.fillRect(window.Box(box.X1, box.Y1, box.X2, box.Y2),
                         ItemColour(table, box.ColourItem));
}

}  // namespace zeko::gui
