// Joins the thread's window-message queue to Qt's event loop: a look at the
// queue during a search first lets Qt handle its pending events (timers,
// painting, input), at most once every few milliseconds, and a message that
// no search takes is dispatched by the event loop, so it never stops a later
// search.
#pragma once

#include <QElapsedTimer>
#include <memory>

namespace zeko::platform {

class MessageLoopJoin {
  public:
    MessageLoopJoin();
    ~MessageLoopJoin();
    MessageLoopJoin(const MessageLoopJoin&) = delete;
    MessageLoopJoin& operator=(const MessageLoopJoin&) = delete;

    // The shortest time between two looks that let Qt handle its events.
    static constexpr int kBreathIntervalMs = 5;

  private:
    void ScheduleDispatch();

    bool looking_ = false;
    QElapsedTimer sinceBreath_;
    // Guards the callbacks queued in the event loop against outliving us.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace zeko::platform
