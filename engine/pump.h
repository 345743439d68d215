// The engine's look at the host's message queue during a deep search.
#pragma once

#include <cstdint>

namespace zeko::engine {

// Set when a StopSearch message is seen; cleared when a search export starts.
// The only state that outlives an engine call.
extern int32_t stopflag;

// Dispatches every waiting window message of the host and returns stopflag.
int32_t pumpmessages();

}  // namespace zeko::engine
