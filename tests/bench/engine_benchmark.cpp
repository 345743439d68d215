// findmove's speed at every level from the position the level table measures,
// and at Grandmaster on endgames where the depth schedule searches deepest,
// beside the plain reference transcription of the same algorithm; and the
// analysis dialog's searches (analyze, then findline from the best pit) at
// levels 9, 13 and 16 from the level table's position and from a middle game,
// beside the full-width search that findmove uses. Positions searched per
// second count the moves the search tries, as counted by the reference
// transcription.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "engine/analysis.h"
#include "engine/rules.h"
#include "engine/search.h"
#include "engine/sow.h"
#include "engine/transposition_table.h"
#include "engine/values.h"
#include "tests/support/positions.h"
#include "tests/support/reference_engine.h"

namespace {

namespace engine = zeko::engine;
using engine::Board;

// The start position after pit 3 and pit 6, as the level table times it.
Board levelTablePosition() {
    Board board = engine::kStartBoard;
    engine::RepetitionTracker trackers[2] = {};
    engine::execmove(board, 3, trackers);
    engine::execmove(board, 6, trackers);
    return board;
}

// Top half to move, 14 stones on the board, then one fewer each.
std::vector<Board> endgames() {
    std::vector<Board> boards;
    for (const char* text : {"1 2 0 3 1 0 2 0 1 1 0 3 17 17", "1 0 2 1 0 2 0 3 1 0 2 1 18 17",
                             "0 1 2 1 0 3 1 2 0 0 2 0 20 16", "0 2 0 1 1 0 2 1 0 1 0 3 20 17",
                             "2 0 1 0 1 1 0 1 2 0 0 2 19 19", "1 0 1 0 2 0 0 1 2 1 0 1 21 18",
                             "0 1 0 1 1 0 1 0 1 0 2 1 20 20", "0 1 0 2 0 1 1 0 0 1 1 0 22 19",
                             "1 0 0 1 0 1 0 2 0 0 0 1 21 21"})
        boards.push_back(zeko::testing::makeBoard(text));
    return boards;
}
const std::vector<Board> kEndgames = endgames();
const int kEndgameCount = static_cast<int>(kEndgames.size());

// findmove by the engine, or by the reference transcription, with the
// positions it tries per second.
template <bool kReference>
void findMove(benchmark::State& state, const Board& board, int level) {
    zeko::reference::ReferenceEngine reference;
    for (auto _ : state)
        benchmark::DoNotOptimize(kReference ? reference.findmove(board, level)
                                            : engine::findmove(board, level));
    zeko::reference::ReferenceEngine counting;
    counting.findmove(board, level);
    const auto moves = static_cast<double>(counting.movesTried);
    state.counters["positions/s"] =
        benchmark::Counter(moves, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["positions"] = moves;
}

template <bool kReference>
void BM_FindMoveByLevel(benchmark::State& state) {
    findMove<kReference>(state, levelTablePosition(), static_cast<int>(state.range(0)));
}
BENCHMARK_TEMPLATE(BM_FindMoveByLevel, false)->DenseRange(1, 9)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_FindMoveByLevel, true)->Arg(8)->Arg(9)->Unit(benchmark::kMillisecond);

template <bool kReference>
void BM_FindMoveEndgame(benchmark::State& state) {
    findMove<kReference>(state, kEndgames[static_cast<size_t>(state.range(0))], 9);
}
BENCHMARK_TEMPLATE(BM_FindMoveEndgame, false)
    ->DenseRange(0, kEndgameCount - 1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_FindMoveEndgame, true)
    ->DenseRange(0, kEndgameCount - 1)
    ->Unit(benchmark::kMillisecond);

// The positions the analysis is timed on, the side to move owning cells 0-5:
// the level table's position, and a middle game with 27 stones on the board.
const Board kAnalysed[] = {levelTablePosition(),
                           zeko::testing::makeBoard("2 4 3 3 1 3 1 3 2 2 3 0 11 10")};

// The analysis dialog at a level: analyze, then the main line from the best
// pit, each time from an empty table as when the program starts.
void BM_Analysis(benchmark::State& state) {
    const Board& board = kAnalysed[state.range(0)];
    const int level = static_cast<int>(state.range(1));
    int32_t values[engine::kPitsPerRow];
    int32_t line[engine::kWorkSize];
    int32_t work[engine::kWorkSize] = {};
    for (auto _ : state) {
        state.PauseTiming();
        if (auto* table = engine::TranspositionTable::Shared()) table->Clear();
        state.ResumeTiming();
        const int32_t best = engine::analyze(board, level, values, work);
        benchmark::DoNotOptimize(engine::findline(board, level, best, line, work));
    }
}
BENCHMARK(BM_Analysis)
    ->ArgsProduct({{0, 1}, {9, 13, 16}})
    ->ArgNames({"position", "level"})
    ->Unit(benchmark::kMillisecond);

// The same values and line from the full-width search alone.
void BM_FullWidthAnalysis(benchmark::State& state) {
    const Board& board = kAnalysed[state.range(0)];
    const int level = static_cast<int>(state.range(1));
    int32_t values[engine::kPitsPerRow];
    int32_t work[engine::kWorkSize] = {};
    const auto firstBest = [&values] {
        return static_cast<int>(std::max_element(values, values + engine::kPitsPerRow) - values);
    };
    for (auto _ : state) {
        Board copy = engine::rotateboard(board);
        engine::searchmoves(copy, values, level, work);
        for (int pit = firstBest(), left = level - 1; left > 0; --left) {
            engine::sow(copy, pit + engine::kPitsPerRow);
            copy = engine::rotateboard(copy);
            if (copy[engine::kBottomStore] > engine::kWinningStore ||
                engine::TopRowStones(copy) == 0)
                break;
            engine::searchmoves(copy, values, left, work);
            pit = firstBest();
        }
    }
}
BENCHMARK(BM_FullWidthAnalysis)
    ->ArgsProduct({{0, 1}, {9, 11}})
    ->ArgNames({"position", "level"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullWidthAnalysis)
    ->Args({0, 13})
    ->ArgNames({"position", "level"})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
