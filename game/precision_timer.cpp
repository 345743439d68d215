#include "game/precision_timer.h"

#include "platform/millisecond_clock.h"
#include "platform/numbered_error.h"

namespace zeko::game {

PrecisionTimer::PrecisionTimer(std::function<uint32_t()> counter)
    : counter_(counter ? std::move(counter)
                       : std::function<uint32_t()>(platform::MillisecondCount)) {}

void PrecisionTimer::StartTimer() {
    if (running_)
        throw platform::NumberedError(kAlreadyStarted, "PrecisionTimer", "Timer already started");
    start_ = counter_();
    running_ = true;
}

void PrecisionTimer::StopTimer() {
    if (!running_)
        throw platform::NumberedError(kNotStarted, "PrecisionTimer", "Timer not started yet");
    stop_ = counter_();
    // Unsigned subtraction is the true difference across the counter's wrap.
    elapsed_ = static_cast<int32_t>(stop_ - start_);
    running_ = false;
}

}  // namespace zeko::game
