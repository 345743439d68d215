// The window menu (system menu) of a window, as a model the program edits with
// the Win32-shaped operations; the window manager draws its own menu, so what
// reaches the real window is the part it can show: without Maximize there is
// no maximize button, without Size no resizing from the frame's menu.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class QWidget;

namespace zeko::platform {

inline constexpr uint32_t SC_SIZE = 61440;
inline constexpr uint32_t SC_MOVE = 61456;
inline constexpr uint32_t SC_MINIMIZE = 61472;
inline constexpr uint32_t SC_MAXIMIZE = 61488;
inline constexpr uint32_t SC_CLOSE = 61536;
inline constexpr uint32_t SC_RESTORE = 61728;
inline constexpr uint32_t SC_TASKLIST = 61744;

struct WindowMenuItem {
    uint32_t id;  // 0 for a separator
    std::string text;
};

class WindowMenu {
  public:
    // A new window's menu: Restore, Move, Size, Minimize, Maximize, a
    // separator, Close, a separator and Switch To.
    WindowMenu();

    int GetMenuItemCount() const { return static_cast<int>(items_.size()); }
    // The command of the item at position; -1 outside the menu.
    int64_t GetMenuItemID(int position) const;
    // Gives the item with command id a new text (keeping its command).
    bool ModifyMenuA(uint32_t id, const std::string& text);
    // Removes the first item with command id (0: a separator).
    bool DeleteMenu(uint32_t id);

    bool Contains(uint32_t id) const;
    const std::vector<WindowMenuItem>& Items() const { return items_; }

  private:
    std::vector<WindowMenuItem> items_;
};

// The model that belongs to a window, made on first use and destroyed with it.
WindowMenu& GetSystemMenu(QWidget* window);

// Makes the real window follow its model: no maximize button without
// Maximize.
void ApplyWindowMenu(QWidget* window);

}  // namespace zeko::platform
