#include "engine/pump.h"

#include <dlfcn.h>

#include "engine/host_messages.h"

namespace zeko::engine {

int32_t stopflag = 0;

namespace {

// The host's message functions, looked up once; a host without them (a test,
// a tool) simply has no messages.
struct HostQueue {
    PeekMessageA_fn Peek = nullptr;
    GetMessageA_fn Get = nullptr;
    DispatchMessageA_fn Dispatch = nullptr;

    HostQueue() {
        Peek = reinterpret_cast<PeekMessageA_fn>(dlsym(RTLD_DEFAULT, "PeekMessageA"));
        Get = reinterpret_cast<GetMessageA_fn>(dlsym(RTLD_DEFAULT, "GetMessageA"));
        Dispatch = reinterpret_cast<DispatchMessageA_fn>(dlsym(RTLD_DEFAULT, "DispatchMessageA"));
    }
    bool Present() const { return Peek != nullptr && Get != nullptr && Dispatch != nullptr; }
};

const HostQueue& Host() {
    static const HostQueue kQueue;
    return kQueue;
}

}  // namespace

int32_t pumpmessages() {
    const HostQueue& queue = Host();
    if (!queue.Present()) return stopflag;
    MSG msg{};
    while (queue.Peek(&msg, nullptr, 0, 0, PM_NOREMOVE) != 0) {
        queue.Get(&msg, nullptr, 0, 0);
        if (msg.message == WM_STOPSEARCH) stopflag = 1;
        queue.Dispatch(&msg);
    }
    return stopflag;
}

}  // namespace zeko::engine
