// The user-interface thread's window-message queue, behind the message
// functions of engine/host_messages.h (defined in message_queue.cpp with C
// linkage and exported from the program, where the engine finds them during a
// search).
//
// The queue is the thread's own, so there is exactly one: ThreadMessageQueue().
// The windowing layer joins it to its event loop through two hooks: every look
// at the queue first lets the event loop handle its pending events, and every
// post asks the event loop to dispatch the queue later, so that a message no
// search takes is still delivered and never stops a later search.
#pragma once

#include <deque>
#include <functional>
#include <map>

#include "engine/host_messages.h"

namespace zeko::platform {

using WindowProcedure = std::function<void(const MSG&)>;

class MessageQueue {
  public:
    // Messages posted to a window are delivered to its procedure on dispatch.
    void RegisterWindow(void* window, WindowProcedure procedure);
    void UnregisterWindow(void* window);

    // Run at the start of every PeekMessageA (lets the event loop breathe).
    void SetLookHook(std::function<void()> hook) { lookHook_ = std::move(hook); }
    // Run after every PostMessageA (lets the event loop schedule DispatchPending).
    void SetPostHook(std::function<void()> hook) { postHook_ = std::move(hook); }
    void RunLookHook() {
        if (lookHook_) lookHook_();
    }

    bool Post(void* window, uint32_t message, uintptr_t wParam, intptr_t lParam);
    bool Peek(MSG* msg, void* window, uint32_t filterMin, uint32_t filterMax, bool remove);
    intptr_t Dispatch(const MSG& msg);
    // Dispatches every waiting message; the event loop's part.
    void DispatchPending();

    size_t Size() const { return messages_.size(); }
    void Clear() { messages_.clear(); }

  private:
    std::deque<MSG> messages_;
    std::map<void*, WindowProcedure> windows_;
    std::function<void()> lookHook_;
    std::function<void()> postHook_;
};

MessageQueue& ThreadMessageQueue();

}  // namespace zeko::platform
