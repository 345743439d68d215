#include "platform/message_queue.h"

#include "platform/millisecond_clock.h"

namespace zeko::platform {

namespace {

bool Matches(const MSG& msg, void* window, uint32_t filterMin, uint32_t filterMax) {
    if (window != nullptr && msg.hwnd != window) return false;
    if (filterMin == 0 && filterMax == 0) return true;
    return msg.message >= filterMin && msg.message <= filterMax;
}

}  // namespace

void MessageQueue::RegisterWindow(void* window, WindowProcedure procedure) {
    windows_[window] = std::move(procedure);
}

void MessageQueue::UnregisterWindow(void* window) {
    windows_.erase(window);
    std::erase_if(messages_, [window](const MSG& msg) { return msg.hwnd == window; });
}

bool MessageQueue::Post(void* window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    MSG msg{};
    msg.hwnd = window;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = MillisecondCount();
    messages_.push_back(msg);
    if (postHook_) postHook_();
    return true;
}

bool MessageQueue::Peek(MSG* msg, void* window, uint32_t filterMin, uint32_t filterMax,
                        bool remove) {
    for (auto it = messages_.begin(); it != messages_.end(); ++it) {
        if (!Matches(*it, window, filterMin, filterMax)) continue;
        if (msg != nullptr) *msg = *it;
        if (remove) messages_.erase(it);
        return true;
    }
    return false;
}

intptr_t MessageQueue::Dispatch(const MSG& msg) {
    const auto it = windows_.find(msg.hwnd);
    if (it == windows_.end()) return 0;
    // A copy: the procedure may unregister its own window.
    const WindowProcedure procedure = it->second;
    procedure(msg);
    return 0;
}

void MessageQueue::DispatchPending() {
    MSG msg;
    while (Peek(&msg, nullptr, 0, 0, true))
        Dispatch(msg);
}

MessageQueue& ThreadMessageQueue() {
    static MessageQueue queue;
    return queue;
}

}  // namespace zeko::platform

using zeko::platform::ThreadMessageQueue;

extern "C" {

// Exported from the program for the engine library, which looks them up at run
// time; visibility stays default even where the build hides symbols.
__attribute__((visibility("default"))) int PeekMessageA(MSG* msg, void* hwnd, uint32_t filterMin,
                                                        uint32_t filterMax, uint32_t remove) {
    auto& queue = ThreadMessageQueue();
    queue.RunLookHook();
    return queue.Peek(msg, hwnd, filterMin, filterMax, (remove & PM_REMOVE) != 0) ? 1 : 0;
}

// Never blocks: the one thread that would wait is the one that must post.
// With nothing to take it reports an error (-1), as for an invalid call.
__attribute__((visibility("default"))) int GetMessageA(MSG* msg, void* hwnd, uint32_t filterMin,
                                                       uint32_t filterMax) {
    if (msg == nullptr) return -1;
    if (!ThreadMessageQueue().Peek(msg, hwnd, filterMin, filterMax, true)) return -1;
    return 1;
}

__attribute__((visibility("default"))) intptr_t DispatchMessageA(const MSG* msg) {
    return msg != nullptr ? ThreadMessageQueue().Dispatch(*msg) : 0;
}

__attribute__((visibility("default"))) int PostMessageA(void* hwnd, uint32_t message,
                                                        uintptr_t wParam, intptr_t lParam) {
    return ThreadMessageQueue().Post(hwnd, message, wParam, lParam) ? 1 : 0;
}

}  // extern "C"
