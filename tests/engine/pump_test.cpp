// The engine's looks at the message queue during a deep search. This host
// exports its own PeekMessageA, GetMessageA and DispatchMessageA over a queue
// that the tests script look by look. findmove's looks are held to the
// reference's: how many, where in the search, and what a StopSearch seen at
// one of them leaves behind. The analysis looks as often as its own search
// needs; a stop at any look leaves only exact results.

#include <chrono>
#include <deque>
#include <random>

#include "engine/host_messages.h"
#include "engine/pump.h"
#include "engine/transposition_table.h"
#include "tests/engine/answer.h"
#include "tests/support/positions.h"
#include "tests/support/timing.h"

namespace {

using Snapshot = std::array<int32_t, zeko::engine::kWorkSize>;
constexpr uint32_t kStop = WM_STOPSEARCH;
constexpr uint32_t kTimer = 0x0113;
constexpr uint32_t kPaint = 0x000F;

// A look begins with the first PeekMessageA after the one that ended the last
// look by finding nothing. Each look finds a timer message; the look stopAt
// (from 1) finds a StopSearch and a paint message after it.
struct FakeQueue {
    // badCalls: a filter, window or removal the engine should not ask for.
    int stopAt = 0, looks = 0, badCalls = 0;
    bool inLook = false;
    std::deque<MSG> pending;
    const int32_t* work = nullptr;  // the test's work array, copied at each look
    std::vector<Snapshot> snapshots;
    std::vector<std::pair<int, uint32_t>> queued, dispatched;  // look, message
    std::chrono::steady_clock::time_point lastLook;
    std::chrono::steady_clock::duration longestGap{};  // between two looks
} queue;

}  // namespace

extern "C" {

int PeekMessageA(MSG* msg, void* hwnd, uint32_t filterMin, uint32_t filterMax, uint32_t remove) {
    if (hwnd != nullptr || filterMin != 0 || filterMax != 0 || remove != PM_NOREMOVE)
        ++queue.badCalls;
    if (!queue.inLook) {
        queue.inLook = true;
        const auto now = std::chrono::steady_clock::now();
        if (queue.looks++ > 0) queue.longestGap = std::max(queue.longestGap, now - queue.lastLook);
        queue.lastLook = now;
        if (queue.work != nullptr)
            std::copy_n(queue.work, zeko::engine::kWorkSize, &queue.snapshots.emplace_back()[0]);
        for (uint32_t message : {kTimer, kStop, kPaint})
            if (message == kTimer || queue.looks == queue.stopAt) {
                queue.pending.push_back(MSG{nullptr, message, 0, 0, 0, 0, 0});
                queue.queued.emplace_back(queue.looks, message);
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

// findmove at levels 1 to 6, stopped at no look, the first, one in the middle
// and the last; each run after a stopped one shows that the stop does not
// carry over.
TEST(Pump, FindmoveLooksAndStopsLikeTheReference) {
    std::vector<Board> positions = testing::randomPositions(41, 16, 100, false);
    // Two middle games, then endgames, where deep searches reuse and cut short
    // their shallow subtrees.
    for (const char* text : {"2 1 3 0 5 0 1 0 0 0 1 2 12 21", "0 12 1 0 2 3 2 3 0 5 1 0 13 6",
                             "1 2 0 3 1 0 2 0 1 1 0 3 17 17", "0 1 0 2 0 1 1 0 0 1 1 0 19 22"})
        positions.push_back(testing::makeBoard(text));
    for (const Board& board : positions) {
        for (int level = 1; level <= 6; ++level) {
            ReferenceEngine full;
            full.findmove(rotateboard(board), level);
            const int looks = static_cast<int>(full.looks);
            for (int stopAt : {0, 1, (looks + 1) / 2, looks}) {
                SCOPED_TRACE(::testing::PrintToString(board) + " level " + std::to_string(level) +
                             " stop at " + std::to_string(stopAt));
                const bool stops = stopAt > 0 && stopAt <= looks;
                ReferenceEngine ref;
                ref.look = [&](const int32_t*) { return ref.looks == stopAt; };
                Answer expected;
                call(kFindmove, &ref, false, board, level, 0, expected);
                for (bool exported : {false, true}) {
                    Answer actual;
                    // A fresh queue; the stop flag stays as the last search left it.
                    queue = FakeQueue{};
                    queue.stopAt = stopAt;
                    call(kFindmove, nullptr, exported, board, level, 0, actual);
                    // Every message is taken and dispatched at its look, in order.
                    ASSERT_EQ(std::tuple(actual, queue.looks, stopflag, queue.badCalls),
                              std::tuple(expected, ref.looks, int{stops}, 0));
                    ASSERT_EQ(queue.dispatched, queue.queued);
                }
            }
        }
    }
}

// What a stopped analysis leaves in the pits it has not valued: a value that
// its encoding keeps as it is (8708 - 4354) and that is no code an analysis
// gives (a loss in 258 moves).
constexpr int32_t kNotWritten = 4354;

// Analyses and main lines deep enough to look at the queue, from an empty
// table, stopped at the first look, one in the middle, the last and one at
// random: what the call wrote is exact and the rest keeps the caller's values,
// and the table keeps nothing false from the stopped search. The full search
// looks at least every 0.1 s, and the progress it shows only rises and
// stays below 100% until the call returns.
TEST(Pump, AnalysesStoppedAtAnyLookWriteOnlyExactResults) {
    // The board (the bottom half to move), depth and first pit.
    const std::tuple<const char*, int, int> rows[] = {{"4 4 4 4 4 4 4 4 4 4 4 4 0 0", 11, 2},
                                                      {"2 4 3 3 1 3 1 3 2 2 3 0 11 10", 12, 0},
                                                      {"1 2 0 3 1 0 2 0 1 1 0 3 17 17", 16, 3}};
    std::mt19937 rng(19);
    for (const auto& [text, depth, first] : rows) {
        const Board board = testing::makeBoard(text);
        for (Search which : {kAnalyze, kFindline}) {
            SCOPED_TRACE(std::string(text) + " search " + std::to_string(which));
            const int top = which == kAnalyze ? depth : depth - 1;
            const int base = which == kAnalyze ? kPitsPerRow : kPitsPerRow + 1;
            TranspositionTable::Shared()->Clear();
            queue = FakeQueue{};
            Answer full;
            queue.work = full.work.data();
            call(which, nullptr, false, board, depth, first, full);
            const int looks = queue.looks;
            ASSERT_GE(looks, 3);
            EXPECT_FASTER_THAN(queue.longestGap, std::chrono::milliseconds(100));
            // The analysis dialog's progress at each look: three digits from
            // element top down, in base 6 for an analysis and 7 for a main line.
            std::vector<int> progress;
            for (const Snapshot& w : queue.snapshots)
                progress.push_back((w[top] * base + w[top - 1]) * base + w[top - 2]);
            ASSERT_TRUE(std::is_sorted(progress.begin(), progress.end()));
            ASSERT_LT(progress.back(), base * base * base);
            const int stops[] = {1, (looks + 1) / 2, looks,
                                 std::uniform_int_distribution<int>(1, looks)(rng)};
            for (int stopAt : stops) {
                SCOPED_TRACE("stop at " + std::to_string(stopAt));
                TranspositionTable::Shared()->Clear();
                queue = FakeQueue{};
                queue.stopAt = stopAt;
                Answer stopped;
                stopped.out.fill(kNotWritten);
                call(which, nullptr, stopAt % 2 == 1, board, depth, first, stopped);
                ASSERT_EQ(std::pair(stopflag, queue.looks), std::pair(1, stopAt));
                const auto out = stopped.out.begin();
                if (which == kAnalyze) {
                    // The pits valued before the stop, in order, and no other.
                    const auto written = std::find(out, out + kPitsPerRow, kNotWritten) - out;
                    for (int pit = 0; pit < kPitsPerRow; ++pit)
                        ASSERT_EQ(stopped.out[pit], pit < written ? full.out[pit] : kNotWritten);
                } else {
                    // Every move but the last, which the stopped search chose.
                    ASSERT_LE(stopped.result, full.result);
                    ASSERT_TRUE(std::equal(out, out + stopped.result - 1, full.out.begin()));
                }
                queue = FakeQueue{};
                Answer again;
                call(which, nullptr, false, board, depth, first, again);
                ASSERT_EQ(again, full);
            }
        }
    }
}

}  // namespace
}  // namespace zeko::engine
