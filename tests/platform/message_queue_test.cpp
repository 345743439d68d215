// The program's window-message queue outside a search: what the event loop
// dispatches reaches the window it was posted to, in order, and only that one.
#include <gtest/gtest.h>

#include <vector>

#include "platform/message_queue.h"

namespace zeko::platform {
namespace {

TEST(MessageQueue, TheEventLoopDeliversEachWaitingMessageToItsWindow) {
    MessageQueue queue;
    int window = 0;
    int other = 0;
    std::vector<uint32_t> delivered;
    queue.RegisterWindow(&window, [&](const MSG& msg) { delivered.push_back(msg.message); });
    EXPECT_TRUE(queue.Post(&window, WM_STOPSEARCH, 0, 0));
    EXPECT_TRUE(queue.Post(&other, WM_USER, 0, 0));  // no procedure: dropped
    EXPECT_TRUE(queue.Post(&window, WM_USER + 1, 0, 0));
    queue.DispatchPending();
    EXPECT_EQ(delivered, (std::vector<uint32_t>{WM_STOPSEARCH, WM_USER + 1}));
    EXPECT_EQ(queue.Size(), 0u);
}

}  // namespace
}  // namespace zeko::platform
