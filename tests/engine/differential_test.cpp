// The fast engine against the plain reference transcription: values, chosen
// pits, codes, lines and work arrays must agree, through the internal routines
// and through the library's exports alike.

#include <algorithm>
#include <numeric>
#include <random>

#include "engine/rules.h"
#include "tests/engine/answer.h"
#include "tests/support/positions.h"

namespace zeko::engine {
namespace {

using reference::ReferenceEngine;
using testing::boardText;
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
            SCOPED_TRACE(boardText(top) + " depth " + std::to_string(depth));
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
    struct Deep {
        int depth, games, endgames, stonesLeft;
    };
    const std::vector<Deep> rows = {
        {7, 12, 8, 20},  {8, 6, 8, 16},  {9, 0, 8, 14},
        {10, 0, 10, 12}, {11, 0, 3, 10}, {12, 0, 3, 9},
    };
    for (const auto& [depth, games, endgames, left] : rows) {
        for (const Board& top : positions(400 + depth, games, endgames, left, depth <= 9)) {
            SCOPED_TRACE(boardText(top) + " depth " + std::to_string(depth));
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
            for (int32_t opening : {0, 1}) {
                for (int pit = 0; pit < kPitsPerRow; ++pit) {
                    const int32_t expected = ReferenceEngine::checkmove(seen, pit, opening);
                    ASSERT_EQ(::checkmove(seen.data(), pit, opening), expected)
                        << boardText(seen) << " pit " << pit << " opening " << opening;
                    if (expected && opening == (game % 2 == 0 && ply < 2))
                        legal.push_back(top ? pit + kPitsPerRow : pit);
                }
            }
            ASSERT_FALSE(legal.empty()) << "a game that goes on leaves the mover a move";
            const int pit = legal[std::uniform_int_distribution<size_t>(0, legal.size() - 1)(rng)];
            SCOPED_TRACE(boardText(board) + " pit " + std::to_string(pit));
            // Now and then the mover's record is primed to the sums its move
            // leaves, at or just below the repetition limit.
            if (ply % 3 == 2) {
                Board probe = board;
                Trackers sums{};
                ReferenceEngine::execmove(probe, pit, sums.data());
                const int m = top ? 3 : 0;
                std::copy_n(sums.begin() + m, 2, trackers.begin() + m);
                trackers[m + 2] = 2 * (sums[m] + sums[m + 1]) + 9 + ply % 2;
            }
            Board refBoard = board;
            Trackers refTrackers = trackers;
            const int32_t refResult = ReferenceEngine::execmove(refBoard, pit, refTrackers.data());
            result = ::execmove(board.data(), pit, trackers.data());
            ASSERT_EQ(std::tie(result, board, trackers),
                      std::tie(refResult, refBoard, refTrackers));
            // What holds after every move, whatever the reference says.
            ASSERT_EQ(std::accumulate(board.begin(), board.end(), 0), kStones);
            const bool ended = board[kTopStore] > kStones / 2 ||
                               board[kBottomStore] > kStones / 2 ||
                               BottomRowStones(board) + TopRowStones(board) == 0;
            ASSERT_EQ(result != kPlayOn, ended);
        }
    }
}

}  // namespace
}  // namespace zeko::engine
