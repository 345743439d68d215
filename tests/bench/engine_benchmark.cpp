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

using zeko::engine::Board;

// The start position after pit 3 and pit 6, as the level table times it.
Board levelTablePosition() {
    Board board = zeko::engine::kStartBoard;
    zeko::engine::RepetitionTracker trackers[2] = {};
    zeko::engine::execmove(board, 3, trackers);
    zeko::engine::execmove(board, 6, trackers);
    return board;
}

// Top half to move, 6 to 14 stones on the board.
const std::vector<Board> kEndgames = {
    zeko::testing::makeBoard("1 2 0 3 1 0 2 0 1 1 0 3 17 17"),  // 14 left
    zeko::testing::makeBoard("1 0 2 1 0 2 0 3 1 0 2 1 18 17"),  // 13 left
    zeko::testing::makeBoard("0 1 2 1 0 3 1 2 0 0 2 0 20 16"),  // 12 left
    zeko::testing::makeBoard("0 2 0 1 1 0 2 1 0 1 0 3 20 17"),  // 11 left
    zeko::testing::makeBoard("2 0 1 0 1 1 0 1 2 0 0 2 19 19"),  // 10 left
    zeko::testing::makeBoard("1 0 1 0 2 0 0 1 2 1 0 1 21 18"),  // 9 left
    zeko::testing::makeBoard("0 1 0 1 1 0 1 0 1 0 2 1 20 20"),  // 8 left
    zeko::testing::makeBoard("0 1 0 2 0 1 1 0 0 1 1 0 22 19"),  // 7 left
    zeko::testing::makeBoard("1 0 0 1 0 1 0 2 0 0 0 1 21 21"),  // 6 left
};
const int kEndgameCount = static_cast<int>(kEndgames.size());

int64_t movesTried(const Board& board, int level) {
    zeko::reference::ReferenceEngine reference;
    reference.findmove(board, level);
    return reference.movesTried;
}

void reportSpeed(benchmark::State& state, int64_t moves) {
    state.counters["positions/s"] = benchmark::Counter(
        static_cast<double>(moves), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["positions"] = static_cast<double>(moves);
}

void BM_FindMoveByLevel(benchmark::State& state) {
    const Board board = levelTablePosition();
    const int level = static_cast<int>(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(zeko::engine::findmove(board, level));
    reportSpeed(state, movesTried(board, level));
}
BENCHMARK(BM_FindMoveByLevel)->DenseRange(1, 9)->Unit(benchmark::kMillisecond);

void BM_FindMoveEndgame(benchmark::State& state) {
    const Board& board = kEndgames[static_cast<size_t>(state.range(0))];
    for (auto _ : state)
        benchmark::DoNotOptimize(zeko::engine::findmove(board, 9));
    reportSpeed(state, movesTried(board, 9));
}
BENCHMARK(BM_FindMoveEndgame)->DenseRange(0, kEndgameCount - 1)->Unit(benchmark::kMillisecond);

// The positions the analysis is timed on, the side to move owning cells 0-5:
// the level table's position, and a middle game with 27 stones on the board.
const Board kAnalysed[] = {levelTablePosition(),
                           zeko::testing::makeBoard("2 4 3 3 1 3 1 3 2 2 3 0 11 10")};

// The analysis dialog at a level: analyze, then the main line from the best
// pit, each time from an empty table as when the program starts.
void BM_Analysis(benchmark::State& state) {
    const Board& board = kAnalysed[state.range(0)];
    const int level = static_cast<int>(state.range(1));
    int32_t values[zeko::engine::kPitsPerRow];
    int32_t line[zeko::engine::kWorkSize];
    int32_t work[zeko::engine::kWorkSize] = {};
    for (auto _ : state) {
        state.PauseTiming();
        if (auto* table = zeko::engine::TranspositionTable::Shared()) table->Clear();
        state.ResumeTiming();
        const int32_t best = zeko::engine::analyze(board, level, values, work);
        benchmark::DoNotOptimize(zeko::engine::findline(board, level, best, line, work));
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
    int32_t values[zeko::engine::kPitsPerRow];
    int32_t work[zeko::engine::kWorkSize] = {};
    const auto firstBest = [&values] {
        return static_cast<int>(std::max_element(values, values + zeko::engine::kPitsPerRow) -
                                values);
    };
    for (auto _ : state) {
        Board copy = zeko::engine::rotateboard(board);
        zeko::engine::searchmoves(copy, values, level, work);
        for (int pit = firstBest(), left = level - 1; left > 0; --left) {
            zeko::engine::sow(copy, pit + zeko::engine::kPitsPerRow);
            copy = zeko::engine::rotateboard(copy);
            if (copy[zeko::engine::kBottomStore] > zeko::engine::kWinningStore ||
                zeko::engine::TopRowStones(copy) == 0)
                break;
            zeko::engine::searchmoves(copy, values, left, work);
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

// The plain transcription of the same search, for comparison.
void BM_ReferenceFindMoveByLevel(benchmark::State& state) {
    const Board board = levelTablePosition();
    const int level = static_cast<int>(state.range(0));
    zeko::reference::ReferenceEngine reference;
    for (auto _ : state)
        benchmark::DoNotOptimize(reference.findmove(board, level));
    reportSpeed(state, movesTried(board, level));
}
BENCHMARK(BM_ReferenceFindMoveByLevel)->Arg(8)->Arg(9)->Unit(benchmark::kMillisecond);

void BM_ReferenceFindMoveEndgame(benchmark::State& state) {
    const Board& board = kEndgames[static_cast<size_t>(state.range(0))];
    zeko::reference::ReferenceEngine reference;
    for (auto _ : state)
        benchmark::DoNotOptimize(reference.findmove(board, 9));
    reportSpeed(state, movesTried(board, 9));
}
BENCHMARK(BM_ReferenceFindMoveEndgame)
    ->DenseRange(0, kEndgameCount - 1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
