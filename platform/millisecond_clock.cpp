#include "platform/millisecond_clock.h"

#include <chrono>

namespace zeko::platform {

uint32_t MillisecondCount() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

}  // namespace zeko::platform
