#include "gui/dialogs/new_position_geometry.h"

#include <algorithm>
#include <cmath>

#include "engine/board.h"
#include "settings/colour_schemes.h"

namespace zeko::gui {

UnitRect EditorPitRect(int pit) {
    UnitRect rect = PitRect(pit);
    rect.Top -= 1;
    return rect;
}

UnitRect EditorScoreBarRect(int bar) {
    return {18.5, bar == 0 ? 4.0 : 30.5, 60, 3};
}

double EditorScoreLabelTop(int label) {
    return label == 0 ? 4 : 33;
}

std::vector<BackingBox> EditorBackingBoxes(const settings::ViewOptions& view) {
    std::vector<BackingBox> boxes;
    const bool shadow = view[settings::kViewShadow];
    if (shadow) boxes.push_back({19, 9, 80, 30, settings::kShadow});
    boxes.push_back({18.5, 8.5, 79, 29, settings::kBoardBackground});
    if (shadow && view[settings::kViewGraphicScores]) {
        // 26.5 units between the two bars.
        for (const double y0 : {4.5, 31.0})
            boxes.push_back({19, y0, 79.5, y0 + 3, settings::kShadow});
    }
    return boxes;
}

QRect EditorPlacement(const QRect& mainFrame, const QRect& screen, QSize frameExtra) {
    const int height = mainFrame.height();
    const int clientHeight = std::max(height - frameExtra.height(), 1);
    const int width =
        static_cast<int>(std::lround(clientHeight * kEditorAspect)) + frameExtra.width();
    // Halfway into the room between the main window's edge and the screen's.
    const auto place = [](int mainEdge, int screenStart, int screenSize, int size) {
        const int screenEnd = screenStart + screenSize;
        int edge = mainEdge + (screenEnd - mainEdge - size) / 2;
        if (edge + size > screenEnd) edge = screenEnd - size;
        return std::max(edge, screenStart);
    };
    return {place(mainFrame.left(), screen.left(), screen.width(), width),
            place(mainFrame.top(), screen.top(), screen.height(), height), width, height};
}

}  // namespace zeko::gui
