// The engine's looks at the message queue during a deep search. This host
// exports its own PeekMessageA, GetMessageA and DispatchMessageA over a queue
// that the tests script look by look, and the looks of the engine are held to
// those of the reference: how many, where in the search, and what a StopSearch
// message seen at one of them leaves behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "engine/analysis.h"
#include "engine/board.h"
#include "engine/host_messages.h"
#include "engine/pump.h"
#include "engine/search.h"
#include "engine/sow.h"
#include "engine/zeko32.h"
#include "tests/support/positions.h"
#include "tests/support/reference_engine.h"

namespace {

using zeko::engine::Board;
using zeko::engine::rotateboard;
using zeko::reference::ReferenceEngine;
using zeko::testing::makeBoard;
using zeko::testing::randomPositions;

constexpr uint32_t kStop = WM_STOPSEARCH;
constexpr uint32_t kTimer = 0x0113;
constexpr uint32_t kPaint = 0x000F;

constexpr int kWork = 40;
constexpr int32_t kUntouched = -7;
using Work = std::array<int32_t, kWork>;
using Values = std::array<int32_t, 6>;
using Snapshots = std::vector<Work>;

Work freshWork() {
    Work w;
    w.fill(kUntouched);
    return w;
}

std::string show(const Board& b) {
    return zeko::testing::boardText(b);
}

// The host's queue. A look begins with the first PeekMessageA after the
// previous look ended with a PeekMessageA that found nothing.
struct FakeQueue {
    std::deque<MSG> pending;
    std::map<int, std::vector<uint32_t>> posted;  // by look number, from 1: put in as it begins
    const int32_t* work = nullptr;                // the test's work array, copied at each look
    Snapshots snapshots;
    int looks = 0;
    bool inLook = false;
    std::vector<uint32_t> gotten;
    std::vector<uint32_t> dispatched;
    std::vector<int> dispatchedAtLook;
    int badCalls = 0;  // a filter, window or removal the engine should not ask for

    void post(uint32_t message) {
        MSG msg{};
        msg.message = message;
        pending.push_back(msg);
    }
};

FakeQueue queue;

}  // namespace

extern "C" {

int PeekMessageA(MSG* msg, void* hwnd, uint32_t filterMin, uint32_t filterMax, uint32_t remove) {
    if (hwnd != nullptr || filterMin != 0 || filterMax != 0 || remove != PM_NOREMOVE)
        ++queue.badCalls;
    if (!queue.inLook) {
        queue.inLook = true;
        ++queue.looks;
        if (queue.work != nullptr) {
            Work copy;
            std::copy(queue.work, queue.work + kWork, copy.begin());
            queue.snapshots.push_back(copy);
        }
        const auto it = queue.posted.find(queue.looks);
        if (it != queue.posted.end()) {
            for (uint32_t message : it->second)
                queue.post(message);
        }
    }
    if (queue.pending.empty()) {
        queue.inLook = false;
        return 0;
    }
    *msg = queue.pending.front();
    return 1;
}

int GetMessageA(MSG* msg, void* hwnd, uint32_t filterMin, uint32_t filterMax) {
    if (hwnd != nullptr || filterMin != 0 || filterMax != 0 || queue.pending.empty()) {
        ++queue.badCalls;
        return 0;
    }
    *msg = queue.pending.front();
    queue.pending.pop_front();
    queue.gotten.push_back(msg->message);
    return 1;
}

intptr_t DispatchMessageA(const MSG* msg) {
    queue.dispatched.push_back(msg->message);
    queue.dispatchedAtLook.push_back(queue.looks);
    return 0;
}

}  // extern "C"

namespace {

// The reference run beside the engine: the same looks, the same snapshots, a
// StopSearch seen at the same look (counted from 1; 0: never).
struct ReferenceRun {
    ReferenceEngine engine;
    Snapshots snapshots;

    // findmove searches with a work array of its own, too short to copy.
    explicit ReferenceRun(int stopAt = 0, bool snapshot = true) {
        engine.look = [this, stopAt, snapshot](const int32_t* work) {
            if (snapshot) {
                Work copy;
                std::copy(work, work + kWork, copy.begin());
                snapshots.push_back(copy);
            }
            return engine.looks == stopAt;
        };
    }
};

class Pump : public ::testing::Test {
  protected:
    void SetUp() override { clear(); }
    void TearDown() override { EXPECT_EQ(queue.badCalls, 0); }

    // A fresh queue for the next search; the engine's stop flag is left alone.
    static void clear() {
        queue = FakeQueue{};
        zeko::engine::stopflag = 0;
    }
    static void stopAt(int look) { queue.posted[look] = {kStop}; }
};

// Positions with the side to move on cells 6-11 (for findmove and the
// search) and, turned, on cells 0-5 (for analyze and findline).
std::vector<Board> topPositions() {
    std::vector<Board> positions = {
        zeko::engine::kStartBoard,
        makeBoard({1, 2, 0, 0, 0, 0, 1, 0, 2, 0, 3, 2, 19, 18}),
        makeBoard({2, 1, 0, 3, 0, 1, 0, 2, 0, 1, 0, 2, 24, 12}),
        makeBoard({4, 0, 2, 1, 0, 0, 1, 3, 0, 2, 0, 1, 21, 13}),
        makeBoard({2, 3, 0, 5, 1, 0, 0, 12, 1, 0, 2, 3, 6, 13}),
        makeBoard({0, 0, 1, 2, 0, 1, 2, 0, 1, 0, 1, 1, 22, 17}),
        // Nothing to search deeper: a starving move, a win now.
        makeBoard({2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 23, 22}),
        makeBoard({1, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 2, 22, 21}),
    };
    for (const Board& b : randomPositions(41, 40, 100, true))
        positions.push_back(b);
    return positions;
}

std::vector<Board> bottomPositions() {
    std::vector<Board> positions;
    for (const Board& b : topPositions())
        positions.push_back(rotateboard(b));
    return positions;
}

// The top-level moves of the side on cells 0-5 that need a deeper search:
// not empty, not leaving the opponent without stones, not passing 24.
std::vector<int> deepMoves(const Board& bottomToMove) {
    std::vector<int> pits;
    for (int pit = 0; pit < 6; ++pit) {
        if (bottomToMove[pit] == 0) continue;
        Board copy = bottomToMove;
        const zeko::engine::RowSums sums = zeko::engine::sow(copy, pit);
        if (sums.top > 0 && copy[zeko::engine::kBottomStore] <= 24) pits.push_back(pit);
    }
    return pits;
}

TEST_F(Pump, AnalyzeLooksLikeTheReference) {
    for (int depth = 4; depth <= 6; ++depth) {
        for (const Board& board : bottomPositions()) {
            SCOPED_TRACE(show(board) + " depth " + std::to_string(depth));
            ReferenceRun reference;
            Values expected;
            Work expectedWork = freshWork();
            const int32_t best =
                reference.engine.analyze(board, depth, expected.data(), expectedWork.data());

            for (bool exported : {false, true}) {
                clear();
                Values values;
                Work work = freshWork();
                queue.work = work.data();
                const int32_t result =
                    exported ? ::analyze(board.data(), depth, values.data(), work.data())
                             : zeko::engine::analyze(board, depth, values.data(), work.data());
                ASSERT_EQ(result, best);
                ASSERT_EQ(queue.looks, reference.engine.looks);
                ASSERT_EQ(queue.snapshots, reference.snapshots);
                ASSERT_EQ(work, expectedWork);
            }
        }
    }
}

TEST_F(Pump, DepthFourLooksOnceAfterEachMoveThatWentDeeper) {
    for (const Board& board : bottomPositions()) {
        SCOPED_TRACE(show(board));
        const std::vector<int> deep = deepMoves(board);
        Values values;
        Work work = freshWork();
        queue.work = work.data();
        ::analyze(board.data(), 4, values.data(), work.data());
        ASSERT_EQ(queue.looks, static_cast<int>(deep.size()));
        // Each look comes just after its move: element 4 names it.
        for (size_t i = 0; i < deep.size(); ++i)
            ASSERT_EQ(queue.snapshots[i][4], deep[i]);
        clear();
    }
}

TEST_F(Pump, FindlineLooksLikeTheReference) {
    for (int plies = 5; plies <= 7; ++plies) {
        for (const Board& board : bottomPositions()) {
            for (int first : deepMoves(board)) {
                SCOPED_TRACE(show(board) + " plies " + std::to_string(plies) + " first " +
                             std::to_string(first));
                ReferenceRun reference;
                std::array<int32_t, kWork> expectedLine{};
                Work expectedWork = freshWork();
                const int32_t count = reference.engine.findline(
                    board, plies, first, expectedLine.data(), expectedWork.data());

                for (bool exported : {false, true}) {
                    clear();
                    std::array<int32_t, kWork> line{};
                    Work work = freshWork();
                    queue.work = work.data();
                    const int32_t result =
                        exported
                            ? ::findline(board.data(), plies, first, line.data(), work.data())
                            : zeko::engine::findline(board, plies, first, line.data(), work.data());
                    ASSERT_EQ(result, count);
                    ASSERT_EQ(line, expectedLine);
                    ASSERT_EQ(queue.looks, reference.engine.looks);
                    ASSERT_EQ(queue.snapshots, reference.snapshots);
                }
            }
        }
    }
}

TEST_F(Pump, FindmoveLooksLikeTheReference) {
    for (int level = 4; level <= 6; ++level) {
        for (const Board& board : topPositions()) {
            SCOPED_TRACE(show(board) + " level " + std::to_string(level));
            ReferenceRun reference(0, false);
            const int32_t pit = reference.engine.findmove(board, level);
            clear();
            ASSERT_EQ(zeko::engine::findmove(board, level), pit);
            ASSERT_EQ(queue.looks, reference.engine.looks);
            clear();
            ASSERT_EQ(::findmove(board.data(), level), pit);
            ASSERT_EQ(queue.looks, reference.engine.looks);
        }
    }
}

TEST_F(Pump, SearchmovesLooksOnlyWithFourPliesLeft) {
    for (int depth = 1; depth <= 6; ++depth) {
        for (const Board& board : topPositions()) {
            SCOPED_TRACE(show(board) + " depth " + std::to_string(depth));
            ReferenceRun reference;
            Values expected;
            Work expectedWork = freshWork();
            reference.engine.searchmoves(board, expected.data(), depth, expectedWork.data());
            clear();
            Values values;
            Work work = freshWork();
            queue.work = work.data();
            zeko::engine::searchmoves(board, values.data(), depth, work.data());
            ASSERT_EQ(values, expected);
            ASSERT_EQ(queue.looks, reference.engine.looks);
            ASSERT_EQ(queue.snapshots, reference.snapshots);
            if (depth < 4) {
                ASSERT_EQ(queue.looks, 0);
            }
        }
    }
}

// Searches of three plies or less run to their end whatever waits in the queue.
TEST_F(Pump, ShallowSearchesNeverLook) {
    const auto untouchedQueue = [] {
        EXPECT_EQ(queue.looks, 0);
        ASSERT_EQ(queue.pending.size(), 1u);
        EXPECT_TRUE(queue.gotten.empty());
        EXPECT_TRUE(queue.dispatched.empty());
    };
    for (const Board& board : bottomPositions()) {
        SCOPED_TRACE(show(board));
        for (int depth = 1; depth <= 3; ++depth) {
            ReferenceEngine reference;
            Values expected;
            Work work = freshWork();
            const int32_t best = reference.analyze(board, depth, expected.data(), work.data());
            clear();
            queue.post(kStop);
            Values values;
            EXPECT_EQ(::analyze(board.data(), depth, values.data(), work.data()), best);
            EXPECT_EQ(values, expected);
            untouchedQueue();
        }
        for (int plies = 1; plies <= 4; ++plies) {
            ReferenceEngine reference;
            std::array<int32_t, kWork> expected{};
            std::array<int32_t, kWork> line{};
            Work work = freshWork();
            const int32_t count = reference.findline(board, plies, 0, expected.data(), work.data());
            clear();
            queue.post(kStop);
            EXPECT_EQ(::findline(board.data(), plies, 0, line.data(), work.data()), count);
            EXPECT_EQ(line, expected);
            untouchedQueue();
        }
    }
    // Levels whose schedule stays at three plies or less: the stones on the
    // board decide how many plies are added.
    struct Case {
        int level;
        int minLeft;  // stones on the board at least
        int maxLeft;
    };
    const Case cases[] = {{1, 11, 48}, {2, 15, 48}, {3, 21, 48}};
    for (const Case& c : cases) {
        for (const Board& board : topPositions()) {
            const int left = 48 - board[12] - board[13];
            if (left < c.minLeft || left > c.maxLeft) continue;
            SCOPED_TRACE(show(board) + " level " + std::to_string(c.level));
            ReferenceEngine reference;
            const int32_t pit = reference.findmove(board, c.level);
            ASSERT_EQ(reference.looks, 0);
            clear();
            queue.post(kStop);
            EXPECT_EQ(::findmove(board.data(), c.level), pit);
            untouchedQueue();
        }
    }
}

// A win that the one-ply pass finds is played without the deep search, even
// at the top level with few stones left.
TEST_F(Pump, QuickWinSkipsTheDeepSearch) {
    const Board board = makeBoard({1, 1, 0, 1, 0, 0, 0, 0, 1, 0, 0, 2, 22, 20});
    queue.post(kStop);
    EXPECT_EQ(::findmove(board.data(), 9), 11);
    EXPECT_EQ(zeko::engine::findmove(board, 28), 11);
    EXPECT_EQ(queue.looks, 0);
}

TEST_F(Pump, StopMakesFindmoveReturnZero) {
    for (const Board& board : topPositions()) {
        ReferenceRun full(0, false);
        full.engine.findmove(board, 4);
        const int looks = static_cast<int>(full.engine.looks);
        for (int k : {1, (looks + 1) / 2, looks}) {
            if (k < 1 || k > looks) continue;
            SCOPED_TRACE(show(board) + " stop at look " + std::to_string(k));
            ReferenceRun reference(k, false);
            ASSERT_EQ(reference.engine.findmove(board, 4), 0);
            ASSERT_EQ(reference.engine.looks, k);
            for (bool exported : {false, true}) {
                clear();
                stopAt(k);
                ASSERT_EQ(exported ? ::findmove(board.data(), 4) : zeko::engine::findmove(board, 4),
                          0);
                // The search ends at the look that saw the message.
                ASSERT_EQ(queue.looks, k);
                ASSERT_EQ(zeko::engine::stopflag, 1);
            }
        }
    }
}

TEST_F(Pump, StoppedAnalyzeKeepsTheUnreachedValues) {
    constexpr int32_t kSentinel = 321;  // a plain score, so its code is itself
    for (int depth = 4; depth <= 5; ++depth) {
        for (const Board& board : bottomPositions()) {
            ReferenceRun full;
            Values scratch;
            Work scratchWork = freshWork();
            full.engine.analyze(board, depth, scratch.data(), scratchWork.data());
            const int looks = static_cast<int>(full.engine.looks);
            // Every look at depth 4; at depth 5 the first, some in between and the last.
            for (int k = 1; k <= looks; k += depth == 4 || k == looks - 1 ? 1 : 5) {
                SCOPED_TRACE(show(board) + " depth " + std::to_string(depth) + " stop at look " +
                             std::to_string(k));
                ReferenceRun reference(k);
                Values expected;
                expected.fill(kSentinel);
                Work expectedWork = freshWork();
                const int32_t best =
                    reference.engine.analyze(board, depth, expected.data(), expectedWork.data());
                for (bool exported : {false, true}) {
                    clear();
                    stopAt(k);
                    Values values;
                    values.fill(kSentinel);
                    Work work = freshWork();
                    queue.work = work.data();
                    ASSERT_EQ(exported
                                  ? ::analyze(board.data(), depth, values.data(), work.data())
                                  : zeko::engine::analyze(board, depth, values.data(), work.data()),
                              best);
                    ASSERT_EQ(values, expected);
                    ASSERT_EQ(work, expectedWork);
                    ASSERT_EQ(queue.snapshots, reference.snapshots);
                }
                if (depth == 4) {
                    // The k-th deep move got its value before the look; every
                    // pit after it is untouched.
                    const int stoppedAfter = deepMoves(board)[k - 1];
                    for (int pit = stoppedAfter + 1; pit < 6; ++pit)
                        ASSERT_EQ(expected[pit], kSentinel) << pit;
                }
            }
        }
    }
}

// Unreached values outside the plain scores are coded like any other value.
TEST_F(Pump, StoppedAnalyzeCodesTheCallersValues) {
    for (int32_t sentinel : {9999, 600, -1000, -2000}) {
        for (const Board& board : bottomPositions()) {
            SCOPED_TRACE(show(board) + " sentinel " + std::to_string(sentinel));
            ReferenceRun reference(1);
            Values expected;
            expected.fill(sentinel);
            Work work = freshWork();
            const int32_t best = reference.engine.analyze(board, 4, expected.data(), work.data());
            clear();
            stopAt(1);
            Values values;
            values.fill(sentinel);
            ASSERT_EQ(::analyze(board.data(), 4, values.data(), work.data()), best);
            ASSERT_EQ(values, expected);
        }
    }
}

TEST_F(Pump, StoppedFindlineEndsLikeTheReference) {
    for (int plies = 5; plies <= 7; ++plies) {
        for (const Board& board : bottomPositions()) {
            const std::vector<int> firsts = deepMoves(board);
            if (firsts.empty()) continue;
            const int first = firsts.back();
            ReferenceRun full;
            std::array<int32_t, kWork> scratch{};
            Work scratchWork = freshWork();
            full.engine.findline(board, plies, first, scratch.data(), scratchWork.data());
            const int looks = static_cast<int>(full.engine.looks);
            for (int k : {1, 2, (looks + 1) / 2, looks - 1, looks}) {
                if (k < 1 || k > looks) continue;
                SCOPED_TRACE(show(board) + " plies " + std::to_string(plies) + " stop at look " +
                             std::to_string(k));
                ReferenceRun reference(k);
                std::array<int32_t, kWork> expectedLine;
                expectedLine.fill(kUntouched);
                Work expectedWork = freshWork();
                const int32_t count = reference.engine.findline(
                    board, plies, first, expectedLine.data(), expectedWork.data());
                ASSERT_EQ(reference.engine.looks, k);
                for (bool exported : {false, true}) {
                    clear();
                    stopAt(k);
                    std::array<int32_t, kWork> line;
                    line.fill(kUntouched);
                    Work work = freshWork();
                    queue.work = work.data();
                    ASSERT_EQ(
                        exported
                            ? ::findline(board.data(), plies, first, line.data(), work.data())
                            : zeko::engine::findline(board, plies, first, line.data(), work.data()),
                        count);
                    ASSERT_EQ(line, expectedLine);
                    ASSERT_EQ(work, expectedWork);
                    ASSERT_EQ(queue.looks, k);
                }
            }
        }
    }
}

TEST_F(Pump, OtherMessagesAreDispatchedAndTheSearchGoesOn) {
    for (const Board& board : bottomPositions()) {
        SCOPED_TRACE(show(board));
        ReferenceEngine reference;
        Values expected;
        Work work = freshWork();
        const int32_t best = reference.analyze(board, 5, expected.data(), work.data());
        const int looks = static_cast<int>(reference.looks);
        if (looks < 2) continue;
        clear();
        queue.posted[1] = {kTimer};
        queue.posted[looks] = {kPaint, kTimer};
        Values values;
        ASSERT_EQ(::analyze(board.data(), 5, values.data(), work.data()), best);
        ASSERT_EQ(values, expected);
        ASSERT_EQ(queue.looks, looks);
        EXPECT_EQ(queue.gotten, (std::vector<uint32_t>{kTimer, kPaint, kTimer}));
        EXPECT_EQ(queue.dispatched, (std::vector<uint32_t>{kTimer, kPaint, kTimer}));
        EXPECT_EQ(queue.dispatchedAtLook, (std::vector<int>{1, looks, looks}));
        EXPECT_EQ(zeko::engine::stopflag, 0);
    }
}

// One look empties the whole queue, the StopSearch message included, and
// every message in it is dispatched.
TEST_F(Pump, StopSearchIsDispatchedWithTheRest) {
    const Board board = zeko::engine::kStartBoard;
    ReferenceRun reference(2);
    Values expected;
    expected.fill(0);
    Work work = freshWork();
    const int32_t best = reference.engine.analyze(board, 4, expected.data(), work.data());

    queue.posted[2] = {kTimer, kStop, kPaint};
    Values values;
    values.fill(0);
    ASSERT_EQ(zeko::engine::analyze(board, 4, values.data(), work.data()), best);
    EXPECT_EQ(values, expected);
    EXPECT_EQ(queue.looks, 2);
    EXPECT_EQ(queue.gotten, (std::vector<uint32_t>{kTimer, kStop, kPaint}));
    EXPECT_EQ(queue.dispatched, (std::vector<uint32_t>{kTimer, kStop, kPaint}));
    EXPECT_EQ(queue.dispatchedAtLook, (std::vector<int>{2, 2, 2}));
    EXPECT_TRUE(queue.pending.empty());
    // The flag stays set until the next search starts.
    EXPECT_EQ(zeko::engine::stopflag, 1);
    EXPECT_EQ(zeko::engine::pumpmessages(), 1);
}

// Each search export starts with the flag clear, whatever stopped the last one.
TEST_F(Pump, StopDoesNotCarryOverToTheNextSearch) {
    const Board top = makeBoard({2, 3, 0, 5, 1, 0, 0, 12, 1, 0, 2, 3, 6, 13});
    const Board bottom = rotateboard(top);
    ReferenceEngine reference;
    const int32_t pit = reference.findmove(top, 4);
    Values expected;
    Work work = freshWork();
    const int32_t best = reference.analyze(bottom, 5, expected.data(), work.data());
    std::array<int32_t, kWork> expectedLine{};
    const int32_t count = reference.findline(bottom, 6, best, expectedLine.data(), work.data());
    ASSERT_NE(pit, 0);

    const std::vector<std::pair<std::string, std::function<void()>>> searches = {
        {"findmove", [&] { EXPECT_EQ(zeko::engine::findmove(top, 4), pit); }},
        {"findmove export", [&] { EXPECT_EQ(::findmove(top.data(), 4), pit); }},
        {"analyze",
         [&] {
             Values values;
             EXPECT_EQ(zeko::engine::analyze(bottom, 5, values.data(), work.data()), best);
             EXPECT_EQ(values, expected);
         }},
        {"analyze export",
         [&] {
             Values values;
             EXPECT_EQ(::analyze(bottom.data(), 5, values.data(), work.data()), best);
             EXPECT_EQ(values, expected);
         }},
        {"findline",
         [&] {
             std::array<int32_t, kWork> line{};
             EXPECT_EQ(zeko::engine::findline(bottom, 6, best, line.data(), work.data()), count);
             EXPECT_EQ(line, expectedLine);
         }},
        {"findline export",
         [&] {
             std::array<int32_t, kWork> line{};
             EXPECT_EQ(::findline(bottom.data(), 6, best, line.data(), work.data()), count);
             EXPECT_EQ(line, expectedLine);
         }},
    };
    // The stopped searches, each seeing a StopSearch at its first look.
    const std::vector<std::pair<std::string, std::function<void()>>> stopped = {
        {"findmove", [&] { EXPECT_EQ(::findmove(top.data(), 4), 0); }},
        {"analyze",
         [&] {
             Values values;
             ::analyze(bottom.data(), 5, values.data(), work.data());
         }},
        {"findline",
         [&] {
             std::array<int32_t, kWork> line{};
             ::findline(bottom.data(), 6, best, line.data(), work.data());
         }},
    };
    for (const auto& [stoppedName, stop] : stopped) {
        for (const auto& [nextName, next] : searches) {
            SCOPED_TRACE(stoppedName + " stopped, then " + nextName);
            clear();
            stopAt(1);
            stop();
            ASSERT_EQ(queue.looks, 1);
            ASSERT_EQ(zeko::engine::stopflag, 1);
            next();
            EXPECT_EQ(zeko::engine::stopflag, 0);
        }
    }
}

}  // namespace
