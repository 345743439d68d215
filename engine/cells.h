// The search's compact position: the fourteen counts as bytes of one 16-byte
// vector, so that copying, comparing and sowing are single vector operations.
#pragma once

#include <cstdint>

namespace zeko::engine {

using Cells = uint8_t __attribute__((vector_size(16)));

// Lanes 14 and 15 hold no cell; they are zero in every position.
inline constexpr int kSpareLane = 14;

}  // namespace zeko::engine
