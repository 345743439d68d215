#include "engine/pump.h"

#include <dlfcn.h>

#include "engine/host_messages.h"

namespace zeko::engine {

int32_t stopflag = 0;

namespace {

// The host's message functions, looked up once; a host without them (a test,
// a tool) simply has no messages.
struct HostQueue {
    PeekMessageA_fn peek = nullptr;
    GetMessageA_fn get = nullptr;
    DispatchMessageA_fn dispatch = nullptr;

    HostQueue() {
        peek = reinterpret_cast<PeekMessageA_fn>(dlsym(RTLD_DEFAULT, "PeekMessageA"));
        get = reinterpret_cast<GetMessageA_fn>(dlsym(RTLD_DEFAULT, "GetMessageA"));
        dispatch = reinterpret_cast<DispatchMessageA_fn>(dlsym(RTLD_DEFAULT, "DispatchMessageA"));
    }
    bool present() const { return peek != nullptr && get != nullptr && dispatch != nullptr; }
};

const HostQueue& hostQueue() {
    static const HostQueue queue;
    return queue;
}

}  // namespace

int32_t pumpmessages() {
    const HostQueue& queue = hostQueue();
    if (!queue.present()) return stopflag;
    MSG msg{};
    while (queue.peek(&msg, nullptr, 0, 0, PM_NOREMOVE) != 0) {
        queue.get(&msg, nullptr, 0, 0);
        if (msg.message == WM_STOPSEARCH) stopflag = 1;
        queue.dispatch(&msg);
    }
    return stopflag;
}

}  // namespace zeko::engine
