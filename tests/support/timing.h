// Wall-clock limits: checked in the release build alone, since the
// sanitizers and unoptimised builds make every step several times slower.
// tests/support/CMakeLists.txt says which build checks them.
#pragma once

#include <gtest/gtest.h>

namespace zeko::testing {
inline constexpr bool kTimingChecked = ZEKO_TIMING_CHECKS;
}  // namespace zeko::testing

// EXPECT_LT(elapsed, limit) where timing is checked; takes a message with <<.
#define EXPECT_FASTER_THAN(elapsed, limit)      \
    switch (0)                                  \
    case 0:                                     \
    default:                                    \
        if (!::zeko::testing::kTimingChecked) { \
        } else                                  \
            EXPECT_LT(elapsed, limit)
