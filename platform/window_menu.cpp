#include "platform/window_menu.h"

#include <QObject>
#include <QWidget>
#include <algorithm>

namespace zeko::platform {

WindowMenu::WindowMenu()
    : items_{{SC_RESTORE, "&Restore"},
             {SC_MOVE, "&Move"},
             {SC_SIZE, "&Size"},
             {SC_MINIMIZE, "Mi&nimize"},
             {SC_MAXIMIZE, "Ma&ximize"},
             {0, ""},
             {SC_CLOSE, "&Close\tAlt+F4"},
             {0, ""},
             {SC_TASKLIST, "S&witch To..."}} {}

int64_t WindowMenu::GetMenuItemID(int position) const {
    if (position < 0 || position >= GetMenuItemCount()) return -1;
    return items_[static_cast<size_t>(position)].id;
}

bool WindowMenu::ModifyMenuA(uint32_t id, const std::string& text) {
    const auto it = std::find_if(items_.begin(), items_.end(),
                                 [id](const WindowMenuItem& item) { return item.id == id; });
    if (it == items_.end()) return false;
    it->text = text;
    return true;
}

bool WindowMenu::DeleteMenu(uint32_t id) {
    const auto it = std::find_if(items_.begin(), items_.end(),
                                 [id](const WindowMenuItem& item) { return item.id == id; });
    if (it == items_.end()) return false;
    items_.erase(it);
    return true;
}

bool WindowMenu::Contains(uint32_t id) const {
    return std::any_of(items_.begin(), items_.end(),
                       [id](const WindowMenuItem& item) { return item.id == id; });
}

namespace {

// Carries a window's menu model as a child object, so it lives as long as the
// window does.
class WindowMenuHolder : public QObject {
  public:
    explicit WindowMenuHolder(QObject* parent) : QObject(parent) {
        setObjectName(QStringLiteral("zeko-window-menu"));
    }
    WindowMenu menu;
};

}  // namespace

WindowMenu& GetSystemMenu(QWidget* window) {
    for (QObject* child : window->children()) {
        if (auto* holder = dynamic_cast<WindowMenuHolder*>(child)) return holder->menu;
    }
    return (new WindowMenuHolder(window))->menu;
}

void ApplyWindowMenu(QWidget* window) {
    const WindowMenu& menu = GetSystemMenu(window);
    const bool maximize = menu.Contains(SC_MAXIMIZE);
    if (window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint) != maximize)
        window->setWindowFlag(Qt::WindowMaximizeButtonHint, maximize);
}

}  // namespace zeko::platform
