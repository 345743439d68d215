// F1 over a dialog asks for the dialog's help page.
#pragma once

class QKeyEvent;

namespace zeko::gui {

// True, with the event taken, when the key released is F1. A key held down
// repeats its release, which would open the page again and again.
bool IsHelpKey(QKeyEvent* event);

}  // namespace zeko::gui
