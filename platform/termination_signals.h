// The requests to end that reach the program as signals: SIGTERM (a session
// manager at logout, a plain kill), SIGINT (Ctrl+C in a terminal) and SIGHUP
// (its terminal gone). Their handler only writes to a pipe that the event
// loop watches, so that the program ends from the loop, as its Exit command
// ends it.
#pragma once

#include <array>
#include <functional>
#include <memory>

#include <signal.h>

class QSocketNotifier;

namespace zeko::platform {

class TerminationSignals {
  public:
    // Calls `onSignal` on the event loop once for the signals that have come
    // since its last call. One object at a time; without a pipe the signals
    // keep their default action, and a signal ignored from the start stays
    // ignored.
    explicit TerminationSignals(std::function<void()> onSignal);
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;
    // The handlers from before it again.
    ~TerminationSignals();

    bool Watching() const { return notifier_ != nullptr; }

  private:
    void Drain();

    std::function<void()> onSignal_;
    std::array<int, 2> pipe_{-1, -1};
    std::unique_ptr<QSocketNotifier> notifier_;
    std::array<struct sigaction, 3> previous_{};
};

}  // namespace zeko::platform
