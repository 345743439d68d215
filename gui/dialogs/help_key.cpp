#include "gui/dialogs/help_key.h"

#include <QKeyEvent>

namespace zeko::gui {

bool IsHelpKey(QKeyEvent* event) {
    if (event->key() != Qt::Key_F1 || event->isAutoRepeat()) return false;
    event->accept();
    return true;
}

}  // namespace zeko::gui
