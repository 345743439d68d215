// The ring of ten slots that play events wait in, taken one per tick of the
// event timer.
#pragma once

#include <array>
#include <cstddef>
#include <deque>

#include "game/play_event.h"

namespace zeko::game {

class EventRing {
  public:
    static constexpr int kSlots = 10;

    // Queues an event. A slot still waiting is never overwritten: events that
    // find the ring full wait behind it, in order, and move in as slots free up.
    void Post(Event event);
    // Takes the next waiting event into the slot being handled; kNoEvent when
    // none waits.
    Event Take();
    // Frees the slot being handled and lets waiting events move in.
    void Done();
    size_t Pending() const;
    // The old game's queued steps become kDroppedEvent in place, so the ring
    // keeps its shape; closing the window stays, and so does the slot being
    // handled.
    void DropPlayEvents();

  private:
    static int After(int slot) { return slot % kSlots + 1; }
    Event& Slot(int slot) { return slots_[static_cast<size_t>(slot)]; }
    Event Slot(int slot) const { return slots_[static_cast<size_t>(slot)]; }

    std::array<Event, kSlots + 1> slots_{};  // slots 1-10 used
    int writeIndex_ = 0;
    int readIndex_ = 0;
    bool handling_ = false;
    std::deque<Event> overflow_;
};

}  // namespace zeko::game
