// A failure shown to the user: a modal message box with the critical-stop
// icon, the error's source as title and its text, and the OK button of the
// current language.
#pragma once

#include <string>

class QWidget;

namespace zeko::gui {

void ShowErrorBox(QWidget* parent, const std::string& source, const std::string& description);

}  // namespace zeko::gui
