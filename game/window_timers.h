// The four timers of the main window that drive play.
#pragma once

#include <cstddef>

namespace zeko::game {

enum class TimerId { Event, Delay, Flash, Clock };
inline constexpr std::size_t kTimerCount = 4;

// Arms and disarms the window's timers; the window implements it with QTimer,
// tests fire the ticks themselves.
class WindowTimers {
  public:
    virtual ~WindowTimers() = default;
    virtual void SetTimer(TimerId id, bool enabled, int intervalMs) = 0;
};

}  // namespace zeko::game
