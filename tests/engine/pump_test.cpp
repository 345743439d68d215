// The engine's looks at the message queue during a deep search. This host
// exports its own PeekMessageA, GetMessageA and DispatchMessageA over a queue
// that the tests script look by look; the engine's looks are held to the
// reference's: how many, where in the search, and what a StopSearch seen at
// one of them leaves behind.
#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <utility>
#include <vector>

#include "engine/host_messages.h"
#include "engine/pump.h"
#include "tests/engine/answer.h"
#include "tests/support/positions.h"

namespace {

using Snapshot = std::array<int32_t, zeko::engine::kWorkSize>;
constexpr uint32_t kStop = WM_STOPSEARCH;
constexpr uint32_t kTimer = 0x0113;
constexpr uint32_t kPaint = 0x000F;

// A look begins with the first PeekMessageA after the one that ended the last
// look by finding nothing. Each look finds a timer message; the look stopAt
// (from 1) finds a StopSearch and a paint message after it.
struct FakeQueue {
    int stopAt = 0;
    std::deque<MSG> pending;
    const int32_t* work = nullptr;  // the test's work array, copied at each look
    std::vector<Snapshot> snapshots;
    int looks = 0;
    bool inLook = false;
    std::vector<std::pair<int, uint32_t>> dispatched;  // look, message
    int badCalls = 0;  // a filter, window or removal the engine should not ask for
} queue;

}  // namespace

extern "C" {

int PeekMessageA(MSG* msg, void* hwnd, uint32_t filterMin, uint32_t filterMax, uint32_t remove) {
    if (hwnd != nullptr || filterMin != 0 || filterMax != 0 || remove != PM_NOREMOVE)
        ++queue.badCalls;
    if (!queue.inLook) {
        queue.inLook = true;
        ++queue.looks;
        if (queue.work != nullptr)
            std::copy_n(queue.work, zeko::engine::kWorkSize, &queue.snapshots.emplace_back()[0]);
        for (uint32_t message : {kTimer, kStop, kPaint}) {
            if (message == kTimer || queue.looks == queue.stopAt)
                queue.pending.push_back(MSG{nullptr, message, 0, 0, 0, 0, 0});
        }
    }
    queue.inLook = !queue.pending.empty();
    if (queue.inLook) *msg = queue.pending.front();
    return queue.inLook ? 1 : 0;
}

int GetMessageA(MSG* msg, void* hwnd, uint32_t filterMin, uint32_t filterMax) {
    if (hwnd != nullptr || filterMin != 0 || filterMax != 0 || queue.pending.empty())
        return ++queue.badCalls, 0;
    *msg = queue.pending.front();
    queue.pending.pop_front();
    return 1;
}

intptr_t DispatchMessageA(const MSG* msg) {
    queue.dispatched.emplace_back(queue.looks, msg->message);
    return 0;
}

}  // extern "C"

namespace zeko::engine {
namespace {

using reference::ReferenceEngine;
using testing::boardText;

// analyze at 1 to 6 plies, findmove at levels 1 to 6 and findline of 2 to 7
// plies, stopped at no look, the first, one in the middle and the last; each
// run after a stopped one shows that the stop does not carry over. Searches of
// three plies or less never look.
TEST(Pump, LooksAndStopsLikeTheReference) {
    std::vector<Board> positions = testing::randomPositions(41, 16, 100, false);
    positions.push_back(testing::makeBoard("2 1 3 0 5 0 1 0 0 0 1 2 12 21"));
    positions.push_back(testing::makeBoard("0 12 1 0 2 3 2 3 0 5 1 0 13 6"));
    // Endgames, where deep searches reuse and cut short their shallow subtrees.
    positions.push_back(testing::makeBoard("1 2 0 3 1 0 2 0 1 1 0 3 17 17"));
    positions.push_back(testing::makeBoard("0 1 0 2 0 1 1 0 0 1 1 0 19 22"));
    for (const Board& board : positions) {
        for (Search which : {kAnalyze, kFindmove, kFindline}) {
            for (int depth = 1; depth <= 6; ++depth) {
                const int arg = depth + (which == kFindline);
                ReferenceEngine full;
                Answer scratch;
                call(which, &full, false, board, arg, depth % kPitsPerRow, scratch);
                const int looks = static_cast<int>(full.looks);
                const int left = kStones - board[kTopStore] - board[kBottomStore];
                const bool shallow = depth < 4 && (which != kFindmove || left > 20);
                ASSERT_TRUE(!shallow || looks == 0);
                for (int stopAt : {0, 1, (looks + 1) / 2, looks}) {
                    SCOPED_TRACE(boardText(board) + " search " + std::to_string(which) + " depth " +
                                 std::to_string(depth) + " stop at " + std::to_string(stopAt));
                    const bool stops = stopAt > 0 && stopAt <= looks;
                    ReferenceEngine ref;
                    std::vector<Snapshot> snapshots;
                    ref.look = [&](const int32_t* work) {
                        if (which != kFindmove)
                            std::copy_n(work, kWorkSize, snapshots.emplace_back().begin());
                        return ref.looks == stopAt;
                    };
                    Answer expected;
                    call(which, &ref, false, board, arg, depth % kPitsPerRow, expected);
                    for (bool exported : {false, true}) {
                        Answer actual;
                        // A fresh queue; the stop flag stays as the last search left
                        // it. findmove searches with a work array of its own.
                        queue = FakeQueue{};
                        queue.stopAt = stopAt;
                        queue.work = which == kFindmove ? nullptr : actual.work.data();
                        call(which, nullptr, exported, board, arg, depth % kPitsPerRow, actual);
                        ASSERT_EQ(actual, expected);
                        ASSERT_EQ(queue.looks, ref.looks);
                        ASSERT_EQ(queue.snapshots, snapshots);
                        ASSERT_EQ(stopflag, stops ? 1 : 0);
                        ASSERT_EQ(queue.badCalls, 0);
                    }
                    // Every message is taken and dispatched at its look, in order.
                    std::vector<std::pair<int, uint32_t>> dispatched;
                    for (int look = 1; look <= ref.looks; ++look) {
                        for (uint32_t m : {kTimer, kStop, kPaint})
                            if (m == kTimer || look == stopAt) dispatched.emplace_back(look, m);
                    }
                    ASSERT_EQ(queue.dispatched, dispatched);
                    ASSERT_TRUE(!stops || which != kFindmove || expected.result == 0);
                    // At 4 plies the search stops right after valuing the move
                    // it names at depth 4: the later pits keep their values.
                    if (stops && which == kAnalyze && depth == 4) {
                        for (int pit = snapshots.back()[4] + 1; pit < kPitsPerRow; ++pit)
                            ASSERT_EQ(expected.out[pit], kUnset) << pit;
                    }
                }
            }
        }
    }
}

}  // namespace
}  // namespace zeko::engine
