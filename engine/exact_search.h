// The analysis's search: the same values as the full-width search of
// searchmoves, found with alpha-beta, a transposition table, move ordering and
// iterative deepening in a small part of its positions.
#pragma once

#include <cstdint>

#include "engine/board.h"
#include "engine/cells.h"
#include "engine/transposition_table.h"

namespace zeko::engine {

class ExactSearch {
  public:
    // table may be null: the values are the same, found more slowly. While a
    // search runs, work receives its estimated progress at each look at the
    // message queue: three digits in base progressBase from the root depth's
    // element down, the first below 6.
    ExactSearch(TranspositionTable* table, int32_t* work, int progressBase);

    // Fills values[k] with the value of pit 6 + k at depth, exactly as
    // searchmoves does, in pit order and each as soon as it is known: a stop
    // leaves the later ones as they were.
    void ValueMoves(const Board& board, int depth, int32_t values[6]);

    // The first pit k (for cell 6 + k) with the greatest value at depth; when
    // stopped, the best found so far.
    int BestPit(const Board& board, int depth);

    // The lowest work element that searchmoves at depth writes from board: the
    // root's element, less the longest line of moves that go on searching.
    static int LowestWorkElement(const Board& board, int depth);

  private:
    struct Outcome {
        int32_t Value;  // the greatest move value, or a bound on it
        bool Starved;   // every move would leave the opponent without stones
    };

    template <bool Top>
    Outcome Node(const Cells& position, int depth, int32_t alpha, int32_t beta);
    template <bool Top>
    int32_t MoveValue(const Cells& child, int depth, int32_t low, int32_t high);
    int32_t RootMoveValue(const Cells& root, int depth, int k, int32_t low, int32_t high);
    int32_t ExactMoveValue(const Cells& root, int depth, int k, int32_t guess);

    void StartRoot(int depth);
    void StartPass(int pass);
    void Look();

    TranspositionTable* table_;
    int32_t* work_;
    int progressBase_;

    int64_t nodes_ = 0;
    int64_t nextLook_;
    // Progress of the current root search: where it began, the nodes of its
    // passes so far, its estimated size and the largest fraction shown.
    int rootDepth_ = 0;
    int64_t rootStart_ = 0;
    int64_t passStart_ = 0;
    int64_t lastPass_ = 0;
    int64_t passBefore_ = 0;
    double estimate_ = 1;
    double shown_ = 0;
};

}  // namespace zeko::engine
