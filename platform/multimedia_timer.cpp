#include "platform/multimedia_timer.h"

#include <chrono>

namespace zeko::platform {

uint32_t timeGetTime() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

void timeBeginPeriod(uint32_t) {}
void timeEndPeriod(uint32_t) {}

}  // namespace zeko::platform
