#include "game/event_ring.h"

namespace zeko::game {

size_t EventRing::Pending() const {
    size_t pending = overflow_.size();
    for (int i = 1; i <= kSlots; ++i)
        pending += Slot(i) != kNoEvent;
    return pending;
}

void EventRing::Post(Event event) {
    const int next = After(writeIndex_);
    if (Slot(next) != kNoEvent || !overflow_.empty()) {
        overflow_.push_back(event);
    } else {
        writeIndex_ = next;
        Slot(next) = event;
    }
}

Event EventRing::Take() {
    if (Pending() == 0) return kNoEvent;
    readIndex_ = After(readIndex_);
    handling_ = true;
    return Slot(readIndex_);
}

void EventRing::Done() {
    if (!handling_) return;
    handling_ = false;
    Slot(readIndex_) = kNoEvent;
    while (!overflow_.empty() && Slot(After(writeIndex_)) == kNoEvent) {
        writeIndex_ = After(writeIndex_);
        Slot(writeIndex_) = overflow_.front();
        overflow_.pop_front();
    }
}

void EventRing::DropPlayEvents() {
    const auto drop = [](Event& event) {
        if (event != kNoEvent && event != kCloseWindow) event = kDroppedEvent;
    };
    for (int i = 1; i <= kSlots; ++i) {
        if (handling_ && i == readIndex_) continue;
        drop(Slot(i));
    }
    for (Event& event : overflow_)
        drop(event);
}

}  // namespace zeko::game
