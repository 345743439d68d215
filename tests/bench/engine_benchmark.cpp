// findmove's speed at every level from the position the level table measures,
// with the positions it searches per second (the moves the search tries, as
// counted by the reference transcription); and the analysis dialog's searches
// (analyze, then findline from the best pit) at levels 9, 13 and 16 from that
// position and from a middle game.
#include <benchmark/benchmark.h>

#include "engine/analysis.h"
#include "engine/rules.h"
#include "engine/search.h"
#include "engine/transposition_table.h"
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

void BM_FindMoveByLevel(benchmark::State& state) {
    const Board board = levelTablePosition();
    const int level = static_cast<int>(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(engine::findmove(board, level));
    zeko::reference::ReferenceEngine counting;
    counting.findmove(board, level);
    state.counters["positions/s"] = benchmark::Counter(
        static_cast<double>(counting.movesTried), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_FindMoveByLevel)->DenseRange(1, 9)->Unit(benchmark::kMillisecond);

// The side to move owns cells 0-5: the level table's position, and a middle
// game with 27 stones on the board. Each search starts from an empty table,
// as when the program starts.
void BM_Analysis(benchmark::State& state) {
    const Board boards[] = {levelTablePosition(),
                            zeko::testing::makeBoard("2 4 3 3 1 3 1 3 2 2 3 0 11 10")};
    const Board& board = boards[state.range(0)];
    const int level = static_cast<int>(state.range(1));
    int32_t values[engine::kPitsPerRow], line[engine::kWorkSize], work[engine::kWorkSize] = {};
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

}  // namespace

BENCHMARK_MAIN();
