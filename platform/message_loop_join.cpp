#include "platform/message_loop_join.h"

#include <QCoreApplication>
#include <QTimer>

#include "platform/message_queue.h"

namespace zeko::platform {

MessageLoopJoin::MessageLoopJoin() {
    MessageQueue& queue = ThreadMessageQueue();
    queue.SetLookHook([this] {
        if (looking_) return;  // a look from inside a look: the outer one breathes
        // A deep search looks many thousand times a second; letting Qt run
        // every few milliseconds keeps the windows just as alive and leaves
        // the time to the search.
        if (sinceBreath_.isValid() && sinceBreath_.elapsed() < kBreathIntervalMs) return;
        looking_ = true;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        looking_ = false;
        sinceBreath_.start();
    });
    queue.SetPostHook([this] { ScheduleDispatch(); });
}

MessageLoopJoin::~MessageLoopJoin() {
    *alive_ = false;
    MessageQueue& queue = ThreadMessageQueue();
    queue.SetLookHook({});
    queue.SetPostHook({});
}

void MessageLoopJoin::ScheduleDispatch() {
    std::weak_ptr<bool> alive = alive_;
    QTimer::singleShot(0, [this, alive] {
        if (alive.expired() || !*alive.lock()) return;
        // A message posted during a look belongs to the search that looks:
        // it must find it there, so the event loop waits until the look is over.
        if (looking_) {
            ScheduleDispatch();
            return;
        }
        ThreadMessageQueue().DispatchPending();
    });
}

}  // namespace zeko::platform
