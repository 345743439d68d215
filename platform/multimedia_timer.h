// The multimedia timer's millisecond counter.
#pragma once

#include <cstdint>

namespace zeko::platform {

// Milliseconds from a monotonic clock, truncated to 32 bits so that it wraps
// like the system's counter does after 49.7 days.
uint32_t timeGetTime();

// Timer resolution requests. The monotonic clock already counts in
// milliseconds, so these only keep the requests balanced.
void timeBeginPeriod(uint32_t milliseconds);
void timeEndPeriod(uint32_t milliseconds);

}  // namespace zeko::platform
