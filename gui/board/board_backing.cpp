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
        painter.fillRect(window.Box(box.x1, box.y1, box.x2, box.y2),
                         ItemColour(table, box.colourItem));
}

}  // namespace zeko::gui
