// The millisecond counter that message times and the precision timer read.
#pragma once

#include <cstdint>

namespace zeko::platform {

// Milliseconds from a monotonic clock, truncated to 32 bits: the count wraps
// after 49.7 days, and differences taken as unsigned stay right across it.
uint32_t MillisecondCount();

}  // namespace zeko::platform
