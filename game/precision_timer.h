// Elapsed time in milliseconds, for timing the engine.
#pragma once

#include <cstdint>
#include <functional>

namespace zeko::game {

class PrecisionTimer {
  public:
    static constexpr uint32_t kAlreadyStarted = 0x80BB1B64u;  // object error base + 12000100
    static constexpr uint32_t kNotStarted = 0x80BB1B65u;      // object error base + 12000101

    // counter: the millisecond counter, a wrapping 32-bit value; by default the
    // monotonic clock's.
    explicit PrecisionTimer(std::function<uint32_t()> counter = {});

    void StartTimer();
    void StopTimer();
    bool Running() const { return running_; }
    int32_t ElapsedTime() const { return elapsed_; }

  private:
    std::function<uint32_t()> counter_;
    uint32_t start_ = 0;
    uint32_t stop_ = 0;
    bool running_ = false;
    int32_t elapsed_ = 0;
};

}  // namespace zeko::game
