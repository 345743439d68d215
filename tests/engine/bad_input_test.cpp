// The exports against arguments the program never passes: they answer 0 (or
// clamp), write nothing and stay inside the caller's arrays.
#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "engine/search.h"
#include "engine/zeko32.h"
#include "tests/support/positions.h"

namespace zeko::engine {
namespace {

using testing::makeBoard;

constexpr int32_t kGuard = 0x5A5A5A5A;

// A board, an output and a work array for one call, each between guard words.
struct Guarded {
    std::vector<int32_t> cells;
    size_t outAt, workAt;
    Guarded(const Board& board, size_t outSize, size_t workSize)
        : cells(kCells + outSize + workSize + 4, kGuard),
          outAt(kCells + 2),
          workAt(outAt + outSize + 1) {
        std::copy(board.begin(), board.end(), cells.begin() + 1);
    }
    int32_t* board() { return &cells[1]; }
    int32_t* out() { return &cells[outAt]; }
    int32_t* work() { return &cells[workAt]; }
    bool guardsIntact() const {
        return cells.front() == kGuard && cells[kCells + 1] == kGuard &&
               cells[workAt - 1] == kGuard && cells.back() == kGuard;
    }
};

TEST(BadInput, ExportsAnswerZeroAndWriteNothing) {
    // A call on a board, an output and a work array, any of them made null.
    using Call = std::function<int32_t(int32_t*, int32_t*, int32_t*)>;
    const auto refused = [](const Board& board, const std::string& name, int null, Call call) {
        Guarded g(board, kWorkSize, kWorkSize);
        const std::vector<int32_t> before = g.cells;
        std::array<int32_t*, 3> p = {g.board(), g.out(), g.work()};
        if (null >= 0) p[null] = nullptr;
        EXPECT_EQ(call(p[0], p[1], p[2]), 0) << name << " on " << testing::boardText(board);
        EXPECT_EQ(g.cells, before) << name << " on " << testing::boardText(board);
    };
    // Each export with valid other arguments, and how many of the three arrays it takes.
    const std::vector<std::tuple<std::string, int, Call>> exports = {
        {"checkmove", 1, [](int32_t* b, int32_t*, int32_t*) { return ::checkmove(b, 2, 0); }},
        {"execmove", 2, [](int32_t* b, int32_t* t, int32_t*) { return ::execmove(b, 2, t); }},
        {"findmove", 1, [](int32_t* b, int32_t*, int32_t*) { return ::findmove(b, 3); }},
        {"analyze", 3, [](int32_t* b, int32_t* v, int32_t* w) { return ::analyze(b, 2, v, w); }},
        {"findline", 3,
         [](int32_t* b, int32_t* l, int32_t* w) { return ::findline(b, 3, 2, l, w); }},
    };
    for (const auto& [name, takes, call] : exports) {
        // A negative cell, more than 48 stones, and counts whose 32-bit sum wraps to 48.
        for (const char* bad : {"-1 5 4 4 4 4 4 4 4 4 4 4 2 2", "4 4 4 4 4 4 4 4 4 4 4 -4 4 4",
                                "4 4 4 4 4 4 4 4 4 4 4 4 0 -1", "4 4 4 4 4 4 4 4 4 4 4 4 0 1",
                                "2147483647 2147483647 50 0 0 0 0 0 0 0 0 0 0 0",
                                "-2147483648 4 4 4 4 4 4 4 4 4 4 4 0 0"})
            refused(makeBoard(bad), name, -1, call);
        for (int null = 0; null < takes; ++null)
            refused(kStartBoard, name + " null " + std::to_string(null), null, call);
    }
    // Pits, first pits, depths and plies out of range.
    for (int32_t v : {-1, INT32_MIN, INT32_MAX, kPitsPerRow, kPits}) {
        refused(kStartBoard, "checkmove, findline first " + std::to_string(v), -1,
                [v](int32_t* b, int32_t* l, int32_t* w) {
                    return ::checkmove(b, v, 0) + ::findline(b, 3, v, l, w);
                });
        if (v == kPitsPerRow) continue;
        refused(kStartBoard, "execmove pit " + std::to_string(v), -1,
                [v](int32_t* b, int32_t* t, int32_t*) { return ::execmove(b, v, t); });
    }
    for (int32_t v : {0, -1, INT32_MIN, INT32_MAX, kMaxDepth + 1}) {
        refused(kStartBoard, "analyze depth, findline plies " + std::to_string(v), -1,
                [v](int32_t* b, int32_t* o, int32_t* w) {
                    return ::analyze(b, v, o, w) + ::findline(b, v, 2, o, w);
                });
    }
}

// Arrays of exactly the documented sizes, at the deepest searches the exports accept.
TEST(BadInput, ValidCallsStayInsideTheirArrays) {
    for (int pit = 0; pit < kPits; ++pit) {
        Guarded g(kStartBoard, testing::Trackers{}.size(), 0);
        ::execmove(g.board(), pit, g.out());
        EXPECT_TRUE(g.guardsIntact()) << pit;
    }
    // Every move starves the empty top row, or wins at once: deep searches end at once.
    const Board allStarve = makeBoard("0 1 0 1 0 0 0 0 0 0 0 0 23 23");
    const Board winsAtOnce = makeBoard("0 3 0 0 0 1 2 0 1 0 0 0 18 23");
    Guarded a(kStartBoard, kPitsPerRow, 4), b(allStarve, kPitsPerRow, kMaxDepth + 1);
    Guarded c(kStartBoard, 4, 4), d(winsAtOnce, kMaxDepth, kMaxDepth);
    ::analyze(a.board(), 3, a.out(), a.work());
    EXPECT_EQ(::findline(c.board(), 4, 2, c.out(), c.work()), 4);
    // Shallow first: an engine that misses the end would search for ever.
    ASSERT_EQ(::analyze(b.board(), 2, b.out(), b.work()), 1);
    ASSERT_EQ(::findline(d.board(), 2, 5, d.out(), d.work()), 1);
    EXPECT_EQ(::analyze(b.board(), kMaxDepth, b.out(), b.work()), 1);
    EXPECT_EQ(::findline(d.board(), kMaxDepth, 5, d.out(), d.work()), 1);
    for (const Guarded* g : {&a, &b, &c, &d})
        EXPECT_TRUE(g->guardsIntact());
}

}  // namespace
}  // namespace zeko::engine
