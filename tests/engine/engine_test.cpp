// The fast engine against the plain reference transcription: values, chosen
// pits, codes, lines and work arrays must agree, through the internal routines
// and through the library's exports alike; the rules worked out by hand; and
// arguments the program never passes.

#include <numeric>
#include <random>

#include "engine/rules.h"
#include "tests/engine/answer.h"
#include "tests/support/positions.h"

namespace zeko::engine {
namespace {

using reference::ReferenceEngine;
using testing::makeBoard;
using testing::Trackers;

// Hand-made positions that reach the search's corners.
const char* const kCorners[] = {
    "0 2 1 0 0 0 0 0 0 0 0 2 20 23",  // the mover's only pit empties its row
    "0 0 0 0 0 2 1 0 3 0 2 1 18 21",  // the opponent's only pit ends its row
    "1 2 0 0 0 0 1 0 2 0 3 2 19 18",  // captures of the opponent's last stones
    "3 0 0 0 0 0 0 0 0 0 0 1 24 20",  // every reply starves the mover at 24
    "1 0 0 0 2 1 1 0 0 0 0 1 20 22",  // every reply starves the mover below 24
    "0 1 1 0 2 0 1 0 2 1 0 0 16 24",  // the opponent one stone short of winning
    "4 0 2 1 0 0 1 3 0 2 0 1 21 13",  // wins within a few moves
    "2 3 0 5 1 0 0 12 1 0 2 3 6 13",  // big piles that go round the board
};

// Positions reached in play, endgames of up to left stones, then the corners
// when asked; the top half to move.
std::vector<Board> positions(uint32_t seed, int games, int endgames, int left, bool corners) {
    std::vector<Board> all = testing::randomPositions(seed, games, 120, true);
    const std::vector<Board> ends = testing::randomEndgames(seed + 100, endgames, left);
    all.insert(all.end(), ends.begin(), ends.end());
    for (const char* text : kCorners)
        if (corners) all.push_back(makeBoard(text));
    return all;
}

TEST(Reference, SearchesAgree) {
    // By the export, the internal routine, and that without a table and with
    // one too small to keep anything for long: the same answers, only slower.
    const auto tiny = TranspositionTable::Make(1);
    TranspositionTable* const tables[] = {nullptr, TranspositionTable::Shared(), nullptr,
                                          tiny.get()};
    for (int depth = 1; depth <= 6; ++depth) {
        for (const Board& top : positions(100 + depth, 1600 >> depth, 600 >> depth, 20, true)) {
            SCOPED_TRACE(::testing::PrintToString(top) + " depth " + std::to_string(depth));
            ReferenceEngine ref;
            Answer refValues, values;
            ref.searchmoves(top, refValues.out.data(), depth, refValues.work.data());
            searchmoves(top, values.out.data(), depth, values.work.data());
            ASSERT_EQ(values, refValues);
            // Lines of depth + 1 plies, from every first pit at shallow depths.
            for (int first = 0; first < kPitsPerRow; first += depth < 3 ? 1 : 4) {
                for (Search s : {kAnalyze, kFindmove, kFindline}) {
                    if (first > 0 && s != kFindline) continue;
                    const int arg = depth + (s == kFindline);
                    Answer expected;
                    call(s, &ref, false, rotateboard(top), arg, first, expected);
                    for (int by = 0; by < (s == kFindmove ? 2 : 4); ++by) {
                        Answer a;
                        call(s, nullptr, by == 0, rotateboard(top), arg, first, a, tables[by]);
                        ASSERT_EQ(a, expected)
                            << "search " << s << " first " << first << " by " << by;
                    }
                }
            }
        }
    }
}

// Deeper searches on fewer positions, of fewer stones as they deepen:
// analyses and main lines, which a pruned search must give value for value,
// and findmove on endgames, where the full search takes most subtrees from
// its cache or cuts them short.
TEST(Reference, DeepSearchesAgree) {
    // The depth, positions from games, endgames and their stones left.
    const std::tuple<int, int, int, int> rows[] = {{7, 12, 8, 20},  {8, 6, 8, 16},  {9, 0, 8, 14},
                                                   {10, 0, 10, 12}, {11, 0, 3, 10}, {12, 0, 3, 9}};
    for (const auto& [depth, games, endgames, left] : rows) {
        for (const Board& top : positions(400 + depth, games, endgames, left, depth <= 9)) {
            SCOPED_TRACE(::testing::PrintToString(top) + " depth " + std::to_string(depth));
            ReferenceEngine ref;
            const bool endgame = kStones - top[kTopStore] - top[kBottomStore] <= 14;
            for (Search s : {kAnalyze, kFindline, kFindmove}) {
                if (s == kFindmove && (depth % 2 == 0 || depth > 9 || !endgame)) continue;
                Answer expected, engine;
                call(s, &ref, false, rotateboard(top), depth, depth % kPitsPerRow, expected);
                call(s, nullptr, false, rotateboard(top), depth, depth % kPitsPerRow, engine);
                ASSERT_EQ(engine, expected) << "search " << s;
            }
        }
    }
}

// checkmove and execmove along random games, from the start and from endgames
// where repetition can end them: the same legal pits, boards, trackers and results.
TEST(Reference, RulesAgreeAlongRandomGames) {
    std::mt19937 rng(5);
    const std::vector<Board> endgames = testing::randomEndgames(5, 200, 12);
    for (size_t game = 0; game < 2 * endgames.size(); ++game) {
        Board board = game % 2 ? endgames[game / 2] : kStartBoard;
        Trackers trackers{};
        bool top = game % 2 == 1;  // endgames have the top half to move
        for (int ply = 0, result = kPlayOn; ply < 300 && result == kPlayOn; ++ply, top = !top) {
            const Board seen = top ? rotateboard(board) : board;
            std::vector<int> legal;
            for (int i = 0; i < 2 * kPitsPerRow; ++i) {
                const int32_t pit = i % kPitsPerRow, opening = i / kPitsPerRow;
                const int32_t expected = ReferenceEngine::checkmove(seen, pit, opening);
                ASSERT_EQ(::checkmove(seen.data(), pit, opening), expected)
                    << ::testing::PrintToString(seen) << " pit " << pit << " opening " << opening;
                if (expected && opening == (game % 2 == 0 && ply < 2))
                    legal.push_back(top ? pit + kPitsPerRow : pit);
            }
            ASSERT_FALSE(legal.empty()) << "a game that goes on leaves the mover a move";
            const int pit = legal[std::uniform_int_distribution<size_t>(0, legal.size() - 1)(rng)];
            SCOPED_TRACE(::testing::PrintToString(board) + " pit " + std::to_string(pit));
            // Now and then the mover's record is primed to the sums its move
            // leaves, at or just below the repetition limit, or at the
            // count's top, where it stays.
            if (ply % 3 == 2) {
                auto [probe, sums] = std::pair(board, Trackers{});
                ReferenceEngine::execmove(probe, pit, sums.data());
                const int m = top ? 3 : 0;
                std::copy_n(sums.begin() + m, 2, trackers.begin() + m);
                trackers[m + 2] =
                    ply % 9 == 8 ? INT32_MAX : 2 * (sums[m] + sums[m + 1]) + 9 + ply % 2;
            }
            auto [refBoard, refTrackers] = std::pair(board, trackers);
            const int32_t refResult = ReferenceEngine::execmove(refBoard, pit, refTrackers.data());
            result = ::execmove(board.data(), pit, trackers.data());
            ASSERT_EQ(std::tie(result, board, trackers),
                      std::tie(refResult, refBoard, refTrackers));
            // What holds after every move, whatever the reference says.
            ASSERT_EQ(std::accumulate(board.begin(), board.end(), 0), kStones);
        }
    }
}

// Sowing worked out by hand, for the points where the engine and the reference
// transcription could share a misreading; the search, held value for value to
// the reference, is anchored here through the rules it plays by. Boards read:
// cells 0-5 (bottom row), 6-11 (top row), top store, bottom store. The board
// after the move through the export, and the result.
TEST(HandChecked, SowingCapturesAndTheEndOfTheGame) {
    const std::tuple<const char*, int, const char*, int32_t> rows[] = {
        // Eleven stones end just before the origin; the twelfth passes over it.
        {"1 1 1 11 1 1 1 1 1 1 1 1 13 13", 3, "2 2 2 0 2 2 2 2 2 2 2 2 13 13", kPlayOn},
        {"0 0 0 0 0 12 0 0 0 0 0 0 18 18", 5, "1 1 1 1 1 0 0 1 1 1 1 1 18 20", kPlayOn},
        // 2s and 3s taken from the last pit down to the edge of the row or a 1 or 4.
        {"1 0 0 0 0 4 3 1 1 2 2 3 12 19", 5, "1 0 0 0 0 0 4 0 0 0 2 3 12 26", kGameOver},
        {"1 2 3 0 0 0 0 0 0 0 0 1 19 22", 11, "0 2 3 0 0 0 0 0 0 0 0 0 21 22", kPlayOn},
        // Taking the opponent's last stones sweeps the mover's own row into its store.
        {"22 0 0 0 0 0 0 0 0 0 0 0 13 13", 0, "0 0 0 0 0 0 0 0 0 0 0 0 13 35", kGameOver},
        {"1 0 0 0 0 0 0 0 0 3 2 1 17 24", 11, "0 0 0 0 0 0 0 0 0 0 0 0 24 24", kGameOver},
        // Above 24 ends the game, 24 does not.
        {"3 0 2 0 0 1 1 4 0 0 0 0 14 23", 5, "3 0 2 0 0 0 0 4 0 0 0 0 14 25", kGameOver},
        {"0 0 0 0 1 0 0 0 0 0 0 1 24 22", 4, "0 0 0 0 0 1 0 0 0 0 0 1 24 22", kPlayOn}};
    for (const auto& [before, pit, after, result] : rows) {
        Board board = makeBoard(before);
        Trackers trackers{};
        EXPECT_EQ(::execmove(board.data(), pit, trackers.data()), result) << before;
        EXPECT_EQ(board, makeBoard(after)) << before;
    }
}

// The exports against arguments the program never passes: they answer 0 (or
// clamp), write nothing and stay inside the caller's arrays.
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
        const int32_t result = call(p[0], p[1], p[2]);
        EXPECT_EQ(std::pair(result, g.cells), std::pair(0, before))
            << name << " on " << ::testing::PrintToString(board);
    };
    // Each export with valid other arguments, and how many of the three arrays it takes.
    const std::vector<std::tuple<std::string, int, Call>> exports = {
        {"checkmove", 1, [](int32_t* b, int32_t*, int32_t*) { return ::checkmove(b, 2, 0); }},
        {"execmove", 2, [](int32_t* b, int32_t* t, int32_t*) { return ::execmove(b, 2, t); }},
        {"findmove", 1, [](int32_t* b, int32_t*, int32_t*) { return ::findmove(b, 3); }},
        {"analyze", 3, [](int32_t* b, int32_t* v, int32_t* w) { return ::analyze(b, 2, v, w); }},
        {"findline", 3,
         [](int32_t* b, int32_t* l, int32_t* w) { return ::findline(b, 3, 2, l, w); }}};
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
